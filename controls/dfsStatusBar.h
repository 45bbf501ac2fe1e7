#pragma once
// TdfsStatusBar: a status bar whose panels each have a kind (text, lock-key
// indicator, date or time, ellipsis text, glyph, progress gauge, owner-drawn).
// The bar lays its panels out from left to right like the platform's status
// bar control and draws each one into an off-screen bitmap that is copied in
// one step, so timer-driven redraws do not flicker. Lock-key panels are kept up
// to date by a keyboard hook and the application's activation change, or by an
// outside keyboard-monitor library (unit DFSKb) when UseMonitorDLL is on.
//
//   auto* bar = new TdfsStatusBar(form); bar->SetParent(form);
//   auto* p = bar->GetPanels()->Add();  p->SetWidth(180);
//   p->SetText("x = 12.5");
//   auto* g = bar->GetPanels()->Add();  g->SetPanelType(TdfsStatusPanelType::sptGauge);
//   g->GetGaugeAttrs()->SetPosition(40);

#include "controls/ControlTypes.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Controls.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace AppHooks {
class TActivationListener;
class TPostContext;
}  // namespace AppHooks
class TTimer;
class TdfsStatusBar;
class TdfsStatusPanel;
class TdfsStatusPanels;

KV_EXCEPTION_CLASS(EStatusBarAssertion, Exception);

namespace dfsStatusBar {
void AttachLockPanel(TdfsStatusPanel* Panel);
void DetachLockPanel(TdfsStatusPanel* Panel);
void AcquireKeyboardMonitor(TdfsStatusBar* Bar);
void ReleaseKeyboardMonitor(TdfsStatusBar* Bar);
}  // namespace dfsStatusBar

enum class TdfsStatusPanelType : uint8_t {
  sptNormal, sptCapsLock, sptNumLock, sptScrollLock, sptDate, sptTime, sptDateTime, sptTimeDate,
  sptEllipsisText, sptEllipsisPath, sptGlyph, sptGauge, sptOwnerDraw
};
enum class TdfsGaugeStyle : uint8_t { gsPercent, gsIndeterminate, gsIndeterminate2 };
enum class TStatusPanelBevel : uint8_t { pbNone, pbLowered, pbRaised };
using TPercent = uint8_t;  // 0..100

using TdfsDrawPanelEvent = std::function<void(TdfsStatusBar* StatusBar, TdfsStatusPanel* Panel, const TRect& Rect)>;
using TdfsPanelHintTextEvent = std::function<void(TdfsStatusBar* StatusBar, TdfsStatusPanel* Panel, std::string& Hint)>;

// The platform status bar's own record of one panel: what its layout uses.
struct TdfsLinkedPanel {
  int32_t Width = 50;
  TAlignment Alignment = TAlignment::taLeftJustify;
  TStatusPanelBevel Bevel = TStatusPanelBevel::pbLowered;
  TBiDiMode BiDiMode = TBiDiMode::bdLeftToRight;
  bool ParentBiDiMode = true;
  bool OwnerDraw = true;
};

// The gauge settings of one panel.
class TdfsGaugeAttrs : public TPersistent {
  KV_CLASS(TdfsGaugeAttrs, TPersistent)

 public:
  explicit TdfsGaugeAttrs(TdfsStatusPanel* AOwner);
  void Assign(const TPersistent* Source) override;
  TPersistent* GetOwner() const override;

  TdfsGaugeStyle GetStyle() const { return FStyle; }
  void SetStyle(TdfsGaugeStyle Value);
  TdfsStatusPanel* GetPanel() const { return FOwner; }
  TPercent GetPosition() const { return FPosition; }
  // Values outside 0..100 are brought into that range.
  void SetPosition(int Value);
  int32_t GetSpeed() const { return FSpeed; }
  // Only values above 0 are accepted.
  void SetSpeed(int32_t Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TColor GetTextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);

 private:
  TdfsGaugeStyle FStyle = TdfsGaugeStyle::gsPercent;
  TdfsStatusPanel* const FOwner;
  TPercent FPosition = 0;
  int32_t FSpeed = 4;
  TColor FColor = clHighlight;
  TColor FTextColor = clHighlightText;
};

// One panel of the bar.
class TdfsStatusPanel : public TCollectionItem {
  KV_CLASS(TdfsStatusPanel, TCollectionItem)

