#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/tests/UiFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace StdCtrlsTests {

namespace {

template <class T>
T* Put(TWinControl* Parent, int L = 0, int T0 = 0, int W = 0, int H = 0) {
  T* c = Create<T>(Parent);
  c->SetParent(Parent);
  if (W > 0) c->SetBounds(L, T0, W, H);
  return c;
}

void Key(QWidget* w, int qtKey, const QString& text = QString()) {
  QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
  QApplication::sendEvent(w, &e);
}

void ClickAt(TControl* c) {
  QWidget* w = c->Handle();
  const QPointF p(3, 3), g(w->mapToGlobal(QPoint(3, 3)));
  QMouseEvent down(QEvent::MouseButtonPress, p, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent up(QEvent::MouseButtonRelease, p, g, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &down);
  QApplication::sendEvent(w, &up);
}

}  // namespace

class StdCtrlsTest : public UiTest {
 protected:
  StdCtrlsTest() {
    form = Application->CreateForm<TForm>();
    form->SetBounds(0, 0, 300, 200);
  }
  TForm* form;
};

TEST_F(StdCtrlsTest, ButtonsEndAModalDialogByClickEnterAndEsc) {
  auto* edit = Put<TEdit>(form, 10, 10, 100, 21);
  auto* ok = Put<TButton>(form, 10, 50, 75, 25);
  ok->ModalResult = mrOk;
  ok->Default = true;
  auto* cancel = Put<TButton>(form, 100, 50, 75, 25);
  cancel->ModalResult = mrCancel;
  cancel->Cancel = true;
  int okClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };

  QTimer::singleShot(0, [ok] { static_cast<QPushButton*>(ok->Handle())->click(); });
  EXPECT_EQ(form->RunModalLoop(), mrOk);
  EXPECT_EQ(okClicks, 1);

  QTimer::singleShot(0, [edit] { Key(edit->Handle(), Qt::Key_Return, "\r"); });
  EXPECT_EQ(form->RunModalLoop(), mrOk);
  EXPECT_EQ(okClicks, 2);

  QTimer::singleShot(0, [edit] { Key(edit->Handle(), Qt::Key_Escape, "\x1b"); });
  EXPECT_EQ(form->RunModalLoop(), mrCancel);

  // An OnClick that clears ModalResult keeps the dialog open (a refused entry).
  ok->OnClick = [&](TObject*) {
    if (++okClicks == 3) form->SetModalResult(mrNone);
  };
  QTimer::singleShot(0, [ok] {
    static_cast<QPushButton*>(ok->Handle())->click();
    QTimer::singleShot(0, [ok] { static_cast<QPushButton*>(ok->Handle())->click(); });
  });
  EXPECT_EQ(form->RunModalLoop(), mrOk);
  EXPECT_EQ(okClicks, 4);
}

TEST_F(StdCtrlsTest, EditFollowsTypingAndCodeWithOnChangeEachTime) {
  auto* edit = Put<TEdit>(form, 0, 0, 100, 21);
  std::vector<std::string> changes;
  edit->OnChange = [&](TObject*) { changes.push_back(edit->GetText()); };
  edit->SetText("1.5");
  form->Show();
  auto* line = static_cast<QLineEdit*>(edit->Handle());
  EXPECT_EQ(line->text(), "1.5");
  line->setCursorPosition(3);
  Key(line, Qt::Key_7, "7");
  EXPECT_EQ(edit->GetText(), "1.57");
  edit->SetText("1.57");  // unchanged: no event
  EXPECT_EQ(changes, (std::vector<std::string>{"1.5", "1.57"}));
}

