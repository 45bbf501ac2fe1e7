#pragma once
// The electrode editor: a tool window that lists every measurement of the
// survey, one row per receiver of every current-electrode pair, with its
// electrode positions, observed value and weight. Ticking "Used", editing a
// value or a weight writes straight into the main window's survey (there is no
// undo); picking a row marks the measurement on the data sections.
//
// Data row r holds the measurement with flat index r - 1 at load time; a header
// click may reorder the rows, so every handler maps the displayed row through
// the grid's unsorted-row mapping first.

#include <cstdint>
#include <functional>
#include <string>

#include "grid/GridView.h"
#include "platform/rtl/WeakRef.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"

class TMainForm;

// The table of the editor. A refused edit keeps the editor open on the text
// the user typed (the grid itself reopens it on the value before editing).
class TElectrodeGrid : public TGridView {
  KV_CLASS(TElectrodeGrid, TGridView)
 public:
  explicit TElectrodeGrid(TComponent* AOwner);
  bool ValidateCell(const std::string& NewText) override;
};

class TEditForm : public TForm {
  KV_CLASS(TEditForm, TForm)
 public:
  explicit TEditForm(TComponent* AOwner);

  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;  // "Array"
  TElectrodeGrid* GridView1 = nullptr;

  // The table columns.
  enum : int { colNumber, colUsed, colC1, colC2, colP1, colP2, colValue, colResistance, colWeight, ColumnTotal };

  // The window whose survey the table shows; installs the window's four editor
  // hooks (visible, current row, select a row, row of a flat index).
  void Attach(TMainForm& Form);
  TMainForm* MainWindow() const { return FMainForm.Get(); }

  // Rebuilds the whole table from the survey; forgets any earlier header sort.
  void LoadGrid();
  // The survey was replaced or the quantity on display changed: a visible
  // table loads again, a hidden one stays as it is until it is shown.
  void SurveyChanged();

  // The measurement a displayed row shows: false (both -1) for the header row
  // or a row beyond the survey.
  bool MeasurementOfRow(int Row, int32_t& Pair, int32_t& Receiver) const;
  // The displayed row of a flat index + 1; -1 when the table has no such row.
  int RowOfFlatIndex(int32_t FlatIndexPlusOne) const;
  // Makes the row of a flat index + 1 current and marks its measurement (also
  // when it is current already); -1 and unknown rows do nothing.
  void SelectFlatIndex(int32_t FlatIndexPlusOne);

  // Handlers bound to the form and the grid.
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void GridView1SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void GridView1GetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush& ABrush,
                             TFont& AFont);
  void GridView1GetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign);
  void GridView1RowChanging(TObject* Sender, int OldRow, int NewRow, bool& Allow);
  void GridView1CanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);
  void GridView1CellValidate(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Valid);
  void GridView1CheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);

  // Redraws one data section of the main window (the upper one when Upper is
  // set); tests wrap it to count the redraws.
  std::function<void(bool Upper)> PlotDataHook;

  // The quantity column 6 was loaded with (0 apparent resistivity, 1 polarizability).
  int32_t LoadedQuantity() const { return FLoadedQuantity; }

 private:
  // Observed data loaded and the main window not busy with a computation.
  bool CanChangeSurvey() const;
  void PlotData(bool Upper);
  void MarkMeasurement(int32_t Pair, int32_t Receiver);
  // The checks and the store of one edited cell; an empty text when it was
  // stored, else the message that names the column, the text and what is allowed.
  std::string StoreWeight(int32_t Pair, int32_t Receiver, const std::string& Text, std::string& Canonical);
  std::string StoreObservedValue(int ACol, int ARow, int32_t Pair, int32_t Receiver, const std::string& Text,
                                 std::string& Canonical, bool& Unchanged);
  void RefuseEdit(const std::string& Message);

  WeakRef<TMainForm> FMainForm;
  int32_t FLoadedQuantity = 0;
};

namespace EditUnit {
// The editor made by the program entry (or on first use); none before.
extern WeakRef<TEditForm> EditForm;
// The editor of a main window, created (owned by the application) when there is none.
TEditForm& EditorFor(TMainForm& Form);
// The header of column 6: "ha%" while polarizability is shown, else "ra"
// (drawn in the Symbol face as the Greek letters).
std::string ValueHeader(int32_t DataQuantity);
}  // namespace EditUnit
