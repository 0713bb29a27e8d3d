// The per-user values: in-memory store conversions and the ini-file store.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "data_files_fixture.h"
#include "model/settings_store.h"

namespace kelvara {
namespace {

TEST(MemorySettings, ValuesOfBothKindsAndConversions) {
  MemorySettingsStore s;
  EXPECT_FALSE(s.Contains("GMW0"));
  EXPECT_FALSE(s.ReadInteger("GMW0").has_value());
  s.WriteInteger("GMW0", 64);
  s.WriteString("ManyMaterial", "1");
  s.WriteString("SkinName", "/skins/x.skn");
  EXPECT_TRUE(s.Contains("GMW0"));
  EXPECT_EQ(s.ReadInteger("GMW0").value(), 64);
  EXPECT_EQ(s.ReadString("GMW0").value(), "64");
  EXPECT_EQ(s.ReadInteger("ManyMaterial").value(), 1);
  EXPECT_FALSE(s.ReadInteger("SkinName").has_value());  // no whole integer
  s.Remove("GMW0");
  EXPECT_FALSE(s.Contains("GMW0"));
}

TEST(MemorySettings, LanguageChoiceInItsSubkey) {
  MemorySettingsStore s;
  EXPECT_FALSE(LanguageChosen(s));
  s.WriteString("Lang/Lang", "No");
  EXPECT_FALSE(LanguageChosen(s));
  SetLanguageChosen(s);
  EXPECT_TRUE(LanguageChosen(s));
  EXPECT_EQ(s.ReadString("Lang/Lang").value(), "Yes");
}

TEST(IniSettings, ParseToleratesCommentsBlanksAndCrLf) {
  const auto v = IniSettingsStore::Parse(
      "; comment\r\n\r\n[General]\r\nGMW0 = 80\r\nSkinName=/a/b=c.skn\r\nno separator\r\n[Lang]\r\nLang=Yes\r\n");
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(std::get<std::string>(v.at("GMW0")), " 80");
  EXPECT_EQ(std::get<std::string>(v.at("SkinName")), "/a/b=c.skn");
  EXPECT_EQ(std::get<std::string>(v.at("Lang/Lang")), "Yes");
}

TEST(IniSettings, FlushWritesWhatOpenReadsBack) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("kelvara_settings_" + std::to_string(getpid()) + ".ini")).string();
  std::filesystem::remove(path);
  {
    IniSettingsStore s(path);
    EXPECT_EQ(s.Open(), IniSettingsStore::OpenResult::Absent);
    s.WriteInteger("GDW3", 120);
    s.WriteString("ManyMaterial", "1");
    SetLanguageChosen(s);
    ASSERT_TRUE(s.Flush());
  }
  const fixture::Bytes b = fixture::ReadFile(path);
  EXPECT_EQ(std::string(b.begin(), b.end()), "[General]\nGDW3=120\nManyMaterial=1\n[Lang]\nLang=Yes\n");
  IniSettingsStore again(path);
  EXPECT_EQ(again.Open(), IniSettingsStore::OpenResult::Ok);
  EXPECT_EQ(again.ReadInteger("GDW3").value(), 120);
  EXPECT_TRUE(LanguageChosen(again));
  std::filesystem::remove(path);
  // A folder at the path can be neither read nor written.
  std::filesystem::create_directories(path);
  IniSettingsStore dir(path);
  EXPECT_EQ(dir.Open(), IniSettingsStore::OpenResult::Unreadable);
  EXPECT_FALSE(dir.Flush());
  std::filesystem::remove_all(path);
}

}  // namespace
}  // namespace kelvara
