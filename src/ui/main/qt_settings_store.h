#pragma once
// The per-user values kept by QSettings: organisation "Kelvara3", application "Options", so
// that on Windows they live under "Software\Kelvara3\Options" in the registry; a subkey is a
// group ("Lang/Lang").
#include <QSettings>
#include <memory>

#include "model/settings_store.h"

namespace kelvara {

class QtSettingsStore : public SettingsStore {
 public:
  // The user's native store.
  QtSettingsStore();
  // An ini file (tests, portable folders).
  explicit QtSettingsStore(const QString& iniPath);

  bool Contains(std::string_view key) const override;
  std::optional<std::string> ReadString(std::string_view key) const override;
  std::optional<int> ReadInteger(std::string_view key) const override;
  void WriteString(std::string_view key, std::string_view value) override;
  void WriteInteger(std::string_view key, int value) override;
  void Remove(std::string_view key) override;
  bool Flush() override;

  QSettings& settings() { return *settings_; }

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace kelvara
