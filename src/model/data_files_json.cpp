#include "model/data_files_json.h"

#include <cmath>

#include "core/cp1251.h"

namespace kelvara {
namespace {

// A value that a single holds exactly is written in the single's shortest form ("3.2", not
// "3.200000047683716"); it reads back as the same single.
void Real(JsonWriter& w, double v) {
  const float f = static_cast<float>(v);
  if (std::isfinite(v) && static_cast<double>(f) == v) w.Number(f);
  else w.Number(v);
}

bool Truth(const Value& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return *i != 0;
  if (auto* d = std::get_if<double>(&v)) return *d != 0.0;
  if (auto* s = std::get_if<std::string>(&v)) return !s->empty() && *s != "0";
  return false;
}

}  // namespace

void WriteOptionsJson(JsonWriter& w, const Options& o) {
  w.BeginObject();
  auto text = [&](const char* k, const std::string& v) { w.Key(k).String(v); };
  auto integer = [&](const char* k, std::int64_t v) { w.Key(k).Integer(v); };
  auto single = [&](const char* k, float v) { w.Key(k).Number(v); };
  text("UnitsName", o.UnitsName);
  single("CommonSawWidth", o.CommonSawWidth);
  single("IndentValue", o.IndentValue);
  single("MinimalOffcut", o.MinimalOffcut);
  integer("CalcLevel", o.CalcLevel);
  integer("FirstCutDirection", o.FirstCutDirection);
  integer("EdgeBandOn", o.EdgeBandOn);
  integer("Decimals", o.Decimals);
  integer("CurrentMaterial", o.CurrentMaterial);
  integer("OptionsListWidth", o.OptionsListWidth);
  integer("SheetsPanelWidth", o.SheetsPanelWidth);
  integer("StorehouseListWidth", o.StorehouseListWidth);
  integer("Language", o.Language);
  integer("PartsLinearFactor", o.PartsLinearFactor);
  integer("PartsAreaFactor", o.PartsAreaFactor);
  integer("SheetsLinearFactor", o.SheetsLinearFactor);
  integer("SheetsAreaFactor", o.SheetsAreaFactor);
  integer("PartsLinearDecimals", o.PartsLinearDecimals);
  integer("PartsAreaDecimals", o.PartsAreaDecimals);
  integer("SheetsLinearDecimals", o.SheetsLinearDecimals);
  integer("SheetsAreaDecimals", o.SheetsAreaDecimals);
  text("PartsLinearUnit", o.PartsLinearUnit);
  text("PartsAreaUnit", o.PartsAreaUnit);
  text("SheetsLinearUnit", o.SheetsLinearUnit);
  text("SheetsAreaUnit", o.SheetsAreaUnit);
  text("CompanyName", o.CompanyName);
  text("PrintFontName", o.PrintFontName);
  text("ProgramFolder", o.ProgramFolder);
  text("NormativeDocument", o.NormativeDocument);
  integer("PrintStyle", o.PrintStyle);
  integer("PageWidth", o.PageWidth);
  integer("PageHeight", o.PageHeight);
  integer("MarginLeft", o.MarginLeft);
  integer("MarginTop", o.MarginTop);
  integer("MarginRight", o.MarginRight);
  integer("MarginBottom", o.MarginBottom);
  single("FrameThickness2", o.FrameThickness2);
  single("FrameThickness3", o.FrameThickness3);
  integer("GenerateG09", o.GenerateG09);
  integer("GenerateM02", o.GenerateM02);
  integer("PartsLocation", o.PartsLocation);
  integer("OrderNoOn", o.OrderNoOn);
  integer("NameOffcuts", o.NameOffcuts);
  w.EndObject();
}

void WriteTableJson(JsonWriter& w, const Table& t) {
  w.BeginArray();
  for (int pos = 0; pos < t.Count(); ++pos) {
    w.BeginObject();
    for (const FieldDef& f : t.fields()) {
      w.Key(f.name);
      const Value& v = t.GetAt(pos, f.name);
      const auto* text = std::get_if<std::string>(&v);
      if (std::holds_alternative<std::monostate>(v) || (text && text->empty())) {
        w.Null();
      } else if (f.type == FieldType::Boolean) {
        w.Bool(Truth(v));
      } else if (auto* i = std::get_if<std::int64_t>(&v)) {
        w.Integer(*i);
      } else if (auto* d = std::get_if<double>(&v)) {
        Real(w, *d);
      } else {
        w.String(std::get<std::string>(v));
      }
    }
    w.EndObject();
  }
  w.EndArray();
}

void WriteShapesJson(JsonWriter& w, const std::vector<ShapeRecord>& shapes) {
  w.BeginArray();
  for (const ShapeRecord& s : shapes) {
    w.BeginObject();
    w.Key("W").Number(s.W);
    w.Key("H").Number(s.H);
    w.Key("X1").Number(s.X1);
    w.Key("Y1").Number(s.Y1);
    w.Key("X2").Number(s.X2);
    w.Key("Y2").Number(s.Y2);
    w.Key("CX").Number(s.CX);
    w.Key("CY").Number(s.CY);
    w.Key("Radius").Number(s.Radius);
    w.Key("Kind");
    if (s.Kind == 0) w.Null();
    else w.String(Cp1251ToUtf8(std::string(1, s.Kind)));
    w.Key("Id").Integer(s.Id);
    w.EndObject();
  }
  w.EndArray();
}

void WriteProgramFolderJson(std::ostream& out, const JobTables& tables, const std::vector<ShapeRecord>& shapes,
                            const std::vector<std::string>& status) {
  JsonWriter w(out);
  w.BeginObject();
  w.Key("options");
  WriteOptionsJson(w, tables.options);
  w.Key("materials").BeginArray();
  for (const std::string& name : tables.materials.Names()) w.String(name);
  w.EndArray();
  w.Key("tables").BeginObject();
  const std::pair<const char*, const Table*> list[] = {{"rxOM", &tables.rxOM}, {"rxT", &tables.rxT},
                                                       {"rxN", &tables.rxN},   {"rxMat", &tables.rxMat},
                                                       {"rxM", &tables.rxM},   {"rxD", &tables.rxD}};
  for (const auto& [name, table] : list) {
    w.Key(name);
    WriteTableJson(w, *table);
  }
  w.EndObject();
  w.Key("shapes");
  WriteShapesJson(w, shapes);
  w.Key("status").BeginArray();
  for (const std::string& s : status) w.String(s);
  w.EndArray();
  w.EndObject();
}

}  // namespace kelvara
