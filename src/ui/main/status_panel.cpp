#include "ui/main/status_panel.h"

#include <QHBoxLayout>

#include "ui/main/icons.h"

namespace kelvara {

StatusPanel::StatusPanel(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 0, 4, 0);
  row->setSpacing(6);
  picture_ = new QLabel(this);
  picture_->setFixedSize(16, 16);
  text_ = new QLabel(this);
  text_->setObjectName("statusText");
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  row->addWidget(picture_);
  row->addWidget(text_, 1);
  timer_.setInterval(1000);
  connect(&timer_, &QTimer::timeout, this, &StatusPanel::Tick);
}

void StatusPanel::ShowStatus(const QString& text, int icon, int seconds) {
  icon_ = (icon == 1 || icon == 2) ? icon : 0;
  text_->setText(text);
  picture_->setPixmap(StatusIconPixmap(icon_));
  seconds_ = seconds;
  since_.start();
  if (seconds > 0) timer_.start();
  else timer_.stop();
  repaint();
}

void StatusPanel::Tick() {
  if (since_.elapsed() <= static_cast<qint64>(seconds_) * 1000) return;
  timer_.stop();
  icon_ = 0;
  text_->clear();
  picture_->clear();
}

}  // namespace kelvara
