#pragma once
// One segment, header or marker of an AutoCAD part outline.
#include <cstdint>

namespace kelvara {

struct ShapeRecord {
  float W = -1, H = -1, X1 = -1, Y1 = -1, X2 = -1, Y2 = -1, CX = -1, CY = -1, Radius = -1;
  char Kind = 0;  // 'b' header, '1' line, '2' clockwise arc, '3' counter-clockwise arc, 'R', 'E'
  std::int32_t Id = 0;
};

}  // namespace kelvara
