// The hint pause is served to the toolkit through a proxy style that answers
// the tool-tip wake-up delay; the style is put in place the first time a
// pause is set while a widget application runs.
#include "platform/ui/Hints.h"

#include <QApplication>
#include <QProxyStyle>
#include <QToolTip>

namespace {

int32_t HintPause = 500;

class HintPauseStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint Hint, const QStyleOption* Option, const QWidget* Widget,
                QStyleHintReturn* Return) const override {
    if (Hint == SH_ToolTip_WakeUpDelay) return HintPause;
    return QProxyStyle::styleHint(Hint, Option, Widget, Return);
  }
};

QApplication* WidgetApplication() { return qobject_cast<QApplication*>(QCoreApplication::instance()); }

}  // namespace

namespace Hints {

int32_t GetHintPause() { return HintPause; }

void SetHintPause(int32_t Milliseconds) {
  HintPause = Milliseconds < 0 ? 0 : Milliseconds;
  QApplication* app = WidgetApplication();
  if (!app || dynamic_cast<HintPauseStyle*>(QApplication::style())) return;
  // The proxy keeps the look of the style in use; the application owns it.
  QApplication::setStyle(new HintPauseStyle(QApplication::style()->name()));
}

void CancelHint() {
  if (WidgetApplication()) QToolTip::hideText();
}

}  // namespace Hints
