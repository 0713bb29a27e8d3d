#pragma once
// A temporary program folder for the data file tests.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "data_files_fixture.h"
#include "model/data_files_session.h"

namespace kelvara::testing_folder {

namespace fs = std::filesystem;
using fixture::Values;

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("kelvara_data_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    session_.reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Folder() const { return dir_.string(); }

  void Write(const std::string& name, const fixture::Bytes& b) const { fixture::WriteFile(Path(name), b); }
  void WriteText(const std::string& name, const std::string& text) const { fixture::WriteText(Path(name), text); }
  fixture::Bytes Read(const std::string& name) const { return fixture::ReadFile(Path(name)); }

  void AddPicture(const std::string& file) const {
    fs::create_directories(dir_ / "Materials");
    fixture::WriteText((dir_ / "Materials" / file).string(), "jpg");
  }

  // An options file: a "G" record with the given values, then one "T" record per band.
  void WriteOptions(Values g, const std::vector<std::string>& bands = {}) const {
    g["Kind"] = std::string("G");
    fixture::Bytes all = fixture::Record(fixture::OptionsLayout(), g);
    for (const auto& b : bands) {
      const auto t = fixture::Record(fixture::BandLayout(), {{"Kind", std::string("T")}, {"Name", b}});
      all.insert(all.end(), t.begin(), t.end());
    }
    Write("Kelvara3.opt", all);
  }

  static fixture::Bytes Sheet(Values v) {
    v["Kind"] = std::string("M");
    return fixture::Record(fixture::SheetLayout(), v);
  }
  static fixture::Bytes Part(Values v) {
    v["Kind"] = std::string("D");
    return fixture::Record(fixture::PartLayout(), v);
  }

  // A new session over the folder, loaded as at start.
  FolderSession& Load() {
    session_.reset();
    session_ = std::make_unique<FolderSession>(Folder(), settings);
    session_->Load();
    return *session_;
  }
  FolderSession& Session() { return *session_; }

  static std::string NotFound(const std::string& file) { return "File not Found \"" + file + "\". Input Data Error"; }
  static std::string Destroyed(const std::string& file) {
    return "File is Destroyed \"" + file + "\". Input Data Error";
  }
  std::vector<std::string> Statuses() const { return session_->ui.StatusTexts(); }
  bool HasStatus(const std::string& text) const {
    for (const auto& s : session_->ui.StatusTexts())
      if (s == text) return true;
    return false;
  }

  MemorySettingsStore settings;

 private:
  fs::path dir_;
  std::unique_ptr<FolderSession> session_;
};

inline std::string Text(const Table& t, int pos, const char* field) { return Table::ValueText(t.GetAt(pos, field)); }
inline double Real(const Table& t, int pos, const char* field) {
  const Value& v = t.GetAt(pos, field);
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  return std::nan("");
}
inline std::int64_t Int(const Table& t, int pos, const char* field) {
  const Value& v = t.GetAt(pos, field);
  if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
  return -999999;
}

}  // namespace kelvara::testing_folder
