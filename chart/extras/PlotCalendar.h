#pragma once
// The calendar series: a one-month calendar drawn into the rectangle of its
// axes (title row, weekday names, six weeks with the neighbouring months'
// days as trailing days). The month changes with two buttons on the chart's
// window, a menu of month names on the title, or a click on a day.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotProcs.h"

class TCalendarSeries;
class TSpeedButton;
class TPopupMenu;

// The look of one kind of calendar cell; any change repaints its series.
class TCalendarCell : public TPlotShape {
  KV_CLASS(TCalendarCell, TPlotShape)
public:
  explicit TCalendarCell(TCalendarSeries* Series = nullptr);
  void Repaint() override;
  TCalendarSeries* Series() const { return FSeries; }

private:
  TCalendarSeries* FSeries;
};

// A header cell (month title, weekday names) with its date format.
class TCalendarCellUpper : public TCalendarCell {
  KV_CLASS(TCalendarCellUpper, TCalendarCell)
public:
  explicit TCalendarCellUpper(TCalendarSeries* Series = nullptr) : TCalendarCell(Series) {}
  void Assign(const TPersistent* Source) override;
  const std::string& GetFormat() const { return FFormat; }
  void SetFormat(const std::string& Value);
  bool GetUpperCase() const { return FUpperCase; }
  void SetUpperCase(bool Value);
  // Date formatted with Format, upper-cased when set.
  std::string Text(TDateTime Date) const;

private:
  std::string FFormat;
  bool FUpperCase = false;
};

using TCalendarChangeEvent = std::function<void(TCalendarSeries* Sender, TDateTime& Value)>;

class TCalendarSeries : public TChartSeries {
  KV_CLASS(TCalendarSeries, TChartSeries)
public:
  explicit TCalendarSeries(TComponent* Owner);
  ~TCalendarSeries() override;
  void BeforeDestruction() override;
  std::string EditorFormName() const override { return "TCalendarSeriesEditor"; }
  void SetActive(bool Value) override;
  void SetParentChart(TSeriesChart* Value) override;
  void DrawPoints() override;
  int32_t PointAtPixel(int32_t X, int32_t Y) override;
  bool UseAxis() const override { return false; }
  void PrepareForGallery(bool Enabled) override;

  TDateTime GetDate() const { return FDate; }
  // Through OnChange, which may change the value; repaints when it changed.
  void SetDate(TDateTime Value);
  TCalendarCell* Days() const { return FDays.get(); }
  TCalendarCell* Today() const { return FToday.get(); }
  TCalendarCell* Sunday() const { return FSunday.get(); }
  TCalendarCell* Trailing() const { return FTrailing.get(); }
  TCalendarCellUpper* Months() const { return FMonths.get(); }
  TCalendarCellUpper* WeekDays() const { return FWeekDays.get(); }
  void SetDays(const TCalendarCell* V) { FDays->Assign(V); }
  void SetToday(const TCalendarCell* V) { FToday->Assign(V); }
  void SetSunday(const TCalendarCell* V) { FSunday->Assign(V); }
  void SetTrailing(const TCalendarCell* V) { FTrailing->Assign(V); }
  void SetMonths(const TCalendarCellUpper* V) { FMonths->Assign(V); }
  void SetWeekDays(const TCalendarCellUpper* V) { FWeekDays->Assign(V); }
  bool GetNextButtonVisible() const { return FNextVisible; }
  void SetNextButtonVisible(bool Value);
  bool GetPreviousButtonVisible() const { return FPreviousVisible; }
  void SetPreviousButtonVisible(bool Value);
  TCalendarChangeEvent OnChange;

  // 0 = Monday ... 6 = Sunday, from the user's locale at construction.
  int32_t FirstDayOfWeek = 0;
  // Geometry: rows in all (8 less the hidden header rows), header rows shown,
  // and the pixel of column and row boundaries (fractions for centres).
  int32_t Rows() const;
  int32_t HeaderRows() const;
  int32_t ColumnX(double C) const;
  int32_t RowY(double R) const;
  // The rectangle of cell (column, row), both from 1.
  TRect CellRect(int32_t Column, int32_t Row) const;
  // Column of day 1 and the first week row, for the date in Date.
  int32_t DayOneColumn() const;
  int32_t FirstWeekRow() const { return HeaderRows() + 1; }
  // The date of the cell under (X, Y); false when the click changes nothing.
  bool DateAt(int32_t X, int32_t Y, TDateTime& Value) const;
  // The mouse-down handling: the month menu on the title, else a day.
  void Click(int32_t X, int32_t Y);
  // The same day in month M (1 .. 12) of the same year, clipped.
  void ChooseMonth(int32_t M);
  // Moves Date by Months months, the day clipped to the month's length.
  void StepMonths(int32_t Months);
  TSpeedButton* NextButton() const { return FNext; }
  TSpeedButton* PreviousButton() const { return FPrevious; }
  // The title's bounds as last drawn.
  TRect TitleBounds{0, 0, 0, 0};

private:
  class TListener;
  void DrawCell(TCalendarCell& Cell, int32_t Column, int32_t Row, const std::string& Text);
  void DrawText(TCalendarCell& Cell, double Column, double Row, const std::string& Text);
  void FreeButtons();
  void FreeMenu();
  void MakeButtons();
  void ShowButtons();
  bool Destroying() const { return ComponentState.Contains(TComponentStateItem::csDestroying); }
  TDateTime FDate = 0;
  std::unique_ptr<TCalendarCell> FDays, FToday, FSunday, FTrailing;
  std::unique_ptr<TCalendarCellUpper> FMonths, FWeekDays;
  bool FNextVisible = true, FPreviousVisible = true;
  TSpeedButton* FNext = nullptr;      // owned; parent: the chart's window
  TSpeedButton* FPrevious = nullptr;  // owned
  TPopupMenu* FMenu = nullptr;  // owned, made on first use
  std::unique_ptr<TListener> FListener;
  TCustomPlotPanel* FListening = nullptr;  // the chart holding our listener
};

namespace PlotCalendar {
void Initialization();
void Finalization();
}  // namespace PlotCalendar
