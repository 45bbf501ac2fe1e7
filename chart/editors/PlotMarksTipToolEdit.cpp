// The marks-tip tool's editor.
#include "chart/editors/PlotMarksTipToolEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/editors/PlotEdiSeri.h"
#include "platform/rtl/FreeGuard.h"

using EditorRows::Make;
using PlotToolSeriesEdit::Choice;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TMarksTipToolEdit, TSeriesToolEditor) {}

TMarksTipToolEdit::TMarksTipToolEdit(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("MarksTipToolEdit");
  FirstItem = "(all)";
  RGMouseAction = Put<TRadioGroup>(this, AddRow(Choice(K::erRadio, "Mouse action:", "MouseAction", {"Move", "Click"})),
                                   this, "RGMouseAction", 8, 30, 100, 60);
  // The styles are the series page's marks styles, in their order.
  TEditorRow Styles = Make(K::erCombo, "S&tyle:", "Style");
  {
    TOwned<TFormPlotSeries> SeriesPage(Create<TFormPlotSeries>(nullptr));
    TStrings* Items = SeriesPage->RGMarkStyle->Items();
    for (int32_t i = 0; i < Items->Count(); ++i) Styles.Items.emplace_back(Items->Strings(i), i);
  }
  CBMarkStyle = Put<TComboFlat>(this, AddRow(Styles), this, "CBMarkStyle", 56, 98, 145, 21, 48);
  CBMarkStyle->Style = TComboBoxStyle::csDropDownList;
  Label2 = Row(RowOf(CBMarkStyle)).Label;
  EDelay = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Delay:", "MouseDelay", 0, 30000, 50)), this, "EDelay", 56, 130,
                      55, 21, 48);
  UDDelay = Row(RowOf(EDelay)).UpDown;
  UDDelay->SetName("UDDelay");
  Label3 = Row(RowOf(EDelay)).Label;
  Label4 = PlotPenDlg::PlaceControl<TLabel>(this, "Label4", 118, 134, 40, 13);
  Label4->SetCaption("msec.");
}
