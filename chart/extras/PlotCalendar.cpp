#include "chart/extras/PlotCalendar.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/extras/ChartWindow.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/rtl/LocaleWeek.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Menus.h"
#include "platform/ui/UserSeam.h"

// ============================================================================
// Cells
// ============================================================================

KV_CLASS_IMPL(TCalendarCell, TPlotShape) {}

TCalendarCell::TCalendarCell(TCalendarSeries* Series)
    : TPlotShape(Series ? dynamic_cast<TCustomPlotPanel*>(Series->GetParentChart()) : nullptr), FSeries(Series) {}

void TCalendarCell::Repaint() {
  if (FSeries)
    FSeries->Repaint();
  else
    TPlotShape::Repaint();
}

KV_CLASS_IMPL(TCalendarCellUpper, TCalendarCell) {
  c.Property("Format", &TCalendarCellUpper::GetFormat, &TCalendarCellUpper::SetFormat);
  c.Property("UpperCase", &TCalendarCellUpper::GetUpperCase, &TCalendarCellUpper::SetUpperCase).Default(false);
}

void TCalendarCellUpper::Assign(const TPersistent* Source) {
  if (auto* s = dynamic_cast<const TCalendarCellUpper*>(Source)) {
    FFormat = s->FFormat;
    FUpperCase = s->FUpperCase;
  }
  TCalendarCell::Assign(Source);
}

void TCalendarCellUpper::SetFormat(const std::string& Value) {
  if (FFormat == Value) return;
  FFormat = Value;
  Repaint();
}

void TCalendarCellUpper::SetUpperCase(bool Value) {
  if (FUpperCase == Value) return;
  FUpperCase = Value;
  Repaint();
}

std::string TCalendarCellUpper::Text(TDateTime Date) const {
  const std::string text = SysUtils::FormatDateTime(FFormat, Date);
  return FUpperCase ? SysUtils::AnsiUpperCase(text) : text;
}

// ============================================================================
// Series
// ============================================================================

class TCalendarSeries::TListener : public ChartEventListener {
public:
  explicit TListener(TCalendarSeries* Series) : FSeries(Series) {}
  void PlotEvent(TPlotEvent& Event) override {
    auto* mouse = dynamic_cast<TPlotMouseEvent*>(&Event);
    if (mouse && mouse->Event == 0 && mouse->Button == TMouseButton::mbLeft && FSeries->GetActive())
      FSeries->Click(mouse->X, mouse->Y);
  }

private:
  TCalendarSeries* FSeries;
};

KV_CLASS_IMPL(TCalendarSeries, TChartSeries) {
  c.Editor("TCalendarSeriesEditor");
  c.Property("Date", &TCalendarSeries::GetDate, &TCalendarSeries::SetDate);
  c.Property("Days", &TCalendarSeries::Days);
  c.Property("Months", &TCalendarSeries::Months);
  c.Property("NextButtonVisible", &TCalendarSeries::GetNextButtonVisible, &TCalendarSeries::SetNextButtonVisible)
      .Default(true);
  c.Property("PreviousButtonVisible", &TCalendarSeries::GetPreviousButtonVisible,
             &TCalendarSeries::SetPreviousButtonVisible)
      .Default(true);
  c.Property("Sunday", &TCalendarSeries::Sunday);
  c.Property("Today", &TCalendarSeries::Today);
  c.Property("Trailing", &TCalendarSeries::Trailing);
  c.Property("WeekDays", &TCalendarSeries::WeekDays);
}

