// Editing driven through the key handlers: the in-place edit's filters,
// paste and lookup, validation, toggle cells, Enter, Tab and the row keys;
// the update lock; column and row sizing and the view helpers.

#include "grid/GridView.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/tests/UiFixture.h"

namespace GridEditTests {

namespace {

TKeyChar CharOf(uint16_t Key) {
  switch (Key) {
    case VK_RETURN: return u'\r';
    case VK_ESCAPE: return 27;
    case VK_TAB: return u'\t';
    case VK_BACK: return 8;
    case VK_SPACE: return u' ';
    default: return 0;
  }
}

}  // namespace

class GridEditTest : public UiTest {
 protected:
  GridEditTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 500, 400);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 480, 380);
    grid->SetColCount(5);
    grid->SetRowCount(5);
    grid->SetOptions(grid->GetOptions() + goEditing);
    GridView::BeepHook = [this] { ++beeps; };
  }
  ~GridEditTest() override { GridView::BeepHook = nullptr; }

  bool EditorShown() {
    TGridInplaceEdit* e = grid->InplaceEditor();
    return e && e->GetVisible();
  }
  TWinControl* Target() { return EditorShown() ? static_cast<TWinControl*>(grid->InplaceEditor()) : grid; }
  std::string EditText() { return EditorShown() ? grid->InplaceEditor()->GetText() : std::string("<no editor>"); }
  // A key as the window receives it: key-down, then its character, then key-up.
  void Key(uint16_t K, TShiftState S = {}) {
    TWinControl* t = Target();
    uint16_t k = K;
    t->KeyDown(k, S);
    if (TKeyChar c = CharOf(K)) t->KeyPress(c);
    uint16_t up = K;
    Target()->KeyUp(up, S);
  }
  void Type(const std::string& Text) {
    for (char ch : Text) {
      TKeyChar c = static_cast<unsigned char>(ch);
      Target()->KeyPress(c);
      uint16_t up = static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(ch)));
      Target()->KeyUp(up, TShiftState{});
    }
  }
  void Goto(int C, int R) {
    grid->SetCol(C);
    grid->SetRow(R);
  }

  TForm* form = nullptr;
  TGridView* grid = nullptr;
  int beeps = 0;
};

// ================================================================ the in-place edit

TEST_F(GridEditTest, TypedCharactersFollowTheEditorType) {
  const char dec = ::FormatSettings.DecimalSeparator, th = ::FormatSettings.ThousandSeparator;
  struct TCase {
    TEditorType Type;
    std::string Typed, Want;
    int Beeps;
  } cases[] = {
      {edNumeric, "-5-", "-5", 1},
      {edNumeric, "5-7", "57", 1},
      {edNumeric, "--", "-", 1},
      {edPositiveNumeric, "-5a", "5", 2},
      {edFloat, std::string("1") + dec + "2" + dec + "3", std::string("1") + dec + "23", 0},
      {edFloat, std::string("1") + th + "5x", "15", 0},
      {edFloat, "5-", "5", 1},
      {edFloat, "-5", "-5", 0},
      {edUpperCase, "abC", "ABC", 0},
      {edLowerCase, "AbC", "abc", 0},
      {edMixedCase, "hello world", "Hello World", 0},
      {edNormal, "a-.", "a-.", 0},
  };
  TEditorType type = edNormal;
  grid->OnGetEditorType = [&](TObject*, int, int, TEditorType& E) { E = type; };
  int row = 1;
  for (const TCase& c : cases) {
    type = c.Type;
    beeps = 0;
    Goto(1, 1 + row++ % 4);
    Type(c.Typed);
    EXPECT_EQ(EditText(), c.Want) << int(c.Type) << " " << c.Typed;
    EXPECT_EQ(beeps, c.Beeps) << int(c.Type) << " " << c.Typed;
    Key(VK_ESCAPE);
  }
}

