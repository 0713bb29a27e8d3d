#include "io/project_file.h"

#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "core/cp1251.h"
#include "core/number_text.h"
#include "core/rounding.h"
#include "io/file_messages.h"
#include "model/data_records.h"

namespace kelvara {
namespace {

constexpr std::int32_t kLargestOutlineKey = 777999111;

double FloatOf(const Value& v) {
  if (auto* d = std::get_if<double>(&v)) return *d;
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  return 0;
}

std::int32_t IntOf(const Value& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<std::int32_t>(*i);
  if (auto* d = std::get_if<double>(&v)) return static_cast<std::int32_t>(*d);
  return 0;
}

class RowReader {
 public:
  RowReader(const Table& t, int pos, int decimals) : t_(t), pos_(pos), decimals_(decimals) {}
  float Size(const char* f) const { return static_cast<float>(RoundTo(FloatOf(t_.GetAt(pos_, f)), decimals_)); }
  std::int32_t Int(const char* f) const { return IntOf(t_.GetAt(pos_, f)); }
  bool Bool(const char* f) const { return IntOf(t_.GetAt(pos_, f)) != 0; }
  std::string Text(const char* f) const { return Table::ValueText(t_.GetAt(pos_, f)); }

 private:
  const Table& t_;
  int pos_;
  int decimals_;
};

SheetRecord SheetOf(const Table& t, int pos, int decimals) {
  const RowReader r(t, pos, decimals);
  SheetRecord s;
  s.X = r.Size("X");
  s.Y = r.Size("Y");
  s.TL = r.Size("TL");
  s.TT = r.Size("TT");
  s.TR = r.Size("TR");
  s.TB = r.Size("TB");
  s.Q = r.Int("Q");
  s.PT = r.Int("PT");
  s.PRT = r.Int("PRT");
  s.Num = r.Int("Num");
  s.Name = r.Text("Name");
  s.Note = r.Text("Note");
  return s;
}

PartRecord PartOf(const Table& t, int pos, int decimals) {
  const RowReader r(t, pos, decimals);
  PartRecord p;
  p.X = r.Size("X");
  p.Y = r.Size("Y");
  p.Q = r.Int("Q");
  p.Num = r.Int("Num");
  p.Name = r.Text("Name");
  p.Note = r.Text("Note");
  p.Rotation = r.Int("Rotation");
  p.NameE = r.Text("NameE");
  p.NF = r.Text("NF");
  p.Fold = r.Int("Fold");
  p.PD = Utf8Left(r.Text("PD"), 1);
  p.EL = r.Bool("EL");
  p.ET = r.Bool("ET");
  p.ER = r.Bool("ER");
  p.EB = r.Bool("EB");
  p.NameEL = r.Text("NameEL");
  p.NameET = r.Text("NameET");
  p.NameER = r.Text("NameER");
  p.NameEB = r.Text("NameEB");
  p.SetZ = r.Bool("SetZ");
  p.Zakaz = r.Text("Zakaz");
  p.NoteG = r.Text("NoteG");
  p.Dist1 = r.Text("Dist1");
  return p;
}

void Append(Bytes& out, const Bytes& record) { out.insert(out.end(), record.begin(), record.end()); }

std::string BandOrDash(const std::string& name) { return Trim(name).empty() ? std::string("-") : name; }

void AddSheet(JobTables& tables, const SheetRecord& s) {
  Table& t = tables.rxM;
  const int decimals = tables.options.Decimals;
  t.Append();
  t.Set("X", RoundTo(s.X, decimals));
  t.Set("Y", RoundTo(s.Y, decimals));
  t.Set("TL", RoundTo(s.TL, decimals));
  t.Set("TT", RoundTo(s.TT, decimals));
  t.Set("TR", RoundTo(s.TR, decimals));
  t.Set("TB", RoundTo(s.TB, decimals));
  t.Set("Q", std::int64_t{s.Q});
  t.Set("PT", std::int64_t{s.PT});
  t.Set("PRT", std::int64_t{s.PRT});
  t.Set("Num", std::int64_t{s.Num});
  t.Set("Name", s.Name);
  t.Set("KW", tables.SawWidthOf(s.Name));
  t.Set("Note", s.Note);
  t.Post();
}

void AddPart(JobTables& tables, const PartRecord& p, std::int32_t fold) {
  Table& t = tables.rxD;
  const int decimals = tables.options.Decimals;
  t.Append();
  t.Set("X", RoundTo(p.X, decimals));
  t.Set("Y", RoundTo(p.Y, decimals));
  t.Set("Q", std::int64_t{p.Q});
  t.Set("Num", std::int64_t{p.Num});
  t.Set("Name", p.Name);
  t.Set("Note", p.Note);
  t.Set("Rotation", std::int64_t{p.Rotation});
  t.Set("NameE", p.NameE);
  t.Set("NF", p.NF);
  t.Set("Fold", std::int64_t{fold});
  t.Set("EL", std::int64_t{p.EL});
  t.Set("ET", std::int64_t{p.ET});
  t.Set("ER", std::int64_t{p.ER});
  t.Set("EB", std::int64_t{p.EB});
  t.Set("NameEL", BandOrDash(p.NameEL));
  t.Set("NameET", BandOrDash(p.NameET));
  t.Set("NameER", BandOrDash(p.NameER));
  t.Set("NameEB", BandOrDash(p.NameEB));
  t.Set("PD", p.PD);
  t.Set("SetZ", std::int64_t{p.SetZ});
  t.Set("Zakaz", p.Zakaz);
  t.Set("NoteG", p.NoteG);
  t.Set("Dist1", p.Dist1);
  t.Post();
}

// Fresh outline keys: random from 1 to 777999111, none used twice in the job.
class OutlineKeys {
 public:
  OutlineKeys(std::mt19937& random, const std::vector<ShapeRecord>& shapeList) : random_(random) {
    for (const ShapeRecord& s : shapeList) used_.insert(s.Id);
  }
  std::int32_t Draw() {
    std::uniform_int_distribution<std::int32_t> pick(1, kLargestOutlineKey);
    std::int32_t k = pick(random_);
    while (used_.count(k)) k = pick(random_);
    used_.insert(k);
    return k;
  }

