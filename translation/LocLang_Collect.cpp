// Collecting the translatable texts of the owner form into the lists.
#include <algorithm>

#include "platform/gdi/Charsets.h"
#include "platform/ui/Controls.h"
#include "translation/LocLang_Internal.h"

using namespace SysUtils;

using namespace LocLang;
using namespace LocLangDetail;

namespace {

std::string CharsetNameOf(const TFont* Font) {
  std::string name;
  if (Font) Charsets::CharsetToIdent(Font->GetCharset(), name);
  return name;
}

std::string ReplaceKey(const std::string& Entry, const std::string& OldKey, const std::string& NewKey) {
  return NewKey + Entry.substr(OldKey.size());
}

}  // namespace

bool TLocCustomLang::IsPropertyExcluded(std::string_view Path, std::string_view PropName) const {
  return FExcludedProperties->IndexOf(PropName) >= 0 ||
         FSmartExcludeProps->IndexOf(std::string(Path) + "." + std::string(PropName)) >= 0 || PropName == "Name";
}

void TLocCustomLang::RemoveEntriesOf(TStrings* List, std::string_view Path, TStringsType ListType,
                                     std::string_view PropName) {
  std::string prefix(Path);
  if (ListType == TStringsType::stMultiLines || ListType == TStringsType::stOtherStrings)
    prefix += "." + std::string(PropName) + Delim();
  else if (ListType == TStringsType::stCollections)
    prefix += "." + std::string(PropName);
  else
    prefix += Delim();
  for (int i = List->Count() - 1; i >= 0; --i)
    if (StartsWith(List->Get(i), prefix)) {
      List->Delete(i);
      if (ListType != TStringsType::stCollections) break;
    }
}

bool TLocCustomLang::IsEligible(TComponent* C) const {
  if (!C || dynamic_cast<TLocCustomLang*>(C) || dynamic_cast<TLocLangDispatcher*>(C)) return false;
  if (!C->GetName().empty() && FDoNotTranslate->IndexOf(C->GetName()) >= 0) return false;
  return FDoNotTranslate->IndexOf("!" + C->ClassName()) < 0;
}

bool TLocCustomLang::IsActionLinked(TComponent* C) const { return ObjectProp(C, "Action") != nullptr; }

TLocCustomLang::TRecordResult TLocCustomLang::RecordValue(TStringList* List, TStringsType Type, const std::string& Key,
                                                          const std::string& Value, TComponent* Component,
                                                          std::string* RecycledEntry) {
  const bool withDelim = Type != TStringsType::stMultiLines && Type != TStringsType::stCollections;
  const std::string prefix = withDelim ? Key + Delim() : Key;
  for (int i = 0; i < List->Count(); ++i) {
    if (!StartsWith(List->Get(i), prefix)) continue;
    if (IsDesigning()) {
      const std::string current = GetEntryText(List, i, false);
      if (current != Value && (!current.empty() || FActiveLanguage == 1)) SetEntryText(List, Value, FActiveLanguage, Key);
    }
    return TRecordResult::rrFound;
  }
  if ((Type == TStringsType::stCaptions || Type == TStringsType::stHints) && !TranslateActionLinked &&
      IsActionLinked(Component))
    return TRecordResult::rrNone;
  if (FRecycledEntries)
    for (int i = 0; i < FRecycledEntries->Count(); ++i) {
      const std::string r = FRecycledEntries->Get(i);
      std::string t = EntryField(r, Delim(), FActiveLanguage);
      if (t.empty()) t = EntryField(r, Delim(), 1);
      if (t != Value) continue;
      const size_t d = r.find(Delim());
      List->Add(Key + Delim() + (d == std::string::npos ? std::string() : r.substr(d + 1)));
      if (RecycledEntry) *RecycledEntry = r;
      return TRecordResult::rrRecycled;
    }
  if (FAutoSkipEmpties && Value.empty()) return TRecordResult::rrNone;
  List->Add(Key + Delim() + Value + std::string(size_t(FNumOfLanguages), Delim()));
  return TRecordResult::rrAdded;
}

