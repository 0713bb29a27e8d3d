#pragma once
// Record layouts of the program data files: the options file (Kelvara3.opt), the saw widths
// (Kelvara3.mkw), the job (Kelvara3.dat), the storehouse (Kelvara3.mat) and the outlines
// (Kelvara3.dac), and the text line files (Kelvara3.mtn, Kelvara3.nte).
// Every record is little-endian and fixed-size; strings are length-prefixed, code page 1251.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_record.h"
#include "model/options.h"
#include "model/shape_record.h"

namespace kelvara {

inline constexpr std::size_t kOptionsRecordSize = 664;
inline constexpr std::size_t kSawWidthRecordSize = 56;
inline constexpr std::size_t kJobRecordSize = 840;
inline constexpr std::size_t kStoreRecordSize = 124;
inline constexpr std::size_t kShapeRecordSize = 44;
inline constexpr std::size_t kBandNameCapacity = 20;

// Options file: one "G" record with every option, one "T" record per edge band name.
Bytes EncodeOptionsRecord(const Options& o);
// Every option and reserved value of a "G" record, as stored (no defaults applied). Integer
// options kept as singles are rounded; a single that is no finite number keeps `o`'s value.
void DecodeOptionsRecord(const RecordReader& r, Options& o);
Bytes EncodeBandRecord(std::string_view name);  // cut to 20 characters
std::string DecodeBandRecord(const RecordReader& r);

struct SawWidthRecord {
  float KW = 0;
  std::string Mat;
};
Bytes EncodeSawWidthRecord(const SawWidthRecord& s);
SawWidthRecord DecodeSawWidthRecord(const RecordReader& r);

// "M" record of the job file.
struct SheetRecord {
  float X = 0, Y = 0;
  std::int32_t Q = 0, Num = 0, PT = 0, PRT = 0;
  std::string Name, Note;
  float TL = 0, TT = 0, TR = 0, TB = 0;
};
// "D" record of the job file.
struct PartRecord {
  std::string PD;  // one character; empty when the byte is 0
  float X = 0, Y = 0;
  std::int32_t Q = 0, Num = 0, Rotation = 0, Fold = 0;
  bool EL = false, ET = false, ER = false, EB = false;
  std::string Name, Note, NameE, NF;
  bool SetZ = false;
  std::string Zakaz, NoteG, Dist1, NameEL, NameET, NameER, NameEB;
};
inline constexpr char kSheetKind = 'M';
inline constexpr char kPartKind = 'D';
Bytes EncodeSheetRecord(const SheetRecord& s);
SheetRecord DecodeSheetRecord(const RecordReader& r);
Bytes EncodePartRecord(const PartRecord& p);
PartRecord DecodePartRecord(const RecordReader& r);

struct StoreRecord {
  float X = 0, Y = 0;
  std::int32_t Q = 0, QM = 0, Num = 0;
  std::string Material, N;
};
Bytes EncodeStoreRecord(const StoreRecord& s);
StoreRecord DecodeStoreRecord(const RecordReader& r);

// A single that is not a number is written and read as -1.
Bytes EncodeShapeRecord(const ShapeRecord& s);
ShapeRecord DecodeShapeRecord(const RecordReader& r);

// Lines of a code page 1251 text file; a line ends at LF, a CR before it is dropped, and a last
// line without LF counts. Lines come back as UTF-8.
std::vector<std::string> SplitTextLines(const Bytes& bytes);
// Lines as code page 1251, each ended by CR LF; a CR or LF inside a line becomes a blank.
std::string JoinTextLines(const std::vector<std::string>& lines);

}  // namespace kelvara
