#include "platform/ui/CheckLst.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/TabSheetMove.h"
#include "platform/ui/TreeView.h"
#include "platform/ui/tests/UiFixture.h"

namespace TreeCheckListDragTests {

template <class T>
T* Put(TWinControl* Parent, int L, int Top, int W, int H) {
  T* c = Create<T>(Parent);
  c->SetParent(Parent);
  c->SetBounds(L, Top, W, H);
  return c;
}

class TreeCheckListDragTest : public UiTest {
 protected:
  TreeCheckListDragTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 400, 300);
  }
  TForm* form;
};

TEST_F(TreeCheckListDragTest, TreeNodesKeepOrderDataAndShowOnlyExpandedChildren) {
  auto* tree = Put<TTreeView>(form, 0, 0, 150, 250);
  int tag1 = 1, tag2 = 2;
  TTreeNode* a = tree->Items()->AddObject(nullptr, "A", &tag1);
  TTreeNode* a1 = tree->Items()->AddChild(a, "A1");
  TTreeNode* a2 = tree->Items()->AddChildObject(a, "A2", &tag2);
  TTreeNode* b = tree->Items()->Add(a, "B");
  EXPECT_EQ(tree->Items()->Count(), 4);
  const std::vector<TTreeNode*> all{a, a1, a2, b};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tree->Items()->Item(i), all[static_cast<size_t>(i)]) << i;
  EXPECT_EQ(a2->GetIndex(), 1);
  EXPECT_EQ(a2->Level(), 1);
  EXPECT_EQ(tree->Items()->FindData(&tag2), a2);
  EXPECT_THROW(tree->Items()->Item(4), EListError);
  EXPECT_EQ(tree->ShownNodes(), (std::vector<TTreeNode*>{a, b}));
  a->Expand(false);
  EXPECT_EQ(tree->ShownNodes(), all);
  // The row under a point follows the shown nodes.
  EXPECT_EQ(tree->GetNodeAt(50, tree->RowHeight() * 2 + 1), a2);
  EXPECT_EQ(tree->GetNodeAt(50, tree->RowHeight() * 4 + 1), nullptr);
}

TEST_F(TreeCheckListDragTest, SelectionChangesByClickKeysAndCodeAndCanBeRefused) {
  auto* tree = Put<TTreeView>(form, 0, 0, 150, 250);
  TTreeNode* a = tree->Items()->Add(nullptr, "A");
  TTreeNode* a1 = tree->Items()->AddChild(a, "A1");
  TTreeNode* b = tree->Items()->Add(nullptr, "B");
  std::vector<TTreeNode*> changes;
  tree->OnChange = [&](TObject*, TTreeNode* N) { changes.push_back(N); };
  const int h = tree->RowHeight();
  tree->MouseDown(TMouseButton::mbLeft, {}, 60, h + 1);  // B (A is collapsed)
  uint16_t key = VK_UP;
  tree->KeyDown(key, {});
  key = VK_RIGHT;
  tree->KeyDown(key, {});
  key = VK_DOWN;
  tree->KeyDown(key, {});
  EXPECT_EQ(changes, (std::vector<TTreeNode*>{b, a, a1}));
  // Collapsing a parent of the selection selects the parent.
  a->Collapse(false);
  EXPECT_EQ(tree->GetSelected(), a);
  // Selecting a hidden node shows it.
  b->SetSelected(true);
  a1->SetSelected(true);
  EXPECT_TRUE(a->GetExpanded());
  tree->OnChanging = [&](TObject*, TTreeNode* N, bool& Allow) { Allow = N != b; };
  tree->SetSelected(b);
  EXPECT_EQ(tree->GetSelected(), a1);
  // A deleted selection leaves none.
  tree->Items()->Delete(a);
  EXPECT_EQ(tree->GetSelected(), nullptr);
  EXPECT_EQ(tree->Items()->Count(), 1);
}

TEST_F(TreeCheckListDragTest, InPlaceEditAsksFirstAndKeepsOrDropsTheText) {
  auto* tree = Put<TTreeView>(form, 0, 0, 150, 250);
  TTreeNode* a = tree->Items()->Add(nullptr, "A");
  TTreeNode* b = tree->Items()->Add(nullptr, "B");
  tree->OnEditing = [&](TObject*, TTreeNode* N, bool& Allow) { Allow = N == b; };
  tree->OnEdited = [&](TObject*, TTreeNode*, std::string& S) { S += "!"; };
  EXPECT_FALSE(a->EditText());
  EXPECT_FALSE(tree->IsEditing());
  struct Case {
    uint16_t Key;
    std::string Expected;
  };
  for (const Case& c : {Case{VK_ESCAPE, "B"}, Case{VK_RETURN, "Renamed!"}}) {
    tree->SetSelected(b);
    uint16_t f2 = VK_F2;
    tree->KeyDown(f2, {});
    ASSERT_TRUE(tree->IsEditing());
    tree->EditBox()->SetText("Renamed");
    uint16_t key = c.Key;
    ASSERT_TRUE(tree->EditBox()->OnKeyDown);
    tree->EditBox()->OnKeyDown(tree->EditBox(), key, {});
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(b->GetText(), c.Expected);
  }
  tree->ReadOnly = true;
  EXPECT_FALSE(b->EditText());
}

