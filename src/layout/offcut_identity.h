#pragma once
// Random ids and "R" + number names of marked offcuts.
#include <cstdint>
#include <string>

#include "engine/layout_model.h"
#include "layout/random_draw.h"

namespace kelvara {

class JobTables;

inline constexpr std::int32_t kOffcutIdRange = 214748364;  // ids 1..214748364
inline constexpr std::uint32_t kOffcutNumbers = 9000;      // names R1..R9000

// A random id 1..214748364 that no offcut of the slot carries yet.
std::int32_t NewOffcutId(const LayoutSlot& slot, const RandomDraw& draw);

// "R" + a random number 1..9000, drawn again while "R" + number is a substring of the notes N
// of any storehouse row (all materials; `tables` may be null) or of the name of an offcut of the
// slot. When random draws keep failing, the first free number from 1 up is taken, so the name is
// found even in a storehouse that holds every R1..R9000.
std::string NewOffcutName(const LayoutSlot& slot, JobTables* tables, const RandomDraw& draw);

}  // namespace kelvara
