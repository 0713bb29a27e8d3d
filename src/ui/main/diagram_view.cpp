#include "ui/main/diagram_view.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "layout/cut_lines.h"
#include "layout/offcuts.h"
#include "layout/viewing_modes.h"
#include "ui/main/diagram_geometry.h"
#include "ui/main/diagram_icons.h"

namespace kelvara {
namespace {

enum : int {
  kMsgScale = 103,
  kMsgShowHideCutLines = 110,
  kMsgStoreOffcuts = 111,
  kMsgUnmarkAllOffcuts = 112,
  kMsgSheetsPartsOffcuts = 198,
  kMsgViewUnique = 268,
  kMsgViewAll = 269,
  kMsgViewingMode = 270,
  kMsgRefresh = 315,
};

constexpr int kWheelStep = 5;  // scroll positions per wheel notch
constexpr int kNarrowestBox = 100;
constexpr char kDisposed[] = "kelvaraDisposed";

}  // namespace

OffcutNameEditor::OffcutNameEditor(QWidget* parent) : QLineEdit(parent) {
  setObjectName(QStringLiteral("ERname"));
  setMaxLength(50);
  hide();
}

void OffcutNameEditor::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    emit applied();
    return;
  }
  if (e->key() == Qt::Key_Escape) {
    emit closed();
    return;
  }
  QLineEdit::keyPressEvent(e);
}

void OffcutNameEditor::mouseDoubleClickEvent(QMouseEvent*) { emit closed(); }

