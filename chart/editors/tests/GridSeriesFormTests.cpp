// The format pages of the 3-D grid series: the contour page's levels (their
// number, default colours, value, colour and pen edits), the surface drawing
// mode, the vector arrow sizes and colours, the tower origin and the colour
// grid's picture loading.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "chart/editors/PlotColorGridEdit.h"
#include "chart/editors/PlotContourEdit.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/editors/PlotSurfaceEdit.h"
#include "chart/editors/PlotTowerEdit.h"
#include "chart/editors/PlotVectorEdit.h"
#include "chart/editors/PlotWaterFallEdit.h"
#include "chart/editors/tests/GridFinancialFormFixture.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Shapes.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace GridSeriesFormTests {

using Fixture = GridFinancialFormFixture::FormTest;

class ContourForm : public Fixture {
protected:
  void SetUp() override {
    Fixture::SetUp();
    Contour = Add<TContourSeries>(6);
    Contour->SetNumLevels(5);
    Contour->BuildAutomaticLevels();
  }
  TContourSeriesEditor* OpenContour() { return Open<TContourSeriesEditor>(Contour); }
  TContourLevel* Level(int I) const { return Contour->Levels()->GetItem(I); }
  TContourSeries* Contour = nullptr;
};

TEST_F(ContourForm, LevelControlsRunOverTheLevelsAndShowDefaultColoursFromThePalette) {
  ASSERT_EQ(Contour->Levels()->Count(), 5);
  auto* E = OpenContour();
  ASSERT_TRUE(E);
  EXPECT_EQ(E->SENum->GetText(), "5");
  EXPECT_EQ(E->UDLevel->GetMin(), 0);
  EXPECT_EQ(E->UDLevel->GetMax(), 4);
  const double Min = Contour->YValues()->MinValue(), Max = Contour->YValues()->MaxValue();
  for (int I = 0; I < 5; ++I) {
    E->ELevel->SetText(std::to_string(I));
    EXPECT_EQ(Level(I)->GetColor(), clDefault);
    EXPECT_EQ(E->SHColor->Brush()->GetColor(), Chart->GetDefaultColor(I)) << I;
    // Levels are spread evenly from the smallest value up; shown to three decimals.
    EXPECT_NEAR(SysUtils::StrToFloat(E->EValue->GetText()), Min + I * (Max - Min) / 5, 0.0005) << I;
    EXPECT_TRUE(E->cbDefaultPen->GetChecked());
    EXPECT_FALSE(E->bLevelPen->GetEnabled());
  }
  // Opening made no pen of any level.
  for (int I = 0; I < 5; ++I) EXPECT_TRUE(Level(I)->DefaultPen()) << I;

  // Without Color Each the levels carry colours of their own, shown as they are.
  E->CBColorEach->SetChecked(false);
  ASSERT_EQ(Contour->Levels()->Count(), 5);
  E->ELevel->SetText("3");
  EXPECT_NE(Level(3)->GetColor(), clDefault);
  EXPECT_EQ(E->SHColor->Brush()->GetColor(), Level(3)->GetColor());
}

TEST_F(ContourForm, WithoutAChartADefaultLevelColourShowsWhite) {
  auto* Alone = Create<TContourSeries>(Owner);
  Alone->FillSampleValues(5);
  Alone->SetNumLevels(3);
  Alone->BuildAutomaticLevels();
  auto* E = Create<TContourSeriesEditor>(Owner);
  E->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Alone));
  E->FormShow(E);
  EXPECT_EQ(E->UDLevel->GetMax(), 2);
  EXPECT_EQ(E->SHColor->Brush()->GetColor(), TColor(0xFFFFFF));
  // A free form keeps its palette page to itself.
  EXPECT_NE(E->EmbeddedForm("Grid 3D"), nullptr);
}

