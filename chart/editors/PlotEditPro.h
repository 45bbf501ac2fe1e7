#pragma once
// TChartImage: a saved chart file (".chf") as a picture. Pictures load such a
// file into a chart that the image owns, and drawing the picture paints that
// chart on a white background. PlotEditPro::Initialization registers the
// format with the picture file formats; Finalization removes it.
//
//   TPicture picture;
//   picture.LoadFromFile("survey.chf");             // a TChartImage
//   canvas.StretchDraw(rect, picture.GetGraphic());
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/WeakRef.h"

class TChartImage : public TGraphic {
public:
  TChartImage();
  ~TChartImage() override;
  TChartImage(const TChartImage&) = delete;
  TChartImage& operator=(const TChartImage&) = delete;

  // The chart shown, made (with buffered display off) on first use.
  TCustomChart* GetChart() const;
  // Shows Chart without owning it (a chart the image made is freed, unless it
  // is the one handed in, which the caller then owns); the picture reports a change.
  void SetChart(TCustomChart* Chart);
  // Another chart image's chart is copied into this image's chart (made if
  // needed); nothing for nullptr, and another kind of graphic raises EConvertError.
  void Assign(const TGraphic* Source);

  // The chart's size; setting it sizes the chart (made if needed).
  int32_t GetWidth() const override;
  int32_t GetHeight() const override;
  void SetWidth(int32_t Value);
  void SetHeight(int32_t Value);
  // True while there is no chart.
  bool GetEmpty() const override;
  // True makes the chart's colour clNone, so that the white background shows.
  void SetTransparent(bool Value);

  // Fills R with white, then lets the chart draw itself into R.
  void Draw(TCanvas& Canvas, const TRect& R) const override;
  // The chart file's bytes (binary form, with the series' values) and back;
  // a damaged file raises and leaves the chart as it was.
  void LoadFromBytes(const std::vector<uint8_t>& Data) override;
  std::vector<uint8_t> SaveToBytes() const override;
  void LoadFromFile(const std::string& FileName) override;
  // Writes a chart file with values, ".chf" appended when FileName has no extension.
  void SaveToFile(const std::string& FileName) const override;
  // A copy holding a chart of its own, with the series and their values.
  std::unique_ptr<TGraphic> Clone() const override;
  std::string GraphicClassName() const override { return "TChartImage"; }

private:
  void Changed();
  TCustomChart* Current() const;
  void FreeOwnedChart() const;
  mutable TCustomChart* FOwnedChart = nullptr;
  WeakRef<TCustomChart> FHandedChart;
  mutable bool FOwnsChart = true;
};

namespace PlotEditPro {
// Registers TChartImage for files with the extension "chf", described as
// "Chart" (repeatable).
void Initialization();
// Removes the format and the class from the picture formats.
void Finalization();
}  // namespace PlotEditPro
