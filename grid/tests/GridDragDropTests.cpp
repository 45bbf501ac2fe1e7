#include "grid/GridDragDrop.h"
#include "grid/GridView.h"
#include "platform/ui/DragDrop.h"
#include "platform/ui/tests/UiFixture.h"

#include <filesystem>
#include <fstream>

namespace GridDragDropTests {

using namespace DragDrop;

class GridDragDropTest : public UiTest {
 protected:
  GridDragDropTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 900, 400);
    form->Show();
    left = MakeGrid(0);
    right = MakeGrid(450);
  }
  ~GridDragDropTest() override {
    InstallRunner(nullptr);
    gvdd::RichTextAware = false;
  }
  TGridView* MakeGrid(int X) {
    auto* g = Create<TGridView>(form);
    g->SetParent(form);
    g->SetBounds(X, 0, 420, 380);
    g->SetColCount(5);
    g->SetRowCount(8);
    g->SetOptions(g->GetOptions() + goEditing);
    g->DragDropSettings()->SetOleDropTarget(true);
    return g;
  }
  static TPoint Centre(TGridView& G, int C, int R) {
    const TRect r = G.CellRect(C, R);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  static int DropOn(TGridView& G, int C, int R, const TDragData& D, TShiftState Shift = {}) {
    return DeliverDrag(G, D, Centre(G, C, R), deCopy | deMove, Shift);
  }
  static TDragData Text(const std::string& T) {
    TDragData d;
    d.Text = T;
    return d;
  }
  // Drags go to G's cell (C, R) as dropped there.
  void RunnerDropsOn(TGridView& G, int C, int R, TShiftState Shift = {}) {
    InstallRunner([&G, C, R, Shift](const TDragData& D, int Allowed, const TDragCallbacks& Cb) {
      const int effect = DeliverDrag(G, D, Centre(G, C, R), Allowed, Shift);
      if (Cb.Feedback) Cb.Feedback(effect);
      return TDragResult{effect, effect == deNone};
    });
  }
  void Fill(TGridView& G) {
    for (int r = 1; r < 8; ++r)
      for (int c = 1; c < 5; ++c) G.SetCells(c, r, std::to_string(r) + char('a' + c));
  }
  TForm* form = nullptr;
  TGridView* left = nullptr;
  TGridView* right = nullptr;
};

TEST_F(GridDragDropTest, TargetDecidesTheEffectFromFormatsAndKeys) {
  TGVDropTarget t;
  struct Case {
    const char* what;
    TDragData data;
    bool aware, ctrl;
    int effect;
  } cases[] = {
      {"text moves", Text("x"), false, false, deMove},
      {"text with Ctrl copies", Text("x"), false, true, deCopy},
      {"rich text only, not aware", [] { TDragData d; d.RichText = "{\\rtf1 x}"; return d; }(), false, false,
       deNone},
      {"rich text only, aware", [] { TDragData d; d.RichText = "{\\rtf1 x}"; return d; }(), true, false, deMove},
      {"a column is not accepted by default", [] { TDragData d; d.Column = 2; return d; }(), false, false,
       deNone},
      {"files", [] { TDragData d; d.Files = {"/tmp/a.csv"}; return d; }(), false, true, deCopy},
  };
  for (const Case& k : cases) {
    gvdd::RichTextAware = k.aware;
    TShiftState shift;
    if (k.ctrl) shift.Include(TShiftStateItem::ssCtrl);
    EXPECT_EQ(t.DragEnter(k.data, shift, TPoint{0, 0}), k.effect) << k.what;
    EXPECT_EQ(t.DragOver(shift, TPoint{0, 0}), k.effect) << k.what;
  }
}

TEST_F(GridDragDropTest, TextWithFilesReachesBothHooks) {
  struct Probe : TGVDropTarget {
    std::string text;
    std::vector<std::string> files;
    void HandleDropText(TPoint, const std::string& T) override { text = T; }
    void HandleDropFiles(TPoint, const std::vector<std::string>& F) override { files = F; }
  } probe;
  TDragData d = Text("t");
  d.Files = {"/x/one.txt"};
  ASSERT_EQ(probe.DragEnter(d, {}, TPoint{0, 0}), deMove);
  EXPECT_EQ(probe.Drop(d, {}, TPoint{0, 0}), deMove);
  EXPECT_EQ(probe.text, "t");
  EXPECT_EQ(probe.files, d.Files);
}

