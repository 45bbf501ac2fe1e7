#include "platform/ui/AppActivation.h"

#include "platform/ui/Forms.h"

#include <QGuiApplication>

void AppActivation::Watch() {
  static bool watching = false;
  if (watching) return;
  Forms::EnsureToolkit();
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!app) return;
  watching = true;
  QObject::connect(app, &QGuiApplication::applicationStateChanged, app,
                   [](Qt::ApplicationState State) { Changed(State == Qt::ApplicationActive); });
}

void AppActivation::Changed(bool Active) {
  Application->Dispatch(
      Application,
      [Active] {
        const TNotifyEvent handler = Active ? Application->OnActivate : Application->OnDeactivate;
        if (handler) handler(Application);
      },
      false);
}