TEST_F(GridEditTest, FloatDecimalSeparatorReplacesASelectedOne) {
  const char dec = ::FormatSettings.DecimalSeparator;
  grid->OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edFloat; };
  Goto(1, 1);
  Type(std::string("12") + dec + "5");
  TGridInplaceEdit* e = grid->InplaceEditor();
  e->SetSelStart(2);
  e->SetSelLength(1);
  Type(std::string(1, dec));
  EXPECT_EQ(EditText(), std::string("12") + dec + "5");
  EXPECT_EQ(e->GetSelLength(), 0);  // the separator was typed over the selection
  EXPECT_EQ(e->GetSelStart(), 3);
}

TEST_F(GridEditTest, LengthLimitDropsCharactersButNotBackspace) {
  grid->SetMaxEditLength(5);
  Goto(1, 1);
  Type("abcdefg");
  EXPECT_EQ(EditText(), "abcde");
  Key(VK_BACK);
  EXPECT_EQ(EditText(), "abcd");
  Type("xy");
  EXPECT_EQ(EditText(), "abcdx");
}

TEST_F(GridEditTest, PasteIntoNumericCellTakesOnlyIntegers) {
  grid->OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edNumeric; };
  grid->SetCells(1, 1, "7");
  Goto(1, 1);
  Key(VK_F2);
  ASSERT_TRUE(EditorShown());
  TGridInplaceEdit* e = grid->InplaceEditor();
  e->SelectAll();
  Clipbrd::Clipboard().SetAsText("12a");
  Key('V', TShiftState{TShiftStateItem::ssCtrl});
  EXPECT_EQ(EditText(), "7");
  Clipbrd::Clipboard().SetAsText("42");
  Key('V', TShiftState{TShiftStateItem::ssCtrl});
  EXPECT_EQ(EditText(), "42");
  EXPECT_EQ(e->GetSelStart(), 0);
  EXPECT_EQ(e->GetSelLength(), 2);
  EXPECT_EQ(grid->GetCells(1, 1), "42");
}

TEST_F(GridEditTest, LookupCompletesKeepingTheTypedCase) {
  grid->Lookup = true;
  grid->GetLookupItems()->Add("Apple");
  grid->GetLookupItems()->Add("BANANA");
  Goto(1, 1);
  Type("ba");
  EXPECT_EQ(EditText(), "baNANA");
  EXPECT_EQ(grid->InplaceEditor()->GetSelStart(), 2);
  EXPECT_EQ(grid->InplaceEditor()->GetSelLength(), 4);
  Key(VK_BACK);  // Backspace removes the selection and completes nothing
  EXPECT_EQ(EditText(), "ba");
}

TEST_F(GridEditTest, EscapeRestoresTheTextBeforeEditing) {
  grid->SetCells(2, 2, "old");
  Goto(2, 2);
  Type("new");
  EXPECT_EQ(grid->GetCells(2, 2), "new");
  Key(VK_ESCAPE);
  EXPECT_EQ(EditText(), "old");
  EXPECT_EQ(grid->GetCells(2, 2), "old");
}

// ================================================================ validation

TEST_F(GridEditTest, ValidationRunsOnlyForChangedText) {
  int calls = 0;
  grid->OnCellValidate = [&](TObject*, int ACol, int ARow, std::string& V, bool&) {
    ++calls;
    EXPECT_EQ(ACol, 1);
    EXPECT_EQ(ARow, 1);
    EXPECT_EQ(V, "17");
  };
  grid->SetCells(1, 1, "5");
  Goto(1, 1);
  Key(VK_F2);
  Key(VK_DOWN);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(grid->GetRow(), 2);
  Goto(1, 1);
  Type("17");
  Key(VK_DOWN);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(grid->GetRow(), 2);
  EXPECT_EQ(grid->GetCells(1, 1), "17");
}

