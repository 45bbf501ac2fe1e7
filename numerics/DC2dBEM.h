// 2.5-D boundary-element forward modelling and damped least-squares inversion
// of resistivity/IP surveys over a polygon model: the survey records shared
// with the main window, and the solver's unit-level state.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "numerics/Polygons.h"
#include "numerics/Supermath2d.h"

// ---------------------------------------------------------------------------
// Survey records. The survey analysis fills them; the solver reads the
// geometry and writes the calculated fields.

// One pair of signed 32-bit integers.
struct TIntPair {
  int32_t A = 0;
  int32_t B = 0;
  bool operator==(const TIntPair&) const = default;
};
using Points = std::vector<TIntPair>;
using arPoints = std::vector<Points>;

// One electrode of the survey, indexed by electrode number.
struct TElectrode {
  double X = 0.0;           // horizontal position along the profile
  double Spare1 = 0.0;      // survey bookkeeping, left 0
  double Depth = 0.0;       // depth below the ground surface; 0 at the surface
  double Chainage = 0.0;    // distance along the ground surface (X on flat ground)
  double ModelDepth = 0.0;  // topography value at X plus Depth (Depth alone without topography)
  double SourceDepth = 0.0; // depth below the highest relief point: H - topography(X) + Depth
  double ImageDepth = 0.0;  // -ModelDepth
  double Spare2 = 0.0;      // not used by the solver
  uint8_t AtSurface = 0;    // 1 when Depth <= 0
};
using elecarray = std::vector<TElectrode>;

// One current-electrode pair (a source) with every measurement taken with it.
// Measurement k is entry k of every per-measurement array; all those arrays
// have the same length as P1.
struct osource {
  int32_t C1 = -1;  // electrode number of the first current electrode; -1 at infinity
  int32_t C2 = -1;  // electrode number of the second current electrode; -1 at infinity
  arofintM P1;      // first potential electrode per measurement; -1 at infinity
  arofintM P2;      // second potential electrode per measurement; -1 at infinity
  // Display bookkeeping of the survey analysis and the plotting; the solver
  // neither reads nor writes these.
  arofboolM FlagsA;       // head of a plot-point group by spacing level
  arofboolM FlagsB;       // head of a plot-point group by pseudo-depth level
  arofintM LevelIndex;    // spacing-level number
  arofintM GroupIndex;    // index into the pseudo-depth levels
  arPoints PairsA;        // (source, measurement) pairs sharing this plot point by spacing
  arPoints PairsB;        // (source, measurement) pairs sharing this plot point by depth
  arofboolM FlagsC;       // measurement in use (0 = switched off by the user)
  double C1x = 0.0;
  double C2x = 0.0;
  arofdoubleM P1x;
  arofdoubleM P2x;
  double C1y = 0.0;  // off-profile coordinates
  double C2y = 0.0;
  arofdoubleM P1y;
  arofdoubleM P2y;
  double C1z = 0.0;  // depths
  double C2z = 0.0;
  arofdoubleM P1z;
  arofdoubleM P2z;
  // Potentials of a unit current, accumulated over the wavenumbers.
  arofdoubleM UC1P1;    // at P1 from C1
  arofdoubleM UC2P1;    // at P1 from C2; 0 when C2 is at infinity
  arofdoubleM UC1P2;    // at P2 from C1; 0 when P2 is at infinity
  arofdoubleM UC2P2;    // at P2 from C2
  arofdoubleM UC1P1IP;  // the same four of the IP model
  arofdoubleM UC2P1IP;
  arofdoubleM UC1P2IP;
  arofdoubleM UC2P2IP;
  arofdoubleM Res;        // observed voltage per unit current
  arofdoubleM ResCalc;    // calculated voltage per unit current
  arofdoubleM ResIP;      // observed voltage per unit current of the IP model
  arofdoubleM ResCalcIP;  // calculated voltage per unit current of the IP model
  arofdoubleM RhoA;       // observed apparent resistivity, ohm m
  arofdoubleM RhoACalc;   // calculated apparent resistivity, ohm m
  arofdoubleM EtaA;       // observed apparent polarizability, %
  arofdoubleM EtaACalc;   // calculated apparent polarizability, %
  arofdoubleM Weight;     // weight of the measurement
  arofdoubleM K;          // geometric factor
  arofdoubleM EffectiveSpacing;  // level key (1.2345678 where its formula degenerates)
  arofdoubleM PseudoDepth;
  arofdoubleM PlotX;
  arofdoubleM PlotX0;  // copy of PlotX
};
using Asource = std::vector<osource>;

