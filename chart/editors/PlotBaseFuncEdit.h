#pragma once
// The base of the function parameter forms. A form loads its function when
// shown (SetFunction) and writes it back when it closes (ApplyFormChanges,
// between the function's BeginUpdate and EndUpdate). Every field is checked
// before anything is written: a bad field is named in one message and the
// function stays as it was. Most forms are tables of rows, each binding an
// edit, an up-down, a check box or a pen button to one published property.
#include <deque>
#include <string>
#include <vector>

#include "chart/engine/PlotEngine_Series.h"
#include "chart/series/PlotPenDlg.h"


enum class TParamKind { pkInteger, pkReal, pkCheck, pkPen };

// One row of a parameter form: the property it edits and its controls.
struct TParamRow {
  TParamKind Kind = TParamKind::pkInteger;
  std::string Caption;   // label (or check box / button) caption
  std::string Property;  // published property of the function
  std::string Name;      // the control's name
  std::string UpDownName;  // an integer row with an up-down: the up-down's name
  std::string Text;        // the edit's text (or "1" to tick a check box) before any load
  int32_t Min = 0, Max = 0;
  // Real rows: the range the property takes (none when Low > High).
  double Low = 1, High = 0;
  TLabel* Label = nullptr;
  TEdit* Edit = nullptr;
  TUpDown* UpDown = nullptr;
  TCheckBox* Check = nullptr;
  TButtonPen* Pen = nullptr;
};

namespace PlotBaseFuncEdit {
TParamRow UpDownRow(const char* Caption, const char* Property, const char* Name, const char* UpDownName, int32_t Min,
                    int32_t Max, int32_t Position);
// A whole number typed without an up-down; Min..Max bound it.
TParamRow IntegerRow(const char* Caption, const char* Property, const char* Name, const char* Text, int32_t Min,
                     int32_t Max);
TParamRow RealRow(const char* Caption, const char* Property, const char* Name, const char* Text, double Low = 1,
                  double High = 0);
TParamRow CheckRow(const char* Caption, const char* Property, const char* Name, bool Checked);
TParamRow PenRow(const char* Caption, const char* Property, const char* Name);
// A caption as a field name in messages: "Period &1:" -> "Period 1".
std::string FieldName(const std::string& Caption);
}  // namespace PlotBaseFuncEdit

class TBaseFunctionEditor : public TForm {
  KV_CLASS(TBaseFunctionEditor, TForm)
public:
  explicit TBaseFunctionEditor(TComponent* Owner);

  // The edited function (none while the series has no function of the form's class).
  TPlotFunction* TheFunction() const { return FFunction.Get(); }
  // The series the function feeds: its parent, else the series a new function is for.
  TChartSeries* EditedSeries() const;

  // What a new function is made of when the form closes with none: set by
  // the source editor that hosts the form.
  TClass NewFunctionClass = nullptr;
  WeakRef<TChartSeries> NewFunctionSeries;

  // Writes the controls into the function.
  virtual void ApplyFormChanges();
  // Loads the function into the controls.
  virtual void SetFunction();
  // Fills lists the controls offer; run at every show, also without a function.
  virtual void FillControls() {}
  // Checks every field; false with one line per bad field in Message.
  virtual bool CheckFormChanges(std::string& Message);

  // A control changed: the host's "&Apply" lights up (nothing while loading).
  void EnableApply();
  bool Changed() const { return FChanged; }
  bool Loading() const { return FLoading; }
  // The series of the function's chart that editors list (objects = series).
  void FillSeries(TStrings* List) const;

  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);

protected:
  // Adds a row below the previous one and makes its controls.
  TParamRow& AddParam(TParamRow Row);
  void LoadParams();
  void WriteParams();
  bool CheckParams(std::vector<std::string>& Problems) const;
  // The next free top of the row layout (forms placing extra controls move it).
  int32_t NextTop = 8;

private:
  TPlotFunction* MakeFunction();
  std::deque<TParamRow> FRows;
  WeakRef<TPlotFunction> FFunction;
  bool FLoading = false;
  bool FChanged = false;
};
