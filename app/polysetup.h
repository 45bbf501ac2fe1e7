#pragma once
// The "Section setup" dialog of the model chart: plot margins, the colours of
// the four kinds of model nodes, the look of the chart's three work series and
// the font of the polygon labels. The series and the font change at once; the
// margins and colours on "Apply" or "Close".

#include <string>

#include "platform/rtl/WeakRef.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Spin.h"
#include "platform/ui/StdCtrls.h"

class TPolygonChart;
class TdfsColorButton;
class TabcPicBtn;

class TPolysetupForm : public TForm {
  KV_CLASS(TPolysetupForm, TForm)
 public:
  explicit TPolysetupForm(TComponent* AOwner);

  TGroupBox* GroupBox1 = nullptr;  // "Box margins (pixels)"
  TSpinEdit* PSLeftval = nullptr;
  TSpinEdit* PStopval = nullptr;
  TSpinEdit* PSRightval = nullptr;
  TSpinEdit* PSBottomval = nullptr;
  TGroupBox* GroupBox2 = nullptr;             // "Node colors"
  TdfsColorButton* PSMinContour = nullptr;    // "  Internal"
  TdfsColorButton* dfsColorButton1 = nullptr;  // "  External"
  TdfsColorButton* dfsColorButton2 = nullptr;  // "  Fixed"
  TdfsColorButton* dfsColorButton3 = nullptr;  // " Border"
  TGroupBox* GroupBox3 = nullptr;             // "Series parameters"
  TSpeedButton* SpeedButton1 = nullptr;       // "  Work series 1": the model outline
  TSpeedButton* SpeedButton2 = nullptr;       // "  Work series 2": the rubber band
  TSpeedButton* SpeedButton3 = nullptr;       // "  Work series 3": the mesh preview
  TSpeedButton* SpeedButton4 = nullptr;       // " Marks font"
  TabcPicBtn* abcPicBtn3 = nullptr;           // "Apply"
  TabcPicBtn* abcPicBtn1 = nullptr;           // "Default"
  TabcPicBtn* abcPicBtn4 = nullptr;           // "Close"

  TPolygonChart* Chart() const { return FChart.Get(); }
  // Controls := the chart's margins and node colours.
  void LoadFromChart(TPolygonChart& Chart);
  // Checks the margins and writes them and the colours into the chart only when
  // all are good; false, with Problem naming the field, its text and its range.
  bool StoreToChart(std::string& Problem);
  // Stores, loads again and repaints; false, after telling why, when a field is bad.
  bool Apply();

  void abcPicBtn3Click(TObject* Sender);  // "Apply"
  void abcPicBtn4Click(TObject* Sender);  // "Close"
  void abcPicBtn1Click(TObject* Sender);  // "Default"
  void SpeedButton1Click(TObject* Sender);
  void SpeedButton2Click(TObject* Sender);
  void SpeedButton3Click(TObject* Sender);
  void SpeedButton4Click(TObject* Sender);
  // Kept for the form's handler table; no control fires it.
  void Button1Click(TObject* /*Sender*/) {}

 private:
  void EditWorkSeries(int Index);
  void RepaintChart();
  WeakRef<TPolygonChart> FChart;
};

namespace polysetup {
// The model chart's "Setup": a dialog made for this use, loaded from the chart,
// shown modally and freed.
int ShowSectionSetup(TPolygonChart& Chart);
}  // namespace polysetup
