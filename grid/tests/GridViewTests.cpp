#include "grid/GridView.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/tests/UiFixture.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace GridViewTests {

class GridViewTest : public UiTest {
 protected:
  GridViewTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 500, 400);
    grid = Create<TGridView>(form);
    grid->SetParent(form);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetBounds(0, 0, 480, 380);
  }
  // Column c of rows FixedRows.. as texts.
  std::vector<std::string> Column(int c) {
    std::vector<std::string> out;
    for (int r = grid->GetFixedRows(); r < grid->GetRowCount(); ++r) out.push_back(grid->GetCells(c, r));
    return out;
  }
  void FillRows(int c, const std::vector<std::string>& texts, int from = 1) {
    for (size_t i = 0; i < texts.size(); ++i) grid->SetCells(c, from + static_cast<int>(i), texts[i]);
  }
  TForm* form = nullptr;
  TGridView* grid = nullptr;
};

// ================================================================ construction and setters

TEST_F(GridViewTest, ConstructionDefaults) {
  EXPECT_EQ(grid->GetGridLineWidth(), 1);
  EXPECT_EQ(grid->GetGridLineColor(), clSilver);
  EXPECT_FALSE(grid->GetDefaultDrawing());
  EXPECT_TRUE(grid->GetOptions().Contains(goDrawFocusSelected));
  EXPECT_EQ(grid->GetFont()->GetName(), "Tahoma");
  EXPECT_EQ(grid->GetFixedFont()->GetName(), "Tahoma");
  EXPECT_TRUE(grid->GetFixedFont()->GetStyle().Contains(TFontStyle::fsBold));
  EXPECT_TRUE(grid->GetActiveCellFont()->GetStyle().Contains(TFontStyle::fsBold));
  EXPECT_EQ(grid->GetActiveCellColor(), clGray);
  EXPECT_EQ(grid->CellMarginX(), 2);
  EXPECT_EQ(grid->CellMarginY(), 2);
  EXPECT_TRUE(grid->EnhRowColMove && grid->EnableWheel && grid->GetWordWrap() && grid->IntelliZoom);
  EXPECT_FALSE(grid->GetAutoSize());
  EXPECT_EQ(grid->HintColor, clInfoBk);
  EXPECT_EQ(grid->GetSelectionColor(), TColor(0xEACAB6));
  EXPECT_EQ(grid->GetSelectionTextColor(), clBlack);
  EXPECT_TRUE(grid->GetShowSelection());
  EXPECT_FALSE(grid->HideFocusRect || grid->FixedAsButtons);
  EXPECT_TRUE(grid->EnableHTML);
  EXPECT_EQ(grid->GetURLColor(), clBlue);
  EXPECT_EQ(grid->GetVAlignment(), vtaTop);
  EXPECT_EQ(grid->FloatFormat, "%.2f");
  EXPECT_EQ(grid->PasswordChar, '*');
  EXPECT_EQ(grid->DoGetCheckTrue(1, 1), "Y");
  EXPECT_EQ(grid->DoGetCheckFalse(1, 1), "N");
  EXPECT_EQ(grid->GetDefaultRowHeight(), 21);
  EXPECT_EQ(grid->GetFixedRowHeight(), 21);
  EXPECT_EQ(grid->GetLook(), glXP);
  EXPECT_EQ(grid->ScrollType, TScrollType::ssNormal);
  EXPECT_EQ(grid->ScrollColor, clNone);
  EXPECT_EQ(grid->ScrollWidth, 16);
  for (int c : {0, 100, 511}) EXPECT_FALSE(grid->IsColumnHidden(c));
  EXPECT_TRUE(grid->ShowZeroDates);
  EXPECT_EQ(grid->DefaultListItem, -1);
  EXPECT_EQ(grid->WheelMessage(), 522);
  EXPECT_GT(grid->WheelScrollLines(), 0);
  EXPECT_EQ(grid->VersionText(), "2.5.0.2 June, 2003");
  for (int d = 0; d < 4; ++d) ASSERT_NE(grid->ArrowWindow(d), nullptr);
  EXPECT_EQ(grid->ArrowWindow(2)->GetDirection(), 2);
  EXPECT_NE(grid->PopupButton(), nullptr);
  EXPECT_EQ(GridView::FileVersion("comctl32.dll"), -1);
}

TEST_F(GridViewTest, SettingsObjectDefaults) {
  EXPECT_EQ(grid->CellNode()->Color, clSilver);
  EXPECT_EQ(grid->CellNode()->GetNodeType(), cnXP);
  EXPECT_EQ(grid->CellNode()->GetNodeIndent(), 12);
  EXPECT_TRUE(grid->CellNode()->GetShowTree());
  EXPECT_EQ(grid->ColumnSize()->StretchColumn, -1);
  EXPECT_EQ(grid->ColumnSize()->Location, clRegistry);
  EXPECT_TRUE(grid->Navigation()->AllowClipboardColGrow && grid->Navigation()->AllowClipboardRowGrow);
  EXPECT_TRUE(grid->Navigation()->CopyHTMLTagsToClipboard && grid->Navigation()->EditSelectAll);
  EXPECT_TRUE(grid->Navigation()->SkipFixedCells);
  EXPECT_FALSE(grid->Navigation()->AlwaysEdit);
  EXPECT_EQ(grid->HTMLSettings()->BorderSize, 1);
  EXPECT_EQ(grid->HTMLSettings()->Width, 100);
  EXPECT_EQ(grid->PrintSettings()->PageNumSep, "/");
  EXPECT_EQ(grid->PrintSettings()->DateFormat, "dd/mm/yyyy");
  EXPECT_EQ(grid->PrintSettings()->Borders, pbSingle);
  EXPECT_TRUE(grid->PrintSettings()->Centered && grid->PrintSettings()->UseDisplayFont);
  EXPECT_TRUE(grid->SortSettings()->Full && grid->SortSettings()->AutoFormat);
  EXPECT_EQ(grid->SortSettings()->IndexColor, TColor(0x00FFFF));
  EXPECT_EQ(grid->ControlLook()->GetCheckSize(), 15);
  EXPECT_EQ(grid->ControlLook()->GetRadioSize(), 10);
  EXPECT_EQ(grid->ControlLook()->GetControlStyle(), csWinXP);
  EXPECT_EQ(grid->ControlLook()->GetProgressMarginX(), 2);
  EXPECT_EQ(grid->Bands()->GetPrimaryColor(), clInfoBk);
  EXPECT_EQ(grid->Bands()->GetSecondaryColor(), clWindow);
  EXPECT_EQ(grid->Bands()->TotalLength(), 2);
  EXPECT_EQ(grid->Grouping()->HeaderColor, clNone);
  auto* f = grid->Filter()->AddFilter();
  EXPECT_TRUE(f->CaseSensitive);
  EXPECT_EQ(grid->Filter()->GetOwner(), grid);
}

