// Polygon-editing modes: the thirteen tool buttons with their modes and help
// texts, the temporary modes of Shift, Alt and Ctrl with the base mode kept
// apart, the keys the window previews (not while a text field has focus), undo
// and the model chart's pop-up menu.

#include <cstdio>
#include <fstream>

#include "app/tests/AppTestSupport.h"
#include "platform/ui/StdCtrls.h"
#include "views/PolygonChart.h"

namespace EditModesTest {

namespace {

using AppTest::AppFixture;

constexpr uint16_t KeyShift = 16, KeyCtrl = 17, KeyAlt = 18, KeyEsc = 27, KeyZ = 90;

class EditModesTest : public AppFixture {
 protected:
  TMainForm& OpenWithModel() {
    TMainForm& f = OpenForm();
    f.SetBounds(0, 0, 900, 700);
    Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("wenner.k2d")}, 1});
    AppTest::AcceptModelConstructor(Seam);
    f.Openfile1->Click();
    return f;
  }
  // A left or right click at model point X, Z, as the chart hands it to the editor.
  static void Click(TPolygonChart& Chart, double X, double Z, bool Right) {
    Chart.CursorMoved(0, 0, X, Z, true);
    Chart.ButtonPressed(Right ? TMouseButton::mbRight : TMouseButton::mbLeft);
  }
  static void Press(TMainForm& F, uint16_t Key, TShiftState Shift = {}) { F.FormKeyDown(&F, Key, Shift); }
  static void Release(TMainForm& F, uint16_t Key) {
    TShiftState none;
    F.FormKeyUp(&F, Key, none);
  }
};

TEST_F(EditModesTest, EachButtonSetsItsModeHelpTextAndPressedState) {
  struct TCase {
    TSpeedButton* TMainForm::*Button;
    int32_t Mode;
    const char* Hint;
    const char* TextStart;
  };
  const TCase cases[] = {
      {&TMainForm::SpeedButton9, 0, "Add polygon", "\"Add polygon\" mode. Use left-click for adding point"},
      {&TMainForm::SpeedButton11, 1, "Add sub-polygon to other", "\"Add sub-polygon to other\" mode."},
      {&TMainForm::SpeedButton13, 2, "Divide polygon", "\"Divide polygon\" mode. Use left-click to select"},
      {&TMainForm::SpeedButton18, 3, "Uncouple nodes", "\"Uncouple nodes\" mode. Use right-click to uncouple"},
      {&TMainForm::SpeedButton17, 4, "Delete node", "\"Delete node\" mode. Use right-click to remove node"},
      {&TMainForm::SpeedButton20, 5, "Move node", "\"Move node\" mode. Use left-click dragging for nodes"},
      {&TMainForm::SpeedButton19, 6, "Couple nodes", "\"Couple nodes\" mode. Use left-click to choose first"},
      {&TMainForm::SpeedButton16, 7, "Add node", "\"Add node\" mode. Use right-click to add new node"},
      {&TMainForm::SpeedButton10, 8, "Delete sub-polygon", "\"Delete sub-polygon\" mode. Use right-click"},
      {&TMainForm::SpeedButton12, 9, "Uncouple sub-polygon from polygon", "\"Uncouple sub-polygon from polygon\""},
      {&TMainForm::SpeedButton15, 10, "Move polygon", "\"Move polygon\" mode. Use left-click dragging for polygons"},
      {&TMainForm::SpeedButton14, 11, "Move sub-polygon", "\"Move sub-polygon\" mode."},
      {&TMainForm::SpeedButton21, 12, "Fix node", "\"Fix node\" mode. Use right-click to fix node"},
  };
  TMainForm& f = OpenWithModel();
  ASSERT_EQ(f.ToolBar2->ControlCount(), 13);
  EXPECT_EQ(f.ToolBar2->GetControl(9), f.SpeedButton20);  // tool-bar order 9..17, 20, 18, 19, 21
  for (const TCase& c : cases) {
    TSpeedButton* button = f.*c.Button;
    SCOPED_TRACE(c.Hint);
    EXPECT_EQ(button->GetHint(), c.Hint);
    button->Click();
    EXPECT_EQ(f.PolygonChart1->ModelEditMode, c.Mode);
    EXPECT_EQ(f.GetStatusText(5).rfind(c.TextStart, 0), 0u) << f.GetStatusText(5);
    // Only the pressed button is down; "Fix node" never stays down.
    for (int i = 0; i < f.ToolBar2->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(f.ToolBar2->GetControl(i));
      EXPECT_EQ(other->GetDown(), other == button && c.Mode != 12) << other->GetName();
    }
  }
  EXPECT_EQ(TMainForm::ModeText(-1), "");
  EXPECT_EQ(TMainForm::ModeText(5),
            "\"Move node\" mode. Use left-click dragging for nodes moving, right-click for new position placing");
}

