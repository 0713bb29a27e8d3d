#pragma once
// The "Material Storehouse" page: the material list and the storehouse grid of the chosen
// material. Its commands come with the storehouse.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QWidget>

#include "ui/main/job_grid.h"
#include "ui/main/window_context.h"

namespace kelvara {

class StorehousePage : public QWidget {
  Q_OBJECT
 public:
  StorehousePage(WindowContext& ctx, QWidget* parent);

  QListWidget* materialList = nullptr;
  JobGrid* grid = nullptr;
  QPushButton* moveToSheets = nullptr;
  QSplitter* splitter = nullptr;

  // One item per rxOM row: its name and large texture.
  void FillMaterialList();
  void RenameMaterial(int material, const QString& name);
  // Selects a material and shows its rows.
  void SelectMaterial(int material);
  void Retranslate();

 private:
  WindowContext& ctx_;
  QLabel* title_ = nullptr;
};

}  // namespace kelvara
