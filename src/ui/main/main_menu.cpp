#include "ui/main/main_menu.h"

namespace kelvara {
namespace {

enum : int {
  kMsgMain = 0,
  kMsgMaterial = 1,
  kMsgSortBy = 2,
  kMsgHelp = 3,
  kMsgDataPreparing = 4,  // then the other three pages
  kMsgExport = 8,
  kMsgImport = 9,
  kMsgExit = 10,
  kMsgSelectAll = 11,
  kMsgClearTables = 12,
  kMsgDeleteSelectedRows = 13,
  kMsgSortMaterial = 14,  // then Length(X), Height(Y), Quantity
  kMsgContent = 18,
  kMsgHomepage = 19,
  kMsgAbout = 20,
  kMsgTools = 29,
  kMsgFromTextFile = 151,
  kMsgFromKelvara2 = 160,
};

QString Text(const MessageTable& m, int n) { return QString::fromStdString(m.Msg(n)); }

}  // namespace

void MainMenu::Build(QMenuBar* bar, QWidget* owner) {
  main = bar->addMenu(QString());
  const Qt::Key pageKeys[] = {Qt::Key_D, Qt::Key_L, Qt::Key_M, Qt::Key_O};
  for (Qt::Key k : pageKeys) {
    QAction* a = main->addAction(QString());
    a->setShortcut(QKeySequence(Qt::CTRL | k));
    owner->addAction(a);  // page keys work whatever the page shows
    pages.push_back(a);
  }
  main->addSeparator();
  exportItem = main->addAction(QString());
  exportItem->setVisible(false);
  exportItem->setEnabled(false);
  import = main->addMenu(QString());
  importText = import->addAction(QString());
  importKelvara2 = import->addAction(QString());
  exitSeparator = main->addSeparator();
  exit = main->addAction(QString());

  material = bar->addMenu(QString());
  material->setObjectName("materialMenu");

  tools = bar->addMenu(QString());
  selectAll = tools->addAction(QString());
  selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  clearTables = tools->addAction(QString());
  deleteSelected = tools->addAction(QString());

  sort = bar->addMenu(QString());
  for (int i = 0; i < 4; ++i) sortBy.push_back(sort->addAction(QString()));

  help = bar->addMenu(QString());
  content = help->addAction(QString());
  content->setShortcut(QKeySequence(Qt::Key_F1));
  owner->addAction(content);
  homepage = help->addAction(QString());
  help->addSeparator();
  about = help->addAction(QString());
}

void MainMenu::BuildMaterials(const std::vector<std::string>& names, const MaterialTextures& textures,
                              QWidget* owner) {
  for (QAction* a : materials) delete a;
  materials.clear();
  material->clear();
  for (std::size_t i = 0; i < names.size(); ++i) {
    QAction* a = material->addAction(textures.SmallIcon(static_cast<int>(i)), QString::fromStdString(names[i]));
    a->setData(static_cast<int>(i));
    a->setParent(owner);
    materials.push_back(a);
  }
}

void MainMenu::Retranslate(const MessageTable& m) {
  main->setTitle(Text(m, kMsgMain));
  material->setTitle(Text(m, kMsgMaterial));
  tools->setTitle(Text(m, kMsgTools));
  sort->setTitle(Text(m, kMsgSortBy));
  help->setTitle(Text(m, kMsgHelp));
  for (int i = 0; i < 4; ++i) pages[static_cast<std::size_t>(i)]->setText(Text(m, kMsgDataPreparing + i));
  exportItem->setText(Text(m, kMsgExport));
  import->setTitle(Text(m, kMsgImport));
  importText->setText(Text(m, kMsgFromTextFile));
  importKelvara2->setText(Text(m, kMsgFromKelvara2));
  exit->setText(Text(m, kMsgExit));
  selectAll->setText(Text(m, kMsgSelectAll));
  clearTables->setText(Text(m, kMsgClearTables));
  deleteSelected->setText(Text(m, kMsgDeleteSelectedRows));
  for (int i = 0; i < 4; ++i) sortBy[static_cast<std::size_t>(i)]->setText(Text(m, kMsgSortMaterial + i));
  content->setText(Text(m, kMsgContent));
  homepage->setText(Text(m, kMsgHomepage));
  about->setText(Text(m, kMsgAbout));
}

void MainMenu::ShowTableMenus(bool visible) {
  material->menuAction()->setVisible(visible);
  tools->menuAction()->setVisible(visible);
  sort->menuAction()->setVisible(visible);
  import->menuAction()->setVisible(visible);
  exitSeparator->setVisible(visible);
  exportItem->setVisible(false);
}

}  // namespace kelvara
