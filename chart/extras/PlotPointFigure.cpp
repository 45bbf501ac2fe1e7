// The point-and-figure series.
#include "chart/extras/PlotPointFigure.h"

#include <cmath>

#include "chart/engine/Chart.h"
#include "platform/rtl/SysUtils.h"

KV_CLASS_IMPL(TPointFigureSeries, TOHLCSeries) {
  using S = TPointFigureSeries;
  c.Property("BoxSize", &S::GetBoxSize, &S::SetBoxSize).Default(1.0);
  c.Property("DownSymbol", &S::DownSymbol);
  c.Property("ReversalAmount", &S::GetReversalAmount, &S::SetReversalAmount).Default(3.0);
  c.Property("UpSymbol", &S::UpSymbol);
  c.Editor("TPointFigureEditor");
}

TPointFigureSeries::TPointFigureSeries(TComponent* Owner) : TOHLCSeries(Owner) {
  XValues()->SetDefaultDateTime(false);
  FUp = std::make_unique<TSeriesPointer>(this);
  FUp->SetStyle(TSeriesPointerStyle::psDiagCross);
  FUp->Brush()->SetColor(0x008000);
  FDown = std::make_unique<TSeriesPointer>(this);
  FDown->SetStyle(TSeriesPointerStyle::psCircle);
  FDown->Brush()->SetColor(0x0000FF);
}

TPointFigureSeries::~TPointFigureSeries() = default;

void TPointFigureSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TPointFigureSeries*>(Source)) {
    FBoxSize = s->FBoxSize;
    FReversalAmount = s->FReversalAmount;
    FUp->Assign(s->FUp.get());
    FDown->Assign(s->FDown.get());
  }
  TOHLCSeries::Assign(Source);
}

void TPointFigureSeries::SetBoxSize(double Value) {
  // A box of no height would never end a run of symbols.
  if (!(Value > 0))
    throw ChartException(SysUtils::Format("The box size must be above 0 (not %s).", {SysUtils::FloatToStr(Value)}));
  SetDoubleProperty(FBoxSize, Value);
}

void TPointFigureSeries::SetReversalAmount(double Value) { SetDoubleProperty(FReversalAmount, Value); }

void TPointFigureSeries::SetParentChart(TSeriesChart* Value) {
  TOHLCSeries::SetParentChart(Value);
  if (ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  FUp->SetParent(dynamic_cast<TCustomPlotPanel*>(Value));
  FDown->SetParent(dynamic_cast<TCustomPlotPanel*>(Value));
}

TColor TPointFigureSeries::LegendEntryColor(int32_t Item) const {
  return (Item == 0 ? FUp : FDown)->Brush()->GetColor();
}

std::string TPointFigureSeries::GetLegendString(int32_t Item, TLegendTextStyle /*Style*/) const {
  return Item == 0 ? "Up" : "Down";
}

int32_t TPointFigureSeries::CalcColumns(bool Draw) {
  const int32_t n = Count();
  if (n == 0) return 0;
  const double box = FBoxSize, reversal = FReversalAmount * FBoxSize;
  const TChartValueList &high = *HighValues(), &low = *LowValues();
  // The symbols are counted first; drawing follows only when they are not too many.
  double symbols = 0;
  TCanvas3D* canvas = nullptr;
  int32_t x = 0;
  const auto run = [&](TSeriesPointer& Symbol, double From, double To, bool Drawing) {
    if (!(To >= From)) return;
    // Stepped by index, with a tolerance so that rounding never loses the last box.
    const double steps = std::floor((To - From) / box + 1e-9);
    if (!Drawing) {
      symbols += steps + 1;
      return;
    }
    const auto last = static_cast<int64_t>(steps);
    for (int64_t k = 0; k <= last; ++k) {
      Symbol.PrepareCanvas(*canvas, Symbol.GetColor());
      Symbol.DrawOnChart(x, YValueToPixel(From + static_cast<double>(k) * box), Symbol.GetColor(), Symbol.GetStyle());
    }
  };
  const auto walk = [&](bool Drawing) {
    int32_t column = 0;
    bool rising = false;
    double top = high[0], bottom = low[0];
    if (Drawing) x = XValueToPixel(0);
    run(*FDown, bottom, top, Drawing);
    for (int32_t j = 1; j < n; ++j) {
      if (!rising) {
        if (low[j] <= bottom - box) {
          run(*FDown, low[j], bottom - box, Drawing);
          bottom = low[j];
        } else if (high[j] >= bottom + reversal) {
          ++column;
          if (Drawing) x = XValueToPixel(column);
          run(*FUp, bottom + box, high[j], Drawing);
          rising = true;
          top = high[j];
        }
      } else if (high[j] >= top + box) {
        run(*FUp, top + box, high[j], Drawing);
        top = high[j];
      } else if (low[j] <= top - reversal) {
        ++column;
        if (Drawing) x = XValueToPixel(column);
        run(*FDown, low[j], top - box, Drawing);
        rising = false;
        bottom = low[j];
      }
    }
    return column + 1;
  };
  const int32_t columns = walk(false);
  if (Draw && FParentChart && symbols <= MaxSymbols) {
    canvas = FParentChart->GetCanvas();
    if (canvas) walk(true);
  }
  return columns;
}

void TPointFigureSeries::DrawPoints() {
  if (!FParentChart) return;
  CalcColumns(true);
}

void TPointFigureSeries::PrepareForGallery(bool Enabled) {
  TOHLCSeries::PrepareForGallery(Enabled);
  if (Enabled) return;
  for (TSeriesPointer* s : {FUp.get(), FDown.get()}) {
    s->Brush()->SetColor(clSilver);
    s->Pen()->SetColor(clGray);
  }
}

namespace PlotPointFigure {

namespace {
const std::string kPointFigure = "Point & Figure", kFinancial = "Financial";
}  // namespace

void Initialize() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TPointFigureSeries::StaticClass()))
    Chart::AddSeriesType(TPointFigureSeries::StaticClass(), &kPointFigure, &kFinancial, 1);
}

void Finalize() { Chart::RemoveSeriesTypes({TPointFigureSeries::StaticClass()}); }

}  // namespace PlotPointFigure