TEST_F(StdCtrlsTest, CheckAndRadioChoicesFireOnClickAndExcludeSiblings) {
  auto* check = Put<TCheckBox>(form);
  int checkClicks = 0;
  check->OnClick = [&](TObject*) { ++checkClicks; };
  check->SetChecked(true);
  check->SetChecked(true);
  check->SetState(TCheckBoxState::cbGrayed);  // not allowed: unchecked
  EXPECT_EQ(check->GetState(), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(checkClicks, 2);

  auto* a = Put<TRadioButton>(form);
  auto* b = Put<TRadioButton>(form);
  auto* panel = Put<TPanel>(form);
  auto* c = Put<TRadioButton>(panel);
  a->SetChecked(true);
  c->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_TRUE(c->GetChecked());  // another parent, another group

  auto* group = Put<TRadioGroup>(form, 0, 0, 120, 100);
  group->Items()->Add("Resistivity");
  group->Items()->Add("Polarizability");
  int groupClicks = 0;
  group->OnClick = [&](TObject*) { ++groupClicks; };
  group->SetItemIndex(1);
  group->Buttons(0)->SetChecked(true);  // a person's choice of the first button
  EXPECT_EQ(group->GetItemIndex(), 0);
  EXPECT_FALSE(group->Buttons(1)->GetChecked());
  EXPECT_EQ(groupClicks, 2);
  group->SetItemIndex(5);
  EXPECT_EQ(group->GetItemIndex(), -1);
}

TEST_F(StdCtrlsTest, ComboAndListKeepIndexAndTextInStep) {
  auto* combo = Put<TComboBox>(form);
  combo->Style = TComboBoxStyle::csDropDownList;
  for (const char* s : {"Linear", "Logarithmic", "Exponential"}) combo->Items()->Add(s);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->GetText(), "Logarithmic");
  combo->SetText("Exponential");
  EXPECT_EQ(combo->GetItemIndex(), 2);
  combo->SetText("Cubic");  // not an item: the choice stays
  EXPECT_EQ(combo->GetItemIndex(), 2);
  combo->SetItemIndex(7);
  EXPECT_EQ(combo->GetItemIndex(), -1);
  EXPECT_EQ(combo->GetText(), "");
  combo->SetItemIndex(2);
  combo->Items()->Delete(2);  // the chosen item goes: nothing chosen
  EXPECT_EQ(combo->GetItemIndex(), -1);

  auto* list = Put<TListBox>(form);
  list->MultiSelect = true;
  for (const char* s : {"a", "b", "c"}) list->Items()->Add(s);
  list->SetSelected(0, true);
  list->SetSelected(2, true);
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_THROW(list->GetSelected(3), EListError);
  EXPECT_EQ(list->ItemAtPos(TPoint(5, 2 * list->ItemHeight + 1), true), 2);
  EXPECT_EQ(list->ItemAtPos(TPoint(5, 9 * list->ItemHeight), true), -1);
}

TEST_F(StdCtrlsTest, SplitterResizesItsNeighbourWithinMinSizeAndRoom) {
  form->SetBounds(0, 0, 200, 300);
  auto* top = Put<TPanel>(form, 0, 0, 200, 100);
  top->SetAlign(TAlign::alTop);
  auto* splitter = Create<TSplitter>(form);  // aligned to the top before it gets its height
  splitter->SetAlign(TAlign::alTop);
  splitter->SetParent(form);
  splitter->SetBounds(0, 100, 200, 4);
  splitter->MinSize = 20;
  auto* bottom = Put<TPanel>(form, 0, 250, 200, 50);
  bottom->SetAlign(TAlign::alBottom);
  auto* rest = Put<TPanel>(form);
  rest->SetAlign(TAlign::alClient);
  int moved = 0;
  splitter->OnMoved = [&](TObject*) { ++moved; };
  ASSERT_EQ(splitter->FindControl(), top);
  const TShiftState left{TShiftStateItem::ssLeft};
  auto drag = [&](int dy) {
    splitter->MouseDown(TMouseButton::mbLeft, left, 5, 1);
    splitter->MouseMove(left, 5, 1 + dy);
    splitter->MouseUp(TMouseButton::mbLeft, {}, 5, 1 + dy);
  };
  drag(30);
  EXPECT_EQ(top->GetHeight(), 130);
  EXPECT_EQ(splitter->GetTop(), 130);
  EXPECT_EQ(rest->GetTop(), 134);
  drag(-500);
  EXPECT_EQ(top->GetHeight(), 20);
  drag(1000);  // never past the room the other aligned controls leave
  EXPECT_EQ(top->GetHeight(), 300 - 4 - 50);
  EXPECT_EQ(rest->GetHeight(), 0);
  EXPECT_EQ(moved, 3);
}

TEST_F(StdCtrlsTest, SpeedButtonsOfAGroupStayDownOneAtATime) {
  auto* a = Put<TSpeedButton>(form, 0, 0, 23, 22);
  auto* b = Put<TSpeedButton>(form, 30, 0, 23, 22);
  for (TSpeedButton* s : {a, b}) s->GroupIndex = 1;
  std::vector<TObject*> clicks;
  a->OnClick = b->OnClick = [&](TObject* s) { clicks.push_back(s); };
  form->Show();
  ClickAt(a);
  EXPECT_TRUE(a->GetDown());
  ClickAt(b);
  EXPECT_FALSE(a->GetDown());
  EXPECT_TRUE(b->GetDown());
  ClickAt(b);  // stays down without AllowAllUp
  EXPECT_TRUE(b->GetDown());
  b->SetDown(false);
  EXPECT_TRUE(b->GetDown());
  EXPECT_EQ(clicks, (std::vector<TObject*>{a, b, b}));
}