// ---------------------------------------------------------------- the owner's entries
void TLocCustomLang::CollectOwnerEntry(TStringsType Type, const std::string& Text, bool HasProperty) {
  if (!HasProperty) return;
  const std::string cls = OwnerClassName();
  const std::string ownerName = Owner()->GetName();
  const std::string& prop = ListTypeDefaultProperty(Type);
  TStringList* list = ListOfType(Type);
  const bool font = Type == TStringsType::stFonts;
  if (FSmartExcludeProps->IndexOf(cls + "." + prop) >= 0) {
    RemoveEntriesOf(list, cls, Type, prop);
    if (font) RemoveEntriesOf(GetCharSets(), cls, TStringsType::stCharSets, "Charset");
    return;
  }
  if (FExcludedProperties->IndexOf(prop) >= 0 || FDoNotTranslate->IndexOf(cls) >= 0) return;
  if (FAutoSkipEmpties && Text.empty()) return;
  const char d = Delim();
  const std::string tail = Type == TStringsType::stHints ? std::string() : std::string(size_t(FNumOfLanguages - 1), d);
  const std::string entry = cls + d + Text + d + tail;
  auto renameFirst = [&](TStringList* l, const std::string& text) {
    if (l->Count() == 0) return;
    const std::string first = l->Get(0);
    const std::string key = EntryField(first, d, 0);
    if (key != cls && !ownerName.empty() && key == ownerName)
      l->Put(0, ReplaceKey(first, key, cls));
    else if (key != cls && key != ownerName && !text.empty() && EntryField(first, d, 1) == text)
      l->Put(0, ReplaceKey(first, key, cls));
  };
  auto foreignFirst = [&](TStringList* l) {
    const std::string first = l->Get(0);
    return first.find(cls) == std::string::npos && (ownerName.empty() || first.find(ownerName) == std::string::npos);
  };
  const bool listWasEmpty = list->Count() == 0;
  renameFirst(list, Text);
  bool inserted = false;
  if (!listWasEmpty && foreignFirst(list)) {
    list->Insert(0, entry);
    inserted = true;
  } else if (listWasEmpty) {
    list->Add(entry);
  }
  if (Text != GetEntryText(list, 0, false)) SetEntryText(list, Text, FActiveLanguage, cls);
  if (!font) return;
  TStringList* charsets = GetCharSets();
  const std::string charset = CharsetNameOf(dynamic_cast<TFont*>(ObjectProp(Owner(), "Font")));
  renameFirst(charsets, charset);
  if (FExcludedProperties->IndexOf("Charset") >= 0) return;
  const std::string csEntry = cls + d + charset + d + std::string(size_t(FNumOfLanguages - 1), d);
  if (inserted)
    charsets->Insert(0, csEntry);
  else if (listWasEmpty || charsets->Count() == 0)
    charsets->Add(csEntry);
  else if (EntryField(charsets->Get(0), d, 0) == cls && charset != GetEntryText(charsets, 0, false))
    SetEntryText(charsets, charset, FActiveLanguage, cls);
}

void TLocCustomLang::CollectOwnerEntries() {
  TComponent* owner = Owner();
  const TPropInfo* caption = FindProp(owner, "Caption");
  CollectOwnerEntry(TStringsType::stCaptions, PropertyText(owner, caption), IsString(caption));
  const TPropInfo* hint = FindProp(owner, "Hint");
  CollectOwnerEntry(TStringsType::stHints, PropertyText(owner, hint), IsString(hint));
  auto* font = dynamic_cast<TFont*>(ObjectProp(owner, "Font"));
  const TPropInfo* fontProp = FindProp(owner, "Font");
  const bool hasFont = fontProp && fontProp->PropClass && fontProp->PropClass()->ClassName() == "TFont";
  CollectOwnerEntry(TStringsType::stFonts, font ? font->GetName() : std::string(), hasFont);
}

