#include "controls/SplashArt.h"
#include "controls/abcfact.h"
#include "controls/abcfspla.h"
#include "controls/abcspla.h"

#include "controls/tests/ControlsTestSupport.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ScriptedUserSeam.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace SplashTest {

using namespace ControlsTest;
using enum TabcAnimEffect;
using enum TabcAnimDirection;

namespace {

// A picture of W x H filled with Back, with a Card-coloured rectangle inside.
std::unique_ptr<TBitmap> CardPicture(int W, int H, TColor Back, TColor Card, TRect CardRect) {
  auto b = std::make_unique<TBitmap>(W, H);
  TCanvas& c = *b->GetCanvas();
  c.Brush->SetColor(Back);
  c.FillRect(TRect(0, 0, W, H));
  c.Brush->SetColor(Card);
  c.FillRect(CardRect);
  return b;
}

class SplashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Splash = new TabcSplash(Form.Form);
    Splash->AllowLocalBmp = false;
    Splash->OnShow = [this](TObject* S) { Events += S == Splash ? "show;" : "show?;"; };
    Splash->OnHide = [this](TObject* S) { Events += S == Splash ? "hide;" : "hide?;"; };
  }
  void TearDown() override {
    abcwanim::SetAnimateCall(nullptr);
    Application->SetParams({});
  }
  // Runs events until the splash window is freed.
  bool FormFreed(TabcsfSplash* F) {
    WeakRef<TabcsfSplash> ref(F);
    return RunUntil([&] { return ref.Get() == nullptr; });
  }

  TTestForm Form;
  TabcSplash* Splash = nullptr;
  std::string Events;
};

TEST(SplashCommandLine, NsWithASignInAnyCaseSuppressesTheSplash) {
  struct TCase {
    std::vector<std::string> Params;
    bool Suppressed;
  };
  for (const TCase& tc : {TCase{{"-ns"}, true}, TCase{{"/NS"}, true}, TCase{{"survey.k2d", "-Ns"}, true},
                          TCase{{"ns"}, false}, TCase{{"-nsx"}, false}, TCase{{}, false}}) {
    EXPECT_EQ(abcspla::SplashSuppressed(tc.Params), tc.Suppressed) << tc.Params.size();
  }
}

TEST_F(SplashTest, ShowingNeedsAPictureAndABevel) {
  try {
    Splash->ShowSplash();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Picture required");
  }
  SplashArt::LoadInto(*Splash->GetPicture());
  Splash->BevelWidth = 0;
  EXPECT_THROW(Splash->ShowSplash(), ERangeError);
  EXPECT_EQ(Splash->SplashForm(), nullptr);
}

TEST_F(SplashTest, ShowsTheJpegPictureCentredInItsBevelAndClosesOnItsTimer) {
  SplashArt::LoadInto(*Splash->GetPicture());
  ASSERT_NE(dynamic_cast<TJPEGImage*>(Splash->GetPicture()->GetGraphic()), nullptr);
  Splash->BevelWidth = 1;
  Splash->Duration = 40;
  Splash->ShowSplash();
  TabcsfSplash* f = Splash->SplashForm();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(Events, "show;");
  EXPECT_EQ(f->GetWidth(), SplashArt::Width + 2);
  EXPECT_EQ(f->GetHeight(), SplashArt::Height + 2);
  EXPECT_EQ(f->GetLeft(), (Screen->GetWidth() - f->GetWidth()) / 2);
  EXPECT_EQ(f->GetFormStyle(), TFormStyle::fsStayOnTop);
  EXPECT_EQ(f->GetBorderStyle(), TFormBorderStyle::bsNone);
  EXPECT_TRUE(f->pnlSplash->GetVisible());
  EXPECT_FALSE(f->abcShapeForm1->GetVisible());
  EXPECT_EQ(f->imgSplash->Picture()->GetWidth(), SplashArt::Width);
  EXPECT_EQ(f->tmrClose->GetInterval(), 40u);
  EXPECT_TRUE(f->tmrClose->GetEnabled());
  // A second show while the window exists does nothing.
  Splash->ShowSplash();
  EXPECT_EQ(Splash->SplashForm(), f);
  EXPECT_TRUE(FormFreed(f));
  EXPECT_EQ(Splash->SplashForm(), nullptr);
  EXPECT_EQ(Events, "show;hide;");
}

