#include "platform/ui/KeyHook.h"

#include "platform/ui/Controls.h"
#include "platform/ui/QtBridge.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
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

std::map<TWinControl*, TTabFilter*>& Filters() {
  static std::map<TWinControl*, TTabFilter*> filters;
  return filters;
}

}  // namespace

void KeyHook::WantTab(TWinControl& Control, std::function<bool()> Wants) {
  Remove(Control);
  auto* f = new TTabFilter(&Control, std::move(Wants));
  Filters()[&Control] = f;
  if (Control.GetParent() && Control.GetParent()->HandleAllocated()) {
    QWidget* w = Control.Handle();
    f->setParent(w);
    w->installEventFilter(f);
  }
}

void KeyHook::Remove(TWinControl& Control) {
  auto it = Filters().find(&Control);
  if (it == Filters().end()) return;
  TTabFilter* f = it->second;
  Filters().erase(it);
  if (Control.HandleAllocated()) Control.Handle()->removeEventFilter(f);
  // Without a window the filter has no parent to free it.
  if (!f->parent()) delete f;
  else f->deleteLater();
}

bool KeyHook::TabReaches(TWinControl& Control) {
  auto it = Filters().find(&Control);
  return it != Filters().end() && it->second->Wants && it->second->Wants();
}
