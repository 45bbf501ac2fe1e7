// The preview panel: sheet layout, drawing of the panels on it, margin drags
// and printing of all panels on one page.
#include "chart/series/PlotPreviewPanel.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>

#include "chart/series/PlotBmpOptions.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Printer.h"
#include "platform/ui/Forms.h"
#include "platform/rtl/Restore.h"
#include "platform/gdi/Pixels.h"

using PlotProcs::MulDiv;

namespace {

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
}  // namespace

bool PlotPreviewPanel::HavePrinters() {
  return !Printer().GetOutputFileName().empty() || !TPrinter::Printers().empty();
}

// ---- margin pen ---------------------------------------------------------------------

KV_CLASS_IMPL(TPreviewChartPen, TChartPen) {}

TPreviewChartPen::TPreviewChartPen(TPlotChangeEvent ChangeHandler) : TChartPen(std::move(ChangeHandler)) {
  DefaultStyle = psDot;
  SetStyle(psDot);
  SetSmallDots(true);
}

// ---- panel list ----------------------------------------------------------------------

void TPlotPanelsList::Put(int32_t Index, TCustomPlotPanel* Panel) {
  TCustomPlotPanel*& Slot = FItems.at(static_cast<size_t>(Index));
  if (Slot == Panel) return;
  TCustomPlotPanel* Old = Slot;
  Slot = Panel;
  if (Old && IndexOf(Old) < 0) FOwner.Unwatch(Old);
  if (Panel) FOwner.Watch(Panel);
}

int32_t TPlotPanelsList::Add(TCustomPlotPanel* Panel) {
  FItems.push_back(Panel);
  if (Panel) FOwner.Watch(Panel);
  return Count() - 1;
}

void TPlotPanelsList::Delete(int32_t Index) {
  TCustomPlotPanel* Old = FItems.at(static_cast<size_t>(Index));
  FItems.erase(FItems.begin() + Index);
  if (Old && IndexOf(Old) < 0) FOwner.Unwatch(Old);
}

void TPlotPanelsList::Exchange(int32_t A, int32_t B) {
  std::swap(FItems.at(static_cast<size_t>(A)), FItems.at(static_cast<size_t>(B)));
}

