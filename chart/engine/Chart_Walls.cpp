// Walls and titles: the planes that frame the plotting area and the text
// blocks above and below it, with the chart's walls step and the walls that
// stand in front of the series on a rotated chart.
#include <algorithm>
#include <cstdlib>

#include "chart/engine/Chart.h"

// ============================================================================
// Positioned shape
// ============================================================================

KV_CLASS_IMPL(TPlotCustomShapePosition, TPlotCustomShape) {
  c.Property("CustomPosition", &TPlotCustomShapePosition::GetCustomPosition,
             &TPlotCustomShapePosition::SetCustomPosition)
      .Stored(&TPlotCustomShapePosition::IsCustomPositionStored);
  c.Property("Left", &TPlotCustomShapePosition::GetLeft, &TPlotCustomShapePosition::SetLeft)
      .Stored(&TPlotCustomShapePosition::GetCustomPosition);
  c.Property("Top", &TPlotCustomShapePosition::GetTop, &TPlotCustomShapePosition::SetTop)
      .Stored(&TPlotCustomShapePosition::GetCustomPosition);
}

TPlotCustomShapePosition::TPlotCustomShapePosition(TCustomPlotPanel* Owner) : TPlotCustomShape(Owner) {}

void TPlotCustomShapePosition::Assign(const TPersistent* Source) {
  if (auto* s = dynamic_cast<const TPlotCustomShapePosition*>(Source)) {
    FCustomPosition = s->FCustomPosition;
    if (FCustomPosition) {
      SetLeft(s->GetLeft());
      SetTop(s->GetTop());
    }
  }
  TPlotCustomShape::Assign(Source);
}

void TPlotCustomShapePosition::SetLeft(int32_t Value) {
  FCustomPosition = true;
  // A stored position beyond the platform's coordinates is pulled back into them.
  Value = PlotCanvas::RoundToPixel(Value);
  const int32_t w = PlacedRect.Right - PlacedRect.Left;
  if (PlacedRect.Left == Value) return;
  PlacedRect.Left = Value;
  PlacedRect.Right = Value + w;
  Repaint();
}

void TPlotCustomShapePosition::SetTop(int32_t Value) {
  FCustomPosition = true;
  Value = PlotCanvas::RoundToPixel(Value);
  const int32_t h = PlacedRect.Bottom - PlacedRect.Top;
  if (PlacedRect.Top == Value) return;
  PlacedRect.Top = Value;
  PlacedRect.Bottom = Value + h;
  Repaint();
}

// ============================================================================
// Walls
// ============================================================================

KV_CLASS_IMPL(TCustomChartWall, TPlotCustomShape) {
  c.Property("AutoHide", &TCustomChartWall::GetAutoHide, &TCustomChartWall::SetAutoHide).Default(false);
  c.Property("Color", &TCustomChartWall::GetColor, &TCustomChartWall::SetColor)
      .Kind(TPropKind::pkColor)
      .Stored(&TCustomChartWall::IsColorStored);
  c.Property("Dark3D", &TCustomChartWall::GetDark3D, &TCustomChartWall::SetDark3D).Default(true);
  c.Property("Size", &TCustomChartWall::GetSize, &TCustomChartWall::SetSize).Default(0);
  c.Property("Transparent", &TCustomChartWall::GetTransparent, &TCustomChartWall::SetTransparent)
      .Stored(&TCustomChartWall::IsTransparentStored);
  c.Property("Transparency", &TCustomChartWall::GetTransparency, &TCustomChartWall::SetTransparency).Default(0);
  c.Property("Visible", &TCustomChartWall::GetVisible, &TCustomChartWall::SetVisible).Default(true);
  c.Property("Brush", &TCustomChartWall::Brush);
  c.Property("Pen", &TCustomChartWall::Pen);
  c.Property("Gradient", &TCustomChartWall::PeekGradient);
}
KV_CLASS_IMPL(TChartWall, TCustomChartWall) {}
KV_CLASS_IMPL(TChartBackWall, TChartWall) {}
KV_CLASS_IMPL(TChartRightWall, TChartWall) {}

