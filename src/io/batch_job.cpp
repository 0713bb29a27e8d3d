#include "io/batch_job.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "core/json_writer.h"
#include "core/number_text.h"
#include "engine/calc_thread.h"
#include "engine/calculation_input.h"
#include "io/previous_generation_import.h"
#include "io/project_file.h"
#include "io/text_import.h"
#include "model/messages.h"

namespace kelvara {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Keeps the status texts the model shows; the last error is what a failed step reports.
struct QuietUi : ModelUi {
  std::string lastError;
  void ShowStatus(const std::string& text, int icon, int) override {
    if (icon == kIconError) lastError = text;
  }
  void Error(const std::string& text) override { lastError = text; }
};

std::vector<std::string> SplitCsvLine(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  for (char c : line) {
    if (c == ',') {
      cells.push_back(Trim(cell));
      cell.clear();
    } else if (c != '\r' && c != '"') {
      cell += c;
    }
  }
  cells.push_back(Trim(cell));
  return cells;
}

double Ratio(long ours, long best) { return best > 0 ? static_cast<double>(ours) / static_cast<double>(best) : 0; }

}  // namespace

void ApplyCalcOverrides(Options& o, const CalcOverrides& c) {
  if (c.CalcLevel) o.CalcLevel = static_cast<std::uint8_t>(*c.CalcLevel);
  if (c.FirstCutDirection) o.FirstCutDirection = static_cast<std::uint8_t>(*c.FirstCutDirection);
  if (c.CommonSawWidth) o.CommonSawWidth = *c.CommonSawWidth;
  if (c.MinimalOffcut) o.MinimalOffcut = *c.MinimalOffcut;
  if (c.IndentValue) o.IndentValue = *c.IndentValue;
  if (c.PartsLocation) o.PartsLocation = static_cast<std::uint8_t>(*c.PartsLocation);
}

InputKind InputKindOf(const std::string& path) {
  const std::string p = Lower(path);
  if (EndsWith(p, ".spc")) return InputKind::Project;
  if (EndsWith(p, ".tc3")) return InputKind::Text;
  if (EndsWith(p, ".kelvara2")) return InputKind::PreviousGeneration;
  return InputKind::Unknown;
}

bool AddJobInputs(const std::vector<std::string>& inputs, JobTables& tables, std::vector<ShapeRecord>& shapeList,
                  std::string& error) {
  for (const std::string& input : inputs) {
    ImportResult r;
    switch (InputKindOf(input)) {
      case InputKind::Project: r = AddProject(input, tables, shapeList); break;
      case InputKind::Text: r = ImportTextFile(input, tables); break;
      case InputKind::PreviousGeneration: r = ImportPreviousGenerationFile(input, tables); break;
      case InputKind::Unknown: r.error = "not a job file (.spc, .tc3, .kelvara2): \"" + input + "\""; break;
    }
    if (!r.ok) {
      error = r.error.empty() ? "cannot read \"" + input + "\"" : r.error;
      return false;
    }
  }
  return true;
}

std::vector<MaterialSummary> SummarizeSlot(const LayoutSlot& slot, const JobTables* tables) {
  std::vector<MaterialSummary> out;
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    if (!slot.Active(m)) continue;
    MaterialSummary s;
    s.material = m;
    if (tables) s.name = tables->MaterialName(m);
    const auto& sheets = slot.LayoutSheets[m];
    s.sheetsOffered = static_cast<int>(sheets.size());
    for (const List& sheet : sheets) {
      if (sheet.PlacedCount == 0) continue;
      s.sheetsCut += sheet.Copies;
      s.wasteArea += static_cast<double>(sheet.FreeArea) * sheet.Copies;
    }
    const auto& parts = m < static_cast<int>(slot.LayoutDetails.size()) ? slot.LayoutDetails[m] : std::vector<Detail>{};
    s.partsTotal = static_cast<int>(parts.size());
    for (const Detail& d : parts) s.partsPlaced += d.Placed ? 1 : 0;
    out.push_back(std::move(s));
  }
  return out;
}

