// The concrete line-family series: line, point and area series and their
// horizontal forms, their published settings, gallery variants and looks.
#include <algorithm>

#include "chart/series/Series.h"

namespace {

constexpr std::initializer_list<const char*> kStackNames{"cssNone", "cssOverlap", "cssStack", "cssStack100"};

void MarksVisible(TChartSeries& Series) {
  // The marks class publishes Visible; the base keeps positions only.
  if (auto* marks = dynamic_cast<TPersistent*>(Series.Marks())) {
    if (const TPropInfo* p = marks->ClassType()->FindProperty("Visible"); p && p->Set) p->Set(marks, TPropValue(true));
  }
}

}  // namespace

// ============================================================================
// TLineSeries
// ============================================================================

KV_CLASS_IMPL(TLineSeries, TCustomSeries) {
  c.Property("Brush", &TLineSeries::Brush);
  c.Property("ClickableLine", &TLineSeries::GetClickableLine, &TLineSeries::SetClickableLine).Default(true);
  c.Property("ColorEachLine", &TLineSeries::GetColorEachLine, &TLineSeries::SetColorEachLine).Default(true);
  c.Property("Dark3D", &TLineSeries::GetDark3D, &TLineSeries::SetDark3D).Default(true);
  c.Property("InvertedStairs", &TLineSeries::GetInvertedStairs, &TLineSeries::SetInvertedStairs).Default(false);
  c.Property("LineBrush", &TLineSeries::GetLineBrush, &TLineSeries::SetLineBrush).Default(bsSolid);
  c.Property("LineHeight", &TLineSeries::GetLineHeight, &TLineSeries::SetLineHeight).Default(0);
  c.Property("LinePen", &TLineSeries::LinePen);
  c.Property("OutLine", &TLineSeries::OutLine);
  c.Property("Pointer", &TLineSeries::Pointer);
  c.Property("Shadow", &TLineSeries::Shadow);
  c.Property("Stacked", &TLineSeries::GetStacked, &TLineSeries::SetStacked).Names(kStackNames).Default(cssNone);
  c.Property("Stairs", &TLineSeries::GetStairs, &TLineSeries::SetStairs).Default(false);
}

TLineSeries::TLineSeries(TComponent* Owner) : TCustomSeries(Owner) {
  FDrawLine = true;
  FunctionAsOnePoint = false;
  Pointer()->SetVisible(false);
}

void TLineSeries::Assign(const TPersistent* Source) {
  TCustomSeries::Assign(Source);
  const auto* s = dynamic_cast<const TObject*>(Source);
  if (!s || !s->ClassType()->InheritsFrom(ClassType())) Pointer()->SetVisible(false);
  FDrawArea = false;
  FDrawLine = true;
}

void TLineSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustomSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Stairs", "Points", "Height", "Hollow", "Colors", "Marks", "No Border", "Outline"}) Callback(v);
}

void TLineSeries::PrepareLegendCanvas(int32_t /*Item*/, TColor& /*BackColor*/, TBrushStyle& BrushStyle) {
  if (TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr) c->UsePen(*LinePen());
  BrushStyle = GetLineBrush();
}

void TLineSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TLineSeries*>(Series);
  if (!s) return;
  switch (Index) {
    case 1: s->SetStairs(true); break;
    case 2: s->Pointer()->SetVisible(true); break;
    case 3: s->SetLineHeight(5); break;
    case 4: s->SetLineBrush(bsClear); break;
    case 5: s->SetColorEachPoint(true); break;
    case 6: MarksVisible(*s); break;
    case 7: s->LinePen()->SetVisible(false); break;
    case 8: s->OutLine()->SetVisible(true); break;
    default: break;
  }
}

KV_CLASS_IMPL(THorizLineSeries, TLineSeries) {}

THorizLineSeries::THorizLineSeries(TComponent* Owner) : TLineSeries(Owner) {
  SetHorizontal();
  CalcVisiblePoints = false;
  XValues()->SetOrder(loNone);
  YValues()->SetOrder(loAscending);
}

