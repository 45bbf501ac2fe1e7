// Geometric factor, completion of resistance and apparent resistivity, pseudo-depth
// and plot position of one receiver.
#include <cmath>

#include "survey/Survey.h"

using Supermath2d::NoValue;

namespace {

constexpr double MissingPair = 1e30;
constexpr double TwoPi = 6.283185307179586;

// Position of an electrode of a receiver in the frame of the factor: x, lateral
// offset, and depth below the highest relief point.
struct TPole {
  const TElectrode* E = nullptr;  // nullptr: absent (at infinity)
  double Y = 0.0;
};

double Dist(const TPole& u, const TPole& v) {
  if (!u.E || !v.E) return MissingPair;
  return std::sqrt(std::pow(u.E->X - v.E->X, 2) + std::pow(u.Y - v.Y, 2) +
                   std::pow(u.E->SourceDepth - v.E->SourceDepth, 2));
}

// Distance from the mirror image of the current electrode u; u itself when on the surface.
double ImageDist(const TPole& u, const TPole& v) {
  if (!u.E || !v.E) return MissingPair;
  if (u.E->AtSurface) return Dist(u, v);
  return std::sqrt(std::pow(u.E->X - v.E->X, 2) + std::pow(u.Y - v.Y, 2) +
                   std::pow(u.E->ImageDepth - v.E->SourceDepth, 2));
}

double FlatFactor(const TPole& a, const TPole& b, const TPole& m, const TPole& n) {
  auto hd = [](const TPole& u, const TPole& v) { return (!u.E || !v.E) ? MissingPair : std::abs(u.E->X - v.E->X); };
  const double am = hd(a, m), an = hd(a, n), bm = hd(b, m), bn = hd(b, n);
  if (am == 0 || an == 0 || bm == 0 || bn == 0) return Survey::DegenerateFactor;
  const double sum = 1 / am - 1 / an - 1 / bm + 1 / bn;
  return sum == 0 ? Survey::DegenerateFactor : TwoPi / sum;
}

}  // namespace

void TSurvey::GeometricFactor(int32_t sourceIndex, int32_t receiverIndex) {
  osource& src = Asource[static_cast<size_t>(sourceIndex)];
  const auto j = static_cast<size_t>(receiverIndex);
  auto electrode = [&](int32_t i) { return i < 0 ? nullptr : &elecarray[static_cast<size_t>(i)]; };
  const TPole a{electrode(src.C1), src.C1y};
  const TPole b{electrode(src.C2), src.C2y};
  const TPole m{electrode(src.P1[j]), src.P1y[j]};
  const TPole n{electrode(src.P2[j]), src.P2y[j]};

  const double am = Dist(a, m), an = Dist(a, n), bm = Dist(b, m), bn = Dist(b, n);
  const double iam = ImageDist(a, m), ian = ImageDist(a, n), ibm = ImageDist(b, m), ibn = ImageDist(b, n);
  double k = Survey::DegenerateFactor;
  if (am != 0 && an != 0 && bm != 0 && bn != 0 && 1 / am - 1 / an - 1 / bm + 1 / bn != 0)
    k = TwoPi / ((0.5 / am + 0.5 / iam) - (0.5 / an + 0.5 / ian) - (0.5 / bm + 0.5 / ibm) + (0.5 / bn + 0.5 / ibn));
  src.K[j] = k;

  double& res = src.Res[j];
  double& rhoa = src.RhoA[j];
  if (RhoaForFlatGround && Topography.size() >= 2 && rhoa != NoValue) {
    res = rhoa / FlatFactor(a, b, m, n);
    rhoa = NoValue;
  }

  if (n.E && !(k >= 0)) {
    // The potential electrodes change places with all their coordinates.
    std::swap(src.P1[j], src.P2[j]);
    std::swap(src.P1x[j], src.P2x[j]);
    std::swap(src.P1y[j], src.P2y[j]);
    std::swap(src.P1z[j], src.P2z[j]);
    k = std::abs(k);
    src.K[j] = k;
    res = SignedResistance ? -res : std::abs(res);
  }

  if (HasObservedData) {
    if (std::abs(res) == NoValue && rhoa != NoValue) {
      res = rhoa / k;
      // The apparent resistivity read is kept as read: |rhoa / k * k| may differ
      // from it in the last bit and would be saved as "111.16000000000001".
      rhoa = std::abs(rhoa);
    } else {
      if (std::abs(res) == NoValue) res = rhoa / k;
      if (!(rhoa != NoValue && std::abs(res) == NoValue)) rhoa = std::abs(res * k);
    }
    if (!SignedResistance) res = std::abs(res);
    if (HasIPData) src.ResIP[j] = res / (1 - src.EtaA[j] / 100);
  }

  // Pseudo-depth from separations along the ground or along x; plot position along x.
  const TElectrode* ea = a.E;
  const TElectrode* eb = b.E;
  const TElectrode* em = electrode(src.P1[j]);
  const TElectrode* en = electrode(src.P2[j]);
  auto sep = [&](const TElectrode* u, const TElectrode* v) {
    if (!u || !v) return MissingPair;
    return UseChainage ? std::abs(u->Chainage - v->Chainage) : std::abs(u->X - v->X);
  };
  const double sam = sep(ea, em), san = sep(ea, en), sbm = sep(eb, em), sbn = sep(eb, en);
  double depth = 0, plotX = 0;
  if (eb && en) {
    const double ab = sep(ea, eb), mn = sep(em, en);
    if (std::max(ab, mn) > (sam + san + sbm + sbn) / 8 || !(ab < 5 * mn)) {
      depth = std::min((sbm + sbn) / 4, (sam + san) / 4);
      plotX = (em->X + en->X) / 2;
    } else {
      depth = (sam + san + sbm + sbn) / 8;
      plotX = (em->X + eb->X + ea->X + en->X) / 4;
    }
  } else if (en) {
    depth = sam / 2 + san / 2;
    plotX = (em->X + en->X) / 2;
  } else if (eb) {
    depth = sam / 2 + sbm / 2;
    plotX = (ea->X + eb->X) / 2;
  } else {
    depth = sam / 2;
    plotX = (em->X + ea->X) / 2;
  }
  src.PseudoDepth[j] = depth;
  src.PlotX[j] = plotX;
  src.PlotX0[j] = plotX;
}
