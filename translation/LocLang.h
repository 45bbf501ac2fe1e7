#pragma once
// Form translation: a component that a form owns to switch the texts of all
// its controls between languages. It keeps one ordered list of entries per
// kind of text ("key" D "text 1" D "text 2" D ..., D = LangDelim), collects
// them from the form, writes the active language back into the form, stores
// them with the form ("TranslationData"), exchanges them with translation text
// files and LNB files, and follows a dispatcher that switches many forms at
// once. TLocFormStorage, in the same unit, keeps a form's place in the
// registry.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/Forms.h"

class TLocCustomLang;
class TLocLangDispatcher;
class TLNBFileManager;
namespace MemIni { class TMemIniFile; }

KV_EXCEPTION_CLASS(ELanguageError, Exception);

enum class TStringsType {
  stCaptions, stHints, stDisplayLabels, stFonts, stMultiLines, stDlgsCaptions, stStrings, stOtherStrings,
  stLocales, stCollections, stCharSets, stListView_TreeView_Items
};
constexpr int StringsTypeCount = 12;

enum class TTranslateType { ttNoChange, ttGetDefault };
enum class TLocLangOption { loUseExtUDStrings, loUseExtCommonStrings };
using TLocLangOptions = Flags<TLocLangOption>;

// The kinds of a property's type, as stored with extended translations.
enum class TTypeKind {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, tkWChar, tkLString,
  tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};

enum class TTestModeKind { tmkExpandWidth, tmkFlipCase, tmkExpandChars };

namespace LocLang {

// Per list type: the enumeration name, the section of text files and the
// default property.
const std::string& StringsTypeName(TStringsType Type);
const std::string& ListTypeSection(TStringsType Type);
const std::string& ListTypeDefaultProperty(TStringsType Type);
// -1 when Name is none of the twelve names (compared without case).
int StringsTypeByName(std::string_view Name);

const std::vector<std::string>& LocaleItemNames();  // 15
const std::vector<std::string>& DialogTexts();      // 83, with "&"
// The program's own texts for the first fifteen dialog texts.
std::vector<std::string> DialogResourceTexts();

const std::string& TypeKindName(TTypeKind Kind);
TTypeKind TypeKindByName(std::string_view Name);  // tkUnknown when unknown

// Field K of an entry: field 0 is the text before the first Delim (the whole
// entry when there is none), field k the text after the k-th Delim up to the
// next one or the end; empty when there are fewer delimiters.
std::string EntryField(std::string_view Entry, char Delim, int K);
int CountChar(std::string_view Text, char C);
// Word N (from 1) of Text split at any of Separators; a separator at the start
// is skipped and two separators in a row stand for an empty word.
std::string WordAt(std::string_view Text, int N, std::string_view Separators);
bool StartsText(std::string_view Text, std::string_view Prefix);  // ASCII case-insensitive

// The component that translates resource strings (none at start).
TLocCustomLang* ResourceStringsHandler();
// Makes Lang the handler (nullptr: none); the program's resource strings are
// routed through it from the first time on.
void SetResourceStringsHandler(TLocCustomLang* Lang);
extern int ResourceIdLimit;

}  // namespace LocLang

// ---------------------------------------------------------------- string collections
class TLocSortCollection : public TCollection {
  KV_CLASS(TLocSortCollection, TCollection)
 public:
  using TCompare = std::function<int(TLocSortCollection*, TCollectionItem*, TCollectionItem*)>;
  using TCollection::TCollection;
  virtual void QuickSort(int L, int R, const TCompare& Compare);
  void Sort(const TCompare& Compare);
};

class TLocStringsCollectionItem : public TCollectionItem {
  KV_CLASS(TLocStringsCollectionItem, TCollectionItem)
 public:
  explicit TLocStringsCollectionItem(TCollection* Collection);
  ~TLocStringsCollectionItem() override;
  std::string Name;
  TStringList* Values() const { return FValues.get(); }
  // Text of language L (from 1), empty when missing.
  std::string Text(int L) const;

 private:
  std::unique_ptr<TStringList> FValues;
};

