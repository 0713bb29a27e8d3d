#include "ui/main/collapsible_panel.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace kelvara {

constexpr int kCaptionSize = 20;

// The caption bar: a fold arrow and the caption, clicked to fold or unfold.
class CollapsibleCaption : public QWidget {
 public:
  CollapsibleCaption(CollapsiblePanel::Side side, CollapsiblePanel* panel) : QWidget(panel), side_(side), panel_(panel) {
    setCursor(Qt::PointingHandCursor);
    setObjectName(QStringLiteral("panelCaption"));
  }
  QString text;
  bool upward = false;  // folded left panel: caption written upward

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QStyleOption opt;
    opt.initFrom(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const bool expanded = panel_->Expanded();
    QStyle::PrimitiveElement arrow;
    if (side_ == CollapsiblePanel::Side::Left)
      arrow = expanded ? QStyle::PE_IndicatorArrowLeft : QStyle::PE_IndicatorArrowRight;
    else
      arrow = expanded ? QStyle::PE_IndicatorArrowDown : QStyle::PE_IndicatorArrowUp;
    opt.rect = QRect(2, 2, kCaptionSize - 4, kCaptionSize - 4);
    style()->drawPrimitive(arrow, &opt, &p, this);
    p.setPen(palette().color(QPalette::ButtonText));
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    if (upward) {
      p.translate(0, height());
      p.rotate(-90);
      p.drawText(QRect(kCaptionSize + 2, 0, height() - kCaptionSize - 4, width()), Qt::AlignLeft | Qt::AlignVCenter,
                 text);
    } else {
      p.drawText(QRect(kCaptionSize + 2, 0, width() - kCaptionSize - 4, height()), Qt::AlignLeft | Qt::AlignVCenter,
                 fontMetrics().elidedText(text, Qt::ElideRight, width() - kCaptionSize - 4));
    }
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) panel_->Toggle();
  }

 private:
  CollapsiblePanel::Side side_;
  CollapsiblePanel* panel_;
};

CollapsiblePanel::CollapsiblePanel(Side side, int extent, QWidget* parent) : QWidget(parent), side_(side), extent_(extent) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  caption_ = new CollapsibleCaption(side, this);
  caption_->setFixedHeight(kCaptionSize);
  content_ = new QWidget(this);
  contentLayout_ = new QVBoxLayout(content_);
  contentLayout_->setContentsMargins(2, 2, 2, 2);
  column->addWidget(caption_);
  column->addWidget(content_, 1);
  ApplySize();
}

void CollapsiblePanel::SetCaption(const QString& caption) {
  caption_->text = caption;
  caption_->update();
}

QString CollapsiblePanel::Caption() const { return caption_->text; }

void CollapsiblePanel::SetExpanded(bool expanded) {
  if (expanded == expanded_) return;
  expanded_ = expanded;
  ApplySize();
  emit expandedChanged(expanded_);
}

void CollapsiblePanel::ApplySize() {
  content_->setVisible(expanded_);
  if (side_ == Side::Left) {
    const bool upward = !expanded_;
    caption_->upward = upward;
    caption_->setMinimumHeight(kCaptionSize);
    caption_->setMaximumHeight(upward ? QWIDGETSIZE_MAX : kCaptionSize);
    setFixedWidth(expanded_ ? extent_ : kCaptionSize);
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->setStretchFactor(caption_, upward ? 1 : 0);
  } else {
    setFixedHeight(expanded_ ? extent_ : kCaptionSize);
  }
  caption_->update();
}

}  // namespace kelvara
