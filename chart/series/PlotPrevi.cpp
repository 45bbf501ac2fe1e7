// The print-preview dialog and its entry points.
#include "chart/series/PlotPrevi.h"

#include <png.h>

#include <cstdio>

#include "platform/gdi/ImageFiles.h"
#include "platform/gdi/Printer.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Restore.h"

KV_CLASS_IMPL(TChartPageNavigatorBase, TWinControl) {}
KV_CLASS_IMPL(TChartPreview, TForm) {}

namespace {

template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, const char* Name) {
  T* Control = new T(Owner);
  Control->SetName(Name);
  Control->SetParent(Parent);
  return Control;
}

constexpr const char* MarginEditNames[4] = {"SELeftMa", "SETopMa", "SERightMa", "SEBotMa"};
constexpr const char* MarginUpDownNames[4] = {"UDLeftMa", "UDTopMa", "UDRightMa", "UDBotMa"};
}  // namespace

TChartPreview::TChartPreview(TComponent* Owner) : TForm(Owner) {
  SetName("ChartPreview");
  SetCaption("Kelm Print Preview");
  SetClientWidth(617);
  SetClientHeight(392);
  Position = TPosition::poScreenCenter;
  BuildPrinterRow();
  BuildOptions();

  PlotPreviewPanel1 = new TPlotPreviewPanel(this);
  PlotPreviewPanel1->SetName("PlotPreviewPanel1");
  PlotPreviewPanel1->Shadow()->SetColor(clGray);
  PlotPreviewPanel1->Shadow()->SetSize(4);
  TPlotGradient* Gradient = PlotPreviewPanel1->GetGradient();
  Gradient->SetDirection(TGradientDirection::gdFromTopLeft);
  Gradient->SetEndColor(clGray);
  Gradient->SetVisible(true);
  PreviewControl = new TPlotPanelControl(this, PlotPreviewPanel1);
  PreviewControl->SetName("PreviewControl");
  PreviewControl->SetParent(this);
  PreviewControl->SetAlign(TAlign::alClient);
  PlotPreviewPanel1->OnCursorChange = [this](TCursor C) { PreviewControl->SetCursor(C); };
  PlotPreviewPanel1->OnChangeMargins = [this](TObject*, bool Disable, const TRect& M) { ChangeMargins(Disable, M); };

  PrinterSetupDialog1 = new TPrintDialog(this);
  PrinterSetupDialog1->SetName("PrinterSetupDialog1");
  OnShow = [this](TObject*) { FormShow(); };
}

TChartPreview::~TChartPreview() = default;

void TChartPreview::BeforeDestruction() {
  // The sheet lists charts it does not own: the list goes before the charts
  // can outlive it, and the charts keep their margins.
  PlotPreviewPanel1->Panels().Clear();
  TForm::BeforeDestruction();
}

void TChartPreview::BuildPrinterRow() {
  Panel1 = Make<TPanel>(this, this, "Panel1");
  Panel1->SetAlign(TAlign::alTop);
  Panel1->SetHeight(33);
  Panel1->SetCaption("");
  LabelPrinters = Make<TLabel>(this, Panel1, "LabelPrinters");
  LabelPrinters->SetBounds(8, 10, 40, 13);
  LabelPrinters->SetCaption("P&rinter:");
  CBPrinters = Make<TComboBox>(this, Panel1, "CBPrinters");
  CBPrinters->Style = TComboBoxStyle::csDropDownList;
  CBPrinters->SetBounds(56, 6, 200, 21);
  CBPrinters->OnChange = [this](TObject*) { PrinterChosen(); };
  Panel3 = Make<TPanel>(this, Panel1, "Panel3");
  Panel3->SetAlign(TAlign::alRight);
  Panel3->SetWidth(330);
  Panel3->BevelOuter = TPanelBevel::bvNone;
  Panel3->SetCaption("");
  BSetupPrinter = Make<TButton>(this, Panel3, "BSetupPrinter");
  BSetupPrinter->SetBounds(4, 4, 75, 25);
  BSetupPrinter->SetCaption("&Setup...");
  BSetupPrinter->OnClick = [this](TObject*) { SetupPrinter(); };
  BPrint = Make<TButton>(this, Panel3, "BPrint");
  BPrint->SetBounds(84, 4, 75, 25);
  BPrint->SetCaption("&Print");
  BPrint->OnClick = [this](TObject*) { PrintClick(); };
  Button1 = Make<TButton>(this, Panel3, "Button1");
  Button1->SetBounds(164, 4, 75, 25);
  Button1->SetCaption("Save");
  Button1->OnClick = [this](TObject*) { SaveClick(); };
  PanelClose = Make<TPanel>(this, Panel3, "PanelClose");
  PanelClose->SetAlign(TAlign::alRight);
  PanelClose->SetWidth(84);
  PanelClose->BevelOuter = TPanelBevel::bvNone;
  PanelClose->SetCaption("");
  BClose = Make<TButton>(this, PanelClose, "BClose");
  BClose->SetBounds(4, 4, 75, 25);
  BClose->SetCaption("Close");
  BClose->Default = true;
  BClose->Cancel = true;
  BClose->ModalResult = mrOk;
  Panel1->OnResize = [this](TObject*) {
    CBPrinters->SetWidth(std::max(40, Panel3->GetLeft() - CBPrinters->GetLeft() - 4));
  };
}

