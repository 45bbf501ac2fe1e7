#include "platform/ui/QtBridge.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace UiBridge {

QString ToQ(const std::string& Text) { return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())); }

std::string FromQ(const QString& Text) { return Text.toUtf8().toStdString(); }

QColor ToQColor(TColor Color) {
  TColor rgb = ColorToRGB(Color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QFont ToQFont(const TFont& Font) {
  QFont f(ToQ(Font.GetName()));
  int h = Font.GetHeight();
  // A negative height is the character height; a positive one the cell height,
  // of which the character takes about four fifths.
  int pixels = h < 0 ? -h : std::max(1, h * 4 / 5);
  f.setPixelSize(std::max(pixels, 1));
  TFontStyles s = Font.GetStyle();
  f.setBold(s.Contains(fsBold));
  f.setItalic(s.Contains(fsItalic));
  f.setUnderline(s.Contains(fsUnderline));
  f.setStrikeOut(s.Contains(fsStrikeOut));
  return f;
}

namespace {
Qt::CursorShape BuiltInCursor(TCursor Cursor) {
  switch (Cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crSQLWait: return Qt::WaitCursor;
    case crDrag: return Qt::DragCopyCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop: return Qt::ForbiddenCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}
}  // namespace

QCursor ToQCursor(TCursor Cursor) {
  if (const TCursorImage* Image = Controls::GetCursorImage(Cursor)) {
    QImage picture(Image->Width, Image->Height, QImage::Format_ARGB32);
    for (int y = 0; y < Image->Height; ++y)
      std::copy_n(&Image->Pixels[size_t(y) * size_t(Image->Width)], Image->Width,
                  reinterpret_cast<uint32_t*>(picture.scanLine(y)));
    return QCursor(QPixmap::fromImage(picture), Image->HotSpot.X, Image->HotSpot.Y);
  }
  return QCursor(BuiltInCursor(Cursor));
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
  TShiftState s;
  s.Set(TShiftStateItem::ssShift, Modifiers & Qt::ShiftModifier);
  s.Set(TShiftStateItem::ssCtrl, Modifiers & Qt::ControlModifier);
  s.Set(TShiftStateItem::ssAlt, Modifiers & Qt::AltModifier);
  s.Set(TShiftStateItem::ssLeft, Buttons & Qt::LeftButton);
  s.Set(TShiftStateItem::ssRight, Buttons & Qt::RightButton);
  s.Set(TShiftStateItem::ssMiddle, Buttons & Qt::MiddleButton);
  return s;
}

namespace {

struct TKeyPair {
  int Qt;
  uint16_t Vk;
};

constexpr TKeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},    {Qt::Key_Return, VK_RETURN}, {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},    {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},        {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},          {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, VK_SNAPSHOT}, {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},      {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},
    {Qt::Key_Minus, VK_SUBTRACT}, {Qt::Key_Slash, VK_DIVIDE},  {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL},
};

}  // namespace

uint16_t VirtualKeyFromQt(int QtKey) {
  if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return static_cast<uint16_t>('0' + (QtKey - Qt::Key_0));
  if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) return static_cast<uint16_t>('A' + (QtKey - Qt::Key_A));
  if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24) return static_cast<uint16_t>(VK_F1 + (QtKey - Qt::Key_F1));
  for (const TKeyPair& k : kKeys)
    if (k.Qt == QtKey) return k.Vk;
  return 0;
}

int QtKeyFromVirtualKey(uint16_t Key) {
  if (Key >= '0' && Key <= '9') return Qt::Key_0 + (Key - '0');
  if (Key >= 'A' && Key <= 'Z') return Qt::Key_A + (Key - 'A');
  if (Key >= VK_F1 && Key <= VK_F1 + 23) return Qt::Key_F1 + (Key - VK_F1);
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) return Qt::Key_0 + (Key - VK_NUMPAD0);
  for (const TKeyPair& k : kKeys)
    if (k.Vk == Key) return k.Qt;
  return 0;
}

TControl* ControlOf(QWidget* Widget) {
  auto* link = dynamic_cast<IControlWidget*>(Widget);
  return link ? link->Control : nullptr;
}

