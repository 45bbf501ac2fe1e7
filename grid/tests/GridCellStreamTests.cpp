#include "grid/GridCellIO.h"
#include "grid/GridView.h"
#include "platform/rtl/Streaming.h"
#include "platform/ui/ClipboardFormats.h"
#include "platform/ui/tests/UiFixture.h"

#include <functional>

namespace GridCellStreamTests {

namespace CF = ClipboardFormats;

class GridCellStreamTest : public UiTest {
 protected:
  GridCellStreamTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 600, 400);
    source = MakeGrid(6, 6);
    target = MakeGrid(8, 8);
  }
  TGridView* MakeGrid(int Cols, int Rows) {
    auto* g = Create<TGridView>(form);
    g->SetParent(form);
    g->SetBounds(0, 0, 560, 360);
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    g->SetOptions(g->GetOptions() + goEditing);
    g->Navigation()->AllowFmtClipboard = true;
    return g;
  }
  // Every text of a grid, row by row.
  static std::vector<std::string> Texts(TGridView& G) {
    std::vector<std::string> out;
    for (int r = 0; r < G.GetRowCount(); ++r)
      for (int c = 0; c < G.GetColCount(); ++c) out.push_back(G.GetCells(c, r));
    return out;
  }
  // The 2 x 2 block at (1, 1): a styled text, a check box, a radio group and an empty cell.
  void FillBlock() {
    source->SetCells(1, 1, "styled");
    TCellProperties* p = source->CellProperties(1, 1);
    p->SetBrushColor(clRed);
    p->FontStyle = TFontStyles{TFontStyle::fsBold};
    p->FontName = "Courier";
    p->ReadOnly = true;
    p->Alignment = TAlignment::taRightJustify;
    source->AddCellCheckBox(2, 1, true, false);
    source->AddRadio(1, 2, true, {"one", "two", "three"}, 1);
  }
  std::string Stream(const TRect& R) {
    TMemoryStream s;
    source->SaveCellsToStream(R, s);
    return s.DataString();
  }
  TForm* form = nullptr;
  TGridView* source = nullptr;
  TGridView* target = nullptr;
};

TEST_F(GridCellStreamTest, RangeLoadsAtAnOffsetWithPropertiesAndGraphics) {
  FillBlock();
  const std::string bytes = Stream(TRect(1, 1, 2, 2));
  TMemoryStream in;
  in.WriteString(bytes);
  in.SetPosition(0);
  target->LoadCellsFromStream(TPoint{3, 4}, in);

  EXPECT_EQ(target->GetCells(3, 4), "styled");
  ASSERT_TRUE(target->HasCellProperties(3, 4));
  const TCellProperties* p = target->CellProperties(3, 4);
  EXPECT_EQ(p->GetBrushColor(), clRed);
  EXPECT_TRUE(p->FontStyle.Contains(TFontStyle::fsBold));
  EXPECT_EQ(p->FontName, "Courier");
  EXPECT_TRUE(p->ReadOnly);
  EXPECT_EQ(p->Alignment, TAlignment::taRightJustify);

  bool state = false;
  ASSERT_TRUE(target->GetCheckBoxState(4, 4, state));
  EXPECT_TRUE(state);
  EXPECT_EQ(target->CellTypeOf(4, 4), TCellType::ctCheckBox);

  ASSERT_TRUE(target->IsRadioCell(3, 5));
  int sel = -1;
  ASSERT_TRUE(target->RadioSelection(3, 5, sel));
  EXPECT_EQ(sel, 1);
  ASSERT_NE(target->RadioItems(3, 5), nullptr);
  EXPECT_EQ(target->RadioItems(3, 5)->GetCommaText(), "one,two,three");
  EXPECT_EQ(target->GetCells(3, 5), "two");

  // No record for the empty cell: three cells travel.
  TMemoryStream again;
  again.WriteString(bytes);
  again.SetPosition(0);
  const GridCellIO::TCellStream read = GridCellIO::ReadCellStream(again);
  EXPECT_EQ(read.Cells.size(), 3u);
  EXPECT_EQ(read.ColCount, 2);
  EXPECT_EQ(read.RowCount, 2);
  EXPECT_FALSE(target->HasCellProperties(4, 5));
  EXPECT_EQ(target->GetCells(4, 5), "");
}

