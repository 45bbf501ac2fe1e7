#pragma once
// The editor forms of the two grid tools: the surface-nearest tool's surface
// and colours, and the grid-transpose tool's series with its button. Both
// are series tool editors listing only the series their tool takes.
#include "chart/editors/PlotToolSeriesEdit.h"

class TSurfaceNearestTool;
class TGridTransposeTool;

// The tool is the form's Tag.
class TSurfaceNearest : public TSeriesToolEditor {
  KV_CLASS(TSurfaceNearest, TSeriesToolEditor)
public:
  explicit TSurfaceNearest(TComponent* Owner);

  TButtonColor *ButtonColor1, *ButtonColor2, *ButtonColor3;
  TCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6;

private:
  TSurfaceNearestTool* NearestTool() const;
  void LoadColours();
  // Sets one colour of the tool from a "Default" or "None" box.
  void SetColour(const char* Property, TColor Value, TButtonColor* Button);
};

class TGridTransposeToolEdit : public TSeriesToolEditor {
  KV_CLASS(TGridTransposeToolEdit, TSeriesToolEditor)
public:
  explicit TGridTransposeToolEdit(TComponent* Owner);

  TButton* BTranspose;

  void BTransposeClick(TObject* Sender);

private:
  TGridTransposeTool* TransposeTool() const;
};

namespace PlotGridToolEdit {

// Registers both forms by class name for the chart editor's tool page.
void Initialize();

}  // namespace PlotGridToolEdit
