#include "ui/main/floating_dialog.h"

#include <QGuiApplication>
#include <QScreen>

namespace kelvara {
namespace {
constexpr int kMsgCancel = 116;
}

FloatingDialog::FloatingDialog(const MessageTable& messages, QWidget* parent)
    : QDialog(parent, Qt::Tool), messages_(messages) {
  ok_ = new QPushButton(this);
  cancel_ = new QPushButton(this);
  ok_->setDefault(true);
  ok_->setObjectName("ok");
  cancel_->setObjectName("cancel");
  connect(ok_, &QPushButton::clicked, this, &FloatingDialog::okPressed);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::hide);
}

void FloatingDialog::Retranslate() {
  ok_->setText("Ok");
  cancel_->setText(QString::fromStdString(messages_.Msg(kMsgCancel)));
}

void FloatingDialog::ShowCentredOver(QWidget* over, int dx, int dy) {
  adjustSize();
  if (over) {
    const QPoint centre = over->mapToGlobal(over->rect().center());
    move(centre.x() - width() / 2 + dx, centre.y() - height() / 2 + dy);
  }
  show();
  raise();
  activateWindow();
}

void FloatingDialog::ShowAtMouse(const QPoint& globalPos, int left) {
  adjustSize();
  int x = globalPos.x() - left;
  int y = globalPos.y();
  const QScreen* screen = QGuiApplication::screenAt(globalPos);
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 4096, 4096);
  if (y + height() + 20 > area.bottom()) y = globalPos.y() - height() - 20;
  x = std::max(area.left(), std::min(x, area.right() - width()));
  move(x, std::max(area.top(), y));
  show();
  raise();
  activateWindow();
}

}  // namespace kelvara
