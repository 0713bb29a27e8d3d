#pragma once
// Job tables with the built-in material list, as the imports see them after start-up.
#include <gtest/gtest.h>

#include "io_test_support.h"
#include "model/job_tables.h"
#include "model/messages.h"
#include "model/options.h"

namespace kelvara::test {

class TablesTest : public ::testing::Test {
 protected:
  TablesTest() : tables(options, messages, ui) {
    tables.ResetMaterialNames();
    tables.random.seed(12345);
  }

  // Sets the saw width of material m in rxOM.
  void SetMaterialKW(int m, double kw) { tables.rxOM.SetAt(m, "KW", kw); }

  // Field of row `pos` of a table.
  static double F(const Table& t, int pos, const char* f) {
    const Value& v = t.GetAt(pos, f);
    if (auto* d = std::get_if<double>(&v)) return *d;
    if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    return -999;  // empty
  }
  static long long I(const Table& t, int pos, const char* f) {
    const Value& v = t.GetAt(pos, f);
    if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
    return -999;  // empty
  }
  static std::string S(const Table& t, int pos, const char* f) { return Table::ValueText(t.GetAt(pos, f)); }
  static bool Empty(const Table& t, int pos, const char* f) {
    return std::holds_alternative<std::monostate>(t.GetAt(pos, f));
  }

  TempDir dir;
  Options options;
  MessageTable messages;
  RecordingUi ui;
  JobTables tables;
};

}  // namespace kelvara::test
