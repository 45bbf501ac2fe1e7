// Zoom and panning settings, the rubber band of a zoom drag, the background
// gradient and back image, and the panel frame.
#include <cstdlib>

#include "chart/engine/PlotProcs.h"
#include "platform/gdi/DeviceContext.h"

// ---- zoom pen and brush ---------------------------------------------------------

KV_CLASS_IMPL(TPlotZoomPen, TChartPen) {}
TPlotZoomPen::TPlotZoomPen(TPlotChangeEvent ChangeHandler) : TChartPen(std::move(ChangeHandler)) {
  SetColor(clWhite);
  DefaultColor = clWhite;
}

KV_CLASS_IMPL(TPlotZoomBrush, TChartBrush) {}
TPlotZoomBrush::TPlotZoomBrush(TPlotChangeEvent ChangeHandler) : TChartBrush(std::move(ChangeHandler)) {
  SetColor(clWhite);
  SetStyle(TBrushStyle::bsClear);
}

// ---- zoom settings --------------------------------------------------------------

KV_CLASS_IMPL(TPlotZoom, TZoomPanning) {
  c.Property("Allow", &TPlotZoom::Allow).Default(true);
  c.Property("Animated", &TPlotZoom::Animated).Default(false);
  c.Property("AnimatedSteps", &TPlotZoom::AnimatedSteps).Default(8);
  c.Property("MinimumPixels", &TPlotZoom::MinimumPixels).Default(16);
  c.Property("UpLeftZooms", &TPlotZoom::UpLeftZooms).Default(false);
}

TPlotZoomBrush* TPlotZoom::GetBrush() {
  if (!FBrush) FBrush = std::make_unique<TPlotZoomBrush>(OnChange);
  return FBrush.get();
}

void TPlotZoom::SetBrush(const TChartBrush* Value) {
  if (!Value)
    FBrush.reset();
  else
    GetBrush()->Assign(Value);
}

TPlotZoomPen* TPlotZoom::GetPen() {
  if (!FPen) FPen = std::make_unique<TPlotZoomPen>(OnChange);
  return FPen.get();
}

void TPlotZoom::SetPen(const TChartPen* Value) {
  if (!Value)
    FPen.reset();
  else
    GetPen()->Assign(Value);
}

void TPlotZoom::Assign(const TPersistent* Source) {
  auto* Z = dynamic_cast<const TPlotZoom*>(Source);
  if (!Z) {
    TZoomPanning::Assign(Source);
    return;
  }
  Allow = Z->Allow;
  Animated = Z->Animated;
  AnimatedSteps = Z->AnimatedSteps;
  SetBrush(Z->FBrush.get());
  Direction = Z->Direction;
  KeyShift = Z->KeyShift;
  MouseButton = Z->MouseButton;
  SetPen(Z->FPen.get());
}

bool TPlotZoom::StartsDrag(TMouseButton Button, TShiftState Shift) const {
  return Allow && Button == MouseButton && (Shift & KeyShift) == KeyShift;
}

TZoomDragResult TPlotZoom::DragResult() const {
  const bool Wide = Direction == tzdVertical || std::abs(X1 - X0) > MinimumPixels;
  const bool High = Direction == tzdHorizontal || std::abs(Y1 - Y0) > MinimumPixels;
  if (!Wide || !High) return TZoomDragResult::zdrNothing;
  const bool Forward = Direction == tzdVertical ? Y0 < Y1 : X0 < X1;
  return UpLeftZooms || Forward ? TZoomDragResult::zdrZoom : TZoomDragResult::zdrUndo;
}

// ---- back image -----------------------------------------------------------------

KV_CLASS_IMPL(TBackImage, TPicture) {
  c.Property("Inside", &TBackImage::GetInside, &TBackImage::SetInside).Default(false);
  c.Property("Left", &TBackImage::GetLeft, &TBackImage::SetLeft).Default(0);
  c.Property("Mode", &TBackImage::GetMode, &TBackImage::SetMode)
      .Names({"pbmStretch", "pbmTile", "pbmCenter", "pbmCustom"})
      .Default(pbmStretch);
  c.Property("Top", &TBackImage::GetTop, &TBackImage::SetTop).Default(0);
}

void TBackImage::Notify() {
  if (OnChange) OnChange(this);
}

void TBackImage::SetInside(bool V) {
  if (FInside == V) return;
  FInside = V;
  Notify();
}

void TBackImage::SetLeft(int32_t V) {
  if (FLeft == V) return;
  FLeft = V;
  Notify();
}

void TBackImage::SetMode(TPlotBackImageMode V) {
  if (FMode == V) return;
  FMode = V;
  Notify();
}

void TBackImage::SetTop(int32_t V) {
  if (FTop == V) return;
  FTop = V;
  Notify();
}

void TBackImage::AssignImage(const TBackImage& Source) {
  FInside = Source.FInside;
  FLeft = Source.FLeft;
  FMode = Source.FMode;
  FTop = Source.FTop;
  Assign(&Source);
}

