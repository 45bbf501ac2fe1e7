#pragma once
// Grids: the platform's cell grid. TCustomGrid lays out, scrolls, selects and
// paints cells but keeps none (a grid of 100 000 rows costs one height per
// row); TStringGrid adds a text and an object slot per cell; TInplaceEdit is
// the text editor that the grid places over the current cell.
//
// Rules the grids keep:
// | topic            | rule                                                              |
// |------------------|-------------------------------------------------------------------|
// | counts           | ColCount, RowCount ≥ 1; FixedCols < ColCount, FixedRows < RowCount |
// | cell store       | a row is a string list with objects; a shrunk ColCount keeps the  |
// |                  | cells beyond it (hidden columns live there); a shrunk RowCount    |
// |                  | clears the rows beyond it; objects are never freed by the grid    |
// | moves            | MoveColumn/MoveRow carry texts, objects and sizes                 |
// | geometry         | cells abut with GridLineWidth pixels between them; CellRect of a  |
// |                  | cell that is not on screen is empty                               |
// | scrolling        | LeftCol ≥ FixedCols, TopRow ≥ FixedRows, limited so that the last |
// |                  | column (row) ends the view; scroll bar positions run 0..127 and   |
// |                  | map proportionally: row = MulDiv(pos, max TopRow - FixedRows, 127) |
// |                  | + FixedRows                                                       |
// | selection        | the current cell and an anchor span it; SelectCell can veto a move |
// | keys             | arrows, Page Up/Down, Home/End (Ctrl: first/last row), Tab with   |
// |                  | goTabs, F2 and Enter open the editor, a typed character opens it  |
// |                  | with that character                                               |
// | mouse            | press selects (Shift extends with goRangeSelect), a drag extends; |
// |                  | within 2 pixels of a fixed-band border sizes it (CanSizeBorder    |
// |                  | may veto); a drag from a fixed cell with goColMoving/goRowMoving  |
// |                  | moves the column/row; the wheel moves Row by one                  |
// | painting         | DrawCell for every visible cell, clipped to the cell; the rest of |
// |                  | the client area in Color; the sizing line is drawn with XOR on the |
// |                  | shown picture, outside Paint                                      |
// | editing          | ShowEditor/HideEditor; every change of the editor's text reaches   |
// |                  | SetEditText at once                                               |

#include "platform/ui/Controls.h"
#include "platform/ui/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
  goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
  goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = Flags<TGridOption>;
using enum TGridOption;

enum class TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = Flags<TGridDrawStateItem>;
using enum TGridDrawStateItem;

enum class TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

struct TGridRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

class TCustomGrid;
class TEditMask;

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// The grid's text editor: single or multi-line, painting itself. Keys that
// move between cells (Up, Down, Page Up/Down, Tab, Enter unless it takes
// returns, Escape) go to the grid.
class TInplaceEdit : public TCustomControl {
  KV_CLASS(TInplaceEdit, TCustomControl)
 public:
  explicit TInplaceEdit(TComponent* AOwner);
  ~TInplaceEdit() override;

  TCustomGrid* GetGrid() const { return FGrid; }

  // The text; with an input mask its value (EditMask.h): unfilled positions
  // as blanks, literals as the mask says.
  std::string GetText() const override;
  // Sets the text without counting as a typed change; the caret goes to the end.
  void SetText(const std::string& Value) override;
  // The input mask (EditMask.h); empty: none. Setting it lays the text into the mask.
  const std::string& GetEditMask() const { return FEditMaskText; }
  void SetEditMask(const std::string& Value);
  bool IsMasked() const;
  // The text as edited: with a mask one character per position.
  const std::string& EditText() const { return FEditText; }
  // With a mask: every required position is filled.
  bool MaskComplete() const;

