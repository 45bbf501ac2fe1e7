#include "platform/ui/CustomEdit.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/ui/Clipbrd.h"

#include <QString>

#include <algorithm>

KV_CLASS_IMPL(TCustomEdit, TCustomControl) {}

std::u16string CustomEdit::Wide(const std::string& S) {
  const QString q = QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size()));
  return std::u16string(reinterpret_cast<const char16_t*>(q.utf16()), static_cast<size_t>(q.size()));
}

std::string CustomEdit::Narrow(const std::u16string& S) {
  return QString::fromUtf16(S.data(), static_cast<qsizetype>(S.size())).toUtf8().toStdString();
}

using CustomEdit::Narrow;
using CustomEdit::Wide;

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetCursor(crIBeam);
  SetBounds(0, 0, 121, 21);
}

std::string TCustomEdit::GetText() const { return Narrow(FText); }

void TCustomEdit::SetText(const std::string& Value) { SetTextWide(Wide(Value)); }

void TCustomEdit::SetTextWide(const std::u16string& Value) {
  std::u16string v = Value;
  if (FMaxLength > 0 && static_cast<int>(v.size()) > FMaxLength) v.resize(static_cast<size_t>(FMaxLength));
  const bool changed = v != FText;
  FText = std::move(v);
  FSelStart = Length();
  FSelLength = 0;
  FAnchor = FSelStart;
  Invalidate();
  if (changed) Change();
}

void TCustomEdit::SetSelStart(int Value) {
  FSelStart = std::clamp(Value, 0, Length());
  FSelLength = 0;
  FAnchor = FSelStart;
  Invalidate();
}

void TCustomEdit::SetSelLength(int Value) {
  FSelLength = std::clamp(Value, 0, Length() - FSelStart);
  FAnchor = FSelStart;
  Invalidate();
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FAnchor = 0;
  FSelLength = Length();
  Invalidate();
}

std::string TCustomEdit::GetSelText() const {
  return Narrow(FText.substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength)));
}

void TCustomEdit::SetSelText(const std::string& Value) { SetSelTextWide(Wide(Value)); }

void TCustomEdit::SetSelTextWide(const std::u16string& Value) { Replace(FSelStart, FSelLength, Value); }

int TCustomEdit::CaretPos() const { return FSelLength > 0 && FAnchor == FSelStart ? FSelStart + FSelLength : FSelStart; }

void TCustomEdit::SetMaxLength(int Value) { FMaxLength = std::max(0, Value); }

void TCustomEdit::SetReadOnly(bool Value) { FReadOnly = Value; }

void TCustomEdit::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}

void TCustomEdit::SetBorder(bool Value) {
  FBorder = Value;
  Invalidate();
}

TRect TCustomEdit::GetTextRect() const {
  if (!FTextRect.IsEmpty()) return FTextRect;
  const int b = FBorder ? 2 : 0;
  return TRect(b + 1, b, std::max(b + 1, GetWidth() - b - 1), std::max(b, GetHeight() - b));
}

void TCustomEdit::SetTextRect(const TRect& R) {
  FTextRect = R;
  Invalidate();
}

void TCustomEdit::ResetTextRect() { SetTextRect(TRect(0, 0, 0, 0)); }