DiagramView::DiagramView(LayoutModel& model, JobTables& tables, Options& options, const MessageTable& messages,
                         const MaterialTextures& textures, QWidget* parent)
    : QWidget(parent),
      ctx_{model, tables, options, messages, textures},
      undo_(model, this),
      draw_(MakeRandomDraw()) {
  setObjectName(QStringLiteral("diagramView"));
  ctx_.events = this;

  // Toolbar pieces.
  scaleBox_ = new QWidget(this);
  auto* scaleRow = new QHBoxLayout(scaleBox_);
  scaleRow->setContentsMargins(2, 0, 2, 0);
  scaleRow->setSpacing(3);
  scaleLabel_ = new QLabel(scaleBox_);
  bS = new QSpinBox(scaleBox_);
  bS->setObjectName(QStringLiteral("bS"));
  bS->setRange(0, 1000);
  bS->setSingleStep(1);
  bS->setValue(100);
  bS->setKeyboardTracking(false);
  bS->installEventFilter(this);
  bSApply = new QToolButton(scaleBox_);
  bSApply->setObjectName(QStringLiteral("bSApply"));
  bSApply->setIcon(MakeDiagramIcon(DiagramIcon::ApplyScale));
  bSApply->setAutoRaise(true);
  scaleRow->addWidget(scaleLabel_);
  scaleRow->addWidget(bS);
  scaleRow->addWidget(bSApply);
  connect(bSApply, &QToolButton::clicked, this, &DiagramView::ApplyScale);

  auto action = [this](DiagramIcon icon, const char* name) {
    auto* a = new QAction(MakeDiagramIcon(icon), QString(), this);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  bRdelete = action(DiagramIcon::UnmarkOffcuts, "bRdelete");
  bRS = action(DiagramIcon::StoreOffcuts, "bRS");
  bVR = action(DiagramIcon::CutLines, "bVR");
  bRefresh = action(DiagramIcon::Refresh, "bRefresh");
  bVL = action(DiagramIcon::ViewingMode, "bVL");
  viewingMenu = new QMenu(this);
  MenuItem4 = viewingMenu->addAction(QString());
  MenuItem5 = viewingMenu->addAction(QString());
  MenuItem4->setObjectName(QStringLiteral("MenuItem4"));
  MenuItem5->setObjectName(QStringLiteral("MenuItem5"));
  bVL->setMenu(viewingMenu);
  undoAction = action(DiagramIcon::Undo, "undoEdit");
  redoAction = action(DiagramIcon::Redo, "redoEdit");
  undoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
  redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  for (QAction* a : {undoAction, redoAction}) {
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    a->setToolTip(a->shortcut().toString(QKeySequence::NativeText));
    addAction(a);
  }
  connect(bRdelete, &QAction::triggered, this, &DiagramView::UnmarkAllOffcuts);
  connect(bRS, &QAction::triggered, this, &DiagramView::StoreOffcuts);
  connect(bVR, &QAction::triggered, this, &DiagramView::ToggleCutLines);
  connect(bRefresh, &QAction::triggered, this, &DiagramView::Refresh);
  connect(MenuItem4, &QAction::triggered, this, &DiagramView::ViewUniqueDiagrams);
  connect(MenuItem5, &QAction::triggered, this, &DiagramView::ViewAllDiagrams);
  connect(undoAction, &QAction::triggered, this, &DiagramView::Undo);
  connect(redoAction, &QAction::triggered, this, &DiagramView::Redo);
  connect(&undo_.group(), &QUndoGroup::canUndoChanged, this, [this] { UpdateCommandStates(); });
  connect(&undo_.group(), &QUndoGroup::canRedoChanged, this, [this] { UpdateCommandStates(); });
  connect(&undo_, &LayoutUndo::restored, this, &DiagramView::Restored);

  // The panels.
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  PSD = new CollapsiblePanel(CollapsiblePanel::Side::Left, 145, this);
  PSD->setObjectName(QStringLiteral("PSD"));
  sLD = new QLabel(PSD->content());
  sLD->setObjectName(QStringLiteral("sLD"));
  QFont infoFont(QStringLiteral("Arial"));
  infoFont.setPixelSize(15);
  sLD->setFont(infoFont);
  sLD->setWordWrap(true);
  sLD->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PSD->contentLayout()->addWidget(sLD, 1);
  connect(PSD, &CollapsiblePanel::expandedChanged, this,
          [this] { PSD->SetCaption(ctx_.Msg(kMsgSheetsPartsOffcuts)); });

  SBR = new QScrollArea(this);
  SBR->setObjectName(QStringLiteral("SBR"));
  SBR->setWidgetResizable(false);
  SBR->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SBR->setFocusPolicy(Qt::StrongFocus);
  SBR->setBackgroundRole(QPalette::Dark);
  SBR->viewport()->installEventFilter(this);
  SBR->viewport()->setMouseTracking(true);
  sheetsBox_ = new QWidget;
  sheetsBox_->setObjectName(QStringLiteral("sheetsBox"));
  sheetsBox_->setMouseTracking(true);
  sheetsBox_->resize(0, 0);
  SBR->setWidget(sheetsBox_);
  ERname = new OffcutNameEditor(sheetsBox_);
  connect(ERname, &OffcutNameEditor::applied, this, &DiagramView::ApplyName);
  connect(ERname, &OffcutNameEditor::closed, this, &DiagramView::CloseNameEditor);
  row->addWidget(PSD);
  row->addWidget(SBR, 1);
  column->addLayout(row, 1);
  PUD = new UnplacedPanel(ctx_, this);
  column->addWidget(PUD);

  relayout_ = new QTimer(this);
  relayout_->setSingleShot(true);
  relayout_->setInterval(50);
  connect(relayout_, &QTimer::timeout, this, &DiagramView::FollowBoxWidth);

  GBSR = new SavedOffcutsPanel(ctx_, this);
  connect(GBSR, &SavedOffcutsPanel::saveRequested, this, &DiagramView::SaveMarkedOffcuts);

  // The first show of the window: 100 % and the information panel folded.
  PSD->SetExpanded(false);
  Retranslate();
  UpdateCommandStates();
}

DiagramView::~DiagramView() { ctx_.events = nullptr; }

QList<QAction*> DiagramView::commandActions() const {
  return {bRdelete, bRS, bVR, bRefresh, bVL, undoAction, redoAction};
}

void DiagramView::Retranslate() {
  scaleLabel_->setText(ctx_.Msg(kMsgScale));
  bS->setToolTip(ctx_.Msg(kMsgScale));
  bSApply->setToolTip(ctx_.Msg(kMsgScale));
  auto set = [this](QAction* a, int msg) {
    a->setText(ctx_.Msg(msg));
    a->setToolTip(ctx_.Msg(msg));
  };
  set(bRdelete, kMsgUnmarkAllOffcuts);
  set(bRS, kMsgStoreOffcuts);
  set(bVR, kMsgShowHideCutLines);
  set(bRefresh, kMsgRefresh);
  set(bVL, kMsgViewingMode);
  MenuItem4->setText(ctx_.Msg(kMsgViewUnique));
  MenuItem5->setText(ctx_.Msg(kMsgViewAll));
  PSD->SetCaption(ctx_.Msg(kMsgSheetsPartsOffcuts));
  PUD->Retranslate();
  GBSR->Retranslate();
}

// Pictures.

bool DiagramView::Disposed(const QWidget* w) const { return w->property(kDisposed).toBool(); }

void DiagramView::Dispose(QWidget* picture) {
  if (!picture || Disposed(picture)) return;
  picture->setProperty(kDisposed, true);
  picture->hide();
  // The picture a drag started from lives until the drag has ended.
  if (picture == dragSource_.data()) return;
  picture->deleteLater();
}

std::vector<SheetPicture*> DiagramView::SheetPictures() const { return sheets_; }

SheetPicture* DiagramView::SheetPictureOf(int material, int sheet) const {
  for (SheetPicture* s : sheets_)
    if (s->material() == material && s->index() == sheet) return s;
  return nullptr;
}

std::vector<PartPicture*> DiagramView::PartPictures(const SheetPicture* sheet) const {
  std::vector<PartPicture*> out;
  if (!sheet) return out;
  for (PartPicture* p : sheet->findChildren<PartPicture*>(QString(), Qt::FindDirectChildrenOnly))
    if (!Disposed(p)) out.push_back(p);
  return out;
}

std::vector<OffcutPicture*> DiagramView::OffcutPictures(const SheetPicture* sheet) const {
  std::vector<OffcutPicture*> out;
  if (!sheet) return out;
  for (OffcutPicture* p : sheet->findChildren<OffcutPicture*>(QString(), Qt::FindDirectChildrenOnly))
    if (!Disposed(p)) out.push_back(p);
  return out;
}

std::vector<PartPicture*> DiagramView::UnplacedPictures() const {
  std::vector<PartPicture*> out;
  for (PartPicture* p : PUD->pictures()->findChildren<PartPicture*>(QString(), Qt::FindDirectChildrenOnly))
    if (!Disposed(p)) out.push_back(p);
  return out;
}

bool DiagramView::HasSheetPictures() const { return !sheets_.empty(); }

void DiagramView::ClearSheets() {
  for (SheetPicture* s : sheets_) {
    for (PartPicture* p : PartPictures(s))
      if (p == dragSource_.data()) Dispose(p);
    Dispose(s);
  }
  sheets_.clear();
}

void DiagramView::ClearUnplaced() {
  for (PartPicture* p : UnplacedPictures()) Dispose(p);
  PUD->pictures()->resize(0, 0);
}

void DiagramView::FillSheet(SheetPicture* sheet) {
  for (PartPicture* p : PartPictures(sheet)) Dispose(p);
  for (OffcutPicture* o : OffcutPictures(sheet)) Dispose(o);
  const List* record = sheet->Record();
  if (!record) return;
  sheet->TakeCopies(*record);
  const LayoutSlot& slot = ctx_.View();
  const int m = sheet->material(), k = sheet->index();
  const std::string name = ctx_.tables.MaterialName(m);
  for (const Detail& d : slot.LayoutDetails[m]) {
    if (d.Placed != 1 || d.Sheet != k) continue;
    auto* p = new PartPicture(ctx_, PartCopy::Of(d, m, k, name, ctx_.scale), sheet);
    p->setGeometry(PartPictureRect(d, ctx_.scale));
    p->show();
  }
  for (const RestM& o : slot.OffcutLists) {
    if (o.Sheet != k || o.Num != m) continue;
    auto* p = new OffcutPicture(ctx_, OffcutCopy::Of(o), sheet);
    p->setGeometry(OffcutPictureRect(o, ctx_.scale));
    p->show();
  }
  sheet->update();
}

void DiagramView::BuildDiagramPage(float zoom) {
  ZoomFactor = zoom;
  undo_.FollowViewSlot();
  UpdateViewingModeItems();
  sLD->clear();
  CloseNameEditor();
  sheetsBox_->hide();
  SBR->verticalScrollBar()->setValue(0);
  ClearSheets();

  builtWidth_ = SBR->viewport()->width();
  // A box narrower than the margins would give a negative scale.
  const DiagramPlan plan = PlanDiagramPage(ctx_.View(), std::max(builtWidth_, kNarrowestBox), zoom);
  if (plan.sheets.empty()) {
    // Nothing laid out: the page stays empty, and no picture of an earlier result stays.
    ClearUnplaced();
    sheetsBox_->resize(0, 0);
    UpdateCommandStates();
    return;
  }
  ctx_.scale = plan.scale;
  sheetsBox_->resize(plan.extent);
  const LayoutSlot& slot = ctx_.View();
  for (const SheetPlace& place : plan.sheets) {
    const List& record = slot.LayoutSheets[place.material][place.sheet];
    auto* sheet = new SheetPicture(ctx_, SheetCopy::Of(record, place.material, place.sheet,
                                                       ctx_.tables.MaterialName(place.material)),
                                   sheetsBox_);
    sheet->setGeometry(place.rect);
    sheet->show();
    sheets_.push_back(sheet);
    FillSheet(sheet);
  }
  BuildUnplacedPanel(ctx_.scale);
  sheetsBox_->show();
  UpdateCommandStates();
}

void DiagramView::BuildUnplacedPanel(float scale) {
  ClearUnplaced();
  const std::vector<UnplacedPlace> places = PlanUnplacedPanel(ctx_.View(), scale);
  if (places.empty()) return;
  QWidget* box = PUD->pictures();
  box->hide();
  PUD->SBU->verticalScrollBar()->setValue(0);
  const LayoutSlot& slot = ctx_.View();
  int right = 0, bottom = 0;
  for (const UnplacedPlace& place : places) {
    const Detail* d = FindPart(slot, place.material, place.serial);
    if (!d) continue;
    PartCopy copy = PartCopy::Of(*d, place.material, -1, ctx_.tables.MaterialName(place.material), scale);
    copy.turned = place.turned;
    copy.unplacedCount = UnplacedCount(slot, d->NC);
    auto* p = new PartPicture(ctx_, copy, box);
    p->setGeometry(place.rect);
    p->show();
    right = std::max(right, place.rect.right() + 1);
    bottom = std::max(bottom, place.rect.bottom() + 1);
  }
  box->resize(right + 5, bottom + 5);
  box->show();
}

void DiagramView::BuildCutLines() {
  kelvara::BuildCutLines(ctx_.model.View(), ctx_.model.MaterialKW, ctx_.options.PartsLocation);
  for (SheetPicture* s : sheets_) {
    if (const List* r = s->Record()) s->TakeCopies(*r);
    s->update();
  }
}

void DiagramView::RefreshSheets() {
  for (SheetPicture* s : sheets_) FillSheet(s);
}

// The page and its commands.

void DiagramView::ApplyScale() {
  bS->interpretText();
  if (bS->value() <= 25) bS->setValue(25);
  BuildDiagramPage(static_cast<float>(bS->value()) / 100.0f);
}

void DiagramView::SlotFilled() {
  undo_.ForgetSlot(ctx_.model.ViewSlot);
  allDiagrams_.erase(ctx_.model.ViewSlot);
  BuildDiagramPage(ZoomFactor);
}

void DiagramView::PageShown() {
  GBSR->hide();
  PSD->SetCaption(ctx_.Msg(kMsgSheetsPartsOffcuts));
  UpdateCommandStates();
}

void DiagramView::UpdateCommandStates() {
  const bool on = HasSheetPictures();
  bS->setEnabled(on);
  bSApply->setEnabled(on);
  for (QAction* a : {bRdelete, bRS, bVR, bVL}) a->setEnabled(on);
  undoAction->setEnabled(undo_.CanUndo());
  redoAction->setEnabled(undo_.CanRedo());
  emit resultCommandsEnabled(on);
}

bool DiagramView::AllDiagramsShown() const {
  const auto it = allDiagrams_.find(ctx_.model.ViewSlot);
  return it != allDiagrams_.end() && it->second;
}

void DiagramView::SetAllDiagramsShown(bool all) {
  allDiagrams_[ctx_.model.ViewSlot] = all;
  UpdateViewingModeItems();
}

void DiagramView::UpdateViewingModeItems() {
  const bool all = AllDiagramsShown();
  MenuItem4->setEnabled(all);
  MenuItem5->setEnabled(!all);
}

void DiagramView::ToggleCutLines() {
  ctx_.showCutLines = !ctx_.showCutLines;
  BuildCutLines();
}

void DiagramView::Refresh() {
  BuildUnplacedPanel(ctx_.scale);
  BuildCutLines();
}

void DiagramView::StoreOffcuts() {
  GBSR->move(SBR->x() + SBR->width() / 2 - GBSR->width() / 2, SBR->y() + SBR->height() / 2 - GBSR->height() / 2);
  GBSR->raise();
  GBSR->show();
}

void DiagramView::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (GBSR->isVisible()) StoreOffcuts();
}

