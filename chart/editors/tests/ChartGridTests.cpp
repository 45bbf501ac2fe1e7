// The chart data grid and its navigator: layouts as tables, typing values and
// labels into cells, rows added and removed, point colours, and the
// navigator's buttons, layout, keys and repeats.
#include <cmath>
#include <string>
#include <vector>

#include "chart/editors/PlotChartGrid.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotSurfa.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace ChartGridTests {

namespace {

class TTest3DSeries : public TCustom3DSeries {
public:
  using TCustom3DSeries::TCustom3DSeries;
};

class ChartGridTest : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetView3D(false);
    Grid = Create<TChartGrid>(Owner);
    Grid->SetBounds(0, 0, 400, 300);
  }
  void TearDown() override { Owner->Free(); }
  TLineSeries* Line(std::vector<double> Ys, std::vector<double> Xs = {}) {
    auto* S = Create<TLineSeries>(Owner);
    S->SetName("Series" + std::to_string(Chart->SeriesCount() + 1));
    Chart->AddSeries(S);
    for (size_t i = 0; i < Ys.size(); ++i) S->AppendPoint(Xs.empty() ? double(i) : Xs[i], Ys[i]);
    return S;
  }
  std::vector<std::string> Row(int R) const {
    std::vector<std::string> Out;
    for (int C = 0; C < Grid->GetColCount(); ++C) Out.push_back(Grid->CellText(C, R));
    return Out;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TChartGrid* Grid = nullptr;
};

using Strings = std::vector<std::string>;

TEST_F(ChartGridTest, LayoutsFollowTheShownSeriesAndOptions) {
  struct TCase {
    const char* Name;
    std::function<void()> Setup;
    int Cols, Rows, Fixed;
    int HeaderRow;
    Strings Header;
  };
  const std::vector<TCase> Cases = {
      {"one series, sequence X", [&] { Grid->SetSeries(Line({5, 6, 7})); }, 3, 5, 2, 1, {"#", "Text", "Y"}},
      {"own X values shown", [&] { Grid->SetSeries(Line({5, 6}, {10, 20})); }, 4, 4, 2, 1, {"#", "Text", "X", "Y"}},
      {"own X values hidden",
       [&] {
         Grid->SetShowXValues(cgsNo);
         Grid->SetSeries(Line({5, 6}, {10, 20}));
       },
       3, 4, 2, 1, {"#", "Text", "Y"}},
      {"X forced on a sequence",
       [&] {
         Grid->SetShowXValues(cgsYes);
         Grid->SetSeries(Line({5}));
       },
       4, 3, 2, 1, {"#", "Text", "X", "Y"}},
      {"colours without labels",
       [&] {
         Grid->SetShowLabels(false);
         Grid->SetShowColors(true);
         Grid->SetSeries(Line({1, 2}));
       },
       3, 4, 2, 1, {"#", "Colors", "Y"}},
      {"labels and colours",
       [&] {
         Grid->SetShowColors(true);
         Grid->SetSeries(Line({1, 2}));
       },
       4, 4, 2, 1, {"#", "Text", "Colors", "Y"}},
      {"chart of three",
       [&] {
         Line({1, 2, 3, 4, 5});
         Line({1, 2, 3});
         Line({1, 2, 3, 4, 5, 6, 7}, {0, 1, 2, 3, 4, 5, 9});
         Grid->SetChart(Chart);
       },
       6, 9, 2, 1, {"#", "Text", "Y", "Y", "X", "Y"}},
      {"no value-name row",
       [&] {
         Grid->SetShowValueNames(false);
         Grid->SetSeries(Line({1, 2}, {3, 4}));
       },
       4, 3, 1, 0, {"#", "", "X", "Y"}},
      {"empty chart", [&] { Grid->SetChart(Chart); }, 2, 3, 2, 1, {"#", "Text"}},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TearDown();
    SetUp();
    C.Setup();
    EXPECT_EQ(Grid->GetColCount(), C.Cols);
    EXPECT_EQ(Grid->GetRowCount(), C.Rows);
    EXPECT_EQ(Grid->GetFixedRows(), C.Fixed);
    EXPECT_EQ(Row(C.HeaderRow), C.Header);
    EXPECT_EQ(Grid->GetColWidths(0), 30);
    EXPECT_EQ(Grid->GetCol(), 1);
    EXPECT_EQ(Grid->GetRow(), Grid->FirstRow());
    if (Grid->ColorsColumn() == 1) {
      EXPECT_EQ(Grid->GetColWidths(1), 40);
    }
  }
}

