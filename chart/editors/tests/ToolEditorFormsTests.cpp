// The tool editor forms through the test seam: each form's rows as a table
// (set-up, control, property written), the series and axis combos of the two
// bases, the forms' own rules, and that opening and closing a form without a
// change leaves its tool as it was.
#include <filesystem>
#include <fstream>

#include "chart/editors/PlotAnnToolEdit.h"
#include "chart/editors/PlotAxisToolEdit.h"
#include "chart/editors/PlotColorLineEditor.h"
#include "chart/editors/PlotCursorEdit.h"
#include "chart/editors/PlotDataTableEditor.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotEditTools.h"
#include "chart/editors/PlotImageToolEdit.h"
#include "chart/editors/PlotDragMarksEdit.h"
#include "chart/editors/PlotSelectorToolEdit.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/editors/PlotPieToolEdit.h"
#include "chart/editors/PlotLightToolEdit.h"
#include "chart/editors/PlotGridBandToolEdit.h"
#include "chart/editors/PlotGanttToolEdit.h"
#include "chart/editors/PlotExtraLegendEdit.h"
#include "chart/editors/PlotDragPointToolEdit.h"
#include "chart/editors/PlotNearestToolEditor.h"
#include "chart/editors/PlotSeriesAnimEdit.h"
#include "chart/editors/PlotToolSeriesEdit.h"
#include "chart/engine/Chart.h"
#include "chart/extras/GanttCh.h"
#include "chart/extras/PlotDataTableTool.h"
#include "chart/extras/PlotDragPoint.h"
#include "chart/extras/PlotExtraLegendTool.h"
#include "chart/extras/PlotGanttTool.h"
#include "chart/extras/PlotLighting.h"
#include "chart/extras/PlotPieTool.h"
#include "chart/extras/PlotSelectorTool.h"
#include "chart/extras/PlotSeriesBandTool.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/PlotSurfaceTool.h"
#include "chart/extras/PlotTransposeTool.h"
#include "chart/series/PlotEdiFont.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/TabCtrls.h"

namespace ToolEditorFormsTests {

// The extra tools whose forms live here, started and ended one unit at a time
// (their registration stays with the units the test needs).
const std::pair<void (*)(), void (*)()> AidUnits[] = {
    {&PlotDataTableTool::Initialization, &PlotDataTableTool::Finalization},
    {&PlotDragPoint::Initialization, &PlotDragPoint::Finalization},
    {&PlotGanttTool::Initialization, &PlotGanttTool::Finalization},
    {&PlotPieTool::Initialization, &PlotPieTool::Finalization},
    {&PlotSelectorTool::Initialization, &PlotSelectorTool::Finalization},
    {&PlotSeriesBandTool::Initialization, &PlotSeriesBandTool::Finalization},
    {&PlotExtraLegendTool::Initialization, &PlotExtraLegendTool::Finalization},
    {&PlotLighting::Initialization, &PlotLighting::Finalization},
    {&PlotSurfaceTool::Initialization, &PlotSurfaceTool::Finalization},
    {&PlotTransposeTool::Initialization, &PlotTransposeTool::Finalization}};

class ToolForms : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    PlotTools::RegisterTools();
    for (const auto& U : AidUnits) U.first();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetBounds(400, 300);
    for (const char* Title : {"Alpha", "Beta"}) {
      auto* S = Create<TLineSeries>(Owner);
      S->SetTitle(Title);
      Chart->AddSeries(S);
      for (int i = 0; i < 5; ++i) S->Add(i * i);
      Lines.push_back(S);
    }
  }
  void TearDown() override {
    Owner->Free();
    for (const auto& U : AidUnits) U.second();
  }

  // A tool of class Name on the chart, bound to the first series or the left axis.
  TPlotCustomTool* MakeTool(const std::string& Name) {
    auto* T = dynamic_cast<TPlotCustomTool*>(ClassInfo::FindClass(Name)->CreateInstance(Owner));
    T->SetParentChart(Chart);
    if (auto* S = dynamic_cast<TPlotCustomToolSeries*>(T)) S->SetSeries(Lines[0]);
    if (auto* A = dynamic_cast<TPlotCustomToolAxis*>(T)) A->SetAxis(Chart->LeftAxis());
    return T;
  }
  // Opens the form the tool names, modally through the seam, and runs Script in it.
  void Open(TPlotCustomTool* Tool, const std::function<void(TForm&)>& Script) {
    TClass K = ClassInfo::GetClass(Tool->EditorFormName());
    ASSERT_NE(K, nullptr) << Tool->EditorFormName();
    auto* F = dynamic_cast<TForm*>(K->CreateInstance(Owner));
    ASSERT_NE(F, nullptr);
    F->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Tool));
    bool Ran = false;
    Modal<TForm>([&](TForm& Form) {
      Ran = true;
      Script(Form);
      return mrOk;
    });
    F->ShowModal();
    F->Free();
    EXPECT_TRUE(Ran);
  }
  template <class T>
  static T* Find(TForm& Form, const char* Name) {
    auto* C = dynamic_cast<T*>(Form.FindComponent(Name));
    EXPECT_NE(C, nullptr) << Name;
    return C;
  }
  static std::string PropertyText(TObject* Root, const std::string& Path) {
    TObject* Holder = nullptr;
    const TPropInfo* P = nullptr;
    if (!PlotPenDlg::ResolvePath(Root, Path, Holder, P)) return "<no " + Path + ">";
    return P->GetText(Holder);
  }
  static std::vector<std::string> Items(const TComboFlat& Combo) {
    std::vector<std::string> R;
    for (int i = 0; i < Combo.Items()->Count(); ++i) R.push_back(Combo.Items()->Strings(i));
    return R;
  }
  static void Choose(TComboFlat* Combo, int Item) {
    Combo->SetItemIndex(Item);
    Combo->Change();
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  std::vector<TLineSeries*> Lines;
};