 public:
  // Raises Exception "TdfsStatusPanel owner must be TdfsStatusPanesls" for any
  // other collection.
  explicit TdfsStatusPanel(TCollection* ACollection);
  ~TdfsStatusPanel() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;
  std::string GetDisplayName() const override;

  TdfsStatusBar* StatusBar() const;
  TdfsStatusPanels* Panels() const { return FPanels; }

  TdfsStatusPanelType GetPanelType() const { return FPanelType; }
  void SetPanelType(TdfsStatusPanelType Value);
  bool GetAutoFit() const { return FAutoFit; }
  void SetAutoFit(bool Value);
  // The stored flag and the bar's own Enabled (the stored flag alone while the bar is written).
  bool GetEnabled() const;
  void SetEnabled(bool Value);
  const std::string& GetText() const { return FText; }
  // A different text is stored, the panel redrawn at once and its width fitted.
  void SetText(const std::string& Value);
  const std::string& GetDateFormat() const { return FDateFormat; }
  void SetDateFormat(const std::string& Value);
  const std::string& GetTimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const std::string& Value);
  TPicture* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(const TPicture* Value);
  TdfsGaugeAttrs* GetGaugeAttrs() const { return FGaugeAttrs; }
  // Replaces the reference (the panel takes ownership of Value).
  void SetGaugeAttrs(TdfsGaugeAttrs* Value);
  int32_t GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int32_t Value);
  // The stored hint ("..." on an ellipsis panel stands for its whole text),
  // passed through OnHintText.
  std::string GetHint() const;
  void SetHint(const std::string& Value) { FHint = Value; }

  // Kept by the bar's layout (the linked panel).
  TAlignment GetAlignment() const;
  void SetAlignment(TAlignment Value);
  TStatusPanelBevel GetBevel() const;
  void SetBevel(TStatusPanelBevel Value);
  TBiDiMode GetBiDiMode() const;
  void SetBiDiMode(TBiDiMode Value);
  bool GetParentBiDiMode() const;
  void SetParentBiDiMode(bool Value);
  int32_t GetWidth() const;
  void SetWidth(int32_t Value);

  // Moves the panel (and its place in the bar's layout) to Value.
  void SetPanelIndex(int Value);

  TdfsDrawPanelEvent OnDrawPanel;
  TdfsPanelHintTextEvent OnHintText;
  TNotifyEvent OnClick;

  // The lock key's toggle state as last reported by the keyboard monitor.
  bool KeyState() const { return FKeyState; }
  void SetKeyState(bool Value) { FKeyState = Value; }
  // Horizontal offset and signed step of the indeterminate figure.
  int32_t AnimationOffset() const { return FAnimationOffset; }
  int32_t AnimationStep() const { return FAnimationStep; }

  // Sets the width from text and glyph when AutoFit is on, then redraws.
  virtual void FitWidth();
  // Formats the current date and time into Text (date and time kinds).
  virtual void UpdateDateTime();
  virtual void GlyphChanged();
  virtual void DoDrawPanel(TCanvas& Canvas, const TRect& Rect);
  virtual void EnabledChanged();
  virtual void DoHintText(std::string& Hint) const;
  // Draws the panel into its rectangle Rect of Canvas.
  virtual void PaintPanel(TCanvas& Canvas, const TRect& Rect);
  virtual void DrawKeyLock(TCanvas& Canvas, const TRect& R);
  virtual void DrawTextBased(TCanvas& Canvas, const TRect& R);
  virtual void DrawGlyph(TCanvas& Canvas, const TRect& R);
  virtual void DrawGauge(TCanvas& Canvas, const TRect& R);
  virtual void DrawIndeterminateGauge(TCanvas& Canvas, const TRect& R);
  virtual void MakeGaugeRamp();
  virtual void PanelClick();
  // Draws the panel on the bar's canvas now, outside the paint cycle.
  void Redraw();
  // The cached colour ramp of the sliding gauge (none until drawn).
  TBitmap* GaugeRamp() const { return FRamp.get(); }

 private:
  friend class TdfsGaugeAttrs;
  friend class TdfsStatusPanels;
  friend class TdfsStatusBar;
  TdfsLinkedPanel* Linked() const { return FLinked; }
  bool IsIndeterminateGauge() const;
  bool IsLockKind() const;
  bool IsDateTimeKind() const;
  bool IsTextStored() const;
  void Attach();
  void Detach();
  void RestartAnimation();
  void DropRamp();
  int32_t TextWidthInBar(const std::string& Text) const;
  uint32_t TextFormat(TAlignment Alignment) const;

  bool FKeyState = false;
  TdfsStatusPanelType FPanelType = TdfsStatusPanelType::sptNormal;
  bool FAutoFit = false;
  bool FEnabled = true;
  std::string FTimeFormat;
  std::string FDateFormat;
  std::string FText;
  std::unique_ptr<TPicture> FGlyph;
  int32_t FAnimationOffset = 0;
  int32_t FAnimationStep = 1;
  std::string FHint;
  TdfsGaugeAttrs* FGaugeAttrs = nullptr;
  std::unique_ptr<TBitmap> FRamp;
  int32_t FBorderWidth = 0;
  TdfsStatusPanels* FPanels = nullptr;
  TdfsLinkedPanel* FLinked = nullptr;  // owned by the bar's layout list
};

