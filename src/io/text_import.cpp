#include "io/text_import.h"

#include <climits>

#include "core/number_text.h"
#include "core/rounding.h"
#include "io/file_messages.h"
#include "model/data_records.h"

namespace kelvara {
namespace {

constexpr std::string_view kSheetsSection = "[Material]";
constexpr std::string_view kPartsSection = "[Detail]";

// Runs of blanks become one blank; blanks at both ends go.
std::string ReduceBlanks(std::string_view line) {
  std::string out;
  for (char c : line) {
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t end = line.find(' ', start);
    fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return fields;
}

std::string Quote(std::string_view s) { return "'" + std::string(s) + "'"; }

// Fills one row field by field; false when a field stops the import.
class RowFiller {
 public:
  RowFiller(JobTables& tables, Table& table, std::string& error) : t_(tables), table_(table), error_(error) {}

  bool Size(const char* field, const std::string& text) {
    const auto v = TextImportNumber(text, &error_);
    if (!v) return false;
    table_.Set(field, RoundTo(*v, t_.options.Decimals));
    return true;
  }
  bool Integer(const char* field, const std::string& text) {
    const auto v = TextImportInteger(text, &error_);
    if (!v) return false;
    table_.Set(field, static_cast<std::int64_t>(*v));
    return true;
  }
  bool Material(const std::string& text, bool sheet) {
    const auto n = TextImportInteger(text, &error_);
    if (!n) return false;
    const long long num = static_cast<long long>(*n) - 1;
    if (num < 0 || num >= t_.MaterialCount()) {
      error_ = MaterialRangeError(num);
      return false;
    }
    const std::string name = t_.MaterialName(static_cast<int>(num));
    table_.Set("Num", static_cast<std::int64_t>(num));
    table_.Set("Name", name);
    if (sheet) table_.Set("KW", t_.SawWidthOf(name));
    return true;
  }
  void NoteWord(const std::string& word) { table_.Set("Note", table_.AsString("Note") + word + " "); }

 private:
  JobTables& t_;
  Table& table_;
  std::string& error_;
};

bool FillSheet(const TextImportLine& line, JobTables& tables, std::string& error) {
  Table& t = tables.rxM;
  RowFiller f(tables, t, error);
  const char* const trims[] = {"TL", "TT", "TR", "TB"};
  const auto& fields = line.fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t n = i + 1;
    bool ok = true;
    if (n == 1) ok = f.Size("X", fields[i]);
    else if (n == 2) ok = f.Size("Y", fields[i]);
    else if (n == 3) ok = f.Material(fields[i], true);
    else if (n == 4) ok = f.Integer("Q", fields[i]);
    else if (n >= 6 && n <= 9) ok = f.Size(trims[n - 6], fields[i]);
    else if (n >= 10 && n <= 12) f.NoteWord(fields[i]);
    if (!ok) return false;
  }
  std::int64_t mask = 0;
  if (fields.size() >= 9)
    for (int k = 0; k < 4; ++k)
      if (t.AsFloat(trims[k]) > 0) mask |= std::int64_t{1} << k;
  t.Set("PT", mask);
  return true;
}

bool FillPart(const TextImportLine& line, JobTables& tables, std::string& error) {
  RowFiller f(tables, tables.rxD, error);
  const auto& fields = line.fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t n = i + 1;
    bool ok = true;
    if (n == 1) ok = f.Size("X", fields[i]);
    else if (n == 2) ok = f.Size("Y", fields[i]);
    else if (n == 3) ok = f.Material(fields[i], false);
    else if (n == 4) ok = f.Integer("Q", fields[i]);
    else if (n == 5) ok = f.Integer("Rotation", fields[i]);
    else if (n >= 6 && n <= 8) f.NoteWord(fields[i]);
    if (!ok) return false;
  }
  return true;
}

}  // namespace

std::vector<TextImportLine> ParseTextImport(const Bytes& bytes) {
  std::vector<TextImportLine> rows;
  const std::vector<std::string> lines = SplitTextLines(bytes);
  bool inSection = false;
  TextSection section = TextSection::Sheets;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string line = ReduceBlanks(lines[i]);
    if (line.empty()) continue;
    if (line == kSheetsSection || line == kPartsSection) {
      inSection = true;
      section = line == kSheetsSection ? TextSection::Sheets : TextSection::Parts;
      continue;
    }
    if (!inSection) continue;
    rows.push_back({section, static_cast<int>(i + 1), SplitFields(line)});
  }
  return rows;
}

std::optional<double> TextImportNumber(std::string_view field, std::string* error) {
  std::optional<double> v;
  if (field.find(',') == std::string_view::npos) v = ParseNumber(field);
  if (!v && error) *error = Quote(field) + " is not a valid floating point value";
  return v;
}

std::optional<int> TextImportInteger(std::string_view field, std::string* error) {
  const auto v = ParseInteger(field);
  if (!v || *v < INT_MIN || *v > INT_MAX) {
    if (error) *error = Quote(field) + " is not a valid integer value";
    return std::nullopt;
  }
  return static_cast<int>(*v);
}

std::string MaterialRangeError(long long index) { return "List index out of bounds (" + std::to_string(index) + ")"; }

ImportResult ApplyTextImport(const std::vector<TextImportLine>& lines, JobTables& tables) {
  ImportResult result;
  tables.rxM.DisableControls();
  tables.rxD.DisableControls();
  bool ok = true;
  for (const TextImportLine& line : lines) {
    const bool sheet = line.section == TextSection::Sheets;
    Table& t = sheet ? tables.rxM : tables.rxD;
    t.Append();
    (sheet ? result.sheetsAdded : result.partsAdded)++;
    ok = sheet ? FillSheet(line, tables, result.error) : FillPart(line, tables, result.error);
    t.Post();  // a row stopped half-way stays with what it got
    if (!ok) break;
  }
  tables.rxM.EnableControls();
  tables.rxD.EnableControls();
  result.ok = ok;
  return result;
}

ImportResult ImportTextFile(const std::string& path, JobTables& tables) {
  const FileBytes file = ReadWholeFile(path);  // read whole and released before anything else
  if (file.status != FileStatus::Ok) {
    ImportResult failed;
    failed.error = file.status == FileStatus::NotFound ? FileNotFoundText(tables.messages, path)
                                                       : FileDestroyedText(tables.messages, path);
    tables.ui.ShowStatus(failed.error, kIconError, 20);
    return failed;
  }
  ImportResult result = ApplyTextImport(ParseTextImport(file.bytes), tables);
  if (!result.ok) tables.ui.Error(result.error);
  return result;
}

}  // namespace kelvara