void TChartPreview::BuildOptions() {
  Panel2 = Make<TPanel>(this, this, "Panel2");
  Panel2->SetAlign(TAlign::alLeft);
  Panel2->SetWidth(137);
  Panel2->SetCaption("");
  Orientation = Make<TRadioGroup>(this, Panel2, "Orientation");
  Orientation->SetBounds(4, 4, 129, 57);
  Orientation->SetCaption("Orien&tation:");
  Orientation->Items()->Add("P&ortrait");
  Orientation->Items()->Add("&Landscape");
  Orientation->OnClick = [this](TObject*) { OrientationClicked(); };

  GBMargins = Make<TGroupBox>(this, Panel2, "GBMargins");
  GBMargins->SetBounds(4, 64, 129, 89);
  GBMargins->SetCaption("Margins (%)");
  const TPoint Places[4] = {{6, 36}, {44, 14}, {82, 36}, {44, 60}};
  TEdit** Edits[4] = {&SELeftMa, &SETopMa, &SERightMa, &SEBotMa};
  TUpDown** UpDowns[4] = {&UDLeftMa, &UDTopMa, &UDRightMa, &UDBotMa};
  for (int32_t i = 0; i < 4; ++i) {
    TEdit* E = Make<TEdit>(this, GBMargins, MarginEditNames[i]);
    E->SetBounds(Places[i].X, Places[i].Y, 40, 21);
    auto* U = Make<TUpDown>(this, GBMargins, MarginUpDownNames[i]);
    U->SetMin(0);
    U->SetMax(100);
    U->SetIncrement(5);
    U->SetAssociate(E);
    E->OnChange = [this, i](TObject*) { MarginEdited(i); };
    *Edits[i] = E;
    *UpDowns[i] = U;
  }

  ChangeDetailGroup = Make<TGroupBox>(this, Panel2, "ChangeDetailGroup");
  ChangeDetailGroup->SetBounds(4, 156, 129, 65);
  ChangeDetailGroup->SetCaption("Detail:");
  Resolution = Make<TTrackBar>(this, ChangeDetailGroup, "Resolution");
  Resolution->SetBounds(4, 16, 121, 25);
  Resolution->SetMin(0);
  Resolution->SetMax(100);
  Resolution->Frequency = 10;
  Resolution->OnChange = [this](TObject*) {
    if (TCustomPlotPanel* P = PreviewedPanel()) {
      P->PrintResolution = Resolution->GetPosition() - 100;
      PlotPreviewPanel1->Invalidate();
    }
  };
  LabelMore = Make<TLabel>(this, ChangeDetailGroup, "LabelMore");
  LabelMore->SetBounds(6, 44, 30, 13);
  LabelMore->SetCaption("More");
  LabelNormal = Make<TLabel>(this, ChangeDetailGroup, "LabelNormal");
  LabelNormal->SetBounds(86, 44, 36, 13);
  LabelNormal->SetCaption("Normal");

  PanelMargins = Make<TPanel>(this, Panel2, "PanelMargins");
  PanelMargins->SetBounds(4, 224, 129, 49);
  PanelMargins->BevelOuter = TPanelBevel::bvNone;
  PanelMargins->SetCaption("");
  BReset = Make<TButton>(this, PanelMargins, "BReset");
  BReset->SetBounds(0, 0, 129, 25);
  BReset->SetCaption("Reset &Margins");
  BReset->SetEnabled(false);
  BReset->OnClick = [this](TObject*) { ResetMargins(); };
  ShowMargins = Make<TCheckBox>(this, PanelMargins, "ShowMargins");
  ShowMargins->SetBounds(0, 30, 129, 17);
  ShowMargins->SetCaption("&View Margins");
  ShowMargins->SetChecked(true);
  ShowMargins->OnClick = [this](TObject*) { PlotPreviewPanel1->Margins()->SetVisible(ShowMargins->GetChecked()); };

  Panel4 = Make<TPanel>(this, Panel2, "Panel4");
  Panel4->SetBounds(4, 276, 129, 45);
  Panel4->BevelOuter = TPanelBevel::bvNone;
  Panel4->SetCaption("");
  CBProp = Make<TCheckBox>(this, Panel4, "CBProp");
  CBProp->SetBounds(0, 2, 129, 17);
  CBProp->SetCaption("Proport&ional");
  CBProp->SetChecked(true);
  CBProp->OnClick = [this](TObject*) { ProportionalClicked(); };
  CheckBox1 = Make<TCheckBox>(this, Panel4, "CheckBox1");
  CheckBox1->SetBounds(0, 24, 129, 17);
  CheckBox1->SetCaption("S&mooth");
  CheckBox1->OnClick = [this](TObject*) { PlotPreviewPanel1->SetAsBitmap(CheckBox1->GetChecked()); };
}

