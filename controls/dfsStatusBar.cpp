#include "controls/dfsStatusBar.h"

#include "controls/DFSKb.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/ui/AppHooks.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

using namespace ControlTypes;
using enum TdfsStatusPanelType;
using enum TdfsGaugeStyle;

namespace {

const char* const PanelTypeNames[] = {
    "sptNormal",       "sptCapsLock",     "sptNumLock", "sptScrollLock", "sptDate",
    "sptTime",         "sptDateTime",     "sptTimeDate", "sptEllipsisText", "sptEllipsisPath",
    "sptGlyph",        "sptGauge",        "sptOwnerDraw"};

bool IsLock(TdfsStatusPanelType Kind) { return Kind == sptCapsLock || Kind == sptNumLock || Kind == sptScrollLock; }
bool IsTimeKind(TdfsStatusPanelType Kind) { return Kind == sptTime || Kind == sptDateTime || Kind == sptTimeDate; }
bool IsDateOrTime(TdfsStatusPanelType Kind) { return Kind == sptDate || IsTimeKind(Kind); }
bool IsEllipsis(TdfsStatusPanelType Kind) { return Kind == sptEllipsisText || Kind == sptEllipsisPath; }
bool IsIndeterminate(TdfsGaugeStyle Style) { return Style == gsIndeterminate || Style == gsIndeterminate2; }

template <class T>
bool AddUnique(std::vector<T*>& List, T* Item) {
  if (std::find(List.begin(), List.end(), Item) != List.end()) return false;
  List.push_back(Item);
  return true;
}

template <class T>
bool RemoveFrom(std::vector<T*>& List, T* Item) {
  auto it = std::find(List.begin(), List.end(), Item);
  if (it == List.end()) return false;
  List.erase(it);
  return true;
}

// Restores a canvas font colour on every exit path.
class TFontColorGuard {
 public:
  explicit TFontColorGuard(TCanvas& Canvas) : FCanvas(Canvas), FSaved(Canvas.Font->GetColor()) {}
  ~TFontColorGuard() { FCanvas.Font->SetColor(FSaved); }
  TFontColorGuard(const TFontColorGuard&) = delete;
  TFontColorGuard& operator=(const TFontColorGuard&) = delete;

 private:
  TCanvas& FCanvas;
  TColor FSaved;
};

void DrawTextIn(TCanvas& Canvas, const std::string& Text, TRect R, uint32_t Format) {
  Canvas.Brush->SetStyle(bsClear);
  Canvas.GetHandle()->DrawText(Text, R, Format);
}

// ---- unit state of the lock-key tracking ----------------------------------------
std::vector<TdfsStatusPanel*> HookList;
bool RefreshAll = false;
int TimerRegistrationCount = 0;
dfsStatusBar::TKeyStateReader KeyReader;
dfsStatusBar::TClock Clock;

void InstallKeyboardHook() {
  if (AppHooks::KeyboardHookInstalled()) return;
  AppHooks::InstallKeyboardHook([](int Key, uint32_t Flags) { dfsStatusBar::KeyboardHookProc(0, Key, Flags); });
}

void RemoveKeyboardHook() { AppHooks::RemoveKeyboardHook(); }

bool DefaultKeyToggled(int VirtualKey) { return AppHooks::LockKeyToggled(VirtualKey).value_or(false); }

// A hook still installed when the program ends is removed quietly.
struct TUnitFinalizer {
  ~TUnitFinalizer() {
    AppHooks::AbandonKeyboardHook();  // the application object may already be gone
    HookList.clear();
  }
} UnitFinalizer;

}  // namespace

// ====================================================================== unit services
namespace dfsStatusBar {

const char* const SCapsLock = " CAPS ";
const char* const SNumLock = " NUM ";
const char* const SScrollLock = " SCROLL ";

int LockKey(TdfsStatusPanelType Kind) {
  switch (Kind) {
    case sptCapsLock: return VK_CAPITAL;
    case sptNumLock: return VK_NUMLOCK;
    case sptScrollLock: return VK_SCROLL;
    default: return 0;
  }
}

void AttachLockPanel(TdfsStatusPanel* Panel) {
  TdfsStatusBar* bar = Panel->StatusBar();
  if (!bar) return;
  if (bar->FUseMonitorDLL) {
    AcquireKeyboardMonitor(bar);
    Panel->SetKeyState(KeyToggled(LockKey(Panel->GetPanelType())));
  } else {
    HookLockPanel(Panel);
    bar->RegisterMainWinHook(Panel);
  }
}

void DetachLockPanel(TdfsStatusPanel* Panel) {
  TdfsStatusBar* bar = Panel->StatusBar();
  if (!bar) return;
  if (bar->FUseMonitorDLL) {
    ReleaseKeyboardMonitor(bar);
  } else {
    UnhookLockPanel(Panel);
    bar->DeregisterMainWinHook(Panel);
  }
}

void HookLockPanel(TdfsStatusPanel* Panel) {
  InstallKeyboardHook();
  AddUnique(HookList, Panel);
}

void UnhookLockPanel(TdfsStatusPanel* Panel) {
  RemoveFrom(HookList, Panel);
  if (HookList.empty()) RemoveKeyboardHook();
}

void AcquireKeyboardMonitor(TdfsStatusBar* Bar) {
  if (Bar->FMonitorCount++ != 0) return;
  if (!DFSKb::Loaded()) DFSKb::LoadKeyboardMonitor();
  if (Bar->HandleAllocated() && DFSKb::Loaded()) Bar->FMonitorMessage = DFSKb::RegisterMonitorWindow(Bar->MonitorWindow());
}

void ReleaseKeyboardMonitor(TdfsStatusBar* Bar) {
  if (--Bar->FMonitorCount > 0) return;
  if (DFSKb::Loaded() && Bar->HandleAllocated()) DFSKb::DeregisterMonitorWindow(Bar->MonitorWindow());
  Bar->FMonitorCount = 0;
  if (DFSKb::Loaded()) DFSKb::UnloadKeyboardMonitor();
}

bool KeyboardHookInstalled() { return AppHooks::KeyboardHookInstalled(); }
int HookedPanelCount() { return static_cast<int>(HookList.size()); }
bool RefreshAllPending() { return RefreshAll; }

void KeyboardHookProc(int Code, int Key, uint32_t KeyData) {
  if (Code < 0) return;
  const std::vector<TdfsStatusPanel*> panels = HookList;
  if (RefreshAll) {
    RefreshAll = false;
    for (TdfsStatusPanel* p : panels) p->Redraw();
    return;
  }
  if (Key != VK_CAPITAL && Key != VK_NUMLOCK && Key != VK_SCROLL) return;
  // Only the first key-down counts: neither releases (bit 31) nor repeats (bit 30).
  if ((KeyData & 0xC0000000u) != 0) return;
  for (TdfsStatusPanel* p : panels)
    if (LockKey(p->GetPanelType()) == Key) p->Redraw();
}

TKeyStateReader SetKeyStateReader(TKeyStateReader Reader) {
  TKeyStateReader old = std::move(KeyReader);
  KeyReader = std::move(Reader);
  return old;
}

bool KeyToggled(int VirtualKey) { return KeyReader ? KeyReader(VirtualKey) : DefaultKeyToggled(VirtualKey); }

TClock SetClock(TClock NewClock) {
  TClock old = std::move(Clock);
  Clock = std::move(NewClock);
  return old;
}

TDateTime CurrentTime() { return Clock ? Clock() : SysUtils::Now(); }

int TimerRegistrations() { return TimerRegistrationCount; }

void Finalize() {
  const bool hookLeft = AppHooks::KeyboardHookInstalled();
  RemoveKeyboardHook();
  HookList.clear();
  if (DFSKb::Loaded()) DFSKb::UnloadKeyboardMonitor();
  if (hookLeft) throw EStatusBarAssertion("TdfsStatusBar: Keyboard hook still installed");
  if (TimerRegistrationCount != 0) throw EStatusBarAssertion("TdfsStatusBar: Unbalanced timer registrations");
}

}  // namespace dfsStatusBar

