// The axis model: settings with their checks, pens, title and the list of a
// chart's axes.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine.h"

// ---- pens and title ---------------------------------------------------------

KV_CLASS_IMPL(TChartAxisPen, TChartPen) {
  c.Property("LineMode", &TChartAxisPen::GetLineMode, &TChartAxisPen::SetLineMode)
      .Names({"lmLine", "lmCylinder", "lmRectangle"})
      .Default(0);
}

TChartAxisPen::TChartAxisPen(TPlotChangeEvent ChangeHandler) : TChartPen(std::move(ChangeHandler)) { SetWidth(2); }

void TChartAxisPen::Assign(const TPersistent* Source) {
  if (auto* Other = dynamic_cast<const TChartAxisPen*>(Source)) FLineMode = Other->FLineMode;
  TChartPen::Assign(Source);
}

void TChartAxisPen::SetLineMode(TPenLineMode Value) {
  if (FLineMode == Value) return;
  FLineMode = Value;
  NotifyChange();
}

KV_CLASS_IMPL(TAxisGridPen, TDottedGrayPen) {
  c.Property("ZPosition", &TAxisGridPen::GetZPosition, &TAxisGridPen::SetZPosition)
      .Stored(&TAxisGridPen::IsZPositionStored);
}

TAxisGridPen::TAxisGridPen(TPlotChangeEvent ChangeHandler) : TDottedGrayPen(std::move(ChangeHandler)) {}

void TAxisGridPen::Assign(const TPersistent* Source) {
  if (auto* Other = dynamic_cast<const TAxisGridPen*>(Source)) {
    FZPosition = Other->FZPosition;
    FCentered = Other->FCentered;
  }
  TDottedGrayPen::Assign(Source);
}

void TAxisGridPen::SetZPosition(double Value) {
  if (FZPosition == Value) return;
  FZPosition = Value;
  NotifyChange();
}

void TAxisGridPen::SetCentered(bool Value) {
  if (FCentered == Value) return;
  FCentered = Value;
  NotifyChange();
}

KV_CLASS_IMPL(TChartAxisTitle, TPlotCustomShape) {
  c.Property("Angle", &TChartAxisTitle::GetAngle, &TChartAxisTitle::SetAngle).Default(0);
  c.Property("Caption", &TChartAxisTitle::GetCaption, &TChartAxisTitle::SetCaption);
}

TChartAxisTitle::TChartAxisTitle(TPlotChangeEvent ChangeHandler) : FOnChange(std::move(ChangeHandler)) {}

void TChartAxisTitle::Repaint() {
  if (FOnChange) FOnChange(this);
}

void TChartAxisTitle::Assign(const TPersistent* Source) {
  if (auto* Other = dynamic_cast<const TChartAxisTitle*>(Source)) {
    FAngle = Other->FAngle;
    FCaption = Other->FCaption;
  }
  TPlotCustomShape::Assign(Source);
  Repaint();
}

void TChartAxisTitle::SetAngle(int32_t Value) { Change(FAngle, Value % 360); }

void TChartAxisTitle::SetCaption(const std::string& Value) { Change(FCaption, Value); }

void TChartAxisTitle::SetVisible(bool Value) {
  if (GetVisible() == Value) return;
  TPlotCustomShape::SetVisible(Value);
  Repaint();
}

// ---- the axis ---------------------------------------------------------------

