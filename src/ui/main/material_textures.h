#pragma once
// The textures of the materials: 25 built-in ones drawn in code (wood grains and plain
// colours), then one per picture material, cut from the top-left corner of its picture.
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <vector>

#include "model/material_list.h"

namespace kelvara {

class MaterialTextures {
 public:
  static constexpr int kSmall = 16;
  static constexpr int kLarge = 32;

  // Built-in texture `index` (0..24) drawn at `size` pixels; a gray square for another index.
  static QImage BuiltInTexture(int index, int size);

  // Picture check for MaterialList::Load: true when the file holds an image; the image is kept
  // for Build.
  bool ReadPicture(const std::string& path);

  // The three texture lists for `list`, indexed by material number.
  void Build(const MaterialList& list, const QString& programFolder);

  int Count() const { return static_cast<int>(small_.size()); }
  // Shown in the material boxes and the Material menu, tiled in the diagrams.
  const QPixmap& Small(int m) const;
  // Shown by the storehouse's material list.
  const QPixmap& Large(int m) const;
  // Drawn stretched beside the names in the grids: the small texture of a built-in material,
  // the large one of a picture material.
  const QPixmap& Grid(int m) const;
  QIcon SmallIcon(int m) const { return QIcon(Small(m)); }

 private:
  const QPixmap& Pick(const std::vector<QPixmap>& list, int m) const;

  std::vector<QPixmap> small_, large_, grid_;
  QHash<QString, QImage> pictures_;
  QPixmap fallback_;
};

}  // namespace kelvara
