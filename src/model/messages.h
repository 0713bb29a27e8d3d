#pragma once
// The message table: 340 entries with Russian, English and Polish texts.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

enum Language { kRussian = 1, kEnglish = 2, kPolish = 3 };

// What one reading of TermsP.txt did.
struct PolishTermsResult {
  bool fileRead = false;        // the file was opened and read through
  int entriesFilled = 0;        // entries 0..n-1 got a Polish text
  int linesWithoutSeparator = 0;
  int linesPastTable = 0;       // separator lines after entry 339, dropped
  bool ok() const { return fileRead && linesWithoutSeparator == 0; }
};

class MessageTable {
 public:
  static constexpr int kEntries = 340;
  // Entries from here on hold "0" in the built-in languages and are never shown.
  static constexpr int kFirstUnused = 318;

  MessageTable();  // Russian and English built in; Polish empty

  int language() const { return language_; }
  void SetLanguage(int language) { language_ = language; }

  // Text of entry n in the current language. An entry outside 0..339 gives "", a language
  // other than 1..3 reads English.
  const std::string& Msg(int n) const { return Text(n, language_); }
  const std::string& Text(int n, int language) const;
  // Ignored for an entry outside 0..339 or a language other than 1..3.
  void SetText(int n, int language, std::string text);

  // Reads TermsP.txt into the Polish texts. Returns false on a missing or unreadable file or
  // when a line lacked the separator; `error` then holds "Error Terms file ".
  bool LoadPolishTerms(const std::string& path, std::string* error = nullptr);
  // The same, telling what was read.
  PolishTermsResult ReadPolishTerms(const std::string& path);

 private:
  int language_ = kEnglish;
  std::array<std::array<std::string, 3>, kEntries> texts_;
};

inline constexpr std::string_view kErrorTermsFile = "Error Terms file ";
inline constexpr std::string_view kErrorMessagesFile = "Error Messages file ";

// One built-in text of the message table.
struct BuiltInText {
  int entry;
  std::string_view text;
};
// The built-in lists in increasing entry order, entries 0..317 that have a text.
std::span<const BuiltInText> EnglishBuiltInTexts();
std::span<const BuiltInText> RussianBuiltInTexts();

// The built-in Russian skin texts (KEY=text lines).
const std::vector<std::string>& RussianSkinTexts();
// Reads MesP.txt: `lines` gets its KEY=text lines as they are (a line that is not UTF-8 is taken
// as code page 1251). False when the file is missing or a read fails; `lines` is then empty.
bool ReadSkinTexts(const std::string& path, std::vector<std::string>& lines);

}  // namespace kelvara
