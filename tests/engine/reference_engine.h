#pragma once
// A plain, literal implementation of the calculation driver and the guillotine placement, on the
// whole Detail records with linear scans and full buffer resets. The engine must give exactly
// its results; it is slow and exists only for that comparison.
#include <cstdint>

#include "engine/calculation_driver.h"
#include "engine/layout_model.h"
#include "engine/random_source.h"

namespace kelvara::test {

void ReferenceCalculate(LayoutSlot& slot, const CalculationSettings& settings, RandomSource& random);

}  // namespace kelvara::test
