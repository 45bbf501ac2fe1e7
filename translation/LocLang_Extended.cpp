// String collections, extended translations, resource strings and the
// property walks they share.
#include <algorithm>

#include "platform/rtl/ResStrings.h"
#include "platform/rtl/Streaming.h"
#include "translation/LocLang_Internal.h"
#include "platform/ui/TranslateRules.h"
#include "translation/MemIni.h"

using namespace SysUtils;

using namespace LocLang;
using namespace LocLangDetail;

// ============================================================================
// property walks
// ============================================================================
TPropKinds TLocPropInfoList::Usual() {
  return {TPropKind::pkInteger, TPropKind::pkInt64, TPropKind::pkFloat, TPropKind::pkString, TPropKind::pkBool,
          TPropKind::pkEnum,    TPropKind::pkSet,   TPropKind::pkColor, TPropKind::pkClass};
}

TLocPropInfoList::TLocPropInfoList(const TObject* Instance, TPropKinds Kinds) {
  if (!Instance) return;
  for (const TPropInfo* p : Instance->ClassType()->Properties())
    if (Kinds.Contains(p->Kind)) FItems.push_back(p);
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const TPropInfo* a, const TPropInfo* b) { return CompareText(a->Name, b->Name) < 0; });
}

const TPropInfo* TLocPropInfoList::Find(std::string_view Name) const {
  for (const TPropInfo* p : FItems)
    if (SameText(p->Name, Name)) return p;
  return nullptr;
}

namespace LocLangDetail {

const TPropInfo* FindProp(const TObject* Obj, std::string_view Name) {
  return Obj ? Obj->ClassType()->FindProperty(Name) : nullptr;
}

TObject* ObjectValue(const TObject* Obj, const TPropInfo* P) {
  if (!Obj || !IsClass(P) || !P->Get) return nullptr;
  try {
    const TPropValue v = P->Get(Obj);
    if (auto* o = std::get_if<TObject*>(&v)) return *o;
  } catch (const std::exception&) {
  }
  return nullptr;
}

TObject* ObjectProp(const TObject* Obj, std::string_view Name) { return ObjectValue(Obj, FindProp(Obj, Name)); }

std::string PropertyText(const TObject* Obj, const TPropInfo* P) {
  if (!Obj || !IsString(P) || !P->Get) return "";
  try {
    const TPropValue v = P->Get(Obj);
    if (auto* s = std::get_if<std::string>(&v)) return *s;
  } catch (const std::exception&) {
  }
  return "";
}

void SetPropertyText(TObject* Obj, const TPropInfo* P, const std::string& Text) {
  // Texts are UTF-8 whatever WideCharset says: the conversion is the identity.
  if (Obj && IsString(P) && P->Set) P->Set(Obj, Text);
}

TTypeKind TypeKindOf(const TPropInfo* P) {
  if (!P) return TTypeKind::tkUnknown;
  switch (P->Kind) {
    case TPropKind::pkInteger:
    case TPropKind::pkColor: return TTypeKind::tkInteger;
    case TPropKind::pkInt64: return TTypeKind::tkInt64;
    case TPropKind::pkFloat: return TTypeKind::tkFloat;
    case TPropKind::pkString: return TTypeKind::tkLString;
    case TPropKind::pkBool:
    case TPropKind::pkEnum: return TTypeKind::tkEnumeration;
    case TPropKind::pkSet: return TTypeKind::tkSet;
    case TPropKind::pkClass: return TTypeKind::tkClass;
  }
  return TTypeKind::tkUnknown;
}

TComponent* OwnedComponent(const TComponent* Owner, std::string_view Name) {
  if (!Owner || Name.empty()) return nullptr;
  return Owner->FindComponent(Name);
}

bool StartsWith(std::string_view Text, std::string_view Prefix) {
  return Text.size() >= Prefix.size() && Text.compare(0, Prefix.size(), Prefix) == 0;
}

}  // namespace LocLangDetail

