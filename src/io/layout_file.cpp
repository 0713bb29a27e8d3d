#include "io/layout_file.h"

#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <memory>

#include "core/cp1251.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "io/file_messages.h"

namespace kelvara {
namespace {

constexpr std::size_t kText = 50;
constexpr std::size_t kSpare92Text = 20;
const char* const kNoBand = "-";

// Field offsets shared by the record kinds.
enum Offset : std::size_t {
  kAt0 = 0, kAt4 = 4, kAt8 = 8, kAt12 = 12, kAt16 = 16, kAt20 = 20, kAt24 = 24, kAt28 = 28,
  kAt32 = 32, kAt36 = 36, kAt37 = 37, kAt38 = 38, kAt40 = 40, kAt44 = 44, kAt48 = 48, kAt52 = 52,
  kAt56 = 56, kAt58 = 58, kAtBands = 59, kAt63 = 63, kAt64 = 64, kAt68 = 68, kAt72 = 72,
  kAt76 = 76, kAt80 = 80, kAt84 = 84, kAt88 = 88, kAt92 = 92, kAt96 = 96, kAt100 = 100,
  kAtText1 = 102, kAtText2 = 153, kAtText3 = 204, kAtText4 = 255, kAtMaterial = 308,
  kAtIndex = 312, kAtCount = 316, kAtSpare92 = 320, kAtSpare96 = 344, kAtPr = 348,
  kAtNameEL = 349, kAtNameET = 400, kAtNameER = 451, kAtNameEB = 502,
};
constexpr std::size_t kHeadlineAt[kHeadlinePieces] = {kAtText1, kAtText2, kAtText3, kAtText4};

float ShapeValue(float v) { return std::isfinite(v) ? v : -1.0f; }

RecordWriter NewRecord(char kind) {
  RecordWriter r(kLayoutRecordSize);
  r.Char(kLayoutKindOffset, kind);
  return r;
}

void PutHeader(RecordSink& sink, char kind, int m, std::int32_t count, float recordedSawWidth,
               const std::array<std::string, kHeadlinePieces>* headline) {
  RecordWriter r = NewRecord(kind);
  if (headline) {
    r.F32(kAt0, recordedSawWidth);
    for (int k = 0; k < kHeadlinePieces; ++k) r.ShortString(kHeadlineAt[k], kText, (*headline)[k]);
  }
  r.U8(kAt38, static_cast<std::uint8_t>(m));
  r.I32(kAtCount, count);
  sink.Add(r);
}

void PutSheet(RecordSink& sink, const List& s, int m, int index) {
  RecordWriter r = NewRecord(kLayoutSheet);
  r.F32(kAt0, s.X);
  r.F32(kAt4, s.Y);
  r.F32(kAt8, s.UseX);
  r.F32(kAt12, s.UseY);
  r.U16(kAt28, s.NC);
  r.U8(kAt38, s.Num);
  r.F32(kAt40, s.TL);
  r.F32(kAt44, s.TT);
  r.F32(kAt48, s.TR);
  r.F32(kAt52, s.TB);
  r.U16(kAt56, s.PlacedCount);
  r.U8(kAt58, s.Used);
  r.I32(kAt68, s.PRT);
  r.F32(kAt76, s.Area);
  r.F32(kAt80, s.OffcutArea);
  r.F32(kAt84, s.FreeArea);
  r.F32(kAt88, s.CutLength);
  r.I32(kAt92, s.Copies);
  r.I32(kAt96, s.CopyOf);
  r.U8(kAt100, s.Transposed);
  r.ShortString(kAtText1, kText, Trim(s.Note));
  r.I32(kAtMaterial, m);
  r.I32(kAtIndex, index);
  r.U8(kAtPr, s.Pr);
  sink.Add(r);
}

void PutPart(RecordSink& sink, const Detail& d, int m, int index) {
  RecordWriter r = NewRecord(kLayoutPart);
  r.F32(kAt0, d.X);
  r.F32(kAt4, d.Y);
  r.I32(kAt16, d.Serial);
  r.F32(kAt20, d.PosX);
  r.F32(kAt24, d.PosY);
  r.U16(kAt28, d.NC);
  r.I32(kAt32, d.Sheet);
  r.U8(kAt36, d.Rotation);
  r.U8(kAt37, d.Rotated);
  r.U8(kAt38, d.Num);
  r.U8(kAt58, d.Placed);
  r.U8(kAtBands + 0, d.EL);
  r.U8(kAtBands + 1, d.ET);
  r.U8(kAtBands + 2, d.ER);
  r.U8(kAtBands + 3, d.EB);
  r.U8(kAt63, d.PD);
  r.I32(kAt64, d.Spare68);
  r.I32(kAt68, d.Fold);
  r.U8(kAt72, d.SetZ);
  r.F32(kAt76, d.Area);
  r.ShortString(kAtText1, kText, Trim(d.Note));
  r.ShortString(kAtText2, kText, Trim(d.NameE));
  r.ShortString(kAtText3, kText, Trim(d.Zakaz));
  r.ShortString(kAtText4, kText, Trim(d.NoteG));
  r.I32(kAtMaterial, m);
  r.I32(kAtIndex, index);
  r.ShortString(kAtSpare92, kSpare92Text, Trim(d.Spare92));
  r.I32(kAtSpare96, d.Spare96);
  r.ShortString(kAtNameEL, kText, d.NameEL);
  r.ShortString(kAtNameET, kText, d.NameET);
  r.ShortString(kAtNameER, kText, d.NameER);
  r.ShortString(kAtNameEB, kText, d.NameEB);
  sink.Add(r);
}

void PutOffcut(RecordSink& sink, const RestM& o) {
  RecordWriter r = NewRecord(kLayoutOffcut);
  r.F32(kAt0, o.PosX);
  r.F32(kAt4, o.PosY);
  r.F32(kAt8, o.W);
  r.F32(kAt12, o.H);
  r.U16(kAt28, static_cast<std::uint16_t>(static_cast<std::uint32_t>(o.Id) & 0xFFFFu));
  r.I32(kAt32, o.Sheet);
  r.U8(kAt38, static_cast<std::uint8_t>(o.Num));
  r.F32(kAt76, o.Area);
  r.I32(kAt92, o.Copies);
  r.ShortString(kAtText1, kText, Trim(o.Name));
  sink.Add(r);
}

void PutShape(RecordSink& sink, const ShapeRecord& s) {
  RecordWriter r = NewRecord(kLayoutShape);
  r.F32(kAt0, ShapeValue(s.W));
  r.F32(kAt4, ShapeValue(s.H));
  r.F32(kAt8, ShapeValue(s.X1));
  r.F32(kAt12, ShapeValue(s.Y1));
  r.F32(kAt20, ShapeValue(s.Radius));
  r.F32(kAt40, ShapeValue(s.CX));
  r.F32(kAt44, ShapeValue(s.CY));
  r.F32(kAt48, ShapeValue(s.X2));
  r.F32(kAt52, ShapeValue(s.Y2));
  r.Char(kAt63, s.Kind);
  r.I32(kAt68, s.Id);
  sink.Add(r);
}

// ---- reading ----

bool AllFinite(std::initializer_list<float> values) {
  for (float v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

class LayoutDecoder {
 public:
  LayoutDecoder(int materialCount, std::size_t recordSize, std::size_t records, LayoutFileData& out)
      : materialCount_(materialCount), records_(records), early_(recordSize == kEarlyLayoutRecordSize), out_(out) {
    out_ = LayoutFileData{};
    out_.recordSize = recordSize;
    const int n = materialCount_ > 0 ? materialCount_ : 0;
    out_.slot.Reset(n);
    out_.SheetCounts.assign(n, 0);
    out_.DetailCounts.assign(n, 0);
    out_.headerSeen.assign(n, 0);
  }

  // False with `reason` set when the record makes the file unusable.
  bool Take(const RecordReader& r) {
    switch (r.Char(kLayoutKindOffset)) {
      case kLayoutMaterialHeader: return MaterialHeader(r);
      case kLayoutSheet: return Sheet(r);
      case kLayoutPartsHeader: return PartsHeader(r);
      case kLayoutPart: return Part(r);
      case kLayoutOffcut: return Offcut(r);
      case kLayoutShape: return Shape(r);
      default: return true;  // another kind is skipped
    }
  }

  bool Finish() {
    bool anyHeader = false;
    for (int m = 0; m < materialCount_; ++m) {
      anyHeader = anyHeader || out_.headerSeen[m];
      const int sheets = static_cast<int>(out_.slot.LayoutSheets[m].size());
      for (const List& s : out_.slot.LayoutSheets[m])
        if (s.CopyOf < -1 || s.CopyOf >= sheets) return Fail("a sheet repeats a sheet that does not exist");
      for (const Detail& d : out_.slot.LayoutDetails[m])
        if (d.Sheet < -1 || d.Sheet >= sheets) return Fail("a part lies on a sheet that does not exist");
      out_.slot.MaterialActive[m] = out_.DetailCounts[m] != 0 && out_.SheetCounts[m] != 0;
    }
    if (!anyHeader) return Fail("no material header");
    for (const RestM& o : out_.slot.OffcutLists) {
      if (o.Num < 0 || o.Num >= materialCount_) return Fail("an offcut of a material beyond the list");
      if (o.Sheet < 0 || o.Sheet >= static_cast<int>(out_.slot.LayoutSheets[o.Num].size()))
        return Fail("an offcut on a sheet that does not exist");
    }
    return true;
  }

  const std::string& reason() const { return reason_; }

 private:
  bool Fail(std::string why) {
    reason_ = std::move(why);
    return false;
  }

  // A header's count: never more entries than the file has records.
  bool Count(const RecordReader& r, std::int32_t& count) {
    count = r.I32(kAtCount);
    if (count < 0 || static_cast<std::size_t>(count) > records_) return Fail("a header count beyond the file");
    return true;
  }

  bool MaterialHeader(const RecordReader& r) {
    const int m = r.U8(kAt38);
    if (m >= materialCount_) return Fail("material header " + std::to_string(m) + " beyond the material list");
    std::int32_t count = 0;
    if (!Count(r, count)) return false;
    const float saw = r.F32(kAt0);
    if (!std::isfinite(saw)) return Fail("saw width is not a number");
    out_.slot.LayoutSheets[m].assign(static_cast<std::size_t>(count), List{});  // each with empty Cuts
    out_.SheetCounts[m] = count;
    out_.headerSeen[m] = 1;
    out_.RecordedSawWidth = saw;
    if (!early_) {
      std::string headline;
      for (std::size_t at : kHeadlineAt) headline += r.ShortString(at, kText);
      out_.headline = Trim(headline);
      out_.hasHeadline = true;
    }
    return true;
  }

  bool PartsHeader(const RecordReader& r) {
    const int m = r.U8(kAt38);
    if (m >= materialCount_) return Fail("parts header " + std::to_string(m) + " beyond the material list");
    std::int32_t count = 0;
    if (!Count(r, count)) return false;
    out_.slot.LayoutDetails[m].assign(static_cast<std::size_t>(count), Detail{});
    out_.DetailCounts[m] = count;
    out_.headerSeen[m] = 1;
    return true;
  }

  // The material and index of a sheet or part record, inside the sized arrays.
  template <typename T>
  T* Place(const RecordReader& r, std::vector<std::vector<T>>& arrays, const char* what) {
    const std::int32_t m = r.I32(kAtMaterial);
    const std::int32_t i = r.I32(kAtIndex);
    if (m < 0 || m >= materialCount_ || i < 0 || i >= static_cast<std::int32_t>(arrays[m].size())) {
      Fail(std::string(what) + " record outside its material's array");
      return nullptr;
    }
    if (r.U8(kAt38) >= materialCount_) {
      Fail(std::string(what) + " record of a material beyond the list");
      return nullptr;
    }
    return &arrays[m][i];
  }

  bool Sheet(const RecordReader& r) {
    List* s = Place(r, out_.slot.LayoutSheets, "sheet");
    if (!s) return false;
    List v;
    v.X = r.F32(kAt0);
    v.Y = r.F32(kAt4);
    v.UseX = r.F32(kAt8);
    v.UseY = r.F32(kAt12);
    v.Serial = serial_++;
    v.NC = r.U16(kAt28);
    v.Num = r.U8(kAt38);
    v.TL = r.F32(kAt40);
    v.TT = r.F32(kAt44);
    v.TR = r.F32(kAt48);
    v.TB = r.F32(kAt52);
    v.PlacedCount = r.U16(kAt56);
    v.Used = r.U8(kAt58);
    v.PRT = early_ ? 0 : static_cast<std::uint8_t>(r.I32(kAt68));
    v.Area = r.F32(kAt76);
    v.OffcutArea = r.F32(kAt80);
    v.FreeArea = r.F32(kAt84);
    v.CutLength = r.F32(kAt88);
    v.Copies = r.I32(kAt92);
    v.CopyOf = r.I32(kAt96);
    v.Transposed = r.U8(kAt100);
    v.Note = Trim(r.ShortString(kAtText1, kText));
    v.Pr = r.U8(kAtPr);
    if (!AllFinite({v.X, v.Y, v.UseX, v.UseY, v.TL, v.TT, v.TR, v.TB, v.Area, v.OffcutArea, v.FreeArea, v.CutLength}))
      return Fail("a sheet size is not a number");
    *s = std::move(v);
    return true;
  }

  std::string BandName(const RecordReader& r, std::size_t at) const {
    if (early_) return kNoBand;
    std::string name = r.ShortString(at, kText);
    return Trim(name).empty() ? std::string(kNoBand) : name;
  }

  bool Part(const RecordReader& r) {
    Detail* d = Place(r, out_.slot.LayoutDetails, "part");
    if (!d) return false;
    Detail v;
    v.X = r.F32(kAt0);
    v.Y = r.F32(kAt4);
    v.Serial = r.I32(kAt16);
    v.PosX = r.F32(kAt20);
    v.PosY = r.F32(kAt24);
    v.NC = r.U16(kAt28);
    v.Sheet = r.I32(kAt32);
    v.Rotation = r.U8(kAt36);
    v.Rotated = r.U8(kAt37);
    v.Num = r.U8(kAt38);
    v.Placed = r.U8(kAt58);
    v.EL = r.U8(kAtBands + 0);
    v.ET = r.U8(kAtBands + 1);
    v.ER = r.U8(kAtBands + 2);
    v.EB = r.U8(kAtBands + 3);
    v.PD = r.U8(kAt63);
    v.Spare68 = r.I32(kAt64);
    v.Fold = r.I32(kAt68);
    v.SetZ = r.U8(kAt72);
    v.Area = r.F32(kAt76);
    v.Note = Trim(r.ShortString(kAtText1, kText));
    v.NameE = Trim(r.ShortString(kAtText2, kText));
    v.Zakaz = Trim(r.ShortString(kAtText3, kText));
    v.NoteG = Trim(r.ShortString(kAtText4, kText));
    v.Spare92 = Trim(r.ShortString(kAtSpare92, kSpare92Text));
    v.Spare96 = r.I32(kAtSpare96);
    v.NameEL = BandName(r, kAtNameEL);
    v.NameET = BandName(r, kAtNameET);
    v.NameER = BandName(r, kAtNameER);
    v.NameEB = BandName(r, kAtNameEB);
    if (!AllFinite({v.X, v.Y, v.PosX, v.PosY, v.Area})) return Fail("a part size or position is not a number");
    *d = std::move(v);
    return true;
  }

  bool Offcut(const RecordReader& r) {
    RestM o;
    o.PosX = r.F32(kAt0);
    o.PosY = r.F32(kAt4);
    o.W = r.F32(kAt8);
    o.H = r.F32(kAt12);
    o.Id = r.U16(kAt28);
    o.Sheet = r.I32(kAt32);
    o.Num = r.U8(kAt38);
    o.Area = r.F32(kAt76);
    o.Copies = r.I32(kAt92);
    o.Name = Trim(r.ShortString(kAtText1, kText));
    if (!AllFinite({o.PosX, o.PosY, o.W, o.H, o.Area})) return Fail("an offcut size is not a number");
    out_.slot.OffcutLists.push_back(std::move(o));
    return true;
  }

  bool Shape(const RecordReader& r) {
    ShapeRecord s;
    s.W = ShapeValue(r.F32(kAt0));
    s.H = ShapeValue(r.F32(kAt4));
    s.X1 = ShapeValue(r.F32(kAt8));
    s.Y1 = ShapeValue(r.F32(kAt12));
    s.Radius = ShapeValue(r.F32(kAt20));
    s.CX = ShapeValue(r.F32(kAt40));
    s.CY = ShapeValue(r.F32(kAt44));
    s.X2 = ShapeValue(r.F32(kAt48));
    s.Y2 = ShapeValue(r.F32(kAt52));
    s.Kind = r.Char(kAt63);
    s.Id = r.I32(kAt68);
    out_.slot.ShapeLists.push_back(s);
    return true;
  }

  int materialCount_;
  std::size_t records_;
  bool early_;
  LayoutFileData& out_;
  std::int32_t serial_ = 0;
  std::string reason_;
};

}  // namespace

bool IsLayoutRecordKind(char kind) {
  switch (kind) {
    case kLayoutMaterialHeader:
    case kLayoutSheet:
    case kLayoutPartsHeader:
    case kLayoutPart:
    case kLayoutOffcut:
    case kLayoutShape: return true;
    default: return false;
  }
}

std::string LayoutFileName(const std::string& name) {
  if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".sl3") == 0) return name;
  return name + ".sl3";
}

std::string SawWidthFileName(const std::string& layoutPath) {
  const std::size_t keep = layoutPath.size() >= 4 ? layoutPath.size() - 4 : 0;
  return layoutPath.substr(0, keep) + ".kw3";
}

std::array<std::string, kHeadlinePieces> SplitHeadline(const std::string& headline) {
  const std::string text = Trim(headline);
  std::array<std::string, kHeadlinePieces> pieces;
  std::string rest = text;
  for (auto& piece : pieces) {
    piece = Utf8Left(rest, kHeadlinePiece);
    rest.erase(0, piece.size());
  }
  return pieces;
}

Bytes EncodeLayout(const LayoutSlot& slot, int materialCount, float recordedSawWidth, const std::string& headline) {
  RecordSink sink;
  const auto pieces = SplitHeadline(headline);
  const int arrays = slot.MaterialCount();
  for (int m = 0; m < materialCount; ++m) {
    const std::vector<List> none;
    const auto& sheets = m < arrays ? slot.LayoutSheets[m] : none;
    PutHeader(sink, kLayoutMaterialHeader, m, static_cast<std::int32_t>(sheets.size()), recordedSawWidth, &pieces);
    for (std::size_t i = 0; i < sheets.size(); ++i) PutSheet(sink, sheets[i], m, static_cast<int>(i));
  }
  for (int m = 0; m < materialCount; ++m) {
    const std::vector<Detail> none;
    const auto& parts = m < static_cast<int>(slot.LayoutDetails.size()) ? slot.LayoutDetails[m] : none;
    PutHeader(sink, kLayoutPartsHeader, m, static_cast<std::int32_t>(parts.size()), 0, nullptr);
    for (std::size_t i = 0; i < parts.size(); ++i) PutPart(sink, parts[i], m, static_cast<int>(i));
  }
  for (const RestM& o : slot.OffcutLists) PutOffcut(sink, o);
  for (const ShapeRecord& s : slot.ShapeLists) PutShape(sink, s);
  return sink.bytes();
}

Bytes EncodeSawWidths(const std::vector<float>& sawWidths) {
  RecordSink sink;
  for (float kw : sawWidths) {
    RecordWriter r(4);
    r.F32(0, kw);
    sink.Add(r);
  }
  return sink.bytes();
}

LayoutReadStatus DecodeLayout(const Bytes& bytes, int materialCount, LayoutFileData& out, std::string* reason) {
  std::size_t recordSize = kEarlyLayoutRecordSize;
  const std::size_t whole = bytes.size() / kLayoutRecordSize;
  if (whole > 0) {
    const RecordReader last(bytes.data() + (whole - 1) * kLayoutRecordSize, kLayoutRecordSize);
    if (IsLayoutRecordKind(last.Char(kLayoutKindOffset))) recordSize = kLayoutRecordSize;
  }
  const std::size_t records = bytes.size() / recordSize;
  LayoutDecoder decoder(materialCount, recordSize, records, out);
  bool ok = records > 0;
  std::string why = ok ? "" : "no whole record";
  for (std::size_t i = 0; ok && i < records; ++i) {
    ok = decoder.Take(RecordReader(bytes.data() + i * recordSize, recordSize));
    if (!ok) why = decoder.reason() + " (record " + std::to_string(i) + ")";
  }
  if (ok) {
    ok = decoder.Finish();
    if (!ok) why = decoder.reason();
  }
  if (!ok) {
    if (reason) *reason = why;
    out = LayoutFileData{};
    return LayoutReadStatus::Destroyed;
  }
  return LayoutReadStatus::Ok;
}

LayoutReadStatus ReadLayoutFile(const std::string& path, int materialCount, LayoutFileData& out, std::string* reason) {
  FileBytes file = ReadWholeFile(path);
  if (file.status == FileStatus::NotFound) {
    if (reason) *reason = "no such file";
    return LayoutReadStatus::NotFound;
  }
  if (file.status != FileStatus::Ok) {
    if (reason) *reason = "read error";
    return LayoutReadStatus::Destroyed;
  }
  return DecodeLayout(file.bytes, materialCount, out, reason);
}

std::optional<std::vector<float>> ReadSawWidths(const std::string& path) {
  const RecordFile file = ReadRecordFile(path, 4);
  if (file.status != FileStatus::Ok) return std::nullopt;
  std::vector<float> widths;
  widths.reserve(file.Count());
  for (std::size_t i = 0; i < file.Count(); ++i) {
    const float kw = file.At(i).F32(0);
    if (!std::isfinite(kw) || kw < 0) return std::nullopt;
    widths.push_back(kw);
  }
  return widths;
}

std::vector<float> OpenedSawWidths(float recordedSawWidth, const std::optional<std::vector<float>>& kw3,
                                   int materialCount) {
  const std::size_t n = materialCount > 0 ? static_cast<std::size_t>(materialCount) : 0;
  std::vector<float> widths(n, recordedSawWidth);
  if (!IsZero3(recordedSawWidth) || !kw3) return widths;
  for (std::size_t m = 0; m < n && m < kw3->size(); ++m) widths[m] = (*kw3)[m];
  return widths;
}

std::vector<float> SavedSawWidths(const std::vector<float>& materialKW, const std::vector<float>& tableKW) {
  std::vector<float> widths = tableKW;
  for (std::size_t m = 0; m < widths.size() && m < materialKW.size(); ++m) widths[m] = materialKW[m];
  return widths;
}

std::vector<float> SavedSawWidths(const LayoutModel& model, const JobTables& tables) {
  std::vector<float> table;
  for (int i = 0; i < tables.rxOM.Count(); ++i) table.push_back(static_cast<float>(tables.rxOM.FloatAt(i, "KW")));
  return SavedSawWidths(model.MaterialKW, table);
}

bool WriteLayoutFiles(const std::string& path, const LayoutSlot& slot, int materialCount, float recordedSawWidth,
                      const std::string& headline, const std::vector<float>& sawWidths) {
  if (!WriteFileAtomic(path, EncodeLayout(slot, materialCount, recordedSawWidth, headline))) return false;
  return WriteFileAtomic(SawWidthFileName(path), EncodeSawWidths(sawWidths));
}

std::string SaveLayout(const std::string& chosenName, const LayoutModel& model, const std::string& headline,
                       const std::vector<float>& sawWidths, const MessageTable& messages, ModelUi& ui) {
  if (chosenName.empty()) return {};
  const std::string path = LayoutFileName(chosenName);
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && !ui.Ask(messages.Msg(kIoMsgFileExists))) return {};
  if (!WriteLayoutFiles(path, model.View(), model.MaterialCount, model.RecordedSawWidth, headline, sawWidths))
    return {};
  ui.ShowStatus(messages.Msg(kIoMsgLayout) + " " + Quoted(path) + " " + Utf8Lower(messages.Msg(kIoMsgSaved)),
                kIconSuccess, 20);
  return path;
}

