#include "io/file_messages.h"

namespace kelvara {
namespace {

std::string FileText(const MessageTable& messages, int what, const std::string& name) {
  return messages.Msg(what) + " " + Quoted(name) + ". " + messages.Msg(kIoMsgInputDataError);
}

char32_t LowerCodePoint(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c % 2 == 0) ? c + 1 : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 1) ? c + 1 : c;
  return c;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string FileNotFoundText(const MessageTable& messages, const std::string& name) {
  return FileText(messages, kIoMsgFileNotFound, name);
}

std::string FileDestroyedText(const MessageTable& messages, const std::string& name) {
  return FileText(messages, kIoMsgFileDestroyed, name);
}

std::string Utf8Lower(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) {  // not UTF-8: kept
      out += text[i++];
      continue;
    }
    char32_t c = extra == 0 ? b : (b & (0x3F >> extra));
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      const auto cb = static_cast<unsigned char>(text[i + k]);
      if ((cb & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      c = (c << 6) | (cb & 0x3F);
    }
    if (!valid) {
      out += text[i++];
      continue;
    }
    AppendUtf8(out, LowerCodePoint(c));
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

}  // namespace kelvara
