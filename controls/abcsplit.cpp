#include "controls/abcsplit.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"

#include <QObject>
#include <QTimer>
#include <QWidget>

#include <algorithm>

using namespace ControlTypes;
using enum TabcBiSplitLayout;
using enum TabcSplitMoveStyle;

// ====================================================================== panes
int TabcPaneLink::GetPaneIndex() const { return FSplitter ? FSplitter->IndexOfPane(FSelf) : -1; }

void TabcPaneLink::SetPaneIndex(int Value) {
  if (!FSplitter) return;
  const int last = FSplitter->PaneCountNow() - 1;
  if (Value > last || Value < 0)
    throw EListError(SysUtils::Format("%d is an invalid PaneIndex value.  PaneIndex must be between 0 and %d",
                                      {Value, last}));
  auto& panes = FSplitter->FPanes;
  panes.erase(std::find(panes.begin(), panes.end(), FSelf));
  panes.insert(panes.begin() + Value, FSelf);
  FSplitter->UpdatePanes();
}

bool TabcPaneLink::AcceptsParent(TWinControl* AParent) const {
  return AParent == nullptr || dynamic_cast<TabcCustomSplit*>(AParent) != nullptr;
}

void TabcPaneLink::Attach(TabcCustomSplit* Splitter) {
  if (Splitter == FSplitter) return;
  Detach();
  if (!Splitter) return;
  Splitter->FPanes.push_back(FSelf);
  FSplitter = Splitter;
  if (!Splitter->IsLoading()) Splitter->UpdatePanes();
}

void TabcPaneLink::Detach() {
  TabcCustomSplit* splitter = FSplitter;
  if (!splitter) return;
  FSplitter = nullptr;
  auto& panes = splitter->FPanes;
  panes.erase(std::remove(panes.begin(), panes.end(), FSelf), panes.end());
  if (!splitter->ComponentState.Contains(TComponentStateItem::csDestroying)) splitter->UpdatePanes();
}

TabcSplitPane::TabcSplitPane(TComponent* AOwner) : TCustomControl(AOwner), TabcPaneLink(this) {
  ParentColor = true;
  SetParentFont(true);
}

TabcSplitPane::~TabcSplitPane() = default;

void TabcSplitPane::BeforeDestruction() {
  Detach();
  TCustomControl::BeforeDestruction();
}

void TabcSplitPane::SetParent(TWinControl* AParent) {
  if (!AcceptsParent(AParent)) return;
  TCustomControl::SetParent(AParent);
  Attach(dynamic_cast<TabcCustomSplit*>(AParent));
}

void TabcSplitPane::Loaded() {
  TCustomControl::Loaded();
  if (auto* splitter = dynamic_cast<TabcCustomSplit*>(GetParent())) Attach(splitter);
}

TabcScrollingSplitPane::TabcScrollingSplitPane(TComponent* AOwner) : TabcCustomScrollBox(AOwner), TabcPaneLink(this) {
  ParentColor = true;
  SetParentFont(true);
  SetBorderStyle(TBorderStyle::bsNone);
}

TabcScrollingSplitPane::~TabcScrollingSplitPane() = default;

void TabcScrollingSplitPane::BeforeDestruction() {
  Detach();
  TabcCustomScrollBox::BeforeDestruction();
}

void TabcScrollingSplitPane::SetParent(TWinControl* AParent) {
  if (!AcceptsParent(AParent)) return;
  TabcCustomScrollBox::SetParent(AParent);
  Attach(dynamic_cast<TabcCustomSplit*>(AParent));
}

void TabcScrollingSplitPane::Loaded() {
  TabcCustomScrollBox::Loaded();
  if (auto* splitter = dynamic_cast<TabcCustomSplit*>(GetParent())) Attach(splitter);
}

void TabcScrollingSplitPane::Scrolled(bool Horizontal, int Code, int Pos) {
  if (!Splitter()) return;
  if (Horizontal)
    Splitter()->PaneScrolledH(this, Code, Pos);
  else
    Splitter()->PaneScrolledV(this, Code, Pos);
}