CalcOutcome CalculateTables(JobTables& tables, LayoutModel& model, std::optional<std::uint32_t> seed) {
  CalcOutcome outcome;
  const auto start = std::chrono::steady_clock::now();
  std::unique_ptr<CalculationJob> job = RunCalculation(tables, model, seed);
  if (!job) return outcome;
  MyThread thread(model, std::move(job));
  thread.Start();
  thread.WaitFor();
  outcome.viewSlot = thread.Complete(tables.options.PartsLocation == 1);
  outcome.ranToEnd = thread.RanToEnd();
  outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  outcome.ok = outcome.viewSlot >= 0;
  if (outcome.ok) outcome.materials = SummarizeSlot(model.Slot(outcome.viewSlot), &tables);
  return outcome;
}

void WriteCalcSummaryText(std::ostream& out, const CalcOutcome& o) {
  for (const MaterialSummary& s : o.materials) {
    out << "material " << s.material;
    if (!s.name.empty()) out << " \"" << s.name << "\"";
    out << ": sheets offered " << s.sheetsOffered << ", sheets cut " << s.sheetsCut << ", parts placed "
        << s.partsPlaced << "/" << s.partsTotal << ", waste area " << FormatRounded(s.wasteArea, 3) << "\n";
  }
  out << "time " << FormatFixed(o.seconds, 3) << " s\n";
}

void WriteCalcSummaryJson(std::ostream& out, const CalcOutcome& o) {
  JsonWriter w(out);
  w.BeginObject().Key("materials").BeginArray();
  for (const MaterialSummary& s : o.materials) {
    w.BeginObject();
    w.Key("material").Integer(s.material);
    w.Key("sheets_offered").Integer(s.sheetsOffered);
    w.Key("sheets_cut").Integer(s.sheetsCut);
    w.Key("parts_placed").Integer(s.partsPlaced);
    w.Key("parts_total").Integer(s.partsTotal);
    w.Key("waste_area").Number(s.wasteArea);
    w.EndObject();
  }
  w.EndArray().Key("seconds").Number(o.seconds).EndObject();
}

// ---- benchmark ----

std::string BenchClassOf(const std::string& fileName) {
  const std::size_t first = fileName.find('_');
  if (first == std::string::npos) return fileName;
  const std::size_t second = fileName.find('_', first + 1);
  return second == std::string::npos ? fileName : fileName.substr(0, second);
}

std::map<std::string, long> ReadBestKnown(const std::string& indexPath, bool oriented) {
  std::map<std::string, long> best;
  std::ifstream in(indexPath);
  std::string line;
  if (!in || !std::getline(in, line)) return best;
  const auto header = SplitCsvLine(line);
  const std::string wanted = oriented ? "best_known_oriented" : "best_known_rotation";
  const auto fileCol = std::find(header.begin(), header.end(), "file") - header.begin();
  const auto bestCol = std::find(header.begin(), header.end(), wanted) - header.begin();
  if (fileCol >= static_cast<long>(header.size()) || bestCol >= static_cast<long>(header.size())) return best;
  while (std::getline(in, line)) {
    const auto cells = SplitCsvLine(line);
    if (static_cast<long>(cells.size()) <= std::max(fileCol, bestCol)) continue;
    const auto v = ParseInteger(cells[bestCol]);
    if (v && !cells[fileCol].empty()) best[cells[fileCol]] = static_cast<long>(*v);
  }
  return best;
}

BenchFile RunBenchFile(const std::string& path, const BenchOptions& bo) {
  BenchFile f;
  f.file = std::filesystem::path(path).filename().string();
  Options options;  // the defaults: no saw width, no minimal offcut
  options.CalcLevel = static_cast<std::uint8_t>(bo.CalcLevel);
  options.FirstCutDirection = static_cast<std::uint8_t>(bo.FirstCutDirection);
  MessageTable messages;
  QuietUi ui;
  JobTables tables(options, messages, ui);
  tables.ResetMaterialNames();
  const ImportResult imported = ImportTextFile(path, tables);
  if (!imported.ok) {
    f.error = imported.error;
    return f;
  }
  const std::int64_t rotation = bo.oriented ? 0 : 1;
  for (int i = 0; i < tables.rxD.Count(); ++i) tables.rxD.SetAt(i, "Rotation", rotation);
  LayoutModel model;
  const CalcOutcome o = CalculateTables(tables, model, bo.seed);
  if (!o.ok) {
    f.error = ui.lastError;
    return f;
  }
  f.ok = true;
  f.seconds = o.seconds;
  for (const MaterialSummary& s : o.materials) {
    f.sheetsCut += s.sheetsCut;
    f.partsPlaced += s.partsPlaced;
    f.partsTotal += s.partsTotal;
  }
  return f;
}

