// The survey of the main window: the measurement table read from a data file, its
// analysis into electrodes, current-electrode pairs with their receivers, geometric
// factors, pseudo-depths, levels and groups, the solver and mesh settings, the data
// files (own k2d, Res2dInv dat and seq, ABEM amp, converted qlf soundings), the
// program configuration file (cfg), the synthetic survey generator, the open and save
// commands, the start model and the bridge to the solver.
//
// The main window owns one TSurvey and exposes it to the views, dialogs and the
// solver bridge. The solver shares `elecarray`, `Asource`, `CurrentElectrodes` and
// `ElectrodeDistances` by pointer (DC2dBEM::Electrodes, ...): these members keep
// their address for the life of the survey, and reading a file never replaces the
// survey object, only the contents of its fields.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "numerics/ComputationMesh.h"
#include "numerics/DC2dBEM.h"
#include "numerics/Supermath2d.h"

// Bounds of the polygon model: left x, right x, top depth, bottom depth (m).
struct TModelBounds {
  double Left = 0.0;
  double Right = 0.0;
  double Top = 0.0;
  double Bottom = 0.0;
};

// What the survey needs of the polygon model chart. The chart owns the model and
// reads and writes the model section of a k2d file; the main window installs an
// implementation bound to its chart (TSurvey::ModelChart).
class TSurveyModelChart {
 public:
  virtual ~TSurveyModelChart() = default;
  // Finds the line "KelmPolyModelDescription2.0" in the file and reads the model
  // section into the chart. False when the file has none; the chart is then unchanged.
  virtual bool ReadModel(const std::string& fileName) = 0;
  // Keeps the first linesToKeep lines of the file (all of them with -1) and appends
  // the model section from "KelmPolyModelDescription2.0" to "EndPolyModelDescription2.0".
  // False when the file could not be written.
  virtual bool WriteModel(const std::string& fileName, int32_t linesToKeep) = 0;
  // Host resistivity (ohm m) and polarizability (%) stored with the model.
  virtual double GetHostResistivity() const = 0;
  virtual double GetHostPolarizability() const = 0;
  virtual void SetHostValues(double resistivity, double polarizability) = 0;
  // Label offset of the model chart's left axis (elevations shown as real heights).
  virtual void SetLabelOffset(double offset) = 0;
  // The model and its nodes, read by the solver bridge for its computation copy.
  virtual const AllSpolygon& GetModel() const = 0;
  virtual const Tnodes& GetNodes() const = 0;
  virtual TModelBounds GetModelBounds() const = 0;
  // New bounds, never cutting interior nodes; unless keep is set the existing model is
  // refitted to them. Both axes follow and the chart redraws.
  virtual void SetModelBounds(bool keep, const TModelBounds& bounds) = 0;
  // Replaces the chart's relief by the relief points (x, elevation); with two or more
  // points the chart keeps every elevation as its depth below the highest point.
  virtual void SetRelief(const arofcomplexM& relief) = 0;
  // Clears model, undo list and relief series, sets the bounds and builds a start
  // model within them (with the relief when reliefOn), then redraws.
  virtual void NewModel(const arofcomplexM& relief, bool reliefOn, const TModelBounds& bounds) = 0;
  // Refines copies of the model and its nodes in place into the solver's computation
  // mesh under the chart's bounds and the relief. False, with the reason in message
  // and the copies untouched, when the mesh cannot be built.
  virtual bool BuildComputationMesh(const ComputationMesh::TMeshSettings& settings, const arofcomplexM& relief,
                                    AllSpolygon& polygons, Tnodes& nodes, std::string& message) = 0;
  // Fills the mesh-preview point series with every node (x, depth), in node order,
  // labelled with the node's index when labelled is set, in the series' colour.
  virtual void ShowMeshPreview(const Tnodes& nodes, bool labelled) = 0;
  // Empties the chart's mesh-preview point series.
  virtual void ClearMeshPreview() = 0;
  // Minimum and maximum of the chart's bottom axis.
  virtual void GetBottomAxisRange(double& minimum, double& maximum) const = 0;
  // Refines copies of the model for the gravity and magnetic computation under the
  // chart's bounds and relief as they stand: the frame cut, the split at the bounds
  // and the frame moved outward by frameOffset, no refinement. The default serves a
  // chart without relief.
  virtual bool BuildGravMagMesh(double frameOffset, AllSpolygon& polygons, Tnodes& nodes, std::string& message) {
    const TModelBounds b = GetModelBounds();
    ComputationMesh::TMeshModel model;
    model.XMin = b.Left;
    model.XMax = b.Right;
    model.ZMin = b.Top;
    model.ZMax = b.Bottom;
    return ComputationMesh::BuildGravMagMesh(model, frameOffset, polygons, nodes, message);
  }
  // Writes a real body property (12 density, 13 susceptibility) of polygon `polygon`
  // of body `body` of the model. False when the model has no such polygon.
  virtual bool SetPolygonProperty(int32_t /*body*/, int32_t /*polygon*/, int32_t /*property*/, double /*value*/) {
    return false;
  }
  // Rebuilds the drawn shapes of the model.
  virtual void RedrawModel() {}
};

