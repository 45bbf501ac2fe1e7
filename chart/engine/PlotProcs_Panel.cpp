// The chart panel: margins and chart rectangle, border and bevels, listeners,
// drawing through the off-screen buffer, bitmap and metafile export, printing.
#include <cmath>

#include "chart/engine/PlotProcs.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Metafile.h"
#include "platform/gdi/Printer.h"
#include "platform/ui/Forms.h"
#include "platform/rtl/Restore.h"
#include "platform/gdi/Pixels.h"

namespace {
}  // namespace

// ---- unit routines ----------------------------------------------------------------

int32_t PlotProcs::MulDiv(int32_t A, int32_t B, int32_t C) {
  if (C == 0) return -1;
  const double R = static_cast<double>(A) * B / C;
  return static_cast<int32_t>(R < 0 ? -std::floor(-R + 0.5) : std::floor(R + 0.5));
}

void PlotProcs::DrawBevel(TCanvas3D& Canvas, TBevelCut Kind, TRect& Rect, int32_t Width, int32_t RoundSize) {
  if (Kind == bvNone) return;
  if (RoundSize > 0) {
    Canvas.Pen->SetColor(Kind == bvLowered ? clBtnShadow : clBtnHighlight);
    Canvas.RoundRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, RoundSize, RoundSize);
    Rect = TRect(Rect.Left + Width, Rect.Top + Width, Rect.Right - Width, Rect.Bottom - Width);
  } else if (Kind == bvLowered) {
    Canvas.BevelFrame(Rect, clBtnShadow, clBtnHighlight, Width);
  } else {
    Canvas.BevelFrame(Rect, clBtnHighlight, clBtnShadow, Width);
  }
}

bool PlotProcs::QueryPrinterPage(TPrintPageMetrics& Page) {
  try {
    TPrinter& P = Printer();
    Page.Width = P.PageWidth();
    Page.Height = P.PageHeight();
    Page.DpiX = P.DeviceCaps(LOGPIXELSX);
    Page.DpiY = P.DeviceCaps(LOGPIXELSY);
    return Page.DpiX > 0 && Page.DpiY > 0;
  } catch (const Exception&) {
    return false;
  }
}

// ---- drag state -------------------------------------------------------------------

KV_CLASS_IMPL(TZoomPanning, TPersistent) {}

void TZoomPanning::Activate(int32_t X, int32_t Y) {
  X0 = X1 = X;
  Y0 = Y1 = Y;
  Active = true;
}

void TZoomPanning::Check() {
  if (X1 < X0) std::swap(X0, X1);
  if (Y1 < Y0) std::swap(Y0, Y1);
}

// ---- the panel --------------------------------------------------------------------

