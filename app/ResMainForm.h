#pragma once
// The main window of the program: its components, its display and computation
// state, the start-up sequence, the program settings and the close sequence.
//
// The survey (electrodes, measurements, solver and mesh settings, the values of
// the "Default array" dialog) lives in Survey; the solver and mesh settings that
// the registry stores are Survey's fields, so the solver bridge and the settings
// read and write one copy.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "app/WellLogs.h"
#include "platform/rtl/WeakRef.h"
#include "survey/GravMag.h"
#include "survey/Survey.h"

class TabcSBiSplit;
class TabcScrollingSplitPane;
class TabcSplash;
class TChart;
class TChartAxis;
class TChartSeries;
class TCustomChart;
class TFileMenuOpens;
class TChartImageTool;
class TdfsStatusBar;
class TLineSeries;
class TModConstr;
class TPlotPanelControl;
class TPointSeries;
class TPolygonChart;
class TPseudoSection2d;
class multigraph;

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

  // The charts (owned by the window) and the windows that show them.
  TChart* Chart1 = nullptr;  // gravity and magnetic curves
  TLineSeries* Series1 = nullptr;  // observed gravity
  TLineSeries* Series2 = nullptr;  // calculated gravity
  TLineSeries* Series3 = nullptr;  // observed magnetic
  TLineSeries* Series4 = nullptr;  // calculated magnetic
  TPseudoSection2d* PseudoSection2d1 = nullptr;  // upper data section: observed data
  TPseudoSection2d* PseudoSection2d2 = nullptr;  // lower data section: calculated data, misfit or weights
  TPolygonChart* PolygonChart1 = nullptr;        // the model
  TPlotPanelControl* Chart1Window = nullptr;
  TPlotPanelControl* PseudoSection2d1Window = nullptr;
  TPlotPanelControl* PseudoSection2d2Window = nullptr;
  TPlotPanelControl* PolygonChart1Window = nullptr;

  // The graph managers: observed and calculated curves of resistivity and of
  // polarizability (owned by the window).
  multigraph* ObservedRhoGraph = nullptr;
  multigraph* CalculatedRhoGraph = nullptr;
  multigraph* ObservedEtaGraph = nullptr;
  multigraph* CalculatedEtaGraph = nullptr;
  // The calculated twin of a clicked observed curve, on the upper section.
  TLineSeries* ComparisonSeries = nullptr;
  // An empty point series on the model chart whose style is kept in the settings file.
  TPointSeries* CrossPointSeries = nullptr;

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
  // The recently opened files under "Recent".
  TFileMenuOpens* FileMenuOpens1 = nullptr;
  // A recent entry's click: opens the file it stands for.
  void FileMenuOpens1Action(TObject* Sender);
  void Checkforupdates1Click(TObject* Sender);

  // ---- Overlays ----
  // The points of the last point overlay file, and its curve on the lower section.
  arofcomplexM ImportPoints;
  WeakRef<TLineSeries> ImportSeries;  // owned by the window
  // Per picture overlay: a hidden series holding its corners and the picture
  // tool stretched over them (both owned by the model chart).
  std::vector<WeakRef<TPointSeries>> ImportCornerSeries;
  std::vector<WeakRef<TChartImageTool>> ImportImageTools;
  // "Import model/data": a sec file lays its picture over the model, a dat
  // file its curve over the lower data section.
  void Importdata1Click(TObject* Sender);
  // Reads a point file into ImportPoints; false (ImportPoints unchanged) when
  // it holds fewer than two points.
  bool Openimportfile(const std::string& FileName);
  // "Remove import": every picture overlay and the curve go.
  void RemoveImports();
  // Keeps the overlay curve's look in the settings file.
  void StoreImportLook();
  // The curve is drawn, and the lower section's right axis shown, only in graphics plot.
  void ShowImportCurve();
  // The worksheet (the three charts stacked) or the model chart as a BMP file.
  bool SaveSectionPicture(const std::string& FileName, bool ModelOnly);

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
  bool RebuildUpper = false;
  bool RebuildLower = false;
  int32_t SavedEditMode = 0;
  bool GravMagLoaded = false;
  // The model, or the observed data, changed since the last open or save.
  bool ModelChanged = false;
  bool DataChanged = false;
  // The data display the user chose ("Pseudo-section" 0, "Graphics-plot" 1).
  // A survey too small for pseudo-sections, or the joint style, shows curves for a
  // while; the next survey that allows pseudo-sections shows them again.
  int32_t ChosenPlotType = 0;

  // Axis and colour-bar settings texts per display case:
  //  0..3   left axis of the data sections in graphics plot, slot 2q + d
  //  4..7   their "Default" texts
  //  8      left axis in pseudo-section display, 9 its "Default"
  //  10..13 colour-bar settings, slot 10 + 2q + d; 14..17 their "Default" texts
  //  18..21 four further colour-bar texts, only stored and restored
  // (q is DataQuantity, d is DataType.)
  static constexpr int AxisTextCount = 22;
  std::array<std::string, AxisTextCount> AxisTexts;

  // The survey; its solver and mesh settings (MACH_EPS, CGprecision, Solver,
  // nkuser, nknumber, correct, infperc, redperc, numqp, recetha, FactorX, FactorZ,
  // StartX, StartZ, Exponent), DataPlotType and graphicstype are the window's.
  TSurvey Survey;
  // Gravity and magnetic data over the model, beside the survey.
  TGravMag GravMag{Survey};

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
  // Shows the edit-mode tool bar above the status bar.
  void ShowEditToolBar();
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

  // Chart settings from the settings file and the registry, at start-up.
  void LoadChartSettings();
  // The model chart's status callback: the cursor position in status panel 1.
  void ShowCursorPosition();

  // ---- Data display ----
  // Draws the observed data into the upper section (Upper set) or the calculated
  // data, misfit or weights into the lower one.
  void PlotData(bool Upper);
  // The value of a measurement as a curve point and as a contour node; NoValue
  // where the measurement has no usable value.
  double GraphValue(bool Upper, int32_t Pair, int32_t Receiver) const;
  double SectionValue(bool Upper, int32_t Pair, int32_t Receiver) const;
  std::string SectionTitle(bool Upper) const;
  std::string UnitText(bool Upper) const;
  // Depth of a measurement's level in the pseudo-sections.
  double LevelDepth(int32_t Pair, int32_t Receiver) const;

  // ---- Axis and colour-bar settings texts, section events, status texts ----
  void BuildDefaultAxisTexts();
  void StoreAxisTexts();
  void ApplySectionSettings();
  void SectionSettingsChanged(TPseudoSection2d* Section);
  void CopySectionSettings(TPseudoSection2d* Source, TPseudoSection2d* Target);
  void ScaleLowerLikeUpper();
  // An axis text with automatic scaling switched on.
  std::string aa(const std::string& Text);
  void prepaxises();
  void SaveAxisTexts(const std::string& Name);
  void LoadAxisTexts(const std::string& Name);
  // The text of the point under the cursor of a section, in status panel 1.
  void psmm(TPseudoSection2d* Section);
  void Chart1MouseMove(TCustomChart* Sender, TShiftState Shift, int32_t X, int32_t Y);

  // ---- Measurement selection, markers and electrodes ----
  int32_t FlatIndex(int32_t Pair, int32_t Receiver) const;
  void PairOfFlatIndex(int32_t K, int32_t& Pair, int32_t& Receiver) const;
  void ShowMeasurementInGraphs(int32_t Pair, int32_t Receiver);
  void ShowMeasurementInSections(int32_t Pair, int32_t Receiver);
  void HighlightElectrodes(int32_t Pair, int32_t Receiver);
  void PlotElectrodes();
  void Chart1ClickSeries(TCustomChart* Sender, TChartSeries* Series, int32_t ValueIndex, TMouseButton Button);
  void Chart1MouseUp(TCustomChart* Sender, TMouseButton Button);
  void PseudoSection2d1ClickSeries(TCustomChart* Sender, TChartSeries* Series, int32_t ValueIndex);
  // The electrode editor's table as the markers need it: whether it shows, its
  // current row, and the row that holds a flat index + 1 (installed by the editor).
  std::function<bool()> ElectrodeEditorVisible;
  std::function<int32_t()> ElectrodeEditorRow;
  std::function<void(int32_t FlatIndexPlusOne)> SelectElectrodeEditorRow;
  std::function<int32_t(int32_t FlatIndexPlusOne)> ElectrodeEditorRowOf;
  // "Electrode editor" (menu and tool button): loads the editor's table from the
  // survey and shows it, only with observed or calculated data.
  void Electrodeeditor1Click(TObject* Sender);
  // The survey was replaced or the quantity on display changed: a visible
  // electrode editor loads its table again, a hidden one stays hidden.
  void ElectrodeEditorSurveyChanged();

  // ---- Commands, display modes and pane layout, edit modes and keyboard ----
  // (handlers of the menus and tool bars, the display switches, the pane
  // heights and the polygon-editing modes)

  // Menu items of the commands (their captions beside them).
  TMenuItem* Addgravimagneticdata1 = nullptr;  // "Add gravimagnetic data"
  TMenuItem* Savefile1 = nullptr;              // "Save file"
  TMenuItem* Editfile1 = nullptr;              // "Edit file"
  TMenuItem* Printpreview1 = nullptr;          // "Print preview"
  TMenuItem* Electrodeeditor1 = nullptr;       // "Electrode editor"
  TMenuItem* Graphicssetup1 = nullptr;         // "Graphics setup"
  TMenuItem* Observedgraphicsrhoa1 = nullptr;
  TMenuItem* Calculatedgraphicsrhoa1 = nullptr;
  TMenuItem* Observedgraphicsethaa1 = nullptr;
  TMenuItem* Calculatedgraphicsethaa1 = nullptr;
  TMenuItem* Data1 = nullptr;                  // "Data"
  TMenuItem* Apparentresistivity1 = nullptr;   // "Apparent resistivity" / "Apparent polarizability"
  TMenuItem* Resistanse1 = nullptr;            // "Resistance"
  TMenuItem* Graphicsplot1 = nullptr;          // "Graphics-plot"
  TMenuItem* Calculateddata1 = nullptr;
  TMenuItem* Datamisfit1 = nullptr;
  TMenuItem* Dataweights1 = nullptr;
  TMenuItem* IsoPsZ1 = nullptr;                // "Iso-Pole graphics"
  TMenuItem* IsoSource1 = nullptr;             // "Iso-PsZ graphics"
  TMenuItem* Display1 = nullptr;               // "Display"
  TMenuItem* Style1 = nullptr;                 // "Worksheet style"
  TMenuItem* Ononeplot1 = nullptr;             // "Separately"
  TMenuItem* jointly1 = nullptr;               // "Jointly"
  TMenuItem* Displayevery1 = nullptr;          // "Display every N point"
  TMenuItem* CPP1 = nullptr;
  TMenuItem* PPC1 = nullptr;
  TMenuItem* CCPP1 = nullptr;
  TMenuItem* PPCC1 = nullptr;
  TMenuItem* Advanced1 = nullptr;
  TMenuItem* Realtopocoordinates1 = nullptr;
  TMenuItem* Reversepseudosection1 = nullptr;
  TMenuItem* Extendednodes1 = nullptr;
  TMenuItem* Openinmodelingmode1 = nullptr;
  TMenuItem* ImportExport1 = nullptr;
  TMenuItem* Carotagedata1 = nullptr;
  TMenuItem* Importmodeldata1 = nullptr;
  TMenuItem* Removeimport1 = nullptr;
  TMenuItem* Outputsettings1 = nullptr;
  TMenuItem* Checkforupdates1 = nullptr;
  // The model chart's pop-up menu.
  TMenuItem* Setup1 = nullptr;
  TMenuItem* Printpreview2 = nullptr;
  TMenuItem* Savepicture1 = nullptr;
  TMenuItem* ZoomScroll1 = nullptr;            // "Zoom&&Scroll  Z"
  TMenuItem* Equalscale1 = nullptr;

  // The thirteen edit-mode buttons of ToolBar2, in tool-bar order.
  TSpeedButton* SpeedButton9 = nullptr;
  TSpeedButton* SpeedButton10 = nullptr;
  TSpeedButton* SpeedButton11 = nullptr;
  TSpeedButton* SpeedButton12 = nullptr;
  TSpeedButton* SpeedButton13 = nullptr;
  TSpeedButton* SpeedButton14 = nullptr;
  TSpeedButton* SpeedButton15 = nullptr;
  TSpeedButton* SpeedButton16 = nullptr;
  TSpeedButton* SpeedButton17 = nullptr;
  TSpeedButton* SpeedButton18 = nullptr;
  TSpeedButton* SpeedButton19 = nullptr;
  TSpeedButton* SpeedButton20 = nullptr;
  TSpeedButton* SpeedButton21 = nullptr;

  // -- commands --
  void SpeedButton1Click(TObject* Sender);   // open a data file
  void SpeedButton2Click(TObject* Sender);   // save
  void SpeedButton6Click(TObject* Sender);   // forward problem
  void SpeedButton22Click(TObject* Sender);  // inversion
  void Editfile1Click(TObject* Sender);
  void Printpreview1Click(TObject* Sender);
  // "Graphics setup" of one graph manager.
  void GraphicsSetupClick(multigraph* Graph);
  // Ends an edit of the model chart that is still pending (a dragged body or node,
  // an outline being drawn) the way a mode change does: the model goes back to its
  // last committed state, so a run or a save works on the model that stays shown.
  void EndPendingEdit();
  // Asks "Save changes to <file>?" when the model or the data changed since the
  // last open or save: Yes saves (false when the save did not happen), No drops
  // the changes, Cancel keeps everything (false). True without changes.
  bool ConfirmDiscardWork();
  // Opens a survey file; a file the readers refuse leaves the survey, its file name
  // and the gravity and magnetic state as they were. An accepted file joins the
  // recent-files list. True when the file was accepted.
  bool OpenSurveyFile(const std::string& FileName);
  // After a file opened from the command line or the recent-files list: the data
  // flags, the resistivity display, the pane presets and the saved state.
  void ShowOpenedSurvey();
  // The save dialog and the save of the chosen kind; true when a file was written.
  bool SaveWork();
  // A survey was opened or created: nothing of it is changed yet.
  void WorkSaved(bool Model, bool Data);
  // The text of a save that did not happen because its data are missing; empty
  // when the kind of file can be written now.
  std::string SaveRefusal(int32_t FilterIndex) const;

  // -- display filters and advanced switches --
  void Display1Click(TObject* Sender);
  void Displayevery1Click(TObject* Sender);
  void CPP1Click(TObject* Sender);
  void PPC1Click(TObject* Sender);
  void CCPP1Click(TObject* Sender);
  void PPCC1Click(TObject* Sender);
  void Advanced1Click(TObject* Sender);
  void Reversepseudosection1Click(TObject* Sender);
  void Realtopocoordinates1Click(TObject* Sender);
  void Extendednodes1Click(TObject* Sender);
  void Openinmodelingmode1Click(TObject* Sender);
  // Rebuilds both data sections and redraws those that have data.
  void RebuildDataSections();
  // Toggles filter Index with its menu item and redraws.
  void ToggleDisplayFilter(TMenuItem* Item, int32_t Index);

  // -- well logs over the model chart --
  WellLogs::arofcarotagedata Carotages;
  void Carotagedata1Click(TObject* Sender);
  void ReadCarotages(const std::string& FileName);
  void CreateCarotageSeries();
  void DrawCarotages(TPolygonChart* Chart, double Maximum, double Minimum);
  void PolygonChart1Resize(TObject* Sender);
  // Frees the logs' series and picture tools and empties Carotages.
  void FreeCarotages();

  // -- display modes and pane layout --
  void Pseudosection1Click(TObject* Sender);
  void Graphicsplot1Click(TObject* Sender);
  void Apparentresistivity1Click(TObject* Sender);
  void Resistanse1Click(TObject* Sender);
  void IsoPsZ1Click(TObject* Sender);
  void IsoSource1Click(TObject* Sender);
  void Calculateddata1Click(TObject* Sender);
  void Datamisfit1Click(TObject* Sender);
  void Dataweights1Click(TObject* Sender);
  void Ononeplot1Click(TObject* Sender);
  void jointly1Click(TObject* Sender);
  // Check marks and enabling of the "Data", "Options" and "Worksheet style" menus.
  void Data1Click(TObject* Sender);
  void Options1Click(TObject* Sender);
  void Style1Click(TObject* Sender);
  void SpeedButton3Click(TObject* Sender);  // "Resistivity mode"
  void SpeedButton7Click(TObject* Sender);  // "Polarizability mode"
  void SetWorksheetStyle(int32_t Style);
  // The display the user chose comes back for a new survey (curves in joint style).
  void RestoreChosenPlotType();
  void ResetToResistivity();
  void SetDataQuantity(int32_t Value);
  // The body labels show the quantity on display and what the survey carries.
  void ShowBodyLabels();
  // Pane heights of the upper data section and the model chart, in percent.
  void SetPaneHeights(double UpperPercent, double ModelPercent);
  // True when the upper data section has nothing to show.
  bool UpperSectionEmpty() const;
  // The pane height left for the sections and the model (minus both splitters).
  int32_t UsablePaneHeight() const;
  void FormResize(TObject* Sender);
  void Splitter1Moved(TObject* Sender);
  void Splitter2Moved(TObject* Sender);
  bool Splitter1CanResize(int32_t NewSize) const;
  bool Splitter2CanResize(int32_t NewSize) const;
  void RelayoutSections();
  void FormMouseWheelDown(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
  void FormMouseWheelUp(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);

  // -- edit modes and keyboard --
  // The mode button's click: the chart's mode, the pressed button and the help text.
  void ModeButtonClick(TObject* Sender);
  void SetModeButtons(TObject* Sender);
  void ShowModeText(int32_t Mode);
  void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void FormKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void SpeedButton8Click(TObject* Sender);  // "UnDo"
  void ZoomScroll1Click(TObject* Sender);
  void Equalscale1Click(TObject* Sender);
  void Printpreview2Click(TObject* Sender);
  void Savepicture1Click(TObject* Sender);
  void PolygonChart1DblClick();
  // The mode a button sets; -1 for any other control.
  int32_t ModeOfButton(const TObject* Button) const;
  // The help text of an edit mode in status panel 5; empty for -1.
  static std::string ModeText(int32_t Mode);

 private:
  void CreateEditToolBar();
  void CreatePopupMenu();
  void InstallCommandEvents();
  void InstallElectrodeEditorEvents();
  // Redraws the upper section, then the lower one.
  void PlotBothSections();
  void FreeAllCurves();
  void SetQuantityButtonsLook(int32_t Quantity);
  // A temporary mode while a modifier key is held (Shift 5, Alt 7, Ctrl 4).
  void EnterTemporaryMode(uint16_t Key, int32_t Mode);
  bool TextFieldHasFocus() const;
  void ScrollCurves(TPoint MousePos, bool Down);
  bool FLayoutGuard = false;
  // Modifier keys held down, oldest first; the base mode returns with the last one.
  std::vector<uint16_t> FHeldModifiers;
  TPoint FModelMouseDown{-1, -1};

 public:
  // ---- end of commands ----

  // ---- Gravity and magnetic data ----
  // "Add gravimagnetic data": reads a pgm file, opens the top pane, computes and draws.
  void Addgravimagneticdata1Click(TObject* Sender);
  // Recomputes the anomalies and redraws the curves of Chart1.
  void Chart1DblClick();
  // With gravity or magnetic data loaded: compute and draw the anomalies.
  void ComputeAndPlotGravMag();
  // With such data loaded: compute, invert the gravity and then the magnetic data,
  // redraw the model and the curves.
  void InvertGravMagData();
  // The observed and calculated curves of Chart1, on the model chart's x range.
  void PlotGravMag();
  void InstallGravMagHooks();
  void RemoveGravMagHooks();
  // The contour-section, graphics and section setup dialogs of the views.
  void InstallSetupDialogs();
  void RemoveSetupDialogs();

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
  void CreateRecentFiles();
  void InstallCallbacks();
  void RemoveCallbacks();
  void SetSolverDefaults();
  // The "open" verb of the shell on the help document; false when it was not found.
  bool OpenHelpDocument();
  void CreateCharts(TWinControl* UpperPane, TWinControl* LowerPane);
  void LoadViewSettings();
  void CreateGraphManagers();
  void CreateWorkSeries();
  void FinishChart1();
  // Pseudo-section drawing and curve drawing of PlotData.
  void PlotSectionNodes(bool Upper, TPseudoSection2d* S, multigraph* G);
  void PlotCurves(bool Upper, TPseudoSection2d* S, multigraph* G);
  // The section and graph manager that PlotData draws into.
  void ChooseSectionAndGraph(bool Upper, TPseudoSection2d*& S, multigraph*& G) const;
  bool FilterSkips(const osource& Source, int32_t Receiver) const;
  void FitBottomAxisToModel(TPseudoSection2d* S);
  void SetMarkers(TPseudoSection2d* S, int32_t Pair, int32_t Receiver);
  void AddLimePoint(TPseudoSection2d* S, double X, double Y);
  void InstallGraphicsEvents(TPseudoSection2d* S);
  void InstallSectionEvents(TPseudoSection2d* S);

  double FProgress = 0.0;  // the gauge's accumulator
  TModConstr* FModConstr = nullptr;  // created on first use, owned by the window
  // The curve highlight of a press on a curve point in graphics plot.
  bool FHighlightActive = false;
  std::array<multigraph*, 2> FNarrowed{};
  std::array<std::vector<bool>, 2> FShownBefore;
  // The scratch axis that aa converts texts on (a custom axis of the upper section).
  TChartAxis* FScratchAxis = nullptr;
};

namespace ResMainForm {
// The main window, created by the program entry; none before.
extern TMainForm* MainForm;
// The registry key of the program settings.
inline constexpr const char* SettingsKey = "\\Software\\KelmVev2er";
// Caption of the window before a file is opened.
inline constexpr const char* ProgramCaption = "KelmVev2Er";
// What the inversion says when it has nothing to work on.
inline constexpr const char* NoBodiesToInvert =
    "There are no bodies to invert: draw the bodies first (\"Add polygon\" mode); the inversion adjusts the "
    "resistivity of the drawn bodies.";
inline constexpr const char* NoDataToInvert = "There are no observed data to invert: open a data file first.";
// A colour-bar settings text with its user limits off (field 11), and a model
// colour-bar text with field 19 reset; a text without that field is unchanged.
std::string NormaliseColourBarText(const std::string& Text);
std::string NormaliseModelColourBarText(const std::string& Text);
}  // namespace ResMainForm
