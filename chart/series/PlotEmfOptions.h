#pragma once
// The metafile picture format: enhanced (EMF) or old-style metafiles, with an
// options form holding the "Enhanced" switch.
#include "chart/series/PlotExport.h"

class TEMFOptions : public TForm {
  KV_CLASS(TEMFOptions, TForm)
public:
  explicit TEMFOptions(TComponent* Owner);
  TCheckBox* CBEnhanced;
};

class TEMFExportFormat : public TPlotExportFormat {
  KV_CLASS(TEMFExportFormat, TPlotExportFormat)
public:
  TEMFExportFormat() = default;
  void CopyToClipboard() override;
  int32_t FilterIndex() const override;
  void AssignFilterIndex(int32_t& Counter) override;
  bool WantsFilterIndex(int32_t Number) override;
  std::string Description() override;
  std::string FileExtension() override;
  std::string FileFilter() override;
  std::unique_ptr<TGraphic> NewGraphic() override;
  void SaveToStream(TStream& Stream) override;
  TForm* Options(bool Create = true) override;

  // The state of "Enhanced"; true while there is no options form yet.
  bool GetEnhanced() const;
  void SetEnhanced(bool Value);
  // The picture at (0, 0, Width, Height).
  std::unique_ptr<TMetafile> Metafile();
};