TEST_F(GridViewTest, PrintSettingsAssignCopiesFontsLinesAndSpacings) {
  TPrintSettings a, b;
  a.LeftSize = 5;
  a.TitleSpacing = 7;
  a.GetFont()->SetName("Courier");
  a.GetTitleLines()->Add("Title");
  a.FitToPage = fpShrink;
  b.Assign(&a);
  EXPECT_EQ(b.LeftSize, 5);
  EXPECT_EQ(b.TitleSpacing, 7);
  EXPECT_EQ(b.GetFont()->GetName(), "Courier");
  EXPECT_EQ(b.GetTitleLines()->Count(), 1);
  EXPECT_EQ(b.FitToPage, fpShrink);
  TBands bands;
  EXPECT_ANY_THROW(b.Assign(&bands));
}

TEST_F(GridViewTest, FixedRowAndColumnAlways) {
  grid->FixedRowAlways = true;
  grid->SetFixedRows(0);
  EXPECT_EQ(grid->GetFixedRowsRaw(), 0);
  EXPECT_EQ(grid->GetFixedRows(), 1);
  grid->FixedRowAlways = false;
  EXPECT_EQ(grid->GetFixedRows(), 0);

  grid->FixedColAlways = true;
  grid->SetFixedCols(0);
  grid->SetColCount(1);
  bool fixed = false;
  grid->DoIsFixedCell(3, 0, fixed);
  EXPECT_TRUE(fixed);
  grid->SetColCount(3);
  EXPECT_EQ(grid->GetFixedColsRaw(), 1);
}

TEST_F(GridViewTest, OwnerHooksFollowTheGridsAnswer) {
  grid->OnGetCheckTrue = [](TObject*, int, int, std::string& v) { v = "yes"; };
  EXPECT_EQ(grid->DoGetCheckTrue(0, 0), "yes");
  // The owner is only asked when the grid does not already say fixed.
  int asked = 0;
  grid->OnIsFixedCell = [&](TObject*, int, int, bool& f) {
    ++asked;
    f = true;
  };
  bool fixed = false;
  grid->DoIsFixedCell(0, 2, fixed);
  EXPECT_TRUE(fixed);
  EXPECT_EQ(asked, 0);
  fixed = false;
  grid->DoIsFixedCell(2, 2, fixed);
  EXPECT_EQ(asked, 1);
  // Read-only cell properties refuse editing with goEditing; the owner may change it.
  grid->SetOptions(grid->GetOptions() + goEditing);
  grid->CellProperties(2, 2)->ReadOnly = true;
  bool can = true;
  grid->DoCanEditCell(2, 2, can);
  EXPECT_FALSE(can);
  grid->OnCanEditCell = [](TObject*, int, int, bool& c) { c = true; };
  grid->DoCanEditCell(2, 2, can);
  EXPECT_TRUE(can);
}

TEST_F(GridViewTest, CellColorsFromPropertiesAndActiveHeaders) {
  grid->SetActiveCellShow(true);
  grid->SetCol(2);
  grid->SetRow(3);
  TBrush brush;
  TFont font;
  grid->DoGetCellColor(0, 2, TGridDrawState{gdFixed}, brush, font);
  EXPECT_EQ(brush.GetColor(), clGray);
  EXPECT_TRUE(font.GetStyle().Contains(TFontStyle::fsBold));
  TBrush b2;
  TFont f2;
  grid->CellProperties(1, 1)->SetBrushColor(clRed);
  grid->CellProperties(1, 1)->FontColor = clBlue;
  grid->CellProperties(1, 1)->FontName = "Arial";
  grid->DoGetCellColor(1, 1, TGridDrawState{}, b2, f2);
  EXPECT_EQ(b2.GetColor(), clRed);
  EXPECT_EQ(f2.GetColor(), clBlue);
  EXPECT_EQ(f2.GetName(), "Arial");
}

TEST_F(GridViewTest, LoadedTurnsAlwaysShowEditorIntoAlwaysEdit) {
  grid->SetOptions(grid->GetOptions() + goAlwaysShowEditor);
  grid->SetFixedRows(2);
  grid->Loaded();
  EXPECT_FALSE(grid->GetOptions().Contains(goAlwaysShowEditor));
  EXPECT_TRUE(grid->Navigation()->AlwaysEdit);
  EXPECT_EQ(grid->RememberedFixedRows(), 2);
  EXPECT_EQ(grid->HyperlinkCursor, -21);
}

TEST_F(GridViewTest, SetterSideEffects) {
  grid->SetVAlignment(vtaCenter);
  EXPECT_EQ(grid->VAlignFlag(), 4);
  grid->SetVAlignment(vtaBottom);
  EXPECT_EQ(grid->VAlignFlag(), 8);
  // Inactive bands do not repaint for a colour; activating them does.
  int before = grid->InvalidateCount();
  grid->Bands()->SetPrimaryColor(clRed);
  EXPECT_EQ(grid->InvalidateCount(), before);
  grid->Bands()->SetActive(true);
  EXPECT_GT(grid->InvalidateCount(), before);
  before = grid->InvalidateCount();
  grid->Bands()->SetSecondaryLength(3);
  EXPECT_EQ(grid->Bands()->TotalLength(), 4);
  EXPECT_GT(grid->InvalidateCount(), before);
  // Equal node indent does not repaint.
  before = grid->InvalidateCount();
  grid->CellNode()->SetNodeIndent(12);
  EXPECT_EQ(grid->InvalidateCount(), before);
  grid->CellNode()->SetNodeIndent(14);
  EXPECT_GT(grid->InvalidateCount(), before);
  // A skipped invalidate paints nothing once.
  before = grid->InvalidateCount();
  grid->SkipNextInvalidate();
  grid->Invalidate();
  EXPECT_EQ(grid->InvalidateCount(), before);
  grid->Invalidate();
  EXPECT_EQ(grid->InvalidateCount(), before + 1);
  // Column headers go into row 0.
  TStringList heads;
  heads.Add("A");
  heads.Add("B");
  grid->SetCells(3, 0, "old");
  grid->SetColumnHeaders(&heads);
  EXPECT_EQ(grid->GetCells(0, 0), "A");
  EXPECT_EQ(grid->GetCells(1, 0), "B");
  EXPECT_EQ(grid->GetCells(3, 0), "");
  // Row count sets the normal row count and repaints the footer.
  const int footers = grid->FooterRepaints();
  grid->SetRowCount(12);
  EXPECT_EQ(grid->NormalRowCount, 12);
  EXPECT_GT(grid->FooterRepaints(), footers);
}