// The five values of the "Model constructor" dialog.
struct TModelConstructorValues {
  double StartResistivity = 0.0;    // "Start resistivity", ohm m
  double StartPolarizability = 0.0; // "Start polarizability", %
  double StartX = 0.0;              // "Start X": left edge of the model, m
  double EndX = 0.0;                // "End X": right edge, m
  double MaximalDepth = 0.0;        // "Maximal depth": bottom edge, m
};

// What opening, saving and the start model need of the main window: its views,
// menus, caption and dialogs. The main window installs an implementation
// (TSurvey::Window); every operation but ForwardProblem has a default that does
// nothing (dialogs answer as if cancelled), so a survey without a window runs headless.
class TSurveyWindow {
 public:
  virtual ~TSurveyWindow() = default;
  // Puts the display back to apparent resistivity and updates the mode buttons.
  virtual void ResetToResistivity() {}
  // Enables or disables the menu entries "Pseudo-section" and "Iso-PsZ graphics".
  virtual void SetPseudoSectionEnabled(bool /*enabled*/) {}
  virtual void SetIsoPsZEnabled(bool /*enabled*/) {}
  virtual void RelayoutSections() {}
  virtual void ApplySectionSettings() {}
  virtual void PrepareAxes() {}
  // Draws the electrodes on the model chart.
  virtual void PlotElectrodes() {}
  // Window caption and application title.
  virtual void SetCaption(const std::string& /*caption*/) {}
  // Draws the observed (upper) or the calculated (lower) data.
  virtual void PlotData(bool /*upper*/) {}
  virtual void ShowSecondToolBar() {}
  // The Forward problem command: gravity and magnetic responses when loaded, then
  // TSurvey::RunModelling(false) and the drawing of the calculated data.
  virtual void ForwardProblem() = 0;
  // The bottom axes of both data sections take this range.
  virtual void SetDataSectionsXRange(double /*minimum*/, double /*maximum*/) {}
  // Shows the "Model constructor" dialog with the values loaded into its edits (the
  // polarizability edit only when showPolarizability); true when closed with "Ok",
  // with the edits parsed back into values (text that does not parse gives NoValue).
  virtual bool ModelConstructor(TModelConstructorValues& /*values*/, bool /*showPolarizability*/) { return false; }
  // An input box with the caption, an empty prompt line and the value as its text;
  // false when cancelled.
  virtual bool InputBox(const std::string& /*caption*/, std::string& /*value*/) { return false; }
  // The Save dialog with the filter; fileName and filterIndex (from 1) in and out.
  virtual bool SaveDialog(const std::string& /*filter*/, std::string& /*fileName*/, int32_t& /*filterIndex*/) {
    return false;
  }
  // The quantity the data sections show: 0 apparent resistivity, 1 polarizability.
  virtual int32_t GetDataQuantity() const { return 0; }
  virtual void SetDataQuantity(int32_t /*quantity*/) {}
  // Writes a picture of the worksheet or of the model as a BMP file; false when the
  // file could not be written.
  virtual bool SaveSectionPicture(const std::string& /*fileName*/, bool /*model*/) { return false; }
};

