#pragma once
// The splitter kit: an area divided into panes by a bar that the user drags
// with the mouse or moves with the arrow keys.
//   TabcCustomSplit    general splitter with a horizontal and a vertical split position
//   TabcCustomBiSplit  two panes beside (bslVert) or above each other (bslHorz)
//   TabcSBiSplit       with scrolling panes whose scrolling can be mirrored
//
//   auto* split = new TabcSBiSplit(form);   // makes its two panes
//   split->SetParent(form); split->SetAlign(TAlign::alClient);
//   split->SetLayout(TabcBiSplitLayout::bslHorz);
//   chart->SetParent(split->Pane(0));       // top pane
//   split->SetSplitVPercent(25);

#include "controls/abcpanel.h"
#include "controls/abcscrol.h"

#include <memory>
#include <string>
#include <vector>

class QObject;
class TabcCustomSplit;

enum class TabcBiSplitLayout : uint8_t { bslVert, bslHorz };
enum class TabcSplitMoveStyle : uint8_t {
  amsBlack, amsDark, amsMedium, amsMediumLight, amsLight, amsNoLine, amsImmediate
};
// The four-way sizing cursor shown over a bar that moves in both directions.
constexpr TCursor crSplitMove = -23;
// The private message with which a splitter finishes its initialisation.
constexpr uint32_t WM_SPLITINIT = 28683;

// A pane's link to its splitter, shared by both pane kinds.
class TabcPaneLink {
 public:
  TabcCustomSplit* Splitter() const { return FSplitter; }
  // The position in the splitter's pane list, -1 without a splitter.
  int GetPaneIndex() const;
  // Raises EListError "%d is an invalid PaneIndex value.  PaneIndex must be between 0 and %d".
  void SetPaneIndex(int Value);

 protected:
  explicit TabcPaneLink(TWinControl* Self) : FSelf(Self) {}
  // A pane accepts only a splitter (or none) as parent; answers false to refuse.
  bool AcceptsParent(TWinControl* AParent) const;
  void Attach(TabcCustomSplit* Splitter);
  void Detach();

 private:
  friend class TabcCustomSplit;
  TWinControl* FSelf;
  TabcCustomSplit* FSplitter = nullptr;
};

class TabcSplitPane : public TCustomControl, public TabcPaneLink {
 public:
  explicit TabcSplitPane(TComponent* AOwner);
  ~TabcSplitPane() override;
  void BeforeDestruction() override;
  void SetParent(TWinControl* AParent) override;
  void Loaded() override;
};

class TabcScrollingSplitPane : public TabcCustomScrollBox, public TabcPaneLink {
 public:
  explicit TabcScrollingSplitPane(TComponent* AOwner);
  ~TabcScrollingSplitPane() override;
  void BeforeDestruction() override;
  void SetParent(TWinControl* AParent) override;
  void Loaded() override;

 protected:
  void Scrolled(bool Horizontal, int Code, int Pos) override;
};

class TabcCustomSplit : public TabcCustomEdgePanel {
 public:
  explicit TabcCustomSplit(TComponent* AOwner);
  ~TabcCustomSplit() override;
  // Second construction phase: makes the panes and initialises a splitter made in code.
  void Init() override;
  void BeforeDestruction() override;
  void Loaded() override;

  int PaneCountNow() const { return static_cast<int>(FPanes.size()); }
  TWinControl* Pane(int Index) const;
  int IndexOfPane(const TWinControl* Pane) const;

  // The splitter's own cursor (shown away from the bar).
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  int KeyIncrement = 10;
  TNotifyEvent OnSplitMoveH;
  TNotifyEvent OnSplitMoveV;