TCalendarSeries::TCalendarSeries(TComponent* Owner)
    : TChartSeries(Owner),
      FDays(std::make_unique<TCalendarCell>(this)),
      FToday(std::make_unique<TCalendarCell>(this)),
      FSunday(std::make_unique<TCalendarCell>(this)),
      FTrailing(std::make_unique<TCalendarCell>(this)),
      FMonths(std::make_unique<TCalendarCellUpper>(this)),
      FWeekDays(std::make_unique<TCalendarCellUpper>(this)),
      FListener(std::make_unique<TListener>(this)) {
  FDate = SysUtils::Date();
  FDays->SetTransparent(true);
  FToday->Shadow()->SetSize(0);
  FToday->SetColor(0xFF0000);
  FToday->Font()->SetColor(clWhite);
  FSunday->Shadow()->SetSize(0);
  FSunday->SetColor(0x0000FF);
  FSunday->Font()->SetColor(clWhite);
  FTrailing->SetTransparent(true);
  FTrailing->Font()->SetColor(0x808080);
  FMonths->SetTransparent(true);
  FMonths->SetFormat("mmmm, yyyy");
  FWeekDays->Pen()->SetVisible(false);
  FWeekDays->SetFormat("ddd");
  FirstDayOfWeek = SysUtils::LocaleFirstDayOfWeek();
  SetShowInLegend(false);
  // One null point, always in the visible range, so that the chart's draw
  // cycle reaches the series.
  CalcVisiblePoints = false;
  AddNull();
}

TCalendarSeries::~TCalendarSeries() {
  FreeButtons();
  FreeMenu();
}

void TCalendarSeries::BeforeDestruction() {
  if (FListening) FListening->RemoveListener(FListener.get());
  FListening = nullptr;
  FreeButtons();
  TChartSeries::BeforeDestruction();
}

void TCalendarSeries::SetParentChart(TSeriesChart* Value) {
  if (FListening) FListening->RemoveListener(FListener.get());
  FListening = nullptr;
  TChartSeries::SetParentChart(Value);
  if (Destroying()) return;
  auto* panel = dynamic_cast<TCustomPlotPanel*>(Value);
  for (TCalendarCell* c : {FDays.get(), FToday.get(), FSunday.get(), FTrailing.get()}) c->SetParent(panel);
  FMonths->SetParent(panel);
  FWeekDays->SetParent(panel);
  FreeButtons();
  if (panel) {
    panel->AddListener(FListener.get());
    FListening = panel;
    MakeButtons();
  }
}

void TCalendarSeries::FreeMenu() {
  if (FMenu) FMenu->Free();
  FMenu = nullptr;
}

void TCalendarSeries::FreeButtons() {
  if (FNext) FNext->Free();
  if (FPrevious) FPrevious->Free();
  FNext = FPrevious = nullptr;
}

void TCalendarSeries::MakeButtons() {
  TPlotPanelControl* window = ChartWindowOf(dynamic_cast<TCustomPlotPanel*>(GetParentChart()));
  if (!window) return;
  const auto make = [&](const char* Caption, int Left, int Step) {
    auto* b = Create<TSpeedButton>(nullptr);
    b->Flat = true;
    b->SetCaption(Caption);
    b->SetBounds(Left, 6, 23, 22);
    b->SetParent(window);
    b->OnClick = [this, Step](TObject*) { StepMonths(Step); };
    return b;
  };
  FNext = make(">", 30, 1);
  FPrevious = make("<", 6, -1);
  ShowButtons();
}

void TCalendarSeries::ShowButtons() {
  if (FNext) FNext->SetVisible(GetActive() && FNextVisible);
  if (FPrevious) FPrevious->SetVisible(GetActive() && FPreviousVisible);
}

void TCalendarSeries::SetActive(bool Value) {
  TChartSeries::SetActive(Value);
  ShowButtons();
}

void TCalendarSeries::SetNextButtonVisible(bool Value) {
  FNextVisible = Value;
  ShowButtons();
}

void TCalendarSeries::SetPreviousButtonVisible(bool Value) {
  FPreviousVisible = Value;
  ShowButtons();
}

