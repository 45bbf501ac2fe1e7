// Style objects and the unit's geometry, colour, pen and clip routines.
#include "chart/engine/PlotCanvas.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/PlotConst.h"
#include "platform/ui/Controls.h"
#include "platform/gdi/Pixels.h"

namespace PlotCanvas {

bool ExtendedPens = true;
bool AlphaBlendAvailable = true;
int32_t SolidSides = 16;
int32_t DarkerColorQuantity = 128;
int32_t DarkColorQuantity = 64;
std::string DefaultFontName = "Arial";
int32_t DefaultFontSize = 8;
std::function<void(int32_t Index, TBitmap& Bitmap)> LoadPatternBitmap;

void InitDefaultFont() {
  DefaultFontSize = SysUtils::StrToIntDef(PlotConst::MsgDefaultFontSize, 8);
  DefaultFontName = PlotConst::MsgDefaultFontName;
}

int32_t RoundToPixel(double Value) {
  // Tighter than the device's limit: the canvas adds centres and offsets to these.
  constexpr int32_t Limit = 67108863;
  return std::clamp(Pixels::Round(Value), -Limit, Limit);
}

}  // namespace PlotCanvas

// ============================================================================
// Geometry and colour routines
// ============================================================================

bool IsBackFace(TPoint P0, TPoint P1, TPoint P2) {
  // 64-bit products: projected coordinates of large or zoomed charts overflow 32 bits.
  const int64_t a = (int64_t(P0.X) - P1.X) * (int64_t(P2.Y) - P1.Y);
  const int64_t b = (int64_t(P2.X) - P1.X) * (int64_t(P0.Y) - P1.Y);
  return a - b < 0;
}

bool IsBackFaceArray(std::span<const TPoint> Points) {
  return Points.size() >= 3 && IsBackFace(Points[0], Points[1], Points[2]);
}

bool PointInRectXY(const TRect& Rect, int32_t X, int32_t Y) {
  return X >= std::min(Rect.Left, Rect.Right) && X <= std::max(Rect.Left, Rect.Right) &&
         Y >= std::min(Rect.Top, Rect.Bottom) && Y <= std::max(Rect.Top, Rect.Bottom);
}

TRect NormalizeRect(const TRect& Rect) {
  return TRect(std::min(Rect.Left, Rect.Right), std::min(Rect.Top, Rect.Bottom), std::max(Rect.Left, Rect.Right),
               std::max(Rect.Top, Rect.Bottom));
}

TSize RectExtent(const TRect& Rect) { return TSize(Rect.Right - Rect.Left, Rect.Bottom - Rect.Top); }