TEST_F(GridEditTest, RefusedValueKeepsTheCellAndTheEditor) {
  struct TCase {
    const char* Name;
    uint16_t Key;
    bool ChangeValue;
    std::string WantText;
  } cases[] = {{"down, value kept", VK_DOWN, false, "5"},
               {"up, value kept", VK_UP, false, "5"},
               {"enter, value changed", VK_RETURN, true, "0"},
               {"down, value changed", VK_DOWN, true, "0"}};
  for (const TCase& c : cases) {
    grid->SetCells(1, 2, "5");
    Goto(1, 2);
    grid->OnCellValidate = [&](TObject*, int, int, std::string& V, bool& Valid) {
      Valid = false;
      if (c.ChangeValue) V = "0";
    };
    Type("abc");
    Key(c.Key);
    EXPECT_EQ(grid->GetRow(), 2) << c.Name;
    EXPECT_TRUE(EditorShown()) << c.Name;
    EXPECT_EQ(EditText(), c.WantText) << c.Name;
    EXPECT_EQ(grid->GetCells(1, 2), c.WantText) << c.Name;
    grid->OnCellValidate = nullptr;
    Key(VK_ESCAPE);
    Goto(3, 3);
  }
}

TEST_F(GridEditTest, RaisingValidationLeavesAGridThatEditsAgain) {
  grid->OnCellValidate = [](TObject*, int, int, std::string&, bool&) { throw Exception("survey refuses"); };
  Goto(1, 1);
  Type("9");
  EXPECT_THROW(Key(VK_DOWN), Exception);
  EXPECT_FALSE(grid->Validating());
  int calls = 0;
  grid->OnCellValidate = [&](TObject*, int, int, std::string&, bool&) { ++calls; };
  Goto(2, 2);
  Type("x");
  EXPECT_TRUE(EditorShown());
  Key(VK_DOWN);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(grid->GetCells(2, 2), "x");
}

// ================================================================ toggle cells and editability

TEST_F(GridEditTest, CheckBoxCellTogglesWithSpaceAndOpensNoEditor) {
  grid->AddCellCheckBox(1, 1, false, false);
  std::vector<std::pair<int, bool>> clicks;
  grid->OnCheckBoxClick = [&](TObject*, int, int ARow, bool State) { clicks.emplace_back(ARow, State); };
  Goto(1, 1);
  Key(VK_F2);
  Type("x");
  EXPECT_FALSE(EditorShown());
  Key(VK_SPACE);
  Key(VK_SPACE);
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[0], std::make_pair(1, true));
  EXPECT_EQ(clicks[1], std::make_pair(1, false));
  grid->OnCanEditCell = [](TObject*, int, int, bool& Can) { Can = false; };
  Key(VK_SPACE);
  EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(GridEditTest, CellThatCannotBeEditedSuspendsEditingUntilTheNextOne) {
  grid->OnCanEditCell = [](TObject*, int, int ACol, bool& Can) { Can = ACol != 2; };
  Goto(1, 1);
  EXPECT_TRUE(grid->GetOptions().Contains(goEditing));
  Goto(2, 1);
  EXPECT_FALSE(grid->GetOptions().Contains(goEditing));
  Type("z");
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->GetCells(2, 1), "");
  Goto(3, 1);
  EXPECT_TRUE(grid->GetOptions().Contains(goEditing));
  Type("z");
  EXPECT_EQ(EditText(), "z");
}

TEST_F(GridEditTest, EnterInTheLastCellAddsARow) {
  grid->Navigation()->AdvanceOnEnter = true;
  grid->Navigation()->AdvanceInsert = true;
  std::vector<int> added;
  grid->OnAutoAddRow = [&](TObject*, int ARow) { added.push_back(ARow); };
  Goto(4, 4);
  Type("7");
  Key(VK_RETURN);
  EXPECT_EQ(grid->GetRowCount(), 6);
  EXPECT_EQ(added, std::vector<int>{5});
  EXPECT_EQ(grid->GetRow(), 5);
  EXPECT_EQ(grid->GetCol(), 1);
  EXPECT_EQ(grid->GetCells(4, 4), "7");
  // Refused by the owner: the same row, its first column.
  grid->OnCanAddRow = [](TObject*, bool& Can) { Can = false; };
  Goto(4, 5);
  Type("8");
  Key(VK_RETURN);
  EXPECT_EQ(grid->GetRowCount(), 6);
  EXPECT_EQ(grid->GetRow(), 5);
  EXPECT_EQ(grid->GetCol(), 1);
}