// ====================================================================== TabcCustomSplit
TabcCustomSplit::TabcCustomSplit(TComponent* AOwner) : TabcCustomEdgePanel(AOwner) {
  Forms::EnsureToolkit();
  FContext = std::make_unique<QObject>();
  SetBounds(GetLeft(), GetTop(), 100, 100);
  RecomputeEdge();
}

TabcCustomSplit::~TabcCustomSplit() = default;

void TabcCustomSplit::Init() {
  TabcCustomEdgePanel::Init();
  CreatePanes();
  const bool loading = IsLoading() || (Owner() && Owner()->ComponentState.Contains(TComponentStateItem::csLoading));
  if (!loading) {
    // Made in code: initialised at once.
    SplitInit();
    Invalidate();
  }
}

void TabcCustomSplit::BeforeDestruction() {
  ComponentState.Include(TComponentStateItem::csDestroying);
  FreePanes();
  TabcCustomEdgePanel::BeforeDestruction();
}

void TabcCustomSplit::FreePanes() {
  while (!FPanes.empty()) {
    TWinControl* pane = FPanes.back();
    FPanes.pop_back();
    if (auto* link = dynamic_cast<TabcPaneLink*>(pane)) link->FSplitter = nullptr;
    pane->Free();
  }
}

TWinControl* TabcCustomSplit::NewPane(TComponent* AOwner) { return Create<TWinControl>(AOwner); }

void TabcCustomSplit::CreatePanes() {
  if (GetParent() && !GetParent()->ComponentState.Contains(TComponentStateItem::csLoading)) return;
  while (PaneCountNow() < PaneCount()) {
    TWinControl* pane = NewPane(Owner());
    pane->SetParent(this);
    if (IndexOfPane(pane) < 0) FPanes.push_back(pane);
  }
}

TWinControl* TabcCustomSplit::Pane(int Index) const {
  return Index >= 0 && Index < PaneCountNow() ? FPanes[size_t(Index)] : nullptr;
}

int TabcCustomSplit::IndexOfPane(const TWinControl* APane) const {
  auto it = std::find(FPanes.begin(), FPanes.end(), APane);
  return it == FPanes.end() ? -1 : int(it - FPanes.begin());
}

bool TabcCustomSplit::IsLoading() const { return ComponentState.Contains(TComponentStateItem::csLoading); }
bool TabcCustomSplit::IsDesigning() const { return ComponentState.Contains(TComponentStateItem::csDesigning); }

void TabcCustomSplit::RecomputeEdge() {
  FEdge = GetBorderWidth();
  if (GetBevelOuter() != TBevelCut::bvNone) FEdge += GetBevelWidth();
  if (GetBevelInner() != TBevelCut::bvNone) FEdge += GetBevelWidth();
}

void TabcCustomSplit::Loaded() {
  TabcCustomEdgePanel::Loaded();
  RecomputeEdge();
  UpdatePanes();
  PostSplitInit();
}

void TabcCustomSplit::InitWidget() {
  TabcCustomEdgePanel::InitWidget();
  if (!FInitialised) PostSplitInit();
}

void TabcCustomSplit::PostSplitInit() {
  // WM_SPLITINIT: handled once the current event is done, on this thread.
  QTimer::singleShot(0, FContext.get(), [this] { SplitInit(); });
}

void TabcCustomSplit::SplitInit() {
  ApplySplitHPos(FSplitHPos);
  ApplySplitVPos(FSplitVPos);
  UpdatePanes();
  FInitialised = true;
}

void TabcCustomSplit::UpdatePanes() {
  const TRect client = TabcCustomEdgePanel::GetClientRect();
  ArrangePanes(TRect(client.Left + FEdge, client.Top + FEdge, client.Right - FEdge, client.Bottom - FEdge));
  if (!IsLoading()) Invalidate();
}