TEST_F(GridViewTest, SortRowMustBeAHeaderRow) {
  grid->SetFixedRows(2);
  EXPECT_NO_THROW(grid->SortSettings()->SetRow(1));
  try {
    grid->SortSettings()->SetRow(2);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Sort row should be smaller than number of fixed rows");
  }
  EXPECT_THROW(grid->SortSettings()->SetRow(3), Exception);
  EXPECT_EQ(grid->SortSettings()->GetRow(), 1);
  grid->ComponentState.Include(TComponentStateItem::csLoading);
  EXPECT_NO_THROW(grid->SortSettings()->SetRow(5));
  grid->ComponentState.Exclude(TComponentStateItem::csLoading);
}

TEST_F(GridViewTest, DesignTimeGridHasNoHelperWindowsAndDisjunctFlagsExclude) {
  form->ComponentState.Include(TComponentStateItem::csDesigning);
  auto* designed = Create<TGridView>(form);
  for (int d = 0; d < 4; ++d) EXPECT_EQ(designed->ArrowWindow(d), nullptr);
  EXPECT_EQ(designed->PopupButton(), nullptr);
  designed->MouseActions()->SetDisjunctColSelect(true);
  designed->MouseActions()->SetDisjunctRowSelect(true);
  EXPECT_FALSE(designed->MouseActions()->GetDisjunctColSelect());
  designed->Free();
  form->ComponentState.Exclude(TComponentStateItem::csDesigning);
  grid->MouseActions()->SetDisjunctColSelect(true);
  grid->MouseActions()->SetDisjunctRowSelect(true);
  EXPECT_TRUE(grid->MouseActions()->GetDisjunctColSelect());
}

TEST_F(GridViewTest, FormResizeIsChainedAndPutBack) {
  int chained = 0;
  auto* f = Application->CreateForm<TForm>();
  f->OnResize = [&](TObject*) { ++chained; };
  auto* g = Create<TGridView>(f);
  ASSERT_TRUE(f->OnResize);
  f->OnResize(f);
  EXPECT_EQ(chained, 1);
  g->Free();
  f->OnResize(f);
  EXPECT_EQ(chained, 2);
}

// ================================================================ column widths in a store

