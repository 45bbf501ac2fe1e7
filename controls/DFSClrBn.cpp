#include "controls/DFSClrBn.h"

#include "controls/CBtnForm.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Streaming.h"
#include "platform/ui/Forms.h"

#include <algorithm>

// ---------------------------------------------------------------- TColorArrayClass

KV_CLASS_IMPL(TColorArrayClass, TPersistent) {}

namespace {
// Larger arrays are refused: a stored size beyond it is damage, not a palette.
constexpr int64_t kMaxColorArrayCount = 1 << 20;
}  // namespace

TColorArrayClass::TColorArrayClass(int32_t AXSize, int32_t AYSize) { Resize(AXSize, AYSize); }

TColorArrayClass::~TColorArrayClass() = default;

void TColorArrayClass::Resize(int32_t AXSize, int32_t AYSize) {
  if (AXSize < 0 || AYSize < 0 || int64_t(AXSize) * int64_t(AYSize) > kMaxColorArrayCount)
    throw EColorArrayIndexError(SysUtils::Format("Array size out of range (%d by %d)", {AXSize, AYSize}));
  FXSize = AXSize;
  FYSize = AYSize;
  FColors.assign(static_cast<size_t>(AXSize) * static_cast<size_t>(AYSize), 0);
}

void TColorArrayClass::SetXSize(int32_t Value) {
  if (Value != FXSize) Resize(Value, FYSize);
}

void TColorArrayClass::SetYSize(int32_t Value) {
  if (Value != FYSize) Resize(FXSize, Value);
}

size_t TColorArrayClass::Position(int32_t X, int32_t Y) const {
  if (X < 1 || X > FXSize || Y < 1 || Y > FYSize) throw EColorArrayIndexError("Array index out of bounds");
  return static_cast<size_t>(Y - 1) * static_cast<size_t>(FXSize) + static_cast<size_t>(X - 1);
}

TColor TColorArrayClass::GetItem(int32_t X, int32_t Y) const { return FColors[Position(X, Y)]; }

void TColorArrayClass::SetItem(int32_t X, int32_t Y, TColor Value) { FColors[Position(X, Y)] = Value; }

TColor TColorArrayClass::ItemByIndex(int32_t Index) const {
  if (Index < 1 || Index > Count()) throw EColorArrayIndexError("Array index out of bounds");
  return FColors[static_cast<size_t>(Index - 1)];
}

void TColorArrayClass::SetItemByIndex(int32_t Index, TColor Value) {
  if (Index < 1 || Index > Count()) throw EColorArrayIndexError("Array index out of bounds");
  FColors[static_cast<size_t>(Index - 1)] = Value;
}

void TColorArrayClass::Assign(const TPersistent* Source) {
  if (auto* other = dynamic_cast<const TColorArrayClass*>(Source)) {
    if (other == this) return;
    FXSize = other->FXSize;
    FYSize = other->FYSize;
    FColors = other->FColors;
    return;
  }
  TPersistent::Assign(Source);
}

bool TColorArrayClass::Equal(const TColorArrayClass* Other) const {
  if (Other == this) return true;
  if (!Other) return false;
  return FXSize == Other->FXSize && FYSize == Other->FYSize && FColors == Other->FColors;
}

void TColorArrayClass::DefineProperties(TFiler& Filer) {
  TPersistent::DefineProperties(Filer);
  Filer.DefineProperty(
      "XSize", [this](TReader& R) { SetXSize(static_cast<int32_t>(R.ReadInteger())); },
      [this](TWriter& W) { W.WriteInteger(FXSize); }, true);
  Filer.DefineProperty(
      "YSize", [this](TReader& R) { SetYSize(static_cast<int32_t>(R.ReadInteger())); },
      [this](TWriter& W) { W.WriteInteger(FYSize); }, true);
  Filer.DefineProperty(
      "Colors",
      [this](TReader& R) {
        // Column by column: y advances first and wraps while x advances.
        int32_t x = 1, y = 1;
        R.ReadListBegin();
        while (!R.EndOfList()) {
          const TColor value = static_cast<TColor>(R.ReadInteger());
          if (x <= FXSize && y <= FYSize) SetItem(x, y, value);
          if (++y > FYSize) {
            y = 1;
            ++x;
          }
        }
        R.ReadListEnd();
      },
      [this](TWriter& W) {
        W.WriteListBegin();
        for (int32_t x = 1; x <= FXSize; ++x)
          for (int32_t y = 1; y <= FYSize; ++y) W.WriteInteger(GetItem(x, y));
        W.WriteListEnd();
      },
      true);
}