namespace {

IControlWidget* LinkOf(TControl* Control) {
  return Control && Control->HandleAllocated() ? dynamic_cast<IControlWidget*>(Control->Handle()) : nullptr;
}

// Self-painting controls show what handlers drew on their canvas at once.
void ShowCanvasChanges(TControl* Control) {
  if (Control && Control->HandleAllocated() && TAccess::PaintsItself(Control)) Control->Handle()->update();
}

}  // namespace

void Mouse(TControl* Control, QMouseEvent* Event, TMouseKind Kind) {
  if (!Control) return;
  TMouseButton button;
  switch (Event->button()) {
    case Qt::LeftButton: button = TMouseButton::mbLeft; break;
    case Qt::RightButton: button = TMouseButton::mbRight; break;
    case Qt::MiddleButton: button = TMouseButton::mbMiddle; break;
    default:
      if (Kind != TMouseKind::Move) return;
      button = TMouseButton::mbLeft;
      break;
  }
  TShiftState shift = ShiftFromQt(Event->modifiers(), Event->buttons());
  const QPoint p = Event->position().toPoint();
  IControlWidget* link = LinkOf(Control);
  switch (Kind) {
    case TMouseKind::Down:
      if (link) link->ClickPending = button == TMouseButton::mbLeft;
      Application->Dispatch(Control, [&] { Control->MouseDown(button, shift, p.x(), p.y()); });
      break;
    case TMouseKind::DblClick:
      if (link) link->ClickPending = false;
      shift.Include(TShiftStateItem::ssDouble);
      Application->Dispatch(Control, [&] {
        if (button == TMouseButton::mbLeft) Control->DblClick();
        Control->MouseDown(button, shift, p.x(), p.y());
      });
      break;
    case TMouseKind::Move:
      Application->Dispatch(Control, [&] { Control->MouseMove(shift, p.x(), p.y()); });
      break;
    case TMouseKind::Up: {
      const bool click = link && link->ClickPending && button == TMouseButton::mbLeft &&
                         Control->ClicksOnMouseUp() &&
                         Control->GetClientRect().Contains(TPoint(p.x(), p.y()));
      if (link) link->ClickPending = false;
      Application->Dispatch(Control, [&] {
        Control->MouseUp(button, shift, p.x(), p.y());
        if (click) Control->Click();
      });
      break;
    }
  }
  ShowCanvasChanges(Control);
}

bool Wheel(TControl* Control, QWheelEvent* Event) {
  if (!Control) return false;
  // The platform reports 120 per notch, as Qt does.
  const int delta = Event->angleDelta().y();
  if (delta == 0) return false;
  TShiftState shift = ShiftFromQt(Event->modifiers(), Event->buttons());
  QPoint g = Event->globalPosition().toPoint();
  bool handled = false;
  // Not taken here, the turn travels on to the parent widget.
  Application->Dispatch(Control, [&] { handled = Control->DoMouseWheel(shift, delta, TPoint(g.x(), g.y())); });
  ShowCanvasChanges(Control);
  return handled;
}

bool Key(TControl* Control, QKeyEvent* Event, bool Down) {
  auto* control = dynamic_cast<TWinControl*>(Control);
  IControlWidget* link = LinkOf(Control);
  if (!control) return false;
  if (link) link->ReplacedText.reset();
  uint16_t key = VirtualKeyFromQt(Event->key());
  TShiftState shift = ShiftFromQt(Event->modifiers(), QGuiApplication::mouseButtons());
  TForm* form = control->GetParentForm();
  TWinControl* preview = form && form != control && form->KeyPreview ? form : nullptr;
  bool taken = false;
  Application->Dispatch(control, [&] {
    if (Down && key != 0 && form && form != control && form->IsShortCut(key, shift)) {
      taken = true;
      return;
    }
    if (key != 0) {
      if (preview) Down ? preview->KeyDown(key, shift) : preview->KeyUp(key, shift);
      if (key != 0) Down ? control->KeyDown(key, shift) : control->KeyUp(key, shift);
      if (key == 0) taken = true;
    }
    if (Down && !taken && (key == VK_RETURN || key == VK_ESCAPE) && form && form->DialogKey(key, control)) {
      taken = true;
      return;
    }
    const QString text = Event->text();
    if (!Down || taken || text.isEmpty()) return;
    TKeyChar ch = text.at(0).unicode();
    const TKeyChar original = ch;
    if (preview) preview->KeyPress(ch);
    if (ch != 0) control->KeyPress(ch);
    if (ch == 0)
      taken = true;
    else if (ch != original && link)
      link->ReplacedText = QString(QChar(ch));
  });
  ShowCanvasChanges(Control);
  return taken;
}

