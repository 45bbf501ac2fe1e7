// The shape family of series on a whole chart: chart files bring every class
// back by name with its points, extra value lists and own settings, in text
// and binary form; sample values, marks and legend symbols draw flat and in
// 3-D views.
#include <gtest/gtest.h>

#include <limits>

#include "chart/engine/Chart.h"
#include "chart/extras/ArrowCha.h"
#include "chart/extras/BubbleCh.h"
#include "chart/extras/ExtrasUnits.h"
#include "chart/extras/GanttCh.h"
#include "chart/extras/ImaPoint.h"
#include "chart/extras/ImageBar.h"
#include "chart/extras/MyPoint.h"
#include "chart/extras/PlotBezie.h"
#include "chart/extras/PlotDonut.h"
#include "chart/extras/PlotFunnel.h"
#include "chart/extras/PlotPyramid.h"
#include "chart/extras/PlotShape.h"
#include "chart/extras/PlotVolumePipe.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/PlotStore.h"

namespace PlotShapeStoreTests {

namespace {

struct TCase {
  const char* Name;
  std::function<TChartSeries*(TComponent* Owner)> Make;
  std::function<void(TChartSeries* Loaded)> Check;
};

template <class T>
T* As(TChartSeries* S) {
  auto* t = dynamic_cast<T*>(S);
  EXPECT_NE(t, nullptr);
  return t;
}

const std::vector<TCase>& Cases() {
  static const std::vector<TCase> cases = {
      {"shape",
       [](TComponent* O) {
         auto* s = Create<TChartShape>(O);
         s->SetShapeStyle(chasDiamond);
         s->SetXYStyle(xysPixels);
         s->Text()->Add("two words");
         s->SetX1(42);
         s->SetSeriesColor(clYellow);
         return s;
       },
       [](TChartSeries* L) {
         auto* s = As<TChartShape>(L);
         EXPECT_EQ(s->GetShapeStyle(), chasDiamond);
         EXPECT_EQ(s->GetXYStyle(), xysPixels);
         EXPECT_EQ(s->Text()->Get(0), "two words");
         EXPECT_EQ(s->Count(), 2);
         EXPECT_EQ(s->GetX1(), 42);
         EXPECT_EQ(s->Brush()->GetColor(), clYellow);
       }},
      {"gantt",
       [](TComponent* O) {
         auto* s = Create<TGanttSeries>(O);
         s->AddGantt(1, 4, 2, "a");
         s->AddGantt(5, 9, 3, "b");
         s->NextTask()->StoreValue(0, 1);
         s->ManualData = true;
         return s;
       },
       [](TChartSeries* L) {
         auto* s = As<TGanttSeries>(L);
         ASSERT_EQ(s->Count(), 2);
         EXPECT_EQ(s->EndValues()->GetValue(1), 9);
         EXPECT_EQ(s->NextTask()->GetValue(0), 1);
         EXPECT_EQ(s->GetYValue(1), 3);
       }},
      {"arrow",
       [](TComponent* O) {
         auto* s = Create<TArrowSeries>(O);
         s->AddArrow(1, 2, 3, 4);
         s->SetArrowPercent(25);
         s->ManualData = true;
         return s;
       },
       [](TChartSeries* L) {
         auto* s = As<TArrowSeries>(L);
         ASSERT_EQ(s->Count(), 1);
         EXPECT_EQ(s->EndYValues()->GetValue(0), 4);
         EXPECT_EQ(s->GetArrowPercent(), 25);
       }},
      {"bubble",
       [](TComponent* O) {
         auto* s = Create<TBubbleSeries>(O);
         s->AddBubble(1, 2, 0.5);
         s->SetSquared(false);
         s->ManualData = true;
         return s;
       },
       [](TChartSeries* L) {
         auto* s = As<TBubbleSeries>(L);
         ASSERT_EQ(s->Count(), 1);
         EXPECT_EQ(s->RadiusValues()->GetValue(0), 0.5);
         EXPECT_FALSE(s->GetSquared());
       }},
      {"bezier",
       [](TComponent* O) {
         auto* s = Create<TBezierSeries>(O);
         s->SetBezierStyle(TBezierStyle::bsBezier3);
         s->SetNumBezierPoints(7);
         return s;
       },
       [](TChartSeries* L) {
         auto* s = As<TBezierSeries>(L);
         EXPECT_EQ(s->GetBezierStyle(), TBezierStyle::bsBezier3);
         EXPECT_EQ(s->GetNumBezierPoints(), 7);
       }},
      {"donut",
       [](TComponent* O) {
         auto* s = Create<TDonutSeries>(O);
         s->SetDonutPercent(35);
         return s;
       },
       [](TChartSeries* L) { EXPECT_EQ(As<TDonutSeries>(L)->GetDonutPercent(), 35); }},
      {"line point",
       [](TComponent* O) {
         auto* s = Create<TMyPointSeries>(O);
         s->LinesPen()->SetWidth(3);
         return s;
       },
       [](TChartSeries* L) { EXPECT_EQ(As<TMyPointSeries>(L)->LinesPen()->GetWidth(), 3); }},
      {"bar join",
       [](TComponent* O) {
         auto* s = Create<TBarJoinSeries>(O);
         s->JoinPen()->SetColor(clLime);
         return s;
       },
       [](TChartSeries* L) { EXPECT_EQ(As<TBarJoinSeries>(L)->JoinPen()->GetColor(), clLime); }},
      {"image bar",
       [](TComponent* O) {
         auto* s = Create<TImageBarSeries>(O);
         TBitmap b(3, 5);
         s->Image()->SetGraphic(&b);
         s->SetImageTiled(true);
         return s;
       },
       [](TChartSeries* L) {
         auto* s = As<TImageBarSeries>(L);
         EXPECT_TRUE(s->GetImageTiled());
         EXPECT_EQ(s->Image()->GetHeight(), 5);
       }},
      {"delta point",
       [](TComponent* O) {
         auto* s = Create<TDeltaPointSeries>(O);
         s->SetImageStyle(disHands);
         return s;
       },
       [](TChartSeries* L) { EXPECT_EQ(As<TDeltaPointSeries>(L)->GetImageStyle(), disHands); }},
      {"image point",
       [](TComponent* O) {
         auto* s = Create<TImagePointSeries>(O);
         s->SetImageTransparent(false);
         return s;
       },
       [](TChartSeries* L) { EXPECT_FALSE(As<TImagePointSeries>(L)->GetImageTransparent()); }},
      {"pyramid",
       [](TComponent* O) {
         auto* s = Create<TPyramidSeries>(O);
         s->SetSizePercent(70);
         return s;
       },
       [](TChartSeries* L) { EXPECT_EQ(As<TPyramidSeries>(L)->GetSizePercent(), 70); }},
      {"funnel",
       [](TComponent* O) {
         auto* s = Create<TFunnelSeries>(O);
         s->AddSegment(10, 8, "x");
         s->AddSegment(20, 5, "y");
         s->SetDifferenceLimit(12.5);
         s->ManualData = true;
         return s;
       },
       [](TChartSeries* L) {
         auto* s = As<TFunnelSeries>(L);
         ASSERT_EQ(s->Count(), 2);
         EXPECT_EQ(s->GetYValue(0), 20);
         EXPECT_EQ(s->OpportunityValues()->GetValue(1), 8);
         EXPECT_EQ(s->GetDifferenceLimit(), 12.5);
       }},
      {"volume pipe",
       [](TComponent* O) {
         auto* s = Create<TVolumePipeSeries>(O);
         s->SetConePercent(44);
         return s;
       },
       [](TChartSeries* L) { EXPECT_EQ(As<TVolumePipeSeries>(L)->GetConePercent(), 44); }},
  };
  return cases;
}

void InitializeUnits() { ExtrasUnits::Initialization(); }

TEST(ShapeFamilyStore, EverySeriesComesBackFromAChartFile) {
  InitializeUnits();
  for (bool asText : {true, false}) {
    for (const TCase& c : Cases()) {
      SCOPED_TRACE(std::string(c.Name) + (asText ? " text" : " binary"));
      TCustomChart* source = Create<TChart>(nullptr);
      TChartSeries* s = c.Make(source);
      s->SetName("Series1");
      source->AddSeries(s);
      TMemoryStream file;
      PlotStore::WritePlotStream(source, file, true, asText);
      source->Free();

      TCustomChart* target = Create<TChart>(nullptr);
      file.SetPosition(0);
      PlotStore::ReadPlotStream(target, file, true, nullptr);
      ASSERT_EQ(target->SeriesCount(), 1);
      c.Check(target->GetSeries(0));
      target->Free();
    }
  }
}

TEST(ShapeFamilyDrawing, SamplesMarksAndLegendsDrawFlatAndIn3D) {
  InitializeUnits();
  constexpr int32_t W = 320, H = 240;
  struct TView {
    bool View3D, Orthogonal;
  };
  for (const TView view : {TView{false, true}, TView{true, true}, TView{true, false}}) {
    for (const TCase& c : Cases()) {
      SCOPED_TRACE(std::string(c.Name) + (view.View3D ? (view.Orthogonal ? " 3-D" : " rotated") : " flat"));
      TCustomChart* chart = Create<TChart>(nullptr);
      chart->SetBounds(W, H);
      chart->SetColor(clWhite);
      chart->SetView3D(view.View3D);
      chart->View3DOptions()->SetOrthogonal(view.Orthogonal);
      if (!view.Orthogonal) {
        chart->View3DOptions()->SetElevation(340);
        chart->View3DOptions()->SetRotation(330);
      }
      TChartSeries* s = c.Make(chart);
      chart->AddSeries(s);
      if (s->Count() < 2 && !dynamic_cast<TChartShape*>(s)) s->FillSampleValues(0);
      if (auto* marks = dynamic_cast<TSeriesMarks*>(s->Marks())) marks->SetVisible(true);
      TBitmap picture(W, H);
      chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, W, H));
      // Something of the series beyond the white background and the black
      // and grey of axes, walls and legend frame.
      int coloured = 0;
      for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x) {
          const TColor p = picture.GetPixelColor(x, y) & 0xFFFFFF;
          const int r = p & 0xFF, g = (p >> 8) & 0xFF, b = (p >> 16) & 0xFF;
          coloured += std::max({r, g, b}) - std::min({r, g, b}) > 60;
        }
      EXPECT_GT(coloured, 20);
      chart->Free();
    }
  }
}

