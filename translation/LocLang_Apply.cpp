// Writing the texts of the active language into the owner form.
#include <algorithm>

#include "platform/gdi/Charsets.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/TranslateRules.h"
#include "translation/LocLang_Internal.h"

using namespace SysUtils;

using namespace LocLang;
using namespace LocLangDetail;

bool LocLangDetail::ParentFontOn(const TComponent* C) {
  const TPropInfo* p = FindProp(C, "ParentFont");
  if (!p || p->Kind != TPropKind::pkBool || !p->Get) return false;
  try {
    return std::get<bool>(p->Get(C));
  } catch (const std::exception&) {
    return false;
  }
}

std::string LocLangDetail::JoinLines(const TStrings* List) {
  std::string text;
  for (int i = 0; i < List->Count(); ++i) text += (i ? "\r\n" : "") + List->Get(i);
  return text;
}

std::string TLocCustomLang::TextForLanguage(std::string_view Entry, bool AllowTestMode) const {
  std::string t = FieldWithDefault(Entry, FActiveLanguage);
  if (t.empty() && AllowTestMode && FActiveLanguage > 1 && TestModeActive()) t = TestModeText(EntryField(Entry, Delim(), 1));
  if (t.empty() && TranslateType == TTranslateType::ttGetDefault) t = EntryField(Entry, Delim(), 1);
  return t;
}

void TLocCustomLang::SelectWideCharset() {
  WideCharset = 1;
  std::string t = GetEntryField(GetCharSets(), OwnerClassName(), FActiveLanguage);
  if (t.empty())
    if (TLocCustomLang* src = GetFontsSource()) t = src->GetEntryField(src->GetCharSets(), src->OwnerClassName(), FActiveLanguage);
  uint8_t value = 0;
  if (Charsets::IdentToCharset(t, value)) WideCharset = value;
}

void TLocCustomLang::ApplyOwnerText(TStringsType Type) {
  TStringList* list = ListOfType(Type);
  const std::string cls = OwnerClassName();
  const std::string& prop = ListTypeDefaultProperty(Type);
  if (list->Count() == 0 || FDoNotTranslate->IndexOf(cls) >= 0 || FSmartExcludeProps->IndexOf(cls + "." + prop) >= 0)
    return;
  const TPropInfo* p = FindProp(Owner(), prop);
  if (!IsString(p) || !SameText(EntryField(list->Get(0), Delim(), 0), cls)) return;
  const std::string text = TextForLanguage(list->Get(0), true);
  if (text.empty()) return;
  if (!TranslateActionLinked && IsActionLinked(Owner())) return;
  SetPropertyText(Owner(), p, text);
}

void TLocCustomLang::ApplyOwnerFont() {
  const std::string cls = OwnerClassName();
  TStringList* fonts = GetFonts();
  if (fonts->Count() == 0 || FDoNotTranslate->IndexOf(cls) >= 0 || FSmartExcludeProps->IndexOf(cls + ".Font") >= 0)
    return;
  auto* font = dynamic_cast<TFont*>(ObjectProp(Owner(), "Font"));
  if (!font || !SameText(EntryField(fonts->Get(0), Delim(), 0), cls)) return;
  std::string face = EntryField(fonts->Get(0), Delim(), FActiveLanguage);
  if (face.empty() && TranslateType == TTranslateType::ttGetDefault) face = EntryField(fonts->Get(0), Delim(), 1);
  if (!face.empty()) font->SetName(face);
  uint8_t charset = 0;
  if (Charsets::IdentToCharset(GetEntryField(GetCharSets(), cls, FActiveLanguage), charset)) font->SetCharset(charset);
}

void TLocCustomLang::ApplyLocale(const std::string& Key, const std::string& Text) {
  const auto& names = LocaleItemNames();
  const auto it = std::find(names.begin(), names.end(), Key);
  if (it == names.end() || Text.empty()) return;
  TFormatSettings& fs = FormatSettings;
  auto names12 = [&](std::string* target, int n) {
    TStringList items;
    items.SetCommaText(Text);
    for (int i = 0; i < std::min(n, items.Count()); ++i) target[i] = items[i];
  };
  switch (it - names.begin()) {
    case 0: fs.CurrencyString = Text; break;
    case 1: fs.ThousandSeparator = Text[0]; break;
    case 2: fs.DecimalSeparator = Text[0]; break;
    case 3: fs.DateSeparator = Text[0]; break;
    case 4: fs.ShortDateFormat = Text; break;
    case 5: fs.LongDateFormat = Text; break;
    case 6: fs.TimeSeparator = Text[0]; break;
    case 7: fs.TimeAMString = Text; break;
    case 8: fs.TimePMString = Text; break;
    case 9: fs.ShortTimeFormat = Text; break;
    case 10: fs.LongTimeFormat = Text; break;
    case 11: names12(fs.ShortMonthNames, 12); break;
    case 12: names12(fs.LongMonthNames, 12); break;
    case 13: names12(fs.ShortDayNames, 7); break;
    case 14: names12(fs.LongDayNames, 7); break;
    default: break;
  }
}

