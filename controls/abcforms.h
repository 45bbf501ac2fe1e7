#pragma once
// TabcForm: the base of the kit's own forms, known to the class registry so
// that the form factory can create a form by its class.

#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"

class TabcForm : public TForm {
  KV_CLASS(TabcForm, TForm)

 public:
  explicit TabcForm(TComponent* AOwner);
};
