#include "io/file_inspect.h"

#include <cctype>

#include "core/cp1251.h"
#include "io/file_messages.h"
#include "io/previous_generation_import.h"
#include "io/project_file.h"
#include "io/text_import.h"
#include "model/data_files_json.h"
#include "model/data_records.h"
#include "model/job_tables.h"

namespace kelvara {
namespace {

// Every material number a '1' or '2' record can name.
constexpr int kAnyMaterial = 256;

std::string CharText(std::uint8_t c) { return c ? Cp1251ToUtf8(std::string(1, static_cast<char>(c))) : std::string(); }

std::string Extension(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

struct NoUi : ModelUi {};

InspectResult Missing(const std::string& path, FileStatus status) {
  MessageTable messages;
  return {false, status == FileStatus::NotFound ? FileNotFoundText(messages, path) : FileDestroyedText(messages, path)};
}

InspectResult InspectProject(const std::string& path, std::ostream& out) {
  const RecordFile file = ReadRecordFile(path, kJobRecordSize);
  if (file.status != FileStatus::Ok) return Missing(path, file.status);
  if (file.Count() == 0) return Missing(path, FileStatus::IoError);
  JsonWriter w(out);
  w.BeginObject().Key("records").BeginArray();
  for (std::size_t i = 0; i < file.Count(); ++i) {
    const RecordReader r = file.At(i);
    w.BeginObject();
    const char kind = r.Char(0);
    w.Key("kind").String(CharText(static_cast<std::uint8_t>(kind)));
    if (kind == kSheetKind) {
      const SheetRecord s = DecodeSheetRecord(r);
      w.Key("X").Number(s.X).Key("Y").Number(s.Y).Key("Q").Integer(s.Q).Key("Num").Integer(s.Num);
      w.Key("Name").String(s.Name).Key("Note").String(s.Note).Key("PT").Integer(s.PT).Key("PRT").Integer(s.PRT);
      w.Key("TL").Number(s.TL).Key("TT").Number(s.TT).Key("TR").Number(s.TR).Key("TB").Number(s.TB);
    } else if (kind == kPartKind) {
      const PartRecord p = DecodePartRecord(r);
      w.Key("PD").String(p.PD).Key("X").Number(p.X).Key("Y").Number(p.Y).Key("Q").Integer(p.Q);
      w.Key("Num").Integer(p.Num).Key("Rotation").Integer(p.Rotation).Key("Fold").Integer(p.Fold);
      w.Key("EL").Bool(p.EL).Key("ET").Bool(p.ET).Key("ER").Bool(p.ER).Key("EB").Bool(p.EB);
      w.Key("Name").String(p.Name).Key("Note").String(p.Note).Key("NameE").String(p.NameE).Key("NF").String(p.NF);
      w.Key("SetZ").Bool(p.SetZ).Key("Zakaz").String(p.Zakaz).Key("NoteG").String(p.NoteG);
      w.Key("Dist1").String(p.Dist1).Key("NameEL").String(p.NameEL).Key("NameET").String(p.NameET);
      w.Key("NameER").String(p.NameER).Key("NameEB").String(p.NameEB);
    }
    w.EndObject();
  }
  w.EndArray().EndObject();
  return {true, {}};
}

InspectResult InspectOutlines(const std::string& path, std::ostream& out) {
  const RecordFile file = ReadRecordFile(path, kShapeRecordSize);
  if (file.status != FileStatus::Ok) return Missing(path, file.status);
  std::vector<ShapeRecord> shapes;
  for (std::size_t i = 0; i < file.Count(); ++i) shapes.push_back(DecodeShapeRecord(file.At(i)));
  JsonWriter w(out);
  w.BeginObject().Key("shapes");
  WriteShapesJson(w, shapes);
  w.EndObject();
  return {true, {}};
}

InspectResult InspectLayout(const std::string& path, std::ostream& out) {
  LayoutFileData data;
  std::string reason;
  const LayoutReadStatus status = ReadLayoutFile(path, kAnyMaterial, data, &reason);
  if (status != LayoutReadStatus::Ok) {
    InspectResult r = Missing(path, status == LayoutReadStatus::NotFound ? FileStatus::NotFound : FileStatus::IoError);
    if (!reason.empty()) r.error += " (" + reason + ")";
    return r;
  }
  JsonWriter w(out);
  WriteLayoutJson(w, data);
  return {true, {}};
}

InspectResult InspectSawWidths(const std::string& path, std::ostream& out) {
  const RecordFile file = ReadRecordFile(path, 4);
  if (file.status != FileStatus::Ok) return Missing(path, file.status);
  JsonWriter w(out);
  w.BeginObject().Key("saw_widths").BeginArray();
  for (std::size_t i = 0; i < file.Count(); ++i) w.Number(file.At(i).F32(0));
  w.EndArray().EndObject();
  return {true, {}};
}

// The rows the import gives with the built-in material list and default options.
InspectResult InspectTextImport(const std::string& path, std::ostream& out) {
  const FileBytes file = ReadWholeFile(path);
  if (file.status != FileStatus::Ok) return Missing(path, file.status);
  Options options;
  MessageTable messages;
  NoUi ui;
  JobTables tables(options, messages, ui);
  tables.ResetMaterialNames();
  const ImportResult r = ApplyTextImport(ParseTextImport(file.bytes), tables);
  JsonWriter w(out);
  w.BeginObject().Key("sheets");
  WriteTableJson(w, tables.rxM);
  w.Key("parts");
  WriteTableJson(w, tables.rxD);
  w.Key("error");
  if (r.ok) w.Null();
  else w.String(r.error);
  w.EndObject();
  return {r.ok, r.error};
}

InspectResult InspectPreviousGeneration(const std::string& path, std::ostream& out) {
  const RecordFile file = ReadRecordFile(path, kPreviousGenerationRecordSize);
  if (file.status != FileStatus::Ok) return Missing(path, file.status);
  JsonWriter w(out);
  w.BeginObject().Key("records").BeginArray();
  for (std::size_t i = 0; i < file.Count(); ++i) {
    const PreviousGenerationRecord p = DecodePreviousGenerationRecord(file.At(i));
    w.BeginObject().Key("text").String(p.text).Key("X").Number(p.X).Key("Y").Number(p.Y);
    w.Key("quantity").Integer(p.Q).Key("rotation").Integer(p.Rotation).Key("note").String(p.note).EndObject();
  }
  w.EndArray().EndObject();
  return {true, {}};
}

}  // namespace

void WriteSheetJson(JsonWriter& w, const List& s) {
  w.BeginObject();
  w.Key("X").Number(s.X).Key("Y").Number(s.Y).Key("UseX").Number(s.UseX).Key("UseY").Number(s.UseY);
  w.Key("Serial").Integer(s.Serial).Key("NC").Integer(s.NC).Key("Num").Integer(s.Num).Key("PRT").Integer(s.PRT);
  w.Key("TL").Number(s.TL).Key("TT").Number(s.TT).Key("TR").Number(s.TR).Key("TB").Number(s.TB);
  w.Key("PlacedCount").Integer(s.PlacedCount).Key("Used").Integer(s.Used).Key("Note").String(s.Note);
  w.Key("Area").Number(s.Area).Key("OffcutArea").Number(s.OffcutArea).Key("FreeArea").Number(s.FreeArea);
  w.Key("CutLength").Number(s.CutLength).Key("Copies").Integer(s.Copies).Key("CopyOf").Integer(s.CopyOf);
  w.Key("Pr").String(CharText(s.Pr)).Key("Transposed").Integer(s.Transposed);
  w.EndObject();
}

void WritePartJson(JsonWriter& w, const Detail& d) {
  w.BeginObject();
  w.Key("X").Number(d.X).Key("Y").Number(d.Y).Key("Serial").Integer(d.Serial).Key("Num").Integer(d.Num);
  w.Key("PosX").Number(d.PosX).Key("PosY").Number(d.PosY).Key("NC").Integer(d.NC).Key("Sheet").Integer(d.Sheet);
  w.Key("Rotation").Integer(d.Rotation).Key("Rotated").Integer(d.Rotated).Key("Placed").Integer(d.Placed);
  w.Key("Area").Number(d.Area).Key("NameE").String(d.NameE);
  w.Key("EL").Integer(d.EL).Key("ET").Integer(d.ET).Key("ER").Integer(d.ER).Key("EB").Integer(d.EB);
  w.Key("NameEL").String(d.NameEL).Key("NameET").String(d.NameET);
  w.Key("NameER").String(d.NameER).Key("NameEB").String(d.NameEB);
  w.Key("PD").String(CharText(d.PD)).Key("Spare68").Integer(d.Spare68).Key("Note").String(d.Note);
  w.Key("NoteG").String(d.NoteG).Key("Fold").Integer(d.Fold).Key("SetZ").Integer(d.SetZ);
  w.Key("Zakaz").String(d.Zakaz).Key("Spare92").String(d.Spare92).Key("Spare96").Integer(d.Spare96);
  w.EndObject();
}

void WriteOffcutJson(JsonWriter& w, const RestM& o) {
  w.BeginObject();
  w.Key("Area").Number(o.Area).Key("PosX").Number(o.PosX).Key("PosY").Number(o.PosY);
  w.Key("W").Number(o.W).Key("H").Number(o.H).Key("Copies").Integer(o.Copies).Key("Id").Integer(o.Id);
  w.Key("Sheet").Integer(o.Sheet).Key("Num").Integer(o.Num).Key("Name").String(o.Name);
  w.EndObject();
}

void WriteLayoutJson(JsonWriter& w, const LayoutFileData& layout) {
  w.BeginObject();
  w.Key("record_size").Integer(static_cast<std::int64_t>(layout.recordSize));
  w.Key("saw_width").Number(layout.RecordedSawWidth);
  w.Key("headline");
  if (layout.hasHeadline) w.String(layout.headline);
  else w.Null();
  w.Key("materials").BeginArray();
  for (int m = 0; m < layout.slot.MaterialCount(); ++m) {
    if (m >= static_cast<int>(layout.headerSeen.size()) || !layout.headerSeen[m]) continue;
    w.BeginObject().Key("material").Integer(m).Key("sheets").BeginArray();
    for (const List& s : layout.slot.LayoutSheets[m]) WriteSheetJson(w, s);
    w.EndArray().Key("parts").BeginArray();
    for (const Detail& d : layout.slot.LayoutDetails[m]) WritePartJson(w, d);
    w.EndArray().EndObject();
  }
  w.EndArray();
  w.Key("offcuts").BeginArray();
  for (const RestM& o : layout.slot.OffcutLists) WriteOffcutJson(w, o);
  w.EndArray();
  w.Key("shapes");
  WriteShapesJson(w, layout.slot.ShapeLists);
  w.EndObject();
}

InspectResult InspectFile(const std::string& path, std::ostream& out) {
  const std::string ext = Extension(path);
  if (ext == ".spc") return InspectProject(path, out);
  if (ext == ".spca" || ext == ".dac") return InspectOutlines(path, out);
  if (ext == ".sl3") return InspectLayout(path, out);
  if (ext == ".kw3") return InspectSawWidths(path, out);
  if (ext == ".tc3") return InspectTextImport(path, out);
  if (ext == ".kelvara2") return InspectPreviousGeneration(path, out);
  return {false, "unknown kind of file '" + path + "' (.spc, .spca, .sl3, .kw3, .tc3, .kelvara2)"};
}

}  // namespace kelvara
