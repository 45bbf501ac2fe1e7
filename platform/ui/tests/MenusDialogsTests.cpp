#include "platform/rtl/Classes.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Menus.h"
#include "platform/ui/tests/UiFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace MenusDialogsTests {

namespace {

TMenuItem* AddItem(TMenuItem* Parent, const std::string& Caption, std::vector<std::string>* Log = nullptr) {
  auto* item = Create<TMenuItem>(nullptr);
  item->SetCaption(Caption);
  if (Log) item->OnClick = [Log, Caption](TObject*) { Log->push_back(Caption); };
  Parent->Add(item);
  return item;
}

QAction* FindAction(QWidget* Root, const QString& Text) {
  for (QAction* a : Root->findChildren<QAction*>())
    if (a->text() == Text) return a;
  for (QMenu* m : Root->findChildren<QMenu*>())
    for (QAction* a : m->actions())
      if (a->text() == Text) return a;
  return nullptr;
}

}  // namespace

using MenusTest = UiTest;

TEST_F(MenusTest, MainMenuItemClickReachesItsHandlerAndAFailingOneShowsTheError) {
  std::vector<std::string> log;
  auto* form = Application->CreateForm<TForm>();
  auto* menu = Create<TMainMenu>(form);
  TMenuItem* file = AddItem(menu->Items(), "&File");
  AddItem(file, "&Open", &log);
  TMenuItem* bad = AddItem(file, "&Bad");
  bad->OnClick = [](TObject*) { throw Exception("List index out of bounds (5)"); };
  form->SetClientHeight(150);
  form->SetMenu(menu);
  form->Show();
  EXPECT_EQ(form->Handle()->height(), 150);  // the menu bar comes on top of the client area
  QAction* open = FindAction(form->Handle()->window(), "&Open");
  ASSERT_NE(open, nullptr);
  open->trigger();
  EXPECT_EQ(log, std::vector<std::string>{"&Open"});

  // A caption change reaches the shown menu; a structure change rebuilds it.
  AddItem(file, "&Save", &log);
  QAction* save = FindAction(form->Handle()->window(), "&Save");
  ASSERT_NE(save, nullptr);
  save->trigger();
  EXPECT_EQ(log.back(), "&Save");

  seam.AnswerMessage(mrOk);
  FindAction(form->Handle()->window(), "&Bad")->trigger();
  ASSERT_EQ(seam.Prompts().size(), 1u);
  // No full stop is added after a closing parenthesis (only after characters above ".").
  EXPECT_EQ(seam.Prompts()[0].Text, "List index out of bounds (5)");
}

TEST_F(MenusTest, DisabledItemsDoNotClickAndRadioItemsOfAGroupExcludeEachOther) {
  std::vector<std::string> log;
  auto* menu = Create<TPopupMenu>(nullptr);
  TMenuItem* a = AddItem(menu->Items(), "A", &log);
  TMenuItem* b = AddItem(menu->Items(), "B", &log);
  TMenuItem* c = AddItem(menu->Items(), "C", &log);
  for (TMenuItem* i : {a, b, c}) i->SetRadioItem(true);
  c->SetGroupIndex(1);
  a->SetChecked(true);
  c->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_TRUE(c->GetChecked());  // another group
  b->SetEnabled(false);
  b->Click();
  EXPECT_TRUE(log.empty());
  menu->Free();
}

TEST_F(MenusTest, PopupClicksTheItemTheScriptChooses) {
  std::vector<std::string> log;
  auto* menu = Create<TPopupMenu>(nullptr);
  menu->SetName("PopupMenu1");
  AddItem(menu->Items(), "&Copy", &log);
  AddItem(menu->Items(), "&Paste", &log);
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  seam.AnswerPopupItem("Paste");
  seam.AnswerPopup([](TPopupMenu&) -> TMenuItem* { return nullptr; });
  menu->Popup(10, 20);
  menu->Popup(10, 20);
  EXPECT_EQ(log, std::vector<std::string>{"&Paste"});
  EXPECT_EQ(popups, 2);
  EXPECT_EQ(menu->PopupPoint, TPoint(10, 20));
  menu->Free();
}

TEST_F(MenusTest, ShortCutTextRoundTripsAndFindsItsItem) {
  const std::pair<TShortCut, const char*> table[] = {
      {static_cast<TShortCut>(scCtrl | 'S'), "Ctrl+S"},
      {VK_F5, "F5"},
      {static_cast<TShortCut>(scShift | VK_DELETE), "Shift+Del"},
      {static_cast<TShortCut>(scCtrl | scAlt | 'Z'), "Ctrl+Alt+Z"},
  };
  for (auto [shortCut, text] : table) {
    EXPECT_EQ(Menus::ShortCutToText(shortCut), text);
    EXPECT_EQ(Menus::TextToShortCut(text), shortCut) << text;
  }
  EXPECT_EQ(Menus::TextToShortCut("Ctrl+"), scNone);
  EXPECT_EQ(Menus::ShortCut('S', TShiftState{TShiftStateItem::ssCtrl}), scCtrl | 'S');

  std::vector<std::string> log;
  auto* menu = Create<TMainMenu>(nullptr);
  TMenuItem* edit = AddItem(menu->Items(), "&Edit");
  TMenuItem* undo = AddItem(edit, "&Undo", &log);
  undo->SetShortCut(static_cast<TShortCut>(scCtrl | 'Z'));
  EXPECT_TRUE(menu->IsShortCut(static_cast<TShortCut>(scCtrl | 'Z')));
  undo->SetEnabled(false);
  EXPECT_FALSE(menu->IsShortCut(static_cast<TShortCut>(scCtrl | 'Z')));
  EXPECT_EQ(log, std::vector<std::string>{"&Undo"});
  EXPECT_EQ(Menus::StripHotkey("Save &as && close"), "Save as & close");
  menu->Free();
}

