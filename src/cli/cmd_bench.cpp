// "bench DIR": every ".tc3" job of a folder with the default options, sheets and seconds per
// file and in total, and the ratio to the best known results of the folder's index.csv.
#include <filesystem>

#include "cli/command_registry.h"
#include "core/number_text.h"
#include "io/batch_job.h"

namespace kelvara::cli {
namespace {

constexpr const char* kUsage = "bench DIR [--level L] [--direction D] [--oriented] [--seed N] [--json]";

int Bench(const Args& args, std::ostream& out, std::ostream& err) {
  std::string folder;
  BenchOptions options;
  bool json = false;
  auto fail = [&](const std::string& what) {
    err << "kelvara3-cli bench: " << what << "\n";
    return 2;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--json") {
      json = true;
    } else if (a == "--oriented") {
      options.oriented = true;
    } else if (a == "--level" || a == "--direction" || a == "--seed") {
      if (i + 1 >= args.size()) return fail(a + " needs a value");
      const auto v = ParseInteger(args[++i]);
      if (a == "--seed") {
        if (!v || *v < 0 || *v > 0xFFFFFFFFll) return fail("--seed takes a whole number from 0 to 4294967295");
        options.seed = static_cast<std::uint32_t>(*v);
      } else {
        if (!v || *v < 0 || *v > 2) return fail(a + " takes 0, 1 or 2");
        (a == "--level" ? options.CalcLevel : options.FirstCutDirection) = static_cast<int>(*v);
      }
    } else if (a.rfind("--", 0) == 0) {
      return fail("unknown argument '" + a + "'");
    } else if (folder.empty()) {
      folder = a;
    } else {
      return fail("one DIR only");
    }
  }
  if (folder.empty()) return fail("DIR is required");
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return fail("no folder '" + folder + "'");

  const BenchReport report = RunBench(folder, options, [&](const BenchFile& f) {
    if (!json) {
      WriteBenchFileText(out, f);
      out.flush();
    }
  });
  if (json) WriteBenchJson(out, report);
  else WriteBenchTotalsText(out, report);
  for (const BenchFile& f : report.files)
    if (!f.ok) return 1;
  return 0;
}

const RegisterCommand kRegister("bench", kUsage, Bench);

}  // namespace
}  // namespace kelvara::cli