// ============================================================================
// sorted collections
// ============================================================================
KV_CLASS_IMPL(TLocSortCollection, TCollection) {}
KV_CLASS_IMPL(TLocStringsCollectionItem, TCollectionItem) {}
KV_CLASS_IMPL(TLocStringsCollection, TLocSortCollection) {}

void TLocSortCollection::QuickSort(int L, int R, const TCompare& Compare) {
  while (true) {
    int i = L, j = R;
    TCollectionItem* pivot = Items((L + R) / 2);
    do {
      while (Compare(this, Items(i), pivot) < 0) ++i;
      while (Compare(this, Items(j), pivot) > 0) --j;
      if (i <= j) {
        if (i != j) {
          TCollectionItem* a = Items(i);
          TCollectionItem* b = Items(j);
          a->SetIndex(j);
          b->SetIndex(i);
        }
        ++i;
        --j;
      }
    } while (i <= j);
    if (L < j) QuickSort(L, j, Compare);
    if (i >= R) break;
    L = i;
  }
}

void TLocSortCollection::Sort(const TCompare& Compare) {
  if (Count() == 0) return;
  BeginUpdate();
  try {
    QuickSort(0, Count() - 1, Compare);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TLocStringsCollectionItem::TLocStringsCollectionItem(TCollection* Collection)
    : TCollectionItem(Collection), FValues(std::make_unique<TStringList>()) {}
TLocStringsCollectionItem::~TLocStringsCollectionItem() = default;

std::string TLocStringsCollectionItem::Text(int L) const {
  return (L >= 1 && L <= FValues->Count()) ? FValues->Get(L - 1) : std::string();
}

TLocStringsCollection::TLocStringsCollection(TLocCustomLang* AOwner)
    : TLocSortCollection(TLocStringsCollectionItem::StaticClass(),
                         TCollection::ItemFactoryOf<TLocStringsCollectionItem>(), AOwner),
      FLang(AOwner) {}

int TLocStringsCollection::IndexOfName(std::string_view Name) const {
  for (int i = 0; i < Count(); ++i)
    if (MemIni::CompareNames(Items(i)->Name, Name) == 0) return i;
  return -1;
}

namespace {
// Halving search of a sorted collection; Cmp(item) compares the item's key with the wanted one.
template <class Cmp>
int Halving(const TLocStringsCollection& C, Cmp cmp) {
  if (C.Count() == 0) return -1;
  int lo = 0, hi = C.Count() - 1;
  while (true) {
    const int mid = (lo + hi) / 2;
    const int c = cmp(C.Items(mid));
    if (c == 0) return mid;
    if (c < 0) {
      if (lo == mid) return (mid + 1 < C.Count() && cmp(C.Items(mid + 1)) == 0) ? mid + 1 : -1;
      lo = mid;
    } else {
      hi = mid;
    }
    if (lo >= hi) return -1;
  }
}
int CompareCase(const std::string& a, const std::string& b) { return a < b ? -1 : (a == b ? 0 : 1); }
}  // namespace

std::string TLocStringsCollection::ValueByName(std::string_view Name, int Language) const {
  const int i = Halving(*this, [&](const TLocStringsCollectionItem* it) { return MemIni::CompareNames(it->Name, Name); });
  return i < 0 ? std::string() : Items(i)->Text(Language);
}

std::string TLocStringsCollection::TranslateText(const std::string& Text, int Language) const {
  const int i = Halving(*this, [&](const TLocStringsCollectionItem* it) { return CompareCase(it->Text(SortLanguage), Text); });
  if (i < 0) return Text;
  std::string t = Items(i)->Text(Language);
  if (t.empty() && Language > 1 && FLang && FLang->TestModeActive()) t = FLang->TestModeText(Items(i)->Text(1));
  return t;
}

void TLocStringsCollection::SortItems() {
  const int lang = SortLanguage;
  Sort([lang](TLocSortCollection*, TCollectionItem* a, TCollectionItem* b) {
    auto* x = static_cast<TLocStringsCollectionItem*>(a);
    auto* y = static_cast<TLocStringsCollectionItem*>(b);
    return lang == 0 ? MemIni::CompareNames(x->Name, y->Name) : CompareCase(x->Text(lang), y->Text(lang));
  });
}

// ============================================================================
// extended items
// ============================================================================
KV_CLASS_IMPL(TLocExtendedItem, TCollectionItem) {
  c.Property("IsRoot", &TLocExtendedItem::GetIsRoot);
  c.Property("Identifier", &TLocExtendedItem::GetIdentifier, &TLocExtendedItem::SetIdentifier).Default("");
  c.Property("PropertyType", &TLocExtendedItem::PropertyType)
      .Names({"tkUnknown", "tkInteger", "tkChar", "tkEnumeration", "tkFloat", "tkString", "tkSet", "tkClass",
              "tkMethod", "tkWChar", "tkLString", "tkWString", "tkVariant", "tkArray", "tkRecord", "tkInterface",
              "tkInt64", "tkDynArray"})
      .Default(TTypeKind::tkUnknown);
}
KV_CLASS_IMPL(TLocExtendedItems, TCollection) {}

TLocExtendedItem::TLocExtendedItem(TCollection* Collection) : TCollectionItem(Collection) {}
TLocExtendedItem::~TLocExtendedItem() = default;

TLocCustomLang* TLocExtendedItem::Lang() const {
  auto* items = dynamic_cast<TLocExtendedItems*>(GetCollection());
  return items ? items->Lang() : nullptr;
}

std::string TLocExtendedItem::GetIdentifier() const {
  TComponent* related = FRelated.Get();
  if (!related) return FIdentifier;
  TLocCustomLang* lang = Lang();
  const std::string head = (lang && related == lang->Owner()) ? lang->OwnerClassName() : related->GetName();
  const size_t dot = FIdentifier.find('.');
  return head + (dot == std::string::npos ? std::string() : FIdentifier.substr(dot));
}

bool TLocExtendedItem::GetIsRoot() const {
  TLocCustomLang* lang = Lang();
  return lang && lang->Owner() && StartsWith(GetIdentifier(), lang->OwnerClassName() + ".");
}

std::string TLocExtendedItem::GetDisplayName() const {
  const std::string id = GetIdentifier();
  return id.empty() ? TCollectionItem::GetDisplayName() : id;
}

void TLocExtendedItem::Assign(const TPersistent* Source) {
  if (auto* item = dynamic_cast<const TLocExtendedItem*>(Source)) {
    FIdentifier = item->GetIdentifier();
    Values = item->Values;
    PropertyType = item->PropertyType;
    return;
  }
  TCollectionItem::Assign(Source);
}

void TLocExtendedItem::DefineProperties(TFiler& Filer) {
  TCollectionItem::DefineProperties(Filer);
  bool hasData = !Values.empty();
  TLocCustomLang* lang = Lang();
  if (lang && lang->Ancestor) {
    if (const TLocExtendedItem* anc = lang->Ancestor->GetExtendedTranslations()->Find(GetIdentifier()))
      hasData = !lang->UseInheritedData && Values != anc->Values;
  }
  Filer.DefineBinaryProperty(
      "ValuesEx", [this](TStream& S) { Values = S.ReadAll(); },
      [this](TStream& S) { S.WriteString(Values); }, hasData);
}

TLocExtendedItems::TLocExtendedItems(TLocCustomLang* AOwner)
    : TCollection(TLocExtendedItem::StaticClass(), TCollection::ItemFactoryOf<TLocExtendedItem>(), AOwner),
      FLang(AOwner) {}

TLocExtendedItem* TLocExtendedItems::Find(std::string_view Identifier) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->GetIdentifier(), Identifier)) return Items(i);
  return nullptr;
}