class TLocStringsCollection : public TLocSortCollection {
  KV_CLASS(TLocStringsCollection, TLocSortCollection)
 public:
  explicit TLocStringsCollection(TLocCustomLang* AOwner);
  TLocStringsCollectionItem* Add() { return static_cast<TLocStringsCollectionItem*>(TCollection::Add()); }
  TLocStringsCollectionItem* Items(int Index) const { return ItemAs<TLocStringsCollectionItem>(Index); }
  int IndexOfName(std::string_view Name) const;
  // Halving search over a collection sorted by name.
  std::string ValueByName(std::string_view Name, int Language) const;
  // Halving search over a collection sorted by SortLanguage; Text when no item holds it.
  std::string TranslateText(const std::string& Text, int Language) const;
  void SortItems();
  int SortLanguage = 0;
  TLocCustomLang* Lang() const { return FLang; }

 private:
  TLocCustomLang* FLang;
};

// ---------------------------------------------------------------- extended translations
class TLocExtendedItem : public TCollectionItem {
  KV_CLASS(TLocExtendedItem, TCollectionItem)
 public:
  explicit TLocExtendedItem(TCollection* Collection);
  ~TLocExtendedItem() override;
  // The identifier as read follows RelatedComponent's current name.
  std::string GetIdentifier() const;
  void SetIdentifier(const std::string& Value) { FIdentifier = Value; }
  const std::string& StoredIdentifier() const { return FIdentifier; }
  bool GetIsRoot() const;
  std::string Values;  // texts of languages 1..N, each followed by LangDelim
  TTypeKind PropertyType = TTypeKind::tkUnknown;
  TComponent* GetRelatedComponent() const { return FRelated.Get(); }
  void SetRelatedComponent(TComponent* Value) { FRelated = Value; }
  std::string GetDisplayName() const override;
  void Assign(const TPersistent* Source) override;
  void DefineProperties(TFiler& Filer) override;
  TLocCustomLang* Lang() const;

 private:
  std::string FIdentifier;
  WeakRef<TComponent> FRelated;
};

class TLocExtendedItems : public TCollection {
  KV_CLASS(TLocExtendedItems, TCollection)
 public:
  explicit TLocExtendedItems(TLocCustomLang* AOwner);
  TLocExtendedItem* Add() { return static_cast<TLocExtendedItem*>(TCollection::Add()); }
  TLocExtendedItem* Items(int Index) const { return ItemAs<TLocExtendedItem>(Index); }
  TLocExtendedItem* Find(std::string_view Identifier) const;
  TLocCustomLang* Lang() const { return FLang; }

 private:
  TLocCustomLang* FLang;
};

