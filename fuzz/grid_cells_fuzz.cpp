// Reads the input as the grid's own cell format into a small grid at an
// offset; a stream that raises must leave the grid as it was.
#include "grid/GridCellIO.h"
#include "grid/GridView.h"
#include "platform/ui/Forms.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Forms::EnsureToolkit();
  auto* grid = new TGridView(nullptr);
  grid->SetColCount(4);
  grid->SetRowCount(4);
  grid->SetCells(1, 1, "kept");
  std::vector<std::string> before;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) before.push_back(grid->GetCells(c, r));
  TMemoryStream s;
  s.WriteBuffer(Data, static_cast<int64_t>(Size));
  s.SetPosition(0);
  try {
    grid->LoadCellsFromStream(TPoint{1, 2}, s);
  } catch (const EReadError&) {
    if (grid->GetColCount() != 4 || grid->GetRowCount() != 4) __builtin_trap();
    size_t i = 0;
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c)
        if (grid->GetCells(c, r) != before[i++]) __builtin_trap();
  }
  grid->Free();
  return 0;
}
