#pragma once
// A panel with a caption bar that folds its content away: a left panel folds to a narrow
// strip with the caption written upward, a bottom panel to its caption bar.
#include <QWidget>

class QVBoxLayout;

namespace kelvara {

class CollapsibleCaption;

class CollapsiblePanel : public QWidget {
  Q_OBJECT
 public:
  enum class Side { Left, Bottom };
  // `extent`: width of a left panel, height of a bottom panel, when expanded.
  CollapsiblePanel(Side side, int extent, QWidget* parent);

  QWidget* content() const { return content_; }
  QVBoxLayout* contentLayout() const { return contentLayout_; }
  void SetCaption(const QString& caption);
  QString Caption() const;
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool expanded);
  void Toggle() { SetExpanded(!expanded_); }

 signals:
  // The user or a command folded or unfolded the panel.
  void expandedChanged(bool expanded);

 private:
  void ApplySize();

  Side side_;
  int extent_;
  bool expanded_ = true;
  CollapsibleCaption* caption_ = nullptr;
  QWidget* content_ = nullptr;
  QVBoxLayout* contentLayout_ = nullptr;
};

}  // namespace kelvara