BenchReport RunBench(const std::string& folder, const BenchOptions& options,
                     const std::function<void(const BenchFile&)>& onFile) {
  namespace fs = std::filesystem;
  BenchReport report;
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    const std::string name = e.path().filename().string();
    if (e.is_regular_file() && InputKindOf(name) == InputKind::Text) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  const fs::path index = fs::path(folder) / "index.csv";
  report.hasIndex = fs::exists(index, ec);
  const auto best = report.hasIndex ? ReadBestKnown(index.string(), options.oriented) : std::map<std::string, long>{};
  for (const std::string& name : names) {
    BenchFile f = RunBenchFile((fs::path(folder) / name).string(), options);
    report.totalSheets += f.sheetsCut;
    report.seconds += f.seconds;
    const auto known = best.find(name);
    if (known != best.end()) {
      report.bestKnownTotal += known->second;
      BenchClass& c = report.classes[BenchClassOf(name)];
      c.sheets += f.sheetsCut;
      c.bestKnown += known->second;
    }
    if (onFile) onFile(f);
    report.files.push_back(std::move(f));
  }
  if (report.hasIndex) {
    long oursKnown = 0;
    for (auto& [name, c] : report.classes) {
      c.ratio = Ratio(c.sheets, c.bestKnown);
      oursKnown += c.sheets;
    }
    report.ratio = Ratio(oursKnown, report.bestKnownTotal);
  }
  return report;
}

void WriteBenchFileText(std::ostream& out, const BenchFile& f) {
  out << f.file;
  if (!f.ok) {
    out << "  failed: " << f.error << "\n";
    return;
  }
  out << "  sheets " << f.sheetsCut << "  parts " << f.partsPlaced << "/" << f.partsTotal << "  "
      << FormatFixed(f.seconds, 3) << " s\n";
}

void WriteBenchTotalsText(std::ostream& out, const BenchReport& r) {
  out << "total: " << r.files.size() << " files, sheets " << r.totalSheets << ", " << FormatFixed(r.seconds, 3)
      << " s\n";
  if (!r.hasIndex) return;
  for (const auto& [name, c] : r.classes)
    out << name << ": sheets " << c.sheets << ", best known " << c.bestKnown << ", ratio " << FormatFixed(c.ratio, 4)
        << "\n";
  out << "overall: sheets " << r.totalSheets << ", best known " << r.bestKnownTotal << ", ratio "
      << FormatFixed(r.ratio, 4) << "\n";
}

void WriteBenchJson(std::ostream& out, const BenchReport& r) {
  JsonWriter w(out);
  w.BeginObject().Key("files").BeginArray();
  for (const BenchFile& f : r.files) {
    w.BeginObject();
    w.Key("file").String(f.file);
    w.Key("sheets_cut").Integer(f.sheetsCut);
    w.Key("parts_placed").Integer(f.partsPlaced);
    w.Key("parts_total").Integer(f.partsTotal);
    w.Key("seconds").Number(f.seconds);
    if (!f.ok) w.Key("error").String(f.error);
    w.EndObject();
  }
  w.EndArray();
  w.Key("total_sheets").Integer(r.totalSheets);
  w.Key("seconds").Number(r.seconds);
  if (r.hasIndex) {
    w.Key("best_known_total").Integer(r.bestKnownTotal);
    w.Key("ratio").Number(r.ratio);
    w.Key("classes").BeginObject();
    for (const auto& [name, c] : r.classes) {
      w.Key(name).BeginObject();
      w.Key("sheets").Integer(c.sheets).Key("best_known").Integer(c.bestKnown).Key("ratio").Number(c.ratio);
      w.EndObject();
    }
    w.EndObject();
  }
  w.EndObject();
}

}  // namespace kelvara
