// The translation component: tables, construction, settings, entry
// operations and lifecycle.
#include "translation/LocLang.h"

#include <algorithm>

#include "platform/gdi/Charsets.h"
#include "platform/rtl/ResStrings.h"
#include "translation/LocLang_Internal.h"
#include "translation/MemIni.h"

using namespace SysUtils;

// ============================================================================
// tables and text helpers
// ============================================================================
namespace LocLang {

namespace {

struct TTypeRow {
  std::string Name, Section, DefaultProperty;
};

const std::vector<TTypeRow>& TypeRows() {
  static const std::vector<TTypeRow> rows = {
      {"stCaptions", "Captions", "Caption"},
      {"stHints", "Hints", "Hint"},
      {"stDisplayLabels", "DisplayLabels", "DisplayLabel"},
      {"stFonts", "Fonts", "Font"},
      {"stMultiLines", "Multilines", "TStrings"},
      {"stDlgsCaptions", "Dialogs", "Dialog"},
      {"stStrings", "Strings", "Strings"},
      {"stOtherStrings", "Other", "Other"},
      {"stLocales", "Locales", "Locales"},
      {"stCollections", "Collections", "Collections"},
      {"stCharSets", "CharSets", "CharSets"},
      {"stListView_TreeView_Items", "ListView_TreeView_Items", "ListView_TreeView_Items"}};
  return rows;
}

}  // namespace

const std::string& StringsTypeName(TStringsType Type) { return TypeRows()[size_t(Type)].Name; }
const std::string& ListTypeSection(TStringsType Type) { return TypeRows()[size_t(Type)].Section; }
const std::string& ListTypeDefaultProperty(TStringsType Type) { return TypeRows()[size_t(Type)].DefaultProperty; }

int StringsTypeByName(std::string_view Name) {
  for (size_t i = 0; i < TypeRows().size(); ++i)
    if (SameText(TypeRows()[i].Name, Name)) return static_cast<int>(i);
  return -1;
}

const std::vector<std::string>& LocaleItemNames() {
  static const std::vector<std::string> names = {
      "Currency String",   "Thousand Separator", "Decimal Separator", "Date Separator",    "Short Date Format",
      "Long Date Format",  "Time Separator",     "Time AM String",    "Time PM String",    "Short Time Format",
      "Long Time Format",  "Short Month Names",  "Long Month Names",  "Short Day Names",   "Long Day Names"};
  return names;
}

const std::vector<std::string>& DialogTexts() {
  static const std::vector<std::string> texts = {
      "Warning", "Error", "Information", "Confirm", "&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore",
      "&All", "N&o To All", "Y&es To All", "&Help", "&Open", "Look &in:", "File &name:", "Files of &type:",
      "&Read-only", "&Save", "&Drives:", "Save &in:", "Save as &type:", "&Basic colors:", "&Custom colors:",
      "&Define Custom Colors >>", "Color", "|S&olid", "Hu&e:", "&Sat:", "&Lum:", "&Red:", "&Green:", "Bl&ue:",
      "&Add to Custom Colors", "&Font:", "Font st&yle:", "Si&ze:", "&Color:", "&Apply", "Effects", "Stri&keout",
      "&Underline", "Sample", "Sc&ript:", "Printer", "&Name:", "&Properties", "Status:", "Type:", "Where:",
      "Comment:", "Paper", "&Source:", "Orientation", "P&ortrait", "L&andscape", "Print to f&ile", "Print",
      "Pa&ges", "&Selection", "&from:", "&to:", "Copies", "Number of &copies:", "C&ollate", "Fi&nd what:",
      "Match &whole words only", "Match &case", "Direction", "&Up", "&Down", "&Find Next", "&Replace",
      "Replace &All", "Re&place with:", "Picture:", "Preview", "New Folder", "Folder:", "(None)", "Close"};
  return texts;
}

std::vector<std::string> DialogResourceTexts() {
  std::vector<std::string> texts;
  for (int id = ResStrings::SMsgDlgWarning; id <= ResStrings::SMsgDlgHelp; ++id) texts.push_back(ResStrings::Load(id));
  return texts;
}

namespace {
const std::vector<std::string>& TypeKindNames() {
  static const std::vector<std::string> names = {
      "tkUnknown", "tkInteger", "tkChar",    "tkEnumeration", "tkFloat", "tkString",    "tkSet",
      "tkClass",   "tkMethod",  "tkWChar",   "tkLString",     "tkWString", "tkVariant", "tkArray",
      "tkRecord",  "tkInterface", "tkInt64", "tkDynArray"};
  return names;
}
}  // namespace

const std::string& TypeKindName(TTypeKind Kind) { return TypeKindNames()[size_t(Kind)]; }

TTypeKind TypeKindByName(std::string_view Name) {
  const auto& names = TypeKindNames();
  for (size_t i = 0; i < names.size(); ++i)
    if (SameText(names[i], Name)) return static_cast<TTypeKind>(i);
  return TTypeKind::tkUnknown;
}

std::string EntryField(std::string_view Entry, char Delim, int K) {
  if (K < 0) return "";
  size_t start = 0;
  for (int k = 0; k < K; ++k) {
    const size_t d = Entry.find(Delim, start);
    if (d == std::string_view::npos) return "";
    start = d + 1;
  }
  const size_t end = Entry.find(Delim, start);
  return std::string(Entry.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

int CountChar(std::string_view Text, char C) { return static_cast<int>(std::count(Text.begin(), Text.end(), C)); }

std::string WordAt(std::string_view Text, int N, std::string_view Separators) {
  if (N < 1) return "";
  size_t p = 0;
  if (!Text.empty() && Separators.find(Text[0]) != std::string_view::npos) p = 1;
  int word = 1;
  size_t start = p;
  for (; p <= Text.size(); ++p) {
    if (p == Text.size() || Separators.find(Text[p]) != std::string_view::npos) {
      if (word == N) return std::string(Text.substr(start, p - start));
      ++word;
      start = p + 1;
    }
  }
  return "";
}

bool StartsText(std::string_view Text, std::string_view Prefix) {
  return Text.size() >= Prefix.size() && SameText(Text.substr(0, Prefix.size()), Prefix);
}

namespace {
TLocCustomLang* GResourceHandler = nullptr;
}
TLocCustomLang* ResourceStringsHandler() { return GResourceHandler; }
int ResourceIdLimit = 0;

void SetResourceStringsHandler(TLocCustomLang* Lang) {
  GResourceHandler = Lang;
  if (Lang && !ResStrings::HasTranslator()) {
    // Routed once for the process; without a handler the texts come back untranslated.
    ResStrings::SetTranslator([](int Id, const std::string& English) -> std::string {
      if (!GResourceHandler) return "";
      return GResourceHandler->TranslateResourceString(Id, English);
    });
  }
}

}  // namespace LocLang

using namespace LocLang;

namespace {

using LocLangDetail::StartsWith;

std::string StripAmp(std::string_view Text) {
  std::string out;
  for (char c : Text)
    if (c != '&') out += c;
  return out;
}

TComponent* CheckSingleLang(TComponent* AOwner) {
  if (AOwner)
    for (int i = 0; i < AOwner->ComponentCount(); ++i)
      if (dynamic_cast<TLocCustomLang*>(AOwner->Components(i)))
        throw Exception("Only one TLocCustomLang component per Form/DataModule allowed!");
  return AOwner;
}

[[noreturn]] void RangeError(int Value, int Max) {
  throw ELanguageError(Format("%d - is not a valid property value!\rValue must be within [1..%d]!", {Value, Max}));
}

bool HasFontProperty(const TObject* Obj) {
  const TPropInfo* p = Obj->ClassType()->FindProperty("Font");
  return p && p->Kind == TPropKind::pkClass && p->PropClass && p->PropClass()->ClassName() == "TFont";
}


}  // namespace

// ============================================================================
// class information
// ============================================================================
KV_CLASS_IMPL(TLocCustomLang, TComponent) {
  c.Property("Version", &TLocCustomLang::GetVersion, &TLocCustomLang::SetVersion).Default("6.1.0.1");
  c.Property("IsInheritedOwner", &TLocCustomLang::IsInheritedOwner).Default(false);
  c.Property("StringsTypes", &TLocCustomLang::GetStringsTypes, &TLocCustomLang::SetStringsTypes)
      .Stored(&TLocCustomLang::StringsTypesStored);
  c.Property("SmartExcludeProps", &TLocCustomLang::GetSmartExcludeProps, &TLocCustomLang::SetSmartExcludeProps)
      .Stored(&TLocCustomLang::SmartExcludePropsStored);
  c.Property("HandleResourceStrings", &TLocCustomLang::HandleResourceStrings).Default(false);
  c.Property("ResourceLanguageIndex", &TLocCustomLang::GetResourceLanguageIndex,
             &TLocCustomLang::SetResourceLanguageIndex)
      .Default(uint16_t(1));
  c.Property("UseInheritedData", &TLocCustomLang::UseInheritedData).Default(false);
  c.Property("TranslateExtendedFirst", &TLocCustomLang::TranslateExtendedFirst).Default(false);
  c.Property("UseDefaultLanguage", &TLocCustomLang::UseDefaultLanguage).Default(false);
  c.Property("DefaultLanguage", &TLocCustomLang::GetDefaultLanguage, &TLocCustomLang::SetDefaultLanguage).Default(1);
  c.Property("AutoSkipEmpties", &TLocCustomLang::GetAutoSkipEmpties, &TLocCustomLang::SetAutoSkipEmpties)
      .Default(false);
}

KV_CLASS_IMPL(TLocLang, TLocCustomLang) {
  // The lists travel in TranslationData, never as properties.
  c.Property("Captions", &TLocLang::GetCaptions, &TLocLang::SetCaptions).Stored(false);
  c.Property("Hints", &TLocLang::GetHints, &TLocLang::SetHints).Stored(false);
  c.Property("DisplayLabels", &TLocLang::GetDisplayLabels, &TLocLang::SetDisplayLabels).Stored(false);
  c.Property("Strings", &TLocLang::GetStrings, &TLocLang::SetStrings).Stored(false);
  c.Property("Fonts", &TLocLang::GetFonts, &TLocLang::SetFonts).Stored(false);
  c.Property("MultiLines", &TLocLang::GetMultiLines, &TLocLang::SetMultiLines).Stored(false);
  c.Property("DlgsCaptions", &TLocLang::GetDlgsCaptions, &TLocLang::SetDlgsCaptions).Stored(false);
  c.Property("OtherStrings", &TLocLang::GetOtherStrings, &TLocLang::SetOtherStrings).Stored(false);
  c.Property("Locales", &TLocLang::GetLocales, &TLocLang::SetLocales).Stored(false);
  c.Property("CharSets", &TLocLang::GetCharSets, &TLocLang::SetCharSets).Stored(false);
  c.Property("Collections", &TLocLang::GetCollections, &TLocLang::SetCollections).Stored(false);
  c.Property("NumOfLanguages", &TLocLang::GetNumOfLanguages, &TLocLang::SetNumOfLanguages).Default(1);
  c.Property("ActiveLanguage", &TLocLang::GetActiveLanguage, &TLocLang::SetActiveLanguage).Default(1);
  c.Property("ChangeLocales", &TLocLang::GetChangeLocales, &TLocLang::SetChangeLocales).Default(false);
  c.Property("LangDispatcher", &TLocLang::GetLangDispatcher, &TLocLang::SetLangDispatcher);
  c.Property("LangDelim", &TLocLang::GetLangDelim, &TLocLang::SetLangDelim).Default(uint8_t(9));
  c.Property("DoNotTranslate", &TLocLang::GetDoNotTranslate, &TLocLang::SetDoNotTranslate)
      .Stored(&TLocLang::DoNotTranslateStored);
  c.Property("LangNames", &TLocLang::GetLangNames, &TLocLang::SetLangNames);
  c.Property("Language", &TLocLang::GetLanguage, &TLocLang::SetLanguage);
  c.Property("TranslateType", &TLocLang::TranslateType).Names({"ttNoChange", "ttGetDefault"}).Default(
      TTranslateType::ttNoChange);
  c.Property("Options", &TLocLang::GetOptions, &TLocLang::SetOptions)
      .Names({"loUseExtUDStrings", "loUseExtCommonStrings"})
      .Default(TLocLangOptions());
  c.Property("NeedAllDlgs", &TLocLang::GetNeedAllDlgs, &TLocLang::SetNeedAllDlgs).Default(false);
  c.Property("ChangingCursor", &TLocLang::ChangingCursor).Default(int16_t(-1));
  c.Property("ExcludedProperties", &TLocLang::GetExcludedProperties, &TLocLang::SetExcludedProperties)
      .Stored(&TLocLang::ExcludedPropertiesStored);
  c.Property("DoRaiseExceptions", &TLocLang::DoRaiseExceptions).Default(false);
  c.Property("ExtendedTranslations", &TLocLang::GetExtendedTranslations, &TLocLang::SetExtendedTranslations)
      .Stored(&TLocLang::ExtendedTranslationsStored);
}

bool TLocCustomLang::StringsTypesStored() const {
  return !(FStringsTypes->Count() == 2 && FStringsTypes->Get(0) == "TIB_STRINGLIST" &&
           FStringsTypes->Get(1) == "TSTRINGLIST");
}
bool TLocCustomLang::SmartExcludePropsStored() const { return FSmartExcludeProps->Count() > 0; }
bool TLocCustomLang::DoNotTranslateStored() const { return FDoNotTranslate->Count() > 0; }
bool TLocCustomLang::ExcludedPropertiesStored() const { return FExcludedProperties->Count() > 0; }
bool TLocCustomLang::ExtendedTranslationsStored() const { return FExtended->Count() > 0; }

// ============================================================================
// construction and destruction
// ============================================================================
TLocCustomLang::TLocCustomLang(TComponent* AOwner) : TComponent(CheckSingleLang(AOwner)) {
  for (auto& list : FLists) list = std::make_unique<TStringList>();
  FDoNotTranslate = std::make_unique<TStringList>();
  FLangNames = std::make_unique<TStringList>();
  FLangNames->Add("Language N1");
  FLanguage = "Language N1";
  AddDefaultDialogCaptions();
  CaptureSavedLocale();
  FExcludedProperties = std::make_unique<TStringList>();
  FStringsTypes = std::make_unique<TStringList>();
  FStringsTypes->Add("TIB_STRINGLIST");
  FStringsTypes->Add("TSTRINGLIST");
  FSmartExcludeProps = std::make_unique<TStringList>();
  FFixedLanguageNames = std::make_unique<TStringList>();
  FResourceCollection = new TLocStringsCollection(this);
  FNameCollection = new TLocStringsCollection(this);
  FExtended = new TLocExtendedItems(this);
  NoOwnerFont = AOwner != nullptr && !HasFontProperty(AOwner);
  for (const char* p : {"Category", "SecondaryShortCuts", "HelpKeyword", "InitialDir", "HelpKeyword", "ActivePage",
                        "ImeName", "DefaultExt", "FileName", "FieldName", "PickList", "DisplayFormat", "EditMask",
                        "KeyList", "LookupDisplayFields", "DropDownSpecRow", "TableName", "DatabaseName",
                        "IndexName", "MasterFields"})
    FExcludedProperties->Add(p);
}

TLocCustomLang::~TLocCustomLang() {
  delete FResourceCollection;
  delete FNameCollection;
  delete FExtended;
}

void TLocCustomLang::BeforeDestruction() {
  FDestroying = true;
  if (ResourceStringsHandler() == this) SetResourceStringsHandler(nullptr);
  if (TLocLangDispatcher* d = GetLangDispatcher()) d->UnlinkComponent(this);
  FLangDispatcher = nullptr;
  TComponent::BeforeDestruction();
}

void TLocCustomLang::CaptureSavedLocale() {
  const TFormatSettings& fs = FormatSettings;
  auto join = [](const std::string* names, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += (i ? "," : "") + names[i];
    return s;
  };
  FSavedLocale = {fs.CurrencyString,
                  std::string(1, fs.ThousandSeparator),
                  std::string(1, fs.DecimalSeparator),
                  std::string(1, fs.DateSeparator),
                  fs.ShortDateFormat,
                  fs.LongDateFormat,
                  std::string(1, fs.TimeSeparator),
                  fs.TimeAMString,
                  fs.TimePMString,
                  fs.ShortTimeFormat,
                  fs.LongTimeFormat,
                  join(fs.ShortMonthNames, 12),
                  join(fs.LongMonthNames, 12),
                  join(fs.ShortDayNames, 7),
                  join(fs.LongDayNames, 7)};
}

bool TLocCustomLang::IsDesigning() const {
  return ComponentState.Contains(TComponentStateItem::csDesigning) ||
         (Owner() && Owner()->ComponentState.Contains(TComponentStateItem::csDesigning));
}

bool TLocCustomLang::IsLoading() const { return ComponentState.Contains(TComponentStateItem::csLoading); }

std::string TLocCustomLang::OwnerClassName() const { return Owner() ? Owner()->ClassName() : std::string(); }

// ============================================================================
// lists
// ============================================================================
TStringList* TLocCustomLang::ListOfType(TStringsType Type) const {
  // A list exists when the class publishes a property named after the type.
  const std::string name = StringsTypeName(Type).substr(2);
  const TPropInfo* p = ClassType()->FindProperty(name);
  if (!p || p->Kind != TPropKind::pkClass) return nullptr;
  return dynamic_cast<TStringList*>(std::get<TObject*>(p->Get(this)));
}

TStringList* TLocCustomLang::ListOfSection(std::string_view Name) const {
  const int t = StringsTypeByName(Name);
  return t < 0 ? nullptr : ListOfType(static_cast<TStringsType>(t));
}

void TLocCustomLang::SetList(TStringsType Type, const TStrings* Value) {
  if (Type == TStringsType::stListView_TreeView_Items) return;
  TStringList* list = FLists[static_cast<size_t>(Type)].get();
  if (!Value || Value == list) return;
  list->Assign(Value);
  if (Type == TStringsType::stDlgsCaptions || IsLoading()) return;
  ListToApply = static_cast<int>(Type);
  ApplyLanguage();
}

// ============================================================================
// settings
// ============================================================================
void TLocCustomLang::SetNumOfLanguages(int Value) {
  if (Value < 1)
    throw ELanguageError(IntToStr(Value) + " - is not a valid property value !\r" + "Value must be more than ZERO !");
  if (Value < FNumOfLanguages) CutEntriesTo(Value);
  FNumOfLanguages = Value;
  if (IsDesigning() && !IsLoading()) PadEntries();
  while (FLangNames->Count() < FNumOfLanguages) FLangNames->Add("Language N" + IntToStr(FLangNames->Count() + 1));
  while (FLangNames->Count() > FNumOfLanguages) FLangNames->Delete(FLangNames->Count() - 1);
  if (!IsLoading()) {
    // A language beyond the new count would read nothing.
    if (FActiveLanguage > FNumOfLanguages) {
      FActiveLanguage = FNumOfLanguages;
      if (FActiveLanguage <= FLangNames->Count()) FLanguage = FLangNames->Get(FActiveLanguage - 1);
    }
    if (!IsDesigning()) {
      PadEntries();
      RebuildStringCollections();
    }
  }
}

void TLocCustomLang::CutEntriesTo(int Languages) {
  const char d = Delim();
  auto cut = [&](std::string& entry, int delimsToKeep) {
    int count = 0;
    for (size_t i = 0; i < entry.size(); ++i)
      if (entry[i] == d && ++count == delimsToKeep) {
        entry.resize(i + 1);
        return;
      }
  };
  for (auto& list : FLists)
    for (int i = 0; i < list->Count(); ++i) {
      std::string e = list->Get(i);
      cut(e, Languages + 1);
      list->Put(i, e);
    }
  for (int i = 0; i < FExtended->Count(); ++i) cut(FExtended->Items(i)->Values, Languages);
}

void TLocCustomLang::SetChangeLocales(bool Value) {
  FChangeLocales = Value;
  if (Value && GetLocales()->Count() == 0)
    for (size_t i = 0; i < LocaleItemNames().size(); ++i)
      GetLocales()->Add(LocaleItemNames()[i] + Delim() + FSavedLocale[i] + Delim());
}

void TLocCustomLang::SetLangDelim(uint8_t Value) {
  if (Value == FLangDelim) return;
  if (!IsLoading()) ReplaceDelimiter(static_cast<char>(FLangDelim), static_cast<char>(Value));
  FLangDelim = Value;
}

void TLocCustomLang::SetDoNotTranslate(TStrings* Value) {
  if (Value && Value != FDoNotTranslate.get()) FDoNotTranslate->Assign(Value);
  if (!IsLoading()) ApplyDoNotTranslate();
}

void TLocCustomLang::SetLanguage(const std::string& Value) {
  if (Value == FLanguage) return;
  if (FLangNames->IndexOf(Value) < 0) {
    if (!IsLoading()) throw ELanguageError("Language name shall be included in LangNames property!");
    FLangNames->Add(Value);
  }
  FLanguage = Value;
  if (!IsLoading() && !Suspended) SetActiveLanguage(FLangNames->IndexOf(Value) + 1);
}

void TLocCustomLang::SetLangNames(TStrings* Value) {
  if (Value && Value != FLangNames.get()) FLangNames->Assign(Value);
  if (FActiveLanguage >= 1 && FActiveLanguage <= FLangNames->Count()) FLanguage = FLangNames->Get(FActiveLanguage - 1);
  FNumOfLanguages = std::max(1, FLangNames->Count());
  if (!IsLoading() && FActiveLanguage > FNumOfLanguages) FActiveLanguage = FNumOfLanguages;
}

void TLocCustomLang::SetOptions(TLocLangOptions Value) {
  FOptions = Value;
  if (Value.Contains(TLocLangOption::loUseExtCommonStrings) && IsDesigning()) {
    GetDlgsCaptions()->Clear();
    GetLocales()->Clear();
  }
}

void TLocCustomLang::SetNeedAllDlgs(bool Value) {
  FNeedAllDlgs = Value;
  if (!IsLoading()) AdjustDialogCaptions();
}

void TLocCustomLang::SetExcludedProperties(TStrings* Value) {
  if (Value && Value != FExcludedProperties.get()) FExcludedProperties->Assign(Value);
  if (!IsLoading()) {
    ClearExcludedLists();
    CollectTexts();
  }
}

void TLocCustomLang::SetStringsTypes(TStrings* Value) {
  if (Value && Value != FStringsTypes.get()) FStringsTypes->Assign(Value);
  if (!IsLoading()) CollectTexts();
}

void TLocCustomLang::SetSmartExcludeProps(TStrings* Value) {
  if (Value && Value != FSmartExcludeProps.get()) FSmartExcludeProps->Assign(Value);
  if (!IsLoading()) CollectTexts();
}

void TLocCustomLang::SetResourceLanguageIndex(uint16_t Value) {
  if (!IsLoading() && (Value < 1 || Value > FNumOfLanguages)) RangeError(Value, FNumOfLanguages);
  FResourceLanguageIndex = Value;
  if (!IsLoading() && !IsDesigning()) {
    FResourceCollection->SortLanguage = Value;
    FResourceCollection->SortItems();
  }
}

void TLocCustomLang::SetExtendedTranslations(TLocExtendedItems* Value) {
  if (Value && Value != FExtended) FExtended->Assign(Value);
}

void TLocCustomLang::SetDefaultLanguage(int Value) {
  if (Value >= 1 && Value <= FNumOfLanguages) FDefaultLanguage = Value;
}

void TLocCustomLang::SetAutoSkipEmpties(bool Value) {
  const bool on = Value && !FAutoSkipEmpties;
  FAutoSkipEmpties = Value;
  if (on && !IsLoading()) CollectTexts();
}

void TLocCustomLang::SetLangDispatcher(TLocLangDispatcher* Value) {
  TLocLangDispatcher* old = GetLangDispatcher();
  if (Value == old) return;
  if (old) old->UnlinkComponent(this);
  FLangDispatcher = Value;
  if (!Value) return;
  if (IsLoading()) {
    FNumOfLanguages = Value->GetNumOfLanguages();
    FDefaultLanguage = Value->GetDefaultLanguage();
    UseDefaultLanguage = Value->GetUseDefaultLanguage();
  } else if (Owner() && !Suspended) {
    Value->LinkComponent(this);
  }
}

void TLocCustomLang::SetActiveLanguage(int Value) {
  if (Value == FActiveLanguage) return;
  if (Value < 1 || Value > FNumOfLanguages) {
    if (IsLoading()) return;
    RangeError(Value, FNumOfLanguages);
  }
  ListToApply = -1;
  struct TCursorRestore {
    bool Active = false;
    ~TCursorRestore() {
      if (Active) Screen->SetCursor(crDefault);
    }
  } cursor;
  if (ChangingCursor != -1 && Screen->GetCursor() == crDefault && !IsDesigning()) {
    Screen->SetCursor(ChangingCursor);
    cursor.Active = true;
  }
  if (IsDesigning() && (GetLangDispatcher() || !IsLoading())) CollectTexts();
  FActiveLanguage = Value;
  if (!IsLoading() && Value <= FLangNames->Count()) FLanguage = FLangNames->Get(Value - 1);
  if (GetLangDispatcher() || !IsLoading()) ApplyLanguage();
}

// ============================================================================
// entries
// ============================================================================
TLocCustomLang* TLocCustomLang::SharedListSource(TStrings* List, bool UserStrings) const {
  TLocLangDispatcher* d = GetLangDispatcher();
  if (!d) return nullptr;
  for (int i = 0; i < d->LinkCount(); ++i) {
    TLocCustomLang* other = d->Links(i);
    TStringList* theirs = nullptr;
    if (UserStrings)
      theirs = other->GetStrings();
    else
      theirs = List == GetLocales() ? other->GetLocales() : other->GetDlgsCaptions();
    if (theirs && theirs->Count() > 0) return other;
  }
  return nullptr;
}

std::string TLocCustomLang::GetEntryField(const TStrings* List, std::string_view Key, int N) const {
  if (!List) return "";
  for (int i = 0; i < List->Count(); ++i) {
    const std::string e = List->Get(i);
    if (SameText(EntryField(e, Delim(), 0), Key)) return EntryField(e, Delim(), N);
  }
  return "";
}

std::string TLocCustomLang::GetEntryText(TStrings* List, int Index, bool FallbackToFirst) const {
  if (FOptions.Contains(TLocLangOption::loUseExtCommonStrings) && (List == GetLocales() || List == GetDlgsCaptions())) {
    TLocCustomLang* src = SharedListSource(List, false);
    if (!src) return "";
    if (src != this) {
      TStrings* theirs = List == GetLocales() ? src->GetLocales() : src->GetDlgsCaptions();
      if (Index < 0 || Index >= theirs->Count()) return "";
      const std::string e = theirs->Get(Index);
      std::string t = EntryField(e, src->Delim(), src->GetActiveLanguage());
      if (t.empty() && FallbackToFirst) t = EntryField(e, src->Delim(), 1);
      return t;
    }
  }
  if (!List || Index < 0 || Index >= List->Count()) return "";
  const std::string e = List->Get(Index);
  std::string t = EntryField(e, Delim(), FActiveLanguage);
  if (t.empty() && FallbackToFirst) t = EntryField(e, Delim(), 1);
  return t;
}

std::string TLocCustomLang::GetKeyText(TStrings* List, std::string_view Key, bool FallbackToFirst) const {
  const bool common = FOptions.Contains(TLocLangOption::loUseExtCommonStrings) &&
                      (List == GetLocales() || List == GetDlgsCaptions());
  const bool user = FOptions.Contains(TLocLangOption::loUseExtUDStrings) && List == GetStrings();
  if (common || user) {
    TLocCustomLang* src = SharedListSource(List, user);
    if (src && src != this) {
      TStrings* theirs = user ? src->GetStrings() : (List == GetLocales() ? src->GetLocales() : src->GetDlgsCaptions());
      // The other component answers from its own list, without routing again.
      const TLocLangOptions saved = src->FOptions;
      src->FOptions = TLocLangOptions();
      struct TRestore {
        TLocCustomLang* L;
        TLocLangOptions O;
        ~TRestore() { L->FOptions = O; }
      } restore{src, saved};
      return src->GetKeyText(theirs, Key, FallbackToFirst);
    }
    if (!src && common) return "";
  }
  if (!List) return "";
  auto notFound = [&]() -> std::string {
    if (DoRaiseExceptions) throw ELanguageError(Format("String identifier \"%s\" not found!", {std::string(Key)}));
    return "";
  };
  if (IsDesigning() || List != GetStrings()) {
    std::string text;
    for (int i = 0; i < List->Count(); ++i) text += (i ? "\r\n" : "") + List->Get(i);
    const std::string upper = UpperCase(text);
    const std::string key = UpperCase(Key) + Delim();
    size_t start = std::string::npos;
    if (StartsWith(upper, key)) {
      start = 0;
    } else {
      const int p = MemIni::FastPos("\r\n" + key, upper);
      if (p > 0) start = static_cast<size_t>(p - 1) + 2;
    }
    if (start == std::string::npos) return notFound();
    const size_t end = text.find("\r\n", start);
    const std::string entry = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    std::string t = EntryField(entry, Delim(), FActiveLanguage);
    if (t.empty() && FActiveLanguage > 1 && TestModeActive()) t = TestModeText(EntryField(entry, Delim(), 1));
    if (t.empty() && FallbackToFirst) t = EntryField(entry, Delim(), 1);
    return t;
  }
  const int index = FNameCollection->IndexOfName(Key);
  if (index < 0) return notFound();
  const TLocStringsCollectionItem* item = FNameCollection->Items(index);
  std::string t = FNameCollection->ValueByName(Key, FActiveLanguage);
  if (t.empty() && FActiveLanguage > 1 && TestModeActive()) t = TestModeText(item->Text(1));
  if (t.empty() && FallbackToFirst) t = item->Text(1);
  return t;
}

void TLocCustomLang::SetEntryTextIn(TStrings* List, int Index, const std::string& Text, int Language) {
  const std::string e = List->Get(Index);
  const char d = Delim();
  // Position of the Language-th delimiter: without it the entry has no place for the text.
  size_t p1 = std::string::npos, from = 0;
  for (int k = 0; k < Language; ++k) {
    p1 = e.find(d, from);
    if (p1 == std::string::npos) return;
    from = p1 + 1;
  }
  const size_t p2 = e.find(d, p1 + 1);
  std::string out = e.substr(0, p1) + d + Text;
  if (p2 != std::string::npos) out += e.substr(p2);
  if (out != e) List->Put(Index, out);
}

void TLocCustomLang::SetEntryText(TStrings* List, const std::string& Text, int Language, std::string_view Key) {
  if (!List || Language < 1) return;
  for (int i = 0; i < List->Count(); ++i)
    if (SameText(EntryField(List->Get(i), Delim(), 0), Key)) {
      SetEntryTextIn(List, i, Text, Language);
      break;
    }
  if (List == GetStrings() && !IsDesigning())
    for (TLocStringsCollection* coll : {FNameCollection, FResourceCollection}) {
      const int i = coll->IndexOfName(Key);
      if (i < 0) continue;
      TStringList* values = coll->Items(i)->Values();
      while (values->Count() < Language) values->Add("");
      values->Put(Language - 1, Text);
    }
}

std::string TLocCustomLang::FieldWithDefault(std::string_view Entry, int Field) const {
  std::string f = EntryField(Entry, Delim(), Field);
  if (UseDefaultLanguage && f.empty() && Field != FDefaultLanguage) f = EntryField(Entry, Delim(), FDefaultLanguage);
  return f;
}

void TLocCustomLang::DeleteLanguageColumn(TStrings* List, int Column) {
  const char d = Delim();
  for (int i = 0; i < List->Count(); ++i) {
    const std::string e = List->Get(i);
    const int c = CountChar(e, d);
    std::string out = EntryField(e, d, 0) + d;
    for (int k = 1; k <= c; ++k)
      if (k != Column) out += EntryField(e, d, k) + d;
    List->Put(i, out);
  }
}

void TLocCustomLang::MoveLanguageColumn(TStrings* List, int From, int To) {
  if (From == To || From < 1 || To < 1) return;
  const char d = Delim();
  for (int i = 0; i < List->Count(); ++i) {
    const std::string e = List->Get(i);
    const int c = CountChar(e, d);
    std::vector<std::string> fields;
    for (int k = 1; k <= c - 1; ++k) fields.push_back(EntryField(e, d, k));
    while (static_cast<int>(fields.size()) < std::max(From, To)) fields.emplace_back();
    const std::string moved = fields[size_t(From - 1)];
    fields.erase(fields.begin() + (From - 1));
    fields.insert(fields.begin() + (To - 1), moved);
    std::string out = EntryField(e, d, 0) + d;
    for (const std::string& f : fields) out += f + d;
    List->Put(i, out);
  }
}

void TLocCustomLang::PadEntries() {
  for (TStringList* list : {GetStrings(), GetDlgsCaptions(), GetLocales()})
    for (int i = 0; i < list->Count(); ++i) {
      const std::string e = list->Get(i);
      const int c = CountChar(e, Delim());
      if (c <= FNumOfLanguages) list->Put(i, e + std::string(size_t(FNumOfLanguages - c + 1), Delim()));
    }
}

void TLocCustomLang::ReplaceDelimiter(char Old, char New) {
  for (auto& list : FLists)
    for (int i = 0; i < list->Count(); ++i) {
      std::string e = list->Get(i);
      if (e.find(Old) == std::string::npos) continue;
      std::replace(e.begin(), e.end(), Old, New);
      list->Put(i, e);
    }
  for (int i = 0; i < FExtended->Count(); ++i) {
    std::string& v = FExtended->Items(i)->Values;
    std::replace(v.begin(), v.end(), Old, New);
  }
}

namespace {
std::string DialogEntry(size_t Row, char D) {
  const std::string& text = DialogTexts()[Row];
  const std::string value = Row < 15 ? DialogResourceTexts()[Row] : text;
  return StripAmp(text) + D + value + D;
}
}  // namespace

void TLocCustomLang::AddDefaultDialogCaptions() {
  for (size_t row = 0; row < 15; ++row) GetDlgsCaptions()->Add(DialogEntry(row, Delim()));
}

void TLocCustomLang::AdjustDialogCaptions() {
  TStringList* dlgs = GetDlgsCaptions();
  const int total = static_cast<int>(DialogTexts().size());
  if (FNeedAllDlgs && dlgs->Count() < total) {
    for (int row = dlgs->Count(); row < total; ++row) dlgs->Add(DialogEntry(size_t(row), Delim()));
  } else if (!FNeedAllDlgs && dlgs->Count() == total) {
    for (int i = dlgs->Count() - 1; i >= 0; --i) {
      const std::string key = EntryField(dlgs->Get(i), Delim(), 0);
      bool basic = false;
      for (size_t row = 0; row < 15 && !basic; ++row) basic = StripAmp(DialogTexts()[row]) == key;
      if (!basic) dlgs->Delete(i);
    }
  }
}

std::string TLocCustomLang::SingleColumnTexts(const std::string& Text, int Column) const {
  std::string out;
  for (int i = 1; i <= FNumOfLanguages; ++i) out += (i == Column ? Text : std::string()) + Delim();
  return out;
}

// ============================================================================
// lifecycle
// ============================================================================
bool TLocCustomLang::IsStringsType(std::string_view ClassName) const { return FStringsTypes->IndexOf(ClassName) >= 0; }

void TLocCustomLang::RemoveComponentEntries(TStrings* List, TComponent* Component, TStringsType ListType,
                                            TOperation Operation) {
  if (Operation != TOperation::opRemove || !IsDesigning() || !List || List->Count() == 0 || List->Get(0).empty())
    return;
  std::string prefix = Component == Owner() ? OwnerClassName() : Component->GetName();
  if (prefix.empty()) return;
  const bool dotted = ListType == TStringsType::stMultiLines || ListType == TStringsType::stOtherStrings ||
                      ListType == TStringsType::stCollections;
  prefix += dotted ? '.' : Delim();
  for (int i = List->Count() - 1; i >= 0; --i)
    if (StartsWith(List->Get(i), prefix)) List->Delete(i);
}

namespace {
// The eight lists that hold entries of components, with the type their keys follow.
template <class F>
void ForComponentLists(TLocCustomLang& L, F f) {
  f(L.GetCaptions(), TStringsType::stCaptions);
  f(L.GetHints(), TStringsType::stHints);
  f(L.GetDisplayLabels(), TStringsType::stDisplayLabels);
  f(L.GetFonts(), TStringsType::stFonts);
  f(L.GetMultiLines(), TStringsType::stMultiLines);
  f(L.GetOtherStrings(), TStringsType::stOtherStrings);
  f(L.GetCharSets(), TStringsType::stFonts);
  f(L.GetCollections(), TStringsType::stCollections);
}
}  // namespace

void TLocCustomLang::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (FDestroying || !AComponent || dynamic_cast<TLocCustomLang*>(AComponent)) return;
  if (Owner() && Owner()->ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  if (Operation == TOperation::opRemove && AComponent == GetLangDispatcher()) {
    FLangDispatcher = nullptr;
    return;
  }
  if (Operation == TOperation::opRemove && IsDesigning() && KeepOnRemove) return;
  const std::string name = AComponent->GetName();
  if (Operation == TOperation::opRemove && !name.empty()) {
    const int i = FDoNotTranslate->IndexOf(name);
    if (i >= 0) FDoNotTranslate->Delete(i);
  }
  ForComponentLists(*this, [&](TStrings* list, TStringsType type) {
    RemoveComponentEntries(list, AComponent, type, Operation);
  });
  RemoveComponentEntries(FSmartExcludeProps.get(), AComponent, TStringsType::stOtherStrings, Operation);
  if (Operation == TOperation::opRemove && !name.empty())
    for (int i = FExtended->Count() - 1; i >= 0; --i)
      if (StartsWith(FExtended->Items(i)->GetIdentifier(), name + ".")) FExtended->Delete(i);
}

void TLocCustomLang::ApplyDoNotTranslate() {
  if (!Owner()) return;
  auto removeAll = [&](TComponent* c) {
    ForComponentLists(*this, [&](TStrings* list, TStringsType type) {
      RemoveComponentEntries(list, c, type, TOperation::opRemove);
    });
  };
  for (int i = 0; i < FDoNotTranslate->Count(); ++i) {
    const std::string entry = FDoNotTranslate->Get(i);
    if (TComponent* c = Owner()->FindComponent(entry)) removeAll(c);
    if (entry == OwnerClassName()) removeAll(Owner());
    if (StartsWith(entry, "!T")) {
      const std::string cls = entry.substr(1);
      for (int k = 0; k < Owner()->ComponentCount(); ++k)
        if (Owner()->Components(k)->ClassName() == cls) removeAll(Owner()->Components(k));
    }
  }
}

void TLocCustomLang::ClearExcludedLists() {
  auto excluded = [&](const char* p) { return FExcludedProperties->IndexOf(p) >= 0; };
  if (excluded("Caption")) GetCaptions()->Clear();
  if (excluded("Hint")) GetHints()->Clear();
  if (excluded("DisplayLabel")) GetDisplayLabels()->Clear();
  if (excluded("Font")) {
    GetFonts()->Clear();
    GetCharSets()->Clear();
  }
  if (excluded("Charset")) GetCharSets()->Clear();
  const std::string sep1 = std::string(".") + Delim();
  const std::string sep2 = std::string(".[") + Delim();
  for (TStringList* list : {GetMultiLines(), GetOtherStrings(), GetCollections()}) {
    const bool coll = list == GetCollections();
    const std::string& seps = coll ? sep2 : sep1;
    for (int i = list->Count() - 1; i >= 0; --i) {
      const std::string e = list->Get(i);
      const std::string comp = WordAt(e, 1, seps);
      if (IsPropertyExcluded(comp, WordAt(e, 2, seps)) || (coll && IsPropertyExcluded(comp, WordAt(e, 4, seps))))
        list->Delete(i);
    }
  }
}

bool TLocCustomLang::HasTabDelimitedData() const {
  auto first = [](const TStringList* l) { return l->Count() > 0 ? l->Get(0) : std::string(); };
  if (GetDlgsCaptions()->Count() > 0 && first(GetDlgsCaptions()).find('\t') != std::string::npos) return true;
  if (GetLocales()->Count() > 0 && first(GetLocales()).find('\t') != std::string::npos) return true;
  if (GetCaptions()->Count() > 0 && CountChar(first(GetCaptions()), '\t') == FNumOfLanguages + 1) return true;
  if (GetHints()->Count() > 0 && CountChar(first(GetHints()), '\t') == FNumOfLanguages + 1) return true;
  return false;
}

void TLocCustomLang::RenameEntries(const std::string& OldName, const std::string& NewName) {
  if (NewName.empty()) return;
  std::string oldN = OldName, newN = NewName;
  if (Owner() && OldName == Owner()->GetName()) {
    oldN = "T" + oldN;
    newN = "T" + newN;
  }
  const std::string seps = std::string(".") + Delim();
  auto rename = [&](TStrings* list) {
    for (int i = 0; i < list->Count(); ++i) {
      std::string e = list->Get(i);
      if (WordAt(e, 1, seps) != oldN) continue;
      const size_t p = e.find(oldN);
      if (p == std::string::npos) continue;
      e.replace(p, oldN.size(), newN);
      list->Put(i, e);
    }
  };
  for (int t = 0; t < StringsTypeCount; ++t)
    if (TStringList* l = ListOfType(static_cast<TStringsType>(t))) rename(l);
  rename(FDoNotTranslate.get());
  rename(FSmartExcludeProps.get());
  for (int i = 0; i < FExtended->Count(); ++i) {
    TLocExtendedItem* item = FExtended->Items(i);
    const std::string id = item->StoredIdentifier();
    if (StartsWith(id, OldName + ".")) item->SetIdentifier(NewName + id.substr(OldName.size()));
  }
}

void TLocCustomLang::Loaded() {
  TComponent::Loaded();
  if (Suspended || !Owner()) return;
  AdjustDialogCaptions();
  if (FOptions.Contains(TLocLangOption::loUseExtCommonStrings)) {
    GetDlgsCaptions()->Clear();
    GetLocales()->Clear();
  }
  if (FLangDelim == 9) SetLangDelim(1);
  if (FMarkerDelim >= 0) {
    // Data written with a format marker name their delimiter; no guessing.
    if (FMarkerDelim != FLangDelim) ReplaceDelimiter(static_cast<char>(FMarkerDelim), Delim());
  } else if (HasTabDelimitedData()) {
    ReplaceDelimiter('\t', Delim());
  }
  if (GetLocales()->Count() == 11)
    for (size_t row = 11; row < 15; ++row)
      GetLocales()->Add(LocaleItemNames()[row] + Delim() + FSavedLocale[row] + Delim());
  ClearExcludedLists();
  if (IsDesigning())
    PadEntries();
  else
    FillStringsCollection(FNameCollection, 0);
  if (TLocLangDispatcher* d = GetLangDispatcher()) d->LinkComponent(this);
  if (IsInheritedOwner) ApplyLanguage();
  if (!IsDesigning() && HandleResourceStrings && !ResourceStringsHandler()) {
    SetResourceStringsHandler(this);
    FillStringsCollection(FResourceCollection, FResourceLanguageIndex);
  }
  if (IsDesigning())
    for (int i = FExtended->Count() - 1; i >= 0; --i) {
      TLocExtendedItem* item = FExtended->Items(i);
      const std::string comp = EntryField(item->StoredIdentifier(), '.', 0);
      TComponent* related = comp == OwnerClassName() ? Owner() : Owner()->FindComponent(comp);
      if (related)
        item->SetRelatedComponent(related);
      else
        FExtended->Delete(i);
    }
}
