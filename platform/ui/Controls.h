#pragma once
// Controls: the control classes every window is built from. A control keeps its
// state (bounds, visibility, text, colours, font) itself; a thin QWidget shows it
// once its window exists. Controls that draw themselves (TCustomControl,
// TGraphicControl and the controls built on them) paint through Canvas into an
// off-screen bitmap that the widget shows, so every one of them can be painted
// into a TBitmap without a display (PaintTo).

#include "platform/gdi/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/WeakRef.h"
#include "platform/ui/UserSeam.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class TWinControl;
class TPopupMenu;
class TForm;
namespace UiBridge { struct TAccess; }

// Cursors: the platform's numbers.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Virtual-key codes: the platform's numbers.
constexpr uint16_t VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04;
constexpr uint16_t VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D;
constexpr uint16_t VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14;
constexpr uint16_t VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24;
constexpr uint16_t VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28;
constexpr uint16_t VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their ASCII codes.
constexpr uint16_t VK_NUMPAD0 = 0x60, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C;
constexpr uint16_t VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F;
constexpr uint16_t VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75;
constexpr uint16_t VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B;
constexpr uint16_t VK_NUMLOCK = 0x90, VK_SCROLL = 0x91;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state: keys and buttons held during an input event.
enum class TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = Flags<TShiftStateItem>;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Key character of a key press (UTF-16 unit); #0 drops the key.
using TKeyChar = char16_t;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, TKeyChar& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// Size limits of a control; 0 means no limit.
struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

class TControl : public TComponent {
  KV_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  void BeforeDestruction() override;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // Parent: the windowed control this one sits in (none: not shown).
  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect GetBoundsRect() const;
  void SetBoundsRect(const TRect& R);
  // The client area in client coordinates (0,0 at its top-left).
  virtual TRect GetClientRect() const;
  int GetClientWidth() const;
  int GetClientHeight() const;
  virtual void SetClientWidth(int Value);
  virtual void SetClientHeight(int Value);
  TSizeConstraints Constraints;

  bool GetVisible() const { return FVisible; }
  // True for controls whose click comes from a left button release inside them
  // (self-painting controls); native buttons report their own clicks.
  virtual bool ClicksOnMouseUp() const { return PaintsItself(); }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible.
  bool IsShowing() const;
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);

  const std::string& GetCaption() const { return FText; }
  void SetCaption(const std::string& Value) { SetText(Value); }
  virtual std::string GetText() const { return FText; }
  virtual void SetText(const std::string& Value);

  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor = false;
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value);
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);

  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  // The hint at client point P and the area it holds for while the mouse stays
  // in it; controls whose parts carry hints of their own override it.
  virtual bool HintAt(TPoint P, std::string& HintText, TRect& CursorRect) const;
  TPopupMenu* GetPopupMenu() const;
  void SetPopupMenu(TPopupMenu* Value);

  // Coordinates between this control's client area and the screen.
  TPoint ClientToScreen(const TPoint& P) const;
  TPoint ScreenToClient(const TPoint& P) const;
  // Position of this control's client origin inside its form.
  TPoint ClientOriginInForm() const;

  // Painting: Invalidate marks the control for painting; Repaint paints now.
  virtual void Invalidate();
  void Repaint();
  void Update();
  // Paints the control and its children into Canvas with the top-left corner at X,Y.
  void PaintTo(TCanvas& Canvas, int X, int Y);
  // Paints into Bitmap, sized to the control.
  void PaintTo(TBitmap& Bitmap);

  void BringToFront();
  void SendToBack();

  // The form this control sits on (itself for a form), or none.
  TForm* GetParentForm() const;

  // Events.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;

  // The handlers that input runs; they fire the events above. Descendants
  // override them and call the inherited one where they want the event.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // Returns true when a handler took the wheel turn.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void Resize();

  // The widget that shows this control; created on first use (with its parents').
  QWidget* Handle();
  bool HandleAllocated() const { return FWidget != nullptr; }

 protected:
  friend class TWinControl;
  friend struct UiBridge::TAccess;

  // Creates the widget for this control (parent already has its widget).
  virtual QWidget* CreateWidget(QWidget* ParentWidget);
  // Copies the control's state onto a freshly created widget.
  virtual void InitWidget();
  virtual void DestroyWidget();
  // True for controls whose picture comes from Paint (through Canvas).
  virtual bool PaintsItself() const { return false; }
  // Paints the control's own picture (not its children) onto Canvas at 0,0.
  virtual void PaintControl(TCanvas& Canvas);
  // Native controls that draw something over the picture their widget paints
  // (a symbol on a button, a flat border) answer true and draw it in
  // PaintOverlay, on screen and in PaintTo alike.
  virtual bool PaintsOverlay() const { return false; }
  virtual void PaintOverlay(TCanvas& /*Canvas*/) {}
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void VisibleChanged();
  void RequestAlign();
  // Puts the bounds onto the widget.
  virtual void ApplyBoundsToWidget();
  void SetVisibleField(bool Value) { FVisible = Value; }
  // Called while the widget reports a new size (form resized by the person).
  void BoundsFromWidget(int ALeft, int ATop, int AWidth, int AHeight);
  // The canvas of a self-painting control: the target while painting, else
  // the shown picture (sized to the control).
  TCanvas* PaintCanvas();
  // Fills Canvas with the control's colour, then runs Paint with Canvas as target.
  void PaintThrough(TCanvas& Canvas, const std::function<void()>& Paint);

  QWidget* FWidget = nullptr;

 private:
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = TAlign::alNone;
  std::string FText;
  TColor FColor;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  TCursor FCursor = crDefault;
  std::string FHint;
  bool FShowHint = false;
  WeakRef<TPopupMenu> FPopupMenu;
  bool FSettingFromWidget = false;
  std::unique_ptr<TBitmap> FBuffer;  // the shown picture of a self-painting control
  bool FNeedsPaint = true;
  TCanvas* FPaintCanvas = nullptr;   // the target while painting
  int FCreatingOrder = 0;  // keeps creation order for aligned controls of equal position
  static int FCreationCounter;
};