// ============================================================================
// the component's part
// ============================================================================
void TLocCustomLang::FillStringsCollection(TLocStringsCollection* Collection, int SortLanguage) {
  Collection->BeginUpdate();
  Collection->Clear();
  for (int i = 0; i < GetStrings()->Count(); ++i) {
    const std::string e = GetStrings()->Get(i);
    TLocStringsCollectionItem* item = Collection->Add();
    item->Name = EntryField(e, Delim(), 0);
    for (int l = 1; l <= FNumOfLanguages; ++l) item->Values()->Add(EntryField(e, Delim(), l));
  }
  Collection->EndUpdate();
  Collection->SortLanguage = SortLanguage;
  Collection->SortItems();
}

void TLocCustomLang::RebuildStringCollections() {
  if (IsDesigning()) return;
  FillStringsCollection(FNameCollection, 0);
  if (HandleResourceStrings && Owner()) FillStringsCollection(FResourceCollection, FResourceLanguageIndex);
}

TPersistent* TLocCustomLang::ResolvePath(std::string_view Identifier) const {
  if (!Owner()) return nullptr;
  TObject* obj = nullptr;
  std::string_view rest;
  const std::string root = OwnerClassName() + ".";
  if (StartsWith(Identifier, root)) {
    obj = Owner();
    rest = Identifier.substr(root.size());
  } else {
    const size_t dot = Identifier.find('.');
    if (dot == std::string_view::npos) return nullptr;
    obj = OwnedComponent(Owner(), Identifier.substr(0, dot));
    rest = Identifier.substr(dot + 1);
  }
  while (obj) {
    const size_t dot = rest.find('.');
    if (dot == std::string_view::npos) break;
    const std::string_view part = rest.substr(0, dot);
    rest = rest.substr(dot + 1);
    const size_t br = part.find('[');
    const TPropInfo* p = br == std::string_view::npos ? nullptr : FindProp(obj, part.substr(0, br));
    if (!p) p = FindProp(obj, part);
    TObject* value = ObjectValue(obj, p);
    if (auto* coll = dynamic_cast<TCollection*>(value)) {
      const size_t close = part.find(']');
      int index = -1;
      if (br == std::string_view::npos || close == std::string_view::npos || close < br ||
          !TryStrToInt(part.substr(br + 1, close - br - 1), index) || index < 0 || index >= coll->Count())
        return nullptr;
      value = coll->Items(index);
    }
    obj = value;
  }
  return dynamic_cast<TPersistent*>(obj);
}

