#include "model/settings_store.h"

#include <charconv>
#include <filesystem>
#include <vector>

#include "core/byte_record.h"
#include "core/number_text.h"

namespace kelvara {

bool LanguageChosen(const SettingsStore& s) {
  auto v = s.ReadString(kKeyLanguageChosen);
  return v && *v == "Yes";
}

void SetLanguageChosen(SettingsStore& s) { s.WriteString(kKeyLanguageChosen, "Yes"); }

namespace {

std::optional<int> WholeInteger(std::string_view text) {
  const std::string t = Trim(text);
  int v = 0;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size()) return std::nullopt;
  return v;
}

}  // namespace

bool MemorySettingsStore::Contains(std::string_view key) const { return values_.find(key) != values_.end(); }

std::optional<std::string> MemorySettingsStore::ReadString(std::string_view key) const {
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  if (auto* s = std::get_if<std::string>(&it->second)) return *s;
  return std::to_string(std::get<int>(it->second));
}

std::optional<int> MemorySettingsStore::ReadInteger(std::string_view key) const {
  auto it = values_.find(key);
  if (it == values_.end()) return std::nullopt;
  if (auto* i = std::get_if<int>(&it->second)) return *i;
  return WholeInteger(std::get<std::string>(it->second));
}

void MemorySettingsStore::WriteString(std::string_view key, std::string_view value) {
  values_.insert_or_assign(std::string(key), Value(std::string(value)));
}

void MemorySettingsStore::WriteInteger(std::string_view key, int value) {
  values_.insert_or_assign(std::string(key), Value(value));
}

void MemorySettingsStore::Remove(std::string_view key) {
  auto it = values_.find(key);
  if (it != values_.end()) values_.erase(it);
}

IniSettingsStore::OpenResult IniSettingsStore::Open() {
  values_.clear();
  FileBytes fb = ReadWholeFile(path_);
  if (fb.status == FileStatus::NotFound) {
    std::error_code ec;
    // A folder or another non-file at the path cannot be read nor written.
    return std::filesystem::exists(path_, ec) ? OpenResult::Unreadable : OpenResult::Absent;
  }
  if (fb.status != FileStatus::Ok) return OpenResult::Unreadable;
  values_ = Parse(std::string_view(reinterpret_cast<const char*>(fb.bytes.data()), fb.bytes.size()));
  return OpenResult::Ok;
}

bool IniSettingsStore::Flush() { return WriteFileAtomic(path_, std::string_view(Format(values_))); }

std::string IniSettingsStore::Format(const std::map<std::string, Value, std::less<>>& values) {
  // Group by section: the text before the last "/" of a key.
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> sections;
  for (const auto& [key, value] : values) {
    const auto slash = key.rfind('/');
    const std::string section = slash == std::string::npos ? "General" : key.substr(0, slash);
    const std::string name = slash == std::string::npos ? key : key.substr(slash + 1);
    std::string text = std::holds_alternative<int>(value) ? std::to_string(std::get<int>(value))
                                                          : std::get<std::string>(value);
    for (char& c : text)
      if (c == '\r' || c == '\n') c = ' ';
    sections[section].emplace_back(name, text);
  }
  std::string out;
  auto emit = [&](const std::string& section) {
    auto it = sections.find(section);
    if (it == sections.end()) return;
    out += "[" + section + "]\n";
    for (const auto& [name, text] : it->second) out += name + "=" + text + "\n";
  };
  emit("General");
  for (const auto& [section, entries] : sections)
    if (section != "General") emit(section);
  return out;
}

std::map<std::string, MemorySettingsStore::Value, std::less<>> IniSettingsStore::Parse(std::string_view text) {
  std::map<std::string, Value, std::less<>> values;
  std::string section;
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
    if (trimmed.front() == '[' && trimmed.back() == ']') {
      section = Trim(std::string_view(trimmed).substr(1, trimmed.size() - 2));
      if (section == "General") section.clear();
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string name = Trim(line.substr(0, eq));
    if (name.empty()) continue;
    values.insert_or_assign(section.empty() ? name : section + "/" + name,
                            Value(std::string(line.substr(eq + 1))));
  }
  return values;
}

}  // namespace kelvara
