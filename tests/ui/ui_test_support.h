#pragma once
// Helpers of the UI tests: scripted answers to the window's questions, a main window that keeps
// its status texts, a temporary program folder, and row builders for the job tables.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "model/settings_store.h"
#include "ui/main/main_window.h"
#include "ui/main/prompts.h"

namespace kelvara::uitest {

// The offscreen platform's notes about what it cannot do are no findings: dropped before
// QtTest's own message handler sees them. Called from each class's initTestCase.
inline QtMessageHandler& PreviousMessageHandler() {
  static QtMessageHandler handler = nullptr;
  return handler;
}
inline void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith("This plugin does not support")) return;
  if (PreviousMessageHandler()) PreviousMessageHandler()(type, context, text);
}
inline void QuietPlatformWarnings() { PreviousMessageHandler() = qInstallMessageHandler(QuietHandler); }

// Answers every question from a script (default "Yes") and returns file names from a list.
struct ScriptedPrompts : Prompts {
  QStringList asked, warnings, infos, errors;
  QList<bool> answers;
  bool defaultAnswer = true;
  QStringList files;

  bool Ask(QWidget*, const QString& text) override {
    asked << text;
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
  }
  void Warning(QWidget*, const QString& t) override { warnings << t; }
  void Information(QWidget*, const QString& t) override { infos << t; }
  void Error(QWidget*, const QString& t) override { errors << t; }
  QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return files.isEmpty() ? QString() : files.takeFirst();
  }
  QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
    return files.isEmpty() ? QString() : files.takeFirst();
  }
};

// The main window with every status text it was given.
class TestWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  std::vector<std::string> statuses;
  void ShowStatus(const std::string& text, int icon, int seconds) override {
    statuses.push_back(text);
    MainWindow::ShowStatus(text, icon, seconds);
  }
  bool HasStatus(const std::string& text) const {
    for (const auto& s : statuses)
      if (s == text) return true;
    return false;
  }
};

// A program folder of its own, a settings store and the window on them.
struct WindowFixture {
  QTemporaryDir dir;
  MemorySettingsStore settings;
  ScriptedPrompts prompts;
  std::unique_ptr<TestWindow> window;

  QString folder() const { return dir.path() + "/"; }

  TestWindow& Open() {
    window = std::make_unique<TestWindow>(folder(), settings);
    window->SetPrompts(&prompts);
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();
    return *window;
  }
  // Closes as the user does (SaveAll) and forgets the window.
  bool Close() {
    const bool closed = window->close();
    window.reset();
    return closed;
  }
};

inline void AddSheet(JobTables& t, double x, double y, long long q, int material = 0) {
  t.options.CurrentMaterial = static_cast<std::uint8_t>(material);
  t.rxM.Append();
  t.rxM.Set("X", x);
  t.rxM.Set("Y", y);
  t.rxM.Set("Q", static_cast<std::int64_t>(q));
  t.rxM.Post();
}

inline void AddPart(JobTables& t, double x, double y, long long q, int material = 0, const char* pd = "D") {
  t.options.CurrentMaterial = static_cast<std::uint8_t>(material);
  t.rxD.Append();
  t.rxD.Set("X", x);
  t.rxD.Set("Y", y);
  t.rxD.Set("Q", static_cast<std::int64_t>(q));
  t.rxD.Set("PD", std::string(pd));
  t.rxD.Post();
}

// Types text into a grid as the user does: a key outside an edit opens the editor, the others
// go to the editor.
inline QWidget* KeyTarget(JobGrid* grid) {
  QWidget* editor = grid->CurrentEditor();
  if (!editor) return grid;
  if (QWidget* proxy = editor->focusProxy()) return proxy;
  return editor;
}

inline void TypeInto(JobGrid* grid, const QString& text) {
  for (const QChar ch : text) QTest::keyClick(KeyTarget(grid), ch.toLatin1());
}

inline void PressKey(JobGrid* grid, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(KeyTarget(grid), key, mods);
  QApplication::processEvents();  // an editor commits after its key, from the event loop
}

inline std::vector<double> Column(const Table& t, const char* field) {
  std::vector<double> v;
  for (int i = 0; i < t.Count(); ++i) {
    const Value& x = t.GetAt(i, field);
    if (auto* d = std::get_if<double>(&x)) v.push_back(*d);
    else if (auto* n = std::get_if<std::int64_t>(&x)) v.push_back(static_cast<double>(*n));
    else v.push_back(-1);
  }
  return v;
}

}  // namespace kelvara::uitest
