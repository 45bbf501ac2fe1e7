// The "Body parameters" dialog on a model of three bodies: loading, storing
// only what the user changed, refusing bad numbers, copying styles to every
// polygon but the outline, the colour, pen and brush of the shape, "As
// default", and the double click on the main window's model.

#include "app/bsetupun.h"
#include "app/tests/AppTestSupport.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotMapSeries.h"
#include "chart/series/PlotPenDlg.h"
#include "numerics/Polygons.h"
#include "views/PolygonChart.h"

namespace BodyDialogTest {

namespace {

using AppTest::AppFixture;

// Appends a rectangle as a new polygon of Body (a new body when Body is the body count).
void AddRectangle(TPolygonChart& C, size_t Body, double X0, double Z0, double X1, double Z1) {
  const int32_t first = static_cast<int32_t>(C.ModelNodes.size());
  for (auto [x, z] : {std::pair{X0, Z0}, {X1, Z0}, {X1, Z1}, {X0, Z1}}) {
    Tnode n;
    n.X = x;
    n.Depth = z;
    C.ModelNodes.push_back(n);
  }
  Polygon p;
  p.Nodes = {first, first + 1, first + 2, first + 3};
  p.Props = Polygons::DefaultProps;
  if (Body == C.ModelPolygons.size()) C.ModelPolygons.emplace_back();
  C.ModelPolygons[Body].push_back(p);
}

class BodyDialogTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    Chart = Create<TPolygonChart>(nullptr);
    Chart->Resize(600, 300);
    Chart->NewModel({}, false, 0, 100, 0, 50);
    AddRectangle(*Chart, 1, 10, 5, 30, 15);
    AddRectangle(*Chart, 2, 40, 5, 60, 15);
    AddRectangle(*Chart, 2, 60, 20, 80, 30);
    auto& m = Chart->ModelPolygons;
    m[1][0].Props[Polygons::PropResistivity] = 123.4567;
    m[1][0].Props[Polygons::PropPolarizability] = 2.5;
    m[1][0].Props[Polygons::PropDensity] = 2.6789;
    m[1][0].Props[Polygons::PropSusceptibility] = 0.001234;
    m[1][0].Props[Polygons::PropLabelMode] = int32_t{2};
    m[1][0].Props[Polygons::PropUserText] = "clay";
    Chart->RedrawModel();
    Dialog = Create<TBsetup>(nullptr);
  }
  void TearDown() override {
    Dialog->Free();
    Chart->Free();
    Polygons::ResetDefaultProps();
    AppFixture::TearDown();
  }
  void Open(int32_t Body, int32_t PolygonIndex, bool GravMag = false) {
    Dialog->Chart = Chart;
    Dialog->Body = Body;
    Dialog->PolygonIndex = PolygonIndex;
    Dialog->ShapeIndex = Chart->ShapeIndexOf(Body, PolygonIndex);
    Dialog->GravMagLoaded = GravMag;
    Dialog->LoadFromBody();
  }
  PolygonProps& Props(size_t Body, size_t PolygonIndex) { return Chart->ModelPolygons[Body][PolygonIndex].Props; }
  TPlotPolygon* ShapeOf(int32_t Body, int32_t PolygonIndex) {
    return Chart->BodySeries->Shapes()->PolygonAt(Chart->ShapeIndexOf(Body, PolygonIndex));
  }

  TPolygonChart* Chart = nullptr;
  TBsetup* Dialog = nullptr;
};