TPoint RectMidPoint(const TRect& Rect) { return TPoint((Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2); }

TRect PointsBounds(std::span<const TPoint> Points, int32_t High) {
  High = std::min<int32_t>(High, static_cast<int32_t>(Points.size()) - 1);
  if (High < 0) return TRect(0, 0, 0, 0);
  TRect R(Points[0].X, Points[0].Y, Points[0].X, Points[0].Y);
  for (int32_t i = 1; i <= High; ++i) {
    R.Left = std::min(R.Left, Points[i].X);
    R.Right = std::max(R.Right, Points[i].X);
    R.Top = std::min(R.Top, Points[i].Y);
    R.Bottom = std::max(R.Bottom, Points[i].Y);
  }
  return R;
}

TRect PolygonRect(std::span<const TPoint> Points, int32_t Count) {
  TRect R = PointsBounds(Points, Count - 1);
  if (Count > 0 && !Points.empty()) {
    ++R.Right;
    ++R.Bottom;
  }
  return R;
}

bool ConvexHull(TPointArray& Points) {
  const size_t n = Points.size();
  if (n == 3) return true;
  if (n < 3) return false;
  // Pivot: the smallest Y, among those the largest X.
  size_t pivotIndex = 0;
  for (size_t i = 1; i < n; ++i) {
    const TPoint& p = Points[i];
    const TPoint& q = Points[pivotIndex];
    if (p.Y < q.Y || (p.Y == q.Y && p.X > q.X)) pivotIndex = i;
  }
  const TPoint pivot = Points[pivotIndex];
  Points[pivotIndex] = Points.back();
  Points.pop_back();
  // Sort by the cosine of the angle seen from the pivot.
  struct Keyed {
    float Key;
    TPoint P;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(Points.size());
  for (const TPoint& p : Points) {
    const double dx = double(pivot.X) - p.X;
    const double d = Hypotenuse(dx, double(pivot.Y) - p.Y);
    keyed.push_back({d == 0 ? 0.0f : static_cast<float>(dx / d), p});
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.Key < b.Key; });
  for (size_t i = 0; i < keyed.size(); ++i) Points[i] = keyed[i].P;
  // Walk the sorted points, dropping those that make a reflex turn.
  int64_t i = 1;
  while (i < static_cast<int64_t>(Points.size()) - 1) {
    if (i == 0 || IsBackFace(Points[i - 1], Points[i], Points[i + 1])) {
      ++i;
    } else {
      Points.erase(Points.begin() + i);
      --i;
    }
  }
  Points.push_back(pivot);
  return true;
}

TPoint PointBeforeEnd(TPoint Start, TPoint End, int32_t Distance) {
  if (End.X == Start.X) return TPoint(End.X, End.Y < Start.Y ? End.Y + Distance : End.Y - Distance);
  const double a = std::atan2(double(End.Y) - Start.Y, double(End.X) - Start.X);
  return TPoint(End.X - PlotCanvas::RoundToPixel(Distance * std::cos(a)),
                End.Y - PlotCanvas::RoundToPixel(Distance * std::sin(a)));
}

double Hypotenuse(double X, double Y) { return std::sqrt(X * X + Y * Y); }

void SwapDouble(double& A, double& B) { std::swap(A, B); }
void SwapInteger(int32_t& A, int32_t& B) { std::swap(A, B); }

TRGBTriple ColorToRGBTriple(TColor Color) {
  const TColor c = ColorToRGB(Color);
  return TRGBTriple{GetBValue(c), GetGValue(c), GetRValue(c)};
}

TColor DarkerColor(TColor Color, int32_t Quantity) {
  const TColor c = ColorToRGB(Color);
  auto down = [Quantity](int v) { return static_cast<uint8_t>(std::max(0, v - Quantity)); };
  return RGB(down(GetRValue(c)), down(GetGValue(c)), down(GetBValue(c)));
}

TColor LighterColor(TColor Color, int32_t Quantity) {
  const TColor c = ColorToRGB(Color);
  auto up = [Quantity](int v) { return static_cast<uint8_t>(std::min(255, v + Quantity)); };
  return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}

TLogPen MakeDottedPenHandle(TColor Color, int32_t Spacing) {
  TLogBrush brush;
  brush.Style = BS_SOLID;
  brush.Color = ColorToRGB(Color);
  if (Spacing <= 0) return TDeviceContext::ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, brush);
  // One dot, then Spacing pixels of gap: a dot every Spacing + 1 pixels. (The
  // device context draws a dash entry as at least one pixel, so the dot is
  // written as a dash of 1 rather than a round-capped dash of 0.)
  return TDeviceContext::ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, brush, {1u, static_cast<uint32_t>(Spacing)});
}