TEST_F(GridEditTest, AdvanceWithoutEditableCellsStaysOnTheStartCell) {
  grid->Navigation()->AdvanceOnEnter = true;
  grid->AddCellCheckBox(2, 2, false, false);
  grid->OnCanEditCell = [](TObject*, int, int, bool& Can) { Can = false; };
  Goto(2, 2);
  Key(VK_RETURN);  // Enter on a check box advances
  EXPECT_EQ(grid->GetCol(), 2);
  EXPECT_EQ(grid->GetRow(), 2);
  for (bool forward : {true, false}) {
    grid->AdvanceCell(2, 2, forward, true, true);
    EXPECT_EQ(grid->GetCol(), 2);
    EXPECT_EQ(grid->GetRow(), 2);
  }
}

// ================================================================ navigation keys

TEST_F(GridEditTest, TabWrapsBothWays) {
  grid->SetOptions(grid->GetOptions() + goTabs);
  Goto(4, 4);
  Key(VK_TAB);
  EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(1, 1));
  Key(VK_TAB, TShiftState{TShiftStateItem::ssShift});
  EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(4, 4));
  Key(VK_TAB);
  Key(VK_TAB);
  EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(2, 1));
  grid->Navigation()->TabAdvanceDirection = adTopBottom;
  Goto(1, 4);
  Key(VK_TAB);
  EXPECT_EQ(std::make_pair(grid->GetCol(), grid->GetRow()), std::make_pair(2, 1));
}

TEST_F(GridEditTest, ArrowKeysSkipCellsTheOwnerDeclaresFixed) {
  grid->OnIsFixedCell = [](TObject*, int, int ACol, bool& Fixed) { Fixed = ACol == 2 || ACol == 4; };
  Goto(1, 1);
  Key(VK_RIGHT);
  EXPECT_EQ(grid->GetCol(), 3);
  Key(VK_RIGHT);  // only fixed cells lie ahead
  EXPECT_EQ(grid->GetCol(), 3);
  Key(VK_LEFT);
  EXPECT_EQ(grid->GetCol(), 1);
}

TEST_F(GridEditTest, DeleteOnTheOnlyDataRowClearsIt) {
  grid->Navigation()->AllowDeleteRow = true;
  struct TCase {
    bool FixedRowAlways;
    int WantRows;
  } cases[] = {{false, 2}, {true, 1}};
  for (const TCase& c : cases) {
    grid->FixedRowAlways = c.FixedRowAlways;
    grid->SetRowCount(2);
    grid->SetCells(1, 1, "data");
    Goto(1, 1);
    Key(VK_DELETE);
    EXPECT_EQ(grid->GetRowCount(), c.WantRows) << c.FixedRowAlways;
    if (c.WantRows == 2) {
      EXPECT_EQ(grid->GetCells(1, 1), "");
    }
  }
}

TEST_F(GridEditTest, UpdateLockSuppressesPaintingAndRepaintsOnce) {
  TBitmap b;
  grid->BeginUpdate();
  grid->BeginUpdate();
  const int paints = grid->PaintCount();
  grid->PaintTo(b);
  EXPECT_EQ(grid->PaintCount(), paints);
  const int invalidations = grid->InvalidateCount();
  grid->EndUpdate();
  EXPECT_EQ(grid->InvalidateCount(), invalidations);
  grid->EndUpdate();
  EXPECT_EQ(grid->InvalidateCount(), invalidations + 1);
  grid->PaintTo(b);
  EXPECT_EQ(grid->PaintCount(), paints + 1);
}

