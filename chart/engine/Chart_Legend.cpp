// The legend: lists the chart's series or the points of one series, lays
// itself out beside, above or below the chart rectangle, draws frame, title,
// symbols, check boxes and texts, and answers which item is under a point.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotHtml.h"
#include "platform/gdi/Pixels.h"

namespace {

// Separates the two text columns of a legend text.
constexpr char ColumnSeparator = '\x06';

int32_t RoundInt(double X) { return Pixels::Round(X); }

bool IsHtmlText(const std::string& Text) { return Text.find('<') != std::string::npos; }

// Column 0 is right-aligned for these text styles.
bool RightAlignsColumn0(TLegendTextStyle S) {
  switch (S) {
    case ltsLeftValue: case ltsLeftPercent: case ltsXValue: case ltsValue: case ltsPercent: case ltsXAndValue:
    case ltsXAndPercent: return true;
    default: return false;
  }
}

bool RightAlignsColumn1(TLegendTextStyle S) {
  return S == ltsRightValue || S == ltsRightPercent || S == ltsXAndValue || S == ltsXAndPercent;
}

}  // namespace

// ============================================================================
// Symbol, title, gradient
// ============================================================================

KV_CLASS_IMPL(TLegendSymbol, TPersistent) {
  c.Property("Continuous", &TLegendSymbol::GetContinuous, &TLegendSymbol::SetContinuous).Default(false);
  c.Property("DefaultPen", &TLegendSymbol::GetDefaultPen, &TLegendSymbol::SetDefaultPen).Default(true);
  c.Property("Gradient", &TLegendSymbol::Gradient);
  c.Property("Pen", &TLegendSymbol::Pen);
  c.Property("Position", &TLegendSymbol::GetPosition, &TLegendSymbol::SetPosition)
      .Names({"spLeft", "spRight"})
      .Default(0);
  c.Property("Squared", &TLegendSymbol::GetSquared, &TLegendSymbol::SetSquared).Default(false);
  c.Property("Visible", &TLegendSymbol::GetVisible, &TLegendSymbol::SetVisible).Default(true);
  c.Property("Width", &TLegendSymbol::GetWidth, &TLegendSymbol::SetWidth).Default(20);
  c.Property("WidthUnits", &TLegendSymbol::GetWidthUnits, &TLegendSymbol::SetWidthUnits)
      .Names({"lcsPercent", "lcsPixels"})
      .Default(0);
}

TLegendSymbol::TLegendSymbol(TCustomChartLegend* Legend) : FLegend(Legend) {
  const TPlotChangeEvent changed = [this](TObject*) { Repaint(); };
  FGradient = std::make_unique<TPlotGradient>(changed);
  FPen = std::make_unique<TChartPen>(changed);
}

TLegendSymbol::~TLegendSymbol() = default;

void TLegendSymbol::Assign(const TPersistent* Source) {
  if (auto* s = dynamic_cast<const TLegendSymbol*>(Source)) {
    FContinuous = s->FContinuous;
    FGradient->Assign(s->FGradient.get());
    FPen->Assign(s->FPen.get());
    FPosition = s->FPosition;
    FSquared = s->FSquared;
    FWidth = s->FWidth;
    FWidthUnits = s->FWidthUnits;
    FVisible = s->FVisible;
    Repaint();
    return;
  }
  TPersistent::Assign(Source);
}

TCustomPlotPanel* TLegendSymbol::ParentPanel() const { return FLegend ? FLegend->Chart() : nullptr; }

void TLegendSymbol::Repaint() {
  if (TCustomPlotPanel* p = ParentPanel(); p && p->AutoRepaint) p->Invalidate();
}

int32_t TLegendSymbol::PixelWidth(int32_t Base) const {
  if (!FVisible) return 0;
  if (FSquared) return FLegend ? FLegend->ItemHeight() - 5 : 0;
  if (FWidthUnits == lcsPixels) return FWidth;
  return RoundInt(Base * FWidth * 0.01);
}

void TLegendSymbol::DrawGradientSymbol(TCanvas3D& Canvas, TColor Color, const TRect& Rect) {
  Canvas.UsePen(*FPen);
  if (FGradient->GetVisible()) {
    FGradient->SetEndColor(Color);
    FGradient->FillRect(Canvas, Rect);
    Canvas.Brush->SetStyle(bsClear);
  } else {
    Canvas.Brush->SetStyle(bsSolid);
    Canvas.Brush->SetColor(clWhite);
  }
  if (FPen->GetVisible()) Canvas.RectangleRect(Rect);
}