// What the user does to a named control.
enum class TAct { Check, Text, Item, Position };

struct RowCase {
  const char* Tool;
  std::function<void(TPlotCustomTool*)> SetUp;
  const char* Control;
  TAct Act;
  int Number;           // check state, item or position
  const char* Text;     // the typed text
  const char* Property;
  const char* Expected;  // the property's text afterwards
};

void Act(TForm& F, const RowCase& C) {
  TComponent* Control = F.FindComponent(C.Control);
  ASSERT_NE(Control, nullptr) << C.Control;
  switch (C.Act) {
    case TAct::Check:
      ASSERT_TRUE(dynamic_cast<TCheckBox*>(Control)) << C.Control;
      static_cast<TCheckBox*>(Control)->SetChecked(C.Number != 0);
      break;
    case TAct::Text:
      ASSERT_TRUE(dynamic_cast<TEdit*>(Control)) << C.Control;
      static_cast<TEdit*>(Control)->SetText(C.Text);
      break;
    case TAct::Item:
      if (auto* R = dynamic_cast<TRadioGroup*>(Control)) {
        R->SetItemIndex(C.Number);
      } else {
        ASSERT_TRUE(dynamic_cast<TComboFlat*>(Control)) << C.Control;
        static_cast<TComboFlat*>(Control)->SetItemIndex(C.Number);
        static_cast<TComboFlat*>(Control)->Change();
      }
      break;
    case TAct::Position:
      if (auto* T = dynamic_cast<TTrackBar*>(Control))
        T->SetPosition(C.Number);
      else
        static_cast<TScrollBar*>(Control)->SetPosition(C.Number);
      break;
  }
}