bool LoadLayoutFile(const std::string& path, LayoutModel& model, LayoutHistory& history, std::string& headline,
                    const MessageTable& messages, ModelUi& ui) {
  if (model.CalculationRunning) return false;  // the calculation owns WriteSlot until it completes
  auto data = std::make_unique<LayoutFileData>();
  const LayoutReadStatus status = ReadLayoutFile(path, model.MaterialCount, *data);
  if (status != LayoutReadStatus::Ok) {
    ui.ShowStatus(status == LayoutReadStatus::NotFound ? FileNotFoundText(messages, path)
                                                       : FileDestroyedText(messages, path),
                  kIconError, 20);
    return false;
  }
  const int w = model.WriteSlot;
  auto filled = std::make_unique<LayoutSlot>(std::move(data->slot));
  model.SwapIn(w, filled);
  model.SheetCounts = std::move(data->SheetCounts);
  model.DetailCounts = std::move(data->DetailCounts);
  model.RecordedSawWidth = data->RecordedSawWidth;
  model.MaterialKW = OpenedSawWidths(data->RecordedSawWidth, ReadSawWidths(SawWidthFileName(path)), model.MaterialCount);
  if (data->hasHeadline) headline = data->headline;
  model.ViewSlot = w;
  history.Add(w, HistoryEntryTextNow(true));
  model.AdvanceWriteSlot();
  ui.ShowStatus(messages.Msg(kIoMsgOpenLayout) + " " + Quoted(path), kIconSuccess, 20);
  return true;
}

}  // namespace kelvara