namespace Survey {

using Supermath2d::NoValue;

// Returned by a reader that rejects its file; the open command shows ErrorInDataFile.
inline constexpr int32_t ReadError = -1;
inline constexpr int32_t ReadData = 0;
inline constexpr int32_t ReadDataAndModel = 1;
inline constexpr const char* ErrorInDataFile = "Error in data file!";
inline constexpr const char* ConfigHeader = "kelmvev2er1.02";
inline constexpr const char* ConversionComplete = "Convertation to Kelm format complete";
// The window caption of an opened file is CaptionPrefix + name + "]".
inline constexpr const char* CaptionPrefix = "KelmVev2Er [";

// Entries of the Save dialog's filter, in the order of its filter index (from 1).
enum SaveKind : int32_t {
  saveProject = 1,          // k2d, observed values, with model
  saveCalculated,           // k2d, calculated values
  saveObserved,             // k2d, observed values
  saveModelWithCalculated,  // k2d, calculated values, with model
  saveRes2dInvObserved,     // dat, observed values
  saveRes2dInvCalculated,   // dat, calculated values
  saveWorksheetPicture,     // bmp
  saveModelPicture,         // bmp
  saveConfiguration         // cfg
};
// The Save dialog's filter: text and pattern of each entry, separated by "|".
extern const char* const SaveFilter;

// Appends the point unless its x is NoValue or a listed point lies within tol of it
// in both x and z.
void AddUniquePoint(arofcomplexM& list, complexM point, double tol);

// Column numbers of a measurement row.
enum Column : int {
  colC1 = 0, colC2, colP1, colP2, colRhoA, colRes, colWeight, colEtaA,
  colC1y, colC2y, colP1y, colP2y, colC1z, colC2z, colP1z, colP2z,
  RowColumns = 16
};

// Geometric factor and spacing measure of a degenerate geometry.
inline constexpr double DegenerateFactor = 1.2345678;

// Tolerance operations of the analysis.
// First electrode whose X is within tol of x and whose Depth is within tol of depth;
// failing that, the first whose Chainage is within tol of x with Depth within tol; else -1.
int32_t FindElectrode(const elecarray& electrodes, complexM point, double tol);
// Appends value unless it is NoValue or some entry differs from it by less than tol.
void AddUniqueValue(arofdoubleM& values, double tol, double value);
// The relative test of the level lists: entry equals value, or
// abs(entry - value) / max(abs(value), entry) < tol.
bool RelativelyEqual(double entry, double value, double tol);
// As AddUniqueValue with the relative test.
void AddUniqueRelative(arofdoubleM& values, double tol, double value);
// First index passing the relative test; -1 for NoValue or when none does.
int32_t FindRelative(const arofdoubleM& values, double tol, double value);
// Appends the integer unless it is present.
void AddUniqueIndex(arofintM& values, int32_t value);
void SortValues(arofdoubleM& values);
void SortIndices(arofintM& values);

// Topography along the profile (relief points (x, elevation) sorted by x).
// Length of the relief polyline between two horizontal positions; the relief is
// extended flat 1000 m beyond its ends, and positions beyond that follow the end segment.
double SurfaceDistance(const arofcomplexM& relief, double x1, double x2);
// Horizontal positions of distances measured along the ground from a reference point.
arofdoubleM ChainageToX(const arofcomplexM& relief, double referenceX, double referenceChainage,
                        const arofdoubleM& chainages);

// True exactly when the line, lower-cased, is "true".
bool ReadBoolLine(const std::string& line);

// Text of a number that reads back to the same double: the shortest exact form,
// "*" for NoValue, with the given decimal separator.
std::string ExactText(double x, char decimalSeparator = '.');
// Scientific form " d.ddddddddddddddE+dddd" (a blank or a minus sign first); more
// digits are written only where 14 decimals would not read back exactly.
std::string ScientificText(double x);

}  // namespace Survey

class TSurvey {
 public:
  TSurvey();
  TSurvey(const TSurvey&) = delete;
  TSurvey& operator=(const TSurvey&) = delete;

  // ---- The measurement table ----
  // One row of RowColumns reals per measurement (see Survey::Column).
  ararofdoubleM MeasurementRows;
  // Header positions at which a k2d file gave C1y, C2y, P1y, P2y, C1z, C2z, P1z, P2z; -1 = absent.
  std::array<int32_t, 8> CoordinateColumns{-1, -1, -1, -1, -1, -1, -1, -1};
  bool HasYColumns = false;

