// The series list box: filling, selection, check styles, deleting, renaming,
// dragging and the chart's events; and the owner-drawn style lists.
#include "chart/series/PlotLisB.h"

#include <functional>

#include "chart/engine/GalleryHooks.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace PlotLisBTests {

namespace {

class SeriesListBox : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    List = Create<TChartListBox>(Owner);
    List->SetBounds(0, 0, 300, 200);
  }
  void TearDown() override { Owner->Free(); }
  TLineSeries* Add(const std::string& Name, const std::string& Title = {}) {
    auto* S = Create<TLineSeries>(Owner);
    S->SetName(Name);
    S->SetTitle(Title);
    Chart->AddSeries(S);
    return S;
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> R;
    for (int i = 0; i < List->Items()->Count(); ++i) R.push_back(List->Items()->Strings(i));
    return R;
  }
  // A point inside a section of row Row.
  TPoint At(TChartListBox::TSection S, int Row) const {
    return TPoint(List->SectionLeft(S) + 3, Row * List->ItemHeight + 5);
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TChartListBox* List = nullptr;
};

TEST_F(SeriesListBox, ListsSeriesShownInEditorsByTitleOrNameSortedOnRequest) {
  Add("Zeta");
  Add("Alpha", "Curve");
  Add("Hidden")->ShowInEditor = false;
  struct TCase {
    bool Sorted, Names;
    std::vector<std::string> Rows;
  };
  for (const TCase& C : {TCase{false, false, {"Zeta", "Curve"}}, TCase{true, false, {"Curve", "Zeta"}},
                         TCase{false, true, {"Zeta", "Alpha"}}, TCase{true, true, {"Alpha", "Zeta"}}}) {
    List->Sorted = C.Sorted;
    List->SetChart(nullptr);
    List->SetNamesMode(C.Names);
    List->SetChart(Chart);
    EXPECT_EQ(Rows(), C.Rows) << C.Sorted << C.Names;
    EXPECT_EQ(List->GetItemIndex(), 0);
  }
}

TEST_F(SeriesListBox, EmptyListHasNoSelectionAndFollowsRemovedSeries) {
  List->SetChart(Chart);
  EXPECT_EQ(List->GetItemIndex(), -1);
  EXPECT_EQ(List->SelectedSeries(), nullptr);
  TLineSeries* A = Add("A");
  TLineSeries* B = Add("B");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A", "B"}));
  TChartSeries* Removed = nullptr;
  List->OnRemovedSeries = [&](TChartListBox*, TCustomChartSeries* S) { Removed = dynamic_cast<TChartSeries*>(S); };
  List->SelectSeries(B);
  B->Free();
  EXPECT_EQ(Removed, B);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A"}));
  A->Free();
  EXPECT_EQ(List->GetItemIndex(), -1);
  EXPECT_EQ(List->SelectedSeries(), nullptr);
}

TEST_F(SeriesListBox, CheckSectionTogglesOrMakesTheOnlyActiveSeries) {
  TLineSeries* S[3] = {Add("A"), Add("B"), Add("C")};
  List->SetChart(Chart);
  int Changes = 0;
  List->OnChangeActive = [&](TChartListBox*, TCustomChartSeries*) { ++Changes; };
  const TPoint P = At(TChartListBox::secCheck, 1);
  List->MouseDown(TMouseButton::mbLeft, {}, P.X, P.Y);
  EXPECT_FALSE(S[1]->GetActive());
  EXPECT_TRUE(S[0]->GetActive());
  List->MouseDown(TMouseButton::mbLeft, {}, P.X, P.Y);
  EXPECT_TRUE(S[1]->GetActive());
  List->SetCheckStyle(cbsRadio);
  EXPECT_EQ(std::vector<bool>({S[0]->GetActive(), S[1]->GetActive(), S[2]->GetActive()}),
            std::vector<bool>({true, false, false}))
      << "radio style keeps only the first active series";
  const TPoint Q = At(TChartListBox::secCheck, 2);
  List->MouseDown(TMouseButton::mbLeft, {}, Q.X, Q.Y);
  EXPECT_EQ(std::vector<bool>({S[0]->GetActive(), S[1]->GetActive(), S[2]->GetActive()}),
            std::vector<bool>({false, false, true}));
  EXPECT_EQ(Changes, 3);
}