// ---------------------------------------------------------------- the component
class TLocCustomLang : public TComponent {
  KV_CLASS(TLocCustomLang, TComponent)
 public:
  // EComponentError-free: "Only one TLocCustomLang component per Form/DataModule allowed!"
  // (a plain Exception) when the owner already has one.
  explicit TLocCustomLang(TComponent* AOwner);
  ~TLocCustomLang() override;
  void BeforeDestruction() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler& Filer) override;

  // ---- lists
  TStringList* GetCaptions() const { return FLists[0].get(); }
  TStringList* GetHints() const { return FLists[1].get(); }
  TStringList* GetDisplayLabels() const { return FLists[2].get(); }
  TStringList* GetFonts() const { return FLists[3].get(); }
  TStringList* GetMultiLines() const { return FLists[4].get(); }
  TStringList* GetDlgsCaptions() const { return FLists[5].get(); }
  TStringList* GetStrings() const { return FLists[6].get(); }
  TStringList* GetOtherStrings() const { return FLists[7].get(); }
  TStringList* GetLocales() const { return FLists[8].get(); }
  TStringList* GetCollections() const { return FLists[9].get(); }
  TStringList* GetCharSets() const { return FLists[10].get(); }
  // Copy the lines; all but DlgsCaptions then apply their own type.
  void SetList(TStringsType Type, const TStrings* Value);
  void SetCaptions(TStrings* V) { SetList(TStringsType::stCaptions, V); }
  void SetHints(TStrings* V) { SetList(TStringsType::stHints, V); }
  void SetDisplayLabels(TStrings* V) { SetList(TStringsType::stDisplayLabels, V); }
  void SetFonts(TStrings* V) { SetList(TStringsType::stFonts, V); }
  void SetMultiLines(TStrings* V) { SetList(TStringsType::stMultiLines, V); }
  void SetDlgsCaptions(TStrings* V) { SetList(TStringsType::stDlgsCaptions, V); }
  void SetStrings(TStrings* V) { SetList(TStringsType::stStrings, V); }
  void SetOtherStrings(TStrings* V) { SetList(TStringsType::stOtherStrings, V); }
  void SetLocales(TStrings* V) { SetList(TStringsType::stLocales, V); }
  void SetCollections(TStrings* V) { SetList(TStringsType::stCollections, V); }
  void SetCharSets(TStrings* V) { SetList(TStringsType::stCharSets, V); }
  // The list of a type, found through the published properties; none when
  // the class publishes no such list.
  virtual TStringList* ListOfType(TStringsType Type) const;
  TStringList* ListOfSection(std::string_view Name) const;

  // ---- settings
  int GetActiveLanguage() const { return FActiveLanguage; }
  void SetActiveLanguage(int Value);
  int GetNumOfLanguages() const { return FNumOfLanguages; }
  void SetNumOfLanguages(int Value);
  bool GetChangeLocales() const { return FChangeLocales; }
  void SetChangeLocales(bool Value);
  uint8_t GetLangDelim() const { return FLangDelim; }
  void SetLangDelim(uint8_t Value);
  char Delim() const { return static_cast<char>(FLangDelim); }
  TStringList* GetDoNotTranslate() const { return FDoNotTranslate.get(); }
  void SetDoNotTranslate(TStrings* Value);
  std::string GetVersion() const { return "6.1.0.1"; }
  void SetVersion(const std::string&) {}
  const std::string& GetLanguage() const { return FLanguage; }
  void SetLanguage(const std::string& Value);
  TStringList* GetLangNames() const { return FLangNames.get(); }
  void SetLangNames(TStrings* Value);
  TTranslateType TranslateType = TTranslateType::ttNoChange;
  TLocLangOptions GetOptions() const { return FOptions; }
  void SetOptions(TLocLangOptions Value);
  bool GetNeedAllDlgs() const { return FNeedAllDlgs; }
  void SetNeedAllDlgs(bool Value);
  int16_t ChangingCursor = -1;
  TStringList* GetExcludedProperties() const { return FExcludedProperties.get(); }
  void SetExcludedProperties(TStrings* Value);
  bool DoRaiseExceptions = false;
  bool TranslateActionLinked = false;
  TStringList* GetStringsTypes() const { return FStringsTypes.get(); }
  void SetStringsTypes(TStrings* Value);
  TStringList* GetSmartExcludeProps() const { return FSmartExcludeProps.get(); }
  void SetSmartExcludeProps(TStrings* Value);
  bool IsInheritedOwner = false;
  TStringList* FixedLanguageNames() const { return FFixedLanguageNames.get(); }
  bool HandleResourceStrings = false;
  uint16_t GetResourceLanguageIndex() const { return FResourceLanguageIndex; }
  void SetResourceLanguageIndex(uint16_t Value);
  TLocExtendedItems* GetExtendedTranslations() const { return FExtended; }
  void SetExtendedTranslations(TLocExtendedItems* Value);
  bool NoOwnerFont = false;
  bool UseInheritedData = false;
  bool TranslateExtendedFirst = false;
  bool UseDefaultLanguage = false;
  int GetDefaultLanguage() const { return FDefaultLanguage; }
  void SetDefaultLanguage(int Value);
  TLocCustomLang* GetFontsSource() const { return FFontsSource.Get(); }
  void SetFontsSource(TLocCustomLang* Value) { FFontsSource = Value; }
  bool GetAutoSkipEmpties() const { return FAutoSkipEmpties; }
  void SetAutoSkipEmpties(bool Value);
  bool Suspended = false;
  bool KeepOnRemove = false;
  bool AppendToFile = false;
  uint8_t WideCharset = 1;
  TLocLangDispatcher* GetLangDispatcher() const { return FLangDispatcher.Get(); }
  void SetLangDispatcher(TLocLangDispatcher* Value);
  TNotifyEvent OnChangeLanguage;
  // -1: the next ApplyLanguage applies every list, else only that type.
  int ListToApply = -1;
  bool SuspendApply = false;
  const std::array<std::string, 15>& SavedLocale() const { return FSavedLocale; }
  // The translation component of the form this one's form inherits from,
  // while forms are written (none: the form has no ancestor).
  TLocCustomLang* Ancestor = nullptr;
  // Loaded has met TAB data with no format marker.
  bool LoadedFromMarkedData() const { return FMarkerDelim >= 0; }

  // ---- entries
  std::string GetEntryField(const TStrings* List, std::string_view Key, int N) const;
  std::string GetEntryText(TStrings* List, int Index, bool FallbackToFirst) const;
  std::string GetKeyText(TStrings* List, std::string_view Key, bool FallbackToFirst) const;
  virtual void SetEntryText(TStrings* List, const std::string& Text, int Language, std::string_view Key);
  // SetEntryText on the entry at Index only.
  virtual void SetEntryTextIn(TStrings* List, int Index, const std::string& Text, int Language);
  std::string FieldWithDefault(std::string_view Entry, int Field) const;
  void DeleteLanguageColumn(TStrings* List, int Column);
  void MoveLanguageColumn(TStrings* List, int From, int To);
  void PadEntries();
  void ReplaceDelimiter(char Old, char New);
  void AddDefaultDialogCaptions();
  void AdjustDialogCaptions();
  // The key, LangDelim, then Text at Column and empty texts elsewhere.
  std::string SingleColumnTexts(const std::string& Text, int Column) const;

  // ---- lifecycle helpers
  virtual void RemoveComponentEntries(TStrings* List, TComponent* Component, TStringsType ListType,
                                      TOperation Operation);
  virtual bool IsStringsType(std::string_view ClassName) const;
  virtual void RenameEntries(const std::string& OldName, const std::string& NewName);
  void ApplyDoNotTranslate();
  void ClearExcludedLists();
  bool HasTabDelimitedData() const;

  // ---- collecting and applying
  virtual void CollectTexts();
  virtual void ApplyLanguage();
  bool IsPropertyExcluded(std::string_view Path, std::string_view PropName) const;
  void RemoveEntriesOf(TStrings* List, std::string_view Path, TStringsType ListType, std::string_view PropName);
  void PurgeMissing(TStrings* List, TStringsType ListType);
  void DropVanishedProperties(TStrings* List, TStringsType ListType);
  void SelectWideCharset();

  // ---- string collections, extended translations
  void FillStringsCollection(TLocStringsCollection* Collection, int SortLanguage);
  void RebuildStringCollections();
  TLocStringsCollection* NameCollection() const { return FNameCollection; }
  TLocStringsCollection* ResourceCollection() const { return FResourceCollection; }
  TPersistent* ResolvePath(std::string_view Identifier) const;
  std::string PropertyAsText(std::string_view Identifier) const;
  void SetPropertyFromText(std::string_view Identifier, const std::string& Text);
  void ApplyExtendedTranslations();
  void SyncExtendedTranslations();
  // The translation of a resource string while this component handles them.
  std::string TranslateResourceString(int Id, const std::string& Text) const;

  // ---- stored with the form
  void WriteTranslationData(TStream& Stream);
  void ReadTranslationData(TStream& Stream);
  bool TranslationDataDiffers() const;

  // ---- text files
  virtual int ReadTypeFromStream(TStringsType ListType, TStream& Stream, bool ClearFirst);
  virtual int WriteTypeToStream(TStringsType ListType, TStream& Stream, const std::string& FileDelimiter);
  virtual int ReadAllFromStream(TStream& Stream, bool ClearFirst);
  virtual bool WriteAllToStream(TStream& Stream, const std::string& FileDelimiter);
  virtual bool MergeTypeFromStream(TStringsType ListType, TStream& Stream);
  virtual bool MergeAllFromStreamAndApply(TStream& Stream);
  virtual bool MergeAllFromStream(TStream& Stream);
  virtual int ReadTypeFromFile(TStringsType ListType, const std::string& FileName, bool ClearFirst);
  virtual int WriteTypeToFile(TStringsType ListType, const std::string& FileName, const std::string& FileDelimiter);
  virtual int ReadAllFromFile(const std::string& FileName, bool ClearFirst);
  virtual bool WriteAllToFile(const std::string& FileName, const std::string& FileDelimiter);
  virtual int ReadStringsFromFile(const std::string& FileName, bool ClearFirst);
  virtual int WriteStringsToFile(const std::string& FileName, const std::string& FileDelimiter);
  virtual bool MergeTypeFromFile(TStringsType ListType, const std::string& FileName);
  virtual bool MergeAllFromFileAndApply(const std::string& FileName);
  virtual int ReadAllFromFileNoApply(const std::string& FileName, bool ClearFirst);
  virtual bool MergeAllFromFile(const std::string& FileName);
  virtual void ImportLanguage(TStringsType ListType, const std::string& FileName, const std::string& LanguageName);
  virtual void ImportExtendedLanguage(const std::string& FileName, const std::string& LanguageName);
  virtual void ImportAllLanguage(const std::string& FileName, const std::string& LanguageName);
  int ReadExtendedFromStream(TStream& Stream, bool ClearFirst);
  bool WriteExtendedToStream(TStream& Stream, const std::string& FileDelimiter);
  int ReadExtendedFromFile(const std::string& FileName, bool ClearFirst);
  bool WriteExtendedToFile(const std::string& FileName, const std::string& FileDelimiter);
  bool FileLanguageNames(const std::string& FileName, TStrings* Names);

  // ---- LNB files
  void ReadFromLNB(const std::string& FileName);
  void ReadTypeFromLNB(TStringsType ListType, const std::string& FileName);

  // Stored rules of the published lists.
  bool StringsTypesStored() const;
  bool SmartExcludePropsStored() const;
  bool DoNotTranslateStored() const;
  bool ExcludedPropertiesStored() const;
  bool ExtendedTranslationsStored() const;

  // ---- state
  bool IsDesigning() const;
  bool IsLoading() const;
  // The owner's class name: the key of the owner's own entries.
  std::string OwnerClassName() const;
  // Test mode of the dispatcher is on.
  bool TestModeActive() const;
  std::string TestModeText(const std::string& Text) const;

 protected:
  // Called from the dispatcher: fields without side effects.
  friend class TLocLangDispatcher;
  friend class TLNBFileManager;
  void SetActiveLanguageField(int Value) { FActiveLanguage = Value; }
  void SetLanguageField(const std::string& Value) { FLanguage = Value; }

 private:
  // Collecting (LocLang_Collect.cpp).
  void CollectOwnerEntries();
  void CollectOwnerEntry(TStringsType Type, const std::string& Text, bool HasProperty);
  void WalkDefaultProperty(TStringsType Type);
  void WalkPropertiesLists();
  void WalkOtherStrings();
  void WalkCollections();
  void WalkCollectionItems(TComponent* C, const std::string& PathPrefix, TCollection* Coll, bool CheckExcluded);
  enum class TRecordResult { rrNone, rrFound, rrRecycled, rrAdded };
  TRecordResult RecordValue(TStringList* List, TStringsType Type, const std::string& Key, const std::string& Value,
                            TComponent* Component, std::string* RecycledEntry = nullptr);
  bool IsEligible(TComponent* C) const;
  bool IsActionLinked(TComponent* C) const;
  // Applying (LocLang_Apply.cpp).
  void ApplyOwnerText(TStringsType Type);
  void ApplyOwnerFont();
  void ApplyList(TStringsType Type);
  void ApplyCollections();
  void ApplyLocale(const std::string& Key, const std::string& Text);
  std::string TextForLanguage(std::string_view Entry, bool AllowTestMode) const;
  // Files (LocLang_Files.cpp).
  void AfterListRead(TStringsType Type);
  void ReadLanguageNames(const MemIni::TMemIniFile& Ini);
  void PutTypeIntoIni(TStringsType ListType, MemIni::TMemIniFile& Ini, const std::string& FileDelimiter);
  void PutLanguageNames(MemIni::TMemIniFile& Ini);
  void PutExtendedIntoIni(MemIni::TMemIniFile& Ini, const std::string& FileDelimiter);
  bool MergeTypeFromFileCore(TStringsType ListType, const std::string& FileName);
  void CutEntriesTo(int Languages);
  void CaptureSavedLocale();
  TLocCustomLang* SharedListSource(TStrings* List, bool UserStrings) const;

  std::array<std::unique_ptr<TStringList>, 11> FLists;
  int FActiveLanguage = 1;
  int FNumOfLanguages = 1;
  bool FChangeLocales = false;
  std::unique_ptr<TStringList> FRecycledEntries;
  std::array<std::string, 15> FSavedLocale;
  WeakRef<TLocLangDispatcher> FLangDispatcher;
  uint8_t FLangDelim = 1;
  std::unique_ptr<TStringList> FDoNotTranslate;
  std::string FLanguage;
  std::unique_ptr<TStringList> FLangNames;
  TLocLangOptions FOptions;
  bool FNeedAllDlgs = false;
  std::unique_ptr<TStringList> FExcludedProperties;
  std::unique_ptr<TStringList> FStringsTypes;
  std::unique_ptr<TStringList> FSmartExcludeProps;
  std::unique_ptr<TStringList> FFixedLanguageNames;
  uint16_t FResourceLanguageIndex = 1;
  TLocExtendedItems* FExtended = nullptr;
  int FDefaultLanguage = 1;
  WeakRef<TLocCustomLang> FFontsSource;
  bool FAutoSkipEmpties = false;
  TLocStringsCollection* FResourceCollection = nullptr;
  TLocStringsCollection* FNameCollection = nullptr;
  int FMarkerDelim = -1;  // delimiter named by the format marker of the data read, -1 without
  bool FDestroying = false;
};