  TBevelCut GetSplitBevel() const { return FSplitBevel; }
  void SetSplitBevel(TBevelCut Value);
  TColor GetSplitColor() const { return FSplitColor; }
  void SetSplitColor(TColor Value);
  TabcSplitMoveStyle GetSplitMoveStyle() const { return FSplitMoveStyle; }
  void SetSplitMoveStyle(TabcSplitMoveStyle Value) { FSplitMoveStyle = Value; }
  bool GetMoveImmediate() const { return FSplitMoveStyle == TabcSplitMoveStyle::amsImmediate; }
  void SetMoveImmediate(bool Value);
  int GetThickness() const { return FThickness; }
  // 1..10 (ERangeError otherwise); both positions are applied again.
  void SetThickness(int Value);

  bool GetSplitHLock() const { return FSplitHLock; }
  void SetSplitHLock(bool Value) { FSplitHLock = Value; }
  int GetSplitHMax() const { return FSplitHMax; }
  void SetSplitHMax(int Value);
  int GetSplitHMin() const { return FSplitHMin; }
  void SetSplitHMin(int Value);
  int GetSplitHPercent() const { return FSplitHPercent; }
  void SetSplitHPercent(int Value);
  int GetSplitHPos() const { return FSplitHPos; }
  void SetSplitHPos(int Value);
  bool GetSplitHScaled() const { return FSplitHScaled; }
  void SetSplitHScaled(bool Value) { FSplitHScaled = Value; }

  bool GetSplitVLock() const { return FSplitVLock; }
  void SetSplitVLock(bool Value) { FSplitVLock = Value; }
  int GetSplitVMax() const { return FSplitVMax; }
  void SetSplitVMax(int Value);
  int GetSplitVMin() const { return FSplitVMin; }
  void SetSplitVMin(int Value);
  int GetSplitVPercent() const { return FSplitVPercent; }
  void SetSplitVPercent(int Value);
  int GetSplitVPos() const { return FSplitVPos; }
  void SetSplitVPos(int Value);
  bool GetSplitVScaled() const { return FSplitVScaled; }
  void SetSplitVScaled(bool Value) { FSplitVScaled = Value; }

  // Width of border and bevels.
  int Edge() const { return FEdge; }
  // The bar's columns (vertical bar) and rows (horizontal bar), both included.
  int BarLeft() const { return FBarLeft; }
  int BarRight() const { return FBarRight; }
  int BarTop() const { return FBarTop; }
  int BarBottom() const { return FBarBottom; }
  bool Initialised() const { return FInitialised; }
  bool Dragging() const { return FDragging; }
  TCursor HoverCursor() const { return FHoverCursor; }

  void SetBevelInner(TBevelCut Value) override;
  void SetBevelOuter(TBevelCut Value) override;
  void SetBevelWidth(int Value) override;
  void SetBorderWidth(int Value) override;
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // Brings a split point into the limits and the splitter's size.
  TPoint ConstrainSplitPoint(TPoint P) const;
  // Moves the bar to the point (constrained), firing the move events.
  void MoveSplitTo(TPoint P);
  // Lays the panes out in the client area inside the edge.
  void UpdatePanes();
  // The handler of the posted WM_SPLITINIT.
  void SplitInit();

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void Resize() override;
  // Whether the splitter takes an arrow key instead of focus navigation.
  bool WantsArrowKey(uint16_t Key) const;

  // Overridable operations.
  virtual void FreePanes();
  virtual void DrawDragBar(TPoint P) { (void)P; }
  virtual void PaintSplitBar(TCanvas& Canvas, const TRect& R) { (void)Canvas, (void)R; }
  virtual void ArrangePanes(const TRect& R) { (void)R; }
  virtual int PaneCount() const { return 0; }
  // Makes one pane of the splitter's pane class, owned by Owner.
  virtual TWinControl* NewPane(TComponent* Owner);
  virtual TCursor CursorAt(int X, int Y) const { (void)X, (void)Y; return 0; }
  virtual TPoint DragPoint(int X, int Y) const { (void)X, (void)Y; return {}; }
  virtual void PaneScrolledH(TWinControl* Pane, int Code, int Pos) { (void)Pane, (void)Code, (void)Pos; }
  virtual void PaneScrolledV(TWinControl* Pane, int Code, int Pos) { (void)Pane, (void)Code, (void)Pos; }
  virtual void CreatePanes();