KV_CLASS_IMPL(TCustomPlotPanel, TComponent) {
  c.Property("BorderRound", &TCustomPlotPanel::GetBorderRound, &TCustomPlotPanel::SetBorderRound).Default(0);
  c.Property("Color", &TCustomPlotPanel::GetColor, &TCustomPlotPanel::SetColor).Kind(TPropKind::pkColor);
  c.Property("View3D", &TCustomPlotPanel::GetView3D, &TCustomPlotPanel::SetView3D).Default(true);
  c.Property("BorderStyle", &TCustomPlotPanel::LegacyBorderStyle, &TCustomPlotPanel::ReadBorderStyle).Stored(false);
  c.Property("PrintMargins", &TCustomPlotPanel::GetPrintMarginsText, &TCustomPlotPanel::SetPrintMarginsText)
      .Stored(&TCustomPlotPanel::IsPrintMarginsStored);
  c.Property("BevelInner", &TCustomPlotPanel::GetBevelInner, &TCustomPlotPanel::SetBevelInner)
      .Names({"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvNone);
  c.Property("BevelOuter", &TCustomPlotPanel::GetBevelOuter, &TCustomPlotPanel::SetBevelOuter)
      .Names({"bvNone", "bvLowered", "bvRaised", "bvSpace"})
      .Default(bvRaised);
  c.Property("BevelWidth", &TCustomPlotPanel::GetBevelWidth, &TCustomPlotPanel::SetBevelWidth).Default(1);
  c.Property("BorderWidth", &TCustomPlotPanel::GetBorderWidth, &TCustomPlotPanel::SetBorderWidth).Default(0);
  c.Property("Border", &TCustomPlotPanel::Border);
  c.Property("Shadow", &TCustomPlotPanel::Shadow);
}

std::string TCustomPlotPanel::GetPrintMarginsText() const {
  return std::to_string(PrintMargins.Left) + " " + std::to_string(PrintMargins.Top) + " " +
         std::to_string(PrintMargins.Right) + " " + std::to_string(PrintMargins.Bottom);
}

void TCustomPlotPanel::SetPrintMarginsText(const std::string& Text) {
  // All four are read before any is applied.
  int32_t V[4];
  size_t At = 0;
  for (int i = 0; i < 4; ++i) {
    while (At < Text.size() && (Text[At] == ' ' || Text[At] == '(' || Text[At] == ')')) ++At;
    size_t End = At;
    while (End < Text.size() && Text[End] != ' ' && Text[End] != ')') ++End;
    if (!SysUtils::TryStrToInt(Text.substr(At, End - At), V[i]))
      throw EConvertError("PrintMargins: '" + Text + "' is not a list of four integers");
    At = End;
  }
  PrintMargins = TRect(V[0], V[1], V[2], V[3]);
}

TCustomPlotPanel::TCustomPlotPanel(TComponent* Owner) : TComponent(Owner) {
  auto Changed = [this](TObject* Sender) { ChildChanged(Sender); };
  FView3DOptions = std::make_unique<TView3DOptions>();
  FCanvas = std::make_unique<TPlotCanvas3D>();
  FShadow = std::make_unique<TPlotShadow>(Changed);
  FBorder = std::make_unique<TChartHiddenPen>(Changed);
  FBorder->SetEndStyle(esFlat);
  FBorder->UnstoredEnd = esFlat;
  AutoRepaint = true;
}

void TCustomPlotPanel::BeforeDestruction() {
  FDestroying = true;
  TComponent::BeforeDestruction();
}

TCustomPlotPanel::~TCustomPlotPanel() { FDestroying = true; }

void TCustomPlotPanel::Assign(const TPersistent* Source) {
  auto* P = dynamic_cast<const TCustomPlotPanel*>(Source);
  if (!P) {
    TComponent::Assign(Source);
    return;
  }
  FBorder->Assign(P->FBorder.get());
  FBorderRound = P->FBorderRound;
  FCanvas->SetBuffered(P->FCanvas->BufferedDisplay);
  PrintMargins = P->PrintMargins;
  PrintProportional = P->PrintProportional;
  PrintResolution = P->PrintResolution;
  for (int i = 0; i < 4; ++i) FMargins[i] = P->FMargins[i];
  FMarginUnits = P->FMarginUnits;
  FCanvas->SetMonochrome(P->FCanvas->Monochrome);
  FShadow->Assign(P->FShadow.get());
  FView3D = P->FView3D;
  FView3DOptions->Assign(P->FView3DOptions.get());
  FColor = P->FColor;
  Invalidate();
}

void TCustomPlotPanel::SetBounds(int32_t Width, int32_t Height) {
  if (Width == FWidth && Height == FHeight) return;
  FWidth = Width;
  FHeight = Height;
  if (FBorderRound > 0 && !Loading) UpdateWindowRegion();
  Invalidate();
  if (OnResize) OnResize(this);
}

void TCustomPlotPanel::SetBorderRound(int32_t Value) {
  FBorderRound = Value;
  if (!Loading) UpdateWindowRegion();
}

void TCustomPlotPanel::SetView3D(bool Value) {
  if (FView3D == Value) return;
  SetBooleanField(FView3D, Value);
  TPlotView3DEvent Event;
  BroadcastEvent(Event);
}

void TCustomPlotPanel::SetMonochrome(bool Value) {
  if (FCanvas->Monochrome == Value) return;
  FCanvas->SetMonochrome(Value);
  Invalidate();
}

void TCustomPlotPanel::UpdateWindowRegion() {
  if (!HasParentWindow || FRegionGuard) return;
  TRestore Guard(FRegionGuard, true);
  if (OnWindowRegion) OnWindowRegion(FBorderRound > 0 ? FBorderRound : 0);
}

void TCustomPlotPanel::Invalidate() {
  if (!AutoRepaint) return;
  FCanvas->InvalidateBuffer();
  if (OnInvalidateWindow) OnInvalidateWindow();
}

void TCustomPlotPanel::ChildChanged(TObject*) { Invalidate(); }

void TCustomPlotPanel::Paint() {
  if (Printing) return;
  if (!FCanvas->RedrawFromBuffer()) DrawToClient();
}

void TCustomPlotPanel::DrawToClient() {
  if (WindowCanvas) DrawTo(*WindowCanvas, PanelRect());
}

void TCustomPlotPanel::DrawTo(TCanvas& Target, const TRect& Rect) {
  ViewRect = FCanvas->BeginView(&Target, FView3DOptions.get(), FColor, FView3D, Rect);
  ApplyMargins();
  RecalcChartRect();
  DrawContent(ViewRect);
  FCanvas->ShowBuffer(Target, WindowCanvas, Rect);
}

int32_t TCustomPlotPanel::MarginPixels(int32_t Margin, int32_t Size) const {
  return FMarginUnits == muPixels ? Margin : Margin * Size / 100;
}

void TCustomPlotPanel::ApplyMargins() {
  const int32_t W = ViewRect.Right - ViewRect.Left, H = ViewRect.Bottom - ViewRect.Top;
  int32_t F = FBorderWidth;
  if (FBevelInner != bvNone) F += FBevelWidth;
  if (FBevelOuter != bvNone) F += FBevelWidth;
  if (FBorder->GetVisible()) F += FBorder->GetWidth();
  ChartRect = TRect(ViewRect.Left + F + MarginPixels(FMargins[0], W), ViewRect.Top + F + MarginPixels(FMargins[1], H),
                    ViewRect.Right - F - MarginPixels(FMargins[2], W),
                    ViewRect.Bottom - F - MarginPixels(FMargins[3], H));
}

void TCustomPlotPanel::RecalcChartRect() {
  TRect& R = ChartRect;
  R.Left = std::max(R.Left, ViewRect.Left);
  R.Top = std::max(R.Top, ViewRect.Top);
  if (R.Right < R.Left)
    R.Right = R.Left + 1;
  else if (R.Right == R.Left)
    R.Right = R.Left + FWidth;
  if (R.Bottom < R.Top)
    R.Bottom = R.Top + 1;
  else if (R.Bottom == R.Top)
    R.Bottom = R.Top + FHeight;
  ChartWidth = R.Right - R.Left;
  ChartHeight = R.Bottom - R.Top;
  ChartXCenter = (R.Left + R.Right) / 2;
  ChartYCenter = (R.Top + R.Bottom) / 2;
}

void TCustomPlotPanel::DrawBorderBevels(TRect Rect) {
  TCanvas3D& C = *FCanvas;
  C.DisableRotation();
  C.Brush->SetStyle(TBrushStyle::bsClear);
  if (FBorder->GetVisible()) {
    C.UsePen(*FBorder);
    int32_t K;
    if (FBorder->GetSmallDots()) {
      K = 1;
    } else {
      const int32_t W = FBorder->GetWidth() - 1;
      if (W > 0) {
        K = W / 2;
        if (K % 2 == 1) --K;
        Rect.Left += (W + 1) / 2;
        Rect.Top += (W + 1) / 2;
        Rect.Right -= K;
        Rect.Bottom -= K;
      } else {
        K = W;
      }
    }
    if (FBorderRound > 0) {
      --Rect.Right;
      --Rect.Bottom;
      C.RoundRect(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom, FBorderRound, FBorderRound);
    } else {
      C.RectangleRect(Rect);
      if (!FBorder->GetSmallDots()) ++K;
    }
    Rect = TRect(Rect.Left + K, Rect.Top + K, Rect.Right - K, Rect.Bottom - K);
  }
  if (!Printing) {
    C.Pen->SetStyle(psSolid);
    C.Pen->SetWidth(1);
    C.Pen->SetMode(pmCopy);
    PlotProcs::DrawBevel(C, FBevelOuter, Rect, FBevelWidth, FBorderRound);
    if (FBorderWidth != 0) C.BevelFrame(Rect, FColor, FColor, FBorderWidth);
    PlotProcs::DrawBevel(C, FBevelInner, Rect, FBevelWidth, 0);
  }
  C.EnableRotation();
}

void TCustomPlotPanel::UseBrushOnBack(TColor Color, TChartBrush& Brush, TColor BackColor) {
  if (Brush.GetStyle() != TBrushStyle::bsSolid && Color == BackColor) Color = BackColor == clBlack ? clWhite : clBlack;
  FCanvas->UseBrushColor(Brush, Color, BackColor);
}

bool TCustomPlotPanel::ClippingAllowed() { return !FCanvas->IsTrue3D(); }

// ---- listeners and input ----------------------------------------------------------

void TCustomPlotPanel::AddListener(ChartEventListener* Listener) { PlotProcs::ListAddOnce(FListeners, Listener); }

void TCustomPlotPanel::RemoveListener(ChartEventListener* Listener) { std::erase(FListeners, Listener); }

TPlotEvent& TCustomPlotPanel::BroadcastEvent(TPlotEvent& Event) {
  if (FDestroying) return Event;
  Event.Sender = this;
  const bool IsMouse = dynamic_cast<TPlotMouseEvent*>(&Event) != nullptr;
  // A listener may remove itself while it handles the event.
  const TPlotEventListeners Snapshot = FListeners;
  for (ChartEventListener* L : Snapshot) {
    if (std::find(FListeners.begin(), FListeners.end(), L) == FListeners.end()) continue;
    L->PlotEvent(Event);
    if (IsMouse && MouseCancelled) break;
  }
  return Event;
}

void TCustomPlotPanel::BroadcastMouse(uint8_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (FListeners.empty()) return;
  TPlotMouseEvent Event;
  Event.Event = Kind;
  Event.Button = Button;
  Event.Shift = Shift;
  Event.X = X;
  Event.Y = Y;
  BroadcastEvent(Event);
}

void TCustomPlotPanel::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  MouseCancelled = false;
  if (OnMouseDown) OnMouseDown(Button, Shift, X, Y);
  BroadcastMouse(0, Button, Shift, X, Y);
}

void TCustomPlotPanel::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (OnMouseUp) OnMouseUp(Button, Shift, X, Y);
  BroadcastMouse(1, Button, Shift, X, Y);
}

