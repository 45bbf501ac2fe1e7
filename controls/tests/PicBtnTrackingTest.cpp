// The picture button's hot tracking conditions, double clicks, the popup
// button after a drag, and the glyph image made with the window.
#include "controls/abcbtn.h"
#include "controls/abcwav.h"

#include "controls/tests/ControlsTestSupport.h"
#include "platform/ui/AppActivation.h"
#include "platform/ui/MouseCapture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWidget>

namespace PicBtnTrackingTest {

using ControlsTest::CountColor;
using ControlsTest::TTestForm;

// A sound list that records the entries the button asks for.
class TRecordingWaveList : public TabcCustomWaveList {
 public:
  using TabcCustomWaveList::TabcCustomWaveList;
  void PlayIndex(int Index) override { Played.push_back(Index); }
  std::vector<int> Played;
};

class PicBtnTracking : public ::testing::Test {
 protected:
  void SetUp() override {
    AppActivation::Changed(true);
    B = new TabcPicBtn(Form.Form);
    B->SetParent(Form.Form);
    B->SetBounds(20, 20, 75, 29);
    B->SetStyle(TabcButtonStyle::absRecessedBlackHighlight);
    Sounds = new TRecordingWaveList(Form.Form);
    B->SetSoundList(Sounds);
    B->SoundOver = 3;
    B->SoundDown = 4;
    B->OnMouseEnter = [this](TObject*) { Log.push_back("enter"); };
    B->OnMouseLeave = [this](TObject*) { Log.push_back("leave"); };
    B->OnClick = [this](TObject*) { Log.push_back("click"); };
    B->OnDblClick = [this](TObject*) { Log.push_back("dblclick"); };
  }
  void TearDown() override { AppActivation::Changed(true); }
  std::unique_ptr<TBitmap> Picture() {
    auto bmp = std::make_unique<TBitmap>();
    B->PaintTo(*bmp);
    return bmp;
  }
  static bool Same(const TBitmap& A, const TBitmap& C) {
    for (int y = 0; y < A.GetHeight(); ++y)
      for (int x = 0; x < A.GetWidth(); ++x)
        if (A.GetPixelColor(x, y) != C.GetPixelColor(x, y)) return false;
    return true;
  }
  void Send(QEvent::Type Type, QPoint P) {
    const Qt::MouseButtons held = Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(Type, QPointF(P), QPointF(B->Handle()->mapToGlobal(P)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(B->Handle(), &e);
  }
  void CursorAt(TPoint ClientPoint) {
    const TPoint s = B->ClientToScreen(ClientPoint);
    QCursor::setPos(s.X, s.Y);
  }
  TTestForm Form;
  TabcPicBtn* B = nullptr;
  TRecordingWaveList* Sounds = nullptr;
  std::vector<std::string> Log;
};

TEST_F(PicBtnTracking, HoverCountsOnlyInFrontWithoutCaptureOrAutomaticDrag) {
  const auto rest = Picture();
  QWidget grabber;
  const struct {
    const char* Name;
    std::function<void()> Arrange, Restore;
    bool Hot;
  } Cases[] = {
      {"in front", [] {}, [] {}, true},
      {"behind", [] { AppActivation::Changed(false); }, [] { AppActivation::Changed(true); }, false},
      {"mouse captured", [&] { grabber.grabMouse(); }, [&] { grabber.releaseMouse(); }, false},
      {"dragged automatically", [this] { B->DragMode = TDragMode::dmAutomatic; },
       [this] { B->DragMode = TDragMode::dmManual; }, false},
      {"disabled", [this] { B->SetEnabled(false); }, [this] { B->SetEnabled(true); }, false},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    Log.clear();
    Sounds->Played.clear();
    C.Arrange();
    const auto before = Picture();
    B->MouseEnter();
    EXPECT_EQ(B->MouseOver(), C.Hot);
    EXPECT_EQ(Same(*Picture(), *before), !C.Hot);
    EXPECT_EQ(Sounds->Played, C.Hot ? std::vector<int>{3} : std::vector<int>{});
    B->MouseLeave();
    EXPECT_FALSE(B->MouseOver());
    EXPECT_EQ(Log, (C.Hot ? std::vector<std::string>{"enter", "leave"} : std::vector<std::string>{}));
    C.Restore();
    EXPECT_TRUE(Same(*Picture(), *rest));
  }
  // Leaving while behind clears the hover without the event.
  B->MouseEnter();
  AppActivation::Changed(false);
  Log.clear();
  B->MouseLeave();
  EXPECT_FALSE(B->MouseOver());
  EXPECT_TRUE(Log.empty());
  AppActivation::Changed(true);
  EXPECT_TRUE(Same(*Picture(), *rest));
}

TEST_F(PicBtnTracking, DoubleClickIsASecondPress) {
  Form.Form->Show();
  std::vector<bool> doubles;
  B->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, int, int) {
    doubles.push_back(Shift.Contains(TShiftStateItem::ssDouble));
  };
  Send(QEvent::MouseButtonPress, {5, 5});
  Send(QEvent::MouseButtonRelease, {5, 5});
  Send(QEvent::MouseButtonDblClick, {5, 5});
  EXPECT_TRUE(B->IsPressed());
  Send(QEvent::MouseButtonRelease, {5, 5});
  EXPECT_EQ(Log, (std::vector<std::string>{"click", "click"}));
  EXPECT_EQ(doubles, (std::vector<bool>{false, false}));
  EXPECT_EQ(Sounds->Played, (std::vector<int>{4, 4}));
}

TEST_F(PicBtnTracking, PopupButtonLearnsWhereTheCursorIsWhenADragEnds) {
  Form.Form->Show();
  B->SetPopup(true);
  std::vector<std::string> ends;
  B->OnEndDrag = [&](TObject* Sender, TObject* Target, int, int) {
    ends.push_back(std::string(Sender == B ? "button" : "?") + (Target ? " target" : " none"));
  };
  const int frameless = 75 * 29;
  // The drag holds the mouse: the cursor coming over the button goes unnoticed.
  B->BeginDrag();
  EXPECT_TRUE(MouseCapture::Captured());
  CursorAt(TPoint(10, 10));
  B->MouseEnter();
  EXPECT_FALSE(B->MouseOver());
  B->EndDrag(true, 10, 10);
  EXPECT_FALSE(MouseCapture::Captured());
  EXPECT_TRUE(B->MouseOver());
  EXPECT_LT(CountColor(*Picture(), TRect(0, 0, 75, 29), clBtnFace), frameless);  // the frame shows
  // Ending away from it tells the button the cursor left.
  B->BeginDrag();
  CursorAt(TPoint(300, 200));
  B->EndDrag(false);
  EXPECT_FALSE(B->MouseOver());
  EXPECT_EQ(CountColor(*Picture(), TRect(0, 0, 75, 29), clBtnFace), frameless);
  EXPECT_EQ(Log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(ends, (std::vector<std::string>{"button none", "button none"}));
  // A button that is no popup is not told.
  B->SetPopup(false);
  B->BeginDrag();
  CursorAt(TPoint(10, 10));
  B->EndDrag(true, 10, 10);
  EXPECT_FALSE(B->MouseOver());
}

TEST_F(PicBtnTracking, AutomaticDragTakesThePressAndEscCancelsIt) {
  B->DragMode = TDragMode::dmAutomatic;
  int ends = 0;
  B->OnEndDrag = [&](TObject*, TObject*, int, int) { ++ends; };
  B->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_TRUE(B->Dragging());
  EXPECT_FALSE(B->IsPressed());
  B->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_FALSE(B->Dragging());
  EXPECT_EQ(ends, 1);
  B->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  uint16_t key = VK_ESCAPE;
  B->KeyDown(key, {});
  EXPECT_FALSE(B->Dragging());
  EXPECT_FALSE(MouseCapture::Captured());
  EXPECT_EQ(ends, 2);
  // No press, no click and no press sound.
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(Sounds->Played.empty());
}

TEST_F(PicBtnTracking, WindowIsMadeWithTheGlyphImageOfItsState) {
  TPicture glyph;
  glyph.GetBitmap()->SetSize(13, 11);
  glyph.GetBitmap()->GetCanvas()->Brush->SetColor(clBlue);
  glyph.GetBitmap()->GetCanvas()->FillRect(TRect(2, 2, 9, 9));
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    auto* button = new TabcPicBtn(Form.Form);
    button->SetPicture(&glyph);
    button->SetEnabled(enabled);
    EXPECT_EQ(button->Glyph()->List(), nullptr);
    button->SetParent(Form.Form);
    button->Handle();
    ASSERT_NE(button->Glyph()->List(), nullptr);
    EXPECT_EQ(button->Glyph()->List()->UsedCount(), 1);
    // The image of the state is the one made: asking for it adds none.
    button->Glyph()->StateImage(enabled ? TabcGlyphState::gsUp : TabcGlyphState::gsDisabled);
    EXPECT_EQ(button->Glyph()->List()->UsedCount(), 1);
    button->Free();
    EXPECT_EQ(TabcGlyphList::Find(13, 11), nullptr);
  }
}

}  // namespace PicBtnTrackingTest