class GridColumnStoreTest : public GridViewTest {
 protected:
  GridColumnStoreTest() {
    dir = std::filesystem::temp_directory_path() / ("kv_grid_store_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    if (const char* old = std::getenv("KV_CONFIG_DIR")) oldDir = old;
    ::setenv("KV_CONFIG_DIR", (dir / "config").c_str(), 1);
    Registry::ReloadStore();
  }
  ~GridColumnStoreTest() override {
    if (oldDir.empty()) ::unsetenv("KV_CONFIG_DIR");
    else ::setenv("KV_CONFIG_DIR", oldDir.c_str(), 1);
    Registry::ReloadStore();
    std::filesystem::remove_all(dir);
  }
  std::filesystem::path dir;
  std::string oldDir;
};

TEST_F(GridColumnStoreTest, WidthsRoundTripThroughRegistryAndIniFile) {
  for (TColumnSizeLocation where : {clRegistry, clIniFile}) {
    grid->ColumnSize()->Key = where == clIniFile ? (dir / "cols.ini").string() : "Software\\KV\\Test";
    grid->ColumnSize()->Section = "Grid";
    grid->ColumnSize()->Location = where;
    grid->SetColCount(3);
    grid->SetColWidths(0, 34);
    grid->SetColWidths(1, 50);
    grid->SetColWidths(2, 77);
    grid->SaveColumnSizes();
    grid->SetColWidths(0, 10);
    grid->SetColWidths(2, 10);
    grid->SetColCount(4);  // one more column than stored: gets the default width
    grid->SetColWidths(3, 99);
    grid->LoadColumnSizes();
    EXPECT_EQ(grid->GetColWidths(0), 34);
    EXPECT_EQ(grid->GetColWidths(1), 50);
    EXPECT_EQ(grid->GetColWidths(2), 77);
    EXPECT_EQ(grid->GetColWidths(3), grid->GetDefaultColWidth());
  }
  TIniFile ini((dir / "cols.ini").string());
  EXPECT_EQ(ini.ReadInteger("Grid", "Col2", 0), 77);
}

TEST_F(GridColumnStoreTest, EmptyKeyDoesNothing) {
  grid->ColumnSize()->Section = "Grid";
  grid->ColumnSize()->Location = clIniFile;
  grid->SetColWidths(1, 40);
  grid->SaveColumnSizes();
  grid->SetColWidths(1, 41);
  grid->LoadColumnSizes();
  EXPECT_EQ(grid->GetColWidths(1), 41);
  EXPECT_TRUE(std::filesystem::is_empty(dir));
}

// ================================================================ cell graphics and typed values

TEST_F(GridViewTest, CheckBoxesAndDataCheckBoxes) {
  grid->SetVAlignment(vtaCenter);
  grid->AddCellCheckBox(1, 1, true, false);
  EXPECT_EQ(grid->GetCells(1, 1), "");
  EXPECT_EQ(grid->CellTypeOf(1, 1), TCellType::ctCheckBox);
  EXPECT_EQ(grid->CellGraphicOf(1, 1)->CellVAlign, vaCenter);
  EXPECT_EQ(grid->CellGraphicOf(1, 1)->CellHAlign, haBeforeText);
  bool state = false;
  ASSERT_TRUE(grid->GetCheckBoxState(1, 1, state));
  EXPECT_TRUE(state);
  EXPECT_TRUE(grid->ToggleCheckBox(1, 1, false));
  grid->GetCheckBoxState(1, 1, state);
  EXPECT_FALSE(state);

  grid->AddCellCheckBox(1, 2, false, true);
  grid->SetCells(1, 2, "Y");
  EXPECT_TRUE(grid->GetCheckBoxState(1, 2, state) && state);
  grid->ToggleCheckBox(1, 2, false);
  EXPECT_EQ(grid->GetCells(1, 2), "N");
  grid->SetCheckBoxState(1, 2, true);
  EXPECT_EQ(grid->GetCells(1, 2), "Y");
  EXPECT_TRUE(grid->IsCheckCell(1, 2) && grid->IsToggleCell(1, 2));
  EXPECT_FALSE(grid->GetCheckBoxState(2, 2, state));
  // Asking refuses for a read-only cell with goEditing.
  grid->SetOptions(grid->GetOptions() + goEditing);
  grid->CellProperties(1, 2)->ReadOnly = true;
  EXPECT_FALSE(grid->ToggleCheckBox(1, 2, true));
  EXPECT_EQ(grid->GetCells(1, 2), "Y");
}

TEST_F(GridViewTest, RadioSteppingWrapsPastTheLastOption) {
  grid->AddRadio(2, 1, true, {"a", "b", "c"}, 2);
  EXPECT_TRUE(grid->StepRadio(2, 1, false));
  int sel = -1;
  EXPECT_TRUE(grid->RadioSelection(2, 1, sel));
  EXPECT_EQ(sel, 0);
  EXPECT_EQ(grid->GetCells(2, 1), "a");
  // Negative index: the text is the selection.
  grid->AddRadio(2, 2, false, {"x", "y"}, -1);
  grid->SetCells(2, 2, "x");
  grid->StepRadio(2, 2, false);
  EXPECT_EQ(grid->GetCells(2, 2), "y");
  grid->StepRadio(2, 2, false);
  EXPECT_EQ(grid->GetCells(2, 2), "x");
  EXPECT_TRUE(grid->IsRadioCell(2, 2));
  EXPECT_EQ(grid->RadioItems(2, 2)->Count(), 2);
}

TEST_F(GridViewTest, RemovingAVirtualCheckBoxOnlyDetachesIt) {
  TCellGraphic shared;
  shared.CellType = TCellType::ctVirtCheckBox;
  grid->SetCellGraphicObject(1, 1, &shared);
  EXPECT_TRUE(grid->RemoveCellGraphic(1, 1));
  EXPECT_EQ(grid->CellGraphicOf(1, 1), nullptr);
  EXPECT_EQ(shared.CellType, TCellType::ctVirtCheckBox);  // still alive
  EXPECT_FALSE(grid->RemoveCellGraphic(1, 1));
}

TEST_F(GridViewTest, PointInCheckBoxPreciseAndNot) {
  grid->SetColWidths(1, 60);
  grid->SetRowHeights(1, 30);
  grid->AddCellCheckBox(1, 1, false, false);
  grid->CellGraphicOf(1, 1)->CellVAlign = vaCenter;
  const TRect r = grid->CellRect(1, 1);
  EXPECT_TRUE(grid->PointInCheckBox(1, 1, r.Right - 1, r.Top));
  grid->MouseActions()->PreciseCheckBoxCheck = true;
  const int top = r.Top + (r.Height() - 15) / 2;
  struct Case { int x, y; bool in; } cases[] = {
      {r.Left + 2, top, true},        {r.Left + 16, top + 14, true}, {r.Left + 17, top, false},
      {r.Left + 1, top, false},       {r.Left + 5, top - 1, false},  {r.Left + 5, top + 15, false},
  };
  for (const auto& c : cases) EXPECT_EQ(grid->PointInCheckBox(1, 1, c.x, c.y), c.in) << c.x << "," << c.y;
  grid->CellProperties(1, 1)->Alignment = TAlignment::taRightJustify;
  EXPECT_TRUE(grid->PointInCheckBox(1, 1, r.Right - 3, top + 1));
  EXPECT_FALSE(grid->PointInCheckBox(1, 1, r.Left + 3, top + 1));
  EXPECT_FALSE(grid->PointInCheckBox(2, 1, r.Left + 3, top + 1));
}

TEST_F(GridViewTest, GraphicSizeTableWithPictureModes) {
  grid->SetColWidths(1, 100);
  grid->SetRowHeights(1, 50);
  const TSize cell = grid->CellSize(1, 1);
  auto* bmp = new TBitmap(40, 200);
  TCellGraphic* g = grid->NewCellGraphic(1, 1);
  g->CellType = TCellType::ctPicture;
  g->CellImage = bmp;
  g->CellCreated = true;
  g->CellIndex = 4;  // margin
  const int aw = cell.cx - 4, ah = cell.cy - 4;
  const double x = double(aw) / 40, y = double(ah) / 200;
  struct Case { int mode; TSize size; } cases[] = {
      {0, {40, 200}},
      {1, {aw, ah}},
      {2, x >= y ? TSize{int(std::lround(40 * y)), ah} : TSize{aw, int(std::lround(200 * x))}},
      {3, {aw, ah}},
      {4, x >= y ? TSize{int(std::lround(40 * std::min(y, 1.0))), ah} : TSize{aw, int(std::lround(200 * std::min(x, 1.0)))}},
  };
  for (const auto& c : cases) {
    g->CellAngle = c.mode;
    const TSize s = grid->GraphicSize(1, 1);
    EXPECT_EQ(s.cx, c.size.cx) << "mode " << c.mode;
    EXPECT_EQ(s.cy, c.size.cy) << "mode " << c.mode;
  }
  // A picture that fits keeps its size in modes 3 and 4.
  bmp->SetSize(10, 10);
  for (int mode : {3, 4}) {
    g->CellAngle = mode;
    EXPECT_EQ(grid->GraphicSize(1, 1).cx, 10);
  }
  // Other kinds.
  grid->AddCellCheckBox(2, 1, false, false);
  EXPECT_EQ(grid->GraphicSize(2, 1).cx, 15);
  TCellGraphic* b = grid->NewCellGraphic(2, 2);
  b->CellType = TCellType::ctButton;
  b->CellIndex = (12 << 16) | 30;
  EXPECT_EQ(grid->GraphicSize(2, 2).cx, 30);
  EXPECT_EQ(grid->GraphicSize(2, 2).cy, 12);
  b->CellVAlign = vaFull;
  EXPECT_EQ(grid->GraphicSize(2, 2).cy, grid->CellSize(2, 2).cy);
  b->CellType = TCellType::ctProgressPie;
  b->CellVAlign = vaTop;
  EXPECT_EQ(grid->GraphicSize(2, 2).cx, 20);
  EXPECT_EQ(grid->GraphicSize(3, 3).cx, 0);
  // A bitmap beside a text only counts its width before or after the text.
  auto* small = new TBitmap(16, 8);
  TCellGraphic* bm = grid->NewCellGraphic(3, 1);
  bm->CellType = TCellType::ctBitmap;
  bm->CellImage = small;
  bm->CellCreated = true;
  grid->SetCells(3, 1, "text");
  EXPECT_EQ(grid->GraphicSize(3, 1).cx, 0);
  EXPECT_EQ(grid->PrintGraphicSize(3, 1, 1.0).cx, 16);
  bm->CellHAlign = haAfterText;
  EXPECT_EQ(grid->GraphicSize(3, 1).cx, 16);
}

TEST_F(GridViewTest, TypedValues) {
  grid->SetCells(1, 1, "");
  EXPECT_EQ(grid->CellInt(1, 1), 0);
  grid->SetCells(1, 1, "42");
  EXPECT_EQ(grid->CellInt(1, 1), 42);
  grid->SetCells(1, 1, "4x2");
  try {
    grid->CellInt(1, 1);
    FAIL();
  } catch (const EGridViewError& e) {
    EXPECT_STREQ(e.what(), "Cell does not contain integer value");
  }
  grid->SetCells(1, 1, "(1,234.50 $)");
  EXPECT_DOUBLE_EQ(grid->CellFloat(1, 1), -1234.5);
  grid->SetCells(1, 1, "");
  EXPECT_DOUBLE_EQ(grid->CellFloat(1, 1), 0);
  grid->SetCells(1, 1, "abc");
  try {
    grid->CellFloat(1, 1);
    FAIL();
  } catch (const EGridViewError& e) {
    EXPECT_STREQ(e.what(), "Cell does not contain a float value");
  }
  const char dec = FormatSettings.DecimalSeparator;
  grid->SetCellFloat(1, 1, 3.14159);
  EXPECT_EQ(grid->GetCells(1, 1), std::string("3") + dec + "14");
  grid->SetCellFloat(1, 1, 2.00501);
  EXPECT_EQ(grid->GetCells(1, 1), std::string("2") + dec + "01");
  const TDateTime d = SysUtils::EncodeDate(2003, 6, 1);
  grid->SetCellDate(1, 2, d);
  EXPECT_EQ(grid->GetCells(1, 2), SysUtils::DateToStr(d));
  grid->SetCellDate(1, 2, 0);
  EXPECT_EQ(grid->GetCells(1, 2), SysUtils::DateToStr(0));
  grid->ShowZeroDates = false;
  grid->SetCellDate(1, 2, 0);
  EXPECT_EQ(grid->GetCells(1, 2), "");
}

// ================================================================ hidden rows and mappings

class GridRowsTest : public GridViewTest {
 protected:
  GridRowsTest() {
    grid->SetColCount(3);
    grid->SetRowCount(10);
    for (int r = 0; r < 10; ++r) {
      grid->SetCells(1, r, "r" + std::to_string(r));
      grid->SetRowHeights(r, 20 + r);
    }
  }
};

TEST_F(GridRowsTest, HideMapAndUnhide) {
  grid->HideRowRange(3, 5);
  EXPECT_EQ(grid->GetRowCount(), 7);
  EXPECT_EQ(grid->HiddenRowCount(), 3);
  EXPECT_EQ(grid->AllRowsIndex(3), 6);
  EXPECT_EQ(grid->DisplayedRowOf(7), 4);
  EXPECT_TRUE(grid->IsRowHidden(4));
  EXPECT_EQ(grid->GetCells(1, 3), "r6");
  EXPECT_EQ(grid->HiddenRowStrings(4)->Get(1), "r4");
  // A hidden row written through all-rows access carries the text when shown.
  grid->SetCellAllRows(2, 4, "new");
  grid->SetCellAllRows(2, 8, "eight");
  EXPECT_EQ(grid->GetCells(2, 5), "eight");
  // Hiding an already hidden range does nothing.
  grid->HideRowRange(3, 5);
  EXPECT_EQ(grid->HiddenRowCount(), 3);
  grid->UnhideAllRows();
  EXPECT_EQ(grid->GetRowCount(), 10);
  EXPECT_EQ(grid->HiddenRowCount(), 0);
  for (int r = 0; r < 10; ++r) {
    EXPECT_EQ(grid->GetCells(1, r), "r" + std::to_string(r));
    EXPECT_EQ(grid->GetRowHeights(r), 20 + r);
  }
  EXPECT_EQ(grid->GetCells(2, 4), "new");
}

TEST_F(GridRowsTest, UnhideRangeAndInvalidRowAccess) {
  grid->HideRowRange(3, 5);
  grid->UnhideRowRange(3, 5);
  for (int r = 0; r < 10; ++r) {
    EXPECT_EQ(grid->GetCells(1, r), "r" + std::to_string(r));
    EXPECT_EQ(grid->GetRowHeights(r), 20 + r);
  }
  grid->HideRowRange(2, 2);
  EXPECT_NO_THROW(grid->RowSelected(9));
  EXPECT_THROW(grid->RowSelected(grid->GetRowCount() + grid->HiddenRowCount()), EGridViewError);
  EXPECT_THROW(grid->RowSelected(-1), EGridViewError);
}

TEST_F(GridRowsTest, SortOrderMapping) {
  EXPECT_EQ(grid->UnsortedRowIndex(5), 5);
  EXPECT_EQ(grid->DisplayedRowIndex(5), 5);
  for (int r : {0, 1, 5, 3, 4, 2, 6, 7, 8, 9}) grid->SortOrder()->Add(r);
  EXPECT_EQ(grid->UnsortedRowIndex(5), 2);
  EXPECT_EQ(grid->DisplayedRowIndex(2), 5);
  // An index the recorded order lacks maps to no row.
  EXPECT_EQ(grid->DisplayedRowIndex(42), -1);
  grid->SortOrder()->Clear();
  grid->HideRowRange(1, 1);
  EXPECT_EQ(grid->UnsortedRowIndex(5), 6);
  EXPECT_EQ(grid->DisplayedRowIndex(6), 6);  // not the inverse through hidden rows
}

TEST_F(GridRowsTest, HiddenColumnsMap) {
  grid->SetColCount(6);
  grid->HideColumn(2);
  EXPECT_EQ(grid->GetColCount(), 5);
  EXPECT_EQ(grid->HiddenColumnCount(), 1);
  EXPECT_EQ(grid->RealColIndex(2), 3);
  EXPECT_EQ(grid->DisplayedColIndex(4), 3);
  EXPECT_EQ(grid->RealColIndex(600), 600);
  EXPECT_EQ(grid->AllColCount(), 6);
  EXPECT_FALSE(grid->IsColumnHidden(512));
  grid->HideColumn(512);
  EXPECT_FALSE(grid->IsColumnHidden(512));
  grid->SetCells(3, 1, "real3");
  grid->SetCol(2);
  grid->SetRow(1);
  EXPECT_EQ(grid->GetCurrentCellText(), "real3");
  grid->UnHideColumn(2);
  EXPECT_EQ(grid->GetColCount(), 6);
  EXPECT_EQ(grid->RealColIndex(2), 2);
}

TEST_F(GridRowsTest, CellAccessors) {
  EXPECT_EQ(grid->CellColors(1, 1), clNone);
  EXPECT_EQ(grid->CellAlignments(1, 1), TAlignment::taLeftJustify);
  EXPECT_FALSE(grid->HasCellProperties(1, 1));
  EXPECT_FALSE(grid->CellReadOnly(1, 1));
  EXPECT_TRUE(grid->HasCellProperties(1, 1));
  grid->SetSelection(TGridRect{1, 2, 2, 3});
  EXPECT_TRUE(grid->IsCellSelected(1, 2));
  EXPECT_FALSE(grid->IsCellSelected(0, 2));
  EXPECT_FALSE(grid->IsCellSelected(1, 4));
}

// ================================================================ filter and footer

TEST_F(GridRowsTest, FilterOperations) {
  FillRows(1, {"apple", "banana", "cherry", "apricot", "kiwi", "avocado", "plum", "grape", "ant"});
  FillRows(2, {"1", "5", "9", "3", "7", "2", "8", "4", "6"});
  auto* a = grid->Filter()->AddFilter();
  a->Column = 1;
  a->Condition = "a*";
  grid->SetFilterActive(true);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"apple", "apricot", "avocado", "ant"}));
  grid->SetFilterActive(false);
  EXPECT_EQ(grid->GetRowCount(), 10);
  auto* b = grid->Filter()->AddFilter();
  b->Column = 2;
  b->Condition = ">3";
  b->Operation = foAND;
  grid->SetFilterActive(true);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"ant"}));
  grid->SetFilterActive(false);
  b->Operation = foOR;
  grid->SetFilterActive(true);
  // The first condition (foNONE) stops at a row it fails.
  EXPECT_EQ(Column(1), (std::vector<std::string>{"apple", "apricot", "avocado", "ant"}));
  grid->SetFilterActive(false);
  b->Operation = foXOR;
  grid->SetFilterActive(true);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"apple", "apricot", "avocado"}));
  grid->SetFilterActive(false);
  for (int r = 1; r < 10; ++r) EXPECT_FALSE(Column(1)[r - 1].empty());
}

