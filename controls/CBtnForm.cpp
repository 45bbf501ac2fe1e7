#include "controls/CBtnForm.h"

#include "platform/rtl/SysUtils.h"
#include "platform/ui/AppActivation.h"
#include "platform/ui/Dialogs.h"

KV_CLASS_IMPL(TDFSColorButtonPalette, TForm) {}

namespace {
constexpr int kClientWidth = 72;
constexpr int kOtherTop = 98, kOtherHeight = 21;
}  // namespace

TDFSColorButtonPalette::TDFSColorButtonPalette(TComponent* AOwner)
    : TForm(AOwner),
      FPaletteColors(std::make_unique<TColorArrayClass>(Columns, Rows)),
      FCustomColors(std::make_unique<TColorArrayClass>(8, 2)),
      FOtherColor(clBtnFace) {
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetFormStyle(TFormStyle::fsStayOnTop);
  KeyPreview = true;
  SetBounds(0, 0, kClientWidth, kOtherTop + kOtherHeight + 2);
  SetShowHint(true);
  FBtnOther = new TButton(this);
  FBtnOther->SetName("btnOther");
  FBtnOther->SetParent(this);
  FBtnOther->SetBounds(1, kOtherTop, kClientWidth - 22, kOtherHeight);
  FBtnOther->SetCaption("&Other");
  FBtnOther->SetTabStop(false);
  FBtnOther->OnClick = [this](TObject* Sender) { BtnOtherClick(Sender); };
  OnPaint = [this](TObject*) { PaintPalette(*GetCanvas()); };
  OnCloseQuery = [this](TObject*, bool& CanClose) { CanClose = !FDialogRunning; };
  OnClose = [this](TObject*, TCloseAction& Action) {
    Action = TCloseAction::caFree;
    if (FClosing) return;
    FClosing = true;
    if (OnPaletteClosed) OnPaletteClosed(FClosedByKey, *FCustomColors);
  };
  OnDeactivate = [this](TObject*) {
    if (!FDialogRunning) Close();
  };
  // The application's deactivation closes the palette; the previous handler runs first.
  AppActivation::Watch();
  FSavedDeactivate = AppActivation::OnDeactivate;
  AppActivation::OnDeactivate = [this](TObject* Sender) { AppDeactivated(Sender); };
  FHandlersTaken = true;
}

TDFSColorButtonPalette::~TDFSColorButtonPalette() = default;

void TDFSColorButtonPalette::BeforeDestruction() {
  if (FHandlersTaken) {
    AppActivation::OnDeactivate = FSavedDeactivate;
    FHandlersTaken = false;
  }
  TForm::BeforeDestruction();
}

void TDFSColorButtonPalette::AppDeactivated(TObject* Sender) {
  if (FDialogRunning) return;
  if (FSavedDeactivate) FSavedDeactivate(Sender);
  Close();
}

void TDFSColorButtonPalette::SetOtherColor(TColor Value) {
  FOtherColor = Value;
  Invalidate();
}

void TDFSColorButtonPalette::SetOtherCaption(const std::string& Value) { FBtnOther->SetCaption(Value); }

void TDFSColorButtonPalette::SetSelectedColor(TColor Value) {
  for (int32_t i = 1; i <= FPaletteColors->Count(); ++i)
    if (FPaletteColors->ItemByIndex(i) == Value) {
      Select(TPoint((i - 1) % Columns + 1, (i - 1) / Columns + 1));
      return;
    }
  SetOtherColor(Value);
  Select(TPoint(Columns, 0));
}

bool TDFSColorButtonPalette::ValidCell(TPoint Cell) {
  return Cell.Y == 0 || (Cell.X >= 1 && Cell.X <= Columns && Cell.Y >= 1 && Cell.Y <= Rows);
}

TRect TDFSColorButtonPalette::SwatchRect() const {
  const int left = GetClientWidth() - 19;
  const int top = FBtnOther->GetTop() + (FBtnOther->GetHeight() - 16) / 2 - 1;
  return TRect(left, top, left + CellSize, top + CellSize);
}

TRect TDFSColorButtonPalette::CellRect(TPoint Cell) const {
  if (Cell.Y == 0) return SwatchRect();
  return TRect((Cell.X - 1) * CellSize, (Cell.Y - 1) * CellSize, Cell.X * CellSize, Cell.Y * CellSize);
}

TPoint TDFSColorButtonPalette::CellAt(int X, int Y) const {
  const int cw = GetClientWidth();
  if (X >= cw - 19 && X <= cw - 1 && Y >= 96 && Y <= 113) return TPoint(Columns, 0);
  // Points left of or above the window belong to no cell (integer division
  // would otherwise fold them into the first column or row).
  if (X < 0 || Y < 0) return TPoint(-1, -1);
  const TPoint cell(X / CellSize + 1, Y / CellSize + 1);
  if (cell.X >= 1 && cell.X <= Columns && cell.Y >= 1 && cell.Y <= Rows) return cell;
  return TPoint(-1, -1);
}

TColor TDFSColorButtonPalette::CellColor(TPoint Cell) const {
  return Cell.Y == 0 ? FOtherColor : FPaletteColors->GetItem(Cell.X, Cell.Y);
}

void TDFSColorButtonPalette::Select(TPoint Cell) {
  if (Cell == FSelection) return;
  FSelection = Cell;
  Invalidate();
}