KV_CLASS_IMPL(TLegendTitle, TPlotShape) {
  c.Property("Text", &TLegendTitle::Text);
  c.Property("TextAlignment", &TLegendTitle::GetTextAlignment, &TLegendTitle::SetTextAlignment)
      .Names({"taLeftJustify", "taRightJustify", "taCenter"})
      .Default(0);
  c.Property("Font", &TLegendTitle::Font);
  c.Property("Transparent", &TLegendTitle::GetTransparent, &TLegendTitle::SetTransparent)
      .Stored(&TLegendTitle::IsTransparentStored);
  c.Property("Visible", &TLegendTitle::GetVisible, &TLegendTitle::SetVisible).Default(true);
}

TLegendTitle::TLegendTitle(TCustomPlotPanel* Owner) : TPlotShape(Owner) {
  FText = std::make_unique<TStringList>();
  FText->OnChange = [this](TObject*) { Repaint(); };
  DefaultTransparent = true;
  SetTransparent(true);
  Font()->SetStyle(TFontStyles{fsBold});
  Font()->UnstoredStyle = TFontStyles{fsBold};
  Shadow()->SetSize(2);
  Shadow()->SetColor(TColor(0xC0C0C0));
  Shadow()->UnstoredSize = 2;
  Shadow()->UnstoredColor = TColor(0xC0C0C0);
  SetTextFormat(ttfHtml);
}

TLegendTitle::~TLegendTitle() { FText->OnChange = nullptr; }

void TLegendTitle::Assign(const TPersistent* Source) {
  if (auto* t = dynamic_cast<const TLegendTitle*>(Source)) {
    FText->Assign(t->FText.get());
    FTextAlignment = t->FTextAlignment;
  }
  TPlotShape::Assign(Source);
}

void TLegendTitle::SetText(const TStrings* Value) { FText->Assign(Value); }

int32_t TLegendTitle::TitleHeight(TCanvas3D& Canvas) const {
  Canvas.UseFont(*Font());
  int32_t h = FText->Count() * Canvas.FontHeight();
  if (!GetTransparent()) {
    h += 2;
    if (Pen()->GetVisible()) h += 2 * Pen()->GetWidth();
  }
  return h;
}

int32_t TLegendTitle::TitleWidth(TCanvas3D& Canvas) const {
  Canvas.UseFont(*Font());
  int32_t widest = 0;
  for (int32_t i = 0; i < FText->Count(); ++i) widest = std::max(widest, Canvas.TextWidth(FText->Get(i)));
  int32_t w = widest + Canvas.TextWidth("W");
  if (!GetTransparent()) {
    if (Pen()->GetVisible()) w += 2 * Pen()->GetWidth();
    if (Shadow()) w += Shadow()->GetHorizSize();
  }
  return w;
}

void TLegendTitle::DrawText(TCanvas3D& Canvas) const {
  Canvas.UseFont(*Font());
  Canvas.SetTextAlign(TA_LEFT);
  Canvas.SetBackMode(TRANSPARENT);
  const int32_t lh = Canvas.FontHeight();
  const int32_t Wm = Canvas.TextWidth("W");
  const TRect& r = PlacedRect;
  const bool html = GetTextFormat() == ttfHtml && [&] {
    for (int32_t i = 0; i < FText->Count(); ++i)
      if (IsHtmlText(FText->Get(i))) return true;
    return false;
  }();
  if (html && FTextAlignment == TAlignment::taLeftJustify) {
    std::string all;
    for (int32_t i = 0; i < FText->Count(); ++i) all += (i ? "\r\n" : "") + FText->Get(i);
    Canvas.TextOutFormat(r.Left + Wm / 2, r.Top + 1, all, true);
    return;
  }
  for (int32_t i = 0; i < FText->Count(); ++i) {
    const std::string& line = FText->Get(i);
    const int32_t w = Canvas.TextWidth(line);
    int32_t x = r.Left + Wm / 2;
    if (FTextAlignment == TAlignment::taRightJustify) x = r.Right - w - Wm / 2;
    else if (FTextAlignment == TAlignment::taCenter) x = (r.Left + r.Right) / 2 - w / 2;
    Canvas.TextOutFormat(x, r.Top + 1 + i * lh, line, html);
  }
}

KV_CLASS_IMPL(TChartLegendGradient, TPlotGradient) {}

TChartLegendGradient::TChartLegendGradient(TPlotChangeEvent ChangeHandler) : TPlotGradient() {
  SetDirection(gdRightLeft);
  SetStartColor(TColor(0xC0C0C0));
  SetEndColor(TColor(0xFFFFFF));
  OnChange = std::move(ChangeHandler);
}

// ============================================================================
// The legend
// ============================================================================

