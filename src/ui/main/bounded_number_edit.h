#pragma once
// A number field of a dialog: refuses "-", and a value typed outside its range is replaced at
// once by the nearer bound.
#include <QLineEdit>

namespace kelvara {

class BoundedNumberEdit : public QLineEdit {
  Q_OBJECT
 public:
  // decimals 0 makes an integer field.
  BoundedNumberEdit(double minimum, double maximum, int decimals, QWidget* parent = nullptr);

  double value() const;
  void setValue(double v);
  double minimum() const { return min_; }
  double maximum() const { return max_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Clamp(const QString& text);

  double min_, max_;
  int decimals_;
};

}  // namespace kelvara
