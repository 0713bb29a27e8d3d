#pragma once
// Small hand-built slots for the layout edit tests.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine/layout_model.h"
#include "layout/random_draw.h"
#include "model/job_tables.h"

namespace kelvara::test {

class SlotFixture {
 public:
  explicit SlotFixture(int materials = 1);

  LayoutSlot slot;
  std::vector<float> kw;  // saw width per material

  // A sheet copy of sheet row `nc`, not laid out yet; returns its index.
  int AddSheet(int m, float x, float y, float trim = 0, int nc = 1);
  // A part copy of part row `nc`, unplaced; returns its Serial.
  std::int32_t AddPart(int m, int nc, float x, float y, int rotation = 0);
  // Lays the part out on a sheet with a layout of its own.
  void Place(int m, std::int32_t serial, int sheet, float posX, float posY, bool rotated = false);
  // Makes sheet r a repetition of sheet t, holding the given parts (no positions).
  void Repeat(int m, int t, int r, const std::vector<std::int32_t>& parts);
  // A marked offcut on a sheet; its area moves to the sheet's OffcutArea.
  RestM& AddOffcut(int m, int sheet, float x, float y, float w, float h, const std::string& name = "R1", int id = 1);

  List& Sheet(int m, int s) { return slot.LayoutSheets[m][s]; }
  Detail& Part(int m, std::int32_t serial);

 private:
  std::int32_t nextSerial_ = 0;
};

// Every field of the slot as text, for exact comparisons.
std::string Describe(const LayoutSlot& slot);

// A draw that hands out the given numbers in order, then 0.
RandomDraw Scripted(std::vector<std::uint32_t> numbers);

struct ScriptedUi : ModelUi {
  std::deque<bool> answers;  // Ask takes the next one; Yes when none are left
  std::vector<std::string> questions, status;
  bool Ask(const std::string& text) override {
    questions.push_back(text);
    if (answers.empty()) return true;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void ShowStatus(const std::string& t, int icon, int) override {
    if (!t.empty()) status.push_back(t + (icon == kIconError ? " [error]" : ""));
  }
};

// Job tables with the built-in materials and a storehouse showing material 0.
struct TablesFixture {
  TablesFixture();
  Options options;
  MessageTable messages;
  ScriptedUi ui;
  JobTables tables;
  // A storehouse row of material `num`.
  void AddStock(int num, double x, double y, int q, const std::string& note);
};

}  // namespace kelvara::test
