#pragma once
// A tab control: a strip of tabs above one client area, without pages; the
// program changes what the area shows when the chosen tab changes.
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"

class TTabControl : public TCustomControl {
  KV_CLASS(TTabControl, TCustomControl)
 public:
  explicit TTabControl(TComponent* AOwner);
  ~TTabControl() override;
  TStringList* Tabs() const { return FTabs.get(); }
  int GetTabIndex() const { return FTabIndex; }
  // Chooses a tab as code does: no events.
  void SetTabIndex(int Value);
  // What a person's click on a tab does: OnChanging may refuse, then OnChange fires.
  void SelectTab(int Index);
  bool HotTrack = false;
  int TabHeight = 20;
  TNotifyEvent OnChange;
  std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;
  // The tab under a client point, or -1.
  int TabAt(TPoint P) const;
  TRect TabRect(int Index) const;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 protected:
  void AdjustClientRect(TRect& Rect) const override;

 private:
  std::unique_ptr<TStringList> FTabs;
  int FTabIndex = -1;
};
