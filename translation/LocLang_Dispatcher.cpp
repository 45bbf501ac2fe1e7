// The language dispatcher and its test mode.
#include <QString>
#include <cmath>

#include "platform/ui/QtBridge.h"
#include "translation/LocLang_Internal.h"

using namespace SysUtils;

using namespace LocLang;

KV_CLASS_IMPL(TTestModeInfo, TPersistent) {
  c.Property("Active", &TTestModeInfo::Active).Default(false);
  c.Property("PaddingChar", &TTestModeInfo::PaddingChar).Default(uint8_t(42));
  c.Property("ExpandCharsPercent", &TTestModeInfo::ExpandCharsPercent).Default(100);
  c.Property("ExpandWidthPercent", &TTestModeInfo::ExpandWidthPercent).Default(100);
  c.Property("Kind", &TTestModeInfo::Kind).Names({"tmkExpandWidth", "tmkFlipCase", "tmkExpandChars"}).Default(
      TTestModeKind::tmkExpandWidth);
}

void TTestModeInfo::Assign(const TPersistent* Source) {
  if (auto* s = dynamic_cast<const TTestModeInfo*>(Source)) {
    Active = s->Active;
    PaddingChar = s->PaddingChar;
    ExpandCharsPercent = s->ExpandCharsPercent;
    ExpandWidthPercent = s->ExpandWidthPercent;
    Kind = s->Kind;
    return;
  }
  TPersistent::Assign(Source);
}

namespace LocLang {

namespace {
int MeasureWidth(const QString& Text) {
  static TBitmap bitmap(1, 1);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->Font->SetName("Tahoma");
  canvas->Font->SetSize(8);
  return canvas->TextWidth(UiBridge::FromQ(Text));
}
}  // namespace

std::string TestModeText(const TTestModeInfo& Info, const std::string& Text) {
  if (Text.empty()) return Text;
  const QString text = UiBridge::ToQ(Text);
  const QChar pad = QChar(static_cast<char16_t>(Info.PaddingChar));
  switch (Info.Kind) {
    case TTestModeKind::tmkFlipCase: {
      QString out;
      for (QChar c : text) out += c.isUpper() ? c.toLower() : c.toUpper();
      return UiBridge::FromQ(out);
    }
    case TTestModeKind::tmkExpandChars: {
      const int L = static_cast<int>(text.size());
      long long E = std::llround(std::nearbyint(double(L) * Info.ExpandCharsPercent / 100.0));
      if (E < 0) E = 0;
      QString out;
      for (int p = 1; p <= L; ++p) {
        const long long k = E / (L - p + 1);
        out += text[p - 1];
        out += QString(static_cast<int>(k), pad);
        E -= k;
      }
      return UiBridge::FromQ(out);
    }
    case TTestModeKind::tmkExpandWidth: {
      QString result = text.toUpper();
      const int W = MeasureWidth(text);
      const long long target = W + static_cast<long long>(W) * Info.ExpandWidthPercent / 100;
      long long p = text.size();
      // A padding character of no width never reaches the target: stop when
      // the width stops growing, and after four insertions per character.
      const long long maxInsertions = 4LL * text.size();
      int width = MeasureWidth(result);
      for (long long n = 0; width < target && n < maxInsertions; ++n) {
        const long long at = std::clamp<long long>(p - 1, 0, result.size());
        result.insert(static_cast<int>(at), pad);
        p -= 2;
        if (p <= 1) p = result.size() - 1;
        const int next = MeasureWidth(result);
        if (next <= width) break;
        width = next;
      }
      return UiBridge::FromQ(result);
    }
  }
  return Text;
}

}  // namespace LocLang

// ============================================================================
// TLocLangDispatcher
// ============================================================================
KV_CLASS_IMPL(TLocLangDispatcher, TComponent) {
  c.Property("ActiveLanguage", &TLocLangDispatcher::GetActiveLanguage, &TLocLangDispatcher::SetActiveLanguage)
      .Default(1);
  c.Property("NumOfLanguages", &TLocLangDispatcher::GetNumOfLanguages, &TLocLangDispatcher::SetNumOfLanguages)
      .Default(1);
  c.Property("LangNames", &TLocLangDispatcher::GetLangNames, &TLocLangDispatcher::SetLangNames);
  c.Property("Language", &TLocLangDispatcher::GetLanguage, &TLocLangDispatcher::SetLanguage).Default("");
  c.Property("FileName", &TLocLangDispatcher::FileName).Default("");
  c.Property("TestModeInfo", &TLocLangDispatcher::GetTestModeInfo, &TLocLangDispatcher::SetTestModeInfo);
  c.Property("TestMode", &TLocLangDispatcher::GetTestMode, &TLocLangDispatcher::SetTestMode).Stored(false);
  c.Property("TestPercentage", &TLocLangDispatcher::GetTestPercentage, &TLocLangDispatcher::SetTestPercentage)
      .Stored(false);
  c.Property("UseDefaultLanguage", &TLocLangDispatcher::GetUseDefaultLanguage,
             &TLocLangDispatcher::SetUseDefaultLanguage)
      .Default(false);
  c.Property("DefaultLanguage", &TLocLangDispatcher::GetDefaultLanguage, &TLocLangDispatcher::SetDefaultLanguage)
      .Default(1);
}

TLocLangDispatcher::TLocLangDispatcher(TComponent* AOwner)
    : TComponent(AOwner), FLangNames(std::make_unique<TStringList>()), FTestModeInfo(std::make_unique<TTestModeInfo>()) {
  FLangNames->Add("Language N1");
}

TLocLangDispatcher::~TLocLangDispatcher() = default;

