// Cells edited through an input mask: a filled mask advances to the next
// cell, and a masked editor getting the focus selects its first character.

#include "grid/GridView.h"
#include "platform/ui/tests/UiFixture.h"

namespace GridEditMaskTests {

class GridEditMaskTest : public UiTest {
 protected:
  GridEditMaskTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 500, 400);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 480, 380);
    grid->SetColCount(5);
    grid->SetRowCount(5);
    grid->SetOptions(grid->GetOptions() + goEditing);
    grid->OnGetEditMask = [](TObject*, int ACol, int, std::string& Mask) { Mask = ACol == 1 ? "00;1;_" : ""; };
  }
  TWinControl* Target() {
    TGridInplaceEdit* e = grid->InplaceEditor();
    return e && e->GetVisible() ? static_cast<TWinControl*>(e) : grid;
  }
  void Type(const std::string& Text) {
    for (char ch : Text) {
      TKeyChar c = static_cast<unsigned char>(ch);
      Target()->KeyPress(c);
    }
  }

  TForm* form = nullptr;
  TGridView* grid = nullptr;
};

TEST_F(GridEditMaskTest, FilledMaskAdvancesOnlyWithAdvanceAuto) {
  grid->Navigation()->AdvanceOnEnter = true;  // the filled mask passes an Enter on
  struct TCase {
    bool AdvanceAuto;
    int ColAfter;
  } cases[] = {{true, 2}, {false, 1}};
  for (const TCase& c : cases) {
    grid->HideEditor();
    grid->Navigation()->AdvanceAuto = c.AdvanceAuto;
    grid->SetCells(1, 1, "");
    grid->SetCol(1);
    grid->SetRow(1);
    Type("4");
    EXPECT_EQ(grid->GetCol(), 1) << c.AdvanceAuto;  // half a mask stays
    EXPECT_EQ(grid->InplaceEditor()->GetText(), "4 ");
    Type("2");
    EXPECT_EQ(grid->GetCol(), c.ColAfter) << c.AdvanceAuto;
    EXPECT_EQ(grid->GetCells(1, 1), "42");
  }
}

TEST_F(GridEditMaskTest, MaskedEditorSelectsItsFirstCharacterOnFocus) {
  grid->SetCells(1, 1, "57");
  grid->SetCells(2, 1, "plain");
  struct TCase {
    int Col;
    bool ImproveMaskSel;
    int SelStart, SelLength;
  } cases[] = {{1, true, 0, 1}, {1, false, 0, 2}, {2, true, 0, 5}};
  for (const TCase& c : cases) {
    grid->HideEditor();
    grid->Navigation()->ImproveMaskSel = c.ImproveMaskSel;
    grid->SetCol(c.Col);
    grid->SetRow(1);
    grid->ShowEditor();
    TGridInplaceEdit* e = grid->InplaceEditor();
    e->DoEnter();
    EXPECT_EQ(std::make_pair(e->GetSelStart(), e->GetSelLength()), std::make_pair(c.SelStart, c.SelLength))
        << c.Col << " " << c.ImproveMaskSel;
  }
}

}  // namespace GridEditMaskTests
