#include "grid/gvspin.h"

#include "grid/GridView.h"
#include "grid/GridXPVS.h"
#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <cmath>

KV_CLASS_IMPL(TGridTimerSpeedButton, TSpeedButton) {}
KV_CLASS_IMPL(TGvSpinButton, TCustomControl) {}
KV_CLASS_IMPL(TGvSpinEdit, TCustomEdit) {}

namespace {

constexpr unsigned kFirstRepeat = 400, kNextRepeat = 100;

void DrawArrow(TCanvas& C, const TRect& R, TTimerBtnDirection D, TColor Color) {
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  C.Pen->SetColor(Color);
  for (int i = 0; i < 4; ++i) {
    switch (D) {
      case TTimerBtnDirection::tbdLeft: C.MoveTo(cx - 2 + i, cy - i); C.LineTo(cx - 2 + i, cy + i + 1); break;
      case TTimerBtnDirection::tbdRight: C.MoveTo(cx + 1 - i, cy - i); C.LineTo(cx + 1 - i, cy + i + 1); break;
      case TTimerBtnDirection::tbdUp: C.MoveTo(cx - i, cy - 2 + i); C.LineTo(cx + i + 1, cy - 2 + i); break;
      case TTimerBtnDirection::tbdDown: C.MoveTo(cx - i, cy + 1 - i); C.LineTo(cx + i + 1, cy + 1 - i); break;
    }
  }
}

int SystemTextHeight() {
  TBitmap b(1, 1);
  return b.GetCanvas()->TextHeight("0");
}

}  // namespace

std::unique_ptr<TBitmap> gvspin::ArrowGlyph(bool Up) {
  auto b = std::make_unique<TBitmap>(9, 6);
  TCanvas& c = *b->GetCanvas();
  c.Brush->SetColor(clOlive);  // the bottom-left pixel's colour is transparent
  c.FillRect(TRect(0, 0, 9, 6));
  c.Pen->SetColor(clBlack);
  for (int row = 0; row < 4; ++row) {
    const int y = Up ? 1 + row : 4 - row;
    c.MoveTo(4 - row, y);
    c.LineTo(5 + row, y);
  }
  return b;
}

// ================================================================ TGridTimerSpeedButton

TGridTimerSpeedButton::TGridTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TGridTimerSpeedButton::SetXPLook(bool Value) {
  FXPLook = Value;
  Invalidate();
}

void TGridTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !GetEnabled()) return;
  FHeld = true;
  if (GetParent()) GetParent()->Invalidate();
  if (!AllowRepeat) return;
  if (!FRepeatTimer) {
    FRepeatTimer = Create<TTimer>(this);
    FRepeatTimer->SetOnTimer([this](TObject*) { TimerExpired(); });
  }
  FRepeatTimer->SetInterval(kFirstRepeat);
  FRepeatTimer->SetEnabled(true);
  // A repeating button steps on the press; its release adds no click.
  Click();
}

void TGridTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool held = FHeld;
  FHeld = false;
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  if (held && GetParent()) GetParent()->Invalidate();
  TSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TGridTimerSpeedButton::TimerExpired() {
  if (!FRepeatTimer) return;
  FRepeatTimer->SetInterval(kNextRepeat);
  if (!FHeld) return;
  try {
    Click();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TGridTimerSpeedButton::MouseEnter() {
  FMouseOver = true;
  Invalidate();
  TSpeedButton::MouseEnter();
}

void TGridTimerSpeedButton::MouseLeave() {
  FMouseOver = false;
  Invalidate();
  TSpeedButton::MouseLeave();
}

void TGridTimerSpeedButton::Paint() {
  TCanvas& c = *GetCanvas();
  const TRect r = GetClientRect();
  if (FXPLook && GridXPVS::UseThemes()) {
    const int part = Direction == TTimerBtnDirection::tbdUp     ? 1
                     : Direction == TTimerBtnDirection::tbdDown ? 2
                     : Direction == TTimerBtnDirection::tbdRight ? 3
                                                                 : 4;
    const int state = FHeld ? 3 : FMouseOver ? 2 : 1;
    GridXPVS::HTHEME t = GridXPVS::OpenThemeData(GetParent(), "spin");
    GridXPVS::DrawThemeBackground(t, c, part, state, r, nullptr);
    GridXPVS::CloseThemeData(t);
    return;
  }
  if (Direction == TTimerBtnDirection::tbdLeft || Direction == TTimerBtnDirection::tbdRight) {
    c.Brush->SetStyle(bsSolid);
    c.Brush->SetColor(clBtnFace);
    c.FillRect(r);
    TRect e = r;
    if (!Flat || FHeld || FMouseOver) c.GetHandle()->DrawEdge(e, FHeld ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    c.Refresh();
    DrawArrow(c, FHeld ? TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1) : r, Direction,
              GetEnabled() ? clBlack : clGrayText);
    return;
  }
  TSpeedButton::Paint();
}

// ================================================================ TGvSpinButton

TGvSpinButton::TGvSpinButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  auto make = [this](TTimerBtnDirection D, bool Up) {
    auto* b = Create<TGridTimerSpeedButton>(this);
    b->SetParent(this);
    b->AllowRepeat = true;
    b->Direction = D;
    b->SetGlyph(gvspin::ArrowGlyph(Up).get());
    b->OnClick = [this](TObject* S) { BtnClick(S); };
    b->OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState, int, int) { BtnMouseDown(S, B); };
    return b;
  };
  FUpButton = make(TTimerBtnDirection::tbdUp, true);
  FDownButton = make(TTimerBtnDirection::tbdDown, false);
  FFocusedButton = FUpButton;
  SetBounds(0, 0, 15, 25);
}

