#include "platform/ui/Dialogs.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/ResStrings.h"
#include "platform/rtl/Restore.h"
#include "platform/rtl/SysUtils.h"

#include <cstdio>
#include <filesystem>

namespace {

TMessageRequest MessageRequest(const std::string& Msg, TMsgDlgType DlgType, const std::vector<TMsgDlgBtn>& Buttons) {
  TMessageRequest request;
  request.Caption = Dialogs::DlgTypeCaption(DlgType);
  request.Text = Msg;
  request.DlgType = DlgType;
  request.Buttons = Buttons.empty() ? std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK} : Buttons;
  // The default button is OK, else Yes, else the first.
  request.DefaultButton = 0;
  for (TMsgDlgBtn preferred : {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbYes}) {
    auto it = std::find(request.Buttons.begin(), request.Buttons.end(), preferred);
    if (it != request.Buttons.end()) {
      request.DefaultButton = static_cast<int>(it - request.Buttons.begin());
      break;
    }
  }
  return request;
}

}  // namespace

std::string Dialogs::DlgTypeCaption(TMsgDlgType DlgType) {
  switch (DlgType) {
    case TMsgDlgType::mtWarning: return ResStrings::Load(ResStrings::SMsgDlgWarning);
    case TMsgDlgType::mtError: return ResStrings::Load(ResStrings::SMsgDlgError);
    case TMsgDlgType::mtInformation: return ResStrings::Load(ResStrings::SMsgDlgInformation);
    case TMsgDlgType::mtConfirmation: return ResStrings::Load(ResStrings::SMsgDlgConfirm);
    default: return Application->Title;
  }
}

TModalResult Dialogs::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, const std::vector<TMsgDlgBtn>& Buttons,
                                 int) {
  return UserSeam::Current().MessageBox(MessageRequest(Msg, DlgType, Buttons));
}

TModalResult Dialogs::MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType,
                                    const std::vector<TMsgDlgBtn>& Buttons, int, int X, int Y) {
  TMessageRequest request = MessageRequest(Msg, DlgType, Buttons);
  if (X >= 0 && Y >= 0) request.Position = TPoint(X, Y);
  return UserSeam::Current().MessageBox(request);
}

void Dialogs::ShowMessage(const std::string& Msg) {
  TMessageRequest request = MessageRequest(Msg, TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK});
  request.Caption = Application->Title;
  UserSeam::Current().MessageBox(request);
}

std::string Dialogs::InputBox(const std::string& Caption, const std::string& Prompt, const std::string& Default) {
  std::string value = Default;
  InputQuery(Caption, Prompt, value);
  return value;
}

bool Dialogs::InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) {
  auto answer = UserSeam::Current().InputBox(TInputRequest{Caption, Prompt, Value});
  if (!answer) return false;
  Value = *answer;
  return true;
}

std::vector<std::pair<std::string, std::string>> Dialogs::ParseFilter(const std::string& Filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t bar = Filter.find('|', start);
    parts.push_back(Filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<std::pair<std::string, std::string>> filters;
  for (size_t i = 0; i + 1 < parts.size(); i += 2)
    if (!parts[i + 1].empty()) filters.emplace_back(parts[i], parts[i + 1]);
  return filters;
}

std::string Dialogs::ApplyDefaultExt(const std::string& Name, const std::string& DefaultExt) {
  if (DefaultExt.empty() || Name.empty() || !SysUtils::ExtractFileExt(Name).empty()) return Name;
  std::string ext = DefaultExt[0] == '.' ? DefaultExt.substr(1) : DefaultExt;
  return ext.empty() ? Name : Name + "." + ext;
}

std::vector<TColor> Dialogs::CustomColorsFromLines(const TStringList& Lines) {
  std::vector<TColor> colors(16, clWhite);
  for (int i = 0; i < Lines.Count(); ++i) {
    const std::string name = SysUtils::UpperCase(Lines.Names(i));
    if (name.size() != 6 || name.compare(0, 5, "COLOR") != 0) continue;
    const int k = name[5] - 'A';
    if (k < 0 || k >= 16) continue;
    const std::string value = Lines.ValueFromIndex(i).substr(0, 9);
    unsigned long parsed = 0;
    char* end = nullptr;
    if (!value.empty()) parsed = std::strtoul(value.c_str(), &end, 16);
    if (value.empty() || !end || *end != '\0' || parsed > 0xFFFFFFFFul) continue;
    colors[static_cast<size_t>(k)] = static_cast<TColor>(parsed & 0xFFFFFF);
  }
  return colors;
}

void Dialogs::CustomColorsToLines(const std::vector<TColor>& Colors, TStringList& Lines) {
  Lines.Clear();
  for (size_t i = 0; i < Colors.size() && i < 16; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "Color%c=%06X", static_cast<char>('A' + i),
                  static_cast<unsigned>(Colors[i]) & 0xFFFFFFu);
    Lines.Add(line);
  }
}