void TCustomPlotPanel::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  MouseCancelled = false;
  if (OnMouseMove) OnMouseMove(Shift, X, Y);
  BroadcastMouse(2, TMouseButton::mbLeft, Shift, X, Y);
}

bool TCustomPlotPanel::DblClick() {
  MouseCancelled = false;
  if (OnDblClick) OnDblClick();
  return !MouseCancelled;
}

void TCustomPlotPanel::MouseLeave() { Panning.Active = false; }

// ---- export -----------------------------------------------------------------------

std::unique_ptr<TBitmap> TCustomPlotPanel::MakeBitmap(TColor BackColor, const TRect& Rect, TPixelFormat Format) {
  auto Bitmap = std::make_unique<TBitmap>(std::max(0, Rect.Right - Rect.Left), std::max(0, Rect.Bottom - Rect.Top));
  Bitmap->SetPixelFormat(FCanvas->IsTrue3D() ? pf24bit : Format);
  if (BackColor != clWhite) {
    Bitmap->GetCanvas()->Brush->SetColor(BackColor);
    Bitmap->GetCanvas()->FillRect(Rect);
  }
  DrawBuffered(*Bitmap->GetCanvas(), Rect);
  return Bitmap;
}

std::unique_ptr<TBitmap> TCustomPlotPanel::ChartBitmap() { return MakeBitmap(FColor, PanelRect()); }

