// Translation text files: INI sections of "FormClass.Key=text~!@#text~!@#".
#include <algorithm>

#include "platform/rtl/FileStore.h"
#include "translation/LocLang_Internal.h"
#include "translation/MemIni.h"

using namespace SysUtils;

using namespace LocLang;
using namespace LocLangDetail;
using MemIni::TMemIniFile;

namespace {

const char* const kNamesSection = "Language names - for internal use only!";
const char* const kOldNamesSection = "Language names - for intenal use only!";
const char* const kDefaultDelimiter = "~!@#";

bool Bracketed(TStringsType T) {
  return T == TStringsType::stCollections || T == TStringsType::stListView_TreeView_Items;
}

void ReplaceAll(std::string& Text, std::string_view From, std::string_view To) {
  if (From.empty()) return;
  size_t p = 0;
  while ((p = Text.find(From, p)) != std::string::npos) {
    Text.replace(p, From.size(), To);
    p += To.size();
  }
}

void EscapeBreaks(std::string& Text) {
  for (char& c : Text) {
    if (c == '\r') c = char(25);
    else if (c == '\n') c = char(26);
  }
}

void UnescapeBreaks(std::string& Text) {
  for (char& c : Text) {
    if (c == char(25)) c = '\r';
    else if (c == char(26)) c = '\n';
  }
}

// The parts of a value between file delimiters.
std::vector<std::string> SplitValue(const std::string& Value, const std::string& Delim) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t p = Delim.empty() ? std::string::npos : Value.find(Delim, start);
    if (p == std::string::npos) {
      parts.push_back(Value.substr(start));
      return parts;
    }
    parts.push_back(Value.substr(start, p - start));
    start = p + Delim.size();
  }
}

std::string FileDelimiterOf(const TMemIniFile& Ini) {
  std::string d = Ini.GetText("OPTIONS", "DELIMITER", kDefaultDelimiter);
  return d.empty() ? kDefaultDelimiter : d;
}

void LoadIni(TStream& Stream, TMemIniFile& Ini, bool FromStart) {
  if (FromStart) Stream.SetPosition(0);
  Ini.FromText(Stream.ReadAll());
}

bool LoadFile(const std::string& FileName, TMemoryStream& Stream) {
  std::string bytes;
  if (!FileExists(FileName) || !FileStore::ReadFile(FileName, bytes)) return false;
  Stream.WriteString(bytes);
  Stream.SetPosition(0);
  return true;
}

bool SaveFile(const std::string& FileName, const TMemoryStream& Stream) {
  std::string error;
  return FileStore::WriteFileAtomic(FileName, Stream.DataString(), error);
}

// Deletes, in Section of Text, the lines that begin with Prefix.
std::string DropSectionLines(const std::string& Text, const std::string& Section, const std::string& Prefix) {
  if (Prefix.size() <= 1) return Text;
  TStringList lines;
  lines.SetText(Text);
  bool inSection = false;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string l = lines[i];
    if (l.size() >= 2 && l.front() == '[' && l.back() == ']') {
      inSection = SameText(l.substr(1, l.size() - 2), Section);
      continue;
    }
    if (inSection && StartsWith(l, Prefix)) lines.Delete(i--);
  }
  std::string out;
  for (int i = 0; i < lines.Count(); ++i) out += lines[i] + "\r\n";
  return out;
}

struct TFlagRestore {
  bool& Flag;
  bool Saved;
  explicit TFlagRestore(bool& F, bool Value) : Flag(F), Saved(F) { Flag = Value; }
  ~TFlagRestore() { Flag = Saved; }
};

}  // namespace