KV_CLASS_IMPL(TChartAxis, TCollectionItem) {
  c.Property("Automatic", &TChartAxis::GetAutomatic, &TChartAxis::SetAutomatic).Default(true);
  c.Property("AutomaticMaximum", &TChartAxis::GetAutomaticMaximum, &TChartAxis::SetAutomaticMaximum).Default(true);
  c.Property("AutomaticMinimum", &TChartAxis::GetAutomaticMinimum, &TChartAxis::SetAutomaticMinimum).Default(true);
  c.Property("AxisValuesFormat", &TChartAxis::GetAxisValuesFormat, &TChartAxis::SetAxisValuesFormat);
  c.Property("DateTimeFormat", &TChartAxis::GetDateTimeFormat, &TChartAxis::SetDateTimeFormat);
  c.Property("ExactDateTime", &TChartAxis::GetExactDateTime, &TChartAxis::SetExactDateTime).Default(true);
  c.Property("GridCentered", &TChartAxis::GetGridCentered, &TChartAxis::SetGridCentered).Default(false);
  c.Property("Increment", &TChartAxis::GetIncrement, &TChartAxis::SetIncrement);
  c.Property("Inverted", &TChartAxis::GetInverted, &TChartAxis::SetInverted).Default(false);
  c.Property("Labels", &TChartAxis::GetLabels, &TChartAxis::SetLabels).Default(true);
  c.Property("LabelsAngle", &TChartAxis::GetLabelsAngle, &TChartAxis::SetLabelsAngle).Default(0);
  c.Property("LabelsSeparation", &TChartAxis::GetLabelsSeparation, &TChartAxis::SetLabelsSeparation).Default(10);
  c.Property("Logarithmic", &TChartAxis::GetLogarithmic, &TChartAxis::SetLogarithmic).Default(false);
  c.Property("LogarithmicBase", &TChartAxis::GetLogarithmicBase, &TChartAxis::SetLogarithmicBase);
  c.Property("Maximum", &TChartAxis::GetMaximum, &TChartAxis::SetMaximum);
  c.Property("Minimum", &TChartAxis::GetMinimum, &TChartAxis::SetMinimum);
  c.Property("Visible", &TChartAxis::GetVisible, &TChartAxis::SetVisible).Default(true);
  c.Property("Title", &TChartAxis::Title);
  c.Property("TitleSize", &TChartAxis::GetTitleSize, &TChartAxis::SetTitleSize).Default(0);
  c.Property("LabelsAlign", &TChartAxis::GetLabelsAlign, &TChartAxis::SetLabelsAlign)
      .Names({"alDefault", "alOpposite"})
      .Default(0);
  c.Property("LabelsAlternate", &TChartAxis::GetLabelsAlternate, &TChartAxis::SetLabelsAlternate).Default(false);
  c.Property("LabelsExponent", &TChartAxis::GetLabelsExponent, &TChartAxis::SetLabelsExponent).Default(false);
  c.Property("LabelsFont", &TChartAxis::LabelsFont);
  c.Property("LabelsMultiLine", &TChartAxis::GetLabelsMultiLine, &TChartAxis::SetLabelsMultiLine).Default(false);
  c.Property("LabelsOnAxis", &TChartAxis::GetLabelsOnAxis, &TChartAxis::SetLabelsOnAxis).Default(true);
  c.Property("LabelsSize", &TChartAxis::GetLabelsSize, &TChartAxis::SetLabelsSize).Default(0);
  c.Property("LabelStyle", &TChartAxis::GetLabelStyle, &TChartAxis::SetLabelStyle)
      .Names({"talAuto", "talNone", "talValue", "talMark", "talText"})
      .Default(0);
  c.Property("RoundFirstLabel", &TChartAxis::GetRoundFirstLabel, &TChartAxis::SetRoundFirstLabel).Default(true);
  c.Property("Axis", &TChartAxis::Axis);
  c.Property("Grid", &TChartAxis::Grid);
  c.Property("MinorGrid", &TChartAxis::MinorGrid);
  c.Property("MinorTicks", &TChartAxis::MinorTicks);
  c.Property("Ticks", &TChartAxis::Ticks);
  c.Property("TicksInner", &TChartAxis::TicksInner);
  c.Property("TickLength", &TChartAxis::GetTickLength, &TChartAxis::SetTickLength).Default(4);
  c.Property("TickInnerLength", &TChartAxis::GetTickInnerLength, &TChartAxis::SetTickInnerLength).Default(0);
  c.Property("TickOnLabelsOnly", &TChartAxis::GetTickOnLabelsOnly, &TChartAxis::SetTickOnLabelsOnly).Default(true);
  c.Property("MinorTickCount", &TChartAxis::GetMinorTickCount, &TChartAxis::SetMinorTickCount).Default(3);
  c.Property("MinorTickLength", &TChartAxis::GetMinorTickLength, &TChartAxis::SetMinorTickLength).Default(2);
  c.Property("PositionPercent", &TChartAxis::GetPositionPercent, &TChartAxis::SetPositionPercent).Default(0);
  c.Property("StartPosition", &TChartAxis::GetStartPosition, &TChartAxis::SetStartPosition).Default(0);
  c.Property("EndPosition", &TChartAxis::GetEndPosition, &TChartAxis::SetEndPosition).Default(100);
  c.Property("ZPosition", &TChartAxis::GetZPosition, &TChartAxis::SetZPosition);
  c.Property("PositionUnits", &TChartAxis::GetPositionUnits, &TChartAxis::SetPositionUnits)
      .Names({"muPercent", "muPixels"})
      .Default(0);
  c.Property("OtherSide", &TChartAxis::GetOtherSide, &TChartAxis::SetOtherSide);
  c.Property("Horizontal", &TChartAxis::GetHorizontal, &TChartAxis::SetHorizontal);
  c.Property("MaximumOffset", &TChartAxis::GetMaximumOffset, &TChartAxis::SetMaximumOffset).Default(0);
  c.Property("MinimumOffset", &TChartAxis::GetMinimumOffset, &TChartAxis::SetMinimumOffset).Default(0);
}