int32_t TPlotPanelsList::IndexOf(const TCustomPlotPanel* Panel) const {
  auto It = std::find(FItems.begin(), FItems.end(), Panel);
  return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

void TPlotPanelsList::Clear() {
  while (Count()) Delete(Count() - 1);
}


// ---- the preview panel -----------------------------------------------------------------

KV_CLASS_IMPL(TPlotPreviewPanel, TCustomPlotPanelExtended) {
  c.Property("AllowMove", &TPlotPreviewPanel::AllowMove).Default(true);
  c.Property("AllowResize", &TPlotPreviewPanel::AllowResize).Default(true);
  c.Property("AsBitmap", &TPlotPreviewPanel::GetAsBitmap, &TPlotPreviewPanel::SetAsBitmap).Default(false);
  c.Property("DragImage", &TPlotPreviewPanel::DragImage).Default(false);
  c.Property("Orientation", &TPlotPreviewPanel::GetOrientation, &TPlotPreviewPanel::SetOrientation)
      .Names({"ppoDefault", "ppoPortrait", "ppoLandscape"})
      .Default(ppoDefault);
  c.Property("PaperColor", &TPlotPreviewPanel::GetPaperColor, &TPlotPreviewPanel::SetPaperColor)
      .Kind(TPropKind::pkColor)
      .Default(clWhite);
  c.Property("ShowImage", &TPlotPreviewPanel::GetShowImage, &TPlotPreviewPanel::SetShowImage).Default(true);
  c.Property("SmoothBitmap", &TPlotPreviewPanel::GetSmoothBitmap, &TPlotPreviewPanel::SetSmoothBitmap)
      .Default(true);
  c.Property("Title", &TPlotPreviewPanel::Title).Default(std::string());
}

TPlotPreviewPanel::TPlotPreviewPanel(TComponent* Owner) : TCustomPlotPanelExtended(Owner) {
  auto Changed = [this](TObject*) { Invalidate(); };
  FMargins = std::make_unique<TPreviewChartPen>(Changed);
  FPaperShadow = std::make_unique<TPlotShadow>(Changed);
  FPaperShadow->SetColor(static_cast<TColor>(0x808080));
  FPaperShadow->SetSize(4);
  FPaperShadow->UnstoredColor = static_cast<TColor>(0x808080);
  FPaperShadow->UnstoredSize = 4;
  SetBounds(432, 312);
}

TPlotPreviewPanel::~TPlotPreviewPanel() {
  for (TCustomPlotPanel* P : FPanels.FItems)
    if (P) P->RemoveFreeNotification(this);
  FPanels.FItems.clear();
}

void TPlotPreviewPanel::Watch(TCustomPlotPanel* Panel) {
  if (Panel != this) Panel->FreeNotification(this);
}

void TPlotPreviewPanel::Unwatch(TCustomPlotPanel* Panel) {
  FPreviewRects.erase(Panel);
  if (Panel != this) Panel->RemoveFreeNotification(this);
}

void TPlotPreviewPanel::Notification(TComponent* Component, TOperation Operation) {
  TCustomPlotPanelExtended::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  // Any freed panel leaves the list, not only the current one, so that no
  // entry is left pointing at a freed chart. A chart deleted without Free
  // reports itself already reduced to its base: it is found by address.
  for (int32_t i = FPanels.Count() - 1; i >= 0; --i) {
    TCustomPlotPanel* Panel = FPanels.Get(i);
    if (static_cast<TComponent*>(Panel) != Component) continue;
    FPanels.FItems.erase(FPanels.FItems.begin() + i);
    FPreviewRects.erase(Panel);
    Invalidate();
  }
}

void TPlotPreviewPanel::SetPanel(TCustomPlotPanel* Value) {
  if (Value == GetPanel() || Value == this) return;
  if (FPanels.Count()) FPanels.Delete(0);
  if (Value && FPanels.IndexOf(Value) < 0) FPanels.Add(Value);
  FAsBitmap = GetPanel() && GetPanel()->Canvas()->IsTrue3D();
  Invalidate();
}

void TPlotPreviewPanel::SetOrientation(TPlotPreviewPanelOrientation Value) {
  FOrientation = Value;
  Invalidate();
}

TRect TPlotPreviewPanel::PreviewRect(const TCustomPlotPanel* Panel) const {
  auto It = FPreviewRects.find(Panel);
  return It == FPreviewRects.end() ? TRect() : It->second;
}

// ---- layout ------------------------------------------------------------------------------

void TPlotPreviewPanel::ApplyOrientation() {
  if (FOrientation == ppoDefault || !PlotPreviewPanel::HavePrinters()) return;
  TPrinter& P = Printer();
  if (P.Printing()) return;
  P.SetOrientation(FOrientation == ppoPortrait ? TPrinterOrientation::poPortrait
                                               : TPrinterOrientation::poLandscape);
}

void TPlotPreviewPanel::CalcPaperRect() {
  ApplyOrientation();
  int64_t W = Screen->GetWidth(), H = Screen->GetHeight();
  if (PlotPreviewPanel::HavePrinters()) {
    try {
      const int64_t PW = Printer().PageWidth(), PH = Printer().PageHeight();
      W = PW;
      H = PH;
    } catch (const EPrinter&) {
      // The sheet keeps the screen's aspect.
    }
  }
  const int32_t CW = GetWidth(), CH = GetHeight();
  if (W * CH < H * CW) {
    const int32_t N = CH - Pixels::Round(CH / 50.0);
    PaperRect.Top = Pixels::Round(CH / 100.0);
    PaperRect.Bottom = PaperRect.Top + N;
    const int32_t PW = H <= 0 ? CW : MulDiv(N, static_cast<int32_t>(W), static_cast<int32_t>(H));
    PaperRect.Left = (CW - PW) / 2;
    PaperRect.Right = PaperRect.Left + PW;
  } else {
    const int32_t N = CW - Pixels::Round(CW / 50.0);
    PaperRect.Left = Pixels::Round(CW / 100.0);
    PaperRect.Right = PaperRect.Left + N;
    const int32_t PH = W <= 0 ? CH : MulDiv(N, static_cast<int32_t>(H), static_cast<int32_t>(W));
    PaperRect.Top = (CH - PH) / 2;
    PaperRect.Bottom = PaperRect.Top + PH;
  }
}

TRect TPlotPreviewPanel::PanelPaperRect(TCustomPlotPanel* Panel) {
  TRect M(15, 15, 15, 15);
  if (Panel) {
    if (Panel->PrintProportional && PlotPreviewPanel::HavePrinters())
      Panel->ProportionalPrintMargins(Panel->PrintMargins);
    M = Panel->PrintMargins;
  }
  const int32_t PW = PaperRect.Right - PaperRect.Left, PH = PaperRect.Bottom - PaperRect.Top;
  return TRect(PaperRect.Left + MulDiv(M.Left, PW, 100), PaperRect.Top + MulDiv(M.Top, PH, 100),
               PaperRect.Right - MulDiv(M.Right, PW, 100), PaperRect.Bottom - MulDiv(M.Bottom, PH, 100));
}

// ---- painting ------------------------------------------------------------------------------

void TPlotPreviewPanel::DrawContent(const TRect& Rect) {
  DrawFrame(Rect);
  Canvas()->ResetState();
  CalcPaperRect();
  if (OnGetPaperRect) OnGetPaperRect(this, PaperRect);
  DrawPaper();
  MarginRect = PanelPaperRect(GetPanel());
  for (int32_t i = FPanels.Count() - 1; i >= 0; --i) DrawPanel(FPanels.Get(i));
  if (Canvas()->Target) DrawMargins(*Canvas()->Target);
  Canvas()->ResetState();
  if (OnAfterDraw) OnAfterDraw(this);
}

void TPlotPreviewPanel::DrawPaper() {
  TPlotCanvas3D& C = *Canvas();
  C.Pen->SetStyle(psSolid);
  C.Pen->SetColor(clBlack);
  C.Pen->SetWidth(1);
  C.Pen->SetMode(pmCopy);
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(FPaperColor);
  C.RectangleRect(PaperRect);
  FPaperShadow->DrawRect(C, PaperRect);
}

void TPlotPreviewPanel::DrawPanel(TCustomPlotPanel* Panel) {
  const TRect R = PanelPaperRect(Panel);
  TRestore PrintingFlag(Panel->Printing, true);
  TPlotCanvas3D& C = *Canvas();
  C.ClipRect(Panel->ClippingAllowed() ? R : PaperRect);
  struct TUnclip {
    TPlotCanvas3D& C;
    ~TUnclip() { C.Unclip(); }
  } Unclip{C};
  FPreviewRects[Panel] = R;
  // A rectangle dragged inside out has no picture; nothing of zero or
  // negative size is made.
  if (!FShowImage || IsEmptyRect(R)) return;
  if (FAsBitmap)
    DrawPanelAsBitmap(Panel, R);
  else
    DrawPanelDirect(Panel, R);
}

void TPlotPreviewPanel::DrawPanelAsBitmap(TCustomPlotPanel* Panel, const TRect& R) {
  std::unique_ptr<TBitmap> Picture = RenderPanelBitmap(Panel);
  if (!Picture) return;
  if (FSmoothBitmap) {
    TBitmap Smooth(R.Right - R.Left, R.Bottom - R.Top);
    Smooth.Image() = Picture->Image()
                         .convertToFormat(QImage::Format_RGB32)
                         .scaled(R.Right - R.Left, R.Bottom - R.Top, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Smooth.Modified();
    Canvas()->DrawGraphic(R.Left, R.Top, &Smooth);
  } else {
    Canvas()->StretchGraphic(R, Picture.get());
  }
}

void TPlotPreviewPanel::DrawPanelDirect(TCustomPlotPanel* Panel, const TRect& R) {
  const int32_t W = R.Right - R.Left, H = R.Bottom - R.Top;
  TBitmap Picture(W, H);
  TCanvas& PC = *Picture.GetCanvas();
  PC.Brush->SetStyle(bsSolid);
  PC.Brush->SetColor(clWhite);
  PC.FillRect(TRect(0, 0, W, H));
  {
    const bool Buffered = Panel->GetBufferedDisplay();
    Panel->SetBufferedDisplay(false);
    struct TRestoreBuffered {
      TCustomPlotPanel* P;
      bool V;
      ~TRestoreBuffered() { P->SetBufferedDisplay(V); }
    } Restore{Panel, Buffered};
    Panel->DrawTo(PC, TRect(0, 0, W, H));
  }
  Canvas()->DrawGraphic(R.Left, R.Top, &Picture);
}

std::unique_ptr<TBitmap> TPlotPreviewPanel::RenderPanelBitmap(TCustomPlotPanel* Panel) {
  TRestore PrintingFlag(Panel->Printing, true);
  const TRect R = PanelPaperRect(Panel);
  const int32_t W = R.Right - R.Left, H = R.Bottom - R.Top;
  if (W <= 0 || H <= 0) return nullptr;
  TBMPExportFormat Format;
  Format.SetPanel(Panel);
  Format.Width = W;
  Format.Height = H;
  return Format.Bitmap();
}

void TPlotPreviewPanel::DrawMargins(TCanvas& Target) {
  if (!FMargins->GetVisible()) return;
  TDeviceContext* DC = Target.GetHandle();
  const TColor SavedColor = Target.Pen->GetColor();
  const TPenStyle SavedStyle = Target.Pen->GetStyle();
  const int32_t SavedWidth = Target.Pen->GetWidth();
  ApplyChartPen(*Target.Pen, *FMargins, FMargins->GetColor(), DC);
  Target.Pen->SetMode(pmNotXor);
  Target.Brush->SetStyle(bsClear);
  DC->SetBkMode(TRANSPARENT);
  const TRect& M = MarginRect;
  const TRect& P = PaperRect;
  const std::array<std::array<int32_t, 4>, 4> Lines{{{M.Left - 1, P.Top + 1, M.Left - 1, P.Bottom},
                                                     {M.Right, P.Top + 1, M.Right, P.Bottom},
                                                     {P.Left + 1, M.Top - 1, P.Right, M.Top - 1},
                                                     {P.Left + 1, M.Bottom, P.Right, M.Bottom}}};
  for (const auto& L : Lines) {
    Target.MoveTo(L[0], L[1]);
    Target.LineTo(L[2], L[3]);
  }
  DC->SetBkMode(OPAQUE);
  Target.Pen->SetMode(pmCopy);
  Target.Pen->SetColor(SavedColor);
  Target.Pen->SetStyle(SavedStyle);
  Target.Pen->SetWidth(SavedWidth);
}

void TPlotPreviewPanel::DrawMarginsOnWindow() {
  if (WindowCanvas) DrawMargins(*WindowCanvas);
}

// ---- mouse ------------------------------------------------------------------------------------

int32_t TPlotPreviewPanel::HitTest(int32_t X, int32_t Y) const {
  constexpr int32_t Tolerance = 4;
  const TRect& M = MarginRect;
  const bool L = std::abs(X - M.Left) <= Tolerance, R = std::abs(X - M.Right) <= Tolerance;
  const bool T = std::abs(Y - M.Top) <= Tolerance, B = std::abs(Y - M.Bottom) <= Tolerance;
  int32_t Code = 0;
  if (L && T)
    Code = 6;
  else if (L && B)
    Code = 8;
  else if (R && T)
    Code = 7;
  else if (R && B)
    Code = 9;
  else if (L)
    Code = 1;
  else if (R)
    Code = 3;
  else if (T)
    Code = 2;
  else if (B)
    Code = 4;
  else if (AllowMove && X > M.Left && X < M.Right && Y > M.Top && Y < M.Bottom)
    return 5;
  return AllowResize ? Code : 0;
}

void TPlotPreviewPanel::SetCursorFor(int32_t Code) {
  static constexpr TCursor Cursors[10] = {crDefault, crHSplit,   crVSplit,   crHSplit,   crVSplit,
                                          PlotProcs::crPlotHand, crSizeNWSE, crSizeNESW, crSizeNESW, crSizeNWSE};
  const TCursor C = Cursors[std::clamp(Code, 0, 9)];
  if (C == FCursor) return;
  FCursor = C;
  if (OnCursorChange) OnCursorChange(C);
}

void TPlotPreviewPanel::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  for (int32_t i = FPanels.Count() - 1; i >= 0; --i) {
    TCustomPlotPanel* P = FPanels.Get(i);
    if (!PointInRectXY(PreviewRect(P), X, Y)) continue;
    MarginRect = PanelPaperRect(P);
    if (i != 0) FPanels.Exchange(0, i);
    break;
  }
  if (Button == TMouseButton::mbRight) return;
  TCustomPlotPanelExtended::MouseDown(Button, Shift, X, Y);
  DragCode = HitTest(X, Y);
  if (DragCode == 5) {
    DragStartPoint = TPoint(X, Y);
    DragStartRect = MarginRect;
  }
}

void TPlotPreviewPanel::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  TCustomPlotPanelExtended::MouseMove(Shift, X, Y);
  if (Shift.Contains(TShiftStateItem::ssRight)) return;
  if (!PointInRectXY(PaperRect, X, Y)) return;
  if (DragCode == 0) {
    MarginRect = PanelPaperRect(GetPanel());
    SetCursorFor(HitTest(X, Y));
    return;
  }
  if (!DragImage) DrawMarginsOnWindow();
  DragTo(X, Y);
  if (GetPanel()) MarginsFromRect();
  if (DragImage)
    Invalidate();
  else
    DrawMarginsOnWindow();
}

