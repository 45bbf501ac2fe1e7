#pragma once
// Chart output: picture export formats (a registry of format classes that turn
// a chart panel into a picture for the clipboard, a stream or a file) and the
// export dialog with its three pages (picture, chart file, data).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotProcs.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/WeakRef.h"
#include "platform/ui/ComCtrls.h"
#include "platform/rtl/FreeGuard.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TGraphic;
class TStream;


// ---- picture export formats ---------------------------------------------------------

// A kind of picture a chart panel can be exported as.
class TPlotExportFormat : public TObject {
  KV_CLASS(TPlotExportFormat, TObject)
public:
  TPlotExportFormat() = default;
  ~TPlotExportFormat() override;

  virtual void CopyToClipboard() = 0;
  virtual int32_t FilterIndex() const { return FFilterIndex; }
  // Takes the next number(s) of a save dialog's filter list.
  virtual void AssignFilterIndex(int32_t& Counter);
  virtual bool WantsFilterIndex(int32_t Number) { return Number == FFilterIndex; }
  virtual std::string Description() = 0;
  virtual std::string FileExtension() = 0;
  virtual std::string FileFilter() = 0;
  // A new empty picture of the format's kind; none when it has no picture class.
  virtual std::unique_ptr<TGraphic> NewGraphic() { return nullptr; }
  virtual void SaveToStream(TStream& Stream) = 0;
  // The options form, created on request; none for formats without options.
  virtual TForm* Options(bool Create = true);

  // Copies the picture to the clipboard / writes it into a new file.
  void Copy();
  void SaveToFile(const std::string& FileName);

  TCustomPlotPanel* GetPanel() const { return FPanel.Get(); }
  void SetPanel(TCustomPlotPanel* Value) { FPanel = Value; }
  // Picture size in pixels; 0 takes the panel's.
  int32_t Width = 0;
  int32_t Height = 0;

protected:
  // The panel, or Exception "Panel property is not set in Export format".
  TCustomPlotPanel& CheckPanel() const;
  void DefaultSize();

  int32_t FFilterIndex = 0;
  TOwned<TForm> FOptions;

private:
  WeakRef<TCustomPlotPanel> FPanel;
};

namespace PlotExport {
// The registered format classes, in registration order.
const std::vector<TClass>& ExportFormats();
void RegisterExportFormat(TClass FormatClass);
// Unregistering a class that was never registered does nothing.
void UnregisterExportFormat(TClass FormatClass);
// A new format object of a registered class.
std::unique_ptr<TPlotExportFormat> NewFormat(TClass FormatClass);
// A new empty picture for an extension with its dot (".emf"), any letter case;
// none when no registered format answers that extension.
std::unique_ptr<TGraphic> GraphicForExtension(const std::string& Extension);
// Registers the metafile and the bitmap formats (in this order) and installs
// the picture-by-extension hook of the chart engine's HTML text.
void Initialize();
void Finalize();

// Mail through the user seam's mail program: whether one is available (asked
// once, then remembered) and sending a file as an attachment.
bool MapiAvailable();
void ResetMapiAvailable();
// Raises Exception "Can not email chart. Mapi Error: %d" when the mail program refuses.
void SendByMail(const std::string& FileName, const std::string& Subject);
// A file name "<temporary folder>/<unique folder>/<Base>.<Extension>" that stays
// until the program ends, so that a mail program started in the background can
// still read it. Exception "Can not find Temp folder" when there is none.
std::string KeptTempFileName(const std::string& Base, const std::string& Extension);
// Removes the kept temporary files (program end; tests).
void RemoveKeptTempFiles();
}  // namespace PlotExport

// ---- export dialog -------------------------------------------------------------------

class TSeriesDataExport;

class TPlotExportFormBase : public TForm {
  KV_CLASS(TPlotExportFormBase, TForm)
public:
  explicit TPlotExportFormBase(TComponent* Owner);
  ~TPlotExportFormBase() override;
  void BeforeDestruction() override;

