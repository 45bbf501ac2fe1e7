#include "controls/abcforms.h"

KV_CLASS_IMPL(TabcForm, TForm) {}

TabcForm::TabcForm(TComponent* AOwner) : TForm(AOwner) {}