// ====================================================================== TdfsGaugeAttrs
KV_CLASS_IMPL(TdfsGaugeAttrs, TPersistent) {
  c.Property("Style", &TdfsGaugeAttrs::GetStyle, &TdfsGaugeAttrs::SetStyle)
      .Names({"gsPercent", "gsIndeterminate", "gsIndeterminate2"})
      .Default(gsPercent);
  c.Property("Position", &TdfsGaugeAttrs::GetPosition, &TdfsGaugeAttrs::SetPosition).Default(0);
  c.Property("Speed", &TdfsGaugeAttrs::GetSpeed, &TdfsGaugeAttrs::SetSpeed).Default(4);
  c.Property("Color", &TdfsGaugeAttrs::GetColor, &TdfsGaugeAttrs::SetColor).Kind(TPropKind::pkColor).Default(clHighlight);
  c.Property("TextColor", &TdfsGaugeAttrs::GetTextColor, &TdfsGaugeAttrs::SetTextColor)
      .Kind(TPropKind::pkColor)
      .Default(clHighlightText);
}

TdfsGaugeAttrs::TdfsGaugeAttrs(TdfsStatusPanel* AOwner) : FOwner(AOwner) {}

TPersistent* TdfsGaugeAttrs::GetOwner() const { return FOwner; }

void TdfsGaugeAttrs::Assign(const TPersistent* Source) {
  if (auto* src = dynamic_cast<const TdfsGaugeAttrs*>(Source)) {
    SetPosition(src->GetPosition());
    SetStyle(src->GetStyle());
    return;
  }
  TPersistent::Assign(Source);
}

void TdfsGaugeAttrs::SetStyle(TdfsGaugeStyle Value) {
  if (Value == FStyle) return;
  TdfsStatusPanel* p = FOwner;
  const bool gauge = p && p->GetPanelType() == sptGauge;
  if (gauge && IsIndeterminate(FStyle) && p->GetEnabled()) p->Panels()->DeregisterTimer(p);
  FStyle = Value;
  if (p) p->Redraw();
  if (gauge && IsIndeterminate(FStyle) && p->GetEnabled()) p->Panels()->RegisterTimer(p);
}

void TdfsGaugeAttrs::SetPosition(int Value) {
  const auto v = static_cast<TPercent>(std::clamp(Value, 0, 100));
  if (v == FPosition) return;
  FPosition = v;
  if (FOwner) FOwner->Redraw();
}

void TdfsGaugeAttrs::SetSpeed(int32_t Value) {
  if (Value <= 0 || Value == FSpeed) return;
  FSpeed = Value;
  if (FOwner) FOwner->FAnimationStep = FOwner->FAnimationStep < 0 ? -FSpeed : FSpeed;
}

void TdfsGaugeAttrs::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  if (FOwner) {
    FOwner->DropRamp();
    FOwner->Redraw();
  }
}

void TdfsGaugeAttrs::SetTextColor(TColor Value) {
  if (Value == FTextColor) return;
  FTextColor = Value;
  if (FOwner) FOwner->Redraw();
}