TEST_F(StdCtrlsTest, PanelBevelPixelsAndClientArea) {
  auto* panel = Put<TPanel>(form, 0, 0, 20, 10);
  panel->SetColor(clWhite);
  panel->BevelOuter = TPanelBevel::bvRaised;
  panel->BevelInner = TPanelBevel::bvLowered;
  TBitmap bmp;
  panel->PaintTo(bmp);
  const TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
  EXPECT_EQ(bmp.GetPixelColor(0, 0), light);
  EXPECT_EQ(bmp.GetPixelColor(19, 9), dark);
  EXPECT_EQ(bmp.GetPixelColor(1, 1), dark);  // lowered inner bevel
  EXPECT_EQ(bmp.GetPixelColor(18, 8), light);
  EXPECT_EQ(bmp.GetPixelColor(5, 5), clWhite);
  auto* child = Put<TPanel>(panel);
  child->SetAlign(TAlign::alClient);
  EXPECT_EQ(child->GetBoundsRect(), Rect(2, 2, 18, 8));
}

TEST_F(StdCtrlsTest, PageControlAsksBeforeAPersonsChangeAndShowsOnlyTheActivePage) {
  auto* pages = Put<TPageControl>(form, 0, 0, 200, 150);
  auto* first = Create<TTabSheet>(form);
  first->SetPageControl(pages);
  auto* second = Create<TTabSheet>(form);
  second->SetPageControl(pages);
  EXPECT_EQ(pages->GetActivePage(), first);
  EXPECT_EQ(first->GetBoundsRect(), Rect(2, pages->TabHeight + 2, 198, 148));
  bool allow = false;
  int changes = 0;
  pages->OnChanging = [&](TObject*, bool& a) { a = allow; };
  pages->OnChange = [&](TObject*) { ++changes; };
  pages->SelectPage(second);
  EXPECT_EQ(pages->GetActivePage(), first);
  allow = true;
  pages->SelectPage(second);
  EXPECT_EQ(pages->GetActivePageIndex(), 1);
  EXPECT_TRUE(second->GetVisible());
  EXPECT_FALSE(first->GetVisible());
  EXPECT_EQ(changes, 1);
  second->Free();
  EXPECT_EQ(pages->GetActivePage(), first);
  EXPECT_EQ(pages->PageCount(), 1);
}

TEST_F(StdCtrlsTest, ImageListDrawsWithoutItsMaskColour) {
  TBitmap strip(4, 2);  // two 2x2 images: red with a fuchsia corner, and blue
  TCanvas& s = *strip.GetCanvas();
  s.Brush->SetColor(clRed);
  s.FillRect(Rect(0, 0, 2, 2));
  s.Brush->SetColor(clBlue);
  s.FillRect(Rect(2, 0, 4, 2));
  s.SetPixel(0, 0, clFuchsia);
  auto* images = Create<TImageList>(nullptr);
  images->SetSize(2, 2);
  EXPECT_EQ(images->AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(images->Count(), 2);
  TBitmap target(4, 2);
  target.GetCanvas()->Brush->SetColor(clWhite);
  target.GetCanvas()->FillRect(Rect(0, 0, 4, 2));
  images->Draw(target.GetCanvas(), 0, 0, 0);
  images->Draw(target.GetCanvas(), 2, 0, 1);
  EXPECT_EQ(target.GetPixelColor(0, 0), clWhite);
  EXPECT_EQ(target.GetPixelColor(1, 1), clRed);
  EXPECT_EQ(target.GetPixelColor(3, 1), clBlue);
  EXPECT_THROW(images->Draw(target.GetCanvas(), 0, 0, 2), EInvalidOperation);
  images->Free();
}

TEST_F(StdCtrlsTest, AutoSizeLabelFitsItsCaption) {
  auto* label = Put<TLabel>(form);
  label->SetCaption("&Depth");
  const int narrow = label->GetWidth();
  label->SetCaption("&Depth of investigation");
  EXPECT_GT(label->GetWidth(), narrow);
  EXPECT_GT(label->GetHeight(), 0);
  TBitmap probe(1, 1);
  probe.GetCanvas()->Font->Assign(*label->GetFont());
  EXPECT_EQ(label->GetWidth(), probe.GetCanvas()->TextWidth("Depth of investigation"));
}

}  // namespace StdCtrlsTests
