#pragma once
// Fixed-size little-endian records with length-prefixed short strings.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

using Bytes = std::vector<std::uint8_t>;

// Writes into a zero-filled record of fixed size. Writes past the end are dropped.
class RecordWriter {
 public:
  explicit RecordWriter(std::size_t size) : bytes_(size, 0) {}
  void U8(std::size_t at, std::uint8_t v);
  void Char(std::size_t at, char c) { U8(at, static_cast<std::uint8_t>(c)); }
  void I16(std::size_t at, std::int16_t v) { U16(at, static_cast<std::uint16_t>(v)); }
  void U16(std::size_t at, std::uint16_t v);
  void I32(std::size_t at, std::int32_t v);
  void F32(std::size_t at, float v);
  void F64(std::size_t at, double v);
  // string[capacity]: a length byte then `capacity` bytes; UTF-8 text goes out as code page 1251,
  // cut to `capacity` characters.
  void ShortString(std::size_t at, std::size_t capacity, std::string_view utf8);
  void Raw(std::size_t at, const std::uint8_t* data, std::size_t n);
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// Reads fields of one record; a field beyond the record reads as 0 / empty.
class RecordReader {
 public:
  RecordReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit RecordReader(const Bytes& b) : data_(b.data()), size_(b.size()) {}
  std::uint8_t U8(std::size_t at) const;
  char Char(std::size_t at) const { return static_cast<char>(U8(at)); }
  std::int16_t I16(std::size_t at) const { return static_cast<std::int16_t>(U16(at)); }
  std::uint16_t U16(std::size_t at) const;
  std::int32_t I32(std::size_t at) const;
  float F32(std::size_t at) const;
  double F64(std::size_t at) const;
  // string[capacity] as UTF-8; a length byte above the capacity is cut to the capacity.
  std::string ShortString(std::size_t at, std::size_t capacity) const;
  std::size_t size() const { return size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

enum class FileStatus { Ok, NotFound, IoError };

struct FileBytes {
  FileStatus status = FileStatus::NotFound;
  Bytes bytes;
};

FileBytes ReadWholeFile(const std::string& path);

// The whole records of a file of fixed-size records; an incomplete last record is ignored.
struct RecordFile {
  FileStatus status = FileStatus::NotFound;
  std::size_t recordSize = 0;
  std::size_t fileSize = 0;  // before the incomplete last record was dropped
  Bytes bytes;
  // Shorter than one record but not empty: what a damaged file looks like.
  bool Truncated() const { return Count() == 0 && fileSize > 0; }
  std::size_t Count() const { return recordSize ? bytes.size() / recordSize : 0; }
  RecordReader At(std::size_t i) const { return RecordReader(bytes.data() + i * recordSize, recordSize); }
};

RecordFile ReadRecordFile(const std::string& path, std::size_t recordSize);

// Writes through a temporary file in the same folder renamed over the target.
bool WriteFileAtomic(const std::string& path, const Bytes& bytes);
bool WriteFileAtomic(const std::string& path, std::string_view text);

// Appends records into one buffer.
class RecordSink {
 public:
  void Add(const RecordWriter& r) { bytes_.insert(bytes_.end(), r.bytes().begin(), r.bytes().end()); }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

}  // namespace kelvara
