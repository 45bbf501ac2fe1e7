#pragma once
// The main window of the program: its components, its display and computation
// state, the start-up sequence, the program settings and the close sequence.
//
// The survey (electrodes, measurements, solver and mesh settings, the values of
// the "Default array" dialog) lives in Survey; the solver and mesh settings that
// the registry stores are Survey's fields, so the solver bridge and the settings
// read and write one copy.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "survey/Survey.h"

class TabcSBiSplit;
class TabcScrollingSplitPane;
class TabcSplash;
class TdfsStatusBar;
class TModConstr;

class TMainForm : public TForm {
  KV_CLASS(TMainForm, TForm)
 public:
  explicit TMainForm(TComponent* AOwner);
  // Builds the components, then fires OnCreate (FormCreate).
  void Init() override;
  // Takes the callbacks and hooks it installed out of the solver and the survey.
  void BeforeDestruction() override;

  // ---- Components (owned by the window) ----
  TToolBar* ToolBar1 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;   // "Open data file"
  TSpeedButton* SpeedButton2 = nullptr;   // "Save data file"
  TSpeedButton* SpeedButton4 = nullptr;   // "Program setup"
  TSpeedButton* SpeedButton5 = nullptr;   // "Electrode editor"
  TSpeedButton* SpeedButton6 = nullptr;   // "Forward problem"
  TSpeedButton* SpeedButton22 = nullptr;  // "Inversion"
  TSpeedButton* SpeedButton8 = nullptr;   // "UnDo"
  TSpeedButton* SpeedButton3 = nullptr;   // "Resistivity mode"
  TSpeedButton* SpeedButton7 = nullptr;   // "Polarizability mode"
  TPanel* panel1 = nullptr;
  TabcSBiSplit* abcSBiSplit1 = nullptr;
  TabcScrollingSplitPane* abcScrollingSplitPane1 = nullptr;
  TabcScrollingSplitPane* abcScrollingSplitPane2 = nullptr;
  TSplitter* Splitter1 = nullptr;
  TSplitter* Splitter2 = nullptr;
  TToolBar* ToolBar2 = nullptr;
  TdfsStatusBar* StatusBar1 = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;
  TOpenDialog* OpenDialog2 = nullptr;
  TOpenDialog* OpenDialog3 = nullptr;
  TabcSplash* abcSplash1 = nullptr;
  TTimer* Timer1 = nullptr;

  // Menu items by their caption path ("File" / "Open file"); see the menu builder.
  TMenuItem* File1 = nullptr;
  TMenuItem* Openfile1 = nullptr;
  TMenuItem* Newmodel1 = nullptr;  // "Create survey"
  TMenuItem* Recent1 = nullptr;
  TMenuItem* Exit1 = nullptr;
  TMenuItem* Options1 = nullptr;
  TMenuItem* Newmodel2 = nullptr;  // "Model constructor"
  TMenuItem* Programsetup1 = nullptr;
  TMenuItem* PseudoSection1 = nullptr;  // "Data" > "Pseudo-section"
  TMenuItem* Help1 = nullptr;
  TMenuItem* About1 = nullptr;
  TMenuItem* Context1 = nullptr;

  // ---- State ----
  bool ObservedLoaded = false;
  bool CalculatedReady = false;
  bool SurveyShown = false;
  int32_t DataType = 0;
  int32_t AddDataType = 0;
  int32_t VerticalAxisType = 0;
  int32_t DataQuantity = 0;
  bool HasIP = false;
  int32_t WorksheetStyle = 0;
  double percent1 = 0.0;
  double percent2 = 0.0;
  int32_t DisplayEvery = 0;
  std::array<bool, 4> DisplayFilters{};  // CPP, PPC, CCPP, PPCC
  double PseudoShift = 0.0;
  bool ReversePseudo = false;
  bool RebuildUpper = false;
  bool RebuildLower = false;
  int32_t SavedEditMode = 0;
  bool GravMagLoaded = false;

  // The survey; its solver and mesh settings (MACH_EPS, CGprecision, Solver,
  // nkuser, nknumber, correct, infperc, redperc, numqp, recetha, FactorX, FactorZ,
  // StartX, StartZ, Exponent), DataPlotType and graphicstype are the window's.
  TSurvey Survey;

  // ---- Handlers ----
  void FormCreate(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void Newmodel1Click(TObject* Sender);  // "Create survey"
  void Newmodel2Click(TObject* Sender);  // "Model constructor"
  void Exit1Click(TObject* Sender);
  void About1Click(TObject* Sender);
  void Context1Click(TObject* Sender);

  // Solver progress: one step of the gauge in status panel 2, and back to 0.
  void ProgressStep();
  void ProgressReset();
  // Status panel texts (1 cursor and values, 3 misfit, 5 edit-mode help).
  void SetStatusText(int Panel, const std::string& Text);
  std::string GetStatusText(int Panel) const;
  int GaugePosition() const;

  // Program settings in the registry key "\Software\KelmVev2er" (current user).
  void LoadProgramSettings();
  void SaveProgramSettings();
  // The "Default" of the program setup.
  void ResetSolverDefaults();

  // The "Model constructor" dialog with the values in its edits; true when
  // confirmed, with the checked values back in Values.
  bool ShowModelConstructor(TModelConstructorValues& Values, bool ShowPolarizability);

  // ---- Commands, display modes and pane layout, edit modes and keyboard ----
  // (handlers of the menus and tool bars, the display switches, the pane
  // heights and the polygon-editing modes)
  // ---- end of commands ----

  // The file a command line names: "-ns" and "/ns" are switches, the first other
  // argument whose extension is ".k2d" (any case) is the file; empty when none.
  static std::string CommandLineK2dFile(const std::vector<std::string>& Params);

 private:
  void CreateComponents();
  void CreateToolBar();
  void CreateMenus();
  void CreatePanes();
  void CreateStatusBar();
  void CreateDialogsAndTimer();
  void InstallCallbacks();
  void RemoveCallbacks();
  void SetSolverDefaults();
  // The "open" verb of the shell on the help document; false when it was not found.
  bool OpenHelpDocument();

  double FProgress = 0.0;  // the gauge's accumulator
  TModConstr* FModConstr = nullptr;  // created on first use, owned by the window
};

namespace ResMainForm {
// The main window, created by the program entry; none before.
extern TMainForm* MainForm;
// The registry key of the program settings.
inline constexpr const char* SettingsKey = "\\Software\\KelmVev2er";
// Caption of the window before a file is opened.
inline constexpr const char* ProgramCaption = "KelmVev2Er";
}  // namespace ResMainForm