// ====================================================================== TdfsStatusPanel
KV_CLASS_IMPL(TdfsStatusPanel, TCollectionItem) {
  c.Property("GaugeAttrs", &TdfsStatusPanel::GetGaugeAttrs);
  c.Property("Alignment", &TdfsStatusPanel::GetAlignment, &TdfsStatusPanel::SetAlignment)
      .Names({"taLeftJustify", "taRightJustify", "taCenter"})
      .Default(TAlignment::taLeftJustify);
  c.Property("Bevel", &TdfsStatusPanel::GetBevel, &TdfsStatusPanel::SetBevel)
      .Names({"pbNone", "pbLowered", "pbRaised"})
      .Default(TStatusPanelBevel::pbLowered);
  c.Property("BorderWidth", &TdfsStatusPanel::GetBorderWidth, &TdfsStatusPanel::SetBorderWidth).Default(0);
  c.Property("BiDiMode", &TdfsStatusPanel::GetBiDiMode, &TdfsStatusPanel::SetBiDiMode)
      .Names({"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
  c.Property("ParentBiDiMode", &TdfsStatusPanel::GetParentBiDiMode, &TdfsStatusPanel::SetParentBiDiMode).Default(true);
  c.Property("PanelType", &TdfsStatusPanel::GetPanelType, &TdfsStatusPanel::SetPanelType)
      .Names({"sptNormal", "sptCapsLock", "sptNumLock", "sptScrollLock", "sptDate", "sptTime", "sptDateTime",
              "sptTimeDate", "sptEllipsisText", "sptEllipsisPath", "sptGlyph", "sptGauge", "sptOwnerDraw"})
      .Default(sptNormal);
  c.Property("Text", &TdfsStatusPanel::GetText, &TdfsStatusPanel::SetText).Stored(&TdfsStatusPanel::IsTextStored);
  c.Property("DateFormat", &TdfsStatusPanel::GetDateFormat, &TdfsStatusPanel::SetDateFormat).Default("");
  c.Property("TimeFormat", &TdfsStatusPanel::GetTimeFormat, &TdfsStatusPanel::SetTimeFormat).Default("");
  c.Property("Enabled", &TdfsStatusPanel::GetEnabled, &TdfsStatusPanel::SetEnabled).Default(true);
  c.Property("Width", &TdfsStatusPanel::GetWidth, &TdfsStatusPanel::SetWidth);
  c.Property("AutoFit", &TdfsStatusPanel::GetAutoFit, &TdfsStatusPanel::SetAutoFit).Default(false);
  c.Property("Hint", &TdfsStatusPanel::FHint).Default("");
}

TdfsStatusPanel::TdfsStatusPanel(TCollection* ACollection) : TCollectionItem(ACollection) {
  FPanels = dynamic_cast<TdfsStatusPanels*>(ACollection);
  if (!FPanels) throw Exception("TdfsStatusPanel owner must be TdfsStatusPanesls");
  auto& linked = FPanels->StatusBar()->FLinkedPanels;
  linked.push_back(std::make_unique<TdfsLinkedPanel>());
  FLinked = linked.back().get();
  // The panel joined its collection at the end: its layout entry goes to the same place.
  const int index = GetIndex();
  if (index >= 0 && index < int(linked.size()) - 1) {
    auto entry = std::move(linked.back());
    linked.pop_back();
    linked.insert(linked.begin() + index, std::move(entry));
  }
  FGaugeAttrs = new TdfsGaugeAttrs(this);
  FGlyph = std::make_unique<TPicture>();
  FGlyph->OnChange = [this](TPicture*) { GlyphChanged(); };
}

TdfsStatusPanel::~TdfsStatusPanel() {
  if (FGlyph) FGlyph->OnChange = nullptr;
  delete FGaugeAttrs;
}

void TdfsStatusPanel::BeforeDestruction() {
  if (FPanels && GetEnabled()) Detach();
  FGlyph.reset();
  delete FGaugeAttrs;
  FGaugeAttrs = nullptr;
  FRamp.reset();
  if (FPanels && FLinked) {
    auto& linked = FPanels->StatusBar()->FLinkedPanels;
    linked.erase(std::remove_if(linked.begin(), linked.end(), [this](auto& l) { return l.get() == FLinked; }),
                 linked.end());
    FLinked = nullptr;
  }
  TCollectionItem::BeforeDestruction();
}

TdfsStatusBar* TdfsStatusPanel::StatusBar() const { return FPanels ? FPanels->StatusBar() : nullptr; }

bool TdfsStatusPanel::IsIndeterminateGauge() const {
  return FPanelType == sptGauge && FGaugeAttrs && IsIndeterminate(FGaugeAttrs->GetStyle());
}
bool TdfsStatusPanel::IsLockKind() const { return IsLock(FPanelType); }
bool TdfsStatusPanel::IsDateTimeKind() const { return IsDateOrTime(FPanelType); }
bool TdfsStatusPanel::IsTextStored() const { return !IsDateOrTime(FPanelType) && !FText.empty(); }

void TdfsStatusPanel::Attach() {
  if (IsLock(FPanelType))
    dfsStatusBar::AttachLockPanel(this);
  else if (IsDateOrTime(FPanelType) || IsIndeterminateGauge())
    FPanels->RegisterTimer(this);
}

void TdfsStatusPanel::Detach() {
  if (IsLock(FPanelType))
    dfsStatusBar::DetachLockPanel(this);
  else if (IsDateOrTime(FPanelType) || IsIndeterminateGauge())
    FPanels->DeregisterTimer(this);
}

void TdfsStatusPanel::RestartAnimation() {
  FAnimationOffset = 0;
  FAnimationStep = FGaugeAttrs ? FGaugeAttrs->GetSpeed() : 1;
}

void TdfsStatusPanel::DropRamp() { FRamp.reset(); }

void TdfsStatusPanel::SetPanelType(TdfsStatusPanelType Value) {
  if (Value == FPanelType) return;
  if (GetEnabled()) Detach();
  FPanelType = Value;
  switch (Value) {
    case sptCapsLock:
    case sptNumLock:
    case sptScrollLock:
      SetText(Value == sptCapsLock ? dfsStatusBar::SCapsLock
                                   : Value == sptNumLock ? dfsStatusBar::SNumLock : dfsStatusBar::SScrollLock);
      SetAutoFit(true);
      if (GetEnabled()) dfsStatusBar::AttachLockPanel(this);
      break;
    case sptDate:
    case sptTime:
    case sptDateTime:
    case sptTimeDate:
      SetAutoFit(false);
      if (GetEnabled()) FPanels->RegisterTimer(this);
      UpdateDateTime();
      break;
    case sptEllipsisText:
    case sptEllipsisPath:
      SetAutoFit(false);
      if (FHint.empty()) FHint = "...";
      break;
    case sptGlyph:
      SetAutoFit(true);
      break;
    case sptGauge:
      SetAutoFit(false);
      SetAlignment(TAlignment::taCenter);
      if (IsIndeterminate(FGaugeAttrs->GetStyle())) {
        // Disabled so that the animation does not run until the owner enables the panel.
        SetEnabled(false);
        RestartAnimation();
      }
      break;
    default:
      SetAutoFit(false);
      break;
  }
  Redraw();
}

void TdfsStatusPanel::SetAutoFit(bool Value) {
  FAutoFit = Value;
  FitWidth();
}

bool TdfsStatusPanel::GetEnabled() const {
  TdfsStatusBar* bar = StatusBar();
  if (!bar || bar->ComponentState.Contains(TComponentStateItem::csWriting)) return FEnabled;
  return FEnabled && bar->GetEnabled();
}

void TdfsStatusPanel::SetEnabled(bool Value) {
  // Only a change attaches or detaches, so that registrations stay balanced.
  if (Value == FEnabled) return;
  FEnabled = Value;
  EnabledChanged();
}

void TdfsStatusPanel::EnabledChanged() {
  if (GetEnabled())
    Attach();
  else
    Detach();
  if (!GetEnabled()) RestartAnimation();
  Redraw();
}

void TdfsStatusPanel::SetText(const std::string& Value) {
  if (Value == FText) return;
  FText = Value;
  Redraw();
  FitWidth();
}

void TdfsStatusPanel::SetDateFormat(const std::string& Value) {
  FDateFormat = Value;
  UpdateDateTime();
}

void TdfsStatusPanel::SetTimeFormat(const std::string& Value) {
  FTimeFormat = Value;
  UpdateDateTime();
}

void TdfsStatusPanel::SetGlyph(const TPicture* Value) { FGlyph->Assign(Value); }

void TdfsStatusPanel::SetGaugeAttrs(TdfsGaugeAttrs* Value) {
  if (Value == FGaugeAttrs || !Value) return;
  delete FGaugeAttrs;
  FGaugeAttrs = Value;
}

void TdfsStatusPanel::SetBorderWidth(int32_t Value) {
  FBorderWidth = std::max(Value, 0);
  FitWidth();
  Redraw();
}

std::string TdfsStatusPanel::GetHint() const {
  std::string hint = FHint;
  TdfsStatusBar* bar = StatusBar();
  const bool designing = bar && bar->ComponentState.Contains(TComponentStateItem::csDesigning);
  if (IsEllipsis(FPanelType) && !designing && FHint == "...") hint = FText;
  DoHintText(hint);
  return hint;
}

void TdfsStatusPanel::DoHintText(std::string& Hint) const {
  if (OnHintText) OnHintText(StatusBar(), const_cast<TdfsStatusPanel*>(this), Hint);
}

TAlignment TdfsStatusPanel::GetAlignment() const { return FLinked ? FLinked->Alignment : TAlignment::taLeftJustify; }
void TdfsStatusPanel::SetAlignment(TAlignment Value) {
  if (!FLinked) return;
  FLinked->Alignment = Value;
  Redraw();
}
TStatusPanelBevel TdfsStatusPanel::GetBevel() const { return FLinked ? FLinked->Bevel : TStatusPanelBevel::pbLowered; }
void TdfsStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (!FLinked || FLinked->Bevel == Value) return;
  FLinked->Bevel = Value;
  if (TdfsStatusBar* bar = StatusBar()) bar->Invalidate();
}
TBiDiMode TdfsStatusPanel::GetBiDiMode() const { return FLinked ? FLinked->BiDiMode : TBiDiMode::bdLeftToRight; }
void TdfsStatusPanel::SetBiDiMode(TBiDiMode Value) {
  if (!FLinked) return;
  FLinked->BiDiMode = Value;
  FLinked->ParentBiDiMode = false;
}
bool TdfsStatusPanel::GetParentBiDiMode() const { return FLinked ? FLinked->ParentBiDiMode : true; }
void TdfsStatusPanel::SetParentBiDiMode(bool Value) {
  if (FLinked) FLinked->ParentBiDiMode = Value;
}
int32_t TdfsStatusPanel::GetWidth() const { return FLinked ? FLinked->Width : 0; }

void TdfsStatusPanel::SetWidth(int32_t Value) {
  TdfsStatusBar* bar = StatusBar();
  if (!FLinked || !bar) return;
  const bool loading = bar->ComponentState.Contains(TComponentStateItem::csLoading);
  if ((!FAutoFit || loading) && Value != FLinked->Width) {
    FLinked->Width = Value;
    bar->Invalidate();
    if (IsIndeterminateGauge()) {
      RestartAnimation();
      Redraw();
    }
  }
}

void TdfsStatusPanel::SetPanelIndex(int Value) {
  TdfsStatusBar* bar = StatusBar();
  const int current = GetIndex();
  if (!bar || current < 0 || Value == current) return;
  if (Value < 0 || Value >= FPanels->Count()) throw EListError(SysUtils::Format("List index out of bounds (%d)", {Value}));
  auto& linked = bar->FLinkedPanels;
  auto it = std::find_if(linked.begin(), linked.end(), [this](auto& l) { return l.get() == FLinked; });
  if (it != linked.end()) {
    auto entry = std::move(*it);
    linked.erase(it);
    linked.insert(linked.begin() + std::min<size_t>(size_t(Value), linked.size()), std::move(entry));
  }
  SetIndex(Value);
}

std::string TdfsStatusPanel::GetDisplayName() const {
  if (FPanelType != sptNormal && !IsEllipsis(FPanelType)) return PanelTypeNames[static_cast<int>(FPanelType)];
  if (!FText.empty()) return FText;
  return TCollectionItem::GetDisplayName();
}

void TdfsStatusPanel::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TdfsStatusPanel*>(Source);
  if (!src) return TCollectionItem::Assign(Source);
  FGaugeAttrs->Assign(src->FGaugeAttrs);
  SetAlignment(src->GetAlignment());
  SetBevel(src->GetBevel());
  SetBiDiMode(src->GetBiDiMode());
  SetParentBiDiMode(src->GetParentBiDiMode());
  SetGlyph(src->GetGlyph());
  SetText(src->GetText());
  SetDateFormat(src->GetDateFormat());
  SetTimeFormat(src->GetTimeFormat());
  SetEnabled(src->FEnabled);
  SetWidth(src->GetWidth());
  SetAutoFit(src->GetAutoFit());
  SetHint(src->FHint);
  OnDrawPanel = src->OnDrawPanel;
  OnHintText = src->OnHintText;
  SetPanelType(src->GetPanelType());
}

