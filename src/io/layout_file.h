#pragma once
// Saved layouts: the ".sl3" records of a result and the ".kw3" saw widths beside it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_record.h"
#include "engine/layout_model.h"
#include "io/layout_history.h"
#include "model/job_tables.h"
#include "model/messages.h"
#include "model/model_ui.h"

namespace kelvara {

inline constexpr std::size_t kLayoutRecordSize = 556;
inline constexpr std::size_t kEarlyLayoutRecordSize = 352;  // files of the earlier program
inline constexpr std::size_t kLayoutKindOffset = 101;
inline constexpr int kHeadlinePieces = 4;
inline constexpr std::size_t kHeadlinePiece = 50;

// The record kinds at byte 101.
enum LayoutRecordKind : char {
  kLayoutMaterialHeader = '1',
  kLayoutSheet = 'M',
  kLayoutPartsHeader = '2',
  kLayoutPart = 'D',
  kLayoutOffcut = 'R',
  kLayoutShape = 'A',
};
bool IsLayoutRecordKind(char kind);

// ".sl3" is appended unless the name's last four characters are exactly ".sl3".
std::string LayoutFileName(const std::string& name);
// The layout file's name without its last four characters, followed by ".kw3".
std::string SawWidthFileName(const std::string& layoutPath);

// The headline without leading and trailing blanks, cut into four pieces of 50 characters.
std::array<std::string, kHeadlinePieces> SplitHeadline(const std::string& headline);

// The records of `slot` for materials 0..materialCount-1: a '1' header and the 'M' records of
// every material, a '2' header and the 'D' records of every material, then 'R' and 'A' records.
Bytes EncodeLayout(const LayoutSlot& slot, int materialCount, float recordedSawWidth, const std::string& headline);
// One single per material.
Bytes EncodeSawWidths(const std::vector<float>& sawWidths);

// What a layout file holds, sized for the materials it was read for.
struct LayoutFileData {
  LayoutSlot slot;
  std::vector<std::int32_t> SheetCounts;
  std::vector<std::int32_t> DetailCounts;
  std::vector<std::uint8_t> headerSeen;  // per material: a '1' or '2' record named it
  float RecordedSawWidth = 0;
  bool hasHeadline = false;  // only the 556-byte records carry one
  std::string headline;
  std::size_t recordSize = 0;
};

enum class LayoutReadStatus { Ok, NotFound, Destroyed };

// Reads the records of a layout file for `materialCount` materials. A header of a material
// beyond the list, a record placed outside its material's array, a reference to a sheet that
// does not exist, a number that is not finite or a file without any header is Destroyed;
// `reason` then tells which.
LayoutReadStatus DecodeLayout(const Bytes& bytes, int materialCount, LayoutFileData& out,
                              std::string* reason = nullptr);
LayoutReadStatus ReadLayoutFile(const std::string& path, int materialCount, LayoutFileData& out,
                                std::string* reason = nullptr);

// The singles of a ".kw3" file; empty optional when it is missing, unreadable or holds a value
// that is not a finite saw width.
std::optional<std::vector<float>> ReadSawWidths(const std::string& path);

// The saw widths an opened layout is shown with, one per material: the recorded common saw
// width for every material when it is not 0 (to 3 decimals); otherwise the ".kw3" values,
// a material the file does not cover getting the recorded width; without a ".kw3" file the
// recorded width for every material.
std::vector<float> OpenedSawWidths(float recordedSawWidth, const std::optional<std::vector<float>>& kw3,
                                   int materialCount);

// The saw widths Save Layout records: those the calculation used (`materialKW`), a material it
// does not cover taking its material table value.
std::vector<float> SavedSawWidths(const std::vector<float>& materialKW, const std::vector<float>& tableKW);
// The same from the model's MaterialKW and the KW column of rxOM.
std::vector<float> SavedSawWidths(const LayoutModel& model, const JobTables& tables);

// Writes the layout file and its saw width file. False when a file could not be written.
bool WriteLayoutFiles(const std::string& path, const LayoutSlot& slot, int materialCount, float recordedSawWidth,
                      const std::string& headline, const std::vector<float>& sawWidths);

// "Save Layout" of the slot on view, to the chosen name: the extension rule, the question
// before an existing file is replaced, both files, the status message. Returns the layout
// file's path, or "" when nothing was written (answered No, or a write error, which shows no
// message).
std::string SaveLayout(const std::string& chosenName, const LayoutModel& model, const std::string& headline,
                       const std::vector<float>& sawWidths, const MessageTable& messages, ModelUi& ui);

// `LoadLayoutFile`: fills WriteSlot from the file (through a scratch slot, so that a failed
// load changes nothing), views it, adds the history entry (time + " R"), moves WriteSlot on and
// shows the status. `headline` takes the file's headline when it has one. False on failure,
// after the damaged-file message; false without a message while a calculation runs.
bool LoadLayoutFile(const std::string& path, LayoutModel& model, LayoutHistory& history, std::string& headline,
                    const MessageTable& messages, ModelUi& ui);

}  // namespace kelvara
