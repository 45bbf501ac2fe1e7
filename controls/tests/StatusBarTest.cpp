#include "controls/dfsStatusBar.h"

#include "controls/tests/ControlsTestSupport.h"

#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <set>

namespace StatusBarTest {

using namespace ControlsTest;
using enum TdfsStatusPanelType;
using enum TdfsGaugeStyle;

namespace {

class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FOldReader = dfsStatusBar::SetKeyStateReader([this](int Key) { return Toggled.count(Key) > 0; });
    Bar = new TdfsStatusBar(Form.Form);
    Bar->SetParent(Form.Form);
    Bar->SetAlign(TAlign::alNone);
    Bar->SetBounds(0, 0, 600, 20);
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-11);
    font.SetColor(clRed);
    Bar->SetFont(&font);
    Bar->SetColor(clSilver);
    Bar->Handle();
  }
  void TearDown() override {
    Form.Form->Free();
    Form.Form = Create<TForm>(nullptr);
    dfsStatusBar::SetKeyStateReader(std::move(FOldReader));
    dfsStatusBar::SetClock(nullptr);
  }

  TdfsStatusPanel* AddPanel(TdfsStatusPanelType Kind, int Width, const std::string& Text = "") {
    TdfsStatusPanel* p = Bar->GetPanels()->Add();
    p->SetWidth(Width);
    p->SetPanelType(Kind);
    if (!Text.empty()) p->SetText(Text);
    return p;
  }
  std::unique_ptr<TBitmap> Shot() {
    auto b = std::make_unique<TBitmap>();
    Bar->PaintTo(*b);
    return b;
  }
  // The panel's drawing area: its rectangle without the bevel.
  TRect Inner(const TdfsStatusPanel* P) const {
    const TRect r = Bar->PanelRect(P->GetIndex());
    return TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  // Paints the panel's area of the shown picture in a marker colour.
  void Mark(const TdfsStatusPanel* P) {
    TCanvas& c = *Bar->GetCanvas();
    c.Brush->SetStyle(bsSolid);
    c.Brush->SetColor(clFuchsia);
    c.FillRect(Inner(P));
  }
  int Marked(const TdfsStatusPanel* P) {
    TCanvas& c = *Bar->GetCanvas();
    const TRect r = Inner(P);
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (c.GetPixel(x, y) == clFuchsia) ++n;
    return n;
  }

  TTestForm Form;
  TdfsStatusBar* Bar = nullptr;
  std::set<int> Toggled;

 private:
  dfsStatusBar::TKeyStateReader FOldReader;
};

// ---------------------------------------------------------------- gauge
TEST_F(StatusBarTest, GaugeTextChangesColourExactlyAtTheFillEdge) {
  struct TCase {
    int Position;
    bool TextColourShown, FontColourShown;
  };
  for (const TCase& tc : {TCase{0, false, true}, TCase{50, true, true}, TCase{100, true, false}}) {
    SCOPED_TRACE(tc.Position);
    Bar->GetPanels()->Clear();
    TdfsStatusPanel* p = AddPanel(sptGauge, 100);
    p->GetGaugeAttrs()->SetColor(clBlue);
    p->GetGaugeAttrs()->SetTextColor(clYellow);
    p->GetGaugeAttrs()->SetPosition(tc.Position);
    auto shot = Shot();
    const TRect area = Inner(p);
    const int edge = area.Left + ControlTypes::MulDiv(area.Width(), tc.Position, 100);
    const TRect filled(area.Left, area.Top, edge, area.Bottom);
    const TRect rest(edge, area.Top, area.Right, area.Bottom);
    EXPECT_EQ(CountColor(*shot, filled, clSilver) + CountColor(*shot, filled, clRed), 0);
    EXPECT_EQ(CountColor(*shot, rest, clBlue) + CountColor(*shot, rest, clYellow), 0);
    EXPECT_EQ(CountColor(*shot, area, clYellow) > 0, tc.TextColourShown);
    EXPECT_EQ(CountColor(*shot, area, clRed) > 0, tc.FontColourShown);
  }
}