TPoint TabcCustomSplit::ConstrainSplitPoint(TPoint P) const {
  const int width = GetWidth(), height = GetHeight();
  int x = std::min(P.X, width - FEdge);
  if (FSplitHMax != 0 && x > FSplitHMax)
    x = FSplitHMax;
  else if (x < FSplitHMin)
    x = FSplitHMin;
  int y = std::min(P.Y, height - FEdge);
  if (FSplitVMax != 0 && y > FSplitVMax)
    y = FSplitVMax;
  else if (y < FSplitVMin)
    y = FSplitVMin;
  int m = FEdge + FThickness / 2 + 1;
  x = std::max(x, m);
  y = std::max(y, m);
  if (FBorderStyle == TBorderStyle::bsSingle) m += 2;
  if (FThickness % 2 != 0) m += 1;
  x = std::min(x, width - m);
  y = std::min(y, height - m);
  return {x, y};
}

void TabcCustomSplit::ApplySplitHPos(int P) {
  if (IsLoading()) {
    FSplitHPos = P;
    return;
  }
  const int width = GetWidth();
  if (width == 0) return;
  FSplitHPos = ConstrainSplitPoint(TPoint(P, 0)).X;
  FSplitHPercent = RoundEven(double(FSplitHPos) / width * 100.0);
  FBarLeft = FSplitHPos - FThickness / 2 - 1;
  FBarRight = FSplitHPos + (FThickness + 1) / 2;
  if (FInitialised) UpdatePanes();
}

void TabcCustomSplit::ApplySplitVPos(int P) {
  if (IsLoading()) {
    FSplitVPos = P;
    return;
  }
  const int height = GetHeight();
  if (height == 0) return;
  FSplitVPos = ConstrainSplitPoint(TPoint(0, P)).Y;
  FSplitVPercent = RoundEven(double(FSplitVPos) / height * 100.0);
  FBarTop = std::max(FSplitVPos - FThickness / 2 - 1, 0);
  FBarBottom = FSplitVPos + (FThickness + 1) / 2;
  if (FInitialised) UpdatePanes();
}

void TabcCustomSplit::ApplyBothPositions() {
  ApplySplitHPos(FSplitHPos);
  ApplySplitVPos(FSplitVPos);
}

void TabcCustomSplit::SetSplitHPos(int Value) {
  if (Value == FSplitHPos) return;
  ApplySplitHPos(Value);
  if (OnSplitMoveH) OnSplitMoveH(this);
}

void TabcCustomSplit::SetSplitVPos(int Value) {
  if (Value == FSplitVPos) return;
  ApplySplitVPos(Value);
  if (OnSplitMoveV) OnSplitMoveV(this);
}

void TabcCustomSplit::SetSplitHPercent(int Value) {
  Value = std::clamp(Value, 0, 100);
  const int width = GetWidth();
  if (Value != 100 && width != 0)
    SetSplitHPos(RoundEven(Value / 100.0 * width));
  else
    SetSplitHPos(width);
}

void TabcCustomSplit::SetSplitVPercent(int Value) {
  Value = std::clamp(Value, 0, 100);
  const int height = GetHeight();
  if (Value != 100 && height != 0)
    SetSplitVPos(RoundEven(Value / 100.0 * height));
  else
    SetSplitVPos(height);
}

void TabcCustomSplit::SetSplitHMin(int Value) {
  if (Value <= 0) {
    FSplitHMin = 0;
    return;
  }
  if ((FSplitHMax != 0 && Value > FSplitHMax) || Value >= GetWidth()) return;
  FSplitHMin = Value;
  if (FSplitHPos < Value) SetSplitHPos(Value);
}

void TabcCustomSplit::SetSplitVMin(int Value) {
  if (Value <= 0) {
    FSplitVMin = 0;
    return;
  }
  if ((FSplitVMax != 0 && Value > FSplitVMax) || Value >= GetHeight()) return;
  FSplitVMin = Value;
  if (FSplitVPos < Value) SetSplitVPos(Value);
}