void TLocCustomLang::ApplyList(TStringsType Type) {
  TStringList* list = ListOfType(Type);
  if (!list) return;
  PurgeMissing(list, Type);
  const char d = Delim();
  const std::string cls = OwnerClassName();
  int start = 0;
  if ((Type == TStringsType::stCaptions || Type == TStringsType::stHints || Type == TStringsType::stFonts) &&
      list->Count() > 0 && dynamic_cast<TForm*>(Owner()) && FDoNotTranslate->IndexOf(cls) < 0 &&
      list->Get(0).find(cls + d) != std::string::npos)
    start = 1;
  const bool dotted = Type == TStringsType::stMultiLines || Type == TStringsType::stOtherStrings;
  const bool testAllowed =
      Type != TStringsType::stFonts && Type != TStringsType::stLocales && Type != TStringsType::stCharSets;
  for (int i = start; i < list->Count(); ++i) {
    try {
      const std::string entry = list->Get(i);
      std::string compName, path;
      if (dotted) {
        const std::string key = EntryField(entry, d, 0);
        const size_t dot = key.find('.');
        compName = key.substr(0, dot);
        if (dot != std::string::npos) path = key.substr(dot + 1);
      } else {
        compName = EntryField(entry, d, 0);
        path = ListTypeDefaultProperty(Type);
      }
      if (FDoNotTranslate->IndexOf(compName) >= 0) continue;
      const std::string text = TextForLanguage(entry, testAllowed);
      if (Type == TStringsType::stLocales) {
        ApplyLocale(compName, text);
        continue;
      }
      TComponent* C = OwnedComponent(Owner(), compName);
      if (!C && (compName == cls || compName == Owner()->GetName())) C = Owner();
      if (!C) continue;
      const size_t pathDot = path.find('.');
      if (Type == TStringsType::stFonts) {
        const TPropInfo* P = FindProp(C, path);
        auto* font = dynamic_cast<TFont*>(ObjectValue(C, P));
        if (!ReadWrite(P) || !font) continue;
        const bool parent = ParentFontOn(C);
        const std::string csName = GetEntryField(GetCharSets(), compName, FActiveLanguage);
        for (const auto& cs : Charsets::CharsetNames())
          if (!parent && SameText(cs.Name, csName)) font->SetCharset(cs.Value);
        if (!parent && !text.empty()) {
          font->SetName(text);
          P->Set(C, static_cast<TObject*>(font));
        }
        continue;
      }
      if (Type == TStringsType::stMultiLines) {
        if (text.empty()) continue;
        TStrings* target = nullptr;
        if (pathDot != std::string::npos) {
          TObject* obj = ObjectProp(C, path.substr(0, pathDot));
          target = dynamic_cast<TStrings*>(ObjectProp(obj, path.substr(pathDot + 1)));
        } else {
          const TPropInfo* P = FindProp(C, path);
          if (!ReadWrite(P)) continue;
          target = dynamic_cast<TStrings*>(ObjectValue(C, P));
        }
        if (!target || target->GetCommaText() == text) continue;
        TStringList lines;
        lines.SetCommaText(text);
        if (pathDot != std::string::npos)
          TranslateRules::ReplaceLines(target, &lines);
        else
          TranslateRules::ReplaceControlItems(C, target, &lines);
        continue;
      }
      if (text.empty()) continue;
      if (pathDot != std::string::npos) {
        TObject* obj = ObjectProp(C, path.substr(0, pathDot));
        const TPropInfo* P = FindProp(obj, path.substr(pathDot + 1));
        if (!IsString(P) || !ReadWrite(P)) continue;
        if (PropertyText(obj, P) != text) SetPropertyText(obj, P, text);
        continue;
      }
      const TPropInfo* P = FindProp(C, path);
      if (!IsString(P) || !ReadWrite(P)) continue;
      const std::string current = PropertyText(C, P);
      if (current == text) continue;
      if ((Type == TStringsType::stDisplayLabels || Type == TStringsType::stOtherStrings) &&
          (text.find("..") != std::string::npos || text.find(".\\") != std::string::npos) &&
          ExpandFileName(text) == current)
        continue;
      if ((Type == TStringsType::stCaptions || Type == TStringsType::stHints) && !TranslateActionLinked &&
          IsActionLinked(C))
        continue;
      SetPropertyText(C, P, text);
    } catch (const std::exception&) {
      // One entry that cannot be written does not stop the others.
    }
  }
}

