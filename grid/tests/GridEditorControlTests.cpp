// The grid's dedicated editor controls, driven through their key handlers:
// where each opens, what it stores (through OnCellValidate), the keys that
// end editing, look-up, wheel, character rules, the owner's editor link and
// rich-text cells.

#include "grid/GridView.h"
#include "grid/GridViewEditors.h"
#include "platform/ui/KeyHook.h"
#include "platform/ui/RichText.h"
#include "platform/ui/tests/UiFixture.h"

#include <QThread>

#include <cmath>

namespace GridEditorControlTests {

namespace {

TFormatSettings DayMonthYear() {
  TFormatSettings fs = TFormatSettings::Invariant();
  fs.ShortDateFormat = "dd/mm/yyyy";
  fs.LongTimeFormat = "hh:nn:ss";
  return fs;
}

}  // namespace

class GridEditorTest : public UiTest {
 protected:
  GridEditorTest() : fs(DayMonthYear()) {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 500, 400);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 480, 380);
    grid->SetColCount(5);
    grid->SetRowCount(5);
    grid->SetOptions(grid->GetOptions() + goEditing);
    grid->OnGetEditorType = [this](TObject*, int, int, TEditorType& E) { E = type; };
    GridView::BeepHook = [this] { ++beeps; };
  }
  ~GridEditorTest() override { GridView::BeepHook = nullptr; }

  // Opens the editor of the cell (F2 in the grid).
  void Open(int C, int R, TEditorType T) {
    type = T;
    grid->SetCol(C);
    grid->SetRow(R);
    uint16_t f2 = VK_F2;
    grid->KeyDown(f2, TShiftState{});
  }
  static void Key(TWinControl& W, uint16_t K, TShiftState S = {}) { W.KeyDown(K, S); }
  const TGridEditorControls& E() { return grid->EditorControls(); }
  TRect EditorRect(int C, int R) {
    const TRect r = grid->CellRect(C, R);
    return TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
  }

  TFormatSettingsScope fs;
  TForm* form;
  TGridView* grid;
  TEditorType type = edNormal;
  int beeps = 0;
};

TEST_F(GridEditorTest, EachEditorOpensOverItsCell) {
  struct Case {
    TEditorType Type;
    std::function<TControl*(const TGridEditorControls&)> Control;
    int Grow;  // pixels the control reaches beyond the cell on each side
  };
  const Case cases[] = {
      {edSpinEdit, [](auto& e) { return e.Spin; }, 0},
      {edEditBtn, [](auto& e) { return e.EditBtn; }, 0},
      {edUnitEditBtn, [](auto& e) { return e.UnitEditBtn; }, 0},
      {edCheckBox, [](auto& e) { return e.CheckBox; }, 0},
      {edDateEdit, [](auto& e) { return e.DatePicker; }, 0},
      {edButton, [](auto& e) { return e.Button; }, 1},
      {edRichEdit, [](auto& e) { return e.RichEditor; }, 0},
  };
  for (const Case& c : cases) {
    Open(2, 2, c.Type);
    TControl* ctl = c.Control(E());
    ASSERT_TRUE(ctl->GetVisible()) << int(c.Type);
    EXPECT_TRUE(ctl->GetEnabled());
    EXPECT_TRUE(grid->EditorControlShowing());
    const TRect want = EditorRect(2, 2);
    EXPECT_EQ(ctl->GetBoundsRect(),
              TRect(want.Left - c.Grow, want.Top - c.Grow, want.Right + c.Grow, want.Bottom + c.Grow))
        << int(c.Type);
    grid->HideEditorControl();
    EXPECT_FALSE(ctl->GetVisible());
    EXPECT_FALSE(ctl->GetEnabled());
    EXPECT_FALSE(grid->EditorControlShowing());
  }
}

TEST_F(GridEditorTest, UnitEditSplitsValueAndUnitAndJoinsThem) {
  grid->SetCells(1, 1, "12.5 mm");
  Open(1, 1, edUnitEditBtn);
  TGridUnitEditBtn& u = *E().UnitEditBtn;
  EXPECT_EQ(u.GetText(), "12.5");
  EXPECT_EQ(u.GetUnitID(), " mm");
  u.SetText("-3,75");
  Key(u, VK_RETURN);
  EXPECT_FALSE(u.GetVisible());
  EXPECT_EQ(grid->GetCells(1, 1), "-3,75 mm");
}