int32_t THorizLineSeries::MarksOffset() const { return MaxMarkWidth(); }

void THorizLineSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  const TMarksCallout* callout = marks ? marks->PeekCallout() : nullptr;
  const int32_t distance = callout ? callout->GetDistance() : 0;
  const int32_t d = TCustomSeries::MarksOffset();
  // To the right of the point, or to its left when it lies left of its origin.
  const bool left = PointPixelX(Index) < OriginPixel(Index);
  const int32_t shift = left ? -(d + Position.Width) : d;
  Position.TopLeft.X += shift + Position.Width / 2;
  Position.TopLeft.Y += Position.Height / 2;
  Position.ArrowTip.X += shift;
  Position.ArrowTail.X += left ? -distance : distance;
  if (marks) marks->SetZPosition(StartZ);
  TCustomLineSeries::PaintMark(Index, Text, Position);
}

// ============================================================================
// TPointSeries
// ============================================================================

KV_CLASS_IMPL(TPointSeries, TCustomSeries) {
  c.Editor("TSeriesPointerEditor");
  c.Property("ClickableLine", &TPointSeries::GetClickableLine, &TPointSeries::SetClickableLine).Default(false);
  c.Property("Pointer", &TPointSeries::Pointer);
  c.Property("Stacked", &TPointSeries::GetStacked, &TPointSeries::SetStacked).Names(kStackNames).Default(cssNone);
  c.Property("Transparency", &TPointSeries::GetTransparency, &TPointSeries::SetTransparency).Default(0);
}

TPointSeries::TPointSeries(TComponent* Owner) : TCustomSeries(Owner) { SetPointLook(); }

void TPointSeries::SetPointLook() {
  Pointer()->SetVisible(true);
  FDrawArea = false;
  FDrawLine = false;
  FClickableLine = false;
}

void TPointSeries::Assign(const TPersistent* Source) {
  TCustomSeries::Assign(Source);
  SetPointLook();
}

void TPointSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustomSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Colors", "Marks", "Hollow", "No Border", "Gradient"}) Callback(v);
  if (HasPointerStyleVariants())
    for (const char* v : {"Point 2D", "Triangle", "Star", "Circle", "Down Tri.", "Cross", "Diamond"}) Callback(v);
}

void TPointSeries::SetColorEachPoint(bool Value) {
  TCustomSeries::SetColorEachPoint(Value);
  if (Value) Pointer()->SetColor(clDefault);
}

void TPointSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TPointSeries*>(Series);
  if (!s) return;
  TSeriesPointer& p = *s->Pointer();
  using S = TSeriesPointerStyle;
  switch (Index) {
    case 1: s->SetColorEachPoint(true); break;
    case 2: MarksVisible(*s); break;
    case 3: p.Brush()->SetStyle(bsClear); break;
    case 4: p.Pen()->SetVisible(false); break;
    case 5: p.Gradient()->SetVisible(true); break;
    case 6: p.SetDraw3D(false); break;
    case 7: p.SetStyle(S::psTriangle); break;
    case 8: p.SetStyle(S::psStar); break;
    case 9:
      p.SetStyle(S::psCircle);
      p.SetHorizSize(8);
      p.SetVertSize(8);
      break;
    case 10: p.SetStyle(S::psDownTriangle); break;
    case 11: p.SetStyle(S::psCross); break;
    case 12: p.SetStyle(S::psDiamond); break;
    default: break;
  }
}

void TPointSeries::PrepareForGallery(bool Enabled) {
  TCustomSeries::PrepareForGallery(Enabled);
  TCustomAxisPanel* panel = Panel();
  const int32_t size = panel && panel->GetWidth() > 49 ? 6 : 4;
  Pointer()->SetHorizSize(size);
  Pointer()->SetVertSize(size);
  if (FParentChart && FParentChart->GetSeriesList().Count() > 1 && FParentChart->GetSeriesList().GetSeries(1) == this)
    Pointer()->SetStyle(TSeriesPointerStyle::psTriangle);
}