using DialogsTest = UiTest;

TEST_F(DialogsTest, OpenDialogReadsBackFileNameAndFilterIndex) {
  auto* dialog = Create<TSaveDialog>(nullptr);
  dialog->Filter = "Bitmap files|*.bmp|PNG files|*.png";
  dialog->DefaultExt = "bmp";
  dialog->FileName = "old.bmp";
  TFileDialogRequest seen;
  seam.AnswerFileDialog([&](const TFileDialogRequest& r) {
    seen = r;
    return TFileDialogResult{{"/tmp/picture"}, 2};
  });
  seam.AnswerFileDialog(std::nullopt);
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(seen.Kind, TFileDialogKind::Save);
  ASSERT_EQ(seen.Filters.size(), 2u);
  EXPECT_EQ(seen.Filters[1], std::make_pair(std::string("PNG files"), std::string("*.png")));
  EXPECT_EQ(dialog->FileName, "/tmp/picture.bmp");
  EXPECT_EQ(dialog->FilterIndex, 2);
  EXPECT_FALSE(dialog->Execute());  // cancelled: nothing changes
  EXPECT_EQ(dialog->FileName, "/tmp/picture.bmp");
  EXPECT_EQ(dialog->FilterIndex, 2);
  dialog->Free();
}

TEST_F(DialogsTest, FilterTextAndDefaultExtensionRules) {
  using F = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(Dialogs::ParseFilter("Carotage|*.crt"), (F{{"Carotage", "*.crt"}}));
  EXPECT_EQ(Dialogs::ParseFilter("All|*.dat;*.seq|Broken"), (F{{"All", "*.dat;*.seq"}}));
  EXPECT_EQ(Dialogs::ParseFilter(""), F{});
  const std::tuple<const char*, const char*, const char*> table[] = {
      {"a", "txt", "a.txt"}, {"a.dat", "txt", "a.dat"}, {"a", ".emf", "a.emf"},
      {"a", "", "a"},        {"dir.x/a", "k2d", "dir.x/a.k2d"},
  };
  for (auto [name, ext, expected] : table) EXPECT_EQ(Dialogs::ApplyDefaultExt(name, ext), expected) << name;
}

TEST_F(DialogsTest, ColorDialogKeepsCustomColourLinesAndTheChosenColour) {
  auto* dialog = Create<TColorDialog>(nullptr);
  dialog->Color = clRed;
  dialog->CustomColors()->Add("ColorA=C0C0C1");
  dialog->CustomColors()->Add("ColorB=not hex");
  seam.AnswerColor(clBlue);
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->Color, clBlue);
  EXPECT_EQ(dialog->CustomColors()->Count(), 16);
  EXPECT_EQ(dialog->CustomColors()->Get(0), "ColorA=C0C0C1");
  EXPECT_EQ(dialog->CustomColors()->Get(1), "ColorB=FFFFFF");  // unreadable: white
  seam.AnswerColor(std::nullopt);
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->Color, clBlue);
  dialog->Free();
}

TEST_F(DialogsTest, CancelledFontDialogLeavesTheFont) {
  auto* dialog = Create<TFontDialog>(nullptr);
  seam.AnswerFont([](TFont& f) {
    f.SetName("Arial");
    return false;
  });
  seam.AnswerFont([](TFont& f) {
    f.SetHeight(-20);
    return true;
  });
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->GetFont()->GetName(), "MS Sans Serif");
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->GetFont()->GetHeight(), -20);
  dialog->Free();
}

TEST(ScriptedSeamTest, AnUnexpectedPromptIsReportedAndAnsweredWithCancel) {
  std::vector<std::string> failures;
  {
    TScriptedUserSeam seam;
    seam.OnUnexpected = [&](const std::string& f) { failures.push_back(f); };
    seam.AnswerInput(std::string("x"));
    EXPECT_EQ(Dialogs::MessageDlg("Apply Changes ?", TMsgDlgType::mtConfirmation,
                                  {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}),
              mrCancel);
  }
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_NE(failures[0].find("unexpected message box \"Confirm\": \"Apply Changes ?\""), std::string::npos);
  EXPECT_NE(failures[1].find("input box was never asked for"), std::string::npos);
}

TEST(ClipboardTest, TextAndPictureComeBackAsPut) {
  TClipboard& clipboard = Clipbrd::Clipboard();
  clipboard.SetAsText("x\ty\n1.5\t2");
  EXPECT_TRUE(clipboard.HasFormat(CF_TEXT));
  EXPECT_EQ(clipboard.GetAsText(), "x\ty\n1.5\t2");

  TBitmap picture(3, 2);
  picture.GetCanvas()->Brush->SetColor(clWhite);
  picture.GetCanvas()->FillRect(Rect(0, 0, 3, 2));
  picture.GetCanvas()->SetPixel(2, 1, clRed);
  clipboard.Assign(picture);
  ASSERT_TRUE(clipboard.HasFormat(CF_BITMAP));
  TBitmap back;
  ASSERT_TRUE(clipboard.GetBitmap(back));
  EXPECT_EQ(back.GetWidth(), 3);
  EXPECT_EQ(back.GetPixelColor(2, 1), clRed);
  EXPECT_EQ(back.GetPixelColor(0, 0), clWhite);
  clipboard.Clear();
  EXPECT_FALSE(clipboard.GetBitmap(back));
}

}  // namespace MenusDialogsTests
