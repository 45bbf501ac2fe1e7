// The main window's components: tool bars, panes, status bar, menus, dialogs,
// the splash window and the start-up timer.

#include "app/ResMainForm.h"

#include <QFontMetrics>
#include <algorithm>

#include "app/ModelConstruct.h"
#include "app/ProgramVersion.h"
#include "controls/SplashArt.h"
#include "controls/abcspla.h"
#include "controls/abcsplit.h"
#include "controls/abcwanim.h"
#include "controls/dfsStatusBar.h"
#include "platform/ui/QtBridge.h"
#include "platform/gdi/Graphics.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"

TMainForm* ResMainForm::MainForm = nullptr;

namespace {

constexpr const char* OpenFilter =
    "Kelm data file [*.k2d]|*.k2d|ABEM data file [*.amp]|*.amp|Res2dInv [*.dat]|*.dat|"
    "Kelm1d file conversion [*.qlf]|*.qlf|Program configuration [*.cfg]|*.cfg";
constexpr const char* SaveFilterText =
    "Kelm project data [*.k2d]|*.k2d|Kelm calculated data [*.k2d]|*.k2d|Kelm observed data [*.k2d]|*.k2d|"
    "Kelm model with calculated [*.k2d]|*.k2d|Res2dInv observed data [*.dat]|*.dat|"
    "Res2dInv calculated data [*.dat]|*.dat|Worksheet [*.bmp]|*.bmp|Model [*.bmp]|*.bmp|"
    "Program configuration [*.cfg]|*.cfg";

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
  CreateRecentFiles();
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
  // The misfit panel is as wide as its text (at least its own width); the help
  // panel of the edit modes takes what the others leave.
  StatusBar1->OnResize = [this](TObject*) {
    TdfsStatusPanels* panels = StatusBar1->GetPanels();
    if (panels->Count() < 6) return;
    TdfsStatusPanel* misfit = panels->GetItem(3);
    const QFontMetrics metrics(UiBridge::ToQFont(*StatusBar1->GetFont()));
    misfit->SetWidth(std::max(50, metrics.horizontalAdvance(UiBridge::ToQ(misfit->GetText())) + 12));
    int used = 0;
    for (int i = 0; i < 5; ++i) used += panels->GetItem(i)->GetWidth();
    const int grip = StatusBar1->SizeGrip ? StatusBar1->GetHeight() : 0;
    panels->GetItem(5)->SetWidth(std::max(360, StatusBar1->GetClientWidth() - used - grip));
  };
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

  // The charts and the windows that show them, with the splitters between them.
  CreateCharts(abcScrollingSplitPane1 ? static_cast<TWinControl*>(abcScrollingSplitPane1) : panel1,
               abcScrollingSplitPane2 ? static_cast<TWinControl*>(abcScrollingSplitPane2) : panel1);
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
  SplashArt::LoadInto(*abcSplash1->GetPicture(), std::string("Version ") + ProgramVersion);
  abcSplash1->SetShapeForm(true);
  abcSplash1->ShapeTolerance = SplashArt::ShapeTolerance;
  abcSplash1->GetAnimateShow()->SetEffect(TabcAnimEffect::aweBlend);
  abcSplash1->GetAnimateHide()->SetEffect(TabcAnimEffect::aweBlend);

  Timer1 = Create<TTimer>(this);
  Timer1->SetEnabled(false);
  Timer1->SetOnTimer([this](TObject* Sender) { Timer1Timer(Sender); });
}
