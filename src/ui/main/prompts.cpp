#include "ui/main/prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace kelvara {

bool DialogPrompts::Ask(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void DialogPrompts::Warning(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QApplication::applicationDisplayName(), text);
}

void DialogPrompts::Information(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
}

void DialogPrompts::Error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, QApplication::applicationDisplayName(), text);
}

QString DialogPrompts::OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString DialogPrompts::SaveFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter) {
  // The program adds the extension and asks before replacing a file itself.
  return QFileDialog::getSaveFileName(parent, title, folder, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

}  // namespace kelvara