void TabcCustomSplit::SetSplitHMax(int Value) {
  if (Value <= 0) {
    FSplitHMax = 0;
    return;
  }
  if (Value < FSplitHMin) return;
  FSplitHMax = std::min(Value, GetWidth());
  if (FSplitHMax < FSplitHPos) SetSplitHPos(Value);
}

void TabcCustomSplit::SetSplitVMax(int Value) {
  if (Value <= 0) {
    FSplitVMax = 0;
    return;
  }
  if (Value < FSplitVMin) return;
  FSplitVMax = std::min(Value, GetHeight());
  if (FSplitVMax < FSplitVPos) SetSplitVPos(Value);
}

void TabcCustomSplit::SetThickness(int Value) {
  if (Value < 1 || Value > 10) throw ERangeError(SysUtils::Format("Thickness %d is out of range 1..10", {Value}));
  FThickness = Value;
  ApplyBothPositions();
}

void TabcCustomSplit::SetSplitBevel(TBevelCut Value) {
  FSplitBevel = Value;
  if (!IsLoading()) Invalidate();
}

void TabcCustomSplit::SetSplitColor(TColor Value) {
  FSplitColor = Value;
  if (!IsLoading()) Invalidate();
}

void TabcCustomSplit::SetMoveImmediate(bool Value) {
  if (Value)
    FSplitMoveStyle = amsImmediate;
  else if (FSplitMoveStyle == amsImmediate)
    FSplitMoveStyle = amsMedium;
}

void TabcCustomSplit::SetCursor(TCursor Value) {
  FCursor = Value;
  TabcCustomEdgePanel::SetCursor(Value);
  if (IsLoading()) return;
  for (TWinControl* pane : FPanes) pane->SetCursor(Value);
}

void TabcCustomSplit::SetBevelInner(TBevelCut Value) {
  TabcCustomEdgePanel::SetBevelInner(Value);
  RecomputeEdge();
  if (!IsLoading()) ApplyBothPositions();
}

void TabcCustomSplit::SetBevelOuter(TBevelCut Value) {
  TabcCustomEdgePanel::SetBevelOuter(Value);
  RecomputeEdge();
  if (!IsLoading()) ApplyBothPositions();
}

void TabcCustomSplit::SetBevelWidth(int Value) {
  TabcCustomEdgePanel::SetBevelWidth(Value);
  RecomputeEdge();
  if (!IsLoading()) ApplyBothPositions();
}

void TabcCustomSplit::SetBorderWidth(int Value) {
  TabcCustomEdgePanel::SetBorderWidth(Value);
  RecomputeEdge();
  if (!IsLoading()) ApplyBothPositions();
}

void TabcCustomSplit::SetBorderStyle(TBorderStyle Value) {
  FBorderStyle = Value;
  RecomputeEdge();
  if (!IsLoading()) ApplyBothPositions();
  Invalidate();
}

void TabcCustomSplit::MoveSplitTo(TPoint P) {
  const TPoint c = ConstrainSplitPoint(P);
  SetSplitHPos(c.X);
  SetSplitVPos(c.Y);
}

void TabcCustomSplit::Resize() {
  TabcCustomEdgePanel::Resize();
  if (IsLoading() || GetWidth() == 0 || GetHeight() == 0) return;
  const int x = FSplitHScaled ? RoundEven(GetWidth() / 100.0 * FSplitHPercent) : FSplitHPos;
  const int y = FSplitVScaled ? RoundEven(GetHeight() / 100.0 * FSplitVPercent) : FSplitVPos;
  MoveSplitTo(TPoint(x, y));
  // The percentages follow the new size also when the bar keeps its pixel position.
  ApplyBothPositions();
  UpdatePanes();
}

