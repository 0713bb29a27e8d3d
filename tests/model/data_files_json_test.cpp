// The JSON view of a loaded program folder.
#include <gtest/gtest.h>

#include <sstream>

#include "data_files_folder.h"
#include "model/data_files_json.h"

namespace kelvara {
namespace {

using testing_folder::DataFolderTest;
using Str = std::string;
using I = std::int64_t;

using FolderJson = DataFolderTest;

std::string Compact(const std::string& s) {
  std::string out;
  bool inString = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"' && (i == 0 || s[i - 1] != '\\')) inString = !inString;
    if (!inString && (c == ' ' || c == '\n')) continue;
    out += c;
  }
  return out;
}

TEST_F(FolderJson, OptionsTablesShapesAndStatusInOneObject) {
  WriteOptions({{"PageWidth", 21000.0}, {"UnitsName", Str("cm.")}, {"CommonSawWidth", 3.2}}, {"PVC"});
  WriteText("Kelvara3.mtn", "\xC4\xD1\xCF\r\n");
  Write("Kelvara3.dat",
        fixture::Concat({Sheet({{"X", 2750.0}, {"Y", 1830.0}, {"Q", I{2}}, {"Name", Str("\xC4\xD1\xCF")}, {"Note", Str("a\"b")}}),
                         Part({{"X", 100.0}, {"Y", 50.0}, {"Q", I{1}}, {"Name", Str("Brett")}, {"EL", I{1}}})}));
  Write("Kelvara3.dac", fixture::Record(fixture::ShapeLayout(), {{"W", 10.5}, {"Kind", Str("b")}, {"Fold", I{7}}}));
  FolderSession& s = Load();
  std::ostringstream out;
  WriteProgramFolderJson(out, s.tables, s.shapeList, s.ui.StatusTexts());
  const std::string j = Compact(out.str());
  EXPECT_EQ(j.front(), '{');
  EXPECT_NE(j.find(R"("options":{"UnitsName":"cm.","CommonSawWidth":3.2,)"), std::string::npos) << j;
  EXPECT_NE(j.find(R"("CalcLevel":0)"), std::string::npos);
  EXPECT_NE(j.find(R"("NameOffcuts":0})"), std::string::npos);
  EXPECT_NE(j.find(R"("materials":["ДСП","Brett",)"), std::string::npos);
  EXPECT_NE(j.find(R"("rxOM":[{"NC":1,"Mat":"ДСП","KW":0},)"), std::string::npos);
  EXPECT_NE(j.find(R"("rxT":[{"NC":1,"NameE":"PVC"}])"), std::string::npos);
  // Every field of a sheet row, empty ones as null; the saw width as the single it came from.
  EXPECT_NE(j.find(R"("rxM":[{"Num":0,"NC":1,"Name":"ДСП","X":2750,"Y":1830,"Q":2,"PRT":0,"Note":"a\"b","PT":0,)"
                   R"("TL":0,"TT":0,"TR":0,"TB":0,"KW":3.2,"Pr":"L"}])"),
            std::string::npos)
      << j;
  EXPECT_NE(j.find(R"("EL":true,"ET":false,)"), std::string::npos);
  EXPECT_NE(j.find(R"("DateO":null,)"), std::string::npos);
  EXPECT_NE(j.find(R"("shapes":[{"W":10.5,"H":0,"X1":0,"Y1":0,"X2":0,"Y2":0,"CX":0,"CY":0,"Radius":0,"Kind":"b","Id":7}])"),
            std::string::npos)
      << j;
  EXPECT_NE(j.find(R"("status":["File not Found \"Kelvara3.mkw\". Input Data Error",)"), std::string::npos) << j;
  EXPECT_NE(j.find(R"("rxMat":[])"), std::string::npos);
}

}  // namespace
}  // namespace kelvara