void ApplyChartPen(TPen& TargetPen, const TChartPen& Pen, TColor Color, TDeviceContext* DC) {
  if (Pen.GetSmallDots()) {
    TargetPen.SetMode(Pen.GetMode());
    TargetPen.SetHandle(MakeDottedPenHandle(Color, Pen.GetSmallSpace()));
    return;
  }
  TargetPen.Assign(Pen);
  if (Pen.GetWidth() < 2) {
    if (TargetPen.GetColor() != Color) TargetPen.SetColor(Color);
    return;
  }
  TargetPen.SetColor(Color);
  static const uint32_t EndFlags[] = {PS_ENDCAP_ROUND | PS_JOIN_ROUND, PS_ENDCAP_SQUARE | PS_JOIN_BEVEL,
                                      PS_ENDCAP_FLAT | PS_JOIN_MITER};
  const int32_t style = std::clamp(static_cast<int32_t>(Pen.GetStyle()), 0, 6);
  TLogBrush brush;
  brush.Style = BS_SOLID;
  brush.Color = ColorToRGB(Color);
  TargetPen.SetHandle(TDeviceContext::ExtCreatePen(
      static_cast<uint32_t>(style) | PS_GEOMETRIC | EndFlags[static_cast<int>(Pen.GetEndStyle())], Pen.GetWidth(),
      brush));
  if (DC) DC->SetROP2(PenModeToRop2(Pen.GetMode()));
}

// ---- clipping ---------------------------------------------------------------

namespace {
// One saved clip per active clip: the clip the device context had before.
struct SavedClip {
  TDeviceContext* DC;
  bool HadClip;
  TRegion Region;
};
std::vector<SavedClip>& ClipStack() {
  static std::vector<SavedClip> stack;
  return stack;
}
}  // namespace

void SelectClipRegion(TDeviceContext* DC, const TRegion* Region) {
  if (DC == nullptr || Region == nullptr) return;
  SavedClip saved{DC, false, TRegion()};
  saved.HadClip = DC->GetClipRgn(saved.Region) == 1;
  ClipStack().push_back(std::move(saved));
  DC->ExtSelectClipRgn(Region, RGN_AND);
}

void RestoreClipRegion(TCanvas* Canvas) {
  auto& stack = ClipStack();
  if (stack.empty() || Canvas == nullptr) return;
  SavedClip saved = std::move(stack.back());
  stack.pop_back();
  TDeviceContext* DC = Canvas->GetHandle();
  if (DC == nullptr) return;
  DC->SelectClipRgn(saved.HadClip ? &saved.Region : nullptr);
}

void ClipCanvasRect(TCanvas* Canvas, const TRect& Rect) {
  if (Canvas == nullptr) return;
  TDeviceContext* DC = Canvas->GetHandle();
  if (DC == nullptr) return;
  TPoint corners[2] = {Rect.TopLeft(), Rect.BottomRight()};
  DC->LPtoDP(corners, 2);
  const TRegion region = TRegion::CreateRectRgn(corners[0].X, corners[0].Y, corners[1].X, corners[1].Y);
  SelectClipRegion(DC, &region);
}

int32_t ClipDepth() { return static_cast<int32_t>(ClipStack().size()); }

void ResetClipStack() { ClipStack().clear(); }

// ============================================================================
// Pens
// ============================================================================

KV_CLASS_IMPL(TChartPen, TPersistent) {
  c.Property("Color", &TChartPen::GetColor, &TChartPen::SetColor)
      .Kind(TPropKind::pkColor)
      .Stored(&TChartPen::IsColorStored);
  c.Property("Mode", &TChartPen::GetMode, &TChartPen::SetMode)
      .Names({"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
              "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor",
              "pmNotXor"})
      .Default(pmCopy);
  c.Property("Style", &TChartPen::GetStyle, &TChartPen::SetStyle)
      .Names({"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame", "psUserStyle",
              "psAlternate"})
      .Stored(&TChartPen::IsStyleStored);
  c.Property("Width", &TChartPen::GetWidth, &TChartPen::SetWidth).Default(1);
  c.Property("EndStyle", &TChartPen::GetEndStyle, &TChartPen::SetEndStyle)
      .Names({"esRound", "esSquare", "esFlat"})
      .Stored(&TChartPen::IsEndStyleStored);
  c.Property("SmallDots", &TChartPen::GetSmallDots, &TChartPen::SetSmallDots).Default(false);
  c.Property("SmallSpace", &TChartPen::GetSmallSpace, &TChartPen::SetSmallSpace).Default(0);
  c.Property("Visible", &TChartPen::GetVisible, &TChartPen::SetVisible).Stored(&TChartPen::IsVisibleStored);
}