void TCustomPlotPanel::SaveBitmapRect(const std::string& FileName, const TRect& Rect) {
  MakeBitmap(clWhite, Rect)->SaveToFile(FileName);
}

void TCustomPlotPanel::SaveBitmapFile(const std::string& FileName) { SaveBitmapRect(FileName, PanelRect()); }

void TCustomPlotPanel::DrawBuffered(TCanvas& Target, const TRect& Rect) {
  {
    TRestore Hold(FCanvas->HoldBitmap, true);
    TRestore Buffered(FCanvas->BufferedDisplay, true);
    DrawTo(Target, Rect);
  }
  Invalidate();
}

void TCustomPlotPanel::DrawUnbuffered(TCanvas& Target, const TRect& Rect) {
  {
    TRestore Hold(FCanvas->HoldBitmap, true);
    TRestore Buffered(FCanvas->BufferedDisplay, false);
    DrawTo(Target, Rect);
  }
  Invalidate();
}

void TCustomPlotPanel::DrawAsMetafile(TCanvas& Target, const TRect& Rect) {
  TRestore Flag(FCanvas->Metafile, true);
  DrawUnbuffered(Target, Rect);
}

std::unique_ptr<TMetafile> TCustomPlotPanel::MakeMetafile(bool Enhanced, const TRect& Rect) {
  auto Metafile = std::make_unique<TMetafile>(std::max(1, Rect.Right - Rect.Left), std::max(1, Rect.Bottom - Rect.Top));
  Metafile->SetEnhanced(Enhanced);
  {
    TMetafileCanvas MetafileCanvas(*Metafile);
    DrawAsMetafile(MetafileCanvas, Rect);
  }
  return Metafile;
}