TEST_F(SeriesListBox, SectionsLieSideBySideAndHiddenOnesTakeNoRoom) {
  EXPECT_EQ(List->SectionLeft(TChartListBox::secCheck), 26);
  EXPECT_EQ(List->SectionLeft(TChartListBox::secTitle), 68);
  EXPECT_EQ(List->SectionAt(26), -1) << "an edge is in no section";
  EXPECT_EQ(List->SectionAt(27), TChartListBox::secCheck);
  List->SetShowSeriesIcon(false);
  EXPECT_EQ(List->SectionLeft(TChartListBox::secTitle), 42);
  EXPECT_EQ(List->SectionAt(5), TChartListBox::secCheck);
  EXPECT_EQ(List->CursorAt(5), crDefault);
  EXPECT_EQ(List->CursorAt(List->SectionLeft(TChartListBox::secColor) + 3), crHandPoint);
}

TEST_F(SeriesListBox, DeletingTwoSelectedSeriesAsksOnce) {
  Add("A");
  Add("B");
  Add("C");
  List->SetChart(Chart);
  List->SetSelected(0, true);
  List->SetSelected(2, true);
  Seam.AnswerMessage(mrYes);
  EXPECT_TRUE(List->DeleteSelectedSeries());
  ASSERT_EQ(Seam.Prompts().size(), 1u);
  EXPECT_EQ(Seam.Prompts()[0].Text, "Delete (Selected Series) ?");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"B"}));
  EXPECT_EQ(Chart->SeriesCount(), 1);
  EXPECT_EQ(List->GetItemIndex(), 0);
  Seam.AnswerMessage(mrNo);
  EXPECT_FALSE(List->DeleteSelectedSeries());
  EXPECT_EQ(Seam.Prompts()[1].Text, "Delete B ?");
  EXPECT_EQ(Chart->SeriesCount(), 1);
}

TEST_F(SeriesListBox, DeletingSeriesOfNoChartLeavesNoRowBehind) {
  auto* Loose = Create<TLineSeries>(Owner);
  Loose->SetName("Loose");
  List->Items()->AddObject("Loose", Loose);
  List->SetItemIndex(0);
  List->AskDelete = false;
  EXPECT_TRUE(List->DeleteSelectedSeries());
  EXPECT_EQ(List->Items()->Count(), 0);
  EXPECT_EQ(List->SelectedSeries(), nullptr);
}

TEST_F(SeriesListBox, RenamingSetsOrClearsTheTitle) {
  TLineSeries* S = Add("Series1", "Old");
  List->SetChart(Chart);
  struct TCase {
    std::string Answer, Title, Row;
  };
  for (const TCase& C : {TCase{"New", "New", "New"}, TCase{"Series1", "", "Series1"}}) {
    Seam.AnswerInput(C.Answer);
    List->RenameSelected();
    EXPECT_EQ(S->GetTitle(), C.Title);
    EXPECT_EQ(List->Items()->Strings(0), C.Row);
    EXPECT_EQ(List->GetItemIndex(), 0);
  }
  EXPECT_EQ(Seam.Prompts()[0].Caption, "Change Series Title");
  EXPECT_EQ(Seam.Prompts()[0].Text, "New Series Title:");
}