TUpDown* TChartPreview::MarginUpDown(int32_t Index) const {
  TUpDown* const UpDowns[4] = {UDLeftMa, UDTopMa, UDRightMa, UDBotMa};
  return UpDowns[Index];
}

int32_t& TChartPreview::MarginField(TRect& R, int32_t Index) const {
  switch (Index) {
    case 0: return R.Left;
    case 1: return R.Top;
    case 2: return R.Right;
    default: return R.Bottom;
  }
}

// ---- printers ----------------------------------------------------------------------------

void TChartPreview::ListPrinters() {
  const std::vector<std::string> Names = TPrinter::Printers();
  CBPrinters->Items()->Clear();
  for (const std::string& N : Names) CBPrinters->Items()->Add(N);
  const std::string& Current = Printer().GetPrinterName();
  int32_t Index = Current.empty() ? 0 : CBPrinters->Items()->IndexOf(Current);
  if (Names.empty()) Index = -1;
  CBPrinters->SetItemIndex(Index);
}

void TChartPreview::ShowPrinterOrientation() {
  Orientation->SetItemIndex(Printer().GetOrientation() == TPrinterOrientation::poLandscape ? 1 : 0);
}

// ---- show ----------------------------------------------------------------------------------

void TChartPreview::FormShow() {
  if (PageNavigatorClass && !PageNavigator) {
    PageNavigator = PageNavigatorClass(this);
    PageNavigator->SetParent(Panel2);
    PageNavigator->SetAlign(TAlign::alBottom);
    PageNavigator->OnPageChanged = [this](TObject*) { PlotPreviewPanel1->Invalidate(); };
  }
  Screen->SetCursor(crDefault);
  if (Tag != 0) PlotPreviewPanel1->SetPanel(reinterpret_cast<TCustomPlotPanel*>(Tag));
  ListPrinters();
  const bool HavePrinters = PlotPreviewPanel::HavePrinters();
  BPrint->SetEnabled(HavePrinters);
  BSetupPrinter->SetEnabled(HavePrinters);
  Orientation->SetEnabled(HavePrinters);
  if (HavePrinters) {
    if (!Printer().Printing()) Printer().SetOrientation(TPrinterOrientation::poLandscape);
    {
      TRestore<bool> Hold(UpdatingEdits, true);
      ShowPrinterOrientation();
    }
  }
  if (TCustomPlotPanel* P = PreviewedPanel()) {
    {
      TRestore<bool> Hold(UpdatingProportional, true);
      CBProp->SetChecked(P->PrintProportional);
    }
    Resolution->SetPosition(P->PrintResolution + 100);
    SavedMargins = P->PrintMargins;
    ApplyProportional();
    if (PageNavigator) PageNavigator->SetPanel(P);
  } else {
    CBProp->SetEnabled(false);
    Resolution->SetEnabled(false);
    GBMargins->SetEnabled(false);
    BPrint->SetEnabled(false);
  }
  {
    TRestore<bool> Hold(UpdatingProportional, true);
    CheckBox1->SetChecked(PlotPreviewPanel1->GetAsBitmap());
  }
  PlotProcs::TranslateControl(this);
}