TEST_F(GridRowsTest, FilterPrefixAndSuffixFoundTwice) {
  FillRows(1, {"$5 kg", "$7 kgkg", "9 kg", "kg3", "", "", "", "", ""});
  auto* f = grid->Filter()->AddFilter();
  f->Column = 1;
  f->Prefix = "$";
  f->Suffix = "kg";
  f->Condition = "5*";
  grid->SetFilterActive(true);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"$5 kg"}));
  grid->SetFilterActive(false);
  // "7 kgkg": the first "kg" does not end the text, so nothing is removed.
  f->Condition = "7 kgkg";
  grid->SetFilterActive(true);
  EXPECT_EQ(Column(1), (std::vector<std::string>{"$7 kgkg"}));
  grid->SetFilterActive(false);
}

TEST_F(GridRowsTest, EveryRowFilteredOutLeavesOneEmptyRow) {
  FillRows(1, {"a", "b", "c", "d", "e", "f", "g", "h", "i"});
  int progress = -1;
  grid->OnFilterProgress = [&](TObject*, int16_t p) { progress = p; };
  auto* f = grid->Filter()->AddFilter();
  f->Column = 1;
  f->Condition = "zzz";
  grid->SetFilterActive(true);
  EXPECT_EQ(progress, 100);
  EXPECT_EQ(grid->GetRowCount(), 2);
  EXPECT_EQ(grid->GetFixedRowsRaw(), 1);
  EXPECT_EQ(grid->GetCells(1, 1), "");
  grid->SetFilterActive(false);
  EXPECT_EQ(grid->GetRowCount(), 10);
  EXPECT_EQ(grid->GetFixedRowsRaw(), 1);
  EXPECT_EQ(grid->GetCells(1, 1), "a");
  EXPECT_EQ(grid->GetCells(1, 9), "i");
}