KV_CLASS_IMPL(TCustomChartLegend, TPlotCustomShapePosition) {
  c.Property("Alignment", &TCustomChartLegend::GetAlignment, &TCustomChartLegend::SetAlignment)
      .Names({"laLeft", "laRight", "laTop", "laBottom"})
      .Default(1);
  c.Property("CheckBoxes", &TCustomChartLegend::GetCheckBoxes, &TCustomChartLegend::SetCheckBoxes).Default(false);
  c.Property("CheckBoxesStyle", &TCustomChartLegend::GetCheckBoxesStyle, &TCustomChartLegend::SetCheckBoxesStyle)
      .Names({"cbsCheck", "cbsRadio"})
      .Default(0);
  c.Property("ColorWidth", &TCustomChartLegend::GetColorWidth, &TCustomChartLegend::SetColorWidth)
      .Stored(false);
  c.Property("CurrentPage", &TCustomChartLegend::GetCurrentPage, &TCustomChartLegend::SetCurrentPage)
      .Default(true);
  c.Property("DividingLines", &TCustomChartLegend::DividingLines);
  c.Property("FirstValue", &TCustomChartLegend::GetFirstValue, &TCustomChartLegend::SetFirstValue).Default(0);
  c.Property("FontSeriesColor", &TCustomChartLegend::GetFontSeriesColor, &TCustomChartLegend::SetFontSeriesColor)
      .Default(false);
  c.Property("HorizMargin", &TCustomChartLegend::GetHorizMargin, &TCustomChartLegend::SetHorizMargin).Default(0);
  c.Property("Inverted", &TCustomChartLegend::GetInverted, &TCustomChartLegend::SetInverted).Default(false);
  c.Property("LeftPercent", &TCustomChartLegend::GetLeftPercent, &TCustomChartLegend::SetLeftPercent).Default(0);
  c.Property("LegendStyle", &TCustomChartLegend::GetLegendStyle, &TCustomChartLegend::SetLegendStyle)
      .Names({"lsAuto", "lsSeries", "lsValues", "lsLastValues"})
      .Default(0);
  c.Property("MaxNumRows", &TCustomChartLegend::GetMaxNumRows, &TCustomChartLegend::SetMaxNumRows).Default(10);
  c.Property("PositionUnits", &TCustomChartLegend::GetPositionUnits, &TCustomChartLegend::SetPositionUnits)
      .Names({"muPercent", "muPixels"})
      .Default(1);
  c.Property("ResizeChart", &TCustomChartLegend::GetResizeChart, &TCustomChartLegend::SetResizeChart)
      .Default(true);
  c.Property("Symbol", &TCustomChartLegend::Symbol);
  c.Property("TextStyle", &TCustomChartLegend::GetTextStyle, &TCustomChartLegend::SetTextStyle)
      .Names({"ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent", "ltsRightPercent", "ltsXValue",
              "ltsValue", "ltsPercent", "ltsXAndValue", "ltsXAndPercent"})
      .Default(1);
  c.Property("Title", &TCustomChartLegend::Title);
  c.Property("TopPos", &TCustomChartLegend::GetTopPos, &TCustomChartLegend::SetTopPos).Default(10);
  c.Property("TopPercent", &TCustomChartLegend::GetTopPercent, &TCustomChartLegend::SetTopPercent).Default(0);
  c.Property("VertMargin", &TCustomChartLegend::GetVertMargin, &TCustomChartLegend::SetVertMargin).Default(0);
  c.Property("VertSpacing", &TCustomChartLegend::GetVertSpacing, &TCustomChartLegend::SetVertSpacing).Default(0);
  c.Property("Visible", &TCustomChartLegend::GetVisible, &TCustomChartLegend::SetVisible).Default(true);
  c.Property("Font", &TCustomChartLegend::Font);
  c.Property("Frame", &TCustomChartLegend::Pen);
  c.Property("Brush", &TCustomChartLegend::Brush);
}
KV_CLASS_IMPL(TChartLegend, TCustomChartLegend) {}

TCustomChartLegend::TCustomChartLegend(TCustomAxisPanel* Chart) : TPlotCustomShapePosition(Chart), FChart(Chart) {
  FDividingLines = std::make_unique<TChartHiddenPen>(ChangeHandler());
  FSymbol = std::make_unique<TLegendSymbol>(this);
  FTitle = std::make_unique<TLegendTitle>(Chart);
  SetBevelWidth(2);
  SetColor(clWhite);
  GetGradient();
}

std::unique_ptr<TPlotGradient> TCustomChartLegend::NewGradient() {
  return std::make_unique<TChartLegendGradient>(ChangeHandler());
}

TCustomChartLegend::~TCustomChartLegend() = default;

