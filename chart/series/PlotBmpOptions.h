#pragma once
// The bitmap picture format: a colour depth or monochrome, chosen on an
// options form.
#include "chart/series/PlotExport.h"

class TBMPOptions : public TForm {
  KV_CLASS(TBMPOptions, TForm)
public:
  explicit TBMPOptions(TComponent* Owner);
  TCheckBox* CBMono;
  TLabel* LabelColors;
  TComboBox* CBColors;
  // The colour choice goes back to "Default".
  void ResetColors();

protected:
  void VisibleChanged() override;
};

class TBMPExportFormat : public TPlotExportFormat {
  KV_CLASS(TBMPExportFormat, TPlotExportFormat)
public:
  TBMPExportFormat() = default;
  void CopyToClipboard() override;
  std::string Description() override;
  std::string FileExtension() override;
  std::string FileFilter() override;
  std::unique_ptr<TGraphic> NewGraphic() override;
  void SaveToStream(TStream& Stream) override;
  TForm* Options(bool Create = true) override;

  // The picture: Width x Height, filled with the panel's colour, the panel
  // drawn on it, in the chosen pixel format.
  std::unique_ptr<TBitmap> Bitmap();
};