TChartPen::TChartPen(TPlotChangeEvent ChangeHandler) {
  if (ChangeHandler)
    OnChange = [this, ChangeHandler](TGraphicsObject*) { ChangeHandler(static_cast<TPersistent*>(this)); };
}

void TChartPen::NotifyChange() { Changed(); }

void TChartPen::SetEndStyle(TPenEndStyle Value) {
  if (FEndStyle != Value) {
    FEndStyle = Value;
    NotifyChange();
  }
}

void TChartPen::SetSmallDots(bool Value) {
  if (FSmallDots != Value) {
    FSmallDots = Value;
    NotifyChange();
  }
}

void TChartPen::SetSmallSpace(int32_t Value) {
  if (FSmallSpace != Value) {
    FSmallSpace = Value;
    NotifyChange();
  }
}

void TChartPen::SetVisible(bool Value) {
  if (FVisible != Value) {
    FVisible = Value;
    NotifyChange();
  }
}

void TChartPen::AssignPen(const TPen& Source) {
  if (auto* pen = dynamic_cast<const TChartPen*>(&Source)) {
    SetVisible(pen->FVisible);
    SetSmallDots(pen->FSmallDots);
    SetSmallSpace(pen->FSmallSpace);
    SetEndStyle(pen->FEndStyle);
  }
  SetColor(Source.GetColor());
  SetWidth(Source.GetWidth());
  SetStyle(Source.GetStyle());
  SetMode(Source.GetMode());
}

void TChartPen::Assign(const TPersistent* Source) {
  if (auto* pen = dynamic_cast<const TChartPen*>(Source))
    AssignPen(*pen);
  else
    TPersistent::Assign(Source);
}

bool TChartPen::IsStyleStored() const { return GetStyle() != DefaultStyle; }

KV_CLASS_IMPL(TChartHiddenPen, TChartPen) {}
TChartHiddenPen::TChartHiddenPen(TPlotChangeEvent ChangeHandler) : TChartPen(std::move(ChangeHandler)) {
  SetVisible(false);
  UnstoredVisible = false;
}

KV_CLASS_IMPL(TDottedGrayPen, TChartPen) {}
TDottedGrayPen::TDottedGrayPen(TPlotChangeEvent ChangeHandler) : TChartPen(std::move(ChangeHandler)) {
  SetColor(clGray);
  SetStyle(psDot);
  DefaultColor = clGray;
  DefaultStyle = psDot;
}

KV_CLASS_IMPL(TDarkGrayPen, TChartPen) {}
TDarkGrayPen::TDarkGrayPen(TPlotChangeEvent ChangeHandler) : TChartPen(std::move(ChangeHandler)) {
  SetColor(clGray);
  DefaultColor = clGray;
}

KV_CLASS_IMPL(TWhitePen, TChartPen) {}
TWhitePen::TWhitePen(TPlotChangeEvent ChangeHandler) : TChartPen(std::move(ChangeHandler)) {
  SetColor(clWhite);
  DefaultColor = clWhite;
}

// ============================================================================
// Brushes
// ============================================================================

KV_CLASS_IMPL(TChartBrush, TPersistent) {
  c.Property("Color", &TChartBrush::GetColor, &TChartBrush::SetColor).Kind(TPropKind::pkColor).Default(clDefault);
  c.Property("Style", &TChartBrush::GetStyleOrdinal, &TChartBrush::SetStyleOrdinal).Default(0);
  c.Property("Image", &TChartBrush::GetPublishedImage).Stored(&TChartBrush::IsImageStored);
}

TChartBrush::TChartBrush(TPlotChangeEvent ChangeHandler) {
  SetColor(clDefault);
  if (ChangeHandler)
    OnChange = [this, ChangeHandler](TGraphicsObject*) { ChangeHandler(static_cast<TPersistent*>(this)); };
}