TChartAxis::TChartAxis(TCollection* Collection, TAxisChart* Chart, bool Horizontal, bool OtherSide)
    : TCollectionItem(Collection), FChart(Chart), FHorizontal(Horizontal), FOtherSide(OtherSide) {
  auto Changed = [this](TObject*) { Repaint(); };
  FAxisPen = std::make_unique<TChartAxisPen>(Changed);
  FGrid = std::make_unique<TAxisGridPen>(Changed);
  FMinorGrid = std::make_unique<TChartHiddenPen>(Changed);
  FMinorTicks = std::make_unique<TDarkGrayPen>(Changed);
  FTicks = std::make_unique<TDarkGrayPen>(Changed);
  FTicksInner = std::make_unique<TDarkGrayPen>(Changed);
  FTitle = std::make_unique<TChartAxisTitle>(Changed);
  FItems = std::make_unique<TAxisItems>(this);
  if (FChart) FChart->GetAxes().Add(this);
}

void TChartAxis::BeforeDestruction() {
  if (FChart) {
    FChart->AxisFreed(*this);
    FChart->GetAxes().Remove(this);
    FChart = nullptr;
  }
  TCollectionItem::BeforeDestruction();
}

TChartAxis::~TChartAxis() {
  // Deleted without Free: still leave the chart's list.
  if (FChart) FChart->GetAxes().Remove(this);
}

void TChartAxis::Repaint() {
  if (FChart) FChart->Invalidate();
}

void TChartAxis::Assign(const TPersistent* Source) {
  auto* A = dynamic_cast<const TChartAxis*>(Source);
  if (!A) {
    TCollectionItem::Assign(Source);
    return;
  }
  FAxisPen->Assign(A->FAxisPen.get());
  FItems->Assign(*A->FItems);
  FLabelsAlign = A->FLabelsAlign;
  FLabelsAlternate = A->FLabelsAlternate;
  FLabelsAngle = A->FLabelsAngle;
  FLabelsExponent = A->FLabelsExponent;
  FLabelsMultiLine = A->FLabelsMultiLine;
  FLabelsSeparation = A->FLabelsSeparation;
  FLabelsSize = A->FLabelsSize;
  FLabelStyle = A->FLabelStyle;
  FLabelsOnAxis = A->FLabelsOnAxis;
  FTicks->Assign(A->FTicks.get());
  FTicksInner->Assign(A->FTicksInner.get());
  FTitleSize = A->FTitleSize;
  FGrid->Assign(A->FGrid.get());
  FMinorTicks->Assign(A->FMinorTicks.get());
  FMinorGrid->Assign(A->FMinorGrid.get());
  FTickLength = A->FTickLength;
  FMinorTickLength = A->FMinorTickLength;
  FMinorTickCount = A->FMinorTickCount;
  FTickInnerLength = A->FTickInnerLength;
  FAxisValuesFormat = A->FAxisValuesFormat;
  FIncrement = A->FIncrement;
  FMaximum = A->FMaximum;
  FMaximumOffset = A->FMaximumOffset;
  FMinimum = A->FMinimum;
  FMinimumOffset = A->FMinimumOffset;
  FAutomatic = A->FAutomatic;
  FAutomaticMaximum = A->FAutomaticMaximum;
  FAutomaticMinimum = A->FAutomaticMinimum;
  FTitle->Assign(A->FTitle.get());
  FDateTimeFormat = A->FDateTimeFormat;
  FLogarithmic = A->FLogarithmic;
  FLogarithmicBase = A->FLogarithmicBase;
  FInverted = A->FInverted;
  FExactDateTime = A->FExactDateTime;
  FRoundFirstLabel = A->FRoundFirstLabel;
  FTickOnLabelsOnly = A->FTickOnLabelsOnly;
  DepthAxisFlag = A->DepthAxisFlag;
  FStartPosition = A->FStartPosition;
  FEndPosition = A->FEndPosition;
  FPositionPercent = A->FPositionPercent;
  FPositionUnits = A->FPositionUnits;
  FVisible = A->FVisible;
  FHorizontal = A->FHorizontal;
  FOtherSide = A->FOtherSide;
  Repaint();
}