bool Paint(TControl* Control, QWidget* Widget) {
  if (!Control || !TAccess::PaintsItself(Control)) return false;
  TBitmap* buffer = TAccess::Buffer(Control);
  if (TAccess::NeedsPaint(Control)) {
    TAccess::SetNeedsPaint(Control, false);
    Application->Dispatch(Control, [&] { TAccess::PaintControl(Control, *buffer->GetCanvas()); }, false);
  }
  QPainter painter(Widget);
  painter.drawImage(0, 0, buffer->Image());
  return true;
}

void PaintOverlay(TControl* Control, QWidget* Widget) {
  if (!Control || !TAccess::PaintsOverlay(Control)) return;
  // The overlay is drawn on a key colour that then becomes transparent.
  constexpr TColor Key = 0x010203;
  TBitmap overlay(std::max(Widget->width(), 1), std::max(Widget->height(), 1));
  overlay.GetCanvas()->Brush->SetColor(Key);
  overlay.GetCanvas()->FillRect(TRect(0, 0, overlay.GetWidth(), overlay.GetHeight()));
  Application->Dispatch(Control, [&] { TAccess::PaintOverlay(Control, *overlay.GetCanvas()); }, false);
  QImage picture = overlay.Image().convertToFormat(QImage::Format_ARGB32);
  const QRgb key = qRgb(GetRValue(Key), GetGValue(Key), GetBValue(Key));
  for (int y = 0; y < picture.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x)
      if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF)) row[x] = 0;
  }
  QPainter painter(Widget);
  painter.drawImage(0, 0, picture);
}

void Resized(TControl* Control, QWidget* Widget) {
  if (!Control) return;
  // A form's place is that of its window; its size that of its client area.
  const bool formWindow = dynamic_cast<TForm*>(Control) && !Control->GetParent() && Widget->window() != Widget;
  const QPoint pos = formWindow ? Widget->window()->pos() : Widget->pos();
  const QSize size = Widget->size();
  Application->Dispatch(
      Control, [&] { TAccess::BoundsFromWidget(Control, pos.x(), pos.y(), size.width(), size.height()); }, false);
}

void Moved(TControl* Control, QWidget* Widget) { Resized(Control, Widget); }

void EnterLeave(TControl* Control, bool Enter) {
  if (!Control) return;
  Application->Dispatch(Control, [&] { Enter ? Control->MouseEnter() : Control->MouseLeave(); }, false);
}

void Focus(TControl* Control, bool In) {
  auto* control = dynamic_cast<TWinControl*>(Control);
  if (!control) return;
  Application->Dispatch(
      control,
      [&] {
        if (In) {
          if (TForm* form = control->GetParentForm(); form && form != control) TAccess::NoteActive(form, control);
          control->DoEnter();
        } else {
          control->DoExit();
        }
      },
      false);
}

bool ContextMenu(TControl* Control, QContextMenuEvent* Event) {
  for (TControl* c = Control; c; c = c->GetParent()) {
    TPopupMenu* menu = c->GetPopupMenu();
    if (!menu) continue;
    const QPoint g = Event->globalPos();
    Application->Dispatch(c, [&] {
      menu->PopupComponent = c;
      menu->Popup(g.x(), g.y());
    });
    return true;
  }
  return false;
}

bool CloseRequested(TControl* Control) {
  auto* form = dynamic_cast<TForm*>(Control);
  if (!form) return true;
  // The form decides (OnCloseQuery, OnClose) and hides or frees itself.
  Application->Dispatch(form, [&] { form->Close(); }, false);
  return false;
}

bool ToolTip(TControl* Control, const QPoint& GlobalPos, QWidget* Widget) {
  for (TControl* c = Control; c; c = c->GetParent()) {
    if (!c->GetShowHint()) continue;
    const QPoint local = Widget->mapFromGlobal(GlobalPos);
    std::string hint;
    TRect area;
    if (!Control->HintAt(TPoint(local.x(), local.y()), hint, area)) return false;
    QToolTip::showText(GlobalPos, ToQ(hint), Widget, QRect(area.Left, area.Top, area.Width(), area.Height()));
    return true;
  }
  QToolTip::hideText();
  return true;
}

}  // namespace UiBridge
