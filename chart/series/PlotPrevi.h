#pragma once
// The print-preview dialog: one chart, or a page of several charts, on a
// sheet with the printer's aspect; printer, orientation, margins, detail,
// printing and saving the page as a picture.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/series/PlotExport.h"
#include "chart/series/PlotPreviewPanel.h"

class TPlotPanelControl;

// The page navigator of multi-page charts, made by the chart editor: the
// dialog places it, hands it the previewed panel and asks it to print.
class TChartPageNavigatorBase : public TWinControl {
  KV_CLASS(TChartPageNavigatorBase, TWinControl)
public:
  explicit TChartPageNavigatorBase(TComponent* Owner) : TWinControl(Owner) {}
  virtual void SetPanel(TCustomPlotPanel* Panel) = 0;
  virtual int32_t PageCount() = 0;
  // Prints the pages (asking for a range when there are several).
  virtual void PrintPages() = 0;
  // Fired when the person turns to another page.
  TNotifyEvent OnPageChanged;
};
using TChartPageNavigatorClass = std::function<TChartPageNavigatorBase*(TComponent* Owner)>;

class TChartPreview : public TForm {
  KV_CLASS(TChartPreview, TForm)
public:
  explicit TChartPreview(TComponent* Owner);
  ~TChartPreview() override;
  void BeforeDestruction() override;

  // ---- steps of the dialog (the handlers call them) ----
  void FormShow();
  void ApplyProportional();
  // Index 0 left, 1 top, 2 right, 3 bottom.
  void MarginEdited(int32_t Index);
  void ResetMargins();
  void ChangeMargins(bool DisableProportional, const TRect& NewMargins);
  void ProportionalClicked();
  void PrinterChosen();
  void OrientationClicked();
  void SetupPrinter();
  void PrintClick();
  void SaveClick();
  // The sheet rendered off-screen (margin lines included when shown).
  std::unique_ptr<TBitmap> SheetBitmap();
  void WriteMarginEdits();

  TCustomPlotPanel* PreviewedPanel() const { return PlotPreviewPanel1->GetPanel(); }

  TRect SavedMargins;
  bool UpdatingEdits = true;
  bool UpdatingProportional = false;
  TChartPageNavigatorClass PageNavigatorClass;
  TChartPageNavigatorBase* PageNavigator = nullptr;

  TPanel* Panel1;
  TLabel* LabelPrinters;
  TComboBox* CBPrinters;
  TPanel* Panel3;
  TButton *BSetupPrinter, *BPrint, *Button1;
  TPanel* PanelClose;
  TButton* BClose;
  TPanel* Panel2;
  TRadioGroup* Orientation;
  TGroupBox* GBMargins;
  TEdit *SELeftMa, *SETopMa, *SERightMa, *SEBotMa;
  TUpDown *UDLeftMa, *UDTopMa, *UDRightMa, *UDBotMa;
  TGroupBox* ChangeDetailGroup;
  TTrackBar* Resolution;
  TLabel *LabelMore, *LabelNormal;
  TPanel* PanelMargins;
  TButton* BReset;
  TCheckBox* ShowMargins;
  TPanel* Panel4;
  TCheckBox *CBProp, *CheckBox1;
  TPlotPreviewPanel* PlotPreviewPanel1;
  TPlotPanelControl* PreviewControl;
  TPrintDialog* PrinterSetupDialog1;

private:
  void BuildPrinterRow();
  void BuildOptions();
  TUpDown* MarginUpDown(int32_t Index) const;
  int32_t& MarginField(TRect& R, int32_t Index) const;
  void ListPrinters();
  void ShowPrinterOrientation();
  bool FRevertingEdit = false;
};

namespace PlotPrevi {
// One chart; the chart is repainted afterwards, also after an error.
void ShowChartPreview(TComponent* Owner, TCustomPlotPanel* Chart);
// A page stacking two section views and the model chart.
void PreviewThreeCharts(TForm* MainForm, TCustomPlotPanel* Section1, TCustomPlotPanel* Section2,
                        TCustomPlotPanel* Model);
// A page stacking one section view and the model chart.
void PreviewTwoCharts(TForm* MainForm, TCustomPlotPanel* Section, TCustomPlotPanel* Model);
// For a dialog embedded in another form.
void HideCloseButtonPanel(TChartPreview* Dialog);
}  // namespace PlotPrevi

namespace pngun {
// Rewrites a BMP file as a PNG file of the same name (truecolour RGB, 16 bits per sample).
void BmpFileToPng(const std::string& FileName);
}  // namespace pngun