void TLocCustomLang::ApplyCollections() {
  TStringList* list = GetCollections();
  const char d = Delim();
  for (int i = 0; i < list->Count(); ++i) {
    bool drop = false;
    try {
      const std::string entry = list->Get(i);
      const std::string key = EntryField(entry, d, 0);
      const size_t dot = key.find('.');
      const std::string compName = key.substr(0, dot);
      if (dot == std::string::npos || FDoNotTranslate->IndexOf(compName) >= 0) continue;
      TComponent* C = OwnedComponent(Owner(), compName);
      if (!C) continue;
      const size_t br = key.find('[', dot), close = key.find(']', dot);
      if (br == std::string::npos || close == std::string::npos || close < br || key.compare(close, 2, "].") != 0) {
        drop = true;
      } else {
        std::string collPath = key.substr(dot + 1, br - dot - 1);
        TObject* holder = C;
        if (const size_t pd = collPath.find('.'); pd != std::string::npos) {
          holder = ObjectProp(C, collPath.substr(0, pd));
          collPath = collPath.substr(pd + 1);
        }
        auto* coll = dynamic_cast<TCollection*>(ObjectProp(holder, collPath));
        int index = -1;
        if (!coll || !TryStrToInt(key.substr(br + 1, close - br - 1), index) || index < 0 || index >= coll->Count()) {
          drop = true;
        } else {
          TObject* target = coll->Items(index);
          std::string propPath = key.substr(close + 2);
          if (const size_t pd = propPath.find('.'); pd != std::string::npos) {
            const TPropInfo* O = FindProp(target, propPath.substr(0, pd));
            target = ReadWrite(O) ? ObjectValue(target, O) : nullptr;
            propPath = propPath.substr(pd + 1);
          }
          const TPropInfo* P = FindProp(target, propPath);
          if (!target || !ReadWrite(P)) {
            drop = true;
          } else {
            const std::string text = TextForLanguage(entry, true);
            if (auto* strings = dynamic_cast<TStrings*>(ObjectValue(target, P))) {
              if (!text.empty() && text != JoinLines(strings)) {
                TStringList lines;
                lines.SetText(text);
                TranslateRules::ReplaceLines(strings, &lines);
              }
            } else if (IsString(P)) {
              if (!text.empty() && text != PropertyText(target, P)) SetPropertyText(target, P, text);
            } else {
              drop = true;
            }
          }
        }
      }
    } catch (const std::exception&) {
      // An item that cannot be written keeps its text.
    }
    if (drop) list->Delete(i--);
  }
}

void TLocCustomLang::ApplyLanguage() {
  if (Suspended || !Owner()) return;
  SelectWideCharset();
  const int only = ListToApply;
  auto wanted = [only](std::initializer_list<int> types) {
    return only == -1 || std::find(types.begin(), types.end(), only) != types.end();
  };
  if (TranslateExtendedFirst && only == -1) ApplyExtendedTranslations();
  try {
    ApplyOwnerText(TStringsType::stCaptions);
    ApplyOwnerText(TStringsType::stHints);
  } catch (const std::exception&) {
  }
  if (wanted({0})) ApplyList(TStringsType::stCaptions);
  if (wanted({1})) ApplyList(TStringsType::stHints);
  if (wanted({2})) ApplyList(TStringsType::stDisplayLabels);
  if (wanted({3, 10}) && !NoOwnerFont) ApplyList(TStringsType::stFonts);
  ApplyOwnerFont();
  if (wanted({4})) ApplyList(TStringsType::stMultiLines);
  if (wanted({7})) ApplyList(TStringsType::stOtherStrings);
  if (wanted({8}) && FChangeLocales) ApplyList(TStringsType::stLocales);
  if (wanted({9})) ApplyCollections();
  if (!TranslateExtendedFirst && only == -1) ApplyExtendedTranslations();
  if (OnChangeLanguage) OnChangeLanguage(this);
}
