#pragma once
// The status texts of file commands, built from the message table.
#include <string>

#include "model/messages.h"

namespace kelvara {

// "File not Found "name". Input Data Error"
std::string FileNotFoundText(const MessageTable& messages, const std::string& name);
// "File is Destroyed "name". Input Data Error"
std::string FileDestroyedText(const MessageTable& messages, const std::string& name);
// "name" between double quotation marks.
std::string Quoted(const std::string& name);
// Lower case of a UTF-8 text: ASCII, Latin-1, Latin Extended-A and Cyrillic letters.
std::string Utf8Lower(const std::string& text);

// Message table entries used by the file commands.
enum IoMessage {
  kIoMsgFileNotFound = 78,
  kIoMsgInputDataError = 79,
  kIoMsgFileDestroyed = 80,
  kIoMsgProjectAdded = 84,
  kIoMsgFileExists = 85,
  kIoMsgProject = 86,
  kIoMsgIsSaved = 87,
  kIoMsgLayout = 191,
  kIoMsgSaved = 192,
  kIoMsgOpenLayout = 193,
};

}  // namespace kelvara
