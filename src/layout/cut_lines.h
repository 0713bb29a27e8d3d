#pragma once
// The guillotine cut lines of every laid-out sheet and their total length.
#include <cstdint>
#include <vector>

#include "engine/layout_model.h"

namespace kelvara {

// Rebuilds Cuts and CutLength of every sheet of every active material of the slot that has
// sheets and parts, from its placed parts and marked offcuts; `materialKW` gives the saw width
// per material, `partsLocation` is the option (1: bottom-up). Repetition sheets (CopyOf >= 0)
// and sheets without placed parts get an empty list and CutLength 0.
void BuildCutLines(LayoutSlot& slot, const std::vector<float>& materialKW, std::uint8_t partsLocation);

// The same for one sheet.
void BuildSheetCutLines(LayoutSlot& slot, int material, int sheet, double kw, std::uint8_t partsLocation);

}  // namespace kelvara
