// The recent-files menu of the main window and the update check of "Help".

#include "app/FileMO.h"
#include "app/ResMainForm.h"
#include "app/UpdateCheck.h"

void TMainForm::CreateRecentFiles() {
  FileMenuOpens1 = Create<TFileMenuOpens>(this);
  FileMenuOpens1->SetName("FileMenuOpens1");
  // In the order the window stores them: first the keys of a four-entry list,
  // then the fifth slot, then the menu.
  FileMenuOpens1->SetOnAction([this](TObject* Sender) { FileMenuOpens1Action(Sender); });
  FileMenuOpens1->SetRegPath("\\Software\\KelmVev2er\\Files");
  FileMenuOpens1->SetNumbers(5);
  FileMenuOpens1->SetMenus(Recent1);
  FileMenuOpens1->SetMenuIndex(0);
}

void TMainForm::FileMenuOpens1Action(TObject* Sender) {
  const auto* item = dynamic_cast<const TFileMenuItem*>(Sender);
  if (!item) return;
  // The item may go with the rebuild of the list below.
  const std::string fileName = item->FileName;
  // A changed model or changed data are offered for saving first, as Open does.
  if (!ConfirmDiscardWork()) return;
  if (!OpenSurveyFile(fileName)) return;
  ShowOpenedSurvey();
}

void TMainForm::Checkforupdates1Click(TObject*) { ResMainForm::CheckForUpdates(ResMainForm::UpdateUrl()); }