void TPlotPreviewPanel::DragTo(int32_t X, int32_t Y) {
  // Every edge stays on the sheet and before the opposite edge, so the margins
  // never add up to the whole page.
  const TRect& P = PaperRect;
  TRect& M = MarginRect;
  auto ClampX = [&](int32_t V, int32_t Lo, int32_t Hi) { return std::clamp(V, Lo, std::max(Lo, Hi)); };
  switch (DragCode) {
    case 1: M.Left = ClampX(X, P.Left, M.Right - 1); break;
    case 2: M.Top = ClampX(Y, P.Top, M.Bottom - 1); break;
    case 3: M.Right = ClampX(X, M.Left + 1, P.Right); break;
    case 4: M.Bottom = ClampX(Y, M.Top + 1, P.Bottom); break;
    case 5: {
      const TRect& S = DragStartRect;
      const int32_t W = S.Right - S.Left, H = S.Bottom - S.Top;
      const int32_t L = ClampX(S.Left + X - DragStartPoint.X, P.Left, P.Right - W);
      const int32_t T = ClampX(S.Top + Y - DragStartPoint.Y, P.Top, P.Bottom - H);
      M = TRect(L, T, L + W, T + H);
      break;
    }
    case 6:
      if (P.Left <= X && X < M.Right && P.Top <= Y && Y < M.Bottom) M = TRect(X, Y, M.Right, M.Bottom);
      break;
    case 7:
      if (M.Left < X && X <= P.Right && P.Top <= Y && Y < M.Bottom) M = TRect(M.Left, Y, X, M.Bottom);
      break;
    case 8:
      if (P.Left <= X && X < M.Right && M.Top < Y && Y <= P.Bottom) M = TRect(X, M.Top, M.Right, Y);
      break;
    case 9:
      if (M.Left < X && X <= P.Right && M.Top < Y && Y <= P.Bottom) M = TRect(M.Left, M.Top, X, Y);
      break;
    default: break;
  }
}

