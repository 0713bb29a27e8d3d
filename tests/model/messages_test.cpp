#include "model/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace kelvara {
namespace {

namespace fs = std::filesystem;

// A file in the temporary folder, removed at the end of the test.
class TempFile {
 public:
  explicit TempFile(const std::string& content) : path_(UniquePath()) {
    std::ofstream out(path_, std::ios::binary);
    out << content;
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    std::error_code ec;
    fs::remove(path_, ec);
  }
  std::string path() const { return path_.string(); }

  static fs::path UniquePath() {
    static std::atomic<int> counter{0};
    static const unsigned seed = std::random_device{}();
    return fs::temp_directory_path() /
           ("kelvara_messages_" + std::to_string(seed) + "_" + std::to_string(counter++) + ".txt");
  }

 private:
  fs::path path_;
};

std::size_t LeadingBlanks(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? s.size() : first;
}
std::size_t TrailingBlanks(const std::string& s) {
  const std::size_t last = s.find_last_not_of(' ');
  return last == std::string::npos ? s.size() : s.size() - last - 1;
}
std::size_t LineBreaks(const std::string& s) {
  std::size_t count = 0;
  for (std::size_t p = s.find("\r\n"); p != std::string::npos; p = s.find("\r\n", p + 2)) ++count;
  return count;
}

TEST(MessageTableTest, EnglishTextsOtherCodeReliesOn) {
  const MessageTable table;
  const std::vector<std::pair<int, std::string>> cases = {
      {70, "Calculation Completed. Time of Calculation - "},
      {71, "Calculation Interrupted. Time of Calculation - "},
      {78, "File not Found"},
      {79, "Input Data Error"},
      {80, "File is Destroyed"},
      {81, "Materials in Tables of Sheets and Parts do not Correspond"},
      {94, "No material is Assigned"},
      {95, "No Parts are Assigned"},
      {96, "Error in Dimensioning and Quantity of Parts"},
      {263, "Error in Dimensioning and Quantity of Materials"},
      {234, "Enter page numbers and/or page ranges,\r\nseparated by commas. For example, 1,3,5-12"},
      {235, "\"Kelvara 1\" Style"},
      {0, "Main"},
      {317, "Priority"},
      {28, ""},
  };
  for (const auto& [n, text] : cases) EXPECT_EQ(table.Text(n, kEnglish), text) << "entry " << n;
  for (int n = MessageTable::kFirstUnused; n < MessageTable::kEntries; ++n) {
    EXPECT_EQ(table.Text(n, kEnglish), "0") << "entry " << n;
    EXPECT_EQ(table.Text(n, kRussian), "0") << "entry " << n;
  }
}

TEST(MessageTableTest, BuiltInListsAreOrderedAndRussianCoversEnglish) {
  for (const auto list : {EnglishBuiltInTexts(), RussianBuiltInTexts()}) {
    int previous = -1;
    for (const BuiltInText& t : list) {
      EXPECT_GT(t.entry, previous) << "entry " << t.entry << " out of order or repeated";
      EXPECT_LT(t.entry, MessageTable::kFirstUnused);
      EXPECT_FALSE(t.text.empty()) << "entry " << t.entry;
      previous = t.entry;
    }
  }
  const MessageTable table;
  for (int n = 0; n < MessageTable::kFirstUnused; ++n) {
    const std::string& en = table.Text(n, kEnglish);
    const std::string& ru = table.Text(n, kRussian);
    EXPECT_EQ(en.empty(), ru.empty()) << "entry " << n;
    // Texts are glued together, so the blanks at their ends and their line breaks must agree.
    EXPECT_EQ(LeadingBlanks(en), LeadingBlanks(ru)) << "entry " << n;
    EXPECT_EQ(TrailingBlanks(en), TrailingBlanks(ru)) << "entry " << n;
    EXPECT_EQ(LineBreaks(en), LineBreaks(ru)) << "entry " << n;
    EXPECT_EQ(table.Text(n, kPolish), "") << "entry " << n;
  }
  EXPECT_EQ(table.Text(4, kRussian), "Подготовка данных");
  EXPECT_EQ(table.Text(263, kRussian), "Ошибка в размерах и количестве материалов");
}

TEST(MessageTableTest, OutOfRangeEntryOrLanguageIsSafe) {
  MessageTable table;
  EXPECT_EQ(table.Text(-1, kEnglish), "");
  EXPECT_EQ(table.Text(MessageTable::kEntries, kRussian), "");
  EXPECT_EQ(table.Text(1000000, 99), "");
  for (int language : {0, 4, -7, 255}) {
    table.SetLanguage(language);
    EXPECT_EQ(table.Msg(78), "File not Found") << "language " << language;
  }
  table.SetText(MessageTable::kEntries, kEnglish, "x");
  table.SetText(-1, kEnglish, "x");
  table.SetText(78, 0, "x");
  table.SetText(78, 4, "x");
  EXPECT_EQ(table.Text(78, kEnglish), "File not Found");
  EXPECT_EQ(table.Text(MessageTable::kEntries - 1, kEnglish), "0");

  table.SetLanguage(kRussian);
  EXPECT_EQ(table.Msg(94), "Не задан материал");
}

TEST(PolishTermsTest, TranslationsAfterSeparatorKeepPolishLetters) {
  // "ł" and "ó" are outside code page 1251 and still kept; a second "•" stays in the text.
  const TempFile file(
      "\xEF\xBB\xBF"
      "Main\xE2\x80\xA2G\xC5\x82\xC3\xB3wne\r\n"
      "Material\xE2\x80\xA2Materia\xC5\x82#drugi#trzeci\r\n"
      "Help\xE2\x80\xA2Pomoc \xD0\x94 \xE2\x80\xA2 x\n"
      "Empty\xE2\x80\xA2\n"
      "No newline at the end\xE2\x80\xA2koniec");
  MessageTable table;
  table.SetText(5, kPolish, "stary");
  std::string error = "untouched";
  ASSERT_TRUE(table.LoadPolishTerms(file.path(), &error));
  EXPECT_EQ(error, "untouched");
  EXPECT_EQ(table.Text(0, kPolish), "Główne");
  EXPECT_EQ(table.Text(1, kPolish), "Materiał\r\ndrugi#trzeci");
  EXPECT_EQ(table.Text(2, kPolish), "Pomoc Д • x");
  EXPECT_EQ(table.Text(3, kPolish), "");
  EXPECT_EQ(table.Text(4, kPolish), "koniec");
  EXPECT_EQ(table.Text(5, kPolish), "stary");
  table.SetLanguage(kPolish);
  EXPECT_EQ(table.Msg(4), "koniec");
  EXPECT_EQ(table.Text(0, kEnglish), "Main");
}

TEST(PolishTermsTest, LineWithoutSeparatorShiftsNothingAndIsReported) {
  const TempFile file(
      "Main\xE2\x80\xA2Glowne\n"
      "# a comment without the separator\n"
      "\n"
      "Material\xE2\x80\xA2Materialy\n");
  MessageTable table;
  std::string error;
  EXPECT_FALSE(table.LoadPolishTerms(file.path(), &error));
  EXPECT_EQ(error, "Error Terms file ");
  EXPECT_EQ(table.Text(0, kPolish), "Glowne");
  EXPECT_EQ(table.Text(1, kPolish), "Materialy");
  EXPECT_EQ(table.Text(2, kPolish), "");

  const PolishTermsResult result = table.ReadPolishTerms(file.path());
  EXPECT_TRUE(result.fileRead);
  EXPECT_EQ(result.entriesFilled, 2);
  EXPECT_EQ(result.linesWithoutSeparator, 2);
}

TEST(PolishTermsTest, MissingOrUnreadableFileKeepsTexts) {
  const fs::path folder = TempFile::UniquePath();
  fs::create_directory(folder);
  for (const std::string& path : {TempFile::UniquePath().string(), folder.string()}) {
    MessageTable table;
    table.SetText(0, kPolish, "Glowne");
    std::string error;
    EXPECT_FALSE(table.LoadPolishTerms(path, &error)) << path;
    EXPECT_EQ(error, "Error Terms file ") << path;
    EXPECT_EQ(table.Text(0, kPolish), "Glowne") << path;
    EXPECT_FALSE(table.LoadPolishTerms(path)) << path;  // no error text wanted
  }
  fs::remove(folder);
}

TEST(PolishTermsTest, LinesPastTheTableAreDropped) {
  std::string content;
  for (int n = 0; n < MessageTable::kEntries + 5; ++n)
    content += "src\xE2\x80\xA2t" + std::to_string(n) + "\n";
  const TempFile file(content);
  MessageTable table;
  const PolishTermsResult result = table.ReadPolishTerms(file.path());
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.entriesFilled, MessageTable::kEntries);
  EXPECT_EQ(result.linesPastTable, 5);
  EXPECT_EQ(table.Text(0, kPolish), "t0");
  EXPECT_EQ(table.Text(MessageTable::kEntries - 1, kPolish), "t339");
  EXPECT_EQ(table.Text(MessageTable::kEntries, kPolish), "");
}

