#include <algorithm>
#include <numeric>

#include "platform/rtl/Classes.h"

using SysUtils::Format;

namespace {

// Items of a delimited text that need quoting.
bool NeedsQuotes(const std::string& s, char delimiter, char quote, bool strict) {
  for (char c : s) {
    if (c == delimiter || c == quote || c == '\0') return true;
    if (!strict && static_cast<unsigned char>(c) <= ' ') return true;
  }
  return false;
}

std::string DelimitedTextOf(const TStrings& list, char delimiter, char quote, bool strict) {
  const int n = list.Count();
  if (n == 1 && list.Get(0).empty()) return std::string(2, quote);
  std::string result;
  for (int i = 0; i < n; ++i) {
    if (i > 0) result += delimiter;
    std::string s = list.Get(i);
    result += NeedsQuotes(s, delimiter, quote, strict) ? SysUtils::AnsiQuotedStr(s, quote) : s;
  }
  return result;
}

bool IsBlank(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }

void SetDelimitedTextOf(TStrings& list, std::string_view value, char delimiter, char quote, bool strict) {
  list.BeginUpdate();
  try {
    list.Clear();
    size_t p = 0;
    const size_t n = value.size();
    auto skipBlanks = [&] {
      if (!strict)
        while (p < n && IsBlank(value[p])) ++p;
    };
    skipBlanks();
    while (p < n) {
      std::string item;
      if (value[p] == quote) {
        // Quoted item: doubled quotes stand for one; ends at the closing quote.
        ++p;
        while (p < n) {
          if (value[p] == quote) {
            if (p + 1 < n && value[p + 1] == quote) {
              item += quote;
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          item += value[p++];
        }
      } else {
        size_t start = p;
        while (p < n && value[p] != delimiter && (strict || !IsBlank(value[p]))) ++p;
        item.assign(value.substr(start, p - start));
      }
      list.Add(item);
      skipBlanks();
      if (p < n && value[p] == delimiter) {
        if (p + 1 == n) list.Add(std::string());  // a trailing delimiter ends with an empty item
        ++p;
        skipBlanks();
      }
    }
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}

}  // namespace

// ---------------------------------------------------------------- TStrings
KV_CLASS_IMPL(TStrings, TPersistent) {}

void TStrings::Error(const std::string& Msg, int Data) const {
  throw EStringListError(Format(Msg, {Data}));
}

void TStrings::Put(int Index, const std::string& S) {
  TObject* obj = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& S) {
  int index = GetCount();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(const TStrings* Strings) {
  if (!Strings) return;
  BeginUpdate();
  try {
    for (int i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  try {
    std::string s = Get(Index1);
    TObject* o = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= Count()) Error("List index out of bounds (%d)", NewIndex);
  BeginUpdate();
  try {
    std::string s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const {
  return GetCaseSensitive() ? SysUtils::CompareStr(S1, S2) : SysUtils::CompareText(S1, S2);
}

int TStrings::IndexOf(std::string_view S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(std::string_view Name) const {
  for (int i = 0; i < GetCount(); ++i) {
    std::string s = Get(i);
    size_t p = s.find(NameValueSeparator);
    if (p != std::string::npos && CompareStrings(std::string_view(s).substr(0, p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (!Strings || Strings->Count() != Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

void TStrings::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TStrings*>(Source);
  if (!src) return TPersistent::Assign(Source);
  if (src == this) return;
  BeginUpdate();
  try {
    Clear();
    Delimiter = src->Delimiter;
    QuoteChar = src->QuoteChar;
    StrictDelimiter = src->StrictDelimiter;
    NameValueSeparator = src->NameValueSeparator;
    LineBreak = src->LineBreak;
    AddStrings(src);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::GetText() const {
  std::string result;
  for (int i = 0; i < GetCount(); ++i) {
    result += Get(i);
    result += LineBreak;
  }
  return result;
}

void TStrings::SetText(std::string_view Text) {
  BeginUpdate();
  try {
    Clear();
    size_t p = 0;
    const size_t n = Text.size();
    while (p < n) {
      size_t start = p;
      while (p < n && Text[p] != '\r' && Text[p] != '\n') ++p;
      Add(std::string(Text.substr(start, p - start)));
      if (p < n && Text[p] == '\r') {
        ++p;
        if (p < n && Text[p] == '\n') ++p;
      } else if (p < n && Text[p] == '\n') {
        ++p;
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::GetDelimitedText() const {
  return DelimitedTextOf(*this, Delimiter, QuoteChar, StrictDelimiter);
}

void TStrings::SetDelimitedText(std::string_view Value) {
  SetDelimitedTextOf(*this, Value, Delimiter, QuoteChar, StrictDelimiter);
}

std::string TStrings::GetCommaText() const { return DelimitedTextOf(*this, ',', '"', false); }

void TStrings::SetCommaText(std::string_view Value) { SetDelimitedTextOf(*this, Value, ',', '"', false); }

std::string TStrings::Names(int Index) const {
  std::string s = Get(Index);
  size_t p = s.find(NameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int Index) const {
  if (Index < 0) return {};
  std::string s = Get(Index);
  size_t p = s.find(NameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int Index, const std::string& Value) {
  if (!Value.empty()) {
    if (Index < 0) Index = Add(std::string());
    Put(Index, Names(Index) + NameValueSeparator + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

std::string TStrings::Values(std::string_view Name) const { return ValueFromIndex(IndexOfName(Name)); }

void TStrings::SetValue(std::string_view Name, const std::string& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    std::string line = std::string(Name) + NameValueSeparator + Value;
    if (i < 0)
      Add(line);
    else
      Put(i, line);
  } else if (i >= 0) {
    Delete(i);
  }
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const std::string& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TStrings::SaveToFile(const std::string& FileName) const {
  TMemoryStream text;
  SaveToStream(text);
  text.SaveToFile(FileName);
}

void TStrings::LoadFromStream(TStream& Stream) { SetText(SysUtils::DecodeText(Stream.ReadAll())); }

void TStrings::SaveToStream(TStream& Stream) const { Stream.WriteString(GetText()); }

// ---------------------------------------------------------------- TStringList
KV_CLASS_IMPL(TStringList, TStrings) {
  c.Property("Sorted", &TStringList::GetSorted, &TStringList::SetSorted).Default(false);
  c.Property("CaseSensitive", &TStringList::GetCaseSensitive, &TStringList::SetCaseSensitive).Default(false);
  c.Property("Duplicates", &TStringList::Duplicates).Names({"dupIgnore", "dupAccept", "dupError"}).Default(TDuplicates::dupIgnore);
}

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (OwnsObjects)
    for (TItem& item : FItems) FreeAndNil(item.O);
}

std::string TStringList::Get(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  return FItems[size_t(Index)].S;
}

void TStringList::Put(int Index, const std::string& S) {
  if (FSorted) Error("Operation not allowed on sorted list", 0);
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  Changing();
  FItems[size_t(Index)].S = S;
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  return FItems[size_t(Index)].O;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  Changing();
  FItems[size_t(Index)].O = AObject;
  Changed();
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* AObject) {
  int index = GetCount();
  if (FSorted && Find(S, index)) {
    switch (Duplicates) {
      case TDuplicates::dupIgnore: return index;
      case TDuplicates::dupError: Error("String list does not allow duplicates", 0);
      case TDuplicates::dupAccept: break;
    }
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Insert(int Index, const std::string& S) {
  if (FSorted) Error("Operation not allowed on sorted list", 0);
  if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
  InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
  Changing();
  FItems.insert(FItems.begin() + Index, TItem{S, AObject});
  Changed();
}

void TStringList::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
  Changing();
  TObject* obj = FItems[size_t(Index)].O;
  FItems.erase(FItems.begin() + Index);
  if (OwnsObjects) FreeObject(obj);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  std::vector<TItem> old;
  old.swap(FItems);
  if (OwnsObjects)
    for (TItem& item : old) FreeObject(item.O);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= GetCount()) Error("List index out of bounds (%d)", Index1);
  if (Index2 < 0 || Index2 >= GetCount()) Error("List index out of bounds (%d)", Index2);
  Changing();
  std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
  Changed();
}

bool TStringList::Find(std::string_view S, int& Index) const {
  // Lower bound, so that among equal items the first is found.
  int lo = 0, hi = GetCount();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareStrings(FItems[size_t(mid)].S, S) < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  Index = lo;
  return lo < GetCount() && CompareStrings(FItems[size_t(lo)].S, S) == 0;
}

int TStringList::IndexOf(std::string_view S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int index = -1;
  return Find(S, index) ? index : -1;
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, int a, int b) {
    return list->CompareStrings(list->FItems[size_t(a)].S, list->FItems[size_t(b)].S);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (GetCount() < 2) return;
  Changing();
  // Sort a permutation, so the comparer sees the list unchanged by index.
  std::vector<int> order(FItems.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
  std::vector<TItem> sorted;
  sorted.reserve(FItems.size());
  for (int i : order) sorted.push_back(std::move(FItems[size_t(i)]));
  FItems.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (Value == FSorted) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value == FCaseSensitive) return;
  FCaseSensitive = Value;
  if (FSorted) Sort();
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}
