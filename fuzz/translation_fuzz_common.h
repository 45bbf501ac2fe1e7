#pragma once
// A form with a button and a two-language translation component, for the
// translation fuzz targets.
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "translation/LocLang.h"

struct TFuzzForm {
  TForm* Form;
  TLocLang* Lang;
  TFuzzForm() {
    Forms::EnsureToolkit();
    Form = Create<TForm>(nullptr);
    Form->SetName("FuzzForm");
    auto* button = Create<TButton>(Form);
    button->SetName("Button1");
    button->SetCaption("OK");
    Lang = Create<TLocLang>(Form);
    TStringList names;
    names.Add("English");
    names.Add("German");
    Lang->SetLangNames(&names);
    Lang->CollectTexts();
  }
  ~TFuzzForm() { Form->Free(); }
};
