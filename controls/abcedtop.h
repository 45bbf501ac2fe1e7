#pragma once
// TabcFileOpenEdit: a button edit whose button (or Enter) runs a file-open
// dialog and puts the chosen name into the text.
//
//   auto* e = new TabcFileOpenEdit(form); e->SetParent(form);
//   e->GetOpenDialog()->Filter = "Level Files (*.lvl)|*.lvl";
//   e->AfterExecute = [&](TObject*) { use(e->GetText()); };

#include "controls/abcedbtn.h"
#include "platform/ui/Dialogs.h"

#include <memory>

// The dialog's settings as the edit publishes them.
class TabcOpenDialogWrapper : public TPersistent {
  KV_CLASS(TabcOpenDialogWrapper, TPersistent)
 public:
  TabcOpenDialogWrapper();
  ~TabcOpenDialogWrapper() override;
  TOpenDialog* Dialog() const { return FDialog.get(); }
  // Runs the dialog; the answer is remembered.
  bool Execute();
  bool LastResult() const { return FResult; }
  // Stored only: the dialog has no help and always looks the same.
  bool Ctl3D = true;
  int HelpContext = 0;

 private:
  std::unique_ptr<TOpenDialog> FDialog;
  bool FResult = false;
};

class TabcFileOpenEdit : public TabcCustomButtonEdit {
  KV_CLASS(TabcFileOpenEdit, TabcCustomButtonEdit)
 public:
  explicit TabcFileOpenEdit(TComponent* AOwner);
  ~TabcFileOpenEdit() override;

  bool GetClickOnEnterKey() const { return ClickTriggers.Contains(TabcClickTrigger::ctEnterKey); }
  // Writing replaces the whole trigger set.
  void SetClickOnEnterKey(bool Value);
  TabcOpenDialogWrapper* GetOpenDialog() const { return FOpenDialog.get(); }
  TNotifyEvent BeforeExecute;
  TNotifyEvent AfterExecute;
  // The dialog's own events, read and written on the dialog itself.
  TNotifyEvent GetOnDlgClose() const { return Dlg().OnClose; }
  void SetOnDlgClose(TNotifyEvent Value) { Dlg().OnClose = std::move(Value); }
  TNotifyEvent GetOnDlgShow() const { return Dlg().OnShow; }
  void SetOnDlgShow(TNotifyEvent Value) { Dlg().OnShow = std::move(Value); }
  TNotifyEvent GetOnDlgFolderChange() const { return Dlg().OnFolderChange; }
  void SetOnDlgFolderChange(TNotifyEvent Value) { Dlg().OnFolderChange = std::move(Value); }
  TCloseQueryEvent GetOnDlgCanClose() const { return Dlg().OnCanClose; }
  void SetOnDlgCanClose(TCloseQueryEvent Value) { Dlg().OnCanClose = std::move(Value); }
  TIncludeItemEvent GetOnDlgIncludeItem() const { return Dlg().OnIncludeItem; }
  void SetOnDlgIncludeItem(TIncludeItemEvent Value) { Dlg().OnIncludeItem = std::move(Value); }
  TNotifyEvent GetOnDlgSelectionChange() const { return Dlg().OnSelectionChange; }
  void SetOnDlgSelectionChange(TNotifyEvent Value) { Dlg().OnSelectionChange = std::move(Value); }
  TNotifyEvent GetOnDlgTypeChange() const { return Dlg().OnTypeChange; }
  void SetOnDlgTypeChange(TNotifyEvent Value) { Dlg().OnTypeChange = std::move(Value); }

 protected:
  void ButtonClick() override;

 private:
  TOpenDialog& Dlg() const { return *FOpenDialog->Dialog(); }
  std::unique_ptr<TabcOpenDialogWrapper> FOpenDialog;
};