TEST_F(GridCellStreamTest, ClipboardPasteNotifiesTheOriginOnlyForItsOwnCells) {
  FillBlock();
  std::vector<TPoint> origins;
  std::vector<TRect> rects;
  auto record = [&](TObject*, TPoint O, const TRect& R, bool) {
    origins.push_back(O);
    rects.push_back(R);
  };
  source->OnPasteNotify = record;
  target->OnPasteNotify = record;
  source->SetSelection(TGridRect{1, 1, 2, 2});
  source->CopyToClipboard();
  ASSERT_TRUE(CF::HasFormat(CF::GridCells));

  EXPECT_EQ(target->PasteAt(5, 5), 4);
  EXPECT_EQ(target->GetCells(5, 5), "styled");
  EXPECT_EQ(source->PasteAt(3, 3), 4);
  EXPECT_EQ(source->GetCells(3, 3), "styled");
  ASSERT_EQ(origins.size(), 2u);
  EXPECT_EQ(origins[0].X, -1);
  EXPECT_EQ(origins[0].Y, -1);
  EXPECT_EQ(origins[1].X, 1);
  EXPECT_EQ(origins[1].Y, 1);
  EXPECT_EQ(rects[0].Left, 5);
  EXPECT_EQ(rects[0].Bottom, 6);
}

TEST_F(GridCellStreamTest, FullGridBringsCountsWidthsAndHeights) {
  source->IncludeFixedCells = true;
  for (int c = 0; c < 6; ++c) source->SetColWidths(c, 30 + 7 * c);
  for (int r = 0; r < 6; ++r) source->SetRowHeights(r, 15 + 3 * r);
  source->SetCells(0, 0, "corner");
  source->SetCells(5, 5, "last");
  TMemoryStream s;
  source->SaveCellsToStream(TRect(0, 0, 5, 5), s);
  s.SetPosition(0);
  target->IncludeFixedCells = true;
  target->SetCells(7, 7, "gone");
  target->LoadCellsFromStream(TPoint{0, 0}, s);
  EXPECT_EQ(target->GetColCount(), 6);
  EXPECT_EQ(target->GetRowCount(), 6);
  for (int c = 0; c < 6; ++c) EXPECT_EQ(target->GetColWidths(c), 30 + 7 * c);
  for (int r = 0; r < 6; ++r) EXPECT_EQ(target->GetRowHeights(r), 15 + 3 * r);
  EXPECT_EQ(target->GetCells(0, 0), "corner");
  EXPECT_EQ(target->GetCells(5, 5), "last");
}

TEST_F(GridCellStreamTest, FullGridWithoutFixedCellsGrowsToHoldTheStoredPlaces) {
  // 5 x 5 normal cells of a grid with one fixed row and column.
  source->SetCells(5, 5, "far");
  TMemoryStream s;
  source->SaveCellsToStream(TRect(1, 1, 5, 5), s);
  s.SetPosition(0);
  target->LoadCellsFromStream(TPoint{0, 0}, s);
  EXPECT_EQ(target->GetColCount(), 6);
  EXPECT_EQ(target->GetRowCount(), 6);
  EXPECT_EQ(target->GetCells(5, 5), "far");
}