TCustomChartWall::TCustomChartWall(TCustomPlotPanel* Chart) : TPlotCustomShape(Chart) {
  SetColorAndDefault(clDefault);
}

void TCustomChartWall::Assign(const TPersistent* Source) {
  if (auto* w = dynamic_cast<const TCustomChartWall*>(Source)) {
    FAutoHide = w->FAutoHide;
    FDark3D = w->FDark3D;
    FSize = w->FSize;
  }
  TPlotCustomShape::Assign(Source);
}

void TCustomChartWall::SetColorAndDefault(TColor Color) {
  SetColor(Color);
  DefaultWallColor = Color;
}

bool TCustomChartWall::UseDarkSides() const {
  const TChartBrush* b = Brush();
  if (b->GetStyle() == TBrushStyle::bsClear || b->PeekImage() != nullptr || !FDark3D) return false;
  return true;
}

bool TCustomChartWall::HasGradient() const { return PeekGradient() && PeekGradient()->GetVisible(); }

bool TCustomChartWall::ShouldDraw() const {
  auto* chart = dynamic_cast<TCustomAxisPanel*>(Parent());
  return chart && chart->GetView3DWalls() && GetVisible() && !FAutoHide;
}

TChartBackWall::TChartBackWall(TCustomPlotPanel* Chart) : TChartWall(Chart) {
  SetColorAndDefault(TColor(0xC0C0C0));
  DefaultTransparent = true;
  SetTransparent(true);
}

KV_CLASS_IMPL(TChartWalls, TPersistent) {
  c.Property("Back", &TChartWalls::Back);
  c.Property("Bottom", &TChartWalls::Bottom);
  c.Property("Left", &TChartWalls::Left);
  c.Property("Right", &TChartWalls::Right);
}

TChartWalls::TChartWalls(TCustomAxisPanel* Chart) : FChart(Chart) {
  FBack = std::make_unique<TChartBackWall>(Chart);
  FLeft = std::make_unique<TChartWall>(Chart);
  FLeft->SetColorAndDefault(TColor(0x80FFFF));
  FBottom = std::make_unique<TChartWall>(Chart);
  FBottom->SetColorAndDefault(TColor(0xFFFFFF));
  FRight = std::make_unique<TChartRightWall>(Chart);
  FRight->SetColorAndDefault(TColor(0xC0C0C0));
  FRight->SetVisible(false);
}

TChartWalls::~TChartWalls() = default;

void TChartWalls::Assign(const TPersistent* Source) {
  if (auto* w = dynamic_cast<const TChartWalls*>(Source)) {
    FBack->Assign(w->FBack.get());
    FLeft->Assign(w->FLeft.get());
    FBottom->Assign(w->FBottom.get());
    FRight->Assign(w->FRight.get());
    return;
  }
  TPersistent::Assign(Source);
}

void TChartWalls::Show3DWalls(bool Value) {
  if (FChart) FChart->SetView3DWalls(Value);
}

void TChartWalls::SetAllSizes(int32_t Value) {
  FLeft->SetSize(Value);
  FRight->SetSize(Value);
  FBack->SetSize(Value);
  FBottom->SetSize(Value);
}

// ============================================================================
// Titles
// ============================================================================

KV_CLASS_IMPL(TChartTitle, TPlotCustomShapePosition) {
  c.Property("AdjustFrame", &TChartTitle::GetAdjustFrame, &TChartTitle::SetAdjustFrame).Default(true);
  c.Property("Alignment", &TChartTitle::GetAlignment, &TChartTitle::SetAlignment)
      .Names({"taLeftJustify", "taRightJustify", "taCenter"})
      .Default(2);
  c.Property("Text", &TChartTitle::Text);
  c.Property("Transparent", &TChartTitle::GetTransparent, &TChartTitle::SetTransparent)
      .Stored(&TChartTitle::IsTransparentStored);
  c.Property("Visible", &TChartTitle::GetVisible, &TChartTitle::SetVisible).Default(true);
  c.Property("Font", &TChartTitle::Font);
  c.Property("Brush", &TChartTitle::Brush);
  c.Property("Frame", &TChartTitle::Pen);
  c.Property("Color", &TChartTitle::GetColor, &TChartTitle::SetColor).Kind(TPropKind::pkColor).Default(clWhite);
}
KV_CLASS_IMPL(TChartFootTitle, TChartTitle) {}

