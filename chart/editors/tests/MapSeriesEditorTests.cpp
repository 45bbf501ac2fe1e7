// The map series page and the palette page on the series page: polygons
// added and deleted, their values and points typed, and the colouring modes.
#include "chart/editors/PlotChartGrid.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/editors/PlotMapSeriesEdit.h"
#include "chart/engine/Chart.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace MapSeriesEditorTests {

namespace {

class MapEditorTest : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetBounds(300, 220);
    Chart->SetView3D(false);
    Chart->Legend()->SetVisible(false);
    for (TChartAxis* A : {Chart->BottomAxis(), Chart->LeftAxis()}) A->SetMinMax(0, 10);
    Map = Create<TMapSeries>(Owner);
    Map->SetName("Map1");
    Chart->AddSeries(Map);
    Page = Create<TFormPlotSeries>(Owner);
  }
  void TearDown() override { Owner->Free(); }
  TPlotPolygon* Shape(std::initializer_list<std::pair<double, double>> Vertices, const std::string& Text) {
    TPlotPolygon* P = Map->Shapes()->AddPolygon();
    for (auto [X, Y] : Vertices) P->AppendPoint(X, Y);
    P->SetText(Text);
    return P;
  }
  TMapSeriesEditor* Open() {
    Page->SelectSeries(Map);
    auto* E = dynamic_cast<TMapSeriesEditor*>(Page->FormatForm());
    EXPECT_NE(E, nullptr);
    return E;
  }
  TGrid3DSeriesEditor* Palette() {
    for (int i = 0; i < Page->PageSeries->PageCount(); ++i) {
      TTabSheet* T = Page->PageSeries->Pages(i);
      for (int k = 0; k < T->ControlCount(); ++k)
        if (auto* F = dynamic_cast<TGrid3DSeriesEditor*>(T->GetControl(k))) return F;
    }
    return nullptr;
  }
  std::vector<std::string> Items(TMapSeriesEditor* E) {
    std::vector<std::string> Out;
    for (int i = 0; i < E->ChartListBox1->Items()->Count(); ++i) Out.push_back(E->ChartListBox1->Items()->Strings(i));
    return Out;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TMapSeries* Map = nullptr;
  TFormPlotSeries* Page = nullptr;
};

TEST_F(MapEditorTest, WithoutPolygonsThePagesAreOffUntilPlusAddsPolygonOne) {
  TMapSeriesEditor* E = Open();
  ASSERT_TRUE(E);
  ASSERT_NE(Palette(), nullptr);
  EXPECT_EQ(Page->PageSeries->Pages(1)->GetCaption(), "Grid 3D");
  EXPECT_TRUE(Items(E).empty());
  for (TControl* C : std::initializer_list<TControl*>{E->EText, E->EditZ, E->ButtonPen2, E->CBClosed, E->ChartGrid1,
                                                      E->SBDelete})
    EXPECT_FALSE(C->GetEnabled()) << C->GetName();
  E->SBAdd->Click();
  ASSERT_EQ(Map->Shapes()->Count(), 1);
  EXPECT_EQ(Items(E), (std::vector<std::string>{"1"}));
  EXPECT_EQ(E->ChartListBox1->GetItemIndex(), 0);
  EXPECT_EQ(E->EText->GetText(), "1");
  for (TControl* C : std::initializer_list<TControl*>{E->EText, E->EditZ, E->ButtonPen2, E->ChartGrid1, E->SBDelete})
    EXPECT_TRUE(C->GetEnabled()) << C->GetName();
  // The navigator of the points offers insert and delete.
  EXPECT_TRUE(E->ChartGridNavigator1->Button(nbInsert)->GetVisible());
  EXPECT_TRUE(E->ChartGridNavigator1->Button(nbDelete)->GetVisible());
}

