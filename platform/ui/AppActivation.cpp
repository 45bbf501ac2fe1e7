#include "platform/ui/AppActivation.h"

#include "platform/ui/Forms.h"

#include <QGuiApplication>

TNotifyEvent AppActivation::OnActivate;
TNotifyEvent AppActivation::OnDeactivate;

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
        const TNotifyEvent handler = Active ? OnActivate : OnDeactivate;
        if (handler) handler(Application);
      },
      false);
}