TEST_F(GridEditorTest, ListComboSelectsTheEqualItemElseTheDefault) {
  E().Combo->Items()->SetText("alpha\nbeta\ngamma");
  struct Case {
    std::string Cell;
    int Default;
    int Index;
  };
  for (const Case& c : {Case{"beta", -1, 1}, Case{"delta", -1, 0}, Case{"delta", 2, 2}}) {
    grid->DefaultComboIndex = c.Default;
    grid->SetCells(1, 1, c.Cell);
    Open(1, 1, edComboList);
    EXPECT_EQ(E().Combo->GetItemIndex(), c.Index) << c.Cell;
    EXPECT_EQ(E().Combo->Style, TComboBoxStyle::csDropDownList);
    Key(*E().Combo, VK_ESCAPE);
    EXPECT_FALSE(E().Combo->GetVisible());
  }
}

TEST_F(GridEditorTest, EnterStoresThroughValidationAndClosesEachTextEditor) {
  std::vector<std::string> validated;
  grid->OnCellValidate = [&](TObject*, int, int, std::string& V, bool&) { validated.push_back(V); };
  struct Case {
    TEditorType Type;
    std::function<void(const TGridEditorControls&)> Edit;
    std::string Stored;
  };
  const Case cases[] = {
      {edSpinEdit, [](auto& e) { e.Spin->SetText("42"); }, "42"},
      {edComboEdit, [](auto& e) { e.Combo->SetText("typed"); }, "typed"},
      {edEditBtn, [](auto& e) { e.EditBtn->SetText("text"); }, "text"},
  };
  int row = 1;
  for (const Case& c : cases) {
    Open(1, row, c.Type);
    c.Edit(E());
    TWinControl* focused = c.Type == edSpinEdit   ? static_cast<TWinControl*>(E().Spin)
                           : c.Type == edComboEdit ? static_cast<TWinControl*>(E().Combo)
                                                   : static_cast<TWinControl*>(E().EditBtn);
    Key(*focused, VK_RETURN);
    EXPECT_EQ(grid->GetCells(1, row), c.Stored) << int(c.Type);
    ASSERT_FALSE(validated.empty());
    EXPECT_EQ(validated.back(), c.Stored);
    EXPECT_FALSE(focused->GetVisible());
    ++row;
  }
}

TEST_F(GridEditorTest, RefusedValueKeepsTheSpinOpenWithTheCellText) {
  grid->SetCells(1, 1, "5");
  grid->OnCellValidate = [](TObject*, int, int, std::string&, bool& Valid) { Valid = false; };
  Open(1, 1, edSpinEdit);
  TGridSpin& s = *E().Spin;
  s.SetText("77");
  Key(s, VK_RETURN);
  EXPECT_TRUE(s.GetVisible());
  EXPECT_EQ(s.GetText(), "5");
  EXPECT_EQ(s.GetSelStart(), 1);
  EXPECT_EQ(grid->GetCells(1, 1), "5");
}

TEST_F(GridEditorTest, SpinKeysAndLimits) {
  std::vector<std::pair<int, bool>> clicks;
  grid->OnSpinClick = [&](TObject* S, int, int, int V, bool Up) {
    EXPECT_EQ(S, grid);
    clicks.emplace_back(V, Up);
  };
  grid->SetCells(1, 1, "99");
  Open(1, 1, edSpinEdit);
  TGridSpin& s = *E().Spin;
  Key(s, VK_PRIOR);  // 99 + 1 does not exceed 100
  EXPECT_EQ(s.GetText(), "100");
  Key(s, VK_PRIOR);  // 100 + 1 would
  EXPECT_EQ(s.GetText(), "100");
  Key(s, VK_END);
  EXPECT_EQ(s.GetText(), "0");
  Key(s, VK_HOME);
  EXPECT_EQ(s.GetText(), "100");
  Key(s, VK_DOWN);
  EXPECT_EQ(s.GetText(), "99");
  const std::vector<std::pair<int, bool>> want = {{100, true}, {100, true}, {0, false}, {100, true}, {99, false}};
  EXPECT_EQ(clicks, want);
  EXPECT_TRUE(s.GetVisible());  // none of these ends editing
}

TEST_F(GridEditorTest, SpinStoresItsValueWithinItsLimits) {
  // 150 typed into a spin of 0..100 reaches the cell as 100, the value the spin shows after leaving.
  Open(1, 1, edSpinEdit);
  E().Spin->SetText("150");
  grid->HideEditorControl();
  EXPECT_EQ(grid->GetCells(1, 1), "100");
}

