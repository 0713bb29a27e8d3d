#include "layout/offcut_identity.h"

#include <vector>

#include "model/job_tables.h"

namespace kelvara {
namespace {

constexpr int kRandomTries = 1000;

// Every storehouse note, over all materials; the table's filter and current row are kept.
std::vector<std::string> StorehouseNotes(JobTables& tables) {
  Table& t = tables.rxMat;
  const bool filtered = t.Filtered();
  const Table::Bookmark keep = t.GetBookmark();
  if (filtered) tables.FilterStorehouse(false);
  std::vector<std::string> notes;
  notes.reserve(t.Count());
  for (int i = 0; i < t.Count(); ++i) notes.push_back(Table::ValueText(t.GetAt(i, "N")));
  if (filtered) tables.FilterStorehouse(true);
  if (keep) t.GotoBookmark(keep);
  return notes;
}

}  // namespace

std::int32_t NewOffcutId(const LayoutSlot& slot, const RandomDraw& draw) {
  auto taken = [&](std::int32_t id) {
    for (const RestM& o : slot.OffcutLists)
      if (o.Id == id) return true;
    return false;
  };
  std::int32_t id = static_cast<std::int32_t>(draw(kOffcutIdRange)) + 1;
  for (int i = 0; i < kRandomTries && taken(id); ++i) id = static_cast<std::int32_t>(draw(kOffcutIdRange)) + 1;
  if (taken(id)) {
    id = 1;
    while (taken(id)) ++id;
  }
  return id;
}

std::string NewOffcutName(const LayoutSlot& slot, JobTables* tables, const RandomDraw& draw) {
  std::vector<std::string> names = tables ? StorehouseNotes(*tables) : std::vector<std::string>{};
  for (const RestM& o : slot.OffcutLists) names.push_back(o.Name);
  auto taken = [&](const std::string& name) {
    for (const std::string& n : names)
      if (n.find(name) != std::string::npos) return true;
    return false;
  };
  auto nameOf = [](std::uint64_t number) { return "R" + std::to_string(number); };

  std::string name = nameOf(draw(kOffcutNumbers) + 1);
  for (int i = 0; i < kRandomTries && taken(name); ++i) name = nameOf(draw(kOffcutNumbers) + 1);
  for (std::uint64_t number = 1; taken(name); ++number) name = nameOf(number);
  return name;
}

}  // namespace kelvara
