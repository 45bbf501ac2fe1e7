// The navigator panel and its repeating buttons.
#include "chart/editors/PlotNavigator.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

const char* const ButtonNames[PlotNavButtonCount] = {"FIRST", "PRIOR", "NEXT", "LAST", "INSERT",
                                                     "DELETE", "EDIT", "POST", "CANCEL"};
const char* const DefaultHintTexts[PlotNavButtonCount] = {"First", "Prior",  "Next", "Last",  "Insert",
                                                          "Delete", "Edit", "Post", "Cancel"};

constexpr int32_t GlyphSize = 11;
// The colour of the glyphs' background; the button leaves it out.
constexpr TColor GlyphBack = 0x808000;

// Draws the picture of button B into one glyph cell at X0 in Colour.
void DrawGlyph(TCanvas& C, int32_t X0, TPlotNavigateBtn B, TColor Colour) {
  C.Pen->SetColor(Colour);
  C.Brush->SetColor(Colour);
  C.Brush->SetStyle(bsSolid);
  auto Tri = [&](int32_t Tip, int32_t Base) {  // a triangle pointing left (Tip < Base) or right
    C.Polygon({TPoint(X0 + Tip, 5), TPoint(X0 + Base, 1), TPoint(X0 + Base, 9)});
  };
  auto Bar = [&](int32_t X) { C.FillRect(TRect(X0 + X, 1, X0 + X + 2, 10)); };
  switch (B) {
    case nbFirst: Bar(1); Tri(4, 9); break;
    case nbPrior: Tri(3, 8); break;
    case nbNext: Tri(8, 3); break;
    case nbLast: Tri(6, 1); Bar(8); break;
    case nbInsert:
      C.FillRect(TRect(X0 + 4, 1, X0 + 6, 10));
      C.FillRect(TRect(X0 + 1, 4, X0 + 10, 6));
      break;
    case nbDelete: C.FillRect(TRect(X0 + 1, 4, X0 + 10, 6)); break;
    case nbEdit:  // a pencil
      C.Polygon({TPoint(X0 + 1, 9), TPoint(X0 + 2, 6), TPoint(X0 + 7, 1), TPoint(X0 + 9, 3), TPoint(X0 + 4, 8)});
      break;
    case nbPost:  // a tick
      C.Polygon({TPoint(X0 + 1, 5), TPoint(X0 + 3, 5), TPoint(X0 + 4, 7), TPoint(X0 + 8, 1), TPoint(X0 + 10, 1),
                 TPoint(X0 + 4, 9)});
      break;
    case nbCancel:  // a cross
      C.Polygon({TPoint(X0 + 1, 2), TPoint(X0 + 2, 1), TPoint(X0 + 9, 8), TPoint(X0 + 8, 9)});
      C.Polygon({TPoint(X0 + 8, 1), TPoint(X0 + 9, 2), TPoint(X0 + 2, 9), TPoint(X0 + 1, 8)});
      break;
  }
}

// The nine glyphs, drawn once and kept by their resource names.
const std::map<std::string, std::unique_ptr<TBitmap>>& Glyphs() {
  static const std::map<std::string, std::unique_ptr<TBitmap>> Made = [] {
    std::map<std::string, std::unique_ptr<TBitmap>> M;
    for (int32_t i = 0; i < PlotNavButtonCount; ++i) {
      auto Bmp = std::make_unique<TBitmap>(2 * GlyphSize, GlyphSize);
      TCanvas& C = *Bmp->GetCanvas();
      C.Brush->SetColor(GlyphBack);
      C.Brush->SetStyle(bsSolid);
      C.FillRect(TRect(0, 0, 2 * GlyphSize, GlyphSize));
      DrawGlyph(C, 0, static_cast<TPlotNavigateBtn>(i), clBlack);
      DrawGlyph(C, GlyphSize, static_cast<TPlotNavigateBtn>(i), clGray);
      M.emplace(std::string("PlotNav_") + ButtonNames[i], std::move(Bmp));
    }
    return M;
  }();
  return Made;
}

}  // namespace

// ---------------------------------------------------------------- TPlotNavButton

KV_CLASS_IMPL(TPlotNavButton, TSpeedButton) {}

TPlotNavButton::TPlotNavButton(TComponent* Owner) : TSpeedButton(Owner) {
  Flat = true;
  Constraints.MinWidth = TCustomPlotNavigator::MinBtnWidth;
  Constraints.MinHeight = TCustomPlotNavigator::MinBtnHeight;
}

void TPlotNavButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !GetEnabled()) return;
  FHeld = true;
  if (auto* Nav = dynamic_cast<TCustomPlotNavigator*>(GetParent())) Nav->ButtonPressed(this);
  if (!FRepeatTimer) {
    FRepeatTimer = Create<TTimer>(this);
    FRepeatTimer->SetOnTimer([this](TObject*) { RepeatTick(); });
  }
  FRepeatTimer->SetInterval(InitRepeatPause);
  FRepeatTimer->SetEnabled(true);
}

void TPlotNavButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft) {
    FHeld = false;
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  }
  TSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TPlotNavButton::Paint() {
  TSpeedButton::Paint();
  auto* Nav = dynamic_cast<TCustomPlotNavigator*>(GetParent());
  if (!Nav || !Nav->Focused() || Nav->FocusedButton() != static_cast<int32_t>(Index)) return;
  TRect R(3, 3, GetWidth() - 3, GetHeight() - 3);
  if (FHeld) R = TRect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
  GetCanvas()->DrawFocusRect(R);
}

void TPlotNavButton::RepeatTick() {
  if (!FRepeatTimer) return;
  FRepeatTimer->SetInterval(RepeatPause);
  if (!FHeld || !GetEnabled()) {
    FRepeatTimer->SetEnabled(false);
    return;
  }
  try {
    Click();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

// ---------------------------------------------------------------- TCustomPlotNavigator

KV_CLASS_IMPL(TCustomPlotNavigator, TPanel) {}

TCustomPlotNavigator::TCustomPlotNavigator(TComponent* Owner)
    : TPanel(Owner), FHints(std::make_unique<TStringList>()), FDefaultHints(std::make_unique<TStringList>()) {
  BevelOuter = TPanelBevel::bvNone;
  BevelInner = TPanelBevel::bvNone;
  FullRepaint = false;
  SetCaption("");
  SetTabStop(true);
  for (const char* H : DefaultHintTexts) FDefaultHints->Add(H);
  FHints->OnChange = [this](TObject*) { ApplyHints(); };
}

TCustomPlotNavigator::~TCustomPlotNavigator() = default;

void TCustomPlotNavigator::Init() {
  TPanel::Init();
  CreateButtons();
  ApplyHints();
  for (TPlotNavigateBtn B : {nbInsert, nbDelete, nbEdit, nbPost, nbCancel}) Button(B)->SetVisible(false);
  SetBounds(GetLeft(), GetTop(), 241, 25);
}

void TCustomPlotNavigator::BeforeDestruction() {
  if (TCustomAxisPanel* C = FPanel.Get()) C->RemoveListener(this);
  FPanel.Reset();
  TPanel::BeforeDestruction();
}

const char* TCustomPlotNavigator::ButtonName(TPlotNavigateBtn B) { return ButtonNames[static_cast<int32_t>(B)]; }

const TBitmap* TCustomPlotNavigator::Glyph(const std::string& ResourceName) {
  const auto& M = Glyphs();
  const auto It = M.find(ResourceName);
  return It == M.end() ? nullptr : It->second.get();
}

void TCustomPlotNavigator::CreateButtons() {
  for (int32_t i = 0; i < PlotNavButtonCount; ++i) {
    auto* B = Create<TPlotNavButton>(this);
    B->Index = static_cast<TPlotNavigateBtn>(i);
    B->SetName(std::string("Nav") + ButtonNames[i]);
    B->SetGlyph(Glyph(std::string("PlotNav_") + ButtonNames[i]));
    B->NumGlyphs = 2;
    B->SetShowHint(true);
    B->SetParent(this);
    B->OnClick = [this, i](TObject*) { BtnClick(static_cast<TPlotNavigateBtn>(i)); };
    FButtons[static_cast<size_t>(i)] = B;
  }
}

void TCustomPlotNavigator::SetHints(const TStrings* Value) {
  FHints->Assign(Value);
  ApplyHints();
}

void TCustomPlotNavigator::ApplyHints() {
  for (int32_t i = 0; i < PlotNavButtonCount; ++i) {
    if (!FButtons[static_cast<size_t>(i)]) continue;
    std::string H = FDefaultHints->Strings(i);
    if (i < FHints->Count() && !FHints->Strings(i).empty()) H = FHints->Strings(i);
    FButtons[static_cast<size_t>(i)]->SetHint(H);
  }
}

void TCustomPlotNavigator::SetPanel(TCustomAxisPanel* Chart) {
  if (FPanel.Get() == Chart) return;
  if (TCustomAxisPanel* Old = FPanel.Get()) Old->RemoveListener(this);
  FPanel = Chart;
  if (Chart) Chart->AddListener(this);
  EnableButtons();
}

void TCustomPlotNavigator::PlotEvent(TPlotEvent& Event) { ChartEvent(Event); }

void TCustomPlotNavigator::BtnClick(TPlotNavigateBtn Index) {
  EnableButtons();
  if (OnButtonClicked) OnButtonClicked(this, Index);
}

void TCustomPlotNavigator::SetButtonVisible(TPlotNavigateBtn B, bool Visible) {
  Button(B)->SetVisible(Visible);
  Relayout();
}

void TCustomPlotNavigator::CalcLayout(int32_t& Width, int32_t& Height) {
  if (!FButtons[0]) return;
  int32_t N = 0;
  for (TPlotNavButton* B : FButtons)
    if (B->GetVisible()) ++N;
  if (N == 0) N = 1;
  Width = std::max(Width, N * MinBtnWidth);
  Height = std::max(Height, MinBtnHeight);
  const int32_t W = Width / N;
  if (GetAlign() == TAlign::alNone) Width = N * W;
  const int32_t ButtonHeight = FBorderStyle == TBorder::bsSingle ? Height - 4 : Height;
  FButtonWidth = W;
  // The pixels left over go one each to the buttons, spread by an accumulator.
  const int32_t Left = Width - N * W;
  int32_t Acc = N / 2;
  int32_t X = 0;
  for (TPlotNavButton* B : FButtons) {
    if (!B->GetVisible()) {
      B->SetBounds(Width + 1, 0, W, ButtonHeight);
      continue;
    }
    int32_t Bw = W;
    Acc -= Left;
    if (Acc < 0) {
      ++Bw;
      Acc += N;
    }
    B->SetBounds(X, 0, Bw, ButtonHeight);
    X += Bw;
  }
}

void TCustomPlotNavigator::SetBorderStyle(TBorder Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  Relayout();
}

void TCustomPlotNavigator::Relayout() {
  if (FLayingOut) return;
  int32_t W = GetWidth(), H = GetHeight();
  FLayingOut = true;
  CalcLayout(W, H);
  if (W != GetWidth() || H != GetHeight()) TPanel::SetBounds(GetLeft(), GetTop(), W, H);
  FLayingOut = false;
}

void TCustomPlotNavigator::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!FLayingOut && FButtons[0]) {
    FLayingOut = true;
    CalcLayout(AWidth, AHeight);
    FLayingOut = false;
  }
  TPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomPlotNavigator::Resize() {
  Relayout();
  TPanel::Resize();
}

void TCustomPlotNavigator::Loaded() {
  TPanel::Loaded();
  Relayout();
  ApplyHints();
  EnableButtons();
}

void TCustomPlotNavigator::MoveFocus(int32_t Step) {
  int32_t I = FFocusedButton + Step;
  while (I >= 0 && I < PlotNavButtonCount && !FButtons[static_cast<size_t>(I)]->GetVisible()) I += Step;
  if (I < 0 || I >= PlotNavButtonCount || I == FFocusedButton) return;
  FButtons[static_cast<size_t>(FFocusedButton)]->Invalidate();
  FFocusedButton = I;
  FButtons[static_cast<size_t>(I)]->Invalidate();
}

void TCustomPlotNavigator::KeyDown(uint16_t& Key, TShiftState Shift) {
  TPanel::KeyDown(Key, Shift);
  switch (Key) {
    case VK_LEFT: MoveFocus(-1); break;
    case VK_RIGHT: MoveFocus(1); break;
    case VK_SPACE:
      if (TPlotNavButton* B = FButtons[static_cast<size_t>(FFocusedButton)]; B->GetEnabled()) B->Click();
      break;
    default: return;
  }
  Key = 0;
}

void TCustomPlotNavigator::ButtonPressed(TPlotNavButton* Button) {
  const int32_t Old = FFocusedButton;
  FFocusedButton = static_cast<int32_t>(Button->Index);
  if (Old != FFocusedButton) FButtons[static_cast<size_t>(Old)]->Invalidate();
  if (CanFocus() && GetTabStop()) SetFocus();
}

void TCustomPlotNavigator::DoEnter() {
  TPanel::DoEnter();
  FButtons[static_cast<size_t>(FFocusedButton)]->Invalidate();
}

void TCustomPlotNavigator::DoExit() {
  TPanel::DoExit();
  FButtons[static_cast<size_t>(FFocusedButton)]->Invalidate();
}

void TCustomPlotNavigator::SetEnabled(bool Value) {
  TPanel::SetEnabled(Value);
  if (!ComponentState.Contains(TComponentStateItem::csLoading)) EnableButtons();
}