// ---------------------------------------------------------------------------
// Unit-level state of the solver. One set per process; ResetState() puts it
// back to its initial values (for tests and for a new survey).
namespace DC2dBEM {

// Inputs set by the solver bridge before every run.
inline AllSpolygon Model;  // refined computation copy; body 0 polygon 0 is the frame
inline Tnodes Nodes;       // node table of Model; only X and Depth are read
inline elecarray* Electrodes = nullptr;  // the main window's electrode list, shared (not owned)
inline Asource* Survey = nullptr;        // the main window's sources, shared: results are written into it
inline arofintM* Poles = nullptr;        // the main window's current-electrode list, shared (not owned)
// The main window's distance list, shared (not owned). The wavenumbers are fitted to
// FitDistances, which the solver takes from the survey in the plane it models.
inline arofdoubleM* ElectrodeDistances = nullptr;
inline double HostResistivity = 0.0;
inline double HostPolarizability = 0.0;
inline double RMin = 0.1;
inline int32_t GaussOrder = 0;
inline bool UserWavenumbers = false;
inline int32_t WavenumberCount = 0;
inline bool ReliefOn = false;
inline bool IPOn = false;
inline bool SignedData = false;

// Set by the main window when a survey is loaded or created.
inline double CommonOffset = 0.0;
inline bool GeometryChanged = true;

// Settings with fixed initial values.
inline int32_t IterationCount = 7;
inline double IPScale = 0.01;  // scale of the signed logarithm; each inversion sets it from its data
inline bool SensitivityMode = false;
inline int32_t SavedGaussOrder = -1;

// Progress callbacks installed by the main window: one step of the gauge, and
// the gauge back to 0. Unassigned callbacks are skipped. They are always called
// on the thread that started the run.
inline std::function<void()> OnProgressStep;
inline std::function<void()> OnProgressEnd;

// What the solver reads from and reports to the main window. The main window
// installs these at start-up; an unassigned hook is skipped (DataLoaded counts
// as true then).
struct TSolverHooks {
  std::function<bool()> DataLoaded;                        // observed data are loaded
  std::function<void(int32_t)> SetWavenumberCount;         // the "nknumber" setting
  std::function<void(const std::string&)> SetMisfitText;   // status bar panel 3
  std::function<void(const std::string&)> SetStatusText;   // status bar panel 3, inversion notes
  std::function<void(int32_t)> PlotData;                   // redraw the calculated data
  std::function<AllSpolygon*()> ChartModel;                // the user's model in the polygon chart
  std::function<void()> RedrawModel;                       // redraw the polygon chart's model
  std::function<void(const std::string&)> ShowMessage;     // message box for refused runs
};
inline TSolverHooks Hooks;

// ---------------------------------------------------------------------------
// Derived state, rebuilt by the set-up routines and the forward driver.

inline double HostResistivityIP = 0.0;
inline std::vector<std::pair<arofdoubleM, arofdoubleM>> GaussProducts;  // [order]: (1-xi)w, xi w
inline arofintM ReliefNodes;       // with relief: the ground-surface nodes in increasing x
inline arofboolM ReliefNodeFlags;  // per node: member of ReliefNodes
inline arofintM SystemIndex;       // per node: row of the system, -1 outside
inline int32_t SystemSize = 0;
inline arofdoubleM FreeTerm;
inline arofdoubleM FreeTermIP;
inline arofboolM OffNode;          // per electrode: potential is integrated (not a node value)
inline Points ElectrodeNodes;      // per electrode: frame edge (a, b), (node, -1) or (-1, -1)
inline arofdoubleM ReceiverFreeTerm;
inline arofdoubleM ReceiverFreeTermIP;
inline arofintM ElectrodeBody;     // per electrode: parameter index of the holding polygon, -1
inline ararofintM PoleReceivers;   // per pole: receiver electrodes, ascending
inline ararofintM ReceiverSlot;    // [pole electrode][receiver electrode] -> slot, -1
inline arofintM PoleIndex;         // per electrode: row in Poles, -1
inline int32_t CurrentPole = -1;   // electrode index of the pole being solved
// The distances the wavenumbers are fitted to, in increasing order: the survey's
// current-to-potential electrode distances (in the plane the solver models) and
// log-spaced distances out to twice the farthest electrode-to-mesh-node distance,
// over which the secondary field of layers and bodies travels.
inline arofdoubleM FitDistances;
inline arofdoubleM FitRowWeights;  // per fit distance: the weight of its row in the fit
// Largest relative deviation of the weighted K0 sum from 1/R over FitDistances,
// after the last fit.
inline double WavenumberFitDeviation = 0.0;
// The automatic count stops growing once the fit is this close over the whole range.
inline constexpr double WavenumberTolerance = 2e-4;
inline constexpr int32_t MaxAutomaticWavenumbers = 20;
inline arofdoubleM Wavenumbers;
inline arofdoubleM WavenumberWeights;
inline double Wavenumber = 0.0;
inline int32_t WavenumberIndex = 0;
inline int32_t ProgressSteps = 0;
inline ararofdoubleM PoleVoltage;      // [pole][receiver] of the last wavenumber, times w 2/pi
inline ararofdoubleM PoleVoltageIP;
inline ararofdoubleM PolePotential;    // [pole][receiver] unweighted, last wavenumber
inline ararofdoubleM PolePotentialIP;
inline int32_t ParamCount = 0;
inline int32_t DataCount = 0;
inline ararofdoubleM RawSens;        // [param][datum] dDV/dsigma
inline ararofdoubleM JacobianRho;    // [param][datum] d ln DV / d ln rho
inline ararofdoubleM JacobianEta;    // [param][datum] d SL(eta_a) / d SL(eta)
inline ararofdoubleM JacobianCross;  // [param][datum] d SL(eta_a) / d ln rho
inline int32_t Iteration = 0;
inline arofdoubleM RightHandSideIP;
inline bool Running = false;        // a run is in progress; a second run is refused

// Puts every input, setting and derived table back to its initial value.
// Callbacks and hooks stay installed.
void ResetState();

// ---------------------------------------------------------------------------
// Quadrature, geometry helpers, primary potential and QR.

int32_t GaussPointCount();          // points of the rule GaussOrder selects
double GaussAbscissa(int32_t i);    // on [0, 1]
double GaussWeight(int32_t i);      // weights of a rule sum to 1
complexM GaussPoint(const complexM& A, const complexM& B, int32_t i);
void PrepareGaussTables();
// Number of points of a quadrature order (2..7 -> same, 8 -> 12); 0 for other orders.
int32_t PointsOfOrder(int32_t order);

double Distance(const complexM& P, const complexM& Q);
double CornerAngle(const complexM& e1, const complexM& e2);
double SignTransfer(double a, double b);

// Depth of an electrode's point source: SourceDepth over relief, Depth on flat ground.
double ElectrodeSourceDepth(const TElectrode& e);
// Primary potential of electrode `pole` at P for wavenumber k and resistivity rho.
double PrimaryPotentialOf(int32_t pole, double k, const complexM& P, double rho);
// The space-domain potential whose cosine transform PrimaryPotentialOf is, for a
// receiver dy off the profile: what the wavenumber sum of the primary part tends to.
double PrimaryPotentialInSpace(int32_t pole, const complexM& P, double rho, double dy);
// For CurrentPole and Wavenumber: V in the host, V* in the IP host (only with IPOn).
void PrimaryPotential(const complexM& P, double& V, double& VIP);
double PrimaryPotentialAt(const complexM& P, double rho);

// Square matrices as rows (the inversion's normal equations).
void QRDecomp(ararofdoubleM& A, arofdoubleM& d, arofdoubleM& c);
void QRSolve(const ararofdoubleM& A, const arofdoubleM& d, const arofdoubleM& c, arofdoubleM& b);
void RSolve(const ararofdoubleM& A, const arofdoubleM& d, arofdoubleM& b);

// Dense square matrix in contiguous column-major storage for the boundary-element
// systems: element (row i, column j) at Data[j * N + i].
struct TMatrix {
  int32_t N = 0;
  arofdoubleM Data;
  void Resize(int32_t n);
  double& operator()(int32_t i, int32_t j) { return Data[static_cast<size_t>(j) * N + i]; }
  double operator()(int32_t i, int32_t j) const { return Data[static_cast<size_t>(j) * N + i]; }
};
// The IP model's matrix of the last AssembleMatrix.
inline TMatrix BEMMatrixIP;

// Householder QR in place (blocked), the same reflections as QRDecomp.
void QRDecompDense(TMatrix& A, arofdoubleM& d, arofdoubleM& c);
// Solves A x = b for `count` right-hand sides stored one after another (N each).
void QRSolveDense(const TMatrix& A, const arofdoubleM& d, const arofdoubleM& c, double* b,
                  int32_t count);

// Solves A^T x = b with the same factors, for `count` right-hand sides.
void QRSolveTransposedDense(const TMatrix& A, const arofdoubleM& d, const arofdoubleM& c, double* b,
                            int32_t count);

// ---------------------------------------------------------------------------
// Boundary set-up, sources and receivers.

void BuildReliefNodes();
int32_t NumberSystemNodes(arofintM& systemIndex);
void ComputeFreeTerms(arofdoubleM& freeTerm);
void AddFreeTerms(TMatrix& M, const arofdoubleM& freeTerm);
void LocateElectrodes(arofboolM& offNode, Points& electrodeNodes);
void ReceiverFreeTerms(const arofboolM& offNode, arofdoubleM& freeTerms, arofdoubleM& freeTermsIP);
bool PointInPolygon(const complexM& P, const arofintM& nodes);
void BuildPoles(ararofintM& poleReceivers);
// Primary potential of CurrentPole at every system node for Wavenumber (and the IP
// copy into RightHandSideIP).
void RightHandSide(const arofintM& systemIndex, arofdoubleM& rhs);
// The boundary-element matrix of Wavenumber with the free terms on its diagonal
// (and BEMMatrixIP with IP on), after the set-up of a run.
void AssembleMatrix(TMatrix& M);
void AddUnique(arofintM& list, int32_t value);
void SortInts(arofintM& list);
void ResistivityResiduals(arofdoubleM& residuals);
void PolarizabilityResiduals(arofdoubleM& residuals);
// The ground-surface nodes of the frame in frame order (toward smaller x).
arofintM SurfaceRun();

// Wavenumber selection. BuildFitDistances fills FitDistances and FitRowWeights
// from the survey's electrodes and the mesh nodes.
void BuildFitDistances(arofdoubleM& distances);
void FitWeights(const arofdoubleM& k, arofdoubleM& w, arofdoubleM& f);
void WavenumberJacobian(arofdoubleM& k, ararofdoubleM& J, arofdoubleM& f);
double OptimiseWavenumbers(int32_t n);
// The smallest count from `from` up whose fit meets WavenumberTolerance; when none
// does, the count whose added wavenumbers paid for themselves. Leaves Wavenumbers,
// WavenumberWeights, WavenumberCount and WavenumberFitDeviation as
// OptimiseWavenumbers of the returned count sets them.
int32_t ChooseWavenumberCount(int32_t from = 3);
// Fits the wavenumbers and weights to FitDistances: the user's WavenumberCount
// (grown when its fit misses the tolerance) or the automatic choice. A fit made
// before for the same distances, weights, offset and request is taken again.
void FitWavenumbers();
double StrikeFactor(double a, double b);

// Element integral of k K1(k r) cos / (2 pi) over A-B against 1 - xi and xi, for the
// collocation point P, wavenumber k and quadrature order `order`.
void ElementIntegralK(const complexM& P, const complexM& A, const complexM& B, double& I0,
                      double& I1, bool surface, double k, int32_t order);
// The same with Wavenumber and GaussOrder.
void ElementIntegral(const complexM& P, const complexM& A, const complexM& B, double& I0,
                     double& I1, bool surface);
double NormalCosine(const complexM& P, const complexM& Q, const complexM& n, double L);

// Checks the inputs of a run; an empty text when they are sound, else the message.
std::string ValidateInputs();
// One forward run. False (with a message through Hooks.ShowMessage) when the inputs
// are refused or a run is already going on.
bool ForwardModel();
// Mode 0 forward, 1 forward with sensitivities.
void ComputeResponses(int32_t mode);
// Accumulates the pole voltages V of the current wavenumber into the survey and, at
// wavenumber index 0, writes the calculated values (mode 0 resistivity, 1 IP model).
void ApparentValues(const ararofdoubleM& V, const ararofintM& receivers, int32_t mode);
// Accumulates the pole derivatives S [param][pole][receiver] into the Jacobians
// (mode 0 resistivity, 1 polarizability).
void DataSensitivities(const std::vector<ararofdoubleM>& S, int32_t mode);
// Resistivity and polarizability misfit in %.
std::pair<double, double> Misfit();
double SignedLogSlope(double x, double s);
// Damped least-squares inversion; false when refused.
bool Inversion();

// ---------------------------------------------------------------------------
// Tables shared by the solver's source files.
namespace detail {

// An edge of the boundary in the orientation in which it was first met. Edges that
// several polygons (or a polygon and the relief) share are integrated once; a use in
// the opposite direction takes the integrals (-I1, -I0).
struct TEdge {
  int32_t A = 0;
  int32_t B = 0;
};
struct TEdgeUse {
  int32_t Slot = 0;       // 0 relief, q + 1 polygon q
  int32_t Position = 0;   // edge number within the slot
  bool Reversed = false;  // the slot runs the edge from B to A
};
struct TEdgeTable {
  std::vector<TEdge> Edges;
  std::vector<std::vector<TEdgeUse>> Uses;    // per unique edge
  std::vector<arofintM> SlotEdge;             // [slot][position] -> unique edge
  std::vector<arofboolM> SlotReversed;        // [slot][position] -> reversed
  std::vector<std::pair<int32_t, int32_t>> ParamPolygon;  // q -> (body, polygon)
  arofdoubleM Contrast;    // q -> (rho - rho0) / rho
  arofdoubleM ContrastIP;  // q -> (rho* - rho0*) / rho*
  arofdoubleM Factor;      // per unique edge: the matrix factor of its integrals
  arofdoubleM FactorIP;
};
inline TEdgeTable Edges;

// Abscissae and weights of the rule of a quadrature order (2..8) on [0, 1].
void GaussRule(int32_t order, const arofdoubleM*& xi, const arofdoubleM*& w);
// The re-entry and input checks of a run, with the message shown on refusal.
bool MayRunInversion();
// Builds Edges from Model, ReliefNodes and the body properties.
void BuildEdgeTable();
// Integrals (I0, I1) of every unique edge at P, written pairwise to out (2 per
// edge); edges whose `need` entry is 0 are skipped (left as they are).
void EdgeIntegrals(const complexM& P, double k, const arofboolM* need, double* out);
// Resistivity and polarizability of a polygon (properties 10 and 11).
double PolygonResistivity(const Polygon& polygon);
double PolygonPolarizability(const Polygon& polygon);
// Puts every polygon except the frame into the orientation the free terms and the
// normals assume (clockwise with x to the right and depth downward).
void NormaliseOrientation(AllSpolygon& model, const Tnodes& nodes);

}  // namespace detail

}  // namespace DC2dBEM