TChartBrush::~TChartBrush() = default;

void TChartBrush::NotifyChange() { Changed(); }

TPicture* TChartBrush::GetImage() {
  if (!FImage) {
    FImage = std::make_unique<TPicture>();
    FImage->OnChange = [this](TPicture*) { NotifyChange(); };
  }
  return FImage.get();
}

void TChartBrush::SetImage(const TPicture* Value) {
  if (Value == nullptr) {
    FImage.reset();
  } else {
    GetImage()->Assign(Value);
  }
  NotifyChange();
}

void TChartBrush::SetStyleOrdinal(int32_t Value) { SetStyle(static_cast<TBrushStyle>(Value)); }

void TChartBrush::AssignBrush(const TBrush& Source) {
  if (auto* brush = dynamic_cast<const TChartBrush*>(&Source)) SetImage(brush->FImage.get());
  SetColor(Source.GetColor());
  SetStyle(Source.GetStyle());
}

void TChartBrush::Assign(const TPersistent* Source) {
  if (auto* brush = dynamic_cast<const TChartBrush*>(Source))
    AssignBrush(*brush);
  else
    TPersistent::Assign(Source);
}

// ============================================================================
// Gradients
// ============================================================================

KV_CLASS_IMPL(TCustomPlotGradient, TPersistent) {}

KV_CLASS_IMPL(TPlotGradient, TCustomPlotGradient) {
  c.Property("Balance", &TPlotGradient::GetBalance, &TPlotGradient::SetBalance).Default(50);
  c.Property("Direction", &TPlotGradient::GetDirection, &TPlotGradient::SetDirection)
      .Names({"gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft", "gdFromCenter", "gdFromTopLeft",
              "gdFromBottomLeft", "gdRadial", "gdDiagonalUp", "gdDiagonalDown"})
      .Default(gdTopBottom);
  c.Property("EndColor", &TPlotGradient::GetEndColor, &TPlotGradient::SetEndColor)
      .Kind(TPropKind::pkColor)
      .Default(clYellow);
  c.Property("MidColor", &TPlotGradient::GetMidColor, &TPlotGradient::SetMidColor)
      .Kind(TPropKind::pkColor)
      .Default(clNone);
  c.Property("RadialX", &TPlotGradient::GetRadialX, &TPlotGradient::SetRadialX).Default(0);
  c.Property("RadialY", &TPlotGradient::GetRadialY, &TPlotGradient::SetRadialY).Default(0);
  c.Property("StartColor", &TPlotGradient::GetStartColor, &TPlotGradient::SetStartColor)
      .Kind(TPropKind::pkColor)
      .Default(clWhite);
  c.Property("Visible", &TPlotGradient::GetVisible, &TPlotGradient::SetVisible).Default(false);
}

KV_CLASS_IMPL(TPlotFontGradient, TPlotGradient) {
  c.Property("Outline", &TPlotFontGradient::GetOutline, &TPlotFontGradient::SetOutline).Default(false);
}

TCustomPlotGradient::TCustomPlotGradient(TPlotChangeEvent ChangeHandler) : OnChange(std::move(ChangeHandler)) {}

void TCustomPlotGradient::NotifyChange() {
  if (OnChange) OnChange(this);
}

void TCustomPlotGradient::SetBalance(int32_t Value) { Change(FBalance, Value); }
void TCustomPlotGradient::SetDirection(TGradientDirection Value) { Change(FDirection, Value); }
void TCustomPlotGradient::SetEndColor(TColor Value) { Change(FEndColor, Value); }
void TCustomPlotGradient::SetRadialX(int32_t Value) { Change(FRadialX, Value); }
void TCustomPlotGradient::SetRadialY(int32_t Value) { Change(FRadialY, Value); }
void TCustomPlotGradient::SetStartColor(TColor Value) { Change(FStartColor, Value); }
void TCustomPlotGradient::SetVisible(bool Value) { Change(FVisible, Value); }

