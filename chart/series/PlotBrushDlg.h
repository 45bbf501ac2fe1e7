#pragma once
// The brush dialog (style, colour, pattern or picture of a chart brush), the
// 49 brush pattern tiles that brush styles 8 and up draw, and the font and
// picture prompts the editors share.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/engine/PlotCanvas.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/OwnerDrawItems.h"

// The owner-drawn style list of the brush dialog: its rows come from
// OnDrawItem on screen and in PaintItems alike.
class TBrushStyleList : public TOwnerDrawListBox {
  KV_CLASS(TBrushStyleList, TOwnerDrawListBox)
public:
  explicit TBrushStyleList(TComponent* Owner);
  // Paints every item one below the other (ItemHeight each) into a bitmap.
  void PaintItems(TBitmap& Bitmap) { PaintRows(Bitmap); }
};

class TBrushDialog : public TForm {
  KV_CLASS(TBrushDialog, TForm)
public:
  explicit TBrushDialog(TComponent* Owner);
  ~TBrushDialog() override;

  TBrushStyleList* LStyle;
  TButtonColor* BColor;
  TGroupBox* GroupBox2;
  TButton* Button1;
  TImage* Image1;
  TButton* Button2;
  TButton* Button3;

  TChartBrush* EditedBrush = nullptr;  // not owned
  std::unique_ptr<TChartBrush> SavedBrush;

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void LStyleClick(TObject* Sender);
  void LStyleDrawItem(TCanvas& Canvas, int32_t Index, const TRect& Rect);
  void Button1Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void UpdateImageControls();
  void UpdateColorEnabled();
  // A new bitmap of pattern Index.
  static std::unique_ptr<TBitmap> PatternBitmap(int32_t Index);
};

namespace PlotBrushDlg {

// Number of pattern tiles; the dialog offers the first 35.
constexpr int32_t PatternCount = 49;
constexpr int32_t DialogPatterns = 35;
// Pattern N (0-based) as an 8 x 8 tile, black on white, white transparent;
// a number outside 0..48 leaves a white tile.
void LoadPatternBitmap(int32_t N, TBitmap& Bitmap);
// The tile of pattern N as 64 bits, row by row from the top, bit 0 leftmost.
uint64_t PatternBits(int32_t N);

bool EditBrushModal(TComponent* Owner, TChartBrush* Brush);
bool EditFontDialog(TForm* Owner, TFont* Font);
std::string AskPictureFile(TForm* Owner);
void TogglePicture(TForm* Owner, TPicture* Picture);
// Installs the pattern tiles into the chart canvas.
void Initialization();

}  // namespace PlotBrushDlg
