// The load-case list of a model rebuilt for what the model holds: which
// thermal loads, settlements, hydrotest, wind, seismic and dynamic loads
// decide which cases are offered (records/LoadCaseList.h holds the list and
// the rebuild itself).
#pragma once

#include "records/LoadCaseList.h"

struct Model;

// What the rebuild and the load-case dialog read of the model.
LoadCaseInputs LoadCaseInputsOf(const Model& model);
// The rebuild of the open model: nothing while results are shown; the
// model's items are recounted first.
void BuildLoadCases(Model& model);
