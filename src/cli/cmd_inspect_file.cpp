// "inspect FILE": the records of a project, outline, layout, saw width, text import or
// previous-generation file as JSON.
#include "cli/command_registry.h"
#include "io/file_inspect.h"

namespace kelvara::cli {
namespace {

int InspectOneFile(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1 || args[0].empty() || args[0].rfind("--", 0) == 0) {
    err << "usage: kelvara3-cli inspect FILE\n";
    return 2;
  }
  const InspectResult r = InspectFile(args[0], out);
  if (!r.ok) {
    err << r.error << "\n";
    return 2;
  }
  return 0;
}

const RegisterCommand kRegister("inspect-file", "inspect FILE", InspectOneFile);

}  // namespace
}  // namespace kelvara::cli