TEST_F(ToolForms, EachRowWritesItsProperty) {
  const auto Off = [](const char* Path) {
    return [Path](TPlotCustomTool* T) { PlotToolSeriesEdit::SetProperty(T, Path, false); };
  };
  const auto Value = [](const char* Path, double V) {
    return [Path, V](TPlotCustomTool* T) { PlotToolSeriesEdit::SetProperty(T, Path, V); };
  };
  const RowCase Cases[] = {
      {"TCursorTool", {}, "CBStyle", TAct::Item, 0, "", "Style", "cssHorizontal"},
      {"TCursorTool", {}, "CBSnap", TAct::Check, 1, "", "Snap", "True"},
      {"TCursorTool", {}, "CBZ", TAct::Check, 1, "", "UseSeriesZ", "True"},
      {"TCursorTool", {}, "CBFollow", TAct::Check, 1, "", "FollowMouse", "True"},
      {"TCursorTool", {}, "EPixels", TAct::Text, 0, "12", "ClickTolerance", "12"},
      {"TColorLineTool", {}, "EValue", TAct::Text, 0, "2.5", "Value", "2.5"},
      {"TColorLineTool", Value("Value", 7), "EValue", TAct::Text, 0, "abc", "Value", "7"},
      {"TColorLineTool", {}, "CBStyle", TAct::Item, 2, "", "Style", "clCenter"},
      {"TColorLineTool", {}, "CBAllowDrag", TAct::Check, 0, "", "AllowDrag", "False"},
      {"TColorLineTool", {}, "CBDragRepaint", TAct::Check, 1, "", "DragRepaint", "True"},
      {"TColorLineTool", {}, "CBNoLimitDrag", TAct::Check, 1, "", "NoLimitDrag", "True"},
      {"TColorLineTool", {}, "CBDrawBehind", TAct::Check, 1, "", "DrawBehind", "True"},
      {"TColorLineTool", {}, "CBDraw3D", TAct::Check, 0, "", "Draw3D", "False"},
      {"TColorBandTool", {}, "EStart", TAct::Text, 0, "1.5", "StartValue", "1.5"},
      {"TColorBandTool", {}, "EEnd", TAct::Text, 0, "-3", "EndValue", "-3"},
      {"TColorBandTool", {}, "CBStart", TAct::Check, 1, "", "ResizeStart", "True"},
      {"TColorBandTool", {}, "CBEnd", TAct::Check, 1, "", "ResizeEnd", "True"},
      {"TColorBandTool", {}, "ETrans", TAct::Text, 0, "40", "Transparency", "40"},
      {"TColorBandTool", {}, "ETrans", TAct::Text, 0, "400", "Transparency", "100"},
      {"TColorBandTool", {}, "CBDrawBehind", TAct::Check, 0, "", "DrawBehind", "False"},
      {"TColorBandTool", {}, "CBBeforeAxes", TAct::Check, 1, "", "DrawBehindAxes", "True"},
      {"TAxisArrowTool", {}, "ELength", TAct::Text, 0, "30", "Length", "30"},
      {"TAxisArrowTool", {}, "Edit1", TAct::Text, 0, "25", "ScrollPercent", "25"},
      {"TAxisArrowTool", {}, "Edit1", TAct::Text, 0, "0", "ScrollPercent", "1"},
      {"TAxisArrowTool", {}, "ESize", TAct::Text, 0, "70", "SizePercent", "70"},
      {"TAxisArrowTool", {}, "EWidth", TAct::Text, 0, "12", "HeadWidth", "12"},
      {"TAxisArrowTool", {}, "CBPos", TAct::Item, 0, "", "Position", "aaStart"},
      {"TAxisArrowTool", {}, "CBInv", TAct::Check, 1, "", "ScrollInverted", "True"},
      {"TDrawLineTool", {}, "CBButton", TAct::Item, 1, "", "Button", "mbRight"},
      {"TDrawLineTool", {}, "CBButton", TAct::Item, 2, "", "Button", "mbMiddle"},
      {"TDrawLineTool", {}, "CBEnable", TAct::Check, 0, "", "EnableDraw", "False"},
      {"TDrawLineTool", {}, "CBSelect", TAct::Check, 0, "", "EnableSelect", "False"},
      {"TDrawLineTool", {}, "CBSelectNew", TAct::Check, 0, "", "SelectNewLines", "False"},
      {"TDrawLineTool", {}, "EPixels", TAct::Text, 0, "7", "ClickTolerance", "7"},
      {"TRotateTool", {}, "CBInverted", TAct::Check, 1, "", "Inverted", "True"},
      {"TRotateTool", {}, "CBStyle", TAct::Item, 2, "", "Style", "rsElevation"},
      {"TRotateTool", {}, "CBButton", TAct::Item, 1, "", "Button", "mbMiddle"},
      {"TRotateTool", {}, "CBButton", TAct::Item, 2, "", "Button", "mbRight"},
      {"TNearestTool", {}, "CBStyle", TAct::Item, 3, "", "Style", "hsDiamond"},
      {"TNearestTool", {}, "Edit1", TAct::Text, 0, "50", "Size", "50"},
      {"TNearestTool", {}, "CBFull", TAct::Check, 0, "", "FullRepaint", "False"},
      {"TMarksTipTool", {}, "RGMouseAction", TAct::Item, 1, "", "MouseAction", "mtmClick"},
      {"TMarksTipTool", {}, "CBMarkStyle", TAct::Item, 0, "", "Style", "smsValue"},
      {"TMarksTipTool", {}, "CBMarkStyle", TAct::Item, 9, "", "Style", "smsXY"},
      {"TSeriesAnimationTool", {}, "SBSteps", TAct::Position, 250, "", "Steps", "250"},
      {"TSeriesAnimationTool", {}, "CBStartMin", TAct::Check, 0, "", "StartAtMin", "False"},
      {"TSeriesAnimationTool", Off("StartAtMin"), "EStart", TAct::Text, 0, "4.5", "StartValue", "4.5"},
      {"TSeriesAnimationTool", {}, "Edit1", TAct::Text, 0, "3", "DrawEvery", "3"},
      {"TSeriesAnimationTool", {}, "ComboFlat1", TAct::Item, 2, "", "Loop", "salCircular"},
      {"TGridBandTool", {}, "Edit1", TAct::Text, 0, "30", "Band1.Transparency", "30"},
      {"TAnnotationTool", {}, "CBTextAlign", TAct::Item, 1, "", "TextAlignment", "taCenter"},
      {"TAnnotationTool", {}, "CBTextAlign", TAct::Item, 2, "", "TextAlignment", "taRightJustify"},
      {"TAnnotationTool", {}, "CBPos", TAct::Item, 3, "", "Position", "ppRightBottom"},
      {"TAnnotationTool", {}, "CBCustPos", TAct::Check, 1, "", "Shape.CustomPosition", "True"},
      {"TAnnotationTool", {}, "CBUnits", TAct::Item, 0, "", "PositionUnits", "muPercent"},
      {"TAnnotationTool", {}, "CBAutoSize", TAct::Check, 0, "", "AutoSize", "False"},
      {"TAnnotationTool", Off("AutoSize"), "ECustWidth", TAct::Text, 0, "120", "Width", "120"},
      {"TAnnotationTool", {}, "EArrowDist", TAct::Text, 0, "-15", "Callout.Distance", "-15"},
      {"TAnnotationTool", {}, "CBHead", TAct::Item, 2, "", "Callout.ArrowHead", "ahSolid"},
      {"TAnnotationTool", {}, "Edit1", TAct::Text, 0, "12", "Callout.ArrowHeadSize", "12"},
      {"TAnnotationTool", {}, "EX", TAct::Text, 0, "33", "Callout.XPosition", "33"},
      {"TAnnotationTool", {}, "EY", TAct::Text, 0, "1.5", "Callout.YPosition", "0"},
      {"TDataTableTool", {}, "CBInverted", TAct::Check, 1, "", "Inverted", "True"},
      {"TDataTableTool", {}, "CBAutoPos", TAct::Check, 0, "", "AutoPosition", "False"},
      {"TDataTableTool", Off("AutoPosition"), "Edit1", TAct::Text, 0, "-40", "Left", "-40"},
      {"TDataTableTool", Off("AutoPosition"), "Edit2", TAct::Text, 0, "60", "Top", "60"},
      {"TDataTableTool", {}, "CBLegVisible", TAct::Check, 0, "", "Legend.Visible", "False"},
      {"TDataTableTool", {}, "CBFontColor", TAct::Check, 1, "", "Legend.FontSeriesColor", "True"},
      {"TDataTableTool", {}, "CBOtherSide", TAct::Check, 1, "", "Legend.OtherSide", "True"},
      {"TDragPointTool", {}, "RGStyle", TAct::Item, 1, "", "DragStyle", "dsY"},
      {"TDragPointTool", {}, "RGStyle", TAct::Item, 0, "", "DragStyle", "dsX"},
      {"TGanttTool", {}, "Edit1", TAct::Text, 0, "9", "MinPixels", "9"},
      {"TGanttTool", {}, "CBDrag", TAct::Check, 0, "", "AllowDrag", "False"},
      {"TGanttTool", {}, "CBResize", TAct::Check, 0, "", "AllowResize", "False"},
      {"TPieTool", {}, "RGStyle", TAct::Item, 1, "", "Style", "ptExplode"},
      {"TSelectorTool", {}, "ESize", TAct::Text, 0, "6", "HandleSize", "6"},
      {"TSelectorTool", {}, "ESize", TAct::Text, 0, "0", "HandleSize", "1"},
      {"TSelectorTool", {}, "CBAllowDrag", TAct::Check, 0, "", "AllowDrag", "False"},
      {"TSelectorTool", {}, "CBResizeChart", TAct::Check, 1, "", "AllowResizeChart", "True"},
      {"TSeriesBandTool", {}, "CBDrawBehind", TAct::Check, 0, "", "DrawBehindSeries", "False"},
      {"TSeriesBandTool", {}, "ETrans", TAct::Text, 0, "40", "Transparency", "40"},
      {"TSeriesBandTool", {}, "CBSeries2", TAct::Item, 2, "", "Series2.Title", "Beta"},
      {"TLightTool", {}, "CBFollow", TAct::Check, 1, "", "FollowMouse", "True"},
      {"TLightTool", {}, "TBLeft", TAct::Position, 120, "", "Left", "120"},
      {"TLightTool", {}, "TBTop", TAct::Position, 80, "", "Top", "80"},
      {"TLightTool", {}, "TBFactor", TAct::Position, 55, "", "Factor", "55"},
      {"TLightTool", {}, "CBStyle", TAct::Item, 1, "", "Style", "lsSpotLight"},
  };
  for (const RowCase& C : Cases) {
    TPlotCustomTool* T = MakeTool(C.Tool);
    if (C.SetUp) C.SetUp(T);
    Open(T, [&](TForm& F) { Act(F, C); });
    EXPECT_EQ(PropertyText(T, C.Property), C.Expected) << C.Tool << " " << C.Control;
    T->Free();
  }
}

