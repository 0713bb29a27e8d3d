// Writes a program folder from the record layouts ("write DIR"), and checks a folder that
// "kelvara3-cli resave" wrote back ("verify DIR"). Uses only the independent test writer/reader.
#include <cmath>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "data_files_fixture.h"

namespace {

using fixture::Bytes;
using fixture::Record;
using fixture::RecordView;
using I = std::int64_t;
using Str = std::string;

const Str kDsp = "\xC4\xD1\xCF";                       // "ДСП"
const Str kCompany = "\xC0\xEB\xFC\xF4\xE0";           // "Альфа"
const Str kGlass = "\xF1\xF2\xE5\xEA\xEB\xEE";         // "стекло"
const Str kLongBand = "Band of twenty chars";          // 20 characters

std::string Join(const std::string& dir, const std::string& name) { return dir + "/" + name; }

Bytes G(fixture::Values v) {
  v["Kind"] = Str("G");
  return Record(fixture::OptionsLayout(), v);
}
Bytes T(const Str& name) { return Record(fixture::BandLayout(), {{"Kind", Str("T")}, {"Name", name}}); }
Bytes M(fixture::Values v) {
  v["Kind"] = Str("M");
  return Record(fixture::SheetLayout(), v);
}
Bytes D(fixture::Values v) {
  v["Kind"] = Str("D");
  return Record(fixture::PartLayout(), v);
}
Bytes Shape(double w, double h, double x1, double y1, double x2, double y2, const Str& kind) {
  return Record(fixture::ShapeLayout(), {{"W", w}, {"H", h}, {"X1", x1}, {"Y1", y1}, {"X2", x2}, {"Y2", y2},
                                         {"CX", -1.0}, {"CY", -1.0}, {"Radius", -1.0}, {"Kind", kind}, {"Fold", I{4711}}});
}

Bytes Shapes() {
  return fixture::Concat({Shape(300, 200, -1, -1, -1, -1, "b"), Shape(-1, -1, 0, 0, 300, 0, "1"),
                          Shape(-1, -1, -1, -1, -1, -1, "R"), Shape(-1, -1, 0, 300, 0, 0, "1"),
                          Shape(-1, -1, -1, -1, -1, -1, "E")});
}

int Write(const std::string& dir) {
  namespace fs = std::filesystem;
  fs::remove_all(dir);
  fs::create_directories(Join(dir, "Materials"));
  fixture::WriteText(Join(dir, "Materials/walnut.jpg"), "jpg");
  fixture::WriteText(Join(dir, "Materials/oak.light.jpg"), "jpg");

  fixture::WriteFile(
      Join(dir, "Kelvara3.opt"),
      fixture::Concat(
          {G({{"ReservedText", Str("xp")},          {"UnitsName", Str("cm.")},
              {"CommonSawWidth", 0.0},               {"IndentValue", 1.5},
              {"Reserved44", I{3}},                  {"Reserved45", I{4}},
              {"CalcLevel", I{2}},                   {"FirstCutDirection", I{1}},
              {"OptionsListWidth", I{260}},          {"SheetsPanelWidth", I{410}},
              {"EdgeBandOn", I{1}},                  {"Reserved57", I{5}},
              {"Reserved58", I{6}},                  {"Reserved59", I{7}},
              {"Decimals", I{1}},                    {"CurrentMaterial", I{3}},
              {"StorehouseListWidth", I{0}},         {"Language", I{1}},
              {"PartsLinearFactor", I{10}},          {"PartsAreaFactor", I{100}},
              {"SheetsLinearFactor", I{1000}},       {"SheetsAreaFactor", I{1000000}},
              {"PartsLinearDecimals", I{1}},         {"PartsAreaDecimals", I{2}},
              {"SheetsLinearDecimals", I{3}},        {"SheetsAreaDecimals", I{4}},
              {"MinimalOffcut", 150.0},              {"PrintStyle", 2.0},
              {"PageWidth", 800.0},                  {"PageHeight", 500.0},
              {"MarginLeft", 500.0},                 {"MarginTop", 600.0},
              {"MarginRight", 700.0},                {"MarginBottom", 800.0},
              {"FrameThickness2", 12.5},             {"FrameThickness3", 24.0},
              {"PartsLinearUnit", Str("cm.=")},      {"PartsAreaUnit", Str("sq.cm")},
              {"SheetsLinearUnit", Str("m.")},       {"SheetsAreaUnit", Str("sq.m.")},
              {"CompanyName", kCompany},             {"PrintFontName", Str("")},
              {"ProgramFolder", Str("/jobs")},       {"NormativeDocument", Str("GOST 1")},
              {"Reserved552", Str("old")},           {"Reserved603", Str("old")},
              {"GenerateG09", I{1}},                 {"GenerateM02", I{0}},
              {"PartsLocation", I{1}},               {"Reserved657", I{8}},
              {"Reserved658", I{9}},                 {"Reserved659", I{10}},
              {"OrderNoOn", I{1}},                   {"NameOffcuts", I{1}},
              {"Reserved662", I{11}},                {"Reserved663", I{12}}}),
           T("PVC 0.4"), T("ABS 2"), T(kLongBand)}));

  // 24 names only: the last built-in material keeps its own name.
  std::string mtn = kDsp + "\r\n";
  for (int i = 1; i < 24; ++i) mtn += "Mat" + std::to_string(i) + "\r\n";
  fixture::WriteText(Join(dir, "Kelvara3.mtn"), mtn);

  fixture::WriteFile(Join(dir, "Kelvara3.mkw"),
                     fixture::Concat({Record(fixture::SawWidthLayout(), {{"KW", 3.26}, {"Mat", kDsp}}),
                                      Record(fixture::SawWidthLayout(), {{"KW", 4.0}, {"Mat", Str("walnut")}}),
                                      Record(fixture::SawWidthLayout(), {{"KW", 9.0}, {"Mat", Str("Nowhere")}})}));

  fixture::WriteFile(
      Join(dir, "Kelvara3.dat"),
      fixture::Concat({M({{"X", 2750.56}, {"Y", 1830.0}, {"Q", I{4}}, {"Num", I{20}}, {"Name", kDsp}, {"Note", Str("left")},
                          {"PT", I{5}}, {"PRT", I{2}}, {"TL", 10.0}, {"TR", 12.5}}),
                       M({{"X", 100.0}, {"Y", 100.0}, {"Q", I{1}}, {"Name", Str("Gone")}}),
                       D({{"PD", Str("A")}, {"X", 300.0}, {"Y", 200.0}, {"Q", I{2}}, {"Rotation", I{5}}, {"Fold", I{4711}},
                          {"EL", I{1}}, {"EB", I{1}}, {"Name", Str("walnut")}, {"Note", Str("door")}, {"NameE", Str("x")},
                          {"NF", Str("/d/a.dxf")}, {"SetZ", I{1}}, {"Zakaz", Str("Z7")}, {"NoteG", Str("AB")},
                          {"Dist1", Str("frame")}, {"NameEL", Str("PVC 0.4")}, {"NameET", Str("")},
                          {"NameER", Str(" ")}, {"NameEB", Str("ABS 2")}}),
                       D({{"PD", Str("D")}, {"X", 100.04}, {"Y", 50.0}, {"Q", I{1}}, {"Name", Str("Mat1")}})}));

  fixture::WriteFile(
      Join(dir, "Kelvara3.mat"),
      fixture::Concat({Record(fixture::StoreLayout(), {{"X", 1200.5}, {"Y", 600.0}, {"Q", I{3}}, {"QM", I{5}},
                                                       {"Material", kDsp}, {"N", Str("R5")}}),
                       Record(fixture::StoreLayout(), {{"X", 1.0}, {"Y", 1.0}, {"Q", I{1}}, {"Material", Str("removed")}}),
                       Record(fixture::StoreLayout(), {{"X", 10.0}, {"Y", 20.0}, {"Q", I{1}}, {"QM", I{1}},
                                                       {"Num", I{0}}, {"Material", Str("oak")}})}));

  fixture::WriteFile(Join(dir, "Kelvara3.dac"), Shapes());
  fixture::WriteText(Join(dir, "Kelvara3.nte"), "glue\r\n" + kGlass + "\n");

  std::string ini = "[General]\nManyMaterial=1\n";
  for (int i = 0; i < 8; ++i) ini += "GMW" + std::to_string(i) + "=" + std::to_string(40 + i) + "\n";
  for (int i = 0; i < 12; ++i) ini += "GDW" + std::to_string(i) + "=" + std::to_string(60 + i) + "\n";
  fixture::WriteText(Join(dir, "settings.ini"), ini);
  return 0;
}

// ---- verify ----------------------------------------------------------------------------------

int failures = 0;

template <class A, class B>
void Expect(const char* what, const A& got, const B& want) {
  if (!(got == want)) {
    std::ostringstream g, w;
    g << got;
    w << want;
    std::cerr << "mismatch: " << what << ": got '" << g.str() << "', want '" << w.str() << "'\n";
    ++failures;
  }
}

std::vector<std::string> CrLfLines(const Bytes& b) {
  std::vector<std::string> lines;
  std::string cur;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') {
      lines.push_back(cur);
      cur.clear();
      ++i;
    } else {
      cur += static_cast<char>(b[i]);
    }
  }
  if (!cur.empty()) {
    std::cerr << "text file does not end with CR LF\n";
    ++failures;
  }
  return lines;
}