TEST_F(TreeCheckListDragTest, CheckListClickStepsThroughStatesWithGrayOnlyWhenAllowed) {
  auto* list = Put<TCheckListBox>(form, 0, 0, 150, 100);
  list->Items()->Add("one");
  list->Items()->Add("two");
  int clicks = 0;
  list->OnClickCheck = [&](TObject*) { ++clicks; };
  using S = TCheckBoxState;
  struct Case {
    bool Grayed;
    std::vector<S> Steps;
  };
  for (const Case& c : {Case{false, {S::cbChecked, S::cbUnchecked, S::cbChecked}},
                        Case{true, {S::cbGrayed, S::cbChecked, S::cbUnchecked}}}) {
    list->AllowGrayed = c.Grayed;
    list->SetState(1, S::cbUnchecked);
    for (S expected : c.Steps) {
      list->MouseDown(TMouseButton::mbLeft, {}, 3, list->ItemHeight + 2);
      list->MouseUp(TMouseButton::mbLeft, {}, 3, list->ItemHeight + 2);
      EXPECT_EQ(list->GetState(1), expected);
    }
  }
  EXPECT_EQ(clicks, 6);
  EXPECT_EQ(list->GetState(0), S::cbUnchecked);
  // A click on the text selects without changing the check.
  list->MouseDown(TMouseButton::mbLeft, {}, 60, 2);
  EXPECT_EQ(list->GetState(0), S::cbUnchecked);
  EXPECT_THROW(list->GetState(2), EListError);
  list->SetChecked(0, true);
  TBitmap rows;
  list->PaintRows(rows);
  // The ticked box carries dark tick pixels inside its frame; the unticked one none.
  auto darkInBox = [&](int row) {
    int n = 0;
    for (int y = row * list->ItemHeight + 3; y < (row + 1) * list->ItemHeight - 3; ++y)
      for (int x = 5; x < 12; ++x) n += rows.GetCanvas()->GetPixel(x, y) == TColor(0) ? 1 : 0;
    return n;
  };
  EXPECT_GT(darkInBox(0), 5);
  EXPECT_EQ(darkInBox(1), 0);
}

TEST_F(TreeCheckListDragTest, ListRowDraggedOutDropsOnlyOnAnAcceptingTarget) {
  auto* source = Put<TOwnerDrawListBox>(form, 0, 0, 100, 100);
  source->Items()->Add("a");
  source->Items()->Add("b");
  auto* target = Put<TCheckListBox>(form, 200, 0, 100, 100);
  target->Items()->Add("g");
  form->Show();
  std::vector<std::string> drops;
  bool accept = true;
  target->OnDragOver = [&](TObject*, TObject* Src, int, int, TDragState, bool& Accept) {
    Accept = accept && Src == source;
  };
  target->OnDragDrop = [&](TObject*, TObject*, int X, int Y) {
    drops.push_back(source->Items()->Get(source->DraggedOutItem() >= 0 ? source->DraggedOutItem() : 1) + "@" +
                    std::to_string(X) + "," + std::to_string(Y));
  };
  auto drag = [&](int toX, int toY) {
    source->MouseDown(TMouseButton::mbLeft, {}, 5, source->ItemHeight + 2);
    source->MouseMove({}, toX, toY);
    source->MouseUp(TMouseButton::mbLeft, {}, toX, toY);
  };
  struct Case {
    bool Accept, DragOff;
    int ToX;
    size_t Drops;
  };
  // Dropped on the target; refused; inside the source; off the list switched off.
  for (const Case& c : {Case{true, false, 210, 1}, Case{false, false, 210, 1}, Case{true, false, 50, 1},
                        Case{true, true, 210, 1}}) {
    accept = c.Accept;
    source->DragItemsOut = !c.DragOff;
    drag(c.ToX, 20);
    EXPECT_EQ(drops.size(), c.Drops) << c.ToX;
  }
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0], "b@10,20");
  EXPECT_EQ(ControlDrag::FindDragTarget(source, source->ClientToScreen(TPoint(250, 50))), target);
  EXPECT_EQ(ControlDrag::FindDragTarget(source, source->ClientToScreen(TPoint(150, 50))), nullptr);
}

TEST_F(TreeCheckListDragTest, TabSheetMovesToAPanelAndBackToItsPlace) {
  auto* pages = Put<TPageControl>(form, 0, 0, 300, 200);
  auto* panel = Put<TPanel>(form, 0, 0, 200, 150);
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"one", "two", "three"}) {
    auto* t = Create<TTabSheet>(form);
    t->SetCaption(caption);
    t->SetPageControl(pages);
    sheets.push_back(t);
  }
  auto* label = Put<TLabel>(sheets[1], 5, 5, 50, 13);
  TabSheetMove::MoveTo(sheets[1], panel);
  EXPECT_TRUE(TabSheetMove::IsMoved(sheets[1]));
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(sheets[1]->GetParent(), panel);
  EXPECT_EQ(label->GetParent(), sheets[1]);
  EXPECT_TRUE(sheets[1]->GetVisible());
  EXPECT_GT(sheets[1]->GetWidth(), panel->GetWidth() - 8);  // aligned inside the panel's bevel
  EXPECT_EQ(TabSheetMove::HomeOf(sheets[1]), pages);
  // Moving on keeps the first home.
  TabSheetMove::MoveTo(sheets[1], form);
  TabSheetMove::MoveBack(sheets[1]);
  EXPECT_FALSE(TabSheetMove::IsMoved(sheets[1]));
  ASSERT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->Pages(1), sheets[1]);
  EXPECT_EQ(sheets[1]->GetParent(), pages);
  TabSheetMove::MoveBack(sheets[0]);  // never moved: nothing
  EXPECT_EQ(pages->Pages(0), sheets[0]);
}

}  // namespace TreeCheckListDragTests
