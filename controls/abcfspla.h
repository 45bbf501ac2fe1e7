#pragma once
// TabcsfSplash: the borderless, top-most window of the splash screen. It shows
// its picture either in a bevelled panel or cut to the picture's outline, and
// closes on its timer, with the hide-on-click flag on any mouse press, and as
// soon as another window opens modally.

#include "controls/abcforms.h"
#include "controls/abcpanel.h"
#include "controls/abcshapf.h"

#include <functional>
#include <memory>

class QObject;
class TImage;
class TTimer;

class TabcsfSplash : public TabcForm {
  KV_CLASS(TabcsfSplash, TabcForm)

 public:
  explicit TabcsfSplash(TComponent* AOwner);
  ~TabcsfSplash() override;

  TabcShapeForm* abcShapeForm1 = nullptr;
  TabcCustomEdgePanel* pnlSplash = nullptr;
  TImage* imgSplash = nullptr;
  TTimer* tmrClose = nullptr;
  bool HideOnClick = true;

  // Runs before the window goes, once (the splash component's hide handler).
  std::function<void()> OnHiding;
  // Enables the close timer when its period is not 0 (the form's activation).
  void Activated();
  // Closes the window (timer, click or the component), which frees the form.
  void CloseSplash();
  // Runs OnHiding once.
  void RunHiding();
  bool Closing() const { return FClosing; }

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool FClosing = false;
  // Closes the splash when another window opens modally: a dialog must not sit under it.
  std::unique_ptr<QObject> FModalWatch;
};

namespace abcfspla {
// Registers TabcsfSplash with the form factory (done at start-up; callable again).
void RegisterSplashForm();
}  // namespace abcfspla