TEST_F(ChartGridTest, CellsShowValuesLabelsAndIndexes) {
  TLineSeries* S = Line({1.5, 2.25});
  S->SetLabel(1, "second");
  S->SetValueFormat("0.00");
  Line({7, 8, 9});
  Grid->SetChart(Chart);
  EXPECT_EQ(Row(2), (Strings{"0", "", "1.50", "7"}));
  EXPECT_EQ(Row(3), (Strings{"1", "second", "2.25", "8"}));
  // Beyond a series' count its cells are empty.
  EXPECT_EQ(Row(4), (Strings{"2", "", "", "9"}));
}

TEST_F(ChartGridTest, TypedTextChangesExactlyTheValueTyped) {
  TLineSeries* A = Line({1, 2, 3});
  TLineSeries* B = Line({4, 5, 6});
  Grid->SetChart(Chart);
  struct TCase {
    int Col, Row;
    std::string Text;
    TLineSeries* Series;
    int Index;
    double Value;  // NaN: nothing changes
  };
  const double None = std::nan("");
  for (const TCase& C : {TCase{2, 3, "12.5", A, 1, 12.5}, TCase{3, 2, " -4 ", B, 0, -4}, TCase{2, 4, "1e3", A, 2, 1000},
                         TCase{2, 2, "abc", A, 0, None}, TCase{2, 2, "1,2,3", A, 0, None},
                         TCase{3, 3, "nan", B, 1, None}, TCase{3, 3, "inf", B, 1, None}}) {
    SCOPED_TRACE(C.Text);
    std::vector<double> Before;
    for (TLineSeries* S : {A, B})
      for (int i = 0; i < S->Count(); ++i) Before.push_back(S->YValues()->GetValue(i));
    Grid->StoreCellText(C.Col, C.Row, C.Text);
    std::vector<double> After;
    for (TLineSeries* S : {A, B})
      for (int i = 0; i < S->Count(); ++i) After.push_back(S->YValues()->GetValue(i));
    const size_t Changed = (C.Series == B ? 3 : 0) + static_cast<size_t>(C.Index);
    if (!std::isnan(C.Value)) Before[Changed] = C.Value;
    EXPECT_EQ(After, Before);
    EXPECT_EQ(A->Count(), 3);
    EXPECT_EQ(B->Count(), 3);
  }
  EXPECT_TRUE(A->ManualData);
}

TEST_F(ChartGridTest, TypingBelowTheLastPointPadsWithNullPoints) {
  TLineSeries* S = Line({1, 2});
  Grid->SetSeries(S);
  Grid->StoreCellText(2, 2 + 4, "9");
  ASSERT_EQ(S->Count(), 5);
  for (int i = 2; i < 4; ++i) EXPECT_TRUE(S->IsNull(i)) << i;
  EXPECT_FALSE(S->IsNull(4));
  EXPECT_EQ(S->YValues()->GetValue(4), 9);
  EXPECT_EQ(S->XValues()->GetValue(3), 3);
  EXPECT_EQ(Grid->GetRowCount(), 2 + 5);
  // A label typed below the last point pads as well.
  Grid->StoreCellText(1, 2 + 6, "far");
  EXPECT_EQ(S->Count(), 7);
  EXPECT_EQ(S->GetLabel(6), "far");
  // Text that is no number pads nothing.
  Grid->StoreCellText(2, 2 + 10, "x");
  EXPECT_EQ(S->Count(), 7);
}

TEST_F(ChartGridTest, ClearingACellOutsideTheEditorMakesANullPoint) {
  TLineSeries* S = Line({1, 2, 3});
  Grid->SetSeries(S);
  Grid->StoreCellText(2, 3, "");
  EXPECT_TRUE(S->IsNull(1));
  EXPECT_FALSE(S->IsNull(0));
  // Typing a value gives the point its colour back.
  Grid->StoreCellText(2, 3, "5");
  EXPECT_FALSE(S->IsNull(1));
  EXPECT_EQ(S->YValues()->GetValue(1), 5);
}