TEST_F(MapEditorTest, DeletingKeepsTheIndexOrTakesTheNewLastItem) {
  struct TCase {
    int Polygons, Delete;
    int Selected;
    std::vector<std::string> Left;
  };
  for (const TCase& C : {TCase{3, 2, 1, {"a", "b"}}, TCase{3, 1, 1, {"a", "c"}}, TCase{3, 0, 0, {"b", "c"}},
                         TCase{1, 0, -1, {}}}) {
    SCOPED_TRACE(C.Delete);
    TearDown();
    SetUp();
    const char* Names[] = {"a", "b", "c"};
    for (int i = 0; i < C.Polygons; ++i) Shape({{1, 1}, {2, 2}, {3, 1}}, Names[i]);
    TMapSeriesEditor* E = Open();
    ASSERT_TRUE(E);
    E->ChartListBox1->SetItemIndex(C.Delete);
    E->ChartListBox1Click(E->ChartListBox1);
    E->SBDelete->Click();
    EXPECT_EQ(Items(E), C.Left);
    EXPECT_EQ(E->ChartListBox1->GetItemIndex(), C.Selected);
    EXPECT_EQ(Map->Shapes()->Count(), static_cast<int>(C.Left.size()));
    EXPECT_EQ(Map->Count(), static_cast<int>(C.Left.size()));
    EXPECT_EQ(E->SBDelete->GetEnabled(), !C.Left.empty());
    EXPECT_EQ(E->EText->GetEnabled(), !C.Left.empty());
    if (C.Selected >= 0) {
      EXPECT_EQ(E->EText->GetText(), C.Left[static_cast<size_t>(C.Selected)]);
      EXPECT_EQ(E->ChartGrid1->GetSeries(), Map->Shapes()->PolygonAt(C.Selected)->Points());
    }
  }
}

TEST_F(MapEditorTest, ListGesturesLeaveThePolygonsAlone) {
  Shape({{1, 1}, {2, 2}, {3, 1}}, "a");
  Shape({{4, 4}, {5, 5}, {6, 4}}, "b");
  TMapSeriesEditor* E = Open();
  ASSERT_TRUE(E);
  E->ChartListBox1->SetItemIndex(1);
  for (uint16_t Key : {VK_DELETE, VK_INSERT, VK_F2}) {
    uint16_t K = Key;
    E->ChartListBox1->KeyUp(K, {});
  }
  EXPECT_EQ(Map->Shapes()->Count(), 2);
  EXPECT_EQ(Items(E), (std::vector<std::string>{"a", "b"}));
}

TEST_F(MapEditorTest, PolygonListDrawsEachPolygonInItsColour) {
  Shape({{1, 1}, {2, 2}, {3, 1}}, "a")->SetColor(TColor(0x00A0B0));
  Shape({{4, 4}, {5, 5}, {6, 4}}, "b")->SetColor(TColor(0xB0A000));
  TMapSeriesEditor* E = Open();
  ASSERT_TRUE(E);
  TBitmap Rows;
  E->ChartListBox1->PaintRows(Rows);
  ASSERT_EQ(Rows.GetHeight(), 2 * E->ChartListBox1->ItemHeight);
  auto RowHas = [&](int Row, TColor Colour) {
    for (int Y = Row * 20; Y < Row * 20 + 20; ++Y)
      for (int X = 0; X < Rows.GetWidth(); ++X)
        if ((Rows.GetPixelColor(X, Y) & 0xFFFFFF) == Colour) return true;
    return false;
  };
  EXPECT_TRUE(RowHas(0, 0x00A0B0));
  EXPECT_FALSE(RowHas(0, 0xB0A000));
  EXPECT_TRUE(RowHas(1, 0xB0A000));
}

