#include "model/material_list.h"

#include <algorithm>
#include <filesystem>

namespace kelvara {

const std::vector<std::string>& MaterialList::BuiltInNames() {
  static const std::vector<std::string> names = {
      "Bkwalnut", "Brett",    "Cherry",  "Cherrywd", "Eichesil", "Eichgepl", "Eurooak",
      "Kiefer",   "Kirschb",  "Mahagoni", "Mahogony", "Maple",   "Nussbhl",  "Redoak",
      "Tutash",   "Ashsen",   "Maroon",  "Green",    "Olive",    "Navy",     "Purple",
      "Teal",     "Gray",     "Silver",  "Blue"};
  return names;
}

MaterialList::MaterialList() : names_(BuiltInNames()), files_(names_.size()) {}

MaterialList MaterialList::Load(const std::string& programFolder) { return Load(programFolder, {}); }

MaterialList MaterialList::Load(const std::string& programFolder,
                                const std::function<bool(const std::string&)>& readable) {
  namespace fs = std::filesystem;
  MaterialList list;
  std::vector<std::string> pictures;
  std::error_code ec;
  const fs::path dir = fs::path(programFolder) / "Materials";
  if (fs::is_directory(dir, ec)) {
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      if (!it->is_regular_file(ec)) continue;
      const std::string f = it->path().filename().string();
      if (f.size() > 4 && f.compare(f.size() - 4, 4, ".jpg") == 0 && (!readable || readable(it->path().string())))
        pictures.push_back(f);
    }
  }
  std::sort(pictures.begin(), pictures.end());
  for (const auto& f : pictures) {
    list.names_.push_back(f.substr(0, f.find('.')));
    list.files_.push_back(f);
  }
  return list;
}

int MaterialList::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name) return static_cast<int>(i);
  return -1;
}

}  // namespace kelvara
