// The data table tool's editor.
#include "chart/editors/PlotDataTableEditor.h"

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotSymbolEditor.h"
#include "chart/editors/PlotToolSeriesEdit.h"
#include "chart/extras/PlotDataTableTool.h"
#include "chart/series/PlotEdiFont.h"

using EditorRows::Make;
using PlotPenDlg::PlaceControl;
using PlotToolSeriesEdit::AddTab;
using PlotToolSeriesEdit::Put;
using K = TEditorRowKind;

KV_CLASS_IMPL(TDataTableEditor, TEditorPage) {}

TDataTableEditor::TDataTableEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("DataTableEditor");
  SetCaption("DataTable editor");
  SetClientWidth(300);
  BeginLoading();
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 0, 0, 300, 220);
  PageControl1->SetAlign(TAlign::alClient);
  TabFormat = AddTab(this, PageControl1, "TabFormat", "Format");
  TabText = AddTab(this, PageControl1, "TabText", "Text");
  TabLegend = AddTab(this, PageControl1, "TabLegend", "Legend");

  ButtonPen1 = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Rows...", "RowPen")), TabFormat, "ButtonPen1", 8, 8, 80,
                               25);
  ButtonPen2 = Put<TButtonPen>(this, AddRow(Make(K::erPen, "&Columns...", "ColumnPen")), TabFormat, "ButtonPen2", 8,
                               40, 80, 25);
  CBInverted = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Inverted", "Inverted")), TabFormat, "CBInverted", 8, 76,
                              90, 17);
  GroupBox1 = PlaceControl<TGroupBox>(this, TabFormat, "GroupBox1", 120, 4, 160, 110);
  GroupBox1->SetCaption("Position:");
  CBAutoPos = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Automatic", "AutoPosition")), GroupBox1, "CBAutoPos", 8,
                             18, 100, 17);
  Edit1 = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Left:", "Left", -1000, 1000)), GroupBox1, "Edit1", 56, 44, 55,
                     21, 48);
  Edit2 = Put<TEdit>(this, AddRow(Make(K::erUpDown, "&Top:", "Top", -1000, 1000)), GroupBox1, "Edit2", 56, 74, 55, 21,
                     48);
  UDLeft = Row(RowOf(Edit1)).UpDown;
  UDLeft->SetName("UDLeft");
  UDTop = Row(RowOf(Edit2)).UpDown;
  UDTop->SetName("UDTop");
  Label1 = Row(RowOf(Edit1)).Label;
  Label2 = Row(RowOf(Edit2)).Label;

  PageControl2 = PlaceControl<TPageControl>(this, TabLegend, "PageControl2", 0, 0, 292, 190);
  PageControl2->SetAlign(TAlign::alClient);
  TabLegFormat = AddTab(this, PageControl2, "TabLegFormat", "Format");
  TabLegSymbol = AddTab(this, PageControl2, "TabLegSymbol", "Symbol");
  TabLegText = AddTab(this, PageControl2, "TabLegText", "Text");
  CBLegVisible = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Visible", "Legend.Visible")), TabLegFormat,
                                "CBLegVisible", 8, 8, 120, 17);
  CBFontColor = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "Font Series &Color", "Legend.FontSeriesColor")),
                               TabLegFormat, "CBFontColor", 8, 32, 140, 17);
  CBOtherSide = Put<TCheckBox>(this, AddRow(Make(K::erCheck, "&Other Side", "Legend.OtherSide")), TabLegFormat,
                               "CBOtherSide", 8, 56, 120, 17);
  PageControl1->SetActivePage(TabFormat);
  PageControl2->SetActivePage(TabLegFormat);
  SetClientHeight(220);
  OnRowChanged = [this](TEditorPage&, int32_t R) {
    if (R == RowOf(CBAutoPos)) EnablePosition();
  };
  OnShow = [this](TObject* S) { FormShow(S); };
}

TDataTableTool* TDataTableEditor::Tool() const { return dynamic_cast<TDataTableTool*>(Edited()); }

void TDataTableEditor::EnablePosition() {
  const bool Manual = !CBAutoPos->GetChecked();
  for (TControl* C : std::initializer_list<TControl*>{Edit1, Edit2, UDLeft, UDTop}) C->SetEnabled(Manual);
}

void TDataTableEditor::FormShow(TObject*) {
  if (TDataTableTool* T = Tool()) {
    BeginLoading();
    LoadControls();
    EnablePosition();
    if (!FontEditor) {
      // Owned by their tabs: two font editors share one name.
      FontEditor = Create<TPlotFontEditor>(TabText);
      PlotPenDlg::EmbedEditorInTab(FontEditor, TabText);
      LegendFontEditor = Create<TPlotFontEditor>(TabLegText);
      PlotPenDlg::EmbedEditorInTab(LegendFontEditor, TabLegText);
      SymbolEditor = Create<TSymbolEditor>(this);
      PlotPenDlg::EmbedEditorInTab(SymbolEditor, TabLegSymbol, T->Legend()->Symbol());
    }
    FontEditor->SetEditedFont(T->Font());
    LegendFontEditor->SetEditedFont(T->Legend()->Font());
    EndLoading();
  }
  if (!FShown) {
    FShown = true;
    EndLoading();
  }
}