void TCustomPlotGradient::SetMidColor(TColor Value) {
  if (FMiddleOn) {
    if (Value == clNone) {
      FMiddleOn = false;
      NotifyChange();
    } else {
      Change(FMidColor, Value);
    }
  } else if (Value != clNone) {
    FMiddleOn = true;
    FMidColor = Value;
    NotifyChange();
  }
}

void TCustomPlotGradient::UseMiddleColor() {
  if (!FMiddleOn) {
    FMiddleOn = true;
    NotifyChange();
  }
}

void TCustomPlotGradient::Assign(const TPersistent* Source) {
  if (auto* g = dynamic_cast<const TCustomPlotGradient*>(Source)) {
    FBalance = g->FBalance;
    FDirection = g->FDirection;
    FEndColor = g->FEndColor;
    FMidColor = g->FMidColor;
    FRadialX = g->FRadialX;
    FRadialY = g->FRadialY;
    FStartColor = g->FStartColor;
    FVisible = g->FVisible;
    FMiddleOn = g->FMiddleOn;
  } else {
    TPersistent::Assign(Source);
  }
}

void TPlotFontGradient::Assign(const TPersistent* Source) {
  TPlotGradient::Assign(Source);
  if (auto* g = dynamic_cast<const TPlotFontGradient*>(Source)) FOutline = g->FOutline;
}

// ============================================================================
// Shadows
// ============================================================================

KV_CLASS_IMPL(TPlotShadow, TPersistent) {
  c.Property("Color", &TPlotShadow::GetColor, &TPlotShadow::SetColor)
      .Kind(TPropKind::pkColor)
      .Stored(&TPlotShadow::IsColorStored);
  c.Property("HorizSize", &TPlotShadow::GetHorizSize, &TPlotShadow::SetHorizSize)
      .Stored(&TPlotShadow::IsHorizSizeStored);
  c.Property("Smooth", &TPlotShadow::GetSmooth, &TPlotShadow::SetSmooth).Default(true);
  c.Property("Transparency", &TPlotShadow::GetTransparency, &TPlotShadow::SetTransparency).Default(0);
  c.Property("VertSize", &TPlotShadow::GetVertSize, &TPlotShadow::SetVertSize)
      .Stored(&TPlotShadow::IsVertSizeStored);
}

TPlotShadow::TPlotShadow(TPlotChangeEvent ChangeHandler) : OnChange(std::move(ChangeHandler)) {}

TPlotShadow::~TPlotShadow() { delete FBlend; }

namespace {
template <class T>
bool StoreIfChanged(T& Field, const T& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}
}  // namespace

void TPlotShadow::SetColor(TColor Value) {
  if (StoreIfChanged(FColor, Value) && OnChange) OnChange(this);
}
void TPlotShadow::SetHorizSize(int32_t Value) {
  if (StoreIfChanged(FHorizSize, Value) && OnChange) OnChange(this);
}
void TPlotShadow::SetVertSize(int32_t Value) {
  if (StoreIfChanged(FVertSize, Value) && OnChange) OnChange(this);
}
void TPlotShadow::SetSmooth(bool Value) {
  if (StoreIfChanged(FSmooth, Value) && OnChange) OnChange(this);
}
void TPlotShadow::SetTransparency(TPlotTransparency Value) {
  if (StoreIfChanged(FTransparency, Value) && OnChange) OnChange(this);
}
void TPlotShadow::SetSize(int32_t Value) {
  const bool h = StoreIfChanged(FHorizSize, Value);
  const bool v = StoreIfChanged(FVertSize, Value);
  if ((h || v) && OnChange) OnChange(this);
}