TEST_F(GridEditorTest, DateEditorLeavesACellWithoutDateAlone) {
  for (TEditorType t : {edDateEdit, edTimeEdit, edDateEditUpDown, edDateSpinEdit, edTimeSpinEdit}) {
    grid->SetCells(1, 1, "n/a");
    Open(1, 1, t);
    grid->HideEditorControl();
    EXPECT_EQ(grid->GetCells(1, 1), "n/a") << int(t);
  }
  grid->SetCells(1, 1, "10/05/2024");
  Open(1, 1, edDateEdit);
  Key(*E().DatePicker, VK_UP);  // the day field
  grid->HideEditorControl();
  EXPECT_EQ(grid->GetCells(1, 1), "11/05/2024");
  grid->SetCells(1, 2, "08:30:00");
  Open(1, 2, edTimeEdit);
  Key(*E().DatePicker, VK_DOWN);
  Key(*E().DatePicker, VK_RETURN);
  EXPECT_EQ(grid->GetCells(1, 2), "07:30:00");
  Open(1, 2, edTimeSpinEdit);
  E().Spin->SetSelStart(4);  // the minutes
  Key(*E().Spin, VK_UP);
  grid->HideEditorControl();
  EXPECT_EQ(grid->GetCells(1, 2), "07:31:00");
}

TEST_F(GridEditorTest, EscapeInTheDatePickerShowsTheCellOrToday) {
  grid->SetCells(1, 1, "no date");
  Open(1, 1, edDateEdit);
  TGridDatePicker& d = *E().DatePicker;
  d.SetDateTime(SysUtils::EncodeDate(2001, 1, 1));
  const TDateTime before = SysUtils::Now();
  d.ResetFromCell();
  EXPECT_GE(d.GetDateTime(), before);
  EXPECT_LE(d.GetDateTime(), SysUtils::Now());
  // However long the person waits, Escape leaves a cell without a date as it was.
  QThread::msleep(5);
  Key(d, VK_ESCAPE);
  EXPECT_FALSE(d.GetVisible());
  EXPECT_EQ(grid->GetCells(1, 1), "no date");
}

TEST_F(GridEditorTest, TabAndShiftTabMoveWithGoTabs) {
  grid->SetOptions(grid->GetOptions() + goTabs);
  struct Case {
    TEditorType Type;
    std::function<TWinControl*(const TGridEditorControls&)> Control;
  };
  const Case cases[] = {
      {edSpinEdit, [](auto& e) { return e.Spin; }},     {edComboEdit, [](auto& e) { return e.Combo; }},
      {edUniEdit, [](auto& e) { return e.UniEdit; }},   {edEditBtn, [](auto& e) { return e.EditBtn; }},
      {edDateEdit, [](auto& e) { return e.DatePicker; }},
  };
  for (const Case& c : cases) {
    Open(2, 2, c.Type);
    TWinControl* w = c.Control(E());
    EXPECT_TRUE(KeyHook::TabReaches(*w)) << int(c.Type);
    Key(*w, VK_TAB);
    EXPECT_FALSE(w->GetVisible());
    EXPECT_EQ(grid->GetCol(), 3) << int(c.Type);
    Open(2, 2, c.Type);
    Key(*c.Control(E()), VK_TAB, TShiftState{TShiftStateItem::ssShift});
    EXPECT_EQ(grid->GetCol(), 1) << int(c.Type);
  }
}

TEST_F(GridEditorTest, LeftLeavesAListComboButMovesTheCaretInAnEditCombo) {
  E().Combo->Items()->SetText("alpha\nbeta");
  grid->SetCells(2, 2, "beta");
  Open(2, 2, edComboList);
  Key(*E().Combo, VK_LEFT);
  EXPECT_FALSE(E().Combo->GetVisible());
  EXPECT_EQ(grid->GetCol(), 1);
  Open(2, 2, edComboEdit);
  TGridCombo& c = *E().Combo;
  c.SetSelStart(4);
  Key(c, VK_LEFT);
  EXPECT_TRUE(c.GetVisible());
  EXPECT_EQ(c.GetSelStart(), 3);
  EXPECT_EQ(grid->GetCol(), 2);
}

