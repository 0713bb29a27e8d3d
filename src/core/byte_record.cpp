#include "core/byte_record.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/cp1251.h"

namespace kelvara {

void RecordWriter::U8(std::size_t at, std::uint8_t v) {
  if (at < bytes_.size()) bytes_[at] = v;
}

void RecordWriter::U16(std::size_t at, std::uint16_t v) {
  U8(at, static_cast<std::uint8_t>(v & 0xFF));
  U8(at + 1, static_cast<std::uint8_t>(v >> 8));
}

void RecordWriter::I32(std::size_t at, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int k = 0; k < 4; ++k) U8(at + k, static_cast<std::uint8_t>((u >> (8 * k)) & 0xFF));
}

void RecordWriter::F32(std::size_t at, float v) {
  std::uint32_t u;
  std::memcpy(&u, &v, 4);
  I32(at, static_cast<std::int32_t>(u));
}

void RecordWriter::F64(std::size_t at, double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, 8);
  for (int k = 0; k < 8; ++k) U8(at + k, static_cast<std::uint8_t>((u >> (8 * k)) & 0xFF));
}

void RecordWriter::ShortString(std::size_t at, std::size_t capacity, std::string_view utf8) {
  std::string s = Utf8ToCp1251(utf8);
  if (capacity > 255) capacity = 255;
  if (s.size() > capacity) s.resize(capacity);
  U8(at, static_cast<std::uint8_t>(s.size()));
  for (std::size_t k = 0; k < s.size(); ++k) U8(at + 1 + k, static_cast<std::uint8_t>(s[k]));
}

void RecordWriter::Raw(std::size_t at, const std::uint8_t* data, std::size_t n) {
  for (std::size_t k = 0; k < n; ++k) U8(at + k, data[k]);
}

std::uint8_t RecordReader::U8(std::size_t at) const { return at < size_ ? data_[at] : 0; }

std::uint16_t RecordReader::U16(std::size_t at) const {
  return static_cast<std::uint16_t>(U8(at) | (U8(at + 1) << 8));
}

std::int32_t RecordReader::I32(std::size_t at) const {
  std::uint32_t u = 0;
  for (int k = 0; k < 4; ++k) u |= static_cast<std::uint32_t>(U8(at + k)) << (8 * k);
  return static_cast<std::int32_t>(u);
}

float RecordReader::F32(std::size_t at) const {
  const auto u = static_cast<std::uint32_t>(I32(at));
  float v;
  std::memcpy(&v, &u, 4);
  return v;
}

double RecordReader::F64(std::size_t at) const {
  std::uint64_t u = 0;
  for (int k = 0; k < 8; ++k) u |= static_cast<std::uint64_t>(U8(at + k)) << (8 * k);
  double v;
  std::memcpy(&v, &u, 8);
  return v;
}

std::string RecordReader::ShortString(std::size_t at, std::size_t capacity) const {
  std::size_t len = U8(at);
  if (len > capacity) len = capacity;
  std::string s;
  s.reserve(len);
  for (std::size_t k = 0; k < len && at + 1 + k < size_; ++k) s += static_cast<char>(data_[at + 1 + k]);
  return Cp1251ToUtf8(s);
}

FileBytes ReadWholeFile(const std::string& path) {
  FileBytes out;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    out.status = FileStatus::NotFound;
    return out;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    out.status = FileStatus::IoError;
    return out;
  }
  try {
    out.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {
    // The file buffer throws when a read() fails.
    out.status = FileStatus::IoError;
    return out;
  }
  out.status = in.bad() ? FileStatus::IoError : FileStatus::Ok;
  return out;
}

RecordFile ReadRecordFile(const std::string& path, std::size_t recordSize) {
  RecordFile rf;
  rf.recordSize = recordSize;
  FileBytes fb = ReadWholeFile(path);
  rf.status = fb.status;
  rf.bytes = std::move(fb.bytes);
  rf.fileSize = rf.bytes.size();
  if (recordSize) rf.bytes.resize(rf.bytes.size() / recordSize * recordSize);
  return rf;
}

bool WriteFileAtomic(const std::string& path, const Bytes& bytes) {
  namespace fs = std::filesystem;
  static thread_local std::mt19937 rng{std::random_device{}()};
  const std::string tmp = path + ".tmp" + std::to_string(rng() % 1000000);
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ec;
      fs::remove(tmp, ec);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(tmp, path, ec);
  if (ec) {
    fs::remove(tmp, ec);
    return false;
  }
  return true;
}

bool WriteFileAtomic(const std::string& path, std::string_view text) {
  return WriteFileAtomic(path, Bytes(text.begin(), text.end()));
}

}  // namespace kelvara