// Whether Key lies in an object of which Snapshot holds nothing: one that
// did not exist before.
bool MadeOnRead(const std::map<std::string, std::string>& Snapshot, const std::string& Key) {
  const size_t Dot = Key.rfind('.');
  if (Dot == std::string::npos) return false;
  const std::string Object = Key.substr(0, Dot + 1);
  const auto It = Snapshot.lower_bound(Object);
  return It == Snapshot.end() || It->first.compare(0, Object.size(), Object) != 0;
}

TEST_F(ToolForms, OpeningAndClosingEveryFormChangesNothing) {
  auto* Pie = Create<TPieSeries>(Owner);
  Chart->AddSeries(Pie);
  int32_t Forms = 0;
  for (TClass K : Chart::ToolTypes().Items()) {
    TPlotCustomTool* T = MakeTool(K->ClassName());
    // Values beyond the controls' ranges load without stopping the page.
    for (const char* P : {"ClickTolerance", "Size", "DrawEvery", "HandleSize", "MinPixels", "Length", "Left", "Top"})
      PlotToolSeriesEdit::SetProperty(T, P, static_cast<int64_t>(60000));
    const auto Before = PlotPenDlg::Snapshot(T);
    Open(T, [](TForm&) {});
    ++Forms;
    const auto After = PlotPenDlg::Snapshot(T);
    for (const auto& [Key, Text] : Before) {
      ASSERT_TRUE(After.count(Key)) << K->ClassName() << " lost " << Key;
      EXPECT_EQ(After.at(Key), Text) << K->ClassName() << " " << Key;
    }
    // Style objects made on first read (a font's gradient) may appear; nothing else.
    for (const auto& [Key, Text] : After) {
      if (!Before.count(Key)) {
        EXPECT_TRUE(MadeOnRead(Before, Key)) << K->ClassName() << " " << Key;
      }
    }
    T->Free();
  }
  EXPECT_GE(Forms, 26);
}