// ---------------------------------------------------------------- walks
void TLocCustomLang::WalkDefaultProperty(TStringsType Type) {
  TStringList* list = ListOfType(Type);
  const std::string& defaultProp = ListTypeDefaultProperty(Type);
  const bool multi = Type == TStringsType::stMultiLines;
  const bool fonts = Type == TStringsType::stFonts;
  const char d = Delim();
  for (int ci = 0; ci < Owner()->ComponentCount(); ++ci) {
    TComponent* C = Owner()->Components(ci);
    if (!IsEligible(C) || C->GetName().empty()) continue;
    const std::string name = C->GetName();
    TLocPropInfoList props(C, TLocPropInfoList::Usual());
    for (int pi = 0; pi < props.Count(); ++pi) {
      const TPropInfo* P = props.Items(pi);
      bool candidate = false;
      if (!multi) {
        candidate = SameText(P->Name, defaultProp);
      } else if (IsClass(P)) {
        const std::string typeName = P->PropClass ? P->PropClass()->ClassName() : std::string();
        candidate = SameText(typeName, "TStrings") || IsStringsType(typeName) ||
                    dynamic_cast<TStringList*>(ObjectValue(C, P)) != nullptr;
      }
      if (!candidate) continue;
      if (IsPropertyExcluded(name, P->Name) || (fonts && ParentFontOn(C))) {
        RemoveEntriesOf(list, name, Type, P->Name);
        if (fonts) RemoveEntriesOf(GetCharSets(), name, TStringsType::stCharSets, "Charset");
        continue;
      }
      if (!ReadWrite(P)) continue;
      std::string value, charsetText;
      if (fonts) {
        auto* font = dynamic_cast<TFont*>(ObjectValue(C, P));
        if (!font || !P->PropClass || P->PropClass()->ClassName() != "TFont") continue;
        value = font->GetName();
        charsetText = CharsetNameOf(font) + std::string(size_t(FNumOfLanguages), d);
      } else if (multi) {
        auto* strings = dynamic_cast<TStrings*>(ObjectValue(C, P));
        if (!strings) continue;
        value = strings->GetCommaText();
      } else {
        if (!IsString(P)) continue;
        value = PropertyText(C, P);
      }
      if (Type == TStringsType::stCaptions && value == "-" && C->ClassName() == "TMenuItem") continue;
      if (multi && C->ClassName() == "TFormStorage") continue;
      const std::string key = multi ? name + "." + P->Name : name;
      std::string recycled;
      const TRecordResult r = RecordValue(list, Type, key, value, C, &recycled);
      if (!fonts) continue;
      TStringList* charsets = GetCharSets();
      const bool charsetExcluded = IsPropertyExcluded(name, "Charset");
      if (r == TRecordResult::rrAdded && !charsetText.empty()) {
        charsets->Add(name + d + charsetText);
      } else if (r == TRecordResult::rrRecycled && !charsetExcluded) {
        const std::string oldKey = EntryField(recycled, d, 0);
        std::string entry = name + d;
        for (int l = 1; l <= FNumOfLanguages; ++l) entry += GetEntryField(charsets, oldKey, l) + d;
        charsets->Add(entry);
      } else if (r == TRecordResult::rrFound && !charsetExcluded) {
        bool has = false;
        for (int i = 0; i < charsets->Count() && !has; ++i) has = charsets->Get(i).find(name + d) != std::string::npos;
        if (!has) charsets->Add(name + d + charsetText);
      }
    }
  }
}

void TLocCustomLang::WalkPropertiesLists() {
  if (FExcludedProperties->IndexOf("Properties") >= 0) return;
  TStringList* list = GetMultiLines();
  for (int ci = 0; ci < Owner()->ComponentCount(); ++ci) {
    TComponent* C = Owner()->Components(ci);
    if (!IsEligible(C) || C->GetName().empty()) continue;
    TObject* props = ObjectProp(C, "Properties");
    if (!props) continue;
    TLocPropInfoList classProps(props, TLocPropInfoList::ClassKinds());
    for (int i = 0; i < classProps.Count(); ++i) {
      const TPropInfo* X = classProps.Items(i);
      auto* strings = dynamic_cast<TStrings*>(ObjectValue(props, X));
      if (!strings) continue;
      const std::string key = C->GetName() + ".Properties." + X->Name;
      if (FExcludedProperties->IndexOf("Properties." + X->Name) >= 0) {
        for (int k = list->Count() - 1; k >= 0; --k)
          if (StartsWith(list->Get(k), key)) list->Delete(k);
      } else if (FSmartExcludeProps->IndexOf(key) < 0) {
        RecordValue(list, TStringsType::stMultiLines, key, strings->GetCommaText(), C);
      }
    }
  }
}

