#pragma once
// A diagram view on a layout model of its own, with slots built from field values, a fixed
// random source and scripted answers; and a field-by-field comparison of slots.
#include <QApplication>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "model/job_tables.h"
#include "ui/main/diagram_view.h"

namespace kelvara::uitest {

inline constexpr int kMaterials = 25;
inline constexpr int kOak = 3;  // a material with white frames and texts

// Answers every question Yes (or from `answers`) and keeps the status texts.
struct DiagramUi : ModelUi {
  QStringList asked;
  QList<bool> answers;
  std::vector<std::string> statuses;
  bool Ask(const std::string& text) override {
    asked << QString::fromStdString(text);
    return answers.isEmpty() ? true : answers.takeFirst();
  }
  void ShowStatus(const std::string& text, int, int) override { statuses.push_back(text); }
};

inline List SheetRecord(float x, float y, std::uint16_t nc, float trim = 0) {
  List s;
  s.X = x;
  s.Y = y;
  s.TL = s.TT = s.TR = s.TB = trim;
  s.UseX = x - 2 * trim;
  s.UseY = y - 2 * trim;
  s.NC = nc;
  s.Area = x * y;
  s.FreeArea = s.Area;
  return s;
}

inline Detail PartRecord(std::int32_t serial, std::uint16_t nc, float x, float y, std::uint8_t rotation = 0) {
  Detail d;
  d.Serial = serial;
  d.NC = nc;
  d.X = x;
  d.Y = y;
  d.Area = x * y;
  d.Rotation = rotation;
  return d;
}

struct DiagramFixture {
  Options options;
  MessageTable messages;
  DiagramUi ui;
  JobTables tables{options, messages, ui};
  LayoutModel model;
  MaterialTextures textures;
  std::unique_ptr<DiagramView> view;
  std::uint32_t nextDraw = 1234;

  DiagramFixture() {
    model.MaterialCount = kMaterials;
    model.MaterialKW.assign(kMaterials, 0.0f);
    model.SheetCounts.assign(kMaterials, 0);
    model.DetailCounts.assign(kMaterials, 0);
    for (int i = 0; i < LayoutModel::kSlots; ++i) model.Slot(i).Reset(kMaterials);
    textures.Build(tables.materials, QString());
  }

  LayoutSlot& slot() { return model.View(); }
  std::vector<List>& sheets(int m = kOak) { return slot().LayoutSheets[m]; }
  std::vector<Detail>& parts(int m = kOak) { return slot().LayoutDetails[m]; }

  int AddSheet(List s, int m = kOak) {
    s.Num = static_cast<std::uint8_t>(m);
    s.Serial = static_cast<std::int32_t>(sheets(m).size());
    sheets(m).push_back(s);
    slot().MaterialActive[m] = 1;
    return static_cast<int>(sheets(m).size()) - 1;
  }
  // A part laid out by sheet k at (x, y); the sheet's counters follow.
  void Place(Detail d, int k, float x, float y, bool rotated = false, int m = kOak) {
    d.Num = static_cast<std::uint8_t>(m);
    d.Placed = 1;
    d.Sheet = k;
    d.PosX = x;
    d.PosY = y;
    d.Rotated = rotated ? 1 : 0;
    parts(m).push_back(d);
    List& s = sheets(m)[k];
    s.PlacedCount++;
    s.Used = 1;
    if (s.Copies == 0) s.Copies = 1;
    s.FreeArea -= d.Area;
  }
  // A copy of the part that a repetition of sheet k carries (no position of its own).
  void OnRepetition(Detail d, int k, int m = kOak) {
    d.Num = static_cast<std::uint8_t>(m);
    d.Placed = 1;
    d.Sheet = k;
    parts(m).push_back(d);
  }
  void Unplaced(Detail d, int m = kOak) {
    d.Num = static_cast<std::uint8_t>(m);
    parts(m).push_back(d);
  }
  // Sheet r repeats sheet k.
  void Repeat(int r, int k, int m = kOak) {
    List& s = sheets(m)[r];
    s.Used = 1;
    s.CopyOf = k;
    s.PlacedCount = 0;
    s.Copies = 0;
    sheets(m)[k].Copies++;
  }

  // The view with its sheet box `clientWidth` pixels wide.
  DiagramView& Open(int clientWidth = 1040, int height = 700) {
    view = std::make_unique<DiagramView>(model, tables, options, messages, textures, nullptr);
    view->SetRandomDraw([this](std::uint32_t n) { return nextDraw++ % n; });
    view->resize(clientWidth + 200, height);
    view->show();
    QApplication::processEvents();
    for (int i = 0; i < 4 && view->SBR->viewport()->width() != clientWidth; ++i) {
      view->resize(view->width() + clientWidth - view->SBR->viewport()->width(), height);
      QApplication::processEvents();
    }
    return *view;
  }
  void Build(float zoom = 1.0f) {
    view->BuildDiagramPage(zoom);
    QApplication::processEvents();
  }

