#include "ui/tools/about_window.h"

#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

namespace kelvara {
namespace {
constexpr int kMsgAbout = 20;
constexpr int kMsgVersion = 158;
constexpr int kPictureWidth = 286;
constexpr int kPictureHeight = 105;
}  // namespace

QPixmap AboutWindow::Picture() {
  QPixmap pm(kPictureWidth, kPictureHeight);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, kPictureHeight);
  g.setColorAt(0, QColor(44, 72, 120));
  g.setColorAt(1, QColor(20, 36, 70));
  p.fillRect(pm.rect(), g);
  // A sheet with a guillotine layout.
  const QRectF sheet(14, 14, 110, 77);
  p.fillRect(sheet, QColor(214, 178, 120));
  p.setPen(QPen(QColor(60, 40, 20), 1.5));
  p.drawRect(sheet);
  p.drawLine(QPointF(64, 14), QPointF(64, 91));
  p.drawLine(QPointF(14, 52), QPointF(64, 52));
  p.drawLine(QPointF(64, 40), QPointF(124, 40));
  p.drawLine(QPointF(98, 40), QPointF(98, 91));
  p.fillRect(QRectF(99, 41, 24.5, 49.5), QColor(150, 150, 150, 160));
  QFont f("Liberation Sans");
  f.setPixelSize(30);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(136, 18, 150, 44), Qt::AlignLeft | Qt::AlignVCenter, "Kelvara 3");
  f.setPixelSize(12);
  f.setBold(false);
  p.setFont(f);
  p.setPen(QColor(200, 215, 240));
  p.drawText(QRectF(138, 60, 148, 30), Qt::AlignLeft | Qt::AlignTop, "Cutting layouts of sheets");
  return pm;
}

AboutWindow::AboutWindow(const MessageTable& messages, QWidget* parent) : QDialog(parent), messages_(messages) {
  setObjectName("TfrmAbout");
  auto* column = new QVBoxLayout(this);
  picture_ = new QLabel(this);
  picture_->setPixmap(Picture());
  picture_->setAlignment(Qt::AlignCenter);
  version_ = new QLabel(this);
  lines_ = new QLabel(this);
  links_ = new QLabel(this);
  links_->setOpenExternalLinks(true);
  links_->setTextFormat(Qt::RichText);
  ok_ = new QPushButton("Ok", this);
  ok_->setDefault(true);
  for (QLabel* l : {version_, lines_, links_}) l->setAlignment(Qt::AlignCenter);
  column->addWidget(picture_);
  column->addWidget(version_);
  column->addWidget(lines_);
  column->addWidget(links_);
  column->addWidget(ok_, 0, Qt::AlignCenter);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  // The layout follows the picture: the window is the picture's width plus its margins.
  setFixedWidth(kPictureWidth + 40);
  Retranslate();
}

void AboutWindow::Retranslate() {
  setWindowTitle(QString::fromStdString(messages_.Msg(kMsgAbout)).remove("..."));
  version_->setText(QString::fromStdString(messages_.Msg(kMsgVersion)));
  lines_->setText("Kelvara 3 plans the cutting of panels and glass.\nThe Kelvara team");
  links_->setText(QString("<a href=\"%1\">%1</a><br><a href=\"mailto:support@kelvara.example.org\">"
                          "support@kelvara.example.org</a>")
                      .arg(kHomepage));
}

}  // namespace kelvara