TEST_F(ToolForms, OutOfRangeValueLeavesTheRestOfThePageLoaded) {
  auto* T = static_cast<TNearestTool*>(MakeTool("TNearestTool"));
  T->SetSize(5000);
  T->FullRepaint = false;
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TNearestToolEdit&>(Form);
    EXPECT_EQ(F.Edit1->GetText(), "200") << "shown at the up-down's end";
    EXPECT_FALSE(F.CBFull->GetChecked()) << "the rows after it loaded";
    EXPECT_EQ(F.CBStyle->GetItemIndex(), 1);
  });
  EXPECT_EQ(T->GetSize(), 5000) << "nothing written by loading";
}

TEST_F(ToolForms, SeriesComboListsNoneFirstAndWritesTheChoice) {
  auto* T = static_cast<TCursorTool*>(MakeTool("TCursorTool"));
  T->SetSeries(Lines[1]);
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TCursorToolEditor&>(Form);
    EXPECT_EQ(Items(*F.CBSeries), (std::vector<std::string>{"(none)", "Alpha", "Beta"}));
    EXPECT_EQ(F.CBSeries->GetItemIndex(), 2);
    EXPECT_TRUE(F.CBSnap->GetEnabled());
    Choose(F.CBSeries, 1);
    EXPECT_EQ(T->GetSeries(), Lines[0]);
    // "(none)" unbinds the tool; snapping needs a series.
    Choose(F.CBSeries, 0);
    EXPECT_EQ(T->GetSeries(), nullptr);
    EXPECT_FALSE(F.CBSnap->GetEnabled());
    EXPECT_FALSE(F.CBZ->GetEnabled());
  });
  // A tool without a series shows "(none)" and snapping disabled.
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TCursorToolEditor&>(Form);
    EXPECT_EQ(F.CBSeries->GetItemIndex(), 0);
    EXPECT_FALSE(F.CBSnap->GetEnabled());
    EXPECT_FALSE(F.CBZ->GetEnabled());
  });
  // A chart without series: only "(none)", disabled.
  auto* Empty = Create<TChart>(Owner);
  T->SetParentChart(Empty);
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TCursorToolEditor&>(Form);
    EXPECT_EQ(Items(*F.CBSeries), std::vector<std::string>{"(none)"});
    EXPECT_FALSE(F.CBSeries->GetEnabled());
  });
}

TEST_F(ToolForms, AxisComboMapsItemsToTheChartsAxesBothWays) {
  Chart->CustomAxes()->AddAxis();
  Chart->CustomAxes()->AddAxis();
  TChartAxes& Axes = Chart->GetAxes();
  const std::vector<TChartAxis*> Expected = {Chart->LeftAxis(), Chart->RightAxis(), Chart->TopAxis(),
                                             Chart->BottomAxis(), Axes.Items(6), Axes.Items(7)};
  auto* T = static_cast<TColorLineTool*>(MakeTool("TColorLineTool"));
  for (int Item = 0; Item < static_cast<int>(Expected.size()); ++Item) {
    Open(T, [&](TForm& Form) {
      auto& F = dynamic_cast<TAxisToolEditor&>(Form);
      EXPECT_EQ(Items(*F.CBAxis), (std::vector<std::string>{"Left Axis", "Right Axis", "Top Axis", "Bottom Axis",
                                                            "Custom 0", "Custom 1"}));
      Choose(F.CBAxis, Item);
    });
    EXPECT_EQ(T->GetAxis(), Expected[static_cast<size_t>(Item)]) << Item;
    // Shown again, the combo shows the axis just chosen; a custom axis item i is entry i + 2.
    Open(T, [&](TForm& Form) { EXPECT_EQ(dynamic_cast<TAxisToolEditor&>(Form).CBAxis->GetItemIndex(), Item); });
    if (Item >= 4) {
      EXPECT_EQ(T->GetAxis(), Axes.Items(Item + 2));
    }
  }
}

TEST_F(ToolForms, BorderButtonFollowsThePublishedPen) {
  struct Case {
    const char* Tool;
    bool Visible;
  };
  for (const Case& C : {Case{"TColorLineTool", true}, Case{"TAxisArrowTool", true}, Case{"TGridBandTool", false},
                        Case{"TAxisScrollTool", false}}) {
    TPlotCustomTool* T = MakeTool(C.Tool);
    Open(T, [&](TForm& Form) {
      auto& F = dynamic_cast<TAxisToolEditor&>(Form);
      EXPECT_EQ(F.BPen->GetVisible(), C.Visible) << C.Tool;
      if (C.Visible) {
        EXPECT_EQ(F.BPen->GetPen(), T->Pen());
      }
    });
    T->Free();
  }
  // Without a tool nothing can be chosen.
  auto* F = Create<TAxisToolEditor>(Owner);
  F->FormShow(nullptr);
  EXPECT_FALSE(F->BPen->GetEnabled());
  EXPECT_FALSE(F->CBAxis->GetEnabled());
  F->Free();
}