void TPlotPreviewPanel::MarginsFromRect() {
  const TRect& P = PaperRect;
  const TRect& M = MarginRect;
  const double PW = std::max(1, P.Right - P.Left), PH = std::max(1, P.Bottom - P.Top);
  TRect N(Pixels::Round((M.Left - P.Left) * 100.0 / PW), Pixels::Round((M.Top - P.Top) * 100.0 / PH),
          Pixels::Round((P.Right - M.Right) * 100.0 / PW), Pixels::Round((P.Bottom - M.Bottom) * 100.0 / PH));
  // Rounding a rectangle of a pixel or two may still add up to 100 %.
  if (N.Left + N.Right >= 100) N.Right = 99 - N.Left;
  if (N.Top + N.Bottom >= 100) N.Bottom = 99 - N.Top;
  TCustomPlotPanel* Current = GetPanel();
  Current->PrintProportional = false;
  Current->PrintMargins = N;
  if (OnChangeMargins) OnChangeMargins(this, true, N);
}

void TPlotPreviewPanel::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (Button == TMouseButton::mbRight) return;
  TCustomPlotPanelExtended::MouseUp(Button, Shift, X, Y);
  if (DragCode != 0) {
    DragCode = 0;
    if (!DragImage) Invalidate();
  }
}

// ---- printing ------------------------------------------------------------------------------------

void TPlotPreviewPanel::Print() {
  if (FPanels.Count() == 0) return;
  Forms::TCursorGuard Hourglass(crHourGlass);
  ApplyOrientation();
  TPrinter& P = Printer();
  P.Title = Title;
  if (P.Title.empty()) P.Title = GetPanel()->GetName();
  P.BeginDoc();
  try {
    for (int32_t i = FPanels.Count() - 1; i >= 0; --i) {
      // Pending messages may have freed a panel meanwhile.
      if (i >= FPanels.Count()) continue;
      TCustomPlotPanel* Panel = FPanels.Get(i);
      TRect Target;
      Panel->PrintPageRect(Target);
      std::unique_ptr<TBitmap> Picture = RenderPanelBitmap(Panel);
      if (Picture && !IsEmptyRect(Target)) P.Canvas()->StretchDraw(Target, Picture.get());
      Application->ProcessMessages();
    }
    if (OnAfterDraw) OnAfterDraw(this);
    P.EndDoc();
  } catch (...) {
    P.Abort();
    if (P.Printing()) P.EndDoc();
    throw;
  }
}
