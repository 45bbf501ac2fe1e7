#include "platform/ui/AppHooks.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <dlfcn.h>

#include <cstdlib>

namespace {

int VirtualKeyOf(int QtKey) {
  switch (QtKey) {
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    default: return 0;
  }
}

// The filter on the application object: sees every key event of every window.
class TKeyboardFilter : public QObject {
 public:
  AppHooks::TKeyProc Proc;

  bool eventFilter(QObject* Watched, QEvent* Event) override {
    const QEvent::Type type = Event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
      auto* key = static_cast<QKeyEvent*>(Event);
      // A key event travels up the parents; the hook reports it once.
      if (key != FLastEvent || key->timestamp() != FLastTime || type != FLastType) {
        FLastEvent = key;
        FLastTime = key->timestamp();
        FLastType = type;
        uint32_t flags = 0;
        if (type == QEvent::KeyRelease)
          flags = 0xC0000000u;
        else if (key->isAutoRepeat())
          flags = 0x40000000u;
        if (Proc) Proc(VirtualKeyOf(key->key()), flags);
      }
    }
    return QObject::eventFilter(Watched, Event);
  }

 private:
  const QEvent* FLastEvent = nullptr;
  quint64 FLastTime = 0;
  QEvent::Type FLastType = QEvent::None;
};

std::unique_ptr<TKeyboardFilter> KeyboardFilter;

// The X11 keyboard indicators, reached through the client library at run time
// so that the program also runs where there is no X display.
class TX11Indicators {
 public:
  TX11Indicators() {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return;
    FLib = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!FLib) return;
    auto open = reinterpret_cast<void* (*)(const char*)>(dlsym(FLib, "XOpenDisplay"));
    FInternAtom = reinterpret_cast<unsigned long (*)(void*, const char*, int)>(dlsym(FLib, "XInternAtom"));
    FGetNamedIndicator =
        reinterpret_cast<int (*)(void*, unsigned long, int*, int*, void*, int*)>(dlsym(FLib, "XkbGetNamedIndicator"));
    FClose = reinterpret_cast<int (*)(void*)>(dlsym(FLib, "XCloseDisplay"));
    if (open && FInternAtom && FGetNamedIndicator) FDisplay = open(nullptr);
  }
  ~TX11Indicators() {
    if (FDisplay && FClose) FClose(FDisplay);
    if (FLib) dlclose(FLib);
  }
  TX11Indicators(const TX11Indicators&) = delete;
  TX11Indicators& operator=(const TX11Indicators&) = delete;

  std::optional<bool> State(int VirtualKey) const {
    if (!FDisplay) return std::nullopt;
    const char* name = VirtualKey == VK_NUMLOCK ? "Num Lock" : VirtualKey == VK_SCROLL ? "Scroll Lock" : "Caps Lock";
    const unsigned long atom = FInternAtom(FDisplay, name, 0);
    int on = 0;
    if (!atom || !FGetNamedIndicator(FDisplay, atom, nullptr, &on, nullptr, nullptr)) return std::nullopt;
    return on != 0;
  }

 private:
  void* FLib = nullptr;
  void* FDisplay = nullptr;
  unsigned long (*FInternAtom)(void*, const char*, int) = nullptr;
  int (*FGetNamedIndicator)(void*, unsigned long, int*, int*, void*, int*) = nullptr;
  int (*FClose)(void*) = nullptr;
};

}  // namespace

void AppHooks::InstallKeyboardHook(TKeyProc Proc) {
  if (!KeyboardFilter) {
    Forms::EnsureToolkit();
    KeyboardFilter = std::make_unique<TKeyboardFilter>();
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(KeyboardFilter.get());
  }
  KeyboardFilter->Proc = std::move(Proc);
}

void AppHooks::RemoveKeyboardHook() {
  if (!KeyboardFilter) return;
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(KeyboardFilter.get());
  KeyboardFilter.reset();
}

bool AppHooks::KeyboardHookInstalled() { return KeyboardFilter != nullptr; }

void AppHooks::AbandonKeyboardHook() { (void)KeyboardFilter.release(); }

std::optional<bool> AppHooks::LockKeyToggled(int VirtualKey) {
  static TX11Indicators indicators;
  return indicators.State(VirtualKey);
}

struct AppHooks::TActivationListener::TImpl {
  QObject Receiver;
};

AppHooks::TActivationListener::TActivationListener(std::function<void(bool Active)> Handler)
    : FImpl(std::make_unique<TImpl>()) {
  // The connection ends with the receiver, so no call reaches a gone listener.
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    QObject::connect(app, &QGuiApplication::applicationStateChanged, &FImpl->Receiver,
                     [Handler = std::move(Handler)](Qt::ApplicationState State) {
                       if (Handler) Handler(State == Qt::ApplicationActive);
                     });
}

AppHooks::TActivationListener::~TActivationListener() = default;

struct AppHooks::TPostContext::TImpl {
  QObject Receiver;
};

AppHooks::TPostContext::TPostContext() : FImpl(std::make_unique<TImpl>()) { Forms::EnsureToolkit(); }

AppHooks::TPostContext::~TPostContext() = default;

void AppHooks::TPostContext::Post(std::function<void()> Call) {
  QTimer::singleShot(0, &FImpl->Receiver, std::move(Call));
}

void AppHooks::PresentCanvas(TControl& Control) {
  if (Control.HandleAllocated()) Control.Handle()->update();
}
