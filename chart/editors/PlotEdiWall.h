#pragma once
// The chart editor's "Walls" page: visibility and size of all walls, and per
// wall (left, right, bottom, back) its size, transparency, colour, border,
// pattern, gradient and switches.
#include "chart/engine/Chart.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TabCtrls.h"

class TFormPlotWall : public TForm {
  KV_CLASS(TFormPlotWall, TForm)
public:
  TFormPlotWall(TComponent* Owner, TChartWall* Wall);
  explicit TFormPlotWall(TComponent* Owner) : TFormPlotWall(Owner, nullptr) {}

  TPanel* Panel1;
  TCheckBox* CBView3dWalls;
  TLabel* LAllSize;
  TEdit* EAllSize;
  TUpDown* UDAllSize;
  TTabControl* TabSubWalls;
  TLabel *LWallSize, *LTransp;
  TEdit *SEWallSize, *Edit1;
  TUpDown *UDWallSize, *UDTransp;
  TButtonColor* BWallColor;
  TButtonPen* BWallPen;
  TButton* BWallBrush;
  TCheckBox *CBTransp, *CBDark3D;
  TButtonGradient* BGradient;
  TCheckBox *CBVisible, *CBAutoHide;

  TChartWall* Wall() const { return FWall; }
  // Edits another wall of the same chart (the chart editor's tree).
  void SetWall(TChartWall* Wall) { FWall = Wall; }
  void FormShow(TObject* Sender);
  void TabSubWallsChange(TObject* Sender);
  void RefreshWall();

private:
  TCustomChart* Chart() const;
  bool Showing() const { return FShowing && FWall; }
  TChartWall* FWall;
  bool FShowing = false;
  bool FSettingAllSizes = false;
};
