// The bitmap picture format and its options form.
#include "chart/series/PlotBmpOptions.h"

#include "chart/engine/PlotConst.h"
#include "platform/ui/Clipbrd.h"

KV_CLASS_IMPL(TBMPOptions, TForm) {}

TBMPOptions::TBMPOptions(TComponent* Owner) : TForm(Owner) {
  SetName("BMPOptions");
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetClientWidth(187);
  SetClientHeight(92);
  CBMono = new TCheckBox(this);
  CBMono->SetName("CBMono");
  CBMono->SetParent(this);
  CBMono->SetBounds(8, 8, 161, 17);
  CBMono->SetCaption("&Monochrome");
  LabelColors = new TLabel(this);
  LabelColors->SetName("LabelColors");
  LabelColors->SetParent(this);
  LabelColors->SetBounds(8, 38, 40, 13);
  LabelColors->SetCaption("&Colors:");
  CBColors = new TComboBox(this);
  CBColors->SetName("CBColors");
  CBColors->SetParent(this);
  CBColors->SetBounds(56, 34, 121, 21);
  CBColors->Style = TComboBoxStyle::csDropDownList;
  for (const char* Item : {"Default", "2 (1 bit)", "16 (4 bit)", "256 (8 bit)", "32768 (15 bit)", "65536 (16 bit)",
                           "16M (24 bit)", "16M (32 bit)"})
    CBColors->Items()->Add(Item);
  CBMono->OnClick = [this](TObject*) { CBColors->SetEnabled(!CBMono->GetChecked()); };
  ResetColors();
}

void TBMPOptions::ResetColors() { CBColors->SetItemIndex(0); }

void TBMPOptions::VisibleChanged() {
  TForm::VisibleChanged();
  if (GetVisible()) ResetColors();
}

KV_CLASS_IMPL(TBMPExportFormat, TPlotExportFormat) {}

TForm* TBMPExportFormat::Options(bool Create) {
  if (!FOptions && Create) FOptions.reset(::Create<TBMPOptions>(nullptr));
  return FOptions.get();
}

std::string TBMPExportFormat::Description() { return PlotConst::MsgAsBitmap; }
std::string TBMPExportFormat::FileExtension() { return "bmp"; }
std::string TBMPExportFormat::FileFilter() { return PlotConst::MsgBitmapsBmpBmp; }
std::unique_ptr<TGraphic> TBMPExportFormat::NewGraphic() { return std::make_unique<TBitmap>(); }

std::unique_ptr<TBitmap> TBMPExportFormat::Bitmap() {
  TCustomPlotPanel& Panel = CheckPanel();
  auto* Form = static_cast<TBMPOptions*>(Options(true));
  const bool Mono = Form->CBMono->GetChecked();
  TPixelFormat Format = pfDevice;
  if (!Mono) Format = static_cast<TPixelFormat>(std::max(0, Form->CBColors->GetItemIndex()));
  if (Panel.Canvas()->IsTrue3D()) Format = pf24bit;

  // The panel draws in full colour; the pixels are then reduced to the chosen
  // format (a canvas on a one-bit or palette bitmap cannot draw in colour).
  auto Result = std::make_unique<TBitmap>(Width, Height);
  TCanvas& C = *Result->GetCanvas();
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(Panel.GetColor());
  C.FillRect(TRect(0, 0, Width, Height));
  const bool Buffered = Panel.GetBufferedDisplay();
  Panel.SetBufferedDisplay(false);
  struct TRestoreBuffered {
    TCustomPlotPanel& P;
    bool Value;
    ~TRestoreBuffered() { P.SetBufferedDisplay(Value); }
  } Restore{Panel, Buffered};
  Panel.DrawTo(C, TRect(0, 0, Width, Height));
  if (Mono)
    Result->SetMonochrome(true);
  else if (Format != pfDevice)
    Result->SetPixelFormat(Format);
  return Result;
}

void TBMPExportFormat::SaveToStream(TStream& Stream) {
  const std::vector<uint8_t> Bytes = Bitmap()->SaveToBytes();
  Stream.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
}

void TBMPExportFormat::CopyToClipboard() { Clipbrd::Clipboard().Assign(*Bitmap()); }