TEST_F(GridDragDropTest, DroppedTextFillsCellsInInsertedRowsAndSelectsExactlyThem) {
  right->DragDropSettings()->OleInsertRows = true;
  right->SetCells(1, 2, "pushed");
  std::vector<TRect> dropped;
  right->OnOleDropped = [&](TObject*, const TRect& R) { dropped.push_back(R); };
  EXPECT_EQ(DropOn(*right, 1, 2, Text("a\tb\r\nc\td\r\n")), deMove);
  EXPECT_EQ(right->GetRowCount(), 10);
  EXPECT_EQ(right->GetCells(1, 2), "a");
  EXPECT_EQ(right->GetCells(2, 3), "d");
  EXPECT_EQ(right->GetCells(1, 4), "pushed");
  const TGridRect s = right->GetSelection();
  EXPECT_EQ(s.Top, 2);
  EXPECT_EQ(s.Bottom, 3);  // the last pasted row, not one more
  EXPECT_EQ(s.Left, 1);
  EXPECT_EQ(s.Right, 2);
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(dropped[0].Bottom, 3);
}

TEST_F(GridDragDropTest, TextIsRefusedOverTheHeaderAndWithCtrlCopies) {
  EXPECT_EQ(DropOn(*right, 2, 0, Text("x")), deNone);
  EXPECT_EQ(right->GetCells(2, 0), "");
  TShiftState ctrl;
  ctrl.Include(TShiftStateItem::ssCtrl);
  EXPECT_EQ(DropOn(*right, 2, 3, Text("x"), ctrl), deCopy);
  EXPECT_EQ(right->GetCells(2, 3), "x");
  bool asked = false;
  right->OnOleDragOver = [&](TObject*, int, int, bool& Allow) {
    asked = true;
    Allow = false;
  };
  EXPECT_EQ(DropOn(*right, 2, 4, Text("y")), deNone);
  EXPECT_TRUE(asked);
  EXPECT_EQ(right->GetCells(2, 4), "");
}

TEST_F(GridDragDropTest, RichTextGoesIntoOneCell) {
  right->DragDropSettings()->SetOleDropRTF(true);
  TDragData d = Text("plain\tmore");
  d.RichText = "{\\rtf1 {\\b bold}}";
  EXPECT_EQ(DropOn(*right, 3, 3, d), deMove);
  EXPECT_EQ(right->GetCells(3, 3), d.RichText);
  EXPECT_EQ(right->GetCells(4, 3), "");
}

TEST_F(GridDragDropTest, ColumnsAreReportedOverTheHeaderOnly) {
  right->DragDropSettings()->OleColumnDragDrop = true;
  std::vector<std::array<int, 3>> reports;
  right->OnOleDropCol = [&](TObject*, int R, int C, int D) { reports.push_back({R, C, D}); };
  TDragData d;
  d.Column = 3;
  EXPECT_EQ(DropOn(*right, 2, 4, d), deNone);
  EXPECT_EQ(DropOn(*right, 2, 0, d), deMove);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], (std::array<int, 3>{0, 2, 3}));
}

