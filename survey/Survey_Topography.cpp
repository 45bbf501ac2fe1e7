// Relief geometry along the survey line: levelling and projection, the length of
// the ground surface, and distances along the ground turned into horizontal positions.
#include <algorithm>
#include <cmath>
#include <utility>

#include "survey/Survey.h"

namespace {

// Least-squares line z = s x + c through the points.
void FitLine(const arofcomplexM& points, double& s, double& c) {
  double sx = 0, sz = 0, sxx = 0, sxz = 0;
  for (const complexM& p : points) {
    sx += p.x;
    sz += p.z;
    sxx += p.x * p.x;
    sxz += p.x * p.z;
  }
  const double n = static_cast<double>(points.size());
  c = (sz - sx * sxz / sxx) / (n - sx * sx / sxx);
  s = (sxz - sx * c) / sxx;
}

// The relief extended flat by 1000 m beyond both ends, so that positions a little
// outside the surveyed relief still lie on a segment.
arofcomplexM ExtendedRelief(const arofcomplexM& relief) {
  arofcomplexM ext;
  ext.reserve(relief.size() + 2);
  ext.push_back({relief.front().x - 1000.0, relief.front().z});
  ext.insert(ext.end(), relief.begin(), relief.end());
  ext.push_back({relief.back().x + 1000.0, relief.back().z});
  return ext;
}

// First segment [x(i), x(i+1)] holding x; a position beyond the ends takes the end segment.
size_t SegmentOf(const arofcomplexM& pts, double x) {
  for (size_t i = 0; i + 1 < pts.size(); ++i)
    if (pts[i].x <= x && x <= pts[i + 1].x) return i;
  return x < pts.front().x ? 0 : pts.size() - 2;
}

double Distance(complexM a, complexM b) { return std::hypot(a.x - b.x, a.z - b.z); }

}  // namespace

void TSurvey::LevelTopography(arofcomplexM& relief, double& slope, double& intercept, double& xmin) {
  slope = 0.0;
  intercept = 0.0;
  xmin = relief.empty() ? 0.0 : relief.front().x;
  for (const complexM& p : relief) xmin = std::min(xmin, p.x);
  double sxx = 0.0;
  for (const complexM& p : relief) sxx += (p.x - xmin) * (p.x - xmin);
  // A relief without two distinct x has no trend line; it stays as it is.
  if (relief.size() < 2 || sxx == 0.0) return;

  for (complexM& p : relief) p.x -= xmin;
  double s = 0, c = 0;
  FitLine(relief, s, c);
  for (complexM& p : relief) p.z -= c;
  FitLine(relief, s, c);
  const double t = -std::atan(s);
  const double ct = std::cos(t), st = std::sin(t);
  for (complexM& p : relief) {
    const double x = p.x, z = p.z;
    p.x = ct * x - st * z + xmin;
    p.z = st * x + ct * z;
  }
  slope = s;
  intercept = c;
}

double TSurvey::ProjectToProfile(double x, double slope, double intercept, double xmin) const {
  const double t = -std::atan(slope);
  const double e = Supermath2d::InterpolateComplex(Topography, x);
  return xmin + std::cos(t) * (x - xmin) - std::sin(t) * (e - intercept);
}

namespace Survey {

double SurfaceDistance(const arofcomplexM& relief, double x1, double x2) {
  if (x1 > x2) std::swap(x1, x2);
  if (relief.empty()) return x2 - x1;
  const arofcomplexM pts = ExtendedRelief(relief);
  const size_t a = SegmentOf(pts, x1);
  const size_t b = SegmentOf(pts, x2);
  const complexM p1{x1, Supermath2d::LinearInterpolate(x1, pts[a].x, pts[a + 1].x, pts[a].z, pts[a + 1].z)};
  const complexM p2{x2, Supermath2d::LinearInterpolate(x2, pts[b].x, pts[b + 1].x, pts[b].z, pts[b + 1].z)};
  if (a == b) return Distance(p1, p2);
  double length = Distance(p1, pts[a + 1]);
  for (size_t i = a + 1; i < b; ++i) length += Distance(pts[i], pts[i + 1]);
  return length + Distance(pts[b], p2);
}

arofdoubleM ChainageToX(const arofcomplexM& relief, double referenceX, double referenceChainage,
                        const arofdoubleM& chainages) {
  arofcomplexM pts = ExtendedRelief(relief.empty() ? arofcomplexM{{referenceX, 0.0}} : relief);

  // The reference vertex: an inserted point, or the last relief point at exactly that x.
  size_t v = pts.size();
  for (size_t i = 0; i < pts.size(); ++i)
    if (pts[i].x == referenceX) v = i;
  if (v == pts.size()) {
    if (referenceX < pts.front().x) {
      pts.insert(pts.begin(), {referenceX, pts.front().z});
      v = 0;
    } else if (referenceX > pts.back().x) {
      pts.push_back({referenceX, pts.back().z});
      v = pts.size() - 1;
    } else {
      for (size_t i = 0; i + 1 < pts.size(); ++i)
        if (pts[i].x < referenceX && referenceX < pts[i + 1].x) {
          const double z = Supermath2d::LinearInterpolate(referenceX, pts[i].x, pts[i + 1].x, pts[i].z, pts[i + 1].z);
          pts.insert(pts.begin() + static_cast<std::ptrdiff_t>(i) + 1, {referenceX, z});
          v = i + 1;
          break;
        }
    }
  }

  // A reference that is no number, or a relief out of order around it, gives no
  // vertex to walk from: the positions stay as read.
  if (v == pts.size()) return chainages;

  arofdoubleM result;
  result.reserve(chainages.size());
  const auto last = static_cast<std::ptrdiff_t>(pts.size()) - 1;
  for (double chainage : chainages) {
    const double d = chainage - referenceChainage;
    const int e = d >= 0 ? 1 : -1;
    const double target = std::abs(d);
    double walked = 0.0, x = referenceX, ratio = 1.0;
    bool found = false;
    for (std::ptrdiff_t cur = static_cast<std::ptrdiff_t>(v); cur + e >= 0 && cur + e <= last; cur += e) {
      const complexM& p = pts[static_cast<size_t>(cur)];
      const complexM& q = pts[static_cast<size_t>(cur + e)];
      const double l = Distance(p, q);
      const double h = std::abs(q.x - p.x);
      walked += l;
      if (walked > target) {
        x += e * (1.0 - (walked - target) / l) * h;
        found = true;
        break;
      }
      x += e * h;
      if (l > 0) ratio = h / l;
    }
    // Beyond the extended relief the position follows the end segment.
    if (!found) x += e * (target - walked) * ratio;
    result.push_back(std::abs(x) < 1e-10 ? 0.0 : x);
  }
  return result;
}

}  // namespace Survey
