#pragma once
// The image a dragged part picture shows: its shape with the longer side 64 pixels, sky blue,
// the count of copies it carries at the top right and its row number in blue in the middle.
#include <QPixmap>
#include <QSize>

namespace kelvara {

// The image size for a picture of `picture`: the longer side 64, the other scaled and rounded
// half to even (at least 1).
QSize DragImageSize(QSize picture);

QPixmap MakeDragImage(QSize picture, int copies, int nc, bool turned);

}  // namespace kelvara