void TCalendarSeries::PrepareForGallery(bool Enabled) {
  TChartSeries::PrepareForGallery(Enabled);
  Pen()->SetVisible(false);
  FDays->Font()->SetSize(6);
  FSunday->Font()->SetSize(6);
  FToday->Font()->SetSize(6);
  FWeekDays->Font()->SetSize(5);
  FWeekDays->Shadow()->SetSize(0);
  FMonths->SetVisible(false);
  FTrailing->SetVisible(false);
  SetNextButtonVisible(false);
  SetPreviousButtonVisible(false);
}

void TCalendarSeries::SetDate(TDateTime Value) {
  // Only dates of the years 1 to 9999 can be shown (a damaged file may hold anything).
  if (!(Value >= -693593.0 && Value < 2958466.0)) return;
  if (OnChange && Value != FDate) OnChange(this, Value);
  if (Value == FDate || !(Value >= -693593.0 && Value < 2958466.0)) return;
  FDate = Value;
  Repaint();
}

// ---- geometry ---------------------------------------------------------------

int32_t TCalendarSeries::HeaderRows() const {
  return (FMonths->GetVisible() ? 1 : 0) + (FWeekDays->GetVisible() ? 1 : 0);
}

int32_t TCalendarSeries::Rows() const { return 6 + HeaderRows(); }

int32_t TCalendarSeries::ColumnX(double C) const {
  TChartAxis* a = GetHorizAxisRef();
  if (!a) return 0;
  return static_cast<int32_t>(std::nearbyint(a->StartPixel + (a->EndPixel - a->StartPixel) * C / 7));
}

int32_t TCalendarSeries::RowY(double R) const {
  TChartAxis* a = GetVertAxisRef();
  if (!a) return 0;
  const int32_t top = std::min(a->StartPixel, a->EndPixel), size = std::abs(a->EndPixel - a->StartPixel);
  return static_cast<int32_t>(std::nearbyint(top + size * R / Rows()));
}

TRect TCalendarSeries::CellRect(int32_t Column, int32_t Row) const {
  return TRect(ColumnX(Column - 1) + 1, RowY(Row - 1) + 1, ColumnX(Column) - 1, RowY(Row) - 1);
}

int32_t TCalendarSeries::DayOneColumn() const {
  int y = 0, m = 0, d = 0;
  SysUtils::DecodeDate(FDate, y, m, d);
  const int sundayFirst = SysUtils::DayOfWeek(SysUtils::EncodeDate(y, m, 1));  // 1 = Sunday
  const int w = sundayFirst == 1 ? 7 : sundayFirst - 1;                          // 1 = Monday .. 7 = Sunday
  return (w - FirstDayOfWeek + 6) % 7 + 1;
}

// ---- drawing ----------------------------------------------------------------

void TCalendarSeries::DrawText(TCalendarCell& Cell, double Column, double Row, const std::string& Text) {
  TCanvas3D* canvas = GetParentChart() ? GetParentChart()->GetCanvas() : nullptr;
  if (!canvas) return;
  canvas->UseFont(*Cell.Font());
  canvas->SetTextAlign(TA_CENTER);
  canvas->SetBackMode(TRANSPARENT);
  canvas->TextOut(ColumnX(Column), RowY(Row) - canvas->FontHeight() / 2, Text);
}

void TCalendarSeries::DrawCell(TCalendarCell& Cell, int32_t Column, int32_t Row, const std::string& Text) {
  TRect r = CellRect(Column, Row);
  const int32_t hs = Cell.Shadow() ? Cell.Shadow()->GetHorizSize() : 0;
  const int32_t vs = Cell.Shadow() ? Cell.Shadow()->GetVertSize() : 0;
  r.Bottom = r.Bottom + 1 - vs;
  r.Right = r.Right + 1 - hs;
  Cell.DrawRectRotated(r, 0, StartZ);
  DrawText(Cell, Column - 0.5, Row - 0.5, Text);
}

