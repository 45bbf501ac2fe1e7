// The series style editor ("Graphic editor") through the test seam: tabs per
// series type, the pages' rules, what each change writes, that opening and
// closing changes nothing, and the remembered placement.
#include <cstdlib>
#include <set>

#include "chart/editors/PlotAreaEdit.h"
#include "chart/editors/PlotCustEdit.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/rtl/Registry.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace SeriesStyleEditorTests {

namespace {

class StyleEditor : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
    ClearStore();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetView3D(false);
  }
  void TearDown() override { Owner->Free(); }
  static void ClearStore() {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    Reg.DeleteKey(PlotProcs::EditorKey);
  }
  template <class S>
  S* Add() {
    auto* Made = Create<S>(Owner);
    Made->SetName("Series" + std::to_string(Chart->SeriesCount() + 1));
    Chart->AddSeries(Made);
    for (int i = 0; i < 5; ++i) Made->AppendPoint(i, 10 + i * i);
    return Made;
  }
  // Opens the editor on Series; Script runs while it is shown.
  void Open(TChartSeries* Series, const std::function<void(TChartEditForm&, TFormPlotSeries&)>& Script) {
    Modal<TChartEditForm>([Script](TChartEditForm& F) {
      EXPECT_EQ(F.GetCaption(), "Graphic editor");
      EXPECT_FALSE(F.MainPage->GetVisible());
      if (F.SeriesPage()) Script(F, *F.SeriesPage());
      return mrCancel;
    });
    PlotEditCha::ShowSeriesStyleEditor(Series);
  }
  static std::vector<std::string> VisibleTabs(TFormPlotSeries& P) {
    std::vector<std::string> Tabs;
    for (int i = 0; i < P.PageSeries->PageCount(); ++i)
      if (P.PageSeries->Pages(i)->GetTabVisible()) Tabs.push_back(P.PageSeries->Pages(i)->GetCaption());
    return Tabs;
  }
  static void ShowTab(TFormPlotSeries& P, const std::string& Caption) {
    for (int i = 0; i < P.PageSeries->PageCount(); ++i)
      if (P.PageSeries->Pages(i)->GetCaption() == Caption) {
        P.PageSeries->SelectPage(P.PageSeries->Pages(i));
        return;
      }
    ADD_FAILURE() << "no tab " << Caption;
  }
  template <class F>
  static F* TabForm(TFormPlotSeries& P, const std::string& Caption) {
    for (int i = 0; i < P.PageSeries->PageCount(); ++i) {
      TTabSheet* T = P.PageSeries->Pages(i);
      if (T->GetCaption() != Caption) continue;
      for (int k = 0; k < T->ControlCount(); ++k)
        if (auto* Form = dynamic_cast<F*>(T->GetControl(k))) return Form;
    }
    return nullptr;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
};

// What differs between two snapshots.
std::set<std::string> Changed(const std::map<std::string, std::string>& A, const std::map<std::string, std::string>& B) {
  std::set<std::string> Out;
  for (const auto& [K, V] : B)
    if (!A.count(K) || A.at(K) != V) Out.insert(K);
  for (const auto& [K, V] : A)
    if (!B.count(K)) Out.insert(K);
  return Out;
}

TEST_F(StyleEditor, TabsFollowTheSeriesType) {
  struct TCase {
    TChartSeries* Series;
    std::vector<std::string> Tabs;
    std::string Active;
  };
  auto* Points = Add<TPointSeries>();
  Points->SetColorEachPoint(true);
  for (const TCase& C : {TCase{Add<TLineSeries>(), {"Format", "Point", "Marks"}, "Format"},
                         TCase{Points, {"Format", "Marks"}, "Format"},
                         TCase{Add<TAreaSeries>(), {"Format", "Point", "Gradient", "Marks"}, "Format"},
                         TCase{Add<TFastLineSeries>(), {"Format", "Marks"}, "Format"}}) {
    Open(C.Series, [&](TChartEditForm&, TFormPlotSeries& P) {
      EXPECT_EQ(VisibleTabs(P), C.Tabs) << C.Series->ClassName();
      EXPECT_EQ(P.PageSeries->GetActivePage()->GetCaption(), C.Active) << C.Series->ClassName();
      EXPECT_FALSE(P.Panel1->GetVisible());
      // Reselecting the shown series rebuilds nothing.
      P.SelectSeries(C.Series);
      EXPECT_EQ(VisibleTabs(P), C.Tabs);
      if (auto* Line = dynamic_cast<TCustomSeriesEditor*>(P.FormatForm())) {
        for (TControl* Hidden : std::initializer_list<TControl*>{Line->CBStack, Line->CBDark3D, Line->CBColorEach,
                                                                 Line->CBClick, Line->UDHeight, Line->CheckBox1,
                                                                 Line->LHeight, Line->EHeight, Line->Label1})
          EXPECT_FALSE(Hidden->GetVisible()) << Hidden->GetName();
        EXPECT_TRUE(Line->BBrush->GetVisible());
      }
      if (auto* Pointer = dynamic_cast<TSeriesPointerEditor*>(P.FormatForm())) {
        EXPECT_TRUE(Pointer->CBColorEach->GetVisible());
        EXPECT_TRUE(Pointer->CBColorEach->GetChecked());
      }
      if (auto* Pointer = TabForm<TSeriesPointerEditor>(P, "Point")) {
        EXPECT_FALSE(Pointer->CBColorEach->GetVisible());
      }
    });
  }
}

