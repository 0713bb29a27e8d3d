#include "ui/tools/tool_window.h"

namespace kelvara {

ToolWindow::ToolWindow(const char* className, int captionMsg, const MessageTable& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), messages_(messages), captionMsg_(captionMsg) {
  setObjectName(className);
  resize(640, 420);
  Retranslate();
}

void ToolWindow::Retranslate() { setWindowTitle(QString::fromStdString(messages_.Msg(captionMsg_))); }

}  // namespace kelvara
