#pragma once
// The palette page of every 3-D palette series: grid size and depth, and the
// colouring mode (one colour, a colour range or a stepped palette) with its
// colours and palette settings. Every change is written to the series at once.
#include "chart/editors/PlotEdiSeri.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotPenDlg.h"

#include "chart/series/PlotSurfa.h"
class TCustomAxisPanel;

class TGrid3DSeriesEditor : public TEditorPage, public ChartEventListener {
  KV_CLASS(TGrid3DSeriesEditor, TEditorPage)
public:
  explicit TGrid3DSeriesEditor(TComponent* Owner);
  ~TGrid3DSeriesEditor() override;
  void BeforeDestruction() override;

  TGroupBox* GroupBox2;
  TLabel *LXGrid, *LZGrid, *LDepth;
  TEdit *SEXGrid, *SEZGrid, *EDepth;
  TUpDown *UDXGrid, *UDZGrid, *UDDepth;
  TCheckBox* CBIrreg;
  TPageControl* PageControl1;
  TTabSheet *TabSingle, *TabRange, *TabPalette;
  TButtonColor* BColor;
  TButton* BRemove;
  TButtonColor *BFromColor, *BMidColor, *BToColor;
  TCheckBox* CheckBox1;
  TButton *Button1, *Button2;
  TLabel* LPalette;
  TEdit* SEPalette;
  TUpDown* UDPalette;
  TLabel* LPalStyle;
  TComboFlat* CBPalStyle;
  TCheckBox* CBUseMin;
  TLabel *LPaletteMin, *LPaletteStep;
  TEdit *EPaletteMin, *EPaletteStep;
  TLabel* LLegendEvery;
  TEdit* Edit1;
  TUpDown* UDLegendEvery;
  TTimer* Timer1;

  TCustom3DPaletteSeries* Series() const { return FSeries.Get(); }
  bool Loading() const { return FLoading; }
  void FormShow(TObject* Sender);
  void PageControl1Change(TObject* Sender);
  void Button2Click(TObject* Sender);
  void PlotEvent(TPlotEvent& Event) override;

private:
  void RowRule(int32_t Row);
  void NoMiddleRule();
  void GridSizeChange();
  WeakRef<TCustom3DPaletteSeries> FSeries;
  WeakRef<TCustomAxisPanel> FListened;
  bool FLoading = true;
  int32_t FRowUseMin = -1, FRowMid = -1;
};

namespace PlotGriEd {
// The palette page as the tab "Grid 3D" of the series page (or a free form).
TForm* InsertGrid3DEditor(TWinControl* Parent, TCustom3DPaletteSeries* Series);
}  // namespace PlotGriEd
