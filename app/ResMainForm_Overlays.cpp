// Overlays of the main window: pictures placed over the model chart, a curve
// over the lower data section, and the worksheet saved as one picture.

#include <algorithm>

#include "app/PrSetupUn.h"
#include "app/ResMainForm.h"
#include "app/printsettings.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/rtl/FileStore.h"
#include "platform/rtl/Restore.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "survey/Overlays.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace {

constexpr const char* ImportLookName = "KelmVev2er_impser";

// Puts the open dialog's filter and file name back on every way out.
class [[nodiscard]] TBorrowedDialog {
 public:
  explicit TBorrowedDialog(TOpenDialog& Dialog)
      : FDialog(Dialog), FFilter(Dialog.Filter), FFileName(Dialog.FileName), FFilterIndex(Dialog.FilterIndex) {}
  ~TBorrowedDialog() {
    FDialog.Filter = FFilter;
    FDialog.FileName = FFileName;
    FDialog.FilterIndex = FFilterIndex;
  }
  TBorrowedDialog(const TBorrowedDialog&) = delete;
  TBorrowedDialog& operator=(const TBorrowedDialog&) = delete;

 private:
  TOpenDialog& FDialog;
  std::string FFilter, FFileName;
  int FFilterIndex;
};

void StyleImportCurve(TLineSeries& Series) {
  TSeriesPointer* pointer = Series.Pointer();
  pointer->SetVisible(true);
  pointer->SetStyle(TSeriesPointerStyle::psCircle);
  pointer->SetHorizSize(2);
  pointer->SetVertSize(2);
  Series.SetSeriesColor(clRed);
  pointer->Brush()->SetColor(clWhite);
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Series.Marks())) {
    marks->SetVisible(true);
    marks->SetStyle(TSeriesMarksStyle::smsLabel);
    marks->SetTransparent(true);
    marks->Font()->SetColor(clBlack);
    marks->Pen()->SetVisible(false);
    marks->SetArrowLength(0);
  }
  Series.SetTitle("Import");
  Series.SetShowInLegend(false);
  Series.SetVertAxis(TVertAxis::aRightAxis);
}

}  // namespace

bool TMainForm::Openimportfile(const std::string& FileName) {
  return Overlays::ReadPointOverlay(FileName, ImportPoints);
}

void TMainForm::StoreImportLook() {
  if (ImportSeries) Chart::SaveSeriesFormat(PseudoSection2d2, ImportLookName, ImportSeries);
}

void TMainForm::ShowImportCurve() {
  if (!ImportSeries) return;
  const bool graphs = Survey.DataPlotType == 1;
  ImportSeries->SetActive(graphs);
  PseudoSection2d2->RightAxis()->SetVisible(graphs);
}

void TMainForm::RemoveImports() {
  StoreImportLook();
  for (WeakRef<TChartImageTool>& tool : ImportImageTools)
    if (tool) tool->Free();
  for (WeakRef<TPointSeries>& corners : ImportCornerSeries)
    if (corners) corners->Free();
  if (ImportSeries) ImportSeries->Free();
  ImportImageTools.clear();
  ImportCornerSeries.clear();
  ImportSeries.Reset();
}