TEST_F(MapEditorTest, ValuesAndFormatWriteTheSelectedPolygon) {
  Shape({{1, 1}, {2, 2}, {3, 1}}, "a");
  TPlotPolygon* B = Shape({{4, 4}, {5, 5}, {6, 4}}, "b");
  TMapSeriesEditor* E = Open();
  ASSERT_TRUE(E);
  E->ChartListBox1->SetItemIndex(1);
  E->ChartListBox1Click(E->ChartListBox1);
  EXPECT_EQ(E->ShapeIndex->GetCaption(), "1");
  E->EText->SetText("beta");
  EXPECT_EQ(B->GetText(), "beta");
  EXPECT_EQ(Items(E)[1], "beta");
  // Partly typed or bad numbers wait silently; a number is stored.
  for (const char* Text : {"-", "1e", "abc", "nan"}) {
    E->EditZ->SetText(Text);
    EXPECT_EQ(B->GetZ(), 0) << Text;
  }
  E->EditZ->SetText("-2.5");
  EXPECT_EQ(B->GetZ(), -2.5);
  E->UDTransp->SetPosition(40);
  EXPECT_EQ(B->GetTransparency(), 40);
  E->CBClosed->SetChecked(false);
  EXPECT_FALSE(B->GetClosed());
  E->CBVisible->SetChecked(false);
  EXPECT_FALSE(B->Points()->GetActive());
  E->CBGlobalBrush->SetChecked(true);
  EXPECT_TRUE(B->GetParentBrush());
  // A colour of its own, then back to the series' decision.
  EXPECT_TRUE(E->CBDefaultColor->GetChecked());
  EXPECT_FALSE(E->CBDefaultColor->GetEnabled());
  Seam.AnswerColor(TColor(0x00A0B0));
  E->ButtonColor1->Click();
  EXPECT_TRUE(B->HasOwnColor());
  EXPECT_FALSE(E->CBDefaultColor->GetChecked());
  EXPECT_TRUE(E->CBDefaultColor->GetEnabled());
  E->CBDefaultColor->SetChecked(true);
  EXPECT_FALSE(B->HasOwnColor());
  EXPECT_FALSE(E->CBDefaultColor->GetEnabled());
}

TEST_F(MapEditorTest, TypingAPointMovesThatVertexInTheDrawnChart) {
  TPlotPolygon* P = Shape({{1, 1}, {2, 5}, {3, 1}}, "a");
  TMapSeriesEditor* E = Open();
  ASSERT_TRUE(E);
  TBitmap Before(300, 220);
  Chart->DrawTo(*Before.GetCanvas(), TRect(0, 0, 300, 220));
  const TPoint Was = P->CalcPixelPoints()[1];
  // Columns: index, X, Y; the grid has no value-name row here.
  EXPECT_EQ(E->ChartGrid1->FirstRow(), 1);
  EXPECT_EQ(E->ChartGrid1->CellText(2, 0), "Y");
  E->ChartGrid1->StoreCellText(2, 1 + 1, "9");
  EXPECT_EQ(P->Points()->YValues()->GetValue(1), 9);
  TBitmap After(300, 220);
  Chart->DrawTo(*After.GetCanvas(), TRect(0, 0, 300, 220));
  const TPoint Now = P->CalcPixelPoints()[1];
  EXPECT_EQ(Now.X, Was.X);
  EXPECT_EQ(Now.Y, Chart->LeftAxis()->ValueToPixel(9));
  EXPECT_LT(Now.Y, Was.Y);
  // The apex moved up: a pixel above the old apex is now inside the filled shape.
  const TColor Fill = Map->ValueColor(0) & 0xFFFFFF;
  const int Y = (Now.Y + Was.Y) / 2 - 10;
  EXPECT_NE(Before.GetPixelColor(Was.X, Y) & 0xFFFFFF, Fill);
  EXPECT_EQ(After.GetPixelColor(Was.X, Y) & 0xFFFFFF, Fill);
}