TEST_F(ToolForms, ColourLineValueEditFollowsTheStyle) {
  auto* T = static_cast<TColorLineTool*>(MakeTool("TColorLineTool"));
  T->SetStyle(TColorLineStyle::clCenter);
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TColorLineToolEditor&>(Form);
    EXPECT_FALSE(F.EValue->GetEnabled());
    Choose(F.CBStyle, 0);
    EXPECT_TRUE(F.EValue->GetEnabled());
    EXPECT_EQ(T->GetStyle(), TColorLineStyle::clCustom);
  });
}

TEST_F(ToolForms, ImageButtonsFollowThePicture) {
  auto* T = static_cast<TChartImageTool*>(MakeTool("TChartImageTool"));
  const std::string File = (std::filesystem::temp_directory_path() / "kv-image-tool.bmp").string();
  TBitmap(6, 4).SaveToFile(File);
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TChartImageToolEditor&>(Form);
    EXPECT_EQ(F.Button1->GetCaption(), "B&rowse...");
    EXPECT_FALSE(F.BSave->GetEnabled());
    Seam.AnswerFileDialog(TFileDialogResult{{File}, 1});
    F.Button1->Click();
    EXPECT_EQ(T->Picture()->GetWidth(), 6);
    EXPECT_EQ(F.Button1->GetCaption(), "Clea&r");
    EXPECT_TRUE(F.BSave->GetEnabled());
    // Saving offers the picture's own kind.
    const std::string Saved = (std::filesystem::temp_directory_path() / "kv-image-tool-saved.bmp").string();
    Seam.AnswerFileDialog([&](const TFileDialogRequest& R) -> std::optional<TFileDialogResult> {
      EXPECT_EQ(R.Kind, TFileDialogKind::Save);
      EXPECT_EQ(R.Filters, (std::vector<std::pair<std::string, std::string>>{{"Bitmaps (*.bmp)", "*.bmp"}}));
      return TFileDialogResult{{Saved}, 1};
    });
    F.BSave->Click();
    TPicture Back;
    Back.LoadFromFile(Saved);
    EXPECT_EQ(Back.GetWidth(), 6);
    EXPECT_EQ(Back.GetHeight(), 4);
    std::filesystem::remove(Saved);
    F.Button1->Click();
    EXPECT_TRUE(T->Picture()->Empty());
    EXPECT_EQ(F.Button1->GetCaption(), "B&rowse...");
  });
  // A file that is no picture: a message, and the picture stays as it was.
  const std::string Bad = (std::filesystem::temp_directory_path() / "kv-image-tool.txt").string();
  { std::ofstream(Bad) << "no picture"; }
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TChartImageToolEditor&>(Form);
    Seam.AnswerFileDialog(TFileDialogResult{{Bad}, 1});
    Seam.AnswerMessage(mrOk);
    F.Button1->Click();
    EXPECT_TRUE(T->Picture()->Empty());
    EXPECT_FALSE(F.BSave->GetEnabled());
  });
  std::filesystem::remove(File);
  std::filesystem::remove(Bad);
}

TEST_F(ToolForms, AnimationFormRefusesToCloseWhileAnimating) {
  auto* T = static_cast<TSeriesAnimationTool*>(MakeTool("TSeriesAnimationTool"));
  auto* F = Create<TSeriesAnimToolEditor>(Owner);
  F->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(T));
  F->FormShow(nullptr);
  EXPECT_TRUE(F->Button1->GetEnabled());
  EXPECT_EQ(F->Button1->GetCaption(), "&Execute !");
  F->Button1->Click();
  EXPECT_TRUE(T->IsAnimating());
  EXPECT_EQ(F->Button1->GetCaption(), "Stop");
  EXPECT_FALSE(F->CloseQuery());
  F->Button1->Click();
  while (T->IsAnimating()) T->Step();
  F->Timer1->GetOnTimer()(F->Timer1);
  EXPECT_EQ(F->Button1->GetCaption(), "&Execute !");
  EXPECT_TRUE(F->CloseQuery());
  // Without a series there is nothing to animate.
  Choose(F->CBSeries, 0);
  EXPECT_FALSE(F->Button1->GetEnabled());
  F->Free();
}

