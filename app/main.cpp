// The program entry: the application object, the main window and the dialogs
// that live until exit, and the message loop. The command line is kept for the
// main window's start-up timer and the splash window ("-ns" or "/ns").

#include "app/Dearsetup.h"
#include "app/ResMainForm.h"
#include "platform/ui/Forms.h"

int main(int argc, char** argv) {
  Application->Initialize(argc, argv);
  Application->Title = "KelmVev2Er";
  ResMainForm::MainForm = Application->CreateForm<TMainForm>();
  Dearsetup::Defarray = Application->CreateForm<TDefarray>();
  Application->Run();
  return 0;
}
