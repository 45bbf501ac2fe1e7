// The program entry: the application object, the main window and the dialogs
// that live until exit, and the message loop. The command line is kept for the
// main window's start-up timer and the splash window ("-ns" or "/ns").

#include "app/Dearsetup.h"
#include "app/EditUnit.h"
#include "app/FileAssociation.h"
#include "app/PrSetupUn.h"
#include "app/printsettings.h"
#include "app/ResMainForm.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/extras/ExtrasUnits.h"
#include "chart/series/PlotExport.h"
#include "numerics/Supermath2d.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "views/Section2D.h"

int main(int argc, char** argv) {
  Application->Initialize(argc, argv);
  Application->Title = "KelmVev2Er";
  // The numerical core writes numbers in the user's locale and resolves system
  // colours through the platform, which it cannot call itself.
  Supermath2d::SetLocaleDecimalSeparator(FormatSettings.DecimalSeparator);
  Supermath2d::SetSystemColorResolver([](int32_t c) { return ColorToRGB(c); });
  Section2D::RegisterClasses();
  ResMainForm::MainForm = Application->CreateForm<TMainForm>();
  EditUnit::EditForm = Application->CreateForm<TEditForm>();
  EditUnit::EditForm->Attach(*ResMainForm::MainForm);
  // The association is written by the program only, never by tests that create
  // the main window, so that they leave the desktop of the user alone.
  FileAssociation::RegisterFileAssociation(FileAssociation::UserDataDir(), "k2d", "KelmVev2er data", "kelmvev2er",
                                           Application->ExeName());
  Dearsetup::Defarray = Application->CreateForm<TDefarray>();
  PrSetupUn::SetupForm = Application->CreateForm<TSetupForm>();
  printsettings::prntset = Application->CreateForm<Tprntset>();
  Application->Run();
  // Mail attachments are kept until the mail program had its chance to read them.
  PlotExport::RemoveKeptTempFiles();
  ChartEditors::Finalize();
  ExtrasUnits::Finalization();
  return 0;
}