void DiagramView::FollowBoxWidth() {
  if (!HasSheetPictures() || SBR->viewport()->width() == builtWidth_) return;
  if (ERname->isVisible() || drag_.source != DragSourceKind::None) {
    relayout_->start();  // not while a name is typed or a part is dragged
    return;
  }
  QScrollBar* bar = SBR->verticalScrollBar();
  const double at = bar->maximum() > 0 ? static_cast<double>(bar->value()) / bar->maximum() : 0.0;
  BuildDiagramPage(ZoomFactor);
  bar->setValue(static_cast<int>(at * bar->maximum() + 0.5));
}

// Hover texts and focus.

void DiagramView::ShowInfo(const InfoText& info) {
  PSD->SetCaption(info.caption);
  sLD->setText(info.Text());
}

void DiagramView::FocusDiagrams() {
  if (!ERname->isVisible() && !SBR->hasFocus()) SBR->setFocus(Qt::MouseFocusReason);
}

void DiagramView::HoverSheet(SheetPicture* sheet) {
  FocusDiagrams();
  if (!PSD->Expanded()) return;
  ShowInfo(SheetInfo(sheet->copy(), ctx_.options, ctx_.messages));
}

void DiagramView::HoverPart(PartPicture* part) {
  FocusDiagrams();
  if (!PSD->Expanded()) return;
  const auto* sheet = qobject_cast<SheetPicture*>(part->parentWidget());
  ShowInfo(PartInfo(part->copy(), part->copy().onSheet && sheet ? &sheet->copy() : nullptr, ctx_.options,
                    ctx_.messages));
}

void DiagramView::HoverOffcut(OffcutPicture* offcut) {
  FocusDiagrams();
  if (!PSD->Expanded()) return;
  const auto* sheet = qobject_cast<SheetPicture*>(offcut->parentWidget());
  if (sheet) ShowInfo(OffcutInfo(offcut->copy(), sheet->copy(), ctx_.options, ctx_.messages));
}

bool DiagramView::eventFilter(QObject* watched, QEvent* e) {
  if (watched == SBR->viewport()) {
    if (e->type() == QEvent::Wheel) {
      auto* w = static_cast<QWheelEvent*>(e);
      wheelRest_ += w->angleDelta().y();
      const int notches = wheelRest_ / 120;
      wheelRest_ -= notches * 120;
      QScrollBar* bar = SBR->verticalScrollBar();
      bar->setValue(bar->value() - notches * kWheelStep);
      return true;
    }
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) FocusDiagrams();
    if (e->type() == QEvent::Resize && HasSheetPictures() && SBR->viewport()->width() != builtWidth_)
      relayout_->start();
  }
  if (watched == bS && e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ApplyScale();
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

}  // namespace kelvara
