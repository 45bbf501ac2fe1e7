// The brush dialog, the pattern tiles and the font and picture prompts.
#include "chart/series/PlotBrushDlg.h"

#include <algorithm>
#include <vector>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/gdi/PictureFormats.h"
#include "platform/ui/Dialogs.h"

namespace PlotBrushDlg {

namespace {
// The tiles: lines, grids, dots and checks made from a few rules, each tile
// kept once, in a fixed order, so that pattern N is always the same tile.
const std::vector<uint64_t>& Tiles() {
  static const std::vector<uint64_t> Table = [] {
    std::vector<uint64_t> T;
    auto Keep = [&](uint64_t Bits) {
      if (Bits != 0 && Bits != ~uint64_t(0) && std::find(T.begin(), T.end(), Bits) == T.end() &&
          T.size() < static_cast<size_t>(PatternCount))
        T.push_back(Bits);
    };
    auto Tile = [](auto Black) {
      uint64_t Bits = 0;
      for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X)
          if (Black(X, Y)) Bits |= uint64_t(1) << (Y * 8 + X);
      return Bits;
    };
    for (int M = 2; M <= 8; M *= 2) {
      Keep(Tile([M](int X, int Y) { (void)X; return Y % M == 0; }));           // horizontal lines
      Keep(Tile([M](int X, int Y) { (void)Y; return X % M == 0; }));           // vertical lines
      Keep(Tile([M](int X, int Y) { return (X + Y) % M == 0; }));              // diagonals
      Keep(Tile([M](int X, int Y) { return (X - Y + 8) % M == 0; }));          // back diagonals
      Keep(Tile([M](int X, int Y) { return X % M == 0 || Y % M == 0; }));      // grids
      Keep(Tile([M](int X, int Y) { return X % M == 0 && Y % M == 0; }));      // dots
      Keep(Tile([M](int X, int Y) { return (X + Y) % M == 0 || (X - Y + 8) % M == 0; }));  // diagonal grids
      Keep(Tile([M](int X, int Y) { return ((X / (M / 2 > 0 ? M / 2 : 1)) + (Y / (M / 2 > 0 ? M / 2 : 1))) % 2 == 0; }));
    }
    for (int A = 1; A <= 7 && T.size() < static_cast<size_t>(PatternCount); ++A)
      for (int B = 1; B <= 7 && T.size() < static_cast<size_t>(PatternCount); ++B)
        for (int M = 3; M <= 7 && T.size() < static_cast<size_t>(PatternCount); M += 2)
          Keep(Tile([A, B, M](int X, int Y) { return (A * X + B * Y) % M == 0; }));
    // The rest: scattered dots from a fixed number sequence, a quarter inked.
    uint64_t State = 0x9E3779B97F4A7C15u;
    while (T.size() < static_cast<size_t>(PatternCount)) {
      State = State * 6364136223846793005u + 1442695040888963407u;
      const uint64_t A = State;
      State = State * 6364136223846793005u + 1442695040888963407u;
      Keep(A & State);
    }
    return T;
  }();
  return Table;
}
}  // namespace

uint64_t PatternBits(int32_t N) {
  const auto& T = Tiles();
  return N >= 0 && N < static_cast<int32_t>(T.size()) ? T[static_cast<size_t>(N)] : 0;
}

void LoadPatternBitmap(int32_t N, TBitmap& Bitmap) {
  Bitmap.SetSize(8, 8);
  TCanvas& C = *Bitmap.GetCanvas();
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(clWhite);
  C.FillRect(TRect(0, 0, 8, 8));
  const uint64_t Bits = PatternBits(N);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 8; ++X)
      if (Bits & (uint64_t(1) << (Y * 8 + X))) C.SetPixel(X, Y, clBlack);
  Bitmap.SetTransparentColor(clWhite);
  Bitmap.SetTransparentMode(tmFixed);
}

bool EditBrushModal(TComponent* Owner, TChartBrush* Brush) {
  auto* D = PlotPenDlg::CreateEditorDialogOf<TBrushDialog>(Owner);
  D->EditedBrush = Brush;
  PlotProcs::TranslateControl(D);
  const bool Ok = D->ShowModal() == mrOk;
  D->Free();
  return Ok;
}

bool EditFontDialog(TForm* Owner, TFont* Font) {
  std::unique_ptr<TFontDialog> D(Create<TFontDialog>(Owner));
  D->SetFont(Font);
  if (!D->Execute()) return false;
  Font->Assign(*D->GetFont());
  return true;
}

