#pragma once
// One file of the program as JSON, for "kelvara3-cli inspect FILE": projects (".spc"),
// outlines (".spca", ".dac"), layouts (".sl3"), saw widths (".kw3"), text imports (".tc3") and
// previous-generation projects (".kelvara2").
#include <ostream>
#include <string>

#include "core/json_writer.h"
#include "io/layout_file.h"

namespace kelvara {

struct InspectResult {
  bool ok = false;
  std::string error;  // the file message, or what is wrong with the request
};

// The file's records under the field names of the program. A damaged file writes nothing and
// gives its file message; a ".tc3" with a bad line writes the rows before it and the error.
InspectResult InspectFile(const std::string& path, std::ostream& out);

// {"record_size", "saw_width", "headline", "materials": [{"material", "sheets", "parts"}],
//  "offcuts", "shapes"}; materials are those the file has a header for.
void WriteLayoutJson(JsonWriter& w, const LayoutFileData& layout);
void WriteSheetJson(JsonWriter& w, const List& s);
void WritePartJson(JsonWriter& w, const Detail& d);
void WriteOffcutJson(JsonWriter& w, const RestM& o);

}  // namespace kelvara
