#pragma once
// Private to platform/ui: the Qt side of the controls. Widgets forward their
// events here; the functions turn them into the controls' handlers through
// Application->Dispatch.

#include "platform/ui/Controls.h"

#include <QCursor>
#include <QEvent>
#include <QFont>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <optional>
#include <type_traits>

class QMouseEvent;
class QWheelEvent;
class QKeyEvent;
class QContextMenuEvent;
class QAction;
class TMenuItem;

namespace UiBridge {

QString ToQ(const std::string& Text);
std::string FromQ(const QString& Text);
QColor ToQColor(TColor Color);
QFont ToQFont(const TFont& Font);
// Built-in cursors by their shape; cursors of the application's table by their picture.
QCursor ToQCursor(TCursor Cursor);
TShiftState ShiftFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
// Virtual-key code of a Qt key (0 when there is none) and back.
uint16_t VirtualKeyFromQt(int QtKey);
int QtKeyFromVirtualKey(uint16_t Key);

// The link from a widget to its control; cleared before the widget is deleted.
class IControlWidget {
 public:
  virtual ~IControlWidget() = default;
  TControl* Control = nullptr;
  bool ClickPending = false;              // left button went down here
  bool InDoubleClick = false;
  std::optional<QString> ReplacedText;    // a key press handler changed the character
};

TControl* ControlOf(QWidget* Widget);

enum class TMouseKind { Down, Move, Up, DblClick };
void Mouse(TControl* Control, QMouseEvent* Event, TMouseKind Kind);
bool Wheel(TControl* Control, QWheelEvent* Event);
// Returns true when the key was taken (handlers cleared it, or a shortcut ran).
bool Key(TControl* Control, QKeyEvent* Event, bool Down);
// Paints a self-painting control's picture; false for native widgets.
bool Paint(TControl* Control, QWidget* Widget);
// Draws a native control's overlay over what its widget painted.
void PaintOverlay(TControl* Control, QWidget* Widget);
void Resized(TControl* Control, QWidget* Widget);
void Moved(TControl* Control, QWidget* Widget);
void EnterLeave(TControl* Control, bool Enter);
void Focus(TControl* Control, bool In);
bool ContextMenu(TControl* Control, QContextMenuEvent* Event);
// The person closes a form's window: true when the window may go.
bool CloseRequested(TControl* Control);
// Shows the control's hint (when it or a parent has ShowHint); true when handled.
bool ToolTip(TControl* Control, const QPoint& GlobalPos, QWidget* Widget);

// Access to the protected parts of controls for the bridge and the widget classes.
struct TAccess {
  static void SetNeedsPaint(TControl* C, bool V) { C->FNeedsPaint = V; }
  static bool NeedsPaint(const TControl* C) { return C->FNeedsPaint; }
  static void NoteActive(TForm* Form, TWinControl* Control);
  static void WindowStateFromWidget(TForm* Form);
  static void ActivationChanged(TForm* Form, bool Active);
  static void SetMenuAction(TMenuItem* Item, QAction* Action);
  static void ClearMenuAction(TMenuItem* Item, QAction* Action);
  static void BoundsFromWidget(TControl* C, int L, int T, int W, int H) { C->BoundsFromWidget(L, T, W, H); }
  static bool PaintsItself(const TControl* C) { return C->PaintsItself(); }
  static TBitmap* Buffer(TControl* C);
  static void PaintControl(TControl* C, TCanvas& Canvas) { C->PaintControl(Canvas); }
  static bool PaintsOverlay(const TControl* C) { return C->PaintsOverlay(); }
  // The overlay starts from, and leaves behind, the device state it was handed.
  static void PaintOverlay(TControl* C, TCanvas& Canvas) {
    const int level = Canvas.GetHandle()->SaveDC();
    try {
      C->PaintOverlay(Canvas);
    } catch (...) {
      Canvas.GetHandle()->RestoreDC(level);
      Canvas.Refresh();
      throw;
    }
    Canvas.GetHandle()->RestoreDC(level);
    Canvas.Refresh();
  }
};

// A Qt widget of class Base that reports its events to a control.
template <class Base>
class TControlWidget : public Base, public IControlWidget {
 public:
  template <class... A>
  explicit TControlWidget(TControl* AControl, A&&... args) : Base(std::forward<A>(args)...) {
    Control = AControl;
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    if (Paint(Control, this)) return;
    Base::paintEvent(e);
    PaintOverlay(Control, this);
  }
  // Input handled here does not travel on to the parent widget.
  void mousePressEvent(QMouseEvent* e) override {
    Base::mousePressEvent(e);
    if (!InDoubleClick) Mouse(Control, e, TMouseKind::Down);
    e->accept();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Base::mouseMoveEvent(e);
    Mouse(Control, e, TMouseKind::Move);
    e->accept();
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    Base::mouseReleaseEvent(e);
    Mouse(Control, e, TMouseKind::Up);
    e->accept();
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    // Qt's default turns a double click into a press as well; the control
    // gets DblClick and one MouseDown with ssDouble instead.
    InDoubleClick = true;
    Base::mouseDoubleClickEvent(e);
    InDoubleClick = false;
    Mouse(Control, e, TMouseKind::DblClick);
    e->accept();
  }
  void wheelEvent(QWheelEvent* e) override {
    if (Wheel(Control, e))
      e->accept();
    else
      Base::wheelEvent(e);
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (Key(Control, e, true)) return;
    if (ReplacedText) {
      QKeyEvent changed(e->type(), e->key(), e->modifiers(), *ReplacedText, e->isAutoRepeat(), e->count());
      ReplacedText.reset();
      Base::keyPressEvent(&changed);
    } else {
      Base::keyPressEvent(e);
    }
    // A key goes to the focused control only (the form sees it first through
    // KeyPreview), never on to the parent widgets.
    e->accept();
  }
  bool event(QEvent* e) override {
    if (e->type() == QEvent::ToolTip && Control) {
      auto* help = static_cast<QHelpEvent*>(e);
      if (ToolTip(Control, help->globalPos(), this)) return true;
    }
    return Base::event(e);
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    if (!Key(Control, e, false)) Base::keyReleaseEvent(e);
    e->accept();
  }
  void resizeEvent(QResizeEvent* e) override {
    Base::resizeEvent(e);
    Resized(Control, this);
  }
  void moveEvent(QMoveEvent* e) override {
    Base::moveEvent(e);
    Moved(Control, this);
  }
  void enterEvent(QEnterEvent* e) override {
    Base::enterEvent(e);
    EnterLeave(Control, true);
  }
  void leaveEvent(QEvent* e) override {
    Base::leaveEvent(e);
    EnterLeave(Control, false);
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    Focus(Control, true);
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    Focus(Control, false);
  }
  void contextMenuEvent(QContextMenuEvent* e) override {
    if (!ContextMenu(Control, e)) Base::contextMenuEvent(e);
  }
  void closeEvent(QCloseEvent* e) override;
};

}  // namespace UiBridge

#include <QCloseEvent>

template <class Base>
void UiBridge::TControlWidget<Base>::closeEvent(QCloseEvent* e) {
  if (CloseRequested(Control))
    Base::closeEvent(e);
  else
    e->ignore();
}
