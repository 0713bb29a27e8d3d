#pragma once
// The per-user values under "Software\Kelvara3\Options": an interface, an in-memory store and
// a small ini-file store. Keys are relative to that root; a subkey is written "Lang/Lang".
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kelvara {

inline constexpr std::string_view kSettingsRoot = "Software\\Kelvara3\\Options";
inline constexpr std::string_view kKeySkinName = "SkinName";
inline constexpr std::string_view kKeyManyMaterial = "ManyMaterial";
inline constexpr std::string_view kKeyLanguageChosen = "Lang/Lang";  // subkey "Lang", value "Lang"

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual bool Contains(std::string_view key) const = 0;
  // A value of the other kind is converted: an integer reads as its text, a text that is a
  // whole integer reads as that integer; any other text is no integer.
  virtual std::optional<std::string> ReadString(std::string_view key) const = 0;
  virtual std::optional<int> ReadInteger(std::string_view key) const = 0;
  virtual void WriteString(std::string_view key, std::string_view value) = 0;
  virtual void WriteInteger(std::string_view key, int value) = 0;
  virtual void Remove(std::string_view key) = 0;
  // Makes the values permanent; false when that failed.
  virtual bool Flush() { return true; }
};

// True when the first-run language choice was made ("Lang" = "Yes" in the subkey "Lang").
bool LanguageChosen(const SettingsStore& s);
void SetLanguageChosen(SettingsStore& s);

class MemorySettingsStore : public SettingsStore {
 public:
  using Value = std::variant<std::string, int>;

  bool Contains(std::string_view key) const override;
  std::optional<std::string> ReadString(std::string_view key) const override;
  std::optional<int> ReadInteger(std::string_view key) const override;
  void WriteString(std::string_view key, std::string_view value) override;
  void WriteInteger(std::string_view key, int value) override;
  void Remove(std::string_view key) override;

  const std::map<std::string, Value, std::less<>>& values() const { return values_; }

 protected:
  std::map<std::string, Value, std::less<>> values_;
};

// Values kept in an ini file: "[General]" holds the keys of the root, "[Lang]" those of the
// subkey "Lang" (key "Lang/Lang"), one "name=value" a line. Read at Open, written by Flush.
class IniSettingsStore : public MemorySettingsStore {
 public:
  enum class OpenResult { Ok, Absent, Unreadable };

  explicit IniSettingsStore(std::string path) : path_(std::move(path)) {}
  // Reads the file; an absent file gives an empty store that Flush creates.
  OpenResult Open();
  bool Flush() override;
  const std::string& path() const { return path_; }

  // The ini text of a set of values, and the values of an ini text (the parser skips blank
  // lines, lines starting with ";" or "#" and lines without "=").
  static std::string Format(const std::map<std::string, Value, std::less<>>& values);
  static std::map<std::string, Value, std::less<>> Parse(std::string_view text);

 private:
  std::string path_;
};

}  // namespace kelvara
