#include "ui/main/multiplier_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace kelvara {
namespace {
constexpr int kMsgQuantityTitle = 245;
constexpr int kMsgQuantity = 52;
}  // namespace

MultiplierDialog::MultiplierDialog(const MessageTable& messages, QWidget* parent) : FloatingDialog(messages, parent) {
  setObjectName("multiplierDialog");
  auto* column = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  label_ = new QLabel(this);
  field_ = new BoundedNumberEdit(1, 1000, 0, this);
  field_->setMaximumWidth(90);
  row->addWidget(label_);
  row->addWidget(field_);
  column->addLayout(row);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  column->addLayout(buttons);
  Retranslate();
}

void MultiplierDialog::Retranslate() {
  FloatingDialog::Retranslate();
  setWindowTitle(QString::fromStdString(messages_.Msg(kMsgQuantityTitle)));
  label_->setText(QString::fromStdString(messages_.Msg(kMsgQuantity)));
}

void MultiplierDialog::Open(QWidget* grid) {
  field_->setValue(1);
  ShowCentredOver(grid);
  field_->setFocus();
  field_->selectAll();
}

}  // namespace kelvara
