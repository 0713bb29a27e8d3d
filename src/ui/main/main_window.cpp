#include "ui/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QStatusBar>
#include <QVBoxLayout>
#include <iostream>

#include "ui/main/diagram_view.h"
#include "ui/tools/about_window.h"
#include "ui/tools/tool_window.h"

namespace kelvara {
namespace {

constexpr int kMsgWelcome = 30;
constexpr int kWelcomeSeconds = 10;

}  // namespace

MainWindow::MainWindow(const QString& programFolder, SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent),
      folder_(programFolder),
      settings_(settings),
      tables_(options_, messages_, *this),
      files_(tables_, model_.ShapeList, settings_),
      commands_(tables_, model_.ShapeList) {
  setObjectName("TfrmMain");
  if (!folder_.endsWith('/')) folder_ += '/';
  tables_.programFolder = folder_.toStdString();
  // The material list: the built-in materials, then the pictures of "Materials" that load.
  tables_.materials = MaterialList::Load(tables_.programFolder,
                                         [this](const std::string& path) { return textures_.ReadPicture(path); });
  textures_.Build(tables_.materials, folder_);
  model_.WriteSlot = 0;
  ctx_ = std::make_unique<WindowContext>(
      WindowContext{options_, messages_, tables_, model_, textures_, commands_, prompts_, *this, this});
  BuildWindow();
  ConnectCommands();
  LoadSkin();
  menu_.Retranslate(messages_);
}

MainWindow::~MainWindow() {
  // The pages observe the tables and the calculation thread works on the model: they go
  // before the state they refer to (child widgets would otherwise outlive the members).
  delete takeCentralWidget();
}

void MainWindow::BuildWindow() {
  setWindowTitle("Kelvara 3");
  menu_.Build(menuBar(), this);
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  pages_ = new QTabWidget(central);
  pages_->setObjectName("pages");
  pages_->setDocumentMode(true);
  dataPage_ = new DataPage(*ctx_, pages_);
  diagramsPage_ = new DiagramsPage(messages_, pages_);
  diagramsPage_->AttachDiagramView(new DiagramView(model_, tables_, options_, messages_, textures_, diagramsPage_));
  storehousePage_ = new StorehousePage(*ctx_, pages_);
  optionsPage_ = new OptionsPage(*ctx_, pages_);
  for (QWidget* page : {static_cast<QWidget*>(dataPage_), static_cast<QWidget*>(diagramsPage_),
                        static_cast<QWidget*>(storehousePage_), static_cast<QWidget*>(optionsPage_)})
    pages_->addTab(page, QString());
  calc_ = new CalculationControl(messages_, model_, central);
  column->addWidget(pages_, 1);
  column->addWidget(calc_);
  setCentralWidget(central);
  status_ = new StatusPanel(this);
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(true);
  // F9 anywhere in the window, whichever page shows.
  addAction(dataPage_->runCalculation);
  resize(1280, 800);
}

void MainWindow::LoadSkin() {
  const auto stored = settings_.ReadString(kKeySkinName);
  const QString path = stored ? QString::fromStdString(*stored) : folder_ + "Skins/vista.skn";
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return;  // no skin: the default look
  const QString sheet = QString::fromUtf8(f.readAll());
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) app->setStyleSheet(sheet);
}

void MainWindow::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!firstShown_) FirstShow();
}

void MainWindow::MarkLastRow(JobGrid* grid) {
  Table& t = grid->table();
  grid->UnmarkAll();
  if (t.Empty()) return;
  t.Last();
  grid->FollowTable();
  grid->MarkRow(t.Position());
}