 protected:
  friend class TabcPaneLink;
  void InitWidget() override;
  void RecomputeEdge();
  void ApplySplitHPos(int P);
  void ApplySplitVPos(int P);
  void ApplyBothPositions();
  bool IsLoading() const;
  bool IsDesigning() const;
  // Cursor adjusted for the locks.
  TCursor LockedCursor(TCursor C) const;
  // The band of DrawDragBar: Thickness pixels centred on P across the area inside the edge.
  TRect DragBand(TPoint P, bool Horizontal) const;
  void InvertBand(const TRect& Band);
  void PostSplitInit();
  std::vector<TWinControl*> FPanes;  // the pane list; the panes are owned by the splitter's owner

 private:
  void EndDrag();
  bool FLineDrawn = false;
  int FEdge = 1;
  TCursor FCursor = crDefault;
  bool FDrawing = false;
  TPoint FLastDragPoint;
  bool FDragging = false;
  TCursor FHoverCursor = crDefault;
  TBevelCut FSplitBevel = TBevelCut::bvRaised;
  TColor FSplitColor = clBtnFace;
  bool FSplitHLock = false;
  int FSplitHMax = 0, FSplitHMin = 0;
  int FBarLeft = 48, FBarRight = 51;
  int FSplitHPercent = 50;
  int FSplitHPos = 50;
  bool FSplitHScaled = false;
  int FThickness = 2;
  bool FSplitVLock = false;
  int FSplitVMax = 0, FSplitVMin = 0;
  int FBarBottom = 51, FBarTop = 48;
  int FSplitVPercent = 50;
  int FSplitVPos = 50;
  bool FSplitVScaled = false;
  TabcSplitMoveStyle FSplitMoveStyle = TabcSplitMoveStyle::amsBlack;
  bool FInitialised = false;
  TBorderStyle FBorderStyle = TBorderStyle::bsNone;
  std::unique_ptr<TBitmap> FPatternBitmap;  // the drag line's pattern while dragging
  std::unique_ptr<QObject> FContext;        // receiver of the posted WM_SPLITINIT
};

class TabcCustomBiSplit : public TabcCustomSplit {
 public:
  explicit TabcCustomBiSplit(TComponent* AOwner);
  TabcBiSplitLayout GetLayout() const { return FLayout; }
  void SetLayout(TabcBiSplitLayout Value);

  void DrawDragBar(TPoint P) override;
  void PaintSplitBar(TCanvas& Canvas, const TRect& R) override;
  void ArrangePanes(const TRect& R) override;
  int PaneCount() const override { return 2; }
  TCursor CursorAt(int X, int Y) const override;
  TPoint DragPoint(int X, int Y) const override;

 private:
  TabcBiSplitLayout FLayout = TabcBiSplitLayout::bslVert;
};

class TabcSBiSplit : public TabcCustomBiSplit {
  KV_CLASS(TabcSBiSplit, TabcCustomBiSplit)

 public:
  explicit TabcSBiSplit(TComponent* AOwner);
  bool SyncHScroll = false;
  bool SyncVScroll = false;
  int GetKeyIncrement() const { return KeyIncrement; }
  void SetKeyIncrement(int Value) { KeyIncrement = Value; }
  TabcScrollingSplitPane* ScrollPane(int Index) const;

  TWinControl* NewPane(TComponent* Owner) override;
  void PaneScrolledH(TWinControl* Pane, int Code, int Pos) override;
  void PaneScrolledV(TWinControl* Pane, int Code, int Pos) override;

 private:
  void Mirror(TWinControl* Source, bool Horizontal, int Code, int Pos);
  bool FSyncing = false;
};
