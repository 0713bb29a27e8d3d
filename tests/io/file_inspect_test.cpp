// "inspect FILE" on files of the test's own writers: every kind shows what was stored; damaged
// files give their message. IoFixtureFiles.Write also leaves the files for the kelvara3-cli
// checks when KELVARA_IO_FIXTURE_DIR names a folder.
#include "io/file_inspect.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "io_test_support.h"
#include "layout_fixture.h"

namespace kelvara {
namespace {

using namespace test;

ByteVec ProjectFixture() {
  ByteVec out;
  Rec m(840);
  m.ch(0, 'M').f32(4, 2800.5f).f32(8, 2070).i32(12, 2).i32(16, 3).str(32, "Oak").str(83, "stock");
  m.i32(240, 5).i32(244, 7).f32(280, 10).f32(288, 12.5f);
  m.AppendTo(out);
  Rec d(840);
  d.ch(0, 'D').ch(1, 'A').f32(4, 600).f32(8, 400).i32(12, 3).i32(16, 3).i32(20, 2).i32(24, 4711);
  d.u8(28, 1).u8(31, 1).str(32, "Oak").str(83, "door").str(134, "band").str(185, "part.dxf").u8(236, 1);
  d.str(320, "Z-9").str(422, "AB").str(473, "frame").str(626, "ABS").str(677, "-").str(728, "-").str(779, "PVC");
  d.AppendTo(out);
  return out;
}

ByteVec OutlineFixture() {
  ByteVec out;
  Rec s(44);
  for (int k = 0; k < 9; ++k) s.f32(4 * k, static_cast<float>(k + 1));
  s.ch(36, '1').i32(40, 4711);
  s.AppendTo(out);
  return out;
}

ByteVec PreviousGenerationFixture() {
  ByteVec out;
  Rec h(156);
  h.str(0, "KelvaraMaterial").u16(60, 1);
  h.AppendTo(out);
  Rec r(156);
  r.str(0, "").f32(52, 2800.5f).f32(56, 2070).u16(60, 4).u8(65, 1).str(104, "old sheet");
  r.AppendTo(out);
  return out;
}

ByteVec SawWidthFixture() {
  ByteVec out;
  Rec(4).f32(0, 3.2f).AppendTo(out);
  Rec(4).f32(0, 4).AppendTo(out);
  return out;
}

const char* const kTextFixture = "[Material]\r\n2800 2070 2 3 - 10 0 0 0 left\r\n[Detail]\r\n600 400 2 5 1 door\r\n";

// Writes every fixture into `dir`.
void WriteFixtures(const std::string& dir) {
  namespace fs = std::filesystem;
  fs::create_directories(dir);
  WriteBytes((fs::path(dir) / "sample.sl3").string(), SampleFile(4.0f, "Kitchen order 17"));
  WriteBytes((fs::path(dir) / "early.sl3").string(), SampleFile(2.5f, "", 352));
  WriteBytes((fs::path(dir) / "sample.kw3").string(), SawWidthFixture());
  WriteBytes((fs::path(dir) / "sample.spc").string(), ProjectFixture());
  WriteBytes((fs::path(dir) / "sample.spca").string(), OutlineFixture());
  WriteBytes((fs::path(dir) / "sample.kelvara2").string(), PreviousGenerationFixture());
  WriteText((fs::path(dir) / "sample.tc3").string(), kTextFixture);
  ByteVec damaged = SampleFile(0, "");
  SheetRec(SampleSheet(0), 4, 9).AppendTo(damaged);  // past the count of its header
  WriteBytes((fs::path(dir) / "damaged.sl3").string(), damaged);
}

TEST(IoFixtureFiles, Write) {
  const char* dir = std::getenv("KELVARA_IO_FIXTURE_DIR");
  if (!dir || !*dir) GTEST_SKIP() << "KELVARA_IO_FIXTURE_DIR not set";
  WriteFixtures(dir);
}

class Inspect : public ::testing::Test {
 protected:
  void SetUp() override { WriteFixtures(dir.path().string()); }
  std::string Run(const std::string& name, bool ok = true) {
    std::ostringstream out;
    result = InspectFile(dir / name, out);
    EXPECT_EQ(result.ok, ok) << name << ": " << result.error;
    return out.str();
  }
  static bool Has(const std::string& json, const std::string& piece) { return json.find(piece) != std::string::npos; }
  TempDir dir;
  InspectResult result;
};

TEST_F(Inspect, LayoutShowsEveryRecordAsStored) {
  const std::string j = Run("sample.sl3");
  for (const char* piece : {"\"record_size\": 556", "\"saw_width\": 4", "\"headline\": \"Kitchen order 17\"",
                            "\"material\": 4", "\"UseX\": 2780", "\"OffcutArea\": 1000.5", "\"CutLength\": 12345.5",
                            "\"CopyOf\": 0", "\"Pr\": \"L\"", "\"Note\": \"board A\"", "\"PosX\": 610.5",
                            "\"Serial\": 12", "\"NameEL\": \"ABS 2mm\"", "\"NameER\": \" pvc \"", "\"PD\": \"A\"",
                            "\"Spare68\": 77", "\"Fold\": 123456", "\"Spare92\": \"spare of twenty ch\"",
                            "\"Spare96\": 5", "\"Zakaz\": \"Z-17\"", "\"Id\": 4464", "\"Name\": \"left\"",
                            "\"Kind\": \"2\"", "\"Radius\": 200", "\"Id\": 123456"})
    EXPECT_TRUE(Has(j, piece)) << piece;
  std::size_t materials = 0;
  for (std::size_t at = j.find("\"material\":"); at != std::string::npos; at = j.find("\"material\":", at + 1))
    ++materials;
  EXPECT_EQ(materials, 6u);
}

TEST_F(Inspect, EarlierLayoutHasNoHeadlineAndDashBands) {
  const std::string j = Run("early.sl3");
  EXPECT_TRUE(Has(j, "\"record_size\": 352"));
  EXPECT_TRUE(Has(j, "\"headline\": null"));
  EXPECT_TRUE(Has(j, "\"NameEL\": \"-\""));
  EXPECT_FALSE(Has(j, "ABS 2mm"));
  EXPECT_TRUE(Has(j, "\"PRT\": 0"));
}

TEST_F(Inspect, OtherKinds) {
  std::string j = Run("sample.spc");
  for (const char* piece : {"\"kind\": \"M\"", "\"X\": 2800.5", "\"PT\": 5", "\"PRT\": 7", "\"TR\": 12.5",
                            "\"kind\": \"D\"", "\"PD\": \"A\"", "\"Fold\": 4711", "\"EB\": true", "\"NF\": \"part.dxf\"",
                            "\"Dist1\": \"frame\"", "\"NameEB\": \"PVC\""})
    EXPECT_TRUE(Has(j, piece)) << piece;
  j = Run("sample.spca");
  EXPECT_TRUE(Has(j, "\"Radius\": 9"));
  EXPECT_TRUE(Has(j, "\"Id\": 4711"));
  j = Run("sample.kw3");
  EXPECT_TRUE(Has(j, "3.2"));
  j = Run("sample.kelvara2");
  EXPECT_TRUE(Has(j, "\"text\": \"KelvaraMaterial\""));
  EXPECT_TRUE(Has(j, "\"quantity\": 4"));
  EXPECT_TRUE(Has(j, "\"note\": \"old sheet\""));
  j = Run("sample.tc3");
  EXPECT_TRUE(Has(j, "\"Num\": 1"));
  EXPECT_TRUE(Has(j, "\"PT\": 1"));
  EXPECT_TRUE(Has(j, "\"Note\": \"door \""));
  EXPECT_TRUE(Has(j, "\"error\": null"));
}

TEST_F(Inspect, DamagedAndUnknownFiles) {
  std::string j = Run("damaged.sl3", false);
  EXPECT_TRUE(j.empty());
  EXPECT_NE(result.error.find("outside its material's array"), std::string::npos);
  WriteBytes(dir / "broken.sl3", ByteVec(100, 7));
  Run("broken.sl3", false);
  EXPECT_EQ(result.error.rfind("File is Destroyed \"" + (dir / "broken.sl3") + "\". Input Data Error", 0), 0u);
  Run("none.spc", false);
  EXPECT_EQ(result.error, "File not Found \"" + (dir / "none.spc") + "\". Input Data Error");
  WriteBytes(dir / "short.spc", ByteVec(500, 'M'));
  Run("short.spc", false);
  EXPECT_EQ(result.error, "File is Destroyed \"" + (dir / "short.spc") + "\". Input Data Error");
  WriteText(dir / "bad.tc3", "[Detail]\n1,5 2 1\n");
  j = Run("bad.tc3", false);
  EXPECT_TRUE(Has(j, "\"error\": \"'1,5' is not a valid floating point value\""));
  Run("notes.txt", false);
  EXPECT_NE(result.error.find("unknown kind of file"), std::string::npos);
}

}  // namespace
}  // namespace kelvara
