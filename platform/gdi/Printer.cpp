// Printing through Qt's printer: pages are drawn into bitmaps at the printer
// resolution and painted onto the printer's pages.
#include "platform/gdi/Printer.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

#include "platform/gdi/BitmapImpl.h"
#include "platform/gdi/DeviceContext.h"

struct TPrinter::Impl {
  std::unique_ptr<QPrinter> Job;
  std::unique_ptr<QPainter> Painter;
};

namespace {
QString ToQ(const std::string& S) { return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size())); }
std::unique_ptr<TPrinter> ThePrinterInstance;
}  // namespace

TPrinter::TPrinter() : d_(std::make_unique<Impl>()) {}

TPrinter::~TPrinter() {
  if (FPrinting) Abort();
}

std::vector<std::string> TPrinter::Printers() {
  Graphics::EnsureGuiApplication();
  std::vector<std::string> Names;
  for (const QString& N : QPrinterInfo::availablePrinterNames()) Names.push_back(N.toStdString());
  return Names;
}

void TPrinter::CheckNotPrinting() const {
  if (FPrinting) throw EPrinter("Printing in progress");
}

void TPrinter::SetPrinterName(const std::string& Name) {
  CheckNotPrinting();
  FPrinterName = Name;
}

void TPrinter::SetOutputFileName(const std::string& FileName) {
  CheckNotPrinting();
  FOutputFileName = FileName;
}

void TPrinter::SetResolution(int32_t Dpi) {
  CheckNotPrinting();
  if (Dpi < 72 || Dpi > 1200)
    throw EPrinter("Printer resolution " + std::to_string(Dpi) + " dpi is outside 72 to 1200 dpi");
  FResolution = Dpi;
}

void TPrinter::SetPaperSizeMM(double Width, double Height) {
  CheckNotPrinting();
  if (!(Width >= 10 && Height >= 10 && Width <= 5000 && Height <= 5000))
    throw EPrinter("Paper size " + SysUtils::FloatToStr(Width) + " x " + SysUtils::FloatToStr(Height) +
                   " mm is outside 10 to 5000 mm");
  FPaperWidth = Width;
  FPaperHeight = Height;
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  CheckNotPrinting();
  FOrientation = Value;
}

int32_t TPrinter::PageWidth() const { return DeviceCaps(HORZRES); }
int32_t TPrinter::PageHeight() const { return DeviceCaps(VERTRES); }

int TPrinter::DeviceCaps(int Index) const {
  if (FOutputFileName.empty()) {
    Graphics::EnsureGuiApplication();
    const bool Known = FPrinterName.empty() ? !QPrinterInfo::defaultPrinter().isNull()
                                            : !QPrinterInfo::printerInfo(ToQ(FPrinterName)).isNull();
    if (!Known) throw EPrinter("There is no default printer currently selected");
  }
  const bool Landscape = FOrientation == TPrinterOrientation::poLandscape;
  const double WMM = Landscape ? FPaperHeight : FPaperWidth, HMM = Landscape ? FPaperWidth : FPaperHeight;
  auto Px = [&](double MM) { return static_cast<int>(std::lround(MM / 25.4 * FResolution)); };
  // The printable area leaves a margin of 5 mm on every side.
  constexpr double Margin = 5;
  switch (Index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return FResolution;
    case PHYSICALWIDTH: return Px(WMM);
    case PHYSICALHEIGHT: return Px(HMM);
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return Px(Margin);
    case HORZRES: return Px(WMM) - 2 * Px(Margin);
    case VERTRES: return Px(HMM) - 2 * Px(Margin);
    case HORZSIZE: return static_cast<int>(std::lround(WMM - 2 * Margin));
    case VERTSIZE: return static_cast<int>(std::lround(HMM - 2 * Margin));
    case BITSPIXEL: return 24;
    case PLANES: return 1;
    default: return 0;
  }
}

void TPrinter::BeginDoc() {
  CheckNotPrinting();
  const int32_t W = PageWidth(), H = PageHeight();  // raises without a printer
  Graphics::EnsureGuiApplication();
  auto Job = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (!FOutputFileName.empty()) {
    Job->setOutputFormat(QPrinter::PdfFormat);
    Job->setOutputFileName(ToQ(FOutputFileName));
  } else if (!FPrinterName.empty()) {
    Job->setPrinterName(ToQ(FPrinterName));
  }
  Job->setResolution(FResolution);
  Job->setDocName(ToQ(Title));
  const QPageLayout Layout(QPageSize(QSizeF(FPaperWidth, FPaperHeight), QPageSize::Millimeter),
                           FOrientation == TPrinterOrientation::poLandscape ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait,
                           QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
  Job->setPageLayout(Layout);
  auto Painter = std::make_unique<QPainter>();
  if (!Painter->begin(Job.get())) {
    throw EPrinter(FOutputFileName.empty() ? "Printer \"" + FPrinterName + "\" cannot start a print job"
                                           : "Cannot create file \"" + FOutputFileName + "\"");
  }
  d_->Job = std::move(Job);
  d_->Painter = std::move(Painter);
  FPrinting = true;
  FAborted = false;
  FPageNumber = 0;
  (void)W;
  (void)H;
  StartPage();
}

void TPrinter::StartPage() {
  FPage = std::make_unique<TBitmap>(PageWidth(), PageHeight());
  ++FPageNumber;
}

void TPrinter::SendPage() {
  const QImage& Image = TBitmapAccess::Of(*FPage).Image;
  const QRect Target = d_->Job->pageLayout().paintRectPixels(d_->Job->resolution());
  d_->Painter->drawImage(QRect(0, 0, Target.width(), Target.height()), Image);
}

void TPrinter::NewPage() {
  if (!FPrinting) throw EPrinter("Printing not in progress");
  SendPage();
  if (!d_->Job->newPage()) throw EPrinter("The printer refused a new page");
  StartPage();
}

void TPrinter::EndDoc() {
  if (!FPrinting) throw EPrinter("Printing not in progress");
  SendPage();
  const bool Ok = d_->Painter->end();
  d_->Painter.reset();
  d_->Job.reset();
  FPage.reset();
  FPrinting = false;
  if (!Ok) throw EPrinter("The print job could not be completed");
}

void TPrinter::Abort() {
  if (!FPrinting) return;
  d_->Job->abort();
  d_->Painter->end();
  d_->Painter.reset();
  d_->Job.reset();
  FPage.reset();
  FPrinting = false;
  FAborted = true;
}

TCanvas* TPrinter::Canvas() {
  if (!FPrinting || !FPage) throw EPrinter("Printing not in progress");
  return FPage->GetCanvas();
}

TPrinter& Printer() {
  if (!ThePrinterInstance) ThePrinterInstance = std::make_unique<TPrinter>();
  return *ThePrinterInstance;
}

void SetPrinter(std::unique_ptr<TPrinter> Value) { ThePrinterInstance = std::move(Value); }
