#pragma once
// A secondary window of the program: exists for the whole run, captioned from the message table.
// The AutoCAD part viewer, the total areas, the allocation of parts, the report window, the
// print page settings and the file manager start as such windows; their contents come with
// their own parts of the program.
#include <QLabel>
#include <QWidget>

#include "model/messages.h"

namespace kelvara {

class ToolWindow : public QWidget {
  Q_OBJECT
 public:
  ToolWindow(const char* className, int captionMsg, const MessageTable& messages, QWidget* parent = nullptr);
  virtual void Retranslate();
  int captionMsg() const { return captionMsg_; }

 protected:
  const MessageTable& messages_;

 private:
  int captionMsg_;
};

// Message table entries of the captions.
inline constexpr int kMsgCaptionAcad = 138;          // "AutoCad Part"
inline constexpr int kMsgCaptionTotalAreas = 99;     // "Total Areas of Sheets and Parts"
inline constexpr int kMsgCaptionAllocation = 102;    // "Allocation of Parts"
inline constexpr int kMsgCaptionReport = 108;        // "Report"
inline constexpr int kMsgCaptionPrintPage = 201;     // "Print Setup"
inline constexpr int kMsgCaptionFileManager = 292;   // "File Manager"

}  // namespace kelvara
