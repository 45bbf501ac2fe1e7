#pragma once
// Series marks: the text boxes a series draws at its points, with their
// per-point looks, remembered positions, callout arrow and colour symbol.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/PlotEngine_Pointer.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotProcs.h"

class TSeriesMarks;
class TReader;
class TStringList;
class TWriter;
class TStrings;

enum class TSeriesMarksStyle : uint8_t {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue,
  smsXY
};
using enum TSeriesMarksStyle;

// The marks' gradient: right to left from silver to white.
class TSeriesMarksGradient : public TPlotGradient {
  KV_CLASS(TSeriesMarksGradient, TPlotGradient)
public:
  explicit TSeriesMarksGradient(TPlotChangeEvent ChangeHandler = {});
};

// The arrow from a point to its mark; Length lifts the mark above the point.
class TMarksCallout : public TCallout {
  KV_CLASS(TMarksCallout, TCallout)
public:
  explicit TMarksCallout(TChartSeries* Series = nullptr);
  void Assign(const TPersistent* Source) override;

  int32_t GetLength() const { return FLength; }
  void SetLength(int32_t Value) { Change(FLength, Value); }
  bool IsLengthStored() const { return FLength != DefaultLength; }
  // TopLeft and the arrow's tail move up by Length + Distance, the tip by Distance.
  void ApplyOffset(TSeriesMarkPosition& Position) const;

  // Series types with another arrow length set both this and Length.
  int32_t DefaultLength = 8;

private:
  int32_t FLength = 8;
};

// A small box in the point's colour at the left inside a mark.
class TSeriesMarksSymbol : public TPlotCustomShape {
  KV_CLASS(TSeriesMarksSymbol, TPlotCustomShape)
public:
  explicit TSeriesMarksSymbol(TCustomPlotPanel* Parent = nullptr);
  bool IsShown() const { return GetVisible() && !GetTransparent(); }
};

// The look of one point's mark, used in place of the marks' own look.
class TMarksItem : public TPlotCustomShape {
  KV_CLASS(TMarksItem, TPlotCustomShape)
public:
  explicit TMarksItem(TCustomPlotPanel* Parent = nullptr);
  ~TMarksItem() override;
  void Assign(const TPersistent* Source) override;

  // The item's own text lines; created on first read.
  TStrings* Text();
  bool HasText() const { return FText != nullptr; }
  // Null frees the text; anything else is copied in.
  void SetText(const TStrings* Value);

private:
  std::unique_ptr<TStringList> FText;
};

// Custom looks by point index; entries may be empty.
class TMarksItems {
public:
  explicit TMarksItems(TSeriesMarks* Marks) : FMarks(Marks) {}
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // The item of Index, created (and the list grown) when missing.
  TMarksItem* Item(int32_t Index);
  // The item of Index or null, without creating anything.
  TMarksItem* Peek(int32_t Index) const;
  void Clear();
  void Delete(int32_t Index);
  void DeleteRange(int32_t Start, int32_t Quantity);
  void SetParent(TCustomPlotPanel* Panel);
  // Set once a stream has supplied custom items: clearing the series keeps them.
  bool ReadFromStream = false;

private:
  TSeriesMarks* FMarks;
  std::vector<std::unique_ptr<TMarksItem>> FItems;
};

class TSeriesMarks : public TPlotCustomShape, public TSeriesMarksBase {
  KV_CLASS(TSeriesMarks, TPlotCustomShape)
public:
  explicit TSeriesMarks(TChartSeries* Series = nullptr);
  ~TSeriesMarks() override;
  void Assign(const TPersistent* Source) override;
  void DefineProperties(TFiler& Filer) override;

  // ---- TSeriesMarksBase ----
  void SetParentChart(TSeriesChart* Chart) override;
  void SetZPosition(int32_t Z) override { ZPosition = Z; }
  void AssignMarks(const TSeriesMarksBase& Source) override;
  void DeletePoint(int32_t Index) override;
  void DeletePoints(int32_t Start, int32_t Quantity) override;
  void ClearPoints() override { ClearPositions(); }
  int32_t MaxMarkWidth() const override;
  bool MarksVisible() const override { return GetVisible(); }
  bool MarksClip() const override { return FClip; }
  void DrawMarks() override;