// ---------------------------------------------------------------- TdfsColorButton

KV_CLASS_IMPL(TdfsColorButton, TOwnerDrawButton) {
  c.Property("Version", &TdfsColorButton::GetVersion).Stored(false);
  c.Property("ShowColorHints", &TdfsColorButton::ShowColorHints).Default(true);
  c.Property("Style", &TdfsColorButton::GetStyle, &TdfsColorButton::SetStyle)
      .Names({"bsAutoDetect", "bsWin31", "bsNew"})
      .Default(TButtonStyle::bsAutoDetect);
  c.Property("OtherBtnCaption", &TdfsColorButton::OtherBtnCaption);
  c.Property("OtherColor", &TdfsColorButton::OtherColor).Kind(TPropKind::pkColor);
  c.Property("CycleColors", &TdfsColorButton::CycleColors).Default(false);
  c.Property("PaletteColors", &TdfsColorButton::GetPaletteColors);
  c.Property("CustomColors", &TdfsColorButton::GetCustomColors);
  c.Property("Color", &TdfsColorButton::GetColor, &TdfsColorButton::SetColor).Kind(TPropKind::pkColor).Default(0);
  c.Property("Flat", &TdfsColorButton::GetFlat, &TdfsColorButton::SetFlat).Default(false);
  c.Property("CustomColorsKey", &TdfsColorButton::CustomColorsKey).Default("");
}

TColor DFSClrBn::DefaultPaletteColor(int32_t X, int32_t Y) {
  static constexpr TColor table[5][4] = {
      {RGB(255, 255, 255), RGB(0, 0, 0), RGB(191, 191, 191), RGB(127, 127, 127)},
      {RGB(255, 0, 0), RGB(127, 0, 0), RGB(255, 255, 0), RGB(127, 127, 0)},
      {RGB(0, 255, 0), RGB(0, 127, 0), RGB(0, 255, 255), RGB(0, 127, 127)},
      {RGB(0, 0, 255), RGB(0, 0, 127), RGB(255, 0, 255), RGB(127, 0, 127)},
      {RGB(191, 215, 191), RGB(159, 191, 239), RGB(255, 247, 239), RGB(159, 159, 159)},
  };
  if (X < 1 || X > 4 || Y < 1 || Y > 5) throw EColorArrayIndexError("Array index out of bounds");
  return table[Y - 1][X - 1];
}

TdfsColorButton::TdfsColorButton(TComponent* AOwner)
    : TOwnerDrawButton(AOwner),
      OtherBtnCaption("&Other"),
      OtherColor(clBtnFace),
      FPaletteColors(std::make_unique<TColorArrayClass>(4, 5)),
      FCustomColors(std::make_unique<TColorArrayClass>(8, 2)) {
  SetBounds(GetLeft(), GetTop(), 45, 22);
  SetCaption("");
  SetDefaultColors();
}

TdfsColorButton::~TdfsColorButton() = default;

void TdfsColorButton::BeforeDestruction() {
  if (FPalette) {
    FPalette->OnPaletteClosed = nullptr;
    FPalette->OnColorChosen = nullptr;
  }
  if (!CustomColorsKey.empty()) SaveCustomColors();
  TOwnerDrawButton::BeforeDestruction();
}

void TdfsColorButton::SetDefaultColors() {
  // The desktop never reports a 16-colour display here: the fixed table serves.
  for (int32_t y = 1; y <= 5; ++y)
    for (int32_t x = 1; x <= 4; ++x) FPaletteColors->SetItem(x, y, DFSClrBn::DefaultPaletteColor(x, y));
  for (int32_t i = 1; i <= FCustomColors->Count(); ++i) FCustomColors->SetItemByIndex(i, clWhite);
  OtherColor = clBtnFace;
}