TEST_F(ContourForm, LevelEditsSwitchAutomaticLevelsOff) {
  struct TCase {
    const char* Edit;
    std::function<void(TContourSeriesEditor&)> Act;
    std::function<void(TContourSeriesEditor&)> Check;
  };
  const TCase Cases[] = {
      {"value", [](TContourSeriesEditor& E) { E.EValue->SetText("2.5"); },
       [this](TContourSeriesEditor&) { EXPECT_EQ(Level(1)->GetUpToValue(), 2.5); }},
      {"colour",
       [this](TContourSeriesEditor& E) {
         Seam.AnswerColor(clRed);
         E.SHColor->MouseUp(TMouseButton::mbLeft, {}, 2, 2);
       },
       [this](TContourSeriesEditor& E) {
         EXPECT_EQ(Level(1)->GetColor(), clRed);
         EXPECT_EQ(E.SHColor->Brush()->GetColor(), clRed);
       }},
      {"pen",
       [this](TContourSeriesEditor& E) {
         E.cbDefaultPen->SetChecked(false);
         Modal<TPenDialog>([](TPenDialog& D) {
           D.EditedPen->SetColor(clLime);
           return mrOk;
         });
         E.bLevelPen->Click();
       },
       [this](TContourSeriesEditor& E) {
         EXPECT_FALSE(Level(1)->DefaultPen());
         EXPECT_EQ(Level(1)->GetColor(), clLime);
         EXPECT_EQ(E.SHColor->Brush()->GetColor(), clLime);
         EXPECT_FALSE(E.cbDefaultPen->GetChecked());
       }},
  };
  for (const TCase& C : Cases) {
    Contour->SetAutomaticLevels(true);
    Contour->BuildAutomaticLevels();
    auto* E = OpenContour();
    ASSERT_TRUE(E);
    EXPECT_TRUE(E->CBAutoLevels->GetChecked());
    E->ELevel->SetText("1");
    C.Act(*E);
    C.Check(*E);
    EXPECT_FALSE(Contour->GetAutomaticLevels()) << C.Edit;
    EXPECT_FALSE(E->CBAutoLevels->GetChecked()) << C.Edit;
    EXPECT_FALSE(E->SENum->GetEnabled()) << C.Edit;
    // The edited levels stay: they are no longer computed.
    EXPECT_EQ(Contour->Levels()->Count(), 5) << C.Edit;
    Page->SelectSeries(Add<TLineSeries>());
  }
}

TEST_F(ContourForm, ValueTextThatIsNoNumberWritesNothingAndShowsNoMessage) {
  auto* E = OpenContour();
  ASSERT_TRUE(E);
  E->ELevel->SetText("2");
  const double Value = Level(2)->GetUpToValue();
  // Any message box would be an unexpected prompt of the seam.
  for (const char* Text : {"", "-", "abc", "1e", "1,5x", "inf"}) {
    E->EValue->SetText(Text);
    EXPECT_EQ(Level(2)->GetUpToValue(), Value) << Text;
    EXPECT_TRUE(Contour->GetAutomaticLevels()) << Text;
  }
  E->EValue->SetText("-1.25");
  EXPECT_EQ(Level(2)->GetUpToValue(), -1.25);
}

TEST_F(ContourForm, NumberAutomaticAndColourEachRebuildTheLevels) {
  auto* E = OpenContour();
  ASSERT_TRUE(E);
  E->ELevel->SetText("4");
  E->SENum->SetText("7");
  EXPECT_EQ(Contour->GetNumLevels(), 7);
  EXPECT_EQ(Contour->Levels()->Count(), 7);
  EXPECT_EQ(E->UDLevel->GetMax(), 6);
  E->SENum->SetText("3");
  EXPECT_EQ(Contour->Levels()->Count(), 3);
  // The level beyond the new number moves to the last one.
  EXPECT_EQ(E->UDLevel->GetMax(), 2);
  EXPECT_EQ(E->ELevel->GetText(), "2");
  EXPECT_TRUE(E->EValue->GetEnabled());

  E->CBAutoLevels->SetChecked(false);
  EXPECT_FALSE(Contour->GetAutomaticLevels());
  for (TControl* C : std::initializer_list<TControl*>{E->SENum, E->UDNum, E->CBColorEach})
    EXPECT_FALSE(C->GetEnabled()) << C->GetName();
  EXPECT_EQ(Contour->Levels()->Count(), 3);
  Level(0)->SetUpToValue(-500);
  E->CBAutoLevels->SetChecked(true);
  EXPECT_TRUE(Contour->GetAutomaticLevels());
  ASSERT_EQ(Contour->Levels()->Count(), 3);
  EXPECT_EQ(Level(0)->GetUpToValue(), Contour->YValues()->MinValue());
  EXPECT_TRUE(E->SENum->GetEnabled());
}

TEST_F(ContourForm, DefaultPenBoxRemovesOrMakesTheLevelsOwnPen) {
  auto* E = OpenContour();
  ASSERT_TRUE(E);
  E->ELevel->SetText("3");
  E->cbDefaultPen->SetChecked(false);
  ASSERT_FALSE(Level(3)->DefaultPen());
  EXPECT_TRUE(E->bLevelPen->GetEnabled());
  EXPECT_EQ(E->bLevelPen->GetPen(), Level(3)->PeekPen());
  E->cbDefaultPen->SetChecked(true);
  EXPECT_TRUE(Level(3)->DefaultPen());
  EXPECT_FALSE(E->bLevelPen->GetEnabled());
  EXPECT_EQ(E->bLevelPen->GetPen(), nullptr);
  // A level with a pen of its own shows it when selected again.
  Level(1)->GetPen()->SetWidth(4);
  E->ELevel->SetText("1");
  EXPECT_FALSE(E->cbDefaultPen->GetChecked());
  EXPECT_EQ(E->bLevelPen->GetPen(), Level(1)->PeekPen());
}

