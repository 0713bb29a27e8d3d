#pragma once
// Helpers of the io tests: an independent record writer and reader with named offsets, a
// window stand-in that records what it was told, and a temporary folder.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "model/model_ui.h"

namespace kelvara::test {

using ByteVec = std::vector<std::uint8_t>;

// Latin-only text goes out byte for byte; the tests that need Cyrillic spell the code page
// bytes themselves.
class Rec {
 public:
  explicit Rec(std::size_t size) : b_(size, 0) {}
  Rec& u8(std::size_t at, unsigned v) { b_.at(at) = static_cast<std::uint8_t>(v); return *this; }
  Rec& ch(std::size_t at, char c) { return u8(at, static_cast<unsigned char>(c)); }
  Rec& u16(std::size_t at, unsigned v) { u8(at, v & 0xFF); return u8(at + 1, (v >> 8) & 0xFF); }
  Rec& i32(std::size_t at, std::int32_t v) {
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int k = 0; k < 4; ++k) u8(at + k, (u >> (8 * k)) & 0xFF);
    return *this;
  }
  Rec& f32(std::size_t at, float v) {
    std::int32_t i;
    std::memcpy(&i, &v, 4);
    return i32(at, i);
  }
  // string[capacity] with raw bytes.
  Rec& str(std::size_t at, const std::string& s) {
    u8(at, static_cast<unsigned>(s.size()));
    for (std::size_t k = 0; k < s.size(); ++k) u8(at + 1 + k, static_cast<unsigned char>(s[k]));
    return *this;
  }
  const ByteVec& bytes() const { return b_; }
  void AppendTo(ByteVec& out) const { out.insert(out.end(), b_.begin(), b_.end()); }

 private:
  ByteVec b_;
};

// Reads fields of one record of a byte buffer.
class View {
 public:
  View(const ByteVec& b, std::size_t start, std::size_t size) : b_(b), start_(start), size_(size) {}
  unsigned u8(std::size_t at) const { return b_.at(start_ + at); }
  char ch(std::size_t at) const { return static_cast<char>(u8(at)); }
  unsigned u16(std::size_t at) const { return u8(at) | (u8(at + 1) << 8); }
  std::int32_t i32(std::size_t at) const {
    std::uint32_t u = 0;
    for (int k = 0; k < 4; ++k) u |= static_cast<std::uint32_t>(u8(at + k)) << (8 * k);
    std::int32_t v;
    std::memcpy(&v, &u, 4);
    return v;
  }
  float f32(std::size_t at) const {
    std::int32_t i = i32(at);
    float v;
    std::memcpy(&v, &i, 4);
    return v;
  }
  std::string str(std::size_t at) const {
    std::string s;
    for (unsigned k = 0; k < u8(at); ++k) s += static_cast<char>(u8(at + 1 + k));
    return s;
  }
  std::size_t size() const { return size_; }

 private:
  const ByteVec& b_;
  std::size_t start_, size_;
};

inline ByteVec ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteVec(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const ByteVec& b) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

struct Status {
  std::string text;
  int icon = 0;
  int seconds = 0;
};

struct RecordingUi : ModelUi {
  std::vector<Status> statuses;
  std::vector<std::string> asked;
  std::vector<std::string> errors;
  bool answer = true;
  void ShowStatus(const std::string& text, int icon, int seconds) override { statuses.push_back({text, icon, seconds}); }
  bool Ask(const std::string& text) override {
    asked.push_back(text);
    return answer;
  }
  void Error(const std::string& text) override { errors.push_back(text); }
  const Status& last() const {
    static const Status none;
    return statuses.empty() ? none : statuses.back();
  }
};

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("kelvara_io_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace kelvara::test
