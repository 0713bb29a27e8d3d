#include "model/job_tables.h"

#include <filesystem>

#include "core/number_text.h"
#include "core/rounding.h"

namespace kelvara {
namespace {

using F = FieldType;

std::vector<FieldDef> SheetFields() {
  return {{"Num", F::Integer}, {"NC", F::Integer},  {"Name", F::String, 50}, {"X", F::Float},
          {"Y", F::Float},     {"Q", F::Integer},   {"PRT", F::Integer},     {"Note", F::String, 50},
          {"PT", F::Integer},  {"TL", F::Float},    {"TT", F::Float},        {"TR", F::Float},
          {"TB", F::Float},    {"KW", F::Float},    {"Pr", F::String, 20}};
}

std::vector<FieldDef> PartFields() {
  return {{"NC", F::Integer},       {"Q", F::Integer},        {"X", F::Float},
          {"Y", F::Float},          {"Num", F::Integer},      {"Rotation", F::Integer},
          {"NameE", F::String, 50}, {"EL", F::Boolean},       {"ET", F::Boolean},
          {"ER", F::Boolean},       {"EB", F::Boolean},       {"Name", F::String, 50},
          {"PD", F::String, 1},     {"Note", F::String, 50},  {"Fold", F::Integer},
          {"NF", F::String, 50},    {"SetZ", F::Boolean},     {"Zakaz", F::String, 50},
          {"DateO", F::Date},       {"Q1", F::Integer},       {"NoteG", F::String, 30},
          {"NameEL", F::String, 50}, {"NameET", F::String, 50}, {"NameER", F::String, 50},
          {"NameEB", F::String, 50}, {"Dist1", F::String, 100}, {"Dist2", F::String, 100}};
}

bool BothEmpty(const Table& t) { return t.IsNull("X") && t.IsNull("Y"); }

}  // namespace

JobTables::JobTables(Options& opt, const MessageTable& msg, ModelUi& u)
    : rxM("rxM", SheetFields()),
      rxD("rxD", PartFields()),
      rxOM("rxOM", {{"NC", F::Integer}, {"Mat", F::String, 50}, {"KW", F::Float}}),
      rxT("rxT", {{"NC", F::Integer}, {"NameE", F::String, 50}}),
      rxN("rxN", {{"NC", F::Integer}, {"NameN", F::String, 50}}),
      RxDist("RxDist", {{"NC", F::Integer}, {"NDist", F::String, 100}, {"PD", F::Money}, {"PU", F::Money}}),
      rxMat("rxMat", {{"X", F::Float}, {"Y", F::Float}, {"Q", F::Integer}, {"QM", F::Integer},
                      {"N", F::String, 50}, {"NC", F::Integer}, {"Num", F::Integer}}),
      rxSR("rxSR", {{"NC", F::Integer}, {"X", F::Float}, {"Y", F::Float}, {"Q", F::Integer},
                    {"Num", F::Integer}, {"Note", F::String, 100}, {"Name", F::String, 50}}),
      options(opt),
      messages(msg),
      ui(u) {
  InstallRules();
}

int JobTables::CurrentMaterial() const {
  const int n = MaterialCount();
  const int c = options.CurrentMaterial;
  return (c < 0 || c >= n) ? 0 : c;
}

std::string JobTables::MaterialName(int num) const {
  return (num >= 0 && num < MaterialCount()) ? materials.Name(num) : std::string();
}

int JobTables::MaterialIndex(const std::string& name) const { return materials.IndexOf(name); }

void JobTables::Renumber(Table& t) {
  const auto keep = t.GetBookmark();
  t.DisableControls();
  for (int i = 0; i < t.Count(); ++i) t.SetAt(i, "NC", static_cast<std::int64_t>(i + 1));
  t.EnableControls();
  if (keep) t.GotoBookmark(keep);
}

double JobTables::SawWidthOf(const std::string& material) const {
  if (!IsZero3(options.CommonSawWidth)) return options.CommonSawWidth;
  for (int i = 0; i < rxOM.Count(); ++i)
    if (rxOM.TextAt(i, "Mat") == material) return rxOM.FloatAt(i, "KW");
  return 0.0;
}

bool JobTables::Validate(Table& t, int emptyMsg, int badMsg, Grid grid) {
  ui.ShowStatus("", kIconNone, 0);
  auto fail = [&](int msg) {
    ui.SwitchToDataPage();
    ui.ShowStatus(messages.Msg(msg), kIconError, 20);
    ui.FocusGrid(grid);
    return false;
  };
  if (t.Empty()) return fail(emptyMsg);
  t.First();
  while (t.Count() > 0 && !t.Eof()) {
    const bool zeros = !t.IsNull("X") && !t.IsNull("Y") && t.AsFloat("X") == 0 && t.AsFloat("Y") == 0;
    if (BothEmpty(t) || zeros) {
      t.Delete();  // the next row becomes current
      if (t.Position() < 0 || t.Position() >= t.Count()) break;
      continue;
    }
    const bool ok = !t.IsNull("X") && !t.IsNull("Y") && !t.IsNull("Q") && t.AsFloat("X") > 0 && t.AsFloat("Y") > 0;
    if (!ok) return fail(badMsg);
    if (!t.Next()) break;
  }
  // Deleting the last rows may leave the table empty.
  if (t.Empty()) return fail(emptyMsg);
  return true;
}

bool JobTables::ValidateSheets() { return Validate(rxM, 94, 263, Grid::Sheets); }
bool JobTables::ValidateParts() { return Validate(rxD, 95, 96, Grid::Parts); }

std::vector<std::string> JobTables::BandNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < rxT.Count(); ++i) names.push_back(Table::ValueText(rxT.GetAt(i, "NameE")));
  return names;
}

