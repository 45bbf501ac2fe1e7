#pragma once
// BaseGrid: the layer between the platform's string grid and the grid
// control. Every cell may carry a properties object (in its object slot, so
// it moves with its row and column); rectangular blocks of cells merge into
// one; the grid draws its own lines inside each cell, fills the background
// (plain or as a gradient) and hands the content to DrawCellBody. Also the
// undo component that records validated edits.

#include "platform/ui/Grids.h"

#include <string>

class TBaseGrid;

enum class TVAlignment { vtaTop, vtaCenter, vtaBottom };
using enum TVAlignment;

enum class TEditorType {
  edNormal, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase, edPassword, edLowerCase, edUpperCase,
  edSpinEdit, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit, edComboEdit, edComboList, edEditBtn,
  edNumericEditBtn, edFloatEditBtn, edCheckBox, edDataCheckBox, edDateEdit, edDateEditUpDown, edTimeEdit,
  edButton, edUnitEditBtn, edCustom, edRichEdit, edUniEdit, edUniComboEdit, edUniComboList
};
using enum TEditorType;

// Footer calculation of a column.
enum class TCalcType : uint8_t { ctNone, ctSum, ctAverage, ctCount, ctMin, ctMax };

// Properties of one cell. Merged blocks: the origin has IsBaseCell and spans
// (columns - 1, rows - 1); every other cell of the block holds its offset
// from the origin; an unmerged cell has spans (-1, -1).
class TCellProperties : public TPersistent {
  KV_CLASS(TCellProperties, TPersistent)
 public:
  TCellProperties(TBaseGrid* AOwnerGrid, int ACol, int ARow);
  TCellProperties() : TCellProperties(nullptr, 0, 0) {}

  TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
  int OwnerCol = 0;
  int OwnerRow = 0;
  TObject* CellObject = nullptr;   // free for the owner
  TObject* GraphicObject = nullptr;  // the cell's graphic (owned by the grid control)
  TBrushStyle BrushStyle = bsSolid;
  TColor GetBrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value);
  TColor GetBrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor Value);
  int FontSize = 0;
  TColor FontColor = clNone;
  TFontStyles FontStyle;
  int CellSpanY = -1;
  int CellSpanX = -1;
  int BorderWidth = 0;
  TColor BorderColor = 0;
  TAlignment Alignment = TAlignment::taLeftJustify;
  TVAlignment GetVAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  int PaintStamp = -1;  // the paint pass that last drew the block
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool IsBaseCell = true;
  TCalcType CalcType = TCalcType::ctNone;
  TObject* CalcObject = nullptr;
  int NodeLevel = 0;
  TEditorType Editor = edNormal;
  std::string FontName;
  bool ReadOnly = false;
  TControl* Control = nullptr;

  void Assign(const TPersistent* Source) override;

 private:
  void RepaintOwnerCell();
  TBaseGrid* FOwnerGrid;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  TVAlignment FVAlignment = vtaTop;
  bool FWordWrap = false;
};

class TUndoRedoItem : public TCollectionItem {
  KV_CLASS(TUndoRedoItem, TCollectionItem)
 public:
  explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}
  int Row = 0;
  int Col = 0;
  std::string Value;
  std::string OrigValue;
};

class TUndoRedoCollection : public TCollection {
  KV_CLASS(TUndoRedoCollection, TCollection)
 public:
  explicit TUndoRedoCollection(TPersistent* AOwner = nullptr)
      : TCollection(TUndoRedoItem::StaticClass(), ItemFactoryOf<TUndoRedoItem>(), AOwner) {}
};

class TGridViewUndoRedo : public TComponent {
  KV_CLASS(TGridViewUndoRedo, TComponent)
 public:
  explicit TGridViewUndoRedo(TComponent* AOwner);
  ~TGridViewUndoRedo() override;
  TBaseGrid* GetGrid() const { return FGrid; }
  void SetGrid(TBaseGrid* Value);
  TUndoRedoCollection* Items() const { return FItems.get(); }
  int Level = 0;
  int MaxLevel = 0;  // 0: no limit
  // Records an edit of the cell: its new value and the value before editing.
  void RecordChange(int ACol, int ARow, const std::string& Value, const std::string& OrigValue);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TBaseGrid;
  TBaseGrid* FGrid = nullptr;
  std::unique_ptr<TUndoRedoCollection> FItems;
};

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;