// ============================================================================
// reading
// ============================================================================
void TLocCustomLang::ReadLanguageNames(const TMemIniFile& Ini) {
  FLangNames->Clear();
  for (int i = 1;; ++i) {
    std::string name;
    if (!Ini.FindText(kNamesSection, "Language_" + IntToStr(i), name) || name.empty()) break;
    FLangNames->Add(name);
  }
  FNumOfLanguages = std::max(1, FLangNames->Count());
  // The active language stays within the languages the file brought.
  FActiveLanguage = std::clamp(FActiveLanguage, 1, FNumOfLanguages);
  if (FActiveLanguage <= FLangNames->Count()) FLanguage = FLangNames->Get(FActiveLanguage - 1);
  FFixedLanguageNames->Clear();
  for (int i = 1; i <= FNumOfLanguages && i <= FLangNames->Count(); ++i)
    if (Ini.GetFlag("OPTIONS", "Language_Fixed" + IntToStr(i), false)) FFixedLanguageNames->Add(FLangNames->Get(i - 1));
}

void TLocCustomLang::AfterListRead(TStringsType Type) {
  if (SuspendApply) return;
  PurgeMissing(ListOfType(Type), Type);
  if (Type == TStringsType::stStrings) RebuildStringCollections();
  ApplyLanguage();
}

namespace {
// Entries of every list padded or cut to N languages.
void FitEntries(TLocCustomLang& L, int N) {
  const char d = L.Delim();
  for (int t = 0; t < StringsTypeCount; ++t) {
    TStringList* list = L.ListOfType(static_cast<TStringsType>(t));
    if (!list) continue;
    for (int i = 0; i < list->Count(); ++i) {
      std::string e = list->Get(i);
      const int c = CountChar(e, d);
      if (c < N + 1) {
        e += std::string(size_t(N + 1 - c), d);
      } else if (c > N + 1) {
        int seen = 0;
        for (size_t k = 0; k < e.size(); ++k)
          if (e[k] == d && ++seen == N + 1) {
            e.resize(k + 1);
            break;
          }
      } else {
        continue;
      }
      list->Put(i, e);
    }
  }
}
}  // namespace

int TLocCustomLang::ReadTypeFromStream(TStringsType ListType, TStream& Stream, bool ClearFirst) {
  TStringList* list = ListOfType(ListType);
  if (!list) return -1;
  try {
    if (ClearFirst) list->Clear();
    TMemIniFile ini;
    LoadIni(Stream, ini, true);
    const std::string fd = FileDelimiterOf(ini);
    const bool names = ini.HasSection(kNamesSection);
    if (names) ReadLanguageNames(ini);
    const char d = Delim();
    const std::string cls = OwnerClassName();
    const std::string ownerName = Owner() ? Owner()->GetName() : std::string();
    TStringList keys;
    ini.GetSectionKeys(ListTypeSection(ListType), &keys);
    for (int i = 0; i < keys.Count(); ++i) {
      const std::string fileKey = keys[i];
      std::string key = fileKey;
      if (Bracketed(ListType)) {
        if (size_t p = key.find('-'); p != std::string::npos) key[p] = '[';
        if (size_t p = key.find('+'); p != std::string::npos) key[p] = ']';
      }
      std::string head;
      if (!ownerName.empty() && StartsText(key, ownerName + "."))
        head = ownerName;
      else if (!cls.empty() && StartsText(key, cls + "."))
        head = cls;
      else
        continue;
      key = key.substr(head.size() + 1);
      if (FDoNotTranslate->IndexOf(key.substr(0, key.find('.'))) >= 0) continue;
      std::string value;
      if (!ini.FindText(ListTypeSection(ListType), fileKey, value)) continue;
      // A value without any file delimiter (written by hand) serves two languages.
      if (value.find(fd) == std::string::npos) value = value + fd + value;
      ReplaceAll(value, fd, std::string(1, d));
      UnescapeBreaks(value);
      std::string entry = key + d + value;
      if (entry.back() != d) entry += d;
      if (StartsText(entry, head + d))
        list->Insert(0, entry);
      else
        list->Add(entry);
    }
    if (names) FitEntries(*this, FNumOfLanguages);
    AfterListRead(ListType);
    return list->Count();
  } catch (const std::exception&) {
    return -1;
  }
}