class TLocLang : public TLocCustomLang {
  KV_CLASS(TLocLang, TLocCustomLang)
 public:
  using TLocCustomLang::TLocCustomLang;
};

// ---------------------------------------------------------------- LNB reader
class TLNBFileManager : public TPersistent {
  KV_CLASS(TLNBFileManager, TPersistent)
 public:
  TLNBFileManager();
  ~TLNBFileManager() override;
  static const std::string& HeaderText();  // with its zero byte
  std::string Header;
  TStringList* Owners() const { return FOwners.get(); }
  TStringList* Names() const { return FNames.get(); }
  TObjectList* Components() const { return FComponents.get(); }
  void ClearComponents();
  void LoadSectionFromFile(TLocCustomLang* Component, const std::string& SectionName, const std::string& FileName);
  // "Unrecognized stream format!" for a wrong header or a damaged table;
  // nothing changes then, nor when no section has that name.
  void LoadSectionFromStream(TLocCustomLang* Component, const std::string& SectionName, TStream& Stream);
  void LoadTypeFromSection(TStringsType ListType, const std::string& FileName, const std::string& SectionName,
                           TLocCustomLang* Target);

 protected:
  void AssignTo(TPersistent* Dest) const override;

 private:
  std::unique_ptr<TStringList> FOwners;
  std::unique_ptr<TObjectList> FComponents;
  std::unique_ptr<TStringList> FNames;
};

