// The unit's controls, colour dialog, resampler and start-up; the panel's
// window region, palette and hand cursor.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotProcs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ScriptedUserSeam.h"

namespace PlotCanvasControlsTests {

namespace {

class ControlsTest : public ::testing::Test {
protected:
  ControlsTest() {
    Seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
    Form.reset(Create<TForm>(nullptr));
  }
  ~ControlsTest() override {
    Form.reset();
    PlotCanvas::Finalize();
    PlotCanvas::Initialize();
    Application->ResetForTests();
  }
  TScriptedUserSeam Seam;
  std::unique_ptr<TForm> Form;
};

// A holder of a published colour, as the style dialogs link their buttons to.
class TColorHolder : public TPersistent {
  KV_CLASS(TColorHolder, TPersistent)
public:
  TColor GetColor() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  TColor FColor = clRed;
};
KV_CLASS_IMPL(TColorHolder, TPersistent) {
  c.Property("Color", &TColorHolder::GetColor, &TColorHolder::SetColor).Kind(TPropKind::pkColor);
}

TEST_F(ControlsTest, ColourButtonPaintsAndEditsItsLinkedProperty) {
  TButtonColor* Button = Create<TButtonColor>(Form.get());
  Button->SetParent(Form.get());
  EXPECT_EQ(Button->GetWidth(), 75);
  EXPECT_EQ(Button->GetHeight(), 25);
  EXPECT_EQ(Button->SymbolRect(), TRect(56, 7, 69, 19));
  TColorHolder Holder;
  Button->LinkProperty(&Holder, "Color");
  ASSERT_NE(Button->LinkedProperty, nullptr);
  EXPECT_EQ(Button->GetColor(), clRed);

  TBitmap Shown;
  Button->PaintTo(Shown);
  EXPECT_EQ(Shown.GetPixelColor(62, 12), clRed);

  int Clicks = 0;
  Button->OnClick = [&](TObject*) { ++Clicks; };
  Seam.AnswerColor(clBlue);
  Button->Click();
  EXPECT_EQ(Holder.FColor, clBlue);
  EXPECT_EQ(Clicks, 1);
  // Cancelled, or the same colour chosen: no change and no click event.
  Seam.AnswerColor(std::nullopt);
  Button->Click();
  Seam.AnswerColor(clBlue);
  Button->Click();
  EXPECT_EQ(Holder.FColor, clBlue);
  EXPECT_EQ(Clicks, 1);

  // clNone paints no colour rectangle.
  Holder.FColor = clNone;
  Button->Invalidate();
  Button->PaintTo(Shown);
  EXPECT_NE(Shown.GetPixelColor(62, 12), clNone);
  EXPECT_NE(Shown.GetPixelColor(62, 12), clBlue);

  // Without a linked property the button keeps its own colour.
  TButtonColor* Own = Create<TButtonColor>(Form.get());
  EXPECT_EQ(Own->GetColor(), 0);
  Own->SetColor(clGreen);
  EXPECT_EQ(Own->OwnColor, clGreen);
  Own->GetColorProc = [] { return clYellow; };
  EXPECT_EQ(Own->GetColor(), clYellow);
}

TEST_F(ControlsTest, ColourDialogsShareTheirCustomColours) {
  Seam.AnswerColor(clLime);
  EXPECT_EQ(PlotCanvas::EditColor(nullptr, clRed), clLime);
  // The first custom colour stands for "transparent"; the dialog writes its lines back in its own form.
  EXPECT_EQ(SysUtils::StrToInt("$" + PlotCanvas::CustomColors()->Values("ColorA")), 0xC0C0C1);
  PlotCanvas::CustomColors()->SetValue("ColorB", "0000FF00");
  Seam.AnswerColor(clLime);
  TColor Color = clRed;
  EXPECT_TRUE(PlotCanvas::EditColorVar(nullptr, Color));
  EXPECT_EQ(Color, clLime);
  EXPECT_EQ(SysUtils::StrToInt("$" + PlotCanvas::CustomColors()->Values("ColorB")), 0xFF00);
  Seam.AnswerColor(std::nullopt);
  EXPECT_FALSE(PlotCanvas::EditColorVar(nullptr, Color));
  EXPECT_EQ(Color, clLime);
}

TEST_F(ControlsTest, FlatComboStoresItsDropDownWidthOnlyWhenItDiffers) {
  TComboFlat* Combo = Create<TComboFlat>(Form.get());
  Combo->SetParent(Form.get());
  EXPECT_EQ(Combo->GetHeight(), 21);
  EXPECT_EQ(Combo->Style, TComboBoxStyle::csDropDownList);
  EXPECT_EQ(Combo->GetItemIndex(), -1);
  const TPropInfo* Width = TComboFlat::StaticClass()->FindProperty("DropDownWidth");
  ASSERT_NE(Width, nullptr);
  EXPECT_EQ(Combo->GetDropDownWidth(), Combo->GetWidth());
  EXPECT_FALSE(Width->IsStored(Combo));
  Combo->SetDropDownWidth(Combo->GetWidth() + 40);
  EXPECT_TRUE(Width->IsStored(Combo));

  // The flat border shows only while the mouse is outside.
  TBitmap Flat;
  Combo->PaintTo(Flat);
  EXPECT_EQ(Flat.GetPixelColor(0, 5), ColorToRGB(clBtnFace));
  Combo->MouseEnter();
  EXPECT_TRUE(Combo->Hovered);
  Combo->MouseLeave();
  EXPECT_FALSE(Combo->Hovered);
}

TEST(SmoothStretch, SizesBelowTwoPixelsAreRefused) {
  struct TCase {
    int32_t SW, SH, DW, DH;
    const char* Message;
  };
  const TCase Cases[] = {
      {1, 5, 10, 10, "SmoothStretch: Source bitmap too small"},
      {5, 1, 10, 10, "SmoothStretch: Source bitmap too small"},
      {5, 5, 1, 10, "SmoothStretch: Destination bitmap too small"},
      {5, 5, 10, 0, "SmoothStretch: Destination bitmap too small"},
  };
  for (const TCase& C : Cases) {
    TBitmap Source(C.SW, C.SH), Destination(C.DW, C.DH);
    try {
      PlotCanvas::SmoothStretch(&Source, &Destination);
      ADD_FAILURE() << "no error for " << C.SW << "x" << C.SH << " -> " << C.DW << "x" << C.DH;
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), C.Message);
    }
  }
  PlotCanvas::SmoothStretch(nullptr, nullptr);  // nothing happens
}