TEST_F(GridRowsTest, FooterCalculationsCountParticipatingRows) {
  grid->SetRowCount(6);  // rows 1..4 data, 5 footer
  FillRows(2, {"5", "", "7", "3"});
  grid->FloatingFooter()->SetVisible(true);
  EXPECT_EQ(grid->GetFixedFooters(), 1);
  const char dec = FormatSettings.DecimalSeparator;
  auto fmt = [&](const std::string& s) {
    std::string out = s;
    std::replace(out.begin(), out.end(), '.', dec);
    return out;
  };
  struct Case { TCalcType type; std::string text; } cases[] = {
      {TCalcType::ctSum, "15.00"}, {TCalcType::ctAverage, "3.75"}, {TCalcType::ctCount, "4"},
      {TCalcType::ctMin, "0.00"},  {TCalcType::ctMax, "7.00"},    {TCalcType::ctNone, ""},
  };
  for (const auto& c : cases) {
    grid->CellProperties(2, 5)->CalcType = c.type;
    grid->RecalcFooter(-1);
    EXPECT_EQ(grid->GetCells(2, 5), c.type == TCalcType::ctCount ? c.text : fmt(c.text)) << int(c.type);
  }
  // A node row holding 100 among 5 and 7 in a grouped grid takes no part.
  FillRows(2, {"100", "5", "7", "6"});
  grid->NewCellGraphic(0, 1)->CellType = TCellType::ctNode;
  grid->GroupColumn = 1;
  grid->CellProperties(2, 5)->CalcType = TCalcType::ctMin;
  grid->RecalcFooter(2);
  EXPECT_EQ(grid->GetCells(2, 5), fmt("5.00"));
  grid->CellProperties(2, 5)->CalcType = TCalcType::ctAverage;
  grid->RecalcFooter(2);
  EXPECT_EQ(grid->GetCells(2, 5), fmt("6.00"));
  // Only node rows: the result is empty.
  for (int r = 2; r <= 4; ++r) grid->NewCellGraphic(0, r)->CellType = TCellType::ctSummary;
  grid->RecalcFooter(2);
  EXPECT_EQ(grid->GetCells(2, 5), "");
  // Not a number: the calculation raises.
  grid->GroupColumn = -1;
  grid->SetCells(2, 3, "x");
  EXPECT_THROW(grid->RecalcFooter(2), EGridViewError);
}

// ================================================================ nodes

TEST_F(GridRowsTest, NodesContractAndExpandWithNesting) {
  auto node = [&](int row, int span, int level) {
    TCellGraphic* g = grid->NewCellGraphic(0, row);
    g->CellType = TCellType::ctNode;
    g->CellIndex = span;
    grid->CellProperties(0, row)->NodeLevel = level;
    ++grid->NodeCount;
  };
  node(1, 6, 1);  // rows 1..6
  node(3, 2, 2);  // rows 3..4
  EXPECT_EQ(grid->RowNodeIndent(3), 24);
  EXPECT_TRUE(grid->PointInNodeGlyph(3, 20));
  EXPECT_FALSE(grid->PointInNodeGlyph(3, 16));
  grid->ContractNode(3);
  EXPECT_EQ(grid->HiddenRowCount(), 1);
  EXPECT_TRUE(grid->NodeIsContracted(3));
  grid->ContractNode(1);
  EXPECT_EQ(grid->GetRowCount(), 5);
  EXPECT_EQ(grid->GetCells(1, 2), "r7");
  grid->ExpandNode(1);
  EXPECT_EQ(grid->GetRowCount(), 10);
  for (int r = 0; r < 10; ++r) EXPECT_EQ(grid->GetCells(1, r), "r" + std::to_string(r));
  // The nested node and its rows agree: expanded, all shown.
  EXPECT_FALSE(grid->NodeIsContracted(3));
  grid->ContractAllNodes();
  EXPECT_EQ(grid->GetRowCount(), 5);
  grid->ExpandAllNodes();
  EXPECT_EQ(grid->GetRowCount(), 10);
  EXPECT_FALSE(grid->NodeIsContracted(1));
}

