#pragma once
// The format page of a map series: the series' brush and border, and the
// polygons one by one (text, Z, pen, brush, gradient, colour, closing,
// visibility, transparency and their points in a data grid). The palette
// page is added as the tab "Grid 3D" of the series page.
#include "chart/editors/PlotChartGrid.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotLisB.h"
#include "chart/series/PlotPenDlg.h"

#include "chart/series/PlotMapSeries.h"

// The polygon list: its items are the polygons' point series in polygon
// order, so the list's own series gestures (insert, delete, rename, drag) are off.
class TPolygonListBox : public TChartListBox {
  KV_CLASS(TPolygonListBox, TChartListBox)
public:
  explicit TPolygonListBox(TComponent* Owner);
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
};

class TMapSeriesEditor : public TEditorPage {
  KV_CLASS(TMapSeriesEditor, TEditorPage)
public:
  explicit TMapSeriesEditor(TComponent* Owner);
  ~TMapSeriesEditor() override;
  // Frees the palette page with this page.
  void BeforeDestruction() override;

  TPageControl* PageControl2;
  TTabSheet *TabGlobal, *TabShapes;
  TButton* BMapBrush;
  TButtonPen* ButtonPen1;
  TPanel* Panel1;
  TPolygonListBox* ChartListBox1;
  TPanel* Panel2;
  TSpeedButton *SBAdd, *SBDelete;
  TSplitter* Splitter1;
  TPageControl* PageControl1;
  TTabSheet *TabValues, *TabFormat, *TabData;
  TLabel *Label3, *ShapeIndex, *Label2, *Label1;
  TEdit *EText, *EditZ;
  TButtonPen* ButtonPen2;
  TCheckBox* CBGlobalPen;
  TButton* BBrush;
  TCheckBox* CBGlobalBrush;
  TButtonGradient* BGradient;
  TButtonColor* ButtonColor1;
  TCheckBox *CBDefaultColor, *CBClosed, *CBVisible;
  TLabel* Label4;
  TEdit* ETransp;
  TUpDown* UDTransp;
  TChartGrid* ChartGrid1;
  TChartGridNavigator* ChartGridNavigator1;

  TMapSeries* Series() const { return FSeries.Get(); }
  // The polygon of the selected item; none without a selection.
  TPlotPolygon* SelectedPolygon() const;
  TForm* PaletteForm() const { return FPaletteForm.Get(); }

  void FormShow(TObject* Sender);
  void FillList();
  void ChartListBox1Click(TObject* Sender);
  void SBAddClick(TObject* Sender);
  void SBDeleteClick(TObject* Sender);
  void PageControl2Change(TObject* Sender);
  void EditZChange(TObject* Sender);
  void ETextChange(TObject* Sender);

private:
  void EnablePages(bool Value);
  void DefaultRule();
  void PolygonRowChanged(int32_t Row);
  void RepaintSeries();
  WeakRef<TMapSeries> FSeries;
  WeakRef<TForm> FPaletteForm;
  // The rows that edit the selected polygon through its property table.
  TEditorPage* FPolygonKit = nullptr;
  bool FLoadingPolygon = false;
  int32_t FRowPen = -1, FRowBrush = -1, FRowGradient = -1, FRowColor = -1;
};