TEST_F(GridEditorTest, LookupCompletesTheTypedPrefix) {
  grid->Lookup = true;
  E().Combo->Items()->SetText("Alpha\nBeta");
  Open(1, 1, edComboEdit);
  TGridCombo& c = *E().Combo;
  c.SetText("");
  auto type = [&](TKeyChar Ch, uint16_t Vk) {
    uint16_t k = Vk;
    c.KeyDown(k, TShiftState{});
    TKeyChar ch = Ch;
    c.KeyPress(ch);
    k = Vk;
    c.KeyUp(k, TShiftState{});
  };
  type(u'a', 'A');
  type(u'l', 'L');
  EXPECT_EQ(c.GetText(), "alpha");  // the typed case is kept
  EXPECT_EQ(c.GetSelStart(), 2);
  EXPECT_EQ(c.GetSelLength(), 3);
  EXPECT_EQ(c.GetItemIndex(), 0);
  type(8, VK_BACK);  // deletes the completed tail; no completion on this release
  EXPECT_EQ(c.GetText(), "al");
  grid->GetLookupItems()->SetText("alpine");
  c.SetText("alp");
  c.SetSelStart(3);
  type(u'i', 'I');
  EXPECT_EQ(c.GetText(), "alpine");  // from the grid's look-up list, no item selected
}

TEST_F(GridEditorTest, WheelDownOnTheLastItemKeepsIt) {
  E().Combo->Items()->SetText("a\nb\nc");
  std::vector<int> changes;
  grid->OnComboChange = [&](TObject* S, int, int, int I, const std::string&) {
    EXPECT_EQ(S, E().Combo);
    changes.push_back(I);
  };
  grid->SetCells(1, 1, "b");
  Open(1, 1, edComboList);
  TGridCombo& c = *E().Combo;
  EXPECT_TRUE(c.DoMouseWheel(TShiftState{}, -120, TPoint{0, 0}));
  EXPECT_TRUE(c.DoMouseWheel(TShiftState{}, -120, TPoint{0, 0}));
  EXPECT_EQ(c.GetItemIndex(), 2);
  EXPECT_TRUE(c.DoMouseWheel(TShiftState{}, 120, TPoint{0, 0}));
  EXPECT_EQ(c.GetItemIndex(), 1);
  EXPECT_EQ(changes, (std::vector<int>{2, 2, 1}));
}

TEST_F(GridEditorTest, NumericEditButtonMinusRules) {
  Open(1, 1, edNumericEditBtn);
  TGridEditBtn& b = *E().EditBtn;
  b.SetText("");
  for (TKeyChar ch : {u'-', u'5', u'-', u'x'}) {
    TKeyChar k = ch;
    b.KeyPress(k);
  }
  EXPECT_EQ(b.GetText(), "-5");
  EXPECT_EQ(beeps, 2);
  b.SetText("7");
  b.SetSelStart(1);
  TKeyChar minus = u'-';
  b.KeyPress(minus);  // a minus after the first character
  EXPECT_EQ(b.GetText(), "7");
  EXPECT_EQ(beeps, 3);
  int clicks = 0;
  grid->OnEllipsClick = [&](TObject*, int, int, std::string& S) {
    ++clicks;
    S = "123";
  };
  Key(b, VK_F4);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(b.GetText(), "123");
  EXPECT_EQ(b.GetSelLength(), 3);
}

TEST_F(GridEditorTest, CheckBoxTogglesWithoutWritingTheCell) {
  grid->SetCells(1, 1, "caption");
  Open(1, 1, edCheckBox);
  TGridCheckBox& c = *E().CheckBox;
  EXPECT_EQ(c.GetCaption(), "caption");
  EXPECT_FALSE(c.GetChecked());
  TKeyChar space = u' ';
  c.KeyPress(space);
  EXPECT_TRUE(c.GetChecked());
  Key(c, VK_DOWN);
  EXPECT_FALSE(c.GetVisible());
  EXPECT_EQ(grid->GetRow(), 2);
  EXPECT_EQ(grid->GetCells(1, 1), "caption");
}

TEST_F(GridEditorTest, ButtonCaptionComesFromTheEllipsisEvent) {
  grid->SetCells(1, 1, "press");
  grid->OnEllipsClick = [](TObject*, int, int, std::string& S) { S += "ed"; };
  Open(1, 1, edButton);
  TGridButton& b = *E().Button;
  EXPECT_EQ(b.GetCaption(), "press");
  b.MouseUp(TMouseButton::mbLeft, TShiftState{}, 2, 2);
  EXPECT_EQ(b.GetCaption(), "pressed");
  uint16_t esc = VK_ESCAPE;
  b.KeyDown(esc, TShiftState{});
  EXPECT_FALSE(b.GetVisible());
  EXPECT_EQ(grid->GetCells(1, 1), "press");
}

