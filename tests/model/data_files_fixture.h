#pragma once
// An independent writer and reader of the program data file records for tests: named values
// put at the documented offsets, byte by byte. It shares no code with the program's readers
// and writers. Strings are raw code page 1251 bytes.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace fixture {

enum class Kind { U8, Char, I32, F32, Str };

struct Field {
  const char* name;
  std::size_t at;
  Kind kind;
  std::size_t capacity = 0;  // for Str
};

struct Layout {
  std::size_t size;
  std::vector<Field> fields;
  const Field& Find(const std::string& name) const {
    for (const auto& f : fields)
      if (name == f.name) return f;
    throw std::runtime_error("fixture: no field " + name);
  }
};

using Value = std::variant<std::int64_t, double, std::string>;
using Values = std::map<std::string, Value>;

// Options file record "G" (kind at 0 is "G").
inline const Layout& OptionsLayout() {
  static const Layout l{664,
                        {{"Kind", 0, Kind::Char},
                         {"ReservedText", 1, Kind::Str, 20},
                         {"UnitsName", 22, Kind::Str, 10},
                         {"CommonSawWidth", 36, Kind::F32},
                         {"IndentValue", 40, Kind::F32},
                         {"Reserved44", 44, Kind::U8},
                         {"Reserved45", 45, Kind::U8},
                         {"CalcLevel", 46, Kind::U8},
                         {"FirstCutDirection", 47, Kind::U8},
                         {"OptionsListWidth", 48, Kind::I32},
                         {"SheetsPanelWidth", 52, Kind::I32},
                         {"EdgeBandOn", 56, Kind::U8},
                         {"Reserved57", 57, Kind::U8},
                         {"Reserved58", 58, Kind::U8},
                         {"Reserved59", 59, Kind::U8},
                         {"Decimals", 60, Kind::U8},
                         {"CurrentMaterial", 61, Kind::U8},
                         {"StorehouseListWidth", 64, Kind::I32},
                         {"Language", 68, Kind::I32},
                         {"PartsLinearFactor", 72, Kind::I32},
                         {"PartsAreaFactor", 76, Kind::I32},
                         {"SheetsLinearFactor", 80, Kind::I32},
                         {"SheetsAreaFactor", 84, Kind::I32},
                         {"PartsLinearDecimals", 88, Kind::I32},
                         {"PartsAreaDecimals", 92, Kind::I32},
                         {"SheetsLinearDecimals", 96, Kind::I32},
                         {"SheetsAreaDecimals", 100, Kind::I32},
                         {"MinimalOffcut", 104, Kind::F32},
                         {"PrintStyle", 108, Kind::F32},
                         {"PageWidth", 112, Kind::F32},
                         {"PageHeight", 116, Kind::F32},
                         {"MarginLeft", 120, Kind::F32},
                         {"MarginTop", 124, Kind::F32},
                         {"MarginRight", 128, Kind::F32},
                         {"MarginBottom", 132, Kind::F32},
                         {"FrameThickness2", 136, Kind::F32},
                         {"FrameThickness3", 140, Kind::F32},
                         {"PartsLinearUnit", 144, Kind::Str, 50},
                         {"PartsAreaUnit", 195, Kind::Str, 50},
                         {"SheetsLinearUnit", 246, Kind::Str, 50},
                         {"SheetsAreaUnit", 297, Kind::Str, 50},
                         {"CompanyName", 348, Kind::Str, 50},
                         {"PrintFontName", 399, Kind::Str, 50},
                         {"ProgramFolder", 450, Kind::Str, 50},
                         {"NormativeDocument", 501, Kind::Str, 50},
                         {"Reserved552", 552, Kind::Str, 50},
                         {"Reserved603", 603, Kind::Str, 50},
                         {"GenerateG09", 654, Kind::U8},
                         {"GenerateM02", 655, Kind::U8},
                         {"PartsLocation", 656, Kind::U8},
                         {"Reserved657", 657, Kind::U8},
                         {"Reserved658", 658, Kind::U8},
                         {"Reserved659", 659, Kind::U8},
                         {"OrderNoOn", 660, Kind::U8},
                         {"NameOffcuts", 661, Kind::U8},
                         {"Reserved662", 662, Kind::U8},
                         {"Reserved663", 663, Kind::U8}}};
  return l;
}