// ---------------------------------------------------------------- dispatcher
class TTestModeInfo : public TPersistent {
  KV_CLASS(TTestModeInfo, TPersistent)
 public:
  bool Active = false;
  uint8_t PaddingChar = 42;
  int ExpandCharsPercent = 100;
  int ExpandWidthPercent = 100;
  TTestModeKind Kind = TTestModeKind::tmkExpandWidth;
  void Assign(const TPersistent* Source) override;
};

using TLinkToDispatcherEvent = std::function<void(TObject* Sender, TLocCustomLang* Lang)>;

class TLocLangDispatcher : public TComponent {
  KV_CLASS(TLocLangDispatcher, TComponent)
 public:
  explicit TLocLangDispatcher(TComponent* AOwner);
  ~TLocLangDispatcher() override;
  void BeforeDestruction() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

  void LinkComponent(TLocCustomLang* Lang);
  void UnlinkComponent(TLocCustomLang* Lang);
  int LinkCount() const { return static_cast<int>(FLinks.size()); }
  TLocCustomLang* Links(int Index) const { return FLinks.at(static_cast<size_t>(Index)); }

  int GetActiveLanguage() const { return FActiveLanguage; }
  // Checked against every linked component first: all switch or none.
  void SetActiveLanguage(int Value);
  int GetNumOfLanguages() const { return FNumOfLanguages; }
  void SetNumOfLanguages(int Value);
  TStringList* GetLangNames() const { return FLangNames.get(); }
  void SetLangNames(TStrings* Value);
  const std::string& GetLanguage() const { return FLanguage; }
  void SetLanguage(const std::string& Value);
  std::string FileName;
  TLinkToDispatcherEvent OnLinkToDispatcher;
  TTestModeInfo* GetTestModeInfo() const { return FTestModeInfo.get(); }
  void SetTestModeInfo(TTestModeInfo* Value) { FTestModeInfo->Assign(Value); }
  bool GetTestMode() const { return FTestModeInfo->Active; }
  void SetTestMode(bool Value) { FTestModeInfo->Active = Value; }
  int GetTestPercentage() const { return FTestModeInfo->ExpandCharsPercent; }
  void SetTestPercentage(int Value) { FTestModeInfo->ExpandCharsPercent = Value; }
  bool GetUseDefaultLanguage() const { return FUseDefaultLanguage; }
  void SetUseDefaultLanguage(bool Value);
  int GetDefaultLanguage() const { return FDefaultLanguage; }
  void SetDefaultLanguage(int Value);
  TLNBFileManager* LNBReader();  // created on first need
  bool HasLNBReader() const { return FLNB != nullptr; }
  // The test-mode form of Text.
  std::string TestModeText(TComponent* Component, const std::string& Text) const;