TEST_F(ChartGridTest, EditorCancelPutsBackTheOldValue) {
  TLineSeries* S = Line({1, 2, 3});
  Grid->SetSeries(S);
  Grid->SetCol(2);
  Grid->SetRow(3);
  Grid->StartEditing();
  ASSERT_TRUE(Grid->Editing());
  EXPECT_EQ(Grid->GetInplaceEditor()->GetText(), "2");
  TKeyChar K = u'7';
  Grid->GetInplaceEditor()->SelectAll();
  Grid->GetInplaceEditor()->KeyPress(K);
  EXPECT_EQ(S->YValues()->GetValue(1), 7);
  uint16_t Esc = VK_ESCAPE;
  Grid->KeyDown(Esc, {});
  EXPECT_FALSE(Grid->Editing());
  EXPECT_EQ(S->YValues()->GetValue(1), 2);
  // Delete empties the editor; Enter (like "Post") makes the point null.
  uint16_t Del = VK_DELETE;
  Grid->KeyDown(Del, {});
  EXPECT_TRUE(Grid->Editing());
  EXPECT_FALSE(S->IsNull(1));
  TKeyChar Enter = u'\r';
  Grid->GetInplaceEditor()->KeyPress(Enter);
  EXPECT_FALSE(Grid->Editing());
  EXPECT_TRUE(S->IsNull(1));
  Grid->SetRow(2);
  Grid->StartEditing();
  Del = VK_DELETE;
  Grid->GetInplaceEditor()->KeyDown(Del, {});
  Grid->EndEditing(false);
  EXPECT_TRUE(S->IsNull(0));
  EXPECT_EQ(S->YValues()->GetValue(2), 3);
}

TEST_F(ChartGridTest, DownOnTheLastRowAppendsAndUpRemovesTheEmptyRow) {
  TLineSeries* S = Line({1, 2});
  Grid->SetSeries(S);
  Grid->SetCol(2);
  Grid->SetRow(Grid->GetRowCount() - 1);
  uint16_t Down = VK_DOWN;
  Grid->KeyDown(Down, {});
  EXPECT_EQ(S->Count(), 3);
  EXPECT_TRUE(S->IsNull(2));
  EXPECT_EQ(Grid->GetRowCount(), 5);
  EXPECT_EQ(Grid->GetRow(), 4);
  uint16_t Up = VK_UP;
  Grid->KeyDown(Up, {});
  EXPECT_EQ(S->Count(), 2);
  EXPECT_EQ(Grid->GetRowCount(), 4);
  EXPECT_EQ(Grid->GetRow(), 3);
  // Up on a last row holding a value only moves.
  Up = VK_UP;
  Grid->KeyDown(Up, {});
  EXPECT_EQ(S->Count(), 2);
  EXPECT_EQ(Grid->GetRow(), 2);
}

TEST_F(ChartGridTest, InsertRowSizesByTheLongestSeriesWhateverTheirOrder) {
  Line({1, 2, 3, 4});
  Line({1});
  Grid->SetChart(Chart);
  Grid->InsertRow();
  EXPECT_EQ(Chart->GetSeries(0)->Count(), 5);
  EXPECT_EQ(Chart->GetSeries(1)->Count(), 2);
  EXPECT_TRUE(Chart->GetSeries(1)->IsNull(1));
  EXPECT_EQ(Grid->GetRowCount(), 2 + 5);
  EXPECT_EQ(Grid->GetRow(), Grid->GetRowCount() - 1);
}

TEST_F(ChartGridTest, DeleteRowRenumbersHiddenXValues) {
  TLineSeries* Seq = Line({10, 11, 12, 13});
  TLineSeries* Own = Line({20, 21, 22}, {5, 6, 7});
  Grid->SetChart(Chart);
  Grid->SetRow(3);
  Grid->DeleteRow();
  ASSERT_EQ(Seq->Count(), 3);
  EXPECT_EQ(Seq->YValues()->GetValue(1), 12);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Seq->XValues()->GetValue(i), i);
  ASSERT_EQ(Own->Count(), 2);
  EXPECT_EQ(Own->XValues()->GetValue(1), 7);
  EXPECT_EQ(Grid->GetRowCount(), 2 + 3);
}