void TCalendarSeries::DrawPoints() {
  TCanvas3D* canvas = GetParentChart() ? GetParentChart()->GetCanvas() : nullptr;
  if (!canvas || !GetHorizAxisRef() || !GetVertAxisRef()) return;
  int year = 0, month = 0, day = 0;
  SysUtils::DecodeDate(FDate, year, month, day);
  if (FWeekDays->GetVisible()) {
    const int32_t row = FMonths->GetVisible() ? 2 : 1;
    for (int32_t c = 1; c <= 7; ++c)
      DrawCell(*FWeekDays, c, row, FWeekDays->Text(SysUtils::EncodeDate(1899, 1, c + FirstDayOfWeek + 1)));
  }
  if (FMonths->GetVisible()) {
    TRect r(ColumnX(0) + 1, RowY(0) + 1, ColumnX(7) - 1, RowY(1) - 1);
    TitleBounds = r;
    if (FMonths->Shadow()) {
      r.Bottom = r.Bottom + 1 - FMonths->Shadow()->GetVertSize();
      r.Right = r.Right + 1 - FMonths->Shadow()->GetHorizSize();
    }
    FMonths->DrawRectRotated(r, 0, StartZ);
    DrawText(*FMonths, 3.5, 0.5, FMonths->Text(FDate));
  } else {
    TitleBounds = TRect(0, 0, 0, 0);
  }
  const int32_t first = DayOneColumn(), firstRow = FirstWeekRow(), rows = Rows();
  const int prevYear = month == 1 ? year - 1 : year, prevMonth = month == 1 ? 12 : month - 1;
  const int prevDays = SysUtils::DaysInAMonth(prevYear, prevMonth), days = SysUtils::DaysInAMonth(year, month);
  if (FTrailing->GetVisible())
    for (int32_t c = 1; c < first; ++c) DrawCell(*FTrailing, c, firstRow, std::to_string(prevDays - (first - 1) + c));
  int32_t cell = first - 1;  // cells from the first week row's first column
  for (int d = 1; d <= days; ++d, ++cell) {
    const int32_t c = cell % 7 + 1, r = firstRow + cell / 7;
    TCalendarCell* look = FDays.get();
    if (d == day && FToday->GetVisible())
      look = FToday.get();
    else if (SysUtils::DayOfWeek(SysUtils::EncodeDate(year, month, d)) == 1)
      look = FSunday.get();
    DrawCell(*look, c, r, std::to_string(d));
  }
  if (FTrailing->GetVisible())
    for (int next = 1; firstRow + cell / 7 <= rows; ++next, ++cell)
      DrawCell(*FTrailing, cell % 7 + 1, firstRow + cell / 7, std::to_string(next));
  if (Pen()->GetVisible()) {
    canvas->UsePen(*Pen());
    TChartAxis* v = GetVertAxisRef();
    const int32_t bottom = std::max(v->StartPixel, v->EndPixel), h = HeaderRows();
    for (int32_t c = 0; c <= 7; ++c) canvas->VertLine(ColumnX(c), RowY(h), bottom);
    for (int32_t r = h; r <= rows; ++r) canvas->HorizLine(ColumnX(0), ColumnX(7), RowY(r));
  }
}

// ---- mouse ------------------------------------------------------------------

int32_t TCalendarSeries::PointAtPixel(int32_t X, int32_t Y) {
  TChartAxis* h = GetHorizAxisRef();
  TChartAxis* v = GetVertAxisRef();
  if (!GetActive() || !h || !v) return -1;
  const int32_t left = std::min(h->StartPixel, h->EndPixel), right = std::max(h->StartPixel, h->EndPixel);
  const int32_t bottom = std::max(v->StartPixel, v->EndPixel);
  return X >= left && X <= right && Y >= RowY(HeaderRows()) && Y <= bottom ? 0 : -1;
}

