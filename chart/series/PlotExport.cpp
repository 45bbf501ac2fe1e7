// Picture export formats: the format base, the registry of format classes, the
// picture-by-extension hook, mail through the desktop and the up-down edit.
#include "chart/series/PlotExport.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotHtml.h"
#include "chart/series/PlotBmpOptions.h"
#include "chart/series/PlotEmfOptions.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Shell.h"

KV_CLASS_IMPL(TPlotExportFormat, TObject) {}

TPlotExportFormat::~TPlotExportFormat() = default;

void TPlotExportFormat::AssignFilterIndex(int32_t& Counter) {
  ++Counter;
  FFilterIndex = Counter;
}

TForm* TPlotExportFormat::Options(bool) { return nullptr; }

TCustomPlotPanel& TPlotExportFormat::CheckPanel() const {
  TCustomPlotPanel* P = FPanel.Get();
  if (!P) throw Exception(PlotConst::MsgPanelPropertyIsNotSetInExportFormat);
  return *P;
}

void TPlotExportFormat::DefaultSize() {
  const TCustomPlotPanel& P = CheckPanel();
  if (Width == 0) Width = P.GetWidth();
  if (Height == 0) Height = P.GetHeight();
}

void TPlotExportFormat::Copy() {
  CheckPanel();
  Options(true);
  DefaultSize();
  CopyToClipboard();
}

void TPlotExportFormat::SaveToFile(const std::string& FileName) {
  CheckPanel();
  Options(true);
  DefaultSize();
  TMemoryStream Stream;
  SaveToStream(Stream);
  Stream.SaveToFile(FileName);
}

// ---- registry -----------------------------------------------------------------------

namespace PlotExport {
namespace {
std::vector<TClass>& Formats() {
  static std::vector<TClass> List;
  return List;
}
}  // namespace

const std::vector<TClass>& ExportFormats() { return Formats(); }

void RegisterExportFormat(TClass FormatClass) {
  if (FormatClass) Formats().push_back(FormatClass);
}

void UnregisterExportFormat(TClass FormatClass) { std::erase(Formats(), FormatClass); }

std::unique_ptr<TPlotExportFormat> NewFormat(TClass FormatClass) {
  TObject* Object = FormatClass->CreateInstance(nullptr);
  auto* Format = dynamic_cast<TPlotExportFormat*>(Object);
  if (!Format) {
    FreeObject(Object);
    throw Exception(FormatClass->ClassName() + " is not a picture export format");
  }
  return std::unique_ptr<TPlotExportFormat>(Format);
}

std::unique_ptr<TGraphic> GraphicForExtension(const std::string& Extension) {
  for (TClass C : Formats()) {
    auto Format = NewFormat(C);
    if (SysUtils::SameText("." + Format->FileExtension(), Extension)) return Format->NewGraphic();
  }
  return nullptr;
}

void Initialize() {
  Finalize();
  RegisterExportFormat(TEMFExportFormat::StaticClass());
  RegisterExportFormat(TBMPExportFormat::StaticClass());
  PlotHtml::PictureForExtension = GraphicForExtension;
}

void Finalize() {
  Formats().clear();
  PlotHtml::PictureForExtension = nullptr;
}

// ---- mail ---------------------------------------------------------------------------

namespace {
std::optional<bool> MailKnown;

std::vector<std::unique_ptr<QTemporaryDir>>& KeptDirs() {
  static std::vector<std::unique_ptr<QTemporaryDir>> Dirs;
  return Dirs;
}
}  // namespace

bool MapiAvailable() {
  if (!MailKnown) MailKnown = Shell::MailAvailable();
  return *MailKnown;
}

void ResetMapiAvailable() { MailKnown.reset(); }

void SendByMail(const std::string& FileName, const std::string& Subject) {
  const int Result = Shell::SendMail(FileName, Subject);
  if (Result != 0) throw Exception(SysUtils::Format(PlotConst::MsgCanNotEmailChartMapiError, {Result}));
}

std::string KeptTempFileName(const std::string& Base, const std::string& Extension) {
  const QString Temp = QDir::tempPath();
  if (Temp.isEmpty() || !QDir(Temp).exists()) throw Exception(PlotConst::MsgCanNotFindTempFolder);
  auto Dir = std::make_unique<QTemporaryDir>(Temp + "/kelmchart-XXXXXX");
  if (!Dir->isValid()) throw Exception(PlotConst::MsgCanNotFindTempFolder);
  const std::string Name = Dir->path().toStdString() + "/" + Base + "." + Extension;
  KeptDirs().push_back(std::move(Dir));
  return Name;
}

void RemoveKeptTempFiles() { KeptDirs().clear(); }
}  // namespace PlotExport
