// The sample models. examples/Sample.mod and the program folder's
// BigModel.mod hold an 8-inch carbon steel line to B31.3 anchored at both
// ends, with a long-radius bend, a vertical restraint, two materials (A106 B
// and A53 B ERW with their full tables against temperature), one standard
// pipe section and one pipe load. examples/SteamLine.mod holds an insulated
// 6-inch steam line to B31.1 in A106 B. Built here in code and written by the model writer; the
// sample test checks that the committed files are exactly what this builds.
#pragma once

struct Model;

void BuildSampleModel(Model& model);
void BuildSteamLineModel(Model& model);