TEST_F(GridRowsTest, ExpandOneContractsTheOtherNode) {
  for (int row : {1, 5}) {
    TCellGraphic* g = grid->NewCellGraphic(0, row);
    g->CellType = TCellType::ctNode;
    g->CellIndex = 3;
    ++grid->NodeCount;
  }
  grid->CellNode()->ExpandOne = true;
  grid->ContractNode(5);
  EXPECT_TRUE(grid->NodeIsContracted(grid->DisplayedRowOf(5)));
  grid->ExpandNode(5);
  EXPECT_TRUE(grid->NodeIsContracted(1));
  EXPECT_FALSE(grid->NodeIsContracted(grid->DisplayedRowOf(5)));
}

// ================================================================ row and column operations

TEST_F(GridRowsTest, RemoveRowsMovesCurrentRowAndHiddenColumns) {
  grid->SetColCount(4);
  for (int r = 0; r < 10; ++r) grid->SetCells(3, r, "h" + std::to_string(r));
  grid->HideColumn(3);
  const int lastWidth = grid->GetColWidths(2);
  grid->SetRow(4);
  grid->RemoveRows(4, 2);
  EXPECT_EQ(grid->GetRowCount(), 8);
  EXPECT_EQ(grid->GetRow(), 4);
  EXPECT_EQ(grid->GetCells(1, 4), "r6");
  EXPECT_EQ(grid->GetCells(3, 4), "h6");  // the hidden column moved with its row
  EXPECT_EQ(grid->GetRowHeights(4), 26);
  EXPECT_EQ(grid->GetColWidths(2), lastWidth);
  grid->InsertRows(2, 1);
  EXPECT_EQ(grid->GetCells(3, 3), "h2");
  EXPECT_EQ(grid->GetCells(3, 2), "");
  EXPECT_EQ(grid->GetRowHeights(2), grid->GetDefaultRowHeight());
  // Removing the last data rows makes the last row current; everything: empty selection.
  grid->SetRow(8);
  grid->RemoveRows(7, 2);
  EXPECT_EQ(grid->GetRow(), grid->GetRowCount() - 1);
  grid->RemoveRows(1, grid->GetRowCount() - 1);
  EXPECT_GE(grid->GetSelection().Top, grid->GetRowCount());
}

TEST_F(GridRowsTest, RemovalKeepsTheFooterLastAndChecksRanges) {
  grid->SetCells(1, 9, "footer");
  grid->FloatingFooter()->SetVisible(true);
  TRect changed{-1, -1, -1, -1};
  grid->OnCellsChanged = [&](TObject*, const TRect& R) { changed = R; };
  grid->RemoveRowsKeepObjects(7, 10);  // clipped to the rows before the footer
  EXPECT_EQ(grid->GetRowCount(), 8);
  EXPECT_EQ(grid->GetCells(1, 7), "footer");
  EXPECT_TRUE(grid->FloatingFooter()->GetVisible());
  EXPECT_EQ(changed.Top, 7);
  changed = TRect{-1, -1, -1, -1};
  for (int bad : {-1, 8, 100}) grid->RemoveRowsKeepObjects(bad, 1);
  EXPECT_EQ(grid->GetRowCount(), 8);
  EXPECT_EQ(changed.Top, -1);
}

TEST_F(GridRowsTest, RemoveRowsShiftedRemovesOnlyTheRange) {
  grid->HideRowRange(9, 9);
  grid->RemoveRowsShifted(2, 2);
  EXPECT_EQ(grid->GetRowCount(), 7);
  EXPECT_EQ(grid->GetCells(1, 2), "r4");
  EXPECT_EQ(grid->GetCells(1, 6), "r8");
  EXPECT_EQ(grid->HiddenRows()->Item(0)->Idx, 7);
}

TEST_F(GridRowsTest, ColumnsInsertAndRemoveWithHiddenColumnsBehind) {
  grid->SetColCount(5);
  for (int c = 0; c < 5; ++c) grid->SetCells(c, 1, "c" + std::to_string(c));
  grid->HideColumn(4);
  grid->InsertCols(1, 1);
  EXPECT_EQ(grid->GetColCount(), 5);
  EXPECT_EQ(grid->GetCells(5, 1), "c4");
  EXPECT_TRUE(grid->IsColumnHidden(5));
  EXPECT_FALSE(grid->IsColumnHidden(4));
  grid->RemoveCols(1, 2);
  EXPECT_EQ(grid->GetColCount(), 3);
  EXPECT_EQ(grid->GetCells(1, 1), "c2");
  EXPECT_EQ(grid->GetCells(3, 1), "c4");  // the hidden column moved too
  EXPECT_TRUE(grid->IsColumnHidden(3));
  EXPECT_EQ(grid->GetCells(4, 1), "");
  grid->RemoveCols(2, 5);  // beyond the columns: refused
  EXPECT_EQ(grid->GetColCount(), 3);
}

TEST_F(GridRowsTest, ClearRectAndMergedColumns) {
  int changes = 0;
  grid->OnCellsChanged = [&](TObject*, const TRect&) { ++changes; };
  grid->ClearRect(2, 1, 2, 3);
  EXPECT_EQ(changes, 1);
  grid->AddCellCheckBox(1, 2, true, false);
  grid->ClearRows(2, 1);
  EXPECT_FALSE(grid->HasCellProperties(1, 2));
  EXPECT_EQ(grid->GetCells(1, 2), "");
  // Merging: the second column only merges inside the groups of the first.
  FillRows(1, {"a", "a", "a", "b", "b", "c", "c", "c", "c"});
  FillRows(2, {"x", "x", "y", "y", "y", "z", "z", "z", "z"});
  grid->MergeColumns()->Add(1);
  grid->MergeColumns()->Add(2);
  EXPECT_EQ(grid->CellSpan(1, 1).Y, 2);
  EXPECT_EQ(grid->CellSpan(2, 1).Y, 1);
  EXPECT_EQ(grid->BaseCell(2, 3).Y, 3);
  EXPECT_EQ(grid->BaseCell(2, 4).Y, 4);  // y crosses the a/b boundary: not merged across
  EXPECT_EQ(grid->CellSpan(2, 6).Y, 3);
  grid->SplitAllColumns();
  EXPECT_FALSE(grid->IsMergedCell(1, 2));
}

// ================================================================ statistics, sizing, swapping