// A chart holding every series of the family, saved as text or binary.
std::string FamilyFile(bool AsText, const std::function<void(TChartSeries*)>& Change = nullptr) {
  TCustomChart* source = Create<TChart>(nullptr);
  int n = 0;
  for (const TCase& c : Cases()) {
    TChartSeries* s = c.Make(source);
    s->SetName("Series" + std::to_string(++n));
    source->AddSeries(s);
    if (Change) Change(s);
  }
  TMemoryStream file;
  PlotStore::WritePlotStream(source, file, true, AsText);
  source->Free();
  return file.DataString();
}

std::string Replaced(std::string Text, const std::string& From, const std::string& To) {
  const size_t at = Text.find(From);
  EXPECT_NE(at, std::string::npos) << From;
  if (at != std::string::npos) Text.replace(at, From.size(), To);
  return Text;
}

TEST(ShapeFamilyStore, DamagedChartFilesAreRefusedOrDrawnWithoutFault) {
  InitializeUnits();
  const std::string text = FamilyFile(true), binary = FamilyFile(false);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  // Stored values that reach the drawing arithmetic: NaN, huge and negative.
  const std::string extreme = FamilyFile(true, [&](TChartSeries* S) {
    S->ManualData = true;
    for (int32_t i = 0; i < S->Count(); ++i)
      for (int32_t l = 0; l < S->ValueLists().Count(); ++l)
        S->ValueLists().Get(l)->StoreValue(i, l % 3 == 0 ? nan : l % 3 == 1 ? 1e300 : -1e300);
  });
  // A one-pixel picture tiled over a bar far taller than the chart.
  const std::string tiled = FamilyFile(true, [](TChartSeries* S) {
    if (auto* bar = dynamic_cast<TImageBarSeries*>(S)) {
      TBitmap dot(1, 1);
      bar->Image()->SetGraphic(&dot);
      bar->SetImageTiled(true);
      bar->Clear();
      bar->Add(1e9);
      bar->Add(-1e9);
      bar->ManualData = true;
    }
  });
  const struct {
    const char* Name;
    std::string Bytes;
  } inputs[] = {
      {"text", text},
      {"binary", binary},
      {"half text", text.substr(0, text.size() / 2)},
      {"half binary", binary.substr(0, binary.size() / 2)},
      {"huge curve count", Replaced(text, "NumBezierPoints = 7", "NumBezierPoints = 2000000000")},
      {"refused curve count", Replaced(text, "NumBezierPoints = 7", "NumBezierPoints = 1")},
      {"negative cone", Replaced(text, "ConePercent = 44", "ConePercent = -2000000000")},
      {"huge pyramid", Replaced(text, "SizePercent = 70", "SizePercent = 2147483647")},
      {"negative limit", Replaced(text, "DifferenceLimit = 12.5", "DifferenceLimit = -1e308")},
      {"unknown style", Replaced(text, "Style = chasDiamond", "Style = chasOctagon")},
      {"extreme values", extreme},
      {"tall tiled bars", tiled},
  };
  for (const auto& in : inputs) {
    SCOPED_TRACE(in.Name);
    TCustomChart* chart = Create<TChart>(nullptr);
    try {
      TMemoryStream stream;
      stream.WriteString(in.Bytes);
      stream.SetPosition(0);
      PlotStore::ReadPlotStream(chart, stream, true, nullptr);
      for (bool view3D : {false, true}) {
        chart->SetView3D(view3D);
        TBitmap picture(320, 240);
        chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, 320, 240));
      }
    } catch (const Exception&) {
      // Refused with a message: fine.
    }
    chart->Free();
  }
}

}  // namespace

}  // namespace PlotShapeStoreTests
