#pragma once
// The calculation panel below the pages and the run of one calculation thread: elapsed time,
// "Stop Calculation", the progress gauge, and the hand-over of the thread's end to the window.
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <memory>

#include "engine/calc_thread.h"
#include "model/messages.h"

namespace kelvara {

// Elapsed time as "h:mm:ss".
QString ElapsedText(qint64 milliseconds);

class CalculationControl : public QWidget {
  Q_OBJECT
 public:
  CalculationControl(const MessageTable& messages, LayoutModel& model, QWidget* parent);
  ~CalculationControl() override;

  bool Running() const { return thread_ != nullptr; }
  bool RunUninterrupted() const { return runUninterrupted_; }
  // Starts the thread on the job; the panel shows, the gauge runs to TotalSheets.
  void Start(std::unique_ptr<CalculationJob> job);
  // "Stop Calculation": the thread ends at its next test point and completes as usual.
  void Stop();
  // After `finished`: applies the result to the model (the thread's completion) and frees the
  // thread. Returns the viewed slot, -1 when there was nothing to complete.
  int Complete(bool bottomUp);
  // Stops the elapsed time and hides the panel.
  void Hide();

  QLabel* elapsedLabel() const { return LInd_; }
  QPushButton* stopButton() const { return stop_; }
  QProgressBar* gauge() const { return bsPB_; }

  void Retranslate();

 signals:
  // The calculation thread has ended (emitted on the window thread).
  void finished();

 private:
  void Tick();

  const MessageTable& messages_;
  LayoutModel& model_;
  QLabel* LInd_;
  QPushButton* stop_;
  QProgressBar* bsPB_;
  QTimer elapsed_;
  QElapsedTimer start_;
  std::unique_ptr<MyThread> thread_;
  std::atomic<bool> progressQueued_{false};
  bool runUninterrupted_ = false;
};

}  // namespace kelvara