TEST_F(SeriesListBox, DraggingATitleOntoAnotherRowExchangesTheSeries) {
  TLineSeries* A = Add("A");
  Add("B");
  TLineSeries* C = Add("C");
  List->SetChart(Chart);
  std::pair<TChartSeries*, TChartSeries*> Order{nullptr, nullptr};
  List->OnChangeOrder = [&](TChartListBox*, TChartSeries* S1, TChartSeries* S2) { Order = {S1, S2}; };
  const TPoint From = At(TChartListBox::secTitle, 0), To = At(TChartListBox::secTitle, 2);
  List->MouseDown(TMouseButton::mbLeft, {TShiftStateItem::ssLeft}, From.X, From.Y);
  List->MouseMove({TShiftStateItem::ssLeft}, From.X + 1, From.Y + 1);
  EXPECT_FALSE(List->Dragging()) << "below the drag threshold";
  List->MouseMove({TShiftStateItem::ssLeft}, To.X, To.Y);
  List->MouseUp(TMouseButton::mbLeft, {}, To.X, To.Y);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"C", "B", "A"}));
  EXPECT_EQ(Chart->GetSeries(0), C);
  EXPECT_EQ(Chart->GetSeries(2), A);
  EXPECT_EQ(Order.first, A);
  EXPECT_EQ(List->SelectedSeries(), A);
  List->EnableDragSeries = false;
  List->MouseDown(TMouseButton::mbLeft, {}, From.X, From.Y);
  List->MouseMove({TShiftStateItem::ssLeft}, To.X, To.Y);
  List->MouseUp(TMouseButton::mbLeft, {}, To.X, To.Y);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(SeriesListBox, MoveUpAndDownStopAtTheEndsAndKeepTheMirror) {
  Add("A");
  Add("B");
  TStringList Mirror;
  List->OtherItems = &Mirror;
  List->SetChart(Chart);
  List->MoveUp();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"A", "B"}));
  List->MoveDown();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(Mirror.Strings(0), "B");
  List->MoveDown();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"B", "A"}));
  List->OtherItems = nullptr;
}

TEST_F(SeriesListBox, InlineEditorStoresOnEnterAndDropsOnEscape) {
  TLineSeries* S = Add("Series1", "T");
  List->SetChart(Chart);
  List->ShowInlineEditor();
  ASSERT_NE(List->InlineEditor(), nullptr);
  EXPECT_EQ(List->InlineEditor()->GetText(), "T");
  EXPECT_EQ(List->InlineEditor()->GetLeft(), List->SectionLeft(TChartListBox::secTitle) - 2);
  List->InlineEditor()->SetText("Kept");
  List->InlineEditorKey(13);
  EXPECT_EQ(S->GetTitle(), "Kept");
  EXPECT_FALSE(List->InlineEditor()->GetVisible());
  List->ShowInlineEditor();
  List->InlineEditor()->SetText("Dropped");
  List->InlineEditorKey(27);
  EXPECT_EQ(S->GetTitle(), "Kept");
}

TEST_F(SeriesListBox, ActiveCheckOfARowShowsTheSeriesState) {
  Add("A");
  Add("B")->SetActive(false);
  List->SetChart(Chart);
  TBitmap B;
  List->PaintRows(B);
  // The check mark's middle: dark on the active row, the box's white on the other.
  const int X = List->SectionLeft(TChartListBox::secCheck) + 2 + 6;
  const int Y = (List->ItemHeight - 13) / 2 + 6;
  bool Marked[2] = {false, false};
  for (int Row = 0; Row < 2; ++Row)
    for (int dx = -2; dx <= 2; ++dx)
      for (int dy = -2; dy <= 2; ++dy)
        if ((B.GetPixelColor(X + dx, Row * List->ItemHeight + Y + dy) & 0xFFFFFF) == 0) Marked[Row] = true;
  EXPECT_TRUE(Marked[0]);
  EXPECT_FALSE(Marked[1]);
}

// ---- owner-drawn style lists ----