TEST_F(ChartGridTest, PointColoursComeFromTheColourDialog) {
  TLineSeries* S = Line({1, 2});
  Grid->SetShowColors(true);
  Grid->SetSeries(S);
  int Changes = 0;
  Grid->OnChangeColor = [&](TObject*) { ++Changes; };
  Grid->SetCol(Grid->ColorsColumn());
  Grid->SetRow(3);
  Seam.AnswerColor(TColor(0x123456));
  uint16_t F2 = VK_F2;
  Grid->KeyDown(F2, {});
  EXPECT_EQ(S->ValueColor(1), TColor(0x123456));
  EXPECT_EQ(Changes, 1);
  Seam.AnswerColor(std::nullopt);
  uint16_t Space = VK_SPACE;
  Grid->KeyDown(Space, {});
  EXPECT_EQ(S->ValueColor(1), TColor(0x123456));
  EXPECT_EQ(Changes, 1);
  // The "Colors" column never gets a text editor.
  Grid->StartEditing();
  EXPECT_FALSE(Grid->Editing());
}

TEST_F(ChartGridTest, SourcedSeriesAreNotEditable) {
  TLineSeries* Source = Line({1, 2, 3});
  TLineSeries* Sourced = Line({});
  Sourced->SetDataSource(Source);
  Grid->SetSeries(Sourced);
  Grid->SetCol(2);
  Grid->StartEditing();
  EXPECT_FALSE(Grid->Editing());
  TKeyChar K = u'5';
  Grid->KeyPress(K);
  EXPECT_FALSE(Grid->Editing());
}

TEST_F(ChartGridTest, HeaderClickSelectsAValueColumnButNotTextOrColours) {
  Grid->SetShowLabels(false);
  Grid->SetSeries(Line({1, 2, 3}, {4, 5, 6}));
  // Column 1 holds the X values: a click on its header selects them.
  const TRect H = Grid->CellRect(1, 0);
  Grid->MouseDown(TMouseButton::mbLeft, {}, H.Left + 5, H.Top + 5);
  Grid->MouseUp(TMouseButton::mbLeft, {}, H.Left + 5, H.Top + 5);
  EXPECT_EQ(Grid->GetSelection(), (TGridRect{1, 2, 1, 4}));
  Grid->SetShowLabels(true);
  Grid->SetRow(3);
  const TRect T = Grid->CellRect(1, 0);
  Grid->MouseDown(TMouseButton::mbLeft, {}, T.Left + 5, T.Top + 5);
  Grid->MouseUp(TMouseButton::mbLeft, {}, T.Left + 5, T.Top + 5);
  EXPECT_EQ(Grid->GetSelection().Top, Grid->GetSelection().Bottom);
}

TEST_F(ChartGridTest, XYZViewPutsEveryPointInTheCellOfItsXAndZ) {
  auto* S = Create<TTest3DSeries>(Owner);
  Chart->AddSeries(S);
  // Three distinct X, two distinct Z, one cell empty.
  S->AddXYZ(0, 10, 5, "", clDefault);
  S->AddXYZ(2, 11, 5, "", clDefault);
  S->AddXYZ(7, 12, 5, "", clDefault);
  S->AddXYZ(2, 13, 9, "", clDefault);
  S->AddXYZ(7, 14, 9, "", clDefault);
  Grid->SetXYZView(true);
  Grid->SetChart(Chart);
  EXPECT_EQ(Grid->GetColCount(), 4);
  EXPECT_EQ(Grid->GetRowCount(), 4);
  EXPECT_EQ(Row(0), (Strings{"", "0", "2", "7"}));
  EXPECT_EQ(Row(2), (Strings{"5", "10", "11", "12"}));
  EXPECT_EQ(Row(3), (Strings{"9", "", "13", "14"}));
  Grid->StoreCellText(2, 3, "20");
  EXPECT_EQ(S->YValues()->GetValue(3), 20);
  Grid->StoreCellText(1, 3, "30");
  ASSERT_EQ(S->Count(), 6);
  EXPECT_EQ(S->XValues()->GetValue(5), 0);
  EXPECT_EQ(S->GetZValue(5), 9);
  EXPECT_EQ(Row(3), (Strings{"9", "30", "20", "14"}));
}

// ---------------------------------------------------------------- navigator