TEST_F(BodyDialogTest, LoadsRoundedTextsAndShowsGravityFieldsOnlyWithGravityData) {
  for (bool gravMag : {false, true}) {
    SCOPED_TRACE(gravMag);
    Open(1, 0, gravMag);
    EXPECT_EQ(Dialog->GetCaption(), "Body parameters");
    EXPECT_EQ(Dialog->Edit1->GetText(), "123.457");
    EXPECT_EQ(Dialog->Edit2->GetText(), "2.500");
    EXPECT_EQ(Dialog->Edit3->GetText(), "2.679");
    EXPECT_EQ(Dialog->Edit4->GetText(), Supermath2d::FloatToStrDec(2, 1, 0.001234));
    EXPECT_EQ(Dialog->ComboBox1->GetItemIndex(), 2);
    EXPECT_EQ(Dialog->Edit5->GetText(), "clay");
    for (TControl* c : std::initializer_list<TControl*>{Dialog->Edit3, Dialog->Edit4, Dialog->Label5, Dialog->Label6,
                                                         Dialog->Label7, Dialog->Label8, Dialog->Label9, Dialog->Label10})
      EXPECT_EQ(c->GetVisible(), gravMag);
    EXPECT_EQ(Dialog->Label1->GetCaption(), "r");
    EXPECT_EQ(Dialog->Label1->GetFont()->GetName(), "Symbol");
    EXPECT_EQ(Dialog->Label1->GetFont()->GetHeight(), -19);
  }
  // The copy boxes start cleared on every opening.
  Dialog->CheckBox2->SetChecked(true);
  Open(2, 1);
  EXPECT_FALSE(Dialog->CheckBox2->GetChecked());
  const std::vector<std::string> items(std::begin(bsetupun::LabelModes), std::end(bsetupun::LabelModes));
  ASSERT_EQ(Dialog->ComboBox1->Items()->Count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Dialog->ComboBox1->Items()->Get(i), items[size_t(i)]);
  EXPECT_EQ(items[2], "Resistivity&Polarizability");
}

TEST_F(BodyDialogTest, ApplyWritesOnlyTheNumbersWhoseTextChanged) {
  Open(1, 0);
  Dialog->Edit2->SetText("7,5");  // decimal comma
  Dialog->ComboBox1->SetItemIndex(4);
  ASSERT_TRUE(Dialog->Apply());
  EXPECT_EQ(Props(1, 0)[Polygons::PropResistivity].AsDouble(), 123.4567);  // not rounded to its text
  EXPECT_EQ(Props(1, 0)[Polygons::PropPolarizability].AsDouble(), 7.5);
  EXPECT_EQ(Props(1, 0)[Polygons::PropDensity].AsDouble(), 2.6789);  // hidden, untouched
  EXPECT_EQ(Props(1, 0)[Polygons::PropSusceptibility].AsDouble(), 0.001234);
  EXPECT_EQ(Props(1, 0)[Polygons::PropLabelMode].AsInt(), 4);
  // Label mode 4 shows the user text on the shape.
  EXPECT_EQ(ShapeOf(1, 0)->GetText(), "clay");
  // A second apply with the same texts writes nothing new; a typed value is used as typed.
  Props(1, 0)[Polygons::PropPolarizability] = 7.25;
  Dialog->Edit1->SetText("250");
  ASSERT_TRUE(Dialog->Apply());
  EXPECT_EQ(Props(1, 0)[Polygons::PropPolarizability].AsDouble(), 7.25);
  EXPECT_EQ(Props(1, 0)[Polygons::PropResistivity].AsDouble(), 250.0);
}

TEST_F(BodyDialogTest, EmptyUserTextIsStoredAsOneBlank) {
  Open(1, 0);
  Dialog->Edit5->SetText("");
  ASSERT_TRUE(Dialog->Apply());
  EXPECT_EQ(Props(1, 0)[Polygons::PropUserText].AsString(), " ");
  EXPECT_EQ(Dialog->Edit5->GetText(), " ");
}

