#pragma once
// "About...": a picture, the version line, the developer's two lines and links, "Ok".
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "model/messages.h"

namespace kelvara {

inline constexpr const char* kHomepage = "https://kelvara.example.org/";

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  AboutWindow(const MessageTable& messages, QWidget* parent = nullptr);
  void Retranslate();
  // The About picture, 286 x 105.
  static QPixmap Picture();

 private:
  const MessageTable& messages_;
  QLabel* picture_;
  QLabel* version_;
  QLabel* lines_;
  QLabel* links_;
  QPushButton* ok_;
};

}  // namespace kelvara