TEST_F(StatusBarTest, GaugeWithoutTextShowsItsPositionInPercent) {
  TdfsStatusPanel* a = AddPanel(sptGauge, 60);
  TdfsStatusPanel* b = AddPanel(sptGauge, 60, "40%");
  a->GetGaugeAttrs()->SetPosition(40);
  b->GetGaugeAttrs()->SetPosition(40);
  auto shot = Shot();
  const TRect ra = Inner(a), rb = Inner(b);
  int differences = 0;
  for (int y = 0; y < ra.Height(); ++y)
    for (int x = 0; x < ra.Width(); ++x)
      if (shot->GetPixelColor(ra.Left + x, ra.Top + y) != shot->GetPixelColor(rb.Left + x, rb.Top + y)) ++differences;
  EXPECT_EQ(differences, 0);
  EXPECT_GT(CountColor(*shot, ra, clHighlightText), 0);
}

TEST_F(StatusBarTest, GaugePositionStaysWithinZeroToHundredAndRedrawsOnlyOnChange) {
  TdfsStatusPanel* p = AddPanel(sptGauge, 60);
  TdfsGaugeAttrs* g = p->GetGaugeAttrs();
  g->SetPosition(140);
  EXPECT_EQ(g->GetPosition(), 100);
  g->SetPosition(-5);
  EXPECT_EQ(g->GetPosition(), 0);
  Mark(p);
  g->SetPosition(0);
  EXPECT_EQ(Marked(p), Inner(p).Width() * Inner(p).Height());
  g->SetPosition(30);
  EXPECT_EQ(Marked(p), 0);
}

// ---------------------------------------------------------------- text
TEST_F(StatusBarTest, SetTextRedrawsThePanelOnlyWhenTheTextChanges) {
  TdfsStatusPanel* p = AddPanel(sptNormal, 180, "x = 12.5");
  Mark(p);
  p->SetText("x = 12.5");
  EXPECT_GT(Marked(p), 0);
  p->SetText("x = 13.0");
  EXPECT_EQ(Marked(p), 0);
  auto shot = Shot();
  EXPECT_GT(CountColor(*shot, Inner(p), clRed), 0);
}

TEST_F(StatusBarTest, OwnerDrawPanelShowsNothingWithoutHandlerAndCallsItsHandler) {
  TdfsStatusPanel* owner = AddPanel(sptOwnerDraw, 80, "hidden");
  TdfsStatusPanel* normal = AddPanel(sptNormal, 80, "shown");
  Mark(owner);
  Mark(normal);
  owner->Redraw();
  normal->Redraw();
  EXPECT_EQ(Marked(owner), Inner(owner).Width() * Inner(owner).Height());
  EXPECT_EQ(Marked(normal), 0);

  TRect drawn;
  TdfsStatusPanel* sender = nullptr;
  owner->OnDrawPanel = [&](TdfsStatusBar* Sb, TdfsStatusPanel* P, const TRect& R) {
    EXPECT_EQ(Sb, Bar);
    sender = P;
    drawn = R;
  };
  Shot();
  EXPECT_EQ(sender, owner);
  EXPECT_EQ(drawn, Bar->PanelRect(0));
}

TEST_F(StatusBarTest, AutoFitPanelsTakeTheirWidthFromTextAndGlyph) {
  TdfsStatusPanel* text = AddPanel(sptNormal, 50, "Misfit 5.43/0");
  text->SetBorderWidth(2);
  text->SetAutoFit(true);
  EXPECT_EQ(text->GetWidth(), Bar->MeasureCanvas()->TextWidth("Misfit 5.43/0") + 6 + 2);
  text->SetWidth(300);
  EXPECT_NE(text->GetWidth(), 300);

  TdfsStatusPanel* glyph = AddPanel(sptGlyph, 20);
  auto bmp = std::make_unique<TBitmap>(11, 12);
  glyph->GetGlyph()->SetGraphic(std::move(bmp));
  EXPECT_TRUE(glyph->GetAutoFit());
  EXPECT_EQ(glyph->GetWidth(), 11 + 0 + 4);
  glyph->SetAutoFit(false);
  glyph->SetWidth(20);
  EXPECT_EQ(glyph->GetWidth(), 20);
}

