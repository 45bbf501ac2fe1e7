#include "app/ResMainForm.h"

TMainForm* ResMainForm::MainForm = nullptr;

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("MainForm");
  SetCaption("KelmVev2Er");
  SetClientWidth(928);
  SetClientHeight(566);
  SetColor(clWhite);
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  SetFont(&font);
  Position = TPosition::poDesktopCenter;
  Constraints.MinHeight = 200;
  Constraints.MaxHeight = 1000;
  SetWindowState(TWindowState::wsMaximized);
  KeyPreview = true;
}
