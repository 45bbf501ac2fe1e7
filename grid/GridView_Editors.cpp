// The grid's dedicated in-place editor controls: their keys, events and
// storing rules, and the grid side that shows, places, fills and reads them.

#include "grid/GridView.h"
#include "grid/GridViewEditors.h"

#include "grid/GridUtil.h"
#include "platform/rtl/Restore.h"
#include "platform/ui/KeyHook.h"

#include <QString>

#include <algorithm>
#include <cmath>

KV_CLASS_IMPL(TGridSpin, TGvSpinEdit) {}
KV_CLASS_IMPL(TGridCombo, TGVComboBox) {}
KV_CLASS_IMPL(TGridUniCombo, TGVUniComboBox) {}
KV_CLASS_IMPL(TGridUniEdit, TGvUniEdit) {}
KV_CLASS_IMPL(TGridEditBtn, TGvEditBtn) {}
KV_CLASS_IMPL(TGridUnitEditBtn, TGvUnitEditBtn) {}
KV_CLASS_IMPL(TGridDatePicker, TDateTimePicker) {}
KV_CLASS_IMPL(TGridCheckBox, TCheckBox) {}
KV_CLASS_IMPL(TGridButton, TButton) {}
KV_CLASS_IMPL(TGridRichEdit, TRichEdit) {}

using CustomEdit::Narrow;
using CustomEdit::Wide;

namespace {

TGridView* GridOf(TComponent* Owner) {
  auto* g = dynamic_cast<TGridView*>(Owner);
  if (!g) throw EInvalidCast("An editor control belongs to a TGridView");
  return g;
}

bool GoTabs(const TGridView& G) { return G.GetOptions().Contains(goTabs); }
bool OneOf(uint16_t Key, std::initializer_list<uint16_t> Keys) {
  return std::find(Keys.begin(), Keys.end(), Key) != Keys.end();
}

std::string CurrentText(TGridView& G) { return G.GetCells(G.RealCurrentCol(), G.GetRow()); }

// How the ending steps reach a control's text.
struct TEditorText {
  std::function<std::string()> Get;
  std::function<void(const std::string&)> Set;  // from the cell's text
  std::function<void()> CaretToEnd;
  bool Wide = false;
  bool Validate = true;
  bool ReloadOnValid = true;
};

// The ending steps for a key that ends editing: a committing key writes and
// validates the control's text (a refused value stays in the control), Tab
// with goTabs moves to the next cell, Escape restores the control from the
// cell, and the grid gets the key.
void EndEditing(TGridView& G, TWinControl& C, const TEditorText& T, uint16_t& Key, TShiftState Shift, bool Commits) {
  if (Commits && T.Validate) {
    const std::string text = T.Get();
    bool valid;
    if (T.Wide) {
      G.SetCellTextWide(G.RealCurrentCol(), G.GetRow(), Wide(text));
      valid = G.ValidateEditWide(Wide(text));
    } else {
      G.SetCurrentCellText(text);
      valid = G.ValidateEdit(text);
    }
    if (!valid) {
      T.Set(T.Wide ? Narrow(G.GetCellTextWide(G.RealCurrentCol(), G.GetRow())) : CurrentText(G));
      if (T.CaretToEnd) T.CaretToEnd();
      C.Invalidate();
      Key = 0;
      return;
    }
    if (T.ReloadOnValid) T.Set(T.Wide ? Narrow(G.GetCellTextWide(G.RealCurrentCol(), G.GetRow())) : CurrentText(G));
  }
  if (Key == VK_TAB && GoTabs(G)) {
    G.HideEditorControl();
    if (G.CanFocus()) G.SetFocus();
    G.TabToNextCell(Shift.Contains(TShiftStateItem::ssShift));
    Key = 0;
    return;
  }
  if (Key == VK_ESCAPE) T.Set(T.Wide ? Narrow(G.GetCellTextWide(G.RealCurrentCol(), G.GetRow())) : CurrentText(G));
  G.EditorKeyToGrid(Key, Shift);
  Key = 0;
}

// Look-up completion of a combo's text from Items (then Extra, completing
// without selecting): the typed prefix up to the caret is completed with the
// rest of the first item it begins.
template <class Combo>
void CompleteLookup(TGridView& G, Combo& C, const TStrings* Extra) {
  const std::u16string text = Wide(C.GetText());
  const int caret = std::min<int>(C.GetSelStart(), static_cast<int>(text.size()));
  if (caret <= 0) return;
  const std::u16string typed = text.substr(0, static_cast<size_t>(caret));
  auto fold = [&](const std::u16string& S) {
    if (G.LookupCaseSensitive) return S;
    const QString q = QString::fromUtf16(S.data(), static_cast<qsizetype>(S.size())).toUpper();
    return std::u16string(reinterpret_cast<const char16_t*>(q.utf16()), static_cast<size_t>(q.size()));
  };
  const std::u16string prefix = fold(typed);
  auto tryList = [&](const TStrings& List, bool Select) {
    for (int i = 0; i < List.Count(); ++i) {
      const std::u16string item = Wide(List.Get(i));
      if (item.size() < prefix.size() || fold(item).compare(0, prefix.size(), prefix) != 0) continue;
      std::u16string done = typed + item.substr(prefix.size());
      if (done.size() > 255) done.resize(255);
      if (Select) C.SetItemIndex(i);
      C.SetText(Narrow(done));
      C.SetSelStart(static_cast<int>(prefix.size()));
      C.SetSelLength(static_cast<int>(done.size() - prefix.size()));
      return true;
    }
    return false;
  };
  if (!tryList(*C.Items(), true) && Extra) tryList(*Extra, false);
}

// The wheel over a combo: down selects the next item, up the previous one.
template <class Combo>
void ComboWheel(TGridView& G, Combo& C, int WheelDelta) {
  const int n = C.Items()->Count(), i = C.GetItemIndex();
  if (WheelDelta < 0) {
    if (i + 1 < n) C.SetItemIndex(i + 1);
  } else if (i > 0) {
    C.SetItemIndex(i - 1);
  }
  const int k = C.GetItemIndex();
  const std::string item = k >= 0 ? C.Items()->Get(k) : std::string();
  if (G.OnComboChange) G.OnComboChange(&C, G.GetCol(), G.GetRow(), k, item);
  if (G.OnComboObjectChange) G.OnComboObjectChange(&C, G.GetCol(), G.GetRow(), k, item, k >= 0 ? C.Items()->Objects(k) : nullptr);
}

template <class Combo>
void CaretFromClick(TGridView& G, Combo& C) {
  if (!G.PendingCaret) return;
  const TPoint p = C.ScreenToClient(Controls::MouseCursorPos());
  if (!C.GetClientRect().Contains(p)) return;
  const int at = C.CharAtX(p.X);
  if (at < 0) return;
  C.SetSelStart(at);
  G.PendingCaret = false;
}

template <class Combo>
void SizeComboDrop(TGridView& G, Combo& C) {
  TCanvas& canvas = *G.GetCanvas();
  int w = C.GetWidth();
  const bool bar = C.Items()->Count() > C.DropDownCount;
  for (int i = 0; i < C.Items()->Count(); ++i) {
    const int tw = canvas.TextWidth(C.Items()->Get(i));
    if (bar && tw + 25 > w) w = tw + 25;
    if (!bar && tw > w - 5) w = tw + 8;
  }
  C.SetDroppedWidth(w);
}

template <class Combo>
void ComboHistory(TGridView& G, Combo& C) {
  if (G.LookupHistory && !C.GetText().empty() && C.Items()->IndexOf(C.GetText()) < 0) C.Items()->Add(C.GetText());
}

}  // namespace

