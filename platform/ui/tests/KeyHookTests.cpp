// The Tab hook on a real window: Tab reaches the control's key handling while
// the control wants it.

#include "platform/ui/CustomEdit.h"
#include "platform/ui/KeyHook.h"
#include "platform/ui/tests/UiFixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace KeyHookTests {

class KeyHookTest : public UiTest {};

TEST_F(KeyHookTest, TabReachesTheControlWhileItWantsIt) {
  auto* form = Application->CreateForm<TForm>();
  form->SetBounds(0, 0, 200, 100);
  auto* edit = Create<TCustomEdit>(form);
  edit->SetParent(form);
  auto* other = Create<TCustomEdit>(form);
  other->SetParent(form);
  other->SetTop(40);
  form->Show();
  std::vector<uint16_t> keys;
  edit->OnKeyDown = [&](TObject*, uint16_t& K, TShiftState) { keys.push_back(K); };
  bool wants = true;
  KeyHook::WantTab(*edit, [&] { return wants; });
  EXPECT_TRUE(KeyHook::TabReaches(*edit));
  auto tab = [&] {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
    QCoreApplication::sendEvent(edit->Handle(), &press);
  };
  tab();
  EXPECT_EQ(keys, std::vector<uint16_t>{VK_TAB});
  wants = false;
  EXPECT_FALSE(KeyHook::TabReaches(*edit));
  KeyHook::Remove(*edit);
  EXPECT_FALSE(KeyHook::TabReaches(*edit));
  wants = true;
  EXPECT_FALSE(KeyHook::TabReaches(*edit));
}

}  // namespace KeyHookTests