void TGvSpinButton::SetUpGlyph(const TBitmap* Value) {
  if (Value) {
    FUpButton->SetGlyph(Value);
    return;
  }
  FUpButton->SetGlyph(gvspin::ArrowGlyph(true).get());
  FUpButton->NumGlyphs = 1;
}

void TGvSpinButton::SetDownGlyph(const TBitmap* Value) {
  if (Value) {
    FDownButton->SetGlyph(Value);
    return;
  }
  FDownButton->SetGlyph(gvspin::ArrowGlyph(false).get());
  FDownButton->NumGlyphs = 1;
}

void TGvSpinButton::SetXPLook(bool Value) {
  FUpButton->SetXPLook(Value);
  FDownButton->SetXPLook(Value);
}

void TGvSpinButton::SetFlat(bool Value) {
  FUpButton->Flat = Value;
  FDownButton->Flat = Value;
  Invalidate();
}

void TGvSpinButton::SetTransparent(bool Value) {
  // The buttons draw over the parent's colour when transparent.
  SetColor(Value && GetParent() ? GetParent()->GetColor() : clBtnFace);
}

void TGvSpinButton::SetDirection(TSpinDirection Value) {
  FDirection = Value;
  if (Value == spHorizontal) {
    FUpButton->Direction = TTimerBtnDirection::tbdRight;
    FDownButton->Direction = TTimerBtnDirection::tbdLeft;
    SetWidth(20);
  } else {
    FUpButton->Direction = TTimerBtnDirection::tbdUp;
    FDownButton->Direction = TTimerBtnDirection::tbdDown;
    SetWidth(15);
  }
  AdjustSize();
  Invalidate();
}

void TGvSpinButton::AdjustSize() {
  int w = GetWidth();
  const int h = GetHeight();
  if (FDirection == spVertical) {
    if (w < 15) {
      SetWidth(15);
      return;
    }
    const int half = h / 2;
    FUpButton->SetBounds(0, 0, w, half);
    FDownButton->SetBounds(0, half - 1, w, h - half + 1);
  } else {
    if (w < 20) {
      SetWidth(20);
      return;
    }
    const int half = w / 2;
    FDownButton->SetBounds(0, 0, half, h);
    FUpButton->SetBounds(half + 1, 0, half, h);
  }
}

void TGvSpinButton::Resize() {
  AdjustSize();
  TCustomControl::Resize();
}

void TGvSpinButton::Paint() { TCustomControl::Paint(); }

void TGvSpinButton::SetFocusBtn(TGridTimerSpeedButton* Btn) {
  if (GetTabStop() && CanFocus() && Btn != FFocusedButton) {
    FFocusedButton = Btn;
    Invalidate();
  }
}