  // The marks, their callout and symbol take Panel as their panel.
  void SetParent(TCustomPlotPanel* Panel) override;

  // ---- settings ----
  int32_t GetAngle() const { return FAngle; }
  void SetAngle(int32_t Value) { Change(FAngle, Value); }
  bool GetClip() const { return FClip; }
  void SetClip(bool Value) { Change(FClip, Value); }
  int32_t GetDrawEvery() const { return FDrawEvery; }
  void SetDrawEvery(int32_t Value) { Change(FDrawEvery, Value); }
  // DrawEvery as the loops use it: 0 and below count as 1.
  int32_t EffectiveDrawEvery() const { return FDrawEvery > 0 ? FDrawEvery : 1; }
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value) { Change(FMultiLine, Value); }
  TSeriesMarksStyle GetStyle() const { return FStyle; }
  void SetStyle(TSeriesMarksStyle Value) { Change(FStyle, Value); }
  TColor GetBackColor() const { return GetColor(); }
  void SetBackColor(TColor Value) { SetColor(Value); }
  int32_t ZPosition = 0;

  // ---- callout, arrow and symbol (created on first use) ----
  TMarksCallout* GetCallout();
  TMarksCallout* PeekCallout() const { return FCallout.get(); }
  void SetCallout(const TMarksCallout* Value);
  TWhitePen* GetArrow() { return GetCallout()->Arrow(); }
  void SetArrow(const TChartPen* Value) { GetCallout()->SetArrow(Value); }
  int32_t GetArrowLength() { return GetCallout()->GetLength(); }
  void SetArrowLength(int32_t Value) { GetCallout()->SetLength(Value); }
  TSeriesMarksSymbol* GetSymbol();
  TSeriesMarksSymbol* PeekSymbol() const { return FSymbol.get(); }
  void SetSymbol(const TSeriesMarksSymbol* Value);
  bool SymbolShown() const { return FSymbol && FSymbol->IsShown(); }

  // ---- per-point looks and positions ----
  TMarksItems& Items() { return FItems; }
  const TMarksItems& Items() const { return FItems; }
  TMarksItem* Item(int32_t Index) { return FItems.Item(Index); }
  // The custom item of Index when the items reach that far, else the marks.
  TPlotCustomShape* ItemOrMarks(int32_t Index);
  void ClearPositions();
  void ResetPositions();
  void ApplyCalloutOffset(TSeriesMarkPosition& Position) const;
  void AntiOverlap(int32_t First, int32_t Last, TSeriesMarkPosition& Position);
  int32_t MarkAtPixel(int32_t X, int32_t Y) override;
  int32_t TextWidth(int32_t Index) const;

  // ---- drawing ----
  void DrawMark(int32_t Index, TColor Color, TSeriesMarkPosition& Position, const std::string& Text);
  void DrawText(const TRect& R, const std::string& Text);

private:
  TCanvas3D* ChartCanvas() const;
  bool ChartIs3D() const;
  // How far a box beside ArrowTail moves when the chart projects it at ZPosition.
  TPoint ProjectionShift(TPoint ArrowTail) const;
  TRect OverlapRect(int32_t Index, const TSeriesMarkPosition& Position);
  void DrawLines(const TRect& R, const std::string& Text, const TChartPen& Frame);
  void WriteItems(TWriter& Writer) const;
  void ReadItems(TReader& Reader);

  int32_t FAngle = 0;
  std::unique_ptr<TMarksCallout> FCallout;
  bool FClip = false;
  int32_t FDrawEvery = 1;
  TMarksItems FItems;
  TSeriesMarksStyle FStyle = smsLabel;
  bool FMultiLine = false;
  std::unique_ptr<TSeriesMarksSymbol> FSymbol;
};

namespace PlotEngine {
// The lines of a mark text, split at carriage returns (a following line feed
// belongs to the separator); an empty last part is dropped.
std::vector<std::string> MarkTextLines(const std::string& Text);
}  // namespace PlotEngine
