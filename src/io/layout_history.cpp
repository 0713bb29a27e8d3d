#include "io/layout_history.h"

namespace kelvara {

std::string HistoryEntryText(const std::tm& time, bool opened) {
  char buf[32];
  const std::size_t n = std::strftime(buf, sizeof buf, "%H:%M:%S", &time);
  std::string text(buf, n);
  if (opened) text += " R";
  return text;
}

std::string HistoryEntryTextNow(bool opened) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return HistoryEntryText(local, opened);
}

void LayoutHistory::Add(int writeSlot, const std::string& text) {
  if (writeSlot < 0) return;
  if (writeSlot < kEntries) {
    if (static_cast<int>(entries_.size()) <= writeSlot) entries_.resize(static_cast<std::size_t>(writeSlot) + 1);
    entries_[static_cast<std::size_t>(writeSlot)] = text;
    selected_ = writeSlot;
  } else {
    if (static_cast<int>(entries_.size()) < kEntries) entries_.resize(kEntries);
    selected_ = kEntries - 1;
  }
  editText_ = text;
}

int LayoutHistory::Choose(int pos) {
  const int slot = SlotOfEntry(pos);
  if (slot < 0) return -1;
  selected_ = pos;
  editText_ = entries_[static_cast<std::size_t>(pos)];
  return slot;
}

}  // namespace kelvara