TCursor TabcCustomSplit::LockedCursor(TCursor C) const {
  if (C == crSplitMove) {
    if (FSplitHLock && FSplitVLock) return FCursor;
    if (FSplitVLock) return crHSplit;
    if (FSplitHLock) return crVSplit;
    return C;
  }
  if (C == crVSplit && FSplitVLock) return FCursor;
  if (C == crHSplit && FSplitHLock) return FCursor;
  return C;
}

void TabcCustomSplit::Paint() {
  TabcCustomEdgePanel::Paint();
  TCanvas& canvas = *GetCanvas();
  canvas.Pen->SetWidth(1);
  canvas.Pen->SetMode(pmCopy);
  canvas.Pen->SetStyle(psSolid);
  const TRect client = TabcCustomEdgePanel::GetClientRect();
  PaintSplitBar(canvas, TRect(client.Left + FEdge, client.Top + FEdge, client.Right - FEdge, client.Bottom - FEdge));
}

TRect TabcCustomSplit::DragBand(TPoint P, bool Horizontal) const {
  const int inset = FEdge + (FBorderStyle == TBorderStyle::bsSingle ? 1 : 0);
  const TRect area(inset, inset, GetWidth() - inset, GetHeight() - inset);
  const int x = std::clamp(P.X, area.Left, std::max(area.Right - 1, area.Left));
  const int y = std::clamp(P.Y, area.Top, std::max(area.Bottom - 1, area.Top));
  if (Horizontal) {
    const int top = y - FThickness / 2;
    return TRect(area.Left, top, area.Right, top + FThickness);
  }
  const int left = x - FThickness / 2;
  return TRect(left, area.Top, left + FThickness, area.Bottom);
}

void TabcCustomSplit::InvertBand(const TRect& Band) {
  TCanvas& canvas = *GetCanvas();
  if (FPatternBitmap) {
    canvas.Brush->SetBitmap(FPatternBitmap.get());
  } else {
    // The context's own brush: plain white, so the band is inverted.
    canvas.Brush->SetBitmap(nullptr);
    canvas.Brush->SetStyle(bsSolid);
    canvas.Brush->SetColor(clWhite);
  }
  canvas.GetHandle()->PatBlt(Band.Left, Band.Top, Band.Width(), Band.Height(), PATINVERT);
  canvas.Brush->SetBitmap(nullptr);
  FLineDrawn = !FLineDrawn;
  if (HandleAllocated()) Handle()->update();
}

void TabcCustomSplit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TabcCustomEdgePanel::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if ((FSplitHLock && FSplitVLock && !IsDesigning()) || FHoverCursor == FCursor) return;
  if (FSplitMoveStyle >= amsDark && FSplitMoveStyle <= amsLight) {
    static const TColor colours[] = {clWhite, 0xC0C0C0, 0x808080, 0x404040};
    const TColor light = colours[static_cast<int>(FSplitMoveStyle) - static_cast<int>(amsDark)];
    FPatternBitmap = std::make_unique<TBitmap>(8, 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) FPatternBitmap->GetCanvas()->SetPixel(x, y, (x + y) % 2 == 0 ? clBlack : light);
  }
  FLastDragPoint = DragPoint(X, Y);
  if (FSplitMoveStyle != amsImmediate) DrawDragBar(FLastDragPoint);
  FDragging = true;
}

void TabcCustomSplit::MouseMove(TShiftState Shift, int X, int Y) {
  TabcCustomEdgePanel::MouseMove(Shift, X, Y);
  if (!FDragging) {
    FHoverCursor = LockedCursor(CursorAt(X, Y));
    TabcCustomEdgePanel::SetCursor(FHoverCursor);
    return;
  }
  if (FSplitMoveStyle == amsImmediate) {
    const TPoint p = DragPoint(X, Y);
    if (p != FLastDragPoint) {
      FLastDragPoint = p;
      MoveSplitTo(p);
    }
    return;
  }
  if (FDrawing) return;
  FDrawing = true;
  const TPoint p = ConstrainSplitPoint(DragPoint(X, Y));
  if (FSplitMoveStyle < amsNoLine) {
    DrawDragBar(FLastDragPoint);
    DrawDragBar(p);
  }
  FLastDragPoint = p;
  FDrawing = false;
}

