// The main window's menus and tool bars: every menu item and tool button with
// the handler it runs, the edit-mode tool bar and the model chart's pop-up menu,
// and the window events of the commands (keys, wheel, resizing, splitters).

#include "app/ResMainForm.h"

#include "app/PrSetupUn.h"
#include "app/ToolGlyphs.h"
#include "app/bsetupun.h"
#include "app/printsettings.h"
#include "controls/abcsplit.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"

namespace {

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const std::string& Caption, TNotifyEvent OnClick = {}) {
  auto* item = Create<TMenuItem>(Owner);
  item->SetCaption(Caption);
  item->OnClick = std::move(OnClick);
  Parent->Add(item);
  return item;
}

void AddSeparator(TComponent* Owner, TMenuItem* Parent) { AddItem(Owner, Parent, "-"); }

// The edit-mode buttons in tool-bar order, with their hints.
struct TModeButtonDef {
  TSpeedButton* TMainForm::*Button;
  const char* Name;
  const char* Hint;
};
constexpr TModeButtonDef ModeButtons[] = {
    {&TMainForm::SpeedButton9, "SpeedButton9", "Add polygon"},
    {&TMainForm::SpeedButton10, "SpeedButton10", "Delete sub-polygon"},
    {&TMainForm::SpeedButton11, "SpeedButton11", "Add sub-polygon to other"},
    {&TMainForm::SpeedButton12, "SpeedButton12", "Uncouple sub-polygon from polygon"},
    {&TMainForm::SpeedButton13, "SpeedButton13", "Divide polygon"},
    {&TMainForm::SpeedButton14, "SpeedButton14", "Move sub-polygon"},
    {&TMainForm::SpeedButton15, "SpeedButton15", "Move polygon"},
    {&TMainForm::SpeedButton16, "SpeedButton16", "Add node"},
    {&TMainForm::SpeedButton17, "SpeedButton17", "Delete node"},
    {&TMainForm::SpeedButton20, "SpeedButton20", "Move node"},
    {&TMainForm::SpeedButton18, "SpeedButton18", "Uncouple nodes"},
    {&TMainForm::SpeedButton19, "SpeedButton19", "Couple nodes"},
    {&TMainForm::SpeedButton21, "SpeedButton21", "Fix node"},
};

}  // namespace

void TMainForm::CreateToolBar() {
  ToolBar1 = Create<TToolBar>(this);
  ToolBar1->SetName("ToolBar1");
  ToolBar1->SetParent(this);
  ToolBar1->SetAlign(TAlign::alTop);
  ToolBar1->SetHeight(26);
  struct TButtonDef {
    TSpeedButton** Button;
    const char* Name;
    const char* Hint;
    TNotifyEvent OnClick;
  };
  const TButtonDef buttons[] = {
      {&SpeedButton1, "SpeedButton1", "Open data file", [this](TObject* S) { SpeedButton1Click(S); }},
      {&SpeedButton2, "SpeedButton2", "Save data file", [this](TObject* S) { SpeedButton2Click(S); }},
      {&SpeedButton4, "SpeedButton4", "Program setup", {}},
      {&SpeedButton5, "SpeedButton5", "Electrode editor", {}},
      {&SpeedButton6, "SpeedButton6", "Forward problem", [this](TObject* S) { SpeedButton6Click(S); }},
      {&SpeedButton22, "SpeedButton22", "Inversion", [this](TObject* S) { SpeedButton22Click(S); }},
      {&SpeedButton8, "SpeedButton8", "UnDo", [this](TObject* S) { SpeedButton8Click(S); }},
      {&SpeedButton3, "SpeedButton3", "Resistivity mode", [this](TObject* S) { SpeedButton3Click(S); }},
      {&SpeedButton7, "SpeedButton7", "Polarizability mode", [this](TObject* S) { SpeedButton7Click(S); }},
  };
  int left = 2;
  for (const TButtonDef& def : buttons) {
    auto* button = Create<TSpeedButton>(this);
    button->SetName(def.Name);
    button->SetParent(ToolBar1);
    button->SetBounds(left, 2, 23, 22);
    left += 23;
    button->Flat = true;
    button->SetHint(def.Hint);
    button->SetShowHint(true);
    button->SetGlyph(ToolGlyphs::Make(def.Name, 16).get());
    button->OnClick = def.OnClick;
    *def.Button = button;
  }
  // The quantity buttons appear with data that carry polarizability.
  SpeedButton3->SetVisible(false);
  SpeedButton7->SetVisible(false);
  CreateEditToolBar();
}

