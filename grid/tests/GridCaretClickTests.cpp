#include "grid/GridView.h"
#include "platform/ui/tests/UiFixture.h"

namespace GridCaretClickTests {

class GridCaretClickTest : public UiTest {
 protected:
  GridCaretClickTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 500, 300);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 480, 280);
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetColWidths(1, 200);
    grid->SetOptions(grid->GetOptions() + goEditing);
    grid->SetCells(1, 1, "abcdefgh");
    grid->SetCol(1);
    grid->SetRow(1);
  }
  // A press at the end of the first Chars characters of cell (1, 1).
  void PressAfter(int Chars) {
    const TRect cell = grid->CellRect(1, 1);
    TCanvas& c = *grid->GetCanvas();
    c.Font->Assign(*grid->GetFont());
    const int x = cell.Left + 2 + c.TextWidth(std::string("abcdefgh").substr(0, size_t(Chars))) + 1;
    grid->MouseDown(TMouseButton::mbLeft, {}, x, (cell.Top + cell.Bottom) / 2);
    grid->MouseUp(TMouseButton::mbLeft, {}, x, (cell.Top + cell.Bottom) / 2);
  }
  TForm* form = nullptr;
  TGridView* grid = nullptr;
};

TEST_F(GridCaretClickTest, APressWithCaretPositioningPlacesTheEditorCaretUnderThePointer) {
  grid->MouseActions()->CaretPositioning = true;
  grid->ShowEditor();  // the editor exists, as after an earlier edit
  grid->HideEditor();
  for (int chars : {3, 6}) {
    PressAfter(chars);
    EXPECT_TRUE(grid->PendingCaret);
    grid->ShowEditor();
    TGridInplaceEdit* e = grid->InplaceEditor();
    ASSERT_NE(e, nullptr);
    e->DoEnter();
    EXPECT_EQ(e->GetSelStart(), chars);
    EXPECT_FALSE(grid->PendingCaret);
    grid->HideEditor();
  }
}

TEST_F(GridCaretClickTest, WithoutCaretPositioningOrAfterAKeyTheCaretGoesToTheEnd) {
  PressAfter(2);
  EXPECT_FALSE(grid->PendingCaret);
  grid->MouseActions()->CaretPositioning = true;
  PressAfter(2);
  EXPECT_TRUE(grid->PendingCaret);
  uint16_t key = VK_F2;
  grid->KeyDown(key, {});
  EXPECT_FALSE(grid->PendingCaret);
}

}  // namespace GridCaretClickTests