// Options file record "T".
inline const Layout& BandLayout() {
  static const Layout l{664, {{"Kind", 0, Kind::Char}, {"Name", 1, Kind::Str, 20}}};
  return l;
}

inline const Layout& SawWidthLayout() {
  static const Layout l{56, {{"KW", 0, Kind::F32}, {"Mat", 4, Kind::Str, 50}}};
  return l;
}

inline const Layout& SheetLayout() {
  static const Layout l{840,
                        {{"Kind", 0, Kind::Char},
                         {"X", 4, Kind::F32},
                         {"Y", 8, Kind::F32},
                         {"Q", 12, Kind::I32},
                         {"Num", 16, Kind::I32},
                         {"Name", 32, Kind::Str, 50},
                         {"Note", 83, Kind::Str, 50},
                         {"PT", 240, Kind::I32},
                         {"PRT", 244, Kind::I32},
                         {"TL", 280, Kind::F32},
                         {"TT", 284, Kind::F32},
                         {"TR", 288, Kind::F32},
                         {"TB", 292, Kind::F32}}};
  return l;
}

inline const Layout& PartLayout() {
  static const Layout l{840,
                        {{"Kind", 0, Kind::Char},
                         {"PD", 1, Kind::Char},
                         {"X", 4, Kind::F32},
                         {"Y", 8, Kind::F32},
                         {"Q", 12, Kind::I32},
                         {"Num", 16, Kind::I32},
                         {"Rotation", 20, Kind::I32},
                         {"Fold", 24, Kind::I32},
                         {"EL", 28, Kind::U8},
                         {"ET", 29, Kind::U8},
                         {"ER", 30, Kind::U8},
                         {"EB", 31, Kind::U8},
                         {"Name", 32, Kind::Str, 50},
                         {"Note", 83, Kind::Str, 50},
                         {"NameE", 134, Kind::Str, 50},
                         {"NF", 185, Kind::Str, 50},
                         {"SetZ", 236, Kind::U8},
                         {"Zakaz", 320, Kind::Str, 50},
                         {"NoteG", 422, Kind::Str, 50},
                         {"Dist1", 473, Kind::Str, 50},
                         {"NameEL", 626, Kind::Str, 50},
                         {"NameET", 677, Kind::Str, 50},
                         {"NameER", 728, Kind::Str, 50},
                         {"NameEB", 779, Kind::Str, 50}}};
  return l;
}

inline const Layout& StoreLayout() {
  static const Layout l{124,
                        {{"X", 0, Kind::F32},
                         {"Y", 4, Kind::F32},
                         {"Q", 8, Kind::I32},
                         {"QM", 12, Kind::I32},
                         {"Num", 16, Kind::I32},
                         {"Material", 20, Kind::Str, 50},
                         {"N", 71, Kind::Str, 50}}};
  return l;
}

inline const Layout& ShapeLayout() {
  static const Layout l{44,
                        {{"W", 0, Kind::F32},
                         {"H", 4, Kind::F32},
                         {"X1", 8, Kind::F32},
                         {"Y1", 12, Kind::F32},
                         {"X2", 16, Kind::F32},
                         {"Y2", 20, Kind::F32},
                         {"CX", 24, Kind::F32},
                         {"CY", 28, Kind::F32},
                         {"Radius", 32, Kind::F32},
                         {"Kind", 36, Kind::Char},
                         {"Fold", 40, Kind::I32}}};
  return l;
}

using Bytes = std::vector<std::uint8_t>;

inline void PutLE32(Bytes& b, std::size_t at, std::uint32_t u) {
  for (int k = 0; k < 4; ++k) b.at(at + k) = static_cast<std::uint8_t>(u >> (8 * k));
}