void TCustomPlotPanel::SaveMetafileRect(bool Enhanced, const std::string& FileName, const TRect& Rect) {
  MakeMetafile(Enhanced, Rect)->SaveToFile(FileName);
}

void TCustomPlotPanel::SaveWMF(const std::string& FileName) { SaveMetafileRect(false, FileName, PanelRect()); }

// ---- printing ---------------------------------------------------------------------

void TCustomPlotPanel::PrintToCanvas(TCanvas& Target, const TRect& Rect) {
  using PlotProcs::MulDiv;
  TRect R = NormalizeRect(Rect);
  const TRect P = PanelRect();
  const int32_t PW = P.Right - P.Left, PH = P.Bottom - P.Top;
  const int32_t RW = R.Right - R.Left, RH = R.Bottom - R.Top;
  if (RW <= 0 || RH <= 0) return;
  const int32_t WX = PW - MulDiv(PW, PrintResolution, 100), WY = PH - MulDiv(PH, PrintResolution, 100);
  R = TRect(MulDiv(R.Left, WX, RW), MulDiv(R.Top, WY, RH), MulDiv(R.Right, WX, RW), MulDiv(R.Bottom, WY, RH));
  TDeviceContext& DC = *Target.GetHandle();
  const int SavedMode = DC.GetMapMode();
  const TPoint SavedWindowOrg = DC.GetWindowOrgEx(), SavedViewportOrg = DC.GetViewportOrgEx();
  const TSize SavedWindowExt = DC.GetWindowExtEx(), SavedViewportExt = DC.GetViewportExtEx();
  DC.SetMapMode(MM_ANISOTROPIC);
  DC.SetWindowOrgEx(0, 0);
  DC.SetWindowExtEx(WX, WY);
  DC.SetViewportExtEx(RW, RH);
  DC.SetViewportOrgEx(0, 0);
  struct RestoreMapping {
    TDeviceContext& DC;
    int Mode;
    TPoint WO, VO;
    TSize WE, VE;
    ~RestoreMapping() {
      DC.SetMapMode(Mode);
      if (Mode == MM_ANISOTROPIC || Mode == MM_ISOTROPIC) {
        DC.SetWindowExtEx(WE.cx, WE.cy);
        DC.SetViewportExtEx(VE.cx, VE.cy);
      }
      DC.SetWindowOrgEx(WO.X, WO.Y);
      DC.SetViewportOrgEx(VO.X, VO.Y);
    }
  } Mapping{DC, SavedMode, SavedWindowOrg, SavedViewportOrg, SavedWindowExt, SavedViewportExt};
  TRestore PrintingFlag(Printing, true);
  const bool Clip = ClippingAllowed();
  if (Clip) FCanvas->ClipRect(R);
  struct Unclip {
    TPlotCanvas3D* C;
    bool On;
    ~Unclip() {
      if (On) C->Unclip();
    }
  } ClipGuard{FCanvas.get(), Clip};
  if (OnBeforePrint) OnBeforePrint(this, Target, R);
  DrawAsMetafile(Target, R);
}