void TCustomChartLegend::Assign(const TPersistent* Source) {
  if (auto* l = dynamic_cast<const TCustomChartLegend*>(Source)) {
    FAlignment = l->FAlignment;
    FCheckBoxes = l->FCheckBoxes;
    FCheckBoxesStyle = l->FCheckBoxesStyle;
    FCurrentPage = l->FCurrentPage;
    FDividingLines->Assign(l->FDividingLines.get());
    FFirstValue = l->FFirstValue;
    FFontSeriesColor = l->FFontSeriesColor;
    FHorizMargin = l->FHorizMargin;
    FInverted = l->FInverted;
    FLeftPercent = l->FLeftPercent;
    FLegendStyle = l->FLegendStyle;
    FMaxNumRows = l->FMaxNumRows;
    FPositionUnits = l->FPositionUnits;
    FResizeChart = l->FResizeChart;
    FSymbol->Assign(l->FSymbol.get());
    FTextStyle = l->FTextStyle;
    FTitle->Assign(l->FTitle.get());
    FTopPos = l->FTopPos;
    FTopPercent = l->FTopPercent;
    FVertMargin = l->FVertMargin;
    FVertSpacing = l->FVertSpacing;
  }
  TPlotCustomShapePosition::Assign(Source);
}

void TCustomChartLegend::SetFirstValue(int32_t V) {
  if (V < 0) throw LegendException(PlotConst::MsgLegendFirstValue);
  Change(FFirstValue, V);
}

void TCustomChartLegend::SetLegendStyle(TLegendStyle V) {
  FLegendStyle = V;
  CalcEffectiveStyle();
  Repaint();
}

void TCustomChartLegend::SetCheckBoxesStyle(TCheckBoxesStyle V) {
  Change(FCheckBoxesStyle, V);
  if (V != cbsRadio || !FChart) return;
  bool kept = false;
  for (int32_t i = 0; i < FChart->SeriesCount(); ++i) {
    TChartSeries* s = FChart->GetSeries(i);
    if (!s->GetShowInLegend()) continue;
    if (s->GetActive() && !kept)
      kept = true;
    else
      s->SetActive(false);
  }
}

void TCustomChartLegend::RestrictToSeries(TChartSeries* Series) {
  FRestrictedSeries = Series;
  Repaint();
}

void TCustomChartLegend::CalcEffectiveStyle() {
  if (FLegendStyle != lsAuto) {
    EffectiveStyle = FLegendStyle;
    return;
  }
  EffectiveStyle = FCheckBoxes || (FChart && FChart->CountActiveSeries() > 1) ? lsSeries : lsValues;
}

bool TCustomChartLegend::HasContent() const {
  return GetVisible() && FChart && (CheckBoxesShown() || FChart->CountActiveSeries() > 0);
}

int32_t TCustomChartLegend::ItemHeight() const {
  if (!FChart) return 0;
  TCanvas3D& c = *FChart->Canvas();
  // Between paints the canvas measures nothing: the last paint's height serves.
  if (!c.Target) return FItemH;
  c.UseFont(*Font());
  int32_t h = c.FontHeight();
  if (CheckBoxesShown()) h = std::max(h, 17);
  h += FVertSpacing;
  if (AtSide() && FDividingLines->GetVisible()) h += FDividingLines->GetWidth();
  return h;
}

int32_t TCustomChartLegend::TitleHeightNow() const {
  if (!FChart) return 0;
  TCanvas3D& c = *FChart->Canvas();
  return c.Target ? FTitle->TitleHeight(c) : FTitleH;
}

int32_t TCustomChartLegend::ItemsTop() const {
  int32_t top = PlacedRect.Top;
  if (HasTitle) {
    top += TitleHeightNow() + 2;
    if (!FTitle->GetTransparent() && FTitle->Shadow()) top += std::abs(FTitle->Shadow()->GetVertSize());
  }
  return top;
}

TChartSeries* TCustomChartLegend::LegendSeries() const {
  if (FRestrictedSeries) return FRestrictedSeries;
  if (!FChart) return nullptr;
  TChartSeries* first = TCustomChart::FirstActiveSeriesOf(*FChart);
  if (first && first->GetShowInLegend()) return first;
  for (int32_t i = 0; i < FChart->SeriesCount(); ++i) {
    TChartSeries* s = FChart->GetSeries(i);
    if (s->GetActive() && s->GetShowInLegend()) return s;
  }
  return first;
}

std::string TCustomChartLegend::ItemText(int32_t Index) const {
  std::string text;
  if (!FChart) return text;
  switch (EffectiveStyle) {
    case lsSeries: FChart->LegendSeriesText(Index, !FCheckBoxes, text); break;
    case lsValues: FChart->GetLegendText(LegendSeries(), Index, text); break;
    case lsLastValues:
      if (TChartSeries* s = FChart->LegendSeries(Index, !FCheckBoxes))
        FChart->GetLegendText(s, s->LegendEntryCount() - 1, text);
      break;
    case lsAuto: break;
  }
  return text;
}