int Verify(const std::string& dir) {
  const Bytes opt = fixture::ReadFile(Join(dir, "Kelvara3.opt"));
  Expect("options file size", opt.size(), 4u * 664u);
  if (opt.size() < 4u * 664u) return 1;
  RecordView g{fixture::OptionsLayout(), opt, 0};
  Expect("G kind", g.Str("Kind"), Str("G"));
  Expect("reserved text", g.Str("ReservedText"), Str("xp"));
  Expect("UnitsName", g.Str("UnitsName"), Str("cm."));
  Expect("IndentValue", g.Float("IndentValue"), 1.5f);
  Expect("reserved 44", g.Int("Reserved44"), 3);
  Expect("reserved 45", g.Int("Reserved45"), 4);
  Expect("CalcLevel", g.Int("CalcLevel"), 2);
  Expect("FirstCutDirection", g.Int("FirstCutDirection"), 1);
  Expect("OptionsListWidth", g.Int("OptionsListWidth"), 260);
  Expect("SheetsPanelWidth", g.Int("SheetsPanelWidth"), 410);
  Expect("reserved 57", g.Int("Reserved57"), 5);
  Expect("reserved 58", g.Int("Reserved58"), 6);
  Expect("reserved 59", g.Int("Reserved59"), 7);
  Expect("Decimals", g.Int("Decimals"), 1);
  Expect("CurrentMaterial (last loaded row)", g.Int("CurrentMaterial"), 1);
  Expect("Language", g.Int("Language"), 1);
  Expect("PartsAreaFactor", g.Int("PartsAreaFactor"), 100);
  Expect("SheetsAreaDecimals", g.Int("SheetsAreaDecimals"), 4);
  Expect("MinimalOffcut", g.Float("MinimalOffcut"), 150.0f);
  Expect("PrintStyle", g.Float("PrintStyle"), 2.0f);
  Expect("PageWidth (A4)", g.Float("PageWidth"), 21000.0f);
  Expect("PageHeight (A4)", g.Float("PageHeight"), 29700.0f);
  Expect("MarginLeft", g.Float("MarginLeft"), 500.0f);
  Expect("MarginBottom", g.Float("MarginBottom"), 800.0f);
  Expect("FrameThickness2", g.Float("FrameThickness2"), 12.5f);
  Expect("PartsLinearUnit (fourth character '=')", g.Str("PartsLinearUnit"), Str("mm."));
  Expect("PartsAreaUnit", g.Str("PartsAreaUnit"), Str("sq.cm"));
  Expect("CompanyName", g.Str("CompanyName"), kCompany);
  Expect("PrintFontName", g.Str("PrintFontName"), Str("Arial"));
  Expect("ProgramFolder", g.Str("ProgramFolder"), Str("/jobs"));
  Expect("NormativeDocument", g.Str("NormativeDocument"), Str("GOST 1"));
  Expect("reserved 552", g.Str("Reserved552"), Str(" "));
  Expect("reserved 603", g.Str("Reserved603"), Str(" "));
  Expect("GenerateG09", g.Int("GenerateG09"), 1);
  Expect("PartsLocation", g.Int("PartsLocation"), 1);
  Expect("reserved 657", g.Int("Reserved657"), 8);
  Expect("reserved 658", g.Int("Reserved658"), 0);
  Expect("reserved 659", g.Int("Reserved659"), 10);
  Expect("OrderNoOn", g.Int("OrderNoOn"), 1);
  Expect("NameOffcuts", g.Int("NameOffcuts"), 1);
  Expect("reserved 662", g.Int("Reserved662"), 11);
  Expect("reserved 663", g.Int("Reserved663"), 12);
  const char* bands[] = {"PVC 0.4", "ABS 2", "Band of twenty chars"};
  for (std::size_t i = 0; i < 3; ++i) {
    RecordView t{fixture::BandLayout(), opt, i + 1};
    Expect("T kind", t.Str("Kind"), Str("T"));
    Expect("band name", t.Str("Name"), Str(bands[i]));
  }

  const auto names = CrLfLines(fixture::ReadFile(Join(dir, "Kelvara3.mtn")));
  Expect("material names lines", names.size(), 25u);
  if (names.size() == 25) {
    Expect("name 0", names[0], kDsp);
    Expect("name 23", names[23], Str("Mat23"));
    Expect("name 24 (built-in)", names[24], Str("Blue"));
  }

  const Bytes mkw = fixture::ReadFile(Join(dir, "Kelvara3.mkw"));
  Expect("saw width records", mkw.size(), 27u * 56u);
  if (mkw.size() == 27u * 56u) {
    Expect("KW 0", (RecordView{fixture::SawWidthLayout(), mkw, 0}.Float("KW")), 3.3f);
    Expect("Mat 25", (RecordView{fixture::SawWidthLayout(), mkw, 25}.Str("Mat")), Str("oak"));
    Expect("Mat 26", (RecordView{fixture::SawWidthLayout(), mkw, 26}.Str("Mat")), Str("walnut"));
    Expect("KW 26", (RecordView{fixture::SawWidthLayout(), mkw, 26}.Float("KW")), 4.0f);
    Expect("KW 1", (RecordView{fixture::SawWidthLayout(), mkw, 1}.Float("KW")), 0.0f);
  }

  const Bytes dat = fixture::ReadFile(Join(dir, "Kelvara3.dat"));
  Expect("job records", dat.size(), 3u * 840u);
  if (dat.size() == 3u * 840u) {
    RecordView m{fixture::SheetLayout(), dat, 0};
    Expect("M kind", m.Str("Kind"), Str("M"));
    Expect("M X (rounded)", m.Float("X"), 2750.6f);
    Expect("M Y", m.Float("Y"), 1830.0f);
    Expect("M Q", m.Int("Q"), 4);
    Expect("M Num", m.Int("Num"), 0);
    Expect("M Name", m.Str("Name"), kDsp);
    Expect("M Note", m.Str("Note"), Str("left"));
    Expect("M PT", m.Int("PT"), 5);
    Expect("M PRT", m.Int("PRT"), 2);
    Expect("M TL", m.Float("TL"), 10.0f);
    Expect("M TR", m.Float("TR"), 12.5f);
    RecordView d{fixture::PartLayout(), dat, 1};
    Expect("D kind", d.Str("Kind"), Str("D"));
    Expect("D PD", d.Str("PD"), Str("A"));
    Expect("D X", d.Float("X"), 300.0f);
    Expect("D Q", d.Int("Q"), 2);
    Expect("D Num", d.Int("Num"), 26);
    Expect("D Rotation (above 2)", d.Int("Rotation"), 2);
    Expect("D Fold", d.Int("Fold"), 4711);
    Expect("D EL", d.Int("EL"), 1);
    Expect("D ET", d.Int("ET"), 0);
    Expect("D EB", d.Int("EB"), 1);
    Expect("D Name", d.Str("Name"), Str("walnut"));
    Expect("D Note", d.Str("Note"), Str("door"));
    Expect("D NameE", d.Str("NameE"), Str(""));
    Expect("D NF", d.Str("NF"), Str("/d/a.dxf"));
    Expect("D SetZ", d.Int("SetZ"), 1);
    Expect("D Zakaz", d.Str("Zakaz"), Str("Z7"));
    Expect("D NoteG", d.Str("NoteG"), Str("AB"));
    Expect("D Dist1", d.Str("Dist1"), Str("frame"));
    Expect("D NameEL", d.Str("NameEL"), Str("PVC 0.4"));
    Expect("D NameET", d.Str("NameET"), Str("-"));
    Expect("D NameER", d.Str("NameER"), Str("-"));
    Expect("D NameEB", d.Str("NameEB"), Str("ABS 2"));
    RecordView d2{fixture::PartLayout(), dat, 2};
    Expect("D2 X (rounded)", d2.Float("X"), 100.0f);
    Expect("D2 Name", d2.Str("Name"), Str("Mat1"));
    Expect("D2 Num", d2.Int("Num"), 1);
  }

  const Bytes mat = fixture::ReadFile(Join(dir, "Kelvara3.mat"));
  Expect("storehouse records", mat.size(), 2u * 124u);
  if (mat.size() == 2u * 124u) {
    RecordView s0{fixture::StoreLayout(), mat, 0}, s1{fixture::StoreLayout(), mat, 1};
    Expect("S0 X", s0.Float("X"), 1200.5f);
    Expect("S0 Q", s0.Int("Q"), 3);
    Expect("S0 QM (never above Q)", s0.Int("QM"), 3);
    Expect("S0 Material", s0.Str("Material"), kDsp);
    Expect("S0 N", s0.Str("N"), Str("R5"));
    Expect("S1 Material", s1.Str("Material"), Str("oak"));
    Expect("S1 Num", s1.Int("Num"), 25);
  }

  Expect("outlines unchanged", fixture::ReadFile(Join(dir, "Kelvara3.dac")) == Shapes(), true);
  const auto notes = CrLfLines(fixture::ReadFile(Join(dir, "Kelvara3.nte")));
  Expect("notes", notes == std::vector<std::string>{"glue", kGlass}, true);

  const Bytes ini = fixture::ReadFile(Join(dir, "settings.ini"));
  const std::string text(ini.begin(), ini.end());
  for (const char* line : {"ManyMaterial=1\n", "GMW0=40\n", "GMW7=47\n", "GDW11=71\n"})
    Expect(line, text.find(line) != std::string::npos, true);

  if (failures) std::cerr << failures << " mismatches\n";
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: kelvara_cli_fixture write|verify DIR\n";
    return 2;
  }
  const std::string mode = argv[1];
  try {
    if (mode == "write") return Write(argv[2]);
    if (mode == "verify") return Verify(argv[2]);
  } catch (const std::exception& e) {
    std::cerr << "kelvara_cli_fixture: " << e.what() << "\n";
    return 1;
  }
  std::cerr << "unknown mode " << mode << "\n";
  return 2;
}