void TChartPreview::ApplyProportional() {
  TCustomPlotPanel* P = PreviewedPanel();
  if (!P) return;
  if (P->PrintProportional && PlotPreviewPanel::HavePrinters()) {
    P->ProportionalPrintMargins(SavedMargins);
    P->PrintMargins = SavedMargins;
  }
  WriteMarginEdits();
  PlotPreviewPanel1->Invalidate();
}

void TChartPreview::WriteMarginEdits() {
  TCustomPlotPanel* P = PreviewedPanel();
  if (!P) return;
  TRestore<bool> Hold(UpdatingEdits, true);
  for (int32_t i = 0; i < 4; ++i) MarginUpDown(i)->SetPosition(MarginField(P->PrintMargins, i));
  // From the first time the edits show a panel's margins, typing applies.
  Hold.Keep(false);
}

// ---- margins ---------------------------------------------------------------------------------

void TChartPreview::MarginEdited(int32_t Index) {
  if (!IsShowing() || FRevertingEdit) return;
  TCustomPlotPanel* P = PreviewedPanel();
  if (!P) return;
  const int32_t V = MarginUpDown(Index)->GetPosition();
  const int32_t Opposite = MarginField(P->PrintMargins, (Index + 2) % 4);
  int32_t& Margin = MarginField(P->PrintMargins, Index);
  if (V + Opposite >= 100) {
    TRestore<bool> Hold(FRevertingEdit, true);
    MarginUpDown(Index)->SetPosition(Margin);
    return;
  }
  Margin = V;
  if (UpdatingEdits) return;
  PlotPreviewPanel1->Invalidate();
  BReset->SetEnabled(P->PrintMargins != SavedMargins);
  CBProp->SetChecked(false);
}

void TChartPreview::ResetMargins() {
  if (TCustomPlotPanel* P = PreviewedPanel()) {
    P->PrintMargins = SavedMargins;
    WriteMarginEdits();
    PlotPreviewPanel1->Invalidate();
  }
  BReset->SetEnabled(false);
}

void TChartPreview::ChangeMargins(bool DisableProportional, const TRect& NewMargins) {
  {
    TRestore<bool> Hold(UpdatingEdits, true);
    UDLeftMa->SetPosition(NewMargins.Left);
    UDRightMa->SetPosition(NewMargins.Right);
    UDTopMa->SetPosition(NewMargins.Top);
    UDBotMa->SetPosition(NewMargins.Bottom);
  }
  if (DisableProportional) {
    if (TCustomPlotPanel* P = PreviewedPanel()) P->PrintProportional = false;
    TRestore<bool> Hold(UpdatingProportional, true);
    CBProp->SetChecked(false);
  }
}

void TChartPreview::ProportionalClicked() {
  if (UpdatingProportional) return;
  if (TCustomPlotPanel* P = PreviewedPanel()) {
    P->PrintProportional = CBProp->GetChecked();
    ApplyProportional();
  }
}

// ---- printer commands ----------------------------------------------------------------------

void TChartPreview::PrinterChosen() {
  const int32_t Index = CBPrinters->GetItemIndex();
  if (Index >= 0) Printer().SetPrinterName(CBPrinters->Items()->Get(Index));
  ShowPrinterOrientation();
  PlotPreviewPanel1->Invalidate();
}

void TChartPreview::OrientationClicked() {
  if (UpdatingEdits && !IsShowing()) return;
  if (Orientation->GetItemIndex() < 0 || Printer().Printing()) return;
  Printer().SetOrientation(Orientation->GetItemIndex() == 0 ? TPrinterOrientation::poPortrait
                                                            : TPrinterOrientation::poLandscape);
  ApplyProportional();
  PlotPreviewPanel1->Invalidate();
}

