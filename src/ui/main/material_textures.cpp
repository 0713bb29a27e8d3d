#include "ui/main/material_textures.h"

#include <QDir>
#include <QPainter>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace kelvara {
namespace {

struct TextureLook {
  int r, g, b;
  bool wood;
  double rings;     // grain lines across the height
  double contrast;  // depth of the grain
};

// In the order of the built-in names: sixteen woods, then nine plain colours.
constexpr std::array<TextureLook, MaterialList::kBuiltIn> kLooks{{
    {92, 60, 38, true, 5, 0.30},     // Bkwalnut
    {206, 170, 122, true, 3, 0.22},  // Brett
    {158, 80, 44, true, 4, 0.25},    // Cherry
    {178, 104, 62, true, 6, 0.22},   // Cherrywd
    {178, 172, 158, true, 5, 0.18},  // Eichesil
    {196, 158, 102, true, 4, 0.24},  // Eichgepl
    {210, 170, 112, true, 5, 0.22},  // Eurooak
    {232, 202, 142, true, 3, 0.20},  // Kiefer
    {168, 88, 54, true, 5, 0.24},    // Kirschb
    {118, 48, 34, true, 6, 0.28},    // Mahagoni
    {136, 60, 40, true, 4, 0.26},    // Mahogony
    {236, 214, 172, true, 4, 0.12},  // Maple
    {162, 122, 82, true, 5, 0.24},   // Nussbhl
    {182, 110, 80, true, 4, 0.26},   // Redoak
    {150, 112, 72, true, 6, 0.26},   // Tutash
    {222, 206, 172, true, 3, 0.16},  // Ashsen
    {128, 0, 0, false, 0, 0},        // Maroon
    {0, 128, 0, false, 0, 0},        // Green
    {128, 128, 0, false, 0, 0},      // Olive
    {0, 0, 128, false, 0, 0},        // Navy
    {128, 0, 128, false, 0, 0},      // Purple
    {0, 128, 128, false, 0, 0},      // Teal
    {128, 128, 128, false, 0, 0},    // Gray
    {192, 192, 192, false, 0, 0},    // Silver
    {0, 0, 255, false, 0, 0},        // Blue
}};

// A repeatable value in -1..1 for a grid point of a texture.
double Hash(int index, int x, int y) {
  std::uint32_t h = static_cast<std::uint32_t>(index) * 374761393u + static_cast<std::uint32_t>(x) * 668265263u +
                    static_cast<std::uint32_t>(y) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFF) / 32767.5 - 1.0;
}

int Clamp255(double v) { return v < 0 ? 0 : (v > 255 ? 255 : static_cast<int>(v + 0.5)); }

}  // namespace

QImage MaterialTextures::BuiltInTexture(int index, int size) {
  QImage img(size, size, QImage::Format_RGB32);
  if (index < 0 || index >= static_cast<int>(kLooks.size())) {
    img.fill(QColor(160, 160, 160));
    return img;
  }
  const TextureLook& look = kLooks[static_cast<std::size_t>(index)];
  if (!look.wood) {
    img.fill(QColor(look.r, look.g, look.b));
    return img;
  }
  // Grain along X: lines across the height, bent by two waves of whole periods so that the
  // texture tiles without seams; fine noise on a 32-pixel lattice gives the same look at both sizes.
  constexpr double kTwoPi = 2 * std::numbers::pi;
  const double phase = (Hash(index, 1, 2) + 1) * std::numbers::pi;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double u = (x + 0.5) / size, v = (y + 0.5) / size;
      const double bend = 0.10 * std::sin(kTwoPi * u + phase) + 0.05 * std::sin(kTwoPi * 2 * u + 2 * phase);
      const double t = look.rings * (v + bend);
      const double grain = std::pow(0.5 + 0.5 * std::sin(kTwoPi * t), 3.0);
      const int lx = x * 32 / size, ly = y * 32 / size;
      const double fine = 0.05 * Hash(index, lx, ly) + 0.03 * Hash(index + 99, lx / 4, ly);
      const double k = 1.0 - look.contrast * grain + fine;
      img.setPixel(x, y, qRgb(Clamp255(look.r * k), Clamp255(look.g * k), Clamp255(look.b * k)));
    }
  }
  return img;
}

bool MaterialTextures::ReadPicture(const std::string& path) {
  QImage img(QString::fromStdString(path));
  if (img.isNull()) return false;
  pictures_.insert(QDir::cleanPath(QString::fromStdString(path)), img);
  return true;
}

void MaterialTextures::Build(const MaterialList& list, const QString& programFolder) {
  small_.clear();
  large_.clear();
  grid_.clear();
  fallback_ = QPixmap::fromImage(BuiltInTexture(-1, kSmall));
  for (int m = 0; m < list.Count(); ++m) {
    if (m < MaterialList::kBuiltIn) {
      const QPixmap s = QPixmap::fromImage(BuiltInTexture(m, kSmall));
      small_.push_back(s);
      large_.push_back(QPixmap::fromImage(BuiltInTexture(m, kLarge)));
      grid_.push_back(s);
      continue;
    }
    const QString path =
        QDir::cleanPath(programFolder + "/Materials/" + QString::fromStdString(list.PictureFile(m)));
    QImage img = pictures_.value(path);
    if (img.isNull()) img.load(path);
    if (img.isNull()) img = BuiltInTexture(-1, kLarge);
    // Cut, not scaled: the top-left corner of the picture.
    const QImage large = img.copy(0, 0, kLarge, kLarge).convertToFormat(QImage::Format_RGB32);
    const QPixmap l = QPixmap::fromImage(large);
    large_.push_back(l);
    small_.push_back(QPixmap::fromImage(large.copy(0, 0, kSmall, kSmall)));
    grid_.push_back(l);
  }
  pictures_.clear();
}

const QPixmap& MaterialTextures::Pick(const std::vector<QPixmap>& list, int m) const {
  if (m < 0 || m >= static_cast<int>(list.size())) return fallback_;
  return list[static_cast<std::size_t>(m)];
}

const QPixmap& MaterialTextures::Small(int m) const { return Pick(small_, m); }
const QPixmap& MaterialTextures::Large(int m) const { return Pick(large_, m); }
const QPixmap& MaterialTextures::Grid(int m) const { return Pick(grid_, m); }

}  // namespace kelvara