TEST_F(SplashTest, ClickClosesTheSplashOnlyWithHideOnClick) {
  Splash->GetPicture()->SetGraphic(CardPicture(60, 40, clWhite, clBlue, TRect(5, 5, 55, 35)));
  Splash->HideOnClick = false;
  Splash->ShowSplash();
  TabcsfSplash* f = Splash->SplashForm();
  f->MouseDown(TMouseButton::mbLeft, {}, 10, 10);
  f->imgSplash->Click();
  EXPECT_EQ(Splash->SplashForm(), f);
  Splash->HideSplash();
  EXPECT_TRUE(FormFreed(f));

  Splash->HideOnClick = true;
  Splash->ShowSplash();
  f = Splash->SplashForm();
  f->MouseDown(TMouseButton::mbLeft, {}, 10, 10);
  EXPECT_EQ(Splash->SplashForm(), nullptr);
  EXPECT_TRUE(FormFreed(f));
  EXPECT_EQ(Events, "show;hide;show;hide;");
}

TEST_F(SplashTest, ShapedSplashIsCutToThePicturesOutline) {
  // Back (0,255,0) with a blue card; one pixel of (0,150,0) lies within clGreen of the back.
  auto picture = CardPicture(60, 40, clLime, clBlue, TRect(10, 8, 50, 32));
  picture->GetCanvas()->SetPixel(3, 3, RGB(0, 150, 0));
  picture->GetCanvas()->SetPixel(4, 3, RGB(1, 255, 0));
  Splash->GetPicture()->SetGraphic(std::move(picture));
  Splash->SetShapeForm(true);
  Splash->ShapeTolerance = clGreen;
  Splash->BevelWidth = 1;
  Splash->ShowSplash();
  TabcsfSplash* f = Splash->SplashForm();
  ASSERT_TRUE(f->abcShapeForm1->GetVisible());
  const auto& region = f->abcShapeForm1->AppliedRegion();
  ASSERT_TRUE(region.has_value());
  EXPECT_EQ(region->GetRgnBox(), TRect(4, 3, 50, 32));
  EXPECT_FALSE(region->PtInRegion(3, 3));
  EXPECT_TRUE(region->PtInRegion(4, 3));
  EXPECT_TRUE(region->PtInRegion(10, 8));
  EXPECT_FALSE(region->PtInRegion(0, 39));
  const QRegion mask = f->Handle()->mask();
  EXPECT_TRUE(mask.contains(QPoint(20, 20)));
  EXPECT_FALSE(mask.contains(QPoint(1, 1)));
  // The window on the screen is cut too, not only the client area inside it.
  const QRegion windowMask = f->Handle()->window()->mask();
  EXPECT_TRUE(windowMask.contains(f->Handle()->mapTo(f->Handle()->window(), QPoint(20, 20))));
  EXPECT_FALSE(windowMask.contains(f->Handle()->mapTo(f->Handle()->window(), QPoint(1, 1))));
  EXPECT_EQ(f->GetWidth(), 62);
  Splash->HideSplash();
  EXPECT_TRUE(FormFreed(f));
}

