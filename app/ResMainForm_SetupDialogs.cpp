// The look dialogs of the main window's views: the contour-section setup of the
// data sections, the graphics setup of the graph managers and the section
// setup of the model chart.

#include "app/PseudoSetup.h"
#include "app/ResMainForm.h"
#include "app/polysetup.h"
#include "app/setupMG.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

void TMainForm::InstallSetupDialogs() {
  PseudoSection2d::SetupDialogHook = [](TPseudoSection2d& View) { return PseudoSetup::ShowContourSetup(View); };
  Multigraphics::SetupDialogHook = [](multigraph& Graph) { return setupMG::ShowGraphicsSetup(Graph); };
  Setup1->OnClick = [this](TObject*) {
    if (PolygonChart1) polysetup::ShowSectionSetup(*PolygonChart1);
  };
}

void TMainForm::RemoveSetupDialogs() {
  PseudoSection2d::SetupDialogHook = nullptr;
  Multigraphics::SetupDialogHook = nullptr;
}