int32_t TdfsStatusPanel::TextWidthInBar(const std::string& Text) const {
  TdfsStatusBar* bar = StatusBar();
  TCanvas* canvas = bar ? bar->MeasureCanvas() : nullptr;
  if (!canvas) return -1;
  return canvas->TextWidth(Text);
}

void TdfsStatusPanel::FitWidth() {
  TdfsStatusBar* bar = StatusBar();
  if (FAutoFit && bar && bar->HandleAllocated() && FLinked) {
    const int32_t tw = TextWidthInBar(FText);
    const int32_t gw = FGlyph ? FGlyph->GetWidth() : 0;
    int32_t width;
    if (FPanelType == sptGlyph)
      width = FText.empty() ? gw + FBorderWidth + 4 : tw + 2 + 2 * FBorderWidth + gw + 4;
    else
      width = tw + 6 + FBorderWidth;
    if (width != FLinked->Width) {
      FLinked->Width = width;
      bar->Invalidate();
    }
  }
  Redraw();
}

void TdfsStatusPanel::UpdateDateTime() {
  if (!IsDateOrTime(FPanelType)) return;
  const std::string date = FDateFormat.empty() ? FormatSettings.ShortDateFormat : FDateFormat;
  const std::string time = FTimeFormat.empty() ? FormatSettings.LongTimeFormat : FTimeFormat;
  std::string format;
  switch (FPanelType) {
    case sptDate: format = date; break;
    case sptTime: format = time; break;
    case sptDateTime: format = date + " " + time; break;
    default: format = time + " " + date; break;
  }
  const std::string text = SysUtils::FormatDateTime(format, dfsStatusBar::CurrentTime());
  if (text != FText) {
    FText = text;
    Redraw();
  }
}

void TdfsStatusPanel::GlyphChanged() { FitWidth(); }

void TdfsStatusPanel::DoDrawPanel(TCanvas& Canvas, const TRect& Rect) {
  TdfsStatusBar* bar = StatusBar();
  const bool designing = bar && bar->ComponentState.Contains(TComponentStateItem::csDesigning);
  if (!designing && FPanelType == sptOwnerDraw && OnDrawPanel) {
    OnDrawPanel(bar, this, Rect);
    return;
  }
  PaintPanel(Canvas, Rect);
}

void TdfsStatusPanel::Redraw() {
  TdfsStatusBar* bar = StatusBar();
  if (!bar || !bar->HandleAllocated()) return;
  // The layout's place of the panel, as the platform's status bar reports its rectangle.
  const auto& linked = bar->FLinkedPanels;
  auto it = std::find_if(linked.begin(), linked.end(), [this](auto& l) { return l.get() == FLinked; });
  if (it == linked.end()) return;
  const TRect r = bar->PanelRect(int(it - linked.begin()));
  if (r.IsEmpty()) return;
  TCanvas& canvas = *bar->GetCanvas();
  canvas.Font->Assign(*bar->GetFont());
  PaintPanel(canvas, r);
  AppHooks::PresentCanvas(*bar);
}