void TGvSpinButton::KeyDown(uint16_t& Key, TShiftState Shift) {
  switch (Key) {
    case VK_UP: SetFocusBtn(FUpButton); FUpButton->Click(); break;
    case VK_DOWN: SetFocusBtn(FDownButton); FDownButton->Click(); break;
    case VK_SPACE: FFocusedButton->Click(); break;
    default: break;
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TGvSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button) {
  if (Button != TMouseButton::mbLeft) return;
  SetFocusBtn(static_cast<TGridTimerSpeedButton*>(Sender));
  if (FocusControl && FocusControl->GetTabStop() && FocusControl->CanFocus() && !FocusControl->Focused())
    FocusControl->SetFocus();
  else if (GetTabStop() && CanFocus())
    SetFocus();
}

void TGvSpinButton::BtnClick(TObject* Sender) {
  if (Sender == FUpButton && OnUpClick) OnUpClick(this);
  if (Sender == FDownButton && OnDownClick) OnDownClick(this);
}

// ================================================================ TGvSpinEdit

TGvSpinEdit::TGvSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  FButton = Create<TGvSpinButton>(this);
  FButton->SetBounds(0, 0, 15, 17);
  FButton->SetParent(this);
  FButton->FocusControl = this;
  FButton->OnUpClick = [this](TObject*) { StepUp(); };
  FButton->OnDownClick = [this](TObject*) { StepDown(); };
  TCustomEdit::SetText("0");
  Resize();
}

int TGvSpinEdit::LimitInt(int64_t V) const {
  if (MinValue == MaxValue) return static_cast<int>(std::clamp<int64_t>(V, INT32_MIN, INT32_MAX));
  return static_cast<int>(std::clamp<int64_t>(V, MinValue, std::max(MinValue, MaxValue)));
}

double TGvSpinEdit::LimitFloat(double V) const {
  if (MinFloatValue == MaxFloatValue) return V;
  if (V < MinFloatValue) return MinFloatValue;
  if (V > MaxFloatValue) return MaxFloatValue;
  return V;
}

TDateTime TGvSpinEdit::LimitDate(TDateTime V) const {
  if (MinDateValue == MaxDateValue) return V;
  if (V < MinDateValue) return MinDateValue;
  if (V > MaxDateValue) return MaxDateValue;
  return V;
}

int TGvSpinEdit::GetValue() const {
  int32_t v = 0;
  return SysUtils::TryStrToInt(SysUtils::Trim(GetText()), v) ? v : MinValue;
}

void TGvSpinEdit::SetValue(int Value) {
  SetText(std::to_string(LimitInt(Value)));
  if (!FEditorEnabled) SelectAll();
}

double TGvSpinEdit::GetFloatValue() const {
  double v = 0;
  return SysUtils::TryStrToFloat(SysUtils::Trim(GetText()), v) ? v : MinFloatValue;
}

void TGvSpinEdit::SetFloatValue(double Value) {
  const double v = LimitFloat(Value);
  SetText(FPrecision != 0 ? SysUtils::FloatToStrF(v, SysUtils::TFloatFormat::ffFixed, 15, FPrecision)
                          : SysUtils::FloatToStr(v));
}

TDateTime TGvSpinEdit::GetDateValue() const {
  const std::string t = SysUtils::Trim(GetText());
  if (t.empty() || t == "0") return SysUtils::Now();
  TDateTime d = 0;
  return SysUtils::TryStrToDate(t, d, ::FormatSettings) ? d : MinDateValue;
}

void TGvSpinEdit::SetDateValue(TDateTime Value) {
  FLastDate = Value;
  if (FLoading) return;
  WriteKeepingCaret(SysUtils::DateToStr(LimitDate(Value)));
}

TDateTime TGvSpinEdit::GetTimeValue() const {
  TDateTime t = 0;
  return SysUtils::TryStrToTime(SysUtils::Trim(GetText()), t, ::FormatSettings) ? t : 0;
}

void TGvSpinEdit::SetTimeValue(TDateTime Value) {
  FLastTime = Value;
  if (FLoading) return;
  WriteKeepingCaret(SysUtils::TimeToStr(Value));
}

void TGvSpinEdit::WriteKeepingCaret(const std::string& Text) {
  const int caret = GetSelStart();
  SetText(Text);
  SetSelStart(caret);
}

void TGvSpinEdit::SetSpinType(TGvSpinType Value) {
  FSpinType = Value;
  switch (Value) {
    case sptNormal: SetValue(GetValue()); break;
    case sptFloat: SetFloatValue(GetFloatValue()); break;
    case sptDate: SetDateValue(GetDateValue()); break;
    case sptTime: SetTimeValue(GetTimeValue()); break;
  }
}

void TGvSpinEdit::SetPrecision(int Value) {
  FPrecision = Value;
  if (FSpinType == sptFloat) SetFloatValue(GetFloatValue());
}

void TGvSpinEdit::Loaded() {
  FLoading = false;
  if (FSpinType == sptDate) SetDateValue(FLastDate);
  if (FSpinType == sptTime) SetTimeValue(FLastTime);
  SetSpinType(FSpinType);
}

void TGvSpinEdit::SetDirection(TSpinDirection Value) {
  FButton->SetDirection(Value);
  SetWidth(GetWidth() + 1);
  SetWidth(GetWidth() - 1);
}

