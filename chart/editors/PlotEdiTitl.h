#pragma once
// The chart editor's "Titles" page: text, visibility, frame, alignment and
// position of the chart's four titles, with the title's shape pages.
#include "chart/engine/Chart.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TFormPlotShape;

class TFormPlotTitle : public TForm {
  KV_CLASS(TFormPlotTitle, TForm)
public:
  TFormPlotTitle(TComponent* Owner, TChartTitle* Title, TCustomChart* Chart);
  explicit TFormPlotTitle(TComponent* Owner) : TFormPlotTitle(Owner, nullptr, nullptr) {}

  TPanel* Panel1;
  TComboFlat* CBTitles;
  TPageControl* PageControlTitle;
  TTabSheet *TabSheet1, *TabSheet2;
  TPanel* Panel2;
  TLabel *LText, *LAlign;
  TCheckBox *CBVisible, *CBAdjust;
  TComboFlat* CBAlign;
  TMemo* MText;
  TCheckBox* CBCustPos;
  TLabel *LLeft, *LTop;
  TEdit *ECustLeft, *ECustTop;
  TUpDown *UDLeft, *UDTop;

  TChartTitle* Title() const { return FTitle; }
  TFormPlotShape* ShapeEditor() const { return FShapeEditor; }

  void FormShow(TObject* Sender);
  // Edits the chart title at CBTitles' index (Title, SubTitle, SubFoot, Foot).
  void CBTitlesChange(TObject* Sender);
  void RefreshTitle();
  void EnableCustomPosition();

private:
  TCustomChart* FChart;
  TChartTitle* FTitle;
  TFormPlotShape* FShapeEditor = nullptr;
  bool FCreating = true;
  bool FAssigningText = false;
};
