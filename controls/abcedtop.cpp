#include "controls/abcedtop.h"

KV_CLASS_IMPL(TabcOpenDialogWrapper, TPersistent) {}

KV_CLASS_IMPL(TabcFileOpenEdit, TabcCustomButtonEdit) {
  c.Property("ClickOnEnterKey", &TabcFileOpenEdit::GetClickOnEnterKey, &TabcFileOpenEdit::SetClickOnEnterKey)
      .Default(true);
}

TabcOpenDialogWrapper::TabcOpenDialogWrapper() : FDialog(std::make_unique<TOpenDialog>(nullptr)) {
  FDialog->Filter = "All Files (*.*)|*.*";
  FDialog->Options = {TOpenOption::ofHideReadOnly};
}

TabcOpenDialogWrapper::~TabcOpenDialogWrapper() = default;

bool TabcOpenDialogWrapper::Execute() {
  FResult = FDialog->Execute();
  return FResult;
}

TabcFileOpenEdit::TabcFileOpenEdit(TComponent* AOwner)
    : TabcCustomButtonEdit(AOwner), FOpenDialog(std::make_unique<TabcOpenDialogWrapper>()) {
  ClickTriggers = {TabcClickTrigger::ctEnterKey};
}

TabcFileOpenEdit::~TabcFileOpenEdit() = default;

void TabcFileOpenEdit::SetClickOnEnterKey(bool Value) {
  ClickTriggers = Value ? TabcClickTriggers{TabcClickTrigger::ctEnterKey} : TabcClickTriggers{};
}

void TabcFileOpenEdit::ButtonClick() {
  if (BeforeExecute) BeforeExecute(this);
  if (FOpenDialog->Execute()) SetText(FOpenDialog->Dialog()->FileName);
  if (AfterExecute) AfterExecute(this);
  TabcCustomButtonEdit::ButtonClick();
}