// ============================================================================
// TAreaSeries
// ============================================================================

KV_CLASS_IMPL(TAreaSeries, TCustomSeries) {
  c.Editor("TAreaSeriesEditor");
  c.Property("AreaBrush", &TAreaSeries::GetAreaBrush, &TAreaSeries::SetAreaBrush).Default(bsSolid);
  c.Property("AreaChartBrush", &TAreaSeries::AreaChartBrush);
  c.Property("AreaColor", &TAreaSeries::GetAreaColor, &TAreaSeries::SetAreaColor)
      .Kind(TPropKind::pkColor)
      .Default(clDefault);
  c.Property("AreaLinesPen", &TAreaSeries::AreaLinesPen);
  c.Property("ClickableLine", &TAreaSeries::GetClickableLine, &TAreaSeries::SetClickableLine).Default(true);
  c.Property("ColorEachLine", &TAreaSeries::GetColorEachLine, &TAreaSeries::SetColorEachLine).Default(true);
  c.Property("Dark3D", &TAreaSeries::GetDark3D, &TAreaSeries::SetDark3D).Default(true);
  c.Property("DrawArea", &TAreaSeries::GetDrawArea, &TAreaSeries::SetDrawArea).Default(true);
  c.Property("Gradient", &TAreaSeries::Gradient);
  c.Property("InvertedStairs", &TAreaSeries::GetInvertedStairs, &TAreaSeries::SetInvertedStairs).Default(false);
  c.Property("LinePen", &TAreaSeries::LinePen);
  c.Property("MultiArea", &TAreaSeries::GetMultiArea, &TAreaSeries::SetMultiArea)
      .Names({"maNone", "maStacked", "maStacked100"})
      .Default(maNone);
  c.Property("Pointer", &TAreaSeries::Pointer);
  c.Property("Stairs", &TAreaSeries::GetStairs, &TAreaSeries::SetStairs).Default(false);
  c.Property("Transparency", &TAreaSeries::GetTransparency, &TAreaSeries::SetTransparency).Default(0);
  c.Property("UseYOrigin", &TAreaSeries::GetUseYOrigin, &TAreaSeries::SetUseYOrigin).Default(false);
  c.Property("YOrigin", &TAreaSeries::GetYOrigin, &TAreaSeries::SetYOrigin).Default(0.0);
}

TAreaSeries::TAreaSeries(TComponent* Owner) : TCustomSeries(Owner) {
  FDrawArea = true;
  FunctionAsOnePoint = false;
  Pointer()->SetVisible(false);
}

void TAreaSeries::Assign(const TPersistent* Source) {
  TCustomSeries::Assign(Source);
  FDrawArea = true;
  FDrawLine = true;
  const auto* s = dynamic_cast<const TAreaSeries*>(Source);
  if (s && (s->ClassType()->InheritsFrom(ClassType()) || ClassType()->InheritsFrom(s->ClassType()))) {
    FUseYOrigin = s->FUseYOrigin;
    FYOrigin = s->FYOrigin;
  } else {
    Pointer()->SetVisible(false);
  }
}

TMultiArea TAreaSeries::GetMultiArea() const {
  if (FStacked == cssStack) return maStacked;
  if (FStacked == cssStack100) return maStacked100;
  return maNone;
}

void TAreaSeries::SetMultiArea(TMultiArea Value) {
  if (Value == GetMultiArea()) return;
  SetStacked(Value == maStacked ? cssStack : Value == maStacked100 ? cssStack100 : cssNone);
}

void TAreaSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustomSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Stairs", "Marks", "Colors", "Hollow", "No Lines", "Stack", "Stack 100%", "Points", "Gradient"})
    Callback(v);
}

void TAreaSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TAreaSeries*>(Series);
  if (!s) return;
  switch (Index) {
    case 1: s->SetStairs(true); break;
    case 2: MarksVisible(*s); break;
    case 3: s->SetColorEachPoint(true); break;
    case 4: s->SetAreaBrush(bsClear); break;
    case 5: s->AreaLinesPen()->SetVisible(false); break;
    case 6: s->SetMultiArea(maStacked); break;
    case 7: s->SetMultiArea(maStacked100); break;
    case 8: s->Pointer()->SetVisible(true); break;
    case 9: s->Gradient()->SetVisible(true); break;
    default: break;
  }
}