class NavigatorTest : public ChartGridTest {
protected:
  void SetUp() override {
    ChartGridTest::SetUp();
    Nav = Create<TChartGridNavigator>(Owner);
  }
  std::vector<bool> Enabled() const {
    std::vector<bool> Out;
    for (int i = 0; i < PlotNavButtonCount; ++i) Out.push_back(Nav->Button(static_cast<TPlotNavigateBtn>(i))->GetEnabled());
    return Out;
  }
  TChartGridNavigator* Nav = nullptr;
};

TEST_F(NavigatorTest, ButtonsFollowTheCurrentRowAndEditingState) {
  TLineSeries* S = Line({1, 2, 3});
  Grid->SetSeries(S);
  Nav->SetGrid(Grid);
  //                           first  prior  next   last   ins   del   edit  post   cancel
  EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, true, true, true, true, false, false}));
  Nav->Button(nbLast)->Click();
  EXPECT_EQ(Grid->GetRow(), 4);
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, false, false, true, true, true, false, false}));
  Nav->Button(nbPrior)->Click();
  EXPECT_EQ(Grid->GetRow(), 3);
  Grid->SetCol(2);
  Nav->Button(nbEdit)->Click();
  EXPECT_TRUE(Grid->Editing());
  EXPECT_TRUE(Nav->Button(nbPost)->GetEnabled());
  Nav->Button(nbCancel)->Click();
  EXPECT_FALSE(Grid->Editing());
  Nav->Button(nbInsert)->Click();
  EXPECT_EQ(S->Count(), 4);
  Nav->Button(nbDelete)->Click();
  EXPECT_EQ(S->Count(), 3);
  Nav->Button(nbFirst)->Click();
  EXPECT_EQ(Grid->GetRow(), 2);
  // Moves made in the grid itself reach the buttons as well.
  uint16_t Down = VK_DOWN;
  Grid->KeyDown(Down, {});
  EXPECT_EQ(Grid->GetRow(), 3);
  EXPECT_TRUE(Nav->Button(nbFirst)->GetEnabled());
  EXPECT_TRUE(Nav->Button(nbLast)->GetEnabled());
  Grid->SetRow(4);
  EXPECT_FALSE(Nav->Button(nbLast)->GetEnabled());
  // A chart grid without series offers no insert.
  Grid->SetChart(Chart);
  Chart->RemoveSeries(S);
  Nav->EnableButtons();
  EXPECT_FALSE(Nav->Button(nbInsert)->GetEnabled());
  EXPECT_FALSE(Nav->Button(nbDelete)->GetEnabled());
}

TEST_F(NavigatorTest, WidthIsSharedByTheVisibleButtons) {
  // Four visible buttons in an aligned panel of 243 pixels: 60 each and three left over.
  Nav->SetAlign(TAlign::alBottom);
  Nav->SetBounds(0, 0, 243, 25);
  std::vector<int> Widths;
  for (int i = 0; i < PlotNavButtonCount; ++i)
    if (TPlotNavButton* B = Nav->Button(static_cast<TPlotNavigateBtn>(i)); B->GetVisible())
      Widths.push_back(B->GetWidth());
  EXPECT_EQ(Widths, (std::vector<int>{61, 60, 61, 61}));
  EXPECT_EQ(Nav->GetWidth(), 243);
  // A single-line border leaves the buttons four pixels lower than the panel.
  EXPECT_EQ(Nav->Button(nbFirst)->GetHeight(), 25);
  Nav->SetBorderStyle(TCustomPlotNavigator::TBorder::bsSingle);
  EXPECT_EQ(Nav->Button(nbFirst)->GetHeight(), 21);
  EXPECT_EQ(Nav->GetHeight(), 25);
  Nav->SetBorderStyle(TCustomPlotNavigator::TBorder::bsNone);
  // Hidden buttons take no width; a free panel shrinks to whole button widths.
  Nav->SetAlign(TAlign::alNone);
  Nav->SetButtonVisible(nbInsert, true);
  Nav->SetButtonVisible(nbDelete, true);
  Nav->SetBounds(0, 0, 100, 10);
  EXPECT_EQ(Nav->GetWidth(), 120);
  EXPECT_EQ(Nav->GetHeight(), 18);
  int X = 0;
  for (int i = 0; i < PlotNavButtonCount; ++i) {
    TPlotNavButton* B = Nav->Button(static_cast<TPlotNavigateBtn>(i));
    if (!B->GetVisible()) {
      EXPECT_GT(B->GetLeft(), Nav->GetWidth() - 1);
      continue;
    }
    EXPECT_EQ(B->GetLeft(), X);
    X += B->GetWidth();
  }
  EXPECT_EQ(X, Nav->GetWidth());
}

