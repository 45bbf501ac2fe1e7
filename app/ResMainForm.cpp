// The main window's components: tool bars, panes, status bar, menus, dialogs,
// the splash window and the start-up timer.

#include "app/ResMainForm.h"

#include "app/ModelConstruct.h"
#include "controls/SplashArt.h"
#include "controls/abcspla.h"
#include "controls/abcsplit.h"
#include "controls/abcwanim.h"
#include "controls/dfsStatusBar.h"
#include "platform/gdi/Graphics.h"

TMainForm* ResMainForm::MainForm = nullptr;

namespace {

constexpr const char* OpenFilter =
    "Kelm data file [*.k2d]|*.k2d|ABEM data file [*.amp]|*.amp|Res2dInv [*.dat]|*.dat|"
    "Kelm1d file convertion [*.qlf]|*.qlf|Program configuration [*.cfg]|*.cfg";
constexpr const char* SaveFilterText =
    "Kelm project data [*.k2d]|*.k2d|Kelm calculated data [*.k2d]|*.k2d|Kelm observed data [*.k2d]|*.k2d|"
    "Kelm model with calculated [*.k2d]|*.k2d|Res2dInv observed data [*.dat]|*.dat|"
    "Res2dInv calculated data [*.dat]|*.dat|Worksheet [*.bmp]|*.bmp|Model [*.bmp]|*.bmp|"
    "Program configuration [*.cfg]|*.cfg";

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

KV_CLASS_IMPL(TMainForm, TForm) {}

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("MainForm");
  SetCaption(ResMainForm::ProgramCaption);
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

void TMainForm::Init() {
  CreateComponents();
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
  TForm::Init();
}

void TMainForm::BeforeDestruction() {
  RemoveCallbacks();
  TForm::BeforeDestruction();
}

void TMainForm::CreateComponents() {
  CreateToolBar();
  CreateStatusBar();
  CreatePanes();
  CreateMenus();
  CreateDialogsAndTimer();
}

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

void TMainForm::CreateStatusBar() {
  StatusBar1 = Create<TdfsStatusBar>(this);
  StatusBar1->SetName("StatusBar1");
  StatusBar1->SetParent(this);
  StatusBar1->SetAlign(TAlign::alBottom);
  struct TPanelDef {
    TdfsStatusPanelType Type;
    int Width;
  };
  const TPanelDef panels[] = {{TdfsStatusPanelType::sptGlyph, 20},  {TdfsStatusPanelType::sptNormal, 180},
                              {TdfsStatusPanelType::sptGauge, 37},  {TdfsStatusPanelType::sptNormal, 50},
                              {TdfsStatusPanelType::sptGlyph, 18},  {TdfsStatusPanelType::sptNormal, 360}};
  for (const TPanelDef& def : panels) {
    TdfsStatusPanel* panel = StatusBar1->GetPanels()->Add();
    panel->SetPanelType(def.Type);
    panel->SetAutoFit(false);
    panel->SetWidth(def.Width);
  }
}

void TMainForm::CreatePanes() {
  panel1 = Create<TPanel>(this);
  panel1->SetName("panel1");
  panel1->SetParent(this);
  panel1->SetAlign(TAlign::alClient);
  panel1->BevelOuter = TPanelBevel::bvNone;
  panel1->SetVisible(false);

  abcSBiSplit1 = Create<TabcSBiSplit>(this);
  abcSBiSplit1->SetName("abcSBiSplit1");
  abcSBiSplit1->SetParent(panel1);
  abcSBiSplit1->SetAlign(TAlign::alClient);
  abcSBiSplit1->SetLayout(TabcBiSplitLayout::bslHorz);
  abcSBiSplit1->SetSplitVPos(72);
  abcScrollingSplitPane1 = abcSBiSplit1->ScrollPane(0);
  abcScrollingSplitPane2 = abcSBiSplit1->ScrollPane(1);
  if (abcScrollingSplitPane2) abcScrollingSplitPane2->VertScrollBar.Visible = false;

  // The splitters between the upper data section, the lower one and the model.
  TWinControl* lower = abcScrollingSplitPane2 ? static_cast<TWinControl*>(abcScrollingSplitPane2) : panel1;
  Splitter1 = Create<TSplitter>(this);
  Splitter1->SetName("Splitter1");
  Splitter1->SetParent(lower);
  Splitter1->SetAlign(TAlign::alTop);
  Splitter1->SetHeight(4);
  Splitter1->MinSize = 1;
  Splitter2 = Create<TSplitter>(this);
  Splitter2->SetName("Splitter2");
  Splitter2->SetParent(lower);
  Splitter2->SetAlign(TAlign::alBottom);
  Splitter2->SetHeight(4);
  Splitter2->MinSize = 3;
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

void TMainForm::CreateDialogsAndTimer() {
  OpenDialog1 = Create<TOpenDialog>(this);
  OpenDialog1->Filter = OpenFilter;
  SaveDialog1 = Create<TSaveDialog>(this);
  SaveDialog1->Filter = SaveFilterText;
  SaveDialog1->Options = {TOpenOption::ofHideReadOnly, TOpenOption::ofExtensionDifferent,
                          TOpenOption::ofEnableIncludeNotify, TOpenOption::ofEnableSizing};
  OpenDialog2 = Create<TOpenDialog>(this);
  OpenDialog2->Filter = "Carotage|*.crt";
  OpenDialog3 = Create<TOpenDialog>(this);
  OpenDialog3->Filter = "PGM Data files|*.pgm";

  // The splash shows while the window loads, unless "-ns" or "/ns" is given.
  abcSplash1 = Create<TabcSplash>(this);
  SplashArt::LoadInto(*abcSplash1->GetPicture());
  abcSplash1->SetShapeForm(true);
  abcSplash1->ShapeTolerance = clGreen;
  abcSplash1->GetAnimateShow()->SetEffect(TabcAnimEffect::aweBlend);
  abcSplash1->GetAnimateHide()->SetEffect(TabcAnimEffect::aweBlend);

  Timer1 = Create<TTimer>(this);
  Timer1->SetEnabled(false);
  Timer1->SetOnTimer([this](TObject* Sender) { Timer1Timer(Sender); });
}
