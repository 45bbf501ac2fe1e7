// Map series: shapes drawn, hit and marked on a real chart, the shape/point
// invariant through deleting and copying, colours, and storing shapes.
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/PlotMapSeries.h"
#include "chart/series/tests/SeriesChartFixture.h"
#include "platform/rtl/Streaming.h"

namespace MapSeriesTests {

namespace {

class MapTest : public SeriesChartTest {
protected:
  TPlotPolygon* Shape(TMapSeries* Map, std::initializer_list<std::pair<double, double>> Vertices, double Z = 0) {
    TPlotPolygon* p = Map->Shapes()->AddPolygon();
    for (auto [x, y] : Vertices) p->AppendPoint(x, y);
    p->SetZ(Z);
    return p;
  }
};

TEST_F(MapTest, ShapesFilledInTheirOwnColourAndOneVertexIsOnePixel) {
  auto* map = Add<TMapSeries>();
  Shape(map, {{1, 1}, {4, 1}, {4, 4}, {1, 4}})->SetColor(0x00FF00);
  Shape(map, {{7, 7}});
  Draw();
  EXPECT_EQ(At(2.5, 2.5), 0x00FF00);
  EXPECT_EQ(At(7, 7), 0x000000);
  EXPECT_EQ(Px(XPix(7) + 1, YPix(7)), 0xFFFFFF);
  EXPECT_EQ(Px(XPix(7), YPix(7) + 1), 0xFFFFFF);
}

TEST_F(MapTest, HitTestTakesTheHighestIndexAndSkipsEmptyShapes) {
  auto* map = Add<TMapSeries>();
  Shape(map, {{1, 1}, {6, 1}, {6, 6}, {1, 6}});
  Shape(map, {{3, 3}, {8, 3}, {8, 8}, {3, 8}});
  map->Shapes()->AddPolygon();  // no vertices
  auto* hidden = Shape(map, {{0, 9}, {2, 9}, {2, 10}, {0, 10}});
  hidden->Points()->SetActive(false);
  Draw();
  EXPECT_EQ(map->PointAtPixel(XPix(4), YPix(4)), 1);
  EXPECT_EQ(map->PointAtPixel(XPix(2), YPix(2)), 0);
  EXPECT_EQ(map->PointAtPixel(XPix(9.5), YPix(9.5)), -1);
  EXPECT_EQ(map->PointAtPixel(XPix(1), YPix(9.5)), 3) << "an inactive outline is not drawn but can be hit";
}

TEST_F(MapTest, ShapesOutsideTheChartAreSkippedWhenClipping) {
  auto* map = Add<TMapSeries>();
  Shape(map, {{20, 20}, {30, 20}, {30, 30}});
  Draw();
  const int32_t x = XPix(25), y = YPix(24);
  EXPECT_EQ(map->PointAtPixel(x, y), -1);
  Chart->SetClipPoints(false);
  EXPECT_EQ(map->PointAtPixel(x, y), 0);
}

TEST_F(MapTest, MarkOfAConcaveShapeMovesIntoIt) {
  auto* map = Add<TMapSeries>();
  // A "U": the centre of its extent lies in the notch.
  Shape(map, {{1, 1}, {9, 1}, {9, 9}, {7, 9}, {7, 3}, {3, 3}, {3, 9}, {1, 9}});
  Shape(map, {{1, 1}, {3, 1}, {3, 3}, {1, 3}});
  Draw();
  const TPoint c = map->MarkCentre(0);
  EXPECT_NE(c, TPoint((XPix(1) + XPix(9)) / 2, (YPix(1) + YPix(9)) / 2));
  EXPECT_TRUE(PlotProcs::PointInPolygon(c, map->Shapes()->PolygonAt(0)->CalcPixelPoints()));
  EXPECT_EQ(map->MarkCentre(1), TPoint((XPix(1) + XPix(3)) / 2, (YPix(1) + YPix(3)) / 2));
}

TEST_F(MapTest, ColoursFollowZUnlessSetAndClearingReturnsToZ) {
  auto* map = Add<TMapSeries>();
  auto* low = Shape(map, {{0, 0}, {1, 0}, {1, 1}}, 0);
  auto* high = Shape(map, {{0, 0}, {1, 0}, {1, 1}}, 10);
  EXPECT_EQ(low->GetColor(), clWhite);
  EXPECT_EQ(high->GetColor(), 0x800000);
  high->SetColor(0x0000FF);
  EXPECT_EQ(high->GetColor(), 0x0000FF);
  high->SetColor(clDefault);
  EXPECT_EQ(high->GetColor(), 0x800000);
}

TEST_F(MapTest, ZIsTheMandatoryValueOfEveryShape) {
  auto* map = Add<TMapSeries>();
  Shape(map, {{0, 0}, {1, 0}, {1, 1}}, 2.5);
  Shape(map, {{0, 0}, {2, 0}, {2, 2}}, 7);
  EXPECT_FALSE(map->GetYMandatory());
  EXPECT_EQ(map->MandatoryList(), map->ZValues());
  EXPECT_EQ(map->NotMandatoryList(), map->XValues());
  EXPECT_EQ(map->MandatoryValue(1), 7.0);
  auto* marks = dynamic_cast<TSeriesMarks*>(map->Marks());
  ASSERT_NE(marks, nullptr);
  marks->SetStyle(smsValue);
  EXPECT_EQ(map->GetMarkText(0), "2.5");
  marks->SetStyle(smsPercent);
  EXPECT_EQ(map->PercentText(1, false), SysUtils::FormatFloat(map->GetPercentFormat(), 7 * 100 / 9.5));
}

TEST_F(MapTest, PointsAndShapesStayPairedThroughDeleteClearAndAssign) {
  auto* map = Add<TMapSeries>();
  EXPECT_EQ(map->LargestX(), 0);
  EXPECT_EQ(map->SmallestY(), 0);
  for (int i = 0; i < 4; ++i) Shape(map, {{double(i), 0}, {i + 1.0, 0}, {i + 1.0, 2}}, i)->SetText("s" + std::to_string(i));
  map->Delete(1);
  ASSERT_EQ(map->Count(), 3);
  ASSERT_EQ(map->Shapes()->Count(), 3);
  EXPECT_EQ(map->Shapes()->PolygonAt(1)->GetText(), "s2");
  EXPECT_EQ(map->Shapes()->PolygonAt(1)->GetZ(), 2);
  EXPECT_EQ(map->LargestX(), 4);

  map->Shapes()->PolygonAt(2)->SetColor(0x00FFFF);
  auto* copy = Add<TMapSeries>();
  copy->Assign(map);
  ASSERT_EQ(copy->Count(), 3);
  ASSERT_EQ(copy->Shapes()->Count(), 3);
  EXPECT_EQ(copy->Shapes()->PolygonAt(2)->GetText(), "s3");
  EXPECT_EQ(copy->Shapes()->PolygonAt(2)->GetColor(), 0x00FFFF);
  EXPECT_EQ(copy->Shapes()->PolygonAt(2)->Points()->Count(), 3);

  map->DeleteRange(0, 2);
  EXPECT_EQ(map->Count(), 1);
  EXPECT_EQ(map->Shapes()->Count(), 1);
  map->Clear();
  EXPECT_EQ(map->Shapes()->Count(), 0);
}

TEST_F(MapTest, StoredShapesKeepParentFlagsAndExplicitColoursWhiteIncluded) {
  auto* map = Add<TMapSeries>();
  map->SetName("Map1");
  map->ManualData = true;
  auto* a = Shape(map, {{0, 0}, {5, 0}, {5, 5}}, 1);
  a->SetParentPen(true);
  a->SetParentBrush(true);
  a->SetColor(clWhite);
  Shape(map, {{1, 1}, {2, 1}, {2, 2}}, 2);
  const std::string text = Streaming::ComponentToText(map);
  auto* back = Create<TMapSeries>(nullptr);
  struct Free {
    TMapSeries* S;
    ~Free() { S->Free(); }
  } guard{back};
  Streaming::TextToComponent(text, back);
  ASSERT_EQ(back->Shapes()->Count(), 2) << text;
  ASSERT_EQ(back->Count(), 2);
  TPlotPolygon* b = back->Shapes()->PolygonAt(0);
  EXPECT_TRUE(b->GetParentPen());
  EXPECT_TRUE(b->GetParentBrush());
  EXPECT_TRUE(b->HasOwnColor());
  EXPECT_EQ(b->GetColor(), clWhite);
  EXPECT_FALSE(back->Shapes()->PolygonAt(1)->HasOwnColor()) << "a colour from Z is not made the shape's own";
  EXPECT_EQ(back->Shapes()->PolygonAt(1)->GetZ(), 2);
  EXPECT_EQ(b->Points()->Count(), 3);
  EXPECT_EQ(b->Points()->GetXValue(1), 5);
}

TEST_F(MapTest, SampleShapesHaveTheirVertexCountsAndLetters) {
  auto* map = Add<TMapSeries>();
  map->FillSampleValues(12);
  const int counts[12] = {14, 9, 16, 8, 11, 12, 12, 10, 15, 12, 10, 7};
  ASSERT_EQ(map->Shapes()->Count(), 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(map->Shapes()->PolygonAt(i)->Points()->Count(), counts[i]) << i;
    EXPECT_EQ(map->Shapes()->PolygonAt(i)->GetText(), std::string(1, char('A' + i)));
  }
}

}  // namespace

}  // namespace MapSeriesTests