TEST(SplashOutline, ToleranceWindowsEachChannelAroundTheCornerColour) {
  struct TCase {
    TColor Corner, Tolerance, Pixel;
    bool Opaque;
  };
  const TCase cases[] = {
      {RGB(0, 255, 0), clGreen, RGB(0, 127, 0), false},  {RGB(0, 255, 0), clGreen, RGB(0, 126, 0), true},
      {RGB(0, 255, 0), clGreen, RGB(1, 200, 0), true},   {RGB(0, 0, 0), 0x101010, RGB(32, 32, 32), false},
      {RGB(0, 0, 0), 0x101010, RGB(33, 0, 0), true},     {RGB(250, 250, 250), 0x101010, RGB(255, 255, 255), false},
      {RGB(250, 250, 250), 0x101010, RGB(233, 250, 250), true}, {RGB(9, 9, 9), 0, RGB(9, 9, 9), false},
  };
  for (const TCase& tc : cases) {
    TBitmap b(2, 1);
    b.GetCanvas()->SetPixel(0, 0, tc.Corner);
    b.GetCanvas()->SetPixel(1, 0, tc.Pixel);
    const auto runs = abcshapf::OpaqueRuns(b, tc.Tolerance);
    EXPECT_EQ(!runs.empty(), tc.Opaque) << std::hex << tc.Pixel;
  }
  EXPECT_FALSE(abcshapf::BitmapToRegion(nullptr, clGreen).has_value());
}

TEST(SplashOutline, RegionsOfManyRunsAreUnitedBatchByBatch) {
  // 2001 single-pixel runs on one row: more than one batch of rectangles.
  TBitmap b(4003, 2);
  TCanvas& c = *b.GetCanvas();
  c.Brush->SetColor(clWhite);
  c.FillRect(TRect(0, 0, 4003, 2));
  for (int x = 1; x < 4003; x += 2) c.SetPixel(x, 0, clBlack);
  const auto runs = abcshapf::OpaqueRuns(b, 0, TPoint(10, 20));
  ASSERT_EQ(runs.size(), 2001u);
  EXPECT_EQ(runs.front(), TRect(11, 20, 12, 21));
  const auto region = abcshapf::BitmapToRegion(&b, 0, TPoint(10, 20));
  ASSERT_TRUE(region.has_value());
  EXPECT_TRUE(region->PtInRegion(11, 20));
  EXPECT_TRUE(region->PtInRegion(10 + 4001, 20));
  EXPECT_FALSE(region->PtInRegion(12, 20));
  EXPECT_FALSE(region->PtInRegion(11, 21));
}

TEST_F(SplashTest, ShapingAndTheWindowEffectsExcludeEachOther) {
  Splash->GetAnimateShow()->SetEffect(aweRoll);
  EXPECT_EQ(Splash->GetAnimateShow()->GetHorz(), awdPositive);
  Splash->GetAnimateHide()->SetEffect(aweCenter);
  Splash->SetShapeForm(true);
  EXPECT_TRUE(Splash->GetShapeForm());
  EXPECT_EQ(Splash->GetAnimateShow()->GetEffect(), aweBlend);
  EXPECT_EQ(Splash->GetAnimateHide()->GetEffect(), aweBlend);
  Splash->GetAnimateShow()->SetEffect(aweSlide);
  EXPECT_FALSE(Splash->GetShapeForm());
  Splash->GetAnimateShow()->SetHorz(awdNone);
  EXPECT_EQ(Splash->GetAnimateShow()->GetEffect(), aweNone);
}

TEST_F(SplashTest, FadesInAndOutAroundItsEvents) {
  std::vector<uint32_t> flags;
  abcwanim::SetAnimateCall([&](TForm&, uint16_t Duration, uint32_t Flags) {
    EXPECT_EQ(Duration, 200);
    flags.push_back(Flags);
    Events += "animate;";
    return true;
  });
  Splash->GetPicture()->SetGraphic(CardPicture(30, 20, clWhite, clRed, TRect(2, 2, 28, 18)));
  Splash->GetAnimateShow()->SetEffect(aweBlend);
  Splash->GetAnimateHide()->SetEffect(aweSlide);
  Splash->GetAnimateHide()->SetVert(awdNegative);
  Splash->ShowSplash();
  TabcsfSplash* f = Splash->SplashForm();
  Splash->HideSplash();
  EXPECT_TRUE(FormFreed(f));
  EXPECT_EQ(flags, (std::vector<uint32_t>{AW_BLEND, AW_HIDE | AW_SLIDE | AW_HOR_POSITIVE | AW_VER_NEGATIVE}));
  EXPECT_EQ(Events, "animate;show;animate;hide;");
}

