#pragma once
// The preview panel: a sheet of paper with the printer page's aspect, one or
// more chart panels on it at their print margins, margins dragged with the
// mouse, and printing of all the panels on one page.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotProcs.h"

class TPlotPreviewPanel;

using TOnChangeMarginsEvent =
    std::function<void(TObject* Sender, bool DisableProportional, const TRect& NewMargins)>;
using TOnGetPaperRect = std::function<void(TObject* Sender, TRect& PaperRect)>;

enum class TPlotPreviewPanelOrientation : uint8_t { ppoDefault, ppoPortrait, ppoLandscape };
using enum TPlotPreviewPanelOrientation;

// The pen of the margin lines: small dots by default.
class TPreviewChartPen : public TChartPen {
  KV_CLASS(TPreviewChartPen, TChartPen)
public:
  explicit TPreviewChartPen(TPlotChangeEvent ChangeHandler = {});
};

// The panels shown on the sheet (not owned); the first one is the current
// panel. A panel that is freed leaves the list by itself.
class TPlotPanelsList {
public:
  explicit TPlotPanelsList(TPlotPreviewPanel& Owner) : FOwner(Owner) {}
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TCustomPlotPanel* Get(int32_t Index) const { return FItems.at(static_cast<size_t>(Index)); }
  void Put(int32_t Index, TCustomPlotPanel* Panel);
  int32_t Add(TCustomPlotPanel* Panel);
  void Delete(int32_t Index);
  void Exchange(int32_t A, int32_t B);
  int32_t IndexOf(const TCustomPlotPanel* Panel) const;
  void Clear();

private:
  friend class TPlotPreviewPanel;
  TPlotPreviewPanel& FOwner;
  std::vector<TCustomPlotPanel*> FItems;
};

// Whether the preview has a printer page to show: a system printer or a
// print-to-file job set on the program's printer.
namespace PlotPreviewPanel {
bool HavePrinters();
}

class TPlotPreviewPanel : public TCustomPlotPanelExtended {
  KV_CLASS(TPlotPreviewPanel, TCustomPlotPanelExtended)
public:
  explicit TPlotPreviewPanel(TComponent* Owner = nullptr);
  ~TPlotPreviewPanel() override;
  void Notification(TComponent* Component, TOperation Operation) override;

  TPlotPanelsList& Panels() { return FPanels; }
  TCustomPlotPanel* GetPanel() const { return FPanels.Count() ? FPanels.Get(0) : nullptr; }
  void SetPanel(TCustomPlotPanel* Value);

  bool AllowResize = true;
  bool AllowMove = true;
  bool DragImage = false;
  bool GetAsBitmap() const { return FAsBitmap; }
  void SetAsBitmap(bool Value) { SetField(FAsBitmap, Value); }
  TPreviewChartPen* Margins() const { return FMargins.get(); }
  void SetMargins(const TChartPen* Value) { FMargins->Assign(Value); }
  TPlotPreviewPanelOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TPlotPreviewPanelOrientation Value);
  TColor GetPaperColor() const { return FPaperColor; }
  void SetPaperColor(TColor Value) { SetField(FPaperColor, Value); }
  TPlotShadow* PaperShadow() const { return FPaperShadow.get(); }
  void SetPaperShadow(const TPlotShadow* Value) { FPaperShadow->Assign(Value); }
  bool GetShowImage() const { return FShowImage; }
  void SetShowImage(bool Value) { SetField(FShowImage, Value); }
  bool GetSmoothBitmap() const { return FSmoothBitmap; }
  void SetSmoothBitmap(bool Value) { SetField(FSmoothBitmap, Value); }
  std::string Title;
  TOnChangeMarginsEvent OnChangeMargins;
  TOnGetPaperRect OnGetPaperRect;
  // The cursor the mouse position asks for; the window showing the panel follows it.
  TCursor GetCursor() const { return FCursor; }
  std::function<void(TCursor)> OnCursorChange;

  // ---- layout ----
  void ApplyOrientation();
  void CalcPaperRect();
  // The panel's place on the sheet from its print margins (15 % without a panel).
  TRect PanelPaperRect(TCustomPlotPanel* Panel);
  // Where the panel was last drawn on the sheet; empty when never.
  TRect PreviewRect(const TCustomPlotPanel* Panel) const;
  // 0 none, 1 left, 2 top, 3 right, 4 bottom, 5 move, 6..9 corners TL, TR, BL, BR.
  int32_t HitTest(int32_t X, int32_t Y) const;
  // The panel rendered into a new bitmap of its size on the sheet.
  std::unique_ptr<TBitmap> RenderPanelBitmap(TCustomPlotPanel* Panel);
  // Prints every panel on one printer page.
  void Print();

  TRect PaperRect;
  TRect MarginRect;
  int32_t DragCode = 0;
  TPoint DragStartPoint;
  TRect DragStartRect;

  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void MouseMove(TShiftState Shift, int32_t X, int32_t Y) override;

protected:
  void DrawContent(const TRect& Rect) override;

private:
  friend class TPlotPanelsList;
  void Watch(TCustomPlotPanel* Panel);
  void Unwatch(TCustomPlotPanel* Panel);
  void DrawPaper();
  void DrawPanel(TCustomPlotPanel* Panel);
  void DrawPanelAsBitmap(TCustomPlotPanel* Panel, const TRect& R);
  void DrawPanelDirect(TCustomPlotPanel* Panel, const TRect& R);
  // Margin lines in not-xor mode on the panel's canvas (while painting) or on
  // the window (while dragging); drawing them twice erases them.
  void DrawMargins(TCanvas& Target);
  void DrawMarginsOnWindow();
  void SetCursorFor(int32_t Code);
  void DragTo(int32_t X, int32_t Y);
  void MarginsFromRect();

  TPlotPanelsList FPanels{*this};
  std::map<const TCustomPlotPanel*, TRect> FPreviewRects;
  bool FAsBitmap = false;
  std::unique_ptr<TPreviewChartPen> FMargins;
  TPlotPreviewPanelOrientation FOrientation = ppoDefault;
  TColor FPaperColor = clWhite;
  std::unique_ptr<TPlotShadow> FPaperShadow;
  bool FShowImage = true;
  bool FSmoothBitmap = true;
  TCursor FCursor = crDefault;
};
