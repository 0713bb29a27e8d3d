#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/byte_record.h"
#include "core/cp1251.h"
#include "core/json_writer.h"
#include "core/number_text.h"
#include "core/rounding.h"

namespace kelvara {
namespace {

TEST(Cp1251Test, RoundTripAndUnknownCharacters) {
  const std::string text = "Дуб ЁЖ ё №5 – «x» €";
  const std::string bytes = Utf8ToCp1251(text);
  EXPECT_EQ(bytes.size(), Utf8Length(text));
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC4);  // Д
  EXPECT_EQ(Cp1251ToUtf8(bytes), text);
  EXPECT_EQ(Utf8ToCp1251("ł漢"), "??");
  EXPECT_EQ(Utf8ToCp1251("a\xC3"), "a?");  // truncated sequence
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");     // the one unassigned byte
  EXPECT_EQ(Utf8Left("Дубок", 3), "Дуб");
}

TEST(RecordTest, ShortStringsAndBounds) {
  RecordWriter w(12);
  w.ShortString(0, 5, "Ясеньевый");  // cut to 5 characters
  w.I32(6, -2);
  w.F32(10, 1.5f);  // only 2 of 4 bytes fit: the rest is dropped
  const Bytes& b = w.bytes();
  EXPECT_EQ(b[0], 5);
  RecordReader r(b);
  EXPECT_EQ(r.ShortString(0, 5), "Ясень");
  EXPECT_EQ(r.I32(6), -2);
  EXPECT_EQ(r.I32(100), 0);
  Bytes bad = {200, 'a', 'b'};  // length byte above capacity and beyond the record
  EXPECT_EQ(RecordReader(bad).ShortString(0, 50), "ab");
}

TEST(RecordTest, FilesYieldWholeRecordsOnly) {
  namespace fs = std::filesystem;
  const fs::path p = fs::temp_directory_path() / "kelvara-core-records.bin";
  ASSERT_TRUE(WriteFileAtomic(p.string(), Bytes(25, 7)));
  RecordFile f = ReadRecordFile(p.string(), 10);
  EXPECT_EQ(f.status, FileStatus::Ok);
  EXPECT_EQ(f.Count(), 2u);
  EXPECT_EQ(f.At(1).U8(9), 7);
  fs::remove(p);
  EXPECT_EQ(ReadRecordFile(p.string(), 10).status, FileStatus::NotFound);
  EXPECT_EQ(ReadRecordFile(fs::temp_directory_path().string(), 10).status, FileStatus::NotFound);
  EXPECT_FALSE(WriteFileAtomic("/nonexistent-dir/x.bin", Bytes(3, 0)));
}

TEST(NumberTest, RoundingAndText) {
  struct Case { double v; int d; double want; };
  for (const Case& c : {Case{2.345, 2, 2.35}, Case{-2.5, 0, -3}, Case{0.0004, 3, 0}, Case{0.0005, 3, 0.001},
                        Case{12.3456, 1, 12.3}, Case{-0.0001, 3, 0}})
    EXPECT_DOUBLE_EQ(RoundTo(c.v, c.d), c.want) << c.v << " to " << c.d;
  EXPECT_TRUE(IsZero3(0.0004));
  EXPECT_FALSE(IsZero3(-0.0006));
  EXPECT_EQ(FormatFixed(2.5, 2), "2.50");
  EXPECT_EQ(FormatFixed(-0.0001, 2), "0.00");
  EXPECT_EQ(FormatShortest(0.1f), "0.1");
  EXPECT_EQ(FormatRounded(7.5340001, 3), "7.534");
  EXPECT_EQ(ParseNumber(" 12,5 ").value(), 12.5);
  EXPECT_FALSE(ParseNumber("12x").has_value());
  EXPECT_FALSE(ParseNumber("").has_value());
  EXPECT_EQ(ParseInteger("+42").value(), 42);
}

TEST(JsonTest, EscapesAndNesting) {
  std::ostringstream s;
  JsonWriter j(s, false);
  j.BeginObject().Key("a\"b").String("x\ny").Key("n").BeginArray().Number(1.5).Integer(-3).Null().EndArray().EndObject();
  EXPECT_EQ(s.str(), R"({"a\"b":"x\ny","n":[1.5,-3,null]})");
}

}  // namespace
}  // namespace kelvara