TEST_F(ContourForm, PositionAndSmoothingRules) {
  auto* E = OpenContour();
  ASSERT_TRUE(E);
  EXPECT_FALSE(E->CBInterpolate->GetEnabled());
  E->SEYPos->SetText("-250");
  EXPECT_EQ(Contour->GetYPosition(), -250);
  E->CBYPosLevel->SetChecked(true);
  EXPECT_TRUE(Contour->GetYPositionLevel());
  EXPECT_FALSE(E->SEYPos->GetEnabled());
  E->CBSmooth->SetChecked(true);
  EXPECT_TRUE(Contour->Smoothing()->GetActive());
  EXPECT_TRUE(E->CBInterpolate->GetEnabled());
  E->CBInterpolate->SetChecked(true);
  EXPECT_TRUE(Contour->Smoothing()->GetInterpolate());
}

// With KV_PICTURE_DIR set, the form is written there as "form_contour.png".
TEST_F(ContourForm, PictureOfTheForm) {
  Page->SetBounds(0, 0, 420, 320);
  Page->Show();
  auto* E = OpenContour();
  ASSERT_TRUE(E);
  E->ELevel->SetText("2");
  if (const char* Dir = std::getenv("KV_PICTURE_DIR")) {
    const QPixmap Picture = E->Handle()->grab();
    EXPECT_FALSE(Picture.isNull());
    EXPECT_TRUE(Picture.save(QString::fromStdString(std::string(Dir) + "/form_contour.png")));
  }
  // The colour swatch paints the level's colour.
  TBitmap Swatch;
  E->SHColor->PaintTo(Swatch);
  EXPECT_EQ(Swatch.GetCanvas()->GetPixel(E->SHColor->GetWidth() / 2, E->SHColor->GetHeight() / 2),
            Chart->GetDefaultColor(2));
}

// ---- surface, water fall, vector, tower, colour grid ----

using GridForms = Fixture;

TEST_F(GridForms, SurfaceDrawingModeShowsAndWritesBothFrameFlags) {
  struct TCase {
    bool Wire, Dot;
    int Item;
  } const Cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 2}};
  auto* S = Add<TSurfaceSeries>(4);
  for (const TCase& C : Cases) {
    S->SetWireFrame(C.Wire);
    S->SetDotFrame(C.Dot);
    auto* E = Open<TSurfaceSeriesEditor>(S);
    ASSERT_TRUE(E);
    EXPECT_EQ(E->RadioGroup1->GetItemIndex(), C.Item);
    Page->SelectSeries(Add<TLineSeries>());
  }
  auto* E = Open<TSurfaceSeriesEditor>(S);
  ASSERT_TRUE(E);
  E->RadioGroup1->SetItemIndex(1);
  EXPECT_TRUE(S->GetWireFrame());
  EXPECT_FALSE(S->GetDotFrame());
  E->RadioGroup1->SetItemIndex(0);
  EXPECT_FALSE(S->GetWireFrame());
  EXPECT_FALSE(S->GetDotFrame());
  E->RadioGroup1->SetItemIndex(2);
  EXPECT_TRUE(S->GetDotFrame());
  EXPECT_FALSE(S->GetWireFrame());
  E->Edit1->SetText("35");
  EXPECT_EQ(S->GetTransparency(), 35);
}

TEST_F(GridForms, SurfaceShownAgainBindsItsPalettePageToTheSeries) {
  auto* S = Add<TSurfaceSeries>(4);
  auto* E = Open<TSurfaceSeriesEditor>(S);
  ASSERT_TRUE(E);
  auto* Palette = TabForm<TGrid3DSeriesEditor>("Grid 3D");
  ASSERT_TRUE(Palette);
  EXPECT_EQ(Palette->Series(), S);
  Palette->Tag = 0;
  E->FormShow(E);
  EXPECT_EQ(TabForm<TGrid3DSeriesEditor>("Grid 3D"), Palette);
  EXPECT_EQ(Palette->Tag, reinterpret_cast<intptr_t>(static_cast<TObject*>(S)));
  EXPECT_EQ(Palette->Series(), S);
}

TEST_F(GridForms, WaterFallLinesButtonEditsTheWaterLines) {
  auto* S = Add<TWaterFallSeries>(4);
  auto* E = Open<TWaterFallEditor>(S);
  ASSERT_TRUE(E);
  EXPECT_EQ(E->BLines->GetPen(), S->WaterLines());
  EXPECT_EQ(E->Button2->GetPen(), S->Pen());
  EXPECT_EQ(E->BSideLines->GetPen(), S->SideLines());
}

