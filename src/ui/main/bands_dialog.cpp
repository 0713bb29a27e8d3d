#include "ui/main/bands_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace kelvara {
namespace {
constexpr int kMsgBandType = 55;
constexpr int kMsgLeftFromPart = 274;  // then Top, Right, Bottom
}  // namespace

BandsDialog::BandsDialog(const MessageTable& messages, QWidget* parent) : FloatingDialog(messages, parent) {
  setObjectName("bandsDialog");
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < 4; ++i) {
    auto& label = labels_[static_cast<std::size_t>(i)];
    auto& box = boxes_[static_cast<std::size_t>(i)];
    label = new QLabel(this);
    box = new QComboBox(this);
    box->setMinimumWidth(160);
    grid->addWidget(label, i, 0);
    grid->addWidget(box, i, 1);
    if (i > 0) connect(box, &QComboBox::activated, this, [this, i] { emit sideChosen(i); });
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  grid->addLayout(buttons, 4, 0, 1, 2);
  SetItems({"-"});
  Retranslate();
}

void BandsDialog::Retranslate() {
  FloatingDialog::Retranslate();
  setWindowTitle(QString::fromStdString(messages_.Msg(kMsgBandType)));
  for (int i = 0; i < 4; ++i)
    labels_[static_cast<std::size_t>(i)]->setText(QString::fromStdString(messages_.Msg(kMsgLeftFromPart + i)));
}

void BandsDialog::SetItems(const std::vector<std::string>& items) {
  for (auto* b : boxes_) {
    b->clear();
    for (const auto& item : items) b->addItem(QString::fromStdString(item));
    b->setCurrentIndex(0);
  }
}

void BandsDialog::OpenOverGrid(QWidget* grid) {
  for (auto* b : boxes_) b->setCurrentIndex(b->findText("-"));
  ShowCentredOver(grid);
}

void BandsDialog::OpenAtMouse(const QPoint& globalPos, const SideBands& shown) {
  for (std::size_t i = 0; i < 4; ++i) {
    const int at = boxes_[i]->findText(QString::fromStdString(shown[i]));
    boxes_[i]->setCurrentIndex(at >= 0 ? at : boxes_[i]->findText("-"));
  }
  ShowAtMouse(globalPos, 200);
  boxes_[0]->setFocus();
}

SideBands BandsDialog::Result() const {
  SideBands r;
  for (std::size_t i = 0; i < 4; ++i) r[i] = boxes_[i]->currentIndex() < 0 ? "-" : boxes_[i]->currentText().toStdString();
  return r;
}

}  // namespace kelvara