TEST_F(GridCellStreamTest, GraphicsTravelOnlyWhenTheGridOwnsThem) {
  auto bitmap = [](TColor Color) {
    auto* b = new TBitmap(4, 3);
    b->GetCanvas()->Brush->SetColor(Color);
    b->GetCanvas()->FillRect(TRect(0, 0, 4, 3));
    return b;
  };
  source->SetCells(1, 1, "mine");
  TCellGraphic* owned = source->NewCellGraphic(1, 1);
  owned->CellType = TCellType::ctBitmap;
  owned->CellImage = bitmap(clLime);
  owned->CellCreated = true;
  source->SetCells(2, 1, "theirs");
  std::unique_ptr<TBitmap> appOwned(bitmap(clBlue));
  TCellGraphic* borrowed = source->NewCellGraphic(2, 1);
  borrowed->CellType = TCellType::ctBitmap;
  borrowed->CellImage = appOwned.get();
  borrowed->CellCreated = false;
  source->SetCells(3, 1, "images");
  source->NewCellGraphic(3, 1)->CellType = TCellType::ctImages;
  source->CellGraphicOf(3, 1)->CellObject = new TIntList();
  source->CellGraphicOf(3, 1)->CellCreated = true;
  static_cast<TIntList*>(source->CellGraphicOf(3, 1)->CellObject)->SetCommaText("4,0,2");

  TMemoryStream s;
  source->SaveCellsToStream(TRect(1, 1, 3, 1), s);
  s.SetPosition(0);
  target->LoadCellsFromStream(TPoint{1, 1}, s);

  TCellGraphic* g = target->CellGraphicOf(1, 1);
  ASSERT_NE(g, nullptr);
  ASSERT_NE(g->CellImage, nullptr);
  EXPECT_TRUE(g->CellCreated);
  const auto* b = dynamic_cast<const TBitmap*>(g->CellImage);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->GetWidth(), 4);
  EXPECT_EQ(b->GetPixelColor(2, 1), clLime);

  EXPECT_EQ(target->GetCells(2, 1), "theirs");
  EXPECT_TRUE(target->HasCellProperties(2, 1));
  EXPECT_EQ(target->CellGraphicOf(2, 1), nullptr);

  ASSERT_NE(target->CellImageList(3, 1), nullptr);
  EXPECT_EQ(target->CellImageList(3, 1)->GetCommaText(), "4,0,2");
}

TEST_F(GridCellStreamTest, ProgressRisesToOneHundredOncePerValue) {
  std::vector<int> steps;
  source->OnFileProgress = [&](TObject*, int16_t P) { steps.push_back(P); };
  TMemoryStream s;
  source->SaveCellsToStream(TRect(0, 0, 5, 4), s);
  EXPECT_EQ(steps, (std::vector<int>{0, 25, 50, 75, 100}));
}

TEST_F(GridCellStreamTest, CellsThatWouldFallOutsideTheGridAreSkipped) {
  source->SetCells(1, 1, "in");
  source->SetCells(3, 3, "out");
  TMemoryStream s;
  source->SaveCellsToStream(TRect(1, 1, 3, 3), s);
  s.SetPosition(0);
  target->LoadCellsFromStream(TPoint{6, 6}, s);
  EXPECT_EQ(target->GetCells(6, 6), "in");
  EXPECT_EQ(target->GetColCount(), 8);
  EXPECT_EQ(target->GetRowCount(), 8);
  EXPECT_EQ(target->AllColCount(), 8);
}

// ---------------------------------------------------------------- damaged streams

std::string Record(TComponent& Carrier) {
  TMemoryStream s;
  TWriter w(s);
  w.WriteRootComponent(&Carrier);
  return s.DataString();
}

std::string Header(int Cols, int Rows, const std::string& Widths, const std::string& Heights) {
  TGridPropIO h;
  h.ColCount = Cols;
  h.RowCount = Rows;
  h.ColWidths = Widths;
  h.RowHeights = Heights;
  return Record(h);
}

std::string Cell(int Col, int Row, const std::string& Text, bool HasProp) {
  TGridCellIO c;
  c.Col = Col;
  c.Row = Row;
  c.Cell = Text;
  c.HasProp = HasProp;
  return Record(c);
}

std::string Props(bool HasGraphic, const std::function<void(TCellProperties&)>& Edit = nullptr) {
  TGridCellPropIO p;
  p.HasGraphic = HasGraphic;
  if (Edit) Edit(*p.CellProperties());
  return Record(p);
}

std::string Graphic(const std::function<void(TCellGraphic&)>& Edit) {
  TGridGraphicIO g;
  Edit(*g.CellGraphic());
  return Record(g);
}