void TGvSpinEdit::SetSpinFlat(bool Value) {
  FSpinFlat = Value;
  FButton->SetFlat(Value);
}

void TGvSpinEdit::SetSpinTransparent(bool Value) {
  FSpinTransparent = Value;
  FButton->SetTransparent(Value);
  SetWidth(GetWidth() + 1);
  SetWidth(GetWidth() - 1);
}

void TGvSpinEdit::StepUp() {
  if (GetReadOnly()) {
    GridView::Beep();
    return;
  }
  switch (FSpinType) {
    case sptNormal: SetValue(LimitInt(static_cast<int64_t>(GetValue()) + Increment)); break;
    case sptFloat: SetFloatValue(GetFloatValue() + IncrementFloat); break;
    case sptDate: StepDate(1); break;
    case sptTime: StepTime(1); break;
  }
}

void TGvSpinEdit::StepDown() {
  if (GetReadOnly()) {
    GridView::Beep();
    return;
  }
  switch (FSpinType) {
    case sptNormal: SetValue(LimitInt(static_cast<int64_t>(GetValue()) - Increment)); break;
    case sptFloat: SetFloatValue(GetFloatValue() - IncrementFloat); break;
    case sptDate: StepDate(-1); break;
    case sptTime: StepTime(-1); break;
  }
}

namespace {

// Positions of the first and second separator in the text (npos-like -1 when absent).
void SeparatorPositions(const std::u16string& Text, char Sep, int& First, int& Second) {
  First = Second = -1;
  for (int i = 0; i < static_cast<int>(Text.size()); ++i)
    if (Text[static_cast<size_t>(i)] == static_cast<char16_t>(static_cast<unsigned char>(Sep))) {
      if (First < 0) First = i;
      else if (Second < 0) Second = i;
    }
}

// Before a separator: the caret stands at or left of it; a missing one lies at the end.
bool CaretBefore(int Caret, int SepPos) { return SepPos >= 0 && Caret <= SepPos; }

}  // namespace

void TGvSpinEdit::StepDate(int Sign) {
  int first, second;
  SeparatorPositions(GetTextWide(), ::FormatSettings.DateSeparator, first, second);
  const int caret = GetSelStart();
  const TDateTime d = GetDateValue();
  int y, m, day;
  SysUtils::DecodeDate(d, y, m, day);
  const double timePart = d - std::floor(d);
  TDateTime result;
  if (CaretBefore(caret, first)) {
    result = d + Sign;
  } else {
    if (CaretBefore(caret, second)) {
      m += Sign;
      if (m < 1) { m = 12; --y; }
      if (m > 12) { m = 1; ++y; }
    } else {
      y += Sign;
    }
    // A day the new month lacks becomes its last day (29 February in a common year gives the 28th).
    if (y < 1 || y > 9999) return;
    day = std::min(day, SysUtils::DaysInAMonth(y, m));
    result = SysUtils::EncodeDate(y, m, day) + timePart;
  }
  SetDateValue(result);
}

void TGvSpinEdit::StepTime(int Sign) {
  int first, second;
  SeparatorPositions(GetTextWide(), ::FormatSettings.TimeSeparator, first, second);
  const int caret = GetSelStart();
  const double step = CaretBefore(caret, first) ? 1.0 / 24 : CaretBefore(caret, second) ? 1.0 / 1440 : 1.0 / 86400;
  double t = GetTimeValue();
  t -= std::floor(t);
  if (Sign > 0) {
    t += step;
  } else {
    t = t + 1 - step;
  }
  // Only the time of day is written: past midnight either way wraps around.
  t = std::nearbyint(t * SysUtils::MSecsPerDay) / SysUtils::MSecsPerDay;
  if (t >= 1) t -= 1;
  SetTimeValue(t);
}