TEST_F(ToolForms, AnnotationPositionSizeAndText) {
  auto* T = static_cast<TAnnotationTool*>(MakeTool("TAnnotationTool"));
  T->SetText(std::string("one") + PlotEngine::LabelLineSeparator + "two");
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TAnnotationToolEdit&>(Form);
    EXPECT_EQ(F.PageControl1->GetActivePage(), F.TabOptions);
    EXPECT_GT(F.PageControl1->PageCount(), 4) << "the shape's pages joined";
    EXPECT_EQ(F.MemoText->Lines()->Count(), 2);
    F.MemoText->Lines()->Add("three");
    F.MemoText->OnChange(F.MemoText);
    // Without a custom position the left and top controls rest.
    EXPECT_FALSE(F.ECustLeft->GetEnabled());
    EXPECT_FALSE(F.CBUnits->GetEnabled());
    F.CBCustPos->SetChecked(true);
    EXPECT_TRUE(F.ECustLeft->GetEnabled());
    F.ECustLeft->SetText("250");
    EXPECT_EQ(T->GetLeft(), 250);
    Choose(F.CBUnits, 0);
    EXPECT_EQ(T->GetLeft(), 100) << "percent clamps at 100";
    EXPECT_EQ(F.ECustLeft->GetText(), "100");
    // Automatic size rests the size controls.
    EXPECT_FALSE(F.ECustWidth->GetEnabled());
    F.CBAutoSize->SetChecked(false);
    EXPECT_TRUE(F.ECustWidth->GetEnabled());
    // Choosing an automatic place leaves the custom one.
    Choose(F.CBPos, 2);
    EXPECT_FALSE(T->Shape()->GetCustomPosition());
    EXPECT_FALSE(F.CBCustPos->GetChecked());
    EXPECT_FALSE(F.ECustLeft->GetEnabled());
  });
  EXPECT_EQ(T->GetTextValue(), std::string("one\rtwo\rthree"));
}

TEST_F(ToolForms, DataTableAutomaticPositionRestsLeftAndTop) {
  auto* T = static_cast<TDataTableTool*>(MakeTool("TDataTableTool"));
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TDataTableEditor&>(Form);
    EXPECT_EQ(F.GetCaption(), "DataTable editor");
    for (TControl* C : std::initializer_list<TControl*>{F.Edit1, F.Edit2, F.UDLeft, F.UDTop})
      EXPECT_FALSE(C->GetEnabled());
    F.CBAutoPos->SetChecked(false);
    EXPECT_TRUE(F.Edit1->GetEnabled());
    EXPECT_TRUE(F.UDTop->GetEnabled());
    ASSERT_NE(F.FontEditor, nullptr);
    EXPECT_EQ(F.FontEditor->EditedFont, T->Font());
    EXPECT_EQ(F.LegendFontEditor->EditedFont, T->Legend()->Font());
  });
}

TEST_F(ToolForms, ToolsPageEmbedsTheFormTheToolNames) {
  TPlotCustomTool* T = MakeTool("TCursorTool");
  auto* P = new TFormPlotTools(Owner);
  P->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Chart));
  P->FormShow(nullptr);
  P->SelectTool(T);
  ASSERT_NE(P->ToolEditor(), nullptr);
  EXPECT_TRUE(dynamic_cast<TCursorToolEditor*>(P->ToolEditor()));
  EXPECT_EQ(P->ToolEditor()->Tag, reinterpret_cast<intptr_t>(static_cast<TObject*>(T)));
  P->Free();
}

TEST_F(ToolForms, SeriesCombosListOnlyTheSeriesTheirToolTakes) {
  auto* Gantt = Create<TGanttSeries>(Owner);
  Gantt->SetTitle("Plan");
  Chart->AddSeries(Gantt);
  auto* Pie = Create<TPieSeries>(Owner);
  Pie->SetTitle("Shares");
  TGanttTool* G = static_cast<TGanttTool*>(MakeTool("TGanttTool"));
  G->SetSeries(Gantt);
  Open(G, [&](TForm& Form) {
    auto& F = dynamic_cast<TGanttToolEditor&>(Form);
    EXPECT_EQ(Items(*F.CBSeries), (std::vector<std::string>{"(none)", "Plan"}));
    EXPECT_EQ(F.CBSeries->GetItemIndex(), 1);
    EXPECT_EQ(F.Edit1->GetText(), "5");
    // The cursor combos show and write the tool's cursors.
    const int Hand = F.CBCursor->Items()->IndexOf("HandPoint");
    EXPECT_EQ(F.CBCursor->GetItemIndex(), Hand);
    Choose(F.CBResizeCursor, F.CBResizeCursor->Items()->IndexOf("Cross"));
    EXPECT_EQ(G->CursorResize, crCross);
  });
  // The pie tool: no pie series on the chart, nothing to choose.
  TPlotCustomTool* P = MakeTool("TPieTool");
  Open(P, [&](TForm& Form) {
    auto& F = dynamic_cast<TPieToolEditor&>(Form);
    EXPECT_EQ(F.Label1->GetCaption(), "Pie");
    EXPECT_TRUE(Items(*F.CBSeries).empty());
    EXPECT_FALSE(F.CBSeries->GetEnabled());
    EXPECT_EQ(F.BPen->GetPen(), P->Pen());
  });
  Chart->AddSeries(Pie);
  Open(P, [&](TForm& Form) {
    auto& F = dynamic_cast<TPieToolEditor&>(Form);
    EXPECT_EQ(Items(*F.CBSeries), std::vector<std::string>{"Shares"});
    Choose(F.CBSeries, 0);
  });
  EXPECT_EQ(static_cast<TPieTool*>(P)->GetSeries(), Pie);
}

