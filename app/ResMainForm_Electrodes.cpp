// The electrode editor as the main window reaches it: the "Electrode editor"
// command and the reload of its table when the survey it shows is replaced.

#include "app/EditUnit.h"
#include "app/ResMainForm.h"

void TMainForm::InstallElectrodeEditorEvents() {
  Electrodeeditor1->OnClick = [this](TObject* Sender) { Electrodeeditor1Click(Sender); };
  SpeedButton5->OnClick = [this](TObject* Sender) { Electrodeeditor1Click(Sender); };
}

void TMainForm::Electrodeeditor1Click(TObject*) {
  // A computation that disabled the window works on the survey the table would edit.
  if ((!ObservedLoaded && !CalculatedReady) || !GetEnabled()) return;
  TEditForm& editor = EditUnit::EditorFor(*this);
  editor.LoadGrid();
  editor.Show();
}

void TMainForm::ElectrodeEditorSurveyChanged() {
  TEditForm* editor = EditUnit::EditForm.Get();
  if (editor && editor->MainWindow() == this) editor->SurveyChanged();
}