  SheetPicture* SheetPic(int k, int m = kOak) { return view->SheetPictureOf(m, k); }
  PartPicture* PartPic(std::int32_t serial) {
    for (SheetPicture* s : view->SheetPictures())
      for (PartPicture* p : view->PartPictures(s))
        if (p->copy().Serial == serial) return p;
    for (PartPicture* p : view->UnplacedPictures())
      if (p->copy().Serial == serial) return p;
    return nullptr;
  }
  // The pixel of a sheet position.
  QPoint Pixel(double x, double y) const {
    return QPoint(static_cast<int>(x * view->DiagramScale()), static_cast<int>(y * view->DiagramScale()));
  }

  // A drag of `part` over `target` at `at` and a drop there, through the widgets' drag events.
  bool DragTo(PartPicture* part, QWidget* target, QPoint at) {
    if (!view->BeginDrag(part)) return false;
    QMimeData mime;
    mime.setData(kPartMimeType, QByteArray::number(part->copy().Serial));
    QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    bool dropped = false;
    if (move.isAccepted()) {
      QDropEvent drop(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &drop);
      dropped = drop.isAccepted();
    }
    view->EndDrag();
    QApplication::processEvents();
    return dropped;
  }
};

// Every field of two slots, so that an undo can be checked to give the model back exactly.
inline bool SameSheets(const List& a, const List& b) {
  if (a.Cuts.size() != b.Cuts.size()) return false;
  for (std::size_t i = 0; i < a.Cuts.size(); ++i) {
    const CutLine &x = a.Cuts[i], &y = b.Cuts[i];
    if (x.X != y.X || x.Y != y.Y || x.W != y.W || x.H != y.H || x.SideL != y.SideL || x.SideT != y.SideT ||
        x.SideR != y.SideR || x.SideB != y.SideB)
      return false;
  }
  return a.X == b.X && a.Y == b.Y && a.UseX == b.UseX && a.UseY == b.UseY && a.Serial == b.Serial && a.NC == b.NC &&
         a.Num == b.Num && a.PRT == b.PRT && a.TL == b.TL && a.TT == b.TT && a.TR == b.TR && a.TB == b.TB &&
         a.PlacedCount == b.PlacedCount && a.Used == b.Used && a.Note == b.Note && a.Area == b.Area &&
         a.OffcutArea == b.OffcutArea && a.FreeArea == b.FreeArea && a.CutLength == b.CutLength &&
         a.Copies == b.Copies && a.CopyOf == b.CopyOf && a.Pr == b.Pr && a.FirstCut == b.FirstCut &&
         a.Transposed == b.Transposed;
}

inline bool SameParts(const Detail& a, const Detail& b) {
  return a.X == b.X && a.Y == b.Y && a.Serial == b.Serial && a.Num == b.Num && a.PosX == b.PosX && a.PosY == b.PosY &&
         a.NC == b.NC && a.Sheet == b.Sheet && a.Rotation == b.Rotation && a.Rotated == b.Rotated &&
         a.Placed == b.Placed && a.Area == b.Area && a.NameE == b.NameE && a.EL == b.EL && a.ET == b.ET &&
         a.ER == b.ER && a.EB == b.EB && a.NameEL == b.NameEL && a.NameET == b.NameET && a.NameER == b.NameER &&
         a.NameEB == b.NameEB && a.PD == b.PD && a.Spare68 == b.Spare68 && a.Note == b.Note && a.NoteG == b.NoteG &&
         a.Fold == b.Fold && a.SetZ == b.SetZ && a.Zakaz == b.Zakaz && a.Spare92 == b.Spare92 &&
         a.Spare96 == b.Spare96 && a.LabelMark == b.LabelMark && a.Dist1 == b.Dist1 && a.Unused == b.Unused;
}

inline bool SameOffcuts(const RestM& a, const RestM& b) {
  return a.Area == b.Area && a.PosX == b.PosX && a.PosY == b.PosY && a.W == b.W && a.H == b.H &&
         a.Copies == b.Copies && a.Id == b.Id && a.Sheet == b.Sheet && a.Num == b.Num && a.Name == b.Name;
}

inline bool SameSlot(const LayoutSlot& a, const LayoutSlot& b) {
  if (a.MaterialActive != b.MaterialActive || a.LayoutSheets.size() != b.LayoutSheets.size() ||
      a.LayoutDetails.size() != b.LayoutDetails.size() || a.OffcutLists.size() != b.OffcutLists.size())
    return false;
  for (std::size_t m = 0; m < a.LayoutSheets.size(); ++m) {
    if (a.LayoutSheets[m].size() != b.LayoutSheets[m].size() || a.LayoutDetails[m].size() != b.LayoutDetails[m].size())
      return false;
    for (std::size_t i = 0; i < a.LayoutSheets[m].size(); ++i)
      if (!SameSheets(a.LayoutSheets[m][i], b.LayoutSheets[m][i])) return false;
    for (std::size_t i = 0; i < a.LayoutDetails[m].size(); ++i)
      if (!SameParts(a.LayoutDetails[m][i], b.LayoutDetails[m][i])) return false;
  }
  for (std::size_t i = 0; i < a.OffcutLists.size(); ++i)
    if (!SameOffcuts(a.OffcutLists[i], b.OffcutLists[i])) return false;
  return true;
}

}  // namespace kelvara::uitest
