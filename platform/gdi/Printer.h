#pragma once
// The printer: a print job on a system printer or into a PDF file, through
// Qt's printer. Each page is drawn on a canvas over a page bitmap at the
// printer's resolution (with the device context's mapping modes, so callers
// may scale a drawing with MM_ANISOTROPIC) and sent to the printer when the
// next page starts or the document ends.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"

KV_EXCEPTION_CLASS(EPrinter, Exception);

enum class TPrinterOrientation : int32_t { poPortrait, poLandscape };

class TPrinter {
public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The names of the system printers; empty when none is set up.
  static std::vector<std::string> Printers();
  // A system printer by name; empty: the default printer.
  const std::string& GetPrinterName() const { return FPrinterName; }
  void SetPrinterName(const std::string& Name);
  // A PDF file instead of a system printer; empty: print on the printer.
  const std::string& GetOutputFileName() const { return FOutputFileName; }
  void SetOutputFileName(const std::string& FileName);
  // Dots per inch of the pages (72..1200).
  int32_t GetResolution() const { return FResolution; }
  void SetResolution(int32_t Dpi);
  // Paper size in millimetres (A4 by default).
  void SetPaperSizeMM(double Width, double Height);
  double GetPaperWidthMM() const { return FPaperWidth; }
  double GetPaperHeightMM() const { return FPaperHeight; }
  TPrinterOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value);
  std::string Title;

  // The printable page in device pixels; EPrinter when no printer is set up.
  int32_t PageWidth() const;
  int32_t PageHeight() const;
  // LOGPIXELSX/Y, HORZRES/VERTRES, PHYSICALWIDTH/HEIGHT, PHYSICALOFFSETX/Y, HORZSIZE/VERTSIZE.
  int DeviceCaps(int Index) const;

  void BeginDoc();
  void NewPage();
  void EndDoc();
  // Ends the job without printing the page under way.
  void Abort();
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  int32_t PageNumber() const { return FPageNumber; }
  // The canvas of the page under way; EPrinter outside BeginDoc..EndDoc.
  TCanvas* Canvas();
  // The page under way, as drawn so far.
  const TBitmap* PageBitmap() const { return FPage.get(); }

private:
  struct Impl;
  void CheckNotPrinting() const;
  void StartPage();
  void SendPage();
  std::unique_ptr<Impl> d_;
  std::string FPrinterName, FOutputFileName;
  int32_t FResolution = 300;
  double FPaperWidth = 210, FPaperHeight = 297;
  TPrinterOrientation FOrientation = TPrinterOrientation::poPortrait;
  bool FPrinting = false, FAborted = false;
  int32_t FPageNumber = 0;
  std::unique_ptr<TBitmap> FPage;
};

// The program's printer, created on first use.
TPrinter& Printer();
// Replaces the program's printer (tests); nullptr: a new default one next time.
void SetPrinter(std::unique_ptr<TPrinter> Value);