TEST_F(StyleEditor, OpeningAndClosingLeavesTheSeriesUnchanged) {
  struct TCase {
    TChartSeries* Series;
    double Origin;
  };
  auto* Area1 = Add<TAreaSeries>();
  Area1->SetYOrigin(-1e30);
  Area1->SetUseYOrigin(true);
  auto* Area2 = Add<TAreaSeries>();
  Area2->SetYOrigin(12.5);
  Area2->SetAreaColor(clRed);
  auto* Line = Add<TLineSeries>();
  Line->SetDepth(-1);
  for (const TCase& C : {TCase{Line, 0}, TCase{Add<TPointSeries>(), 0}, TCase{Area1, -1e30}, TCase{Area2, 12.5}}) {
    const std::string Before = PlotEngine::SeriesToText(C.Series);
    const auto Snap = PlotPenDlg::Snapshot(C.Series);
    Open(C.Series, [&](TChartEditForm&, TFormPlotSeries& P) {
      for (const std::string& Tab : VisibleTabs(P)) ShowTab(P, Tab);
      // The General tab is hidden here; filling it must write nothing either.
      P.PageSeries->SelectPage(P.TabGeneral);
    });
    EXPECT_EQ(PlotEngine::SeriesToText(C.Series), Before) << C.Series->ClassName();
    // Sub-objects the shape pages make on demand (font outline, symbol
    // gradient) appear with their defaults; nothing that existed changed.
    std::set<std::string> Differ;
    const auto After = PlotPenDlg::Snapshot(C.Series);
    for (const auto& [K, V] : Snap)
      if (!After.count(K) || After.at(K) != V) Differ.insert(K);
    EXPECT_EQ(Differ, std::set<std::string>{}) << C.Series->ClassName();
    if (auto* A = dynamic_cast<TAreaSeries*>(C.Series)) {
      EXPECT_EQ(A->GetYOrigin(), C.Origin);
    }
  }
}