TEST(SmoothStretch, ResamplingKeepsFlatColoursAndCornerPixels) {
  TBitmap Source(2, 2);
  Source.GetCanvas()->SetPixel(0, 0, clRed);
  Source.GetCanvas()->SetPixel(1, 0, clRed);
  Source.GetCanvas()->SetPixel(0, 1, clBlue);
  Source.GetCanvas()->SetPixel(1, 1, clBlue);
  TBitmap Destination(100, 100);
  PlotCanvas::SmoothStretch(&Source, &Destination);
  EXPECT_EQ(Destination.GetPixelColor(0, 0), clRed);
  EXPECT_EQ(Destination.GetPixelColor(99, 99), clBlue);
  // Rows stay flat up to the rounding of the integer weights.
  const TColor Middle = Destination.GetPixelColor(50, 0);
  EXPECT_NEAR(GetRValue(Middle), 255, 3);
  EXPECT_NEAR(GetBValue(Middle), 0, 3);

  // Triangle filter: the middle of a 2-pixel ramp is their mean.
  TBitmap Ramp(2, 2), Wide(3, 2);
  for (int Y = 0; Y < 2; ++Y) {
    Ramp.GetCanvas()->SetPixel(0, Y, RGB(0, 0, 0));
    Ramp.GetCanvas()->SetPixel(1, Y, RGB(200, 100, 50));
  }
  PlotCanvas::SmoothStretchMode(&Ramp, &Wide, true);
  EXPECT_EQ(Wide.GetPixelColor(1, 0), RGB(100, 50, 25));
  EXPECT_DOUBLE_EQ(PlotCanvas::LanczosFilter(0), 1);
  EXPECT_DOUBLE_EQ(PlotCanvas::LanczosFilter(3), 0);
  EXPECT_NEAR(PlotCanvas::LanczosFilter(1), 0, 1e-12);
}

