// "calc INPUT... -o OUT.sl3": builds a job from project, text and previous-generation files in
// the tables of a program folder, calculates it and saves the layout.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "cli/command_registry.h"
#include "core/number_text.h"
#include "engine/layout_model.h"
#include "io/batch_job.h"
#include "io/layout_file.h"
#include "model/data_files_session.h"
#include "model/settings_store.h"

namespace kelvara::cli {
namespace {

constexpr const char* kUsage =
    "calc INPUT... -o OUT.sl3 [--data-dir DIR] [--level 0|1|2] [--direction 0|1|2] [--saw-width K] "
    "[--min-offcut M] [--indent I] [--parts-location 0|1] [--seed N] [--json]";

struct CalcArgs {
  std::vector<std::string> inputs;
  std::string output;
  std::string dataDir;
  CalcOverrides overrides;
  std::optional<std::uint32_t> seed;
  bool json = false;
};

// The folder of this executable, or the one KELVARA3_HOME names.
std::string DefaultProgramFolder() {
  if (const char* home = std::getenv("KELVARA3_HOME"); home && *home) return home;
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

bool Fail(std::ostream& err, const std::string& what) {
  err << "kelvara3-cli calc: " << what << "\n";
  return false;
}

bool IntIn(const std::string& text, long long lo, long long hi, int& out) {
  const auto v = ParseInteger(text);
  if (!v || *v < lo || *v > hi) return false;
  out = static_cast<int>(*v);
  return true;
}

bool NonNegative(const std::string& text, float& out) {
  const auto v = ParseNumber(text);
  if (!v || *v < 0 || *v > 1e9) return false;
  out = static_cast<float>(*v);
  return true;
}

bool Parse(const Args& args, CalcArgs& a, std::ostream& err) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--json") {
      a.json = true;
      continue;
    }
    if (arg.rfind("-", 0) != 0) {
      a.inputs.push_back(arg);
      continue;
    }
    static const char* const kValued[] = {"-o", "--data-dir", "--level", "--direction", "--parts-location",
                                          "--saw-width", "--min-offcut", "--indent", "--seed"};
    if (std::find(std::begin(kValued), std::end(kValued), arg) == std::end(kValued))
      return Fail(err, "unknown argument '" + arg + "'");
    if (i + 1 >= args.size()) return Fail(err, arg + " needs a value");
    const std::string& v = args[++i];
    int n = 0;
    float f = 0;
    if (arg == "-o") {
      a.output = v;
    } else if (arg == "--data-dir") {
      a.dataDir = v;
    } else if (arg == "--level") {
      if (!IntIn(v, 0, 2, n)) return Fail(err, "--level takes 0, 1 or 2");
      a.overrides.CalcLevel = n;
    } else if (arg == "--direction") {
      if (!IntIn(v, 0, 2, n)) return Fail(err, "--direction takes 0, 1 or 2");
      a.overrides.FirstCutDirection = n;
    } else if (arg == "--parts-location") {
      if (!IntIn(v, 0, 1, n)) return Fail(err, "--parts-location takes 0 or 1");
      a.overrides.PartsLocation = n;
    } else if (arg == "--saw-width") {
      if (!NonNegative(v, f)) return Fail(err, "--saw-width takes a number of 0 or more");
      a.overrides.CommonSawWidth = f;
    } else if (arg == "--min-offcut") {
      if (!NonNegative(v, f)) return Fail(err, "--min-offcut takes a number of 0 or more");
      a.overrides.MinimalOffcut = f;
    } else if (arg == "--indent") {
      if (!NonNegative(v, f)) return Fail(err, "--indent takes a number of 0 or more");
      a.overrides.IndentValue = f;
    } else if (arg == "--seed") {
      const auto s = ParseInteger(v);
      if (!s || *s < 0 || *s > 0xFFFFFFFFll) return Fail(err, "--seed takes a whole number from 0 to 4294967295");
      a.seed = static_cast<std::uint32_t>(*s);
    } else {
      return Fail(err, "unknown argument '" + arg + "'");
    }
  }
  if (a.inputs.empty()) return Fail(err, "no INPUT given");
  if (a.output.empty()) return Fail(err, "-o OUT.sl3 is required");
  if (a.dataDir.empty()) a.dataDir = DefaultProgramFolder();
  std::error_code ec;
  if (!std::filesystem::is_directory(a.dataDir, ec)) return Fail(err, "no program folder '" + a.dataDir + "'");
  return true;
}

std::string LastError(const RecordingUi& ui, std::size_t from) {
  for (std::size_t i = ui.statuses.size(); i > from; --i)
    if (ui.statuses[i - 1].icon == kIconError) return ui.statuses[i - 1].text;
  return {};
}

int Calc(const Args& args, std::ostream& out, std::ostream& err) {
  CalcArgs a;
  if (!Parse(args, a, err)) return 2;

  // The program folder as at start, read only; the job comes from the inputs alone.
  MemorySettingsStore settings;
  FolderSession session(a.dataDir, settings);
  session.Load();
  JobTables& tables = session.tables;
  tables.rxM.Clear();
  tables.rxD.Clear();
  session.shapeList.clear();
  ApplyCalcOverrides(session.options, a.overrides);

  LayoutModel model;
  model.MaterialCount = tables.MaterialCount();
  std::string error;
  if (!AddJobInputs(a.inputs, tables, model.ShapeList, error)) {
    err << error << "\n";
    return 2;
  }

  const std::size_t before = session.ui.statuses.size();
  const CalcOutcome outcome = CalculateTables(tables, model, a.seed);
  if (!outcome.ok) {
    err << LastError(session.ui, before) << "\n";
    return 1;
  }
  const std::string saved = SaveLayout(a.output, model, "", SavedSawWidths(model, tables),
                                       session.messages, session.ui);
  if (saved.empty()) {
    err << "kelvara3-cli calc: cannot write '" << LayoutFileName(a.output) << "'\n";
    return 2;
  }
  if (a.json) {
    WriteCalcSummaryJson(out, outcome);
  } else {
    WriteCalcSummaryText(out, outcome);
    out << "layout " << saved << "\n";
  }
  return 0;
}

const RegisterCommand kRegister("calc", kUsage, Calc);

}  // namespace
}  // namespace kelvara::cli
