#include "platform/ui/KeyHook.h"

#include "platform/rtl/WeakRef.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QtBridge.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>

namespace {

class TTabFilter : public QObject {
 public:
  TTabFilter(TWinControl* AControl, std::function<bool()> AWants) : Control(AControl), Wants(std::move(AWants)) {}
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if ((Event->type() == QEvent::KeyPress || Event->type() == QEvent::ShortcutOverride) && Wants && Wants()) {
      auto* key = static_cast<QKeyEvent*>(Event);
      if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        if (Event->type() == QEvent::ShortcutOverride) {
          Event->accept();
          return true;
        }
        UiBridge::Key(Control, key, true);
        return true;
      }
    }
    return QObject::eventFilter(Watched, Event);
  }
  TWinControl* Control;
  std::function<bool()> Wants;
};

// A hook lives while its control does: a filter on the control's window goes
// with the window, one without a window is freed here.
struct THook {
  WeakRef<TWinControl> Control;
  QPointer<TTabFilter> Filter;
};

std::map<TWinControl*, THook>& Hooks() {
  static std::map<TWinControl*, THook> hooks;
  return hooks;
}

void Drop(THook& H) {
  TTabFilter* f = H.Filter.data();
  if (!f) return;
  if (TWinControl* c = H.Control.Get(); c && c->HandleAllocated()) c->Handle()->removeEventFilter(f);
  if (!f->parent()) delete f;
  else f->deleteLater();
}

// Forgets the hooks of controls that no longer exist.
void Purge() {
  for (auto it = Hooks().begin(); it != Hooks().end();) {
    if (!it->second.Control.Get()) {
      if (it->second.Filter && !it->second.Filter->parent()) delete it->second.Filter.data();
      it = Hooks().erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace

void KeyHook::WantTab(TWinControl& Control, std::function<bool()> Wants) {
  Remove(Control);
  auto* f = new TTabFilter(&Control, std::move(Wants));
  Hooks()[&Control] = THook{&Control, f};
  if (Control.GetParent() && Control.GetParent()->HandleAllocated()) {
    QWidget* w = Control.Handle();
    f->setParent(w);
    w->installEventFilter(f);
  }
}

void KeyHook::Remove(TWinControl& Control) {
  Purge();
  auto it = Hooks().find(&Control);
  if (it == Hooks().end()) return;
  Drop(it->second);
  Hooks().erase(it);
}

bool KeyHook::TabReaches(TWinControl& Control) {
  Purge();
  auto it = Hooks().find(&Control);
  return it != Hooks().end() && it->second.Filter && it->second.Filter->Wants && it->second.Filter->Wants();
}