TEST_F(GridEditorTest, WideEditorsStoreWideCellText) {
  grid->SetCellTextWide(1, 1, u"\u4e2d\u6587");
  Open(1, 1, edUniEdit);
  TGridUniEdit& u = *E().UniEdit;
  EXPECT_EQ(u.GetTextWide(), u"\u4e2d\u6587");
  u.SetTextWide(u"\u00e9t\u00e9 \u20ac");
  Key(u, VK_RETURN);
  EXPECT_EQ(grid->GetCellTextWide(1, 1), u"\u00e9t\u00e9 \u20ac");
  E().UniCombo->UniItems()->SetText(u"\u03b1\n\u03b2");
  grid->SetCellTextWide(1, 2, u"\u03b2");
  Open(1, 2, edUniComboList);
  EXPECT_EQ(E().UniCombo->GetItemIndex(), 1);
  Key(*E().UniCombo, VK_UP);  // moves in the list
  Key(*E().UniCombo, VK_RETURN);
  EXPECT_EQ(grid->GetCellTextWide(1, 2), u"\u03b1");
}

// ---------------------------------------------------------------- rich text

TEST_F(GridEditorTest, RichEditorStoresRtf) {
  grid->SetCells(1, 1, "{\\rtf1 {\\b bold} plain}");
  Open(1, 1, edRichEdit);
  TGridRichEdit& r = *E().RichEditor;
  EXPECT_EQ(r.GetText(), "bold plain");
  EXPECT_EQ(r.GetSelLength(), 10);  // all selected
  TKeyChar x = u'X';
  r.KeyPress(x);
  grid->HideEditorControl();
  const std::string cell = grid->GetCells(1, 1);
  ASSERT_TRUE(RichText::IsRtf(cell));
  EXPECT_EQ(grid->RichTextToPlain(cell), "X");
  TRichRuns runs;
  RichText::Read(cell, runs);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_TRUE(runs[0].Format.Bold);  // typed over a selection starting in bold text
  EXPECT_EQ(grid->StripTags(cell), "X");
}

TEST_F(GridEditorTest, RichTextCellIsPaintedBoldAndColoured) {
  grid->SetColWidths(1, 120);
  grid->SetCells(1, 1, "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1\\b WWW}");
  grid->SetCells(1, 2, "{\\rtf1 WWW}");
  grid->SetCol(3);  // the selection shows all rich text in the selection text colour
  grid->SetRow(3);
  TBitmap bmp;
  grid->PaintTo(bmp);
  auto count = [&](int Row, TColor C) {
    const TRect r = grid->CellRect(1, Row);
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += bmp.GetCanvas()->GetPixel(x, y) == C;
    return n;
  };
  EXPECT_GT(count(1, RGB(255, 0, 0)), 20);
  EXPECT_EQ(count(2, RGB(255, 0, 0)), 0);
  // Bold ink covers more pixels than the same letters drawn plain.
  const int boldInk = count(1, RGB(255, 0, 0));
  int plainInk = 0;
  {
    const TRect r = grid->CellRect(1, 2);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        const TColor c = bmp.GetCanvas()->GetPixel(x, y);
        plainInk += c == clBlack || c == 0;
      }
  }
  EXPECT_GT(boldInk, plainInk);
}

// ---------------------------------------------------------------- the owner's editor link

namespace {

class TTestLink : public TEditLink {
 public:
  explicit TTestLink(TComponent* AOwner) : TEditLink(AOwner) {}
  TWinControl* EditorControl() override { return Edit; }
  void CreateEditorControl(TWinControl* AParent) override {
    if (!Edit) {
      Edit = Create<TCustomEdit>(AParent);
      Edit->OnKeyDown = [this](TObject* S, uint16_t& K, TShiftState Sh) { KeyFilter(S, K, Sh); };
    }
    Edit->SetParent(AParent);
    Parent = AParent;
  }
  std::string EditorValue() override { return Edit->GetText(); }
  void PutEditorValue(const std::string& Text) override { Edit->SetText(Text); }
  TCustomEdit* Edit = nullptr;
  TWinControl* Parent = nullptr;
};

}  // namespace