// ================================================================ TGridSpin

TGridSpin::TGridSpin(TComponent* AOwner) : TGvSpinEdit(AOwner), FGrid(GridOf(AOwner)) {
  MaxValue = 100;
  MinValue = 0;
  Increment = 1;
}

void TGridSpin::FireStep(bool Up) {
  TGridView& g = *FGrid;
  switch (GetSpinType()) {
    case sptNormal: if (g.OnSpinClick) g.OnSpinClick(&g, g.GetCol(), g.GetRow(), GetValue(), Up); break;
    case sptFloat: if (g.OnFloatSpinClick) g.OnFloatSpinClick(&g, g.GetCol(), g.GetRow(), GetFloatValue(), Up); break;
    case sptDate: if (g.OnDateSpinClick) g.OnDateSpinClick(&g, g.GetCol(), g.GetRow(), GetDateValue(), Up); break;
    case sptTime: if (g.OnTimeSpinClick) g.OnTimeSpinClick(&g, g.GetCol(), g.GetRow(), GetTimeValue(), Up); break;
  }
}

void TGridSpin::StepUp() {
  TGvSpinEdit::StepUp();
  FireStep(true);
}

void TGridSpin::StepDown() {
  TGvSpinEdit::StepDown();
  FireStep(false);
}

void TGridSpin::KeyDown(uint16_t& Key, TShiftState Shift) {
  TGridView& g = *FGrid;
  if (OneOf(Key, {VK_PRIOR, VK_NEXT, VK_HOME, VK_END}) && (GetSpinType() == sptNormal || GetSpinType() == sptFloat)) {
    const bool normal = GetSpinType() == sptNormal;
    switch (Key) {
      case VK_PRIOR:
        if (normal && static_cast<int64_t>(GetValue()) + Increment <= MaxValue) SetValue(GetValue() + Increment);
        if (!normal && GetFloatValue() + IncrementFloat <= MaxFloatValue) SetFloatValue(GetFloatValue() + IncrementFloat);
        break;
      case VK_NEXT:
        if (normal && static_cast<int64_t>(GetValue()) - Increment >= MinValue) SetValue(GetValue() - Increment);
        if (!normal && GetFloatValue() - IncrementFloat >= MinFloatValue) SetFloatValue(GetFloatValue() - IncrementFloat);
        break;
      case VK_END: normal ? SetValue(MinValue) : SetFloatValue(MinFloatValue); break;
      default: normal ? SetValue(MaxValue) : SetFloatValue(MaxFloatValue); break;
    }
    if (g.OnSpinClick) g.OnSpinClick(&g, g.GetCol(), g.GetRow(), GetValue(), Key == VK_PRIOR || Key == VK_HOME);
    Key = 0;
    return;
  }
  if (OneOf(Key, {VK_PRIOR, VK_NEXT, VK_HOME, VK_END})) {
    Key = 0;
    return;
  }
  if (OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE})) {
    TEditorText t{[this] { return GetText(); }, [this](const std::string& S) { SetText(S); },
                  [this] { SetSelStart(static_cast<int>(GetTextWide().size())); }};
    t.ReloadOnValid = false;
    EndEditing(g, *this, t, Key, Shift, Key != VK_ESCAPE);
    return;
  }
  TGvSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyPress(TKeyChar& Key) {
  if (Key == u'\t' || Key == u'\r') {
    Key = 0;
    return;
  }
  TGvSpinEdit::KeyPress(Key);
}