std::vector<std::string> JobTables::SideBandItems() const {
  std::vector<std::string> items{"-"};
  for (auto& n : BandNames()) items.push_back(n);
  return items;
}

void JobTables::FilterStorehouse(bool on) {
  if (!on) {
    rxMat.ClearFilter();
    return;
  }
  const int m = storehouseMaterial;
  const int numField = rxMat.FieldIndex("Num");
  rxMat.SetFilter([m, numField](const Row& r) {
    const auto* v = std::get_if<std::int64_t>(&r.values[numField]);
    return v && *v == m;
  });
}

void JobTables::RenumberStorehouse() { Renumber(rxMat); }

KeyFilter JobTables::FilterFor(const Table& t, std::string_view f) const {
  auto in = [&](std::initializer_list<std::string_view> names) {
    for (auto n : names)
      if (n == f) return true;
    return false;
  };
  if (&t == &rxM && in({"X", "Y", "Q", "PRT"})) return KeyFilter::RefuseMinus;
  if (&t == &rxD) {
    if (in({"X", "Y"}) && t.AsString("PD") == "A") return KeyFilter::RefuseAll;
    if (in({"Q", "X", "Y"})) return KeyFilter::RefuseMinus;
    if (f == "Rotation") return KeyFilter::OnlyDigits012;
    if (f == "NameE") return KeyFilter::RefuseAll;
  }
  if (&t == &rxOM && f == "KW") return KeyFilter::RefuseMinus;
  if (&t == &RxDist && in({"PD", "PU"})) return KeyFilter::RefuseMinus;
  if (&t == &rxMat && in({"X", "Y", "Q", "QM"})) return KeyFilter::RefuseMinus;
  return KeyFilter::None;
}

bool JobTables::KeyAllowed(KeyFilter f, char32_t ch) {
  switch (f) {
    case KeyFilter::None: return true;
    case KeyFilter::RefuseMinus: return ch != U'-';
    case KeyFilter::OnlyDigits012: return ch == U'0' || ch == U'1' || ch == U'2';
    case KeyFilter::RefuseAll: return false;
  }
  return true;
}

void JobTables::ResetMaterialNames() {
  rxOM.Clear();
  for (int i = 0; i < MaterialCount(); ++i) {
    rxOM.Append();
    rxOM.Set("NC", static_cast<std::int64_t>(i + 1));
    rxOM.Set("Mat", materials.Name(i));
    rxOM.Set("KW", 0.0);
    rxOM.Post();
  }
}