// ---- the extended panel ---------------------------------------------------------

KV_CLASS_IMPL(TCustomPlotPanelExtended, TCustomPlotPanel) {
  // Older charts stored the zoom settings on the panel; read, never written.
  c.Property("AllowZoom", &TCustomPlotPanelExtended::GetAllowZoom, &TCustomPlotPanelExtended::SetAllowZoom)
      .Stored(false);
  c.Property("AnimatedZoom", &TCustomPlotPanelExtended::GetAnimatedZoom, &TCustomPlotPanelExtended::SetAnimatedZoom)
      .Stored(false);
  c.Property("AnimatedZoomSteps", &TCustomPlotPanelExtended::GetAnimatedZoomSteps,
             &TCustomPlotPanelExtended::SetAnimatedZoomSteps)
      .Stored(false);
  // Both are made on first use, so that a stored picture or gradient has an object to be read into.
  c.Property("BackImage",
             [](const TCustomPlotPanelExtended& P) { return const_cast<TCustomPlotPanelExtended&>(P).GetBackImage(); });
  c.Property("BackImageTransp", &TCustomPlotPanelExtended::GetBackImageTransp,
             &TCustomPlotPanelExtended::SetBackImageTransp)
      .Default(false);
  c.Property("Gradient",
             [](const TCustomPlotPanelExtended& P) { return const_cast<TCustomPlotPanelExtended&>(P).GetGradient(); });
}

TCustomPlotPanelExtended::TCustomPlotPanelExtended(TComponent* Owner) : TCustomPlotPanel(Owner) {
  FZoom.OnChange = [this](TObject* Sender) { ChildChanged(Sender); };
}

TCustomPlotPanelExtended::~TCustomPlotPanelExtended() = default;

void TCustomPlotPanelExtended::Assign(const TPersistent* Source) {
  if (auto* P = dynamic_cast<const TCustomPlotPanelExtended*>(Source)) {
    SetBackImage(P->FBackImage.get());
    SetGradient(P->FGradient.get());
    AllowPanning = P->AllowPanning;
    FZoom.Assign(&P->FZoom);
  }
  TCustomPlotPanel::Assign(Source);
}

TPlotGradient* TCustomPlotPanelExtended::GetGradient() {
  if (!FGradient) FGradient = std::make_unique<TPlotGradient>([this](TObject* Sender) { ChildChanged(Sender); });
  return FGradient.get();
}

void TCustomPlotPanelExtended::SetGradient(const TPlotGradient* Value) {
  if (!Value)
    FGradient.reset();
  else
    GetGradient()->Assign(Value);
  Invalidate();
}

TBackImage* TCustomPlotPanelExtended::GetBackImage() {
  if (!FBackImage) {
    FBackImage = std::make_unique<TBackImage>();
    FBackImage->OnChange = [this](TPicture*) { ChildChanged(nullptr); };
  }
  return FBackImage.get();
}

void TCustomPlotPanelExtended::SetBackImage(const TBackImage* Value) {
  if (!Value)
    FBackImage.reset();
  else
    GetBackImage()->AssignImage(*Value);
  Invalidate();
}

bool TCustomPlotPanelExtended::HasBackImage() const { return FBackImage && !FBackImage->Empty(); }

std::vector<TColor> TCustomPlotPanelExtended::GetPalette() const {
  if (!FBackImage) return {};
  if (auto* bitmap = dynamic_cast<const TBitmap*>(FBackImage->GetGraphic())) return bitmap->GetPalette();
  return {};
}

bool TCustomPlotPanelExtended::GetBackImageInside() const { return HasBackImage() && FBackImage->GetInside(); }

bool TCustomPlotPanelExtended::GetBackImageTransp() const {
  return HasBackImage() && FBackImage->GetGraphic()->GetTransparent();
}

void TCustomPlotPanelExtended::SetBackImageTransp(bool V) {
  if (HasBackImage()) {
    FBackImage->GetGraphic()->SetTransparent(V);
    Invalidate();
  }
}

void TCustomPlotPanelExtended::UndoZoom() {
  if (OnUndoZoom) OnUndoZoom(this);
  Invalidate();
  Zoomed = false;
}