uint32_t TdfsStatusPanel::TextFormat(TAlignment Alignment) const {
  uint32_t format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (Alignment == TAlignment::taRightJustify) format |= DT_RIGHT;
  if (Alignment == TAlignment::taCenter) format |= DT_CENTER;
  return format;
}

void TdfsStatusPanel::PaintPanel(TCanvas& Canvas, const TRect& Rect) {
  TdfsStatusBar* bar = StatusBar();
  if (!bar || !bar->HandleAllocated() || Rect.IsEmpty()) return;
  const TRect r(Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1);
  if (r.IsEmpty()) return;
  TBitmap picture(r.Width(), r.Height());
  TCanvas& c = *picture.GetCanvas();
  c.Font->Assign(*Canvas.Font);
  c.Brush->SetColor(bar->GetColor());
  c.Brush->SetStyle(bsSolid);
  c.FillRect(TRect(0, 0, r.Width(), r.Height()));
  const TRect area(FBorderWidth, FBorderWidth, r.Width() - FBorderWidth, r.Height() - FBorderWidth);
  const bool designing = bar->ComponentState.Contains(TComponentStateItem::csDesigning);
  if (GetEnabled()) {
    switch (FPanelType) {
      case sptCapsLock:
      case sptNumLock:
      case sptScrollLock: DrawKeyLock(c, area); break;
      case sptGlyph: DrawGlyph(c, area); break;
      case sptGauge:
        if (IsIndeterminate(FGaugeAttrs->GetStyle()))
          DrawIndeterminateGauge(c, area);
        else
          DrawGauge(c, area);
        break;
      case sptOwnerDraw:
        if (!designing) return;  // an owner-drawn panel without a handler shows nothing at all
        DrawTextBased(c, area);
        break;
      default: DrawTextBased(c, area); break;
    }
  }
  Canvas.Draw(r.Left, r.Top, &picture);
}

void TdfsStatusPanel::DrawTextBased(TCanvas& Canvas, const TRect& R) {
  TdfsStatusBar* bar = StatusBar();
  TRect rect = R;
  TAlignment alignment = FAutoFit ? TAlignment::taCenter : GetAlignment();
  if (alignment == TAlignment::taRightJustify) rect.Right -= 1;
  uint32_t format = TextFormat(alignment);
  if (FPanelType == sptEllipsisText) format |= DT_END_ELLIPSIS;
  if (FPanelType == sptEllipsisPath) format |= DT_PATH_ELLIPSIS;
  const bool designing = bar && bar->ComponentState.Contains(TComponentStateItem::csDesigning);
  const std::string text = (FPanelType == sptOwnerDraw && designing) ? " *OD* " : FText;
  TFontColorGuard guard(Canvas);
  if (bar) Canvas.Font->SetColor(bar->GetFont()->GetColor());
  DrawTextIn(Canvas, text, rect, format);
}

void TdfsStatusPanel::DrawKeyLock(TCanvas& Canvas, const TRect& R) {
  TdfsStatusBar* bar = StatusBar();
  const bool on = bar && bar->GetUseMonitorDLL() ? FKeyState : dfsStatusBar::KeyToggled(dfsStatusBar::LockKey(FPanelType));
  TFontColorGuard guard(Canvas);
  Canvas.Font->SetColor(on && bar ? bar->GetFont()->GetColor() : clGrayText);
  DrawTextIn(Canvas, FText, R, TextFormat(FAutoFit ? TAlignment::taCenter : GetAlignment()));
}