void TChartPreview::SetupPrinter() {
  PrinterSetupDialog1->PrinterName = Printer().GetPrinterName();
  if (PrinterSetupDialog1->Execute() && !PrinterSetupDialog1->PrinterName.empty())
    Printer().SetPrinterName(PrinterSetupDialog1->PrinterName);
  ListPrinters();
  ShowPrinterOrientation();
  PlotPreviewPanel1->Invalidate();
}

void TChartPreview::PrintClick() {
  Forms::TCursorGuard Hourglass(crHourGlass);
  if (PageNavigator && PageNavigator->PageCount() > 1)
    PageNavigator->PrintPages();
  else
    PlotPreviewPanel1->Print();
}

// ---- saving the page -------------------------------------------------------------------------

std::unique_ptr<TBitmap> TChartPreview::SheetBitmap() {
  TPlotPreviewPanel& Preview = *PlotPreviewPanel1;
  if (PreviewControl->GetWidth() > 0 && PreviewControl->GetHeight() > 0)
    Preview.SetBounds(PreviewControl->GetWidth(), PreviewControl->GetHeight());
  // The sheet is drawn again off-screen, so that windows over the dialog
  // cannot end up in the picture.
  TBitmap Whole(Preview.GetWidth(), Preview.GetHeight());
  Preview.DrawBuffered(*Whole.GetCanvas(), Preview.PanelRect());
  const TRect& P = Preview.PaperRect;
  auto Sheet = std::make_unique<TBitmap>(std::max(1, P.Right - P.Left), std::max(1, P.Bottom - P.Top));
  Sheet->GetCanvas()->CopyRect(TRect(0, 0, Sheet->GetWidth(), Sheet->GetHeight()), *Whole.GetCanvas(), P);
  return Sheet;
}

void TChartPreview::SaveClick() {
  TSaveDialog Dialog(this);
  Dialog.Filter = "Bitmap files|*.bmp|PNG files|*.png";
  Dialog.Options.Include(TOpenOption::ofOverwritePrompt);
  if (!Dialog.Execute()) return;
  const bool AsPng = Dialog.FilterIndex == 2;
  const std::string Target = SysUtils::ChangeFileExt(Dialog.FileName, AsPng ? ".png" : ".bmp");
  Application->ProcessMessages();
  std::unique_ptr<TBitmap> Sheet = SheetBitmap();
  if (AsPng) {
    TPngImage Png;
    Png.Assign(*Sheet);
    Png.SaveToFile(Target);
  } else {
    Sheet->SaveToFile(Target);
  }
}

// ---- entry points ------------------------------------------------------------------------------