void JobTables::InstallRules() {
  auto positionNC = [](Table& t) { t.Set("NC", static_cast<std::int64_t>(t.Count() == 0 ? 1 : t.Position() + 1)); };
  auto postInstead = [](Table&) { return true; };

  rxM.onNewRecord = [this, positionNC](Table& t) {
    positionNC(t);
    const int m = CurrentMaterial();
    t.Set("Q", std::int64_t{1});
    t.Set("Num", static_cast<std::int64_t>(m));
    for (auto f : {"TL", "TT", "TR", "TB"}) t.Set(f, 0.0);
    t.Set("PRT", std::int64_t{0});
    t.Set("Pr", std::string("L"));
    const std::string name = MaterialName(m);
    t.Set("Name", name);
    t.Set("KW", SawWidthOf(name));
  };
  rxM.onCancel = postInstead;

  rxD.onNewRecord = [this, positionNC](Table& t) {
    positionNC(t);
    const int m = CurrentMaterial();
    t.Set("Q", std::int64_t{1});
    t.Set("Rotation", static_cast<std::int64_t>(LastRotation));
    t.Set("Num", static_cast<std::int64_t>(m));
    if (options.OrderNoOn) t.Set("Zakaz", LastOrderNo);
    t.Set("Name", MaterialName(m));
    t.Set("SetZ", std::int64_t{0});
    t.Set("PD", std::string("D"));
  };
  rxD.onCancel = postInstead;
  rxD.beforePost = [](Table& t) {
    if (t.AsInt("Rotation") > 2) t.Set("Rotation", std::int64_t{2});
  };
  rxD.afterPost = [this](Table& t) {
    LastRotation = static_cast<int>(t.AsInt("Rotation"));
    if (options.OrderNoOn) LastOrderNo = t.AsString("Zakaz");
  };

  rxOM.beforeInsert = [this](Table& t) { return t.Count() < MaterialCount(); };
  rxOM.beforeEdit = [this](Table& t) { OldMaterialName = t.AsString("Mat"); };
  rxOM.afterPost = [this](Table&) { PostMaterialName(); };

  for (Table* t : {&rxT, &rxN, &rxSR}) t->onNewRecord = positionNC;
  RxDist.onNewRecord = [positionNC](Table& t) {
    positionNC(t);
    t.Set("PD", 0.0);
    t.Set("PU", 0.0);
  };

  rxT.beforeEdit = [this](Table& t) { OldBandName = t.AsString("NameE"); };
  rxT.beforePost = [this](Table& t) { bandRowAppended_ = t.state() == TableState::Insert; };
  rxT.afterPost = [this](Table&) { PostBandName(bandRowAppended_); };

  rxMat.beforeInsert = [this](Table&) {
    if (storehouseMaterial < 0) return false;
    RenumberStorehouse();
    return true;
  };
  rxMat.onNewRecord = [this](Table& t) {
    t.Set("NC", static_cast<std::int64_t>(t.Count()));
    t.Set("Q", std::int64_t{1});
    t.Set("QM", std::int64_t{1});
    t.Set("Num", static_cast<std::int64_t>(storehouseMaterial));
  };
  rxMat.onFieldChanged = [](Table& t, int field) {
    if (t.Field(field).name == "Q") t.Set("QM", t.Get("Q"));
  };
  rxMat.beforePost = [](Table& t) {
    if (t.AsInt("Q") < t.AsInt("QM")) t.Set("QM", t.Get("Q"));
  };
}

void JobTables::PostMaterialName() {
  if (!materialBoxesFilled) return;
  namespace fs = std::filesystem;
  const int position = rxOM.Position() + 1;
  const int num = static_cast<int>(rxOM.AsInt("NC")) - 1;
  std::string newName = rxOM.AsString("Mat");
  const std::string oldName = OldMaterialName;

  if (position > MaterialList::kBuiltIn && Trim(oldName) != Trim(newName)) {
    const fs::path dir = fs::path(programFolder) / "Materials";
    std::error_code ec;
    if (fs::exists(dir / (newName + ".jpg"), ec)) {
      ui.Warning(messages.Msg(236) + "  \"" + (dir / (newName + ".jpg")).string() + "\"");
      newName += std::to_string(std::uniform_int_distribution<int>(0, 998)(random));
      rxOM.SetAt(rxOM.Position(), "Mat", newName);
      newName = rxOM.AsString("Mat");  // as the field's capacity keeps it
    }
    const fs::path from = dir / (oldName + ".jpg");
    const fs::path to = dir / (newName + ".jpg");
    fs::rename(from, to, ec);  // a missing file is no error for the user
    if (!ec && num >= 0 && num < MaterialCount()) materials.SetPictureFile(num, newName + ".jpg");
    ui.Information("\"" + from.string() + "\" -> \"" + to.string() + "\"");
  }

  const int boxItem = materials.IndexOf(oldName);
  if (boxItem >= 0) materials.SetName(boxItem, newName);
  ui.MaterialRenamed(num, oldName, newName);

  const double kw = IsZero3(options.CommonSawWidth) ? rxOM.AsFloat("KW") : options.CommonSawWidth;
  const auto keepM = rxM.GetBookmark();
  const auto keepD = rxD.GetBookmark();
  for (int i = 0; i < rxM.Count(); ++i) {
    if (Table::ValueText(rxM.GetAt(i, "Name")) != oldName) continue;
    rxM.SetAt(i, "Name", newName);
    rxM.SetAt(i, "KW", kw);
  }
  for (int i = 0; i < rxD.Count(); ++i)
    if (Table::ValueText(rxD.GetAt(i, "Name")) == oldName) rxD.SetAt(i, "Name", newName);
  OldMaterialName = newName;
  if (keepM) rxM.GotoBookmark(keepM);
  if (keepD) rxD.GotoBookmark(keepD);
}

void JobTables::PostBandName(bool appended) {
  if (!appended) {
    const std::string newName = rxT.AsString("NameE");
    for (int i = 0; i < rxD.Count(); ++i)
      for (auto f : {"NameE", "NameEL", "NameET", "NameER", "NameEB"})
        if (Table::ValueText(rxD.GetAt(i, f)) == OldBandName) rxD.SetAt(i, f, newName);
  }
  ui.BandsChanged();
  rxD.First();
}

}  // namespace kelvara
