#pragma once
// The annotation tool's editor: text, alignment and cursor; automatic or
// custom position and units; automatic or custom size; the callout's border,
// pointer, position, distance and arrow head; and the shape's own pages.
#include "chart/series/PlotPenDlg.h"
#include "platform/ui/ComCtrls.h"

class TAnnotationTool;
class TFormPlotShape;
class TMemo;

class TAnnotationToolEdit : public TEditorPage {
  KV_CLASS(TAnnotationToolEdit, TEditorPage)
public:
  explicit TAnnotationToolEdit(TComponent* Owner);
  TPageControl* PageControl1;
  TTabSheet *TabOptions, *TabPosition, *TabSize, *TabCallout;
  // Options
  TLabel *Label1, *Label2, *Label3;
  TMemo* MemoText;
  TComboFlat *CBTextAlign, *CBCursor;
  // Position
  TLabel *Label4, *Label5, *Label6, *Label7;
  TComboFlat *CBPos, *CBUnits;
  TCheckBox* CBCustPos;
  TEdit *ECustLeft, *ECustTop;
  TUpDown *UDLeft, *UDTop;
  // Size
  TCheckBox* CBAutoSize;
  TLabel *Label8, *Label9;
  TEdit *ECustWidth, *ECustHeight;
  TUpDown *UDWidth, *UDHeight;
  // Callout
  TButtonPen* BCalloutPen;
  TButton* BCalloutPointer;
  TGroupBox* GroupBox1;
  TLabel *Label10, *Label11, *Label12, *Label13, *Label14, *Label15;
  TEdit *EX, *EY, *EZ, *EArrowDist, *Edit1;
  TUpDown *UDArrowDist, *UDHeadSize;
  TComboFlat* CBHead;
  // The shape pages moved into PageControl1.
  TFormPlotShape* ShapeEditor;

  TAnnotationTool* Tool() const;
  void FormShow(TObject* Sender);
  // The left/top controls follow the custom position; the width/height
  // controls follow the automatic size.
  void RefreshPosition();
  void RefreshSize();

private:
  void RowRule(int32_t Row);
  void LoadMemo();
  void LoadCalloutEdits();
  bool FShown = false;
};
