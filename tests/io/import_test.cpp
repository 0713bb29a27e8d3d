// Text import (".tc3") and previous-generation import (".kelvara2"): fields, defaults,
// conversion and range errors, damaged files, and the file always released.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "io/previous_generation_import.h"
#include "io/text_import.h"
#include "io_tables_fixture.h"

namespace kelvara {
namespace {

using test::ByteVec;
using test::Rec;

// True when this process still holds a descriptor on the file.
bool FileHeldOpen(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path target = fs::canonical(path, ec);
  for (const auto& e : fs::directory_iterator("/proc/self/fd", ec)) {
    std::error_code ec2;
    if (fs::read_symlink(e.path(), ec2) == target) return true;
  }
  return false;
}

class TextImport : public test::TablesTest {
 protected:
  ImportResult Import(const std::string& text) {
    test::WriteText(dir / "in.tc3", text);
    return ImportTextFile(dir / "in.tc3", tables);
  }
};

TEST_F(TextImport, SheetLineOfTwelveFields) {
  SetMaterialKW(0, 3.2);
  const ImportResult r = Import("[Material]\r\n2800 2070 1 5 any 10 10 10 10 first second third\r\n");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.sheetsAdded, 1);
  const Table& m = tables.rxM;
  ASSERT_EQ(m.Count(), 1);
  EXPECT_EQ(F(m, 0, "X"), 2800);
  EXPECT_EQ(F(m, 0, "Y"), 2070);
  EXPECT_EQ(I(m, 0, "Num"), 0);
  EXPECT_EQ(S(m, 0, "Name"), tables.MaterialName(0));
  EXPECT_EQ(F(m, 0, "KW"), 3.2);
  EXPECT_EQ(I(m, 0, "Q"), 5);
  for (const char* t : {"TL", "TT", "TR", "TB"}) EXPECT_EQ(F(m, 0, t), 10) << t;
  EXPECT_EQ(I(m, 0, "PT"), 15);
  EXPECT_EQ(S(m, 0, "Note"), "first second third ");
  EXPECT_TRUE(ui.errors.empty());
}

TEST_F(TextImport, TrimMaskOfTheRowsOwnTrims) {
  ASSERT_TRUE(Import("[Material]\n100 100 1 1 - 5 0 0 7\n100 100 1 1 - 5\n").ok);
  EXPECT_EQ(I(tables.rxM, 0, "PT"), 9);  // bits 0 and 3
  EXPECT_EQ(I(tables.rxM, 1, "PT"), 0);  // fewer than nine fields
  EXPECT_EQ(F(tables.rxM, 1, "TL"), 5);
}

TEST_F(TextImport, PartLineOfThreeFieldsKeepsTheDefaults) {
  tables.LastRotation = 1;
  ASSERT_TRUE(Import("[Detail]\r\n600 400 3\r\n").ok);
  const Table& d = tables.rxD;
  ASSERT_EQ(d.Count(), 1);
  EXPECT_EQ(I(d, 0, "Num"), 2);
  EXPECT_EQ(S(d, 0, "Name"), tables.MaterialName(2));
  EXPECT_EQ(I(d, 0, "Q"), 1);
  EXPECT_EQ(I(d, 0, "Rotation"), 1);
  EXPECT_EQ(S(d, 0, "PD"), "D");
}

TEST_F(TextImport, PartLineOfEveryField) {
  ASSERT_TRUE(Import("[Detail]\n600 400 2 4 7 w1 w2 w3 ignored more\n").ok);
  const Table& d = tables.rxD;
  EXPECT_EQ(I(d, 0, "Q"), 4);
  EXPECT_EQ(I(d, 0, "Rotation"), 2);  // above 2 is stored as 2
  EXPECT_EQ(S(d, 0, "Note"), "w1 w2 w3 ");
  EXPECT_EQ(I(d, 0, "Num"), 1);
}

TEST_F(TextImport, BlanksSectionsAndIgnoredLines) {
  const ImportResult r = Import(
      "written by a saw program\r\n"
      "[material]\r\n"  // before the first section: an ordinary ignored line
      "1 2 3\r\n"
      "\r\n"
      "   \r\n"
      "[Material]\r\n"
      "  2800    2070   1    2  \r\n"
      "[Detail]\r\n"
      "600     400 1\r\n"
      "[Material]\r\n"
      "100 200 1\r\n");
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(tables.rxM.Count(), 2);
  EXPECT_EQ(I(tables.rxM, 0, "Q"), 2);
  EXPECT_EQ(F(tables.rxM, 1, "Y"), 200);
  ASSERT_EQ(tables.rxD.Count(), 1);
  EXPECT_EQ(F(tables.rxD, 0, "Y"), 400);
}

TEST_F(TextImport, SizesAreRoundedToDecimals) {
  options.Decimals = 1;
  ASSERT_TRUE(Import("[Detail]\n600.56 399.94 1\n").ok);
  EXPECT_EQ(F(tables.rxD, 0, "X"), 600.6);
  EXPECT_EQ(F(tables.rxD, 0, "Y"), 399.9);
}

TEST_F(TextImport, NoteWordsComeFromCodePage1251) {
  ASSERT_TRUE(Import("[Detail]\n600 400 1 1 0 \xC4\xE2\xE5\xF0\xFC\n").ok);  // "Дверь"
  EXPECT_EQ(S(tables.rxD, 0, "Note"), "\xD0\x94\xD0\xB2\xD0\xB5\xD1\x80\xD1\x8C ");
}

TEST_F(TextImport, ErrorsStopAtTheLineAndKeepWhatCameBefore) {
  struct Case {
    std::string line;
    std::string message;
    double x;  // X of the row being filled; -999 when it stayed empty
    double y;
  };
  const std::vector<Case> cases = {
      {"600 400,5 1", "'400,5' is not a valid floating point value", 600, -999},
      {"600,5 400 1", "'600,5' is not a valid floating point value", -999, -999},
      {"[material]", "'[material]' is not a valid floating point value", -999, -999},
      {"600 400 26", "List index out of bounds (25)", 600, 400},
      {"600 400 0", "List index out of bounds (-1)", 600, 400},
      {"600 400 one", "'one' is not a valid integer value", 600, 400},
      {"600 400 1 2.5", "'2.5' is not a valid integer value", 600, 400},
      {"600 400 1 1 x", "'x' is not a valid integer value", 600, 400},
      {"600 400 1 99999999999", "'99999999999' is not a valid integer value", 600, 400},
      {"1e999 400 1", "'1e999' is not a valid floating point value", -999, -999},
  };
  for (const Case& c : cases) {
    tables.rxD.Clear();
    ui.errors.clear();
    const ImportResult r = Import("[Detail]\n10 20 1\n" + c.line + "\n30 40 1\n");
    EXPECT_FALSE(r.ok) << c.line;
    EXPECT_EQ(r.error, c.message) << c.line;
    ASSERT_EQ(ui.errors.size(), 1u) << c.line;
    EXPECT_EQ(ui.errors[0], c.message);
    ASSERT_EQ(tables.rxD.Count(), 2) << c.line;  // the row before and the row being filled
    EXPECT_EQ(F(tables.rxD, 0, "X"), 10);
    EXPECT_EQ(F(tables.rxD, 1, "X"), c.x) << c.line;
    EXPECT_EQ(F(tables.rxD, 1, "Y"), c.y) << c.line;
    EXPECT_FALSE(FileHeldOpen(dir / "in.tc3"));
  }
}

TEST_F(TextImport, SheetRowStoppedAtItsTrimsKeepsItsMaterial) {
  const ImportResult r = Import("[Material]\n2800 2070 2 1 - 10 x\n");
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(tables.rxM.Count(), 1);
  EXPECT_EQ(I(tables.rxM, 0, "Num"), 1);
  EXPECT_EQ(F(tables.rxM, 0, "TL"), 10);
  EXPECT_EQ(F(tables.rxM, 0, "TT"), 0);
}

TEST_F(TextImport, MissingFileGivesTheFileMessage) {
  const ImportResult r = ImportTextFile(dir / "none.tc3", tables);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(ui.last().text, "File not Found \"" + (dir / "none.tc3") + "\". Input Data Error");
  EXPECT_EQ(ui.last().icon, kIconError);
}

TEST_F(TextImport, BinaryNoiseNeverCrashes) {
  std::mt19937 rng(3);
  for (int round = 0; round < 50; ++round) {
    std::string text = "[Material]\n";
    for (int k = 0; k < 400; ++k) text += static_cast<char>(rng() % 4 == 0 ? ' ' : rng());
    Import(text);
  }
  SUCCEED();
}

// ---- previous generation ----

Rec Record156(const std::string& text, float x = 0, float y = 0, unsigned q = 0, unsigned rotation = 0,
              const std::string& note = "") {
  Rec r(156);
  r.str(0, text).f32(52, x).f32(56, y).u16(60, q).u8(65, rotation).str(104, note);
  return r;
}

class PreviousGeneration : public test::TablesTest {
 protected:
  ImportResult Import(const ByteVec& bytes) {
    test::WriteBytes(dir / "old.kelvara2", bytes);
    return ImportPreviousGenerationFile(dir / "old.kelvara2", tables);
  }
};

TEST_F(PreviousGeneration, SheetsAndParts) {
  options.CurrentMaterial = 4;
  tables.LastRotation = 0;
  ByteVec file;
  Record156("header written before the sections", 1, 1, 1).AppendTo(file);
  Record156("  KelvaraMaterial ", 0, 0, 1).AppendTo(file);
  Record156("row", 2800.56f, 2070.04f, 3, 0, "  sheet note  ").AppendTo(file);
  Record156("KelvaraDetail").AppendTo(file);
  Record156("", 600.56f, 399.94f, 12, 7, " part ").AppendTo(file);
  const ImportResult r = Import(file);
  ASSERT_TRUE(r.ok);
  const Table& m = tables.rxM;
  ASSERT_EQ(m.Count(), 1);
  EXPECT_EQ(F(m, 0, "X"), 2800.6);
  EXPECT_EQ(F(m, 0, "Y"), 2070.0);
  EXPECT_EQ(I(m, 0, "Q"), 3);
  EXPECT_EQ(S(m, 0, "Note"), "sheet note");
  EXPECT_EQ(I(m, 0, "Num"), 4);  // material and trims from the new-row defaults
  EXPECT_EQ(S(m, 0, "Name"), tables.MaterialName(4));
  EXPECT_EQ(F(m, 0, "TL"), 0);
  const Table& d = tables.rxD;
  ASSERT_EQ(d.Count(), 1);
  EXPECT_EQ(F(d, 0, "X"), 600.6);
  EXPECT_EQ(F(d, 0, "Y"), 399.9);
  EXPECT_EQ(I(d, 0, "Q"), 12);
  EXPECT_EQ(I(d, 0, "Rotation"), 2);  // 7 is stored as 2
  EXPECT_EQ(S(d, 0, "Note"), "part");
  EXPECT_EQ(I(d, 0, "SetZ"), 0);
  EXPECT_EQ(S(d, 0, "PD"), "D");
  EXPECT_EQ(I(d, 0, "Num"), 4);
  EXPECT_EQ(ui.last().text, "Project is Added \"" + (dir / "old.kelvara2") + "\" .");
  EXPECT_EQ(ui.last().icon, kIconSuccess);
  EXPECT_EQ(ui.last().seconds, 20);
  EXPECT_FALSE(FileHeldOpen(dir / "old.kelvara2"));
}

TEST_F(PreviousGeneration, PartsWithoutSheetsSectionUseNoDecimals) {
  ByteVec file;
  Record156("KelvaraDetail").AppendTo(file);
  Record156("", 600.56f, 399.4f, 1).AppendTo(file);
  ASSERT_TRUE(Import(file).ok);
  EXPECT_EQ(F(tables.rxD, 0, "X"), 601);
  EXPECT_EQ(F(tables.rxD, 0, "Y"), 399);
}

TEST_F(PreviousGeneration, IncompleteLastRecordIsIgnored) {
  ByteVec file;
  Record156("KelvaraDetail").AppendTo(file);
  Record156("", 600, 400, 1).AppendTo(file);
  file.insert(file.end(), 100, 0x41);
  ASSERT_TRUE(Import(file).ok);
  EXPECT_EQ(tables.rxD.Count(), 1);
  EXPECT_EQ(ui.last().icon, kIconSuccess);
}

TEST_F(PreviousGeneration, ManyDecimalsCountAsEighteen) {
  ByteVec file;
  Record156("KelvaraMaterial", 0, 0, 65535).AppendTo(file);
  Record156("", 1234.5f, 3e38f, 1).AppendTo(file);
  ASSERT_TRUE(Import(file).ok);
  EXPECT_EQ(F(tables.rxM, 0, "X"), 1234.5);
  EXPECT_FLOAT_EQ(static_cast<float>(F(tables.rxM, 0, "Y")), 3e38f);
}

TEST_F(PreviousGeneration, ConversionErrorStopsWithTheDestroyedMessage) {
  for (float bad : {std::nanf(""), INFINITY, -INFINITY}) {
    tables.rxD.Clear();
    ByteVec file;
    Record156("KelvaraDetail").AppendTo(file);
    Record156("", 600, 400, 1).AppendTo(file);
    Record156("", 600, bad, 1).AppendTo(file);
    Record156("", 700, 400, 1).AppendTo(file);
    const ImportResult r = Import(file);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(tables.rxD.Count(), 1);  // the rows before stay
    EXPECT_EQ(ui.last().text, "File is Destroyed \"" + (dir / "old.kelvara2") + "\". Input Data Error");
    EXPECT_EQ(ui.last().icon, kIconError);
    EXPECT_FALSE(FileHeldOpen(dir / "old.kelvara2"));
  }
}

TEST_F(PreviousGeneration, MissingFileIsNotFound) {
  EXPECT_FALSE(ImportPreviousGenerationFile(dir / "none.kelvara2", tables).ok);
  EXPECT_EQ(ui.last().text, "File not Found \"" + (dir / "none.kelvara2") + "\". Input Data Error");
}

TEST_F(PreviousGeneration, RandomBytesNeverCrash) {
  std::mt19937 rng(5);
  for (int round = 0; round < 50; ++round) {
    ByteVec file(156 * 6 + rng() % 156);
    for (auto& b : file) b = static_cast<std::uint8_t>(rng());
    Import(file);
  }
  SUCCEED();
}

}  // namespace
}  // namespace kelvara