void TPlotShadow::Assign(const TPersistent* Source) {
  if (auto* s = dynamic_cast<const TPlotShadow*>(Source)) {
    FColor = s->FColor;
    FHorizSize = s->FHorizSize;
    FSmooth = s->FSmooth;
    FTransparency = s->FTransparency;
    FVertSize = s->FVertSize;
  } else {
    TPersistent::Assign(Source);
  }
}

// ============================================================================
// Fonts
// ============================================================================

KV_CLASS_IMPL(TPlotFont, TPersistent) {
  c.Property("Charset", &TPlotFont::GetCharset, &TPlotFont::SetCharset).Default(int64_t(DEFAULT_CHARSET));
  c.Property("Color", &TPlotFont::GetColor, &TPlotFont::SetColor)
      .Kind(TPropKind::pkColor)
      .Stored(&TPlotFont::IsColorStored);
  c.Property("Gradient", &TPlotFont::PeekGradient);
  c.Property("Height", &TPlotFont::GetHeight, &TPlotFont::SetHeight).Stored(&TPlotFont::IsHeightStored);
  c.Property("InterCharSize", &TPlotFont::GetInterCharSize, &TPlotFont::SetInterCharSize).Default(0);
  c.Property("Name", &TPlotFont::GetName, &TPlotFont::SetName).Stored(&TPlotFont::IsNameStored);
  c.Property("OutLine", &TPlotFont::PeekOutLine);
  c.Property("Shadow", &TPlotFont::PeekShadow);
  c.Property("Style", &TPlotFont::GetStyle, &TPlotFont::SetStyle)
      .Names({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
      .Stored(&TPlotFont::IsStyleStored);
}

TPlotFont::TPlotFont(TPlotChangeEvent ChangeHandler) : FHandler(std::move(ChangeHandler)) {
  SetColor(clBlack);
  SetCharset(DEFAULT_CHARSET);
  SetName(PlotCanvas::DefaultFontName);
  SetSize(PlotCanvas::DefaultFontSize);
  if (FHandler) OnChange = [this](TGraphicsObject*) { NotifyChange(); };
}

TPlotFont::~TPlotFont() = default;

void TPlotFont::NotifyChange() {
  if (FHandler) FHandler(static_cast<TPersistent*>(this));
}

TPlotFontGradient* TPlotFont::GetGradient() {
  if (!FGradient) FGradient = std::make_unique<TPlotFontGradient>(FHandler);
  return FGradient.get();
}

TChartHiddenPen* TPlotFont::GetOutLine() {
  if (!FOutLine) FOutLine = std::make_unique<TChartHiddenPen>(FHandler);
  return FOutLine.get();
}

TPlotShadow* TPlotFont::GetShadow() {
  if (!FShadow) FShadow = std::make_unique<TPlotShadow>(FHandler);
  return FShadow.get();
}

void TPlotFont::SetGradient(const TPlotFontGradient* Value) {
  if (Value == nullptr)
    FGradient.reset();
  else
    GetGradient()->Assign(Value);
}

void TPlotFont::SetOutLine(const TChartPen* Value) {
  if (Value == nullptr)
    FOutLine.reset();
  else
    GetOutLine()->Assign(Value);
}

void TPlotFont::SetShadow(const TPlotShadow* Value) {
  if (Value == nullptr)
    FShadow.reset();
  else
    GetShadow()->Assign(Value);
}

void TPlotFont::SetInterCharSize(int32_t Value) {
  if (FInterCharSize != Value) {
    FInterCharSize = Value;
    NotifyChange();
  }
}

bool TPlotFont::IsHeightStored() const { return GetSize() != PlotCanvas::DefaultFontSize; }
bool TPlotFont::IsNameStored() const { return GetName() != PlotCanvas::DefaultFontName; }

void TPlotFont::AssignFont(const TFont& Source) {
  if (auto* f = dynamic_cast<const TPlotFont*>(&Source)) {
    SetGradient(f->FGradient.get());
    SetInterCharSize(f->FInterCharSize);
    SetOutLine(f->FOutLine.get());
    SetShadow(f->FShadow.get());
  }
  TFont::Assign(Source);
}

void TPlotFont::Assign(const TPersistent* Source) {
  if (auto* f = dynamic_cast<const TPlotFont*>(Source))
    AssignFont(*f);
  else
    TPersistent::Assign(Source);
}

// ============================================================================
// 3-D view settings
// ============================================================================

KV_CLASS_IMPL(TView3DOptions, TPersistent) {
  c.Property("Elevation", &TView3DOptions::GetElevation, &TView3DOptions::SetElevation).Default(345);
  c.Property("FontZoom", &TView3DOptions::GetFontZoom, &TView3DOptions::SetFontZoom).Default(100);
  c.Property("HorizOffset", &TView3DOptions::GetHorizOffset, &TView3DOptions::SetHorizOffset).Default(0);
  c.Property("OrthoAngle", &TView3DOptions::GetOrthoAngle, &TView3DOptions::SetOrthoAngle).Default(45);
  c.Property("Orthogonal", &TView3DOptions::GetOrthogonal, &TView3DOptions::SetOrthogonal).Default(true);
  c.Property("Perspective", &TView3DOptions::GetPerspective, &TView3DOptions::SetPerspective).Default(15);
  c.Property("Rotation", &TView3DOptions::GetRotation, &TView3DOptions::SetRotation).Default(345);
  c.Property("Tilt", &TView3DOptions::GetTilt, &TView3DOptions::SetTilt).Default(0);
  c.Property("VertOffset", &TView3DOptions::GetVertOffset, &TView3DOptions::SetVertOffset).Default(0);
  c.Property("Zoom", &TView3DOptions::GetZoom, &TView3DOptions::SetZoom).Default(100);
  c.Property("ZoomText", &TView3DOptions::GetZoomText, &TView3DOptions::SetZoomText).Default(true);
}

TView3DOptions::TView3DOptions(TControl* Panel) : FPanel(Panel) {}

void TView3DOptions::Repaint() {
  if (FPanel) FPanel->Invalidate();
}

int32_t TView3DOptions::GetElevation() const { return PlotCanvas::RoundToPixel(FElevation); }
int32_t TView3DOptions::GetRotation() const { return PlotCanvas::RoundToPixel(FRotation); }

void TView3DOptions::SetElevationFloat(double Value) { Change(FElevation, Value); }
void TView3DOptions::SetRotationFloat(double Value) { Change(FRotation, Value); }

void TView3DOptions::SetZoom(int32_t Value) {
  if (FZoom == Value) return;
  if (ZoomNotify) ZoomNotify(Value);
  FZoom = Value;
  Repaint();
}

void TView3DOptions::SetHorizOffset(int32_t Value) {
  if (FHorizOffset == Value) return;
  FHorizOffset = Value;
  Repaint();
  if (ScrollNotify) ScrollNotify(true);
}

void TView3DOptions::SetVertOffset(int32_t Value) {
  if (FVertOffset == Value) return;
  FVertOffset = Value;
  Repaint();
  if (ScrollNotify) ScrollNotify(false);
}

double TView3DOptions::OrthoTangent() const {
  if (!FOrthogonal) return 1.0;
  const double a = FOrthoAngle > 90 ? 180 - FOrthoAngle : FOrthoAngle;
  return std::tan(a * M_PI / 180.0);
}

void TView3DOptions::Assign(const TPersistent* Source) {
  auto* o = dynamic_cast<const TView3DOptions*>(Source);
  if (o == nullptr) return;
  FElevation = o->FElevation;
  FRotation = o->FRotation;
  FTilt = o->FTilt;
  FPerspective = o->FPerspective;
  FZoom = o->FZoom;
  FZoomText = o->FZoomText;
  FFontZoom = o->FFontZoom;
  FHorizOffset = o->FHorizOffset;
  FVertOffset = o->FVertOffset;
  FOrthogonal = o->FOrthogonal;
  FOrthoAngle = o->FOrthoAngle;
}
