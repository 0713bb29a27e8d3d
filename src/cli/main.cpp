// kelvara3-cli: headless commands over the program's libraries.
#include <iostream>

#include "cli/command_registry.h"

namespace kelvara::cli {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

namespace {

const Command* Find(const std::string& name) {
  for (const auto& c : Commands())
    if (c.name == name) return &c;
  return nullptr;
}

int Usage(std::ostream& err) {
  err << "usage: kelvara3-cli COMMAND [ARGS]\n";
  for (const auto& c : Commands()) err << "  " << c.usage << "\n";
  return 2;
}

}  // namespace
}  // namespace kelvara::cli

int main(int argc, char** argv) {
  using namespace kelvara::cli;
  if (argc < 2) return Usage(std::cerr);
  std::string name = argv[1];
  Args args(argv + 2, argv + argc);
  if (name == "--help" || name == "-h" || name == "help") {
    Usage(std::cout);
    return 0;
  }
  // "inspect --data-dir DIR" looks at a program folder, "inspect FILE" at one file.
  if (name == "inspect") name = (!args.empty() && args[0].rfind("--", 0) == 0) ? "inspect-folder" : "inspect-file";
  const Command* c = Find(name);
  if (!c) {
    std::cerr << "kelvara3-cli: unknown command '" << argv[1] << "'\n";
    return Usage(std::cerr);
  }
  try {
    return c->run(args, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "kelvara3-cli: " << e.what() << "\n";
    return 2;
  }
}