TEST_F(StyleEditor, EachChangeWritesExactlyItsProperty) {
  struct TCase {
    const char* Type;
    const char* Tab;
    std::function<void(TFormPlotSeries&)> Act;
    std::set<std::string> Writes;
  };
  auto Check = [](TCheckBox* C) { C->SetChecked(!C->GetChecked()); };
  auto Pointer = [](TFormPlotSeries& P) {
    auto* F = dynamic_cast<TSeriesPointerEditor*>(P.FormatForm());
    return F ? F : TabForm<TSeriesPointerEditor>(P, "Point");
  };
  const std::vector<TCase> Cases{
      {"TLineSeries", "Format", [&](TFormPlotSeries& P) { Check(dynamic_cast<TCustomSeriesEditor*>(P.FormatForm())->CBStairs); }, {"Stairs"}},
      {"TLineSeries", "Point", [&](TFormPlotSeries& P) { Check(Pointer(P)->CBDrawPoint); }, {"Pointer.Visible"}},
      {"TPointSeries", "Format",
       [&](TFormPlotSeries& P) {
         Pointer(P)->CBStyle->SetItemIndex(1);
         Pointer(P)->CBStyle->OnChange(nullptr);
       },
       {"Pointer.Style"}},
      {"TPointSeries", "Format", [&](TFormPlotSeries& P) { Pointer(P)->SEPointHorizSize->SetText("7"); }, {"Pointer.HorizSize"}},
      {"TPointSeries", "Format", [&](TFormPlotSeries& P) { Check(Pointer(P)->CBInflate); }, {"Pointer.InflateMargins"}},
      {"TAreaSeries", "Format", [&](TFormPlotSeries& P) { Check(dynamic_cast<TAreaSeriesEditor*>(P.FormatForm())->CBUseOrigin); }, {"UseYOrigin"}},
      {"TAreaSeries", "Format", [&](TFormPlotSeries& P) { dynamic_cast<TAreaSeriesEditor*>(P.FormatForm())->EOrigin->SetText("5"); }, {"YOrigin"}},
      {"TAreaSeries", "Format", [&](TFormPlotSeries& P) { dynamic_cast<TAreaSeriesEditor*>(P.FormatForm())->RGMultiArea->SetItemIndex(1); }, {"MultiArea"}},
      {"TAreaSeries", "Format", [&](TFormPlotSeries& P) { dynamic_cast<TAreaSeriesEditor*>(P.FormatForm())->ETransp->SetText("30"); }, {"Transparency"}},
      {"TLineSeries", "Marks", [&](TFormPlotSeries& P) { Check(P.CBMarkClip); }, {"Marks.Clip"}},
      {"TLineSeries", "Marks", [&](TFormPlotSeries& P) { P.RGMarkStyle->SetItemIndex(0); }, {"Marks.Style"}},
      {"TLineSeries", "Marks", [&](TFormPlotSeries& P) { P.EArrowDist->SetText("6"); }, {"Marks.Callout.Distance"}},
      {"TLineSeries", "Marks", [&](TFormPlotSeries& P) { P.EMarksEvery->SetText("3"); }, {"Marks.DrawEvery"}},
  };
  for (const TCase& C : Cases) {
    TChartSeries* S = std::string(C.Type) == "TLineSeries"  ? static_cast<TChartSeries*>(Add<TLineSeries>())
                      : std::string(C.Type) == "TAreaSeries" ? static_cast<TChartSeries*>(Add<TAreaSeries>())
                                                             : static_cast<TChartSeries*>(Add<TPointSeries>());
    std::map<std::string, std::string> Before;
    Open(S, [&](TChartEditForm&, TFormPlotSeries& P) {
      ShowTab(P, C.Tab);
      Before = PlotPenDlg::Snapshot(S);
      C.Act(P);
    });
    EXPECT_EQ(Changed(Before, PlotPenDlg::Snapshot(S)), C.Writes) << C.Type << " " << C.Tab;
  }
}

TEST_F(StyleEditor, PointerPageRules) {
  auto* S = Add<TPointSeries>();
  struct TCase {
    bool View3D;
    TSeriesPointerStyle Style;
    bool Enabled3D;
  };
  for (const TCase& C : {TCase{false, TSeriesPointerStyle::psRectangle, false},
                         TCase{true, TSeriesPointerStyle::psRectangle, true},
                         TCase{true, TSeriesPointerStyle::psTriangle, true},
                         TCase{true, TSeriesPointerStyle::psDownTriangle, true},
                         TCase{true, TSeriesPointerStyle::psCross, false},
                         TCase{true, TSeriesPointerStyle::psCircle, false}}) {
    Chart->SetView3D(C.View3D);
    S->Pointer()->SetStyle(C.Style);
    S->Pointer()->SetDraw3D(true);
    Open(S, [&](TChartEditForm&, TFormPlotSeries& P) {
      auto* F = dynamic_cast<TSeriesPointerEditor*>(P.FormatForm());
      ASSERT_NE(F, nullptr);
      EXPECT_EQ(F->CB3dPoint->GetEnabled(), C.Enabled3D) << C.View3D << int(C.Style);
      EXPECT_EQ(F->CBPoDark->GetEnabled(), C.Enabled3D);
    });
  }
  Chart->SetView3D(false);
  Open(S, [&](TChartEditForm&, TFormPlotSeries& P) {
    auto* F = dynamic_cast<TSeriesPointerEditor*>(P.FormatForm());
    // "&Visible" off leaves only itself, "Color Each" and "Gradient" enabled.
    F->CBDrawPoint->SetChecked(false);
    EXPECT_FALSE(S->Pointer()->GetVisible());
    for (TControl* C : std::initializer_list<TControl*>{F->CBInflate, F->SEPointHorizSize, F->UDPointVertSize,
                                                        F->BPointFillColor, F->CBStyle, F->BPoinPenCol,
                                                        F->CBDefBrushColor, F->CB3dPoint, F->CBPoDark})
      EXPECT_FALSE(C->GetEnabled()) << C->GetName();
    EXPECT_TRUE(F->CBDrawPoint->GetEnabled() && F->CBColorEach->GetEnabled() && F->BGradient->GetEnabled());
    F->CBDrawPoint->SetChecked(true);
    // Default on, then off: the brush stays default, a default pen turns black.
    F->CBDefBrushColor->SetChecked(true);
    EXPECT_EQ(S->Pointer()->Brush()->GetColor(), clDefault);
    EXPECT_EQ(S->Pointer()->Pen()->GetColor(), clDefault);
    F->CBDefBrushColor->SetChecked(false);
    EXPECT_EQ(S->Pointer()->Brush()->GetColor(), clDefault);
    EXPECT_EQ(S->Pointer()->Pen()->GetColor(), clBlack);
    // The up-downs keep sizes within 1..1000.
    F->UDPointHorizSize->SetPosition(5000);
    EXPECT_EQ(F->UDPointHorizSize->GetPosition(), 1000);
    F->CBColorEach->SetChecked(false);
    EXPECT_FALSE(S->GetColorEachPoint());
  });
}