// ================================================================ sizing and view

TEST_F(GridEditTest, StretchColumnTakesTheRestOrTheDefaultWidth) {
  grid->ColumnSize()->SetStretch(true);
  const int client = grid->GetClientWidth();
  for (int c = 0; c < 4; ++c) grid->SetColWidths(c, 50);
  grid->StretchColumnToFit(-1);
  EXPECT_EQ(grid->GetColWidths(4), client - 200 - 1);
  grid->SetColWidths(0, client);  // the others are wider than the client area
  grid->StretchColumnToFit(4);
  EXPECT_EQ(grid->GetColWidths(4), grid->GetDefaultColWidth());
  EXPECT_THROW(grid->StretchColumnToFit(grid->GetColCount()), Exception);
  try {
    grid->StretchColumnToFit(5);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Stretch column index out of range");
  }
}

TEST_F(GridEditTest, AllColumnSizeScalesTheOtherColumns) {
  grid->MouseActions()->AllColumnSize = true;
  for (int c = 0; c < 5; ++c) grid->SetColWidths(c, 50);
  int ended = -1;
  grid->OnEndColumnSize = [&](TObject*, int ACol) { ended = ACol; };
  grid->ColumnResizing = true;
  grid->SizedCol = 2;
  grid->SizedColWidth = 50;
  grid->SetColWidths(2, 100);
  EXPECT_EQ(grid->GetColWidths(0), 50);  // fixed column
  for (int c : {1, 3, 4}) EXPECT_EQ(grid->GetColWidths(c), 100) << c;
  EXPECT_EQ(ended, 2);
  EXPECT_FALSE(grid->ColumnResizing);
  EXPECT_EQ(grid->SizedCol, -1);
}

TEST_F(GridEditTest, SelectionFlagsCheckTheRow) {
  grid->HideRowRange(2, 2);
  const int all = grid->GetRowCount() + grid->HiddenRowCount();
  EXPECT_NO_THROW(grid->RowSelected(all - 1));
  for (int bad : {-1, all}) {
    try {
      grid->RowSelected(bad);
      ADD_FAILURE() << bad;
    } catch (const EGridViewError& e) {
      EXPECT_EQ(e.Message(), "Invalid row accessed");
    }
  }
}

TEST_F(GridEditTest, GotoCellCentredLeavesAVisibleCellAlone) {
  grid->SetRowCount(200);
  Goto(2, 3);
  const int top = grid->GetTopRow(), left = grid->GetLeftCol();
  grid->GotoCellCentred(3, 4);
  EXPECT_EQ(std::make_tuple(grid->GetCol(), grid->GetRow(), grid->GetTopRow(), grid->GetLeftCol()),
            std::make_tuple(2, 3, top, left));
  grid->GotoCellCentred(2, 150);
  EXPECT_EQ(grid->GetRow(), 150);
  EXPECT_EQ(grid->GetTopRow(), 150 - grid->VisibleRowCount() / 2);
}

TEST_F(GridEditTest, SizingBorderPrefersColumnsInHeaderCells) {
  grid->SetOptions(grid->GetOptions() + goColSizing + goRowSizing);
  const TRect header = grid->TBaseGrid::CellRect(0, 0);
  const TRect cell = grid->TBaseGrid::CellRect(2, 2);
  EXPECT_TRUE(grid->OnSizingBorder(header.Right - 1, header.Top + header.Height() / 2));
  EXPECT_TRUE(grid->OnSizingBorder(header.Left + header.Width() / 2, header.Bottom - 1));
  EXPECT_FALSE(grid->OnSizingBorder(header.Left + header.Width() / 2, header.Top + header.Height() / 2));
  EXPECT_FALSE(grid->OnSizingBorder(cell.Right - 1, cell.Top + 5));
}

}  // namespace GridEditTests
