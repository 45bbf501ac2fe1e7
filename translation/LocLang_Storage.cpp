// The lists stored with the form as the byte property "TranslationData".
#include "platform/rtl/Streaming.h"
#include "translation/LocLang_Internal.h"

using namespace SysUtils;

using namespace LocLang;
using namespace LocLangDetail;

namespace {

// First line of data written here: it names the delimiter, so reading never
// has to guess it from the texts. Lines before the first section are not
// entries, so readers that do not know it skip it.
constexpr std::string_view kMarker = "#TranslationData format 2, delimiter ";

std::string JoinEntries(const TStrings* List) {
  std::string text;
  for (int i = 0; i < List->Count(); ++i) text += (i ? "\r\n" : "") + List->Get(i);
  return text;
}

std::string Escape(std::string Entry) {
  for (char& c : Entry) {
    if (c == '\r') c = char(25);
    else if (c == '\n') c = char(26);
  }
  return Entry;
}

std::string Unescape(std::string Entry) {
  for (char& c : Entry) {
    if (c == char(25)) c = '\r';
    else if (c == char(26)) c = '\n';
  }
  return Entry;
}

// Index of the last field of an entry (the final delimiter ends, not starts, a field).
int LastField(std::string_view Entry, char D) {
  const int c = CountChar(Entry, D);
  return (!Entry.empty() && Entry.back() == D) ? c - 1 : c;
}

}  // namespace

bool TLocCustomLang::TranslationDataDiffers() const {
  if (!Ancestor) return true;
  for (int t = 0; t < StringsTypeCount; ++t) {
    TStringList* mine = ListOfType(static_cast<TStringsType>(t));
    TStringList* theirs = Ancestor->ListOfType(static_cast<TStringsType>(t));
    if (mine && theirs && JoinEntries(mine) != JoinEntries(theirs)) return true;
  }
  return false;
}

void TLocCustomLang::DefineProperties(TFiler& Filer) {
  TComponent::DefineProperties(Filer);
  const bool hasData = !Ancestor || (!UseInheritedData && TranslationDataDiffers());
  Filer.DefineBinaryProperty(
      "TranslationData", [this](TStream& S) { ReadTranslationData(S); }, [this](TStream& S) { WriteTranslationData(S); },
      hasData);
}

void TLocCustomLang::WriteTranslationData(TStream& Stream) {
  Stream.WriteString(std::string(kMarker) + IntToStr(FLangDelim) + "\r\n");
  for (int t = 0; t < StringsTypeCount; ++t) {
    TStringList* list = ListOfType(static_cast<TStringsType>(t));
    if (!list) continue;
    Stream.WriteString(StringsTypeName(static_cast<TStringsType>(t)) + "\r\n");
    std::string block;
    for (int i = 0; i < list->Count(); ++i) block += Escape(list->Get(i)) + "\r\n";
    if (!block.empty()) Stream.WriteString(block);
  }
}

void TLocCustomLang::ReadTranslationData(TStream& Stream) {
  FMarkerDelim = -1;
  TStringList lines;
  lines.SetText(Stream.ReadAll());
  const char d = Delim();
  const std::string clsPrefix = OwnerClassName() + d;
  const bool merge = IsInheritedOwner && !IsDesigning();
  TStringList* list = nullptr;
  bool inSection = false;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = lines[i];
    const int type = StringsTypeByName(line);
    if (type >= 0) {
      inSection = true;
      list = ListOfType(static_cast<TStringsType>(type));
      if (list && !merge) list->Clear();
      continue;
    }
    if (!inSection) {
      int code = -1;
      if (StartsWith(line, kMarker) && TryStrToInt(line.substr(kMarker.size()), code) && code >= 0 && code <= 255)
        FMarkerDelim = code;
      continue;
    }
    if (!list) continue;
    const std::string entry = Unescape(line);
    if (merge) {
      const std::string key = EntryField(entry, d, 0);
      int found = -1;
      for (int k = 0; k < list->Count() && found < 0; ++k)
        if (SameText(EntryField(list->Get(k), d, 0), key)) found = k;
      if (found >= 0) {
        const std::string old = list->Get(found);
        const int oldLast = LastField(old, d), newLast = LastField(entry, d);
        std::string merged = EntryField(old, d, 0) + d;
        for (int f = 1; f <= oldLast; ++f) {
          const std::string n = f <= newLast ? EntryField(entry, d, f) : std::string();
          merged += (n.empty() ? EntryField(old, d, f) : n) + d;
        }
        for (int f = oldLast + 1; f <= newLast; ++f) merged += EntryField(entry, d, f) + d;
        list->Put(found, merged);
        continue;
      }
    }
    if (StartsWith(entry, clsPrefix))
      list->Insert(0, entry);
    else
      list->Add(entry);
  }
}