TEST_F(StyleEditor, LineAndAreaPageRules) {
  auto* Line = Add<TLineSeries>();
  Open(Line, [&](TChartEditForm&, TFormPlotSeries& P) {
    auto* F = dynamic_cast<TCustomSeriesEditor*>(P.FormatForm());
    EXPECT_FALSE(F->CBInvStairs->GetEnabled());
    F->CBStairs->SetChecked(true);
    EXPECT_TRUE(F->CBInvStairs->GetEnabled());
    EXPECT_TRUE(Line->GetStairs());
  });
  auto* Area = Add<TAreaSeries>();
  Area->SetUseYOrigin(true);
  Area->SetYOrigin(7);
  Open(Area, [&](TChartEditForm&, TFormPlotSeries& P) {
    auto* F = dynamic_cast<TAreaSeriesEditor*>(P.FormatForm());
    EXPECT_FALSE(F->CBInvStairs->GetEnabled());
    EXPECT_TRUE(F->EOrigin->GetEnabled());
    F->CBUseOrigin->SetChecked(false);
    EXPECT_FALSE(F->EOrigin->GetEnabled() || F->UDOrigin->GetEnabled());
    EXPECT_EQ(Area->GetYOrigin(), 7) << "the stored origin stays";
    F->CBColorEach->SetChecked(true);
    EXPECT_FALSE(F->BAreaColor->GetEnabled());
    EXPECT_EQ(F->BAreaColor->LinkedProperty->Name, "SeriesColor");
  });
  Area->SetAreaColor(clRed);
  Area->SetColorEachPoint(false);
  Open(Area, [&](TChartEditForm&, TFormPlotSeries& P) {
    auto* F = dynamic_cast<TAreaSeriesEditor*>(P.FormatForm());
    // An area with its own colour: the button shows and edits that colour.
    EXPECT_EQ(F->BAreaColor->LinkedProperty->Name, "AreaColor");
    EXPECT_EQ(F->BAreaColor->GetColor(), clRed);
  });
  auto* Huge = Add<TAreaSeries>();
  Huge->SetYOrigin(-1e30);
  Open(Huge, [&](TChartEditForm&, TFormPlotSeries& P) {
    auto* F = dynamic_cast<TAreaSeriesEditor*>(P.FormatForm());
    EXPECT_EQ(F->UDOrigin->GetPosition(), -30000) << "shown clamped";
    ASSERT_NE(TabForm<TSeriesPointerEditor>(P, "Point"), nullptr) << "the load went on past the origin";
    F->UDOrigin->SetPosition(-29999);
    F->EOrigin->SetText("-29999");
  });
  EXPECT_EQ(Huge->GetYOrigin(), -29999);
}