void TChartAxis::SetLabels(bool Value) {
  if (GetLabels() == Value) return;
  FItems->Format().SetVisible(Value);
  Repaint();
}

TChartAxis* TChartAxis::CreateCustom(TAxisChart& Chart) {
  auto* Axis = new TChartAxis(Chart.GetCustomAxes(), &Chart);
  Axis->Init();
  return Axis;
}

void TChartAxis::SetAutomatic(bool Value) {
  Change(FAutomatic, Value);
  if (!FChart || !FChart->IsLoading()) {
    FAutomaticMinimum = Value;
    FAutomaticMaximum = Value;
  }
}

void TChartAxis::SetAutomaticMaximum(bool Value) {
  Change(FAutomaticMaximum, Value);
  if (!Value)
    FAutomatic = false;
  else if (FAutomaticMinimum)
    FAutomatic = true;
}

void TChartAxis::SetAutomaticMinimum(bool Value) {
  Change(FAutomaticMinimum, Value);
  if (!Value)
    FAutomatic = false;
  else if (FAutomaticMaximum)
    FAutomatic = true;
}

void TChartAxis::SetIncrement(double Value) {
  if (!(Value >= 0)) throw AxisException(PlotConst::MsgAxisIncrementPositive);
  Change(FIncrement, Value);
}

void TChartAxis::SetInverted(bool Value) { Change(FInverted, Value); }

void TChartAxis::SetHorizontal(bool Value) { Change(FHorizontal, Value); }

void TChartAxis::SetLabelsSeparation(int32_t Value) {
  if (Value < 0) throw AxisException(PlotConst::MsgAxisLabelSep);
  Change(FLabelsSeparation, Value);
}

void TChartAxis::SetLogarithmicBase(double Value) {
  if (Value == 1 || !(Value > 0)) throw AxisException(PlotConst::MsgAxisLogBase);
  Change(FLogarithmicBase, Value);
}

void TChartAxis::SetMinimum(double Value) {
  if ((!FChart || !FChart->IsLoading()) && Value > FMaximum) throw AxisException(PlotConst::MsgAxisMinMax);
  Change(FMinimum, Value);
}

void TChartAxis::SetMaximum(double Value) {
  if ((!FChart || !FChart->IsLoading()) && Value < FMinimum) throw AxisException(PlotConst::MsgAxisMaxMin);
  Change(FMaximum, Value);
}

bool TChartAxis::IsDateTime() const { return FChart && FChart->AxisIsDateTime(*this); }

void TChartAxis::SetLogarithmic(bool Value) {
  if (FChart) FChart->UndoZoom();
  if (Value && IsDateTime()) throw AxisException(PlotConst::MsgAxisDateTimeLog);
  const bool Changed = FLogarithmic != Value;
  Change(FLogarithmic, Value);
  if (LogLabelFormat) {
    if (Value) {
      FLabelsExponent = true;
      FAxisValuesFormat = "0\"0\"e-0";
      FMinorTickCount = 8;
      FIncrement = 0;
    } else {
      FLabelsExponent = false;
      FAxisValuesFormat = "##0.###";
      FMinorTickCount = 1;
    }
  }
  if (Value) CalcAxisRange();
  if (Changed && OnAxisChange) OnAxisChange(this);
}

