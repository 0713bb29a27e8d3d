#pragma once
// The diagram area of the "Layout Diagrams" page: the information panel PSD, the box SBR of
// sheet pictures, the unplaced parts panel PUD, the saved offcuts panel and the offcut name
// editor, with the commands that work on them. It shows and edits the viewed slot of the
// layout model; every rule of an edit is the layout library's, and every edit can be undone.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "layout/placement_edits.h"
#include "layout/random_draw.h"
#include "ui/main/collapsible_panel.h"
#include "ui/main/diagram_context.h"
#include "ui/main/diagram_info_text.h"
#include "ui/main/layout_undo.h"
#include "ui/main/offcut_picture.h"
#include "ui/main/part_picture.h"
#include "ui/main/saved_offcuts_panel.h"
#include "ui/main/sheet_picture.h"
#include "ui/main/unplaced_panel.h"

namespace kelvara {

// ERname: Enter applies the name, Esc or a double click closes it unchanged.
class OffcutNameEditor : public QLineEdit {
  Q_OBJECT
 public:
  explicit OffcutNameEditor(QWidget* parent);
  std::int32_t offcutId = 0;  // the tag: Id of the offcut being named

 signals:
  void applied();
  void closed();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
};

class DiagramView : public QWidget, private DiagramEvents {
  Q_OBJECT
 public:
  DiagramView(LayoutModel& model, JobTables& tables, Options& options, const MessageTable& messages,
              const MaterialTextures& textures, QWidget* parent);
  ~DiagramView() override;

  // Toolbar pieces for the page: the scale label with bS and its button, and the commands.
  QWidget* scaleBox() const { return scaleBox_; }
  QList<QAction*> commandActions() const;

  QSpinBox* bS = nullptr;
  QToolButton* bSApply = nullptr;
  QAction* bRdelete = nullptr;  // "Unmark All Offcuts"
  QAction* bRS = nullptr;       // "Store Offcuts"
  QAction* bVR = nullptr;       // "Show/Hide Cut Lines"
  QAction* bRefresh = nullptr;  // "Refresh"
  QAction* bVL = nullptr;       // "Diagrams Viewing Mode"
  QMenu* viewingMenu = nullptr;
  QAction* MenuItem4 = nullptr;  // "View Unique Diagrams Only"
  QAction* MenuItem5 = nullptr;  // "View All Diagrams"
  QAction* undoAction = nullptr;  // Ctrl+Z
  QAction* redoAction = nullptr;  // Ctrl+Y
  CollapsiblePanel* PSD = nullptr;
  QLabel* sLD = nullptr;
  QScrollArea* SBR = nullptr;
  UnplacedPanel* PUD = nullptr;
  SavedOffcutsPanel* GBSR = nullptr;
  OffcutNameEditor* ERname = nullptr;

  float DiagramScale() const { return ctx_.scale; }
  float ZoomFactor = 1.0f;
  bool ShowCutLines() const { return ctx_.showCutLines; }

  // Rebuilds every picture of the viewed slot at `zoom`.
  void BuildDiagramPage(float zoom);
  // Rebuilds the pictures of the unplaced parts at `scale`.
  void BuildUnplacedPanel(float scale);
  // Rebuilds the cut lines of the viewed slot and repaints the sheets.
  void BuildCutLines();

  // The scale edit's Enter or button: 25 at least, then the page at the new zoom.
  void ApplyScale();
  // After a calculation or a loaded layout has filled the viewed slot: its former edits are
  // gone, unique diagrams are shown, the page is built.
  void SlotFilled();
  // The page came into view: the saved offcuts panel hides, the caption is reset.
  void PageShown();
  bool HasSheetPictures() const;
  void UpdateCommandStates();
  void Retranslate();

  // Commands.
  void ToggleCutLines();
  void Refresh();
  void UnmarkAllOffcuts();
  void StoreOffcuts();  // shows the saved offcuts panel
  void SaveMarkedOffcuts();
  void ViewUniqueDiagrams();
  void ViewAllDiagrams();
  void Undo();
  void Redo();
  LayoutUndo& undo() { return undo_; }
  // The random source of offcut ids and names (tests give a fixed one).
  void SetRandomDraw(RandomDraw draw) { draw_ = std::move(draw); }

  // The pictures on show.
  std::vector<SheetPicture*> SheetPictures() const;
  SheetPicture* SheetPictureOf(int material, int sheet) const;
  std::vector<PartPicture*> PartPictures(const SheetPicture* sheet) const;
  std::vector<OffcutPicture*> OffcutPictures(const SheetPicture* sheet) const;
  std::vector<PartPicture*> UnplacedPictures() const;
  QWidget* sheetsBox() const { return sheetsBox_; }

  // A drag of a part picture, in steps (the mouse drives them through QDrag; tests call them).
  bool BeginDrag(PartPicture* part);
  QPixmap DragImage() const;
  const DragState& drag() const { return drag_; }
  void EndDrag();

  // DiagramEvents, public for the tests.
  void HoverSheet(SheetPicture* sheet) override;
  void HoverPart(PartPicture* part) override;
  void HoverOffcut(OffcutPicture* offcut) override;
  void SheetClicked(SheetPicture* sheet, QPoint at) override;
  void SheetAltRightPressed(SheetPicture* sheet) override;
  void PartTurnPressed(PartPicture* part) override;
  void PartDragStarted(PartPicture* part) override;
  void OffcutUnmarkPressed(OffcutPicture* offcut) override;
  void OffcutNamePressed(OffcutPicture* offcut) override;
  bool DragOverSheet(SheetPicture* sheet, QPoint at) override;
  bool DropOnSheet(SheetPicture* sheet, QPoint at) override;
  bool DragOverPanel() override;
  bool DropOnPanel() override;

  void ApplyName();
  void CloseNameEditor();

 signals:
  // The result commands of the page follow: on when sheet pictures are shown.
  void resultCommandsEnabled(bool on);
  // Rows went into the storehouse.
  void storehouseChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // Runs `change` on the viewed slot as one undoable edit named `text`; `material` -1 takes
  // every material. True when it changed the slot.
  bool Edit(const QString& text, int material, const std::function<bool()>& change);
  void Restored(int slot, bool allDiagrams);
  // The part and offcut pictures of a sheet picture again from the model, its copies renewed.
  void FillSheet(SheetPicture* sheet);
  void RefreshSheets();
  void Dispose(QWidget* picture);
  bool Disposed(const QWidget* w) const;
  void ClearSheets();
  void ClearUnplaced();
  void ShowInfo(const InfoText& info);
  void OpenNameEditor(SheetPicture* sheet, OffcutPicture* offcut);
  void FocusDiagrams();
  bool AllDiagramsShown() const;
  void SetAllDiagramsShown(bool all);
  void UpdateViewingModeItems();
  QString UndoText(int msg) const;
  // The box got wider or narrower (window, information panel): the pictures follow.
  void FollowBoxWidth();

  DiagramContext ctx_;
  LayoutUndo undo_;
  RandomDraw draw_;
  QWidget* scaleBox_ = nullptr;
  QLabel* scaleLabel_ = nullptr;
  QWidget* sheetsBox_ = nullptr;  // the widget inside SBR the sheet pictures stand on
  std::vector<SheetPicture*> sheets_;
  DragState drag_;
  QPointer<PartPicture> dragSource_;
  std::map<int, bool> allDiagrams_;  // per slot: "View All Diagrams" was chosen last
  int wheelRest_ = 0;
  int builtWidth_ = 0;  // client width of SBR at the last build
  QTimer* relayout_ = nullptr;
};

}  // namespace kelvara