void TMainForm::Importdata1Click(TObject*) {
  if (!Survey.ModelComputed) return;
  std::string fileName;
  {
    const TBorrowedDialog borrowed(*OpenDialog1);
    OpenDialog1->Filter = "Import data|*.dat;*.sec";
    OpenDialog1->FileName.clear();
    OpenDialog1->FilterIndex = 1;
    if (!OpenDialog1->Execute()) return;
    fileName = OpenDialog1->FileName;
  }
  const std::string ext = SysUtils::LowerCase(SysUtils::ExtractFileExt(fileName));
  if (ext.find("sec") != std::string::npos) {
    Overlays::TPictureOverlay overlay;
    std::string problem;
    if (!Overlays::ReadPictureOverlay(fileName, overlay, problem)) {
      // A picture found nowhere is passed over in silence.
      if (!problem.empty()) Dialogs::ShowMessage(problem);
      return;
    }
    // The picture is read first: a file the loader refuses adds nothing.
    TPicture picture;
    try {
      picture.LoadFromFile(overlay.PictureFile);
    } catch (const Exception& e) {
      Dialogs::ShowMessage(e.Message());
      return;
    }
    auto* corners = Create<TPointSeries>(PolygonChart1);
    corners->SetParentChart(PolygonChart1);
    corners->ExcludeFromXAuto = true;
    corners->ExcludeFromYAuto = true;
    corners->ShowInEditor = false;
    corners->NoEditPopup = true;
    corners->Pointer()->SetVisible(true);
    corners->SetShowInLegend(false);
    corners->SetActive(false);
    corners->AppendPoint(overlay.X1, overlay.Y1);
    corners->AppendPoint(overlay.X2, overlay.Y2);
    ImportCornerSeries.emplace_back(corners);
    auto* tool = Create<TChartImageTool>(PolygonChart1);
    tool->SetParentChart(PolygonChart1);
    tool->SetSeries(corners);
    // The depth axis points down: the picture stands upright.
    tool->SwapVertical = true;
    tool->SetPicture(&picture);
    tool->SetActive(true);
    ImportImageTools.emplace_back(tool);
    PolygonChart1->Invalidate();
  } else if (ext.find("dat") != std::string::npos) {
    if (!Openimportfile(fileName)) {
      Dialogs::ShowMessage(SysUtils::ExtractFileName(fileName) +
                           ": fewer than two points (x and y per line); nothing was imported.");
      return;
    }
    if (ImportSeries) {
      StoreImportLook();
      ImportSeries->Free();
    }
    auto* series = Create<TLineSeries>(this);
    series->SetParentChart(PseudoSection2d2);
    StyleImportCurve(*series);
    series->StoreDefaultText();
    {
      // A restyled curve keeps its look in later imports and later runs.
      const TRestore<bool> loading(Chart::FormatLoadingSuspended, false);
      Chart::LoadSeriesFormat(PseudoSection2d2, ImportLookName, series);
    }
    series->Clear();
    for (const complexM& p : ImportPoints) series->AppendPoint(p.x, p.z);
    series->SetLabel(series->Count() - 1, SysUtils::ExtractFileName(fileName));
    ImportSeries = series;
    ShowImportCurve();
  }
}

bool TMainForm::SaveSectionPicture(const std::string& FileName, bool ModelOnly) {
  if (ModelOnly) {
    if (!printsettings::prntset) printsettings::prntset = Create<Tprntset>(Application);
    std::string problem;
    if (printsettings::prntset->SaveChartPicture(FileName, *PolygonChart1, problem)) return true;
    Dialogs::MessageDlg(problem, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    return false;
  }
  Application->ProcessMessages();
  // Bands from the top; the picture takes each band's width in turn, so that it
  // ends as wide as the model chart (a wider band is cut at the right).
  TBitmap sheet;
  int32_t top = 0;
  for (TCustomPlotPanel* band : {static_cast<TCustomPlotPanel*>(PseudoSection2d1),
                                 static_cast<TCustomPlotPanel*>(PseudoSection2d2),
                                 static_cast<TCustomPlotPanel*>(PolygonChart1)}) {
    const int32_t width = band->GetWidth(), height = band->GetHeight();
    if (width <= 0 || height <= 0) continue;
    const std::unique_ptr<TBitmap> picture = band->MakeBitmap(clWhite, TRect(0, 0, width, height));
    sheet.SetSize(width, top + height);
    sheet.GetCanvas()->Draw(0, top, picture.get());
    top += height;
  }
  if (top == 0) return false;
  const std::vector<uint8_t> data = sheet.SaveToBytes();
  std::string error;
  return FileStore::WriteFileAtomic(FileName, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()),
                                    error);
}