void TMainForm::CreateEditToolBar() {
  // The edit-mode tool bar shows once a survey exists.
  ToolBar2 = Create<TToolBar>(this);
  ToolBar2->SetName("ToolBar2");
  ToolBar2->SetParent(this);
  ToolBar2->SetAlign(TAlign::alBottom);
  ToolBar2->SetHeight(37);
  ToolBar2->SetVisible(false);
  int group = 1;
  int left = 2;
  for (const TModeButtonDef& def : ModeButtons) {
    auto* button = Create<TSpeedButton>(this);
    button->SetName(def.Name);
    button->SetParent(ToolBar2);
    button->SetBounds(left, 2, 33, 33);
    left += 33;
    button->Layout = TButtonLayout::blGlyphBottom;
    button->SetHint(def.Hint);
    button->SetShowHint(true);
    button->SetGlyph(ToolGlyphs::Make(def.Name, 24).get());
    // Each button has a group of its own, so that pressing one releases no other
    // by itself; "Fix node" has none and never stays down.
    if (def.Button != &TMainForm::SpeedButton21) {
      button->GroupIndex = group++;
      button->AllowAllUp = true;
    }
    button->OnClick = [this](TObject* Sender) { ModeButtonClick(Sender); };
    this->*def.Button = button;
  }
}