TEST_F(BodyDialogTest, BadNumberKeepsTheDialogOpenAndStoresNothing) {
  struct TCase {
    TEdit* TBsetup::*Edit;
    const char* Text;
    const char* Message;
  };
  const TCase cases[] = {
      {&TBsetup::Edit1, "0", "Resistivity: \"0\" must be greater than 0."},
      {&TBsetup::Edit1, "-3", "Resistivity: \"-3\" must be greater than 0."},
      {&TBsetup::Edit1, "abc", "Resistivity: \"abc\" is not a number."},
      {&TBsetup::Edit2, "100", "Polarizability: \"100\" must be at least 0 and below 100."},
      {&TBsetup::Edit2, "-0.5", "Polarizability: \"-0.5\" must be at least 0 and below 100."},
      {&TBsetup::Edit3, "", "Density: \"\" is not a number."},
      {&TBsetup::Edit4, "x", "Susceptibility: \"x\" is not a number."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    Open(1, 0, true);
    const PolygonProps before = Props(1, 0);
    Dialog->Edit5->SetText("sand");  // a good change that must wait for the bad one
    (Dialog->*c.Edit)->SetText(c.Text);
    const size_t prompts = Seam.Prompts().size();
    Seam.AnswerMessage(mrOk);
    Dialog->SetModalResult(mrNone);
    Dialog->Button4->Click();  // "Close" applies first
    EXPECT_EQ(Dialog->GetModalResult(), mrNone);
    ASSERT_EQ(Seam.Prompts().size(), prompts + 1);
    EXPECT_EQ(Seam.Prompts().back().Text, c.Message);
    EXPECT_TRUE(Props(1, 0) == before);
  }
  // 0 is a good polarizability, 99.99 too.
  Open(1, 0);
  Dialog->Edit2->SetText("0");
  EXPECT_TRUE(Dialog->Apply());
  EXPECT_EQ(Props(1, 0)[Polygons::PropPolarizability].AsDouble(), 0.0);
}

TEST_F(BodyDialogTest, CopyBoxesReachEveryPolygonButTheOutline) {
  struct TCase {
    TCheckBox* TBsetup::*Box;
    int Property;
  };
  const TCase cases[] = {{&TBsetup::CheckBox1, Polygons::PropColor},
                         {&TBsetup::CheckBox2, Polygons::PropPen},
                         {&TBsetup::CheckBox3, Polygons::PropBrush},
                         {&TBsetup::CheckBox5, Polygons::PropLabelMode}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Property);
    // A distinct style on the edited polygon (its shape is where Apply reads it from).
    Open(2, 1);
    TPlotPolygon* shape = ShapeOf(2, 1);
    shape->SetColor(0x123456);
    shape->Pen()->SetWidth(4);
    shape->Brush()->SetStyle(bsDiagCross);
    Dialog->ComboBox1->SetItemIndex(3);
    const PolygonProps outline = Props(0, 0);
    const PolygonProps host = Props(0, Chart->ModelPolygons[0].size() - 1);
    (Dialog->*c.Box)->SetChecked(true);
    ASSERT_TRUE(Dialog->Apply());
    const PropValue edited = Props(2, 1)[size_t(c.Property)];
    for (size_t i = 0; i < Chart->ModelPolygons.size(); ++i)
      for (size_t j = 0; j < Chart->ModelPolygons[i].size(); ++j) {
        if (i == 0 && j == 0) continue;
        EXPECT_TRUE(Props(i, j)[size_t(c.Property)] == edited) << i << "," << j;
      }
    EXPECT_TRUE(Props(0, 0) == outline);
    // Numbers and user texts are never copied.
    EXPECT_TRUE(Props(0, Chart->ModelPolygons[0].size() - 1)[Polygons::PropResistivity] ==
                host[Polygons::PropResistivity]);
    EXPECT_EQ(Props(1, 0)[Polygons::PropUserText].AsString(), "clay");
    Polygons::ResetDefaultProps();
  }
  // Editing the outline itself changes it; it has no shape, so colour, pen and
  // brush ask nothing.
  Open(0, 0);
  EXPECT_EQ(Dialog->ShapeIndex, -1);
  Dialog->Button7->Click();
  Dialog->Button5->Click();
  Dialog->Button1->Click();
  Dialog->ComboBox1->SetItemIndex(1);
  ASSERT_TRUE(Dialog->Apply());
  EXPECT_EQ(Props(0, 0)[Polygons::PropLabelMode].AsInt(), 1);
}

TEST_F(BodyDialogTest, ColourPenAndBrushActOnTheShapeAtOnceAndReachThePolygonOnApply) {
  Open(1, 0);
  TPlotPolygon* shape = ShapeOf(1, 0);
  const TColor before = shape->GetColor();
  Seam.AnswerColor(std::nullopt);  // Cancel
  Dialog->Button7->Click();
  EXPECT_EQ(shape->GetColor(), before);
  Seam.AnswerColor(TColor{0x00FF00});
  Dialog->Button7->Click();
  EXPECT_EQ(shape->GetColor(), 0x00FF00);
  EXPECT_EQ(Props(1, 0)[Polygons::PropColor].AsInt(), before);  // not yet stored

  Seam.AnswerModal([](TForm& form) {
    auto& d = dynamic_cast<TPenDialog&>(form);
    d.EditedPen->SetWidth(3);
    return mrOk;
  });
  Dialog->Button5->Click();
  EXPECT_FALSE(shape->GetParentPen());
  EXPECT_EQ(shape->Pen()->GetWidth(), 3);
  Seam.AnswerModal([](TForm& form) {
    auto& d = dynamic_cast<TBrushDialog&>(form);
    d.EditedBrush->SetStyle(bsCross);
    return mrOk;
  });
  Dialog->Button1->Click();
  EXPECT_FALSE(shape->GetParentBrush());
  EXPECT_EQ(shape->Brush()->GetStyle(), bsCross);

  ASSERT_TRUE(Dialog->Apply());
  EXPECT_EQ(Props(1, 0)[Polygons::PropColor].AsInt(), 0x00FF00);
  // The redrawn shape carries what was stored.
  TPlotPolygon* redrawn = ShapeOf(1, 0);
  EXPECT_EQ(redrawn->GetColor(), 0x00FF00);
  EXPECT_EQ(redrawn->Pen()->GetWidth(), 3);
  EXPECT_EQ(redrawn->Brush()->GetStyle(), bsCross);
}

