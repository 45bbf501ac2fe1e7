// Picture export formats: the format base, the registry of format classes, the
// picture-by-extension hook, mail through the desktop and the up-down edit.
#include "chart/series/PlotExport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotHtml.h"
#include "chart/series/PlotBmpOptions.h"
#include "chart/series/PlotEmfOptions.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"

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
  TFileStream Stream(FileName, fmCreate);
  SaveToStream(Stream);
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

bool DesktopMailAvailable() { return !QStandardPaths::findExecutable("xdg-email").isEmpty(); }

int DesktopSendMail(const std::string& FileName, const std::string& Subject) {
  // The mail program shows the message for editing; it is left running.
  const QStringList Args{"--subject", QString::fromStdString(Subject), "--attach", QString::fromStdString(FileName)};
  return QProcess::startDetached("xdg-email", Args) ? 0 : 2;
}

std::vector<std::unique_ptr<QTemporaryDir>>& KeptDirs() {
  static std::vector<std::unique_ptr<QTemporaryDir>> Dirs;
  return Dirs;
}
}  // namespace

std::function<bool()> MailAvailableHook = DesktopMailAvailable;
std::function<int(const std::string&, const std::string&)> SendMailHook = DesktopSendMail;

bool MapiAvailable() {
  if (!MailKnown) MailKnown = MailAvailableHook && MailAvailableHook();
  return *MailKnown;
}

void ResetMapiAvailable() { MailKnown.reset(); }

void SendByMail(const std::string& FileName, const std::string& Subject) {
  const int Result = SendMailHook ? SendMailHook(FileName, Subject) : 2;
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

// ---- up-down edit -----------------------------------------------------------------------

KV_CLASS_IMPL(TPlotUpDown, TComponent) {}

TPlotUpDown::TPlotUpDown(TComponent* Owner) : TComponent(Owner) {}

void TPlotUpDown::SetAssociate(TEdit* Edit) {
  FAssociate = Edit;
  if (Edit) Edit->SetText(std::to_string(FPosition));
}

int32_t TPlotUpDown::GetPosition() const {
  // The edit is what the person sees and types into; a number there wins.
  if (const TEdit* E = FAssociate.Get()) {
    int32_t V = 0;
    if (SysUtils::TryStrToInt(SysUtils::Trim(E->GetText()), V)) return std::clamp(V, Min, std::max(Min, Max));
  }
  return FPosition;
}

void TPlotUpDown::SetPosition(int32_t Value) {
  FPosition = std::clamp(Value, Min, std::max(Min, Max));
  if (TEdit* E = FAssociate.Get()) {
    const std::string Text = std::to_string(FPosition);
    if (E->GetText() != Text) E->SetText(Text);
  }
}