std::string AskPictureFile(TForm* Owner) {
  std::unique_ptr<TOpenDialog> D(Create<TOpenDialog>(Owner));
  D->Filter = PictureFormats::AddToFilter(
      "All pictures|*.bmp;*.png;*.jpg;*.jpeg;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|PNG (*.png)|*.png|"
      "JPEG (*.jpg)|*.jpg;*.jpeg|Metafiles (*.emf;*.wmf)|*.emf;*.wmf");
  D->Options.Include(TOpenOption::ofFileMustExist);
  return D->Execute() ? D->FileName : std::string();
}

void TogglePicture(TForm* Owner, TPicture* Picture) {
  if (!Picture->Empty()) {
    Picture->Assign(nullptr);
    return;
  }
  const std::string File = AskPictureFile(Owner);
  if (!File.empty()) Picture->LoadFromFile(File);
}

void Initialization() { PlotCanvas::LoadPatternBitmap = &LoadPatternBitmap; }

}  // namespace PlotBrushDlg

// ============================================================================
// Style list
// ============================================================================

KV_CLASS_IMPL(TBrushStyleList, TOwnerDrawListBox) {}

TBrushStyleList::TBrushStyleList(TComponent* Owner) : TOwnerDrawListBox(Owner) { ItemHeight = 16; }

// ============================================================================
// Brush dialog
// ============================================================================

KV_CLASS_IMPL(TBrushDialog, TForm) {}

TBrushDialog::TBrushDialog(TComponent* Owner) : TForm(Owner) {
  SetName("BrushDialog");
  SetCaption("Pattern Color Editor");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(227);
  SetClientHeight(164);
  auto Place = [this](TControl* C, const char* Name, int L, int T, int W, int H, TWinControl* Parent) {
    C->SetName(Name);
    C->SetParent(Parent ? Parent : this);
    C->SetBounds(L, T, W, H);
  };
  LStyle = Create<TBrushStyleList>(this);
  Place(LStyle, "LStyle", 8, 8, 121, 148, nullptr);
  for (const char* S : {"Solid", "None", "Horizontal", "Vertical", "Diagonal", "Back Diagonal", "Cross",
                        "Diagonal Cross"})
    LStyle->Items()->Add(S);
  for (int32_t i = 0; i < PlotBrushDlg::DialogPatterns; ++i) LStyle->Items()->Add("");
  BColor = Create<TButtonColor>(this);
  Place(BColor, "BColor", 136, 8, 83, 25, nullptr);
  BColor->SetCaption("&Color...");
  GroupBox2 = Create<TGroupBox>(this);
  Place(GroupBox2, "GroupBox2", 136, 40, 83, 85, nullptr);
  GroupBox2->SetCaption("Image:");
  Button1 = Create<TButton>(this);
  Place(Button1, "Button1", 4, 16, 75, 21, GroupBox2);
  Button1->SetCaption("&Image...");
  Image1 = Create<TImage>(this);
  Place(Image1, "Image1", 8, 40, 64, 48, GroupBox2);
  Image1->Stretch = true;
  Button2 = Create<TButton>(this);
  Place(Button2, "Button2", 136, 131, 40, 25, nullptr);
  Button2->SetCaption("OK");
  Button2->Default = true;
  Button2->ModalResult = mrOk;
  Button3 = Create<TButton>(this);
  Place(Button3, "Button3", 179, 131, 40, 25, nullptr);
  Button3->SetCaption("Cancel");
  Button3->Cancel = true;

  OnShow = [this](TObject* S) { FormShow(S); };
  OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
  LStyle->OnClick = [this](TObject* S) { LStyleClick(S); };
  LStyle->OnDrawItem = [this](TCanvas& C, int I, const TRect& R, TOwnerDrawState) { LStyleDrawItem(C, I, R); };
  Button1->OnClick = [this](TObject* S) { Button1Click(S); };
  Button3->OnClick = [this](TObject* S) { Button3Click(S); };
}

TBrushDialog::~TBrushDialog() = default;

std::unique_ptr<TBitmap> TBrushDialog::PatternBitmap(int32_t Index) {
  auto B = std::make_unique<TBitmap>(8, 8);
  PlotBrushDlg::LoadPatternBitmap(Index, *B);
  return B;
}

void TBrushDialog::FormShow(TObject*) {
  if (!EditedBrush) return;
  SavedBrush = std::make_unique<TChartBrush>();
  SavedBrush->Assign(EditedBrush);
  const TPicture* Image = EditedBrush->PeekImage();
  LStyle->SetItemIndex(Image && !Image->Empty() ? -1 : EditedBrush->GetStyleOrdinal());
  BColor->LinkProperty(EditedBrush, "Color");
  UpdateImageControls();
  UpdateColorEnabled();
}

