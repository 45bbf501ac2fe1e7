#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/tests/UiFixture.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace ControlsTests {

namespace {

// Paints a red square 2..5 x 2..5 and a blue pixel at 7,0 on its background.
class TSquare : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Paints = 0;
  void Paint() override {
    ++Paints;
    GetCanvas()->Brush->SetColor(clRed);
    GetCanvas()->FillRect(Rect(2, 2, 6, 6));
    GetCanvas()->SetPixel(7, 0, clBlue);
  }
};

template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, int L, int T0, int W, int H) {
  T* c = Create<T>(Owner);
  c->SetParent(Parent);
  c->SetBounds(L, T0, W, H);
  return c;
}

void SendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint p,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
  Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, held, mods);
  QApplication::sendEvent(w, &e);
}

}  // namespace

class ControlsTest : public UiTest {
 protected:
  ControlsTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 200, 100);
    form->SetColor(clWhite);
  }
  TForm* form;
};

TEST_F(ControlsTest, PaintToGivesTheControlsPixelsExactlyAndChildrenAtTheirPlace) {
  auto* square = Make<TSquare>(form, form, 0, 0, 10, 10);
  square->SetColor(clWhite);
  TBitmap own;
  square->PaintTo(own);
  ASSERT_EQ(own.GetWidth(), 10);
  EXPECT_EQ(own.GetPixelColor(2, 2), clRed);
  EXPECT_EQ(own.GetPixelColor(5, 5), clRed);
  EXPECT_EQ(own.GetPixelColor(6, 6), clWhite);  // FillRect leaves out right and bottom edge
  EXPECT_EQ(own.GetPixelColor(1, 1), clWhite);
  EXPECT_EQ(own.GetPixelColor(7, 0), clBlue);

  // The same square as a child of the form at 30,40 appears there in the form's picture.
  square->SetBounds(30, 40, 10, 10);
  TBitmap whole;
  form->PaintTo(whole);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(whole.GetPixelColor(30 + x, 40 + y), own.GetPixelColor(x, y)) << x << "," << y;
  EXPECT_EQ(whole.GetPixelColor(0, 0), clWhite);
}

TEST_F(ControlsTest, WidgetShowsThePicturePaintedIntoTheBitmap) {
  auto* square = Make<TSquare>(form, form, 5, 5, 10, 10);
  square->SetColor(clYellow);
  form->Show();
  QImage shown = square->Handle()->grab().toImage();
  TBitmap painted;
  square->PaintTo(painted);
  ASSERT_EQ(shown.width(), 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      QColor c = shown.pixelColor(x, y);
      ASSERT_EQ(RGB(c.red(), c.green(), c.blue()), painted.GetPixelColor(x, y)) << x << "," << y;
    }
  // The picture is kept between shows: a second grab does not paint again.
  int paints = square->Paints;
  (void)square->Handle()->grab();
  EXPECT_EQ(square->Paints, paints);
  square->Invalidate();
  (void)square->Handle()->grab();
  EXPECT_EQ(square->Paints, paints + 1);
}

TEST_F(ControlsTest, PaintThatFailsHalfwayLeavesItsClipAndMappingOutOfTheNextPaint) {
  // The first paint narrows the clip, moves the origin and fails; the next
  // paint must start from a fresh device state, as every paint does.
  class TFailingOnce : public TCustomControl {
   public:
    using TCustomControl::TCustomControl;
    bool Fail = true;
    void Paint() override {
      TCanvas& c = *GetCanvas();
      if (Fail) {
        Fail = false;
        c.GetHandle()->IntersectClipRect(0, 0, 2, 2);
        c.GetHandle()->SetViewportOrgEx(0, 3);
        throw Exception("Paint failed");
      }
      c.Pen->SetColor(clRed);
      c.MoveTo(0, 5);
      c.LineTo(10, 5);
    }
  };
  auto* control = Make<TFailingOnce>(form, form, 5, 5, 10, 10);
  control->SetColor(clYellow);
  form->Show();
  seam.AnswerMessage(mrOk);
  (void)control->Handle()->grab();
  ASSERT_EQ(seam.Prompts().size(), 1u);
  EXPECT_EQ(seam.Prompts()[0].Text, "Paint failed.");

  control->Invalidate();
  QImage shown = control->Handle()->grab().toImage();
  auto at = [&](int x, int y) {
    QColor c = shown.pixelColor(x, y);
    return RGB(c.red(), c.green(), c.blue());
  };
  EXPECT_EQ(at(8, 8), clYellow);  // background outside the old clip
  EXPECT_EQ(at(7, 5), clRed);     // the line where it is drawn, outside the old clip
  EXPECT_EQ(at(7, 8), clYellow);  // and not three pixels lower
}