TEST_F(GridForms, VectorArrowSizesAndDefaultColours) {
  auto* S = Add<TVector3DSeries>(4);
  S->SetArrowWidth(6);
  S->EndArrow()->SetColor(clDefault);
  S->StartArrow()->SetColor(clBlue);
  auto* E = Open<TVectorSeriesEditor>(S);
  ASSERT_TRUE(E);
  EXPECT_FALSE(E->CBStart->GetChecked());
  EXPECT_TRUE(E->CBEnd->GetChecked());
  E->Edit2->SetText("9");
  EXPECT_EQ(S->GetArrowHeight(), 9);
  EXPECT_EQ(S->GetArrowWidth(), 6);
  E->UDWidth->ButtonClick(TUDBtnType::btNext);
  EXPECT_EQ(S->GetArrowWidth(), 7);
  EXPECT_EQ(S->GetArrowHeight(), 9);
  E->CBStart->SetChecked(true);
  EXPECT_EQ(S->StartArrow()->GetColor(), clDefault);
  E->CBEnd->SetChecked(false);
  EXPECT_EQ(S->EndArrow()->GetColor(), clBlack);
}

TEST_F(GridForms, TowerOriginKeepsItsValueForTextThatIsNoNumber) {
  auto* S = Add<TTowerSeries>(4);
  S->SetOrigin(3);
  auto* E = Open<TTowerSeriesEditor>(S);
  ASSERT_TRUE(E);
  EXPECT_EQ(E->EOrigin->GetText(), "3");
  E->CBOrigin->SetChecked(true);
  EXPECT_TRUE(S->GetUseOrigin());
  for (const char* Text : {"x", "", "-"}) {
    E->EOrigin->SetText(Text);
    EXPECT_EQ(S->GetOrigin(), 3) << Text;
  }
  E->EOrigin->SetText("-7.5");
  EXPECT_EQ(S->GetOrigin(), -7.5);
  E->CBStyle->SetItemIndex(7);
  E->CBStyle->OnChange(E->CBStyle);
  EXPECT_EQ(S->GetTowerStyle(), tsSlantCube);
}

class ColorGridForm : public Fixture {
protected:
  void SetUp() override {
    Fixture::SetUp();
    Dir = std::filesystem::temp_directory_path() / ("kv-colorgrid-" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override {
    std::filesystem::remove_all(Dir);
    Fixture::TearDown();
  }
  std::filesystem::path Dir;
};

TEST_F(ColorGridForm, PenButtonsAreDisabledAndGridSpacingWrites) {
  auto* S = Add<TColorGridSeries>(4);
  auto* E = Open<TColorGridEditor>(S);
  ASSERT_TRUE(E);
  EXPECT_FALSE(E->BGrid->GetEnabled());
  EXPECT_FALSE(E->ButtonPen1->GetEnabled());
  EXPECT_EQ(E->BGrid->GetPen(), nullptr);
  E->Edit2->SetText("3");
  E->Edit1->SetText("4");
  EXPECT_EQ(S->GetXGridEvery(), 3);
  EXPECT_EQ(S->GetZGridEvery(), 4);
  E->CBCentered->SetChecked(true);
  EXPECT_TRUE(S->GetCenteredPoints());
}

TEST_F(ColorGridForm, LoadTakesAPictureAsTheGridAndKeepsTheGridOnCancelOrABadFile) {
  auto* S = Add<TColorGridSeries>(4);
  const int32_t Before = S->Count();
  auto* E = Open<TColorGridEditor>(S);
  ASSERT_TRUE(E);
  auto* Palette = TabForm<TGrid3DSeriesEditor>("Grid 3D");
  ASSERT_TRUE(Palette);
  EXPECT_FALSE(Palette->BRemove->GetEnabled());

  Seam.AnswerFileDialog(std::nullopt);
  E->Button2->Click();
  EXPECT_EQ(S->Count(), Before);

  const std::string Bad = (Dir / "bad.bmp").string();
  std::ofstream(Bad, std::ios::binary) << "BM not a bitmap";
  Seam.AnswerFileDialog(TFileDialogResult{{Bad}, 1});
  Seam.AnswerMessage(mrOk);
  E->Button2->Click();
  EXPECT_EQ(S->Count(), Before);

  TBitmap Picture(3, 2);
  for (int X = 0; X < 3; ++X)
    for (int Y = 0; Y < 2; ++Y) Picture.GetCanvas()->SetPixel(X, Y, X == 0 ? clRed : clBlue);
  const std::string Good = (Dir / "grid.bmp").string();
  Picture.SaveToFile(Good);
  Seam.AnswerFileDialog(TFileDialogResult{{Good}, 1});
  E->Button2->Click();
  ASSERT_EQ(S->Count(), 6);
  EXPECT_EQ(S->GetNumXValues(), 3);
  EXPECT_EQ(S->GetNumZValues(), 2);
  EXPECT_TRUE(Palette->BRemove->GetEnabled());
}

}  // namespace GridSeriesFormTests