TEST_F(StatusBarTest, BitmapGlyphIsDrawnWithoutItsBottomLeftColourAndCentred) {
  TdfsStatusPanel* p = AddPanel(sptGlyph, 20);
  p->SetAutoFit(false);
  p->SetWidth(20);
  p->SetAlignment(TAlignment::taCenter);
  auto glyph = std::make_unique<TBitmap>(11, 12);
  TCanvas& c = *glyph->GetCanvas();
  c.Brush->SetColor(clFuchsia);
  c.FillRect(TRect(0, 0, 11, 12));
  c.Brush->SetColor(clBlue);
  c.FillRect(TRect(3, 3, 8, 8));
  p->GetGlyph()->SetGraphic(std::move(glyph));
  auto shot = Shot();
  const TRect area = Inner(p);
  EXPECT_EQ(CountColor(*shot, area, clFuchsia), 0);
  EXPECT_EQ(CountColor(*shot, area, clBlue), 25);
  const int left = area.Left + (area.Width() - 11) / 2, top = area.Top + (area.Height() - 12) / 2;
  EXPECT_EQ(shot->GetPixelColor(left + 3, top + 3), Rgb(clBlue));
}

// ---------------------------------------------------------------- kinds and hints
TEST_F(StatusBarTest, KindSetsAutoFitAlignmentAndDisplayName) {
  TdfsStatusPanel* gauge = AddPanel(sptGauge, 37);
  EXPECT_FALSE(gauge->GetAutoFit());
  EXPECT_EQ(gauge->GetAlignment(), TAlignment::taCenter);
  EXPECT_EQ(gauge->GetDisplayName(), "sptGauge");
  TdfsStatusPanel* caps = AddPanel(sptCapsLock, 40);
  EXPECT_EQ(caps->GetText(), " CAPS ");
  EXPECT_TRUE(caps->GetAutoFit());
  TdfsStatusPanel* text = AddPanel(sptNormal, 40, "cursor");
  EXPECT_EQ(text->GetDisplayName(), "cursor");
}

TEST_F(StatusBarTest, EllipsisPanelsShortenOnlyATextThatDoesNotFit) {
  auto pixels = [&](const TBitmap& Shot, const TdfsStatusPanel* P) {
    std::vector<TColor> v;
    const TRect r = Inner(P);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) v.push_back(Shot.GetPixelColor(x, y));
    return v;
  };
  for (const std::string text : {"/home/user/surveys/line 12/profile.k2d", "x=1"}) {
    SCOPED_TRACE(text);
    Bar->GetPanels()->Clear();
    TdfsStatusPanel* plain = AddPanel(sptNormal, 90, text);
    TdfsStatusPanel* end = AddPanel(sptEllipsisText, 90, text);
    TdfsStatusPanel* path = AddPanel(sptEllipsisPath, 90, text);
    auto shot = Shot();
    const bool fits = text.size() < 5;
    EXPECT_EQ(pixels(*shot, plain) == pixels(*shot, end), fits);
    EXPECT_EQ(pixels(*shot, end) == pixels(*shot, path), fits);
  }
}

TEST_F(StatusBarTest, EllipsisPanelHintShowsItsWholeText) {
  TdfsStatusPanel* p = AddPanel(sptEllipsisPath, 60, "/home/user/surveys/line 12/profile.k2d");
  EXPECT_EQ(p->GetHint(), "/home/user/surveys/line 12/profile.k2d");
  p->SetHint("Data file");
  EXPECT_EQ(p->GetHint(), "Data file");
  p->OnHintText = [](TdfsStatusBar*, TdfsStatusPanel*, std::string& Hint) { Hint += "!"; };
  EXPECT_EQ(p->GetHint(), "Data file!");

  AddPanel(sptNormal, 50);
  TdfsStatusPanel* last = AddPanel(sptNormal, 50);
  last->SetHint("last");
  std::string hint;
  TRect cursor;
  EXPECT_TRUE(Bar->HintAt(TPoint(5, 10), hint, cursor));
  EXPECT_EQ(hint, "Data file!");
  EXPECT_EQ(cursor, Bar->PanelRect(0));
  // The window layer asks through the control base when it shows a tooltip.
  const TControl* asControl = Bar;
  hint.clear();
  EXPECT_TRUE(asControl->HintAt(TPoint(5, 10), hint, cursor));
  EXPECT_EQ(hint, "Data file!");
  EXPECT_FALSE(Bar->HintAt(TPoint(Bar->PanelRect(1).Left + 3, 10), hint, cursor));
  EXPECT_EQ(cursor.Left, Bar->PanelRect(0).Right);
  EXPECT_EQ(cursor.Right, Bar->PanelRect(2).Left);
}