void TabcCustomSplit::EndDrag() {
  FDragging = false;
  if (FLineDrawn) DrawDragBar(FLastDragPoint);
  FPatternBitmap.reset();
}

void TabcCustomSplit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FDragging) {
    EndDrag();
    MoveSplitTo(DragPoint(X, Y));
    TabcCustomEdgePanel::SetCursor(FCursor);
  }
  TabcCustomEdgePanel::MouseUp(Button, Shift, X, Y);
}

bool TabcCustomSplit::WantsArrowKey(uint16_t Key) const {
  const auto* bi = dynamic_cast<const TabcCustomBiSplit*>(this);
  if (!bi) return false;
  if (bi->GetLayout() == bslVert) return (Key == VK_LEFT || Key == VK_RIGHT) && !FSplitHLock;
  return (Key == VK_UP || Key == VK_DOWN) && !FSplitVLock;
}

void TabcCustomSplit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TabcCustomEdgePanel::KeyDown(Key, Shift);
  const bool shift = Shift.Contains(TShiftStateItem::ssShift);
  TPoint p(FSplitHPos, FSplitVPos);
  switch (Key) {
    case VK_LEFT: p.X = shift ? 0 : FSplitHPos - KeyIncrement; break;
    case VK_RIGHT: p.X = shift ? GetWidth() : FSplitHPos + KeyIncrement; break;
    case VK_UP: p.Y = shift ? 0 : FSplitVPos - KeyIncrement; break;
    case VK_DOWN: p.Y = shift ? GetHeight() : FSplitVPos + KeyIncrement; break;
    default: return;
  }
  MoveSplitTo(p);
  Key = 0;
}

// ====================================================================== TabcCustomBiSplit
TabcCustomBiSplit::TabcCustomBiSplit(TComponent* AOwner) : TabcCustomSplit(AOwner) {}

void TabcCustomBiSplit::SetLayout(TabcBiSplitLayout Value) {
  FLayout = Value;
  if (!IsLoading()) UpdatePanes();
}

void TabcCustomBiSplit::ArrangePanes(const TRect& R) {
  const int edge = Edge();
  if (FLayout == bslVert) {
    if (TWinControl* p = Pane(0)) p->SetBounds(R.Left, R.Top, BarLeft() - edge, R.Bottom - R.Top);
    if (TWinControl* p = Pane(1)) p->SetBounds(BarRight() + 1, R.Top, R.Right - BarRight() - 1, R.Bottom - R.Top);
  } else {
    if (TWinControl* p = Pane(0)) p->SetBounds(R.Left, R.Top, R.Right - R.Left, BarTop() - edge);
    if (TWinControl* p = Pane(1)) p->SetBounds(R.Left, BarBottom() + 1, R.Right - R.Left, R.Bottom - BarBottom() - 1);
  }
}

TCursor TabcCustomBiSplit::CursorAt(int X, int Y) const {
  if (FLayout == bslHorz && Y >= BarTop() && Y <= BarBottom()) return crVSplit;
  if (FLayout == bslVert && X >= BarLeft() && X <= BarRight()) return crHSplit;
  return GetCursor();
}

TPoint TabcCustomBiSplit::DragPoint(int X, int Y) const {
  if (HoverCursor() == crVSplit) return {GetSplitHPos(), Y};
  if (HoverCursor() == crHSplit) return {X, GetSplitVPos()};
  return {GetSplitHPos(), GetSplitVPos()};
}

void TabcCustomBiSplit::DrawDragBar(TPoint P) {
  if (HoverCursor() == crVSplit)
    InvertBand(DragBand(P, true));
  else if (HoverCursor() == crHSplit)
    InvertBand(DragBand(P, false));
}