void TChartAxis::SetMinMax(double Min, double Max) {
  FAutomatic = FAutomaticMinimum = FAutomaticMaximum = false;
  if (Min > Max) std::swap(Min, Max);
  Change(FMinimum, Min);
  Change(FMaximum, Max);
  if (FMaximum - FMinimum < 1e-10) FMaximum = FMinimum + 1e-10;
}

void TChartAxis::Scroll(double Offset, bool CheckLimits) {
  if (CheckLimits && FChart) {
    const bool Ok = (Offset > 0 && FChart->AxisMaxValue(*this) > FMaximum) ||
                    (Offset < 0 && FChart->AxisMinValue(*this) < FMinimum);
    if (!Ok) return;
  }
  FAutomatic = FAutomaticMinimum = FAutomaticMaximum = false;
  FMaximum += Offset;
  FMinimum += Offset;
  Repaint();
}

void TChartAxis::RecalcAndNotify() {
  CalcAxisRange();
  Repaint();
  if (OnAxisChange) OnAxisChange(this);
}

void TChartAxis::StoreDefaultText() { AxisDefaultText = PlotEngine::AxisToText(*this); }

// ---- label items ----------------------------------------------------------------

KV_CLASS_IMPL(TAxisItem, TPlotCustomShape) {
  c.Property("Text", &TAxisItem::GetText, &TAxisItem::SetText);
  c.Property("Value", &TAxisItem::GetValue, &TAxisItem::SetValue);
}

TAxisItem::TAxisItem(TChartAxis* Axis) : FAxis(Axis) {
  DefaultTransparent = true;
  SetTransparent(true);
}

void TAxisItem::Repaint() {
  if (FAxis && FAxis->ParentChart()) FAxis->ParentChart()->Invalidate();
}

TAxisItems::TAxisItems(TChartAxis* Axis) : FAxis(Axis), FFormat(std::make_unique<TPlotShape>()) {
  FFormat->DefaultTransparent = true;
  FFormat->SetTransparent(true);
}

TAxisItems::~TAxisItems() = default;

TAxisItem* TAxisItems::Add(double Value) {
  FItems.push_back(std::make_unique<TAxisItem>(FAxis));
  FItems.back()->SetValue(Value);
  return FItems.back().get();
}

TAxisItem* TAxisItems::Add(double Value, const std::string& Text) {
  TAxisItem* Item = Add(Value);
  Item->SetText(Text);
  return Item;
}

TAxisItem* TAxisItems::Items(int32_t Index) const {
  if (Index < 0 || Index >= Count()) throw ChartException("List index out of bounds (" + std::to_string(Index) + ")");
  return FItems[static_cast<size_t>(Index)].get();
}

void TAxisItems::Clear() {
  FItems.clear();
  if (FAxis && FAxis->ParentChart()) FAxis->ParentChart()->Invalidate();
}

void TAxisItems::Assign(const TAxisItems& Other) {
  FFormat->Assign(Other.FFormat.get());
  Clear();
  for (const auto& Item : Other.FItems) Add(Item->GetValue(), Item->GetText());
}

// ---- the axes list ----------------------------------------------------------

TChartAxis* TChartAxes::Items(int32_t Index) const {
  if (Index < 0 || Index >= Count()) throw ChartException("List index out of bounds (" + std::to_string(Index) + ")");
  return FItems[static_cast<size_t>(Index)];
}

void TChartAxes::Remove(TChartAxis* Axis) { std::erase(FItems, Axis); }

void TChartAxes::Clear() {
  std::vector<TChartAxis*> Axes;
  Axes.swap(FItems);
  for (TChartAxis* Axis : Axes) Axis->Free();
}

void TChartAxis::DrawGridOnly() {
  TCanvas3D* c = FChart ? FChart->GetCanvas() : nullptr;
  if (!c || !FGrid->GetVisible()) return;
  c->SetBackMode(TRANSPARENT);
  c->Brush->SetStyle(bsClear);
  const TColor color = FGrid->GetColor();
  c->UsePenColor(*FGrid, color == clDefault ? TColor(0x808080) : color);
  for (int32_t p : TickPixels) DrawGridAt(*c, p);
  c->SetBackMode(OPAQUE);
}