TChartTitle::TChartTitle(TCustomPlotPanel* Chart) : TPlotCustomShapePosition(Chart) {
  FText = std::make_unique<TStringList>();
  FText->OnChange = [this](TObject*) { Repaint(); };
  DefaultTransparent = true;
  SetTransparent(true);
  Font()->SetColor(TColor(0xFF0000));
  Font()->UnstoredColor = TColor(0xFF0000);
}

TChartTitle::~TChartTitle() { FText->OnChange = nullptr; }

void TChartTitle::Assign(const TPersistent* Source) {
  if (auto* t = dynamic_cast<const TChartTitle*>(Source)) {
    FAdjustFrame = t->FAdjustFrame;
    FAlignment = t->FAlignment;
    FText->Assign(t->FText.get());
  }
  TPlotCustomShapePosition::Assign(Source);
}

void TChartTitle::SetText(const TStrings* Value) { FText->Assign(Value); }

void TChartTitle::SetTextLine(const std::string& Text) {
  FText->BeginUpdate();
  FText->Clear();
  if (!Text.empty()) FText->Add(Text);
  FText->EndUpdate();
}

void TChartTitle::ClearLines() { FText->Clear(); }

bool TChartTitle::Clicked(int32_t X, int32_t Y) const {
  return GetVisible() && X >= PlacedRect.Left && X <= PlacedRect.Right && Y >= PlacedRect.Top &&
         Y <= PlacedRect.Bottom;
}

TChartFootTitle::TChartFootTitle(TCustomPlotPanel* Chart) : TChartTitle(Chart) {
  AtTop = false;
  Font()->SetColor(TColor(0x0000FF));
  Font()->UnstoredColor = TColor(0x0000FF);
  Font()->SetStyle(TFontStyles{fsItalic});
  Font()->UnstoredStyle = TFontStyles{fsItalic};
}

void TChartTitle::PaintTitle() {
  auto* chart = dynamic_cast<TCustomPlotPanel*>(Parent());
  if (!chart || !GetVisible() || FText->Count() == 0) return;
  TCanvas3D& c = *chart->Canvas();
  int32_t F = Pen()->GetVisible() && Pen()->GetColor() != clDefault ? Pen()->GetWidth() : 0;
  if (GetBevel() != bvNone) F = GetBevelWidth();
  const bool custom = GetCustomPosition();
  TRect& r = PlacedRect;
  if (!custom) {
    r = chart->ChartRect;
    if (AtTop) r.Top += F;
  }
  c.UseFont(*Font());
  c.SetTextAlign(TA_LEFT);
  const int32_t H = c.FontHeight();
  const int32_t N = FText->Count();
  if (AtTop || custom)
    r.Bottom = r.Top + N * H;
  else
    r.Top = r.Bottom - N * H;
  if (!custom) r = TRect(r.Left - F, r.Top - F, r.Right + F, r.Bottom + F);
  const int32_t Wm = c.TextWidth("W");
  if (FAdjustFrame) {
    int32_t widest = 0;
    for (int32_t i = 0; i < N; ++i) widest = std::max(widest, c.TextWidth(FText->Get(i)));
    const int32_t W = Wm + F + widest;
    switch (FAlignment) {
      case TAlignment::taLeftJustify: r.Right = r.Left + W; break;
      case TAlignment::taRightJustify: r.Left = r.Right - W; break;
      case TAlignment::taCenter: {
        if (custom) r.Right = r.Left + W;
        const int32_t centre = (r.Left + r.Right) / 2;
        r.Left = centre - W / 2;
        r.Right = centre + W / 2;
        break;
      }
    }
  }
  DrawShape();
  c.UseFont(*Font());
  c.SetBackMode(TRANSPARENT);
  const bool html = GetTextFormat() == ttfHtml;
  const auto lineY = [&](int32_t i) { return AtTop ? r.Top + i * H + F : r.Bottom - H - (i * H + F); };
  if (html) {
    std::string all;
    for (int32_t i = 0; i < N; ++i) all += (i ? "\r\n" : "") + FText->Get(i);
    c.TextOutFormat(r.Left + Wm / 2, lineY(0), all, true);
  } else {
    for (int32_t i = 0; i < N; ++i) {
      const std::string& line = FText->Get(i);
      const int32_t w = c.TextWidth(line);
      int32_t x = r.Left + Wm / 2;
      if (FAlignment == TAlignment::taRightJustify) x = r.Right - w - Wm / 2;
      else if (FAlignment == TAlignment::taCenter) x = (r.Left + r.Right) / 2 - w / 2;
      c.TextOutFormat(x, lineY(i), line, false);
    }
  }
  if (!custom) {
    int32_t gap = 5 + F;
    if (!GetTransparent() && Shadow()) gap += Shadow()->GetVertSize();
    if (AtTop)
      chart->ChartRect.Top = r.Bottom + gap;
    else
      chart->ChartRect.Bottom = r.Bottom - gap - N * H;
    chart->RecalcChartRect();
  }
}