  // ---- Value flags of the loaded data ----
  bool HasObservedData = false;
  bool ModelComputed = false;
  bool SurveyReady = false;
  bool HasIPData = false;
  bool SignedResistance = false;
  bool RhoaForFlatGround = false;
  bool ProjectCoordinates = false;
  bool TopoSlopeDistances = false;
  bool ReverseProfile = false;
  bool ResetDividing = true;
  bool UseChainage = false;

  // ---- Reference point and reversal ----
  double ReferenceX = Supermath2d::NoValue;
  double ReferenceChainage = 0.0;
  double ReverseShift = 0.0;

  // ---- Topography and nodes ----
  arofcomplexM Topography;
  arofdoubleM ExtraNodes;
  arofdoubleM NodePositions;
  arofdoubleM ElectrodePositions;
  double ElectrodeSpacing = 0.0;
  double GroupingSpacing = 0.0;

  // ---- Electrodes, sources and derived lists (shared with the solver) ----
  ::elecarray elecarray;
  ::Asource Asource;
  arofintM CurrentElectrodes;
  arofdoubleM SpacingLevels;
  arofdoubleM Levels;
  arofdoubleM ElectrodeDistances;
  double DataXMin = 0.0;
  double DataXMax = 0.0;
  int32_t DecimationStep = 1;
  std::string DataFileName;

  // ---- Start values ----
  double StartResistivity = 0.0;
  double StartPolarizability = 0.0;

  // ---- Display fields ----
  int32_t DataPlotType = 0;
  int32_t graphicstype = 0;
  bool NewDataUpper = false;
  bool NewDataLower = false;

  // ---- Solver and mesh settings (the order of the cfg file) ----
  double MACH_EPS = 1e-8;
  int32_t CGprecision = 400;
  int32_t Solver = 3;
  bool nkuser = true;
  int32_t nknumber = 8;
  bool correct = true;
  double FactorX = 0.2;
  double FactorZ = 0.2;
  double StartX = 2.0;
  double StartZ = 1.0;
  bool Exponent = false;
  int32_t infperc = 10;
  int32_t redperc = 100;
  int32_t numqp = 7;
  bool recetha = true;

  // ---- Main-window state read by the analysis ----
  bool RealTopoCoordinates = false;  // menu check "Real topo coordinates"
  bool ExtendedNodes = false;        // menu check "Extended nodes"

  // ---- Values of the "Default array" dialog, read by GenerateSurvey ----
  int32_t DefaultArrayType = 0;
  int32_t DefaultPointCount = 10;
  double DefaultMinSeparation = 1.0;
  int32_t DefaultPointSeparation = 1;
  int32_t DefaultLevelCount = 3;

  // ---- Read statistics of the last data file read ----
  // Data lines that were skipped: too few values for the columns the file names, or
  // (Res2dInv general array) an electrode count other than 2, 3 or 4.
  int32_t SkippedDataLines = 0;
  // Where the last file read was refused ("line 17: expected 4 numbers, found 3"),
  // and the first data line it skipped ("line 9 (2 numbers)"); empty when unknown.
  std::string ReadProblem;
  std::string FirstSkippedLine;

  // ---- Solver bridge ----
  // Distance at which the last run would place electrodes at infinity: the model
  // diagonal times (redperc/100) (redperc/100 + 1).
  double InfinityDistance = 1000.0;

  // ---- The "Model constructor" dialog's values, kept from one use to the next ----
  TModelConstructorValues ModelConstructorValues;
  bool ModelConstructorCreated = false;

  // ---- The Save dialog's file name and filter index ----
  std::string SaveFileName;
  int32_t SaveFilterIndex = 1;

  // ---- Hooks installed by the main window ----
  // The polygon model chart; without it a k2d file carries no model.
  std::shared_ptr<TSurveyModelChart> ModelChart;
  // Views, menus, caption and dialogs of the main window; without it nothing is drawn.
  std::shared_ptr<TSurveyWindow> Window;
  // Shows a message to the user (the main window's message box).
  std::function<void(const std::string&)> OnMessage;
  // Frees the loaded well logs; every analysis calls it.
  std::function<void()> OnFreeWellLogs;

