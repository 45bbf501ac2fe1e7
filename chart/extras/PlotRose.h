#pragma once
// Flat polar series: the wind rose, whose circle labels are compass
// directions, and the analogue clock, which draws the time with three hands
// and repaints its chart every second.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/extras/PlotPolar.h"

class TTimer;

// A polar series that always shows flat.
class TCustom2DPolarSeries : public TCustomPolarSeries {
  KV_CLASS(TCustom2DPolarSeries, TCustomPolarSeries)
public:
  using TCustomPolarSeries::TCustomPolarSeries;
  void ChangeView3D(bool Value) override;
  void PrepareForGallery(bool Enabled) override;
};

class TWindRoseSeries : public TCustom2DPolarSeries {
  KV_CLASS(TWindRoseSeries, TCustom2DPolarSeries)
public:
  explicit TWindRoseSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TWindRoseEditor"; }
  // The compass text of the angle (mirrored with MirrorLabels); empty off the
  // 15-degree steps.
  std::string GetCircleLabel(double Angle, int32_t Index) override;
  bool GetMirrorLabels() const { return FMirrorLabels; }
  void SetMirrorLabels(bool Value) { SetBooleanField(FMirrorLabels, Value); }

private:
  bool FMirrorLabels = false;
};

enum class TClockSeriesStyle : uint8_t { cssDecimal, cssRoman };
using enum TClockSeriesStyle;

using TClockGetTimeEvent = std::function<void(TChartSeries* Sender, TDateTime& Time)>;

class TClockSeries : public TCustom2DPolarSeries {
  KV_CLASS(TClockSeries, TCustom2DPolarSeries)
public:
  explicit TClockSeries(TComponent* Owner);
  ~TClockSeries() override;
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TClockEditor"; }
  void SetParentChart(TSeriesChart* Value) override;
  void SetActive(bool Value) override;
  void RemovedFromChart() override;
  void BeforeDrawPoints() override;
  void DrawPoints() override;
  std::string GetCircleLabel(double Angle, int32_t Index) override;
  int32_t LegendEntryCount() const override { return 1; }
  TColor LegendEntryColor(int32_t /*Item*/) const override { return clNone; }
  std::string GetLegendString(int32_t Item, TLegendTextStyle Style) const override;
  int32_t NumSampleValues() const override { return 1; }
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;

  // The time shown: now, passed through OnGetTime.
  TDateTime GetTime() const;
  // Angles (degrees, before the rotation) of the three hands at Time.
  static void HandAngles(TDateTime Time, double& Hours, double& Minutes, double& Seconds);

  TChartPen* PenHours() const { return FPenHours.get(); }
  void SetPenHours(const TChartPen* Value) { FPenHours->Assign(Value); }
  TChartPen* PenMinutes() const { return FPenMinutes.get(); }
  void SetPenMinutes(const TChartPen* Value) { FPenMinutes->Assign(Value); }
  TChartPen* PenSeconds() const { return FPenSeconds.get(); }
  void SetPenSeconds(const TChartPen* Value) { FPenSeconds->Assign(Value); }
  TClockSeriesStyle GetStyle() const { return FStyle; }
  void SetStyle(TClockSeriesStyle Value);
  TTimer* Timer() const { return FTimer; }
  TClockGetTimeEvent OnGetTime;

private:
  // Hides the chart's axes (saving them) or gives them back.
  void TakeAxes();
  void GiveAxesBack();
  void Tick();

  std::unique_ptr<TChartPen> FPenHours, FPenMinutes, FPenSeconds;
  TClockSeriesStyle FStyle = cssRoman;
  bool FSavedAxisVisible = true;
  bool FAxesTaken = false;
  TTimer* FTimer = nullptr;  // owned as a component child
};

namespace PlotRose {

// Registers "Wind Rose" and "Clock" on the gallery page "Other" (once);
// Finalization removes them.
void Initialization();
void Finalization();

}  // namespace PlotRose
