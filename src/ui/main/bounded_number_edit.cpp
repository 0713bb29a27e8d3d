#include "ui/main/bounded_number_edit.h"

#include <QKeyEvent>
#include <algorithm>
#include <QRegularExpressionValidator>

#include "core/number_text.h"

namespace kelvara {

BoundedNumberEdit::BoundedNumberEdit(double minimum, double maximum, int decimals, QWidget* parent)
    : QLineEdit(parent), min_(minimum), max_(maximum), decimals_(decimals) {
  const QString pattern = decimals > 0 ? "[0-9]*([.,][0-9]*)?" : "[0-9]*";
  setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
  connect(this, &QLineEdit::textEdited, this, &BoundedNumberEdit::Clamp);
  setValue(minimum);
}

double BoundedNumberEdit::value() const {
  const auto v = ParseNumber(text().toStdString());
  if (!v) return min_;
  return std::clamp(*v, min_, max_);
}

void BoundedNumberEdit::setValue(double v) {
  v = std::clamp(v, min_, max_);
  setText(QString::fromStdString(decimals_ > 0 ? FormatShortest(v) : std::to_string(static_cast<long long>(v))));
}

void BoundedNumberEdit::keyPressEvent(QKeyEvent* e) {
  if (e->text() == "-") {
    e->accept();
    return;
  }
  QLineEdit::keyPressEvent(e);
}

void BoundedNumberEdit::Clamp(const QString& text) {
  const auto v = ParseNumber(text.toStdString());
  if (!v) return;  // empty while typing
  if (*v > max_) setValue(max_);
  else if (*v < min_) setValue(min_);
}

}  // namespace kelvara