TEST_F(StatusBarTest, ClickOnAPanelRunsItsOnClick) {
  AddPanel(sptNormal, 100);
  TdfsStatusPanel* second = AddPanel(sptNormal, 100);
  TObject* sender = nullptr;
  second->OnClick = [&](TObject* S) { sender = S; };
  const TRect r = Bar->PanelRect(1);
  Bar->MouseDown(TMouseButton::mbLeft, {}, r.Left + 5, 10);
  Bar->MouseUp(TMouseButton::mbLeft, {}, r.Left + 5, 10);
  Bar->Click();
  EXPECT_EQ(sender, second);
}

TEST_F(StatusBarTest, PanelOutsideTheBarsCollectionIsRefused) {
  TCollection other(TdfsStatusPanel::StaticClass(), TCollection::ItemFactoryOf<TdfsStatusPanel>());
  try {
    other.Add();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TdfsStatusPanel owner must be TdfsStatusPanesls");
  }
  EXPECT_EQ(other.Count(), 0);
}

TEST_F(StatusBarTest, SizeGripIsPaintedInTheBarsColour) {
  auto shot = Shot();
  const int right = Bar->GetWidth() - 1, bottom = Bar->GetHeight() - 2;
  EXPECT_EQ(shot->GetPixelColor(right - 2, bottom), Rgb(clBtnHighlight));
  EXPECT_EQ(shot->GetPixelColor(right - 3, bottom), Rgb(clBtnShadow));
  EXPECT_EQ(shot->GetPixelColor(right - 14, bottom - 2), Rgb(clSilver));
}

// ---------------------------------------------------------------- animation and timer
TEST_F(StatusBarTest, IndeterminateGaugeWaitsForEnablingMovesAndRestartsWhenDisabled) {
  TdfsStatusPanel* p = Bar->GetPanels()->Add();
  p->SetWidth(80);
  p->GetGaugeAttrs()->SetColor(clBlue);
  p->GetGaugeAttrs()->SetStyle(gsIndeterminate);
  p->SetPanelType(sptGauge);
  EXPECT_FALSE(p->GetEnabled());
  EXPECT_FALSE(Bar->GetPanels()->IsOnTimer(p));

  p->SetEnabled(true);
  EXPECT_TRUE(Bar->GetPanels()->IsOnTimer(p));
  EXPECT_EQ(Bar->GetPanels()->TimerInterval(), 50);
  // Every drawing advances the ball by one step, timer tick or not.
  const int start = p->AnimationOffset();
  p->Redraw();
  p->Redraw();
  Bar->GetPanels()->TimerTick();
  EXPECT_EQ(p->AnimationOffset(), start + 3 * 4);
  EXPECT_GT(CountColor(*Shot(), Inner(p), clBlue), 0);

  // Bouncing keeps the ball inside the area.
  std::set<int> steps;
  for (int i = 0; i < 60; ++i) {
    p->Redraw();
    steps.insert(p->AnimationStep());
    EXPECT_GE(p->AnimationOffset(), -4);
    EXPECT_LE(p->AnimationOffset(), Inner(p).Width());
  }
  EXPECT_EQ(steps, (std::set<int>{-4, 4}));

  p->SetEnabled(false);
  EXPECT_EQ(p->AnimationOffset(), 0);
  EXPECT_FALSE(Bar->GetPanels()->IsOnTimer(p));
}

