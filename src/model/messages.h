#pragma once
// The message table: 340 entries with Russian, English and Polish texts.
#include <array>
#include <string>
#include <vector>

namespace kelvara {

enum Language { kRussian = 1, kEnglish = 2, kPolish = 3 };

class MessageTable {
 public:
  static constexpr int kEntries = 340;

  MessageTable();  // Russian and English built in; Polish empty

  int language() const { return language_; }
  void SetLanguage(int language) { language_ = language; }

  // Text of entry n in the current language. An entry outside 0..339 gives "", a language
  // other than 1..3 reads English.
  const std::string& Msg(int n) const { return Text(n, language_); }
  const std::string& Text(int n, int language) const;
  void SetText(int n, int language, std::string text);

  // Reads TermsP.txt into the Polish texts. Returns false on a missing or unreadable file or
  // when a line lacked the separator; `error` then holds "Error Terms file ".
  bool LoadPolishTerms(const std::string& path, std::string* error = nullptr);

 private:
  int language_ = kEnglish;
  std::array<std::array<std::string, 3>, kEntries> texts_;
};

// The built-in Russian skin texts (KEY=text lines).
const std::vector<std::string>& RussianSkinTexts();
// Reads MesP.txt as KEY=text lines into `lines`; false on a reading error (lines read so far kept).
bool ReadSkinTexts(const std::string& path, std::vector<std::string>& lines);

}  // namespace kelvara