void TGridSpin::DoExit() {
  FGrid->HideEditorControl();
  TGvSpinEdit::DoExit();
}

// ================================================================ TGridCombo

TGridCombo::TGridCombo(TComponent* AOwner) : TGVComboBox(AOwner), FGrid(GridOf(AOwner)) { SetButtonWidth(16); }

namespace {

// The combos' key rule: which keys end editing in the edit field and in the list.
bool ComboEnds(bool List, uint16_t Key) {
  return List ? OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT, VK_RIGHT})
              : OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_UP, VK_DOWN});
}

template <class Combo>
void ComboKeyDown(TGridView& G, Combo& C, uint16_t& Key, TShiftState Shift, bool Validate, bool HandLeftRight,
                  const std::function<void(uint16_t&, TShiftState)>& Base) {
  C.LookupArmed = Key != VK_BACK && Key != VK_DELETE;
  const bool list = C.ListMode();
  if (Key == VK_DOWN && Shift.Contains(TShiftStateItem::ssAlt)) {
    Base(Key, Shift);
    return;
  }
  if (!ComboEnds(list, Key)) {
    Base(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    const std::string cell = CurrentText(G);
    C.SetText(cell);
    const int i = C.Items()->IndexOf(cell);
    if (i >= 0) C.SetItemIndex(i);
  }
  const bool commits = Key == VK_TAB || Key == VK_RETURN || (!list && (Key == VK_UP || Key == VK_DOWN));
  if (commits && Validate) {
    const std::string text = C.GetText();
    G.SetCurrentCellText(text);
    if (!G.ValidateEdit(text)) {
      C.SetText(CurrentText(G));
      C.SetSelStart(static_cast<int>(Wide(C.GetText()).size()));
      C.Invalidate();
      Key = 0;
      return;
    }
    C.SetText(CurrentText(G));
  }
  if (Key == VK_TAB && GoTabs(G)) {
    G.HideEditorControl();
    if (G.CanFocus()) G.SetFocus();
    G.TabToNextCell(Shift.Contains(TShiftStateItem::ssShift));
    Key = 0;
    return;
  }
  if (list && HandLeftRight) {
    G.HideEditorControl();
    if (Key == VK_LEFT || Key == VK_RIGHT) {
      uint16_t k = Key;
      G.KeyDown(k, Shift);
      Key = 0;
    }
  }
  G.EditorKeyToGrid(Key, Shift);
  Key = 0;
}

}  // namespace

void TGridCombo::KeyDown(uint16_t& Key, TShiftState Shift) {
  ComboKeyDown(*FGrid, *this, Key, Shift, true, true,
               [this](uint16_t& K, TShiftState S) { TGVComboBox::KeyDown(K, S); });
}

void TGridCombo::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (Key != VK_RETURN && LookupArmed && FGrid->Lookup) CompleteLookup(*FGrid, *this, FGrid->GetLookupItems());
  TGVComboBox::KeyUp(Key, Shift);
}

void TGridCombo::KeyPress(TKeyChar& Key) {
  if (Key == u'\t' || Key == u'\r') {
    Key = 0;
    return;
  }
  TGVComboBox::KeyPress(Key);
}

bool TGridCombo::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  (void)Shift;
  (void)MousePos;
  ComboWheel(*FGrid, *this, WheelDelta);
  return true;
}

void TGridCombo::DoEnter() {
  TGVComboBox::DoEnter();
  CaretFromClick(*FGrid, *this);
}

void TGridCombo::DoExit() {
  ComboHistory(*FGrid, *this);
  FGrid->HideEditorControl();
  TGVComboBox::DoExit();
}

void TGridCombo::SizeDropDown() { SizeComboDrop(*FGrid, *this); }

void TGridCombo::Change() {
  TGVComboBox::Change();
  const int k = GetItemIndex();
  const int col = FGrid->GetCol(), row = FGrid->GetRow();
  if (k >= 0 && k < Items()->Count() && GetText() == Items()->Get(k)) {
    if (FGrid->OnComboChange) FGrid->OnComboChange(this, col, row, k, Items()->Get(k));
    if (FGrid->OnComboObjectChange) FGrid->OnComboObjectChange(this, col, row, k, Items()->Get(k), Items()->Objects(k));
  } else if (FGrid->OnComboChange) {
    FGrid->OnComboChange(this, col, row, -1, GetText());
  }
}

void TGridCombo::CloseUp() {
  TGVComboBox::CloseUp();
  if (FGrid->OnComboCloseUp) FGrid->OnComboCloseUp(this, FGrid->GetRow(), FGrid->GetCol());
}

