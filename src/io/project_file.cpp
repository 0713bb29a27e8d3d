#include "io/project_file.h"

#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "core/number_text.h"
#include "core/rounding.h"
#include "io/file_messages.h"
#include "model/data_records.h"
#include "model/job_rows.h"

namespace kelvara {
namespace {

constexpr std::int32_t kLargestOutlineKey = 777999111;

void Append(Bytes& out, const Bytes& record) { out.insert(out.end(), record.begin(), record.end()); }

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
  for (int i = 0; i < tables.rxM.Count(); ++i) Append(out, EncodeSheetRecord(SheetRecordOfRow(tables.rxM, i, decimals)));
  for (int i = 0; i < tables.rxD.Count(); ++i) Append(out, EncodePartRecord(PartRecordOfRow(tables.rxD, i, decimals)));
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
      const SheetRecord sheet = DecodeSheetRecord(r);
      AppendSheetRow(tables, sheet, sheet.Num);  // a material not in the list is kept as stored
      ++result.sheetsAdded;
    } else if (kind == kPartKind) {
      PartRecord p = DecodePartRecord(r);
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
      p.Fold = fold;
      AppendPartRow(tables, p, p.Num);
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