void TCustomChartLegend::ComputeTexts(int32_t First, int32_t Last) {
  Items.clear();
  auto* chart = dynamic_cast<TCustomChart*>(FChart);
  bool html = false;
  for (int32_t v = First; v <= Last; ++v) {
    std::string text;
    if (chart)
      chart->LegendItemText(*this, v, text);
    else
      text = ItemText(v);
    TLegendItem item;
    const size_t sep = text.find(ColumnSeparator);
    if (sep == std::string::npos) {
      item.Column[0] = text;
    } else {
      item.Column[0] = text.substr(0, sep);
      const size_t sep2 = text.find(ColumnSeparator, sep + 1);
      item.Column[1] = text.substr(sep + 1, sep2 == std::string::npos ? std::string::npos : sep2 - sep - 1);
    }
    html = html || IsHtmlText(text);
    Items.push_back(std::move(item));
  }
  if (html) SetTextFormat(ttfHtml);
}

void TCustomChartLegend::MeasureColumns() {
  TCanvas3D& c = *FChart->Canvas();
  const bool html = GetTextFormat() == ttfHtml;
  for (int col = 0; col < 2; ++col) {
    int32_t widest = 0;
    for (const TLegendItem& item : Items) {
      const std::string& t = item.Column[col];
      if (t.empty()) continue;
      int32_t w;
      if (html) {
        TPoint size{0, 0};
        PlotHtml::HtmlTextExtent(c, t, size);
        w = size.X;
      } else {
        w = c.TextWidth(t);
      }
      widest = std::max(widest, w);
    }
    ColumnWidths[col] = widest;
  }
}

int32_t TCustomChartLegend::TextsWidth() const { return 2 * FSpace - 1 + ColumnWidths[0] + ColumnWidths[1]; }

int32_t TCustomChartLegend::FrameWidth() const {
  int32_t F = Pen()->GetVisible() ? Pen()->GetWidth() : 0;
  if (GetBevel() != bvNone) F = GetBevelWidth();
  return F;
}

