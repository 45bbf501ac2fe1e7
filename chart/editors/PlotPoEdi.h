#pragma once
// The point style editor: visibility, 3-D look, style, sizes, pattern,
// border, default colour, colour each point and gradient of one series
// pointer. Embedded as a series' Format page or "Point" tab, or shown as the
// small "Pointer" dialog for a callout's pointer.
#include "chart/series/PlotPenDlg.h"

class TSeriesPointer;
class TCustomSeries;

class TSeriesPointerEditor : public TEditorPage {
  KV_CLASS(TSeriesPointerEditor, TEditorPage)
public:
  explicit TSeriesPointerEditor(TComponent* Owner);

  TGroupBox* GPPoint;
  TCheckBox *CBDrawPoint, *CB3dPoint, *CBPoDark, *CBInflate;
  TLabel* Label3;
  TPenStyleCombo* CBStyle;
  TLabel *Label1, *Label2;
  TEdit *SEPointHorizSize, *SEPointVertSize;
  TUpDown *UDPointHorizSize, *UDPointVertSize;
  TGroupBox* GroupBox1;
  TButton* BPointFillColor;
  TButtonPen* BPoinPenCol;
  TCheckBox* CBDefBrushColor;
  TCheckBox* CBColorEach;
  TButton* BGradient;
  TPanel* PanelBottom;
  TButton* Button1;

  // The pointer all controls act on (set when the form is shown).
  TSeriesPointer* Pointer() const { return FPointer; }
  void FormShow(TObject* Sender);
  void SetPointerVisible(bool Value);
  void Enable3DControls();
  void CheckDefaultColor();
  void HideSizeControls();
  void CBStyleDrawItem(TCanvas& Canvas, int32_t Index, const TRect& Rect, bool Selected);

private:
  void RowRule(int32_t Row);
  TCustomSeries* TaggedSeries() const;
  TSeriesPointer* FPointer = nullptr;
  bool FShowing = false;
  int32_t FRowVisible = -1, FRow3D = -1, FRowStyle = -1, FRowBrush = -1, FRowPen = -1;
};

namespace PlotPoEdi {
// The editor as a "Point"-like tab of the series page (page index 1), or a
// free form owned by Parent when Parent's owner is no series page.
TForm* InsertPointerEditor(TWinControl* Parent, TSeriesPointer* Pointer, const std::string& Caption);
// The small modal "Pointer" dialog; true when it was shown.
bool ShowPointerEditor(TComponent* Owner, TSeriesPointer* Pointer);
// The twelve style names in ordinal order.
const std::vector<std::string>& PointerStyleNames();
}  // namespace PlotPoEdi