// ================================================================ TGridUniCombo

TGridUniCombo::TGridUniCombo(TComponent* AOwner) : TGVUniComboBox(AOwner), FGrid(GridOf(AOwner)) {
  SetButtonWidth(16);
}

void TGridUniCombo::KeyDown(uint16_t& Key, TShiftState Shift) {
  ComboKeyDown(*FGrid, *this, Key, Shift, false, false,
               [this](uint16_t& K, TShiftState S) { TGVUniComboBox::KeyDown(K, S); });
}

void TGridUniCombo::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (Key != VK_RETURN && LookupArmed && FGrid->Lookup) CompleteLookup(*FGrid, *this, nullptr);
  TGVUniComboBox::KeyUp(Key, Shift);
}

void TGridUniCombo::KeyPress(TKeyChar& Key) {
  if (Key == u'\t' || Key == u'\r') {
    Key = 0;
    return;
  }
  TGVUniComboBox::KeyPress(Key);
}

bool TGridUniCombo::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  (void)Shift;
  (void)MousePos;
  ComboWheel(*FGrid, *this, WheelDelta);
  return true;
}

void TGridUniCombo::Change() {
  TGVUniComboBox::Change();
  // A new selection in the list is reported as the wide combo's change.
  if (GetItemIndex() >= 0 && GetText() == Items()->Get(GetItemIndex()) && FGrid->OnComboChange)
    FGrid->OnComboChange(this, FGrid->GetCol(), FGrid->GetRow(), GetItemIndex(), GetText());
}

void TGridUniCombo::DoEnter() {
  TGVUniComboBox::DoEnter();
  CaretFromClick(*FGrid, *this);
}

void TGridUniCombo::DoExit() {
  ComboHistory(*FGrid, *this);
  FGrid->HideEditorControl();
  TGVUniComboBox::DoExit();
}

void TGridUniCombo::SizeDropDown() { SizeComboDrop(*FGrid, *this); }

// ================================================================ TGridUniEdit

TGridUniEdit::TGridUniEdit(TComponent* AOwner) : TGvUniEdit(AOwner), FGrid(GridOf(AOwner)) {}

void TGridUniEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (!OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN})) {
    TGvUniEdit::KeyDown(Key, Shift);
    return;
  }
  TEditorText t{[this] { return GetText(); }, [this](const std::string& S) { SetText(S); },
                [this] { SetSelStart(static_cast<int>(GetTextWide().size())); }};
  t.Wide = true;
  EndEditing(*FGrid, *this, t, Key, Shift, Key != VK_ESCAPE);
}

void TGridUniEdit::KeyPress(TKeyChar& Key) {
  if (Key == u'\t' || Key == u'\r') {
    Key = 0;
    return;
  }
  TGvUniEdit::KeyPress(Key);
}

void TGridUniEdit::DoExit() {
  FGrid->HideEditorControl();
  TGvUniEdit::DoExit();
}

// ================================================================ TGridEditBtn

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TGvEditBtn(AOwner), FGrid(GridOf(AOwner)) {
  OnClickBtn = [this](TObject* S) { EllipsClick(S); };
}

void TGridEditBtn::EllipsClick(TObject* /*Sender*/) {
  SetText(FGrid->DoEllipsClick(GetText()));
  SelectAll();
}

namespace {

bool EditBtnEnds(uint16_t Key) {
  return OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN});
}

}  // namespace

void TGridEditBtn::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (Shift.Contains(TShiftStateItem::ssCtrl) || !EditBtnEnds(Key)) {
    TGvEditBtn::KeyDown(Key, Shift);
    return;
  }
  TEditorText t{[this] { return GetText(); }, [this](const std::string& S) { SetText(S); },
                [this] { SetSelStart(static_cast<int>(GetTextWide().size())); }};
  EndEditing(*FGrid, *this, t, Key, Shift, OneOf(Key, {VK_TAB, VK_RETURN, VK_UP, VK_DOWN}));
}

void TGridEditBtn::KeyPress(TKeyChar& Key) {
  if (Key == u'\r') {
    Key = 0;
    return;
  }
  const TEditorType type = FGrid->EditorType();
  const bool control = Key == 8 || Key == u'\t' || Key == u'\r' || Key == 27;
  const std::u16string& text = GetTextWide();
  const bool digit = Key >= u'0' && Key <= u'9';
  if (type == edNumericEditBtn) {
    const bool minusOk = Key == u'-' && GetSelStart() == 0 && text.find(u'-') == std::u16string::npos;
    if (!control && !digit && !minusOk) {
      Key = 0;
      GridView::Beep();
      return;
    }
  } else if (type == edFloatEditBtn) {
    if (!control && !digit && Key != u',' && Key != u'-' && Key != u'.') {
      Key = 0;
      return;
    }
    const TKeyChar dec = static_cast<TKeyChar>(static_cast<unsigned char>(::FormatSettings.DecimalSeparator));
    const TKeyChar thousand = static_cast<TKeyChar>(static_cast<unsigned char>(::FormatSettings.ThousandSeparator));
    const std::u16string sel = text.substr(static_cast<size_t>(GetSelStart()), static_cast<size_t>(GetSelLength()));
    if (Key == dec && text.find(dec) != std::u16string::npos && sel.find(dec) == std::u16string::npos) {
      Key = 0;
      return;
    }
    if (Key == thousand && Key != dec) {
      Key = 0;
      return;
    }
    if (Key == u'-' && (GetSelStart() != 0 || text.find(u'-') != std::u16string::npos) &&
        sel.find(u'-') == std::u16string::npos) {
      Key = 0;
      GridView::Beep();
      return;
    }
  }
  TGvEditBtn::KeyPress(Key);
}

