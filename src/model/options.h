#pragma once
// The settings record of the program.
#include <array>
#include <cstdint>
#include <string>

namespace kelvara {

struct Options {
  std::string UnitsName = "mm.";
  float CommonSawWidth = 0;
  float IndentValue = 0;
  float MinimalOffcut = 0;
  std::uint8_t CalcLevel = 1;          // 0 Fast (Technological), 1 Normal, 2 Perfect
  std::uint8_t FirstCutDirection = 0;  // 0 any, 1 along X, 2 along Y
  std::uint8_t EdgeBandOn = 1;
  std::uint8_t Decimals = 0;
  std::uint8_t CurrentMaterial = 0;
  std::int32_t OptionsListWidth = 250;
  std::int32_t SheetsPanelWidth = 400;
  std::int32_t StorehouseListWidth = 250;
  std::int32_t Language = 2;  // 1 Russian, 2 English, 3 Polish
  std::int32_t PartsLinearFactor = 1;
  std::int32_t PartsAreaFactor = 1000000;
  std::int32_t SheetsLinearFactor = 1000;
  std::int32_t SheetsAreaFactor = 1000000;
  std::int32_t PartsLinearDecimals = 0;
  std::int32_t PartsAreaDecimals = 3;
  std::int32_t SheetsLinearDecimals = 3;
  std::int32_t SheetsAreaDecimals = 3;
  std::string PartsLinearUnit = "mm.";
  std::string PartsAreaUnit = "sq.m.";
  std::string SheetsLinearUnit = "m.";
  std::string SheetsAreaUnit = "sq.m.";
  std::string CompanyName;
  std::string PrintFontName = "Arial";
  std::string ProgramFolder;
  std::string NormativeDocument;
  std::int32_t PrintStyle = 1;  // 1 one diagram per page, 2 two per page, 3 first-generation style
  std::int32_t PageWidth = 21000;
  std::int32_t PageHeight = 29700;
  std::int32_t MarginLeft = 1000;
  std::int32_t MarginTop = 1000;
  std::int32_t MarginRight = 1000;
  std::int32_t MarginBottom = 1000;
  float FrameThickness2 = 0;
  float FrameThickness3 = 0;
  std::uint8_t GenerateG09 = 0;
  std::uint8_t GenerateM02 = 0;
  std::uint8_t PartsLocation = 0;  // 0 Top-Down, 1 Bottom-Up
  std::uint8_t OrderNoOn = 0;
  std::uint8_t NameOffcuts = 0;

  // Reserved values of the options file, written back as read.
  struct Reserved {
    std::string text = "vista";
    std::array<std::uint8_t, 2> at44{0, 0};
    std::array<std::uint8_t, 3> at57{1, 1, 1};
    std::uint8_t at657 = 0;
    std::uint8_t at659 = 0;
    std::array<std::uint8_t, 2> at662{0, 0};
  } reserved;
};

// Every option to its default.
inline void DefaultOptions(Options& o) { o = Options{}; }

}  // namespace kelvara