TEST_F(StyleEditor, MarksPageRules) {
  auto* S = Add<TLineSeries>();
  auto* Other = Add<TLineSeries>();
  struct TCase {
    TSeriesMarksStyle Style;
    bool MultiLine;
  };
  Open(S, [&](TChartEditForm&, TFormPlotSeries& P) {
    ShowTab(P, "Marks");
    for (const TCase& C : {TCase{smsValue, false}, TCase{smsPercent, false}, TCase{smsLabel, false},
                           TCase{smsLabelPercent, true}, TCase{smsLabelValue, true}, TCase{smsLegend, false},
                           TCase{smsPercentTotal, true}, TCase{smsLabelPercentTotal, true}, TCase{smsXValue, false},
                           TCase{smsXY, true}}) {
      P.RGMarkStyle->SetItemIndex(static_cast<int>(C.Style));
      EXPECT_EQ(P.CBMultiLine->GetEnabled(), C.MultiLine) << int(C.Style);
      EXPECT_EQ(dynamic_cast<TSeriesMarks*>(S->Marks())->GetStyle(), C.Style);
    }
    P.CBAllVisible->SetChecked(true);
    EXPECT_TRUE(dynamic_cast<TSeriesMarks*>(Other->Marks())->GetVisible());
    EXPECT_TRUE(P.CBMarksVisible->GetChecked());
  });
}

TEST_F(StyleEditor, CustomAxesAreListedWithTwoBlanks) {
  EXPECT_EQ(PlotEdiSeri::CustomAxisText(0), "Custom  0");
  auto* S = Add<TLineSeries>();
  Chart->CustomAxes()->AddAxis()->SetHorizontal(false);
  auto* Page = Create<TFormPlotSeries>(Owner);
  Page->SelectSeries(S);
  Page->OnShow(Page);
  Page->PageSeries->SelectPage(Page->TabGeneral);
  ASSERT_EQ(Page->CBVertAxis->Items()->Count(), 4);
  EXPECT_EQ(Page->CBVertAxis->Items()->Strings(3), "Custom  0");
  EXPECT_EQ(Page->CBHorizAxis->Items()->Count(), 3);
  // The General tab fills without writing and then writes what the user picks.
  const auto Snap = PlotPenDlg::Snapshot(S);
  EXPECT_EQ(PlotPenDlg::Snapshot(S), Snap);
  Page->CBShowInLegend->SetChecked(false);
  EXPECT_FALSE(S->GetShowInLegend());
  Page->EDepth->SetText("12");
  EXPECT_EQ(S->GetDepth(), 12);
  Page->CBDepth->SetChecked(true);
  EXPECT_EQ(S->GetDepth(), -1);
}

TEST_F(StyleEditor, PlacementIsReadClampedAndWrittenOnClose) {
  auto* S = Add<TLineSeries>();
  auto Store = [](std::initializer_list<std::pair<const char*, int>> Values) {
    ClearStore();
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    Reg.OpenKey(PlotProcs::EditorKey, true);
    for (const auto& [Name, V] : Values) Reg.WriteInteger(Name, V);
  };
  struct TCase {
    std::initializer_list<std::pair<const char*, int>> Stored;
    int Left, Top, Width;  // -1: as designed
  };
  const int SW = Screen->GetWidth();
  for (const TCase& C : {TCase{{{"Left", SW + 500}, {"Top", 10}}, -2, 10, -1},
                         TCase{{{"Left", 20}, {"Top", -40}}, 20, 0, -1},
                         TCase{{{"Left", 20}, {"Top", 20}, {"Width", 50}}, 20, 20, 100}}) {
    Store(C.Stored);
    Modal<TChartEditForm>([&](TChartEditForm& F) {
      if (C.Left == -2)
        EXPECT_EQ(F.GetLeft(), SW - F.GetWidth());
      else
        EXPECT_EQ(F.GetLeft(), C.Left);
      EXPECT_EQ(F.GetTop(), C.Top);
      EXPECT_EQ(F.GetWidth(), C.Width == -1 ? 414 : C.Width);
      return mrCancel;
    });
    PlotEditCha::ShowSeriesStyleEditor(S);
  }
  // Nothing stored: the design size; closing writes the place but no size.
  ClearStore();
  Modal<TChartEditForm>([](TChartEditForm& F) {
    EXPECT_EQ(F.GetWidth(), 414);
    EXPECT_EQ(F.GetHeight(), 347 + PlotEditCha::CaptionButtonHeight() - 18);
    F.SetLeft(33);
    F.SetTop(44);
    return mrCancel;
  });
  PlotEditCha::ShowSeriesStyleEditor(S);
  TRegistry Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(Reg.OpenKeyReadOnly(PlotProcs::EditorKey));
  EXPECT_EQ(Reg.ReadInteger("Left"), 33);
  EXPECT_EQ(Reg.ReadInteger("Top"), 44);
  EXPECT_FALSE(Reg.ValueExists("Width"));
  EXPECT_FALSE(Reg.ValueExists("Height"));
}

