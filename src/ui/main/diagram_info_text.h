#pragma once
// The hover texts of the information panel: what a sheet, part or offcut picture tells about
// itself, numbers through the result factors, decimals and units of the options.
#include <QString>
#include <QStringList>

#include "model/messages.h"
#include "model/options.h"
#include "ui/main/offcut_picture.h"
#include "ui/main/part_picture.h"
#include "ui/main/sheet_picture.h"

namespace kelvara {

struct InfoText {
  QString caption;
  QStringList lines;
  QString Text() const { return lines.join(QLatin1Char('\n')); }
};

// The nine lines of a sheet: number, size, material, parts, copies, waste, marked offcuts,
// cut length, notes.
QStringList SheetBlock(const SheetCopy& sheet, const Options& o, const MessageTable& m);

InfoText SheetInfo(const SheetCopy& sheet, const Options& o, const MessageTable& m);
// `sheet` is the sheet picture the part lies on, null in the unplaced panel.
InfoText PartInfo(const PartCopy& part, const SheetCopy* sheet, const Options& o, const MessageTable& m);
InfoText OffcutInfo(const OffcutCopy& offcut, const SheetCopy& sheet, const Options& o, const MessageTable& m);

}  // namespace kelvara
