#pragma once
// Chart files (".chf": a small header and the chart's component stream, in
// binary or text form) and the export of series points as delimited text,
// XML, an HTML table or a BIFF spreadsheet.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"
#include "platform/rtl/Streaming.h"
#include "platform/rtl/WeakRef.h"

// Answers whether a reading problem may be skipped (true = ignore it).
using TChartReadErrorEvent = std::function<bool(TReader& Reader, const std::string& Message)>;

// The reader of chart files: event-handler names in the stream are accepted
// (the events stay unassigned); other recoverable problems go to OnChartError
// and are ignored when it is not assigned.
class TChartReader : public TReader {
public:
  explicit TChartReader(TStream& Stream, int BufSize = 4096) : TReader(Stream, BufSize) { RenameRoot = false; }
  TChartReadErrorEvent OnChartError;

protected:
  bool Error(const std::string& Message) override;
  bool UnknownProperty(const TPersistent* Instance, const std::string& Name, TValueType Value) override;
  void CheckRootClass(const std::string& ClassName) override;
};

// Chart classes of other programs' files, read as plain charts.
class TChartChart : public TChart {
  KV_CLASS(TChartChart, TChart)
public:
  using TChart::TChart;
};

class TODBCChart : public TChart {
  KV_CLASS(TODBCChart, TChart)
public:
  using TChart::TChart;
};

namespace PlotStore {

constexpr uint16_t ChartFileMagic = 0x3060;
constexpr uint16_t ChartFileVersion = 0x0157;

void WritePlotHeader(TStream& Stream);
// Appends "." and the chart file extension when Name has no extension.
std::string PlotFileName(const std::string& Name);
// The chart with its series and tools; WithData stores every series' points.
void WritePlotStream(TCustomChart* Chart, TStream& Stream, bool WithData, bool AsText);
void WritePlotFile(TCustomChart* Chart, const std::string& FileName, bool WithData, bool AsText);

// Reads a chart file into Chart. The file is read into a fresh chart first,
// so a damaged file raises and leaves Chart as it was; only a file that
// reads completely replaces Chart's series and tools.
void ReadPlotStream(TCustomChart*& Chart, TStream& Stream, bool ReadData, const TChartReadErrorEvent& OnError);
void ReadChartStream(TCustomChart*& Chart, TStream& Stream);
// Point records that older files carry after the component stream, one per
// series in series order.
void ReadAppendedSeriesData(TCustomChart* Chart, TStream& Stream);

bool IsPlotStream(TStream& Stream);
bool IsBinaryPlotStream(TStream& Stream);
void PlotTextToBinary(TStream& Source, TStream& Target);
void PlotBinaryToText(TStream& Source, TStream& Target);

// "#rrggbb" in lower case; system colours are resolved first.
std::string ColorToHtml(TColor Color);

// Registers TChartChart and TODBCChart for reading; Finalization removes them.
void Initialization();
void Finalization();

}  // namespace PlotStore

// ============================================================================
// Series data export
// ============================================================================

// PointParts bits.
constexpr uint8_t spXValues = 1, spColors = 2, spLabels = 4;

class TSeriesData : public TPlotExportData {
public:
  // Series null: every series of the chart, side by side.
  TSeriesData(TCustomAxisPanel* Chart, TChartSeries* Series = nullptr);

  std::string ExportedText() override;
  virtual void PrepareParts();
  virtual std::string PointLine(int32_t Index) = 0;
  void ApplyIncludes();
  // Points of the series, or the most points among the chart's series (-1 without series).
  int32_t PointCount() const;

  TCustomAxisPanel* GetChart() const { return FChart; }
  TChartSeries* GetSeries() const { return FSeries; }
  bool WithLabels = true;
  bool WithIndex = false;
  bool WithHeader = false;
  bool WithColors = false;
  uint8_t PointParts = 0;

protected:
  // The series written, in order.
  std::vector<TChartSeries*> ExportedSeries() const;
  // General float text, or date-time text for a date-time list.
  static std::string ValueText(const TChartValueList& List, int32_t Index);
  static std::string PointColorText(const TChartSeries& Series, int32_t Index);

private:
  WeakRef<TCustomAxisPanel> FChart;
  WeakRef<TChartSeries> FSeries;
};

class TSeriesDataText : public TSeriesData {
public:
  TSeriesDataText(TCustomAxisPanel* Chart, TChartSeries* Series = nullptr) : TSeriesData(Chart, Series) {}
  std::string ExportedText() override;
  void PrepareParts() override;
  std::string PointLine(int32_t Index) override;
  char Delimiter = '\t';
  std::string Quote;

private:
  std::string HeaderLine();
  std::string JoinCells(const std::vector<std::string>& Cells) const;
};

class TSeriesDataXML : public TSeriesData {
public:
  TSeriesDataXML(TCustomAxisPanel* Chart, TChartSeries* Series = nullptr);
  std::string ExportedText() override;
  std::string PointLine(int32_t Index) override;
  // Named in the XML declaration; the text is always UTF-8.
  std::string XmlEncoding = "UTF-8";

private:
  std::string SeriesElement(TChartSeries& Series);
  std::string PointElement(TChartSeries& Series, int32_t Index);
};

class TSeriesDataHTML : public TSeriesData {
public:
  TSeriesDataHTML(TCustomAxisPanel* Chart, TChartSeries* Series = nullptr) : TSeriesData(Chart, Series) {}
  std::string ExportedText() override;
  std::string PointLine(int32_t Index) override;
};

class TSeriesDataXLS : public TSeriesData {
public:
  TSeriesDataXLS(TCustomAxisPanel* Chart, TChartSeries* Series = nullptr) : TSeriesData(Chart, Series) {}
  // BOF, DIMENSIONS, the header row, the point rows and EOF; ChartException
  // when the rows or columns do not fit the format.
  void WriteToStream(TStream& Stream) override;
  // The cell records of one point row.
  std::string PointLine(int32_t Index) override;
  // The format's row and column numbers are 16 bits; the row count written
  // in DIMENSIONS must fit too.
  static constexpr int32_t MaxRows = 65535;
  static constexpr int32_t MaxColumns = 65535;

private:
  int32_t ColumnCount() const;
  int32_t RowOffset() const { return WithHeader ? 1 : 0; }
};