void TdfsStatusPanel::DrawGlyph(TCanvas& Canvas, const TRect& R) {
  TdfsStatusBar* bar = StatusBar();
  const int32_t tw = FText.empty() ? 0 : Canvas.TextWidth(FText) + 2;
  const int32_t gw = FGlyph->GetWidth();
  const int32_t gh = FGlyph->GetHeight();
  const TAlignment alignment = GetAlignment();
  int32_t left;
  if (alignment == TAlignment::taCenter || FAutoFit)
    left = R.Left + (R.Width() - gw - tw) / 2;
  else if (alignment == TAlignment::taRightJustify)
    left = R.Right - gw;
  else
    left = R.Left;
  const int32_t top = R.Top + (R.Height() - gh) / 2;
  if (TGraphic* graphic = FGlyph->GetGraphic(); graphic && !graphic->GetEmpty()) {
    if (typeid(*graphic) == typeid(TBitmap)) {
      // A bitmap glyph is drawn transparently: its bottom-left pixel's colour is left out.
      const auto* bitmap = static_cast<const TBitmap*>(graphic);
      const TColor transparent = bitmap->GetPixelColor(0, gh - 1);
      for (int32_t y = 0; y < gh; ++y)
        for (int32_t x = 0; x < gw; ++x) {
          const TColor pixel = bitmap->GetPixelColor(x, y);
          if (pixel != transparent) Canvas.SetPixel(left + x, top + y, pixel);
        }
    } else {
      Canvas.Draw(left, top, graphic);
    }
  }
  if (!FText.empty()) {
    const int32_t x = alignment == TAlignment::taRightJustify ? left - tw - 2 : left + gw + 2;
    TFontColorGuard guard(Canvas);
    if (bar) Canvas.Font->SetColor(bar->GetFont()->GetColor());
    DrawTextIn(Canvas, FText, TRect(x, R.Top, x + tw, R.Bottom), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}

void TdfsStatusPanel::DrawGauge(TCanvas& Canvas, const TRect& R) {
  TdfsStatusBar* bar = StatusBar();
  const int32_t fill = MulDiv(R.Width(), FGaugeAttrs->GetPosition(), 100);
  const TRect filled(R.Left, R.Top, R.Left + fill, R.Bottom);
  const TRect rest(R.Left + fill, R.Top, R.Right, R.Bottom);
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(FGaugeAttrs->GetColor());
  Canvas.FillRect(filled);
  Canvas.Brush->SetColor(bar ? bar->GetColor() : clBtnFace);
  Canvas.FillRect(rest);
  const std::string text = FText.empty() ? SysUtils::IntToStr(FGaugeAttrs->GetPosition()) + "%" : FText;
  const uint32_t format = TextFormat(GetAlignment());
  TFontColorGuard guard(Canvas);
  // The text is drawn twice, each time clipped to one part, so that it changes
  // colour exactly at the fill edge.
  auto drawClipped = [&](const TRect& Clip, TColor Color) {
    Canvas.Font->SetColor(Color);
    TDeviceContext* dc = Canvas.GetHandle();
    const int level = dc->SaveDC();
    dc->IntersectClipRect(Clip.Left, Clip.Top, Clip.Right, Clip.Bottom);
    DrawTextIn(Canvas, text, R, format);
    Canvas.GetHandle()->RestoreDC(level);
  };
  drawClipped(filled, FGaugeAttrs->GetTextColor());
  drawClipped(rest, bar ? bar->GetFont()->GetColor() : clWindowText);
}

void TdfsStatusPanel::MakeGaugeRamp() {
  TdfsStatusBar* bar = StatusBar();
  const int32_t height = std::max(bar ? bar->GetHeight() : 1, 1);
  const TColor back = ColorToRGB(bar ? bar->GetColor() : clBtnFace);
  const TColor gauge = ColorToRGB(FGaugeAttrs->GetColor());
  FRamp = std::make_unique<TBitmap>(100, height);
  TCanvas& c = *FRamp->GetCanvas();
  c.Brush->SetStyle(bsSolid);
  auto channel = [](int g, int b, int i) { return static_cast<uint8_t>(std::trunc((g - b) * double(i) / 99.0 + b)); };
  for (int i = 0; i < 100; ++i) {
    c.Brush->SetColor(RGB(channel(GetRValue(gauge), GetRValue(back), i), channel(GetGValue(gauge), GetGValue(back), i),
                          channel(GetBValue(gauge), GetBValue(back), i)));
    c.FillRect(TRect(i, 0, i + 1, height));
  }
}

void TdfsStatusPanel::DrawIndeterminateGauge(TCanvas& Canvas, const TRect& R) {
  FAnimationOffset += FAnimationStep;
  const int32_t speed = FGaugeAttrs->GetSpeed();
  if (FGaugeAttrs->GetStyle() == gsIndeterminate) {
    Canvas.Pen->SetColor(FGaugeAttrs->GetColor());
    Canvas.Pen->SetStyle(psSolid);
    Canvas.Brush->SetColor(FGaugeAttrs->GetColor());
    Canvas.Brush->SetStyle(bsSolid);
    const int32_t third = R.Height() / 3;
    const int32_t top = R.Top + third;
    const int32_t bottom = R.Bottom - third;
    const int32_t d = bottom - top;
    if (FAnimationStep > 0 && FAnimationOffset + d + 1 >= R.Width())
      FAnimationStep = -speed;
    else if (FAnimationStep < 0 && FAnimationOffset <= 1)
      FAnimationStep = speed;
    Canvas.Ellipse(R.Left + FAnimationOffset - 1, top - 1, R.Left + FAnimationOffset + d + 1, bottom + 1);
    return;
  }
  if (!FRamp) MakeGaugeRamp();
  const int32_t rampWidth = FRamp->GetWidth();
  if (FAnimationStep > 0 && FAnimationOffset + 1 >= R.Width())
    FAnimationStep = -speed;
  else if (FAnimationStep < 0 && FAnimationOffset <= -rampWidth)
    FAnimationStep = speed;
  const bool movingRight = FAnimationStep > 0;
  const int32_t x = R.Left + FAnimationOffset;
  const int32_t rest = R.Right - x;
  int32_t width = rampWidth;
  int32_t first = 0;
  if (rampWidth >= rest) {
    // Cut to the rest of the area: the trailing part of the ramp is dropped.
    width = std::max(rest, 0);
    first = movingRight ? 0 : rampWidth - width;
  }
  // Each ramp column is one colour; moving left the ramp is mirrored so that
  // the gauge colour always leads.
  Canvas.Brush->SetStyle(bsSolid);
  for (int32_t j = 0; j < width; ++j) {
    const int32_t column = movingRight ? first + j : first + (width - 1 - j);
    Canvas.Brush->SetColor(FRamp->GetPixelColor(column, 0));
    Canvas.FillRect(TRect(x + j, R.Top, x + j + 1, R.Bottom));
  }
}

void TdfsStatusPanel::PanelClick() {
  if (OnClick) OnClick(this);
}

// ====================================================================== TdfsStatusPanels
KV_CLASS_IMPL(TdfsStatusPanels, TCollection) {}

TdfsStatusPanels::TdfsStatusPanels(TdfsStatusBar* AStatusBar)
    : TCollection(TdfsStatusPanel::StaticClass(), TCollection::ItemFactoryOf<TdfsStatusPanel>(), nullptr),
      FStatusBar(AStatusBar) {
  PropName = "Panels";
}

TdfsStatusPanels::~TdfsStatusPanels() {
  Clear();
  FreeAndNil(FTimer);
}

void TdfsStatusPanels::Update(TCollectionItem* Item) {
  if (Item)
    static_cast<TdfsStatusPanel*>(Item)->Redraw();
  else if (FStatusBar)
    FStatusBar->Invalidate();
}

void TdfsStatusPanels::RegisterTimer(TdfsStatusPanel* Panel) {
  if (IsOnTimer(Panel)) return;
  if (!FTimer) {
    FTimer = new TTimer(FStatusBar);
    FTimer->SetInterval(60000);
    FTimer->SetOnTimer([this](TObject*) { TimerTick(); });
    FLastDate = std::floor(dfsStatusBar::CurrentTime());
  }
  const bool first = FTimerList.empty();
  FTimerList.push_back(Panel);
  ++TimerRegistrationCount;
  const TdfsStatusPanelType kind = Panel->GetPanelType();
  if (kind == sptDate && first)
    FTimer->SetInterval(60000);
  else if (IsTimeKind(kind) && (first || FTimer->GetInterval() > 1000))
    FTimer->SetInterval(1000);
  else if (Panel->IsIndeterminateGauge())
    FTimer->SetInterval(dfsStatusBar::IndeterminateInterval);
  FTimer->SetEnabled(true);
}

void TdfsStatusPanels::DeregisterTimer(TdfsStatusPanel* Panel) {
  if (RemoveFrom(FTimerList, Panel)) --TimerRegistrationCount;
  if (FTimerList.empty()) {
    FreeAndNil(FTimer);
    return;
  }
  if (!FTimer) return;
  bool gauge = false, time = false;
  for (TdfsStatusPanel* p : FTimerList) {
    gauge = gauge || p->IsIndeterminateGauge();
    time = time || IsTimeKind(p->GetPanelType());
  }
  FTimer->SetInterval(gauge ? dfsStatusBar::IndeterminateInterval : time ? 1000 : 60000);
}

int TdfsStatusPanels::TimerInterval() const { return FTimer ? int(FTimer->GetInterval()) : 0; }

bool TdfsStatusPanels::IsOnTimer(const TdfsStatusPanel* Panel) const {
  return std::find(FTimerList.begin(), FTimerList.end(), Panel) != FTimerList.end();
}

void TdfsStatusPanels::TimerTick() {
  const TDateTime today = std::floor(dfsStatusBar::CurrentTime());
  const bool dateChanged = today != FLastDate;
  if (dateChanged) FLastDate = today;
  const std::vector<TdfsStatusPanel*> panels = FTimerList;
  for (TdfsStatusPanel* p : panels) {
    if (!IsOnTimer(p)) continue;  // a handler may have taken it off meanwhile
    const TdfsStatusPanelType kind = p->GetPanelType();
    if (IsTimeKind(kind) || (kind == sptDate && dateChanged)) p->UpdateDateTime();
    if (p->IsIndeterminateGauge()) p->Redraw();
  }
}

// ====================================================================== TdfsStatusBar
KV_CLASS_IMPL(TdfsStatusBar, TCustomControl) {
  c.Property("UseMonitorDLL", &TdfsStatusBar::GetUseMonitorDLL, &TdfsStatusBar::SetUseMonitorDLL).Default(false);
  c.Property("Panels", &TdfsStatusBar::GetPanels);
  c.Property("Version", &TdfsStatusBar::GetVersion, &TdfsStatusBar::SetVersion).Stored(false);
  c.Property("UseSystemFont", &TdfsStatusBar::GetUseSystemFont, &TdfsStatusBar::SetUseSystemFont).Default(true);
}

TdfsStatusBar::TdfsStatusBar(TComponent* AOwner) : TCustomControl(AOwner) {
  Forms::EnsureToolkit();
  FContext = std::make_unique<AppHooks::TPostContext>();
  FMemory = std::make_unique<TBitmap>(1, 1);
  SetColor(clBtnFace);
  SetBounds(0, 0, 200, 19);
  SetAlign(TAlign::alBottom);
  FPanels = std::make_unique<TdfsStatusPanels>(this);
  RefreshFontCopy();
}

TdfsStatusBar::~TdfsStatusBar() {
  FAppHook.reset();
  FContext.reset();
}

void TdfsStatusBar::BeforeDestruction() {
  if (FPanels) FPanels->Clear();
  const bool unbalanced = !FMainWinHookList.empty();
  FMainWinHookList.clear();
  HookApplication(false);
  TCustomControl::BeforeDestruction();
  if (unbalanced) throw EStatusBarAssertion("Unbalanced MainWinHook registrations");
}

void TdfsStatusBar::Loaded() {
  TCustomControl::Loaded();
  FitAllPanels();
}

void TdfsStatusBar::RefreshFontCopy() { FMemory->GetCanvas()->Font->Assign(*GetFont()); }

TCanvas* TdfsStatusBar::MeasureCanvas() const { return FMemory ? FMemory->GetCanvas() : nullptr; }

void TdfsStatusBar::FitAllPanels() {
  RefreshFontCopy();
  if (!FPanels) return;
  for (int i = 0; i < FPanels->Count(); ++i) {
    TdfsStatusPanel* p = FPanels->GetItem(i);
    if (p->GetAutoFit()) p->FitWidth();
  }
}

void TdfsStatusBar::InitWidget() {
  TCustomControl::InitWidget();
  if (!ComponentState.Contains(TComponentStateItem::csLoading)) FitAllPanels();
  if (FMonitorCount > 0 && DFSKb::Loaded()) FMonitorMessage = DFSKb::RegisterMonitorWindow(MonitorWindow());
}

void TdfsStatusBar::DestroyWidget() {
  if (FUseMonitorDLL && FMonitorCount > 0 && DFSKb::Loaded()) DFSKb::DeregisterMonitorWindow(MonitorWindow());
  TCustomControl::DestroyWidget();
}

void TdfsStatusBar::FontChanged() {
  TCustomControl::FontChanged();
  if (!FApplyingSystemFont) FUseSystemFont = false;
  FitAllPanels();
}

void TdfsStatusBar::SetUseSystemFont(bool Value) {
  FUseSystemFont = Value;
  if (!Value) return;
  FApplyingSystemFont = true;
  TFont system;
  SetFont(&system);
  FApplyingSystemFont = false;
}

void TdfsStatusBar::SetEnabled(bool Value) {
  if (Value == GetEnabled()) return;
  TCustomControl::SetEnabled(Value);
  Invalidate();
  for (int i = 0; i < FPanels->Count(); ++i) FPanels->GetItem(i)->EnabledChanged();
}

uintptr_t TdfsStatusBar::MonitorWindow() const { return reinterpret_cast<uintptr_t>(FWidget); }

TRect TdfsStatusBar::PanelRect(int Index) const {
  if (Index < 0 || Index >= int(FLinkedPanels.size())) return {};
  // The platform's status bar: panels from the left, 2 pixels apart, below a 2-pixel border.
  int32_t left = 0;
  for (int i = 0; i < Index; ++i) left += FLinkedPanels[size_t(i)]->Width + 2;
  const int32_t width = FLinkedPanels[size_t(Index)]->Width;
  if (width <= 0) return {};
  return TRect(left, 2, left + width, GetClientHeight());
}

TdfsStatusPanel* TdfsStatusBar::PanelAt(TPoint P) const {
  for (int i = 0; i < FPanels->Count(); ++i)
    if (PanelRect(i).Contains(P)) return FPanels->GetItem(i);
  return nullptr;
}

bool TdfsStatusBar::HintAt(TPoint P, std::string& HintText, TRect& CursorRect) const {
  CursorRect = GetClientRect();
  const int count = FPanels->Count();
  int index = -1;
  for (int i = 0; i < count; ++i)
    if (PanelRect(i).Contains(P)) index = i;
  if (index >= 0) {
    const std::string hint = FPanels->GetItem(index)->GetHint();
    if (!hint.empty()) {
      HintText = hint;
      CursorRect = PanelRect(index);
      return true;
    }
  }
  // No hint here: the cursor rectangle runs between the nearest panels with hints.
  for (int i = count - 1; i >= 0; --i) {
    const TRect r = PanelRect(i);
    if (i != index && r.Right <= P.X && !FPanels->GetItem(i)->GetHint().empty()) {
      CursorRect.Left = r.Right;
      break;
    }
  }
  for (int i = 0; i < count; ++i) {
    const TRect r = PanelRect(i);
    if (i != index && r.Left > P.X && !FPanels->GetItem(i)->GetHint().empty()) {
      CursorRect.Right = r.Left;
      break;
    }
  }
  return false;
}

void TdfsStatusBar::Paint() {
  TCanvas& canvas = *GetCanvas();
  canvas.Brush->SetStyle(bsSolid);
  canvas.Brush->SetColor(GetColor());
  canvas.FillRect(GetClientRect());
  canvas.Pen->SetWidth(1);
  canvas.Pen->SetStyle(psSolid);
  for (int i = 0; i < int(FLinkedPanels.size()); ++i) {
    const TRect r = PanelRect(i);
    if (r.IsEmpty()) continue;
    const TStatusPanelBevel bevel = FLinkedPanels[size_t(i)]->Bevel;
    if (bevel != TStatusPanelBevel::pbNone) {
      const bool lowered = bevel == TStatusPanelBevel::pbLowered;
      canvas.Pen->SetColor(lowered ? clBtnShadow : clBtnHighlight);
      canvas.MoveTo(r.Left, r.Bottom - 1);
      canvas.LineTo(r.Left, r.Top);
      canvas.LineTo(r.Right - 1, r.Top);
      canvas.Pen->SetColor(lowered ? clBtnHighlight : clBtnShadow);
      canvas.LineTo(r.Right - 1, r.Bottom - 1);
      canvas.LineTo(r.Left - 1, r.Bottom - 1);
    }
    DrawPanel(i, r);
  }
  if (SizeGrip) PaintSizeGrip(canvas);
  if (OnPaint) OnPaint(this);
}

void TdfsStatusBar::DrawPanel(int Index, const TRect& Rect) {
  TdfsLinkedPanel* linked = FLinkedPanels[size_t(Index)].get();
  TdfsStatusPanel* panel = nullptr;
  for (int i = 0; i < FPanels->Count() && !panel; ++i)
    if (FPanels->GetItem(i)->FLinked == linked) panel = FPanels->GetItem(i);
  if (!panel) throw EStatusBarAssertion("Panel links corrupted");
  TCanvas& canvas = *GetCanvas();
  TFont saved;
  saved.Assign(*canvas.Font);
  canvas.Font->Assign(*MeasureCanvas()->Font);
  if (OnDrawPanel) OnDrawPanel(this, panel, Rect);
  panel->DoDrawPanel(canvas, Rect);
  canvas.Font->Assign(saved);
}

void TdfsStatusBar::PaintSizeGrip(TCanvas& Canvas) {
  const TRect client = GetClientRect();
  // The grip box: 15 pixels wide at the right edge, 3 below the top to 1 above
  // the bottom, moved up and left by one pixel; painted in the bar's colour.
  TRect box(client.Right - 15 - 1, client.Top + 3 - 1, client.Right - 1, client.Bottom - 1 - 1);
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(GetColor());
  Canvas.FillRect(box);
  Canvas.Pen->SetWidth(1);
  Canvas.Pen->SetStyle(psSolid);
  const int32_t right = box.Right, bottom = box.Bottom;
  auto diagonal = [&](int n) {
    Canvas.MoveTo(right - n, bottom);
    Canvas.LineTo(right, bottom - n);
  };
  Canvas.Pen->SetColor(clBtnHighlight);
  for (int n : {2, 13, 9, 5}) diagonal(n);
  Canvas.MoveTo(right - 1, bottom);
  Canvas.LineTo(right, bottom);
  Canvas.Pen->SetColor(clBtnShadow);
  for (int n : {11, 7, 3}) diagonal(n);
  Canvas.MoveTo(box.Left, box.Top);
  Canvas.LineTo(box.Right, box.Top);
}

void TdfsStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FLastMouse = TPoint(X, Y);
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TdfsStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FLastMouse = TPoint(X, Y);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TdfsStatusBar::Click() {
  if (TdfsStatusPanel* p = PanelAt(FLastMouse)) p->PanelClick();
  TCustomControl::Click();
}

void TdfsStatusBar::SetUseMonitorDLL(bool Value) {
  if (Value == FUseMonitorDLL) return;
  auto reattach = [this](bool ToMonitor) {
    FUseMonitorDLL = ToMonitor;
    for (int i = 0; i < FPanels->Count(); ++i) {
      TdfsStatusPanel* p = FPanels->GetItem(i);
      if (!p->IsLockKind() || !p->GetEnabled()) continue;
      if (ToMonitor) {
        dfsStatusBar::UnhookLockPanel(p);
        DeregisterMainWinHook(p);
        dfsStatusBar::AcquireKeyboardMonitor(this);
        p->FKeyState = dfsStatusBar::KeyToggled(dfsStatusBar::LockKey(p->GetPanelType()));
      } else {
        dfsStatusBar::ReleaseKeyboardMonitor(this);
        dfsStatusBar::HookLockPanel(p);
        RegisterMainWinHook(p);
      }
    }
  };
  reattach(Value);
  if (Value && !DFSKb::Loaded()) {
    reattach(false);
    if (ComponentState.Contains(TComponentStateItem::csDesigning))
      throw Exception(std::string("Could not load ") + DFSKb::LibraryName);
  }
}

void TdfsStatusBar::RegisterMainWinHook(TdfsStatusPanel* Panel) {
  if (AddUnique(FMainWinHookList, Panel) && FMainWinHookList.size() == 1) HookApplication(true);
}

void TdfsStatusBar::DeregisterMainWinHook(TdfsStatusPanel* Panel) {
  RemoveFrom(FMainWinHookList, Panel);
  if (FMainWinHookList.empty()) HookApplication(false);
}

void TdfsStatusBar::HookApplication(bool On) {
  if (!On) {
    FAppHook.reset();  // its connection goes with it
    return;
  }
  if (FAppHook) return;
  FAppHook = std::make_unique<AppHooks::TActivationListener>([this](bool Active) { ApplicationActivated(Active); });
}

void TdfsStatusBar::ApplicationActivated(bool Active) {
  if (FUseMonitorDLL) return;
  if (!Active) RefreshAll = true;
  PostRefreshLocks();
}

void TdfsStatusBar::PostRefreshLocks() {
  // The refresh request runs once the current event is done, on this thread.
  FContext->Post([this] { RefreshLocks(); });
}

void TdfsStatusBar::RefreshLocks() {
  // The collection's update state is held while the panels are drawn, on every exit path.
  struct [[nodiscard]] TUpdateGuard {
    TdfsStatusPanels* Panels;
    explicit TUpdateGuard(TdfsStatusPanels* P) : Panels(P) { Panels->BeginUpdate(); }
    ~TUpdateGuard() { Panels->EndUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;
  } guard(FPanels.get());
  for (int i = 0; i < FPanels->Count(); ++i) {
    TdfsStatusPanel* p = FPanels->GetItem(i);
    if (p->IsLockKind()) p->Redraw();
  }
}

bool TdfsStatusBar::MonitorMessage(uint32_t Msg, uintptr_t Key, intptr_t State) {
  if (FMonitorMessage == 0 || Msg != FMonitorMessage) return false;
  const TdfsStatusPanelType kind = Key == VK_NUMLOCK ? sptNumLock : Key == VK_SCROLL ? sptScrollLock : sptCapsLock;
  for (int i = 0; i < FPanels->Count(); ++i) {
    TdfsStatusPanel* p = FPanels->GetItem(i);
    if (p->GetPanelType() != kind) continue;
    p->FKeyState = (State & 1) != 0;
    p->Redraw();
  }
  return true;
}