void TCustomChartLegend::PaintLegend() {
  if (!FChart) return;
  TCustomAxisPanel& ch = *FChart;
  TCanvas3D& c = *ch.Canvas();
  auto* chart = dynamic_cast<TCustomChart*>(FChart);
  CalcEffectiveStyle();
  const int32_t F = FrameWidth();
  TRect& r = PlacedRect;
  const bool custom = GetCustomPosition();
  if (custom && FPositionUnits == muPercent) {
    const int32_t w = r.Right - r.Left, h = r.Bottom - r.Top;
    r.Left = RoundInt(FLeftPercent * ch.GetWidth() * 0.01);
    r.Top = RoundInt(FTopPercent * ch.GetHeight() * 0.01);
    r.Right = r.Left + w;
    r.Bottom = r.Top + h;
  }
  // Paging of a values legend.
  const int32_t perPage = ch.GetMaxPointsPerPage();
  const bool paged = EffectiveStyle == lsValues && FCurrentPage && perPage > 0;
  if (paged)
    FFirstValue = (ch.GetPage() - 1) * perPage;
  else if (perPage > 0)
    FFirstValue = 0;
  // Number of items.
  int32_t total = 0;
  if (EffectiveStyle == lsValues) {
    TChartSeries* s = LegendSeries();
    total = s && s->GetShowInLegend() ? s->LegendEntryCount() : 0;
  } else {
    for (int32_t i = 0; i < ch.SeriesCount(); ++i) {
      TChartSeries* s = ch.GetSeries(i);
      if (s->GetShowInLegend() && (FCheckBoxes || s->GetActive())) ++total;
    }
  }
  TotalItems = std::max(0, total - FFirstValue);
  FRemainingItems = TotalItems;
  if (paged) TotalItems = std::min(TotalItems, perPage);

  ch.LegendBackColor = GetColor();
  c.UseFont(*Font());
  FSpace = c.TextWidth(" ");
  const int32_t H = ItemHeight();
  c.UseFont(*Font());
  FItemH = H;
  HasTitle = FTitle->GetVisible() && FTitle->Text()->Count() > 0 && !FTitle->Text()->GetText().empty();
  const int32_t titleH = HasTitle ? TitleHeightNow() : 0;
  FTitleH = titleH;
  c.UseFont(*Font());
  const bool cbs = CheckBoxesShown();

  if (AtSide()) {
    if (!custom) {
      const int32_t h = r.Bottom - r.Top;
      r.Top = ch.ViewRect.Top + RoundInt(FTopPos * (ch.ViewRect.Bottom - ch.ViewRect.Top) * 0.01);
      r.Bottom = r.Top + h;
    }
    Columns = 1;
    const int32_t top = ItemsTop();
    Rows = top >= ch.ChartRect.Bottom || H <= 0 ? 0 : (ch.ChartRect.Bottom - 2 * F - top) / H;
    Rows = std::min({Rows, TotalItems, FMaxNumRows});
    Rows = std::max(Rows, 0);
    LastIndex = std::min(TotalItems, Rows) + FFirstValue - 1;
    ComputeTexts(FFirstValue, LastIndex);
    c.UseFont(*Font());
    MeasureColumns();
    FTextWidth = TextsWidth();
  } else {
    LastIndex = FFirstValue + TotalItems - 1;
    ComputeTexts(FFirstValue, LastIndex);
    c.UseFont(*Font());
    MeasureColumns();
    FTextWidth = TextsWidth();
    SymbolWidth = FSymbol->PixelWidth(FTextWidth);
    if (!custom) {
      const int32_t panelShadow = ch.Shadow() ? ch.Shadow()->GetVertSize() : 0;
      if (FAlignment == laBottom)
        r.Bottom = ch.ChartRect.Bottom - (panelShadow + F + 1);
      else
        r.Top = ch.ChartRect.Top + F + 1;
    }
    const int32_t W = SymbolWidth + FTextWidth + 8 + (cbs ? 27 : 0);
    if (FMaxNumRows >= 2) {
      Columns = 8 >= ch.ChartRect.Right ? 0 : (ch.ChartWidth - 2 * F - 8) / W;
      Columns = std::min(Columns, TotalItems);
      if (Columns < 1)
        Rows = 0;
      else
        Rows = std::min((TotalItems + Columns - 1) / Columns, FMaxNumRows);
    } else if (FMaxNumRows == 1) {
      Columns = TotalItems;
      Rows = 1;
    }
    LastIndex = std::min(TotalItems, Columns * Rows) + FFirstValue - 1;
  }
  if (LastIndex < FFirstValue) return;

  FGap = RoundInt(H * 0.1);
  int32_t C = H * Rows + 2;
  if (HasTitle) {
    C += titleH + 2 * FGap + 2;
    if (!FTitle->GetTransparent() && FTitle->Shadow()) C += std::abs(FTitle->Shadow()->GetVertSize());
  } else {
    C += 2 * FGap;
  }
  // Room under a legend at the top or bottom for what the size hook adds.
  int32_t below = 0;
  if (!AtSide() && SizeHook) {
    int32_t size = C;
    SizeHook(this, size);
    below = std::max(0, size - C);
  }
  if (FAlignment == laBottom && !custom) {
    r.Bottom -= below;
    r.Top = r.Bottom - C;
  } else {
    r.Bottom = r.Top + C;
  }

  const int32_t titleW = HasTitle ? FTitle->TitleWidth(c) : 0;
  c.UseFont(*Font());
  int32_t A = r.Left;
  if (AtSide()) {
    int32_t width = FTextWidth + 10;
    SymbolWidth = FSymbol->PixelWidth(FTextWidth + 10);
    width += SymbolWidth;
    if (HasTitle) width = std::max(width, titleW);
    if (SizeHook) SizeHook(this, width);
    if (custom || FAlignment == laLeft) {
      if (!custom) r.Left = ch.ChartRect.Left + F + 1;
    } else {
      const int32_t shadowH = Shadow() ? Shadow()->GetHorizSize() : 0;
      r.Right = ch.ChartRect.Right - (shadowH + F + 1);
      r.Left = r.Right - width;
      if (cbs) r.Left -= 15;
    }
    if (cbs) {
      FCheckX = r.Left + 4;
      A = FCheckX + 11;
    } else {
      A = r.Left;
    }
    r.Right = A + width;
  } else {
    int32_t D = Columns * (FTextWidth + SymbolWidth + 6) + 10;
    if (cbs) D += Columns * 13 + 8;
    if (HasTitle) D = std::max(D, titleW);
    const int32_t E = std::min(ch.ChartWidth, D);
    const int32_t half = E / 2;
    if (!custom)
      r.Left = ch.ChartXCenter - half +
               RoundInt(FTopPos * ((ch.ViewRect.Right - ch.ViewRect.Left) - 2 * half) * 0.01);
    r.Right = r.Left + 2 * half;
    if (cbs) {
      FCheckX = r.Left + 4;
      A = r.Left + 15;
    } else {
      A = r.Left;
    }
  }
  if (FSymbol->GetPosition() == spRight) {
    FTextX = A + 6;
    FSymbolX = A + FTextWidth + 6;
  } else {
    FSymbolX = A + 6;
    FTextX = A + SymbolWidth + 10;
  }
  if (chart && chart->OnGetLegendRect) chart->OnGetLegendRect(chart, r);

  DrawShape();
  if (HasTitle) {
    TRect t(r.Left + 2, r.Top + 2, r.Right - 2, r.Top + 2 + titleH);
    if (!FTitle->GetTransparent() && FTitle->Shadow()) {
      const int32_t hs = FTitle->Shadow()->GetHorizSize(), vs = FTitle->Shadow()->GetVertSize();
      if (hs < 0) t.Left -= hs;
      else t.Right -= hs;
      if (vs < 0) t.Top -= vs;
    }
    FTitle->PlacedRect = t;
    FTitle->DrawShape();
    FTitle->DrawText(c);
    c.UseFont(*Font());
  }
  for (int32_t p = 0; p <= LastIndex - FFirstValue; ++p) DrawItem(FInverted ? LastIndex - p : FFirstValue + p, p);

  if (FResizeChart && !custom) {
    const int32_t M = FHorizMargin != 0 ? FHorizMargin : 3 * ch.ChartWidth / 100;
    const int32_t V = FVertMargin != 0 ? FVertMargin : 4 * ch.ChartHeight / 100;
    switch (FAlignment) {
      case laLeft: ch.ChartRect.Left = r.Right + M; break;
      case laRight: ch.ChartRect.Right = r.Left - M; break;
      case laTop: ch.ChartRect.Top = r.Bottom + below + (ch.Shadow() ? ch.Shadow()->GetVertSize() : 0) + V; break;
      case laBottom: ch.ChartRect.Bottom = r.Top - V; break;
    }
    ch.RecalcChartRect();
  }
}