int TLocCustomLang::ReadTypeFromFile(TStringsType ListType, const std::string& FileName, bool ClearFirst) {
  TMemoryStream stream;
  if (!LoadFile(FileName, stream)) return -1;
  return ReadTypeFromStream(ListType, stream, ClearFirst);
}

int TLocCustomLang::ReadAllFromStream(TStream& Stream, bool ClearFirst) {
  int total = 0;
  {
    TFlagRestore suspend(SuspendApply, true);
    for (int t = 0; t < StringsTypeCount; ++t) {
      const auto type = static_cast<TStringsType>(t);
      if (!ListOfType(type)) continue;
      const int n = ReadTypeFromStream(type, Stream, ClearFirst);
      if (n > 0) total += n;
      PurgeMissing(ListOfType(type), type);
    }
    ReadExtendedFromStream(Stream, ClearFirst);
    RebuildStringCollections();
  }
  ApplyLanguage();
  return total;
}

int TLocCustomLang::ReadAllFromFile(const std::string& FileName, bool ClearFirst) {
  TMemoryStream stream;
  if (!LoadFile(FileName, stream)) return -1;
  return ReadAllFromStream(stream, ClearFirst);
}

int TLocCustomLang::ReadAllFromFileNoApply(const std::string& FileName, bool ClearFirst) {
  if (!FileExists(FileName)) return -1;
  TFlagRestore suspend(SuspendApply, true);
  int total = 0;
  for (int t = 0; t < StringsTypeCount; ++t) {
    const auto type = static_cast<TStringsType>(t);
    if (!ListOfType(type)) continue;
    const int n = ReadTypeFromFile(type, FileName, ClearFirst);
    if (n > 0) total += n;
  }
  ReadExtendedFromFile(FileName, ClearFirst);
  RebuildStringCollections();
  return total;
}

int TLocCustomLang::ReadStringsFromFile(const std::string& FileName, bool ClearFirst) {
  return ReadTypeFromFile(TStringsType::stStrings, FileName, ClearFirst);
}

// ============================================================================
// writing
// ============================================================================
void TLocCustomLang::PutLanguageNames(TMemIniFile& Ini) {
  Ini.RemoveSection(kNamesSection);
  for (int i = 1; i <= FNumOfLanguages; ++i) {
    std::string name = i <= FLangNames->Count() ? FLangNames->Get(i - 1) : std::string();
    if (name.empty()) name = "Language N" + IntToStr(i);
    Ini.PutText(kNamesSection, "Language_" + IntToStr(i), name);
  }
  Ini.RemoveSection(kOldNamesSection);
}

void TLocCustomLang::PutTypeIntoIni(TStringsType ListType, TMemIniFile& Ini, const std::string& FileDelimiter) {
  TStringList* list = ListOfType(ListType);
  Ini.PutText("OPTIONS", "DELIMITER", FileDelimiter);
  PutLanguageNames(Ini);
  const char d = Delim();
  for (int i = 0; i < list->Count(); ++i) {
    const std::string e = list->Get(i);
    const size_t p = e.find(d);
    std::string key = e.substr(0, p);
    if (Bracketed(ListType)) {
      std::replace(key.begin(), key.end(), '[', '-');
      std::replace(key.begin(), key.end(), ']', '+');
    }
    std::string value = p == std::string::npos ? std::string() : e.substr(p + 1);
    ReplaceAll(value, std::string(1, d), FileDelimiter);
    EscapeBreaks(value);
    Ini.PutText(ListTypeSection(ListType), OwnerClassName() + "." + key, value);
  }
}

