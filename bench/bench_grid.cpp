// Times, for an electrode table of 20 000 rows and of twice that many: filling
// it through SetCellAllRows, the repaint of a full 1000 x 600 view (check
// boxes in column 1, every cell centred, the current row in its own colours)
// and a sort started by a click on a numeric header; then the load of a CSV
// file of 100 000 lines x 8 fields and of twice that many.
//
//   bench_grid [rows]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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
  const auto fillStart = Clock::now();
  for (int r = 1; r <= rows; ++r) {
    grid->SetCellAllRows(0, r, std::to_string(r));
    for (int c = 2; c < 6; ++c) grid->SetCellAllRows(c, r, std::to_string((r + c) % 97));
    grid->SetCellAllRows(6, r, std::to_string(100 + (r * 7919) % 1000) + ".25");
    grid->SetCellAllRows(7, r, std::to_string(r % 13) + ".5");
    grid->SetCellAllRows(8, r, std::to_string(1 + (r * 31) % 7));
  }
  const double fill = std::chrono::duration<double, std::milli>(Clock::now() - fillStart).count();
  for (int r = 1; r <= rows; ++r) grid->AddCellCheckBox(1, r, r % 5 != 0, false);
  grid->SetRow(rows / 2);
  // The grid's paint cycle into the picture of its window (what a repaint
  // of the view costs, without composing the window with its children).
  TBitmap picture(grid->GetWidth(), grid->GetHeight());
  grid->PaintInto(*picture.GetCanvas());  // warm-up: fonts and pictures
  const int repaints = 20;
  const auto start = Clock::now();
  for (int i = 0; i < repaints; ++i) grid->PaintInto(*picture.GetCanvas());
  const double each = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / repaints;
  const TRect header = grid->TBaseGrid::CellRect(6, 0);
  const auto sortStart = Clock::now();
  grid->MouseDown(TMouseButton::mbLeft, TShiftState{}, header.Left + 5, header.Top + 5);
  grid->MouseUp(TMouseButton::mbLeft, TShiftState{}, header.Left + 5, header.Top + 5);
  const double sort = std::chrono::duration<double, std::milli>(Clock::now() - sortStart).count();
  std::printf("%6d rows: fill %.1f ms, %.2f ms per full repaint of the 1000 x 600 view, header sort %.1f ms\n",
              rows, fill, each, sort);
  form->Free();
}

void RunCsv(int lines) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("bench_grid_" + std::to_string(lines) + ".csv")).string();
  {
    std::ofstream out(path, std::ios::binary);
    for (int r = 0; r < lines; ++r) {
      out << r;
      for (int c = 1; c < 8; ++c) out << ';' << (r * 31 + c) % 1000 << '.' << c;
      out << "\r\n";
    }
  }
  TForm* form = Application->CreateForm<TForm>();
  auto* grid = Create<TGridView>(form);
  grid->SetParent(form);
  const auto start = Clock::now();
  grid->LoadFromCSV(path);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::printf("%6d CSV lines x 8 fields: load %.1f ms (%d rows)\n", lines, ms, grid->GetRowCount());
  form->Free();
  std::filesystem::remove(path);
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
  RunCsv(100000);
  RunCsv(200000);
  return 0;
}