void TGridEditBtn::DoExit() {
  FGrid->HideEditorControl();
  TGvEditBtn::DoExit();
}

// ================================================================ TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TGvUnitEditBtn(AOwner), FGrid(GridOf(AOwner)) {}

namespace {

// A unit edit's cell text: the number (digits, ",", "-", ".") and the unit (the rest).
void SplitUnitText(const std::string& Text, std::string& Value, std::string& Unit) {
  Value.clear();
  Unit.clear();
  for (char c : Text) {
    if ((c >= '0' && c <= '9') || c == ',' || c == '-' || c == '.') Value += c;
    else Unit += c;
  }
}

}  // namespace

void TGridUnitEditBtn::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (Shift.Contains(TShiftStateItem::ssCtrl) || !EditBtnEnds(Key)) {
    TGvUnitEditBtn::KeyDown(Key, Shift);
    return;
  }
  TEditorText t{[this] { return GetText() + GetUnitID(); },
                [this](const std::string& S) {
                  std::string v, u;
                  SplitUnitText(S, v, u);
                  SetText(v);
                  SetUnitID(u);
                },
                {}};
  EndEditing(*FGrid, *this, t, Key, Shift, OneOf(Key, {VK_TAB, VK_RETURN, VK_UP, VK_DOWN}));
}

void TGridUnitEditBtn::KeyPress(TKeyChar& Key) {
  if (Key == u'\r') {
    Key = 0;
    return;
  }
  TGvUnitEditBtn::KeyPress(Key);
}

void TGridUnitEditBtn::DoExit() {
  FGrid->HideEditorControl();
  TGvUnitEditBtn::DoExit();
}

// ================================================================ TGridDatePicker

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TDateTimePicker(AOwner), FGrid(GridOf(AOwner)) {}

void TGridDatePicker::ResetFromCell() {
  const std::string text = CurrentText(*FGrid);
  TDateTime v = 0;
  const bool ok = Kind == dtkTime ? SysUtils::TryStrToTime(text, v, ::FormatSettings)
                                  : SysUtils::TryStrToDate(text, v, ::FormatSettings);
  if (!ok) {
    SetDateTime(SysUtils::Now());
    return;
  }
  if (Kind == dtkTime) SetTime(v);
  else SetDate(v);
}

void TGridDatePicker::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (GetDroppedDown() || !OneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END})) {
    TDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    ResetFromCell();
    FCancelled = true;
  }
  if (Key == VK_TAB && GoTabs(*FGrid)) {
    FGrid->HideEditorControl();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->TabToNextCell(Shift.Contains(TShiftStateItem::ssShift));
    Key = 0;
    return;
  }
  FGrid->EditorKeyToGrid(Key, Shift);
  Key = 0;
}

void TGridDatePicker::DoExit() {
  FGrid->HideEditorControl();
  TDateTimePicker::DoExit();
}

void TGridDatePicker::PaintFrame(TCanvas& Canvas) {
  // Two frames in the window colour hide the 3-D edge inside the cell.
  const TRect r = GetClientRect();
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(clWindow);
  Canvas.FrameRect(r);
  Canvas.FrameRect(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
}

// ================================================================ TGridCheckBox

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), FGrid(GridOf(AOwner)) {}

void TGridCheckBox::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (!OneOf(Key, {VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})) {
    TCheckBox::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) SetCaption(CurrentText(*FGrid));
  FGrid->HideEditorControl();
  if (FGrid->CanFocus()) FGrid->SetFocus();
  if (Key == VK_RETURN) FGrid->AdvanceCell(FGrid->GetCol(), FGrid->GetRow(), true, false, false);
  if (Key == VK_UP || Key == VK_DOWN) {
    uint16_t k = Key;
    FGrid->KeyDown(k, Shift);
  }
  Key = 0;
}

void TGridCheckBox::KeyPress(TKeyChar& Key) {
  if (Key == u' ') {
    SetChecked(!GetChecked());
    Key = 0;
    return;
  }
  TCheckBox::KeyPress(Key);
}

void TGridCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft && !HandleAllocated()) SetChecked(!GetChecked());
  TCheckBox::MouseDown(Button, Shift, X, Y);
}

void TGridCheckBox::DoExit() {
  FGrid->HideEditorControl();
  TCheckBox::DoExit();
}

// ================================================================ TGridButton

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), FGrid(GridOf(AOwner)) {}

void TGridButton::Leave() {
  FGrid->HideCellEditor(FGrid->GetCol(), FGrid->GetRow());
  SetVisible(false);
  SetEnabled(false);
  if (FGrid->CanFocus()) FGrid->SetFocus();
}

void TGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft) SetCaption(FGrid->DoEllipsClick(GetCaption()));
  TButton::MouseUp(Button, Shift, X, Y);
}

void TGridButton::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    Leave();
    FGrid->RestoreOriginalText();
    TKeyChar esc = 27;
    FGrid->KeyPress(esc);
    Key = 0;
    return;
  }
  TButton::KeyDown(Key, Shift);
}

void TGridButton::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (OneOf(Key, {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})) {
    uint16_t down = Key;
    FGrid->KeyDown(down, Shift);
    Leave();
    uint16_t up = Key;
    FGrid->KeyUp(up, Shift);
    Key = 0;
    return;
  }
  if (Key == VK_SPACE) {
    SetCaption(FGrid->DoEllipsClick(GetCaption()));
    if (CanFocus()) SetFocus();
    Invalidate();
    Key = 0;
    return;
  }
  TButton::KeyUp(Key, Shift);
}

void TGridButton::DoExit() {
  FGrid->HideEditorControl();
  TButton::DoExit();
}

// ================================================================ the grid side

void TGridView::CreateEditorControls() {
  auto c = std::make_shared<TGridEditorControls>();
  auto park = [this](TControl* Control) {
    Control->SetParent(this);
    Control->SetVisible(false);
    Control->SetEnabled(false);
  };
  c->Combo = Create<TGridCombo>(this);
  park(c->Combo);
  c->Spin = Create<TGridSpin>(this);
  c->Spin->SetBorder(false);
  park(c->Spin);
  c->UniEdit = Create<TGridUniEdit>(this);
  c->UniEdit->SetBorder(false);
  park(c->UniEdit);
  c->UniCombo = Create<TGridUniCombo>(this);
  park(c->UniCombo);
  c->DatePicker = Create<TGridDatePicker>(this);
  park(c->DatePicker);
  c->CheckBox = Create<TGridCheckBox>(this);
  park(c->CheckBox);
  c->EditBtn = Create<TGridEditBtn>(this);
  c->EditBtn->SetButtonCaption("...");
  c->EditBtn->SetBorder(false);
  park(c->EditBtn);
  c->UnitEditBtn = Create<TGridUnitEditBtn>(this);
  c->UnitEditBtn->SetButtonCaption("...");
  c->UnitEditBtn->SetBorder(false);
  park(c->UnitEditBtn);
  c->Button = Create<TGridButton>(this);
  park(c->Button);
  c->RichRenderer = Create<TGridRichEdit>(this, false);
  c->RichEditor = Create<TGridRichEdit>(this, true);
  park(c->RichEditor);
  const bool themed = FXPTheme;
  c->Combo->SetThemed(themed);
  c->UniCombo->SetThemed(themed);
  c->Spin->Button()->SetXPLook(themed);
  c->EditBtn->SetIsWinXP(themed);
  c->UnitEditBtn->SetIsWinXP(themed);
  FEditorControls = std::move(c);
}

const TGridEditorControls& TGridView::EditorControls() const {
  static const TGridEditorControls none;
  return FEditorControls ? *FEditorControls : none;
}

bool TGridView::EditorControlShowing() const {
  return FEditorOpen && FEditorInUse && FEditorType > edUpperCase;
}

TEditLink* TGridView::GetEditLink() const { return dynamic_cast<TEditLink*>(FEditLink.Get()); }

void TGridView::SetEditLink(TEditLink* Value) { FEditLink = Value; }

std::u16string TGridView::GetCellTextWide(int ACol, int ARow) const {
  return GridUtil::DecodeWideText(GetCells(ACol, ARow));
}

void TGridView::SetCellTextWide(int ACol, int ARow, const std::u16string& Value) {
  SetRawCellText(ACol, ARow, GridUtil::EncodeWideText(Value));
}

bool TGridView::HasWideTextPrefix(int ACol, int ARow) const { return GetCells(ACol, ARow).rfind("|\\", 0) == 0; }

void TGridView::EditorKeyToGrid(uint16_t Key, TShiftState Shift) {
  TRestore<bool> returning(FReturning, true);
  HideEditorControl();
  if (OneOf(Key, {VK_TAB, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})) {
    uint16_t k = Key;
    KeyDown(k, Shift);
  }
  TRestore<bool> noAlwaysEdit(FNavigation->AlwaysEdit, false);
  if (CanFocus()) SetFocus();
  if (Key == VK_RETURN) AdvanceCell(GetCol(), GetRow(), true, false, false);
}

namespace {

// Places Control over R, enabled, shown and focused.
void ShowOver(TControl& Control, const TRect& R) {
  Control.SetBounds(R.Left, R.Top, R.Width(), R.Height());
  Control.SetEnabled(true);
  Control.SetVisible(true);
  Control.BringToFront();
  if (auto* w = dynamic_cast<TWinControl*>(&Control); w && w->CanFocus()) w->SetFocus();
}

void PostPending(TWinControl& Control, TKeyChar Pending) {
  if (Pending == 0) return;
  TKeyChar k = Pending;
  Control.KeyPress(k);
}

TDateTime DateOfText(const std::string& Text, bool Time) {
  TDateTime v = 0;
  const bool ok = Time ? SysUtils::TryStrToTime(Text, v, ::FormatSettings) : SysUtils::TryStrToDate(Text, v, ::FormatSettings);
  return ok ? v : SysUtils::Now();
}

}  // namespace