  bool MultiLine = false;
  bool WantReturns = false;
  char PasswordChar = '\0';
  TAlignment Alignment = TAlignment::taLeftJustify;
  // Most characters the text may hold; 0 is no limit.
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);

  // Selection in characters (UTF-8 code points); the caret stands at its end.
  int GetSelStart() const { return FSelStart; }
  int GetSelLength() const { return FSelLength; }
  void SetSelStart(int Value);
  void SetSelLength(int Value);
  void SelectAll();
  std::string GetSelText() const;
  // Replaces the selection by Text (cut to the length limit), as typing does.
  void SetSelText(const std::string& Text);
  int GetCaretPos() const { return FSelStart + FSelLength; }
  // The text as shown: every character replaced by PasswordChar when set.
  std::string DisplayText() const;

  bool GetModified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  TNotifyEvent OnChange;

  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void Paint() override;

 protected:
  friend class TCustomGrid;
  // A typed change: fires OnChange and hands the text to the grid.
  virtual void Change();
  // Whether the grid takes Key instead of the edit.
  virtual bool KeyGoesToGrid(uint16_t Key, TShiftState Shift) const;

 private:
  int Length() const;
  void Replace(int From, int Count, const std::u16string& Text);
  void MoveCaret(int NewPos, bool Extend);
  void ReplaceMasked(int From, int Count, const std::u16string& Text);
  TCustomGrid* FGrid = nullptr;
  std::string FEditText;
  std::string FEditMaskText;
  std::unique_ptr<TEditMask> FMask;
  int FMaxLength = 0;
  int FSelStart = 0;
  int FSelLength = 0;
  int FAnchor = 0;
  bool FModified = false;
};