void TLocCustomLang::WalkOtherStrings() {
  TStringList* list = GetOtherStrings();
  auto visit = [&](TComponent* C, const std::string& prefix) {
    TLocPropInfoList strings(C, TLocPropInfoList::StringKinds());
    for (int i = 0; i < strings.Count(); ++i) {
      const TPropInfo* P = strings.Items(i);
      if (P->Name == "Name" || P->Name == "Caption" || P->Name == "Hint" || P->Name == "DisplayLabel") continue;
      if (IsPropertyExcluded(prefix, P->Name))
        RemoveEntriesOf(list, prefix, TStringsType::stOtherStrings, P->Name);
      else if (ReadWrite(P))
        RecordValue(list, TStringsType::stOtherStrings, prefix + "." + P->Name, PropertyText(C, P), C);
    }
    TObject* props = ObjectProp(C, "Properties");
    if (!props) return;
    TLocPropInfoList nested(props, TLocPropInfoList::StringKinds());
    for (int i = 0; i < nested.Count(); ++i) {
      const TPropInfo* S = nested.Items(i);
      const std::string path = "Properties." + S->Name;
      if (IsPropertyExcluded(prefix, path))
        RemoveEntriesOf(list, prefix, TStringsType::stOtherStrings, path);
      else if (ReadWrite(S))
        RecordValue(list, TStringsType::stOtherStrings, prefix + ".Properties." + S->Name, PropertyText(props, S), C);
    }
  };
  visit(Owner(), OwnerClassName());
  for (int ci = 0; ci < Owner()->ComponentCount(); ++ci) {
    TComponent* C = Owner()->Components(ci);
    if (IsEligible(C) && !C->GetName().empty()) visit(C, C->GetName());
  }
}

void TLocCustomLang::WalkCollectionItems(TComponent* C, const std::string& PathPrefix, TCollection* Coll,
                                         bool CheckExcluded) {
  TStringList* list = GetCollections();
  const std::string name = C->GetName();
  auto removePrefix = [&](const std::string& prefix) {
    for (int k = list->Count() - 1; k >= 0; --k)
      if (StartsWith(list->Get(k), prefix)) list->Delete(k);
  };
  for (int k = 0; k < Coll->Count(); ++k) {
    TCollectionItem* item = Coll->Items(k);
    const std::string itemKey = PathPrefix + "[" + IntToStr(k) + "]";
    TLocPropInfoList strings(item, TLocPropInfoList::StringKinds());
    for (int i = 0; i < strings.Count(); ++i) {
      const TPropInfo* S = strings.Items(i);
      if (!ReadWrite(S)) continue;
      if (CheckExcluded && IsPropertyExcluded(name, S->Name))
        removePrefix(itemKey + "." + S->Name);
      else
        RecordValue(list, TStringsType::stCollections, itemKey + "." + S->Name, PropertyText(item, S), C);
    }
    if (!CheckExcluded) continue;
    TLocPropInfoList objects(item, TLocPropInfoList::ClassKinds());
    for (int i = 0; i < objects.Count(); ++i) {
      const TPropInfo* O = objects.Items(i);
      TObject* value = ObjectValue(item, O);
      if (!value) continue;
      if (auto* comp = dynamic_cast<TComponent*>(value); comp && comp->Owner() == Owner()) continue;
      if (IsPropertyExcluded(name, O->Name)) continue;
      const std::string objKey = itemKey + "." + O->Name;
      if (auto* strings2 = dynamic_cast<TStrings*>(value)) {
        RecordValue(list, TStringsType::stCollections, objKey, JoinLines(strings2), C);
        continue;
      }
      TLocPropInfoList nested(value, TLocPropInfoList::StringKinds());
      for (int t = 0; t < nested.Count(); ++t) {
        const TPropInfo* T = nested.Items(t);
        if (!ReadWrite(T)) continue;
        if (IsPropertyExcluded(name, T->Name))
          removePrefix(objKey + "." + T->Name);
        else
          RecordValue(list, TStringsType::stCollections, objKey + "." + T->Name, PropertyText(value, T), C);
      }
    }
  }
}

