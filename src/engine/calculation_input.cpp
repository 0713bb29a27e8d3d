#include "engine/calculation_input.h"

#include <exception>
#include <string>
#include <variant>
#include <vector>

#include "engine/input_records.h"

namespace kelvara {

namespace {

double NumberOf(const Value& v) {
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  return 0;
}

long long IntegerOf(const Value& v) {
  if (const auto* i = std::get_if<std::int64_t>(&v)) return *i;
  if (const auto* d = std::get_if<double>(&v)) return static_cast<long long>(*d);
  return 0;
}

std::string TextOf(const Value& v) { return Table::ValueText(v); }

// Keeps both grids' updates suspended for the lifetime of the guard.
class GridsSuspended {
 public:
  GridsSuspended(Table& a, Table& b) : a_(a), b_(b) {
    a_.First();
    b_.First();
    a_.DisableControls();
    b_.DisableControls();
  }
  ~GridsSuspended() {
    a_.EnableControls();
    b_.EnableControls();
  }
  GridsSuspended(const GridsSuspended&) = delete;
  GridsSuspended& operator=(const GridsSuspended&) = delete;

 private:
  Table& a_;
  Table& b_;
};

std::vector<SheetRow> ReadSheets(const Table& t) {
  std::vector<SheetRow> rows;
  rows.reserve(t.Count());
  for (int i = 0; i < t.Count(); ++i) {
    SheetRow r;
    r.Num = static_cast<int>(IntegerOf(t.GetAt(i, "Num")));
    r.X = NumberOf(t.GetAt(i, "X"));
    r.Y = NumberOf(t.GetAt(i, "Y"));
    r.Q = IntegerOf(t.GetAt(i, "Q"));
    r.TL = NumberOf(t.GetAt(i, "TL"));
    r.TT = NumberOf(t.GetAt(i, "TT"));
    r.TR = NumberOf(t.GetAt(i, "TR"));
    r.TB = NumberOf(t.GetAt(i, "TB"));
    r.NC = IntegerOf(t.GetAt(i, "NC"));
    r.PRT = IntegerOf(t.GetAt(i, "PRT"));
    r.Pr = TextOf(t.GetAt(i, "Pr"));
    r.Note = TextOf(t.GetAt(i, "Note"));
    rows.push_back(std::move(r));
  }
  return rows;
}

std::vector<PartRow> ReadParts(const Table& t) {
  std::vector<PartRow> rows;
  rows.reserve(t.Count());
  for (int i = 0; i < t.Count(); ++i) {
    PartRow r;
    r.Num = static_cast<int>(IntegerOf(t.GetAt(i, "Num")));
    r.X = NumberOf(t.GetAt(i, "X"));
    r.Y = NumberOf(t.GetAt(i, "Y"));
    r.Q1 = IntegerOf(t.GetAt(i, "Q1"));
    r.Rotation = IntegerOf(t.GetAt(i, "Rotation"));
    r.NameE = TextOf(t.GetAt(i, "NameE"));
    r.EL = IntegerOf(t.GetAt(i, "EL")) != 0;
    r.ET = IntegerOf(t.GetAt(i, "ET")) != 0;
    r.ER = IntegerOf(t.GetAt(i, "ER")) != 0;
    r.EB = IntegerOf(t.GetAt(i, "EB")) != 0;
    r.NameEL = TextOf(t.GetAt(i, "NameEL"));
    r.NameET = TextOf(t.GetAt(i, "NameET"));
    r.NameER = TextOf(t.GetAt(i, "NameER"));
    r.NameEB = TextOf(t.GetAt(i, "NameEB"));
    r.PD = TextOf(t.GetAt(i, "PD"));
    r.Note = TextOf(t.GetAt(i, "Note"));
    r.NoteG = TextOf(t.GetAt(i, "NoteG"));
    r.Fold = IntegerOf(t.GetAt(i, "Fold"));
    r.SetZ = IntegerOf(t.GetAt(i, "SetZ")) != 0;
    r.Zakaz = TextOf(t.GetAt(i, "Zakaz"));
    r.Dist1 = TextOf(t.GetAt(i, "Dist1"));
    r.NC = IntegerOf(t.GetAt(i, "NC"));
    rows.push_back(std::move(r));
  }
  return rows;
}

// Working quantity Q1 := Q on every part row, each row edited and posted.
void CopyWorkingQuantities(Table& parts) {
  for (int i = 0; i < parts.Count(); ++i) {
    parts.MoveTo(i);
    const Value q = parts.Get("Q");
    parts.Set("Q1", q);
    parts.Post();
  }
}

}  // namespace

std::unique_ptr<CalculationJob> RunCalculation(JobTables& tables, LayoutModel& model, std::optional<std::uint32_t> seed) {
  if (model.CalculationRunning) return nullptr;
  const Options& options = tables.options;
  auto job = std::make_unique<CalculationJob>();
  job->Settings.MinimalOffcut = options.MinimalOffcut;
  job->Settings.CalcLevel = options.CalcLevel;
  job->Settings.FirstCutDirection = options.FirstCutDirection;
  job->Random = RandomSource(seed ? *seed : RandomSource::ClockSeed());

  const int materialCount = tables.MaterialCount();
  std::vector<SheetRow> sheetRows;
  std::vector<PartRow> partRows;
  InputCounts counts;
  try {
    GridsSuspended suspended(tables.rxM, tables.rxD);
    if (!tables.ValidateSheets() || !tables.ValidateParts()) return nullptr;
    model.RecordedSawWidth = options.CommonSawWidth;
    tables.Renumber(tables.rxM);
    tables.Renumber(tables.rxD);
    CopyWorkingQuantities(tables.rxD);
    sheetRows = ReadSheets(tables.rxM);
    partRows = ReadParts(tables.rxD);
    const std::uint8_t jointStart = job->Random.Below(2) == 0 ? 1 : 0;
    counts = BuildInputSlot(sheetRows, partRows, materialCount, options.IndentValue, jointStart, *job->Slot);
    tables.rxM.First();
    tables.rxD.First();
  } catch (const std::exception&) {
    return nullptr;  // abandoned silently; the guard has resumed the grids
  }

  model.MaterialCount = materialCount;
  model.SheetCounts = counts.SheetCounts;
  model.DetailCounts = counts.DetailCounts;
  model.TotalSheets = counts.TotalSheets;

  if (!AnyMaterialActive(*job->Slot)) {
    tables.ui.ShowStatus(tables.messages.Msg(kMsgMaterialsDoNotCorrespond), kIconError, 20);
    // The rebuilt arrays go into WriteSlot unless that slot is the one on view.
    if (model.WriteSlot != model.ViewSlot) model.SwapIn(model.WriteSlot, job->Slot);
    return nullptr;
  }

  std::vector<double> kw;
  kw.reserve(tables.rxOM.Count());
  for (int i = 0; i < tables.rxOM.Count(); ++i) kw.push_back(NumberOf(tables.rxOM.GetAt(i, "KW")));
  model.MaterialKW = MaterialSawWidths(options.CommonSawWidth, kw);
  job->Settings.MaterialKW = model.MaterialKW;
  return job;
}

}  // namespace kelvara