void TCustomChartLegend::DrawCheck(int32_t X, int32_t Y, bool Checked) const {
  TCanvas3D& c = *FChart->Canvas();
  c.Pen->SetStyle(psSolid);
  c.Pen->SetWidth(1);
  c.Pen->SetColor(TColor(0x808080));
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(clWhite);
  if (FCheckBoxesStyle == cbsRadio) {
    c.Ellipse(X, Y, X + 13, Y + 13);
    if (Checked) {
      c.Pen->SetColor(clBlack);
      c.Brush->SetColor(clBlack);
      c.Ellipse(X + 4, Y + 4, X + 9, Y + 9);
    }
  } else {
    c.Rectangle(X, Y, X + 13, Y + 13);
    if (Checked) {
      // A tick three pixels thick, as the platform's check box draws it.
      c.Pen->SetColor(clBlack);
      for (int32_t d = 0; d < 3; ++d) {
        c.Line(X + 3, Y + 5 + d, X + 5, Y + 7 + d);
        c.Line(X + 5, Y + 7 + d, X + 10, Y + 2 + d);
      }
    }
  }
  c.Brush->SetStyle(bsClear);
}

void TCustomChartLegend::DrawItem(int32_t V, int32_t P) {
  if (P >= TotalItems) return;
  TCustomAxisPanel& ch = *FChart;
  TCanvas3D& c = *ch.Canvas();
  auto* chart = dynamic_cast<TCustomChart*>(FChart);
  const bool cbs = CheckBoxesShown();
  c.Brush->SetColor(GetColor());
  c.Brush->SetStyle(bsClear);
  ch.LegendSymbolPen = FSymbol->GetDefaultPen() ? nullptr : FSymbol->Pen();
  const int32_t H = FItemH;
  int32_t row = P, offsetX = 0;
  if (!AtSide() && Columns > 0) {
    row = P / Columns;
    offsetX = (P % Columns) * (FTextWidth + SymbolWidth + 6 + (cbs ? 15 : 0));
  }
  int32_t textX = FTextX + offsetX, symbolX = FSymbolX + offsetX;
  int32_t Y = ItemsTop() + FGap + 1 + H * row + FVertSpacing / 2;
  if (chart && chart->OnGetLegendPos) chart->OnGetLegendPos(chart, V, symbolX, Y, textX);
  c.UseFont(*Font());
  const TColor oldFontColor = Font()->GetColor();
  const bool seriesStyle = EffectiveStyle != lsValues;
  TChartSeries* valuesSeries = seriesStyle ? nullptr : LegendSeries();
  if (FFontSeriesColor) {
    TColor color = oldFontColor;
    if (seriesStyle) {
      if (TChartSeries* s = ch.LegendSeries(V, !FCheckBoxes)) color = s->GetSeriesColor();
    } else if (valuesSeries) {
      color = valuesSeries->LegendEntryColor(V);
    }
    c.Font->SetColor(color);
  }
  const bool html = GetTextFormat() == ttfHtml;
  c.SetBackMode(TRANSPARENT);
  const TLegendItem& item = Items[static_cast<size_t>(V - FFirstValue)];
  int32_t X = textX;
  for (int col = 0; col < 2; ++col) {
    const std::string& text = item.Column[col];
    const bool right = EffectiveStyle != lsSeries &&
                       (col == 0 ? RightAlignsColumn0(FTextStyle) : RightAlignsColumn1(FTextStyle));
    const int32_t y = Y + (cbs ? 1 : 0);
    if (right) {
      X += ColumnWidths[col];
      if (!text.empty()) {
        int32_t w = c.TextWidth(text);
        if (html) {
          TPoint size{0, 0};
          PlotHtml::HtmlTextExtent(c, text, size);
          w = size.X;
        }
        c.SetTextAlign(TA_LEFT);
        c.TextOutFormat(X - w, y, text, html);
      }
    } else {
      c.SetTextAlign(TA_LEFT);
      if (!text.empty()) c.TextOutFormat(X, y, text, html);
      X += ColumnWidths[col];
    }
    X += FSpace;
  }
  const bool continuous = FSymbol->GetContinuous();
  const bool lastItem = P == LastIndex - FFirstValue;
  const TRect symbolRect(symbolX, continuous && P > 0 ? Y : Y + 2, symbolX + SymbolWidth,
                         continuous && !lastItem ? Y + H + 1 : Y + H + 1 - (FVertSpacing + 3));
  TChartSeries* drawn = nullptr;
  if (!seriesStyle) {
    if (SymbolWidth > 0) {
      if (valuesSeries) {
        valuesSeries->DrawLegend(valuesSeries->LegendToValueIndex(V), symbolRect);
        drawn = valuesSeries;
      } else {
        FSymbol->DrawGradientSymbol(c, clWhite, symbolRect);
      }
    }
  } else if (cbs) {
    if (TChartSeries* s = ch.LegendSeries(V, false)) {
      const bool ticked = ch.LegendMode == 1   ? !s->ExcludeFromXAuto
                          : ch.LegendMode == 2 ? !s->ExcludeFromYAuto
                                               : s->GetActive();
      DrawCheck(FCheckX + offsetX, Y - 1 + (H - FVertSpacing - 11) / 2, ticked);
      if (SymbolWidth > 0) {
        s->DrawLegend(-1, symbolRect);
        drawn = s;
      }
    }
  } else if (TChartSeries* s = ch.LegendSeries(V, true); s && SymbolWidth > 0) {
    s->DrawLegend(-1, symbolRect);
    drawn = s;
  }
  if (SymbolWidth > 0 && FSymbol->OnDraw) FSymbol->OnDraw(FSymbol.get(), drawn, symbolRect, V);
  if (P > 0 && FDividingLines->GetVisible()) {
    c.UsePen(*FDividingLines);
    c.SetBackMode(TRANSPARENT);
    if (AtSide())
      c.HorizLine(PlacedRect.Left, PlacedRect.Right, Y - FVertSpacing / 2);
    else
      c.VertLine(PlacedRect.Left + offsetX + 2, PlacedRect.Top, PlacedRect.Bottom);
  }
  c.Font->SetColor(oldFontColor);
}

