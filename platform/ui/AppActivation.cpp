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

namespace {
int ReportedState = -1;  // -1: no change reported yet
}  // namespace

bool AppActivation::Active() {
  if (ReportedState >= 0) return ReportedState == 1;
  return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void AppActivation::Changed(bool Active) {
  ReportedState = Active ? 1 : 0;
  Application->Dispatch(
      Application,
      [Active] {
        const TNotifyEvent handler = Active ? OnActivate : OnDeactivate;
        if (handler) handler(Application);
      },
      false);
}
