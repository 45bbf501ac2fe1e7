// The export dialog: picture, chart-file and data pages with copy, save and
// send by mail.
#include <cmath>

#include "chart/engine/PlotConst.h"
#include "chart/series/PlotExport.h"
#include "platform/rtl/Streaming.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Clipbrd.h"

KV_CLASS_IMPL(TPlotExportFormBase, TForm) {}

namespace {
template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, const char* Name) {
  T* Control = new T(Owner);
  Control->SetName(Name);
  if (Parent) Control->SetParent(Parent);
  return Control;
}

TTabSheet* MakeSheet(TComponent* Owner, TPageControl* Pages, const char* Name, const char* Caption) {
  auto* Sheet = new TTabSheet(Owner);
  Sheet->SetName(Name);
  Sheet->SetPageControl(Pages);
  Sheet->SetCaption(Caption);
  return Sheet;
}

TCheckBox* MakeCheck(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Caption, int X, int Y,
                     int W, bool Checked) {
  auto* Box = Make<TCheckBox>(Owner, Parent, Name);
  Box->SetBounds(X, Y, W, 17);
  Box->SetCaption(Caption);
  Box->SetChecked(Checked);
  return Box;
}

TLabel* MakeLabel(TComponent* Owner, TWinControl* Parent, const char* Name, const char* Caption, int X, int Y) {
  auto* Label = Make<TLabel>(Owner, Parent, Name);
  Label->SetBounds(X, Y, 60, 13);
  Label->SetCaption(Caption);
  return Label;
}

// Resets the screen cursor to the default on every exit path.
struct [[nodiscard]] THourglass {
  THourglass() { Screen->SetCursor(crHourGlass); }
  ~THourglass() { Screen->SetCursor(crDefault); }
};

enum TDataFormat : int { dfText = 0, dfXML = 1, dfHTML = 2, dfExcel = 3 };
}  // namespace

