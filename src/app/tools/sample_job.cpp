// kelvara3-sample-job FOLDER: writes a small kitchen job as the job file of a program folder
// that has none yet (with the material names and saw widths it uses), so that a first start
// opens with something to calculate. A folder that has a job file is left as it is.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "model/data_files_session.h"
#include "model/settings_store.h"

namespace {

using namespace kelvara;

struct SampleSheet {
  const char* material;
  double x, y;
  int q;
  double trim;
  const char* note;
};

struct SamplePart {
  const char* material;
  double x, y;
  int q;
  int rotation;
  const char* band;  // on all four sides; "" for none
  const char* sideBand;  // on the left side only
  const char* note;
};

constexpr SampleSheet kSheets[] = {
    {"Silver", 2800, 2070, 3, 10, "Chipboard 16 mm"},
    {"Cherry", 2800, 2070, 2, 10, "Fronts 18 mm"},
};

constexpr SamplePart kParts[] = {
    {"Silver", 720, 560, 8, 1, "", "Edge No 2", "Base side"},
    {"Silver", 568, 560, 4, 1, "", "Edge No 2", "Base bottom"},
    {"Silver", 568, 100, 8, 1, "", "", "Base rail"},
    {"Silver", 566, 500, 4, 1, "", "Edge No 2", "Base shelf"},
    {"Silver", 720, 300, 8, 1, "", "Edge No 2", "Wall side"},
    {"Silver", 568, 300, 8, 1, "", "Edge No 2", "Wall top and bottom"},
    {"Silver", 566, 280, 4, 1, "", "Edge No 2", "Wall shelf"},
    {"Cherry", 716, 396, 12, 0, "Edge No 1", "", "Door"},
    {"Cherry", 596, 176, 6, 0, "Edge No 1", "", "Drawer front"},
    {"Cherry", 2400, 100, 2, 0, "Edge No 1", "", "Plinth"},
};

constexpr double kSawWidth = 4.4;

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc != 2) {
    std::cerr << "usage: kelvara3-sample-job FOLDER\n";
    return 2;
  }
  const fs::path folder = argv[1];
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (fs::exists(folder / std::string(kJobFileName), ec)) return 0;  // the user's own job stays

  MemorySettingsStore settings;
  std::string root = folder.string();
  if (root.empty() || root.back() != '/') root += '/';
  FolderSession s(root, settings);
  JobTables& t = s.tables;
  t.ResetMaterialNames();
  for (int i = 0; i < t.rxOM.Count(); ++i) t.rxOM.SetAt(i, "KW", kSawWidth);
  t.materialBoxesFilled = true;

  for (const SampleSheet& sh : kSheets) {
    const int m = t.MaterialIndex(sh.material);
    if (m < 0) continue;
    s.options.CurrentMaterial = static_cast<std::uint8_t>(m);
    t.rxM.Append();
    t.rxM.Set("X", sh.x);
    t.rxM.Set("Y", sh.y);
    t.rxM.Set("Q", static_cast<std::int64_t>(sh.q));
    for (auto f : {"TL", "TT", "TR", "TB"}) t.rxM.Set(f, sh.trim);
    t.rxM.Set("PT", static_cast<std::int64_t>(sh.trim > 0 ? 15 : 0));
    t.rxM.Set("Note", std::string(sh.note));
    t.rxM.Post();
  }
  for (const SamplePart& p : kParts) {
    const int m = t.MaterialIndex(p.material);
    if (m < 0) continue;
    s.options.CurrentMaterial = static_cast<std::uint8_t>(m);
    t.LastRotation = p.rotation;
    t.rxD.Append();
    t.rxD.Set("X", p.x);
    t.rxD.Set("Y", p.y);
    t.rxD.Set("Q", static_cast<std::int64_t>(p.q));
    t.rxD.Set("Note", std::string(p.note));
    const std::string all = p.band, left = p.sideBand;
    const std::string sides[4] = {!all.empty() ? all : (!left.empty() ? left : "-"), !all.empty() ? all : "-",
                                  !all.empty() ? all : "-", !all.empty() ? all : "-"};
    const char* names[4] = {"NameEL", "NameET", "NameER", "NameEB"};
    const char* flags[4] = {"EL", "ET", "ER", "EB"};
    for (int i = 0; i < 4; ++i) {
      t.rxD.Set(names[i], sides[i]);
      t.rxD.Set(flags[i], static_cast<std::int64_t>(sides[i] != "-" ? 1 : 0));
    }
    t.rxD.Post();
  }

  bool ok = s.files.SaveJob();
  if (!fs::exists(folder / std::string(kMaterialNamesFileName), ec)) ok = s.files.SaveMaterialNames() && ok;
  if (!fs::exists(folder / std::string(kSawWidthsFileName), ec)) ok = s.files.SaveSawWidths() && ok;
  if (!ok) {
    std::cerr << "kelvara3-sample-job: could not write into " << folder << "\n";
    return 1;
  }
  return 0;
}
