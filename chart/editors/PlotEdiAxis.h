#pragma once
// The axis editor: scales (automatic or fixed limits, logarithmic scale with
// its base and the LinLog options, increment), title, labels, ticks, minor
// ticks and position of one axis, with a list of the chart's axes at the
// side. Serves as the chart editor's "Axis" page and as the stand-alone
// dialog of an axis's pop-up menu. Every change reaches the axis at once.
#include <cstdint>
#include <functional>

#include "chart/engine/PlotEngine.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"

class TCustomAxisPanel;
class TPlotFontEditor;
class TSeriesChart;

class TFormPlotAxis : public TEditorPage {
  KV_CLASS(TFormPlotAxis, TEditorPage)
public:
  TFormPlotAxis(TComponent* Owner, TChartAxis* Axis);
  explicit TFormPlotAxis(TComponent* Owner) : TFormPlotAxis(Owner, nullptr) {}

  TPageControl* PageAxis;
  TTabSheet *TabScales, *TabTitle, *TabLabels, *TabTicks, *TabMinorTicks, *TabPositions;
  // ---- axes list ----
  TPanel* Panel1;
  TLabel* Label1;
  TCheckBox *CBShow, *CBAxisBeh;
  TListBox* LBAxes;
  TButton *BAdd, *BDelete;
  // ---- Scales ----
  TCheckBox *CBAutomatic, *CBLogarithmic, *CBInverted, *CBVisible;
  TLabel* LIncrement;
  TLabel* LAxisIncre;
  TButton* BIncre;
  TLabel* LBase;
  TEdit* ELogBase;
  TCheckBox* LogE;
  TGroupBox* GroupBox1;
  TLabel* LDecShift;
  TEdit* SpinEdit1;
  TUpDown* UDDecShift;
  TCheckBox* CheckBox1;
  TEdit* Edit3;
  TCheckBox* CheckBox2;
  TGroupBox *GBMinimum, *GBMaximum;
  TCheckBox *CBAutoMin, *CBAutoMax;
  TLabel *LAxisMin, *LAxisMax;
  TButton *BAxisMin, *BAxisMax;
  TLabel *LMinOff, *LMaxOff;
  TEdit *EMinOff, *EMaxOff;
  TUpDown *UDMinOff, *UDMaxOff;
  // ---- Title ----
  TPageControl* PageTitle;
  TTabSheet *TabTitleStyle, *TabTitleFont;
  TLabel* LTitle;
  TEdit* ETitle;
  TLabel *LTitleAngle, *LTitleSize;
  TEdit *SETitleAngle, *SETitleSize;
  TUpDown *UDTitleAngle, *UDTitleSize;
  TCheckBox* CBTitleVisible;
  // ---- Labels ----
  TPageControl* PageLabels;
  TTabSheet *TabLabStyle, *TabLabFormat, *TabLabelsFont;
  TCheckBox *CBLabels, *CBMultiline, *CBOnAxis, *CBRoundFirst, *CBAlternate;
  TLabel *LLabelsSize, *LLabelsAngle, *LSepar;
  TEdit *SELabelsSize, *SELabelsAngle, *SESepar;
  TUpDown *UDLabelsSize, *UDLabelsAngle, *UDSepar;
  TLabel* Label3;
  TComboFlat* CBLabelStyle;
  TLabel* LFormat;
  TComboFlat* CBFormat;
  TButton* Button1;
  TCheckBox *CBExpo, *CBLabelAlign;
  // ---- Ticks ----
  TButtonPen *BAxisPen, *BTickPen, *BTickInner, *BAxisGrid;
  TLabel *LAxisTickLength, *LInnerTicksLength;
  TEdit *SEAxisTickLength, *SEInnerTicksLength;
  TUpDown *UDAxisTickLength, *UDInnerTicksLength;
  TCheckBox *CBTickOnLabels, *CBGridCentered;
  TLabel* Label6;
  TEdit* Edit2;
  TUpDown* UDGridZ;
  // ---- Minor ----
  TButtonPen *BTickMinor, *BMinorGrid;
  TLabel *LMinorTickLen, *LMinorCount;
  TEdit *SEAxisMinorTickLen, *SEMinorCount;
  TUpDown *UDAxisMinorTickLen, *UDMinorCount;
  // ---- Position ----
  TLabel *LPos, *LStart, *LEnd, *LabelZ, *LPosUnits;
  TEdit *EPos, *EStart, *EEnd, *Edit1;
  TUpDown *UDPos, *UDStart, *UDEnd, *UDZ;
  TComboFlat* CBPosUnits;
  TCheckBox *CBOtherSide, *CBHorizAxis;

  TChartAxis* TheAxis() const { return FAxis; }
  // Called after "Horizontal" changed a custom axis (the chart editor
  // refreshes its series page's axis lists).
  std::function<void(TChartAxis* Axis)> OnHorizontalChange;
  bool Changing() const { return FChanging; }
  TPlotFontEditor* LabelsFontEditor() const { return FLabelsFont; }
  TPlotFontEditor* TitleFontEditor() const { return FTitleFont; }

  void FormShow(TObject* Sender);
  void PageAxisChanging(TObject* Sender, bool& AllowChange);
  // Copies the axis into the controls (the refresh after a page or axis change).
  void PageAxisChange(TObject* Sender);
  void LBAxesClick(TObject* Sender);
  void BAddClick(TObject* Sender);
  void BDeleteClick(TObject* Sender);
  void RefreshScales();
  // The limit dialog for the minimum (false) or maximum (true).
  void EditLimit(bool Maximum);
  // The axis as the chart names it (its title, or its place when untitled).
  std::string AxisName() const;
  void BIncreClick(TObject* Sender);
  void Button1Click(TObject* Sender);

private:
  void BuildScales();
  void BuildTitle();
  void BuildLabels();
  void BuildTicks();
  void BuildPositions();
  void FillAxesList();
  void SelectAxisInList();
  void RefreshBaseControls();
  void RefreshLabelsFormat();
  void RefreshOtherTabs();
  void SetChanging(bool Value);
  TCustomAxisPanel* Chart() const;
  // The limit as shown in the limit labels and the limit dialog, and back.
  double ShownLimit(double Value) const;
  double StoredLimit(double Shown, double Current) const;
  void AutomaticClick();
  void LogarithmicClick();
  void LogBaseChange();
  void LogEClick();
  void DecShiftChange();
  void MinDecClick();
  void MinDecValueChange();
  void RoundedLimitsClick();
  void AutoLimitClick(bool Maximum);
  void StartChange();
  void EndChange();
  void HorizAxisClick();

  TChartAxis* FAxis;
  bool FChanging = true;
  bool FRefreshing = false;
  bool FSettingBase = false;
  TPlotFontEditor* FLabelsFont = nullptr;
  TPlotFontEditor* FTitleFont = nullptr;
};

namespace PlotEdiAxis {
// The stand-alone dialog on Axis of Chart; nothing for an axis of another chart.
void ShowAxisEditor(TSeriesChart* Chart, TChartAxis* Axis);
// The text of item Index of the axes list ("Left Axis", ... "Custom 0", ...).
std::string AxisListText(int32_t Index);
}  // namespace PlotEdiAxis