int TLocCustomLang::WriteTypeToStream(TStringsType ListType, TStream& Stream, const std::string& FileDelimiter) {
  TStringList* list = ListOfType(ListType);
  if (!list) return -1;
  try {
    const int64_t start = Stream.GetPosition();
    TMemIniFile ini;
    LoadIni(Stream, ini, false);
    PutTypeIntoIni(ListType, ini, FileDelimiter);
    const std::string ownerName = Owner() ? Owner()->GetName() : std::string();
    std::string text = ini.ToText();
    if (!ownerName.empty() && ownerName != OwnerClassName())
      text = DropSectionLines(text, ListTypeSection(ListType), ownerName + ".");
    if (!AppendToFile) {
      Stream.SetSize(0);
      Stream.SetPosition(0);
    } else {
      Stream.SetPosition(start);
    }
    Stream.WriteString(text);
    return list->Count();
  } catch (const std::exception&) {
    return -1;
  }
}

int TLocCustomLang::WriteTypeToFile(TStringsType ListType, const std::string& FileName,
                                    const std::string& FileDelimiter) {
  TMemoryStream stream;
  LoadFile(FileName, stream);
  const int n = WriteTypeToStream(ListType, stream, FileDelimiter);
  if (n < 0) return n;
  return SaveFile(FileName, stream) ? n : -1;
}

int TLocCustomLang::WriteStringsToFile(const std::string& FileName, const std::string& FileDelimiter) {
  return WriteTypeToFile(TStringsType::stStrings, FileName, FileDelimiter);
}

void TLocCustomLang::PutExtendedIntoIni(TMemIniFile& Ini, const std::string& FileDelimiter) {
  Ini.PutText("Options", "Delimiter", FileDelimiter);
  PutLanguageNames(Ini);
  for (int i = 0; i < FExtended->Count(); ++i) {
    const TLocExtendedItem* item = FExtended->Items(i);
    const std::string key = OwnerClassName() + "." + item->GetIdentifier();
    std::string value = item->Values;
    ReplaceAll(value, std::string(1, Delim()), FileDelimiter);
    EscapeBreaks(value);
    Ini.PutText("Extended", key, value);
    Ini.PutText("Extended", key + "_TypeKind", TypeKindName(item->PropertyType));
  }
}