bool TCalendarSeries::DateAt(int32_t X, int32_t Y, TDateTime& Value) const {
  TChartAxis* h = GetHorizAxisRef();
  TChartAxis* v = GetVertAxisRef();
  if (!h || !v) return false;
  const double hSize = h->EndPixel - h->StartPixel;
  const double vSize = std::abs(v->EndPixel - v->StartPixel);
  const int32_t top = std::min(v->StartPixel, v->EndPixel), rows = Rows();
  if (hSize <= 0 || vSize <= 0) return false;
  // The right and bottom edges belong to the last column and row.
  const int32_t column = std::min(7, static_cast<int32_t>(std::trunc((X - h->StartPixel) / (hSize / 7))) + 1);
  const int32_t row = std::min(rows, static_cast<int32_t>(std::trunc((Y - top) / (vSize / rows))) + 1);
  const int32_t firstRow = FirstWeekRow(), first = DayOneColumn();
  if (column < 1 || row < firstRow) return false;
  int year = 0, month = 0, day = 0;
  SysUtils::DecodeDate(FDate, year, month, day);
  const double time = FDate - std::floor(FDate);
  const int days = SysUtils::DaysInAMonth(year, month);
  if (row == firstRow && column < first) {
    if (!FTrailing->GetVisible()) return false;
    // The month before January is December of the year before.
    const int py = month == 1 ? year - 1 : year, pm = month == 1 ? 12 : month - 1;
    Value = SysUtils::EncodeDate(py, pm, SysUtils::DaysInAMonth(py, pm) - first + 1 + column) + time;
    return true;
  }
  const int d = (row - firstRow) * 7 + column - first + 1;
  if (d <= days) {
    Value = SysUtils::EncodeDate(year, month, d) + time;
    return true;
  }
  if (!FTrailing->GetVisible()) return false;
  const int ny = month == 12 ? year + 1 : year, nm = month == 12 ? 1 : month + 1;
  Value = SysUtils::EncodeDate(ny, nm, d - days) + time;
  return true;
}

void TCalendarSeries::Click(int32_t X, int32_t Y) {
  const TRect& t = TitleBounds;
  if (FMonths->GetVisible() && t.Right > t.Left && X >= t.Left && X <= t.Right && Y >= t.Top && Y <= t.Bottom) {
    if (!FMenu) {
      FMenu = Create<TPopupMenu>(nullptr);
      for (int m = 1; m <= 12; ++m) {
        auto* item = Create<TMenuItem>(FMenu);
        item->SetCaption(FormatSettings.LongMonthNames[m - 1]);
        item->OnClick = [this, m](TObject*) { ChooseMonth(m); };
        FMenu->Items()->Add(item);
      }
    }
    if (TMenuItem* chosen = UserSeam::Current().PopupMenu(*FMenu, X, Y)) chosen->Click();
    return;
  }
  TDateTime value = 0;
  if (PointAtPixel(X, Y) == 0 && DateAt(X, Y, value)) SetDate(value);
}

void TCalendarSeries::ChooseMonth(int32_t M) {
  if (M < 1 || M > 12) return;
  int year = 0, month = 0, day = 0;
  SysUtils::DecodeDate(FDate, year, month, day);
  const double time = FDate - std::floor(FDate);
  SetDate(SysUtils::EncodeDate(year, M, std::min(day, SysUtils::DaysInAMonth(year, M))) + time);
}

void TCalendarSeries::StepMonths(int32_t Months) {
  int year = 0, month = 0, day = 0;
  SysUtils::DecodeDate(FDate, year, month, day);
  const double time = FDate - std::floor(FDate);
  int total = year * 12 + (month - 1) + Months;
  const int y = total / 12, m = total % 12 + 1;
  if (y < 1 || y > 9999) return;
  SetDate(SysUtils::EncodeDate(y, m, std::min(day, SysUtils::DaysInAMonth(y, m))) + time);
}

namespace PlotCalendar {

namespace {
const std::string kCalendar = "Calendar", kOther = "Other";
}

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TCalendarSeries::StaticClass()))
    Chart::AddSeriesType(TCalendarSeries::StaticClass(), &kCalendar, &kOther, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TCalendarSeries::StaticClass()}); }

}  // namespace PlotCalendar
