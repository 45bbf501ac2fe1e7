// Times the repaint of a full 1000 x 600 view of the electrode table (check
// boxes in column 1, every cell centred, the current row in its own colours)
// for a table of 20 000 rows and of twice that many, and prints the time of
// one repaint.
//
//   bench_grid [rows]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "grid/GridView.h"
#include "platform/ui/Forms.h"

namespace {

using Clock = std::chrono::steady_clock;

void Run(int rows) {
  TForm* form = Application->CreateForm<TForm>();
  form->SetBounds(0, 0, 1020, 620);
  auto* grid = Create<TGridView>(form);
  grid->SetParent(form);
  grid->SetBounds(0, 0, 1000, 600);
  grid->SetColCount(9);
  grid->SetRowCount(rows + 1);
  grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goEditing});
  grid->SetWordWrap(false);
  grid->SetVAlignment(vtaCenter);
  grid->SetSelectionColor(0x90FFFF);
  grid->SetSelectionTextColor(clNavy);
  grid->SetSelectionRectangle(true);
  grid->SortSettings()->Show = true;
  grid->SortSettings()->Column = 8;
  for (int c = 0; c < 9; ++c) grid->SetColWidths(c, c == 0 ? 34 : 110);
  grid->OnGetAlignment = [](TObject*, int, int, TAlignment& H, TVAlignment& V) {
    H = TAlignment::taCenter;
    V = vtaCenter;
  };
  grid->OnGetCellColor = [grid](TObject*, int ARow, int ACol, TGridDrawState, TBrush& B, TFont& F) {
    if (ARow == 0 && ACol == 6) F.SetName("Symbol");
    if (ARow < 1 || ACol < 1) return;
    B.SetColor(ARow == grid->GetRow() ? TColor(0x90FFFF) : clWhite);
    if (ARow == grid->GetRow()) F.SetColor(clNavy);
  };
  const char* headers[] = {"", "Used", "C1", "C2", "P1", "P2", "ra", "R", "weight"};
  for (int c = 0; c < 9; ++c) grid->SetCells(c, 0, headers[c]);
  for (int r = 1; r <= rows; ++r) {
    grid->SetCells(0, r, std::to_string(r));
    grid->AddCellCheckBox(1, r, r % 5 != 0, false);
    for (int c = 2; c < 6; ++c) grid->SetCells(c, r, std::to_string((r + c) % 97));
    grid->SetCells(6, r, std::to_string(100 + r % 1000) + ".25");
    grid->SetCells(7, r, std::to_string(r % 13) + ".5");
    grid->SetCells(8, r, "1");
  }
  grid->SetRow(rows / 2);
  // The grid's paint cycle into the picture of its window (what a repaint
  // of the view costs, without composing the window with its children).
  TBitmap picture(grid->GetWidth(), grid->GetHeight());
  grid->PaintInto(*picture.GetCanvas());  // warm-up: fonts and pictures
  const int repaints = 20;
  const auto start = Clock::now();
  for (int i = 0; i < repaints; ++i) grid->PaintInto(*picture.GetCanvas());
  const double each = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / repaints;
  std::printf("%6d rows: %.2f ms per full repaint of the 1000 x 600 view\n", rows, each);
  form->Free();
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::atoi(argv[1]) : 20000;
  if (rows < 1) {
    std::fprintf(stderr, "bench_grid: at least 1 row is needed\n");
    return 1;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  Run(rows);
  Run(2 * rows);
  return 0;
}
