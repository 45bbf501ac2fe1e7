#pragma once
// The grid's drop target and drag source: the drag-and-drop objects of gvdd
// bound to one grid.

#include "grid/gvdd.h"

class TGridView;

class TGridDropTarget : public TGVDropTarget {
 public:
  explicit TGridDropTarget(TGridView* AGrid) : FGrid(AGrid) {}
  TGridView* Grid() const { return FGrid; }
  // The grid's switches decide what is accepted.
  int DragEnter(const DragDrop::TDragData& Data, TShiftState Shift, TPoint P) override;
  void HandleDropText(TPoint P, const std::string& Text) override;
  void HandleDropColumn(TPoint P, int Column) override;
  void HandleDropRtf(TPoint P, const std::string& Rtf) override;
  void HandleDropFiles(TPoint P, const std::vector<std::string>& Files) override;
  void HandleDragMove(TPoint P, bool& Allow, int Formats) override;
  void HandleDragLeave() override;

 private:
  TGridView* FGrid;
};

class TGridDropSource : public TGVDropSource {
 public:
  explicit TGridDropSource(TGridView* AGrid) : FGrid(AGrid) {}
  // The last effect reported (copy 1 or move 2).
  int LastEffect = 0;
  void HandleEffect(int Effect) override;
  // Keeps the floating header button at the pointer.
  void HandleDragStep() override;

 private:
  TGridView* FGrid;
};
