#include "ui/main/diagram_info_text.h"

#include "core/number_text.h"

namespace kelvara {
namespace {

enum : int {
  kMsgMaterial = 1,
  kMsgNotes = 53,
  kMsgSheetNo = 59,
  kMsgSize = 60,
  kMsgQuantityOfParts = 61,
  kMsgQuantityOfCopies = 62,
  kMsgWaste = 63,
  kMsgMarkedOffcuts = 64,
  kMsgPartNo = 65,
  kMsgRotated = 66,
  kMsgNotRotated = 67,
  kMsgPart = 69,
  kMsgSheet = 106,
  kMsgOffcut = 179,
  kMsgCutLength = 183,
};

QString M(const MessageTable& m, int n) { return QString::fromStdString(m.Msg(n)); }
QString S(const std::string& s) { return QString::fromStdString(s); }
QString Percent(float v) { return S(Trim(FormatFixed(v, 1))); }

}  // namespace

QStringList SheetBlock(const SheetCopy& s, const Options& o, const MessageTable& m) {
  const QString sheetUnit = S(o.SheetsLinearUnit);
  auto len = [&](float v) { return ResultNumber(v, o.SheetsLinearFactor, o.SheetsLinearDecimals); };
  auto area = [&](float v) { return ResultNumber(v, o.SheetsAreaFactor, o.SheetsAreaDecimals); };
  return {
      M(m, kMsgSheetNo) + " " + QString::number(s.NC),
      M(m, kMsgSize) + ": " + len(s.X) + " x " + len(s.Y) + " " + sheetUnit,
      M(m, kMsgMaterial) + ": " + S(s.materialName),
      M(m, kMsgQuantityOfParts) + QString::number(s.PlacedCount),
      M(m, kMsgQuantityOfCopies) + ": " + QString::number(s.Copies),
      M(m, kMsgWaste) + ": " + area(s.FreeArea) + " (" + Percent(s.FreePercent) + "%)",
      M(m, kMsgMarkedOffcuts) + area(s.OffcutArea) + " (" + Percent(s.OffcutPercent) + "%)",
      M(m, kMsgCutLength) + ": " + len(s.CutLength) + " " + sheetUnit,
      M(m, kMsgNotes) + ": " + S(s.Note),
  };
}

InfoText SheetInfo(const SheetCopy& sheet, const Options& o, const MessageTable& m) {
  InfoText t{M(m, kMsgSheet), {" "}};
  t.lines << SheetBlock(sheet, o, m);
  return t;
}

InfoText PartInfo(const PartCopy& part, const SheetCopy* sheet, const Options& o, const MessageTable& m) {
  auto len = [&](float v) { return ResultNumber(v, o.PartsLinearFactor, o.PartsLinearDecimals); };
  InfoText t{M(m, kMsgPart), {" "}};
  t.lines << M(m, kMsgPartNo) + " " + QString::number(part.NC) + (part.PD == 'A' ? " (AutoCad)" : "");
  t.lines << M(m, kMsgSize) + ": " + len(part.X) + " x " + len(part.Y) + " " + S(o.PartsLinearUnit);
  t.lines << M(m, part.turned ? kMsgRotated : kMsgNotRotated);
  if (!sheet) {
    t.lines << M(m, kMsgMaterial) + ": " + S(part.materialName);
    t.lines << M(m, kMsgQuantityOfParts) + QString::number(part.unplacedCount);
  }
  t.lines << M(m, kMsgNotes) + ": " + S(part.Note);
  if (sheet) {
    t.lines << " " << " ";
    t.lines << SheetBlock(*sheet, o, m);
  }
  return t;
}

InfoText OffcutInfo(const OffcutCopy& offcut, const SheetCopy& sheet, const Options& o, const MessageTable& m) {
  auto len = [&](float v) { return ResultNumber(v, o.PartsLinearFactor, o.PartsLinearDecimals); };
  InfoText t{M(m, kMsgOffcut), {" "}};
  t.lines << M(m, kMsgSize) + ": " + len(offcut.W) + " x " + len(offcut.H) + " " + S(o.PartsLinearUnit);
  t.lines << S(offcut.Name);
  t.lines << " " << " ";
  t.lines << SheetBlock(sheet, o, m);
  return t;
}

}  // namespace kelvara
