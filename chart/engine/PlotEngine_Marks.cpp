#include "chart/engine/PlotEngine_Marks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Streaming.h"
#include "platform/gdi/Pixels.h"

using namespace SysUtils;

namespace {

TCustomPlotPanel* PanelOfChart(TSeriesChart* Chart) { return dynamic_cast<TCustomPlotPanel*>(Chart); }

// Round to nearest, halves to even, as every pixel of the marks is rounded.
int32_t RoundPixel(double Value) { return Pixels::Round(Value); }

// Marks draw with their own shadow defaults: grey and one pixel.
void UseMarksShadowDefaults(TPlotCustomShape& Shape) {
  if (TPlotShadow* s = Shape.Shadow()) {
    s->SetColor(clGray);
    s->SetSize(1);
    s->UnstoredColor = clGray;
    s->UnstoredSize = 1;
  }
}

}  // namespace

namespace PlotEngine {

std::vector<std::string> MarkTextLines(const std::string& Text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = Text.find('\r', start);
    if (end == std::string::npos) {
      if (start < Text.size()) lines.push_back(Text.substr(start));
      break;
    }
    lines.push_back(Text.substr(start, end - start));
    start = end + 1;
    if (start < Text.size() && Text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace PlotEngine

// ============================================================================
// TSeriesMarksGradient, TMarksCallout, TSeriesMarksSymbol
// ============================================================================

KV_CLASS_IMPL(TSeriesMarksGradient, TPlotGradient) {
  c.Property("Direction", &TSeriesMarksGradient::GetDirection, &TSeriesMarksGradient::SetDirection)
      .Names({"gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft", "gdFromCenter", "gdFromTopLeft",
              "gdFromBottomLeft", "gdRadial", "gdDiagonalUp", "gdDiagonalDown"})
      .Default(gdRightLeft);
  c.Property("EndColor", &TSeriesMarksGradient::GetEndColor, &TSeriesMarksGradient::SetEndColor)
      .Kind(TPropKind::pkColor)
      .Default(clWhite);
  c.Property("StartColor", &TSeriesMarksGradient::GetStartColor, &TSeriesMarksGradient::SetStartColor)
      .Kind(TPropKind::pkColor)
      .Default(clSilver);
}

TSeriesMarksGradient::TSeriesMarksGradient(TPlotChangeEvent ChangeHandler) : TPlotGradient() {
  // The defaults go in before the handler is attached: a new gradient repaints nothing.
  SetDirection(gdRightLeft);
  SetEndColor(clWhite);
  SetStartColor(clSilver);
  OnChange = std::move(ChangeHandler);
}

KV_CLASS_IMPL(TMarksCallout, TCallout) {
  c.Property("Length", &TMarksCallout::GetLength, &TMarksCallout::SetLength).Stored(&TMarksCallout::IsLengthStored);
}

TMarksCallout::TMarksCallout(TChartSeries* Series) : TCallout(Series) {
  SetVisible(false);
  Arrow()->SetColor(clWhite);
}

void TMarksCallout::Assign(const TPersistent* Source) {
  if (const auto* c = dynamic_cast<const TMarksCallout*>(Source)) FLength = c->FLength;
  TCallout::Assign(Source);
}

void TMarksCallout::ApplyOffset(TSeriesMarkPosition& Position) const {
  const int32_t distance = GetDistance();
  Position.TopLeft.Y -= FLength + distance;
  Position.ArrowTail.Y -= FLength + distance;
  Position.ArrowTip.Y -= distance;
}

KV_CLASS_IMPL(TSeriesMarksSymbol, TPlotCustomShape) {
  c.Property("Bevel", &TSeriesMarksSymbol::GetBevel, &TSeriesMarksSymbol::SetBevel)
      .Names({"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvNone);
  c.Property("BevelWidth", &TSeriesMarksSymbol::GetBevelWidth, &TSeriesMarksSymbol::SetBevelWidth).Default(2);
  c.Property("Brush", &TSeriesMarksSymbol::Brush);
  c.Property("Frame", &TSeriesMarksSymbol::Pen);
  c.Property("Gradient", &TSeriesMarksSymbol::PeekGradient);
  c.Property("Pen", &TSeriesMarksSymbol::Pen);
  c.Property("Shadow", &TSeriesMarksSymbol::Shadow);
  c.Property("ShapeStyle", &TSeriesMarksSymbol::GetShapeStyle, &TSeriesMarksSymbol::SetShapeStyle)
      .Names({"fosRectangle", "fosRoundRectangle"})
      .Default(fosRectangle);
  c.Property("Transparency", &TSeriesMarksSymbol::GetTransparency, &TSeriesMarksSymbol::SetTransparency).Default(0);
  c.Property("Visible", &TSeriesMarksSymbol::GetVisible, &TSeriesMarksSymbol::SetVisible).Default(false);
}

TSeriesMarksSymbol::TSeriesMarksSymbol(TCustomPlotPanel* Parent) : TPlotCustomShape(nullptr) {
  SetVisible(false);
  SetTransparent(false);
  Shadow()->SetSize(1);
  Shadow()->UnstoredSize = 1;
  TPlotCustomShape::SetParent(Parent);
}

// ============================================================================
// TMarksItem, TMarksItems
// ============================================================================

KV_CLASS_IMPL(TMarksItem, TPlotCustomShape) {
  c.Property("Bevel", &TMarksItem::GetBevel, &TMarksItem::SetBevel)
      .Names({"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvNone);
  c.Property("BevelWidth", &TMarksItem::GetBevelWidth, &TMarksItem::SetBevelWidth).Default(2);
  c.Property("Color", &TMarksItem::GetColor, &TMarksItem::SetColor).Kind(TPropKind::pkColor).Default(clInfoBk);
  c.Property("Font", &TMarksItem::Font);
  c.Property("Gradient", &TMarksItem::PeekGradient);
  c.Property("Shadow", &TMarksItem::Shadow);
  c.Property("ShapeStyle", &TMarksItem::GetShapeStyle, &TMarksItem::SetShapeStyle)
      .Names({"fosRectangle", "fosRoundRectangle"})
      .Default(fosRectangle);
  c.Property("Text", [](const TMarksItem& I) -> TStrings* { return const_cast<TMarksItem&>(I).Text(); });
  c.Property("Transparency", &TMarksItem::GetTransparency, &TMarksItem::SetTransparency).Default(0);
  c.Property("Transparent", &TMarksItem::GetTransparent, &TMarksItem::SetTransparent)
      .Stored(&TMarksItem::IsTransparentStored);
}

TMarksItem::TMarksItem(TCustomPlotPanel* Parent) : TPlotCustomShape(nullptr) {
  SetColor(clInfoBk);
  UseMarksShadowDefaults(*this);
  TPlotCustomShape::SetParent(Parent);
}

TMarksItem::~TMarksItem() = default;

void TMarksItem::Assign(const TPersistent* Source) {
  if (const auto* i = dynamic_cast<const TMarksItem*>(Source)) SetText(i->FText.get());
  TPlotCustomShape::Assign(Source);
}

TStrings* TMarksItem::Text() {
  if (!FText) {
    FText = std::make_unique<TStringList>();
    FText->OnChange = [this](TObject*) { Repaint(); };
  }
  return FText.get();
}

void TMarksItem::SetText(const TStrings* Value) {
  if (!Value) {
    FText.reset();
    Repaint();
  } else {
    Text()->Assign(Value);
  }
}

TMarksItem* TMarksItems::Item(int32_t Index) {
  if (Index < 0) throw ChartException(Format("Marks item index %d out of range", {Index}));
  if (Index >= Count()) FItems.resize(static_cast<size_t>(Index) + 1);
  auto& entry = FItems[static_cast<size_t>(Index)];
  if (!entry) entry = std::make_unique<TMarksItem>(FMarks ? FMarks->Parent() : nullptr);
  return entry.get();
}

TMarksItem* TMarksItems::Peek(int32_t Index) const {
  return Index >= 0 && Index < Count() ? FItems[static_cast<size_t>(Index)].get() : nullptr;
}

void TMarksItems::Clear() {
  FItems.clear();
  if (FMarks) FMarks->Repaint();
}

void TMarksItems::Delete(int32_t Index) {
  if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
}

void TMarksItems::DeleteRange(int32_t Start, int32_t Quantity) {
  if (Start < 0 || Start >= Count() || Quantity <= 0) return;
  const int32_t end = std::min(Count(), Start + Quantity);
  FItems.erase(FItems.begin() + Start, FItems.begin() + end);
}

void TMarksItems::SetParent(TCustomPlotPanel* Panel) {
  for (auto& item : FItems)
    if (item) item->SetParent(Panel);
}

// ============================================================================
// TSeriesMarks
// ============================================================================

KV_CLASS_IMPL(TSeriesMarks, TPlotCustomShape) {
  c.Property("Angle", &TSeriesMarks::GetAngle, &TSeriesMarks::SetAngle).Default(0);
  c.Property("Arrow", [](const TSeriesMarks& M) { return const_cast<TSeriesMarks&>(M).GetArrow(); });
  c.Property("ArrowLength", [](const TSeriesMarks& M) { return const_cast<TSeriesMarks&>(M).GetArrowLength(); },
             &TSeriesMarks::SetArrowLength)
      .Stored(false);
  c.Property("Callout", [](const TSeriesMarks& M) { return const_cast<TSeriesMarks&>(M).GetCallout(); });
  c.Property("BackColor", &TSeriesMarks::GetBackColor, &TSeriesMarks::SetBackColor)
      .Kind(TPropKind::pkColor)
      .Default(clInfoBk);
  c.Property("Color", &TSeriesMarks::GetColor, &TSeriesMarks::SetColor).Kind(TPropKind::pkColor).Default(clInfoBk);
  c.Property("Bevel", &TSeriesMarks::GetBevel, &TSeriesMarks::SetBevel)
      .Names({"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvNone);
  c.Property("BevelWidth", &TSeriesMarks::GetBevelWidth, &TSeriesMarks::SetBevelWidth).Default(2);
  c.Property("Brush", &TSeriesMarks::Brush);
  c.Property("Font", &TSeriesMarks::Font);
  c.Property("Frame", &TSeriesMarks::Pen);
  c.Property("Shadow", &TSeriesMarks::Shadow);
  c.Property("Clip", &TSeriesMarks::GetClip, &TSeriesMarks::SetClip).Default(false);
  c.Property("DrawEvery", &TSeriesMarks::GetDrawEvery, &TSeriesMarks::SetDrawEvery).Default(1);
  c.Property("Gradient", &TSeriesMarks::PeekGradient);
  c.Property("MultiLine", &TSeriesMarks::GetMultiLine, &TSeriesMarks::SetMultiLine).Default(false);
  c.Property("ShapeStyle", &TSeriesMarks::GetShapeStyle, &TSeriesMarks::SetShapeStyle)
      .Names({"fosRectangle", "fosRoundRectangle"})
      .Default(fosRectangle);
  c.Property("Style", &TSeriesMarks::GetStyle, &TSeriesMarks::SetStyle)
      .Names({"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue", "smsLegend", "smsPercentTotal",
              "smsLabelPercentTotal", "smsXValue", "smsXY"})
      .Default(smsLabel);
  c.Property("Symbol", [](const TSeriesMarks& M) { return const_cast<TSeriesMarks&>(M).GetSymbol(); });
  c.Property("Transparency", &TSeriesMarks::GetTransparency, &TSeriesMarks::SetTransparency).Default(0);
  c.Property("Transparent", &TSeriesMarks::GetTransparent, &TSeriesMarks::SetTransparent)
      .Stored(&TSeriesMarks::IsTransparentStored);
  c.Property("Visible", &TSeriesMarks::GetVisible, &TSeriesMarks::SetVisible).Default(false);
}

TSeriesMarks::TSeriesMarks(TChartSeries* Series)
    : TPlotCustomShape(nullptr), TSeriesMarksBase(Series), FItems(this) {
  SetColor(clInfoBk);
  SetVisible(false);
  UseMarksShadowDefaults(*this);
  SetGradient(nullptr);
  // The marks' gradient class starts right to left, silver to white.
  TSeriesMarksGradient defaults;
  GetGradient()->Assign(&defaults);
  if (Series) TPlotCustomShape::SetParent(PanelOfChart(Series->GetParentChart()));
}

TSeriesMarks::~TSeriesMarks() = default;

TCanvas3D* TSeriesMarks::ChartCanvas() const { return Parent() ? Parent()->Canvas() : nullptr; }

bool TSeriesMarks::ChartIs3D() const {
  TChartSeries* s = ParentSeries();
  return s && s->GetParentChart() && s->GetParentChart()->GetView3D();
}

void TSeriesMarks::SetParent(TCustomPlotPanel* Panel) {
  TPlotCustomShape::SetParent(Panel);
  if (FCallout) FCallout->SetParent(Panel);
  if (FSymbol) FSymbol->SetParent(Panel);
  FItems.SetParent(Panel);
}

void TSeriesMarks::SetParentChart(TSeriesChart* Chart) { SetParent(PanelOfChart(Chart)); }

void TSeriesMarks::Assign(const TPersistent* Source) {
  if (const auto* m = dynamic_cast<const TSeriesMarks*>(Source)) {
    FAngle = m->FAngle;
    SetCallout(m->FCallout.get());
    FClip = m->FClip;
    FDrawEvery = m->FDrawEvery;
    FStyle = m->FStyle;
    FMultiLine = m->FMultiLine;
    SetSymbol(m->FSymbol.get());
    FItems.Clear();
    for (int32_t i = 0; i < m->FItems.Count(); ++i)
      if (TMarksItem* source = m->FItems.Peek(i)) FItems.Item(i)->Assign(source);
  }
  TPlotCustomShape::Assign(Source);
}

void TSeriesMarks::AssignMarks(const TSeriesMarksBase& Source) {
  if (const auto* m = dynamic_cast<const TSeriesMarks*>(&Source)) Assign(m);
}

TMarksCallout* TSeriesMarks::GetCallout() {
  if (!FCallout) {
    FCallout = std::make_unique<TMarksCallout>(ParentSeries());
    FCallout->SetParent(Parent());
  }
  return FCallout.get();
}

void TSeriesMarks::SetCallout(const TMarksCallout* Value) {
  if (!Value)
    FCallout.reset();
  else
    GetCallout()->Assign(Value);
}

TSeriesMarksSymbol* TSeriesMarks::GetSymbol() {
  if (!FSymbol) FSymbol = std::make_unique<TSeriesMarksSymbol>(Parent());
  return FSymbol.get();
}

void TSeriesMarks::SetSymbol(const TSeriesMarksSymbol* Value) {
  if (!Value)
    FSymbol.reset();
  else
    GetSymbol()->Assign(Value);
}

TPlotCustomShape* TSeriesMarks::ItemOrMarks(int32_t Index) {
  if (Index >= 0 && Index < FItems.Count()) return FItems.Item(Index);
  return this;
}

void TSeriesMarks::DeletePoint(int32_t Index) {
  TSeriesMarksBase::DeletePoint(Index);
  FItems.Delete(Index);
}

void TSeriesMarks::DeletePoints(int32_t Start, int32_t Quantity) {
  TSeriesMarksBase::DeletePoints(Start, Quantity);
  FItems.DeleteRange(Start, Quantity);
}

void TSeriesMarks::ClearPositions() {
  TSeriesMarksBase::ClearPoints();
  if (!FItems.ReadFromStream) FItems.Clear();
}

void TSeriesMarks::ResetPositions() {
  for (int32_t i = 0; i < PositionCount(); ++i)
    if (TSeriesMarkPosition* p = PositionAt(i)) p->IsCustom = false;
  Repaint();
}

void TSeriesMarks::ApplyCalloutOffset(TSeriesMarkPosition& Position) const {
  if (FCallout) FCallout->ApplyOffset(Position);
}

TPoint TSeriesMarks::ProjectionShift(TPoint ArrowTail) const {
  TCanvas3D* canvas = ChartCanvas();
  if (!canvas || !ChartIs3D() || canvas->IsTrue3D()) return TPoint(0, 0);
  const TPoint p = canvas->Project(ArrowTail.X, ArrowTail.Y, ZPosition);
  return TPoint(p.X - ArrowTail.X, p.Y - ArrowTail.Y);
}

int32_t TSeriesMarks::MarkAtPixel(int32_t X, int32_t Y) {
  const int32_t every = EffectiveDrawEvery();
  for (int32_t i = PositionCount() - 1; i >= 0; --i) {
    if (i % every != 0) continue;
    const TSeriesMarkPosition* p = Position(i);
    if (!p) continue;
    const TPoint shift = ProjectionShift(p->ArrowTail);
    const int32_t left = p->TopLeft.X + shift.X, top = p->TopLeft.Y + shift.Y;
    if (X >= left && X <= left + p->Width && Y >= top && Y <= top + p->Height) return i;
  }
  return -1;
}

TRect TSeriesMarks::OverlapRect(int32_t Index, const TSeriesMarkPosition& Position) {
  TRect r(Position.TopLeft.X, Position.TopLeft.Y, Position.TopLeft.X + Position.Width,
          Position.TopLeft.Y + Position.Height);
  TPlotCustomShape* m = ItemOrMarks(Index);
  if (m->Pen()->GetVisible()) {
    r.Right += m->Pen()->GetWidth();
    r.Bottom += m->Pen()->GetWidth();
  }
  // A shadow to the left or top stays inside the box's own room.
  if (const TPlotShadow* s = m->Shadow()) {
    r.Right += std::max(0, s->GetHorizSize());
    r.Bottom += std::max(0, s->GetVertSize());
  }
  const TPoint shift = ProjectionShift(Position.ArrowTail);
  return TRect(r.Left + shift.X, r.Top + shift.Y, r.Right + shift.X, r.Bottom + shift.Y);
}

void TSeriesMarks::AntiOverlap(int32_t First, int32_t Last, TSeriesMarkPosition& Position) {
  const TRect r0 = OverlapRect(Last, Position);
  const TSeriesMarksBase& stored = *this;
  for (int32_t i = std::max(First, 0); i < Last; ++i) {
    const TSeriesMarkPosition* p = stored.Position(i);
    if (!p) continue;
    const TRect r = OverlapRect(i, *p);
    const bool intersect = r.Left < r0.Right && r0.Left < r.Right && r.Top < r0.Bottom && r0.Top < r.Bottom;
    if (!intersect) continue;
    const int32_t overlap = r0.Top < r.Top ? r0.Bottom - r.Top : r0.Top - r.Bottom;
    Position.TopLeft.Y -= overlap;
    Position.ArrowTail.Y -= overlap;
  }
}

int32_t TSeriesMarks::TextWidth(int32_t Index) const {
  TCanvas3D* canvas = ChartCanvas();
  TChartSeries* s = ParentSeries();
  if (!canvas || !s) return 0;
  int32_t widest = 0;
  for (const std::string& line : PlotEngine::MarkTextLines(s->GetMarkText(Index)))
    widest = std::max(widest, canvas->TextWidth(line));
  return widest;
}

int32_t TSeriesMarks::MaxMarkWidth() const {
  TChartSeries* s = ParentSeries();
  if (!s) return 0;
  auto& self = const_cast<TSeriesMarks&>(*this);
  int32_t widest = 0;
  for (int32_t i = 0; i < s->Count(); ++i)
    if (self.ItemOrMarks(i)->GetVisible()) widest = std::max(widest, TextWidth(i));
  return widest;
}

void TSeriesMarks::DrawMarks() {
  if (TChartSeries* s = ParentSeries()) s->DrawMarks();
}

// ---- one mark -----------------------------------------------------------------

void TSeriesMarks::DrawMark(int32_t Index, TColor Color, TSeriesMarkPosition& Position, const std::string& Text) {
  TCanvas3D* canvas = ChartCanvas();
  if (!canvas || Index < 0) return;
  // A position the user placed wins over the computed one.
  TSeriesMarkPosition* stored = EnsurePosition(Index);
  if (!stored->IsCustom) {
    stored->Assign(Position);
  } else {
    const TPoint tip = Position.ArrowTip;
    Position.Assign(*stored);
    if (Position.KeepArrowTip) Position.ArrowTip = tip;
  }
  TPlotCustomShape* m = ItemOrMarks(Index);
  if (FCallout && (FCallout->GetVisible() || FCallout->Arrow()->GetVisible()))
    FCallout->Draw(Color, Position.ArrowTip, Position.ArrowTail, ZPosition);

  if (m->GetTransparent()) {
    canvas->Brush->SetStyle(bsClear);
    canvas->SetBackMode(TRANSPARENT);
  } else {
    canvas->UseBrush(*m->Brush(), m->GetColor());
  }
  canvas->UsePen(*m->Pen());

  const TPoint shift = ProjectionShift(Position.ArrowTail);
  Position.TopLeft.X += shift.X;
  Position.TopLeft.Y += shift.Y;

  TRect r(Position.TopLeft.X, Position.TopLeft.Y, Position.TopLeft.X + Position.Width,
          Position.TopLeft.Y + Position.Height);
  const int32_t angle = FAngle % 360;
  m->DrawRectRotated(r, angle, ZPosition + 1);

  const bool symbol = SymbolShown();
  if (symbol) {
    const int32_t f = canvas->FontHeight();
    FSymbol->SetColor(Color);
    FSymbol->SetTransparent(false);
    FSymbol->PlacedRect = TRect(r.Left + 4, r.Top + 3, r.Left + f - 1, r.Top + f - 2);
    FSymbol->DrawRectRotated(FSymbol->PlacedRect, angle, ZPosition + 1);
  }

  canvas->Brush->SetStyle(bsClear);
  canvas->SetBackMode(TRANSPARENT);
  canvas->SetTextAlign(TA_CENTER);
  r.Left += 2;
  if (symbol) r.Left += FSymbol->GetWidth() + 4;
  canvas->UseFont(*m->Font());
  DrawLines(r, Text, *m->Pen());
}

void TSeriesMarks::DrawText(const TRect& R, const std::string& Text) { DrawLines(R, Text, *Pen()); }

void TSeriesMarks::DrawLines(const TRect& R, const std::string& Text, const TChartPen& Frame) {
  TCanvas3D* canvas = ChartCanvas();
  if (!canvas) return;
  const int32_t cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  const int32_t lineHeight = canvas->FontHeight();
  const bool text3D = canvas->Supports3DText();
  const std::vector<std::string> lines = PlotEngine::MarkTextLines(Text);
  for (size_t n = 0; n < lines.size(); ++n) {
    const int32_t line = static_cast<int32_t>(n);
    int32_t x = cx, y = 0;
    if (FAngle == 0) {
      y = R.Top + line * lineHeight + (Frame.GetVisible() ? Frame.GetWidth() : 0);
    } else {
      const double a = FAngle * std::numbers::pi / 180.0;
      const double d = line * lineHeight - (R.Bottom - cy);
      x = cx + RoundPixel(std::sin(a) * d) + (FAngle == 90 ? 1 : 0);
      y = cy + RoundPixel(std::cos(a) * d);
    }
    if (text3D) {
      if (FAngle != 0)
        canvas->RotatedText3D(x, y, ZPosition, lines[n], FAngle);
      else
        canvas->TextOut3D(x, y, ZPosition, lines[n]);
    } else if (FAngle != 0) {
      canvas->RotatedText(x, y, lines[n], FAngle);
    } else {
      canvas->TextOut(x, y, lines[n]);
    }
  }
}

// ---- stored custom items -------------------------------------------------------

namespace {

// Reads one property list (list-begin, properties, list-end) into Instance
// through the reader's property reader.
template <class R>
void ReadPropertyList(R& Reader, TPersistent* Instance) {
  if constexpr (requires { Reader.ReadProperties(Instance); }) {
    Reader.ReadListBegin();
    Reader.ReadProperties(Instance);
  } else {
    (void)Instance;
    throw EReadError("Marks Items: this reader cannot read item properties");
  }
}

}  // namespace

void TSeriesMarks::DefineProperties(TFiler& Filer) {
  TPlotCustomShape::DefineProperties(Filer);
  Filer.DefineProperty(
      "Items", [this](TReader& Reader) { ReadItems(Reader); }, [this](TWriter& Writer) { WriteItems(Writer); },
      FItems.Count() > 0);
}

void TSeriesMarks::WriteItems(TWriter& Writer) const {
  Writer.WriteInteger(FItems.Count());
  for (int32_t i = 0; i < FItems.Count(); ++i) {
    Writer.WriteListBegin();
    if (const TMarksItem* item = FItems.Peek(i)) Writer.WriteProperties(item);
    Writer.WriteListEnd();
  }
}

void TSeriesMarks::ReadItems(TReader& Reader) {
  const int64_t count = Reader.ReadInteger();
  if (count < 0 || count > 100000000) throw EReadError(Format("Marks Items: bad item count %d", {count}));
  if (count == 0) return;
  FItems.ReadFromStream = true;
  for (int32_t i = 0; i < static_cast<int32_t>(count); ++i) ReadPropertyList(Reader, FItems.Item(i));
}