bool TLocCustomLang::WriteAllToStream(TStream& Stream, const std::string& FileDelimiter) {
  // One structure for every list type and the extended section, written once.
  try {
    TMemIniFile ini;
    for (int t = 0; t < StringsTypeCount; ++t)
      if (ListOfType(static_cast<TStringsType>(t))) PutTypeIntoIni(static_cast<TStringsType>(t), ini, FileDelimiter);
    PutExtendedIntoIni(ini, FileDelimiter);
    Stream.WriteString(ini.ToText());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TLocCustomLang::WriteAllToFile(const std::string& FileName, const std::string& FileDelimiter) {
  TMemoryStream stream;
  LoadFile(FileName, stream);
  for (int t = 0; t < StringsTypeCount; ++t) {
    const auto type = static_cast<TStringsType>(t);
    if (!ListOfType(type)) continue;
    stream.SetPosition(0);
    if (WriteTypeToStream(type, stream, FileDelimiter) < 0) return false;
  }
  if (!WriteExtendedToStream(stream, FileDelimiter)) return false;
  return SaveFile(FileName, stream);
}

// ============================================================================
// extended section
// ============================================================================
int TLocCustomLang::ReadExtendedFromStream(TStream& Stream, bool ClearFirst) {
  try {
    if (ClearFirst) FExtended->Clear();
    TMemIniFile ini;
    LoadIni(Stream, ini, true);
    std::string fd = ini.GetText("Options", "Delimiter", kDefaultDelimiter);
    if (fd.empty()) fd = kDefaultDelimiter;
    const std::string prefix = OwnerClassName() + ".";
    TStringList keys;
    ini.GetSectionKeys("Extended", &keys);
    for (int i = 0; i < keys.Count(); ++i) {
      const std::string key = keys[i];
      if (!StartsWith(key, prefix) || key.size() <= prefix.size()) continue;
      if (key.size() >= 9 && key.compare(key.size() - 9, 9, "_TypeKind") == 0) continue;
      const std::string id = key.substr(prefix.size());
      TLocExtendedItem* item = FExtended->Find(id);
      if (!item) {
        item = FExtended->Add();
        item->SetIdentifier(id);
      }
      std::string value = ini.GetText("Extended", key, "");
      ReplaceAll(value, fd, std::string(1, Delim()));
      UnescapeBreaks(value);
      item->Values = value;
      const std::string kind = ini.GetText("Extended", key + "_TypeKind", "tkUnknown");
      item->PropertyType = TypeKindByName(kind.substr(0, kind.find(fd)));
    }
    return FExtended->Count();
  } catch (const std::exception&) {
    return -1;
  }
}

bool TLocCustomLang::WriteExtendedToStream(TStream& Stream, const std::string& FileDelimiter) {
  try {
    TMemIniFile ini;
    LoadIni(Stream, ini, true);
    PutExtendedIntoIni(ini, FileDelimiter);
    Stream.SetSize(0);
    Stream.SetPosition(0);
    Stream.WriteString(ini.ToText());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

int TLocCustomLang::ReadExtendedFromFile(const std::string& FileName, bool ClearFirst) {
  TMemoryStream stream;
  if (!LoadFile(FileName, stream)) return -1;
  return ReadExtendedFromStream(stream, ClearFirst);
}

bool TLocCustomLang::WriteExtendedToFile(const std::string& FileName, const std::string& FileDelimiter) {
  TMemoryStream stream;
  LoadFile(FileName, stream);
  return WriteExtendedToStream(stream, FileDelimiter) && SaveFile(FileName, stream);
}

// ============================================================================
// merging
// ============================================================================
namespace {
void AppendMissing(TStrings* List, const TStrings* Old, char D) {
  for (int i = 0; i < Old->Count(); ++i) {
    const std::string key = EntryField(Old->Get(i), D, 0);
    bool found = false;
    for (int k = 0; k < List->Count() && !found; ++k) found = SameText(EntryField(List->Get(k), D, 0), key);
    if (!found) List->Add(Old->Get(i));
  }
}
}  // namespace

bool TLocCustomLang::MergeTypeFromStream(TStringsType ListType, TStream& Stream) {
  TStringList* list = ListOfType(ListType);
  if (!list) return true;
  TStringList copy;
  copy.Assign(list);
  const bool callerSuspended = SuspendApply;
  {
    TFlagRestore suspend(SuspendApply, true);
    try {
      if (ReadTypeFromStream(ListType, Stream, true) < 0) throw Exception("read failed");
      AppendMissing(list, &copy, Delim());
    } catch (const std::exception&) {
      list->Assign(&copy);
      return false;
    }
  }
  if (!callerSuspended) {
    PurgeMissing(list, ListType);
    if (ListType == TStringsType::stStrings) RebuildStringCollections();
    ApplyLanguage();
  }
  return true;
}

bool TLocCustomLang::MergeTypeFromFileCore(TStringsType ListType, const std::string& FileName) {
  TStringList* list = ListOfType(ListType);
  TStringList fileNames;
  FileLanguageNames(FileName, &fileNames);
  TStringList copy;
  copy.Assign(list);
  TFlagRestore suspend(SuspendApply, true);
  try {
    if (UpperCase(ExtractFileExt(FileName)) == ".LNB") {
      ReadTypeFromLNB(ListType, FileName);
    } else if (ReadTypeFromFile(ListType, FileName, true) < 0) {
      throw Exception("read failed");
    }
    if (!SameText(Trim(fileNames.GetText()), Trim(FLangNames->GetText()))) {
      for (int k = fileNames.Count() - 1; k >= 0; --k) {
        const int pos = FLangNames->IndexOf(fileNames[k]);
        if (pos < 0) {
          DeleteLanguageColumn(list, k + 1);
          fileNames.Delete(k);
        } else if (pos != k) {
          MoveLanguageColumn(list, k + 1, pos + 1);
        }
      }
    }
    AppendMissing(list, &copy, Delim());
    return true;
  } catch (const std::exception&) {
    list->Assign(&copy);
    return false;
  }
}

bool TLocCustomLang::MergeTypeFromFile(TStringsType ListType, const std::string& FileName) {
  if (!FileExists(FileName)) return false;
  if (!ListOfType(ListType)) return true;
  const bool callerSuspended = SuspendApply;
  if (!MergeTypeFromFileCore(ListType, FileName)) return false;
  if (!callerSuspended) {
    PurgeMissing(ListOfType(ListType), ListType);
    if (ListType == TStringsType::stStrings) RebuildStringCollections();
    ApplyLanguage();
  }
  return true;
}

bool TLocCustomLang::MergeAllFromStream(TStream& Stream) {
  TFlagRestore suspend(SuspendApply, true);
  for (int t = 0; t < StringsTypeCount; ++t) {
    const auto type = static_cast<TStringsType>(t);
    if (!MergeTypeFromStream(type, Stream)) return false;
    PurgeMissing(ListOfType(type), type);
  }
  RebuildStringCollections();
  return true;
}

bool TLocCustomLang::MergeAllFromFile(const std::string& FileName) {
  TFlagRestore suspend(SuspendApply, true);
  for (int t = 0; t < StringsTypeCount; ++t) {
    const auto type = static_cast<TStringsType>(t);
    if (!MergeTypeFromFile(type, FileName)) return false;
    PurgeMissing(ListOfType(type), type);
  }
  RebuildStringCollections();
  return true;
}

bool TLocCustomLang::MergeAllFromStreamAndApply(TStream& Stream) {
  MergeAllFromStream(Stream);
  ApplyLanguage();
  return true;
}

bool TLocCustomLang::MergeAllFromFileAndApply(const std::string& FileName) {
  const bool ok = MergeAllFromFile(FileName);
  ApplyLanguage();
  return ok;
}

// ============================================================================
// importing one language
// ============================================================================
namespace {
// The number of LanguageName among the file's names, 0 when missing.
int FileLanguageNumber(const TMemIniFile& Ini, const std::string& LanguageName) {
  for (int i = 1;; ++i) {
    const std::string n = Ini.GetText(kNamesSection, "Language_" + IntToStr(i), "");
    if (n.empty()) return 0;
    if (n == LanguageName) return i;
  }
}
}  // namespace

void TLocCustomLang::ImportLanguage(TStringsType ListType, const std::string& FileName,
                                    const std::string& LanguageName) {
  TStringList* list = ListOfType(ListType);
  if (!list || LanguageName.empty() || !FileExists(FileName)) return;
  TMemIniFile ini(FileName);
  const std::string fd = FileDelimiterOf(ini);
  const int j = FileLanguageNumber(ini, LanguageName);
  if (j == 0) {
    if (DoRaiseExceptions) throw Exception(LanguageName + " not found in " + FileName);
    return;
  }
  try {
    int target = FLangNames->IndexOf(LanguageName) + 1;
    if (target == 0) {
      FLangNames->Add(LanguageName);
      ++FNumOfLanguages;
      target = FNumOfLanguages;
      FitEntries(*this, FNumOfLanguages);
    }
    const std::string prefix = OwnerClassName() + ".";
    TStringList keys;
    ini.GetSectionKeys(ListTypeSection(ListType), &keys);
    for (int i = 0; i < keys.Count(); ++i) {
      std::string key = keys[i];
      if (!StartsWith(key, prefix)) continue;
      std::string value = ini.GetText(ListTypeSection(ListType), key, "");
      if (Bracketed(ListType)) {
        if (size_t p = key.find('-'); p != std::string::npos) key[p] = '[';
        if (size_t p = key.find('+'); p != std::string::npos) key[p] = ']';
      }
      const std::vector<std::string> parts = SplitValue(value, fd);
      std::string text = size_t(j) <= parts.size() ? parts[size_t(j - 1)] : std::string();
      UnescapeBreaks(text);
      const std::string entryKey = key.substr(prefix.size());
      bool found = false;
      for (int k = 0; k < list->Count() && !found; ++k) found = StartsWith(list->Get(k), entryKey + Delim());
      if (found)
        SetEntryText(list, text, target, entryKey);
      else
        list->Add(entryKey + Delim() + SingleColumnTexts(text, target));
    }
    AfterListRead(ListType);
  } catch (const std::exception&) {
    // What was imported stays.
  }
}

void TLocCustomLang::ImportExtendedLanguage(const std::string& FileName, const std::string& LanguageName) {
  if (LanguageName.empty() || !FileExists(FileName)) return;
  TMemIniFile ini(FileName);
  std::string fd = ini.GetText("Options", "Delimiter", kDefaultDelimiter);
  if (fd.empty()) fd = kDefaultDelimiter;
  const int j = FileLanguageNumber(ini, LanguageName);
  if (j == 0) {
    if (DoRaiseExceptions) throw Exception(LanguageName + " not found in " + FileName);
    return;
  }
  try {
    int target = FLangNames->IndexOf(LanguageName) + 1;
    if (target == 0) {
      FLangNames->Add(LanguageName);
      ++FNumOfLanguages;
      target = FNumOfLanguages;
      FitEntries(*this, FNumOfLanguages);
    }
    const std::string prefix = OwnerClassName() + ".";
    const std::string d(1, Delim());
    TStringList keys;
    ini.GetSectionKeys("Extended", &keys);
    for (int i = 0; i < keys.Count(); ++i) {
      const std::string key = keys[i];
      if (!StartsWith(key, prefix) || (key.size() >= 9 && key.compare(key.size() - 9, 9, "_TypeKind") == 0)) continue;
      const std::vector<std::string> parts = SplitValue(ini.GetText("Extended", key, ""), fd);
      std::string text = size_t(j) <= parts.size() ? parts[size_t(j - 1)] : std::string();
      UnescapeBreaks(text);
      const std::string id = key.substr(prefix.size());
      if (TLocExtendedItem* item = FExtended->Find(id)) {
        std::string values;
        for (int l = 1; l <= FNumOfLanguages; ++l)
          values += (l == target ? text : EntryField(d + item->Values, Delim(), l)) + d;
        item->Values = values;
      } else {
        item = FExtended->Add();
        item->SetIdentifier(id);
        item->Values = SingleColumnTexts(text, target);
        item->PropertyType = TypeKindByName(ini.GetText("Extended", key + "_TypeKind", "tkUnknown"));
      }
    }
    if (!SuspendApply) ApplyLanguage();
  } catch (const std::exception&) {
  }
}

void TLocCustomLang::ImportAllLanguage(const std::string& FileName, const std::string& LanguageName) {
  {
    TFlagRestore suspend(SuspendApply, true);
    for (int t = 0; t < StringsTypeCount; ++t) {
      const auto type = static_cast<TStringsType>(t);
      ImportLanguage(type, FileName, LanguageName);
      PurgeMissing(ListOfType(type), type);
    }
    ImportExtendedLanguage(FileName, LanguageName);
    RebuildStringCollections();
  }
  ApplyLanguage();
}

bool TLocCustomLang::FileLanguageNames(const std::string& FileName, TStrings* Names) {
  Names->Clear();
  if (!FileExists(FileName)) return false;
  try {
    if (UpperCase(ExtractFileExt(FileName)) == ".LNB") {
      TLNBFileManager manager;
      std::unique_ptr<TLocCustomLang, void (*)(TLocCustomLang*)> scratch(
          static_cast<TLocCustomLang*>(ClassType()->CreateInstance(nullptr)), [](TLocCustomLang* l) { l->Free(); });
      scratch->Suspended = true;
      manager.LoadSectionFromFile(scratch.get(), OwnerClassName(), FileName);
      Names->Assign(scratch->GetLangNames());
      return true;
    }
    TMemIniFile ini(FileName);
    for (int i = 1;; ++i) {
      const std::string n = ini.GetText(kNamesSection, "Language_" + IntToStr(i), "");
      if (n.empty()) break;
      Names->Add(n);
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