// ---------------------------------------------------------------- TOpenDialog

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

namespace {
// A folder as a path comparable with another (none: the current folder).
std::string FolderOf(const std::string& Folder) {
  const std::filesystem::path path(Folder.empty() ? std::string(".") : Folder);
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  const std::filesystem::path normal = (ec ? path : full).lexically_normal();
  return (normal.has_filename() ? normal : normal.parent_path()).string();  // no trailing separator
}
}  // namespace

bool TOpenDialog::Execute() {
  TFileDialogRequest request;
  request.Kind = Kind();
  request.Title = Title;
  request.Filters = Dialogs::ParseFilter(Filter);
  request.FilterIndex = FilterIndex;
  request.InitialDir = InitialDir;
  request.FileName = FileName;
  request.DefaultExt = DefaultExt;
  request.MultiSelect = Options.Contains(TOpenOption::ofAllowMultiSelect);
  request.OverwritePrompt = Options.Contains(TOpenOption::ofOverwritePrompt);
  request.FileMustExist = Options.Contains(TOpenOption::ofFileMustExist);
  struct TCloseGuard {
    TOpenDialog* Dialog;
    ~TCloseGuard() {
      if (Dialog->OnClose) Dialog->OnClose(Dialog);
    }
  };
  if (OnShow) OnShow(this);
  const TCloseGuard closing{this};  // after the values below are settled
  TRestore<std::string> keepName(FileName, FileName);
  TRestore<int> keepIndex(FilterIndex, FilterIndex);
  const std::string oldFiles = FFiles->GetText();
  std::string folder = FolderOf(InitialDir);
  for (;;) {
    auto result = UserSeam::Current().FileDialog(request);
    if (!result || result->Files.empty()) {
      FFiles->SetText(oldFiles);
      return false;
    }
    // An index outside the filters (a seam answering oddly) keeps the old one.
    if (result->FilterIndex >= 1 && result->FilterIndex <= static_cast<int>(request.Filters.size()) &&
        result->FilterIndex != FilterIndex) {
      FilterIndex = result->FilterIndex;
      if (OnTypeChange) OnTypeChange(this);
    }
    FFiles->Clear();
    for (const std::string& f : result->Files) FFiles->Add(Dialogs::ApplyDefaultExt(f, DefaultExt));
    FileName = FFiles->Get(0);
    if (const std::string now = FolderOf(std::filesystem::path(FileName).parent_path().string()); now != folder) {
      folder = now;
      if (OnFolderChange) OnFolderChange(this);
    }
    if (OnSelectionChange) OnSelectionChange(this);
    bool accepted = true;
    if (Options.Contains(TOpenOption::ofEnableIncludeNotify) && OnIncludeItem)
      for (int i = 0; i < FFiles->Count() && accepted; ++i) OnIncludeItem(this, FFiles->Get(i), accepted);
    if (accepted && OnCanClose) OnCanClose(this, accepted);
    if (accepted) {
      keepName.Keep(FileName);
      keepIndex.Keep(FilterIndex);
      return true;
    }
    request.FileName = FileName;
    request.FilterIndex = FilterIndex;
    request.InitialDir = folder;
  }
}

// ---------------------------------------------------------------- TColorDialog

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FCustomColors(std::make_unique<TStringList>()) {}

TColorDialog::~TColorDialog() = default;

bool TColorDialog::Execute() {
  TColorRequest request;
  request.Color = Color;
  if (FCustomColors->Count() > 0) request.CustomColors = Dialogs::CustomColorsFromLines(*FCustomColors);
  auto result = UserSeam::Current().ColorDialog(request);
  if (!result) return false;
  Color = result->Color;
  if (!result->CustomColors.empty()) Dialogs::CustomColorsToLines(result->CustomColors, *FCustomColors);
  return true;
}

// ---------------------------------------------------------------- TFontDialog

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(const TFont* Value) {
  if (Value) FFont->Assign(*Value);
}

bool TFontDialog::Execute() {
  // The dialog edits a copy: a cancelled dialog leaves the font as it was.
  TFont edited;
  edited.Assign(*FFont);
  if (!UserSeam::Current().FontDialog(edited)) return false;
  FFont->Assign(edited);
  return true;
}

// ---------------------------------------------------------------- TPrintDialog

bool TPrintDialog::Execute() {
  TPrintRequest request;
  request.MinPage = MinPage;
  request.MaxPage = std::max(MaxPage, MinPage);
  request.FromPage = FromPage;
  request.ToPage = ToPage;
  request.PageNumbers = PageNumbers;
  request.Copies = Copies;
  auto result = UserSeam::Current().PrintDialog(request);
  if (!result) return false;
  AllPages = result->AllPages;
  FromPage = result->FromPage;
  ToPage = result->ToPage;
  Copies = result->Copies;
  PrinterName = result->PrinterName;
  return true;
}

bool Shell::Open(const std::string& Target) { return UserSeam::Current().ShellOpen(Target); }
