#pragma once
// The base of the editor forms of tools bound to a series: the series combo
// above the rows of the tool's own controls. Every change reaches the tool at
// once; the rows stay silent until the form has been shown.
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>

#include "chart/editors/EditorRows.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/ui/ComCtrls.h"

class TChartSeries;
class TPlotCustomTool;
class TSeriesChart;

using TSeriesFilter = std::function<bool(const TChartSeries* Series)>;

class TSeriesToolEditor : public TEditorPage {
  KV_CLASS(TSeriesToolEditor, TEditorPage)
public:
  explicit TSeriesToolEditor(TComponent* Owner);

  TLabel* Label1;
  TComboFlat* CBSeries;

  // The edited tool: the form's Tag.
  TPlotCustomTool* Tool() const;
  // The tool's published "Series"; none when it has no such property.
  TChartSeries* ToolSeries() const;
  // True from the end of the first FormShow on.
  bool Shown() const { return FShown; }

  void FormShow(TObject* Sender);
  void CBSeriesChange(TObject* Sender);

  // Fills Combo with the series of Chart that the editors list and Accept
  // takes, by title, enabled only when there is one; FirstItem (none when
  // empty) stands first without a series; Series is selected.
  static void FillSeriesCombo(TComboFlat* Combo, TChartSeries* Series, TSeriesChart* Chart,
                              const TSeriesFilter& Accept = {}, const std::string& FirstItem = "(none)");

protected:
  // What a form lists and calls its series-less first item.
  TSeriesFilter AcceptSeries;
  std::string FirstItem = "(none)";
  // The form's own loading, run by FormShow after the rows are filled and
  // before they go live.
  std::function<void()> OnToolShow;
  // Run after the user chose another series.
  std::function<void()> OnSeriesChanged;

private:
  bool FShown = false;
};

namespace PlotToolSeriesEdit {

// A kit row whose items are Names standing for the ordinals 0, 1, ...
TEditorRow Choice(TEditorRowKind Kind, const std::string& Caption, const std::string& Path,
                  std::initializer_list<const char*> Names);
// Puts a page's row control under Parent at the given place; its caption
// label (when it has one) goes LabelWidth pixels to its left.
template <class T>
T* Put(TEditorPage* Page, int32_t Row, TWinControl* Parent, const char* Name, int L, int T_, int W, int H,
       int LabelWidth = 0) {
  TEditorRow& R = Page->Row(Row);
  auto* C = static_cast<T*>(R.Control);
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(L, T_, W, H);
  if (R.UpDown) {
    R.UpDown->SetParent(Parent);
    R.UpDown->SetAssociate(nullptr);
    R.UpDown->SetAssociate(dynamic_cast<TEdit*>(C));
  }
  if (R.Label) {
    R.Label->SetParent(Parent);
    R.Label->SetBounds(std::max(0, L - LabelWidth), T_ + 4, std::max(10, LabelWidth - 4), 13);
    if (auto* W_ = dynamic_cast<TWinControl*>(C)) R.Label->FocusControl = W_;
  }
  return C;
}
// Writes a value through a published property of Object; false when the
// object has no such writable property.
bool SetProperty(TObject* Object, const char* Name, const TPropValue& Value);
// Reads a published property; monostate when there is none.
TPropValue GetProperty(const TObject* Object, const char* Name);
// Lists the cursor names in Combo with the cursor held in Object's published
// Property selected.
void LoadCursorCombo(TComboFlat* Combo, const TObject* Object, const char* Property);
// Writes the cursor chosen in Combo to Object's published Property.
void WriteCursorCombo(const TComboFlat* Combo, TObject* Object, const char* Property);
// A new page of PageControl, owned by Form.
using EditorRows::AddTab;

}  // namespace PlotToolSeriesEdit
