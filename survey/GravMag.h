// Gravity and magnetic profile data over the polygon model: the pgm data file and
// its reader, the forward computation of the gravity anomaly and of the total-field
// magnetic anomaly of polygonal bodies (line integrals along the polygon edges) and
// the damped least-squares inversion of the bodies' densities or susceptibilities.
//
// Units: positions and levels in m (levels are depths below the highest ground
// point, positive downward), densities in g/cm3 (anomaly in mGal), susceptibilities
// in 10^-5 CGS (anomaly in the unit of the main field's intensity). Properties 12
// and 13 of a polygon are taken as they stand: they are contrasts to the host.
//
// The main window owns one TGravMag beside its TSurvey and installs the hooks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "numerics/Polygons.h"
#include "numerics/Supermath2d.h"

class TSurvey;

// One station of a gravity or magnetic profile.
struct tdata {
  double Position = 0.0;    // x, m
  double Observed = 0.0;    // measured anomaly
  double Calculated = 0.0;  // computed anomaly; NoValue when it could not be computed
  double Level = 0.0;       // sensor depth below the highest ground point, m
  double FileLevel = 0.0;   // the third number of the data line, as read
};
using ttdata = std::vector<tdata>;

namespace GravMag {

inline constexpr const char* GravityOnNode = "Gravimeter in the Earth? You must elevate observation level, point ";
inline constexpr const char* MagneticOnNode = "Magnetometer in the Earth? You must elevate observation level, point ";
inline constexpr const char* TwoElevations = "Two elevation for one point ";
inline constexpr const char* OpenFilter = "PGM Data files|*.pgm";
// G (6.6732e-11 m3/(kg s2)) times 1e8: densities in g/cm3 and metres give mGal.
inline constexpr double GravityConstant = 0.0066732;
// Susceptibilities are kept in units of 1e-5 CGS.
inline constexpr double SusceptibilityUnit = 1e-5;

// The main field of the magnetic computation.
struct TMagField {
  int32_t Inclination = 0;  // degrees
  int32_t Azimuth1 = 0;     // degrees; only Azimuth2 - Azimuth1 enters
  int32_t Azimuth2 = 0;
  double Intensity = 0.0;
};

// ---- Reading (on the lines of a file) ----
// The stations of the block opened by a line holding "start_d" and word ("grav" or
// "mag"), in file order. False when there is no such block or it holds no station;
// records then stay as they were. Lines whose first three numbers are out of range
// are skipped with a message naming the line.
bool ReadGravMagBlock(const arofstrM& lines, const char* word, ttdata& records, arofstrM& messages);
// The last line with four numbers inside "start_config" .. "end_config". False when
// the block is missing, not closed, has no such line or its values are out of range
// (the field is then unchanged).
bool ReadGravMagConfig(const arofstrM& lines, TMagField& field, arofstrM& messages);
// The points (x, elevation) of "start_topo" .. "end_topo", sorted by x; a repeated
// x is refused with TwoElevations. levelsBelowGround: the opening line holds "#"
// (false without a block). False when the block is missing, not closed or empty.
bool ReadGravMagTopo(const arofstrM& lines, arofcomplexM& points, bool& levelsBelowGround, arofstrM& messages);

// Converts the station levels of both lists against the ground line (x, elevation):
// with levelsBelowGround Level := zmax - ground(x) + Level, otherwise Level := zmax -
// Level unless a station lies below the ground; then nothing is converted and the
// result is false, with a message naming the first such station.
bool ConvertLevels(ttdata& grav, ttdata& mag, const arofcomplexM& ground, bool levelsBelowGround,
                   std::string& message);

// ---- Forward kernels ----
// The anomaly at (x0, z0) of one polygon with unit density (gravity) or unit
// susceptibility (magnetic), summed over its edges in the node order given; an
// edge of zero length adds nothing. False when the station lies on a node.
bool PolygonGravity(const Polygon& polygon, const Tnodes& nodes, double x0, double z0, double& value);
bool PolygonMagnetic(const Polygon& polygon, const Tnodes& nodes, const TMagField& field, double x0, double z0,
                     double& value);
// Reverses the node list of every parameter polygon that runs counter-clockwise as
// drawn (x to the right, depth downward), so that a positive property always gives
// the anomaly of its sign.
void NormaliseOrientation(AllSpolygon& polygons, const Tnodes& nodes);
// Every polygon except polygon 0 of body 0, in body order then polygon order.
template <typename F>
void ForEachParameterPolygon(const AllSpolygon& polygons, F f) {
  for (size_t b = 0; b < polygons.size(); ++b)
    for (size_t p = (b == 0 ? 1 : 0); p < polygons[b].size(); ++p) f(b, p, polygons[b][p]);
}

// ---- Inversion ----
// Conjugate-gradient solution of A x = b from the given x (zeros when its length
// differs from b's); stops early when the search direction meets no curvature.
void SolveCG(const ararofdoubleM& A, const arofdoubleM& b, arofdoubleM& x, int32_t kmax, double tol);

// One iteration of the damped inversion as it was taken.
struct TDampingStep {
  double Low = 0.0;     // damping range searched
  double High = 0.0;
  double Lambda = 0.0;  // damping chosen
  bool Skipped = false; // no gradient: the parameters stayed
};

// Fits m to the observed data d with the sensitivities S (one row per parameter,
// one column per station) by damped least squares, the damping searched anew in
// every iteration. onSample runs before every trial solve; steps (optional)
// receives one entry per iteration. m stays finite.
void InvertLinear(const ararofdoubleM& S, const arofdoubleM& d, arofdoubleM& m, int32_t iterations,
                  const std::function<void()>& onSample, std::vector<TDampingStep>* steps = nullptr);

}  // namespace GravMag