void TAreaSeries::PrepareForGallery(bool Enabled) {
  TCustomSeries::PrepareForGallery(Enabled);
  Gradient()->SetVisible(true);
  Gradient()->SetEndColor(GetSeriesColor());
}

void TAreaSeries::PrepareLegendCanvas(int32_t /*Item*/, TColor& BackColor, TBrushStyle& BrushStyle) {
  TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (!c) return;
  BackColor = AreaColorOf(c->Brush->GetColor());
  c->UsePen(*AreaLinesPen());
  BrushStyle = GetAreaBrush();
}

void TAreaSeries::PaintLegendSymbol(int32_t Item, const TRect& Rect) {
  if (!FParentChart) return;
  TCanvas3D& canvas = ChartCanvas();
  if (Gradient()->GetVisible()) {
    Gradient()->FillRect(canvas, Rect);
    return;
  }
  if (AreaChartBrush()->PeekImage()) {
    const TColor legend = Item == -1 ? GetSeriesColor() : LegendEntryColor(Item);
    const TColor colour = AreaChartBrush()->GetColor() == clDefault ? legend : AreaChartBrush()->GetColor();
    canvas.UseBrushColor(*AreaChartBrush(), colour, colour == legend ? clWhite : legend);
  }
  TCustomSeries::PaintLegendSymbol(Item, Rect);
}

double TAreaSeries::WithOrigin(bool Largest, double Value) const {
  if (!FUseYOrigin) return Value;
  return Largest ? std::max(Value, FYOrigin) : std::min(Value, FYOrigin);
}

double TAreaSeries::LargestX() {
  const double v = TCustomSeries::LargestX();
  return IsVertical() ? v : WithOrigin(true, v);
}
double TAreaSeries::LargestY() {
  const double v = TCustomSeries::LargestY();
  return IsVertical() ? WithOrigin(true, v) : v;
}
double TAreaSeries::SmallestX() {
  const double v = TCustomSeries::SmallestX();
  return IsVertical() ? v : WithOrigin(false, v);
}
double TAreaSeries::SmallestY() {
  const double v = TCustomSeries::SmallestY();
  return IsVertical() ? WithOrigin(false, v) : v;
}

bool TAreaSeries::DrawSeriesForward() const {
  if (GetMultiArea() == maNone) return TCustomSeries::DrawSeriesForward();
  TChartAxis* axis = ValueAxis();
  return !(axis && axis->GetInverted());
}

int32_t TAreaSeries::OriginPixel(int32_t ValueIndex) const {
  if (FUseYOrigin) return MandatoryValueToPixel(FYOrigin);
  return TCustomSeries::OriginPixel(ValueIndex);
}

KV_CLASS_IMPL(THorizAreaSeries, TAreaSeries) {}

THorizAreaSeries::THorizAreaSeries(TComponent* Owner) : TAreaSeries(Owner) {
  SetHorizontal();
  XValues()->SetOrder(loNone);
  YValues()->SetOrder(loAscending);
  Gradient()->SetDirection(gdRightLeft);
}

void THorizAreaSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  const TMarksCallout* callout = marks ? marks->PeekCallout() : nullptr;
  const int32_t distance = callout ? callout->GetDistance() : 0;
  const int32_t d = TCustomSeries::MarksOffset();
  // Centred vertically on the arrow's end, to the right of the point.
  Position.TopLeft.Y = Position.ArrowTip.Y - Position.Height / 2;
  Position.TopLeft.X += d;
  Position.ArrowTail = TPoint(Position.ArrowTail.X + distance, PointPixelY(Index));
  if (marks) marks->SetZPosition(StartZ);
  TCustomLineSeries::PaintMark(Index, Text, Position);
}
