// The image point and delta point series and their default pictures.
#include "chart/extras/ImaPoint.h"

#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"

namespace {

void LoadPicture(TPicture& Picture, const std::string& Name) {
  TBitmap bitmap;
  PlotProcs::LoadResBitmap(bitmap, Name, "");
  if (bitmap.GetEmpty())
    Picture.Assign(nullptr);
  else
    Picture.SetGraphic(&bitmap);
}

}  // namespace

// ============================================================================
// TCustomImagePointSeries
// ============================================================================

KV_CLASS_IMPL(TCustomImagePointSeries, TPointSeries) {}

TCustomImagePointSeries::TCustomImagePointSeries(TComponent* Owner)
    : TPointSeries(Owner), FImagePoint(std::make_unique<TPicture>()) {
  FImagePoint->OnChange = [this](TPicture*) { RepaintOnChange(this); };
}

TCustomImagePointSeries::~TCustomImagePointSeries() = default;

void TCustomImagePointSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustomImagePointSeries*>(Source)) {
    FImagePoint->Assign(s->FImagePoint.get());
    FImageTransparent = s->FImageTransparent;
  }
  TPointSeries::Assign(Source);
}

void TCustomImagePointSeries::PutImagePoint(const TPicture* Value) {
  auto change = std::move(FImagePoint->OnChange);
  FImagePoint->OnChange = nullptr;
  FImagePoint->Assign(Value);
  FImagePoint->OnChange = std::move(change);
}

TRect TCustomImagePointSeries::ImageBox(int32_t Index) const {
  const int32_t w = Pointer()->GetHorizSize(), h = Pointer()->GetVertSize();
  const int32_t left = PointPixelX(Index) - w / 2, top = PointPixelY(Index) - h / 2;
  return TRect(left, top, left + w, top + h);
}

void TCustomImagePointSeries::DrawPoint(int32_t Index) {
  if (FImagePoint->Empty() || !FParentChart) {
    TPointSeries::DrawPoint(Index);
    return;
  }
  if (OnGetImage) OnGetImage(this, Index, FImagePoint.get());
  TGraphic* g = FImagePoint->GetGraphic();
  if (!g || g->GetEmpty()) {
    TPointSeries::DrawPoint(Index);
    return;
  }
  TCanvas3D& c = ChartCanvas();
  TRect box = ImageBox(Index);
  if (Chart3D()) box = c.RectTo2D(box, StartZ);
  g->SetTransparent(FImageTransparent);
  if (box.Right - box.Left == g->GetWidth() && box.Bottom - box.Top == g->GetHeight())
    c.DrawGraphic(box.Left, box.Top, g);
  else
    c.StretchGraphic(box, g);
}

void TCustomImagePointSeries::PrepareForGallery(bool Enabled) {
  TPointSeries::PrepareForGallery(Enabled);
  if (auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart)) panel->View3DOptions()->SetOrthogonal(true);
}

// ============================================================================
// TImagePointSeries
// ============================================================================

KV_CLASS_IMPL(TImagePointSeries, TCustomImagePointSeries) {
  using S = TImagePointSeries;
  c.Property("ImagePoint", &S::ImagePoint);
  c.Property("ImageTransparent", &S::GetImageTransparent, &S::SetImageTransparent).Default(true);
}

TImagePointSeries::TImagePointSeries(TComponent* Owner) : TCustomImagePointSeries(Owner) {
  TPicture picture;
  LoadPicture(picture, "PlotDefaultImage");
  PutImagePoint(&picture);
  FImageTransparent = true;
  if (!picture.Empty()) {
    Pointer()->PutHorizSize(picture.GetWidth());
    Pointer()->PutVertSize(picture.GetHeight());
  }
}

TImagePointSeries::TImagePointSeries(TComponent* Owner, const TPicture* Picture) : TImagePointSeries(Owner) {
  SetImagePoint(Picture);
}

void TImagePointSeries::SetImagePoint(const TPicture* Value) {
  TCustomImagePointSeries::SetImagePoint(Value);
  if (!Value || Value->Empty()) return;
  if (Value->GetWidth() > 0) Pointer()->SetHorizSize(Value->GetWidth());
  if (Value->GetHeight() > 0) Pointer()->SetVertSize(Value->GetHeight());
}

// ============================================================================
// TDeltaPointSeries
// ============================================================================

KV_CLASS_IMPL(TDeltaPointSeries, TCustomImagePointSeries) {
  using S = TDeltaPointSeries;
  c.Property("EqualImage", &S::EqualImage);
  c.Property("GreaterImage", &S::GreaterImage);
  c.Property("ImageStyle", &S::GetImageStyle, &S::SetImageStyle).Names({"disSmiles", "disHands"}).Default(disSmiles);
  c.Property("ImageTransparent", &S::GetImageTransparent, &S::SetImageTransparent).Default(false);
  c.Property("LowerImage", &S::LowerImage);
}

TDeltaPointSeries::TDeltaPointSeries(TComponent* Owner)
    : TCustomImagePointSeries(Owner),
      FEqualImage(std::make_unique<TPicture>()),
      FGreaterImage(std::make_unique<TPicture>()),
      FLowerImage(std::make_unique<TPicture>()) {
  SetImageStyle(disSmiles);
  for (TPicture* p : {FEqualImage.get(), FGreaterImage.get(), FLowerImage.get()})
    p->OnChange = [this](TPicture*) { RepaintOnChange(this); };
}

TDeltaPointSeries::~TDeltaPointSeries() = default;

void TDeltaPointSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TDeltaPointSeries*>(Source)) {
    FImageStyle = s->FImageStyle;
    FEqualImage->Assign(s->FEqualImage.get());
    FGreaterImage->Assign(s->FGreaterImage.get());
    FLowerImage->Assign(s->FLowerImage.get());
  }
  TCustomImagePointSeries::Assign(Source);
}