class TGravMag {
 public:
  explicit TGravMag(TSurvey& survey) : FSurvey(survey) {}
  TGravMag(const TGravMag&) = delete;
  TGravMag& operator=(const TGravMag&) = delete;

  ttdata GravData;
  ttdata MagData;
  bool HasGravData = false;
  bool HasMagData = false;
  int32_t MagInclination = 0;
  int32_t MagAzimuth1 = 0;
  int32_t MagAzimuth2 = 0;
  double MagFieldIntensity = 0.0;
  bool LevelsBelowGround = false;
  // Copies of the model and nodes of the last ComputeGravMag, refined for it.
  AllSpolygon GravMagPolygons;
  Tnodes GravMagNodes;

  // Shows a message to the user; lets pending window messages run.
  std::function<void(const std::string&)> OnMessage;
  std::function<void()> OnProcessMessages;

  // Reads a pgm file. False, with nothing changed and nothing said, when it holds
  // neither a gravity nor a magnetic block. The messages of one file are shown once.
  bool ReadGravMagFile(const std::string& fileName);
  bool ReadGravMagLines(const arofstrM& lines);
  // Sorts both lists by position (equal positions keep their order).
  void SortGravMagData();

  // Fills Calculated of every station from the model chart's model.
  void ComputeGravMag();
  // The anomaly of the model in GravMagPolygons at (x[k], z[k]). The result is the
  // index of the first station found on a node (g then holds NoValue), -1 when none.
  int32_t GravityResponse(const arofdoubleM& x, const arofdoubleM& z, arofdoubleM& g) const;
  int32_t MagneticResponse(const arofdoubleM& x, const arofdoubleM& z, arofdoubleM& g) const;
  // Row j: the anomaly of parameter polygon j with unit property at every station.
  int32_t GravitySensitivity(const arofdoubleM& x, const arofdoubleM& z, ararofdoubleM& S) const;
  int32_t MagneticSensitivity(const arofdoubleM& x, const arofdoubleM& z, ararofdoubleM& S) const;
  // Inverts the gravity (or magnetic) data into property 12 (13) of the model
  // chart's polygons, then recomputes the responses and redraws the model.
  void InvertGravMag(bool magnetic, int32_t iterations);

  GravMag::TMagField Field() const { return {MagInclination, MagAzimuth1, MagAzimuth2, MagFieldIntensity}; }
  // The frame offset of the gravity mesh: 3^7 times half the survey's spacing.
  double FrameOffset() const;

 private:
  void Message(const std::string& text) const;
  int32_t Sensitivity(bool magnetic, const arofdoubleM& x, const arofdoubleM& z, ararofdoubleM& S) const;
  int32_t Response(bool magnetic, const arofdoubleM& x, const arofdoubleM& z, arofdoubleM& g) const;
  void ComputeList(bool magnetic, ttdata& list);
  TSurvey& FSurvey;
};