class TCustomGrid : public TCustomControl {
  KV_CLASS(TCustomGrid, TCustomControl)
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // Counts and sizes.
  int GetColCount() const { return FColCount; }
  void SetColCount(int Value);
  int GetRowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  virtual int GetFixedCols() const { return FFixedCols; }
  // The counts as stored, whatever descendants make GetFixedCols/Rows read.
  int GetFixedColsRaw() const { return FFixedCols; }
  int GetFixedRowsRaw() const { return FFixedRows; }
  void SetFixedCols(int Value);
  virtual int GetFixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  int GetDefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int Value);
  int GetDefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value);
  int GetColWidths(int ACol) const;
  void SetColWidths(int ACol, int Value);
  int GetRowHeights(int ARow) const;
  void SetRowHeights(int ARow, int Value);
  int GetGridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TGridOptions GetOptions() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TColor GetFixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  bool GetDefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // The bars shown (only those ScrollBars allows and the cells need); the
  // client area leaves their room. nullptr while hidden.
  TScrollBar* GetScrollBar(TScrollBarKind Kind) const;
  static constexpr int ScrollBarSize = 16;
  TRect GetClientRect() const override;
  // Width and height of all cells with their lines.
  int GridWidth() const;
  int GridHeight() const;

  // Current cell, selection and view.
  int GetCol() const { return FCurrent.X; }
  void SetCol(int Value);
  int GetRow() const { return FCurrent.Y; }
  void SetRow(int Value);
  // Moves the current cell (asking SelectCell); MoveAnchor collapses the
  // selection onto it, Show scrolls it into view. False when vetoed.
  bool MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
  TGridRect GetSelection() const;
  void SetSelection(const TGridRect& Value);
  int GetLeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  int GetTopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  // Scrollable columns (rows) wholly inside the client area from LeftCol (TopRow).
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // The largest LeftCol (TopRow): the last column (row) then ends the view.
  int MaxLeftCol() const;
  int MaxTopRow() const;
  // Makes the cell wholly visible, scrolling as little as needed.
  void ScrollInView(int ACol, int ARow);

  // Scroll bar positions on the 0..127 scale.
  int ScrollPosition(TScrollBarKind Kind) const;
  void ScrollToPosition(TScrollBarKind Kind, int Pos);

  // Geometry: the cell's pixels in client coordinates; empty off screen.
  TRect CellRect(int ACol, int ARow) const;
  // The cell under a client point; -1, -1 outside the cells.
  void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
  TGridCoord MouseCoord(int X, int Y) const;

  // Editing.
  bool GetEditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  void ShowEditor();
  void HideEditor();
  TInplaceEdit* GetInplaceEditor() const { return FInplaceEdit; }

  TGridState GetGridState() const { return FGridState; }

  // Moves a column (row) with everything it carries.
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);

  void InvalidateCell(int ACol, int ARow);
  void InvalidateCol(int ACol);
  void InvalidateRow(int ARow);
  void InvalidateGrid() { Invalidate(); }

  void Paint() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void Resize() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TSelectCellEvent OnSelectCell;
  TDrawCellEvent OnDrawCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TGetEditEvent OnGetEditMask;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  TNotifyEvent OnTopLeftChanged;

 protected:
  friend class TInplaceEdit;
  // Draws one cell; the canvas is clipped to Rect. Fires OnDrawCell.
  virtual void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State);
  // The veto on a new current cell; fires OnSelectCell.
  virtual bool SelectCell(int ACol, int ARow);
  virtual bool CanEditShow();
  virtual bool CanEditModify() { return true; }
  virtual TInplaceEdit* CreateEditor();
  virtual std::string GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const std::string& Value);
  // The input mask of a cell's editor (EditMask.h); fires OnGetEditMask.
  virtual std::string GetEditMask(int ACol, int ARow);
  // Most characters the editor takes; 0 is no limit.
  virtual int GetEditLimit() { return 0; }
  virtual void SizeChanged(int OldColCount, int OldRowCount);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void ColumnMoved(int FromIndex, int ToIndex);
  virtual void RowMoved(int FromIndex, int ToIndex);
  virtual void TopLeftChanged();
  // Veto on sizing: the border of column (IsColumn) or row Index at X, Y.
  virtual bool CanSizeBorder(int X, int Y, bool IsColumn, int Index);
  // Veto on starting to move a column (row) by the mouse.
  virtual bool BeginColumnDrag(int Origin) { return Origin >= FFixedCols; }
  virtual bool BeginRowDrag(int Origin) { return Origin >= FFixedRows; }
  // Draws the sizing line with XOR at client coordinate Pos.
  void DrawSizingLine(int Pos);
  // Places the editor over the current cell.
  void UpdateEditorBounds();
  // Whether Paint clips each cell to its rectangle (on by default); grids
  // that draw cells beyond their own rectangle clip themselves.
  bool ClipCells = true;

 private:
  int ColLeft(int ACol) const;    // client x of a column, ignoring visibility
  int RowTop(int ARow) const;
  int SumWidths(int From, int To) const;   // columns From..To-1 with their lines
  int SumHeights(int From, int To) const;
  bool ColOnScreen(int ACol) const;
  bool RowOnScreen(int ARow) const;
  void ClampView();
  void SelectionChanged(const TGridRect& Old);
  void StepCell(int DCol, int DRow, TShiftState Shift);
  void TabStep(bool Backwards);
  bool SizingAt(int X, int Y, bool& IsColumn, int& Index, int& Edge) const;
  void FinishMouseAction(int X, int Y);
  // Shows, places and sets the scroll bars from the counts, sizes and view.
  void SyncScrollBars();
  void BarScrolled(TScrollBarKind Kind, TScrollCode Code, int& Pos);
  TScrollBar* FBars[2] = {nullptr, nullptr};  // horizontal, vertical
  bool FShowBar[2] = {false, false};
  bool FSyncingBars = false;

  int FColCount = 5, FRowCount = 5;
  int FFixedCols = 1, FFixedRows = 1;
  int FDefaultColWidth = 64, FDefaultRowHeight = 24;
  std::vector<int> FColWidths, FRowHeights;  // empty: all default
  int FGridLineWidth = 1;
  TGridOptions FOptions;
  TColor FFixedColor;
  bool FDefaultDrawing = true;
  TScrollStyle FScrollBars = TScrollStyle::ssBoth;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  bool FEditorMode = false;
  TInplaceEdit* FInplaceEdit = nullptr;
  TGridState FGridState = TGridState::gsNormal;
  int FSizingIndex = -1, FSizingEdge = 0, FSizingPos = -1;
  int FMoveFrom = -1, FMoveTo = -1;
  int FUpdatingEditor = 0;
};

// A grid holding a text and an object slot per cell.
class TStringGrid : public TCustomGrid {
  KV_CLASS(TStringGrid, TCustomGrid)
 public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  std::string GetCells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const std::string& Value);
  TObject* GetObjects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);
  // The row as a list of cells (columns, hidden ones too) and the column as
  // a list of cells (rows); both read and write the grid.
  TStrings* Rows(int ARow);
  TStrings* Cols(int ACol);
  // Number of cells the row keeps (at least ColCount).
  int StoredColCount(int ARow) const;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;

 private:
  class TRowStrings;
  class TColStrings;
  TRowStrings& EnsureRow(int ARow);
  std::vector<std::unique_ptr<TRowStrings>> FRows;
  std::vector<std::unique_ptr<TColStrings>> FColViews;
};