// ============================================================================
// The chart's walls step
// ============================================================================

int32_t TCustomChart::WallSize(const TChartAxis& Axis) {
  if (!GetView3D() || !GetView3DWalls()) return 0;
  const TCustomChartWall* w = &Axis == LeftAxis()     ? static_cast<TCustomChartWall*>(LeftWall())
                              : &Axis == BottomAxis() ? static_cast<TCustomChartWall*>(BottomWall())
                              : &Axis == RightAxis()  ? static_cast<TCustomChartWall*>(RightWall())
                                                      : static_cast<TCustomChartWall*>(BackWall());
  return w->GetVisible() ? w->GetSize() : 0;
}

bool TCustomChart::SideWallCulled(int32_t X) {
  TPlotCanvas3D& c = *Canvas();
  if (c.IsTrue3D()) return true;
  const int32_t y = ChartRect.Bottom + WallSize(*BottomAxis());
  const TPoint p0 = c.Project(X, ChartRect.Top, 0);
  const TPoint p1 = c.Project(X, y, 0);
  const TPoint p2 = c.Project(X, y, BackWall()->GetSize() + Width3D);
  const int64_t cross = static_cast<int64_t>(p0.X - p1.X) * (p2.Y - p1.Y) -
                        static_cast<int64_t>(p0.Y - p1.Y) * (p2.X - p1.X);
  return cross < 0;
}

bool TCustomChart::RightWallVisible() { return !SideWallCulled(ChartRect.Right); }
bool TCustomChart::LeftWallVisible() { return SideWallCulled(ChartRect.Left); }

void TCustomChart::PrepareWall(TCustomChartWall& Wall) {
  TPlotCanvas3D& c = *Canvas();
  c.UsePen(*Wall.Pen());
  if (Wall.GetTransparent())
    c.Brush->SetStyle(TBrushStyle::bsClear);
  else
    SetBrushCanvas(Wall.GetColor(), Wall.Brush(), GetBackColor());
}

TPlotBlend* TCustomChart::SideFill(TCustomChartWall& Wall, int32_t X, int32_t Y) {
  if (Wall.GetTransparent()) return nullptr;
  TPlotCanvas3D& c = *Canvas();
  const TFourPoints p{c.Project(X, ChartRect.Top, 0), c.Project(X, ChartRect.Top, Width3D),
                      c.Project(X, Y, Width3D), c.Project(X, Y, 0)};
  TPlotBlend* blend = nullptr;
  if (Wall.GetTransparency() > 0) blend = c.BeginBlend(PolygonRect(p, 4), Wall.GetTransparency());
  if (Wall.HasGradient()) {
    Wall.GetGradient()->FillQuad(c, p);
    c.Brush->SetStyle(TBrushStyle::bsClear);
  }
  return blend;
}