void TCustomPlotPanelExtended::DrawZoomRectangle() {
  if (!WindowCanvas) return;
  TCanvas& W = *WindowCanvas;
  TPlotZoomPen& ZoomPen = *FZoom.GetPen();
  const TPenMode SavedZoomMode = ZoomPen.GetMode();
  TDeviceContext& DC = *W.GetHandle();
  const int SavedBkMode = DC.GetBkMode();
  const TPenMode SavedPenMode = W.Pen->GetMode();
  const TColor SavedPenColor = W.Pen->GetColor();
  const TColor B = ColorToRGB(GetBackColor());
  const TColor Invert = 0xFFFFFF - B;
  TPlotZoomBrush* ZoomBrush = FZoom.PeekBrush();
  if (ZoomBrush) {
    // The brush colour against the background, as UseBrushOnBack would select it.
    TColor Color = ColorToRGB(ZoomBrush->GetColor()) ^ Invert;
    if (ZoomBrush->GetStyle() != TBrushStyle::bsSolid && Color == B) Color = B == clBlack ? clWhite : clBlack;
    W.Brush->SetStyle(ZoomBrush->GetStyle());
    W.Brush->SetColor(Color);
  } else {
    W.Brush->SetStyle(TBrushStyle::bsClear);
  }
  ZoomPen.SetMode(pmNotXor);
  W.Pen->Assign(ZoomPen);
  W.Pen->SetColor(ColorToRGB(ZoomPen.GetColor()) ^ Invert);
  W.Pen->SetMode(pmNotXor);
  if (!ZoomBrush || ZoomBrush->GetStyle() == TBrushStyle::bsClear) DC.SetBkMode(TRANSPARENT);
  W.Rectangle(FZoom.X0, FZoom.Y0, FZoom.X1, FZoom.Y1);
  ZoomPen.SetMode(SavedZoomMode);
  DC.SetBkMode(SavedBkMode);
  W.Pen->SetMode(SavedPenMode);
  W.Pen->SetColor(SavedPenColor);
}

void TCustomPlotPanelExtended::FillBackground(const TRect& Rect) {
  TPlotCanvas3D& C = *Canvas();
  C.DisableRotation();
  if (FGradient && FGradient->GetVisible()) {
    FGradient->FillRect(C, Rect, 0);
  } else if (!Printing && GetColor() != clNone) {
    C.Brush->SetStyle(TBrushStyle::bsSolid);
    C.Brush->SetColor(GetColor());
    C.PaintBackRect(Rect);
  }
  C.EnableRotation();
}

void TCustomPlotPanelExtended::DrawFrame(const TRect& Rect) {
  TPlotCanvas3D& C = *Canvas();
  C.DisableRotation();
  TRect R = Rect;
  if (Shadow()->GetSize() > 0) {
    C.Brush->SetStyle(TBrushStyle::bsSolid);
    C.Brush->SetColor(HasParentWindow ? ParentColor : GetColor());
    C.PaintBackRect(R);
    R.Right -= Shadow()->GetHorizSize();
    R.Bottom -= Shadow()->GetVertSize();
    Shadow()->DrawRect(C, R);
  }
  FillBackground(R);
  if (HasBackImage() && !FBackImage->GetInside()) DrawBackImage(R, 0);
  DrawBorderBevels(R);
  C.EnableRotation();
}

void TCustomPlotPanelExtended::DrawBackImage(const TRect& Rect, int32_t Z) {
  if (!HasBackImage()) return;
  TPlotCanvas3D& C = *Canvas();
  const TGraphic* Picture = FBackImage->GetGraphic();
  const bool Rotated = !View3DOptions()->GetOrthogonal() && GetView3D();
  TRect R = Rect;
  auto Project = [&] {
    R = C.RectTo2D(R, Z);
    if (!GetView3D()) ++R.Top;
  };
  if (FBackImage->GetMode() == pbmStretch) {
    if (Z < 1) {
      C.StretchGraphic(R, Picture);
    } else if (!Rotated) {
      Project();
      C.StretchGraphic(R, Picture);
    } else {
      C.DrawGraphic3D(R, Picture, Z);
    }
    return;
  }
  const bool Clip = ClippingAllowed();
  if (Clip) {
    if (Z == 0)
      C.ClipRect(R);
    else
      C.ClipBox3D(R, 0, Width3D);
  }
  if (Z > 0 && !Rotated) Project();
  const int32_t W = R.Right - R.Left, H = R.Bottom - R.Top;
  const int32_t PW = Picture->GetWidth(), PH = Picture->GetHeight();
  if (FBackImage->GetMode() == pbmTile) {
    if (PW > 0 && PH > 0)
      for (int32_t Y = 0; Y < H; Y += PH)
        for (int32_t X = 0; X < W; X += PW) {
          if (Z > 0 && Rotated)
            C.DrawGraphic3D(TRect(R.Left + X, R.Top + Y, R.Left + X + PW, R.Top + Y + PH), Picture, Z);
          else
            C.DrawGraphic(R.Left + X, R.Top + Y, Picture);
        }
  } else {
    FillBackground(R);
    if (FBackImage->GetMode() == pbmCustom) {
      R.Left += FBackImage->GetLeft();
      R.Top += FBackImage->GetTop();
      R.Right = R.Left + PW;
      R.Bottom = R.Top + PH;
    } else {
      const int32_t DX = (PW - W) / 2, DY = (PH - H) / 2;
      R = TRect(R.Left - DX, R.Top - DY, R.Right + DX, R.Bottom + DY);
    }
    if (Z >= 1 && Rotated)
      C.DrawGraphic3D(R, Picture, Z);
    else
      C.DrawGraphic(R.Left, R.Top, Picture);
  }
  if (Clip) C.Unclip();
}