void TMainForm::CreateMenus() {
  MainMenu1 = Create<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* root = MainMenu1->Items();

  File1 = AddItem(this, root, "File");
  Openfile1 = AddItem(this, File1, "Open file", [this](TObject* S) { SpeedButton1Click(S); });
  Newmodel1 = AddItem(this, File1, "Create survey", [this](TObject* S) { Newmodel1Click(S); });
  Addgravimagneticdata1 = AddItem(this, File1, "Add gravimagnetic data");
  Savefile1 = AddItem(this, File1, "Save file", [this](TObject* S) { SpeedButton2Click(S); });
  Editfile1 = AddItem(this, File1, "Edit file", [this](TObject* S) { Editfile1Click(S); });
  Printpreview1 = AddItem(this, File1, "Print preview", [this](TObject* S) { Printpreview1Click(S); });
  Recent1 = AddItem(this, File1, "Recent");
  AddSeparator(this, File1);
  Exit1 = AddItem(this, File1, "Exit", [this](TObject* S) { Exit1Click(S); });

  Options1 = AddItem(this, root, "Options", [this](TObject* S) { Options1Click(S); });
  Newmodel2 = AddItem(this, Options1, "Model constructor", [this](TObject* S) { Newmodel2Click(S); });
  Programsetup1 = AddItem(this, Options1, "Program setup");
  Electrodeeditor1 = AddItem(this, Options1, "Electrode editor");
  Graphicssetup1 = AddItem(this, Options1, "Graphics setup");
  Observedgraphicsrhoa1 = AddItem(this, Graphicssetup1, "Observed graphics rho_a",
                                  [this](TObject*) { GraphicsSetupClick(ObservedRhoGraph); });
  Calculatedgraphicsrhoa1 = AddItem(this, Graphicssetup1, "Calculated graphics rho_a",
                                    [this](TObject*) { GraphicsSetupClick(CalculatedRhoGraph); });
  AddSeparator(this, Graphicssetup1);
  Observedgraphicsethaa1 = AddItem(this, Graphicssetup1, "Observed graphics  etha_a",
                                   [this](TObject*) { GraphicsSetupClick(ObservedEtaGraph); });
  Calculatedgraphicsethaa1 = AddItem(this, Graphicssetup1, "Calculated graphics etha_a",
                                     [this](TObject*) { GraphicsSetupClick(CalculatedEtaGraph); });
  AddSeparator(this, Options1);

  Data1 = AddItem(this, Options1, "Data", [this](TObject* S) { Data1Click(S); });
  Apparentresistivity1 =
      AddItem(this, Data1, "Apparent resistivity", [this](TObject* S) { Apparentresistivity1Click(S); });
  Resistanse1 = AddItem(this, Data1, "Resistance", [this](TObject* S) { Resistanse1Click(S); });
  AddSeparator(this, Data1);
  PseudoSection1 = AddItem(this, Data1, "Pseudo-section", [this](TObject* S) { Pseudosection1Click(S); });
  Graphicsplot1 = AddItem(this, Data1, "Graphics-plot", [this](TObject* S) { Graphicsplot1Click(S); });
  AddSeparator(this, Data1);
  Calculateddata1 = AddItem(this, Data1, "Calculated data", [this](TObject* S) { Calculateddata1Click(S); });
  Datamisfit1 = AddItem(this, Data1, "Data misfit", [this](TObject* S) { Datamisfit1Click(S); });
  Dataweights1 = AddItem(this, Data1, "Data weights", [this](TObject* S) { Dataweights1Click(S); });
  AddSeparator(this, Data1);
  IsoPsZ1 = AddItem(this, Data1, "Iso-Pole graphics", [this](TObject* S) { IsoPsZ1Click(S); });
  IsoSource1 = AddItem(this, Data1, "Iso-PsZ graphics", [this](TObject* S) { IsoSource1Click(S); });
  AddSeparator(this, Data1);
  Display1 = AddItem(this, Data1, "Display", [this](TObject* S) { Display1Click(S); });
  Displayevery1 = AddItem(this, Display1, "Display every 1 point", [this](TObject* S) { Displayevery1Click(S); });
  CPP1 = AddItem(this, Display1, "CPP", [this](TObject* S) { CPP1Click(S); });
  PPC1 = AddItem(this, Display1, "PPC", [this](TObject* S) { PPC1Click(S); });
  CCPP1 = AddItem(this, Display1, "CCPP", [this](TObject* S) { CCPP1Click(S); });
  PPCC1 = AddItem(this, Display1, "PPCC", [this](TObject* S) { PPCC1Click(S); });

  Style1 = AddItem(this, Options1, "Worksheet style", [this](TObject* S) { Style1Click(S); });
  Ononeplot1 = AddItem(this, Style1, "Separately", [this](TObject* S) { Ononeplot1Click(S); });
  jointly1 = AddItem(this, Style1, "Jointly", [this](TObject* S) { jointly1Click(S); });
  Advanced1 = AddItem(this, Options1, "Advanced", [this](TObject* S) { Advanced1Click(S); });
  Realtopocoordinates1 =
      AddItem(this, Advanced1, "Real topo coordinates", [this](TObject* S) { Realtopocoordinates1Click(S); });
  Reversepseudosection1 =
      AddItem(this, Advanced1, "Reverse pseudosection", [this](TObject* S) { Reversepseudosection1Click(S); });
  Extendednodes1 = AddItem(this, Advanced1, "Extended nodes", [this](TObject* S) { Extendednodes1Click(S); });
  Openinmodelingmode1 =
      AddItem(this, Advanced1, "Open in modeling mode", [this](TObject* S) { Openinmodelingmode1Click(S); });
  ImportExport1 = AddItem(this, Options1, "Import/Export");
  Carotagedata1 = AddItem(this, ImportExport1, "Carotage data", [this](TObject* S) { Carotagedata1Click(S); });
  Importmodeldata1 = AddItem(this, ImportExport1, "Import model/data", [this](TObject* S) { Importdata1Click(S); });
  Removeimport1 = AddItem(this, ImportExport1, "Remove import", [this](TObject*) { RemoveImports(); });
  AddSeparator(this, ImportExport1);
  Outputsettings1 = AddItem(this, ImportExport1, "Output settings");

  Help1 = AddItem(this, root, "Help");
  About1 = AddItem(this, Help1, "About", [this](TObject* S) { About1Click(S); });
  Context1 = AddItem(this, Help1, "Context", [this](TObject* S) { Context1Click(S); });
  Checkforupdates1 = AddItem(this, Help1, "Check for updates", [this](TObject* S) { Checkforupdates1Click(S); });
  SetMenu(MainMenu1);

  CreatePopupMenu();
  InstallCommandEvents();
  // The check marks start as the fields are.
  Data1Click(nullptr);
  Options1Click(nullptr);
  Style1Click(nullptr);
  Display1Click(nullptr);
  Advanced1Click(nullptr);
}

