#include "model/messages.h"

#include <cstdio>
#include <memory>

#include "core/cp1251.h"

namespace kelvara {
namespace {

const std::string kNoText;

constexpr std::string_view kTermsSeparator = "\xE2\x80\xA2";  // "•" in UTF-8
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsLanguage(int language) { return language >= kRussian && language <= kPolish; }

// Reads a whole file; false when it cannot be opened or a read fails (a folder, a device error).
bool ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  char buffer[16384];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, got);
  return std::ferror(file.get()) == 0;
}

// Calls `take` for every line of a text: a UTF-8 mark at the start is dropped, lines end at LF
// with an optional CR before it, a last line without LF counts.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    take(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

bool IsUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    if (b < 0x80) extra = 0;
    else if (b >= 0xC2 && b <= 0xDF) extra = 1;
    else if (b >= 0xE0 && b <= 0xEF) extra = 2;
    else if (b >= 0xF0 && b <= 0xF4) extra = 3;
    else return false;
    if (extra > 0 && i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

}  // namespace

MessageTable::MessageTable() {
  for (const BuiltInText& t : RussianBuiltInTexts()) SetText(t.entry, kRussian, std::string(t.text));
  for (const BuiltInText& t : EnglishBuiltInTexts()) SetText(t.entry, kEnglish, std::string(t.text));
  for (int n = kFirstUnused; n < kEntries; ++n) {
    SetText(n, kRussian, "0");
    SetText(n, kEnglish, "0");
  }
}

const std::string& MessageTable::Text(int n, int language) const {
  if (n < 0 || n >= kEntries) return kNoText;
  if (!IsLanguage(language)) language = kEnglish;
  return texts_[static_cast<std::size_t>(n)][static_cast<std::size_t>(language - 1)];
}

void MessageTable::SetText(int n, int language, std::string text) {
  if (n < 0 || n >= kEntries || !IsLanguage(language)) return;
  texts_[static_cast<std::size_t>(n)][static_cast<std::size_t>(language - 1)] = std::move(text);
}

PolishTermsResult MessageTable::ReadPolishTerms(const std::string& path) {
  PolishTermsResult result;
  std::string content;
  if (!ReadWholeFile(path, content)) return result;
  result.fileRead = true;
  ForEachLine(content, [&](std::string_view line) {
    // Texts stay UTF-8 in memory, so Polish letters outside code page 1251 survive.
    const std::string bytes(line);
    const std::size_t separator = bytes.find(kTermsSeparator);
    if (separator == std::string::npos) {
      ++result.linesWithoutSeparator;
      return;
    }
    if (result.entriesFilled >= kEntries) {
      ++result.linesPastTable;
      return;
    }
    std::string translation = bytes.substr(separator + kTermsSeparator.size());
    if (const std::size_t hash = translation.find('#'); hash != std::string::npos)
      translation.replace(hash, 1, "\r\n");
    SetText(result.entriesFilled, kPolish, std::move(translation));
    ++result.entriesFilled;
  });
  return result;
}

bool MessageTable::LoadPolishTerms(const std::string& path, std::string* error) {
  const bool ok = ReadPolishTerms(path).ok();
  if (!ok && error) *error = kErrorTermsFile;
  return ok;
}

bool ReadSkinTexts(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::string content;
  if (!ReadWholeFile(path, content)) return false;
  // Lines are kept as they are; one that is not UTF-8 is taken as code page 1251.
  ForEachLine(content, [&](std::string_view line) {
    lines.push_back(IsUtf8(line) ? std::string(line) : Cp1251ToUtf8(line));
  });
  return true;
}

}  // namespace kelvara