// The panel collection: owns the panel timer that drives clocks and moving gauges.
class TdfsStatusPanels : public TCollection {
  KV_CLASS(TdfsStatusPanels, TCollection)

 public:
  explicit TdfsStatusPanels(TdfsStatusBar* AStatusBar);
  ~TdfsStatusPanels() override;
  TdfsStatusPanel* Add() { return static_cast<TdfsStatusPanel*>(TCollection::Add()); }
  TdfsStatusPanel* GetItem(int Index) const { return ItemAs<TdfsStatusPanel>(Index); }
  TdfsStatusBar* StatusBar() const { return FStatusBar; }

  // The panel timer: on the list of registered panels, its period in ms (0: no timer).
  void RegisterTimer(TdfsStatusPanel* Panel);
  void DeregisterTimer(TdfsStatusPanel* Panel);
  int TimerInterval() const;
  bool IsOnTimer(const TdfsStatusPanel* Panel) const;
  // One tick of the panel timer.
  void TimerTick();

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TdfsStatusBar* FStatusBar;
  TTimer* FTimer = nullptr;  // owned by the bar
  std::vector<TdfsStatusPanel*> FTimerList;
  TDateTime FLastDate = 0;
};

class TdfsStatusBar : public TCustomControl {
  KV_CLASS(TdfsStatusBar, TCustomControl)

 public:
  explicit TdfsStatusBar(TComponent* AOwner);
  ~TdfsStatusBar() override;
  void BeforeDestruction() override;
  void Loaded() override;

