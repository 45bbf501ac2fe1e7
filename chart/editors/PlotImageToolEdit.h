#pragma once
// The image tool's editor: the picture with a preview, browsing for it,
// clearing it and saving it.
#include "chart/editors/PlotToolSeriesEdit.h"

class TChartImageTool;
class TImage;

class TChartImageToolEditor : public TSeriesToolEditor {
  KV_CLASS(TChartImageToolEditor, TSeriesToolEditor)
public:
  explicit TChartImageToolEditor(TComponent* Owner);
  TGroupBox* GroupBox1;
  TImage* Image1;
  TButton *Button1, *BSave;

  void Button1Click(TObject* Sender);
  void BSaveClick(TObject* Sender);
  // The buttons and the preview follow whether the tool holds a picture.
  void RefreshPicture();

private:
  TChartImageTool* ImageTool() const;
};