void TdfsColorButton::SetStyle(TButtonStyle Value) {
  FStyle = Value;
  Invalidate();
}

void TdfsColorButton::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void TdfsColorButton::SetPaletteColors(const TColorArrayClass* Value) {
  if (Value) FPaletteColors->Assign(Value);
}

void TdfsColorButton::SetCustomColors(const TColorArrayClass* Value) {
  if (Value) FCustomColors->Assign(Value);
}

void TdfsColorButton::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  FPaletteIndex = 0;
  for (int32_t i = 1; i <= FPaletteColors->Count(); ++i)
    if (FPaletteColors->ItemByIndex(i) == Value) {
      FPaletteIndex = i;
      break;
    }
  Invalidate();
  DoColorChange();
}

void TdfsColorButton::SetPaletteIndex(int32_t Value) {
  if (Value == FPaletteIndex || Value < 0 || Value > FPaletteColors->Count()) return;
  FPaletteIndex = Value;
  FColor = Value == 0 ? OtherColor : FPaletteColors->ItemByIndex(Value);
  Invalidate();
  DoColorChange();
}

void TdfsColorButton::DoColorChange() {
  if (OnColorChange) OnColorChange(this);
}

std::string TdfsColorButton::CustomColorsValueName() const {
  if (TWinControl* parent = GetParent()) return parent->GetName() + "." + GetName();
  return GetName();
}

void TdfsColorButton::FixValueName() {
  if (FValueNameFixed) return;
  FValueNameFixed = true;
  FValueName = CustomColorsValueName();
  if (!CustomColorsKey.empty() && !FCustomColorsLoaded) {
    FCustomColorsLoaded = true;
    LoadCustomColors();
  }
}

void TdfsColorButton::Loaded() {
  TOwnerDrawButton::Loaded();
  FixValueName();
}

QWidget* TdfsColorButton::CreateWidget(QWidget* ParentWidget) {
  if (!ComponentState.Contains(TComponentStateItem::csLoading)) FixValueName();
  return TOwnerDrawButton::CreateWidget(ParentWidget);
}

void TdfsColorButton::LoadCustomColors() {
  if (CustomColorsKey.empty()) return;
  const std::string name = FValueNameFixed ? FValueName : CustomColorsValueName();
  std::string text;
  {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(CustomColorsKey + "\\Colors")) return;
    if (reg.GetDataType(name) != TRegDataType::rdString) return;
    text = reg.ReadString(name);
  }
  const size_t comma = text.find(',');
  if (text.empty() || comma == std::string::npos) return;
  // Every token is as long as the first and followed by one separator.
  const size_t width = comma;
  for (int32_t k = 0; k < 16; ++k) {
    const size_t start = static_cast<size_t>(k) * (width + 1);
    int32_t value = clWhite;
    if (start < text.size() && !SysUtils::TryStrToInt(text.substr(start, width), value)) value = clWhite;
    if (start >= text.size()) value = clWhite;
    FCustomColors->SetItem(k / 2 + 1, k % 2 + 1, value);
  }
}

void TdfsColorButton::SaveCustomColors() {
  if (CustomColorsKey.empty()) return;
  std::string text;
  for (int32_t x = 1; x <= 8; ++x)
    for (int32_t y = 1; y <= 2; ++y) {
      if (!text.empty()) text += ",";
      text += "$" + SysUtils::IntToHex(int32_t(FCustomColors->GetItem(x, y)), 8);
    }
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (!reg.OpenKey(CustomColorsKey + "\\Colors", true)) return;
  reg.WriteString(FValueNameFixed ? FValueName : CustomColorsValueName(), text);
}