bool TGvSpinEdit::AcceptChar(TKeyChar Key) {
  const SysUtils::TFormatSettings& fs = ::FormatSettings;
  auto is = [Key](char c) { return Key == static_cast<TKeyChar>(static_cast<unsigned char>(c)); };
  bool ok = (Key >= u'0' && Key <= u'9') || Key == u'+' || Key == u'-' || is(fs.DecimalSeparator) ||
            is(fs.ThousandSeparator) || is(fs.TimeSeparator) || is(fs.DateSeparator) ||
            (Key < 32 && Key != u'\r');
  if (ok && is(fs.TimeSeparator) && FSpinType != sptTime)
    ok = FSpinType == sptFloat && (fs.TimeSeparator == fs.DecimalSeparator || fs.TimeSeparator == fs.ThousandSeparator);
  if (ok && is(fs.DateSeparator) && FSpinType != sptDate)
    ok = FSpinType == sptFloat && (fs.DateSeparator == fs.DecimalSeparator || fs.DateSeparator == fs.ThousandSeparator);
  const std::u16string& text = GetTextWide();
  const char16_t dec = static_cast<char16_t>(static_cast<unsigned char>(fs.DecimalSeparator));
  if (ok && FSpinType == sptFloat && Key != 8 && Key != u'\r' && Key != 27) {
    const size_t at = text.find(dec);
    if (is(fs.DecimalSeparator) && at != std::u16string::npos) ok = false;
    if (ok && FPrecision > 0 && at != std::u16string::npos && GetSelStart() > static_cast<int>(at) &&
        GetSelLength() == 0 && static_cast<int>(text.size() - at - 1) >= FPrecision)
      ok = false;
  }
  if (ok && FSpinType == sptTime && is(fs.TimeSeparator) &&
      std::count(text.begin(), text.end(), static_cast<char16_t>(static_cast<unsigned char>(fs.TimeSeparator))) >= 2)
    ok = false;
  if (ok && !FEditorEnabled && (Key >= 32 || Key == 8)) ok = false;
  return ok;
}

void TGvSpinEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (Key == VK_UP) {
    StepUp();
    Key = 0;
    return;
  }
  if (Key == VK_DOWN) {
    StepDown();
    Key = 0;
    return;
  }
  if (Key == VK_RETURN && ReturnIsTab) Key = VK_TAB;
  if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
  TCustomEdit::KeyDown(Key, Shift);
}

void TGvSpinEdit::KeyPress(TKeyChar& Key) {
  const SysUtils::TFormatSettings& fs = ::FormatSettings;
  if (FSpinType == sptFloat && Key == static_cast<TKeyChar>(static_cast<unsigned char>(fs.ThousandSeparator)))
    Key = static_cast<TKeyChar>(static_cast<unsigned char>(fs.DecimalSeparator));
  if (!AcceptChar(Key)) {
    Key = 0;
    GridView::Beep();
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TGvSpinEdit::CutToClipboard() {
  if (FEditorEnabled && !GetReadOnly()) TCustomEdit::CutToClipboard();
}

void TGvSpinEdit::PasteFromClipboard() {
  if (FEditorEnabled && !GetReadOnly()) TCustomEdit::PasteFromClipboard();
}

void TGvSpinEdit::DoEnter() {
  const bool keep = AutoSelect;
  // A click into text that can be typed places the caret instead of selecting.
  if (EnteredByMouse() && FEditorEnabled) AutoSelect = false;
  TCustomEdit::DoEnter();
  AutoSelect = keep;
}

void TGvSpinEdit::DoExit() {
  switch (FSpinType) {
    case sptNormal:
      if (MinValue != MaxValue && (GetValue() < MinValue || GetValue() > MaxValue)) SetValue(GetValue());
      break;
    case sptFloat:
      if (MinFloatValue != MaxFloatValue && (GetFloatValue() < MinFloatValue || GetFloatValue() > MaxFloatValue))
        SetFloatValue(GetFloatValue());
      break;
    case sptDate:
      if (MinDateValue != MaxDateValue && (GetDateValue() < MinDateValue || GetDateValue() > MaxDateValue))
        SetDateValue(GetDateValue());
      break;
    case sptTime: break;
  }
  TCustomEdit::DoExit();
}

int TGvSpinEdit::MinHeight() {
  TBitmap b(1, 1);
  b.GetCanvas()->Font->Assign(*GetFont());
  const int f = b.GetCanvas()->TextHeight("0");
  const int s = std::min(f, SystemTextHeight());
  return f + s / 4 + 2 + (GetBorder() ? 4 : 0);
}

void TGvSpinEdit::SetEditRect() {
  const int i = GetBorder() ? 0 : 1;
  const int bw = FButton->GetWidth();
  SetTextRect(TRect(i + (GetBorder() ? 2 : 0), i, GetClientWidth() - bw - 2 - i, GetClientHeight() + 1));
}

void TGvSpinEdit::Resize() {
  const int mh = MinHeight();
  if (GetHeight() < mh) {
    SetHeight(mh);
    return;
  }
  const int e = GetBorder() ? 5 : 1;
  const int bw = FButton->GetWidth();
  FButton->SetBounds(GetWidth() - bw - e, 0, bw, GetHeight() - e);
  SetEditRect();
  TCustomEdit::Resize();
}