TEST_F(GridEditorTest, CustomEditorInPlace) {
  auto* link = Create<TTestLink>(form);
  grid->SetEditLink(link);
  int props = 0;
  grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink* L) {
    EXPECT_EQ(L, link);
    ++props;
  };
  grid->SetCells(1, 1, "start");
  Open(1, 1, edCustom);
  ASSERT_TRUE(link->Edit);
  EXPECT_EQ(link->Parent, grid);
  EXPECT_EQ(props, 1);
  EXPECT_EQ(link->Edit->GetText(), "start");
  const TRect cell = EditorRect(1, 1);
  EXPECT_EQ(link->Edit->GetLeft(), cell.Left);
  EXPECT_EQ(link->Edit->GetWidth(), cell.Width() - grid->GetGridLineWidth());
  grid->SetOptions(grid->GetOptions() + goTabs);
  EXPECT_TRUE(KeyHook::TabReaches(*link->Edit));
  // Escape restores the text from before the edit and closes.
  link->Edit->SetText("changed");
  Key(*link->Edit, VK_ESCAPE);
  EXPECT_EQ(grid->GetCells(1, 1), "start");
  EXPECT_FALSE(link->Edit->GetVisible());
  EXPECT_FALSE(KeyHook::TabReaches(*link->Edit));
  // Down stores and moves on unless the control wants it.
  Open(1, 1, edCustom);
  link->Edit->SetText("stored");
  link->WantKeyUpDown = true;
  uint16_t down = VK_DOWN;
  link->Edit->KeyDown(down, TShiftState{});
  EXPECT_TRUE(link->Edit->GetVisible());
  EXPECT_EQ(grid->GetRow(), 1);
  link->WantKeyUpDown = false;
  Key(*link->Edit, VK_DOWN);
  EXPECT_EQ(grid->GetCells(1, 1), "stored");
  EXPECT_EQ(grid->GetRow(), 2);
  EXPECT_FALSE(link->Edit->GetVisible());
}

TEST_F(GridEditorTest, CustomEditorAsPopup) {
  auto* link = Create<TTestLink>(form);
  link->EditStyle = esPopup;
  link->PopupWidth = 150;
  link->PopupHeight = 60;
  grid->SetEditLink(link);
  grid->SetCells(2, 2, "pop");
  Open(2, 2, edCustom);
  TForm* popup = link->PopupForm();
  ASSERT_TRUE(popup);
  EXPECT_EQ(link->Parent, popup);
  EXPECT_EQ(popup->GetBorderStyle(), TFormBorderStyle::bsNone);
  EXPECT_EQ(popup->GetFormStyle(), TFormStyle::fsStayOnTop);
  const TPoint at = grid->ClientToScreen(TPoint(grid->CellRect(2, 2).Left, grid->CellRect(2, 2).Top));
  EXPECT_EQ(TPoint(popup->GetLeft(), popup->GetTop()), at);
  EXPECT_EQ(link->Edit->GetWidth(), 150 - grid->GetGridLineWidth());
  link->Edit->SetText("edited");
  link->ControlExit(link->Edit);
  EXPECT_EQ(grid->GetCells(2, 2), "edited");
  EXPECT_FALSE(link->PopupForm());
}

TEST_F(GridEditorTest, RichTextCellSizeIsWhatItsContentAsks) {
  grid->SetCells(1, 1, "{\\rtf1\\fs48 WWWW\\par W}");
  grid->SetCells(2, 1, "WWWW");
  const TSize rich = grid->CellTextSize(1, 1, false), plain = grid->CellTextSize(2, 1, false);
  // 24-point letters against the grid's 8-point font: about three times as wide, two lines high.
  EXPECT_GT(rich.cx, 2 * plain.cx);
  EXPECT_GT(rich.cy, 4 * (plain.cy - 4));
  EXPECT_EQ(grid->GetStrippedText(1, 1), "WWWW\r\nW");
}

