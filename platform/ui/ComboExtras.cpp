#include "platform/ui/ComboExtras.h"

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QStyle>

#include <algorithm>

void ComboExtras::SetListMinWidth(TComboBox& Combo, int Width) {
  if (auto* combo = dynamic_cast<QComboBox*>(Combo.Handle())) combo->view()->setMinimumWidth(std::max(0, Width));
}

int ComboExtras::CaptionButtonWidth() {
  Forms::EnsureToolkit();
  return QApplication::style() ? QApplication::style()->pixelMetric(QStyle::PM_TitleBarButtonSize) : 16;
}