TEST_F(GridRowsTest, ColumnStatistics) {
  FillRows(2, {"1", "2", "3", ""});
  EXPECT_DOUBLE_EQ(grid->ColumnSum(2, 1, 4), 6);
  EXPECT_DOUBLE_EQ(grid->ColumnAvg(2, 1, 4), 1.5);
  EXPECT_DOUBLE_EQ(grid->ColumnMin(2, 1, 4), 0);
  EXPECT_DOUBLE_EQ(grid->ColumnMax(2, 1, 4), 3);
  EXPECT_DOUBLE_EQ(grid->ColumnSum(2, 4, 1), 0);
  // A node row in a grouped grid takes no part, also in the average's count.
  FillRows(2, {"100", "5", "7"});
  grid->NewCellGraphic(0, 1)->CellType = TCellType::ctNode;
  grid->GroupColumn = 1;
  EXPECT_DOUBLE_EQ(grid->ColumnMin(2, 1, 3), 5);
  EXPECT_DOUBLE_EQ(grid->ColumnMax(2, 1, 3), 7);
  EXPECT_DOUBLE_EQ(grid->ColumnAvg(2, 1, 3), 6);
  EXPECT_DOUBLE_EQ(grid->ColumnMin(2, 1, 1), 0);
  grid->SetCells(2, 2, "bad");
  EXPECT_THROW(grid->ColumnSum(2, 1, 3), EGridViewError);
}

TEST_F(GridRowsTest, AutoSizeColumnGrowOnlyAndCapped) {
  grid->SetCells(2, 1, "short");
  grid->SetColWidths(2, 300);
  grid->AutoSizeColumn(2, true);
  EXPECT_EQ(grid->GetColWidths(2), 300);
  grid->AutoSizeColumn(2, false);
  TCanvas& canvas = *grid->GetCanvas();
  canvas.Font->Assign(*grid->GetFont());
  int widest = 0;
  for (int r = 0; r < grid->GetRowCount(); ++r) widest = std::max(widest, canvas.TextWidth(grid->GetCells(2, r)));
  EXPECT_EQ(grid->GetColWidths(2), widest + 2 + 2 * grid->GetGridLineWidth() + 2);
  grid->SetCells(2, 2, std::string(200, 'W'));
  grid->MaxColWidth = 80;
  grid->AutoSizeColumn(2, false);
  EXPECT_EQ(grid->GetColWidths(2), 80);
  int asked = 0;
  grid->OnUpdateColumnSize = [&](TObject*, int, int& w) {
    ++asked;
    w = 33;
  };
  grid->AutoSizeColumn(2, false);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(grid->GetColWidths(2), 33);
}

TEST_F(GridRowsTest, SwapRowsExchangesHeightsAndSortOrder) {
  for (int r = 0; r < 10; ++r) grid->SortOrder()->Add(r);
  grid->TrackedRow = 2;
  grid->SwapRows(2, 7);
  EXPECT_EQ(grid->GetCells(1, 2), "r7");
  EXPECT_EQ(grid->GetCells(1, 7), "r2");
  EXPECT_EQ(grid->GetRowHeights(2), 27);
  EXPECT_EQ(grid->GetRowHeights(7), 22);
  EXPECT_EQ(grid->SortOrder()->Get(2), 7);
  EXPECT_EQ(grid->UnsortedRowIndex(7), 2);
  EXPECT_EQ(grid->TrackedRow, 7);
  EXPECT_EQ(grid->SwapCount(), 1);
  grid->SortSettings()->SingleColumn = true;
  grid->SortSettings()->Column = 1;
  grid->SetCells(2, 3, "stay3");
  grid->SetCells(2, 4, "stay4");
  grid->SwapRows(3, 4);
  EXPECT_EQ(grid->GetCells(1, 3), "r4");
  EXPECT_EQ(grid->GetCells(2, 3), "stay3");
  EXPECT_EQ(grid->GetRowHeights(3), 23);
}

TEST_F(GridViewTest, RotatedTextStartsInsideTheCell) {
  TCanvas& canvas = *grid->GetCanvas();
  for (int height : {20, 60, 200}) {
    const TRect cell{10, 10, 110, 10 + height};
    TRect r = cell;
    grid->RotatedTextOrigin(canvas, r, 90, TAlignment::taCenter, vtaCenter, "Rotated");
    EXPECT_GE(r.Left, cell.Left) << height;
    EXPECT_LE(r.Left, cell.Right) << height;
    EXPECT_GE(r.Top, cell.Top) << height;
    EXPECT_LE(r.Top, cell.Bottom) << height;
  }
  // Angle 0, left and top: the start is the shrunk rectangle's corner.
  TRect r{0, 0, 100, 40};
  grid->RotatedTextOrigin(canvas, r, 0, TAlignment::taLeftJustify, vtaTop, "x");
  EXPECT_EQ(r.Left, 2);
  EXPECT_EQ(r.Top, 2);
}

// ================================================================ the electrode table

TEST_F(GridViewTest, ElectrodeTableReadBackThroughEveryMapping) {
  grid->FixedColAlways = true;
  grid->SetVAlignment(vtaCenter);
  grid->SetColCount(9);
  grid->SetRowCount(21);
  EXPECT_EQ(grid->GetFixedCols(), 1);
  for (int r = 1; r <= 20; ++r) {
    grid->AddCellCheckBox(1, r, r % 2 == 0, false);
    for (int c = 2; c < 9; ++c) grid->SetCells(c, r, std::to_string(r * 10 + c));
  }
  // A recorded sort order: data rows reversed.
  for (int r = 0; r <= 20; ++r) grid->SortOrder()->Add(r);
  for (int i = 1; i <= 10; ++i) grid->SwapRows(i, 21 - i);
  EXPECT_EQ(grid->GetCells(2, 1), "202");
  EXPECT_EQ(grid->DisplayedRowIndex(20), 1);
  EXPECT_EQ(grid->UnsortedRowIndex(1), 20);
  bool state = false;
  EXPECT_TRUE(grid->GetCheckBoxState(1, 1, state));
  EXPECT_TRUE(state);  // row 20 had an even number
  // Hidden rows and columns.
  grid->HideColumn(3);
  EXPECT_EQ(grid->RealColIndex(3), 4);
  EXPECT_EQ(grid->RealColIndex(600), 600);
  grid->HideRowRange(2, 4);
  EXPECT_EQ(grid->AllRowsIndex(2), 5);
  grid->SetCellAllRows(4, 3, "edited");
  grid->UnhideAllRows();
  EXPECT_EQ(grid->GetCells(4, 3), "edited");
  for (int r = 1; r <= 20; ++r) {
    const int original = grid->SortOrder()->Get(r);
    EXPECT_EQ(grid->GetCells(2, r), std::to_string(original * 10 + 2));
    EXPECT_EQ(grid->DisplayedRowIndex(original), r);
  }
}

}  // namespace GridViewTests
