// Compressor and turbine nozzle load checks; see Api617Nema.h.
#include "evaluations/Api617Nema.h"

#include <cmath>
#include <cstdio>

#include "model/ModelGeometry.h"

namespace {

double Factor(int kind) { return kind == kCompressorKind ? 1.85 : 1.0; }
float Dot(const Vec3f& a, const Vec3f& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void AddLoadsAboutNode(MachineEvaluation& e, std::size_t slot, const Vec3f& nozzle, const Vec3f& reference,
                       const Load6& l) {
  const Vec3f d{nozzle[0] - reference[0], nozzle[1] - reference[1], nozzle[2] - reference[2]};
  const float rx = Dot(d, e.x), ry = Dot(d, e.y), rz = Dot(d, e.z);
  Load6& c = e.combined[slot];
  c[0] += l[0];
  c[1] += l[1];
  c[2] += l[2];
  c[3] += l[3] + ry * l[2] - rz * l[1];
  c[4] += l[4] + rz * l[0] - rx * l[2];
  c[5] += l[5] + rx * l[1] - ry * l[0];
}

}  // namespace

int FindLargestConnection(const MachineEvaluation& e) {
  int found = -1;
  float size = 0.0f;
  for (int n = 0; n < 4; ++n) {
    const NozzleAttachment& at = e.nozzles[n].at;
    if (at.node == 0) continue;
    if (at.nominalSize > size || (n == 1 && at.nominalSize >= size)) {
      found = n;
      size = at.nominalSize;
    }
  }
  // Nozzles without pipe: the first one named stands as the reference.
  for (int n = 0; n < 4 && found < 0; ++n)
    if (e.nozzles[n].at.node != 0) found = n;
  return found;
}

void ResolveRotatingEquipmentNozzles(const RotatingEquipment& machine, int kind, const NozzleAttachment attachments[4],
                                     bool zVertical, MachineEvaluation& e) {
  e = MachineEvaluation{};
  double sum = 0.0;
  for (int n = 0; n < 4; ++n) {
    e.nozzles[n].at = attachments[n];
    if (attachments[n].node != 0) sum += static_cast<double>(attachments[n].nominalSize) * attachments[n].nominalSize;
  }
  double dc = std::sqrt(sum);
  if (dc > 9.0) dc = (dc + 18.0) / 3.0;
  dc *= Factor(kind);
  e.dc = dc;
  const bool zv = zVertical;
  e.limits = {static_cast<float>(50.0 * dc),   static_cast<float>((zv ? 100.0 : 125.0) * dc),
              static_cast<float>((zv ? 125.0 : 100.0) * dc), static_cast<float>(3000.0 * dc),
              static_cast<float>(1500.0 * dc), static_cast<float>(1500.0 * dc),
              static_cast<float>(250.0 * dc)};
  const auto& a = machine.shaftAxis;
  const double length = std::sqrt(static_cast<double>(a[0]) * a[0] + static_cast<double>(a[1]) * a[1] +
                                  static_cast<double>(a[2]) * a[2]);
  if (length <= 0.001) {
    char text[80];
    std::snprintf(text, sizeof text, "Invalid shaft axis for %s: %s", kind == kCompressorKind ? "compressor" : "turbine",
                  machine.description.c_str());
    e.frameError = text;
    return;
  }
  LocalFrame frame;
  for (int i = 0; i < 3; ++i) frame.x[static_cast<std::size_t>(i)] = static_cast<float>(a[static_cast<std::size_t>(i)] / length);
  BuildLocalFrame(frame, zVertical);
  e.x = frame.x;
  e.y = frame.y;
  e.z = frame.z;
}

void ComputeNozzleResultantLoads(int kind, int slot, const Load6 globalLoads[4], MachineEvaluation& e) {
  if (slot < 0 || slot >= kRotatingSlots || !e.frameError.empty()) return;
  const std::size_t s = static_cast<std::size_t>(slot);
  e.combined[s] = {};
  for (int n = 0; n < 4; ++n) {
    MachineNozzle& nozzle = e.nozzles[n];
    nozzle.local[s] = {};
    if (nozzle.at.node == 0 || !nozzle.at.anchored) continue;
    const Load6& g = globalLoads[n];
    const Vec3f force{g[0], g[1], g[2]};
    const Vec3f moment{g[3], g[4], g[5]};
    nozzle.local[s] = {Dot(force, e.x), Dot(force, e.y), Dot(force, e.z), Dot(moment, e.x), Dot(moment, e.y),
                       Dot(moment, e.z)};
  }
  // The turbine sums about its exhaust, without one it sums nothing; the
  // compressor about its largest connection.
  const int reference = kind == kTurbineKind ? (e.nozzles[1].at.node != 0 ? 1 : -1) : FindLargestConnection(e);
  if (reference < 0) return;
  const Vec3f& origin = e.nozzles[reference].at.position;
  for (int n = 0; n < 4; ++n) {
    const MachineNozzle& nozzle = e.nozzles[n];
    if (nozzle.at.node == 0 || !nozzle.at.anchored) continue;
    AddLoadsAboutNode(e, s, nozzle.at.position, origin, nozzle.local[s]);
  }
}

NozzleCriterion NozzleCriterionOf(int kind, float nominalSize, const Load6& l) {
  NozzleCriterion c;
  c.f = std::sqrt(static_cast<double>(l[0]) * l[0] + static_cast<double>(l[1]) * l[1] + static_cast<double>(l[2]) * l[2]);
  c.m = std::sqrt(static_cast<double>(l[3]) * l[3] + static_cast<double>(l[4]) * l[4] + static_cast<double>(l[5]) * l[5]) /
        12.0;
  c.value = 3.0 * c.f + c.m;
  const double de = nominalSize > 8.0f ? (nominalSize + 16.0) / 3.0 : nominalSize;
  c.allowable = 500.0 * de * Factor(kind);
  c.ratio = c.allowable > 0.0 ? c.value / c.allowable : 0.0;
  return c;
}