TEST_F(EditModesTest, ModifierKeysGiveTemporaryModesAndTheBaseModeComesBack) {
  TMainForm& f = OpenWithModel();
  f.SpeedButton9->Click();  // Add polygon
  const std::string help = f.GetStatusText(5);
  struct TStep {
    bool Down;
    uint16_t Key;
    int32_t Mode;
  };
  struct TCase {
    const char* Name;
    std::vector<TStep> Steps;
  };
  const TCase cases[] = {
      {"shift", {{true, KeyShift, 5}, {true, KeyShift, 5}, {false, KeyShift, 0}}},
      {"alt", {{true, KeyAlt, 7}, {false, KeyAlt, 0}}},
      {"ctrl", {{true, KeyCtrl, 4}, {false, KeyCtrl, 0}}},
      // Two keys: the base mode returns only with the last release, in either order.
      {"shift ctrl, shift first up", {{true, KeyShift, 5}, {true, KeyCtrl, 4}, {false, KeyShift, 4}, {false, KeyCtrl, 0}}},
      {"shift ctrl, ctrl first up", {{true, KeyShift, 5}, {true, KeyCtrl, 4}, {false, KeyCtrl, 5}, {false, KeyShift, 0}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    for (const TStep& s : c.Steps) {
      if (s.Down)
        Press(f, s.Key);
      else
        Release(f, s.Key);
      EXPECT_EQ(f.PolygonChart1->ModelEditMode, s.Mode);
    }
    // Neither the pressed button nor the help text follow a temporary mode.
    EXPECT_TRUE(f.SpeedButton9->GetDown());
    EXPECT_EQ(f.GetStatusText(5), help);
  }
}

TEST_F(EditModesTest, ZTogglesZoomAndScrollAndIgnoredWhileTyping) {
  TMainForm& f = OpenWithModel();
  ASSERT_FALSE(f.PolygonChart1->GetAllowZoom());
  Press(f, KeyZ);
  EXPECT_TRUE(f.PolygonChart1->GetAllowZoom());
  EXPECT_EQ(f.PolygonChart1->AllowPanning, TPanningMode::pmBoth);
  EXPECT_TRUE(f.ZoomScroll1->GetChecked());
  f.ZoomScroll1->Click();
  EXPECT_FALSE(f.PolygonChart1->GetAllowZoom());
  EXPECT_EQ(f.PolygonChart1->AllowPanning, TPanningMode::pmNone);

  // A text field with the focus keeps Z, Space and Esc for itself.
  auto* edit = Create<TEdit>(&f);
  edit->SetParent(&f);
  f.SetActiveControl(edit);
  if (f.GetActiveControl() == edit) {
    Press(f, KeyZ);
    EXPECT_FALSE(f.PolygonChart1->GetAllowZoom());
  }
}

TEST_F(EditModesTest, UndoCancelsAnEditInProgressThenRestoresTheSnapshot) {
  TMainForm& f = OpenWithModel();
  TPolygonChart& chart = *f.PolygonChart1;
  const AllSpolygon original = chart.ModelPolygons;
  const size_t bodies = original.size();
  // A committed change: a new polygon drawn and closed in "Add polygon" mode.
  f.SpeedButton9->Click();
  const double x0 = chart.XMin + (chart.XMax - chart.XMin) * 0.3, x1 = chart.XMin + (chart.XMax - chart.XMin) * 0.6;
  const double z0 = chart.ZMin + (chart.ZMax - chart.ZMin) * 0.3, z1 = chart.ZMin + (chart.ZMax - chart.ZMin) * 0.6;
  Click(chart, x0, z0, false);
  Click(chart, x1, z0, false);
  Click(chart, x1, z1, false);
  Click(chart, x0, z1, true);
  ASSERT_GT(chart.ModelPolygons.size(), bodies);
  const AllSpolygon changed = chart.ModelPolygons;

  // An outline being drawn: Esc clears it and leaves the model as it is.
  Click(chart, x0, z0, false);
  ASSERT_FALSE(chart.DrawnOutline.empty());
  Press(f, KeyEsc);
  EXPECT_TRUE(chart.DrawnOutline.empty());
  EXPECT_EQ(chart.ModelPolygons.size(), changed.size());

  // A second polygon, then nothing in progress: Ctrl+Z goes back to the snapshot
  // of the first change, and the Ctrl key's temporary mode goes when it is released.
  const double x2 = chart.XMin + (chart.XMax - chart.XMin) * 0.7, x3 = chart.XMin + (chart.XMax - chart.XMin) * 0.9;
  Click(chart, x2, z0, false);
  Click(chart, x3, z0, false);
  Click(chart, x3, z1, false);
  Click(chart, x2, z1, true);
  ASSERT_GT(chart.ModelPolygons.size(), changed.size());
  Press(f, KeyCtrl);
  Press(f, KeyZ, TShiftState{TShiftStateItem::ssCtrl});
  Release(f, KeyCtrl);
  EXPECT_EQ(chart.ModelPolygons.size(), changed.size());
  EXPECT_EQ(chart.ModelEditMode, 0);
}

TEST_F(EditModesTest, DoubleClickOnTheMarginsOpensThePopupWithItsChecks) {
  TMainForm& f = OpenWithModel();
  TPolygonChart& chart = *f.PolygonChart1;
  chart.EqualScale = true;
  // A press on the left margin, outside the plot rectangle, then a double click.
  chart.OnMouseDown(TMouseButton::mbLeft, {}, 2, chart.ChartRect.Top + 5);
  TMenuItem* shown = nullptr;
  Seam.AnswerPopup([&](TPopupMenu& Menu) {
    EXPECT_EQ(&Menu, f.PopupMenu1);
    EXPECT_TRUE(f.Equalscale1->GetChecked());
    EXPECT_FALSE(f.ZoomScroll1->GetChecked());
    shown = f.Equalscale1;
    return f.Equalscale1;
  });
  chart.OnDblClick();
  EXPECT_EQ(shown, f.Equalscale1);
  EXPECT_FALSE(chart.EqualScale);  // the chosen item ran
  EXPECT_DOUBLE_EQ(chart.LeftAxis()->GetMaximum(), chart.ZMax);
  ASSERT_EQ(f.PopupMenu1->Items()->Count(), 5);
  EXPECT_EQ(f.PopupMenu1->Items()->GetItem(3)->GetCaption(), "Zoom&&Scroll  Z");
}

TEST_F(EditModesTest, SavePictureWritesAnEnhancedMetafile) {
  TMainForm& f = OpenWithModel();
  const std::string file = testing::TempDir() + "kv_e10_model_picture";
  Seam.AnswerFileDialog(TFileDialogResult{{file}, 1});
  f.Savepicture1->Click();
  std::ifstream in(file + ".emf", std::ios::binary);
  ASSERT_TRUE(in.good());
  char head[44] = {};
  in.read(head, sizeof head);
  // EMR_HEADER record type 1, signature " EMF" at offset 40.
  EXPECT_EQ(head[0], 1);
  EXPECT_EQ(std::string(head + 40, 4), " EMF");
  in.close();
  std::remove((file + ".emf").c_str());
}

}  // namespace

}  // namespace EditModesTest