  TdfsStatusPanels* GetPanels() const { return FPanels.get(); }
  bool GetUseMonitorDLL() const { return FUseMonitorDLL; }
  void SetUseMonitorDLL(bool Value);
  std::string GetVersion() const { return "TdfsStatusBar v1.24"; }
  void SetVersion(const std::string&) {}
  // While on, the bar shows the system's status-bar font.
  bool GetUseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value);
  bool SizeGrip = true;
  TdfsDrawPanelEvent OnDrawPanel;

  // The rectangle of panel Index in client coordinates, as the layout gives it
  // (empty beyond the last panel).
  TRect PanelRect(int Index) const;
  // The panel under a client point, or none.
  TdfsStatusPanel* PanelAt(TPoint P) const;
  // The hint for the client point P: false when no panel there has one; the
  // cursor rectangle is the panel's, or the gap between the neighbours with hints.
  bool HintAt(TPoint P, std::string& HintText, TRect& CursorRect) const override;

  // Lock-key tracking.
  // The application was activated (true) or deactivated (false).
  void ApplicationActivated(bool Active);
  // Redraws every lock panel (the handler of the posted refresh request).
  void RefreshLocks();
  // A message from the keyboard monitor: Msg is the number it answered at
  // registration, Key the virtual key, State bit 0 the toggle state. Answers
  // false for any other message.
  bool MonitorMessage(uint32_t Msg, uintptr_t Key, intptr_t State);
  int MonitorCount() const { return FMonitorCount; }
  int MainWinHookCount() const { return static_cast<int>(FMainWinHookList.size()); }
  // An identifier of the bar's window for the keyboard monitor.
  uintptr_t MonitorWindow() const;

  void Paint() override;
  void Click() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void SetEnabled(bool Value) override;

  // The font copy used for measuring text.
  TCanvas* MeasureCanvas() const;

 protected:
  void InitWidget() override;
  void DestroyWidget() override;
  void FontChanged() override;
  // The platform control's drawing request for one owner-drawn panel.
  virtual void DrawPanel(int Index, const TRect& Rect);
  void PaintSizeGrip(TCanvas& Canvas);

 private:
  friend class TdfsStatusPanel;
  friend class TdfsStatusPanels;
  friend void dfsStatusBar::AttachLockPanel(TdfsStatusPanel* Panel);
  friend void dfsStatusBar::DetachLockPanel(TdfsStatusPanel* Panel);
  friend void dfsStatusBar::AcquireKeyboardMonitor(TdfsStatusBar* Bar);
  friend void dfsStatusBar::ReleaseKeyboardMonitor(TdfsStatusBar* Bar);
  void RefreshFontCopy();
  void FitAllPanels();
  void RegisterMainWinHook(TdfsStatusPanel* Panel);
  void DeregisterMainWinHook(TdfsStatusPanel* Panel);
  void PostRefreshLocks();
  void HookApplication(bool On);

  std::unique_ptr<TdfsStatusPanels> FPanels;
  std::vector<std::unique_ptr<TdfsLinkedPanel>> FLinkedPanels;  // the layout's panel list
  std::vector<TdfsStatusPanel*> FMainWinHookList;
  std::unique_ptr<TBitmap> FMemory;  // the memory context holding the font copy
  bool FUseMonitorDLL = false;
  bool FUseSystemFont = true;
  int FMonitorCount = 0;
  uint32_t FMonitorMessage = 0;
  TPoint FLastMouse{-1, -1};
  std::unique_ptr<AppHooks::TPostContext> FContext;  // runs posted calls
  std::unique_ptr<AppHooks::TActivationListener> FAppHook;  // reports the application's activation change
  bool FApplyingSystemFont = false;
};

// Unit-level services of the status bar: the lock-key tracking and the checks
// run at shutdown.
namespace dfsStatusBar {

extern const char* const SCapsLock;    // " CAPS "
extern const char* const SNumLock;     // " NUM "
extern const char* const SScrollLock;  // " SCROLL "
constexpr int IndeterminateInterval = 50;

// The virtual key of a lock kind (20, 144, 145), 0 for other kinds.
int LockKey(TdfsStatusPanelType Kind);

void AttachLockPanel(TdfsStatusPanel* Panel);
void DetachLockPanel(TdfsStatusPanel* Panel);
void HookLockPanel(TdfsStatusPanel* Panel);
void UnhookLockPanel(TdfsStatusPanel* Panel);
void AcquireKeyboardMonitor(TdfsStatusBar* Bar);
void ReleaseKeyboardMonitor(TdfsStatusBar* Bar);
bool KeyboardHookInstalled();
int HookedPanelCount();
// The keyboard hook procedure: Key is the virtual key, KeyData bit 31 set for a
// release and bit 30 for a key that was already down (a repeat).
void KeyboardHookProc(int Code, int Key, uint32_t KeyData);
bool RefreshAllPending();

// The toggle state of a lock key (bit 0 of the key state). The default reads
// the X11 keyboard indicators where the display offers them; an unknown state
// reads as off. Tests install their own reader.
using TKeyStateReader = std::function<bool(int VirtualKey)>;
TKeyStateReader SetKeyStateReader(TKeyStateReader Reader);  // none: the default
bool KeyToggled(int VirtualKey);

// The clock of the date and time panels (default: SysUtils::Now).
using TClock = std::function<TDateTime()>;
TClock SetClock(TClock Clock);  // none: the default
TDateTime CurrentTime();

// Panel registrations with the timers of all bars.
int TimerRegistrations();
// The shutdown checks: removes a keyboard hook still installed and raises
// "TdfsStatusBar: Keyboard hook still installed"; unloads the keyboard
// monitor; raises "TdfsStatusBar: Unbalanced timer registrations" when
// registrations remain.
void Finalize();

}  // namespace dfsStatusBar
