#include "ui/main/qt_settings_store.h"

namespace kelvara {
namespace {

QString Key(std::string_view key) { return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())); }

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Kelvara3", "Options")) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

bool QtSettingsStore::Contains(std::string_view key) const { return settings_->contains(Key(key)); }

std::optional<std::string> QtSettingsStore::ReadString(std::string_view key) const {
  const QVariant v = settings_->value(Key(key));
  if (!v.isValid()) return std::nullopt;
  return v.toString().toStdString();
}

std::optional<int> QtSettingsStore::ReadInteger(std::string_view key) const {
  const QVariant v = settings_->value(Key(key));
  if (!v.isValid()) return std::nullopt;
  bool ok = false;
  const int i = v.toString().trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return i;
}

void QtSettingsStore::WriteString(std::string_view key, std::string_view value) {
  settings_->setValue(Key(key), QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

void QtSettingsStore::WriteInteger(std::string_view key, int value) { settings_->setValue(Key(key), value); }

void QtSettingsStore::Remove(std::string_view key) { settings_->remove(Key(key)); }

bool QtSettingsStore::Flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

}  // namespace kelvara