TEST_F(ControlsTest, AlignedChildrenShareTheClientAreaSideBySide) {
  form->SetBounds(0, 0, 300, 200);
  form->BorderWidth = 2;  // inner client rect 2..298 x 2..198
  struct Case {
    const char* Name;
    TAlign Align;
    int W, H;
    TRect Expected;
  };
  // Creation order is the placement order for equal positions.
  const Case cases[] = {
      {"top1", TAlign::alTop, 0, 20, Rect(2, 2, 298, 22)},
      {"top2", TAlign::alTop, 0, 10, Rect(2, 22, 298, 32)},
      {"bottom", TAlign::alBottom, 0, 30, Rect(2, 168, 298, 198)},
      {"left", TAlign::alLeft, 40, 0, Rect(2, 32, 42, 168)},
      {"right", TAlign::alRight, 50, 0, Rect(248, 32, 298, 168)},
      {"client", TAlign::alClient, 0, 0, Rect(42, 32, 248, 168)},
  };
  std::vector<TControl*> made;
  form->DisableAlign();
  for (const Case& c : cases) {
    auto* p = Make<TCustomControl>(form, form, 0, 0, c.W, c.H);
    p->SetAlign(c.Align);
    made.push_back(p);
  }
  form->EnableAlign();
  for (size_t i = 0; i < made.size(); ++i) EXPECT_EQ(made[i]->GetBoundsRect(), cases[i].Expected) << cases[i].Name;

  // Hiding a top control lets the rest move up; resizing the parent re-lays them out.
  made[0]->SetVisible(false);
  EXPECT_EQ(made[1]->GetBoundsRect(), Rect(2, 2, 298, 12));
  EXPECT_EQ(made[5]->GetBoundsRect(), Rect(42, 12, 248, 168));
  form->SetBounds(0, 0, 400, 200);
  EXPECT_EQ(made[4]->GetBoundsRect(), Rect(348, 12, 398, 168));
  EXPECT_EQ(made[5]->GetBoundsRect(), Rect(42, 12, 348, 168));
}

TEST_F(ControlsTest, TooSmallParentGivesEmptyClientControlNotNegative) {
  form->SetBounds(0, 0, 50, 50);
  auto* top = Make<TCustomControl>(form, form, 0, 0, 10, 40);
  top->SetAlign(TAlign::alTop);
  auto* bottom = Make<TCustomControl>(form, form, 0, 0, 10, 40);
  bottom->SetAlign(TAlign::alBottom);
  auto* client = Make<TCustomControl>(form, form, 0, 0, 10, 10);
  client->SetAlign(TAlign::alClient);
  EXPECT_EQ(client->GetWidth(), 50);
  EXPECT_EQ(client->GetHeight(), 0);
}