void TabcCustomBiSplit::PaintSplitBar(TCanvas& Canvas, const TRect& R) {
  TColor first, second;
  switch (GetSplitBevel()) {
    case TBevelCut::bvLowered: first = clBtnShadow, second = clBtnHighlight; break;
    case TBevelCut::bvRaised: first = clBtnHighlight, second = clBtnShadow; break;
    default: first = second = GetColor(); break;
  }
  const bool fill = GetSplitColor() != GetColor();
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(GetSplitColor());
  if (FLayout == bslVert) {
    if (fill) Canvas.FillRect(TRect(BarLeft() + 1, R.Top, BarRight(), R.Bottom));
    Canvas.Pen->SetColor(first);
    Canvas.MoveTo(BarLeft(), R.Top);
    Canvas.LineTo(BarLeft(), R.Bottom);
    Canvas.Pen->SetColor(second);
    Canvas.MoveTo(BarRight(), R.Bottom - 1);
    Canvas.LineTo(BarRight(), R.Top - 1);
  } else {
    if (fill) Canvas.FillRect(TRect(R.Left, BarTop() + 1, R.Right, BarBottom()));
    Canvas.Pen->SetColor(first);
    Canvas.MoveTo(R.Left, BarTop());
    Canvas.LineTo(R.Right, BarTop());
    Canvas.Pen->SetColor(second);
    Canvas.MoveTo(R.Right - 1, BarBottom());
    Canvas.LineTo(R.Left - 1, BarBottom());
  }
}

// ====================================================================== TabcSBiSplit
KV_CLASS_IMPL(TabcSBiSplit, TabcCustomBiSplit) {
  const std::initializer_list<const char*> cuts = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
  c.Property("BevelInner", &TabcSBiSplit::GetBevelInner, &TabcSBiSplit::SetBevelInner).Names(cuts).Default(TBevelCut::bvNone);
  c.Property("BevelOuter", &TabcSBiSplit::GetBevelOuter, &TabcSBiSplit::SetBevelOuter).Names(cuts).Default(TBevelCut::bvRaised);
  c.Property("BevelWidth", &TabcSBiSplit::GetBevelWidth, &TabcSBiSplit::SetBevelWidth).Default(1);
  c.Property("BorderStyle", &TabcSBiSplit::GetBorderStyle, &TabcSBiSplit::SetBorderStyle)
      .Names({"bsNone", "bsSingle"})
      .Default(TBorderStyle::bsNone);
  c.Property("BorderWidth", &TabcSBiSplit::GetBorderWidth, &TabcSBiSplit::SetBorderWidth).Default(0);
  c.Property("Cursor", &TabcSBiSplit::GetCursor, &TabcSBiSplit::SetCursor).Default(0);
  c.Property("KeyIncrement", &TabcSBiSplit::GetKeyIncrement, &TabcSBiSplit::SetKeyIncrement).Default(10);
  c.Property("Layout", &TabcSBiSplit::GetLayout, &TabcSBiSplit::SetLayout).Names({"bslVert", "bslHorz"}).Default(bslVert);
  c.Property("MoveImmediate", &TabcSBiSplit::GetMoveImmediate, &TabcSBiSplit::SetMoveImmediate).Stored(false);
  c.Property("SplitBevel", &TabcSBiSplit::GetSplitBevel, &TabcSBiSplit::SetSplitBevel).Names(cuts).Default(TBevelCut::bvRaised);
  c.Property("SplitColor", &TabcSBiSplit::GetSplitColor, &TabcSBiSplit::SetSplitColor).Kind(TPropKind::pkColor).Default(clBtnFace);
  c.Property("SplitHLock", &TabcSBiSplit::GetSplitHLock, &TabcSBiSplit::SetSplitHLock).Default(false);
  c.Property("SplitHMax", &TabcSBiSplit::GetSplitHMax, &TabcSBiSplit::SetSplitHMax).Default(0);
  c.Property("SplitHMin", &TabcSBiSplit::GetSplitHMin, &TabcSBiSplit::SetSplitHMin).Default(0);
  c.Property("SplitHPercent", &TabcSBiSplit::GetSplitHPercent, &TabcSBiSplit::SetSplitHPercent).Stored(false);
  c.Property("SplitHPos", &TabcSBiSplit::GetSplitHPos, &TabcSBiSplit::SetSplitHPos);
  c.Property("SplitHScaled", &TabcSBiSplit::GetSplitHScaled, &TabcSBiSplit::SetSplitHScaled).Default(false);
  c.Property("SplitMoveStyle", &TabcSBiSplit::GetSplitMoveStyle, &TabcSBiSplit::SetSplitMoveStyle)
      .Names({"amsBlack", "amsDark", "amsMedium", "amsMediumLight", "amsLight", "amsNoLine", "amsImmediate"})
      .Default(amsBlack);
  c.Property("SplitVLock", &TabcSBiSplit::GetSplitVLock, &TabcSBiSplit::SetSplitVLock).Default(false);
  c.Property("SplitVMax", &TabcSBiSplit::GetSplitVMax, &TabcSBiSplit::SetSplitVMax).Default(0);
  c.Property("SplitVMin", &TabcSBiSplit::GetSplitVMin, &TabcSBiSplit::SetSplitVMin).Default(0);
  c.Property("SplitVPercent", &TabcSBiSplit::GetSplitVPercent, &TabcSBiSplit::SetSplitVPercent).Stored(false);
  c.Property("SplitVPos", &TabcSBiSplit::GetSplitVPos, &TabcSBiSplit::SetSplitVPos);
  c.Property("SplitVScaled", &TabcSBiSplit::GetSplitVScaled, &TabcSBiSplit::SetSplitVScaled).Default(false);
  c.Property("SyncHScroll", &TabcSBiSplit::SyncHScroll).Default(false);
  c.Property("SyncVScroll", &TabcSBiSplit::SyncVScroll).Default(false);
  c.Property("Thickness", &TabcSBiSplit::GetThickness, &TabcSBiSplit::SetThickness).Default(2);
}

