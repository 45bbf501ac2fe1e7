// The electrode editor: the table it loads from a survey file, its picture,
// the measurement selection it drives in both directions, every edit that goes
// into the survey (values, weights, the used flag) with its validation, and the
// row mapping after a header sort, a reload and a new survey.

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>

#include "app/EditUnit.h"
#include "app/tests/AppTestSupport.h"
#include "chart/series/Series.h"
#include "grid/GridUtil.h"
#include "platform/gdi/DeviceContext.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace ElectrodeEditorTest {

namespace {

namespace fs = std::filesystem;
using AppTest::AppFixture;
using Supermath2d::NoValue;

// Two current pairs of three receivers each: a dipole pair (C1 0, C2 10) and a
// pole pair (C2 at infinity) whose last receiver has P2 at infinity too.
constexpr const char* FixtureText =
    "C1 C2 P1 P2 ro_a eta_a weight\n"
    "0 10 2 4 100 5 1\n"
    "0 10 4 6 110 6 0.5\n"
    "0 10 6 8 120 7 1\n"
    "30 * 26 28 90 4 1\n"
    "30 * 24 26 95 3 0.25\n"
    "30 * 22 * 80 2 1\n";

constexpr TColor CurrentRowColor = 0x90FFFF;

// The geometric factor of surface electrodes over a half-space, from the positions
// (NoValue: at infinity).
double HalfSpaceFactor(double C1, double C2, double P1, double P2) {
  auto g = [](double A, double M) { return A == NoValue || M == NoValue ? 0.0 : 1.0 / std::fabs(A - M); };
  return 2.0 * std::numbers::pi / (g(C1, P1) - g(C2, P1) - g(C1, P2) + g(C2, P2));
}

std::vector<std::string> Labels(TChartSeries& Series) {
  std::vector<std::string> labels;
  for (int32_t i = 0; i < Series.Count(); ++i) labels.push_back(Series.GetLabel(i));
  std::sort(labels.begin(), labels.end());
  return labels;
}

class ElectrodeEditorTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    Dir = fs::temp_directory_path() / ("kv_electrode_editor_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
    std::ofstream(Dir / "pairs.k2d") << FixtureText;
  }
  void TearDown() override {
    if (EditUnit::EditForm) EditUnit::EditForm->Free();
    EditUnit::EditForm = nullptr;
    AppFixture::TearDown();
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  void Open(TMainForm& F, const std::string& File) {
    Seam.AnswerFileDialog(TFileDialogResult{{File}, 1});
    AppTest::AcceptModelConstructor(Seam);
    F.Openfile1->Click();
  }
  TMainForm& OpenFixture() {
    TMainForm& f = OpenForm();
    f.SetBounds(0, 0, 900, 700);
    Open(f, (Dir / "pairs.k2d").string());
    return f;
  }
  // The editor as the command shows it, with its redraws counted.
  TEditForm& ShowEditor(TMainForm& F) {
    F.Electrodeeditor1->Click();
    TEditForm* e = EditUnit::EditForm.Get();
    EXPECT_TRUE(e && e->GetVisible());
    e->PlotDataHook = [this, &F](bool Upper) {
      ++(Upper ? UpperRedraws : LowerRedraws);
      F.PlotData(Upper);
    };
    return *e;
  }
  // Calculated values beside the observed ones, so that both sections show data.
  void AddCalculatedData(TMainForm& F) {
    for (osource& s : F.Survey.Asource)
      for (size_t j = 0; j < s.RhoA.size(); ++j) {
        s.RhoACalc[j] = 1.1 * s.RhoA[j];
        s.ResCalc[j] = 1.1 * s.Res[j];
      }
    F.CalculatedReady = true;
    F.PlotData(true);
    F.PlotData(false);
  }
  static std::vector<std::string> Row(TGridView& G, int R) {
    std::vector<std::string> texts;
    for (int c = 0; c < G.GetColCount(); ++c) texts.push_back(G.GetCells(c, R));
    return texts;
  }
  static int32_t FlatOfRow(TEditForm& E, int R) {
    int32_t pair = -1, receiver = -1;
    E.MeasurementOfRow(R, pair, receiver);
    return pair < 0 ? -1 : E.MainWindow()->FlatIndex(pair, receiver);
  }
  static void ClickCell(TGridView& G, int C, int R) {
    const TRect r = G.TBaseGrid::CellRect(C, R);
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    G.MouseDown(TMouseButton::mbLeft, {}, x, y);
    G.MouseUp(TMouseButton::mbLeft, {}, x, y);
  }
  static void ClickHeader(TGridView& G, int C) {
    const TRect r = G.TBaseGrid::CellRect(C, 0);
    G.MouseDown(TMouseButton::mbLeft, {}, r.Left + 5, r.Top + 5);
    G.MouseUp(TMouseButton::mbLeft, {}, r.Left + 5, r.Top + 5);
  }
  // Types a text into a cell and presses Enter, as a person does.
  static void TypeInto(TGridView& G, int C, int R, const std::string& Text) {
    G.SetCol(C);
    G.SetRow(R);
    for (char ch : Text) {
      TKeyChar c = static_cast<unsigned char>(ch);
      TWinControl* target = G.InplaceEditor() && G.InplaceEditor()->GetVisible()
                                ? static_cast<TWinControl*>(G.InplaceEditor())
                                : static_cast<TWinControl*>(&G);
      target->KeyPress(c);
    }
    PressEnter(G);
  }
  static void PressEnter(TGridView& G) {
    TWinControl* target = G.InplaceEditor() && G.InplaceEditor()->GetVisible()
                              ? static_cast<TWinControl*>(G.InplaceEditor())
                              : static_cast<TWinControl*>(&G);
    uint16_t key = VK_RETURN;
    target->KeyDown(key, {});
    TKeyChar c = u'\r';
    target->KeyPress(c);
    uint16_t up = VK_RETURN;
    (G.InplaceEditor() && G.InplaceEditor()->GetVisible() ? static_cast<TWinControl*>(G.InplaceEditor())
                                                          : static_cast<TWinControl*>(&G))
        ->KeyUp(up, {});
  }
  static std::string EditorText(TGridView& G) {
    TGridInplaceEdit* e = G.InplaceEditor();
    return e && e->GetVisible() ? e->GetText() : std::string("<no editor>");
  }

  fs::path Dir;
  int UpperRedraws = 0, LowerRedraws = 0;
};

// ================================================================ loading

TEST_F(ElectrodeEditorTest, LoadsOneRowPerMeasurementInSurveyOrder) {
  TMainForm& f = OpenFixture();
  TEditForm& e = ShowEditor(f);
  TGridView& g = *e.GridView1;
  EXPECT_EQ(e.GetCaption(), "Electrode editor");
  ASSERT_EQ(g.GetRowCount(), 7);
  ASSERT_EQ(g.GetColCount(), 9);
  EXPECT_EQ(Row(g, 0), (std::vector<std::string>{"", "Used", "C1", "C2", "P1", "P2", "ra", "R", "weight"}));
  struct TWant {
    std::vector<std::string> Texts;  // columns 0 and 2 to 6, and 8
    double C1, C2, P1, P2;
  };
  const TWant want[] = {
      {{"1", "0", "10", "2", "4", "100", "1"}, 0, 10, 2, 4},
      {{"2", "0", "10", "4", "6", "110", "0.5"}, 0, 10, 4, 6},
      {{"3", "0", "10", "6", "8", "120", "1"}, 0, 10, 6, 8},
      {{"4", "30", "*", "22", "*", "80", "1"}, 30, NoValue, 22, NoValue},
      // The survey orders the potential electrodes of a pole pair so that K > 0.
      {{"5", "30", "*", "26", "24", "95", "0.3"}, 30, NoValue, 26, 24},
      {{"6", "30", "*", "28", "26", "90", "1"}, 30, NoValue, 28, 26},
  };
  for (int r = 1; r <= 6; ++r) {
    const TWant& w = want[r - 1];
    const std::vector<std::string> row = Row(g, r);
    EXPECT_EQ((std::vector<std::string>{row[0], row[2], row[3], row[4], row[5], row[6], row[8]}), w.Texts) << r;
    bool used = false;
    EXPECT_TRUE(g.GetCheckBoxState(1, r, used));
    EXPECT_TRUE(used) << r;
    // Column 7 is the resistance rho_a / K, K from the electrode positions.
    const double rhoA = std::stod(w.Texts[5]);
    const double k = HalfSpaceFactor(w.C1, w.C2, w.P1, w.P2);
    EXPECT_EQ(row[7], Supermath2d::FloatToStrDec(0, 1, rhoA / k)) << r;
    EXPECT_EQ(FlatOfRow(e, r), r - 1);
  }
  // The weight 0.25 has two decimals below 1: ceil(-log10 0.25) = 1 decimal.
  EXPECT_EQ(g.GetCells(8, 5), "0.3");
  EXPECT_EQ(g.GetRow(), 1);
}

TEST_F(ElectrodeEditorTest, CommandNeedsDataAndPolarizabilityChangesTheValueColumn) {
  TMainForm& f = OpenForm();
  f.Electrodeeditor1->Click();
  EXPECT_FALSE(EditUnit::EditForm && EditUnit::EditForm->GetVisible());
  f.SetBounds(0, 0, 900, 700);
  Open(f, std::string(KV_TESTDATA_DIR) + "/res2dinv/res2dinv-ipgeneral.dat");
  ASSERT_TRUE(f.HasIP);
  f.SpeedButton5->Click();
  TEditForm& e = *EditUnit::EditForm;
  ASSERT_TRUE(e.GetVisible());
  int32_t total = 0;
  for (const osource& s : f.Survey.Asource) total += static_cast<int32_t>(s.RhoA.size());
  EXPECT_EQ(e.GridView1->GetRowCount(), total + 1);
  // The polarizability view shows eta_a in column 6, headed "ha%", and reloads a visible table.
  f.SpeedButton7->Click();
  ASSERT_EQ(f.DataQuantity, 1);
  EXPECT_EQ(e.GridView1->GetCells(6, 0), "ha%");
  const osource& s = f.Survey.Asource[0];
  EXPECT_EQ(e.GridView1->GetCells(6, 1), Supermath2d::FloatToStrDec(0, 1, s.EtaA[0]));
  f.SpeedButton3->Click();
  EXPECT_EQ(e.GridView1->GetCells(6, 0), "ra");
  EXPECT_EQ(e.GridView1->GetCells(6, 1), Supermath2d::FloatToStrDec(0, 1, s.RhoA[0]));
}

// ================================================================ the picture

bool Dark(TColor C) { return (C & 0xFF) + ((C >> 8) & 0xFF) + ((C >> 16) & 0xFF) < 3 * 110; }

std::vector<std::string> Ink(const TBitmap& B, const TRect& R) {
  std::vector<std::string> rows;
  for (int y = R.Top; y < R.Bottom; ++y) {
    std::string row;
    for (int x = R.Left; x < R.Right; ++x) row += Dark(B.GetPixelColor(x, y)) ? '1' : '0';
    rows.push_back(row);
  }
  return rows;
}

// The rows from the first to the last with ink, each cut to the columns with ink.
std::vector<std::string> Trimmed(const std::vector<std::string>& Picture) {
  size_t first = Picture.size(), last = 0, left = std::string::npos, right = 0;
  for (size_t y = 0; y < Picture.size(); ++y) {
    const size_t a = Picture[y].find('1');
    if (a == std::string::npos) continue;
    first = std::min(first, y), last = y;
    left = std::min(left, a), right = std::max(right, Picture[y].rfind('1'));
  }
  std::vector<std::string> out;
  for (size_t y = first; y <= last && first < Picture.size(); ++y) out.push_back(Picture[y].substr(left, right - left + 1));
  return out;
}

size_t FirstInkColumn(const std::vector<std::string>& Picture) {
  size_t left = std::string::npos;
  for (const std::string& row : Picture) left = std::min(left, row.find('1'));
  return left;
}

TEST_F(ElectrodeEditorTest, PaintsTheCurrentRowCentredTextsSymbolHeaderAndBoxes) {
  TMainForm& f = OpenFixture();
  TEditForm& e = ShowEditor(f);
  e.SetClientWidth(560);
  TGridView& g = *e.GridView1;
  g.SetRow(2);
  // Measurement 3 switched off: its box is drawn unticked.
  f.Survey.Asource[0].FlagsC[2] = 0;
  e.LoadGrid();
  g.SetRow(2);
  TBitmap bmp;
  g.PaintTo(bmp);
  {
    TPngImage png;
    png.Assign(bmp);
    png.SaveToFile("/tmp/electrode_editor.png");
  }
  auto body = [&](int C, int R) {
    const TRect c = g.TBaseGrid::CellRect(C, R);
    return TRect(c.Left + 1, c.Top + 1, c.Right - 1, c.Bottom - 1);
  };
  // The whole current row in the selection colours, the other data rows white.
  for (int c = 1; c <= 8; ++c) {
    const TRect cur = body(c, 2), other = body(c, 4);
    EXPECT_EQ(bmp.GetPixelColor(cur.Left + 1, cur.Top + 1), CurrentRowColor) << c;
    EXPECT_EQ(bmp.GetPixelColor(other.Left + 1, other.Top + 1), clWhite) << c;
  }
  // Text of the current row in navy; every text centred both ways (ink margins
  // differ by at most one pixel).
  for (int r : {2, 4}) {
    const TRect b = body(7, r);
    int left = b.Right, right = b.Left, top = b.Bottom, bottom = b.Top;
    bool navy = false;
    for (int y = b.Top; y < b.Bottom; ++y)
      for (int x = b.Left; x < b.Right; ++x) {
        const TColor px = bmp.GetPixelColor(x, y);
        if (!Dark(px)) continue;
        navy = navy || px == clNavy;
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      }
    ASSERT_LE(left, right) << r;
    EXPECT_EQ(navy, r == 2) << r;
    // (Ink margins: the glyphs' side bearings and the descent leave a few pixels.)
    EXPECT_LE(std::abs((left - b.Left) - (b.Right - 1 - right)), 2) << r;
    EXPECT_LE(std::abs((top - b.Top) - (b.Bottom - 1 - bottom)), 3) << r;
  }
  // The check boxes: ticked and unticked pictures of the XP look, centred.
  for (int r : {1, 2, 3}) {
    const TRect b = body(1, r);
    const int x = b.Left + (b.Width() - 15) / 2, y = b.Top + (b.Height() - 15) / 2;
    const TColor back = r == 2 ? CurrentRowColor : clWhite;
    TBitmap want(15, 15);
    want.GetCanvas()->Brush->SetColor(back);
    want.GetCanvas()->FillRect(TRect(0, 0, 15, 15));
    GridUtil::DrawResourceBitmap(*want.GetCanvas(), back, TRect(0, 0, 15, 15), r == 3 ? "GVCHK06" : "GVCHK05");
    bool same = true;
    for (int yy = 0; yy < 15; ++yy)
      for (int xx = 0; xx < 15; ++xx) same = same && bmp.GetPixelColor(x + xx, y + yy) == want.GetPixelColor(xx, yy);
    EXPECT_TRUE(same) << "row " << r;
  }
  // The header "ra" in the Symbol face shows rho-a: the Greek rho in the Symbol
  // face followed by a Latin "a" in the header font.
  {
    const TRect b = body(6, 0);
    TBitmap ref(bmp.GetWidth(), bmp.GetHeight());
    TCanvas& c = *ref.GetCanvas();
    c.Brush->SetColor(clWhite);
    c.FillRect(TRect(0, 0, ref.GetWidth(), ref.GetHeight()));
    c.Font->Assign(*g.GetFixedFont());
    const std::string latin = c.Font->GetName();
    c.Font->SetName("Symbol");
    const int w1 = c.TextWidth(GridUtil::WideToUtf8(u"\u03C1"));
    c.Font->SetName(latin);
    const int w2 = c.TextWidth("a");
    const TRect tr(b.Left + 2, b.Top + 2, b.Right - 2, b.Bottom);
    const int x = tr.Left + (tr.Width() - w1 - w2) / 2;
    const uint32_t flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    c.Font->SetName("Symbol");
    TRect r1(x, tr.Top, x + w1, tr.Bottom);
    c.GetHandle()->SetBkMode(TRANSPARENT);
    c.GetHandle()->DrawText("r", r1, flags);
    c.Refresh();
    c.Font->SetName(latin);
    TRect r2(x + w1, tr.Top, tr.Right, tr.Bottom);
    c.GetHandle()->SetBkMode(TRANSPARENT);
    c.GetHandle()->DrawText("a", r2, flags);
    c.Refresh();
    // The same letters at the same columns (the grid places wrapped text a little
    // differently in height).
    EXPECT_EQ(Trimmed(Ink(bmp, b)), Trimmed(Ink(ref, b)));
    EXPECT_EQ(FirstInkColumn(Ink(bmp, b)), FirstInkColumn(Ink(ref, b)));
    EXPECT_FALSE(Trimmed(Ink(bmp, b)).empty());
  }
}

// ================================================================ selection

TEST_F(ElectrodeEditorTest, SelectingARowMarksItsMeasurementAndItsElectrodes) {
  TMainForm& f = OpenFixture();
  f.Survey.DataPlotType = 0;
  f.ApplySectionSettings();
  AddCalculatedData(f);
  f.PlotElectrodes();
  TEditForm& e = ShowEditor(f);
  struct TCase {
    int Row;
    std::vector<std::string> Labels;
  } cases[] = {{5, {"", "c1", "p1", "p2"}}, {4, {"", "c1", "p1"}}, {1, {"", "c1", "c2", "p1", "p2"}}};
  for (const TCase& c : cases) {
    e.GridView1->SetRow(c.Row);
    for (TPseudoSection2d* s : {f.PseudoSection2d1, f.PseudoSection2d2})
      EXPECT_EQ(Labels(*s->MarkerSeries), c.Labels) << c.Row;
    // The lime data point sits at the measurement's pseudo-position and level.
    int32_t pair = -1, receiver = -1;
    ASSERT_TRUE(e.MeasurementOfRow(c.Row, pair, receiver));
    TPointSeries& markers = *f.PseudoSection2d1->MarkerSeries;
    bool lime = false;
    for (int32_t i = 0; i < markers.Count(); ++i)
      if (markers.GetLabel(i).empty())
        lime = markers.ValueColor(i) == TColor(0x00FF00) &&
               markers.GetXValue(i) == f.Survey.Asource[size_t(pair)].PlotX[size_t(receiver)] &&
               markers.GetYValue(i) == f.LevelDepth(pair, receiver);
    EXPECT_TRUE(lime) << c.Row;
    // Only the measurement's own electrodes are coloured: no C2 for the pole pair.
    const osource& s = f.Survey.Asource[size_t(pair)];
    TPointSeries& electrodes = *f.PolygonChart1->ElectrodeSeries;
    for (int32_t i = 0; i < electrodes.Count(); ++i) {
      const bool current = i == s.C1 || i == s.C2;
      const bool potential = i == s.P1[size_t(receiver)] || i == s.P2[size_t(receiver)];
      const TColor want = current ? TColor(0x0000FF) : potential ? TColor(0xFF0000) : clBlack;
      EXPECT_EQ(electrodes.ValueColor(i), want) << c.Row << " electrode " << i;
    }
  }
  // Closing the editor clears the markers.
  e.Close();
  EXPECT_FALSE(e.GetVisible());
  EXPECT_EQ(f.PseudoSection2d1->MarkerSeries->Count(), 0);
  EXPECT_EQ(f.PseudoSection2d2->MarkerSeries->Count(), 0);
}

TEST_F(ElectrodeEditorTest, CurvePressesAndSectionClicksMoveTheRowThroughTheSortedTable) {
  TMainForm& f = OpenFixture();
  TEditForm& e = ShowEditor(f);
  TGridView& g = *e.GridView1;
  ClickHeader(g, 8);  // by weight: 0.25 and 0.5 come first
  ASSERT_EQ(FlatOfRow(e, 1), 4);
  ASSERT_EQ(FlatOfRow(e, 2), 1);

  // A press on a point of curve 1 (the pole pair) at receiver 1's position.
  f.Survey.DataPlotType = 1;
  f.Survey.graphicstype = 0;
  f.ApplySectionSettings();
  AddCalculatedData(f);
  TLineSeries* curve = f.ObservedRhoGraph->Curve(1);
  ASSERT_NE(curve, nullptr);
  int32_t index = -1;
  for (int32_t i = 0; i < curve->Count(); ++i)
    if (curve->GetXValue(i) == f.Survey.Asource[1].PlotX0[1]) index = i;
  ASSERT_GE(index, 0);
  f.Chart1ClickSeries(f.PseudoSection2d1, curve, index, TMouseButton::mbLeft);
  EXPECT_EQ(g.GetRow(), 1);  // flat index 4 is displayed in row 1
  f.Chart1MouseUp(f.PseudoSection2d1, TMouseButton::mbLeft);
  EXPECT_GT(f.PseudoSection2d1->MarkerSeries->Count(), 0);  // the editor shows: markers stay

  // A pseudo-section point shared by two measurements alternates between them.
  f.Survey.DataPlotType = 0;
  f.ApplySectionSettings();
  osource& a = f.Survey.Asource[0];
  osource& b = f.Survey.Asource[1];
  b.PlotX[1] = a.PlotX[1];
  b.GroupIndex[1] = a.GroupIndex[1];
  TPointSeries& markers = *f.PseudoSection2d1->MarkerSeries;
  std::vector<int32_t> shown;
  for (int click = 0; click < 3; ++click) {
    markers.Clear();
    markers.AppendPoint(a.PlotX[1], f.LevelDepth(0, 1));
    f.PseudoSection2d1ClickSeries(f.PseudoSection2d1, &markers, 0);
    shown.push_back(FlatOfRow(e, g.GetRow()));
  }
  EXPECT_EQ(shown, (std::vector<int32_t>{1, 4, 1}));
}

// ================================================================ edits

TEST_F(ElectrodeEditorTest, EditsAreValidatedAndStoredInTheSurvey) {
  TMainForm& f = OpenFixture();
  ASSERT_TRUE(f.HasIP);
  TEditForm& e = ShowEditor(f);
  const Asource original = f.Survey.Asource;
  const osource& s0 = original[0];
  const double k = s0.K[0], r0 = s0.Res[0], rho0 = s0.RhoA[0], eta0 = s0.EtaA[0];
  ASSERT_NEAR(k, HalfSpaceFactor(0, 10, 2, 4), 1e-9 * std::fabs(k));
  struct TCase {
    const char* Name;
    int32_t DataType, DataQuantity;
    int Col;
    std::string Text;
    bool Accepted;
    double Weight, RhoA, Res, EtaA;  // wanted in the survey afterwards
    int Redraws;                     // PlotData calls
    std::string Shown;               // column 7 (resistance) afterwards
  };
  const double nan = std::nan("");  // "unchanged"
  const TCase cases[] = {
      {"weight with a decimal comma", 0, 0, 8, "0,5", true, 0.5, nan, nan, nan, 0, ""},
      {"weight 1", 0, 0, 8, "1", true, 1.0, nan, nan, nan, 0, ""},
      {"weight 0", 0, 0, 8, "0", true, 0.0, nan, nan, nan, 0, ""},
      {"weight above 1", 0, 0, 8, "1.5", false, nan, nan, nan, nan, 0, ""},
      {"negative weight", 0, 0, 8, "-0.1", false, nan, nan, nan, nan, 0, ""},
      {"weight not a number", 0, 0, 8, "abc", false, nan, nan, nan, nan, 0, ""},
      {"same text", 0, 0, 6, "100", true, nan, nan, nan, nan, 0, ""},
      {"rho_a sets R", 0, 0, 6, "200", true, nan, 200.0, 200.0 / k, nan, 2,
       Supermath2d::FloatToStrDec(0, 1, 200.0 / k)},
      {"rho_a not a number", 0, 0, 6, "abc", false, nan, nan, nan, nan, 0, ""},
      {"rho_a not positive", 0, 0, 6, "-5", false, nan, nan, nan, nan, 0, ""},
      {"R sets rho_a", 1, 0, 7, "-2", true, nan, std::fabs(-2.0 * k), -2.0, nan, 2, "-2"},
      {"R 0", 1, 0, 7, "0", false, nan, nan, nan, nan, 0, ""},
      {"eta_a 10 keeps R", 0, 1, 6, "10", true, nan, nan, nan, 10.0, 2, ""},
      {"eta_a 100", 0, 1, 6, "100", false, nan, nan, nan, nan, 0, ""},
      {"eta_a 1e999", 0, 1, 6, "1e999", false, nan, nan, nan, nan, 0, ""},
  };
  TGridView& g = *e.GridView1;
  for (const TCase& c : cases) {
    f.Survey.Asource = original;
    f.DataType = c.DataType;
    f.DataQuantity = c.DataQuantity;
    e.LoadGrid();
    UpperRedraws = LowerRedraws = 0;
    bool can = false;
    e.GridView1CanEditCell(&g, 1, c.Col, can);
    ASSERT_TRUE(can) << c.Name;
    if (!c.Accepted) Seam.AnswerMessage(mrOk);
    std::string value = c.Text;
    bool valid = true;
    e.GridView1CellValidate(&g, c.Col, 1, value, valid);
    EXPECT_EQ(valid, c.Accepted) << c.Name;
    const osource& s = f.Survey.Asource[0];
    auto expect = [&](double Want, double Got, double Before, const char* What) {
      if (std::isnan(Want))
        EXPECT_EQ(Got, Before) << c.Name << ": " << What;
      else
        EXPECT_NEAR(Got, Want, 1e-12 * std::fabs(Want)) << c.Name << ": " << What;
    };
    expect(c.Weight, s.Weight[0], s0.Weight[0], "weight");
    expect(c.RhoA, s.RhoA[0], rho0, "rho_a");
    expect(c.Res, s.Res[0], r0, "R");
    expect(c.EtaA, s.EtaA[0], eta0, "eta_a");
    // R* = R / (1 - eta_a / 100) holds after every edit.
    EXPECT_NEAR(s.ResIP[0], s.Res[0] / (1.0 - s.EtaA[0] / 100.0), 1e-12 * std::fabs(s.ResIP[0])) << c.Name;
    EXPECT_EQ(UpperRedraws + LowerRedraws, c.Redraws) << c.Name;
    // The edited cell takes the handler's text, the neighbouring one the survey's.
    if (!c.Shown.empty()) {
      EXPECT_EQ(c.Col == 7 ? value : g.GetCells(7, 1), c.Shown) << c.Name;
    }
    if (c.Accepted && c.Col == 8) {
      EXPECT_EQ(value, Supermath2d::FloatToStrDec(0, 1, c.Weight)) << c.Name;
    }
    if (!c.Accepted) {
      ASSERT_FALSE(Seam.Prompts().empty());
      EXPECT_NE(Seam.Prompts().back().Text.find("\"" + c.Text + "\""), std::string::npos) << c.Name;
    }
    // Only the column of the data type in use takes values; positions never.
    for (int col : {2, 3, 4, 5}) {
      e.GridView1CanEditCell(&g, 1, col, can);
      EXPECT_FALSE(can) << c.Name << " column " << col;
    }
    e.GridView1CanEditCell(&g, 1, c.DataType == 0 ? 7 : 6, can);
    EXPECT_FALSE(can) << c.Name;
  }
}

TEST_F(ElectrodeEditorTest, ValueEditNeedsAFiniteNonZeroGeometricFactor) {
  TMainForm& f = OpenFixture();
  TEditForm& e = ShowEditor(f);
  for (double k : {0.0, std::numeric_limits<double>::infinity(), NoValue}) {
    for (int32_t type : {0, 1}) {
      f.Survey.Asource[0].K[0] = k;
      f.DataType = type;
      const osource before = f.Survey.Asource[0];
      Seam.AnswerMessage(mrOk);
      std::string value = "7";
      bool valid = true;
      e.GridView1CellValidate(e.GridView1, type == 0 ? 6 : 7, 1, value, valid);
      EXPECT_FALSE(valid) << k;
      EXPECT_EQ(f.Survey.Asource[0].RhoA[0], before.RhoA[0]);
      EXPECT_EQ(f.Survey.Asource[0].Res[0], before.Res[0]);
      EXPECT_NE(Seam.Prompts().back().Text.find("geometric factor"), std::string::npos);
    }
  }
}

TEST_F(ElectrodeEditorTest, WeightEditRedrawsOnlyTheLowerSectionShowingWeights) {
  TMainForm& f = OpenFixture();
  AddCalculatedData(f);
  TEditForm& e = ShowEditor(f);
  struct TCase {
    int32_t PlotType, AddType;
    int Lower;
  } cases[] = {{0, 2, 1}, {0, 0, 0}, {0, 1, 0}, {1, 2, 0}};
  for (const TCase& c : cases) {
    f.Survey.DataPlotType = c.PlotType;
    f.AddDataType = c.AddType;
    UpperRedraws = LowerRedraws = 0;
    std::string value = "0.7";
    bool valid = true;
    e.GridView1CellValidate(e.GridView1, 8, 2, value, valid);
    EXPECT_TRUE(valid);
    EXPECT_EQ(f.Survey.Asource[0].Weight[1], 0.7);
    EXPECT_EQ(UpperRedraws, 0);
    EXPECT_EQ(LowerRedraws, c.Lower) << c.PlotType << " " << c.AddType;
    f.Survey.Asource[0].Weight[1] = 0.5;
  }
}

TEST_F(ElectrodeEditorTest, RefusedTypedTextStaysInTheCellEditor) {
  TMainForm& f = OpenFixture();
  TEditForm& e = ShowEditor(f);
  TGridView& g = *e.GridView1;
  Seam.AnswerMessage(mrOk);
  TypeInto(g, 8, 3, "1.5");
  EXPECT_EQ(g.GetRow(), 3);
  EXPECT_EQ(EditorText(g), "1.5");
  EXPECT_EQ(f.Survey.Asource[0].Weight[2], 1.0);
  EXPECT_NE(Seam.Prompts().back().Text.find("Weight: \"1.5\""), std::string::npos);
  // Corrected, it is stored and shown in its canonical form.
  TGridInplaceEdit* editor = g.InplaceEditor();
  editor->SetText("0,25");
  PressEnter(g);
  EXPECT_EQ(f.Survey.Asource[0].Weight[2], 0.25);
  EXPECT_EQ(g.GetCells(8, 3), "0.3");
  // A refused edit still open when the table reloads is dropped, not checked
  // against the reloaded survey (no message, nothing stored).
  Seam.AnswerMessage(mrOk);
  TypeInto(g, 8, 2, "7");
  ASSERT_EQ(EditorText(g), "7");
  const size_t prompts = Seam.Prompts().size();
  e.LoadGrid();
  EXPECT_EQ(EditorText(g), "<no editor>");
  g.SetRow(4);
  EXPECT_EQ(Seam.Prompts().size(), prompts);
  EXPECT_EQ(f.Survey.Asource[0].Weight[1], 0.5);
  EXPECT_EQ(g.GetCells(8, 2), "0.5");
}

// ================================================================ the used flag

TEST_F(ElectrodeEditorTest, UnusedMeasurementLeavesTheUpperSection) {
  TMainForm& f = OpenFixture();
  f.Survey.DataPlotType = 0;
  f.ApplySectionSettings();
  f.PlotData(true);
  const int32_t nodes = f.PseudoSection2d1->NextNode;
  TEditForm& e = ShowEditor(f);
  TGridView& g = *e.GridView1;
  UpperRedraws = LowerRedraws = 0;
  ClickCell(g, 1, 2);
  bool used = true;
  g.GetCheckBoxState(1, 2, used);
  EXPECT_FALSE(used);
  EXPECT_EQ(f.Survey.Asource[0].FlagsC[1], 0);
  EXPECT_EQ(UpperRedraws, 1);
  EXPECT_EQ(f.PseudoSection2d1->NextNode, nodes - 1);
  EXPECT_TRUE(f.DataChanged);
  ClickCell(g, 1, 2);
  EXPECT_EQ(f.Survey.Asource[0].FlagsC[1], 1);
  EXPECT_EQ(f.PseudoSection2d1->NextNode, nodes);
}

TEST_F(ElectrodeEditorTest, WithoutObservedDataOrWhileBusyNothingChanges) {
  struct TCase {
    const char* Name;
    std::function<void(TMainForm&)> Set;
  } cases[] = {
      // Calculated data only, as after "Create survey".
      {"no observed data", [](TMainForm& F) { F.ObservedLoaded = false; }},
      // A computation disables the main window while it works on the survey.
      {"window busy", [](TMainForm& F) { F.SetEnabled(false); }},
  };
  for (const TCase& c : cases) {
    TMainForm& f = OpenFixture();
    TEditForm& e = ShowEditor(f);
    TGridView& g = *e.GridView1;
    f.CalculatedReady = true;
    c.Set(f);
    const Asource before = f.Survey.Asource;
    ClickCell(g, 1, 2);
    bool used = false;
    g.GetCheckBoxState(1, 2, used);
    EXPECT_TRUE(used) << c.Name;
    for (int col = 1; col <= 8; ++col) {
      bool can = true;
      e.GridView1CanEditCell(&g, 2, col, can);
      EXPECT_FALSE(can) << c.Name << " column " << col;
    }
    Seam.AnswerMessage(mrOk);
    std::string value = "0.5";
    bool valid = true;
    e.GridView1CellValidate(&g, 8, 2, value, valid);
    EXPECT_FALSE(valid) << c.Name;
    e.GridView1CheckBoxClick(&g, 1, 2, false);
    EXPECT_EQ(f.Survey.Asource[0].FlagsC, before[0].FlagsC) << c.Name;
    EXPECT_EQ(f.Survey.Asource[0].Weight, before[0].Weight) << c.Name;
    f.SetEnabled(true);
    e.Free();
    EditUnit::EditForm = nullptr;
    CloseForm();
  }
}

// ================================================================ sorting, reloads, new surveys

TEST_F(ElectrodeEditorTest, AfterAHeaderSortEveryActionReachesTheShownMeasurement) {
  TMainForm& f = OpenFixture();
  f.Survey.DataPlotType = 0;
  f.ApplySectionSettings();
  TEditForm& e = ShowEditor(f);
  TGridView& g = *e.GridView1;
  ClickHeader(g, 8);
  // Row 1 now shows the measurement of weight 0.25: pair 1, receiver 1 (flat 4).
  ASSERT_EQ(g.GetCells(8, 1), "0.3");
  ASSERT_EQ(g.GetCells(0, 1), "5");
  g.SetRow(2);
  g.SetRow(1);
  EXPECT_EQ(Labels(*f.PseudoSection2d1->MarkerSeries), (std::vector<std::string>{"", "c1", "p1", "p2"}));
  ClickCell(g, 1, 1);
  EXPECT_EQ(f.Survey.Asource[1].FlagsC[1], 0);
  EXPECT_EQ(f.Survey.Asource[0].FlagsC[0], 1);
  TypeInto(g, 8, 1, "0.75");
  EXPECT_EQ(f.Survey.Asource[1].Weight[1], 0.75);
  EXPECT_EQ(f.Survey.Asource[0].Weight[0], 1.0);

  // A reload after the sort writes survey order and maps it so.
  e.LoadGrid();
  for (int r = 1; r <= 6; ++r) {
    EXPECT_EQ(g.GetCells(0, r), std::to_string(r));
    EXPECT_EQ(FlatOfRow(e, r), r - 1);
    EXPECT_EQ(e.RowOfFlatIndex(r), r);
  }
  ClickCell(g, 1, 1);
  EXPECT_EQ(f.Survey.Asource[0].FlagsC[0], 0);
  EXPECT_EQ(f.Survey.Asource[1].FlagsC[1], 0);  // untouched by the second click
  bool used = true;
  g.GetCheckBoxState(1, 5, used);
  EXPECT_FALSE(used);
}

TEST_F(ElectrodeEditorTest, AnotherSurveyReloadsAVisibleEditorOnly) {
  TMainForm& f = OpenFixture();
  TEditForm& e = ShowEditor(f);
  TGridView& g = *e.GridView1;
  ClickHeader(g, 6);
  // Another file opened while the editor shows: the table is the new survey's.
  Open(f, AppTest::ExampleFile("wenner.k2d"));
  int32_t total = 0;
  for (const osource& s : f.Survey.Asource) total += static_cast<int32_t>(s.RhoA.size());
  ASSERT_GT(total, 6);
  EXPECT_EQ(g.GetRowCount(), total + 1);
  for (int r : {1, 2, total}) EXPECT_EQ(FlatOfRow(e, r), r - 1);
  const osource& s = f.Survey.Asource[0];
  EXPECT_EQ(g.GetCells(6, 1), Supermath2d::FloatToStrDec(0, 1, s.RhoA[0]));
  // Hidden, it stays hidden and keeps its table until the command loads it.
  e.Close();
  Open(f, (Dir / "pairs.k2d").string());
  EXPECT_FALSE(e.GetVisible());
  EXPECT_EQ(g.GetRowCount(), total + 1);
  f.Electrodeeditor1->Click();
  EXPECT_TRUE(e.GetVisible());
  EXPECT_EQ(g.GetRowCount(), 7);
}

}  // namespace

}  // namespace ElectrodeEditorTest
