#pragma once
// One name per grid operation. Some operations of the grid went by a second
// name in older descriptions of it; the grid's code uses only the name on the
// left. Kept as a reference for readers of either description.
//
// | name used                 | other name                                  |
// |---------------------------|---------------------------------------------|
// | CellProperties            | CellProps                                   |
// | HasCellProperties         | HasCellProps                                |
// | SetCellProperties         | ReplaceCellProps                            |
// | RawCellProperties         | RawCellProps                                |
// | PutRawCellProperties      | PutRawCellProps                             |
// | FreeCellObjects           | FreeCellPropsRange                          |
// | FreeAllCellObjects        | FreeAllCellProps                            |
// | MergeCells                | MergeCellRange                              |
// | SplitCells                | SplitMergedCell                             |
// | BaseCell                  | MergeOrigin                                 |
// | BaseCellEx                | MergeOriginEx                               |
// | IsBaseCell (grid)         | IsMergeOrigin                               |
// | CellSpan                  | SpanOfCell                                  |
// | IsMergedCell              | CellIsMerged                                |
// | IsXMergedCell             | CellIsMergedAcross                          |
// | IsYMergedCell             | CellIsMergedDown                            |
// | CellRect (grid)           | MergedCellRect                              |
// | CellSize                  | MergedCellExtent                            |
// | IsFixedCell               | CellIsFixed                                 |
// | RowsShareMergeGroup       | RowsMergeAligned                            |
// | SnapToBaseCell            | SnapToMergeOrigin                           |
// | ClearRowData              | ClearRowCells                               |
// | ClearColData              | ClearColumnCells                            |
// | ClearCellData             | ClearCell                                   |
// | RepaintCell               | InvalidateGridCell, InvalidateOneCell       |
// | GetDisplText (hook)       | QueryDisplayText                            |
// | AddIndex                  | add index (sort-index list)                 |
// | IndexOfColumn             | find (sort-index list)                      |
// | FlipDirection             | toggle (sort-index list)                    |
// | StoreEditorValue          | HideCellEditor as the per-type read-back of |
// |                           | an editor's value into the cell             |
// | HideCellEditor            | the wrapper that reads back and hides       |
// | glLumo                    | glPlain (the fourth TGridLook)              |
// | RealColIndex              | DisplayedToRealColumn                       |
// | DisplayedColIndex         | RealToDisplayedColumn                       |
// | HiddenColumnCount         | HiddenColCount                              |
// | AllRowsIndex              | PersistentRowIndex                          |
// | IsRowHidden               | IsHiddenRow                                 |
// | HideRowRange              | HideRows                                    |
// | CellTypeOf                | GetCellType                                 |
// | CellGraphicOf             | GetCellGraphic                              |
// | GraphicSize               | GraphicExtent                               |
// | RemoveCellGraphic         | FreeCellGraphic                             |
// | GetCurrentCellText        | CurrentCellText                             |
// | HasColumnFilterButton     | ColumnHasFilter                             |