TEST_F(StyleEditor, PointerStyleItemsShowTheSymbolDrawPointerDraws) {
  auto* S = Add<TPointSeries>();
  S->SetSeriesColor(clRed);
  S->Pointer()->Brush()->SetColor(clBlue);
  auto* F = Create<TSeriesPointerEditor>(Owner);
  F->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(S));
  F->FormShow(F);
  for (int Style = 0; Style < 12; ++Style) {
    TBitmap Item(120, 16), Direct(120, 16);
    F->CBStyleDrawItem(*Item.GetCanvas(), Style, TRect(0, 0, 120, 16), false);
    Direct.GetCanvas()->Brush->SetColor(F->CBStyle->GetColor());
    Direct.GetCanvas()->FillRect(TRect(0, 0, 120, 16));
    TPlotCanvas3D C3;
    C3.AttachCanvas(Direct.GetCanvas());
    S->Pointer()->PrepareCanvas(C3, clBlue);
    const auto PS = static_cast<TSeriesPointerStyle>(Style);
    if ((PS == TSeriesPointerStyle::psCross || PS == TSeriesPointerStyle::psDiagCross ||
         PS == TSeriesPointerStyle::psStar || PS == TSeriesPointerStyle::psSmallDot) &&
        !S->Pointer()->Pen()->GetVisible()) {
      Direct.GetCanvas()->Pen->SetColor(clBlue);
    }
    S->Pointer()->DrawPointer(C3, false, 6, 8, 4, 4, clBlue, PS);
    C3.AttachCanvas(nullptr);
    for (int X = 0; X < 12; ++X)
      for (int Y = 2; Y < 15; ++Y)
        ASSERT_EQ(Item.GetPixelColor(X, Y), Direct.GetPixelColor(X, Y)) << Style << " at " << X << "," << Y;
  }
  F->Free();
}

TEST_F(StyleEditor, CalloutPointerDialogHidesSeriesControls) {
  auto* S = Add<TLineSeries>();
  TCallout* Callout = dynamic_cast<TSeriesMarks*>(S->Marks())->GetCallout();
  Modal<TSeriesPointerEditor>([](TSeriesPointerEditor& F) {
    EXPECT_EQ(F.GetCaption(), "Pointer");
    EXPECT_FALSE(F.CBInflate->GetVisible());
    EXPECT_FALSE(F.CBColorEach->GetVisible());
    EXPECT_TRUE(F.PanelBottom->GetVisible());
    F.CBStyle->SetItemIndex(2);
    F.CBStyle->OnChange(nullptr);
    return mrOk;
  });
  EXPECT_TRUE(PlotPoEdi::ShowPointerEditor(nullptr, Callout));
  EXPECT_EQ(Callout->GetStyle(), TSeriesPointerStyle::psTriangle);
}

TEST_F(StyleEditor, PictureOfTheEditorOnALineSeries) {
  auto* S = Add<TLineSeries>();
  S->SetSeriesColor(clBlue);
  S->Pointer()->SetVisible(true);
  Open(S, [&](TChartEditForm& F, TFormPlotSeries& P) {
    TBitmap Picture(F.GetClientWidth(), F.GetClientHeight());
    F.PaintTo(Picture);
    // The page shows: the "Format" tab's pen button draws the blue line sample.
    auto* Line = dynamic_cast<TCustomSeriesEditor*>(P.FormatForm());
    ASSERT_NE(Line, nullptr);
    EXPECT_TRUE(Line->BLineColor->GetVisible());
    // The window as the platform shows it (native tab strips included), for a look by eye.
    if (const char* Out = std::getenv("KV_EDITOR_PNG")) {
      F.Handle()->resize(F.GetWidth(), F.GetHeight());
      F.Handle()->grab().save(QString::fromUtf8(Out));
    }
  });
}

}  // namespace

}  // namespace SeriesStyleEditorTests
