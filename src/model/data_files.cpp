#include "model/data_files.h"

#include <cmath>

#include "core/rounding.h"
#include "model/data_file_values.h"

namespace kelvara {

DataFiles::DataFiles(JobTables& tables, std::vector<ShapeRecord>& shapeList, SettingsStore& settings)
    : t_(tables), shapes_(shapeList), settings_(settings) {}

std::string DataFiles::Path(std::string_view fileName) const {
  std::string p = t_.programFolder;
  if (!p.empty() && p.back() != '/' && p.back() != '\\') p += '/';
  return p + std::string(fileName);
}

std::string DataFiles::NotFoundMessage(std::string_view fileName) const {
  return t_.messages.Msg(kMsgFileNotFound) + " \"" + std::string(fileName) + "\". " + t_.messages.Msg(kMsgInputDataError);
}

std::string DataFiles::DestroyedMessage(std::string_view fileName) const {
  return t_.messages.Msg(kMsgFileIsDestroyed) + " \"" + std::string(fileName) + "\". " +
         t_.messages.Msg(kMsgInputDataError);
}

void DataFiles::ReportNotFound(std::string_view fileName) {
  t_.ui.ShowStatus(NotFoundMessage(fileName), kIconError, kFileMessageSeconds);
}

void DataFiles::ReportDestroyed(std::string_view fileName) {
  t_.ui.ShowStatus(DestroyedMessage(fileName), kIconError, kFileMessageSeconds);
}

double DataFiles::Rounded(float v) const {
  if (!std::isfinite(v)) return 0.0;
  return RoundTo(static_cast<double>(v), t_.options.Decimals);
}

float DataFiles::ForFile(double v) const {
  if (!std::isfinite(v)) return 0.0f;
  return static_cast<float>(RoundTo(v, t_.options.Decimals));
}

void DataFiles::LoadAll() {
  LoadOptions();
  ClearMaterialBoxes();
  if (LoadMaterialNames()) LoadSawWidths();
  FillMaterialBoxes();
  LoadJob();
  LoadStorehouse();
  LoadOutlines();
  LoadNotes();
}

SaveReport DataFiles::SaveAll() {
  SaveReport report;
  auto attempt = [&](bool ok, std::string_view what) {
    if (!ok) report.failed.emplace_back(what);
  };
  attempt(SaveOptions(), kOptionsFileName);
  attempt(SaveNotes(), kNotesFileName);
  attempt(SaveMaterialNames(), kMaterialNamesFileName);
  attempt(SaveSawWidths(), kSawWidthsFileName);
  attempt(SaveJob(), kJobFileName);
  attempt(SaveStorehouse(), kStorehouseFileName);
  attempt(SaveOutlines(), kOutlinesFileName);
  attempt(SaveGridWidths(), "GMW/GDW");
  if (!settings_.Flush()) report.failed.emplace_back(kSettingsRoot);
  return report;
}

namespace {

std::string GridKey(const char* prefix, std::size_t i) { return prefix + std::to_string(i); }

}  // namespace

void DataFiles::LoadGridWidths() {
  gridWidths = GridWidths{};
  // The first missing value ends the reading; only a missing "GMW7" is passed over.
  for (std::size_t i = 0; i < gridWidths.sheets.size(); ++i) {
    auto v = settings_.ReadInteger(GridKey("GMW", i));
    if (!v) {
      if (i == 7) continue;
      return;
    }
    gridWidths.sheets[i] = *v;
  }
  for (std::size_t i = 0; i < gridWidths.parts.size(); ++i) {
    auto v = settings_.ReadInteger(GridKey("GDW", i));
    if (!v) return;
    gridWidths.parts[i] = *v;
  }
}

bool DataFiles::SaveGridWidths() {
  for (std::size_t i = 0; i < gridWidths.sheets.size(); ++i)
    if (gridWidths.sheets[i]) settings_.WriteInteger(GridKey("GMW", i), *gridWidths.sheets[i]);
  for (std::size_t i = 0; i < gridWidths.parts.size(); ++i)
    if (gridWidths.parts[i]) settings_.WriteInteger(GridKey("GDW", i), *gridWidths.parts[i]);
  return true;
}

}  // namespace kelvara
