#pragma once
// The status bar text of the main window: a text with no icon, the error icon or the success
// icon, cleared once its number of seconds has passed.
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace kelvara {

class StatusPanel : public QWidget {
  Q_OBJECT
 public:
  explicit StatusPanel(QWidget* parent = nullptr);

  // icon: 0 none, 1 error, 2 success; seconds 0 keeps the text until the next call.
  void ShowStatus(const QString& text, int icon, int seconds);
  QString text() const { return text_->text(); }
  int icon() const { return icon_; }

 private:
  void Tick();

  QLabel* picture_;
  QLabel* text_;
  QTimer timer_;
  QElapsedTimer since_;
  int seconds_ = 0;
  int icon_ = 0;
};

}  // namespace kelvara