void MainWindow::FirstShow() {
  if (firstShown_) return;
  firstShown_ = true;
  pages_->setCurrentIndex(kPageData);

  // Load steps 1 to 9; the material menu between steps 1 and 3.
  files_.LoadOptions();
  ApplyOptions();
  menu_.BuildMaterials(tables_.materials.Names(), textures_, this);
  for (QAction* a : menu_.materials)
    connect(a, &QAction::triggered, this, [this, a] { ChooseMenuMaterial(a->data().toInt()); });
  files_.ClearMaterialBoxes();
  if (files_.LoadMaterialNames()) files_.LoadSawWidths();
  files_.FillMaterialBoxes();
  dataPage_->FillMaterialBoxes();
  for (std::size_t i = 0; i < menu_.materials.size(); ++i)
    menu_.materials[i]->setText(QString::fromStdString(tables_.MaterialName(static_cast<int>(i))));
  files_.LoadJob();
  files_.LoadStorehouse();
  files_.LoadOutlines();
  files_.LoadNotes();

  dataPage_->RefreshNotesPickList();
  dataPage_->RefreshBandBoxes();
  dataPage_->SelectMaterial(tables_.CurrentMaterial());
  storehousePage_->FillMaterialList();
  storehousePage_->SelectMaterial(0);
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid, optionsPage_->materialsGrid, optionsPage_->bandsGrid,
                     storehousePage_->grid})
    MarkLastRow(g);

  const Table& d = tables_.rxD;
  if (d.Empty()) {
    tables_.LastRotation = 0;
  } else {
    const auto* r = std::get_if<std::int64_t>(&d.GetAt(d.Count() - 1, "Rotation"));
    tables_.LastRotation = r && *r > 0 ? static_cast<int>(*r) : 0;
  }

  ShowStatus(messages_.Msg(kMsgWelcome), kIconNone, kWelcomeSeconds);
  tables_.LastOrderNo.clear();
  ApplyLanguage();
  UpdateCommandStates();
  files_.LoadGridWidths();
  ApplyGridWidths();
}

void MainWindow::ApplyGridWidths() {
  const GridWidths& w = files_.gridWidths;
  for (std::size_t i = 0; i < w.sheets.size(); ++i)
    if (w.sheets[i]) dataPage_->sheetsGrid->SetColumnWidthOf(static_cast<int>(i), *w.sheets[i]);
  for (std::size_t i = 0; i < w.parts.size(); ++i)
    if (w.parts[i]) dataPage_->partsGrid->SetColumnWidthOf(static_cast<int>(i), *w.parts[i]);
}

void MainWindow::TakeGridWidths() {
  GridWidths& w = files_.gridWidths;
  for (std::size_t i = 0; i < w.sheets.size(); ++i) w.sheets[i] = dataPage_->sheetsGrid->ColumnWidth(static_cast<int>(i));
  for (std::size_t i = 0; i < w.parts.size(); ++i) w.parts[i] = dataPage_->partsGrid->ColumnWidth(static_cast<int>(i));
}

bool MainWindow::SaveAll() {
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid, optionsPage_->materialsGrid, optionsPage_->bandsGrid,
                     optionsPage_->notesGrid, storehousePage_->grid})
    g->FinishEditing();
  for (Table* t : {&tables_.rxM, &tables_.rxD, &tables_.rxOM, &tables_.rxT, &tables_.rxN, &tables_.rxMat})
    if (t->state() != TableState::Browse) t->Post();
  // The panel widths as the window shows them.
  const QList<int> sheets = dataPage_->splitter->sizes();
  if (!sheets.isEmpty() && sheets[0] > 0) options_.SheetsPanelWidth = sheets[0];
  const QList<int> categories = optionsPage_->splitter->sizes();
  if (!categories.isEmpty() && categories[0] > 0) options_.OptionsListWidth = categories[0];
  const QList<int> store = storehousePage_->splitter->sizes();
  if (!store.isEmpty() && store[0] > 0) options_.StorehouseListWidth = store[0];
  TakeGridWidths();
  const SaveReport report = files_.SaveAll();
  for (const auto& f : report.failed) std::cerr << "kelvara3: could not write " << f << "\n";
  return report.ok();
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (calc_->Running()) {  // refused while the calculation panel shows
    e->ignore();
    return;
  }
  if (firstShown_) SaveAll();
  e->accept();
}

void MainWindow::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  // Activation shows the table menus again; only where the tables are shown.
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) menu_.ShowTableMenus(currentPage_ == kPageData);
}

void MainWindow::ApplyOptions() {
  auto split = [](QSplitter* s, int first) {
    const QList<int> sizes = s->sizes();
    int total = 0;
    for (int v : sizes) total += v;
    if (total <= first) total = first + 600;
    s->setSizes({first, total - first});
  };
  split(dataPage_->splitter, options_.SheetsPanelWidth > 0 ? options_.SheetsPanelWidth : 400);
  split(optionsPage_->splitter, options_.OptionsListWidth > 0 ? options_.OptionsListWidth : 250);
  split(storehousePage_->splitter, options_.StorehouseListWidth > 0 ? options_.StorehouseListWidth : 250);
  dataPage_->ApplyColumnOptions();
}