TPlotExportFormBase::TPlotExportFormBase(TComponent* Owner) : TForm(Owner) {
  SetName("PlotExportForm");
  SetCaption("Export Dialog");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(378);
  SetClientHeight(239);
  Position = TPosition::poScreenCenter;
  NativeExtension = PlotConst::MsgChartFileExtension;
  NativeFilter = PlotConst::MsgChartFileFilter;
  DataFilter = PlotConst::MsgSpaceDelimitedTextFilesTxtTxt + "|" + PlotConst::MsgTabDelimitedTextFilesTxtTxt + "|" +
               PlotConst::MsgCommaDelimitedTextFilesCsvCsv + "|" + PlotConst::MsgColonDelimitedTextFilesTxtTxt + "|" +
               PlotConst::MsgCustomDelimitedTextFilesTxtTxt + "|" + PlotConst::MsgXMLFilesXmlXml + "|" +
               PlotConst::MsgHTMLFilesHtmHtm + "|" + PlotConst::MsgMicrosoftExcelFilesXlsXls;

  BuildButtons();
  PageControl1 = Make<TPageControl>(this, this, "PageControl1");
  PageControl1->SetAlign(TAlign::alClient);
  TabPicture = MakeSheet(this, PageControl1, "TabPicture", "Picture");
  TabNative = MakeSheet(this, PageControl1, "TabNative", "Native");
  TabData = MakeSheet(this, PageControl1, "TabData", "Data");
  BuildPicturePage();
  BuildNativePage();
  BuildDataPage();
  PageControl1->SetActivePage(TabPicture);
  PageControl1->OnChange = [this](TObject*) { UpdateButtonStates(); };

  for (TSaveDialog** D : {&SaveDialogPicture, &SaveDialogNative, &SaveDialogData}) {
    *D = new TSaveDialog(this);
    (*D)->Options = {TOpenOption::ofOverwritePrompt, TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
  }
  SaveDialogPicture->SetName("SaveDialogPicture");
  SaveDialogNative->SetName("SaveDialogNative");
  SaveDialogData->SetName("SaveDialogData");
  OnShow = [this](TObject*) { FormShow(); };
}

TPlotExportFormBase::~TPlotExportFormBase() = default;

void TPlotExportFormBase::BeforeDestruction() {
  // The formats' option forms sit on the options page; they go with their
  // formats before the pages free their children.
  FFormats.clear();
  TForm::BeforeDestruction();
}

void TPlotExportFormBase::BuildButtons() {
  Panel1 = Make<TPanel>(this, this, "Panel1");
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->SetHeight(37);
  Panel1->BevelOuter = TPanelBevel::bvNone;
  Panel1->SetCaption("");
  struct TButtonRow {
    TButton** Button;
    const char* Name;
    const char* Caption;
    std::function<void()> Click;
  };
  const TButtonRow Rows[] = {{&BCopy, "BCopy", "&Copy", [this] { CopyClick(); }},
                             {&BSave, "BSave", "&Save...", [this] { SaveClick(); }},
                             {&BSend, "BSend", "S&end...", [this] { SendClick(); }},
                             {&BClose, "BClose", "Close", nullptr}};
  int X = 52;
  for (const TButtonRow& R : Rows) {
    TButton* B = Make<TButton>(this, Panel1, R.Name);
    B->SetBounds(X, 6, 75, 25);
    B->SetCaption(R.Caption);
    if (R.Click) B->OnClick = [Click = R.Click](TObject*) { Click(); };
    *R.Button = B;
    X += 81;
  }
  BClose->Default = true;
  BClose->Cancel = true;
  BClose->ModalResult = mrCancel;
}

void TPlotExportFormBase::BuildPicturePage() {
  GBFormat = Make<TGroupBox>(this, TabPicture, "GBFormat");
  GBFormat->SetBounds(6, 4, 120, 150);
  GBFormat->SetCaption("&Format");
  LBFormat = Make<TListBox>(this, GBFormat, "LBFormat");
  LBFormat->SetAlign(TAlign::alClient);
  LBFormat->OnClick = [this](TObject*) {
    ShowPictureOptions();
    UpdateButtonStates();
  };
  PageOptions = Make<TPageControl>(this, TabPicture, "PageOptions");
  PageOptions->SetBounds(132, 4, 232, 150);
  TabOptions = MakeSheet(this, PageOptions, "TabOptions", "Options");
  TabSize = MakeSheet(this, PageOptions, "TabSize", "Size");
  LabelWidth = MakeLabel(this, TabSize, "LabelWidth", "&Width:", 8, 12);
  EWidth = Make<TEdit>(this, TabSize, "EWidth");
  EWidth->SetBounds(72, 8, 60, 21);
  LabelHeight = MakeLabel(this, TabSize, "LabelHeight", "&Height:", 8, 42);
  EHeight = Make<TEdit>(this, TabSize, "EHeight");
  EHeight->SetBounds(72, 38, 60, 21);
  UDWidth = Make<TUpDown>(this, TabSize, "UDWidth");
  UDHeight = Make<TUpDown>(this, TabSize, "UDHeight");
  for (TUpDown* U : {UDWidth, UDHeight}) {
    U->SetMin(0);
    U->SetMax(3000);
  }
  UDWidth->SetAssociate(EWidth);
  UDHeight->SetAssociate(EHeight);
  EWidth->OnChange = [this](TObject*) { SizeEdited(true); };
  EHeight->OnChange = [this](TObject*) { SizeEdited(false); };
  CBAspect = MakeCheck(this, TabSize, "CBAspect", "&Keep aspect ratio", 8, 72, 150, true);
}

void TPlotExportFormBase::BuildNativePage() {
  LabelNativeFormat = MakeLabel(this, TabNative, "LabelNativeFormat", "&Format:", 8, 12);
  CBNativeFormat = Make<TComboBox>(this, TabNative, "CBNativeFormat");
  CBNativeFormat->Style = TComboBoxStyle::csDropDownList;
  CBNativeFormat->SetBounds(72, 8, 100, 21);
  CBNativeFormat->Items()->Add("Binary");
  CBNativeFormat->Items()->Add("Text");
  CBNativeFormat->SetItemIndex(0);
  CBNativeFormat->OnChange = [this](TObject*) {
    UpdateNativeSize();
    UpdateButtonStates();
  };
  CBNativeData = MakeCheck(this, TabNative, "CBNativeData", "&Include Series data", 8, 40, 200, true);
  CBFileSize = MakeCheck(this, TabNative, "CBFileSize", "&File size:", 8, 64, 90, false);
  LabelSize = MakeLabel(this, TabNative, "LabelSize", "?", 104, 66);
  CBNativeData->OnClick = [this](TObject*) { UpdateNativeSize(); };
  CBFileSize->OnClick = [this](TObject*) { UpdateNativeSize(); };
}

void TPlotExportFormBase::BuildDataPage() {
  Panel5 = Make<TPanel>(this, TabData, "Panel5");
  Panel5->SetAlign(TAlign::alTop);
  Panel5->SetHeight(30);
  Panel5->BevelOuter = TPanelBevel::bvNone;
  Panel5->SetCaption("");
  LabelSeries = MakeLabel(this, Panel5, "LabelSeries", "Se&ries:", 8, 8);
  CBSeries = Make<TComboBox>(this, Panel5, "CBSeries");
  CBSeries->Style = TComboBoxStyle::csDropDownList;
  CBSeries->SetBounds(60, 4, 200, 21);
  Panel5->OnResize = [this](TObject*) {
    CBSeries->SetWidth(std::max(20, Panel5->GetWidth() - 14 - CBSeries->GetLeft()));
  };
  RGText = Make<TRadioGroup>(this, TabData, "RGText");
  RGText->SetBounds(6, 34, 100, 100);
  RGText->SetCaption("&Format:");
  for (const char* Item : {"Text", "XML", "HTML Table", "Excel"}) RGText->Items()->Add(Item);
  RGText->OnClick = [this](TObject*) { DataFormatChanged(); };
  LabelDelim = MakeLabel(this, TabData, "LabelDelim", "&Delimiter:", 112, 40);
  CBDelim = Make<TComboBox>(this, TabData, "CBDelim");
  CBDelim->Style = TComboBoxStyle::csDropDownList;
  CBDelim->SetBounds(176, 36, 80, 21);
  for (const char* Item : {"Space", "Tab", "Comma", "Colon", "Custom"}) CBDelim->Items()->Add(Item);
  CBDelim->OnChange = [this](TObject*) { DelimiterChanged(); };
  ECustom = Make<TEdit>(this, TabData, "ECustom");
  ECustom->SetBounds(262, 36, 24, 21);
  ECustom->MaxLength = 1;
  ECustom->SetEnabled(false);
  LabelQuotes = MakeLabel(this, TabData, "LabelQuotes", "Text &Quotes:", 112, 68);
  EQuotes = Make<TEdit>(this, TabData, "EQuotes");
  EQuotes->SetBounds(176, 64, 24, 21);
  EQuotes->MaxLength = 1;
  GBInclude = Make<TGroupBox>(this, TabData, "GBInclude");
  GBInclude->SetBounds(112, 90, 250, 60);
  GBInclude->SetCaption("&Include:");
  CBLabels = MakeCheck(this, GBInclude, "CBLabels", "Point &Labels", 8, 16, 110, true);
  CBIndex = MakeCheck(this, GBInclude, "CBIndex", "Point &Index", 124, 16, 110, false);
  CBHeader = MakeCheck(this, GBInclude, "CBHeader", "&Header", 8, 36, 110, true);
  CBColors = MakeCheck(this, GBInclude, "CBColors", "Point &Colors", 124, 36, 110, false);
}

TCustomPlotPanel* TPlotExportFormBase::TagPanel() const { return reinterpret_cast<TCustomPlotPanel*>(Tag); }

void TPlotExportFormBase::VisibleChanged() {
  TForm::VisibleChanged();
  // The hosting page lays itself out again when the embedded dialog comes or goes.
  if (TWinControl* Host = GetParent()) Host->Realign();
}

// ---- show ----------------------------------------------------------------------------------

void TPlotExportFormBase::FormShow() {
  RGText->SetItemIndex(dfText);
  if (Tag != 0) SetExportedPanel(TagPanel());
  if (TCustomPlotPanel* Panel = ExportedPanel()) {
    UpdatingSize = true;
    struct TSizeDone {
      bool& Flag;
      ~TSizeDone() { Flag = false; }
    } Done{UpdatingSize};
    UDWidth->SetPosition(Panel->GetWidth());
    UDHeight->SetPosition(Panel->GetHeight());
    AspectRatio = Panel->GetHeight() != 0 ? static_cast<double>(Panel->GetWidth()) / Panel->GetHeight() : 0;
    PrepareForPanel();
    FFormats.clear();
    FillFormats();
    CBDelim->SetItemIndex(1);
    DelimiterChanged();
    DataFormatChanged();
    ShowPictureOptions();
    UpdateButtonStates();
  }
  PlotProcs::TranslateControl(this);
}

void TPlotExportFormBase::FillFormats() {
  // The filter is built afresh on every show, so the numbers the formats
  // take always point at their own entries.
  SaveDialogPicture->Filter.clear();
  LBFormat->Items()->Clear();
  int32_t Counter = 0;
  for (TClass C : PlotExport::ExportFormats()) {
    std::unique_ptr<TPlotExportFormat> Format = PlotExport::NewFormat(C);
    Format->SetPanel(ExportedPanel());
    Format->AssignFilterIndex(Counter);
    std::string& Filter = SaveDialogPicture->Filter;
    if (!Filter.empty()) Filter += "|";
    Filter += Format->FileFilter();
    LBFormat->Items()->Add(PlotProcs::ReplaceChar(Format->Description(), '&', '\0'));
    FFormats.push_back(std::move(Format));
  }
  LBFormat->SetItemIndex(FFormats.empty() ? -1 : 0);
}

TPlotExportFormat* TPlotExportFormBase::SelectedFormat() const {
  const int32_t Index = LBFormat->GetItemIndex();
  if (Index < 0 || Index >= FormatCount()) return nullptr;
  return FFormats[static_cast<size_t>(Index)].get();
}

TPlotExportFormat* TPlotExportFormBase::FormatForFile(const std::string& FileName) const {
  const std::string Ext = SysUtils::ExtractFileExt(FileName);
  for (const auto& F : FFormats)
    if (SysUtils::SameText("." + F->FileExtension(), Ext)) return F.get();
  return SelectedFormat();
}

void TPlotExportFormBase::ShowPictureOptions() {
  for (int i = 0; i < TabOptions->ControlCount(); ++i) TabOptions->GetControl(i)->SetVisible(false);
  TPlotExportFormat* Format = SelectedFormat();
  TForm* Options = Format ? Format->Options(true) : nullptr;
  if (Options && Options->ControlCount() > 0) {
    TabOptions->SetTabVisible(true);
    PageOptions->SetActivePage(TabOptions);
    Options->SetParent(TabOptions);
    Options->SetAlign(TAlign::alClient);
    Options->SetVisible(true);
    PlotProcs::TranslateControl(Options);
  } else {
    TabOptions->SetTabVisible(false);
    PageOptions->SetActivePage(TabSize);
  }
}

void TPlotExportFormBase::UpdateButtonStates() {
  const TTabSheet* Page = PageControl1->GetActivePage();
  bool CanCopy = false, CanSave = false;
  if (Page == TabPicture) {
    CanCopy = CanSave = SelectedFormat() != nullptr;
  } else if (Page == TabData) {
    // Spreadsheet files are binary: they can be saved but not copied as text.
    CanSave = CanCopyData();
    CanCopy = CanSave && RGText->GetItemIndex() != dfExcel;
  } else if (Page == TabNative) {
    CanCopy = CBNativeFormat->GetItemIndex() == 1;
    CanSave = true;
  }
  BCopy->SetEnabled(CanCopy);
  BSave->SetEnabled(CanSave);
  BSend->SetEnabled(CanSave && PlotExport::MapiAvailable());
}

void TPlotExportFormBase::SizeEdited(bool WidthEdited) {
  if (!IsShowing() || UpdatingSize || !CBAspect->GetChecked() || AspectRatio == 0) return;
  UpdatingSize = true;
  struct TSizeDone {
    bool& Flag;
    ~TSizeDone() { Flag = false; }
  } Done{UpdatingSize};
  if (WidthEdited)
    UDHeight->SetPosition(static_cast<int32_t>(std::nearbyint(UDWidth->GetPosition() / AspectRatio)));
  else
    UDWidth->SetPosition(static_cast<int32_t>(std::nearbyint(UDHeight->GetPosition() * AspectRatio)));
}

// ---- data choices -----------------------------------------------------------------------------

void TPlotExportFormBase::DataFormatChanged() {
  const bool IsText = RGText->GetItemIndex() == dfText;
  CBDelim->SetEnabled(IsText);
  ECustom->SetEnabled(IsText && CBDelim->GetItemIndex() == 4);
  UpdateButtonStates();
}

void TPlotExportFormBase::DelimiterChanged() {
  const bool Custom = CBDelim->GetItemIndex() == 4;
  ECustom->SetEnabled(Custom && RGText->GetItemIndex() == dfText);
  if (Custom && ECustom->CanFocus()) ECustom->SetFocus();
}

char TPlotExportFormBase::DelimiterChar() const {
  switch (CBDelim->GetItemIndex()) {
    case 0: return ' ';
    case 2: return ',';
    case 3: return ';';
    case 4: {
      const std::string Text = ECustom->GetText();
      return Text.empty() ? ' ' : Text[0];
    }
    default: return '\t';
  }
}

int32_t TPlotExportFormBase::DataFormatNumber() const {
  const int32_t Kind = RGText->GetItemIndex();
  if (Kind > dfText) return Kind + 5;
  return std::clamp(CBDelim->GetItemIndex(), 0, 4) + 1;
}

void TPlotExportFormBase::UpdateNativeSize() {
  if (!CBFileSize->GetChecked()) {
    LabelSize->SetCaption("?");
    return;
  }
  const std::unique_ptr<TMemoryStream> Stream = NativeStream();
  LabelSize->SetCaption(SysUtils::Format(PlotConst::MsgBytes, {static_cast<int64_t>(Stream->GetSize())}));
}

// ---- base operations -----------------------------------------------------------------------------

void TPlotExportFormBase::SaveNative(const std::string& FileName, bool) {
  TCustomPlotPanel* Panel = ExportedPanel();
  if (!Panel) throw Exception(PlotConst::MsgPanelPropertyIsNotSetInExportFormat);
  TMemoryStream Stream;
  Streaming::WriteComponent(Stream, Panel);
  Stream.SaveToFile(FileName);
}

std::unique_ptr<TMemoryStream> TPlotExportFormBase::NativeStream() {
  auto Stream = std::make_unique<TMemoryStream>();
  if (TCustomPlotPanel* Panel = ExportedPanel()) Streaming::WriteComponent(*Stream, Panel);
  return Stream;
}

void TPlotExportFormBase::PrepareForPanel() {
  TabData->SetTabVisible(false);
  CBNativeData->SetVisible(false);
}

// ---- copy, save, send -------------------------------------------------------------------------------

void TPlotExportFormBase::CopyClick() {
  const TTabSheet* Page = PageControl1->GetActivePage();
  THourglass Hourglass;
  if (Page == TabPicture) {
    if (TPlotExportFormat* Format = SelectedFormat()) {
      Format->Width = UDWidth->GetPosition();
      Format->Height = UDHeight->GetPosition();
      Format->Copy();
    }
  } else if (Page == TabData) {
    if (std::unique_ptr<TPlotExportData> Exporter = CreateDataExporter()) Exporter->CopyTextToClipboard();
  } else if (Page == TabNative && CBNativeFormat->GetItemIndex() == 1) {
    const std::unique_ptr<TMemoryStream> Stream = NativeStream();
    Stream->SetPosition(0);
    Clipbrd::Clipboard().SetAsText(Stream->ReadAll());
  }
}

void TPlotExportFormBase::SaveCurrentPage(const std::string& FileName, int32_t DataFilterNumber) {
  THourglass Hourglass;
  const TTabSheet* Page = PageControl1->GetActivePage();
  if (Page == TabPicture) {
    TPlotExportFormat* Format = FormatForFile(FileName);
    if (!Format) return;
    Format->Width = UDWidth->GetPosition();
    Format->Height = UDHeight->GetPosition();
    Format->SaveToFile(FileName);
  } else if (Page == TabNative) {
    SaveNative(FileName, CBNativeData->GetChecked());
  } else if (Page == TabData) {
    if (DataFilterNumber > 5) {
      RGText->SetItemIndex(DataFilterNumber - 5);
    } else if (DataFilterNumber >= 1) {
      RGText->SetItemIndex(dfText);
      // The file type chosen in the save dialog names the delimiter too.
      CBDelim->SetItemIndex(DataFilterNumber - 1);
      DelimiterChanged();
    }
    if (std::unique_ptr<TPlotExportData> Exporter = CreateDataExporter()) Exporter->WriteToFile(FileName);
  }
}

void TPlotExportFormBase::SaveClick() {
  const TTabSheet* Page = PageControl1->GetActivePage();
  if (Page == TabPicture) {
    TPlotExportFormat* Format = SelectedFormat();
    if (!Format) return;
    SaveDialogPicture->DefaultExt = Format->FileExtension();
    SaveDialogPicture->FilterIndex = Format->FilterIndex();
    SaveDialogPicture->FileName.clear();
    if (!SaveDialogPicture->Execute()) return;
    // The filter entry chosen may switch a format's variant (an old-style metafile).
    for (const auto& F : FFormats)
      if (F->WantsFilterIndex(SaveDialogPicture->FilterIndex)) break;
    SaveCurrentPage(SaveDialogPicture->FileName, 0);
  } else if (Page == TabNative) {
    SaveDialogNative->FileName.clear();
    SaveDialogNative->DefaultExt = NativeExtension;
    SaveDialogNative->Filter = NativeFilter;
    if (!SaveDialogNative->Execute()) return;
    SaveCurrentPage(SysUtils::ChangeFileExt(SaveDialogNative->FileName, "." + NativeExtension), 0);
  } else if (Page == TabData) {
    SaveDialogData->FileName.clear();
    SaveDialogData->DefaultExt = "txt";
    SaveDialogData->Filter = DataFilter;
    SaveDialogData->FilterIndex = DataFormatNumber();
    if (!SaveDialogData->Execute()) return;
    SaveCurrentPage(SaveDialogData->FileName, SaveDialogData->FilterIndex);
  }
}

void TPlotExportFormBase::SendClick() {
  const TTabSheet* Page = PageControl1->GetActivePage();
  std::string Extension;
  int32_t DataNumber = 0;
  if (Page == TabPicture) {
    TPlotExportFormat* Format = SelectedFormat();
    if (!Format) return;
    Extension = Format->FileExtension();
  } else if (Page == TabNative) {
    Extension = NativeExtension;
  } else {
    DataNumber = DataFormatNumber();
    const auto Entries = Dialogs::ParseFilter(DataFilter);
    const std::string Pattern = Entries.at(static_cast<size_t>(DataNumber - 1)).second;
    Extension = Pattern.substr(Pattern.find('.') + 1);
  }
  // The mail program reads the attachment after this returns: the file stays
  // until the program ends instead of being deleted at once.
  const std::string FileName = PlotExport::KeptTempFileName(MailFileName, Extension);
  SaveCurrentPage(FileName, DataNumber);
  PlotExport::SendByMail(FileName, MailFileName);
}
