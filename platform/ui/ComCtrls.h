#pragma once
// Common controls: track bars, up-downs, page controls with tab sheets, tool bars.

#include "platform/ui/ImgList.h"
#include "platform/rtl/WeakRef.h"
#include "platform/ui/StdCtrls.h"

enum class TTrackBarOrientation { trHorizontal, trVertical };

class TTrackBar : public TWinControl {
  KV_CLASS(TTrackBar, TWinControl)
 public:
  explicit TTrackBar(TComponent* AOwner);
  int GetMin() const { return FMin; }
  int GetMax() const { return FMax; }
  int GetPosition() const { return FPosition; }
  void SetMin(int Value);
  void SetMax(int Value);
  // Clamped into Min..Max; a change fires OnChange.
  void SetPosition(int Value);
  int Frequency = 1;
  // The step of an arrow key (LineSize) and of Page Up/Down or a click
  // beside the thumb (PageSize). Like Frequency, taken by the window when
  // it is made and whenever Min, Max or Position is set.
  int LineSize = 1;
  int PageSize = 2;
  TTrackBarOrientation Orientation = TTrackBarOrientation::trHorizontal;
  TNotifyEvent OnChange;

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;

 private:
  void Sync();
  int FMin = 0, FMax = 10, FPosition = 0;
};

// Which arrow of an up-down was pressed.
enum class TUDBtnType { btNext, btPrev };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Two arrow buttons that step Position by Increment within Min..Max. An
// associate edit shows Position; a number typed there is the position the
// next step starts from. Setting Position from code fires no event.
class TUpDown : public TWinControl {
  KV_CLASS(TUpDown, TWinControl)
 public:
  explicit TUpDown(TComponent* AOwner);
  TEdit* GetAssociate() const { return FAssociate.Get(); }
  // Puts the up-down on the edit's right edge, inside the edit's old width,
  // and shows Position there; none detaches.
  void SetAssociate(TEdit* Value);
  int GetMin() const { return FMin; }
  void SetMin(int Value);
  int GetMax() const { return FMax; }
  void SetMax(int Value);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  // The associate's number (clamped into Min..Max) when it holds one, else
  // the last position set.
  int GetPosition() const;
  // Clamped into Min..Max and shown in the associate.
  void SetPosition(int Value);
  // Past a limit a step wraps to the other limit instead of stopping there.
  bool Wrap = false;
  // A press of an arrow: OnChanging may refuse it; otherwise Position steps
  // by Increment (up for btNext) and OnClick fires.
  void ButtonClick(TUDBtnType Button);
  TUDChangingEvent OnChanging;
  TUDClickEvent OnClick;

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;

 private:
  int Clamped(int Value) const;
  void ShowInAssociate();
  WeakRef<TEdit> FAssociate;
  int FMin = 0, FMax = 100, FPosition = 0, FIncrement = 1;
};

class TPageControl;

class TTabSheet : public TWinControl {
  KV_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  TPageControl* GetPageControl() const { return FPageControl; }
  // Puts the sheet into a page control (as its last page) or takes it out.
  void SetPageControl(TPageControl* Value);
  int GetPageIndex() const;
  // Moves the sheet to position Value among its page control's pages (clamped).
  void SetPageIndex(int Value);
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int ImageIndex = -1;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  void TextChanged() override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
  KV_CLASS(TPageControl, TCustomControl)
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const;
  TTabSheet* GetActivePage() const { return FActive; }
  // Shows Page (one of this control's); no events, as when code chooses.
  void SetActivePage(TTabSheet* Page);
  int GetActivePageIndex() const;
  void SetActivePageIndex(int Value);
  // What a person's choice of a tab does: OnChanging may refuse, then the
  // page changes and OnChange fires.
  void SelectPage(TTabSheet* Page);
  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  WeakRef<TImageList> Images;
  // Height of the tab row above the pages.
  int TabHeight = 20;
  void Paint() override;

 protected:
  void AdjustClientRect(TRect& Rect) const override;
  void AlignControls(TRect Rect) override;
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void UpdateTabs();
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActive = nullptr;
  QWidget* FTabBar = nullptr;
  bool FSyncing = false;
};

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;

class TToolButton : public TGraphicControl {
  KV_CLASS(TToolButton, TGraphicControl)
 public:
  explicit TToolButton(TComponent* AOwner);
  TToolButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool GetDown() const { return FDown; }
  // A check button of a group goes down alone among the group's neighbours.
  void SetDown(bool Value);
  bool Grouped = false;
  bool AllowAllUp = false;
  void Click() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  TToolBar* GetToolBar() const;

 private:
  TToolButtonStyle FStyle = TToolButtonStyle::tbsButton;
  int FImageIndex = -1;
  bool FDown = false, FPressed = false, FHot = false;
};

// Tool buttons in a row, left to right in the order they were put in.
class TToolBar : public TCustomControl {
  KV_CLASS(TToolBar, TCustomControl)
 public:
  explicit TToolBar(TComponent* AOwner);
  int ButtonWidth = 23;
  int ButtonHeight = 22;
  bool Flat = true;
  bool ShowCaptions = false;
  WeakRef<TImageList> Images;
  WeakRef<TImageList> DisabledImages;
  int Indent = 0;
  int ButtonCount() const;
  TToolButton* Buttons(int Index) const;

 protected:
  void AlignControls(TRect Rect) override;
};