void TLocLangDispatcher::BeforeDestruction() {
  for (size_t i = FLinks.size(); i-- > 0;)
    if (i < FLinks.size()) FLinks[i]->SetLangDispatcher(nullptr);
  FLinks.clear();
  TComponent::BeforeDestruction();
}

void TLocLangDispatcher::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove)
    if (auto* lang = dynamic_cast<TLocCustomLang*>(AComponent)) UnlinkComponent(lang);
}

void TLocLangDispatcher::Loaded() {
  TComponent::Loaded();
  TStringList copy;
  copy.Assign(FLangNames.get());
  FLangNames->Clear();
  SetLangNames(&copy);
}

TLNBFileManager* TLocLangDispatcher::LNBReader() {
  if (!FLNB) FLNB = std::make_unique<TLNBFileManager>();
  return FLNB.get();
}

void TLocLangDispatcher::LinkComponent(TLocCustomLang* Lang) {
  if (!Lang || std::find(FLinks.begin(), FLinks.end(), Lang) != FLinks.end()) return;
  FLinks.push_back(Lang);
  Lang->SetNumOfLanguages(FNumOfLanguages);
  Lang->GetLangNames()->Assign(FLangNames.get());
  Lang->SetLanguageField(FLanguage);
  const bool designing = Lang->IsDesigning();
  if (designing) {
    Lang->SetActiveLanguage(FActiveLanguage);
    return;
  }
  if (!FileName.empty() && FileExists(FileName)) {
    Lang->SetActiveLanguageField(FActiveLanguage);
    if (UpperCase(ExtractFileExt(FileName)) == ".LNB") {
      LNBReader();
      Lang->ReadFromLNB(FileName);
    } else {
      Lang->ReadAllFromFile(FileName, true);
    }
    FLangNames->Assign(Lang->GetLangNames());
    FNumOfLanguages = Lang->GetNumOfLanguages();
  } else {
    Lang->SetActiveLanguage(FActiveLanguage);
  }
  if (OnLinkToDispatcher) OnLinkToDispatcher(this, Lang);
}

void TLocLangDispatcher::UnlinkComponent(TLocCustomLang* Lang) {
  auto it = std::find(FLinks.begin(), FLinks.end(), Lang);
  if (it != FLinks.end()) FLinks.erase(it);
}

void TLocLangDispatcher::SetActiveLanguage(int Value) {
  // Every linked component must take the value before any switches.
  for (TLocCustomLang* lang : FLinks)
    if (Value < 1 || Value > lang->GetNumOfLanguages())
      throw ELanguageError(Format("%d - is not a valid property value!\rValue must be within [1..%d]!",
                                  {Value, lang->GetNumOfLanguages()}));
  FActiveLanguage = Value;
  const std::vector<TLocCustomLang*> links = FLinks;
  for (TLocCustomLang* lang : links) lang->SetActiveLanguage(Value);
  if (!ComponentState.Contains(TComponentStateItem::csLoading) && Value >= 1 && Value <= FLangNames->Count())
    FLanguage = FLangNames->Get(Value - 1);
}

void TLocLangDispatcher::SetNumOfLanguages(int Value) {
  if (Value < 1)
    throw ELanguageError(IntToStr(Value) + " - is not a valid property value !\r" + "Value must be more than ZERO !");
  FNumOfLanguages = Value;
  while (FLangNames->Count() < Value) FLangNames->Add("Language N" + IntToStr(FLangNames->Count() + 1));
  while (FLangNames->Count() > Value) FLangNames->Delete(FLangNames->Count() - 1);
  if (FActiveLanguage > Value) FActiveLanguage = Value;
  const std::vector<TLocCustomLang*> links = FLinks;
  for (TLocCustomLang* lang : links) lang->SetNumOfLanguages(Value);
}

void TLocLangDispatcher::SetLangNames(TStrings* Value) {
  if (Value && Value != FLangNames.get()) FLangNames->Assign(Value);
  if (FActiveLanguage >= 1 && FActiveLanguage <= FLangNames->Count()) FLanguage = FLangNames->Get(FActiveLanguage - 1);
  const std::vector<TLocCustomLang*> links = FLinks;
  for (TLocCustomLang* lang : links) {
    lang->GetLangNames()->Assign(FLangNames.get());
    if (!FLanguage.empty() && FLangNames->IndexOf(FLanguage) >= 0) lang->SetLanguage(FLanguage);
  }
  SetNumOfLanguages(std::max(1, FLangNames->Count()));
}

void TLocLangDispatcher::SetLanguage(const std::string& Value) {
  if (Value == FLanguage) return;
  const int index = FLangNames->IndexOf(Value);
  if (FLangNames->Count() > 0 && index < 0)
    throw ELanguageError("Language name shall be included in LangNames property!");
  FLanguage = Value;
  if (!ComponentState.Contains(TComponentStateItem::csLoading) && FLangNames->Count() > 0) SetActiveLanguage(index + 1);
}

void TLocLangDispatcher::SetDefaultLanguage(int Value) {
  if (Value < 1 || Value > FNumOfLanguages || Value == FDefaultLanguage) return;
  FDefaultLanguage = Value;
  for (TLocCustomLang* lang : FLinks) lang->SetDefaultLanguage(Value);
}

void TLocLangDispatcher::SetUseDefaultLanguage(bool Value) {
  if (Value == FUseDefaultLanguage) return;
  FUseDefaultLanguage = Value;
  for (TLocCustomLang* lang : FLinks) lang->UseDefaultLanguage = Value;
}

std::string TLocLangDispatcher::TestModeText(TComponent*, const std::string& Text) const {
  return LocLang::TestModeText(*FTestModeInfo, Text);
}
