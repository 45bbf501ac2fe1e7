#pragma once
// Helpers for the picture export and print preview tests: a chart panel that
// draws large coloured shapes (easy to recognise after scaling, printing and
// conversion by other programs), a comparison of two pictures cell by cell,
// running an outside program, and the program's printer pointed at a PDF file.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <string>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotExport.h"
#include "platform/gdi/Printer.h"

namespace ExportTest {

// White panel: a red block top left, a blue block bottom right, a green band
// across the middle and a black frame, all in proportion to the panel.
class SamplePanel : public TCustomPlotPanelExtended {
public:
  explicit SamplePanel(TComponent* Owner = nullptr, TColor Mark = clRed) : TCustomPlotPanelExtended(Owner), Mark(Mark) {
    SetColor(clWhite);
    SetBevelOuter(bvNone);
    SetView3D(false);
  }
  TColor Mark;
  int Draws = 0;

protected:
  void DrawContent(const TRect& R) override {
    ++Draws;
    TPlotCanvas3D& C = *Canvas();
    const int32_t W = R.Right - R.Left, H = R.Bottom - R.Top;
    auto Box = [&](double L, double T, double Rt, double B, TColor Color) {
      C.Brush->SetStyle(bsSolid);
      C.Brush->SetColor(Color);
      C.Pen->SetStyle(psClear);
      C.FillRect(TRect(R.Left + int32_t(L * W), R.Top + int32_t(T * H), R.Left + int32_t(Rt * W),
                       R.Top + int32_t(B * H)));
    };
    Box(0, 0, 1, 1, clWhite);
    Box(0.05, 0.05, 0.45, 0.45, Mark);
    Box(0.55, 0.55, 0.95, 0.95, clBlue);
    Box(0.05, 0.48, 0.95, 0.52, clLime);
    C.Pen->SetStyle(psSolid);
    C.Pen->SetColor(clBlack);
    C.Pen->SetWidth(1);
    C.Brush->SetStyle(bsClear);
    C.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
  }
};

inline QImage ToImage(const TBitmap& B) { return B.Image().convertToFormat(QImage::Format_RGB32); }

// Mean colour of each cell of a Cols x Rows grid over the image.
inline std::vector<QRgb> CellMeans(const QImage& Source, int Cols, int Rows) {
  const QImage I = Source.convertToFormat(QImage::Format_RGB32);
  std::vector<QRgb> Means;
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      const int X0 = c * I.width() / Cols, X1 = (c + 1) * I.width() / Cols;
      const int Y0 = r * I.height() / Rows, Y1 = (r + 1) * I.height() / Rows;
      double Sum[3] = {0, 0, 0};
      int N = 0;
      for (int y = Y0; y < Y1; ++y)
        for (int x = X0; x < X1; ++x) {
          const QRgb P = I.pixel(x, y);
          Sum[0] += qRed(P);
          Sum[1] += qGreen(P);
          Sum[2] += qBlue(P);
          ++N;
        }
      N = std::max(N, 1);
      Means.push_back(qRgb(int(Sum[0] / N), int(Sum[1] / N), int(Sum[2] / N)));
    }
  return Means;
}

// The share of grid cells whose mean colours differ by at most Tolerance in
// every channel: 1.0 for the same picture at any scale.
inline double SameCells(const QImage& A, const QImage& B, int Cols = 16, int Rows = 12, int Tolerance = 40) {
  const auto MA = CellMeans(A, Cols, Rows), MB = CellMeans(B, Cols, Rows);
  int Same = 0;
  for (size_t i = 0; i < MA.size(); ++i)
    if (std::abs(qRed(MA[i]) - qRed(MB[i])) <= Tolerance && std::abs(qGreen(MA[i]) - qGreen(MB[i])) <= Tolerance &&
        std::abs(qBlue(MA[i]) - qBlue(MB[i])) <= Tolerance)
      ++Same;
  return double(Same) / double(MA.size());
}

// Runs a program to its end; false when it is not installed or fails.
inline bool RunTool(const QString& Program, const QStringList& Args, int TimeoutMs = 120000) {
  if (QStandardPaths::findExecutable(Program).isEmpty()) return false;
  QProcess P;
  P.start(Program, Args);
  if (!P.waitForFinished(TimeoutMs)) {
    P.kill();
    P.waitForFinished();
    return false;
  }
  return P.exitStatus() == QProcess::NormalExit && P.exitCode() == 0;
}

// The program's printer writes into a PDF file for the test's lifetime.
class PdfPrinter {
public:
  PdfPrinter(const std::string& FileName, int Dpi, TPrinterOrientation Orientation) {
    auto P = std::make_unique<TPrinter>();
    P->SetOutputFileName(FileName);
    P->SetResolution(Dpi);
    P->SetOrientation(Orientation);
    SetPrinter(std::move(P));
  }
  ~PdfPrinter() { SetPrinter(nullptr); }
  PdfPrinter(const PdfPrinter&) = delete;
  PdfPrinter& operator=(const PdfPrinter&) = delete;
};

// Texts, formats and a temporary folder for every test.
class ExportTestBase : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    PlotExport::Initialize();
    ASSERT_TRUE(Dir.isValid());
  }
  void TearDown() override {
    PlotExport::Finalize();
    SetPrinter(nullptr);
  }
  std::string Path(const std::string& Name) const { return Dir.filePath(QString::fromStdString(Name)).toStdString(); }
  QTemporaryDir Dir;
};

}  // namespace ExportTest