  // ---- the chart-specific operations ----
  virtual std::unique_ptr<TPlotExportData> CreateDataExporter() { return nullptr; }
  virtual void SaveNative(const std::string& FileName, bool IncludeData);
  virtual bool CanCopyData() { return false; }
  virtual std::unique_ptr<TMemoryStream> NativeStream();
  virtual void PrepareForPanel();

  TCustomPlotPanel* ExportedPanel() const { return FExportedPanel.Get(); }
  void SetExportedPanel(TCustomPlotPanel* Panel) { FExportedPanel = Panel; }
  // The panel passed by a hosting form in Tag.
  TCustomPlotPanel* TagPanel() const;

  // ---- steps of the dialog (the handlers call them) ----
  void FormShow();
  void FillFormats();
  void ShowPictureOptions();
  void UpdateButtonStates();
  void SizeEdited(bool WidthEdited);
  void DataFormatChanged();
  void DelimiterChanged();
  char DelimiterChar() const;
  // 1..5 text with delimiter item 1..5, 6 XML, 7 HTML, 8 Excel.
  int32_t DataFormatNumber() const;
  void UpdateNativeSize();
  void CopyClick();
  void SaveClick();
  void SendClick();
  TPlotExportFormat* SelectedFormat() const;
  TPlotExportFormat* FormatForFile(const std::string& FileName) const;
  int32_t FormatCount() const { return static_cast<int32_t>(FFormats.size()); }
  TPlotExportFormat* Format(int32_t Index) const { return FFormats.at(static_cast<size_t>(Index)).get(); }

  double AspectRatio = 0;
  bool UpdatingSize = false;
  std::string MailFileName = "Chart";
  std::string NativeExtension;
  std::string NativeFilter;
  std::string DataFilter;

  TPageControl* PageControl1;
  TTabSheet *TabPicture, *TabNative, *TabData;
  TGroupBox* GBFormat;
  TListBox* LBFormat;
  TPageControl* PageOptions;
  TTabSheet *TabOptions, *TabSize;
  TLabel *LabelWidth, *LabelHeight;
  TEdit *EWidth, *EHeight;
  TUpDown *UDWidth, *UDHeight;
  TCheckBox* CBAspect;
  TLabel* LabelNativeFormat;
  TComboBox* CBNativeFormat;
  TCheckBox *CBNativeData, *CBFileSize;
  TLabel* LabelSize;
  TPanel* Panel5;
  TLabel* LabelSeries;
  TComboBox* CBSeries;
  TRadioGroup* RGText;
  TLabel* LabelDelim;
  TComboBox* CBDelim;
  TEdit* ECustom;
  TLabel* LabelQuotes;
  TEdit* EQuotes;
  TGroupBox* GBInclude;
  TCheckBox *CBLabels, *CBIndex, *CBHeader, *CBColors;
  TPanel* Panel1;
  TButton *BCopy, *BSave, *BSend, *BClose;
  TSaveDialog *SaveDialogPicture, *SaveDialogNative, *SaveDialogData;

protected:
  void VisibleChanged() override;

private:
  void BuildPicturePage();
  void BuildNativePage();
  void BuildDataPage();
  void BuildButtons();
  // Writes the file the current page's Save would write.
  void SaveCurrentPage(const std::string& FileName, int32_t DataFilterNumber);
  WeakRef<TCustomPlotPanel> FExportedPanel;
  std::vector<std::unique_ptr<TPlotExportFormat>> FFormats;
};

// The export dialog used for charts: data export and chart files through the
// chart's series.
class TPlotExportForm : public TPlotExportFormBase {
  KV_CLASS(TPlotExportForm, TPlotExportFormBase)
public:
  explicit TPlotExportForm(TComponent* Owner);
  std::unique_ptr<TPlotExportData> CreateDataExporter() override;
  void SaveNative(const std::string& FileName, bool IncludeData) override;
  bool CanCopyData() override;
  std::unique_ptr<TMemoryStream> NativeStream() override;
  void PrepareForPanel() override;
};