TEST(UnitStart, DefaultFontAndOptionalFunctions) {
  PlotCanvas::Finalize();
  EXPECT_TRUE(PlotCanvas::DefaultFontName.empty());
  PlotCanvas::Initialize();
  EXPECT_EQ(PlotCanvas::DefaultFontName, "Arial");
  EXPECT_EQ(PlotCanvas::DefaultFontSize, 8);
  EXPECT_TRUE(PlotCanvas::AlphaBlendAvailable);
  EXPECT_EQ(PlotCanvas::LoadDll("no-such-library-kv.so"), nullptr);
  PlotCanvas::FreeDll(nullptr);
  PlotCanvas::TModuleHandle Z = PlotCanvas::LoadDll("libz.so.1");
  EXPECT_NE(Z, nullptr);
  PlotCanvas::FreeDll(Z);
}

TEST(ChartBrushImage, ThePublishedImageIsStoredOnlyWithAPicture) {
  TChartBrush Brush;
  const TPropInfo* Image = TChartBrush::StaticClass()->FindProperty("Image");
  ASSERT_NE(Image, nullptr);
  EXPECT_EQ(Image->Kind, TPropKind::pkClass);
  EXPECT_FALSE(Image->IsStored(&Brush));
  Brush.GetImage()->GetBitmap()->SetSize(2, 2);
  EXPECT_TRUE(Image->IsStored(&Brush));
  auto* Picture = dynamic_cast<TPicture*>(std::get<TObject*>(Image->Get(&Brush)));
  ASSERT_NE(Picture, nullptr);
  EXPECT_EQ(Picture->GetWidth(), 2);
}

class PanelWindowTest : public ControlsTest {};

TEST_F(PanelWindowTest, RoundBorderSetsTheWindowRegionOfTheAdaptor) {
  TCustomPlotPanelExtended Panel;
  TPlotPanelControl* Window = new TPlotPanelControl(Form.get(), &Panel);
  Window->SetParent(Form.get());
  Window->SetBounds(0, 0, 200, 100);
  TRegion Region;
  EXPECT_FALSE(Window->GetWindowRegion(Region));
  Panel.SetBorderRound(20);
  ASSERT_TRUE(Window->GetWindowRegion(Region));
  EXPECT_FALSE(Region.PtInRegion(0, 0));
  EXPECT_TRUE(Region.PtInRegion(100, 50));
  EXPECT_FALSE(Region.PtInRegion(250, 50));
  Window->SetBounds(0, 0, 300, 100);  // a resize follows the new size
  ASSERT_TRUE(Window->GetWindowRegion(Region));
  EXPECT_TRUE(Region.PtInRegion(250, 50));
  Panel.SetBorderRound(0);
  EXPECT_FALSE(Window->GetWindowRegion(Region));
  delete Window;
}

TEST(PanelPalette, TheBackImagePaletteAnswersOnlyForIndexedBitmaps) {
  TCustomPlotPanelExtended Panel;
  EXPECT_TRUE(Panel.GetPalette().empty());
  EXPECT_EQ(Panel.PeekBackImage(), nullptr);  // asking created nothing
  TBitmap* Back = Panel.GetBackImage()->GetBitmap();
  Back->SetSize(4, 4);
  EXPECT_TRUE(Panel.GetPalette().empty());
  Back->SetPixelFormat(pf8bit);
  const std::vector<TColor> Palette = Panel.GetPalette();
  ASSERT_FALSE(Palette.empty());
  EXPECT_EQ(Palette.front(), clWhite);  // the picture's own colour comes first
}

TEST(HandCursor, TheEngineLoadsItsHandIntoTheCursorTable) {
  const TCursorImage* Hand = Controls::GetCursorImage(PlotProcs::crPlotHand);
  ASSERT_NE(Hand, nullptr);
  EXPECT_EQ(Hand->HotSpot, TPoint(6, 0));
  EXPECT_EQ(Hand->Pixels[6], 0xFF000000u);  // the fingertip
  PlotProcs::Finalize();
  EXPECT_EQ(Controls::GetCursorImage(PlotProcs::crPlotHand), nullptr);
  PlotProcs::Initialize();
  EXPECT_NE(Controls::GetCursorImage(PlotProcs::crPlotHand), nullptr);
}

}  // namespace

}  // namespace PlotCanvasControlsTests
