#pragma once
// A scroll bar that a chart draws on itself as a tool: the generic bar, and
// the legend bar that scrolls the chart legend through its items (or the
// chart through its pages when it shows a limited number of points per page).
#include <cstdint>
#include <functional>
#include <memory>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/series/PlotPenDlg.h"

class TTimer;

enum class TPlotScrollBarDrawStyle : uint8_t { dsAlways, dsWhenNeeded };
using enum TPlotScrollBarDrawStyle;

using TSetPositionEvent = std::function<void(TObject* Sender, int32_t Position)>;

class TPlotScrollBar : public TPlotCustomTool {
  KV_CLASS(TPlotScrollBar, TPlotCustomTool)
public:
  explicit TPlotScrollBar(TComponent* Owner);
  ~TPlotScrollBar() override;
  void Init() override;
  std::string EditorFormName() const override { return "TScrollBarEditor"; }
  void Description(std::string& Text) const override { Text = "Scrollbar"; }
  void SetParentChart(TSeriesChart* Value) override;
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

  // What a descendant supplies.
  virtual double DeltaForPixels(int32_t Pixel, int32_t Anchor);
  virtual int32_t PageSize() { return FPageSize; }
  virtual int32_t PageStep() { return PageSize() / 4; }
  virtual int32_t Position() { return FPosition; }
  virtual void SetPosition(int32_t Value);
  virtual bool CalcBounds(TRect& Bounds) { (void)Bounds; return Total() > 0; }
  virtual int32_t Total() { return FTotal; }

  // ---- settings ----
  TChartBrush* ArrowBrush() const { return FArrowBrush.get(); }
  void SetArrowBrush(const TChartBrush* Value) { FArrowBrush->Assign(Value); }
  bool AutoRepeat = true;
  TColor GetBackColor() const { return FBackColor; }
  void SetBackColor(TColor Value) { SetColorProperty(FBackColor, Value); }
  TBevelCut GetBevel() const { return FBevel; }
  void SetBevel(TBevelCut Value);
  TPlotScrollBarDrawStyle DrawStyle = dsAlways;
  TPlotGradient* Gradient() const { return FGradient.get(); }
  void SetGradient(const TPlotGradient* Value) { FGradient->Assign(Value); }
  int32_t InitialDelay = 250;
  int32_t GetMinThumbSize() const { return FMinThumbSize; }
  void SetMinThumbSize(int32_t Value) { SetIntegerProperty(FMinThumbSize, Value); }
  int32_t GetSize() const { return FSize; }
  void SetSize(int32_t Value);
  TChartBrush* ThumbBrush() const { return FThumbBrush.get(); }
  void SetThumbBrush(const TChartBrush* Value) { FThumbBrush->Assign(Value); }
  TNotifyEvent OnChangeSize, OnScrolled;
  TSetPositionEvent OnSetPosition;

  // ---- interaction (the chart's mouse events drive them) ----
  void Press(int32_t X, int32_t Y);
  void Drag(int32_t X, int32_t Y, TShiftState Shift);
  void Release();
  void ScrollBy(bool Repeating, double Delta);
  // One tick of the repeat timer.
  void RepeatTick();
  TTimer* RepeatTimer() const { return FTimer; }

  // ---- geometry of the last drawing ----
  TRect Bounds{0, 0, 0, 0};
  bool Horizontal = false;
  int32_t ThumbStart = 0, ThumbSize = 0, ThumbEnd = 0;
  TRect BarRect() const;
  TRect TrackRect() const;
  TRect FirstButtonRect() const;
  TRect SecondButtonRect() const;
  TRect ThumbRect() const;

protected:
  void CalcThumb();
  int32_t FPosition = 0, FTotal = 0, FPageSize = 0;

private:
  void Draw(TCanvas3D& Canvas);
  bool FFirstPressed = false, FSecondPressed = false, FThumbPressed = false;
  TPoint FPressPoint{0, 0};
  TTimer* FTimer = nullptr;  // owned by the tool as a component
  std::unique_ptr<TChartBrush> FArrowBrush, FThumbBrush;
  std::unique_ptr<TPlotGradient> FGradient;
  TColor FBackColor = clScrollBar;
  TBevelCut FBevel = bvRaised;
  int32_t FMinThumbSize = 4;
  int32_t FSize = 18;
};

class TLegendScrollBar : public TPlotScrollBar {
  KV_CLASS(TLegendScrollBar, TPlotScrollBar)
public:
  explicit TLegendScrollBar(TComponent* Owner) : TPlotScrollBar(Owner) {}
  void BeforeDestruction() override;
  void Description(std::string& Text) const override { Text = "Legend Scrollbar"; }
  void SetParentChart(TSeriesChart* Value) override;
  int32_t PageSize() override;
  int32_t PageStep() override;
  int32_t Position() override;
  void SetPosition(int32_t Value) override;
  bool CalcBounds(TRect& Bounds) override;
  int32_t Total() override;
  // Adds the bar's room to the legend's size while the bar shows.
  void ReserveSpace(TObject* Sender, int32_t& Size);

private:
  TCustomChart* Chart() const { return dynamic_cast<TCustomChart*>(GetParentChart()); }
  bool Paged() const;
  void UnhookLegend();
  TChartLegend* FLegend = nullptr;  // the parent chart's legend, taken at each CalcBounds
  // The legend whose size hook reserves the bar's room; the chart frees its
  // tools before its legend, so the bar always outlives this reference.
  TChartLegend* FHookedLegend = nullptr;
};

// The editor of a scroll bar tool, which arrives in the form's Tag; every
// control writes its property to the tool as soon as it changes. Without a
// tool the controls are disabled and nothing is written.
class TScrollbarEditor : public TEditorPage {
  KV_CLASS(TScrollbarEditor, TEditorPage)
public:
  explicit TScrollbarEditor(TComponent* Owner);
  TPlotScrollBar* Tool() const { return dynamic_cast<TPlotScrollBar*>(Edited()); }
  // The row of each control, in the order they are made.
  enum TRowIndex { rBorder, rBevel, rAutoRepeat, rSize, rInitialDelay, rBackColor, rGradient, rThumb, rBack, rArrows };
  void FormShow(TObject* Sender);
};

namespace PlotLegendScrollBar {

void Initialization();
void Finalization();

}  // namespace PlotLegendScrollBar