TEST_F(GridEditorTest, SpinStepsFireTheEventOfTheirType) {
  std::vector<std::string> fired;
  grid->OnSpinClick = [&](TObject*, int, int, int V, bool Up) { fired.push_back("int " + std::to_string(V) + (Up ? "+" : "-")); };
  grid->OnFloatSpinClick = [&](TObject*, int, int, double V, bool Up) {
    fired.push_back("float " + std::to_string(std::lround(V * 10)) + (Up ? "+" : "-"));
  };
  grid->OnDateSpinClick = [&](TObject*, int, int, TDateTime V, bool Up) {
    int y, m, d;
    SysUtils::DecodeDate(V, y, m, d);
    fired.push_back("date " + std::to_string(d) + (Up ? "+" : "-"));
  };
  grid->OnTimeSpinClick = [&](TObject*, int, int, TDateTime V, bool Up) {
    fired.push_back("time " + std::to_string(std::lround(V * 24)) + (Up ? "+" : "-"));
  };
  grid->SetCells(1, 1, "7");
  grid->SetCells(1, 2, "2.5");
  grid->SetCells(1, 3, "10/05/2024");
  grid->SetCells(1, 4, "08:00:00");
  Open(1, 1, edSpinEdit);
  Key(*E().Spin, VK_UP);
  grid->HideEditorControl();
  Open(1, 2, edFloatSpinEdit);
  E().Spin->IncrementFloat = 0.5;
  E().Spin->Button()->DownButton()->MouseDown(TMouseButton::mbLeft, TShiftState{}, 1, 1);
  E().Spin->Button()->DownButton()->MouseUp(TMouseButton::mbLeft, TShiftState{}, 1, 1);
  E().Spin->IncrementFloat = 0;
  grid->HideEditorControl();
  Open(1, 3, edDateSpinEdit);
  E().Spin->SetSelStart(0);
  Key(*E().Spin, VK_UP);
  grid->HideEditorControl();
  Open(1, 4, edTimeSpinEdit);
  E().Spin->SetSelStart(0);
  Key(*E().Spin, VK_DOWN);
  grid->HideEditorControl();
  const std::vector<std::string> want = {"int 8+", "float 20-", "date 11+", "time 7-"};
  EXPECT_EQ(fired, want);
  EXPECT_EQ(grid->GetCells(1, 1), "8");
  EXPECT_EQ(grid->GetCells(1, 3), "11/05/2024");
}

TEST_F(GridEditorTest, SelectedRichTextTakesTheSelectionTextColourUnlessKept) {
  grid->SetColWidths(1, 120);
  grid->SetCells(1, 1, "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1\\b WWW}");
  grid->SetCol(1);
  grid->SetRow(1);
  auto red = [&] {
    TBitmap bmp;
    grid->PaintTo(bmp);
    const TRect r = grid->CellRect(1, 1);
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += bmp.GetCanvas()->GetPixel(x, y) == RGB(255, 0, 0);
    return n;
  };
  EXPECT_EQ(red(), 0);
  grid->SelectionRTFKeep = true;
  EXPECT_GT(red(), 20);
}

TEST_F(GridEditorTest, ComboNotificationsCarryTheCurrentCellAlsoWhilePanning) {
  grid->SetRowCount(40);
  E().Combo->Items()->SetText("a\nb\nc");
  std::vector<std::string> notes;
  grid->OnComboChange = [&](TObject*, int C, int R, int I, const std::string& S) {
    notes.push_back("change " + std::to_string(I) + " " + S + " @" + std::to_string(C) + "," + std::to_string(R));
  };
  grid->OnComboObjectChange = [&](TObject*, int, int, int I, const std::string&, TObject*) {
    notes.push_back("object " + std::to_string(I));
  };
  grid->OnComboCloseUp = [&](TObject*, int R, int C) {
    notes.push_back("closeup @" + std::to_string(C) + "," + std::to_string(R));
  };
  Open(1, 1, edComboEdit);
  TGridCombo& c = *E().Combo;
  // A person's pick in the list: the index, then the change notification.
  c.SetItemIndex(2);
  c.Change();
  c.SetText("typed");
  c.Change();
  c.CloseUp();
  EXPECT_EQ(notes, (std::vector<std::string>{"change 2 c @1,1", "object 2", "change -1 typed @1,1", "closeup @1,1"}));
  // Panning moves the current cell; a notification then names the cell it moved to.
  notes.clear();
  const TRect r = grid->CellRect(1, 1);
  ASSERT_TRUE(grid->StartPanning(r.Left + 5, r.Top + 5));
  grid->PanTick(TPoint{r.Left + 5, r.Top + 40});
  grid->StopPanning();
  ASSERT_EQ(grid->GetRow(), 2);
  c.SetItemIndex(0);
  c.Change();
  ASSERT_FALSE(notes.empty());
  EXPECT_EQ(notes.front(), "change 0 a @1,2");
}

}  // namespace GridEditorControlTests
