#pragma once
// The material list: 25 built-in materials, then one per picture in "Materials".
#include <functional>
#include <string>
#include <vector>

namespace kelvara {

class MaterialList {
 public:
  static constexpr int kBuiltIn = 25;
  static const std::vector<std::string>& BuiltInNames();

  MaterialList();  // the built-in names only
  // Built-in names, then every "*.jpg" of folder/Materials sorted by file name, named up to the
  // first ".".
  static MaterialList Load(const std::string& programFolder);
  // The same, keeping only the pictures `readable` accepts (given the picture's full path).
  static MaterialList Load(const std::string& programFolder, const std::function<bool(const std::string&)>& readable);

  int Count() const { return static_cast<int>(names_.size()); }
  const std::string& Name(int i) const { return names_[i]; }
  void SetName(int i, std::string name) { names_[i] = std::move(name); }
  // Picture file name of material i (> 24), e.g. "oak.light.jpg"; "" for a built-in one.
  const std::string& PictureFile(int i) const { return files_[i]; }
  void SetPictureFile(int i, std::string f) { files_[i] = std::move(f); }
  int IndexOf(const std::string& name) const;  // -1 when absent
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
  std::vector<std::string> files_;
};

}  // namespace kelvara