void TBrushDialog::FormClose(TObject*, TCloseAction&) { SavedBrush.reset(); }

void TBrushDialog::UpdateImageControls() {
  const TPicture* Image = EditedBrush ? EditedBrush->PeekImage() : nullptr;
  if (Image && !Image->Empty()) {
    Button1->Tag = 1;
    Button1->SetCaption(PlotConst::MsgClear);
    Image1->Picture()->Assign(Image);
  } else {
    Button1->Tag = 0;
    Button1->SetCaption(PlotConst::MsgBrowse);
    Image1->Picture()->Assign(nullptr);
  }
}

void TBrushDialog::UpdateColorEnabled() {
  if (EditedBrush) BColor->SetEnabled(EditedBrush->GetStyle() != bsClear);
}

void TBrushDialog::LStyleClick(TObject*) {
  const int32_t I = LStyle->GetItemIndex();
  if (!EditedBrush || I < 0) return;
  EditedBrush->SetStyleOrdinal(I);
  if (I <= 7) {
    EditedBrush->SetImage(nullptr);
  } else {
    TPicture Pattern;
    Pattern.SetGraphic(PatternBitmap(I - 8));
    EditedBrush->SetImage(&Pattern);
  }
  UpdateImageControls();
  UpdateColorEnabled();
}

void TBrushDialog::Button1Click(TObject*) {
  if (!EditedBrush) return;
  LStyle->SetItemIndex(EditedBrush->GetStyleOrdinal());
  if (Button1->Tag == 1) {
    EditedBrush->SetImage(nullptr);
  } else {
    const std::string File = PlotBrushDlg::AskPictureFile(this);
    if (!File.empty()) {
      TPicture Loaded;
      Loaded.LoadFromFile(File);
      if (!dynamic_cast<TBitmap*>(Loaded.GetGraphic())) {
        // Brushes tile bitmaps: other pictures are drawn onto one first.
        auto B = std::make_unique<TBitmap>(std::max(1, Loaded.GetWidth()), std::max(1, Loaded.GetHeight()));
        B->GetCanvas()->Draw(0, 0, Loaded.GetGraphic());
        Loaded.SetGraphic(std::move(B));
      }
      EditedBrush->SetImage(&Loaded);
    }
  }
  UpdateImageControls();
}

void TBrushDialog::Button3Click(TObject*) {
  if (EditedBrush && SavedBrush) EditedBrush->Assign(SavedBrush.get());
  SetModalResult(mrCancel);
}

void TBrushDialog::LStyleDrawItem(TCanvas& Canvas, int32_t Index, const TRect& R) {
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(clWindow);
  Canvas.FillRect(R);
  const std::string Text = LStyle->Items()->Strings(Index);
  if (Index == 1) {
    Canvas.Brush->SetStyle(bsClear);
    Canvas.TextOut(R.Left + 20, R.Top, Text);
    return;
  }
  const TRect Swatch(R.Left + 2, R.Top + 2, R.Left + 16, R.Bottom - 2);
  const TColor OldText = Canvas.Font->GetColor();
  Canvas.Font->SetColor(clBlack);
  std::unique_ptr<TBitmap> Pattern;
  if (Index <= 7) {
    Canvas.Brush->SetColor(clBlack);
    Canvas.Brush->SetStyle(static_cast<TBrushStyle>(Index));
    Canvas.FillRect(Swatch);
  } else {
    // The pattern's black pixels on white, tile by tile.
    const uint64_t Bits = PlotBrushDlg::PatternBits(Index - 8);
    Canvas.Brush->SetStyle(bsSolid);
    Canvas.Brush->SetColor(clWhite);
    Canvas.FillRect(Swatch);
    for (int32_t Y = Swatch.Top; Y < Swatch.Bottom; ++Y)
      for (int32_t X = Swatch.Left; X < Swatch.Right; ++X) {
        const int32_t Bit = ((Y - Swatch.Top) % 8) * 8 + (X - Swatch.Left) % 8;
        if (Bits & (uint64_t(1) << Bit)) Canvas.SetPixel(X, Y, clBlack);
      }
  }
  Canvas.Font->SetColor(OldText);
  Canvas.Brush->SetStyle(bsClear);
  Canvas.TextOut(Swatch.Left + 20, Swatch.Top, Text);
}