void TLocCustomLang::WalkCollections() {
  TStringList* list = GetCollections();
  for (int ci = 0; ci < Owner()->ComponentCount(); ++ci) {
    TComponent* C = Owner()->Components(ci);
    if (!IsEligible(C) || C->GetName().empty()) continue;
    const std::string name = C->GetName();
    TLocPropInfoList classProps(C, TLocPropInfoList::ClassKinds());
    for (int i = 0; i < classProps.Count(); ++i) {
      const TPropInfo* P = classProps.Items(i);
      auto* coll = dynamic_cast<TCollection*>(ObjectValue(C, P));
      if (!coll) continue;
      if (IsPropertyExcluded(name, P->Name)) {
        const std::string prefix = name + "." + P->Name + "[";
        for (int k = list->Count() - 1; k >= 0; --k)
          if (StartsWith(list->Get(k), prefix)) list->Delete(k);
        continue;
      }
      WalkCollectionItems(C, name + "." + P->Name, coll, true);
    }
    if (TObject* props = ObjectProp(C, "Properties")) {
      TLocPropInfoList nested(props, TLocPropInfoList::ClassKinds());
      for (int i = 0; i < nested.Count(); ++i)
        if (auto* coll = dynamic_cast<TCollection*>(ObjectValue(props, nested.Items(i))))
          WalkCollectionItems(C, name + ".Properties." + nested.Items(i)->Name, coll, false);
    }
  }
}

// ---------------------------------------------------------------- purging
void TLocCustomLang::PurgeMissing(TStrings* List, TStringsType ListType) {
  if (!List || !Owner() || ListType == TStringsType::stDlgsCaptions || ListType == TStringsType::stStrings ||
      ListType == TStringsType::stLocales)
    return;
  const char d = Delim();
  const std::string cls = OwnerClassName();
  auto recycle = [&](int i) {
    if (FRecycledEntries) FRecycledEntries->Add(List->Get(i));
    List->Delete(i);
  };
  if (ListType == TStringsType::stCollections) {
    for (int i = List->Count() - 1; i >= 0; --i) {
      const std::string key = EntryField(List->Get(i), d, 0);
      const size_t dot = key.find('.');
      TComponent* C = OwnedComponent(Owner(), key.substr(0, dot));
      if (!C) {
        recycle(i);
        continue;
      }
      if (dot == std::string::npos) continue;
      std::string path = key.substr(dot + 1);
      TObject* holder = C;
      if (StartsWith(path, "Properties.")) {
        holder = ObjectProp(C, "Properties");
        path = path.substr(11);
      }
      const size_t br = path.find('['), close = path.find(']');
      if (br == std::string::npos || close == std::string::npos || close < br) continue;
      const TPropInfo* p = nullptr;
      if (holder)
        for (const TPropInfo* q : holder->ClassType()->Properties())
          if (q->Name == path.substr(0, br)) p = q;
      auto* coll = dynamic_cast<TCollection*>(ObjectValue(holder, p));
      int index = 0;
      if (coll && TryStrToInt(path.substr(br + 1, close - br - 1), index) && index >= coll->Count()) recycle(i);
    }
    return;
  }
  int start = 0;
  if (ListType == TStringsType::stCaptions || ListType == TStringsType::stHints) {
    start = IsString(FindProp(Owner(), ListType == TStringsType::stCaptions ? "Caption" : "Hint")) ? 1 : 0;
  } else if (ListType == TStringsType::stFonts || ListType == TStringsType::stCharSets) {
    const TPropInfo* f = FindProp(Owner(), "Font");
    start = (f && f->PropClass && f->PropClass()->ClassName() == "TFont") ? 1 : 0;
  }
  const bool dotted = ListType == TStringsType::stMultiLines || ListType == TStringsType::stOtherStrings;
  for (int i = List->Count() - 1; i >= start; --i) {
    const std::string key = EntryField(List->Get(i), d, 0);
    const std::string comp = dotted ? key.substr(0, key.find('.')) : key;
    if (dotted && comp == cls) continue;
    if (!OwnedComponent(Owner(), comp)) recycle(i);
  }
  if ((ListType == TStringsType::stCaptions || ListType == TStringsType::stHints) && !TranslateActionLinked)
    for (int i = List->Count() - 1; i >= start; --i)
      if (IsActionLinked(OwnedComponent(Owner(), EntryField(List->Get(i), d, 0)))) List->Delete(i);
  if (FAutoSkipEmpties)
    for (int i = List->Count() - 1; i >= 0; --i) {
      const std::string e = List->Get(i);
      if (static_cast<int>(Trim(e).size()) <= static_cast<int>(e.size()) - FNumOfLanguages - 1) List->Delete(i);
    }
}

