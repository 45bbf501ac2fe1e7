#include <gtest/gtest.h>

#include "chart/engine/PlotProcs.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Metafile.h"

namespace PlotProcsPanelTests {

namespace {

// A panel that records what its drawing hook saw.
class ProbePanel : public TCustomPlotPanelExtended {
public:
  using TCustomPlotPanelExtended::TCustomPlotPanelExtended;
  void DrawContent(const TRect& Rect) override {
    Seen = Rect;
    ++Draws;
    if (Target) {
      TDeviceContext& DC = *Target->GetHandle();
      MapMode = DC.GetMapMode();
      WindowExt = DC.GetWindowExtEx();
      ViewportExt = DC.GetViewportExtEx();
    }
    DrawFrame(Rect);
  }
  TRect Seen;
  int Draws = 0;
  TCanvas* Target = nullptr;
  int MapMode = 0;
  TSize WindowExt, ViewportExt;
};

TEST(PlotPanel, DefaultChartRectangle) {
  ProbePanel P;
  TBitmap B(400, 250);
  P.DrawTo(*B.GetCanvas(), TRect(0, 0, 400, 250));
  EXPECT_EQ(P.Draws, 1);
  EXPECT_EQ(P.ChartRect, TRect(13, 11, 387, 239));
  EXPECT_EQ(P.ChartWidth, 374);
  EXPECT_EQ(P.ChartXCenter, 200);
}

TEST(PlotPanel, ChartRectangleTable) {
  const struct {
    const char* Name;
    TPlotUnits Units;
    TRect View;
    TRect Expected;
  } Cases[] = {
      {"pixels", muPixels, {0, 0, 400, 250}, {4, 5, 396, 245}},
      {"percent", muPercent, {0, 0, 400, 250}, {13, 11, 387, 239}},
      {"collapsed width", muPixels, {0, 0, 8, 250}, {4, 5, 404, 245}},     // widened to the panel width
      {"inverted height", muPixels, {0, 0, 400, 8}, {4, 5, 396, 6}},      // one pixel high
  };
  for (const auto& C : Cases) {
    ProbePanel P;
    P.SetMarginUnits(C.Units);
    P.ViewRect = C.View;
    P.ApplyMargins();
    P.RecalcChartRect();
    EXPECT_EQ(P.ChartRect, C.Expected) << C.Name;
  }
}

TEST(PlotPanel, ProportionalPrintMarginsAndPageRect) {
  ProbePanel Wide;
  const TPrintPageMetrics Page{4800, 6600, 600, 600};
  TRect M;
  Wide.ProportionalPrintMarginsFor(&Page, M);
  EXPECT_EQ(M, TRect(15, 34, 15, 34));
  Wide.SetPrintMargins(M);
  TRect R;
  Wide.PrintPageRectFor(Page, R);
  EXPECT_EQ(R, TRect(720, 2244, 4080, 4356));
  ProbePanel Tall;
  Tall.SetBounds(250, 400);
  Tall.ProportionalPrintMarginsFor(&Page, M);
  // 100 * (4800 - 4620 * 0.625) / 4800 = 39.84 -> 40, halved.
  EXPECT_EQ(M, TRect(20, 15, 20, 15));
}

TEST(PlotPanel, PrintToCanvasUsesAnisotropicMappingAndRestoresIt) {
  const struct {
    int32_t Resolution;
    TSize Window;
  } Cases[] = {{0, {400, 250}}, {50, {200, 125}}, {-50, {600, 375}}};
  for (const auto& C : Cases) {
    ProbePanel P;
    TBitmap Page(1000, 800);
    P.Target = Page.GetCanvas();
    P.PrintResolution = C.Resolution;
    bool SawPrinting = false;
    P.OnBeforePrint = [&](TCustomPlotPanel* S, TCanvas&, TRect&) { SawPrinting = S->Printing; };
    P.PrintToCanvas(*Page.GetCanvas(), TRect(800, 500, 0, 0));  // corners in any order
    EXPECT_TRUE(SawPrinting);
    EXPECT_FALSE(P.Printing);
    EXPECT_EQ(P.MapMode, MM_ANISOTROPIC);
    EXPECT_EQ(P.WindowExt.cx, C.Window.cx);
    EXPECT_EQ(P.WindowExt.cy, C.Window.cy);
    EXPECT_EQ(P.ViewportExt.cx, 800);
    EXPECT_EQ(P.ViewportExt.cy, 500);
    EXPECT_EQ(Page.GetCanvas()->GetHandle()->GetMapMode(), MM_TEXT);
  }
}

TEST(PlotPanel, PrintedChartHasNoPlainBackground) {
  ProbePanel P;
  P.SetColor(clRed);
  P.SetBevelOuter(bvNone);
  TBitmap Page(400, 250);
  P.PrintToCanvas(*Page.GetCanvas(), TRect(0, 0, 400, 250));
  EXPECT_EQ(Page.GetPixelColor(200, 100), clWhite);
  TBitmap Screen(400, 250);
  P.DrawTo(*Screen.GetCanvas(), TRect(0, 0, 400, 250));
  EXPECT_EQ(Screen.GetPixelColor(200, 100), clRed);
}

TEST(PlotPanel, ZoomBandDrawnTwiceRestoresThePicture) {
  ProbePanel P;
  TBitmap Window(120, 80);
  for (int Y = 0; Y < 80; ++Y)
    for (int X = 0; X < 120; ++X) Window.GetCanvas()->SetPixel(X, Y, static_cast<TColor>((X * 2) | (Y * 3) << 8 | 0x400000));
  TBitmap Before(120, 80);
  Before.Assign(Window);
  P.WindowCanvas = Window.GetCanvas();
  P.Zoom().Activate(10, 10);
  P.Zoom().X1 = 90;
  P.Zoom().Y1 = 60;
  P.DrawZoomRectangle();
  EXPECT_NE(Window.GetPixelColor(10, 30), Before.GetPixelColor(10, 30));
  P.DrawZoomRectangle();
  for (int Y = 0; Y < 80; ++Y)
    for (int X = 0; X < 120; ++X) ASSERT_EQ(Window.GetPixelColor(X, Y), Before.GetPixelColor(X, Y)) << X << "," << Y;
}

TEST(PlotPanel, ZoomDragOutcomeTable) {
  using R = TZoomDragResult;
  const struct {
    TPlotZoomDirection Direction;
    bool UpLeft;
    int32_t X0, Y0, X1, Y1;
    R Expected;
  } Cases[] = {
      {tzdBoth, false, 0, 0, 16, 40, R::zdrNothing},  // exactly MinimumPixels
      {tzdBoth, false, 0, 0, 17, 40, R::zdrZoom},
      {tzdBoth, false, 17, 0, 0, 40, R::zdrUndo},
      {tzdBoth, true, 17, 0, 0, 40, R::zdrZoom},
      {tzdBoth, false, 0, 0, 40, 5, R::zdrNothing},
      {tzdHorizontal, false, 0, 0, 20, 0, R::zdrZoom},  // height 0 does not matter
      {tzdVertical, false, 0, 0, 0, 20, R::zdrZoom},
      {tzdVertical, false, 0, 20, 0, 0, R::zdrUndo},
  };
  for (const auto& C : Cases) {
    TPlotZoom Z;
    Z.Direction = C.Direction;
    Z.UpLeftZooms = C.UpLeft;
    Z.X0 = C.X0;
    Z.Y0 = C.Y0;
    Z.X1 = C.X1;
    Z.Y1 = C.Y1;
    EXPECT_EQ(Z.DragResult(), C.Expected) << C.X0 << "," << C.Y0 << " " << C.X1 << "," << C.Y1;
  }
  TPlotZoom Z;
  Z.KeyShift = TShiftState{TShiftStateItem::ssShift};
  EXPECT_FALSE(Z.StartsDrag(TMouseButton::mbLeft, {}));
  EXPECT_TRUE(Z.StartsDrag(TMouseButton::mbLeft, TShiftState{TShiftStateItem::ssShift, TShiftStateItem::ssCtrl}));
  EXPECT_FALSE(Z.StartsDrag(TMouseButton::mbRight, TShiftState{TShiftStateItem::ssShift}));
}

TEST(PlotPanel, ZoomAssignKeepsMinimumPixelsAndUpLeftZooms) {
  TPlotZoom A, B;
  A.MinimumPixels = 3;
  A.UpLeftZooms = true;
  A.AnimatedSteps = 20;
  A.GetPen()->SetColor(clRed);
  B.Assign(&A);
  EXPECT_EQ(B.MinimumPixels, 16);
  EXPECT_FALSE(B.UpLeftZooms);
  EXPECT_EQ(B.AnimatedSteps, 20);
  ASSERT_NE(B.PeekPen(), nullptr);
  EXPECT_EQ(B.PeekPen()->GetColor(), clRed);
  EXPECT_EQ(B.PeekBrush(), nullptr);
}

struct Listener : ChartEventListener {
  explicit Listener(bool Cancel, TCustomPlotPanel& P) : Cancel(Cancel), Panel(P) {}
  void PlotEvent(TPlotEvent& E) override {
    ++Count;
    if (Cancel && dynamic_cast<TPlotMouseEvent*>(&E)) Panel.MouseCancelled = true;
  }
  bool Cancel;
  TCustomPlotPanel& Panel;
  int Count = 0;
};

TEST(PlotPanel, ListenersAndCancelledMouseEvents) {
  ProbePanel P;
  Listener First(true, P), Second(false, P);
  P.AddListener(&First);
  P.AddListener(&First);
  P.AddListener(&Second);
  EXPECT_EQ(P.Listeners().size(), 2u);
  P.MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_EQ(First.Count, 1);
  EXPECT_EQ(Second.Count, 0);
  P.SetView3D(true);  // unchanged: no event
  EXPECT_EQ(Second.Count, 0);
  P.SetView3D(false);
  EXPECT_EQ(First.Count, 2);
  EXPECT_EQ(Second.Count, 1);
  P.RemoveListener(&First);
  P.MouseMove({}, 1, 1);
  EXPECT_EQ(Second.Count, 2);
}

TEST(PlotPanel, BackgroundObjectsExistOnlyOnceUsed) {
  ProbePanel P;
  EXPECT_FALSE(P.GetBackImageInside());
  EXPECT_EQ(P.PeekBackImage(), nullptr);
  EXPECT_EQ(P.PeekGradient(), nullptr);
  P.GetGradient()->SetVisible(true);
  P.SetGradient(nullptr);
  EXPECT_EQ(P.PeekGradient(), nullptr);
}

TEST(PlotPanel, BackImageTilesFromTheTopLeft) {
  ProbePanel P;
  TBitmap Tile(30, 20);
  Tile.GetCanvas()->Brush->SetColor(clBlue);
  Tile.GetCanvas()->FillRect(TRect(0, 0, 30, 20));
  Tile.GetCanvas()->SetPixel(0, 0, clRed);
  P.GetBackImage()->SetGraphic(&Tile);
  P.GetBackImage()->SetMode(pbmTile);
  TBitmap B(100, 50);
  P.Canvas()->BeginView(B.GetCanvas(), nullptr, clWhite, false, TRect(0, 0, 100, 50));
  P.DrawBackImage(TRect(0, 0, 100, 50), 0);
  P.Canvas()->ShowBuffer(*B.GetCanvas(), nullptr, TRect(0, 0, 100, 50));
  int Corners = 0;
  for (int Y = 0; Y < 50; ++Y)
    for (int X = 0; X < 100; ++X) Corners += B.GetPixelColor(X, Y) == clRed;
  EXPECT_EQ(Corners, 12);  // 4 x 3 tiles, the last row and column clipped
  EXPECT_EQ(B.GetPixelColor(99, 49), clBlue);
}

TEST(PlotPanel, MetafileOfAnEmptyRectangleIsOnePixel) {
  ProbePanel P;
  auto M = P.MakeMetafile(true, TRect(0, 0, 0, 0));
  EXPECT_EQ(M->GetWidth(), 1);
  EXPECT_EQ(M->GetHeight(), 1);
  auto Whole = P.MakeMetafile(true, P.PanelRect());
  EXPECT_FALSE(Whole->GetEmpty());
  EXPECT_EQ(Emf::SplitRecords(Whole->SaveToBytes()).front().Type, Emf::EMR_HEADER);
}

}  // namespace

namespace {

TEST(PlotPanel, ResizeEventFiresOncePerActualSizeChange) {
  ProbePanel P;
  std::vector<TSize> Seen;
  P.OnResize = [&](TObject* Sender) {
    auto* Panel = static_cast<TCustomPlotPanel*>(Sender);
    Seen.push_back(TSize{Panel->GetWidth(), Panel->GetHeight()});
  };
  P.SetBounds(400, 250);  // the default size: no change
  P.SetBounds(500, 300);
  P.SetBounds(500, 300);
  P.SetWidth(500);
  P.SetWidth(640);
  P.SetHeight(300);
  P.SetHeight(480);
  ASSERT_EQ(Seen.size(), 3u);
  EXPECT_EQ(Seen[0].cx, 500);
  EXPECT_EQ(Seen[0].cy, 300);
  EXPECT_EQ(Seen[1].cx, 640);
  EXPECT_EQ(Seen[1].cy, 300);
  EXPECT_EQ(Seen[2].cx, 640);
  EXPECT_EQ(Seen[2].cy, 480);
}

}  // namespace

}  // namespace PlotProcsPanelTests