void TCustomEdit::Replace(int From, int Count, std::u16string Text) {
  std::erase_if(Text, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  if (FMaxLength > 0) {
    const int room = FMaxLength - (Length() - Count);
    if (room <= 0) Text.clear();
    else if (static_cast<int>(Text.size()) > room) Text.resize(static_cast<size_t>(room));
  }
  if (Text.empty() && Count == 0) return;
  FText.replace(static_cast<size_t>(From), static_cast<size_t>(Count), Text);
  FSelStart = From + static_cast<int>(Text.size());
  FSelLength = 0;
  FAnchor = FSelStart;
  FModified = true;
  Invalidate();
  Change();
}

void TCustomEdit::MoveCaret(int NewPos, bool Extend) {
  NewPos = std::clamp(NewPos, 0, Length());
  if (!Extend) {
    FAnchor = FSelStart = NewPos;
    FSelLength = 0;
  } else {
    FSelStart = std::min(FAnchor, NewPos);
    FSelLength = std::abs(NewPos - FAnchor);
  }
  Invalidate();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::CopyToClipboard() {
  if (FSelLength > 0) Clipbrd::Clipboard().SetAsText(GetSelText());
}

void TCustomEdit::CutToClipboard() {
  if (FReadOnly || FSelLength == 0) return;
  CopyToClipboard();
  Replace(FSelStart, FSelLength, u"");
}

void TCustomEdit::PasteFromClipboard() {
  if (FReadOnly) return;
  SetSelText(Clipbrd::Clipboard().GetAsText());
}

void TCustomEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool extend = Shift.Contains(TShiftStateItem::ssShift);
  const bool ctrl = Shift.Contains(TShiftStateItem::ssCtrl);
  switch (Key) {
    case VK_LEFT: MoveCaret(CaretPos() - 1, extend); Key = 0; break;
    case VK_RIGHT: MoveCaret(CaretPos() + 1, extend); Key = 0; break;
    case VK_HOME: MoveCaret(0, extend); Key = 0; break;
    case VK_END: MoveCaret(Length(), extend); Key = 0; break;
    case VK_DELETE:
      if (!FReadOnly) {
        if (FSelLength > 0) Replace(FSelStart, FSelLength, u"");
        else if (FSelStart < Length()) Replace(FSelStart, 1, u"");
      }
      Key = 0;
      break;
    case 'A': if (ctrl) { SelectAll(); Key = 0; } break;
    case 'C': if (ctrl) { CopyToClipboard(); Key = 0; } break;
    case 'X': if (ctrl) { CutToClipboard(); Key = 0; } break;
    case 'V': if (ctrl) { PasteFromClipboard(); Key = 0; } break;
    default: break;
  }
}

void TCustomEdit::KeyPress(TKeyChar& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  if (Key == 8) {
    if (!FReadOnly) {
      if (FSelLength > 0) Replace(FSelStart, FSelLength, u"");
      else if (FSelStart > 0) Replace(FSelStart - 1, 1, u"");
    }
    Key = 0;
    return;
  }
  if (Key < 32 || FReadOnly) return;
  Replace(FSelStart, FSelLength, std::u16string(1, Key));
  Key = 0;
}

int TCustomEdit::CharAtX(int X) {
  TCanvas* c = GetCanvas();
  c->Font->Assign(*GetFont());
  const TRect r = GetTextRect();
  const int w = c->TextWidth(Narrow(FText));
  const int x0 = FAlignment == TAlignment::taRightJustify ? r.Right - w
                 : FAlignment == TAlignment::taCenter    ? (r.Left + r.Right - w) / 2
                                                         : r.Left;
  for (int i = 0; i < Length(); ++i) {
    const int a = c->TextWidth(Narrow(FText.substr(0, static_cast<size_t>(i))));
    const int b = c->TextWidth(Narrow(FText.substr(0, static_cast<size_t>(i + 1))));
    if (X < x0 + (a + b) / 2) return i;
  }
  return Length();
}

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FEnteredByMouse = !Focused();
  if (Button == TMouseButton::mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    MoveCaret(CharAtX(X), Shift.Contains(TShiftStateItem::ssShift));
  }
  FEnteredByMouse = false;
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::DoEnter() {
  if (AutoSelect && !FEnteredByMouse) SelectAll();
  TCustomControl::DoEnter();
}

void TCustomEdit::Paint() {
  TCanvas* c = GetCanvas();
  TRect client = GetClientRect();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(GetColor());
  c->FillRect(client);
  if (FBorder) c->GetHandle()->DrawEdge(client, EDGE_SUNKEN, BF_RECT);
  c->Refresh();
  const TRect r = GetTextRect();
  TDeviceContext* dc = c->GetHandle();
  const int level = dc->SaveDC();
  dc->IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
  c->Refresh();
  c->Font->Assign(*GetFont());
  const std::string text = Narrow(FText);
  const int w = c->TextWidth(text), h = c->TextHeight("Wg");
  const int x = FAlignment == TAlignment::taRightJustify ? r.Right - w
                : FAlignment == TAlignment::taCenter    ? (r.Left + r.Right - w) / 2
                                                        : r.Left;
  const int y = r.Top + std::max(0, (r.Height() - h) / 2);
  auto xAt = [&](int i) { return x + c->TextWidth(Narrow(FText.substr(0, static_cast<size_t>(i)))); };
  c->Brush->SetStyle(bsClear);
  c->TextOut(x, y, text);
  if (FSelLength > 0) {
    const int a = xAt(FSelStart), b = xAt(FSelStart + FSelLength);
    c->Brush->SetStyle(bsSolid);
    c->Brush->SetColor(clHighlight);
    c->FillRect(TRect(a, y, b, y + h));
    c->Brush->SetStyle(bsClear);
    c->Font->SetColor(clHighlightText);
    c->TextOut(a, y, GetSelText());
    c->Font->SetColor(GetFont()->GetColor());
  }
  if (Focused()) {
    c->Pen->SetColor(GetFont()->GetColor());
    c->MoveTo(xAt(CaretPos()), y);
    c->LineTo(xAt(CaretPos()), y + h);
  }
  dc->RestoreDC(level);
  c->Refresh();
  c->Brush->SetStyle(bsSolid);
  PaintOver(*c);
}