TEST_F(StatusBarTest, StyleChangeOfAnEnabledGaugeStartsTheAnimationAndSlidingRampLeadsWithGaugeColour) {
  TdfsStatusPanel* p = AddPanel(sptGauge, 150);
  p->GetGaugeAttrs()->SetColor(clBlue);
  p->GetGaugeAttrs()->SetStyle(gsIndeterminate2);
  EXPECT_TRUE(p->GetEnabled());
  EXPECT_TRUE(Bar->GetPanels()->IsOnTimer(p));
  p->Redraw();
  ASSERT_NE(p->GaugeRamp(), nullptr);
  EXPECT_EQ(p->GaugeRamp()->GetWidth(), 100);
  EXPECT_EQ(p->GaugeRamp()->GetPixelColor(0, 0), Rgb(clSilver));
  EXPECT_EQ(p->GaugeRamp()->GetPixelColor(99, 0), Rgb(clBlue));
  // Moving right the gauge colour is at the ramp's right end.
  auto shot = Shot();
  const TRect area = Inner(p);
  const int x = area.Left + p->AnimationOffset();
  EXPECT_EQ(shot->GetPixelColor(x + 99, area.Top + 3), Rgb(clBlue));

  p->GetGaugeAttrs()->SetSpeed(0);
  p->GetGaugeAttrs()->SetSpeed(-3);
  EXPECT_EQ(p->GetGaugeAttrs()->GetSpeed(), 4);
  p->GetGaugeAttrs()->SetSpeed(6);
  EXPECT_EQ(p->AnimationStep(), 6);
  // A new colour makes a new ramp.
  p->GetGaugeAttrs()->SetColor(clRed);
  ASSERT_NE(p->GaugeRamp(), nullptr);
  EXPECT_EQ(p->GaugeRamp()->GetPixelColor(99, 0), Rgb(clRed));
}

TEST_F(StatusBarTest, TimerPeriodFollowsTheRegisteredPanels) {
  const int registrations = dfsStatusBar::TimerRegistrations();
  TdfsStatusPanels* panels = Bar->GetPanels();
  TdfsStatusPanel* date = AddPanel(sptDate, 80);
  EXPECT_EQ(panels->TimerInterval(), 60000);
  // Enabling an enabled panel registers nothing more.
  date->SetEnabled(true);
  EXPECT_EQ(dfsStatusBar::TimerRegistrations(), registrations + 1);
  AddPanel(sptTime, 80);
  EXPECT_EQ(panels->TimerInterval(), 1000);
  TdfsStatusPanel* gauge = AddPanel(sptGauge, 60);
  gauge->GetGaugeAttrs()->SetStyle(gsIndeterminate);
  EXPECT_EQ(panels->TimerInterval(), 50);
  gauge->Free();
  EXPECT_EQ(panels->TimerInterval(), 1000);
  EXPECT_EQ(dfsStatusBar::TimerRegistrations(), registrations + 2);
  panels->Clear();
  EXPECT_EQ(panels->TimerInterval(), 0);
  EXPECT_EQ(dfsStatusBar::TimerRegistrations(), registrations);
}

TEST_F(StatusBarTest, DatePanelChangesOnlyWhenTheCalendarDateChanges) {
  TDateTime now = SysUtils::EncodeDate(2026, 3, 14) + SysUtils::EncodeTime(23, 59, 0, 0);
  dfsStatusBar::SetClock([&] { return now; });
  TdfsStatusPanel* date = AddPanel(sptDate, 100);
  date->SetDateFormat("yyyy-mm-dd");
  TdfsStatusPanel* time = AddPanel(sptTime, 100);
  time->SetTimeFormat("hh:nn");
  EXPECT_EQ(date->GetText(), "2026-03-14");
  EXPECT_EQ(time->GetText(), "23:59");

  date->SetText("edited");
  now += 30.0 / 86400.0;
  Bar->GetPanels()->TimerTick();
  EXPECT_EQ(date->GetText(), "edited");
  EXPECT_EQ(time->GetText(), "23:59");
  now += 60.0 / 86400.0;
  Bar->GetPanels()->TimerTick();
  EXPECT_EQ(date->GetText(), "2026-03-15");
  EXPECT_EQ(time->GetText(), "00:00");
}

