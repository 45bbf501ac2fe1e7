// Series points exported as delimited text, XML, an HTML table and a BIFF
// spreadsheet.
#include <algorithm>
#include <bit>
#include <cstring>

#include "chart/series/PlotStore.h"
#include "platform/gdi/Graphics.h"

using namespace SysUtils;

namespace {

const char* const CRLF = "\r\n";

// & < > " as entities, for XML attributes and HTML cells.
std::string Escaped(std::string_view Text) {
  std::string out;
  out.reserve(Text.size());
  for (char c : Text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Attribute(const std::string& Name, const std::string& Value) {
  return Name + "=\"" + Escaped(Value) + "\"";
}

std::string Cell(const std::string& Text) { return "<td>" + Escaped(Text) + "</td>"; }

int32_t ListCount(const TChartSeries& S) { return S.ValueLists().Count(); }

// The mandatory list and every other list but the X (or, horizontal, the Y)
// list, each once: a series whose mandatory list is Z exports Y too.
std::vector<const TChartValueList*> ValueListsAfterOther(const TChartSeries& S) {
  std::vector<const TChartValueList*> lists{S.MandatoryList()};
  for (const TChartValueList* l : S.StoredExtraLists()) lists.push_back(l);
  return lists;
}

std::vector<std::string> ValueListNames(const TChartSeries& S) {
  std::vector<std::string> names;
  for (const TChartValueList* l : ValueListsAfterOther(S)) names.push_back(l->GetName());
  return names;
}

}  // namespace

// ============================================================================
// TSeriesData
// ============================================================================

TSeriesData::TSeriesData(TCustomAxisPanel* Chart, TChartSeries* Series) : FChart(Chart), FSeries(Series) {}

std::vector<TChartSeries*> TSeriesData::ExportedSeries() const {
  if (FSeries) return {FSeries};
  std::vector<TChartSeries*> all;
  if (FChart)
    for (int32_t i = 0; i < FChart->SeriesCount(); ++i) all.push_back(FChart->GetSeries(i));
  return all;
}

void TSeriesData::PrepareParts() {
  PointParts = 0;
  TChartSeries* source = FSeries;
  if (!source && FChart)
    for (int32_t i = 0; i < FChart->SeriesCount() && !source; ++i)
      if (FChart->GetSeries(i)->Count() > 0) source = FChart->GetSeries(i);
  if (source) PointParts = PlotEngine::SeriesStoreFlags(*source) & (spXValues | spColors | spLabels);
}

void TSeriesData::ApplyIncludes() {
  PrepareParts();
  if (!WithLabels) PointParts &= ~spLabels;
  if (!WithColors) PointParts &= ~spColors;
}

int32_t TSeriesData::PointCount() const {
  if (FSeries) return FSeries->Count();
  if (!FChart || FChart->SeriesCount() == 0) return -1;
  int32_t most = 0;
  for (int32_t i = 0; i < FChart->SeriesCount(); ++i) most = std::max(most, FChart->GetSeries(i)->Count());
  return most;
}

std::string TSeriesData::ExportedText() {
  ApplyIncludes();
  std::string out;
  for (int32_t i = 0; i < PointCount(); ++i) out += PointLine(i) + CRLF;
  return out;
}

std::string TSeriesData::ValueText(const TChartValueList& List, int32_t Index) {
  const double v = List.GetValue(Index);
  return List.GetDateTime() ? DateTimeToStr(v) : FloatToStr(v);
}

std::string TSeriesData::PointColorText(const TChartSeries& Series, int32_t Index) {
  return PlotStore::ColorToHtml(Series.ValueColor(Index));
}

namespace PlotStore {

std::string ColorToHtml(TColor Color) {
  const auto rgb = static_cast<uint32_t>(Color < 0 ? ColorToRGB(Color) : Color);
  static const char* hex = "0123456789abcdef";
  std::string out = "#";
  for (int shift : {0, 8, 16}) {
    const uint32_t b = (rgb >> shift) & 0xFF;
    out += hex[b >> 4];
    out += hex[b & 15];
  }
  return out;
}

}  // namespace PlotStore

// ============================================================================
// Delimited text
// ============================================================================

void TSeriesDataText::PrepareParts() {
  TSeriesData::PrepareParts();
  if (GetSeries() || !WithLabels || !GetChart()) return;
  for (int32_t i = 0; i < GetChart()->SeriesCount(); ++i)
    if (PlotEngine::SeriesHasLabels(*GetChart()->GetSeries(i))) PointParts |= spLabels;
}

std::string TSeriesDataText::JoinCells(const std::vector<std::string>& Cells) const {
  std::string line;
  for (size_t i = 0; i < Cells.size(); ++i) {
    if (i > 0) line += Delimiter;
    const std::string& c = Cells[i];
    // A cell holding the delimiter or a line break would split the table.
    const bool quoted = !Quote.empty() && c.size() >= 2 * Quote.size() && c.starts_with(Quote) && c.ends_with(Quote);
    if (!quoted && c.find_first_of(std::string{Delimiter, '\r', '\n'}) != std::string::npos) {
      line += '"';
      for (char ch : c) line += ch == '"' ? std::string("\"\"") : std::string(1, ch);
      line += '"';
    } else {
      line += c;
    }
  }
  return line;
}

std::string TSeriesDataText::HeaderLine() {
  const std::string& Q = Quote;
  std::vector<std::string> cells;
  if (WithIndex) cells.push_back(Q + PlotConst::MsgIndex + Q);
  if (PointParts & spLabels) cells.push_back(Q + PlotConst::MsgText + Q);
  if (PointParts & spColors) cells.push_back(Q + PlotConst::MsgColors + Q);
  for (TChartSeries* s : ExportedSeries()) {
    if (PointParts & spXValues) cells.push_back(Q + s->NotMandatoryList()->GetName() + Q);
    if (ListCount(*s) == 2) {
      cells.push_back(Q + PlotEngine::SeriesTitleOrName(s) + Q);
    } else {
      for (const std::string& n : ValueListNames(*s)) cells.push_back(Q + n + Q);
    }
  }
  return JoinCells(cells);
}

std::string TSeriesDataText::PointLine(int32_t Index) {
  const std::vector<TChartSeries*> series = ExportedSeries();
  std::vector<std::string> cells;
  if (WithIndex) cells.push_back(IntToStr(Index));
  if (PointParts & spLabels) {
    std::string label;
    if (GetSeries()) {
      label = GetSeries()->GetLabel(Index);
    } else {
      for (TChartSeries* s : series)
        if (Index < s->Count() && !s->GetLabel(Index).empty()) {
          label = s->GetLabel(Index);
          break;
        }
    }
    cells.push_back(label.empty() ? std::string() : Quote + label + Quote);
  }
  if (PointParts & spColors)
    cells.push_back(!series.empty() && Index < series.front()->Count() ? PointColorText(*series.front(), Index)
                                                                        : PlotStore::ColorToHtml(0));
  for (TChartSeries* s : series) {
    const bool has = Index < s->Count();
    auto value = [&](const TChartValueList& List) {
      if (!has) return std::string();
      return List.GetDateTime() ? Quote + ValueText(List, Index) + Quote : ValueText(List, Index);
    };
    if (PointParts & spXValues) cells.push_back(value(*s->NotMandatoryList()));
    for (const TChartValueList* l : ValueListsAfterOther(*s)) cells.push_back(value(*l));
  }
  return JoinCells(cells);
}

std::string TSeriesDataText::ExportedText() {
  ApplyIncludes();
  std::string out;
  if (WithHeader) out += HeaderLine() + CRLF;
  out += TSeriesData::ExportedText();
  return out + CRLF;
}

// ============================================================================
// XML
// ============================================================================

TSeriesDataXML::TSeriesDataXML(TCustomAxisPanel* Chart, TChartSeries* Series) : TSeriesData(Chart, Series) {
  WithHeader = true;
}

std::string TSeriesDataXML::PointElement(TChartSeries& Series, int32_t Index) {
  std::string attrs;
  if (WithIndex) attrs += Attribute("index", IntToStr(Index));
  if (PointParts & spLabels) attrs += " " + Attribute("text", Series.GetLabel(Index));
  if (PointParts & spColors) attrs += " " + Attribute("color", PointColorText(Series, Index));
  if (PointParts & spXValues)
    attrs += " " + Attribute(Series.NotMandatoryList()->GetName(), FloatToStr(Series.NotMandatoryList()->GetValue(Index)));
  for (const TChartValueList* l : ValueListsAfterOther(Series))
    attrs += " " + Attribute(l->GetName(), FloatToStr(l->GetValue(Index)));
  return "<point " + attrs + "/>";
}

// The point element of the exported series (the first one when all are exported).
std::string TSeriesDataXML::PointLine(int32_t Index) {
  const std::vector<TChartSeries*> series = ExportedSeries();
  if (series.empty() || Index >= series.front()->Count()) return {};
  return PointElement(*series.front(), Index);
}

std::string TSeriesDataXML::SeriesElement(TChartSeries& Series) {
  std::string out = "<series " + Attribute("title", PlotEngine::SeriesTitleOrName(&Series)) + " " +
                    Attribute("type", Chart::SeriesTypeText(&Series)) + " " +
                    Attribute("color", PlotStore::ColorToHtml(Series.GetSeriesColor())) + ">" + CRLF;
  out += "<points " + Attribute("count", IntToStr(Series.Count())) + ">" + CRLF;
  for (int32_t i = 0; i < Series.Count(); ++i) out += PointElement(Series, i) + CRLF;
  return out + "</points>" + CRLF + "</series>" + CRLF + CRLF;
}

std::string TSeriesDataXML::ExportedText() {
  ApplyIncludes();
  std::string out;
  if (WithHeader) {
    out += "<?xml version=\"1.0\"";
    if (!XmlEncoding.empty()) out += " encoding=\"" + Escaped(XmlEncoding) + "\"";
    out += std::string("?>") + CRLF;
  }
  if (GetSeries()) return out + SeriesElement(*GetSeries());
  out += std::string("<chart>") + CRLF;
  for (TChartSeries* s : ExportedSeries()) out += SeriesElement(*s);
  return out + "</chart>";
}

// ============================================================================
// HTML table
// ============================================================================

std::string TSeriesDataHTML::PointLine(int32_t Index) {
  std::string row = "<tr>";
  if (WithIndex) row += Cell(IntToStr(Index));
  for (TChartSeries* s : ExportedSeries()) {
    const bool has = Index < s->Count();
    auto cell = [&](const std::string& Text) { row += has ? Cell(Text) : "<td></td>"; };
    if (PointParts & spLabels) cell(has ? s->GetLabel(Index) : std::string());
    if (PointParts & spColors) cell(has ? PointColorText(*s, Index) : std::string());
    if (PointParts & spXValues) cell(has ? FloatToStr(s->NotMandatoryList()->GetValue(Index)) : std::string());
    for (const TChartValueList* l : ValueListsAfterOther(*s)) cell(has ? FloatToStr(l->GetValue(Index)) : std::string());
  }
  return row + "</tr>";
}

std::string TSeriesDataHTML::ExportedText() {
  ApplyIncludes();
  std::string out = std::string("<table border=\"1\">") + CRLF;
  if (WithHeader) {
    out += "<tr>";
    if (WithIndex) out += Cell(PlotConst::MsgIndex);
    for (TChartSeries* s : ExportedSeries()) {
      if (PointParts & spLabels) out += Cell(PlotConst::MsgText);
      if (PointParts & spColors) out += Cell(PlotConst::MsgColors);
      if (PointParts & spXValues) out += Cell(s->NotMandatoryList()->GetName());
      if (ListCount(*s) == 2) {
        out += Cell(PlotEngine::SeriesTitleOrName(s));
      } else {
        for (const std::string& n : ValueListNames(*s)) out += Cell(n);
      }
    }
    out += std::string("</tr>") + CRLF;
  }
  out += TSeriesData::ExportedText();
  return out + CRLF + "</table>";
}

// ============================================================================
// BIFF spreadsheet
// ============================================================================

namespace {

template <class T>
void PutLE(std::string& Out, T Value) {
  char b[sizeof(T)];
  std::memcpy(b, &Value, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(b, b + sizeof(T));
  Out.append(b, sizeof(T));
}

void CellHeader(std::string& Out, uint16_t Type, uint16_t Length, int32_t Row, int32_t Col) {
  PutLE<uint16_t>(Out, Type);
  PutLE<uint16_t>(Out, Length);
  PutLE<uint16_t>(Out, static_cast<uint16_t>(Row));
  PutLE<uint16_t>(Out, static_cast<uint16_t>(Col));
  Out.append(3, '\0');
}

void NumberCell(std::string& Out, int32_t Row, int32_t& Col, double Value) {
  CellHeader(Out, 3, 15, Row, Col++);
  PutLE<double>(Out, Value);
}

// At most 255 bytes, cut between UTF-8 characters.
void LabelCell(std::string& Out, int32_t Row, int32_t& Col, const std::string& Text) {
  size_t n = std::min<size_t>(Text.size(), 255);
  if (n < Text.size())
    while (n > 0 && (static_cast<unsigned char>(Text[n]) & 0xC0) == 0x80) --n;
  CellHeader(Out, 4, static_cast<uint16_t>(8 + n), Row, Col++);
  PutLE<uint8_t>(Out, static_cast<uint8_t>(n));
  Out.append(Text, 0, n);
}

void BlankCell(std::string& Out, int32_t Row, int32_t& Col) { CellHeader(Out, 1, 7, Row, Col++); }

}  // namespace

int32_t TSeriesDataXLS::ColumnCount() const {
  const int32_t perSeries = ((PointParts & spLabels) ? 1 : 0) + ((PointParts & spColors) ? 1 : 0) +
                            ((PointParts & spXValues) ? 1 : 0);
  int64_t columns = WithIndex ? 1 : 0;
  for (TChartSeries* s : ExportedSeries()) columns += perSeries + ListCount(*s) - 1;
  return static_cast<int32_t>(std::min<int64_t>(columns, INT32_MAX));
}

std::string TSeriesDataXLS::PointLine(int32_t Index) {
  std::string out;
  const int32_t row = Index + RowOffset();
  int32_t col = 0;
  if (WithIndex) NumberCell(out, row, col, Index);
  for (TChartSeries* s : ExportedSeries()) {
    if (Index >= s->Count()) {
      if (PointParts & spLabels) LabelCell(out, row, col, {});
      if (PointParts & spColors) LabelCell(out, row, col, {});
      if (PointParts & spXValues) BlankCell(out, row, col);
      for (int32_t l = 1; l < ListCount(*s); ++l) BlankCell(out, row, col);
      continue;
    }
    if (PointParts & spLabels) LabelCell(out, row, col, s->GetLabel(Index));
    if (PointParts & spColors) LabelCell(out, row, col, PointColorText(*s, Index));
    if (PointParts & spXValues) NumberCell(out, row, col, s->NotMandatoryList()->GetValue(Index));
    if (s->IsNull(Index)) {
      for (int32_t l = 1; l < ListCount(*s); ++l) BlankCell(out, row, col);
    } else {
      for (const TChartValueList* l : ValueListsAfterOther(*s)) NumberCell(out, row, col, l->GetValue(Index));
    }
  }
  return out;
}

void TSeriesDataXLS::WriteToStream(TStream& Stream) {
  ApplyIncludes();
  const int32_t points = std::max(PointCount(), 0);
  const int64_t rows = int64_t(points) + RowOffset();
  const int32_t columns = ColumnCount();
  if (rows > MaxRows)
    throw ChartException(Format("The spreadsheet format holds at most %d rows; this export has %d.",
                                {MaxRows, rows}));
  if (columns > MaxColumns)
    throw ChartException(Format("The spreadsheet format holds at most %d columns; this export has %d.",
                                {MaxColumns, columns}));
  std::string out("\x09\x08\x08\x00\x00\x00\x10\x00\x00\x00\x00\x00", 12);
  PutLE<uint16_t>(out, 0x0200);
  PutLE<uint16_t>(out, 10);
  for (int64_t w : {int64_t(0), rows, int64_t(0), int64_t(columns), int64_t(0)})
    PutLE<uint16_t>(out, static_cast<uint16_t>(w));
  if (WithHeader) {
    int32_t col = 0;
    if (WithIndex) LabelCell(out, 0, col, PlotConst::MsgIndex);
    for (TChartSeries* s : ExportedSeries()) {
      if (PointParts & spLabels) LabelCell(out, 0, col, PlotConst::MsgText);
      if (PointParts & spColors) LabelCell(out, 0, col, PlotConst::MsgColors);
      if (PointParts & spXValues) LabelCell(out, 0, col, s->NotMandatoryList()->GetName());
      for (const std::string& n : ValueListNames(*s)) LabelCell(out, 0, col, n);
    }
  }
  for (int32_t i = 0; i < points; ++i) out += PointLine(i);
  out.append("\x0A\x00\x00\x00", 4);
  Stream.WriteBuffer(out.data(), static_cast<int64_t>(out.size()));
}