void TGridView::ShowEditorControl(int ACol, int ARow) {
  if (!FEditorControls) return;
  TGridEditorControls& e = *FEditorControls;
  TRect r = TBaseGrid::CellRect(ACol, ARow);
  const TRect cell(r.Left, r.Top, r.Left + r.Width() - 1, r.Top + r.Height() - 1);
  const int real = RealColIndex(ACol);
  TAlignment ha;
  TVAlignment va;
  bool wrap = false;
  TColor to = clNone;
  TGridDrawState st;
  TCanvas& canvas = *GetCanvas();
  CellVisuals(real, ARow, ha, va, wrap, *canvas.Font, to, *canvas.Brush, true, false, false, st);
  const TColor color = canvas.Brush->GetColor();
  const std::string text = GetEditText(ACol, ARow);
  const TKeyChar pending = PendingChar;
  auto tabs = [this](TWinControl& C) { KeyHook::WantTab(C, [this] { return GetOptions().Contains(goTabs); }); };
  const bool soft = FLook == glSoft || FLook == glXP;
  auto fillCombo = [&](auto& C, bool List) {
    C.SetBounds(cell.Left, cell.Top, 0, 0);
    C.SetDroppedDown(false);
    C.SetEnabled(true);
    C.SetStyle(List ? TComboBoxStyle::csDropDownList : TComboBoxStyle::csDropDown);
    C.SetItemHeight(cell.Height() - 6);
    C.SetColor(color);
    C.SetFlat(soft);
    C.SetEtched(soft);
    tabs(C);
  };
  switch (FEditorType) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
      TGridSpin& s = *e.Spin;
      s.SetColor(color);
      if (FEditorType == edSpinEdit) {
        s.SetSpinType(sptNormal);
        int32_t v = 0;
        s.SetText(SysUtils::TryStrToInt(SysUtils::Trim(text), v) ? std::to_string(v) : text);
      } else if (FEditorType == edFloatSpinEdit) {
        s.SetSpinType(sptFloat);
        double v = 0;
        s.SetFloatValue(SysUtils::TryStrToFloat(GridUtil::NumberText(text), v) ? v : 0);
      } else if (FEditorType == edTimeSpinEdit) {
        s.SetText(text);
        s.SetSpinType(sptTime);
      } else {
        s.SetText(text);
        s.SetSpinType(sptDate);
        s.SetDateValue(DateOfText(text, false));
      }
      e.OpenedText = s.GetText();
      tabs(s);
      ShowOver(s, cell);
      PostPending(s, pending);
      break;
    }
    case edComboEdit:
    case edComboList: {
      TGridCombo& c = *e.Combo;
      fillCombo(c, FEditorType == edComboList);
      if (FEditorType == edComboList) {
        int i = c.Items()->IndexOf(text);
        if (i < 0) i = DefaultComboIndex >= 0 ? DefaultComboIndex : 0;
        c.SetItemIndex(i);
      } else {
        c.SetText(text);
      }
      // The platform's combo box is as high as its edit field; the list takes DropDownCount items.
      ShowOver(c, cell);
      c.SetSelLength(0);
      if (FNavigation->AutoComboDropSize) c.SizeDropDown();
      if (FMouseActions->DirectComboDrop) c.SetDroppedDown(true);
      PostPending(c, pending);
      break;
    }
    case edUniComboEdit:
    case edUniComboList: {
      TGridUniCombo& c = *e.UniCombo;
      fillCombo(c, FEditorType == edUniComboList);
      c.SetFont(GetFont());
      const std::u16string wide = GetCellTextWide(real, ARow);
      if (FEditorType == edUniComboList) {
        int i = c.UniItems()->IndexOf(wide);
        if (i < 0) i = DefaultComboIndex >= 0 ? DefaultComboIndex : 0;
        c.SetItemIndex(i);
      } else {
        c.SetTextWide(wide);
      }
      // The platform's combo box is as high as its edit field; the list takes DropDownCount items.
      ShowOver(c, cell);
      if (FNavigation->AutoComboDropSize) c.SizeDropDown();
      if (FMouseActions->DirectComboDrop) c.SetDroppedDown(true);
      PostPending(c, pending);
      break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: {
      TGridEditBtn& b = *e.EditBtn;
      b.SetMaxLength(GetEditLimit());
      b.SetText(text);
      b.SetColor(color);
      tabs(b);
      ShowOver(b, cell);
      PostPending(b, pending);
      break;
    }
    case edUnitEditBtn: {
      TGridUnitEditBtn& b = *e.UnitEditBtn;
      b.SetMaxLength(GetEditLimit());
      std::string value, unit;
      SplitUnitText(text, value, unit);
      b.SetText(value);
      b.SetUnitID(unit);
      b.SetColor(color);
      tabs(b);
      ShowOver(b, cell);
      PostPending(b, pending);
      break;
    }
    case edCheckBox: {
      TGridCheckBox& c = *e.CheckBox;
      c.SetCaption(text);
      c.SetState(TCheckBoxState::cbUnchecked);
      ShowOver(c, cell);
      break;
    }
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
      TGridDatePicker& d = *e.DatePicker;
      const bool time = FEditorType == edTimeEdit;
      d.Kind = time ? dtkTime : dtkDate;
      d.DateMode = FEditorType == edDateEditUpDown ? dmUpDown : dmComboBox;
      d.SetDateTime(DateOfText(text, time));
      d.SetColor(color);
      e.OpenedDateTime = d.GetDateTime();
      e.OpenedChecked = d.GetChecked();
      d.SetCancelled(false);
      tabs(d);
      ShowOver(d, cell);
      if (!time && FMouseActions->DirectDateDrop) {
        uint16_t f4 = VK_F4;
        d.KeyDown(f4, TShiftState{});
      }
      break;
    }
    case edButton: {
      TGridButton& b = *e.Button;
      b.SetCaption(text);
      ShowOver(b, TRect(cell.Left - 1, cell.Top - 1, cell.Right + 1, cell.Bottom + 1));
      break;
    }
    case edRichEdit: {
      TGridRichEdit& re = *e.RichEditor;
      re.SetBorder(false);
      re.HideSelection = false;
      LoadRichText(real, ARow, re);
      re.SelectAll();
      re.SetMargin(2);
      re.SetColor(color);
      ShowOver(re, cell);
      PostPending(re, pending);
      break;
    }
    case edUniEdit: {
      TGridUniEdit& u = *e.UniEdit;
      u.SetColor(color);
      u.SetFont(GetFont());
      u.SetTextWide(GetCellTextWide(real, ARow));
      tabs(u);
      ShowOver(u, TRect(cell.Left + FCellMarginX + 2, cell.Top + FCellMarginY + 2,
                        cell.Left + FCellMarginX + 2 + cell.Width() - 2 * FCellMarginX - 2,
                        cell.Top + FCellMarginY + 2 + cell.Height() - 2 * FCellMarginY - 2));
      PostPending(u, pending);
      break;
    }
    case edCustom: ShowEditLink(ACol, ARow, cell, color, text, pending); break;
    default: break;
  }
}