 private:
  std::vector<TLocCustomLang*> FLinks;
  int FActiveLanguage = 1;
  int FNumOfLanguages = 1;
  std::string FLanguage;
  std::unique_ptr<TStringList> FLangNames;
  std::unique_ptr<TLNBFileManager> FLNB;
  std::unique_ptr<TTestModeInfo> FTestModeInfo;
  bool FUseDefaultLanguage = false;
  int FDefaultLanguage = 1;
};

namespace LocLang {
// Test-mode text by the settings of Info (pure; ExpandWidth measures with the
// "Tahoma" 8 screen face).
std::string TestModeText(const TTestModeInfo& Info, const std::string& Text);
}  // namespace LocLang

// ---------------------------------------------------------------- form storage
enum class TMyHKeyType {
  locHKEY_CURRENT_USER, locHKEY_CLASSES_ROOT, locHKEY_LOCAL_MACHINE, locHKEY_USERS, locHKEY_CURRENT_CONFIG,
  locHKEY_DYN_DATA
};

class TLocFormStorage : public TComponent {
  KV_CLASS(TLocFormStorage, TComponent)
 public:
  // EInvalidCast when AOwner is not a form.
  explicit TLocFormStorage(TComponent* AOwner);
  ~TLocFormStorage() override;
  void BeforeDestruction() override;
  void Loaded() override;
  bool GetActive() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  const std::string& GetSubKey() const { return FSubKey; }
  void SetSubKey(const std::string& Value) { FSubKey = Value; }
  TMyHKeyType GetRegRootKey() const { return FRegRootKey; }
  void SetRegRootKey(TMyHKeyType Value);
  HKEY RootKey() const { return FRootKey; }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SaveFormState();
  void RestoreFormState();
  // Where a failed save from the destructor is reported (default: nothing;
  // an exception must not leave a destructor).
  std::function<void(const std::exception&)> OnSaveError;

 private:
  bool FActive = true;
  std::string FSubKey;
  TMyHKeyType FRegRootKey = TMyHKeyType::locHKEY_CURRENT_USER;
  HKEY FRootKey = HKEY_CURRENT_USER;
  TForm* FForm;  // the owner; cleared when it announces its end
  bool FSaved = false;
  void SaveGuarded();
};