TEST_F(GridCellStreamTest, DamagedStreamsRaiseAndChangeNothing) {
  const std::string ok = Header(2, 2, "64,64", "24,24") + Cell(0, 0, "x", false) + Cell(1, 1, "y", false);
  TGridSLIO badIndices;
  badIndices.Strings()->SetCommaText("1,x");
  TGridBMPIO bmp;
  const std::string withChild = [] {
    // A cell record with a component written inside it.
    std::string r = Cell(0, 0, "child", false);
    r.pop_back();
    TGridCellIO inner;
    TMemoryStream s;
    TWriter w(s);
    w.WriteComponent(&inner);
    return r + s.DataString() + std::string(1, '\0');
  }();
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"signature only", "TPF0"},
      {"wrong signature", "XPF0" + ok.substr(4)},
      {"header cut short", ok.substr(0, 30)},
      {"second cell cut short", ok.substr(0, ok.size() - 5)},
      {"no columns", Header(0, 2, "", "24,24")},
      {"negative rows", Header(2, -3, "64,64", "")},
      {"huge counts", Header(1 << 30, 1, "64", "24")},
      {"widths fewer than columns", Header(3, 2, "64,64", "24,24")},
      {"a width that is no number", Header(2, 2, "64,wide", "24,24")},
      {"a negative height", Header(2, 2, "64,64", "24,-24")},
      {"a header where a cell belongs", ok + Header(2, 2, "64,64", "24,24")},
      {"an unknown class", Header(2, 2, "64,64", "24,24") + "TPF0\x05TForm\x00\x00\x00"},
      {"a component inside a record", Header(2, 2, "64,64", "24,24") + withChild},
      {"properties missing", Header(2, 2, "64,64", "24,24") + Cell(0, 0, "p", true)},
      {"alignment out of range",
       Header(2, 2, "64,64", "24,24") + Cell(0, 0, "p", true) +
           Props(false, [](TCellProperties& P) { P.Alignment = static_cast<TAlignment>(9); })},
      {"cell type out of range",
       Header(2, 2, "64,64", "24,24") + Cell(0, 0, "g", true) + Props(true) +
           Graphic([](TCellGraphic& G) { G.CellType = static_cast<TCellType>(77); })},
      {"media record missing",
       Header(2, 2, "64,64", "24,24") + Cell(0, 0, "g", true) + Props(true) +
           Graphic([](TCellGraphic& G) { G.CellType = TCellType::ctRadio; })},
      {"image indices that are no numbers",
       Header(2, 2, "64,64", "24,24") + Cell(0, 0, "g", true) + Props(true) +
           Graphic([](TCellGraphic& G) { G.CellType = TCellType::ctImages; }) + Record(badIndices)},
      {"a bitmap record where strings belong",
       Header(2, 2, "64,64", "24,24") + Cell(0, 0, "g", true) + Props(true) +
           Graphic([](TCellGraphic& G) { G.CellType = TCellType::ctRadio; }) + Record(bmp)},
  };
  target->SetCells(1, 1, "kept");
  target->SetColWidths(1, 40);
  const std::vector<std::string> before = Texts(*target);
  for (const Case& k : cases) {
    TMemoryStream s;
    s.WriteString(k.bytes);
    s.SetPosition(0);
    EXPECT_THROW(target->LoadCellsFromStream(TPoint{0, 0}, s), EReadError) << k.what;
    EXPECT_EQ(Texts(*target), before) << k.what;
    EXPECT_EQ(target->GetColCount(), 8) << k.what;
    EXPECT_EQ(target->GetColWidths(1), 40) << k.what;
    EXPECT_FALSE(target->HasCellProperties(0, 0)) << k.what;
  }
  // The undamaged stream reads.
  TMemoryStream s;
  s.WriteString(ok);
  s.SetPosition(0);
  target->LoadCellsFromStream(TPoint{4, 4}, s);
  EXPECT_EQ(target->GetCells(4, 4), "x");
  EXPECT_EQ(target->GetCells(5, 5), "y");
}

TEST_F(GridCellStreamTest, EveryTruncationEitherRaisesOrReadsWholeRecords) {
  FillBlock();
  const std::string bytes = Stream(TRect(1, 1, 2, 2));
  for (size_t n = 0; n + 1 < bytes.size(); ++n) {
    TGridView* g = MakeGrid(4, 4);
    TMemoryStream s;
    s.WriteString(bytes.substr(0, n));
    s.SetPosition(0);
    try {
      g->LoadCellsFromStream(TPoint{0, 0}, s);
    } catch (const EReadError&) {
      for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) ASSERT_EQ(g->GetCells(c, r), "") << n;
    }
    g->Free();
  }
}

}  // namespace GridCellStreamTests
