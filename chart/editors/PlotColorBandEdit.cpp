// The colour band tool's editor.
#include "chart/editors/PlotColorBandEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotToolSeriesEdit.h"
#include "chart/series/PlotEdiGrad.h"

using EditorRows::Make;
using PlotToolSeriesEdit::AddTab;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TColorBandToolEditor, TAxisToolEditor) {}

TColorBandToolEditor::TColorBandToolEditor(TComponent* Owner) : TAxisToolEditor(Owner) {
  SetName("ColorBandToolEditor");
  SetClientHeight(180);
  BPattern = Put<TButton>(this, AddRow(Make(K::erBrush, "&Pattern...", "Brush")), this, "BPattern", 160, 30, 70, 25);
  PageControl1 = PlotPenDlg::PlaceControl<TPageControl>(this, "PageControl1", 0, 60, 232, 120);
  TabSheet1 = AddTab(this, PageControl1, "TabSheet1", "Values");
  TabSheet2 = AddTab(this, PageControl1, "TabSheet2", "Options");
  EStart = Put<TEdit>(this, AddRow(Make(K::erRealEdit, "&Start value:", "StartValue")), TabSheet1, "EStart", 72, 8, 70,
                      21, 66);
  EEnd = Put<TEdit>(this, AddRow(Make(K::erRealEdit, "&End value:", "EndValue")), TabSheet1, "EEnd", 72, 40, 70, 21,
                    66);
  Label2 = Row(RowOf(EStart)).Label;
  Label3 = Row(RowOf(EEnd)).Label;
  CBStart = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "Allo&w drag", "ResizeStart")), TabSheet1, "CBStart", 148, 10,
                           80, 17);
  CBEnd = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "Allow &drag", "ResizeEnd")), TabSheet1, "CBEnd", 148, 42, 80,
                         17);
  BStart = Put<TButtonPen>(this, AddRow(Make(K::erPen, "B&order...", "StartLinePen")), TabSheet1, "BStart", 8, 66, 75,
                           25);
  BEnd = Put<TButtonPen>(this, AddRow(Make(K::erPen, "Bo&rder...", "EndLinePen")), TabSheet1, "BEnd", 96, 66, 75, 25);
  ETrans = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Transparency:", "Transparency", 0, 100)), TabSheet2, "ETrans",
                      80, 6, 45, 21, 76);
  UDTrans = Row(RowOf(ETrans)).UpDown;
  UDTrans->SetName("UDTrans");
  Label4 = Row(RowOf(ETrans)).Label;
  Label5 = PlotPenDlg::PlaceControl<TLabel>(this, TabSheet2, "Label5", 4, 36, 72, 13);
  Label5->SetCaption("C&ursor:");
  CBCursor = PlotPenDlg::PlaceControl<TComboFlat>(this, TabSheet2, "CBCursor", 80, 32, 120, 21);
  CBCursor->Style = TComboBoxStyle::csDropDownList;
  Label5->FocusControl = CBCursor;
  BGradient = Put<TButtonGradient>(this, AddRow(Make(K::erGradient, "&Gradient...", "Gradient")), TabSheet2,
                                   "BGradient", 4, 60, 75, 25);
  ButtonColor1 = Put<TButtonColor>(this, AddRow(Make(K::erColor, "&Color...", "Color")), TabSheet2, "ButtonColor1", 84,
                                   60, 75, 25);
  CBDrawBehind = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Draw Behind", "DrawBehind")), TabSheet2,
                                "CBDrawBehind", 4, 90, 100, 17);
  CBBeforeAxes = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Draw Behind A&xes", "DrawBehindAxes")), TabSheet2,
                                "CBBeforeAxes", 108, 90, 120, 17);
  PageControl1->SetActivePage(TabSheet1);
  OnToolShow = [this] { PlotToolSeriesEdit::LoadCursorCombo(CBCursor, Edited(), "Cursor"); };
  CBCursor->OnChange = [this](TObject*) {
    if (!IsLoading()) PlotToolSeriesEdit::WriteCursorCombo(CBCursor, Edited(), "Cursor");
  };
}