  // ---- Opening and saving ----
  // Makes the file the current survey: reader by extension, analysis, model from the
  // file or a start model, caption, drawing and a forward run. A qlf file is only
  // converted and a cfg file only read. Problems are reported through OnMessage; a
  // file that is refused leaves the survey as it was.
  void OpenData(const std::string& fileName);
  // The save command: asks the Window's Save dialog, then SaveAs.
  void SaveData();
  // Writes the kind of file of the Save dialog's filter index (SaveKind) under the
  // name with the kind's extension, when the kind's condition holds. False when a
  // file could not be written (reported).
  bool SaveAs(const std::string& fileName, int32_t filterIndex);

  // ---- Files ----
  // Reads a k2d file: ReadError, ReadData or ReadDataAndModel. The file is read
  // completely before anything is applied; a rejected file leaves the survey as it was.
  int32_t ReadSurveyFile(const std::string& fileName);
  // Writes the analysed survey in the canonical k2d layout (observed or calculated
  // values), the model section when withModel is set, then the companion cfg file.
  // False, with a message, when the file cannot be written.
  bool WriteSurveyFile(const std::string& fileName, bool observed, bool withModel);
  // Reads the solver and mesh settings; a file without the header changes nothing,
  // a value that is no number or out of range keeps its current value (reported).
  void ReadConfigFile(const std::string& fileName);
  bool WriteConfigFile(const std::string& fileName) const;
  // Res2dInv data files (dat, seq): ReadError or ReadData. The file is read completely
  // before anything is applied.
  int32_t ReadRes2dInvFile(const std::string& fileName);
  // Writes the survey as a Res2dInv general-array file with the observed or the
  // calculated values. False, with a message, when the file cannot be written.
  bool WriteRes2dInvFile(const std::string& fileName, bool observed) const;
  // ABEM resistivity meter files (amp): ReadError or ReadData.
  int32_t ReadAmpFile(const std::string& fileName);
  // Converts a file of the one-dimensional sounding program (qlf) into a k2d file
  // beside it, asking for the horizontal scale and the spacing range; loads nothing.
  // Always ReadError.
  int32_t ConvertSoundingFile(const std::string& fileName);

  // ---- Solver bridge ----
  // Fills the solver state from the survey and the chart's model, refines a copy of
  // the model into the computation mesh and runs the inversion or the forward model.
  // False when the mesh or the run was refused (reported); ModelComputed is set
  // after a run.
  bool RunModelling(bool inversion);
  // With a computed model: shows the nodes of the computation mesh in the chart's
  // mesh-preview series.
  void PreviewMesh();
  // Proposes model extent and start values, asks the "Model constructor" dialog and
  // builds a start model (newModel) or refits the existing model to the new bounds.
  void ConstructStartModel(bool newModel);

  // ---- Analysis ----
  void AnalyseSurvey();
  void GeometricFactor(int32_t sourceIndex, int32_t receiverIndex);

  // ---- Topography ----
  // Levels the relief onto its trend line in place; gives slope, intercept and the smallest x.
  static void LevelTopography(arofcomplexM& relief, double& slope, double& intercept, double& xmin);
  // Projection of x onto the levelled profile (reads the levelled Topography).
  double ProjectToProfile(double x, double slope, double intercept, double xmin) const;

  // ---- Synthetic survey ----
  void GenerateSurvey(int32_t arrayType);

 private:
  void Message(const std::string& text) const;
  // Analysis steps, in order.
  void PrepareRows();
  void ProjectPositions();
  void MirrorProfile();
  void NormaliseAbsentElectrodes();
  void RemoveDuplicateRows();
  void SortRows();
  void BuildElectrodes();
  bool ConvertSlopeDistances();
  void ConvertChainages();
  void DeriveHeights();
  void BuildNodePositions();
  void BuildSources();
  void FindSourceElectrodes();
  void ComputeSpacings();
  void BuildLevels();
  void GroupReceivers(bool byDepth);
  void CollectElectrodeDistances();
  void ProposeStartValues();
  void CompleteWeights();
  void SetLineOffset();
  void ResetMeshDividing();
  // Helpers of the bridge, the start model and the open command.
  ComputationMesh::TMeshSettings MeshSettings() const;
  bool ProposedValuesValid(const TModelConstructorValues& values, std::string& problems) const;
  void ApplyStartModel(bool newModel);
  bool SingleLevelDisplay() const;
};