TPoint TdfsColorButton::PalettePosition(TPoint BottomLeft, int ButtonTop, int PaletteWidth, int PaletteHeight,
                                        const TRect& WorkArea) {
  TPoint p = BottomLeft;
  if (p.Y + PaletteHeight > WorkArea.Bottom) p = TPoint(BottomLeft.X, ButtonTop - 121);
  if (p.X < WorkArea.Left)
    p.X = WorkArea.Left;
  else if (p.X + PaletteWidth > WorkArea.Right)
    p.X = WorkArea.Right - 78;
  return p;
}

bool TdfsColorButton::CursorOnButton() const {
  const TPoint p = Controls::MouseCursorPos();
  const TPoint origin = ClientToScreen(TPoint(0, 0));
  return TRect(origin.X, origin.Y, origin.X + GetWidth(), origin.Y + GetHeight()).Contains(p);
}

void TdfsColorButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // A press while the palette is open closes it; the click it ends in is swallowed.
  if (FPalette && Button == TMouseButton::mbLeft) {
    FIgnoreNextClick = true;
    FPalette->Close();
  }
  TOwnerDrawButton::MouseDown(Button, Shift, X, Y);
}

void TdfsColorButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FHaveClickPos = true;
  FClickPos = TPoint(X, Y);
  TOwnerDrawButton::MouseUp(Button, Shift, X, Y);
  FHaveClickPos = false;
}

void TdfsColorButton::Click() {
  if (FIgnoreNextClick) {
    FIgnoreNextClick = false;
    return;
  }
  const TPoint p = FHaveClickPos ? FClickPos : ScreenToClient(Controls::MouseCursorPos());
  if (CycleColors && p.X <= GetWidth() - 13) {
    SetPaletteIndex(FPaletteIndex >= FPaletteColors->Count() ? 0 : FPaletteIndex + 1);
  } else if (!FPalette) {
    OpenPalette();
  }
  TOwnerDrawButton::Click();
}

void TdfsColorButton::OpenPalette() {
  auto* palette = Create<TDFSColorButtonPalette>(this);
  FPalette = palette;
  const TPoint bottomLeft = ClientToScreen(TPoint(0, GetHeight()));
  const int top = ClientToScreen(TPoint(0, 0)).Y;
  const TPoint at = PalettePosition(bottomLeft, top, palette->GetWidth(), palette->GetHeight(),
                                    Screen->GetWorkAreaRect());
  palette->SetBounds(at.X, at.Y, palette->GetWidth(), palette->GetHeight());
  palette->ShowHints = ShowColorHints;
  palette->SetOtherCaption(OtherBtnCaption);
  palette->SetOtherColor(OtherColor);
  palette->PaletteColors()->Assign(FPaletteColors.get());
  palette->CustomColors()->Assign(FCustomColors.get());
  palette->SetSelectedColor(FColor);
  palette->OnColorChosen = [this](TColor Color, bool FromOther) { PaletteColorChosen(Color, FromOther); };
  palette->OnPaletteClosed = [this](bool ByKey, const TColorArrayClass& Custom) { PaletteClosed(ByKey, Custom); };
  palette->OnGetColorHintText = OnGetColorHintText;
  FDroppedDown = true;
  Invalidate();
  palette->Show();
}

void TdfsColorButton::PaletteColorChosen(TColor Color, bool FromOther) {
  SetColor(Color);
  if (FromOther) OtherColor = Color;
}

void TdfsColorButton::PaletteClosed(bool ByKey, const TColorArrayClass& Custom) {
  if (!ByKey && CursorOnButton()) FIgnoreNextClick = true;
  FCustomColors->Assign(&Custom);
  FPalette = nullptr;
  FDroppedDown = false;
  Invalidate();
}

void TdfsColorButton::MouseEnter() {
  TOwnerDrawButton::MouseEnter();
  if (FFlat) Invalidate();
}

void TdfsColorButton::MouseLeave() {
  TOwnerDrawButton::MouseLeave();
  if (FFlat) Invalidate();
}

void TdfsColorButton::SetEnabled(bool Value) {
  TOwnerDrawButton::SetEnabled(Value);
  Invalidate();
}

