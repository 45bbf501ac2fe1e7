#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "chart/series/PlotMapSeries.h"
#include "chart/series/PlotStore.h"
#include "chart/series/Series.h"

namespace PlotStoreDataTests {

namespace {

// Series A (X values of its own, labels with & < > " and a TAB) and series B
// (two points) on one chart; numbers written with "." whatever the machine.
struct TExportFixture {
  TFormatSettingsScope Numbers{TFormatSettings::Invariant()};
  TCustomChart* Chart = Create<TChart>(nullptr);
  TLineSeries* A = Create<TLineSeries>(Chart);
  TPointSeries* B = Create<TPointSeries>(Chart);
  TExportFixture() {
    Chart->AddSeries(A);
    Chart->AddSeries(B);
    A->SetTitle("A&B");
    A->SetSeriesColor(clLime);
    A->AppendPoint(1.5, 10, "x<1");
    A->AppendPoint(2.5, 20.25, "");
    A->AppendPoint(4, -3, "a\t\"b\"");
    B->SetTitle("B");
    B->AppendPoint(1.5, 7);
    B->AppendPoint(3, 8);
  }
  ~TExportFixture() { Chart->Free(); }
};

TEST(SeriesDataText, AllSeriesSideBySideWithHeaderIndexAndQuotedDelimiters) {
  TExportFixture f;
  TSeriesDataText e(f.Chart);
  e.WithHeader = true;
  e.WithIndex = true;
  EXPECT_EQ(e.ExportedText(),
            "Index\tText\tX\tA&B\tX\tB\r\n"
            "0\tx<1\t1.5\t10\t1.5\t7\r\n"
            "1\t\t2.5\t20.25\t3\t8\r\n"
            "2\t\"a\t\"\"b\"\"\"\t4\t-3\t\t\r\n"
            "\r\n");
}

TEST(SeriesDataText, CustomQuoteWrapsNamesAndLabelsButNotNumbers) {
  TExportFixture f;
  TSeriesDataText e(f.Chart, f.A);
  e.WithHeader = true;
  e.Quote = "'";
  EXPECT_EQ(e.ExportedText(),
            "'Text'\t'X'\t'A&B'\r\n"
            "'x<1'\t1.5\t10\r\n"
            "\t2.5\t20.25\r\n"
            "'a\t\"b\"'\t4\t-3\r\n"
            "\r\n");
}

TEST(SeriesDataText, NumbersWithTheDelimiterAsDecimalSeparatorAreQuoted) {
  TExportFixture f;
  TFormatSettings comma = TFormatSettings::Invariant();
  comma.DecimalSeparator = ',';
  TFormatSettingsScope scope(comma);
  TSeriesDataText e(f.Chart, f.B);
  e.Delimiter = ',';
  EXPECT_EQ(e.ExportedText(), "\"1,5\",7\r\n3,8\r\n\r\n");
}

TEST(SeriesDataText, ASeriesWhoseMandatoryListIsZExportsEveryListOnce) {
  TFormatSettingsScope numbers(TFormatSettings::Invariant());
  TCustomChart* chart = Create<TChart>(nullptr);
  TMapSeries* map = Create<TMapSeries>(chart);
  chart->AddSeries(map);
  map->AddXYZ(1, 2, 3, "", clDefault);
  TSeriesDataText e(chart, map);
  e.WithHeader = true;
  const std::string text = e.ExportedText();
  const std::string header = text.substr(0, text.find("\r\n"));
  const std::string row = text.substr(header.size() + 2, text.find("\r\n", header.size() + 2) - header.size() - 2);
  EXPECT_EQ(header, map->NotMandatoryList()->GetName() + "\t" + map->MandatoryList()->GetName() + "\t" +
                        map->YValues()->GetName());
  EXPECT_EQ(row, "1\t3\t2");
  chart->Free();
}

TEST(SeriesDataExport, AChartWithoutSeriesGivesTheHeaderOnly) {
  TFormatSettingsScope numbers(TFormatSettings::Invariant());
  TCustomChart* chart = Create<TChart>(nullptr);
  TSeriesDataText text(chart);
  text.WithHeader = text.WithIndex = true;
  EXPECT_EQ(text.PointCount(), -1);
  EXPECT_EQ(text.ExportedText(), "Index\r\n\r\n");
  TSeriesDataHTML html(chart);
  html.WithHeader = html.WithIndex = true;
  EXPECT_EQ(html.ExportedText(), "<table border=\"1\">\r\n<tr><td>Index</td></tr>\r\n\r\n</table>");
  chart->Free();
}

TEST(SeriesDataXML, OneSeriesWithColoursEscapesAttributesAndNamesUtf8) {
  TExportFixture f;
  f.A->SetPointColor(1, clBlue);
  TSeriesDataXML e(f.Chart, f.A);
  e.WithColors = true;
  std::string type = Chart::SeriesTypeText(f.A);
  ASSERT_EQ(type.find_first_of("&<>\""), std::string::npos);
  EXPECT_EQ(e.ExportedText(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<series title=\"A&amp;B\" type=\"" + type + "\" color=\"#00ff00\">\r\n"
            "<points count=\"3\">\r\n"
            "<point  text=\"x&lt;1\" color=\"#00ff00\" X=\"1.5\" Y=\"10\"/>\r\n"
            "<point  text=\"\" color=\"#0000ff\" X=\"2.5\" Y=\"20.25\"/>\r\n"
            "<point  text=\"a\t&quot;b&quot;\" color=\"#00ff00\" X=\"4\" Y=\"-3\"/>\r\n"
            "</points>\r\n"
            "</series>\r\n"
            "\r\n");
}

TEST(SeriesDataXML, AllSeriesAreWrappedInAChartElement) {
  TExportFixture f;
  TSeriesDataXML e(f.Chart);
  e.WithHeader = false;
  e.WithIndex = true;
  const std::string xml = e.ExportedText();
  EXPECT_TRUE(xml.starts_with("<chart>\r\n<series title=\"A&amp;B\"")) << xml;
  EXPECT_TRUE(xml.ends_with("</series>\r\n\r\n</chart>")) << xml;
  EXPECT_NE(xml.find("<series title=\"B\""), std::string::npos);
  EXPECT_NE(xml.find("<point index=\"1\" text=\"\" X=\"3\" Y=\"8\"/>\r\n"), std::string::npos) << xml;
}

TEST(SeriesDataHTML, ShorterSeriesGetEmptyCellsAndTextIsEscaped) {
  TExportFixture f;
  TSeriesDataHTML e(f.Chart);
  e.WithHeader = true;
  EXPECT_EQ(e.ExportedText(),
            "<table border=\"1\">\r\n"
            "<tr><td>Text</td><td>X</td><td>A&amp;B</td><td>Text</td><td>X</td><td>B</td></tr>\r\n"
            "<tr><td>x&lt;1</td><td>1.5</td><td>10</td><td></td><td>1.5</td><td>7</td></tr>\r\n"
            "<tr><td></td><td>2.5</td><td>20.25</td><td></td><td>3</td><td>8</td></tr>\r\n"
            "<tr><td>a\t&quot;b&quot;</td><td>4</td><td>-3</td><td></td><td></td><td></td></tr>\r\n"
            "\r\n</table>");
}

// BIFF records as the format lays them out.
struct TBiff {
  std::string Bytes;
  template <class T>
  void Put(T V) {
    char b[sizeof(T)];
    std::memcpy(b, &V, sizeof(T));
    if constexpr (std::endian::native == std::endian::big) std::reverse(b, b + sizeof(T));
    Bytes.append(b, sizeof(T));
  }
  void Cell(uint16_t Type, uint16_t Length, uint16_t Row, uint16_t Col) {
    Put(Type), Put(Length), Put(Row), Put(Col);
    Bytes.append(3, '\0');
  }
  void Label(uint16_t Row, uint16_t Col, const std::string& S) {
    Cell(4, uint16_t(8 + S.size()), Row, Col);
    Put(uint8_t(S.size()));
    Bytes += S;
  }
  void Number(uint16_t Row, uint16_t Col, double V) {
    Cell(3, 15, Row, Col);
    Put(V);
  }
  void Blank(uint16_t Row, uint16_t Col) { Cell(1, 7, Row, Col); }
};

std::string SavedXls(TSeriesDataXLS& E) {
  TMemoryStream s;
  E.WriteToStream(s);
  return s.DataString();
}

TEST(SeriesDataXLS, HeaderIndexValuesAndABlankForANullPoint) {
  TExportFixture f;
  f.B->AddNullXY(5, 0);
  TSeriesDataXLS e(f.Chart, f.B);
  e.WithHeader = true;
  e.WithIndex = true;

  TBiff x;
  x.Bytes.assign("\x09\x08\x08\x00\x00\x00\x10\x00\x00\x00\x00\x00", 12);
  x.Put(uint16_t(0x0200)), x.Put(uint16_t(10));
  for (uint16_t w : {0, 4, 0, 3, 0}) x.Put(w);
  x.Label(0, 0, "Index"), x.Label(0, 1, "X"), x.Label(0, 2, "Y");
  x.Number(1, 0, 0), x.Number(1, 1, 1.5), x.Number(1, 2, 7);
  x.Number(2, 0, 1), x.Number(2, 1, 3), x.Number(2, 2, 8);
  x.Number(3, 0, 2), x.Number(3, 1, 5), x.Blank(3, 2);
  x.Bytes.append("\x0A\x00\x00\x00", 4);
  EXPECT_EQ(SavedXls(e), x.Bytes);
}

TEST(SeriesDataXLS, ShorterSeriesGetEmptyLabelsAndBlanks) {
  TExportFixture f;
  TSeriesDataXLS e(f.Chart);
  const std::string bytes = SavedXls(e);
  // Row 2, series B (columns 3 to 5): empty label, blank X, blank Y.
  TBiff tail;
  tail.Label(2, 3, ""), tail.Blank(2, 4), tail.Blank(2, 5);
  tail.Bytes.append("\x0A\x00\x00\x00", 4);
  EXPECT_TRUE(bytes.ends_with(tail.Bytes));
}

TEST(SeriesDataXLS, LongLabelsAreCutTo255Characters) {
  TFormatSettingsScope numbers(TFormatSettings::Invariant());
  TCustomChart* chart = Create<TChart>(nullptr);
  auto* s = Create<TLineSeries>(chart);
  chart->AddSeries(s);
  s->Add(1, std::string(300, 'L'));
  TSeriesDataXLS e(chart, s);
  const std::string bytes = SavedXls(e);
  TBiff label;
  label.Label(0, 0, std::string(255, 'L'));
  EXPECT_EQ(bytes.substr(26, label.Bytes.size()), label.Bytes);
  chart->Free();
}

TEST(SeriesDataXLS, MoreRowsThanTheFormatHoldsAreRefusedBeforeWriting) {
  TFormatSettingsScope numbers(TFormatSettings::Invariant());
  TCustomChart* chart = Create<TChart>(nullptr);
  auto* s = Create<TLineSeries>(chart);
  chart->AddSeries(s);
  for (int i = 0; i < TSeriesDataXLS::MaxRows; ++i) s->Add(i);
  TSeriesDataXLS e(chart, s);
  EXPECT_NO_THROW(SavedXls(e));
  e.WithHeader = true;
  TMemoryStream out;
  try {
    e.WriteToStream(out);
    ADD_FAILURE() << "no exception";
  } catch (const ChartException& ex) {
    EXPECT_STREQ(ex.what(), "The spreadsheet format holds at most 65535 rows; this export has 65536.");
  }
  EXPECT_EQ(out.GetSize(), 0);
  chart->Free();
}

TEST(SeriesDataExport, HtmlColoursAreLowerCaseRedGreenBlue) {
  EXPECT_EQ(PlotStore::ColorToHtml(0x00C08040), "#4080c0");
  EXPECT_EQ(PlotStore::ColorToHtml(clDefault), "#000000");
  EXPECT_EQ(PlotStore::ColorToHtml(clNone), "#ffffff");
}

}  // namespace

}  // namespace PlotStoreDataTests