TEST_F(GridDragDropTest, OneCsvFileLoadsTwoFilesDoNothing) {
  const auto dir = std::filesystem::temp_directory_path() / ("kv_dd_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string csv = (dir / "Data.CsV").string(), other = (dir / "notes.txt").string();
  std::ofstream(csv) << "h1;h2\nx;y\n";
  std::ofstream(other) << "nothing";
  TDragData two;
  two.Files = {csv, other};
  DropOn(*right, 1, 1, two);
  EXPECT_EQ(right->GetCells(1, 1), "");
  TDragData txt;
  txt.Files = {other};
  DropOn(*right, 1, 1, txt);
  EXPECT_EQ(right->GetCells(1, 1), "");
  TDragData one;
  one.Files = {csv};
  std::string asked;
  right->OnOleDropFile = [&](TObject*, int, int, const std::string& F, bool&) { asked = F; };
  DropOn(*right, 1, 1, one);
  EXPECT_EQ(asked, csv);
  EXPECT_EQ(right->GetCells(1, 1), "h1");
  EXPECT_EQ(right->GetCells(2, 2), "y");
  std::filesystem::remove_all(dir);
}

TEST_F(GridDragDropTest, MoveToAnotherGridClearsOrRemovesTheSourceRows) {
  struct Case {
    bool removeRows;
    int rowsAfter;
  } cases[] = {{false, 8}, {true, 6}};
  for (const Case& k : cases) {
    left->SetRowCount(8);
    Fill(*left);
    right->ClearAll();
    left->DragDropSettings()->OleDropSource = true;
    left->DragDropSettings()->OleRemoveRows = k.removeRows;
    left->SetOptions(left->GetOptions() - goEditing + goRowSelect);
    left->SetSelection(TGridRect{1, 2, 4, 3});
    int stopped = -1;
    left->OnOleDragStop = [&](TObject*, int E) { stopped = E; };
    RunnerDropsOn(*right, 1, 1);
    const TPoint p = Centre(*left, 2, 2);
    left->StartOleDrag(p.X, p.Y);
    EXPECT_EQ(stopped, deMove);
    EXPECT_EQ(right->GetCells(1, 1), "2b");
    EXPECT_EQ(right->GetCells(4, 2), "3e");
    EXPECT_EQ(left->GetRowCount(), k.rowsAfter);
    if (k.removeRows) {
      EXPECT_EQ(left->GetCells(1, 2), "4b");
    } else {
      EXPECT_EQ(left->GetCells(1, 2), "");
      EXPECT_EQ(left->GetCells(4, 3), "");
      EXPECT_EQ(left->GetCells(1, 4), "4b");
    }
  }
}

TEST_F(GridDragDropTest, CopyKeepsTheSourceAndANoEffectFeedbackCancels) {
  Fill(*left);
  left->DragDropSettings()->OleDropSource = true;
  left->SetOptions(left->GetOptions() - goEditing);
  left->SetSelection(TGridRect{1, 1, 1, 1});
  int stops = 0;
  left->OnOleDragStop = [&](TObject*, int) { ++stops; };
  TShiftState ctrl;
  ctrl.Include(TShiftStateItem::ssCtrl);
  RunnerDropsOn(*right, 1, 1, ctrl);
  const TPoint p = Centre(*left, 1, 1);
  left->StartOleDrag(p.X, p.Y);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(left->GetCells(1, 1), "1b");
  EXPECT_EQ(right->GetCells(1, 1), "1b");
  // The window system reports a drop, but the last feedback showed no effect.
  InstallRunner([](const TDragData&, int, const TDragCallbacks& Cb) {
    Cb.Feedback(deMove);
    Cb.Feedback(deNone);
    return TDragResult{deMove, false};
  });
  left->StartOleDrag(p.X, p.Y);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(left->GetCells(1, 1), "1b");
}

TEST_F(GridDragDropTest, MoveInsideOneGridKeepsTheCellsTheDropCovers) {
  Fill(*left);
  left->DragDropSettings()->OleDropSource = true;
  left->SetSelection(TGridRect{1, 1, 2, 2});
  RunnerDropsOn(*left, 2, 2);
  const TPoint p = Centre(*left, 1, 1);
  left->StartOleDrag(p.X, p.Y);
  EXPECT_EQ(left->GetCells(2, 2), "1b");
  EXPECT_EQ(left->GetCells(3, 2), "1c");
  EXPECT_EQ(left->GetCells(2, 3), "2b");
  EXPECT_EQ(left->GetCells(3, 3), "2c");
  EXPECT_EQ(left->GetCells(1, 1), "");
  EXPECT_EQ(left->GetCells(2, 1), "");
  EXPECT_EQ(left->GetCells(1, 2), "");
}

TEST_F(GridDragDropTest, DroppingAboveOwnRowsWithInsertAndRemoveTakesOutExactlyTheDraggedRows) {
  Fill(*left);
  left->DragDropSettings()->OleDropSource = true;
  left->DragDropSettings()->OleInsertRows = true;
  left->DragDropSettings()->OleRemoveRows = true;
  left->SetOptions(left->GetOptions() + goRowSelect);
  left->SetSelection(TGridRect{1, 5, 4, 6});
  RunnerDropsOn(*left, 1, 2);
  const TPoint p = Centre(*left, 1, 5);
  left->StartOleDrag(p.X, p.Y);
  EXPECT_EQ(left->GetRowCount(), 8);
  const char* expected[] = {"", "1b", "5b", "6b", "2b", "3b", "4b", "7b"};
  for (int r = 1; r < 8; ++r) EXPECT_EQ(left->GetCells(1, r), expected[r]) << r;
}

TEST_F(GridDragDropTest, DragTextJoinsTheSelectedRows) {
  Fill(*left);
  left->SetSelection(TGridRect{1, 2, 2, 3});
  EXPECT_EQ(left->SelectionDragText(), "2b\t2c\r\n3b\t3c");
  left->SetOptions(left->GetOptions() + goRowSelect);
  left->DragDropSettings()->OleEntireRows = true;
  left->SetSelection(TGridRect{1, 2, 4, 2});
  EXPECT_EQ(left->SelectionDragText(), "\t2b\t2c\t2d\t2e");
}

TEST_F(GridDragDropTest, RevokedTargetTakesNothing) {
  right->DragDropSettings()->SetOleDropTarget(false);
  EXPECT_FALSE(right->DropTargetRegistered());
  EXPECT_EQ(DropOn(*right, 1, 1, Text("x")), deNone);
  EXPECT_EQ(right->GetCells(1, 1), "");
}

}  // namespace GridDragDropTests