TEST_F(ToolForms, DragPointCursorEditsTheChosenSeries) {
  auto* T = static_cast<TDragPointTool*>(MakeTool("TDragPointTool"));
  Lines[0]->Cursor = crCross;
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TDragPointToolEdit&>(Form);
    EXPECT_TRUE(F.CBCursor->GetEnabled());
    EXPECT_EQ(F.CBCursor->GetItemIndex(), F.CBCursor->Items()->IndexOf("Cross"));
    Choose(F.CBCursor, F.CBCursor->Items()->IndexOf("HandPoint"));
    EXPECT_EQ(Lines[0]->Cursor, crHandPoint);
    Choose(F.CBSeries, 0);
    EXPECT_FALSE(F.CBCursor->GetEnabled());
  });
  EXPECT_EQ(T->GetSeries(), nullptr);
}

TEST_F(ToolForms, LightBarsSpanTheChartWithTheCentreForMinusOne) {
  auto* T = static_cast<TLightTool*>(MakeTool("TLightTool"));
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TLightToolEditor&>(Form);
    EXPECT_EQ(F.TBLeft->GetMax(), 400);
    EXPECT_EQ(F.TBTop->GetMax(), 300);
    EXPECT_EQ(F.TBLeft->GetPosition(), 200);
    EXPECT_EQ(F.TBTop->GetPosition(), 150);
    EXPECT_FALSE(F.CBFollow->GetChecked()) << "the tool's setting, not the form's initial tick";
  });
  EXPECT_EQ(T->GetLeft(), -1) << "showing the centre writes nothing";
}

TEST_F(ToolForms, ExtraLegendButtonOpensTheLegendEditor) {
  auto* T = static_cast<TExtraLegendTool*>(MakeTool("TExtraLegendTool"));
  Open(T, [&](TForm& Form) {
    bool Shown = false;
    Modal<TForm>([&](TForm&) {
      Shown = true;
      return mrOk;
    });
    dynamic_cast<TExtraLegendEditor&>(Form).BEdit->Click();
    EXPECT_TRUE(Shown);
  });
}

TEST_F(ToolForms, GridBandTabsChooseTheBand) {
  auto* T = static_cast<TGridBandTool*>(MakeTool("TGridBandTool"));
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TGridBandToolEdit&>(Form);
    EXPECT_FALSE(F.BPen->GetVisible());
    F.TabControl1->SelectTab(1);
    F.Edit1->SetText("45");
    EXPECT_EQ(T->Band2()->GetTransparency(), 45);
    EXPECT_EQ(T->Band1()->GetTransparency(), 0);
    EXPECT_EQ(F.ButtonColor1->LinkedObject, T->Band2());
    EXPECT_EQ(F.ButtonGradient1->GetGradient(), T->Band2()->Gradient());
  });
}

TEST_F(ToolForms, DragMarksResetsTheToolsSeriesOrAll) {
  const auto Drag = [this] {
    for (TLineSeries* S : Lines) S->Marks()->EnsurePosition(1)->IsCustom = true;
  };
  const auto Custom = [this](int i) { return Lines[static_cast<size_t>(i)]->Marks()->PositionAt(1)->IsCustom; };
  auto* T = static_cast<TDragMarksTool*>(MakeTool("TDragMarksTool"));
  T->SetSeries(Lines[1]);
  Drag();
  Open(T, [&](TForm& Form) {
    auto& F = dynamic_cast<TDragMarksToolEditor&>(Form);
    EXPECT_EQ(Items(*F.CBSeries), (std::vector<std::string>{"(all)", "Alpha", "Beta"}));
    F.Button1->Click();
    EXPECT_TRUE(Custom(0));
    EXPECT_FALSE(Custom(1));
    // "(all)": every series of the chart.
    Choose(F.CBSeries, 0);
    EXPECT_EQ(T->GetSeries(), nullptr);
    Drag();
    F.Button1->Click();
    EXPECT_FALSE(Custom(0));
    EXPECT_FALSE(Custom(1));
  });
  // Without a series "(all)" is selected.
  Open(T, [&](TForm& Form) { EXPECT_EQ(dynamic_cast<TDragMarksToolEditor&>(Form).CBSeries->GetItemIndex(), 0); });
}

TEST_F(ToolForms, SelectorColourAndGridBandPreviewEditTheirBrushes) {
  auto* S = static_cast<TSelectorTool*>(MakeTool("TSelectorTool"));
  Open(S, [&](TForm& Form) {
    std::string Caption;
    Modal<TBrushDialog>([&](TBrushDialog& D) {
      Caption = D.GetCaption();
      EXPECT_EQ(D.EditedBrush, S->Brush());
      return mrOk;
    });
    dynamic_cast<TSelectorToolEditor&>(Form).BColor->Click();
    EXPECT_EQ(Caption, "Color");
  });
  auto* G = static_cast<TGridBandTool*>(MakeTool("TGridBandTool"));
  Open(G, [&](TForm& Form) {
    auto& F = dynamic_cast<TGridBandToolEdit&>(Form);
    Seam.AnswerColor(TColor(0x123456));
    F.Draw3D1->OnClick(F.Draw3D1);
    EXPECT_EQ(G->Band1()->GetColor(), TColor(0x123456));
  });
}

}  // namespace ToolEditorFormsTests