TEST(SkinTextsTest, ReadsMesPLinesAsTheyAre) {
  // UTF-8 mark, CR LF and LF endings, a line in code page 1251 ("Да"), a last line without LF.
  const TempFile file(
      "\xEF\xBB\xBFMSG_BTN_YES=Tak\r\n"
      "MSG_BTN_NO=Nie # • =x\n"
      "MSG_BTN_OK=\xC4\xE0\n"
      "\n"
      "MSG_CAP_ERROR=B\xC5\x82\xC4\x85\x64");
  std::vector<std::string> lines = {"old"};
  ASSERT_TRUE(ReadSkinTexts(file.path(), lines));
  const std::vector<std::string> expected = {"MSG_BTN_YES=Tak", "MSG_BTN_NO=Nie # • =x", "MSG_BTN_OK=Да", "",
                                             "MSG_CAP_ERROR=Błąd"};
  EXPECT_EQ(lines, expected);

  EXPECT_FALSE(ReadSkinTexts(TempFile::UniquePath().string(), lines));
  EXPECT_TRUE(lines.empty());
  EXPECT_FALSE(ReadSkinTexts(fs::temp_directory_path().string(), lines));
}

TEST(SkinTextsTest, RussianListHas102DistinctKeys) {
  const std::vector<std::string>& lines = RussianSkinTexts();
  ASSERT_EQ(lines.size(), 102u);
  std::set<std::string> keys;
  for (const std::string& line : lines) {
    const std::size_t eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    const std::string key = line.substr(0, eq);
    EXPECT_FALSE(key.empty()) << line;
    EXPECT_EQ(key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_"), std::string::npos) << line;
    EXPECT_GT(line.size(), eq + 1) << line;
    keys.insert(key);
  }
  EXPECT_EQ(keys.size(), lines.size());
  for (const char* line : {"MSG_BTN_YES=Да", "MSG_BTN_NO=Нет", "MSG_CAP_CONFIRM=Подтверждение"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
}

}  // namespace
}  // namespace kelvara
