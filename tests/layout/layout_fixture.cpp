#include "layout_fixture.h"

#include <memory>
#include <sstream>

namespace kelvara::test {

SlotFixture::SlotFixture(int materials) : kw(materials, 0.0f) { slot.Reset(materials); }

int SlotFixture::AddSheet(int m, float x, float y, float trim, int nc) {
  List s;
  s.X = x;
  s.Y = y;
  s.TL = s.TT = s.TR = s.TB = trim;
  s.UseX = x - 2 * trim;
  s.UseY = y - 2 * trim;
  s.NC = static_cast<std::uint16_t>(nc);
  s.Num = static_cast<std::uint8_t>(m);
  s.Serial = nextSerial_++;
  s.Area = x * y;
  s.FreeArea = s.Area;
  slot.LayoutSheets[m].push_back(s);
  if (!slot.LayoutDetails[m].empty()) slot.MaterialActive[m] = 1;
  return static_cast<int>(slot.LayoutSheets[m].size()) - 1;
}

std::int32_t SlotFixture::AddPart(int m, int nc, float x, float y, int rotation) {
  Detail d;
  d.X = x;
  d.Y = y;
  d.Area = x * y;
  d.NC = static_cast<std::uint16_t>(nc);
  d.Num = static_cast<std::uint8_t>(m);
  d.Rotation = static_cast<std::uint8_t>(rotation);
  d.Serial = 1000 + nextSerial_++;
  slot.LayoutDetails[m].push_back(d);
  if (!slot.LayoutSheets[m].empty()) slot.MaterialActive[m] = 1;
  return d.Serial;
}

Detail& SlotFixture::Part(int m, std::int32_t serial) {
  for (Detail& d : slot.LayoutDetails[m])
    if (d.Serial == serial) return d;
  throw std::out_of_range("no such part");
}

void SlotFixture::Place(int m, std::int32_t serial, int sheet, float posX, float posY, bool rotated) {
  Detail& d = Part(m, serial);
  d.Placed = 1;
  d.Sheet = sheet;
  d.PosX = posX;
  d.PosY = posY;
  d.Rotated = rotated ? 1 : 0;
  List& s = Sheet(m, sheet);
  s.PlacedCount = static_cast<std::uint16_t>(s.PlacedCount + 1);
  s.Used = 1;
  if (s.Copies == 0) s.Copies = 1;
  s.FreeArea -= d.Area;
}

void SlotFixture::Repeat(int m, int t, int r, const std::vector<std::int32_t>& parts) {
  List& rep = Sheet(m, r);
  rep.Used = 1;
  rep.CopyOf = t;
  rep.PlacedCount = 0;
  rep.Copies = 0;
  Sheet(m, t).Copies += 1;
  for (std::int32_t serial : parts) {
    Detail& d = Part(m, serial);
    d.Placed = 1;
    d.Sheet = r;
  }
}

RestM& SlotFixture::AddOffcut(int m, int sheet, float x, float y, float w, float h, const std::string& name, int id) {
  RestM o;
  o.PosX = x;
  o.PosY = y;
  o.W = w;
  o.H = h;
  o.Area = w * h;
  o.Copies = Sheet(m, sheet).Copies;
  o.Id = id;
  o.Sheet = sheet;
  o.Num = m;
  o.Name = name;
  slot.OffcutLists.push_back(o);
  Sheet(m, sheet).OffcutArea += o.Area;
  Sheet(m, sheet).FreeArea -= o.Area;
  return slot.OffcutLists.back();
}

std::string Describe(const LayoutSlot& slot) {
  std::ostringstream out;
  out.precision(9);
  for (int m = 0; m < slot.MaterialCount(); ++m) {
    out << "material " << m << " active " << int(slot.MaterialActive[m]) << "\n";
    for (const List& s : slot.LayoutSheets[m]) {
      out << " sheet " << s.X << ' ' << s.Y << ' ' << s.UseX << ' ' << s.UseY << ' ' << s.Serial << ' ' << s.NC << ' '
          << int(s.Num) << ' ' << int(s.PRT) << ' ' << s.TL << ' ' << s.TT << ' ' << s.TR << ' ' << s.TB << ' '
          << s.PlacedCount << ' ' << int(s.Used) << " [" << s.Note << "] " << s.Area << ' ' << s.OffcutArea << ' '
          << s.FreeArea << ' ' << s.CutLength << ' ' << s.Copies << ' ' << s.CopyOf << ' ' << int(s.Pr) << ' '
          << int(s.FirstCut) << ' ' << int(s.Transposed) << "\n";
      for (const CutLine& c : s.Cuts)
        out << "  cut " << c.X << ' ' << c.Y << ' ' << c.W << ' ' << c.H << ' ' << c.SideL << c.SideT << c.SideR << c.SideB
            << "\n";
    }
    for (const Detail& d : slot.LayoutDetails[m])
      out << " part " << d.X << ' ' << d.Y << ' ' << d.Serial << ' ' << int(d.Num) << ' ' << d.PosX << ' ' << d.PosY << ' '
          << d.NC << ' ' << d.Sheet << ' ' << int(d.Rotation) << ' ' << int(d.Rotated) << ' ' << int(d.Placed) << ' '
          << d.Area << " [" << d.NameE << "] " << int(d.EL) << int(d.ET) << int(d.ER) << int(d.EB) << " [" << d.NameEL
          << '|' << d.NameET << '|' << d.NameER << '|' << d.NameEB << "] " << int(d.PD) << ' ' << d.Spare68 << " ["
          << d.Note << '|' << d.NoteG << "] " << d.Fold << ' ' << int(d.SetZ) << " [" << d.Zakaz << '|' << d.Spare92
          << "] " << d.Spare96 << ' ' << int(d.LabelMark) << " [" << d.Dist1 << '|' << d.Unused << "]\n";
  }
  for (const RestM& o : slot.OffcutLists)
    out << "offcut " << o.Area << ' ' << o.PosX << ' ' << o.PosY << ' ' << o.W << ' ' << o.H << ' ' << o.Copies << ' '
        << o.Id << ' ' << o.Sheet << ' ' << o.Num << " [" << o.Name << "]\n";
  return out.str();
}

RandomDraw Scripted(std::vector<std::uint32_t> numbers) {
  auto queue = std::make_shared<std::deque<std::uint32_t>>(numbers.begin(), numbers.end());
  return [queue](std::uint32_t n) -> std::uint32_t {
    if (queue->empty()) return 0;
    const std::uint32_t v = queue->front();
    queue->pop_front();
    return n ? v % n : 0;
  };
}

TablesFixture::TablesFixture() : tables(options, messages, ui) {
  tables.storehouseMaterial = 0;
  tables.FilterStorehouse(true);
}

void TablesFixture::AddStock(int num, double x, double y, int q, const std::string& note) {
  const int keep = tables.storehouseMaterial;
  tables.storehouseMaterial = num;
  tables.FilterStorehouse(false);
  tables.rxMat.Append();
  tables.rxMat.Set("X", x);
  tables.rxMat.Set("Y", y);
  tables.rxMat.Set("Q", static_cast<std::int64_t>(q));
  tables.rxMat.Set("N", note);
  tables.rxMat.Post();
  tables.storehouseMaterial = keep;
  tables.FilterStorehouse(true);
}

}  // namespace kelvara::test
