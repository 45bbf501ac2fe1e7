#include <gtest/gtest.h>

#include <filesystem>

#include "chart/series/PlotStore.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"

namespace PlotStoreFileTests {

namespace {

struct TPointRow {
  double X, Y;
  std::string Label;
  TColor Colour;
  bool operator==(const TPointRow&) const = default;
  friend void PrintTo(const TPointRow& P, std::ostream* Os) {
    *Os << "(" << P.X << ", " << P.Y << ", '" << P.Label << "', " << P.Colour << ")";
  }
};

std::vector<TPointRow> Points(const TChartSeries& S) {
  std::vector<TPointRow> rows;
  for (int32_t i = 0; i < S.Count(); ++i) rows.push_back({S.GetXValue(i), S.GetYValue(i), S.GetLabel(i), S.GetStoredColor(i)});
  return rows;
}

// A chart of two series with points, labels, point colours and looks that
// differ from the defaults.
struct TChartFixture {
  TCustomChart* Chart = Create<TChart>(nullptr);
  TLineSeries* Line = nullptr;
  TPointSeries* Dots = nullptr;
  TChartImageTool* Tool = nullptr;

  TChartFixture() {
    Chart->SetName("SourceChart");
    Chart->SetView3D(false);
    Chart->SetChart3DPercent(35);
    Line = Create<TLineSeries>(Chart);
    Line->SetName("Series1");
    Chart->AddSeries(Line);
    Line->SetTitle("rho & <eta>");
    Line->SetSeriesColor(0x123456);
    Chart->Title()->Text()->Add("Section 1");
    Line->LinePen()->SetWidth(3);
    Line->AppendPoint(1.5, 10, "first");
    Line->AppendPoint(2.5, -20.25, "");
    Line->AppendPoint(4, 1e-9, "third");
    Line->SetPointColor(1, clBlue);
    Dots = Create<TPointSeries>(Chart);
    Dots->SetName("Series2");
    Chart->AddSeries(Dots);
    Dots->Pointer()->SetStyle(TSeriesPointerStyle::psCircle);
    Dots->Pointer()->SetHorizSize(7);
    Dots->AppendPoint(0, 5);
    Dots->AppendPoint(1, 6);
    Tool = Create<TChartImageTool>(Chart);
    Tool->SetName("ChartTool1");
    Tool->SetParentChart(Chart);
    Tool->SetSeries(Dots);
    Tool->SetActive(false);
  }
  ~TChartFixture() { Chart->Free(); }
};

std::string Saved(TCustomChart* Chart, bool WithData, bool AsText) {
  TMemoryStream s;
  PlotStore::WritePlotStream(Chart, s, WithData, AsText);
  return s.DataString();
}

void Load(TCustomChart* Chart, const std::string& Bytes, const TChartReadErrorEvent& OnError = nullptr,
          bool ReadData = true) {
  TMemoryStream s;
  s.WriteString(Bytes);
  s.SetPosition(0);
  PlotStore::ReadPlotStream(Chart, s, ReadData, OnError);
}

std::string ErrorOf(const std::function<void()>& F) {
  try {
    F();
  } catch (const Exception& e) {
    return e.what();
  }
  return "(no exception)";
}

// A chart with one series of its own, to see that loading replaces it or leaves it.
struct TTarget {
  TCustomChart* Chart = Create<TChart>(nullptr);
  TLineSeries* Old = Create<TLineSeries>(Chart);
  TTarget() {
    Chart->SetName("TargetChart");
    Old->SetName("OldSeries");
    Chart->AddSeries(Old);
    Old->AppendPoint(7, 7, "old");
  }
  ~TTarget() { Chart->Free(); }
  void ExpectUnchanged() const {
    ASSERT_EQ(Chart->SeriesCount(), 1);
    EXPECT_EQ(Chart->GetSeries(0), Old);
    EXPECT_EQ(Points(*Old), (std::vector<TPointRow>{{7, 7, "old", clDefault}}));
    EXPECT_EQ(Chart->GetName(), "TargetChart");
    EXPECT_TRUE(Chart->GetView3D());
    EXPECT_EQ(Chart->GetTools().Count(), 0);
  }
};

class PlotStoreRoundTrip : public testing::TestWithParam<bool> {};

TEST_P(PlotStoreRoundTrip, ChartComesBackWithSeriesPointsAndLooks) {
  TChartFixture src;
  TTarget dst;
  Load(dst.Chart, Saved(src.Chart, true, GetParam()));

  EXPECT_EQ(dst.Chart->GetName(), "TargetChart");
  EXPECT_FALSE(dst.Chart->GetView3D());
  EXPECT_EQ(dst.Chart->GetChart3DPercent(), 35);
  EXPECT_EQ(dst.Chart->Title()->Text()->GetText(), "Section 1\n");
  ASSERT_EQ(dst.Chart->SeriesCount(), 2);
  auto* line = dynamic_cast<TLineSeries*>(dst.Chart->GetSeries(0));
  auto* dots = dynamic_cast<TPointSeries*>(dst.Chart->GetSeries(1));
  ASSERT_TRUE(line && dots);
  EXPECT_EQ(line->GetName(), "Series1");
  EXPECT_EQ(line->GetTitle(), "rho & <eta>");
  EXPECT_EQ(line->GetSeriesColor(), 0x123456);
  EXPECT_EQ(line->LinePen()->GetWidth(), 3);
  EXPECT_EQ(dots->Pointer()->GetStyle(), TSeriesPointerStyle::psCircle);
  EXPECT_EQ(dots->Pointer()->GetHorizSize(), 7);
  ASSERT_EQ(dst.Chart->GetTools().Count(), 1);
  auto* tool = dynamic_cast<TChartImageTool*>(dst.Chart->GetTools().ToolAt(0));
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(tool->GetSeries(), dots);
  EXPECT_FALSE(tool->GetActive());
  EXPECT_TRUE(dst.Chart->AutoRepaint);

  // Reading again replaces what the first read brought.
  Load(dst.Chart, Saved(src.Chart, true, GetParam()));
  EXPECT_EQ(dst.Chart->SeriesCount(), 2);
  EXPECT_EQ(dst.Chart->GetTools().Count(), 1);
}

TEST_P(PlotStoreRoundTrip, PointDataTravelInsideTheComponentStream) {
  TChartFixture src;
  TTarget dst;
  Load(dst.Chart, Saved(src.Chart, true, GetParam()));
  ASSERT_EQ(dst.Chart->SeriesCount(), 2);
  EXPECT_EQ(Points(*dst.Chart->GetSeries(0)), Points(*src.Line));
  EXPECT_EQ(Points(*dst.Chart->GetSeries(1)), Points(*src.Dots));
}

TEST_P(PlotStoreRoundTrip, WithoutDataTheSeriesComeBackEmpty) {
  TChartFixture src;
  TTarget dst;
  Load(dst.Chart, Saved(src.Chart, false, GetParam()));
  ASSERT_EQ(dst.Chart->SeriesCount(), 2);
  EXPECT_EQ(dst.Chart->GetSeries(0)->Count(), 0);
  EXPECT_EQ(dst.Chart->GetSeries(0)->GetTitle(), "rho & <eta>");
  EXPECT_EQ(dst.Chart->GetSeries(1)->Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(BinaryAndText, PlotStoreRoundTrip, testing::Values(false, true));

TEST(PlotStore, WritingLeavesTheChartAndItsSeriesAsTheyWere) {
  TChartFixture src;
  src.Dots->NeverStoreData = true;
  Saved(src.Chart, true, false);
  Saved(src.Chart, false, true);
  EXPECT_EQ(src.Chart->GetName(), "SourceChart");
  EXPECT_TRUE(src.Dots->NeverStoreData);
  EXPECT_FALSE(src.Dots->AlwaysStoreData);
  EXPECT_FALSE(src.Line->NeverStoreData);
  EXPECT_FALSE(src.Line->AlwaysStoreData);
}

TEST(PlotStore, BinaryFilesCarryTheHeaderAndTextFilesNone) {
  TChartFixture src;
  const std::string bin = Saved(src.Chart, false, false);
  EXPECT_EQ(bin.substr(0, 8), std::string("\x60\x30\x57\x01TPF0", 8));
  const std::string text = Saved(src.Chart, false, true);
  EXPECT_EQ(text.substr(0, 13), "object TChart");

  TMemoryStream in, out;
  in.WriteString(text);
  in.SetPosition(0);
  PlotStore::PlotTextToBinary(in, out);
  EXPECT_EQ(out.DataString(), bin);

  TMemoryStream binIn, textOut;
  binIn.WriteString(bin);
  binIn.SetPosition(0);
  PlotStore::PlotBinaryToText(binIn, textOut);
  EXPECT_EQ(textOut.DataString(), text);

  TMemoryStream foreign, sink;
  foreign.WriteString("PK\x03\x04");
  foreign.SetPosition(0);
  EXPECT_EQ(ErrorOf([&] { PlotStore::PlotTextToBinary(foreign, sink); }), "Wrong *.chf file format");
}

TEST(PlotStore, StreamKindIsJudgedWithoutMovingTheStream) {
  struct TCase {
    std::string Bytes;
    bool Plot, Binary;
  };
  for (const TCase& c : {TCase{std::string("\x60\x30", 2), true, true}, TCase{"object", true, false},
                         TCase{"o", true, false}, TCase{"\x30\x60", false, false}, TCase{"", false, false}}) {
    TMemoryStream s;
    s.WriteString(c.Bytes);
    s.SetPosition(0);
    EXPECT_EQ(PlotStore::IsPlotStream(s), c.Plot) << c.Bytes;
    EXPECT_EQ(PlotStore::IsBinaryPlotStream(s), c.Binary) << c.Bytes;
    EXPECT_EQ(s.GetPosition(), 0);
  }
}

TEST(PlotStore, FileNamesGetTheChartExtensionOnlyWhenTheyHaveNone) {
  EXPECT_EQ(PlotStore::PlotFileName("section"), "section.chf");
  EXPECT_EQ(PlotStore::PlotFileName("section.txt"), "section.txt");
  EXPECT_EQ(PlotStore::PlotFileName("run.1/section"), "run.1/section.chf");

  TChartFixture src;
  const auto dir = std::filesystem::temp_directory_path() / "kv_plotstore_test";
  std::filesystem::create_directories(dir);
  const std::string base = (dir / "chart").string();
  PlotStore::WritePlotFile(src.Chart, base, true, false);
  TMemoryStream file;
  file.LoadFromFile(base + ".chf");
  EXPECT_EQ(file.DataString(), Saved(src.Chart, true, false));
  std::filesystem::remove_all(dir);
}

TEST(PlotStore, EmptyForeignAndMissingChartAreRefusedWithTheirMessages) {
  TTarget dst;
  EXPECT_EQ(ErrorOf([&] { Load(dst.Chart, ""); }), "Empty *.chf file");
  EXPECT_EQ(ErrorOf([&] { Load(dst.Chart, "GIF89a"); }), "Wrong *.chf file format");
  EXPECT_EQ(ErrorOf([&] { Load(dst.Chart, "object TStringList\nend\n"); }), "Wrong *.chf file format");
  dst.ExpectUnchanged();

  TChartFixture src;
  TMemoryStream s;
  s.WriteString(Saved(src.Chart, true, false));
  s.SetPosition(0);
  TCustomChart* none = nullptr;
  EXPECT_EQ(ErrorOf([&] { PlotStore::ReadChartStream(none, s); }), "Invalid Chart in *.chf file");
}

TEST(PlotStore, DamagedFilesLeaveTheChartAsItWas) {
  TChartFixture src;
  for (bool text : {false, true}) {
    const std::string file = Saved(src.Chart, true, text);
    // Cutting the text's final line break alone leaves a whole file.
    for (size_t n = 1; n + (text ? 1 : 0) < file.size(); n += text ? 5 : 3) {
      TTarget dst;
      EXPECT_THROW(Load(dst.Chart, file.substr(0, n)), Exception) << (text ? "text" : "binary") << " cut at " << n;
      dst.ExpectUnchanged();
    }
  }
  TTarget dst;
  EXPECT_EQ(ErrorOf([&] { Load(dst.Chart, "object TChart\n  object S: TNoSuchSeries\n  end\nend\n"); }),
            "Class TNoSuchSeries not found");
  dst.ExpectUnchanged();
}

TEST(PlotStore, UnknownPropertiesAreIgnoredUnlessTheCallbackRefuses) {
  const std::string file =
      "object TChart\n  Shininess = 11\n  OnClick = Form1Click\n  View3D = False\n"
      "  object Series1: TLineSeries\n    Sparkle = True\n  end\nend\n";
  TTarget quiet;
  Load(quiet.Chart, file);
  EXPECT_FALSE(quiet.Chart->GetView3D());
  EXPECT_EQ(quiet.Chart->SeriesCount(), 1);

  std::vector<std::string> asked;
  TTarget strict;
  EXPECT_THROW(Load(strict.Chart, file, [&](TReader&, const std::string& m) {
                 asked.push_back(m);
                 return !m.ends_with("Sparkle does not exist");
               }),
               EReadError);
  EXPECT_EQ(asked.size(), 2u);  // the handler name is not a problem
  strict.ExpectUnchanged();

  asked.clear();
  TTarget lenient;
  Load(lenient.Chart, file, [&](TReader&, const std::string& m) {
    asked.push_back(m);
    return true;
  });
  EXPECT_EQ(asked.size(), 2u);  // asked once, not again while the chart itself is read
  EXPECT_EQ(lenient.Chart->SeriesCount(), 1);
}

TEST(PlotStore, PointRecordsAfterTheComponentStreamAreReadSeriesBySeries) {
  TChartFixture src;
  TMemoryStream file;
  PlotStore::WritePlotStream(src.Chart, file, false, false);
  src.Line->WriteData(file);
  src.Dots->WriteData(file);

  TTarget dst;
  Load(dst.Chart, file.DataString());
  ASSERT_EQ(dst.Chart->SeriesCount(), 2);
  EXPECT_EQ(Points(*dst.Chart->GetSeries(0)), Points(*src.Line));
  EXPECT_EQ(Points(*dst.Chart->GetSeries(1)), Points(*src.Dots));

  TTarget noData;
  Load(noData.Chart, file.DataString(), nullptr, false);
  EXPECT_EQ(noData.Chart->GetSeries(0)->Count(), 0);

  TTarget cut;
  EXPECT_THROW(Load(cut.Chart, file.DataString().substr(0, file.GetSize() - 3)), ChartException);
  cut.ExpectUnchanged();
}

}  // namespace

}  // namespace PlotStoreFileTests