TEST_F(MapEditorTest, PalettePageChoosesTheColouringMode) {
  Shape({{1, 1}, {2, 2}, {3, 1}}, "a");
  Open();
  TGrid3DSeriesEditor* G = Palette();
  ASSERT_TRUE(G);
  // A map series has no grid of its own.
  for (TControl* C : std::initializer_list<TControl*>{G->SEXGrid, G->UDXGrid, G->SEZGrid, G->UDZGrid})
    EXPECT_FALSE(C->GetEnabled());
  EXPECT_FALSE(G->CBIrreg->GetVisible());
  EXPECT_EQ(G->PageControl1->GetActivePage(), G->TabRange);
  struct TCase {
    TTabSheet* Tab;
    bool Range, Palette;
  };
  for (const TCase& C : {TCase{G->TabPalette, false, true}, TCase{G->TabSingle, false, false},
                         TCase{G->TabRange, true, false}}) {
    G->PageControl1->SelectPage(C.Tab);
    EXPECT_EQ(Map->GetUseColorRange(), C.Range) << C.Tab->GetCaption();
    EXPECT_EQ(Map->GetUsePalette(), C.Palette) << C.Tab->GetCaption();
  }
  G->UDPalette->SetPosition(12);
  EXPECT_EQ(Map->GetPaletteSteps(), 12);
  G->EPaletteStep->SetText("2.5");
  EXPECT_EQ(Map->GetPaletteStep(), 2.5);
  G->EPaletteStep->SetText("x");
  EXPECT_EQ(Map->GetPaletteStep(), 2.5);
  G->CBPalStyle->SetItemIndex(4);
  G->CBPalStyle->OnChange(G->CBPalStyle);
  EXPECT_EQ(Map->GetPaletteStyle(), TPlotPaletteStyle::psRainbow);
  EXPECT_FALSE(G->EPaletteMin->GetEnabled());
  G->CBUseMin->SetChecked(true);
  EXPECT_TRUE(Map->GetUsePaletteMin());
  EXPECT_TRUE(G->EPaletteMin->GetEnabled());
  const TColor Start = Map->GetStartColor(), End = Map->GetEndColor();
  G->Button1->Click();
  EXPECT_EQ(Map->GetStartColor(), End);
  EXPECT_EQ(Map->GetEndColor(), Start);
}

TEST_F(MapEditorTest, NoMiddleStaysOffUntilAMiddleColourIsChosen) {
  Map->SetMidColor(clYellow);
  Open();
  TGrid3DSeriesEditor* G = Palette();
  ASSERT_TRUE(G);
  EXPECT_FALSE(G->CheckBox1->GetChecked());
  EXPECT_TRUE(G->CheckBox1->GetEnabled());
  G->CheckBox1->SetChecked(true);
  EXPECT_EQ(Map->GetMidColor(), clNone);
  EXPECT_FALSE(G->CheckBox1->GetEnabled());
  Seam.AnswerColor(clLime);
  G->BMidColor->Click();
  EXPECT_EQ(Map->GetMidColor(), clLime);
  EXPECT_FALSE(G->CheckBox1->GetChecked());
  EXPECT_TRUE(G->CheckBox1->GetEnabled());
}

TEST_F(MapEditorTest, GridSeriesResizesItsGridFromThePalettePage) {
  auto* Grid = Create<TColorGridSeries>(Owner);
  Grid->SetName("Grid1");
  Chart->AddSeries(Grid);
  Grid->OnGetYValue = [](TChartSeries*, int32_t X, int32_t Z) { return double(X + Z); };
  Grid->CreateValues(4, 3);
  ASSERT_EQ(Grid->Count(), 12);
  TGrid3DSeriesEditor* G = Create<TGrid3DSeriesEditor>(Owner);
  G->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Grid));
  G->FormShow(G);
  EXPECT_TRUE(G->SEXGrid->GetEnabled());
  EXPECT_TRUE(G->CBIrreg->GetVisible());
  EXPECT_EQ(G->UDXGrid->GetPosition(), 4);
  EXPECT_EQ(G->UDZGrid->GetPosition(), 3);
  G->UDXGrid->SetPosition(5);
  EXPECT_EQ(Grid->GetNumXValues(), 5);
  EXPECT_EQ(Grid->Count(), 15);
  // A grid too big for the up-down shows clamped and is left as it is.
  Grid->CreateValues(1500, 1);
  G->FormShow(G);
  EXPECT_EQ(G->UDXGrid->GetPosition(), 1000);
  EXPECT_EQ(Grid->GetNumXValues(), 1500);
}

}  // namespace

}  // namespace MapSeriesEditorTests
