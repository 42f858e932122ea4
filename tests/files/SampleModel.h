// The sample model that examples/Sample.mod and the program folder's
// BigModel.mod hold: an 8-inch carbon steel line anchored at both ends, with
// a long-radius bend, a vertical restraint, one material, one pipe section
// and one pipe load. Built here in code and written by the model writer; the
// sample test checks that the committed files are exactly what this builds.
#pragma once

struct Model;

void BuildSampleModel(Model& model);