namespace {
// Text of language L in an item's Values (texts each followed by LangDelim);
// an empty first text stays the first text.
std::string ExtTextOf(const std::string& Values, char D, int L) { return EntryField(std::string(1, D) + Values, D, L); }
std::string LastPart(std::string_view Identifier) {
  const size_t dot = Identifier.rfind('.');
  return std::string(dot == std::string_view::npos ? Identifier : Identifier.substr(dot + 1));
}
}  // namespace

std::string TLocCustomLang::PropertyAsText(std::string_view Identifier) const {
  TPersistent* obj = ResolvePath(Identifier);
  const TPropInfo* p = FindProp(obj, LastPart(Identifier));
  if (!p || !p->Get) return "";
  try {
    const TPropValue v = p->Get(obj);
    switch (p->Kind) {
      case TPropKind::pkInteger:
      case TPropKind::pkColor:
      case TPropKind::pkInt64: return IntToStr(std::get<int64_t>(v));
      case TPropKind::pkString: return std::get<std::string>(v);
      case TPropKind::pkBool: return std::get<bool>(v) ? "True" : "False";
      case TPropKind::pkEnum: {
        const int64_t i = std::get<int64_t>(v);
        return (i >= 0 && i < int64_t(p->EnumNames.size())) ? p->EnumNames[size_t(i)] : IntToStr(i);
      }
      case TPropKind::pkFloat: return FloatToStr(std::get<double>(v), TFormatSettings::Invariant());
      case TPropKind::pkSet: {
        const uint64_t bits = static_cast<uint64_t>(std::get<int64_t>(v));
        std::string out;
        for (size_t i = 0; i < p->EnumNames.size() && i < 64; ++i)
          if (bits & (uint64_t(1) << i)) out += (out.empty() ? "" : ",") + p->EnumNames[i];
        return out;
      }
      case TPropKind::pkClass:
        if (auto* list = dynamic_cast<TStrings*>(std::get<TObject*>(v))) return list->GetCommaText();
        return "";
    }
  } catch (const std::exception&) {
  }
  return "";
}

