// The calendar series format page.
#include "chart/editors/PlotCalendarEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/extras/PlotCalendar.h"
#include "chart/series/PlotCustomShapeEditor.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

namespace {
constexpr const char* CellCaptions[TCalendarSeriesEditor::CellPages] = {"Days",   "Weekdays", "Today",
                                                                        "Sunday", "Trailing", "Months"};
}

KV_CLASS_IMPL(TCalendarSeriesEditor, TEditorPage) {}

TCalendarSeriesEditor::TCalendarSeriesEditor(TComponent* Owner) : TEditorPage(Owner) {
  SetName("CalendarSeriesEditor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(380);
  SetClientHeight(220);
  SetAlign(TAlign::alClient);
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 0, 0, 380, 220);
  PageControl1->SetAlign(TAlign::alClient);
  auto AddTab = [this](const std::string& Name, const char* Caption) {
    auto* T = Create<TTabSheet>(this);
    T->SetName(Name);
    T->SetCaption(Caption);
    T->SetPageControl(PageControl1);
    return T;
  };
  TabOptions = AddTab("TabOptions", "Options");
  for (int32_t i = 0; i < CellPages; ++i) {
    CellTabs[i] = AddTab(std::string("Tab") + CellCaptions[i], CellCaptions[i]);
    // Owned by its tab: the shape editor it receives is owned alongside it,
    // apart from the other five.
    auto* PC = Create<TPageControl>(CellTabs[i]);
    PC->SetName(std::string("PageControl") + CellCaptions[i]);
    PC->SetParent(CellTabs[i]);
    PC->SetBounds(0, 0, 372, 192);
    PC->SetAlign(TAlign::alClient);
    CellPageControls[i] = PC;
  }

  TEditorRow Lines = Make(TEditorRowKind::erPen, "&Lines...", "");
  Lines.Getter = [](TObject* Edited) -> TObject* {
    auto* C = dynamic_cast<TCalendarSeries*>(Edited);
    return C ? C->Pen() : nullptr;
  };
  ButtonPen1 = Place<TButtonPen>(this, AddRow(Lines), TabOptions, "ButtonPen1", 8, 8, 90, 25);
  struct TBox {
    TCheckBox** Box;
    const char* Name;
    const char* Caption;
    const char* Path;
    int L, T;
  };
  const TBox Boxes[] = {
      {&CBWeekDays, "CBWeekDays", "Show &Weekdays", "WeekDays.Visible", 8, 44},
      {&CBWeekUpper, "CBWeekUpper", "&Uppercase", "WeekDays.UpperCase", 160, 44},
      {&CBMonths, "CBMonths", "Show &Months", "Months.Visible", 8, 68},
      {&CBMonthUpper, "CBMonthUpper", "U&ppercase", "Months.UpperCase", 160, 68},
      {&CBTrailing, "CBTrailing", "&Trailing days", "Trailing.Visible", 8, 92},
      {&CBToday, "CBToday", "Show T&oday", "Today.Visible", 8, 116},
      {&CBPrevious, "CBPrevious", "Show Pr&evious Button", "PreviousButtonVisible", 8, 140},
      {&CBNext, "CBNext", "Show Ne&xt Button", "NextButtonVisible", 8, 164},
  };
  for (const TBox& B : Boxes)
    *B.Box = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, B.Caption, B.Path)), TabOptions, B.Name, B.L,
                              B.T, 150, 17);
  PageControl1->SetActivePage(TabOptions);
  OnShow = [this](TObject* S) { FormShow(S); };
}

TCalendarSeries* TCalendarSeriesEditor::Calendar() const { return dynamic_cast<TCalendarSeries*>(Edited()); }

TCalendarCell* TCalendarSeriesEditor::CellOf(const TCalendarSeries& Series, int32_t Index) {
  switch (Index) {
    case 0: return Series.Days();
    case 1: return Series.WeekDays();
    case 2: return Series.Today();
    case 3: return Series.Sunday();
    case 4: return Series.Trailing();
    case 5: return Series.Months();
    default: return nullptr;
  }
}

void TCalendarSeriesEditor::FormShow(TObject*) {
  TCalendarSeries* C = Calendar();
  if (!C) return;
  LoadControls();
  for (int32_t i = 0; i < CellPages; ++i) {
    TCalendarCell* Cell = CellOf(*C, i);
    if (!FShapeEditors[i])
      FShapeEditors[i] = PlotCustomShapeEditor::InsertShapeEditorPages(CellPageControls[i], Cell);
    else
      FShapeEditors[i]->SetEditedShape(Cell);
  }
}
