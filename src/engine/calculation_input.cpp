#include "engine/calculation_input.h"

#include <exception>
#include <string>
#include <variant>
#include <vector>

#include "engine/input_records.h"

namespace kelvara {

namespace {

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
    r.Num = static_cast<int>(t.IntAt(i, "Num"));
    r.X = t.FloatAt(i, "X");
    r.Y = t.FloatAt(i, "Y");
    r.Q = t.IntAt(i, "Q");
    r.TL = t.FloatAt(i, "TL");
    r.TT = t.FloatAt(i, "TT");
    r.TR = t.FloatAt(i, "TR");
    r.TB = t.FloatAt(i, "TB");
    r.NC = t.IntAt(i, "NC");
    r.PRT = t.IntAt(i, "PRT");
    r.Pr = t.TextAt(i, "Pr");
    r.Note = t.TextAt(i, "Note");
    rows.push_back(std::move(r));
  }
  return rows;
}

std::vector<PartRow> ReadParts(const Table& t) {
  std::vector<PartRow> rows;
  rows.reserve(t.Count());
  for (int i = 0; i < t.Count(); ++i) {
    PartRow r;
    r.Num = static_cast<int>(t.IntAt(i, "Num"));
    r.X = t.FloatAt(i, "X");
    r.Y = t.FloatAt(i, "Y");
    r.Q1 = t.IntAt(i, "Q1");
    r.Rotation = t.IntAt(i, "Rotation");
    r.NameE = t.TextAt(i, "NameE");
    r.EL = t.IntAt(i, "EL") != 0;
    r.ET = t.IntAt(i, "ET") != 0;
    r.ER = t.IntAt(i, "ER") != 0;
    r.EB = t.IntAt(i, "EB") != 0;
    r.NameEL = t.TextAt(i, "NameEL");
    r.NameET = t.TextAt(i, "NameET");
    r.NameER = t.TextAt(i, "NameER");
    r.NameEB = t.TextAt(i, "NameEB");
    r.PD = t.TextAt(i, "PD");
    r.Note = t.TextAt(i, "Note");
    r.NoteG = t.TextAt(i, "NoteG");
    r.Fold = t.IntAt(i, "Fold");
    r.SetZ = t.IntAt(i, "SetZ") != 0;
    r.Zakaz = t.TextAt(i, "Zakaz");
    r.Dist1 = t.TextAt(i, "Dist1");
    r.NC = t.IntAt(i, "NC");
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
  for (int i = 0; i < tables.rxOM.Count(); ++i) kw.push_back(tables.rxOM.FloatAt(i, "KW"));
  model.MaterialKW = MaterialSawWidths(options.CommonSawWidth, kw);
  job->Settings.MaterialKW = model.MaterialKW;
  return job;
}

}  // namespace kelvara