TEST_F(SplashTest, ModalSplashWithoutDurationStillClosesAfterFiveSeconds) {
  TScriptedUserSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  unsigned interval = 0;
  bool timing = false;
  seam.AnswerModal([&](TForm& F) {
    auto& splash = dynamic_cast<TabcsfSplash&>(F);
    interval = splash.tmrClose->GetInterval();
    timing = splash.tmrClose->GetEnabled();
    return mrCancel;
  });
  Splash->GetPicture()->SetGraphic(CardPicture(30, 20, clWhite, clRed, TRect(2, 2, 28, 18)));
  Splash->ShowModal = true;
  Splash->Duration = 0;
  Splash->ShowSplash();
  EXPECT_EQ(interval, 5000u);
  EXPECT_TRUE(timing);
  EXPECT_EQ(Splash->SplashForm(), nullptr);
  EXPECT_TRUE(Events.ends_with("hide;"));
}

TEST_F(SplashTest, AutoShowWhileLoadingHonoursTheCommandLine) {
  Splash->GetPicture()->SetGraphic(CardPicture(30, 20, clWhite, clRed, TRect(2, 2, 28, 18)));
  Splash->ComponentState.Include(TComponentStateItem::csLoading);
  Application->SetParams({"kelmvev2er", "survey.k2d", "/NS"});
  Splash->SetAutoShow(true);
  EXPECT_EQ(Splash->SplashForm(), nullptr);
  Application->SetParams({"kelmvev2er", "survey.k2d"});
  Splash->SetAutoShow(true);
  TabcsfSplash* f = Splash->SplashForm();
  ASSERT_NE(f, nullptr);
  Splash->ComponentState.Exclude(TComponentStateItem::csLoading);
  Splash->HideSplash();
  EXPECT_TRUE(FormFreed(f));
}

TEST_F(SplashTest, BitmapBesideTheProgramReplacesThePictureEvenWhenShaped) {
  const std::string local = SysUtils::ChangeFileExt(Application->ExeName(), ".bmp");
  CardPicture(24, 16, clLime, clBlue, TRect(4, 4, 20, 12))->SaveToFile(local);
  struct TRemove {
    std::string Name;
    ~TRemove() { SysUtils::DeleteFile(Name); }
  } remove{local};
  SplashArt::LoadInto(*Splash->GetPicture());
  Splash->AllowLocalBmp = true;
  Splash->SetShapeForm(true);
  Splash->BevelWidth = 1;
  Splash->ShowSplash();
  TabcsfSplash* f = Splash->SplashForm();
  EXPECT_EQ(f->imgSplash->Picture()->GetWidth(), 24);
  EXPECT_EQ(f->abcShapeForm1->Bitmap()->GetWidth(), 24);
  EXPECT_EQ(f->GetWidth(), 26);
  ASSERT_TRUE(f->abcShapeForm1->AppliedRegion().has_value());
  EXPECT_EQ(f->abcShapeForm1->AppliedRegion()->GetRgnBox(), TRect(4, 4, 20, 12));
  Splash->HideSplash();
  EXPECT_TRUE(FormFreed(f));

  // A local file that is no picture leaves the splash's own picture.
  ImageFiles::WriteFileBytes(local, {'B', 'M', 0, 1, 2});
  Splash->ShowSplash();
  f = Splash->SplashForm();
  EXPECT_EQ(f->imgSplash->Picture()->GetWidth(), SplashArt::Width);
  Splash->HideSplash();
  EXPECT_TRUE(FormFreed(f));
}

TEST_F(SplashTest, SplashShownOnDestructionIsWaitedFor) {
  Splash->GetPicture()->SetGraphic(CardPicture(30, 20, clWhite, clRed, TRect(2, 2, 28, 18)));
  Splash->AutoShowOnDestroy = true;
  Splash->Duration = 30;
  Splash->Free();
  EXPECT_EQ(Events, "show;hide;");
}