void TMainForm::CreatePopupMenu() {
  PopupMenu1 = Create<TPopupMenu>(this);
  PopupMenu1->SetName("PopupMenu1");
  TMenuItem* root = PopupMenu1->Items();
  Setup1 = AddItem(this, root, "Setup");
  Printpreview2 = AddItem(this, root, "Print preview", [this](TObject* S) { Printpreview2Click(S); });
  Savepicture1 = AddItem(this, root, "Save picture", [this](TObject* S) { Savepicture1Click(S); });
  ZoomScroll1 = AddItem(this, root, "Zoom&&Scroll  Z", [this](TObject* S) { ZoomScroll1Click(S); });
  Equalscale1 = AddItem(this, root, "Equal scale", [this](TObject* S) { Equalscale1Click(S); });
}

void TMainForm::InstallCommandEvents() {
  OnKeyDown = [this](TObject* Sender, uint16_t& Key, TShiftState Shift) { FormKeyDown(Sender, Key, Shift); };
  OnKeyUp = [this](TObject* Sender, uint16_t& Key, TShiftState Shift) { FormKeyUp(Sender, Key, Shift); };
  OnMouseWheelDown = [this](TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled) {
    FormMouseWheelDown(Sender, Shift, MousePos, Handled);
  };
  OnMouseWheelUp = [this](TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled) {
    FormMouseWheelUp(Sender, Shift, MousePos, Handled);
  };
  OnResize = [this](TObject* Sender) { FormResize(Sender); };
  abcSBiSplit1->OnResize = [this](TObject* Sender) { FormResize(Sender); };
  abcSBiSplit1->OnSplitMoveV = [this](TObject* Sender) { FormResize(Sender); };
  Splitter1->OnMoved = [this](TObject* Sender) { Splitter1Moved(Sender); };
  Splitter2->OnMoved = [this](TObject* Sender) { Splitter2Moved(Sender); };

  // The model chart: the last press is kept for the double click, which replaces
  // the chart's own.
  auto chartDown = PolygonChart1->OnMouseDown;
  PolygonChart1->OnMouseDown = [this, chartDown](TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
    FModelMouseDown = TPoint(X, Y);
    if (chartDown) chartDown(Button, Shift, X, Y);
  };
  PolygonChart1->OnDblClick = [this] { PolygonChart1DblClick(); };
  PolygonChart1->OnResize = [this](TObject* Sender) { PolygonChart1Resize(Sender); };
  InstallElectrodeEditorEvents();
  Programsetup1->OnClick = [this](TObject*) { PrSetupUn::ShowProgramSetup(*this); };
  SpeedButton4->OnClick = [this](TObject*) { PrSetupUn::ShowProgramSetup(*this); };
  Outputsettings1->OnClick = [](TObject*) { printsettings::ShowPictureSettings(); };
  PolygonChart1->OnShowBodyDialog = [this](int32_t Shape, int32_t Body, int32_t PolygonIndex) {
    bsetupun::ShowBodyDialog(*PolygonChart1, Shape, Body, PolygonIndex, GravMagLoaded);
  };
}