class TWinControl : public TControl {
  KV_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  // Frees the child controls first, while this control is complete.
  void BeforeDestruction() override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControl(int Index) const;
  bool ContainsControl(const TControl* Control) const;

  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int TabOrder = 0;
  bool Focused() const;
  bool CanFocus() const;
  virtual void SetFocus();

  // Lays out the aligned children (top, bottom, left, right, then client).
  void Realign();
  void DisableAlign() { ++FAlignLock; }
  void EnableAlign();
  // Border width inside the control, in pixels (TPanel, TGroupBox use it).
  int BorderWidth = 0;

  // The window's region (client coordinates): only its pixels show and take
  // the mouse. nullptr removes it.
  void SetWindowRegion(const TRegion* Region);
  // True and the region in Region when the window has one.
  bool GetWindowRegion(TRegion& Region) const;

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(TKeyChar& Key);
  virtual void DoEnter();
  virtual void DoExit();

 protected:
  friend class TControl;
  friend struct UiBridge::TAccess;
  // The client rectangle that aligned children share.
  virtual void AdjustClientRect(TRect& Rect) const;
  virtual void AlignControls(TRect Rect);
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void InitWidget() override;
  void DestroyWidget() override;

 private:
  void ApplyWindowRegion();
  std::vector<TControl*> FControls;  // not owned: children leave on destruction
  std::unique_ptr<TRegion> FWindowRegion;
  bool FTabStop = false;
  int FAlignLock = 0;
  bool FAligning = false;
  bool FAlignPending = false;
};

// A windowed control that paints itself through Canvas.
class TCustomControl : public TWinControl {
  KV_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  // The canvas Paint draws on; outside Paint it draws into the shown picture
  // directly (rubber bands), which appears when the current event is done.
  TCanvas* GetCanvas() { return PaintCanvas(); }
  // Draws the control's picture on Canvas; the default fires OnPaint. The
  // picture is kept between events and painted again after Invalidate.
  virtual void Paint();
  TNotifyEvent OnPaint;

 protected:
  bool PaintsItself() const override { return true; }
  void PaintControl(TCanvas& Canvas) override;
};

// A control without focus that paints itself through Canvas.
class TGraphicControl : public TControl {
  KV_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas() { return PaintCanvas(); }
  virtual void Paint();
  TNotifyEvent OnPaint;

 protected:
  bool PaintsItself() const override { return true; }
  void PaintControl(TCanvas& Canvas) override;
};

// A cursor of the application's cursor table: its picture and hot spot.
struct TCursorImage {
  int32_t Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;  // 0xAARRGGBB, rows from the top; alpha 0 is transparent
  TPoint HotSpot;
};

namespace Controls {
// The application's cursor table: numbers above the platform's built-in
// cursors (crDefault and the negative ones) name cursors that units load at
// start-up. A number without a picture shows the arrow.
void SetCursorImage(TCursor Cursor, const TCursorImage& Image);
void ClearCursorImage(TCursor Cursor);
// The picture of a table cursor; nullptr when none was loaded.
const TCursorImage* GetCursorImage(TCursor Cursor);
// A cursor picture from text rows: 'X' black, 'o' white, anything else transparent.
TCursorImage CursorFromRows(const std::vector<std::string>& Rows, TPoint HotSpot);

// Screen position of the mouse cursor.
TPoint MouseCursorPos();
// Shows Text as a hint at once at ScreenPoint, for Control (may be null);
// an empty Text withdraws the hint shown.
void ActivateHint(TControl* Control, TPoint ScreenPoint, const std::string& Text);

// Short part of a hint ("short|long").
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);
// Sets Control's Enabled to Value for the guard's lifetime.
class [[nodiscard]] TEnabledGuard {
 public:
  TEnabledGuard(TControl& Control, bool Value);
  ~TEnabledGuard();
  TEnabledGuard(const TEnabledGuard&) = delete;
  TEnabledGuard& operator=(const TEnabledGuard&) = delete;

 private:
  TControl& FControl;
  bool FSaved;
};
}  // namespace Controls