void TdfsColorButton::DrawArrow(TCanvas& Canvas, int X, int Y) const {
  // A 7 by 5 down arrow: rows 1 to 4 narrowing from 7 pixels to 1; greyed it is
  // the shadow colour with a highlight one pixel right and down.
  const bool enabled = GetEnabled();
  auto triangle = [&](int dx, int dy, TColor Color) {
    for (int row = 0; row < 4; ++row)
      for (int x = row; x < 7 - row; ++x)
        if (x + dx < 7 && row + 1 + dy < 5) Canvas.SetPixel(X + x + dx, Y + row + 1 + dy, Color);
  };
  if (enabled) {
    triangle(0, 0, clBlack);
  } else {
    triangle(1, 1, clBtnHighlight);
    triangle(0, 0, clBtnShadow);
  }
}

void TdfsColorButton::Paint() {
  TCanvas& c = *GetCanvas();
  const bool down = IsPressed() || FDroppedDown;
  const bool hot = IsMouseInControl();
  const bool focused = ReportsFocus();
  const bool designing = ComponentState.Contains(TComponentStateItem::csDesigning);
  TRect r = GetClientRect();
  c.Pen->SetStyle(psSolid);
  c.Brush->SetStyle(bsSolid);
  if (down) {
    c.Brush->SetColor(clWindowFrame);
    c.FrameRect(r);
    c.Pen->SetColor(clBtnShadow);
    c.Brush->SetColor(clBtnFace);
    c.Rectangle(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  } else if (designing || (FFlat && (hot || focused))) {
    c.Brush->SetColor(clBtnFace);
    c.FillRect(r);
    c.Pen->SetColor(clBtnHighlight);
    c.MoveTo(r.Left, r.Bottom - 1);
    c.LineTo(r.Left, r.Top);
    c.LineTo(r.Right - 1, r.Top);
    c.Pen->SetColor(clBtnShadow);
    c.LineTo(r.Right - 1, r.Bottom - 1);
    c.LineTo(r.Left - 1, r.Bottom - 1);
  } else {
    const bool flatFrame = FFlat && !hot && !focused;
    uint32_t state = DFCS_BUTTONPUSH;
    if (!GetEnabled()) state |= DFCS_INACTIVE;
    if (flatFrame) state |= DFCS_FLAT;
    TRect frame = r;
    c.GetHandle()->DrawFrameControl(frame, DFC_BUTTON, state);
    if (flatFrame) {
      c.Brush->SetColor(clBtnFace);
      c.FrameRect(r);
    }
  }
  TRect content = r;
  if (down) content = TRect(content.Left + 1, content.Top + 1, content.Right + 1, content.Bottom + 1);
  content = TRect(content.Left + 3, content.Top + 3, content.Right - 3, content.Bottom - 3);
  if (IsDefaultLook() && focused) {
    c.Brush->SetColor(clBtnFace);
    c.Font->SetColor(clBlack);
    c.DrawFocusRect(content);
  }
  content = TRect(content.Left + 1 + 2, content.Top + 1 + 1, content.Right - 1 - 2, content.Bottom - 1 - 1);
  content.Right -= 10;
  if (GetEnabled()) {
    c.Pen->SetColor(clWindowFrame);
    c.Brush->SetStyle(bsSolid);
    c.Brush->SetColor(FColor);
    c.Rectangle(content);
  } else {
    c.Brush->SetColor(clWindowFrame);
    c.FrameRect(content);
    for (int y = content.Top + 1; y < content.Bottom - 1; ++y)
      for (int x = content.Left + 1; x < content.Right - 1; ++x)
        c.SetPixel(x, y, (x - y) % 4 == 0 ? clBlack : clBtnFace);
  }
  const int sep = content.Right + 3;
  c.Pen->SetColor(clBtnShadow);
  c.MoveTo(sep, content.Top);
  c.LineTo(sep, content.Bottom);
  c.Pen->SetColor(clBtnHighlight);
  c.MoveTo(sep + 1, content.Top);
  c.LineTo(sep + 1, content.Bottom);
  DrawArrow(c, sep + 4, content.Top + (content.Height() - 5) / 2);
}