void TCustomChart::DrawRightWall() {
  TChartRightWall& w = *RightWall();
  if (!GetView3D() || !GetView3DWalls() || !UsesAxes() || !w.GetVisible()) return;
  TPlotCanvas3D& c = *Canvas();
  PrepareWall(w);
  const int32_t a = WallSize(*BottomAxis());
  TPlotBlend* blend = SideFill(w, ChartRect.Right, ChartRect.Bottom + a);
  if (w.GetSize() < 1) {
    c.SidePlane(ChartRect.Right, ChartRect.Top, ChartRect.Bottom + a, 0, Width3D + 1);
  } else {
    const int32_t back = BackWall()->GetVisible() ? BackWall()->GetSize() : 0;
    c.Box(ChartRect.Right, ChartRect.Right + w.GetSize(), ChartRect.Top, ChartRect.Bottom + a, 0, Width3D + back,
          w.UseDarkSides());
  }
  if (blend) c.EndBlend(blend);
}

void TCustomChart::DrawLeftWall() {
  TChartWall& w = *LeftWall();
  TPlotCanvas3D& c = *Canvas();
  PrepareWall(w);
  const int32_t a = WallSize(*BottomAxis());
  TPlotBlend* blend = SideFill(w, ChartRect.Left, ChartRect.Bottom + a);
  if (w.GetSize() < 1)
    c.SidePlane(ChartRect.Left, ChartRect.Top, ChartRect.Bottom + a, 0, Width3D);
  else
    c.Box(ChartRect.Left - w.GetSize(), ChartRect.Left, ChartRect.Top, ChartRect.Bottom + a, 0, Width3D,
          w.UseDarkSides());
  if (blend) c.EndBlend(blend);
}

void TCustomChart::DrawBottomWall() {
  TChartWall& w = *BottomWall();
  TPlotCanvas3D& c = *Canvas();
  PrepareWall(w);
  const int32_t B = ChartRect.Bottom + (c.IsTrue3D() ? 1 : 0);
  int32_t L = ChartRect.Left;
  if (LeftWall()->GetVisible() && LeftWall()->GetAutoHide() && LeftWallVisible()) L -= WallSize(*LeftAxis());
  TPlotBlend* blend = nullptr;
  if (!w.GetTransparent()) {
    const TFourPoints p{c.Project(L, B, 0), c.Project(L, B, Width3D), c.Project(ChartRect.Right, B, Width3D),
                        c.Project(ChartRect.Right, B, 0)};
    if (w.GetTransparency() > 0) blend = c.BeginBlend(PolygonRect(p, 4), w.GetTransparency());
    if (w.HasGradient()) {
      w.GetGradient()->FillQuad(c, p);
      c.Brush->SetStyle(TBrushStyle::bsClear);
    }
  }
  if (w.GetSize() < 1)
    c.HorizPlane(L, B, ChartRect.Right, 0, Width3D);
  else
    c.Box(L, ChartRect.Right, B, B + w.GetSize(), 0, Width3D, w.UseDarkSides());
  if (blend) c.EndBlend(blend);
}

void TCustomChart::DrawBackWall() {
  TChartBackWall& w = *BackWall();
  TPlotCanvas3D& c = *Canvas();
  PrepareWall(w);
  TPlotBlend* blend = nullptr;
  if (!GetView3D()) {
    const TRect R(ChartRect.Left, ChartRect.Top, ChartRect.Right + 1, ChartRect.Bottom + 1);
    if (w.GetTransparency() > 0) blend = c.BeginBlend(c.RectTo2D(R, Width3D), w.GetTransparency());
    if (w.HasGradient() && !w.GetTransparent()) {
      w.GetGradient()->FillRect(c, R);
      c.Brush->SetStyle(TBrushStyle::bsClear);
    }
    c.RectangleRect(R);
  } else if (GetView3DWalls()) {
    int32_t S = w.GetSize();
    if (Width3D < 0) S = -S;
    const TRect R = w.GetSize() < 1 ? ChartRect
                                    : TRect(ChartRect.Left - WallSize(*LeftAxis()), ChartRect.Top, ChartRect.Right,
                                            ChartRect.Bottom + WallSize(*BottomAxis()));
    if (w.GetTransparency() > 0) blend = c.BeginBlend(c.RectTo2D(R, Width3D), w.GetTransparency());
    if (!w.GetTransparent() && w.HasGradient()) {
      const bool full = c.IsTrue3D();
      if (View3DOptions()->GetOrthogonal())
        w.GetGradient()->FillRect(c, c.RectTo2D(R, Width3D));
      else if (!full)
        w.GetGradient()->FillQuad(c, c.RectCorners(R, Width3D));
      else
        w.GetGradient()->FillQuad3D(c, c.RectCorners(R, Width3D), Width3D);
      if (!full) c.Brush->SetStyle(TBrushStyle::bsClear);
    }
    if (w.GetSize() < 1)
      c.RectAtDepth(R, Width3D);
    else
      c.BoxRect(R, Width3D, Width3D + S, w.UseDarkSides());
  }
  if (HasBackImage() && GetBackImageInside()) {
    TRect r = ChartRect;
    if (w.Pen()->GetVisible()) {
      ++r.Left;
      ++r.Top;
    }
    DrawBackImage(r, Width3D);
  }
  if (blend) c.EndBlend(blend);
}