void TLocCustomLang::DropVanishedProperties(TStrings* List, TStringsType ListType) {
  const char d = Delim();
  const bool dotted = ListType == TStringsType::stMultiLines || ListType == TStringsType::stOtherStrings;
  const bool coll = ListType == TStringsType::stCollections;
  const bool classKind = ListType == TStringsType::stFonts || ListType == TStringsType::stCharSets ||
                         ListType == TStringsType::stMultiLines;
  auto suits = [&](const TPropInfo* p) {
    if (!p) return false;
    if (coll) return true;
    return classKind ? IsClass(p) : IsString(p);
  };
  for (int i = List->Count() - 1; i >= 0; --i) {
    const std::string e = List->Get(i);
    std::string comp, prop;
    if (dotted || coll) {
      const size_t dot = e.find('.');
      comp = e.substr(0, dot);
      if (dot != std::string::npos) {
        const size_t end = e.find(dotted ? d : '[', dot + 1);
        prop = e.substr(dot + 1, end == std::string::npos ? std::string::npos : end - dot - 1);
      }
    } else {
      comp = EntryField(e, d, 0);
      prop = ListTypeDefaultProperty(ListType == TStringsType::stCharSets ? TStringsType::stFonts : ListType);
    }
    TComponent* C = nullptr;
    if (!comp.empty())
      C = (comp == Owner()->GetName() || comp == OwnerClassName()) ? Owner() : OwnedComponent(Owner(), comp);
    bool ok = C != nullptr;
    if (ok) {
      const size_t dot = prop.find('.');
      if (dot == std::string::npos) {
        ok = suits(FindProp(C, prop));
      } else {
        TObject* obj = ObjectProp(C, prop.substr(0, dot));
        ok = obj && suits(FindProp(obj, prop.substr(dot + 1)));
      }
    }
    if (!ok) List->Delete(i);
  }
}

// ---------------------------------------------------------------- the whole update
void TLocCustomLang::CollectTexts() {
  if (Suspended || !Owner()) return;
  struct TRestore {
    TLocCustomLang* L;
    bool Raise;
    ~TRestore() {
      L->DoRaiseExceptions = Raise;
      L->FRecycledEntries.reset();
    }
  } restore{this, DoRaiseExceptions};
  DoRaiseExceptions = false;
  auto excluded = [&](const char* p) { return FExcludedProperties->IndexOf(p) >= 0; };
  try {
    CollectOwnerEntries();
    FRecycledEntries = std::make_unique<TStringList>();
    auto walk = [&](TStringsType type, auto&& body) {
      PurgeMissing(ListOfType(type), type);
      body();
      FRecycledEntries->Clear();
    };
    if (!excluded("Caption")) walk(TStringsType::stCaptions, [&] { WalkDefaultProperty(TStringsType::stCaptions); });
    if (!excluded("Hint")) walk(TStringsType::stHints, [&] { WalkDefaultProperty(TStringsType::stHints); });
    if (!excluded("DisplayLabel"))
      walk(TStringsType::stDisplayLabels, [&] { WalkDefaultProperty(TStringsType::stDisplayLabels); });
    if (!excluded("Font") && !NoOwnerFont)
      walk(TStringsType::stFonts, [&] {
        WalkDefaultProperty(TStringsType::stFonts);
        PurgeMissing(GetCharSets(), TStringsType::stCharSets);
      });
    walk(TStringsType::stMultiLines, [&] {
      WalkDefaultProperty(TStringsType::stMultiLines);
      WalkPropertiesLists();
    });
    walk(TStringsType::stOtherStrings, [&] { WalkOtherStrings(); });
    walk(TStringsType::stCollections, [&] { WalkCollections(); });
    for (TStringsType t : {TStringsType::stCaptions, TStringsType::stHints, TStringsType::stDisplayLabels,
                           TStringsType::stFonts, TStringsType::stMultiLines, TStringsType::stOtherStrings,
                           TStringsType::stCollections})
      DropVanishedProperties(ListOfType(t), t);
    DropVanishedProperties(GetCharSets(), TStringsType::stFonts);
    SyncExtendedTranslations();
  } catch (const std::exception&) {
    // A failed step ends the update; what was reached stays.
  }
}
