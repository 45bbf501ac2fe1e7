#include "platform/ui/RichEdit.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/ui/CustomEdit.h"

#include <algorithm>

KV_CLASS_IMPL(TRichEdit, TCustomControl) {}

TRichEdit::TRichEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetCursor(crIBeam);
  SetBounds(0, 0, 185, 89);
}

TRichFormat TRichEdit::DefaultFormat() const {
  TRichFormat f;
  f.SizeHalfPoints = std::max(1, GetFont()->GetSize()) * 2;
  return f;
}

void TRichEdit::LoadFromRtf(const std::string& Rtf) {
  TRichRuns runs;
  RichText::Read(Rtf, runs, DefaultFormat());
  SetRuns(runs);
}

std::string TRichEdit::SaveToRtf() const { return FText.empty() ? std::string() : RichText::Write(GetRuns()); }

void TRichEdit::Clear() { SetRuns({}); }

TRichRuns TRichEdit::GetRuns() const {
  TRichRuns runs;
  for (size_t i = 0; i < FText.size(); ++i) {
    if (!runs.empty() && runs.back().Format == FFormats[i]) runs.back().Text += FText[i];
    else runs.push_back(TRichRun{std::u16string(1, FText[i]), FFormats[i]});
  }
  return runs;
}

void TRichEdit::SetRuns(const TRichRuns& Runs) {
  FText.clear();
  FFormats.clear();
  for (const TRichRun& r : Runs) {
    FText += r.Text;
    FFormats.insert(FFormats.end(), r.Text.size(), r.Format);
  }
  FSelStart = FSelLength = 0;
  Invalidate();
  Change();
}

std::string TRichEdit::GetText() const { return RichText::PlainTextUtf8(GetRuns()); }

void TRichEdit::SetText(const std::string& Value) {
  std::u16string text;
  const std::u16string w = CustomEdit::Wide(Value);
  for (size_t i = 0; i < w.size(); ++i) {
    if (w[i] == u'\r' && i + 1 < w.size() && w[i + 1] == u'\n') continue;
    text += w[i] == u'\r' ? u'\n' : w[i];
  }
  TRichRuns runs;
  if (!text.empty()) runs.push_back(TRichRun{text, DefaultFormat()});
  SetRuns(runs);
}

void TRichEdit::SetSelStart(int Value) {
  FSelStart = std::clamp(Value, 0, static_cast<int>(FText.size()));
  FSelLength = 0;
  Invalidate();
}

void TRichEdit::SetSelLength(int Value) {
  FSelLength = std::clamp(Value, 0, static_cast<int>(FText.size()) - FSelStart);
  Invalidate();
}

void TRichEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(FText.size());
  Invalidate();
}

void TRichEdit::SetBorder(bool Value) {
  FBorder = Value;
  Invalidate();
}

void TRichEdit::SetMargin(int Value) {
  FMargin = std::max(0, Value);
  Invalidate();
}

TRect TRichEdit::FormatRect() const {
  const int b = FBorder ? 2 : 0;
  return TRect(b + FMargin, b + FMargin, std::max(b + FMargin, GetWidth() - b - FMargin),
               std::max(b + FMargin, GetHeight() - b - FMargin));
}

void TRichEdit::Replace(int From, int Count, const std::u16string& Text) {
  TRichFormat f = From > 0 ? FFormats[static_cast<size_t>(From - 1)]
                  : !FFormats.empty() ? FFormats.front()
                                      : DefaultFormat();
  FText.replace(static_cast<size_t>(From), static_cast<size_t>(Count), Text);
  FFormats.erase(FFormats.begin() + From, FFormats.begin() + From + Count);
  FFormats.insert(FFormats.begin() + From, Text.size(), f);
  FSelStart = From + static_cast<int>(Text.size());
  FSelLength = 0;
  Invalidate();
  Change();
}

void TRichEdit::SetSelText(const std::u16string& Value) { Replace(FSelStart, FSelLength, Value); }

void TRichEdit::FormatSelection(const std::function<void(TRichFormat&)>& Change) {
  for (int i = FSelStart; i < FSelStart + FSelLength; ++i) Change(FFormats[static_cast<size_t>(i)]);
  Invalidate();
  this->Change();
}

void TRichEdit::Change() {
  if (OnChange) OnChange(this);
  const TSize s = ContentSize();
  RequestResize(s.cx, s.cy);
}

void TRichEdit::RequestResize(int /*Width*/, int /*Height*/) {}

TSize TRichEdit::ContentSize() {
  TBitmap b(1, 1);
  const TRect r = FormatRect();
  return RichText::Draw(*b.GetCanvas(), GetRuns(), TRect(0, 0, std::max(1, r.Width()), 1), *GetFont(), WordWrap,
                        std::nullopt, true);
}

void TRichEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const int len = static_cast<int>(FText.size());
  const bool ctrl = Shift.Contains(TShiftStateItem::ssCtrl);
  auto toggle = [&](bool TRichFormat::*Field) {
    const bool on = FSelLength > 0 && !(FFormats[static_cast<size_t>(FSelStart)].*Field);
    FormatSelection([&](TRichFormat& F) { F.*Field = on; });
    Key = 0;
  };
  switch (Key) {
    case VK_LEFT: SetSelStart(FSelStart - 1); Key = 0; break;
    case VK_RIGHT: SetSelStart(FSelStart + FSelLength + (FSelLength > 0 ? 0 : 1)); Key = 0; break;
    case VK_HOME: SetSelStart(0); Key = 0; break;
    case VK_END: SetSelStart(len); Key = 0; break;
    case VK_DELETE:
      if (FSelLength > 0) Replace(FSelStart, FSelLength, u"");
      else if (FSelStart < len) Replace(FSelStart, 1, u"");
      Key = 0;
      break;
    case 'A': if (ctrl) { SelectAll(); Key = 0; } break;
    case 'B': if (ctrl) toggle(&TRichFormat::Bold); break;
    case 'I': if (ctrl) toggle(&TRichFormat::Italic); break;
    case 'U': if (ctrl) toggle(&TRichFormat::Underline); break;
    default: break;
  }
}

void TRichEdit::KeyPress(TKeyChar& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  if (Key == 8) {
    if (FSelLength > 0) Replace(FSelStart, FSelLength, u"");
    else if (FSelStart > 0) Replace(FSelStart - 1, 1, u"");
    Key = 0;
    return;
  }
  if (Key == u'\r') {
    Replace(FSelStart, FSelLength, u"\n");
    Key = 0;
    return;
  }
  if (Key < 32) return;
  Replace(FSelStart, FSelLength, std::u16string(1, Key));
  Key = 0;
}

void TRichEdit::RenderTo(TCanvas& Canvas, const TRect& R, std::optional<TColor> Color) {
  RichText::Draw(Canvas, GetRuns(), R, *GetFont(), WordWrap, Color);
}

void TRichEdit::Paint() {
  TCanvas* c = GetCanvas();
  TRect client = GetClientRect();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(GetColor());
  c->FillRect(client);
  if (FBorder) c->GetHandle()->DrawEdge(client, EDGE_SUNKEN, BF_RECT);
  c->Refresh();
  const TRect r = FormatRect();
  const bool showSel = Focused() || !HideSelection;
  RichText::DrawSelected(*c, GetRuns(), r, *GetFont(), WordWrap, std::nullopt, false, showSel ? FSelStart : 0,
                         showSel ? FSelStart + FSelLength : 0);
  c->Brush->SetStyle(bsSolid);
}
