#pragma once
// The calendar series format page: page "Options" (lines, weekday and month
// headers, trailing days, today, the month buttons) and one page per kind
// of cell ("Days", "Weekdays", "Today", "Sunday", "Trailing", "Months")
// holding the shape pages of that cell.
#include <array>

#include "chart/series/PlotPenDlg.h"

class TCalendarSeries;
class TCalendarCell;
class TFormPlotShape;

class TCalendarSeriesEditor : public TEditorPage {
  KV_CLASS(TCalendarSeriesEditor, TEditorPage)
public:
  explicit TCalendarSeriesEditor(TComponent* Owner);

  static constexpr int32_t CellPages = 6;

  TPageControl* PageControl1;
  TTabSheet* TabOptions;
  // The cell pages, each with a page control receiving the shape pages.
  std::array<TTabSheet*, CellPages> CellTabs{};
  std::array<TPageControl*, CellPages> CellPageControls{};
  TButtonPen* ButtonPen1;
  TCheckBox *CBWeekDays, *CBWeekUpper, *CBTrailing, *CBToday, *CBMonths, *CBMonthUpper, *CBPrevious, *CBNext;

  void FormShow(TObject* Sender);
  TCalendarSeries* Calendar() const;
  // The shape editor of cell page Index (none before the first show).
  TFormPlotShape* ShapeEditor(int32_t Index) const { return FShapeEditors.at(static_cast<size_t>(Index)); }
  // The cell that page Index edits.
  static TCalendarCell* CellOf(const TCalendarSeries& Series, int32_t Index);

private:
  std::array<TFormPlotShape*, CellPages> FShapeEditors{};
};