void TDFSColorButtonPalette::DrawCell(TCanvas& Canvas, TPoint Cell, bool Selected) const {
  TRect r = CellRect(Cell);
  auto ring = [&](TColor TopLeft, TColor BottomRight) {
    Canvas.Pen->SetStyle(psSolid);
    Canvas.Pen->SetColor(TopLeft);
    Canvas.MoveTo(r.Left, r.Bottom - 1);
    Canvas.LineTo(r.Left, r.Top);
    Canvas.LineTo(r.Right - 1, r.Top);
    Canvas.Pen->SetColor(BottomRight);
    Canvas.LineTo(r.Right - 1, r.Bottom - 1);
    Canvas.LineTo(r.Left, r.Bottom - 1);
    r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  };
  if (Selected) {
    ring(cl3DDkShadow, cl3DDkShadow);
    ring(clBtnHighlight, clBtnHighlight);
    ring(cl3DDkShadow, cl3DDkShadow);
  } else {
    ring(TForm::GetColor(), TForm::GetColor());
    ring(clBtnShadow, clBtnHighlight);
    ring(cl3DDkShadow, cl3DLight);
  }
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(CellColor(Cell));
  Canvas.FillRect(r);
}

void TDFSColorButtonPalette::PaintPalette(TCanvas& Canvas) const {
  for (int y = 1; y <= Rows; ++y)
    for (int x = 1; x <= Columns; ++x) DrawCell(Canvas, TPoint(x, y), false);
  const int cw = GetClientWidth();
  Canvas.Pen->SetStyle(psSolid);
  Canvas.Pen->SetColor(clBtnShadow);
  Canvas.MoveTo(2, 93);
  Canvas.LineTo(cw - 2, 93);
  Canvas.Pen->SetColor(clBtnHighlight);
  Canvas.MoveTo(2, 94);
  Canvas.LineTo(cw - 2, 94);
  DrawCell(Canvas, TPoint(Columns, 0), false);
  if (ValidCell(FSelection)) DrawCell(Canvas, FSelection, true);
}

void TDFSColorButtonPalette::MouseMove(TShiftState Shift, int X, int Y) {
  const TPoint cell = CellAt(X, Y);
  if (ValidCell(cell)) Select(cell);
  TForm::MouseMove(Shift, X, Y);
}

void TDFSColorButtonPalette::Report(TPoint Cell) {
  if (!ValidCell(Cell)) return;
  if (OnColorChosen) OnColorChosen(CellColor(Cell), Cell.Y == 0);
}

void TDFSColorButtonPalette::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TForm::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  Report(CellAt(X, Y));
  Close();
}

void TDFSColorButtonPalette::KeyDown(uint16_t& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  switch (Key) {
    case VK_RETURN:
      FClosedByKey = true;
      Report(FSelection);
      Key = 0;
      Close();
      return;
    case VK_ESCAPE:
      FClosedByKey = true;
      Key = 0;
      Close();
      return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: break;
    default: return;
  }
  TPoint cell = FSelection;
  if (!ValidCell(cell)) {
    cell = TPoint(1, 1);
  } else if (Key == VK_LEFT || Key == VK_RIGHT) {
    if (cell.Y != 0) cell.X = Key == VK_LEFT ? (cell.X == 1 ? Columns : cell.X - 1) : (cell.X == Columns ? 1 : cell.X + 1);
  } else {
    // Rows cycle 0 (the swatch), 1 .. 5 and back to 0.
    cell.Y = Key == VK_DOWN ? (cell.Y + 1) % (Rows + 1) : (cell.Y + Rows) % (Rows + 1);
    if (cell.Y != 0 && (cell.X < 1 || cell.X > Columns)) cell.X = 1;
  }
  Key = 0;
  Select(cell);
}

std::string TDFSColorButtonPalette::GetColorHintText(TColor AColor, TPoint Cell) const {
  const TColor rgb = ColorToRGB(AColor);
  std::string text = SysUtils::Format("RGB = %.3d %.3d %.3d", {int(GetRValue(rgb)), int(GetGValue(rgb)), int(GetBValue(rgb))});
  DoGetColorHintText(AColor, Cell, text);
  return text;
}

void TDFSColorButtonPalette::DoGetColorHintText(TColor AColor, TPoint Cell, std::string& HintStr) const {
  if (OnGetColorHintText) OnGetColorHintText(nullptr, AColor, Cell.X, Cell.Y, HintStr);
}

bool TDFSColorButtonPalette::HintAt(TPoint P, std::string& HintText, TRect& CursorRect) const {
  if (!ShowHints) return false;
  const TPoint cell = CellAt(P.X, P.Y);
  if (!ValidCell(cell)) return false;
  HintText = GetColorHintText(CellColor(cell), cell);
  CursorRect = CellRect(cell);
  return !HintText.empty();
}

void TDFSColorButtonPalette::BtnOtherClick(TObject*) {
  auto* dialog = new TColorDialog(this);
  struct TDialogGuard {
    TDFSColorButtonPalette& Palette;
    TColorDialog* Dialog;
    ~TDialogGuard() {
      Palette.FDialogRunning = false;
      Dialog->Free();
    }
  } guard{*this, dialog};
  dialog->Color = FOtherColor;
  FDialogRunning = true;
  TStringList& lines = *dialog->CustomColors();
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 2; ++y) {
      const char letter = static_cast<char>(64 + (y - 1) * 8 + x);
      lines.Add(std::string("Color") + letter + "=" + SysUtils::IntToHex(int32_t(FCustomColors->GetItem(x, y)), 8));
    }
  if (!dialog->Execute()) return;
  FOtherColor = dialog->Color;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = lines.Get(i);
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    const int k = static_cast<unsigned char>(line[eq - 1]) - 64;
    if (k < 1 || k > 16) continue;
    int32_t value = 0;
    if (!SysUtils::TryStrToInt("$" + line.substr(eq + 1, 9), value)) value = clWhite;
    FCustomColors->SetItem((k - 1) % 8 + 1, (k - 1) / 8 + 1, value);
  }
  FDialogRunning = false;
  Report(TPoint(Columns, 0));
  Close();
}
