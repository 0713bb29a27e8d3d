#pragma once
// What an import into the job tables did.
#include <string>

namespace kelvara {

struct ImportResult {
  bool ok = false;
  int sheetsAdded = 0;  // rows appended to rxM (a row stopped half-way counts)
  int partsAdded = 0;   // rows appended to rxD
  std::string error;    // the message shown when it failed
};

}  // namespace kelvara
