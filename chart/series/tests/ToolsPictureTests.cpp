// One chart with a colour band, grid bands, a colour line, an annotation with
// a callout, draw lines and axis arrows: every tool shows where it belongs.
// With KV_TOOLS_PICTURE set, the picture is also written there as PNG.
#include <cmath>
#include <cstdlib>

#include "chart/series/tests/PlotToolsFixture.h"

namespace ToolsPictureTests {

namespace {

TEST_F(ToolChartTest, EveryDrawingToolShowsInOnePicture) {
  auto* s = Add<TLineSeries>();
  for (int32_t i = 0; i <= 10; ++i) s->AppendPoint(i, 5 + 3 * std::sin(i * 0.7));
  s->SetSeriesColor(clBlack);
  auto* grid = Create<TGridBandTool>(Owner);
  grid->SetAxis(Chart->LeftAxis());
  grid->Band1()->SetColor(TColor(0xF0F0F0));
  grid->Band2()->SetColor(TColor(0xE0FFE0));
  auto* band = Create<TColorBandTool>(Owner);
  band->SetAxis(Chart->BottomAxis());
  band->SetStartValue(6);
  band->SetEndValue(8);
  band->SetColor(TColor(0x80FFFF));
  band->SetTransparency(40);
  auto* line = Create<TColorLineTool>(Owner);
  line->SetAxis(Chart->LeftAxis());
  line->SetValue(2);
  line->Pen()->SetColor(clRed);
  line->Pen()->SetWidth(2);
  auto* draw = AddTool<TDrawLineTool>();
  draw->Pen()->SetColor(clBlue);
  TDrawLine* l = draw->Lines()->AddLine();
  l->SetX0(1), l->SetY0(9), l->SetX1(4), l->SetY1(6);
  TDrawLine* p = draw->Lines()->AddLine();
  p->SetX0(2), p->SetY0(1), p->SetX1(4), p->SetY1(3);
  p->SetStyle(dlVertParallel);
  auto* note = AddTool<TAnnotationTool>();
  note->SetText("Anomaly\rbody 3");
  note->SetPosition(ppRightTop);
  note->Shape()->SetColor(TColor(0xC0FFFF));
  note->Callout()->Arrow()->SetVisible(true);
  note->Callout()->Arrow()->SetColor(clMaroon);
  note->Callout()->SetArrowHead(ahSolid);
  note->Callout()->SetXPosition(XPix(7));
  note->Callout()->SetYPosition(YPix(5 + 3 * std::sin(4.9)));
  auto* arrows = Create<TAxisArrowTool>(Owner);
  arrows->SetAxis(Chart->BottomAxis());
  arrows->Brush()->SetColor(clGreen);
  Draw();
  EXPECT_NE(Px(XPix(7), YPix(9.5)), clWhite) << "the band";
  EXPECT_EQ(Px(XPix(9), YPix(2)), clRed) << "the colour line";
  EXPECT_EQ(Px(XPix(2.5), YPix(7.5)), clBlue) << "the draw line";
  EXPECT_EQ(Px(XPix(2), YPix(2)), clBlue) << "a parallel line";
  const TRect r = note->CalcBounds().ShapeRect;
  EXPECT_EQ(Px(r.Left + 2, r.Bottom - 2), TColor(0xC0FFFF)) << "the annotation";
  const TChartAxis& a = *Chart->BottomAxis();
  EXPECT_EQ(Px(a.EndPixel - 4, a.AxisLinePos), clGreen) << "the end arrow";
  if (const char* path = std::getenv("KV_TOOLS_PICTURE")) {
    TPngImage png;
    png.Assign(Window);
    png.SaveToFile(path);
  }
}

}  // namespace

}  // namespace ToolsPictureTests