void TDeltaPointSeries::SetImageStyle(TDeltaImageStyle Value) {
  FImageStyle = Value;
  const bool smiles = Value == disSmiles;
  LoadPicture(*FEqualImage, smiles ? "PlotEqualSmile" : "PlotEqualHand");
  LoadPicture(*FGreaterImage, smiles ? "PlotGreaterSmile" : "PlotGreaterHand");
  LoadPicture(*FLowerImage, smiles ? "PlotLowerSmile" : "PlotLowerHand");
  Repaint();
}

TPicture* TDeltaPointSeries::DeltaImage(int32_t Index) const {
  if (Index <= 0) return FEqualImage.get();
  const double y = GetYValue(Index), previous = GetYValue(Index - 1);
  if (y > previous) return FGreaterImage.get();
  if (y < previous) return FLowerImage.get();
  return FEqualImage.get();
}

void TDeltaPointSeries::DrawPoint(int32_t Index) {
  const TPicture* picture = DeltaImage(Index);
  PutImagePoint(picture);
  if (picture->GetWidth() > 0) Pointer()->PutHorizSize(picture->GetWidth());
  if (picture->GetHeight() > 0) Pointer()->PutVertSize(picture->GetHeight());
  TCustomImagePointSeries::DrawPoint(Index);
}

// ============================================================================
// The default pictures and the registration
// ============================================================================

namespace ImaPoint {

namespace {

const std::string kImagePoint = "ImagePoint", kDeltaPoint = "DeltaPoint", kOther = "Other";

TCanvas& Blank(TBitmap& Bitmap, int32_t Size) {
  Bitmap.SetPixelFormat(pf24bit);
  Bitmap.SetSize(Size, Size);
  TCanvas& c = *Bitmap.GetCanvas();
  c.Brush->SetColor(clWhite);
  c.FillRect(TRect(0, 0, Size, Size));
  c.Pen->SetColor(clBlack);
  return c;
}

// A yellow face; Mood 0 a straight mouth, 1 a smile, -1 a frown.
void DrawSmile(TBitmap& Bitmap, int32_t Mood) {
  TCanvas& c = Blank(Bitmap, 16);
  c.Brush->SetColor(Mood > 0 ? TColor(0x00FFFF) : Mood < 0 ? TColor(0x80C0FF) : TColor(0x00E0E0));
  c.Ellipse(0, 0, 16, 16);
  c.Brush->SetColor(clBlack);
  c.FillRect(TRect(5, 5, 7, 7));
  c.FillRect(TRect(9, 5, 11, 7));
  const int32_t corners = Mood > 0 ? 10 : Mood < 0 ? 12 : 11;
  const int32_t middle = Mood > 0 ? 12 : Mood < 0 ? 10 : 11;
  c.MoveTo(4, corners);
  c.LineTo(8, middle);
  c.LineTo(12, corners);
}

// A fist with the thumb up (1), down (-1) or to the side (0).
void DrawHand(TBitmap& Bitmap, int32_t Direction) {
  TCanvas& c = Blank(Bitmap, 16);
  c.Brush->SetColor(Direction > 0 ? TColor(0x00C000) : Direction < 0 ? TColor(0x0000D0) : TColor(0x00A0E0));
  c.Rectangle(3, 5, 12, 12);
  if (Direction > 0)
    c.Rectangle(5, 0, 8, 6);
  else if (Direction < 0)
    c.Rectangle(5, 11, 8, 16);
  else
    c.Rectangle(11, 6, 16, 9);
}

bool PointModule(const std::string& Name, TBitmap& Bitmap) { return LoadResource(Name, Bitmap); }

using TModule = bool (*)(const std::string&, TBitmap&);

bool IsPointModule(const std::function<bool(const std::string&, TBitmap&)>& M) {
  const TModule* f = M.target<TModule>();
  return f && *f == &PointModule;
}

}  // namespace

bool LoadResource(const std::string& Name, TBitmap& Bitmap) {
  if (Name == "PlotDefaultImage") {
    TCanvas& c = Blank(Bitmap, 8);
    c.Brush->SetColor(TColor(0xFF0000));
    c.Ellipse(0, 0, 8, 8);
    return true;
  }
  const struct {
    const char* Name;
    bool Hand;
    int32_t Mood;
  } pictures[] = {{"PlotEqualSmile", false, 0}, {"PlotGreaterSmile", false, 1}, {"PlotLowerSmile", false, -1},
                  {"PlotEqualHand", true, 0},   {"PlotGreaterHand", true, 1},   {"PlotLowerHand", true, -1}};
  for (const auto& p : pictures) {
    if (Name != p.Name) continue;
    if (p.Hand)
      DrawHand(Bitmap, p.Mood);
    else
      DrawSmile(Bitmap, p.Mood);
    return true;
  }
  return false;
}

void Initialization() {
  auto& modules = PlotProcs::ResourceModules;
  if (std::none_of(modules.begin(), modules.end(), IsPointModule)) modules.push_back(&PointModule);
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TImagePointSeries::StaticClass()))
    Chart::AddSeriesType(TImagePointSeries::StaticClass(), &kImagePoint, &kOther, 1);
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TDeltaPointSeries::StaticClass()))
    Chart::AddSeriesType(TDeltaPointSeries::StaticClass(), &kDeltaPoint, &kOther, 1);
}

void Finalization() {
  Chart::RemoveSeriesTypes({TImagePointSeries::StaticClass(), TDeltaPointSeries::StaticClass()});
  std::erase_if(PlotProcs::ResourceModules, IsPointModule);
}

}  // namespace ImaPoint
