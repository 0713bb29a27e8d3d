#include "ui/main/trims_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace kelvara {
namespace {
constexpr int kMsgLeftTrim = 163;  // then Top, Right, Bottom
constexpr int kMsgEdgeTrim = 167;
constexpr int kMsgTrimSelected = 271;  // "Trim Selected", "Sheets", "By all sides"
constexpr double kMaxTrim = 1000;
}  // namespace

TrimsDialog::TrimsDialog(const MessageTable& messages, QWidget* parent) : FloatingDialog(messages, parent) {
  setObjectName("trimsDialog");
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < 4; ++i) {
    labels_[static_cast<std::size_t>(i)] = new QLabel(this);
    fields_[static_cast<std::size_t>(i)] = new BoundedNumberEdit(0, kMaxTrim, 3, this);
    fields_[static_cast<std::size_t>(i)]->setMaximumWidth(90);
    grid->addWidget(labels_[static_cast<std::size_t>(i)], i, 0);
    grid->addWidget(fields_[static_cast<std::size_t>(i)], i, 1);
  }
  allSides_ = new QCheckBox(this);
  common_ = new BoundedNumberEdit(0, kMaxTrim, 3, this);
  common_->setMaximumWidth(90);
  grid->addWidget(allSides_, 4, 0);
  grid->addWidget(common_, 4, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  grid->addLayout(buttons, 5, 0, 1, 2);
  connect(allSides_, &QCheckBox::toggled, this, &TrimsDialog::UpdateEnabled);
  UpdateEnabled();
  Retranslate();
}

void TrimsDialog::Retranslate() {
  FloatingDialog::Retranslate();
  setWindowTitle(QString::fromStdString(messages_.Msg(kMsgEdgeTrim)));
  for (int i = 0; i < 4; ++i)
    labels_[static_cast<std::size_t>(i)]->setText(QString::fromStdString(messages_.Msg(kMsgLeftTrim + i)));
  allSides_->setText(QString::fromStdString(messages_.Msg(kMsgTrimSelected) + "\n" + messages_.Msg(kMsgTrimSelected + 1) +
                                            "\n" + messages_.Msg(kMsgTrimSelected + 2)));
}

void TrimsDialog::UpdateEnabled() {
  const bool all = allSides_->isChecked();
  for (auto* f : fields_) f->setEnabled(!all);
  common_->setEnabled(all);
}

void TrimsDialog::SetFields(const Trims& t) {
  fields_[0]->setValue(t.left);
  fields_[1]->setValue(t.top);
  fields_[2]->setValue(t.right);
  fields_[3]->setValue(t.bottom);
}

Trims TrimsDialog::Result() const {
  if (allSides_->isChecked()) {
    const double v = common_->value();
    return {v, v, v, v};
  }
  return {fields_[0]->value(), fields_[1]->value(), fields_[2]->value(), fields_[3]->value()};
}

void TrimsDialog::OpenOverGrid(QWidget* grid, const Trims& shown) {
  SetFields(shown);
  UpdateEnabled();
  ShowCentredOver(grid, -20, 20);
  (allSides_->isChecked() ? common_ : fields_[0])->setFocus();
}

void TrimsDialog::OpenAtMouse(const QPoint& globalPos, const Trims& shown) {
  allSides_->setChecked(false);
  SetFields(shown);
  UpdateEnabled();
  ShowAtMouse(globalPos, 80);
  fields_[0]->setFocus();
}

}  // namespace kelvara