TEST_F(NavigatorTest, KeysMoveTheFocusOverVisibleButtonsAndSpacePresses) {
  TLineSeries* S = Line({1, 2, 3});
  Grid->SetSeries(S);
  Nav->SetGrid(Grid);
  std::vector<TPlotNavigateBtn> Clicked;
  Nav->OnButtonClicked = [&](TObject*, TPlotNavigateBtn B) { Clicked.push_back(B); };
  auto Press = [&](uint16_t Key) { Nav->KeyDown(Key, {}); };
  for (int i = 0; i < 5; ++i) Press(VK_RIGHT);
  // Last is the last visible button: the focus stops there.
  EXPECT_EQ(Nav->FocusedButton(), static_cast<int>(nbLast));
  Press(VK_LEFT);
  EXPECT_EQ(Nav->FocusedButton(), static_cast<int>(nbNext));
  Press(VK_SPACE);
  EXPECT_EQ(Grid->GetRow(), 3);
  Press(VK_LEFT);
  Press(VK_LEFT);
  Press(VK_LEFT);
  EXPECT_EQ(Nav->FocusedButton(), static_cast<int>(nbFirst));
  Press(VK_SPACE);
  EXPECT_EQ(Grid->GetRow(), 2);
  // A disabled button is not pressed.
  Press(VK_SPACE);
  EXPECT_EQ(Clicked, (std::vector<TPlotNavigateBtn>{nbNext, nbFirst}));
}

TEST_F(NavigatorTest, AHeldButtonRepeatsThroughItsTimer) {
  Grid->SetSeries(Line({1, 2, 3, 4, 5, 6}));
  Nav->SetGrid(Grid);
  Nav->SetBounds(0, 0, 243, 25);
  TPlotNavButton* Next = Nav->Button(nbNext);
  Next->MouseDown(TMouseButton::mbLeft, {}, 3, 3);
  ASSERT_NE(Next->RepeatTimer(), nullptr);
  EXPECT_TRUE(Next->RepeatTimer()->GetEnabled());
  EXPECT_EQ(Next->RepeatTimer()->GetInterval(), 400u);
  EXPECT_EQ(Nav->FocusedButton(), static_cast<int>(nbNext));
  Next->RepeatTick();
  EXPECT_EQ(Next->RepeatTimer()->GetInterval(), 100u);
  Next->RepeatTick();
  EXPECT_EQ(Grid->GetRow(), 4);
  Next->MouseUp(TMouseButton::mbLeft, {}, 3, 3);
  EXPECT_FALSE(Next->RepeatTimer()->GetEnabled());
  Next->RepeatTick();
  EXPECT_EQ(Grid->GetRow(), 4);
  // A failing repeated click stops the timer and reaches the caller.
  Nav->OnButtonClicked = [](TObject*, TPlotNavigateBtn) { throw Exception("stop"); };
  Next->MouseDown(TMouseButton::mbLeft, {}, 3, 3);
  EXPECT_THROW(Next->RepeatTick(), Exception);
  EXPECT_FALSE(Next->RepeatTimer()->GetEnabled());
  Next->MouseUp(TMouseButton::mbLeft, {}, 30, 30);
}

TEST_F(NavigatorTest, HintsTakeNonEmptyUserLines) {
  EXPECT_EQ(Nav->Button(nbFirst)->GetHint(), "First");
  Nav->Hints()->Add("Go first");
  Nav->Hints()->Add("");
  Nav->Hints()->Add("Onwards");
  EXPECT_EQ(Nav->Button(nbFirst)->GetHint(), "Go first");
  EXPECT_EQ(Nav->Button(nbPrior)->GetHint(), "Prior");
  EXPECT_EQ(Nav->Button(nbNext)->GetHint(), "Onwards");
  EXPECT_NE(TCustomPlotNavigator::Glyph("PlotNav_CANCEL"), nullptr);
}

}  // namespace

}  // namespace ChartGridTests