void MainWindow::ApplyLanguage() {
  messages_.SetLanguage(options_.Language);
  if (options_.Language == kPolish) {
    std::string error;
    if (!messages_.LoadPolishTerms(tables_.programFolder + "TermsP.txt", &error))
      prompts_->Error(this, QString::fromStdString(error));
  }
  menu_.Retranslate(messages_);
  const int pageMsg = 4;  // "Data Preparing" and the three pages after it
  for (int i = 0; i < pages_->count(); ++i) pages_->setTabText(i, QString::fromStdString(messages_.Msg(pageMsg + i)));
  dataPage_->Retranslate();
  diagramsPage_->Retranslate();
  storehousePage_->Retranslate();
  optionsPage_->Retranslate();
  calc_->Retranslate();
  if (retranslateOthers) retranslateOthers();
  dataPage_->ApplyColumnOptions();
}

void MainWindow::ShowPage(int page) {
  if (page >= 0 && page < pages_->count()) pages_->setCurrentIndex(page);
}

void MainWindow::OnPageChanged(int page) {
  for (JobGrid* g : {dataPage_->sheetsGrid, dataPage_->partsGrid}) g->FinishEditing();
  currentPage_ = page;
  const bool data = page == kPageData;
  menu_.ShowTableMenus(data);
  if (data) {
    dataPage_->RefreshNotesPickList();
    tables_.rxD.First();
    dataPage_->partsGrid->FollowTable();
  } else if (page == kPageDiagrams) {
    diagramsPage_->PageShown();
  }
  UpdateCommandStates();
}

void MainWindow::UpdateCommandStates() {
  const bool data = currentPage_ == kPageData;
  const bool rows = !tables_.rxM.Empty() || !tables_.rxD.Empty();
  dataPage_->UpdateCommandStates(layoutExists_);
  menu_.deleteSelected->setEnabled(rows && data);
  for (QAction* a : menu_.sortBy) a->setEnabled(rows && data);
  menu_.sort->menuAction()->setEnabled(rows);
  menu_.selectAll->setEnabled(data);
  menu_.clearTables->setEnabled(data);
  for (QAction* a : menu_.materials) a->setEnabled(data);
  optionsPage_->UpdateCommandStates();
}

void MainWindow::RefreshDiagrams() { diagramsPage_->ShowSlot(); }

QString MainWindow::DialogFolder() const {
  return files_.dialogFolder.empty() ? folder_ : QString::fromStdString(files_.dialogFolder);
}

// ModelUi.

void MainWindow::ShowStatus(const std::string& text, int icon, int seconds) {
  status_->ShowStatus(QString::fromStdString(text), icon, seconds);
}
void MainWindow::Warning(const std::string& text) { prompts_->Warning(this, QString::fromStdString(text)); }
void MainWindow::Information(const std::string& text) { prompts_->Information(this, QString::fromStdString(text)); }
void MainWindow::Error(const std::string& text) { prompts_->Error(this, QString::fromStdString(text)); }
bool MainWindow::Ask(const std::string& text) { return prompts_->Ask(this, QString::fromStdString(text)); }
void MainWindow::SwitchToDataPage() { pages_->setCurrentIndex(kPageData); }

void MainWindow::FocusGrid(Grid grid) {
  JobGrid* g = nullptr;
  switch (grid) {
    case Grid::Sheets: g = dataPage_->sheetsGrid; break;
    case Grid::Parts: g = dataPage_->partsGrid; break;
    case Grid::Materials: g = optionsPage_->materialsGrid; break;
    case Grid::Bands: g = optionsPage_->bandsGrid; break;
    case Grid::Notes: g = optionsPage_->notesGrid; break;
    case Grid::Storehouse: g = storehousePage_->grid; break;
    default: break;
  }
  if (!g) return;
  g->FollowTable();
  g->setFocus();
}

void MainWindow::MaterialRenamed(int num, const std::string& oldName, const std::string& newName) {
  const QString from = QString::fromStdString(oldName), to = QString::fromStdString(newName);
  for (QComboBox* box : {dataPage_->sheetsMaterialBox, dataPage_->partsMaterialBox}) {
    const int at = box->findText(from);
    if (at >= 0) box->setItemText(at, to);
  }
  if (num >= 0 && num < static_cast<int>(menu_.materials.size())) menu_.materials[static_cast<std::size_t>(num)]->setText(to);
  storehousePage_->RenameMaterial(num, to);
}

void MainWindow::BandsChanged() { dataPage_->RefreshBandBoxes(); }

}  // namespace kelvara
