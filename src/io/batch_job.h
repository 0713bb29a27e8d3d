#pragma once
// Jobs run without the window: a job built from input files, calculated to completion and
// summed up per material, and the benchmark runner over a folder of ".tc3" jobs.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/layout_model.h"
#include "model/job_tables.h"
#include "model/options.h"
#include "model/shape_record.h"

namespace kelvara {

// Options given on the command line over those of the program folder.
struct CalcOverrides {
  std::optional<int> CalcLevel;          // 0..2
  std::optional<int> FirstCutDirection;  // 0..2
  std::optional<float> CommonSawWidth;
  std::optional<float> MinimalOffcut;
  std::optional<float> IndentValue;
  std::optional<int> PartsLocation;  // 0 top-down, 1 bottom-up
};
void ApplyCalcOverrides(Options& options, const CalcOverrides& overrides);

enum class InputKind { Project, Text, PreviousGeneration, Unknown };
// By the extension, in any letter case: ".spc", ".tc3", ".kelvara2".
InputKind InputKindOf(const std::string& path);

// Appends the job of every input in order: a project by AddProject, a text file by the text
// import, a previous-generation project by its import. Stops at the first that fails; `error`
// then holds its message.
bool AddJobInputs(const std::vector<std::string>& inputs, JobTables& tables, std::vector<ShapeRecord>& shapeList,
                  std::string& error);

// One active material of a result.
struct MaterialSummary {
  int material = 0;
  std::string name;
  int sheetsOffered = 0;  // sheet copies
  int sheetsCut = 0;      // Copies of the sheets laid out
  int partsPlaced = 0;
  int partsTotal = 0;
  double wasteArea = 0;   // free area of the sheets cut, each as often as it is cut
};
std::vector<MaterialSummary> SummarizeSlot(const LayoutSlot& slot, const JobTables* tables = nullptr);

struct CalcOutcome {
  bool ok = false;  // false: the input check failed and showed its message through tables.ui
  std::vector<MaterialSummary> materials;
  double seconds = 0;
  bool ranToEnd = false;
  int viewSlot = -1;
};

// RunCalculation on the tables, then the calculation thread to completion; the result becomes
// the model's viewed slot (mirrored when the options ask for bottom-up placement).
CalcOutcome CalculateTables(JobTables& tables, LayoutModel& model, std::optional<std::uint32_t> seed);

void WriteCalcSummaryText(std::ostream& out, const CalcOutcome& outcome);
// {"materials": [{"material", "sheets_offered", "sheets_cut", "parts_placed", "parts_total",
// "waste_area"}], "seconds"}
void WriteCalcSummaryJson(std::ostream& out, const CalcOutcome& outcome);

// ---- benchmark ----

struct BenchOptions {
  int CalcLevel = 1;
  int FirstCutDirection = 0;
  bool oriented = false;  // rotation rule 0 for every part instead of 1
  std::optional<std::uint32_t> seed;
};

struct BenchFile {
  std::string file;  // name without folder
  bool ok = false;
  std::string error;
  int sheetsCut = 0;
  int partsPlaced = 0;
  int partsTotal = 0;
  double seconds = 0;
};

struct BenchClass {
  long sheets = 0;
  long bestKnown = 0;
  double ratio = 0;
};

struct BenchReport {
  std::vector<BenchFile> files;
  long totalSheets = 0;
  double seconds = 0;
  bool hasIndex = false;
  long bestKnownTotal = 0;  // over the files the index knows
  double ratio = 0;
  std::map<std::string, BenchClass> classes;
};

// The class of a job file: its name up to its second "_" ("Class_01_100_1.tc3" -> "Class_01").
std::string BenchClassOf(const std::string& fileName);
// file -> best known number of sheets from index.csv (column best_known_rotation, or
// best_known_oriented); empty when the file is absent or has no such columns.
std::map<std::string, long> ReadBestKnown(const std::string& indexPath, bool oriented);

// One job with the default options, no program folder: the built-in material list, every part
// with the rotation rule of the options.
BenchFile RunBenchFile(const std::string& path, const BenchOptions& options);
// Every ".tc3" of the folder in name order; `onFile` sees each result as it comes.
BenchReport RunBench(const std::string& folder, const BenchOptions& options,
                     const std::function<void(const BenchFile&)>& onFile = {});

void WriteBenchFileText(std::ostream& out, const BenchFile& f);
void WriteBenchTotalsText(std::ostream& out, const BenchReport& report);
// {"files": [{"file", "sheets_cut", "parts_placed", "parts_total", "seconds"}], "total_sheets",
// "seconds", and with an index "best_known_total", "ratio", "classes": {class: {"sheets",
// "best_known", "ratio"}}}
void WriteBenchJson(std::ostream& out, const BenchReport& report);

}  // namespace kelvara
