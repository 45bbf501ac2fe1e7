#include "controls/abcfspla.h"

#include "controls/abcfact.h"
#include "platform/ui/ExtCtrls.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

KV_CLASS_IMPL(TabcsfSplash, TabcForm) {}

namespace abcfspla {
void RegisterSplashForm() { TabcFormFactory::Instance().RegisterFormClass(TabcsfSplash::StaticClass()); }
}  // namespace abcfspla

namespace {
[[maybe_unused]] const bool Registered = (abcfspla::RegisterSplashForm(), true);

// Watches every window of the application being shown; a modal one other than
// the splash's own ends the splash.
class TModalWatch : public QObject {
 public:
  explicit TModalWatch(TabcsfSplash* Splash) : FSplash(Splash) {}
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::Show && Watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(Watched);
      if (widget->isWindow() && widget->windowModality() != Qt::NonModal && !FSplash->Closing() &&
          (!FSplash->HandleAllocated() || widget != FSplash->Handle()->window()))
        FSplash->CloseSplash();
    }
    return QObject::eventFilter(Watched, Event);
  }

 private:
  TabcsfSplash* FSplash;
};
}  // namespace

TabcsfSplash::TabcsfSplash(TComponent* AOwner) : TabcForm(AOwner) {
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetFormStyle(TFormStyle::fsStayOnTop);
  Position = TPosition::poScreenCenter;
  SetColor(clBtnFace);
  SetBounds(0, 0, 581, 401);

  abcShapeForm1 = new TabcShapeForm(this);
  abcShapeForm1->SetVisible(false);
  abcShapeForm1->SetParent(this);
  abcShapeForm1->OnClick = [this](TObject*) {
    if (HideOnClick) CloseSplash();
  };

  pnlSplash = new TabcCustomEdgePanel(this);
  pnlSplash->SetVisible(false);
  pnlSplash->SetParent(this);
  pnlSplash->SetAlign(TAlign::alClient);
  pnlSplash->SetBevelWidth(3);
  pnlSplash->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
    if (HideOnClick) CloseSplash();
  };

  imgSplash = new TImage(this);
  imgSplash->SetParent(pnlSplash);
  imgSplash->SetAlign(TAlign::alClient);
  imgSplash->OnClick = [this](TObject*) {
    if (HideOnClick) CloseSplash();
  };

  tmrClose = new TTimer(this);
  tmrClose->SetEnabled(false);
  tmrClose->SetInterval(100);
  tmrClose->SetOnTimer([this](TObject*) { CloseSplash(); });

  if (QCoreApplication* app = QCoreApplication::instance()) {
    FModalWatch = std::make_unique<TModalWatch>(this);
    app->installEventFilter(FModalWatch.get());
  }

  OnActivate = [this](TObject*) { Activated(); };
  OnClose = [this](TObject*, TCloseAction& Action) {
    RunHiding();
    Action = TCloseAction::caFree;
  };
}

TabcsfSplash::~TabcsfSplash() {
  if (FModalWatch)
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(FModalWatch.get());
}

void TabcsfSplash::Activated() {
  if (tmrClose->GetInterval() != 0 && !tmrClose->GetEnabled()) tmrClose->SetEnabled(true);
}

void TabcsfSplash::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // Every point of the window is its caption: a press closes the splash or does nothing.
  TabcForm::MouseDown(Button, Shift, X, Y);
  if (HideOnClick) CloseSplash();
}

void TabcsfSplash::CloseSplash() {
  if (FClosing) return;
  FClosing = true;
  tmrClose->SetEnabled(false);
  Close();
}

void TabcsfSplash::RunHiding() {
  tmrClose->SetEnabled(false);
  if (!OnHiding) return;
  auto hiding = std::move(OnHiding);
  OnHiding = nullptr;
  hiding();
}
