// The main window's menus and tool bars: every menu item and tool button with
// the handler it runs.

#include "app/ResMainForm.h"

namespace {

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const std::string& Caption, TNotifyEvent OnClick = {}) {
  auto* item = Create<TMenuItem>(Owner);
  item->SetCaption(Caption);
  item->OnClick = std::move(OnClick);
  Parent->Add(item);
  return item;
}

void AddItems(TComponent* Owner, TMenuItem* Parent, std::initializer_list<const char*> Captions) {
  for (const char* caption : Captions) AddItem(Owner, Parent, caption);
}

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
  };
  const TButtonDef buttons[] = {
      {&SpeedButton1, "SpeedButton1", "Open data file"},   {&SpeedButton2, "SpeedButton2", "Save data file"},
      {&SpeedButton4, "SpeedButton4", "Program setup"},    {&SpeedButton5, "SpeedButton5", "Electrode editor"},
      {&SpeedButton6, "SpeedButton6", "Forward problem"},  {&SpeedButton22, "SpeedButton22", "Inversion"},
      {&SpeedButton8, "SpeedButton8", "UnDo"},             {&SpeedButton3, "SpeedButton3", "Resistivity mode"},
      {&SpeedButton7, "SpeedButton7", "Polarizability mode"},
  };
  for (const TButtonDef& def : buttons) {
    auto* button = Create<TSpeedButton>(this);
    button->SetName(def.Name);
    button->SetParent(ToolBar1);
    button->SetBounds(0, 0, 23, 22);
    button->Flat = true;
    button->SetHint(def.Hint);
    button->SetShowHint(true);
    *def.Button = button;
  }
  // The quantity buttons appear with data that carry polarizability.
  SpeedButton3->SetVisible(false);
  SpeedButton7->SetVisible(false);

  // The edit-mode tool bar shows once a survey exists.
  ToolBar2 = Create<TToolBar>(this);
  ToolBar2->SetName("ToolBar2");
  ToolBar2->SetParent(this);
  ToolBar2->SetAlign(TAlign::alBottom);
  ToolBar2->SetHeight(26);
  ToolBar2->SetVisible(false);
}

void TMainForm::CreateMenus() {
  MainMenu1 = Create<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  TMenuItem* root = MainMenu1->Items();

  File1 = AddItem(this, root, "File");
  Openfile1 = AddItem(this, File1, "Open file");
  Newmodel1 = AddItem(this, File1, "Create survey", [this](TObject* Sender) { Newmodel1Click(Sender); });
  AddItems(this, File1, {"Add gravimagnetic data", "Save file", "Edit file", "Print preview"});
  Recent1 = AddItem(this, File1, "Recent");
  AddItem(this, File1, "-");
  Exit1 = AddItem(this, File1, "Exit", [this](TObject* Sender) { Exit1Click(Sender); });

  Options1 = AddItem(this, root, "Options");
  Newmodel2 = AddItem(this, Options1, "Model constructor", [this](TObject* Sender) { Newmodel2Click(Sender); });
  Programsetup1 = AddItem(this, Options1, "Program setup");
  AddItem(this, Options1, "Electrode editor");
  TMenuItem* graphics = AddItem(this, Options1, "Graphics setup");
  AddItems(this, graphics,
           {"Observed graphics rho_a", "Calculated graphics rho_a", "-", "Observed graphics  etha_a",
            "Calculated graphics etha_a"});
  AddItem(this, Options1, "-");
  TMenuItem* data = AddItem(this, Options1, "Data");
  AddItems(this, data, {"Apparent resistivity", "Resistance", "-"});
  PseudoSection1 = AddItem(this, data, "Pseudo-section");
  AddItems(this, data,
           {"Graphics-plot", "-", "Calculated data", "Data misfit", "Data weights", "-", "Iso-Pole graphics",
            "Iso-PsZ graphics", "-", "Display"});
  TMenuItem* worksheet = AddItem(this, Options1, "Worksheet style");
  AddItems(this, worksheet, {"Separately", "Jointly"});
  TMenuItem* advanced = AddItem(this, Options1, "Advanced");
  AddItems(this, advanced,
           {"Real topo coordinates", "Reverse pseudosection", "Extended nodes", "Open in modeling mode"});
  TMenuItem* importExport = AddItem(this, Options1, "Import/Export");
  AddItems(this, importExport, {"Carotage data", "Import model/data", "Remove import", "-", "Output settings"});

  Help1 = AddItem(this, root, "Help");
  About1 = AddItem(this, Help1, "About", [this](TObject* Sender) { About1Click(Sender); });
  Context1 = AddItem(this, Help1, "Context", [this](TObject* Sender) { Context1Click(Sender); });
  AddItem(this, Help1, "Check for updates");
  SetMenu(MainMenu1);

  PopupMenu1 = Create<TPopupMenu>(this);
  PopupMenu1->SetName("PopupMenu1");
}