namespace PlotPrevi {

void ShowChartPreview(TComponent* Owner, TCustomPlotPanel* Chart) {
  struct TRepaintAfter {
    TCustomPlotPanel* C;
    ~TRepaintAfter() {
      if (C) C->Invalidate();
    }
  } Repaint{Chart};
  TOwned<TChartPreview> Dialog(Create<TChartPreview>(Owner));
  Dialog->PlotPreviewPanel1->Panels().Clear();
  Chart->PrintMargins = TRect(0, 0, 0, 0);
  Chart->PrintProportional = true;
  Dialog->PlotPreviewPanel1->SetPanel(Chart);
  Dialog->ShowModal();
}

namespace {
// Shows the page once without waiting so that every chart has drawn itself at
// its window size, then modally.
void ShowPage(TChartPreview& Dialog, const std::vector<TCustomPlotPanel*>& Charts,
              const std::vector<TCustomPlotPanel*>& RepaintAfterShow) {
  for (TCustomPlotPanel* C : Charts) C->Invalidate();
  Dialog.Show();
  for (TCustomPlotPanel* C : RepaintAfterShow) C->Invalidate();
  Application->ProcessMessages();
  Dialog.Hide();
  Dialog.ShowModal();
}

TOwned<TChartPreview> PageDialog(TForm* MainForm) {
  TOwned<TChartPreview> Dialog(Create<TChartPreview>(MainForm));
  Dialog->SetCaption("Print preview");
  Dialog->Panel2->SetVisible(false);
  Dialog->PlotPreviewPanel1->Margins()->SetVisible(false);
  return Dialog;
}
}  // namespace

void PreviewThreeCharts(TForm* MainForm, TCustomPlotPanel* Section1, TCustomPlotPanel* Section2,
                        TCustomPlotPanel* Model) {
  for (TCustomPlotPanel* C : {Section1, Section2, Model}) C->PrintProportional = false;
  TOwned<TChartPreview> Dialog = PageDialog(MainForm);
  Dialog->PlotPreviewPanel1->SetSmoothBitmap(false);
  Section1->PrintMargins = TRect(10, 5, 10, 70);
  Section2->PrintMargins = TRect(10, 35, 10, 40);
  Model->PrintMargins = TRect(10, 65, 10, 10);
  TPlotPanelsList& List = Dialog->PlotPreviewPanel1->Panels();
  for (TCustomPlotPanel* C : {Section1, Section2, Model}) List.Add(C);
  Dialog->PlotPreviewPanel1->SetAsBitmap(false);
  ShowPage(*Dialog, {Section1, Section2, Model}, {Section1, Section2, Model});
}

void PreviewTwoCharts(TForm* MainForm, TCustomPlotPanel* Section, TCustomPlotPanel* Model) {
  for (TCustomPlotPanel* C : {Section, Model}) C->PrintProportional = false;
  TOwned<TChartPreview> Dialog = PageDialog(MainForm);
  Dialog->PlotPreviewPanel1->SetAsBitmap(false);
  Dialog->PlotPreviewPanel1->SetSmoothBitmap(false);
  Section->PrintMargins = TRect(10, 5, 10, 60);
  Model->PrintMargins = TRect(10, 60, 10, 5);
  TPlotPanelsList& List = Dialog->PlotPreviewPanel1->Panels();
  List.Add(Section);
  List.Add(Model);
  ShowPage(*Dialog, {Section, Model}, {Section, Section, Model});
}

void HideCloseButtonPanel(TChartPreview* Dialog) { Dialog->PanelClose->SetVisible(false); }

}  // namespace PlotPrevi

// ---- PNG with 16 bits per sample ------------------------------------------------------------

void pngun::BmpFileToPng(const std::string& FileName) {
  const ImageFiles::TRawImage Image = ImageFiles::ReadBmp(ImageFiles::ReadFileBytes(FileName));
  std::vector<uint8_t> Out;
  png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!Png) throw Exception("Cannot write PNG file \"" + FileName + "\"");
  png_infop Info = png_create_info_struct(Png);
  struct TPngGuard {
    png_structp& P;
    png_infop& I;
    ~TPngGuard() { png_destroy_write_struct(&P, &I); }
  } Guard{Png, Info};
  if (!Info) throw Exception("Cannot write PNG file \"" + FileName + "\"");
  std::vector<uint8_t> Row(static_cast<size_t>(Image.Width) * 6);
  if (setjmp(png_jmpbuf(Png))) throw Exception("Cannot write PNG file \"" + FileName + "\"");
  png_set_write_fn(
      Png, &Out,
      [](png_structp P, png_bytep Data, png_size_t Length) {
        auto* Buffer = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(P));
        Buffer->insert(Buffer->end(), Data, Data + Length);
      },
      nullptr);
  png_set_IHDR(Png, Info, static_cast<png_uint_32>(Image.Width), static_cast<png_uint_32>(Image.Height), 16,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(Png, Info);
  for (int32_t Y = 0; Y < Image.Height; ++Y) {
    for (int32_t X = 0; X < Image.Width; ++X) {
      const uint32_t Px = Image.Pixels[static_cast<size_t>(Y) * Image.Width + X];
      const uint8_t Rgb[3] = {static_cast<uint8_t>(Px >> 16), static_cast<uint8_t>(Px >> 8),
                              static_cast<uint8_t>(Px)};
      // An 8-bit sample v widens to v * 257 (0..65535), most significant byte first.
      for (int c = 0; c < 3; ++c) {
        Row[static_cast<size_t>(X) * 6 + c * 2] = Rgb[c];
        Row[static_cast<size_t>(X) * 6 + c * 2 + 1] = Rgb[c];
      }
    }
    png_write_row(Png, Row.data());
  }
  png_write_end(Png, Info);
  ImageFiles::WriteFileBytes(FileName, Out);
}
