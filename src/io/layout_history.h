#pragma once
// The history of results as the "Previous Layout" list: entry i stands for slot i (0..99).
#include <ctime>
#include <string>
#include <vector>

namespace kelvara {

// The text of a history entry: the time in the long time format ("14:05:09"), followed by " R"
// for a layout opened from a file.
std::string HistoryEntryText(const std::tm& time, bool opened);
std::string HistoryEntryTextNow(bool opened);

class LayoutHistory {
 public:
  static constexpr int kEntries = 100;  // slots 0..99; slot 100 has no entry of its own

  // A result has filled `writeSlot`. Below slot 100 its entry is set (appended) and selected;
  // for slot 100 entry 99 is selected and the list's edit shows the new text.
  void Add(int writeSlot, const std::string& text);

  const std::vector<std::string>& entries() const { return entries_; }
  int selected() const { return selected_; }        // -1: none
  const std::string& editText() const { return editText_; }  // what the closed list shows

  // The slot an entry chosen from the list views; -1 when no entry is chosen.
  int SlotOfEntry(int pos) const { return pos >= 0 && pos < static_cast<int>(entries_.size()) ? pos : -1; }
  // Choosing an entry selects it and shows its own text.
  int Choose(int pos);

 private:
  std::vector<std::string> entries_;
  int selected_ = -1;
  std::string editText_;
};

}  // namespace kelvara