class TBaseGrid : public TStringGrid {
  KV_CLASS(TBaseGrid, TStringGrid)
 public:
  explicit TBaseGrid(TComponent* AOwner);
  ~TBaseGrid() override;
  void BeforeDestruction() override;

  // The grid's own lines (the platform grid draws none).
  int GetGridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TColor GetGridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value);
  bool GetDefaultDrawing() const { return FOwnDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  // The last row drawn blank and avoided by keys and the wheel.
  bool GetHideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value);
  int PaintCounter() const { return FPaintCounter; }
  // The row count the owner set; rows below it are normal rows.
  int NormalRowCount = 0;
  TGetDisplTextEvent OnGetDisplText;
  TGridViewUndoRedo* GetUndoRedo() const { return FUndoRedo; }
  void SetUndoRedo(TGridViewUndoRedo* Value);

  // Cell properties.
  TCellProperties* CellProperties(int ACol, int ARow);
  bool HasCellProperties(int ACol, int ARow) const;
  TCellProperties* RawCellProperties(int ACol, int ARow) const;
  void PutRawCellProperties(int ACol, int ARow, TCellProperties* Value);
  // Frees the cell's properties and stores Value (none allowed).
  void SetCellProperties(int ACol, int ARow, TCellProperties* Value);
  TObject* GetCellGraphicObject(int ACol, int ARow) const;
  void SetCellGraphicObject(int ACol, int ARow, TObject* Value);

  // Cell text: CellText through the merge origin (and the display hook below
  // the normal rows); RawCellText of exactly that cell.
  std::string CellText(int ACol, int ARow);
  void SetCellText(int ACol, int ARow, const std::string& Value);
  std::string RawCellText(int ACol, int ARow) const { return GetCells(ACol, ARow); }
  void SetRawCellText(int ACol, int ARow, const std::string& Value) { SetCells(ACol, ARow, Value); }
  // Empty the text and the object slot without freeing the object.
  void ClearColData(int ACol);
  void ClearRowData(int ARow);
  void ClearCellData(int ACol, int ARow);
  void FreeCellObjects(int LeftCol, int TopRow, int BottomRow, int RightCol);
  void FreeAllCellObjects();

  // Geometry and merging.
  TRect PlainCellRect(int ACol, int ARow) const;
  TRect CellRect(int ACol, int ARow) const;
  TSize CellSize(int ACol, int ARow) const;
  TPoint CellSpan(int ACol, int ARow) const;
  bool IsMergedCell(int ACol, int ARow) const;
  bool IsXMergedCell(int ACol, int ARow) const;
  bool IsYMergedCell(int ACol, int ARow) const;
  TPoint BaseCell(int ACol, int ARow) const;
  bool IsBaseCell(int ACol, int ARow) const;
  // True for an origin (or unmerged cell), else false with the origin.
  bool BaseCellEx(int ACol, int ARow, int& OriginRow, int& OriginCol) const;
  int FixedColsWidth() const;
  int FixedRowsHeight() const;
  bool RowsShareMergeGroup(int ARow1, int ARow2) const;
  virtual void MergeCells(int ACol, int ARow, int ColCount, int RowCount);
  virtual void SplitCells(int ACol, int ARow);
  void SnapToBaseCell();

  void RepaintCell(int ACol, int ARow);
  void RefreshMergedFixedRows();
  void RefreshMergedFixedCols();

  void Paint() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

  virtual bool IsFixedCell(int /*ACol*/, int /*ARow*/) { return false; }
  virtual int RowNodeIndent(int /*ARow*/) { return 0; }
  virtual bool HasNodes() { return false; }
  virtual void DrawCellBody(TCanvas& Canvas, int ACol, int ARow, TRect R, TGridDrawState State);
  virtual void LastRowChanged() {}
  virtual void CellVisuals(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap, TFont& Font,
                           TColor& GradientTo, TBrush& Brush, bool Screen, bool SelectedLook, bool Print,
                           TGridDrawState& State);
  virtual void GetDisplText(int ACol, int ARow, std::string& Value);

 protected:
  void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
  bool SelectCell(int ACol, int ARow) override;
  void TopLeftChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void DrawBlock(int ACol, int ARow, TGridDrawState State);
  int FGridLineWidth = 1;
  TColor FGridLineColor = clSilver;
  bool FOwnDefaultDrawing = false;
  bool FHideLastRow = false;
  int FPaintCounter = 0;
  TGridViewUndoRedo* FUndoRedo = nullptr;
  friend class TGridViewUndoRedo;
};
