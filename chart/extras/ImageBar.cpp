// The image bar series and its default picture.
#include "chart/extras/ImageBar.h"

#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"

KV_CLASS_IMPL(TImageBarSeries, TBarSeries) {
  c.Property("Image", &TImageBarSeries::Image);
  c.Property("ImageTiled", &TImageBarSeries::GetImageTiled, &TImageBarSeries::SetImageTiled).Default(false);
}

TImageBarSeries::TImageBarSeries(TComponent* Owner) : TBarSeries(Owner), FImage(std::make_unique<TPicture>()) {
  TBitmap money;
  PlotProcs::LoadResBitmap(money, "PlotMoney", "");
  if (!money.GetEmpty()) FImage->SetGraphic(&money);
  FImage->OnChange = [this](TPicture*) { RepaintOnChange(this); };
}

TImageBarSeries::~TImageBarSeries() = default;

void TImageBarSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TImageBarSeries*>(Source)) {
    FImage->Assign(s->FImage.get());
    FImageTiled = s->FImageTiled;
  }
  TBarSeries::Assign(Source);
}

TRect TImageBarSeries::PictureRect() const {
  TRect r = BarBounds;
  if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
  const TChartPen& pen = *BarPen();
  if (pen.GetVisible()) {
    int32_t w = pen.GetWidth();
    if (w > 1 && w % 2 == 0) --w;
    r.Left += w;
    r.Top += w;
    if (!Chart3D()) {
      --r.Right;
      --r.Bottom;
    }
  }
  return r;
}

void TImageBarSeries::TileImage(TCanvas3D& Canvas, const TRect& R, bool Upwards) {
  const TGraphic* g = FImage->GetGraphic();
  const int64_t w = g->GetWidth(), h = g->GetHeight();
  if (w <= 0 || h <= 0 || R.Right <= R.Left || R.Bottom <= R.Top) return;
  // Only the tiles that can show are drawn: a bar reaching far beyond the
  // chart (a huge value, a small picture) must not take millions of them.
  TRect visible = FParentChart ? FParentChart->GetChartRect() : R;
  const int32_t margin = FParentChart ? std::max(0, FParentChart->GetChartDepth()) : 0;
  visible = TRect(std::max(R.Left, visible.Left - margin), std::max(R.Top, visible.Top - margin),
                  std::min(R.Right, visible.Right + margin), std::min(R.Bottom, visible.Bottom + margin));
  if (visible.Right <= visible.Left || visible.Bottom <= visible.Top) return;
  Canvas.ClipRect(R);
  // Rows start at the bar's base, so that the far end is the one cut.
  const int64_t rows = (int64_t(R.Bottom) - R.Top + h - 1) / h;
  const int64_t nearRow = Upwards ? (int64_t(R.Bottom) - visible.Bottom) / h : (int64_t(visible.Top) - R.Top) / h;
  const int64_t farRow = Upwards ? (int64_t(R.Bottom) - visible.Top) / h : (int64_t(visible.Bottom) - R.Top) / h;
  const int64_t firstColumn = (int64_t(visible.Left) - R.Left) / w;
  for (int64_t row = std::max<int64_t>(0, nearRow); row <= std::min(rows - 1, farRow); ++row) {
    const int64_t y = Upwards ? R.Bottom - (row + 1) * h : R.Top + row * h;
    for (int64_t x = R.Left + firstColumn * w; x < visible.Right; x += w)
      Canvas.DrawGraphic(static_cast<int32_t>(x), static_cast<int32_t>(y), g);
  }
  Canvas.Unclip();
}

void TImageBarSeries::PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) {
  TBarSeries::PaintBar(ValueIndex, StartPos, EndPos);
  if (FImage->Empty() || FImage->GetWidth() == 0) return;
  TCanvas3D& c = ChartCanvas();
  const bool upwards = BarBounds.Top <= BarBounds.Bottom;
  TRect r = PictureRect();
  const TRect flat = r;
  const bool oblique = Chart3D() && !OrthogonalView();
  if (Chart3D()) {
    if (oblique) {
      const TPoint corners[4] = {c.Project(r.Left, r.Top, StartZ), c.Project(r.Right, r.Top, StartZ),
                                 c.Project(r.Right, r.Bottom, StartZ), c.Project(r.Left, r.Bottom, StartZ)};
      if (!IsBackFaceArray(corners)) return;
    }
    r = NormalizeRect(c.RectTo2D(r, StartZ));
  }
  if (FImageTiled)
    TileImage(c, r, upwards);
  else if (oblique)
    c.DrawGraphic3D(flat, FImage->GetGraphic(), StartZ);
  else
    c.StretchGraphic(r, FImage->GetGraphic());
}

void TImageBarSeries::PrepareForGallery(bool Enabled) {
  TBarSeries::PrepareForGallery(Enabled);
  FillSampleValues(2);
  if (auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart)) panel->View3DOptions()->SetOrthogonal(true);
}

// ============================================================================
// The default picture and the registration
// ============================================================================

namespace ImageBar {

namespace {

const std::string kImageBar = "ImageBar", kOther = "Other";

// A banknote: a green note with a frame, a coin in the middle and corner marks.
void DrawMoney(TBitmap& Bitmap) {
  Bitmap.SetPixelFormat(pf24bit);
  Bitmap.SetSize(100, 88);
  TCanvas& c = *Bitmap.GetCanvas();
  c.Brush->SetColor(TColor(0x60A060));
  c.FillRect(TRect(0, 0, 100, 88));
  c.Pen->SetColor(TColor(0x205020));
  c.Brush->SetColor(TColor(0x80C080));
  c.Rectangle(4, 4, 96, 84);
  c.Brush->SetColor(TColor(0x40E0F0));
  c.Ellipse(32, 26, 68, 62);
  c.Pen->SetColor(TColor(0x206060));
  c.MoveTo(50, 30);
  c.LineTo(50, 58);
  c.MoveTo(58, 36);
  c.LineTo(44, 36);
  c.LineTo(44, 44);
  c.LineTo(56, 44);
  c.LineTo(56, 52);
  c.LineTo(42, 52);
  c.Brush->SetColor(TColor(0x205020));
  for (const TPoint& p : {TPoint(8, 8), TPoint(84, 8), TPoint(8, 72), TPoint(84, 72)})
    c.Ellipse(p.X, p.Y, p.X + 8, p.Y + 8);
}

bool MoneyModule(const std::string& Name, TBitmap& Bitmap) { return LoadResource(Name, Bitmap); }

using TModule = bool (*)(const std::string&, TBitmap&);

bool IsMoneyModule(const std::function<bool(const std::string&, TBitmap&)>& M) {
  const TModule* f = M.target<TModule>();
  return f && *f == &MoneyModule;
}

}  // namespace

bool LoadResource(const std::string& Name, TBitmap& Bitmap) {
  if (Name != "PlotMoney") return false;
  DrawMoney(Bitmap);
  return true;
}

void Initialization() {
  auto& modules = PlotProcs::ResourceModules;
  if (std::none_of(modules.begin(), modules.end(), IsMoneyModule)) modules.push_back(&MoneyModule);
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TImageBarSeries::StaticClass()))
    Chart::AddSeriesType(TImageBarSeries::StaticClass(), &kImageBar, &kOther, 1);
}

void Finalization() {
  Chart::RemoveSeriesTypes({TImageBarSeries::StaticClass()});
  std::erase_if(PlotProcs::ResourceModules, IsMoneyModule);
}

}  // namespace ImageBar
