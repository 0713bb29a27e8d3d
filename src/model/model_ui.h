#pragma once
// What the table rules and file loaders ask of the window; tests give their own.
#include <string>

namespace kelvara {

enum StatusIcon { kIconNone = 0, kIconError = 1, kIconSuccess = 2 };
enum class Grid { Sheets, Parts, Materials, Bands, Notes, Storehouse, SavedOffcuts };

struct ModelUi {
  virtual ~ModelUi() = default;
  // Status bar text with an icon, cleared after `seconds` (0: kept).
  virtual void ShowStatus(const std::string& /*text*/, int /*icon*/, int /*seconds*/) {}
  virtual void Warning(const std::string& /*text*/) {}
  virtual void Information(const std::string& /*text*/) {}
  virtual void Error(const std::string& /*text*/) {}
  // A Yes/No question; false is "No".
  virtual bool Ask(const std::string& /*text*/) { return true; }
  virtual void SwitchToDataPage() {}
  virtual void FocusGrid(Grid) {}
  // A material got a new name (material number, old, new): boxes and menus follow.
  virtual void MaterialRenamed(int /*num*/, const std::string& /*oldName*/, const std::string& /*newName*/) {}
  // The edge band names changed: the band boxes are rebuilt from rxT.
  virtual void BandsChanged() {}
};

}  // namespace kelvara