void TCustomChart::DrawWalls() {
  if (!UsesAxes()) return;
  const bool walls3D = GetView3D() && GetView3DWalls();
  if (walls3D && RightWall()->GetVisible() && !RightWallVisible()) DrawRightWall();
  if (GetView3DWalls() && BackWall()->GetVisible() && !IsPlaneMirrored(Width3D)) DrawBackWall();
  if (!walls3D) return;
  if (LeftWall()->GetVisible() && !LeftWallVisible()) DrawLeftWall();
  if (BottomWall()->GetVisible()) DrawBottomWall();
  // The draw cycle draws TopAxis and BottomAxis itself when the front plane is seen from behind.
}

namespace {

// Sets one of the axis drawing's global switches for the duration of a call.
class [[nodiscard]] AxisGridSwitch {
public:
  explicit AxisGridSwitch(bool& Flag) : FFlag(Flag), FOld(Flag) { Flag = true; }
  ~AxisGridSwitch() { FFlag = FOld; }
  AxisGridSwitch(const AxisGridSwitch&) = delete;
  AxisGridSwitch& operator=(const AxisGridSwitch&) = delete;

private:
  bool& FFlag;
  bool FOld;
};

}  // namespace

void TCustomChart::DrawFrontWallsAndAxes() {
  if (RightWallVisible()) {
    if (RightWall()->ShouldDraw()) DrawRightWall();
    if (IsAxisDrawn(*RightAxis())) {
      const AxisGridSwitch side(PlotEngine::SkipBackWallGrid);
      RightAxis()->Draw(false);
    }
  }
  if (LeftWallVisible()) {
    if (LeftWall()->ShouldDraw()) DrawLeftWall();
    if (IsAxisDrawn(*LeftAxis())) {
      const AxisGridSwitch side(PlotEngine::SkipBackWallGrid);
      LeftAxis()->Draw(false);
    }
  }
  if (IsPlaneMirrored(Width3D)) {
    {
      const AxisGridSwitch gridOnly(PlotEngine::SkipDepthGrid);
      if (IsAxisDrawn(*TopAxis())) TopAxis()->DrawGridOnly();
      if (IsAxisDrawn(*BottomAxis())) BottomAxis()->DrawGridOnly();
    }
    if (BackWall()->ShouldDraw()) DrawBackWall();
  }
}

TRect TCustomChart::WallsRect() {
  CalcSize3D();
  if (GetView3D() && View3DOptions()->GetOrthogonal()) {
    const int32_t s = UsesAxes() ? BackWall()->GetSize() : 0;
    if (View3DOptions()->GetOrthoAngle() <= 90) {
      ChartRect.Right -= std::abs(Width3D) + s;
      if (RightWall()->GetVisible()) ChartRect.Right -= RightWall()->GetSize() + 1;
    } else {
      ChartRect.Left += std::abs(Width3D) + s;
      if (LeftWall()->GetVisible()) ChartRect.Left += LeftWall()->GetSize() + 1;
    }
    ChartRect.Top += std::abs(Height3D) + s;
  }
  RecalcChartRect();
  return ChartRect;
}