// ---------------------------------------------------------------- lock keys
TEST_F(StatusBarTest, LockPanelShowsTheKeyStateInFontColourOrGrey) {
  Toggled = {VK_CAPITAL};
  TdfsStatusPanel* caps = AddPanel(sptCapsLock, 40);
  TdfsStatusPanel* num = AddPanel(sptNumLock, 40);
  auto shot = Shot();
  EXPECT_GT(CountColor(*shot, Inner(caps), clRed), 0);
  EXPECT_EQ(CountColor(*shot, Inner(caps), clGrayText), 0);
  EXPECT_EQ(CountColor(*shot, Inner(num), clRed), 0);
  EXPECT_GT(CountColor(*shot, Inner(num), clGrayText), 0);
}

TEST_F(StatusBarTest, KeyboardHookRedrawsOnTheFirstKeyDownOnly) {
  TdfsStatusPanel* caps = AddPanel(sptCapsLock, 40);
  EXPECT_TRUE(dfsStatusBar::KeyboardHookInstalled());
  EXPECT_EQ(dfsStatusBar::HookedPanelCount(), 1);
  EXPECT_EQ(Bar->MainWinHookCount(), 1);
  struct TCase {
    int Key;
    uint32_t Data;
    bool Redrawn;
  };
  for (const TCase& tc : {TCase{VK_CAPITAL, 0x40000000u, false}, TCase{VK_CAPITAL, 0xC0000000u, false},
                          TCase{VK_NUMLOCK, 0, false}, TCase{'A', 0, false}, TCase{VK_CAPITAL, 0, true}}) {
    SCOPED_TRACE(tc.Data);
    Mark(caps);
    dfsStatusBar::KeyboardHookProc(0, tc.Key, tc.Data);
    EXPECT_EQ(Marked(caps) == 0, tc.Redrawn);
  }
  // A key press of the toolkit reaches the hook; its repeats do not redraw.
  Mark(caps);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier);
  QCoreApplication::sendEvent(Bar->Handle(), &press);
  EXPECT_EQ(Marked(caps), 0);
  Mark(caps);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_CapsLock, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(Bar->Handle(), &repeat);
  EXPECT_GT(Marked(caps), 0);
  caps->Free();
  EXPECT_FALSE(dfsStatusBar::KeyboardHookInstalled());
  EXPECT_EQ(Bar->MainWinHookCount(), 0);
}

TEST_F(StatusBarTest, ComingBackToTheApplicationRedrawsTheLockPanels) {
  TdfsStatusPanel* num = AddPanel(sptNumLock, 40);
  Bar->ApplicationActivated(false);
  EXPECT_TRUE(dfsStatusBar::RefreshAllPending());
  Mark(num);
  // The first key after the switch redraws every hooked panel.
  dfsStatusBar::KeyboardHookProc(0, 'A', 0);
  EXPECT_FALSE(dfsStatusBar::RefreshAllPending());
  EXPECT_EQ(Marked(num), 0);

  Mark(num);
  Bar->ApplicationActivated(true);
  EXPECT_GT(Marked(num), 0);  // posted: runs once the current event is done
  EXPECT_TRUE(RunUntil([&] { return Marked(num) == 0; }));
}

TEST_F(StatusBarTest, KeyboardMonitorWithoutItsLibraryStaysOff) {
  TdfsStatusPanel* caps = AddPanel(sptCapsLock, 40);
  Bar->SetUseMonitorDLL(true);
  EXPECT_FALSE(Bar->GetUseMonitorDLL());
  EXPECT_EQ(Bar->MonitorCount(), 0);
  EXPECT_EQ(dfsStatusBar::HookedPanelCount(), 1);
  EXPECT_EQ(Bar->MainWinHookCount(), 1);
  EXPECT_FALSE(Bar->MonitorMessage(0, VK_CAPITAL, 1));
  caps->Free();
}

TEST_F(StatusBarTest, ShutdownChecksPassWhenEveryBarIsGone) {
  AddPanel(sptCapsLock, 40);
  AddPanel(sptTime, 80);
  Form.Form->Free();
  Form.Form = Create<TForm>(nullptr);
  EXPECT_NO_THROW(dfsStatusBar::Finalize());
  EXPECT_EQ(dfsStatusBar::TimerRegistrations(), 0);
}

}  // namespace

}  // namespace StatusBarTest