class TTestSplashForm : public TabcsfSplash {
  KV_CLASS(TTestSplashForm, TabcsfSplash)

 public:
  using TabcsfSplash::TabcsfSplash;
};
KV_CLASS_IMPL(TTestSplashForm, TabcsfSplash) {}

TEST(SplashFormFactory, OverridesMustDescendFromTheirBase) {
  TabcFormFactory& factory = TabcFormFactory::Instance();
  EXPECT_EQ(factory.FindFormClass(TabcsfSplash::StaticClass()), TabcsfSplash::StaticClass());
  try {
    factory.RegisterFormOverride(TabcsfSplash::StaticClass(), TabcForm::StaticClass());
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Form Factory error: TabcForm does not inherit from TabcsfSplash");
  }
  factory.RegisterFormOverride(TabcsfSplash::StaticClass(), TTestSplashForm::StaticClass());
  TTestForm owner;
  TForm* made = factory.CreateFormOf(TabcsfSplash::StaticClass(), owner.Form);
  EXPECT_NE(dynamic_cast<TTestSplashForm*>(made), nullptr);
  abcfspla::RegisterSplashForm();
  EXPECT_EQ(factory.FindFormClass(TabcsfSplash::StaticClass()), TabcsfSplash::StaticClass());
  EXPECT_EQ(factory.FindFormClass(TabcForm::StaticClass()), nullptr);
}

TEST(SplashShape, ShapeControlNeedsAFormAsOwner) {
  TComponent owner(nullptr);
  try {
    TabcShapeForm shape(&owner);
    FAIL() << "no exception";
  } catch (const EComponentError& e) {
    EXPECT_EQ(std::string(e.what()), "This component must be owned by a TForm");
  }
}

}  // namespace

TEST(SplashArtShape, TheProgramsPictureShapedWithItsToleranceIsTheCardAlone) {
  // The card as drawn, before JPEG compression, against the outline found in
  // the JPEG picture: no pixel of the surround stays (no tinted fringe, no
  // corners), no pixel of the card is cut. With and without a note line.
  for (const std::string note : {"", "Version 1.0"}) {
    SCOPED_TRACE(note);
    TBitmap drawn;
    SplashArt::Draw(drawn, note);
    TPicture picture;
    SplashArt::LoadInto(picture, note);
    TBitmap decoded(SplashArt::Width, SplashArt::Height);
    decoded.GetCanvas()->Draw(0, 0, picture.GetGraphic());
    const std::optional<TRegion> region = abcshapf::BitmapToRegion(&decoded, SplashArt::ShapeTolerance);
    ASSERT_TRUE(region.has_value());
    int kept = 0, cut = 0, card = 0;
    for (int y = 0; y < SplashArt::Height; ++y)
      for (int x = 0; x < SplashArt::Width; ++x) {
        const bool surround = ColorToRGB(drawn.GetPixelColor(x, y)) == ColorToRGB(clLime);
        const bool inside = region->PtInRegion(x, y);
        card += !surround;
        if (surround && inside) ++kept;
        if (!surround && !inside) ++cut;
      }
    EXPECT_GT(card, SplashArt::Width * SplashArt::Height / 2);
    EXPECT_EQ(kept, 0);
    EXPECT_EQ(cut, 0);
  }
}

TEST_F(SplashTest, AModalWindowOpeningClosesTheSplash) {
  // A modeless window leaves the splash; a modal one (a dialog at start-up) ends it.
  SplashArt::LoadInto(*Splash->GetPicture());
  Splash->Duration = 0;
  Splash->ShowSplash();
  TabcsfSplash* f = Splash->SplashForm();
  ASSERT_NE(f, nullptr);
  QWidget modeless, modal;
  modeless.show();
  Application->ProcessMessages();
  EXPECT_EQ(Splash->SplashForm(), f);
  modal.setWindowModality(Qt::ApplicationModal);
  modal.show();
  EXPECT_TRUE(FormFreed(f));
  EXPECT_EQ(Events, "show;hide;");
}

}  // namespace SplashTest
