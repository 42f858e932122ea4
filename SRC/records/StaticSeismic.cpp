// Static seismic load; see the header.
#include "records/StaticSeismic.h"

bool HasStaticSeismicLoad(const StaticSeismic& seismic) {
  return seismic.g[0] != 0.0f || seismic.g[1] != 0.0f || seismic.g[2] != 0.0f;
}