 private:
  std::mt19937& random_;
  std::set<std::int32_t> used_;
};

}  // namespace

std::string ProjectFileName(const std::string& name) {
  if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".spc") == 0) return name;
  return name + ".spc";
}

std::string OutlineFileName(const std::string& projectPath) { return projectPath + "a"; }

Bytes EncodeProject(const JobTables& tables) {
  Bytes out;
  const int decimals = tables.options.Decimals;
  for (int i = 0; i < tables.rxM.Count(); ++i) Append(out, EncodeSheetRecord(SheetOf(tables.rxM, i, decimals)));
  for (int i = 0; i < tables.rxD.Count(); ++i) Append(out, EncodePartRecord(PartOf(tables.rxD, i, decimals)));
  return out;
}

Bytes EncodeOutlines(const std::vector<ShapeRecord>& shapeList) {
  Bytes out;
  for (const ShapeRecord& s : shapeList) Append(out, EncodeShapeRecord(s));
  return out;
}

std::string SaveProject(const std::string& chosenName, const JobTables& tables,
                        const std::vector<ShapeRecord>& shapeList) {
  if (tables.rxM.Empty() && tables.rxD.Empty()) return {};
  if (chosenName.empty()) return {};
  const std::string path = ProjectFileName(chosenName);
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && !tables.ui.Ask(tables.messages.Msg(kIoMsgFileExists))) return {};
  if (!WriteFileAtomic(path, EncodeProject(tables))) return {};
  if (!WriteFileAtomic(OutlineFileName(path), EncodeOutlines(shapeList))) return {};
  tables.ui.ShowStatus(tables.messages.Msg(kIoMsgProject) + " " + Quoted(path) + " " + tables.messages.Msg(kIoMsgIsSaved),
                       kIconSuccess, 20);
  return path;
}

ImportResult AddProject(const std::string& path, JobTables& tables, std::vector<ShapeRecord>& shapeList) {
  ImportResult result;
  auto fail = [&](std::string message) {
    result.error = std::move(message);
    tables.ui.ShowStatus(result.error, kIconError, 20);
    return result;
  };

  const std::string outlinePath = OutlineFileName(path);
  const RecordFile outlines = ReadRecordFile(outlinePath, kShapeRecordSize);
  if (outlines.status == FileStatus::IoError) return fail(FileDestroyedText(tables.messages, outlinePath));
  std::vector<ShapeRecord> stored;
  if (outlines.status == FileStatus::Ok) {
    stored.reserve(outlines.Count());
    for (std::size_t i = 0; i < outlines.Count(); ++i) stored.push_back(DecodeShapeRecord(outlines.At(i)));
  }

  const RecordFile project = ReadRecordFile(path, kJobRecordSize);
  if (project.status == FileStatus::NotFound) return fail(FileNotFoundText(tables.messages, path));
  if (project.status != FileStatus::Ok || project.Count() == 0) return fail(FileDestroyedText(tables.messages, path));

  // Outline keys of this addition: stored key -> fresh key. Rows of one project that shared an
  // outline keep sharing it.
  OutlineKeys keys(tables.random, shapeList);
  std::map<std::int32_t, std::int32_t> fresh;
  std::vector<ShapeRecord> taken;
  tables.rxM.DisableControls();
  tables.rxD.DisableControls();
  for (std::size_t i = 0; i < project.Count(); ++i) {
    const RecordReader r = project.At(i);
    const char kind = r.Char(0);
    if (kind == kSheetKind) {
      AddSheet(tables, DecodeSheetRecord(r));
      ++result.sheetsAdded;
    } else if (kind == kPartKind) {
      const PartRecord p = DecodePartRecord(r);
      std::int32_t fold = p.Fold;
      if (p.PD == "A") {
        auto known = fresh.find(p.Fold);
        if (known != fresh.end()) {
          fold = known->second;
        } else {
          const std::int32_t k = keys.Draw();
          bool matched = false;
          for (ShapeRecord& s : stored) {
            if (s.Id != p.Fold) continue;
            ShapeRecord moved = s;
            moved.Id = k;
            taken.push_back(moved);
            matched = true;
          }
          fold = matched ? k : 0;
          if (matched) fresh[p.Fold] = k;
        }
      }
      AddPart(tables, p, fold);
      ++result.partsAdded;
    }
  }
  tables.rxM.EnableControls();
  tables.rxD.EnableControls();
  shapeList.insert(shapeList.end(), taken.begin(), taken.end());
  tables.rxM.Last();
  tables.rxD.Last();
  result.ok = true;
  tables.ui.ShowStatus(tables.messages.Msg(kIoMsgProjectAdded) + " " + Quoted(path) + " .", kIconSuccess, 20);
  return result;
}

}  // namespace kelvara