void TLocCustomLang::SetPropertyFromText(std::string_view Identifier, const std::string& Text) {
  try {
    TPersistent* obj = ResolvePath(Identifier);
    const TPropInfo* p = FindProp(obj, LastPart(Identifier));
    if (!p) return;
    if (p->Kind == TPropKind::pkClass) {
      if (auto* list = dynamic_cast<TStrings*>(ObjectValue(obj, p))) {
        TStringList lines;
        lines.SetCommaText(Text);
        TranslateRules::ReplaceLines(list, &lines);
      }
      return;
    }
    if (!p->Set) return;
    switch (p->Kind) {
      case TPropKind::pkInteger:
      case TPropKind::pkColor: p->Set(obj, int64_t(StrToInt(Text))); break;
      case TPropKind::pkInt64: p->Set(obj, StrToInt64(Text)); break;
      case TPropKind::pkString: SetPropertyText(obj, p, Text); break;
      case TPropKind::pkFloat: p->Set(obj, StrToFloat(Text, TFormatSettings::Invariant())); break;
      case TPropKind::pkBool:
      case TPropKind::pkEnum:
      case TPropKind::pkSet: p->SetText(obj, p->Kind == TPropKind::pkSet ? "[" + Text + "]" : Text); break;
      case TPropKind::pkClass: break;
    }
  } catch (const std::exception&) {
    // A text that does not fit the property leaves it as it is.
  }
}

void TLocCustomLang::ApplyExtendedTranslations() {
  const std::string d(1, Delim());
  for (int i = 0; i < FExtended->Count(); ++i) {
    TLocExtendedItem* item = FExtended->Items(i);
    std::string t = ExtTextOf(item->Values, Delim(), FActiveLanguage);
    if (t.empty() && UseDefaultLanguage) t = ExtTextOf(item->Values, Delim(), FDefaultLanguage);
    if (t.empty() && FActiveLanguage > 1 && TestModeActive()) t = TestModeText(ExtTextOf(item->Values, Delim(), 1));
    if (t.empty() && TranslateType == TTranslateType::ttGetDefault) t = ExtTextOf(item->Values, Delim(), 1);
    if (!t.empty()) SetPropertyFromText(item->GetIdentifier(), t);
  }
}

void TLocCustomLang::SyncExtendedTranslations() {
  const std::string d(1, Delim());
  for (int i = FExtended->Count() - 1; i >= 0; --i) {
    TLocExtendedItem* item = FExtended->Items(i);
    const std::string id = item->GetIdentifier();
    TPersistent* obj = ResolvePath(id);
    if (!obj || !FindProp(obj, LastPart(id))) {
      FExtended->Delete(i);
      continue;
    }
    const std::string text = PropertyAsText(id);
    if (text == ExtTextOf(item->Values, Delim(), FActiveLanguage)) continue;
    std::string values;
    for (int l = 1; l <= FNumOfLanguages; ++l)
      values += (l == FActiveLanguage ? text : ExtTextOf(item->Values, Delim(), l)) + d;
    item->Values = values;
  }
}

std::string TLocCustomLang::TranslateResourceString(int Id, const std::string& Text) const {
  if (FResourceLanguageIndex == FActiveLanguage) return "";
  std::string result;
  if (ResourceIdLimit != 0 && Id <= ResourceIdLimit) {
    try {
      result = GetKeyText(GetStrings(), "IDS_RES_" + IntToStr(Id), false);
    } catch (const std::exception&) {
      result.clear();
    }
  }
  if (result.empty()) result = FResourceCollection->TranslateText(Text, FActiveLanguage);
  return result;
}

bool TLocCustomLang::TestModeActive() const {
  TLocLangDispatcher* d = GetLangDispatcher();
  return d && d->GetTestModeInfo()->Active;
}

std::string TLocCustomLang::TestModeText(const std::string& Text) const {
  TLocLangDispatcher* d = GetLangDispatcher();
  return d ? d->TestModeText(Owner(), Text) : Text;
}
