#pragma once
// Sub-commands of kelvara3-cli register themselves here from their own files.
#include <ostream>
#include <string>
#include <vector>

namespace kelvara::cli {

using Args = std::vector<std::string>;
// Exit status: 0 success, 1 a failed check of the job, 2 bad arguments or unreadable input.
using CommandFn = int (*)(const Args& args, std::ostream& out, std::ostream& err);

struct Command {
  std::string name;
  std::string usage;  // one line
  CommandFn run;
};

std::vector<Command>& Commands();

struct RegisterCommand {
  RegisterCommand(std::string name, std::string usage, CommandFn run) {
    Commands().push_back({std::move(name), std::move(usage), run});
  }
};

}  // namespace kelvara::cli