int32_t TCustomChartLegend::Clicked(int32_t X, int32_t Y) const {
  const TRect& r = PlacedRect;
  if (X < r.Left || X > r.Right || Y < r.Top || Y > r.Bottom || !FChart) return -1;
  const int32_t H = ItemHeight();
  const int32_t top = ItemsTop();
  int32_t row = -1;
  for (int32_t a = 0; a < Rows; ++a)
    if (top + a * H + 1 <= Y && Y <= top + (a + 1) * H + 1) {
      row = FInverted ? Rows - a - 1 : a;
      break;
    }
  if (row < 0) return -1;
  if (AtSide()) return FFirstValue + row;
  if (Columns <= 0) return -1;
  const int32_t width = (r.Right - r.Left) / Columns;
  int32_t result = -1;
  for (int32_t col = 0; col < Columns; ++col) {
    if (X < r.Left + col * width + 1 || X > r.Left + (col + 1) * width + 1) continue;
    const int32_t index = row * Columns + (FInverted ? Columns - col - 1 : col);
    result = index > TotalItems - 1 ? -1 : FFirstValue + index;
  }
  return result;
}

bool TCustomChartLegend::CheckBoxClick(int32_t /*X*/, int32_t /*Y*/, int32_t ItemIndex) {
  if (!CheckBoxesShown() || ItemIndex == -1 || !FChart) return false;
  TCustomAxisPanel& ch = *FChart;
  const auto setPaired = [](TChartSeries* s) {
    if (TChartSeries* p = s->PairedSeries) p->SetActive(s->GetActive());
  };
  if (FCheckBoxesStyle == cbsRadio) {
    for (int32_t i = 0; i < ch.SeriesCount(); ++i) {
      if (TChartSeries* s = ch.LegendSeries(i, false)) {
        s->SetActive(i == ItemIndex);
        setPaired(s);
      }
    }
    return true;
  }
  TChartSeries* s = ch.LegendSeries(ItemIndex, false);
  if (!s) return false;
  switch (ch.LegendMode) {
    case 1: s->ExcludeFromXAuto = !s->ExcludeFromXAuto; ch.Invalidate(); break;
    case 2: s->ExcludeFromYAuto = !s->ExcludeFromYAuto; ch.Invalidate(); break;
    default:
      s->SetActive(!s->GetActive());
      setPaired(s);
      break;
  }
  return true;
}