TabcSBiSplit::TabcSBiSplit(TComponent* AOwner) : TabcCustomBiSplit(AOwner) {
  SetBorderStyle(TBorderStyle::bsNone);
  // Made with new as well as with Create: the scrolling panes exist from here on.
  CreatePanes();
  if (!IsLoading() && !(AOwner && AOwner->ComponentState.Contains(TComponentStateItem::csLoading))) SplitInit();
}

TWinControl* TabcSBiSplit::NewPane(TComponent* AOwner) { return Create<TabcScrollingSplitPane>(AOwner); }

TabcScrollingSplitPane* TabcSBiSplit::ScrollPane(int Index) const {
  return dynamic_cast<TabcScrollingSplitPane*>(Pane(Index));
}

void TabcSBiSplit::Mirror(TWinControl* Source, bool Horizontal, int Code, int Pos) {
  if (FSyncing) return;
  // The flag stops the other panes' reports from echoing back, on every exit path.
  struct [[nodiscard]] TSyncGuard {
    bool& Flag;
    explicit TSyncGuard(bool& F) : Flag(F) { Flag = true; }
    ~TSyncGuard() { Flag = false; }
    TSyncGuard(const TSyncGuard&) = delete;
    TSyncGuard& operator=(const TSyncGuard&) = delete;
  } guard(FSyncing);
  for (TWinControl* pane : FPanes)
    if (pane != Source)
      if (auto* box = dynamic_cast<TabcCustomScrollBox*>(pane)) box->ScrollMessage(Horizontal, Code, Pos);
}

void TabcSBiSplit::PaneScrolledH(TWinControl* Source, int Code, int Pos) {
  if (SyncHScroll) Mirror(Source, true, Code, Pos);
}

void TabcSBiSplit::PaneScrolledV(TWinControl* Source, int Code, int Pos) {
  if (SyncVScroll) Mirror(Source, false, Code, Pos);
}