TEST_F(BodyDialogTest, AsDefaultMakesTheNextBodyCarryTheProperties) {
  Open(1, 0);
  Dialog->Edit1->SetText("42");
  Dialog->ComboBox1->SetItemIndex(1);
  Dialog->Button8->Click();
  EXPECT_EQ(Polygons::DefaultProps[Polygons::PropResistivity].AsDouble(), 42.0);
  EXPECT_EQ(Polygons::DefaultProps[Polygons::PropLabelMode].AsInt(), 1);
  EXPECT_EQ(Polygons::DefaultProps[Polygons::PropPolarizability].AsDouble(), 2.5);
  // A body drawn next starts from the defaults.
  Chart->ModelEditMode = pemAddPolygon;
  const size_t bodies = Chart->ModelPolygons.size();
  for (auto [x, z] : {std::pair{82.0, 35.0}, {95.0, 35.0}, {95.0, 45.0}}) {
    Chart->CursorMoved(0, 0, x, z, true);
    Chart->ButtonPressed(TMouseButton::mbLeft);
  }
  Chart->CursorMoved(0, 0, 82.0, 45.0, true);
  Chart->ButtonPressed(TMouseButton::mbRight);
  ASSERT_EQ(Chart->ModelPolygons.size(), bodies + 1);
  EXPECT_EQ(Chart->ModelPolygons.back()[0].Props[Polygons::PropResistivity].AsDouble(), 42.0);
}

TEST_F(AppFixture, BodyDialogOpensOnADoubleClickAndAsDefaultSurvivesARestart) {
  TMainForm& f = OpenForm();
  TPolygonChart& c = *f.PolygonChart1;
  c.NewModel({}, false, 0, 100, 0, 50);
  AddRectangle(c, 1, 10, 5, 30, 15);
  c.RedrawModel();
  c.BackupModel();
  const size_t undo = c.UndoModels.size();
  int changes = 0;
  auto previous = c.onchangemodel;
  c.onchangemodel = [&](TObject* S) {
    ++changes;
    if (previous) previous(S);
  };
  c.CursorPoint = {20.0, 10.0};
  // Closed without a change: no undo step, no model-changed event.
  Seam.AnswerModal([](TForm& form) {
    auto& d = dynamic_cast<TBsetup&>(form);
    EXPECT_EQ(d.Body, 1);
    d.Button4->Click();
    return d.GetModalResult();
  });
  ASSERT_TRUE(c.TPolygonModelEditor::EditBodyAtCursor());
  EXPECT_EQ(c.UndoModels.size(), undo);
  EXPECT_EQ(changes, 0);
  // A change through "As default" and "Close": one undo step, one event.
  Seam.AnswerModal([](TForm& form) {
    auto& d = dynamic_cast<TBsetup&>(form);
    d.Edit1->SetText("77");
    d.Button8->Click();
    d.Button4->Click();
    return d.GetModalResult();
  });
  ASSERT_TRUE(c.TPolygonModelEditor::EditBodyAtCursor());
  EXPECT_EQ(c.UndoModels.size(), undo + 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(c.ModelPolygons[1][0].Props[Polygons::PropResistivity].AsDouble(), 77.0);
  // The changed model is offered for saving at exit; this test does not keep it.
  Seam.AnswerMessage(mrNo);
  ASSERT_TRUE(QueryClose());
  CloseForm();
  Polygons::ResetDefaultProps();
  OpenForm();
  EXPECT_EQ(Polygons::DefaultProps[Polygons::PropResistivity].AsDouble(), 77.0);
  Polygons::ResetDefaultProps();
  if (bsetupun::Bsetup) bsetupun::Bsetup->Free();
}

}  // namespace

}  // namespace BodyDialogTest