void TGridView::HideEditorControlValue(int ACol, int ARow) {
  if (!FEditorControls) return;
  TGridEditorControls& e = *FEditorControls;
  const int real = RealColIndex(ACol);
  TControl* shown = nullptr;
  switch (FEditorType) {
    case edSpinEdit:
    case edTimeSpinEdit:
    case edFloatSpinEdit:
    case edDateSpinEdit: {
      TGridSpin& s = *e.Spin;
      // The value is stored within the spin's limits, as the control applies them on leaving.
      s.ApplyExitLimits();
      // A date or time the person left as it opened keeps the cell's text (which may be no date).
      const bool dateOrTime = FEditorType == edDateSpinEdit || FEditorType == edTimeSpinEdit;
      const bool unchanged = dateOrTime && s.GetText() == e.OpenedText;
      if (FEditorType == edFloatSpinEdit) SetCellFloat(real, ARow, s.GetFloatValue());
      else if (FEditorType == edDateSpinEdit && !unchanged) SetCellDate(real, ARow, s.GetDateValue());
      else if (!unchanged) StoreEditedText(real, ARow, s.GetText());
      shown = &s;
      break;
    }
    case edComboEdit:
    case edComboList:
      if (FEditorInUse) StoreEditedText(real, ARow, e.Combo->GetText());
      shown = e.Combo;
      break;
    case edUniComboEdit:
    case edUniComboList:
      SetCellTextWide(real, ARow, e.UniCombo->GetTextWide());
      shown = e.UniCombo;
      break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
      StoreEditedText(real, ARow, e.EditBtn->GetText());
      shown = e.EditBtn;
      break;
    case edUnitEditBtn:
      StoreEditedText(real, ARow, e.UnitEditBtn->GetText() + e.UnitEditBtn->GetUnitID());
      shown = e.UnitEditBtn;
      break;
    case edCheckBox: shown = e.CheckBox; break;
    case edButton: shown = e.Button; break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
      TGridDatePicker& d = *e.DatePicker;
      // Only a value the person changed is stored: opening and leaving a cell keeps its text.
      if (!d.Cancelled() && (d.GetDateTime() != e.OpenedDateTime || d.GetChecked() != e.OpenedChecked)) {
        if (FEditorType == edTimeEdit) StoreEditedText(real, ARow, SysUtils::TimeToStr(d.GetTime()));
        else StoreEditedText(real, ARow, !d.ShowCheckbox || d.GetChecked() ? SysUtils::DateToStr(d.GetDate()) : std::string());
      }
      shown = &d;
      break;
    }
    case edRichEdit:
      StoreEditedText(real, ARow, GetRichText(*e.RichEditor));
      shown = e.RichEditor;
      break;
    case edUniEdit:
      SetCellTextWide(real, ARow, e.UniEdit->GetTextWide());
      shown = e.UniEdit;
      break;
    case edCustom: HideEditLink(real, ARow); break;
    default: break;
  }
  if (shown) {
    if (auto* w = dynamic_cast<TWinControl*>(shown)) KeyHook::Remove(*w);
    shown->SetEnabled(false);
    shown->SetVisible(false);
  }
  RepaintCell(ACol, ARow);
}
