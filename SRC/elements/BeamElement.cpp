// The beam element's record, copy, cells, dialog fill and local frame; see
// the header. The drawing is elements/BeamDrawing.cpp.
#include "elements/BeamElement.h"

#include <cmath>

#include "kindbase/KindRecord.h"
#include "model/ModelGeometry.h"
#include "model/Nodes.h"
#include "platform/Dialog.h"
#include "services/BinaryFile.h"
#include "services/General.h"
#include "services/Units.h"

namespace {

constexpr float kDegreesPerRadian = 57.29578f;
constexpr int kBetaField = 1301;
constexpr int kFirstReleaseBox = 1101;

}  // namespace

void Beam::Read(BinaryFile& file) {
  BinaryFileReadFloat(file, beta);
  BinaryFileReadBytes(file, releases.data(), releases.size());
  CheckKindRecord(file, "Beam");
  boxesBuilt = false;
}

void Beam::Write(BinaryFile& file) const {
  BinaryFileWriteFloat(file, beta);
  BinaryFileWriteBytes(file, releases.data(), releases.size());
}

void Beam::CopyFrom(const ElementData& other) {
  const Beam& source = SameKind(*this, other);
  beta = source.beta;
  releases = source.releases;
  boxesBuilt = false;
}

// The "Beams" list: 3 beta, then From and To of each release in turn.
std::string Beam::CellText(int column) const {
  if (column == 3) {
    std::string text = FormatAngleOrNone(beta / kDegreesPerRadian);
    TrimBlanks(text);
    return text;
  }
  if (column < 4 || column > 15) return {};
  const int release = (column - 4) / 2;
  const int end = (column - 4) % 2;
  return releases[static_cast<std::size_t>(end * 6 + release)] != 0 ? "Y" : "";
}

void Beam::FillDialog(HWND dialog) {
  if (beta != 0.0f) {
    std::string text = FormatAngleOrNone(beta / kDegreesPerRadian);
    TrimBlanks(text);
    SetDlgItemText(dialog, kBetaField, text.c_str());
  }
  for (int i = 0; i < kBeamReleaseCount; ++i)
    CheckDlgButton(dialog, kFirstReleaseBox + i, releases[static_cast<std::size_t>(i)] != 0 ? BST_CHECKED : BST_UNCHECKED);
}

BeamFrame BeamLocalFrame(const NodeTable& nodes, int startNode, int endNode, float betaDegrees, bool zVertical) {
  BeamFrame result;
  if (startNode < 1 || startNode > nodes.count || endNode < 1 || endNode > nodes.count) return result;
  LocalFrame frame;
  SetAxisFromNodes(frame, nodes, startNode, endNode, zVertical);
  result = {frame.x, frame.y, frame.z};
  if (betaDegrees == 0.0f) return result;
  const double angle = betaDegrees / 57.29577951308232;
  const double c = std::cos(angle), s = std::sin(angle);
  const Vec3 y = result.y, z = result.z;
  for (std::size_t i = 0; i < 3; ++i) {
    result.y[i] = static_cast<float>(c * y[i] + s * z[i]);
    result.z[i] = static_cast<float>(c * z[i] - s * y[i]);
  }
  return result;
}
