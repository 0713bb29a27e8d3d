#pragma once
// The program data files in the program folder and the per-user values: loading at start in a
// fixed order and writing everything back at program end.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/job_tables.h"
#include "model/settings_store.h"
#include "model/shape_record.h"

namespace kelvara {

inline constexpr std::string_view kOptionsFileName = "Kelvara3.opt";
inline constexpr std::string_view kMaterialNamesFileName = "Kelvara3.mtn";
inline constexpr std::string_view kSawWidthsFileName = "Kelvara3.mkw";
inline constexpr std::string_view kJobFileName = "Kelvara3.dat";
inline constexpr std::string_view kStorehouseFileName = "Kelvara3.mat";
inline constexpr std::string_view kOutlinesFileName = "Kelvara3.dac";
inline constexpr std::string_view kNotesFileName = "Kelvara3.nte";

// Message table entries of the file messages.
inline constexpr int kMsgFileNotFound = 78;
inline constexpr int kMsgInputDataError = 79;
inline constexpr int kMsgFileIsDestroyed = 80;
inline constexpr int kFileMessageSeconds = 20;

// Column widths of the sheets grid ("GMW0".."GMW7") and the parts grid ("GDW0".."GDW11");
// an entry without a value leaves the column as it is. The window applies them.
struct GridWidths {
  std::array<std::optional<int>, 8> sheets;
  std::array<std::optional<int>, 12> parts;
};

// What SaveAll could not write: file names, or a settings key.
struct SaveReport {
  std::vector<std::string> failed;
  bool ok() const { return failed.empty(); }
};

// Loads and saves the data files of tables.programFolder. Status messages go through
// tables.ui.ShowStatus with the error icon for 20 seconds; they name the bare file name, e.g.
// "File not Found "Kelvara3.opt". Input Data Error". Loading never throws.
class DataFiles {
 public:
  DataFiles(JobTables& tables, std::vector<ShapeRecord>& shapeList, SettingsStore& settings);

  // The load steps, in the order the start-up runs them. Each one empties the table it fills.
  void LoadOptions();          // 1: options and edge band names (rxT); ApplyOptions is the window's
  void ClearMaterialBoxes();   // 2: the rename rules of rxOM stay off until step 5
  bool LoadMaterialNames();    // 3: rxOM; true when the names came from the file
  void LoadSawWidths();        // 4: KW of rxOM; run only when step 3 returned true
  void FillMaterialBoxes();    // 5: material list names from rxOM; CurrentMaterial brought in range
  void LoadJob();              // 6: rxM and rxD
  void LoadStorehouse();       // 7: rxMat
  void LoadOutlines();         // 8: ShapeList
  void LoadNotes();            // 9: rxN
  void LoadGridWidths();       // 10: gridWidths, after the rest of the start-up
  // Steps 1 to 9.
  void LoadAll();

  // Writes Kelvara3.opt, .nte, .mtn, .mkw, .dat, sets "ManyMaterial" to "1", writes .mat and
  // .dac, then the grid widths. A failure does not stop the rest.
  SaveReport SaveAll();
  bool SaveOptions();
  bool SaveNotes();
  bool SaveMaterialNames();
  bool SaveSawWidths();
  bool SaveJob();
  bool SaveStorehouse();  // also sets "ManyMaterial" = "1"
  bool SaveOutlines();
  bool SaveGridWidths();

  std::string Path(std::string_view fileName) const;
  std::string NotFoundMessage(std::string_view fileName) const;
  std::string DestroyedMessage(std::string_view fileName) const;

  GridWidths gridWidths;
  // Initial folder of every file dialog: the trimmed ProgramFolder option, else the program folder.
  std::string dialogFolder;

 private:
  void ReportNotFound(std::string_view fileName);
  void ReportDestroyed(std::string_view fileName);
  double Rounded(float v) const;  // to Decimals; a value that is no finite number reads as 0
  float ForFile(double v) const;  // rounded to Decimals, as a single
  void AppendDefaultBands();

  JobTables& t_;
  std::vector<ShapeRecord>& shapes_;
  SettingsStore& settings_;
};

}  // namespace kelvara
