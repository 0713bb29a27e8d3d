#include "ui/main/calculation_control.h"

#include <QHBoxLayout>
#include <QMetaObject>

#include "ui/main/icons.h"

namespace kelvara {
namespace {
constexpr int kMsgStopCalculation = 27;
}

QString ElapsedText(qint64 milliseconds) {
  const qint64 s = milliseconds / 1000;
  return QString("%1:%2:%3").arg(s / 3600).arg((s / 60) % 60, 2, 10, QChar('0')).arg(s % 60, 2, 10, QChar('0'));
}

CalculationControl::CalculationControl(const MessageTable& messages, LayoutModel& model, QWidget* parent)
    : QWidget(parent), messages_(messages), model_(model) {
  setObjectName("calculationPanel");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 2, 6, 2);
  LInd_ = new QLabel(this);
  LInd_->setObjectName("LInd");
  LInd_->setMinimumWidth(70);
  stop_ = new QPushButton(MakeToolIcon(ToolIcon::StopCalculation), QString(), this);
  stop_->setObjectName("stopCalculation");
  bsPB_ = new QProgressBar(this);
  bsPB_->setObjectName("bsPB");
  bsPB_->setTextVisible(true);
  row->addWidget(LInd_);
  row->addWidget(stop_);
  row->addWidget(bsPB_, 1);
  setFixedHeight(34);
  connect(stop_, &QPushButton::clicked, this, &CalculationControl::Stop);
  elapsed_.setInterval(1000);
  connect(&elapsed_, &QTimer::timeout, this, &CalculationControl::Tick);
  setVisible(false);
  Retranslate();
}

CalculationControl::~CalculationControl() {
  if (thread_) thread_->Terminate();  // the thread's destructor waits for it
}

void CalculationControl::Retranslate() { stop_->setText(QString::fromStdString(messages_.Msg(kMsgStopCalculation))); }

void CalculationControl::Start(std::unique_ptr<CalculationJob> job) {
  if (thread_ || !job) return;
  LInd_->clear();
  start_.start();
  elapsed_.start();
  bsPB_->setMaximum(std::max(1, static_cast<int>(model_.TotalSheets)));
  bsPB_->setValue(0);
  model_.SheetsDone = 0;
  setVisible(true);
  runUninterrupted_ = true;

  thread_ = std::make_unique<MyThread>(model_, std::move(job));
  MyThread* t = thread_.get();
  // Both callbacks run on the calculation thread; the window picks them up on its own.
  t->OnProgress = [this](int) {
    if (progressQueued_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
          progressQueued_ = false;
          if (thread_) bsPB_->setValue(std::min(bsPB_->maximum(), thread_->SheetsDone()));
        },
        Qt::QueuedConnection);
  };
  t->OnTerminate = [this](MyThread&) { QMetaObject::invokeMethod(this, [this] { emit finished(); }, Qt::QueuedConnection); };
  t->Start();
}

void CalculationControl::Stop() {
  if (!thread_) return;
  runUninterrupted_ = false;
  thread_->Terminate();
}

int CalculationControl::Complete(bool bottomUp) {
  if (!thread_) return -1;
  thread_->WaitFor();
  const int view = thread_->Complete(bottomUp);
  thread_.reset();
  bsPB_->setValue(bsPB_->maximum());
  return view;
}

void CalculationControl::Hide() {
  elapsed_.stop();
  setVisible(false);
}

void CalculationControl::Tick() { LInd_->setText(ElapsedText(start_.elapsed())); }

}  // namespace kelvara