inline std::uint32_t GetLE32(const Bytes& b, std::size_t at) {
  std::uint32_t u = 0;
  for (int k = 0; k < 4; ++k) u |= static_cast<std::uint32_t>(b.at(at + k)) << (8 * k);
  return u;
}

inline void Put(Bytes& b, std::size_t base, const Field& f, const Value& v) {
  const std::size_t at = base + f.at;
  switch (f.kind) {
    case Kind::U8:
      b.at(at) = static_cast<std::uint8_t>(std::get<std::int64_t>(v));
      break;
    case Kind::Char: {
      const std::string& s = std::get<std::string>(v);
      b.at(at) = s.empty() ? 0 : static_cast<std::uint8_t>(s[0]);
      break;
    }
    case Kind::I32:
      PutLE32(b, at, static_cast<std::uint32_t>(static_cast<std::int32_t>(std::get<std::int64_t>(v))));
      break;
    case Kind::F32: {
      const float x = std::holds_alternative<double>(v) ? static_cast<float>(std::get<double>(v))
                                                        : static_cast<float>(std::get<std::int64_t>(v));
      std::uint32_t u;
      std::memcpy(&u, &x, 4);
      PutLE32(b, at, u);
      break;
    }
    case Kind::Str: {
      const std::string& s = std::get<std::string>(v);
      const std::size_t n = s.size() < f.capacity ? s.size() : f.capacity;
      b.at(at) = static_cast<std::uint8_t>(n);
      for (std::size_t k = 0; k < n; ++k) b.at(at + 1 + k) = static_cast<std::uint8_t>(s[k]);
      break;
    }
  }
}

// One record of `layout` with the named values; every other byte 0.
inline Bytes Record(const Layout& layout, const Values& values) {
  Bytes b(layout.size, 0);
  for (const auto& [name, v] : values) Put(b, 0, layout.Find(name), v);
  return b;
}

inline std::int64_t GetInt(const Bytes& b, std::size_t base, const Field& f) {
  const std::size_t at = base + f.at;
  if (f.kind == Kind::U8 || f.kind == Kind::Char) return b.at(at);
  if (f.kind == Kind::I32) return static_cast<std::int32_t>(GetLE32(b, at));
  throw std::runtime_error(std::string("fixture: not an integer field ") + f.name);
}

inline float GetFloat(const Bytes& b, std::size_t base, const Field& f) {
  if (f.kind != Kind::F32) throw std::runtime_error(std::string("fixture: not a single field ") + f.name);
  const std::uint32_t u = GetLE32(b, base + f.at);
  float x;
  std::memcpy(&x, &u, 4);
  return x;
}

// A Str field's bytes (its length byte as stored, not cut), or a Char field as one byte.
inline std::string GetString(const Bytes& b, std::size_t base, const Field& f) {
  const std::size_t at = base + f.at;
  if (f.kind == Kind::Char) return b.at(at) ? std::string(1, static_cast<char>(b.at(at))) : std::string();
  if (f.kind != Kind::Str) throw std::runtime_error(std::string("fixture: not a text field ") + f.name);
  const std::size_t n = b.at(at);
  std::string s;
  for (std::size_t k = 0; k < n; ++k) s += static_cast<char>(b.at(at + 1 + k));
  return s;
}

// Reads record `index` of a file's bytes.
struct RecordView {
  const Layout& layout;
  const Bytes& bytes;
  std::size_t index;
  std::size_t base() const { return index * layout.size; }
  std::int64_t Int(const std::string& n) const { return GetInt(bytes, base(), layout.Find(n)); }
  float Float(const std::string& n) const { return GetFloat(bytes, base(), layout.Find(n)); }
  std::string Str(const std::string& n) const { return GetString(bytes, base(), layout.Find(n)); }
};

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

inline void WriteFile(const std::string& path, const Bytes& b) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
  WriteFile(path, Bytes(text.begin(), text.end()));
}

inline Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace fixture
