// The unit's controls (symbol button, colour button, flat combo box), the
// colour dialog, the bitmap resampler, the optional platform functions and
// the unit's start-up and shut-down.
#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotConst.h"
#include "platform/ui/ComboExtras.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/gdi/Pixels.h"

// ============================================================================
// Resampling
// ============================================================================

namespace PlotCanvas {

double LanczosFilter(double X) {
  auto Sinc = [](double T) { return T == 0 ? 1.0 : std::sin(T) / T; };
  if (X == 0) return 1;
  if (std::fabs(X) >= 3) return 0;
  return Sinc(std::numbers::pi * X) * Sinc(std::numbers::pi * X / 3);
}

double TriangleFilter(double X) {
  X = std::fabs(X);
  return X < 1 ? 1 - X : 0;
}

namespace {

struct TContribution {
  int32_t Pixel;
  int32_t Weight;  // weight x 1024
};
using TContributions = std::vector<std::vector<TContribution>>;

// The source pixels and weights of every destination index along one direction.
TContributions Contributions(int32_t SourceSize, int32_t DestSize, double Scale, TResampleFilter Filter,
                             double Support) {
  TContributions List(static_cast<size_t>(DestSize));
  const bool Shrinking = Scale < 1;
  const double Width = Shrinking ? Support / Scale : Support;
  for (int32_t i = 0; i < DestSize; ++i) {
    auto& Entries = List[static_cast<size_t>(i)];
    Entries.reserve(static_cast<size_t>(std::trunc(2 * Width + 1)));
    const double Centre = i / Scale;
    const int32_t First = Pixels::Round(std::floor(Centre - Width));
    const int32_t Last = Pixels::Round(std::ceil(Centre + Width));
    for (int32_t j = First; j <= Last; ++j) {
      const double Weight = Shrinking ? Filter((Centre - j) * Scale) * Scale : Filter(Centre - j);
      if (Weight == 0) continue;
      // Pixels beyond the edges mirror back into the picture.
      int32_t Pixel = j < 0 ? -j : j >= SourceSize ? 2 * SourceSize - j - 1 : j;
      Pixel = std::clamp(Pixel, 0, SourceSize - 1);
      Entries.push_back({Pixel, Pixels::Round(Weight * 1024)});
    }
  }
  return List;
}

uint8_t ClampSum(int64_t Sum) {
  if (Sum > 255 * 1024 + 1023) return 255;
  if (Sum < 0) return 0;
  return static_cast<uint8_t>(Sum >> 10);
}

}  // namespace

void ResampleBitmap(TBitmap* Source, TBitmap* Destination, TResampleFilter Filter, double Support) {
  if (!Source || !Destination) return;
  if (Source->GetWidth() < 2 || Source->GetHeight() < 2)
    throw Exception("SmoothStretch: Source bitmap too small");
  if (Destination->GetWidth() < 2 || Destination->GetHeight() < 2)
    throw Exception("SmoothStretch: Destination bitmap too small");
  Source->SetPixelFormat(pf24bit);
  Destination->SetPixelFormat(pf24bit);
  const int32_t SW = Source->GetWidth(), SH = Source->GetHeight();
  const int32_t DW = Destination->GetWidth(), DH = Destination->GetHeight();
  const double ScaleX = double(DW - 1) / (SW - 1), ScaleY = double(DH - 1) / (SH - 1);

  TBitmap Work;
  Work.SetPixelFormat(pf24bit);
  Work.SetSize(DW, SH);
  const TContributions Columns = Contributions(SW, DW, ScaleX, Filter, Support);
  for (int32_t y = 0; y < SH; ++y) {
    const uint8_t* In = Source->ScanLine(y);
    uint8_t* Out = Work.ScanLine(y);
    for (int32_t x = 0; x < DW; ++x)
      for (int c = 0; c < 3; ++c) {
        int64_t Sum = 0;
        for (const TContribution& E : Columns[static_cast<size_t>(x)]) Sum += int64_t(E.Weight) * In[3 * E.Pixel + c];
        Out[3 * x + c] = ClampSum(Sum);
      }
  }
  const TContributions Rows = Contributions(SH, DH, ScaleY, Filter, Support);
  for (int32_t y = 0; y < DH; ++y) {
    uint8_t* Out = Destination->ScanLine(y);
    for (int32_t x = 0; x < DW; ++x)
      for (int c = 0; c < 3; ++c) {
        int64_t Sum = 0;
        for (const TContribution& E : Rows[static_cast<size_t>(y)]) Sum += int64_t(E.Weight) * Work.ScanLine(E.Pixel)[3 * x + c];
        Out[3 * x + c] = ClampSum(Sum);
      }
  }
  Destination->Modified();
}

void SmoothStretchMode(TBitmap* Source, TBitmap* Destination, bool Fast) {
  if (Fast)
    ResampleBitmap(Source, Destination, &TriangleFilter, 1);
  else
    ResampleBitmap(Source, Destination, &LanczosFilter, 3);
}

void SmoothStretch(TBitmap* Source, TBitmap* Destination) { SmoothStretchMode(Source, Destination, false); }

// ============================================================================
// Optional platform functions
// ============================================================================

bool DCBrushColorAvailable = false;
bool DCPenColorAvailable = false;

TModuleHandle LoadDll(const std::string& Name) {
  // A library that is missing or broken is answered with nullptr, never a message.
  return dlopen(Name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void FreeDll(TModuleHandle Handle) {
  if (Handle) dlclose(Handle);
}

bool LoadAlphaBlend() { return true; }

// ============================================================================
// Colour dialog
// ============================================================================

namespace {
std::unique_ptr<TStringList> SharedCustomColors;
}

TStringList* CustomColors() {
  if (!SharedCustomColors) SharedCustomColors = std::make_unique<TStringList>();
  return SharedCustomColors.get();
}

TColor EditColor(TComponent* Owner, TColor Color) {
  std::unique_ptr<TColorDialog> Dialog(Create<TColorDialog>(Owner));
  Dialog->Color = Color;
  Dialog->CustomColors()->Assign(CustomColors());
  // The first custom colour is the one that stands for "transparent".
  Dialog->CustomColors()->SetValue("ColorA", SysUtils::Format("%.8x", {static_cast<int64_t>(clTransparentBack)}));
  if (!Dialog->Execute()) return Color;
  CustomColors()->Assign(Dialog->CustomColors());
  return Dialog->Color;
}

bool EditColorVar(TComponent* Owner, TColor& Color) {
  const TColor Chosen = EditColor(Owner, Color);
  if (Chosen == Color) return false;
  Color = Chosen;
  return true;
}

// ============================================================================
// Start-up and shut-down
// ============================================================================

namespace {
TModuleHandle AlphaBlendModule = nullptr;
}

void Initialize() {
  ExtendedPens = true;
  AlphaBlendAvailable = LoadAlphaBlend();
  ResetClipStack();
  InitDefaultFont();
  DCBrushColorAvailable = false;
  DCPenColorAvailable = false;
}

void Finalize() {
  FreeDll(AlphaBlendModule);
  AlphaBlendModule = nullptr;
  ResetClipStack();
  SharedCustomColors.reset();
  DefaultFontName.clear();
}

namespace {
struct UnitStart {
  UnitStart() { Initialize(); }
} unitStart;
}  // namespace

}  // namespace PlotCanvas

// ============================================================================
// Controls
// ============================================================================

KV_CLASS_IMPL(TPlotButton, TButton) {}

TPlotButton::TPlotButton(TComponent* AOwner) : TButton(AOwner) { SetBounds(GetLeft(), GetTop(), 75, 25); }

void TPlotButton::LinkProperty(TObject* AObject, const std::string& PropName) {
  LinkedObject = AObject;
  if (!AObject) return;
  LinkedProperty = PropName.empty() ? nullptr : AObject->ClassType()->FindProperty(PropName);
  Invalidate();
}

TRect TPlotButton::SymbolRect() const {
  const int32_t W = GetWidth(), H = GetHeight();
  return TRect(W - 19, H - 3 * (H / 4), W - 6, H - H / 4);
}

void TPlotButton::DrawSymbol(TPlotCanvas&) {}

void TPlotButton::PaintOverlay(TCanvas& Canvas) {
  TPlotCanvas3D Symbol;
  Symbol.SetBuffered(false);
  Symbol.AttachCanvas(&Canvas);
  Symbol.ViewBounds = GetClientRect();
  Symbol.ResetState();
  DrawSymbol(Symbol);
}

void TPlotButton::TextChanged() {
  TButton::TextChanged();
  Invalidate();
}

void TPlotButton::SetEnabled(bool Value) {
  if (Value == GetEnabled()) return;
  TButton::SetEnabled(Value);
  Repaint();
}

KV_CLASS_IMPL(TButtonColor, TPlotButton) {}

TButtonColor::TButtonColor(TComponent* AOwner) : TPlotButton(AOwner) {}

TColor TButtonColor::GetColor() const {
  if (GetColorProc) return GetColorProc();
  if (LinkedObject && LinkedProperty) {
    const TPropValue V = LinkedProperty->Get(LinkedObject);
    if (auto* I = std::get_if<int64_t>(&V)) return ColorToRGB(static_cast<TColor>(*I));
  }
  return OwnColor;
}

void TButtonColor::SetColor(TColor Color) {
  if (LinkedObject && LinkedProperty && !LinkedProperty->IsReadOnly())
    LinkedProperty->Set(LinkedObject, static_cast<int64_t>(Color));
  else
    OwnColor = Color;
}

void TButtonColor::DrawSymbol(TPlotCanvas& Canvas) {
  const TColor Color = GetColor();
  if (Color == clNone) return;
  Canvas.Brush->SetColor(Color);
  Canvas.Brush->SetStyle(bsSolid);
  if (!GetEnabled()) Canvas.Pen->SetStyle(psClear);
  Canvas.RectangleRect(SymbolRect());
}

void TButtonColor::Click() {
  TColor Color = GetColor();
  if (!PlotCanvas::EditColorVar(this, Color)) return;
  SetColor(Color);
  Repaint();
  TPlotButton::Click();
}

KV_CLASS_IMPL(TComboFlat, TComboBox) {
  c.Property("ItemHeight", &TComboFlat::ItemHeight).Default(13);
  c.Property("Style", &TComboFlat::GetStyleOrdinal, &TComboFlat::SetStyleOrdinal).Default(2);
  c.Property("ItemIndex", &TComboFlat::GetItemIndex, &TComboFlat::SetItemIndex).Default(-1);
  c.Property("DropDownWidth", &TComboFlat::GetDropDownWidth, &TComboFlat::SetDropDownWidth)
      .Stored(&TComboFlat::IsDropDownWidthStored);
}

TComboFlat::TComboFlat(TComponent* AOwner) : TComboBox(AOwner) {
  SetHeight(21);
  ItemHeight = 13;
  Style = TComboBoxStyle::csDropDownList;
}

int32_t TComboFlat::GetDropDownWidth() const { return FDropDownWidth < 0 ? GetWidth() : FDropDownWidth; }

void TComboFlat::SetDropDownWidth(int32_t Value) {
  FDropDownWidth = Value;
  // The window is created first so that its list takes the width now.
  ComboExtras::SetListMinWidth(*this, Value);
}

void TComboFlat::InitWidget() {
  TComboBox::InitWidget();
  if (FDropDownWidth >= 0) ComboExtras::SetListMinWidth(*this, FDropDownWidth);
}

void TComboFlat::SetHovered(bool Value) {
  Hovered = Value;
  Repaint();
}

void TComboFlat::MouseEnter() {
  SetHovered(true);
  TComboBox::MouseEnter();
}

void TComboFlat::MouseLeave() {
  SetHovered(false);
  TComboBox::MouseLeave();
}

void TComboFlat::DoEnter() {
  SetHovered(false);
  TComboBox::DoEnter();
}

void TComboFlat::DoExit() {
  SetHovered(false);
  TComboBox::DoExit();
}

void TComboFlat::PaintOverlay(TCanvas& Canvas) {
  TRect R = GetClientRect();
  Canvas.Pen->SetColor(clBtnFace);
  Canvas.Pen->SetStyle(psSolid);
  Canvas.Pen->SetWidth(1);
  Canvas.Brush->SetStyle(bsClear);
  Canvas.Rectangle(R);
  Canvas.Rectangle(TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
  // The drop-down button's area, as wide as a caption button.
  const int32_t ButtonWidth = ComboExtras::CaptionButtonWidth();
  const TRect Button(R.Right - ButtonWidth - 2, R.Top + 1, R.Right, R.Bottom - 1);
  Canvas.Pen->SetColor(clWindow);
  Canvas.Rectangle(Button);
  Canvas.MoveTo(R.Right - 2, Button.Top);
  Canvas.LineTo(R.Right - 2, Button.Bottom);
}
