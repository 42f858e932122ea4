// The elastic element's record and copy; see the header.
#include "elements/ElasticElement.h"

#include "kindbase/KindRecord.h"
#include "services/BinaryFile.h"

namespace {

// Calls `visit` on the twelve values in their file order.
template <typename Element, typename Visit>
void ForEachValue(Element& e, Visit visit) {
  for (auto* value : {&e.kx, &e.ky, &e.kz, &e.kxx, &e.kyy, &e.kzz}) visit(*value);
  for (auto& value : e.localX) visit(value);
  for (auto& value : e.localY) visit(value);
}

}  // namespace

void ElasticElement::Read(BinaryFile& file) {
  ForEachValue(*this, [&file](float& value) { BinaryFileReadFloat(file, value); });
  CheckKindRecord(file, "Elastic element");
}

void ElasticElement::Write(BinaryFile& file) const {
  ForEachValue(*this, [&file](const float& value) { BinaryFileWriteFloat(file, value); });
}

void ElasticElement::CopyFrom(const ElementData& other) {
  const ElasticElement& source = SameKind(*this, other);
  kx = source.kx;
  ky = source.ky;
  kz = source.kz;
  kxx = source.kxx;
  kyy = source.kyy;
  kzz = source.kzz;
  for (int i = 0; i < 3; ++i) {
    localX[i] = source.localX[i];
    localY[i] = source.localY[i];
  }
}
