#include "platform/ui/EditExtras.h"

#include "platform/ui/QtBridge.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

#include <QApplication>
#include <QLineEdit>
#include <QMargins>
#include <QStyle>

namespace {
QLineEdit* LineEdit(TEdit& Edit) { return qobject_cast<QLineEdit*>(Edit.Handle()); }

// Text changes made through the widget reach the control as a person's would.
void SyncText(TEdit& Edit, QLineEdit* Line) { Edit.SetText(UiBridge::FromQ(Line->text())); }
}  // namespace

int EditExtras::VerticalScrollBarWidth() {
  Forms::EnsureToolkit();
  return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void EditExtras::SetTextMargins(TEdit& Edit, int Left, int Right) {
  if (QLineEdit* line = LineEdit(Edit)) line->setTextMargins(Left, 0, Right, 0);
}

void EditExtras::GetTextMargins(TEdit& Edit, int& Left, int& Right) {
  Left = Right = 0;
  if (!Edit.HandleAllocated()) return;
  if (QLineEdit* line = LineEdit(Edit)) {
    const QMargins m = line->textMargins();
    Left = m.left();
    Right = m.right();
  }
}

void EditExtras::Cut(TEdit& Edit) {
  if (QLineEdit* line = LineEdit(Edit)) {
    line->cut();
    SyncText(Edit, line);
  }
}

void EditExtras::Paste(TEdit& Edit) {
  if (QLineEdit* line = LineEdit(Edit)) {
    line->paste();
    SyncText(Edit, line);
  }
}

void EditExtras::Select(TEdit& Edit, int Start, int Length) {
  if (QLineEdit* line = LineEdit(Edit)) line->setSelection(Start, Length);
}