void TCustomPlotPanel::PrintOnPrinter(const TRect& Rect) { PrintToCanvas(*Printer().Canvas(), Rect); }

void TCustomPlotPanel::PrintPageRectFor(const TPrintPageMetrics& Page, TRect& Rect) {
  auto Margin = [](int32_t Dpi, int32_t Percent, int32_t Size) {
    return Pixels::Round(Dpi * Percent * (Size * 0.01 / Dpi));
  };
  Rect.Left = Margin(Page.DpiX, PrintMargins.Left, Page.Width);
  Rect.Right = Page.Width - Margin(Page.DpiX, PrintMargins.Right, Page.Width);
  Rect.Top = Margin(Page.DpiY, PrintMargins.Top, Page.Height);
  Rect.Bottom = Page.Height - Margin(Page.DpiY, PrintMargins.Bottom, Page.Height);
}

void TCustomPlotPanel::PrintPageRect(TRect& Rect) {
  TPrintPageMetrics Page;
  const bool HavePrinter = PlotProcs::QueryPrinterPage(Page);
  if (PrintProportional) ProportionalPrintMarginsFor(HavePrinter ? &Page : nullptr, PrintMargins);
  if (!HavePrinter) throw EPrinter("There is no default printer currently selected");
  PrintPageRectFor(Page, Rect);
}

void TCustomPlotPanel::ProportionalPrintMargins(TRect& Margins) {
  TPrintPageMetrics Page;
  const bool HavePrinter = PlotProcs::QueryPrinterPage(Page);
  ProportionalPrintMarginsFor(HavePrinter ? &Page : nullptr, Margins);
}

void TCustomPlotPanel::ProportionalPrintMarginsFor(const TPrintPageMetrics* Page, TRect& Margins) {
  const TRect P = PanelRect();
  const double CW = P.Right - P.Left, CH = P.Bottom - P.Top;
  double PageW, PageH, D = 1;
  if (Page) {
    PageW = Page->Width;
    PageH = Page->Height;
    D = static_cast<double>(Page->DpiX) / Page->DpiY;
  } else {
    PageW = Screen->GetWidth();
    PageH = Screen->GetHeight();
  }
  auto ProportionalMargin = [&](double A, double B, double Ratio) {
    return Pixels::Round(100 * (B - (A - A * 30 * 0.01) * Ratio * D) / B) / 2;
  };
  if (CW <= 0 || CH <= 0 || PageW <= 0 || PageH <= 0) return;
  if (CW > CH) {
    const int32_t M = ProportionalMargin(PageW, PageH, CH / CW);
    Margins = TRect(15, M, 15, M);
  } else {
    const int32_t M = ProportionalMargin(PageH, PageW, CW / CH);
    Margins = TRect(M, 15, M, 15);
  }
}