TEST_F(ControlsTest, MouseEventsReachHandlersWithButtonShiftAndPosition) {
  auto* square = Make<TSquare>(form, form, 10, 10, 50, 50);
  std::vector<std::string> log;
  square->OnMouseDown = [&](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    EXPECT_EQ(s, square);
    log.push_back("down " + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y) +
                  (sh.Contains(TShiftStateItem::ssShift) ? " shift" : "") +
                  (sh.Contains(TShiftStateItem::ssLeft) ? " left" : "") +
                  (sh.Contains(TShiftStateItem::ssDouble) ? " double" : ""));
  };
  square->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  square->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
    log.push_back("up " + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  square->OnClick = [&](TObject*) { log.push_back("click"); };
  square->OnDblClick = [&](TObject*) { log.push_back("dblclick"); };
  int formDowns = 0;
  form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formDowns; };
  form->Show();
  QWidget* w = square->Handle();
  SendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton, {5, 6}, Qt::ShiftModifier);
  SendMouse(w, QEvent::MouseMove, Qt::NoButton, {7, 8});
  SendMouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, {7, 8});
  SendMouse(w, QEvent::MouseButtonDblClick, Qt::LeftButton, {7, 8});
  SendMouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, {7, 8});
  SendMouse(w, QEvent::MouseButtonPress, Qt::RightButton, {1, 2});
  SendMouse(w, QEvent::MouseButtonRelease, Qt::RightButton, {1, 2});
  // A left release outside the control is no click.
  SendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton, {3, 3});
  SendMouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, {80, 3});
  const std::vector<std::string> expected = {
      "down 0 5,6 shift left", "move 7,8",  "up 0 7,8", "click", "dblclick", "down 0 7,8 left double", "up 0 7,8",
      "down 1 1,2",            "up 1 1,2",  "down 0 3,3 left",   "up 0 80,3"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(formDowns, 0);  // the child took the events; they do not travel on to the form
}

TEST_F(ControlsTest, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
  auto* box = Make<TSquare>(form, form, 0, 0, 20, 20);
  box->SetTabStop(true);
  std::vector<std::string> log;
  form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState shift) {
    log.push_back("form down " + std::to_string(key) + (shift.Contains(TShiftStateItem::ssCtrl) ? " ctrl" : ""));
    if (key == VK_F5) key = 0;
  };
  form->OnKeyPress = [&](TObject*, TKeyChar& ch) {
    log.push_back(std::string("form press ") + char(ch));
    if (ch == 'x') ch = 'y';
  };
  box->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { log.push_back("box down " + std::to_string(key)); };
  box->OnKeyPress = [&](TObject*, TKeyChar& ch) { log.push_back(std::string("box press ") + char(ch)); };
  form->Show();
  auto send = [&](int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent e(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(box->Handle(), &e);
  };
  form->KeyPreview = false;
  send(Qt::Key_A, Qt::NoModifier, "a");
  form->KeyPreview = true;
  send(Qt::Key_X, Qt::ControlModifier, "x");
  send(Qt::Key_F5, Qt::NoModifier, "");
  const std::vector<std::string> expected = {"box down 65",      "box press a",  "form down 88 ctrl",
                                             "box down 88",      "form press x", "box press y",
                                             "form down 116"};
  EXPECT_EQ(log, expected);
}

TEST_F(ControlsTest, FreeingAParentFreesItsChildrenAndTheOwnerForgetsThem) {
  auto* panel = Make<TCustomControl>(form, form, 0, 0, 50, 50);
  auto* child = Make<TSquare>(form, panel, 0, 0, 10, 10);
  child->SetName("Child");
  form->Show();
  ASSERT_TRUE(child->HandleAllocated());
  EXPECT_EQ(form->FindComponent("Child"), child);
  panel->Free();
  EXPECT_EQ(form->FindComponent("Child"), nullptr);
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(ControlsTest, EnabledGuardRestoresTheStateOnEveryExit) {
  try {
    Controls::TEnabledGuard off(*form, false);
    EXPECT_FALSE(form->GetEnabled());
    throw std::runtime_error("stop");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(form->GetEnabled());
}

TEST_F(ControlsTest, ControlsAreMadeByClassNameAndReachedThroughTheirProperties) {
  TObject* made = ClassInfo::CreateByName("TButton", form);
  auto* button = dynamic_cast<TButton*>(made);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Owner(), form);
  const TPropInfo* caption = button->ClassType()->FindProperty("Caption");
  ASSERT_NE(caption, nullptr);
  caption->Set(button, TPropValue(std::string("&Apply")));
  EXPECT_EQ(button->GetCaption(), "&Apply");
  const TPropInfo* visible = button->ClassType()->FindProperty("visible");
  ASSERT_NE(visible, nullptr);
  EXPECT_EQ(std::get<bool>(visible->Get(button)), true);
}

}  // namespace ControlsTests
