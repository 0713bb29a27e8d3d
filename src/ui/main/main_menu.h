#pragma once
// The main menu of the main window: "Main", "Material", "Tools", "Sort by..." and "Help", with
// their shortcuts.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "model/messages.h"
#include "ui/main/material_textures.h"

namespace kelvara {

struct MainMenu {
  QMenu* main = nullptr;
  QMenu* material = nullptr;
  QMenu* tools = nullptr;
  QMenu* sort = nullptr;
  QMenu* help = nullptr;
  QMenu* import = nullptr;

  std::vector<QAction*> pages;  // Data Preparing, Layout Diagrams, Material Storehouse, Options
  QAction* exportItem = nullptr;  // never visible or enabled
  QAction* importText = nullptr;
  QAction* importKelvara2 = nullptr;
  QAction* exitSeparator = nullptr;
  QAction* exit = nullptr;
  std::vector<QAction*> materials;  // one per material
  QAction* selectAll = nullptr;
  QAction* clearTables = nullptr;
  QAction* deleteSelected = nullptr;
  std::vector<QAction*> sortBy;  // Material, Length(X), Height(Y), Quantity
  QAction* content = nullptr;
  QAction* homepage = nullptr;
  QAction* about = nullptr;

  void Build(QMenuBar* bar, QWidget* owner);
  // Material items: caption = name, picture = small texture; the item index is the material.
  void BuildMaterials(const std::vector<std::string>& names, const MaterialTextures& textures, QWidget* owner);
  void Retranslate(const MessageTable& messages);
  // The menus that belong to the tables page.
  void ShowTableMenus(bool visible);
};

}  // namespace kelvara
