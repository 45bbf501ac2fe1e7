#include "platform/ui/Spin.h"

#include "platform/ui/EditExtras.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

KV_CLASS_IMPL(TSpinEdit, TEdit) {}

namespace {

// The text as a whole number (blanks around it allowed); none otherwise.
std::optional<int64_t> ParseWhole(const std::string& Text) {
  size_t b = Text.find_first_not_of(" \t");
  size_t e = Text.find_last_not_of(" \t");
  if (b == std::string::npos) return std::nullopt;
  const char* first = Text.data() + b;
  const char* last = Text.data() + e + 1;
  if (*first == '+') ++first;
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last) return std::nullopt;
  return value;
}

}  // namespace

TSpinEdit::TSpinEdit(TComponent* AOwner) : TEdit(AOwner), FButtonWidth(EditExtras::VerticalScrollBarWidth()) {
  SetText("0");
}

int32_t TSpinEdit::Clamp(int64_t Value) const {
  int64_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
  if (Bounded()) {
    lo = std::min(MinValue, MaxValue);
    hi = std::max(MinValue, MaxValue);
  }
  return static_cast<int32_t>(std::clamp(Value, lo, hi));
}

int32_t TSpinEdit::GetValue() const {
  const auto value = ParseWhole(GetText());
  return value ? Clamp(*value) : MinValue;
}

void TSpinEdit::SetValue(int32_t Value) { SetText(std::to_string(Clamp(Value))); }

bool TSpinEdit::TextIsValue() const {
  const auto value = ParseWhole(GetText());
  return value && Clamp(*value) == *value;
}

TRect TSpinEdit::UpButtonRect() const {
  return TRect(std::max(0, GetWidth() - FButtonWidth), 0, GetWidth(), GetHeight() / 2);
}

TRect TSpinEdit::DownButtonRect() const {
  return TRect(std::max(0, GetWidth() - FButtonWidth), GetHeight() / 2, GetWidth(), GetHeight());
}

void TSpinEdit::StepUp() {
  if (GetReadOnly() || !GetEnabled()) return;
  SetValue(Clamp(int64_t{GetValue()} + Increment));
}

void TSpinEdit::StepDown() {
  if (GetReadOnly() || !GetEnabled()) return;
  SetValue(Clamp(int64_t{GetValue()} - Increment));
}

void TSpinEdit::ApplyMargins() {
  if (HandleAllocated()) EditExtras::SetTextMargins(*this, 0, FButtonWidth);
}

void TSpinEdit::InitWidget() {
  TEdit::InitWidget();
  ApplyMargins();
}

void TSpinEdit::Resize() {
  TEdit::Resize();
  ApplyMargins();
}

void TSpinEdit::PaintOverlay(TCanvas& Canvas) {
  const bool active = GetEnabled() && !GetReadOnly();
  for (int dir : {1, -1}) {
    TRect r = dir > 0 ? UpButtonRect() : DownButtonRect();
    if (r.Right - r.Left < 2 || r.Bottom - r.Top < 2) continue;
    TRect frame = r;
    Canvas.GetHandle()->DrawFrameControl(frame, DFC_BUTTON,
                                         DFCS_BUTTONPUSH | (FPressed == dir ? DFCS_PUSHED | DFCS_FLAT : 0));
    // A small filled triangle in the middle of the button, pointing up or down.
    const int shift = FPressed == dir ? 1 : 0;
    const int cx = (r.Left + r.Right) / 2 + shift - 1;
    const int cy = (r.Top + r.Bottom) / 2 + shift;
    const int half = std::max(1, std::min((r.Right - r.Left) / 4, (r.Bottom - r.Top) / 3));
    const int tipY = dir > 0 ? cy - half / 2 - 1 : cy + half / 2;
    const int baseY = dir > 0 ? tipY + half : tipY - half;
    Canvas.Brush->SetStyle(bsSolid);
    Canvas.Brush->SetColor(active ? clBlack : clGray);
    Canvas.Pen->SetColor(active ? clBlack : clGray);
    Canvas.Polygon({TPoint(cx - half, baseY), TPoint(cx + half, baseY), TPoint(cx, tipY)});
  }
}

void TSpinEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TEdit::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !GetEnabled()) return;
  const TPoint p(X, Y);
  if (UpButtonRect().Contains(p)) {
    FPressed = 1;
    StepUp();
  } else if (DownButtonRect().Contains(p)) {
    FPressed = -1;
    StepDown();
  } else {
    return;
  }
  Invalidate();
}

void TSpinEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TEdit::MouseUp(Button, Shift, X, Y);
  if (FPressed != 0) {
    FPressed = 0;
    Invalidate();
  }
}

void TSpinEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TEdit::KeyDown(Key, Shift);
  if (Key == VK_UP) {
    StepUp();
    Key = 0;
  } else if (Key == VK_DOWN) {
    StepDown();
    Key = 0;
  }
}

bool TSpinEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (WheelDelta > 0)
    StepUp();
  else if (WheelDelta < 0)
    StepDown();
  return WheelDelta != 0;
}

void TSpinEdit::DoExit() {
  // A number beyond the bounds is shown as the bound it is read as; any other
  // text stays for the owner to report.
  if (ParseWhole(GetText()) && !TextIsValue()) SetValue(GetValue());
  TEdit::DoExit();
}