TEST_F(SeriesListBox, PenStyleComboShowsTheChosenStyleThroughItsPainter) {
  auto* D = Create<TPenDialog>(Owner);
  TChartPen Pen;
  Pen.SetColor(clRed);
  D->EditedPen = &Pen;
  D->CBStyle->SetItemIndex(0);
  TBitmap B(D->CBStyle->GetWidth(), D->CBStyle->GetHeight());
  D->CBStyle->PaintTo(B);
  const TRect R = D->CBStyle->EditRect();
  // The solid sample line runs at the item's middle, from 2 to 30 pixels in.
  EXPECT_EQ(B.GetPixelColor(R.Left + 12, R.Top + 8) & 0xFFFFFF, clRed);
  TBitmap Direct(D->CBStyle->GetWidth(), 16);
  D->CBStyleDrawItem(*Direct.GetCanvas(), 0, TRect(0, 0, R.Right - R.Left, 16), false);
  for (int X = 2; X < 30; ++X)
    EXPECT_EQ(B.GetPixelColor(R.Left + X, R.Top + 8), Direct.GetPixelColor(X, 8)) << X;
}

TEST_F(SeriesListBox, BrushStyleListRowsComeFromTheDialogPainter) {
  auto* D = Create<TBrushDialog>(Owner);
  TBitmap Rows;
  D->LStyle->PaintItems(Rows);
  ASSERT_GE(Rows.GetHeight(), 16);
  // Row 0 is the solid style: a black swatch at its left.
  EXPECT_EQ(Rows.GetPixelColor(8, 8) & 0xFFFFFF, clBlack);
  // Row 2 (horizontal hatch) has both black and white in its swatch.
  bool Black = false, White = false;
  for (int Y = 34; Y < 46; ++Y) {
    const TColor C = Rows.GetPixelColor(8, Y) & 0xFFFFFF;
    Black |= C == clBlack;
    White |= C == clWhite;
  }
  EXPECT_TRUE(Black && White);
}

TEST_F(SeriesListBox, ChangesMadeThroughTheListTellTheChartsAttachedEditor) {
  Add("A");
  Add("B");
  List->SetChart(Chart);
  List->MultiSelect = true;
  List->AskDelete = false;
  int Told = 0;
  TObject* Sender = nullptr;
  auto* Editor = Create<TComponent>(Owner);
  Chart->AttachEditor(Editor, [&](TObject* S) {
    ++Told;
    Sender = S;
  });
  Chart::NewSeriesFromGalleryHook = [this](TComponent*, TCustomAxisPanel*, TChartSeries*) -> TChartSeries* {
    return Add("New");
  };
  Chart::ChangeSeriesTypeHook = [](TComponent*, TChartSeries*&) -> TClass { return TPointSeries::StaticClass(); };
  struct TCase {
    const char* Name;
    std::function<void()> Run;
  };
  const TCase Cases[] = {
      {"add", [this] { List->AddSeries(); }},
      {"clone", [this] { List->DuplicateSelected(); }},
      {"change type", [this] { List->ChangeTypeOfSelected(); }},
      {"move down", [this] {
         List->ClearSelection();
         List->SetItemIndex(0);
         List->SetSelected(0, true);
         List->MoveDown();
       }},
      {"move up", [this] { List->MoveUp(); }},
      {"select all", [this] { List->SelectAll(); }},
      {"delete", [this] { List->DeleteSelectedSeries(); }},
  };
  for (const TCase& C : Cases) {
    Told = 0;
    Sender = nullptr;
    C.Run();
    EXPECT_EQ(Told, 1) << C.Name;
    EXPECT_EQ(Sender, Chart) << C.Name;
  }
  EXPECT_EQ(Chart->SeriesCount(), 0);

  // Once the editor is gone the chart calls nobody; the list works on.
  Add("C");
  Add("D");
  Editor->Free();
  EXPECT_EQ(Chart->AttachedEditor(), nullptr);
  Told = 0;
  List->SetItemIndex(0);
  List->SetSelected(0, true);
  List->MoveDown();
  List->DuplicateSelected();
  EXPECT_EQ(Told, 0);
  EXPECT_EQ(Chart->SeriesCount(), 3);
  Chart::NewSeriesFromGalleryHook = nullptr;
  Chart::ChangeSeriesTypeHook = nullptr;
}

}  // namespace

}  // namespace PlotLisBTests
