#pragma once
// The questions, message boxes and file dialogs of the windows, behind one interface so that
// tests can answer them.
#include <QString>
#include <QWidget>

namespace kelvara {

class Prompts {
 public:
  virtual ~Prompts() = default;
  // Yes/No; false is "No".
  virtual bool Ask(QWidget* parent, const QString& text) = 0;
  virtual void Warning(QWidget* parent, const QString& text) = 0;
  virtual void Information(QWidget* parent, const QString& text) = 0;
  virtual void Error(QWidget* parent, const QString& text) = 0;
  // A file name, or "" when cancelled. `filter` as in QFileDialog ("Projects (*.spc)").
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) = 0;
  virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) = 0;
};

// The platform's message boxes and file dialogs.
class DialogPrompts : public Prompts {
 public:
  bool Ask(QWidget* parent, const QString& text) override;
  void Warning(QWidget* parent, const QString& text) override;
  void Information(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
  QString OpenFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) override;
  QString SaveFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) override;
};

}  // namespace kelvara
