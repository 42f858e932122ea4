// The sample models. examples/Sample.mod holds an 8-inch carbon steel line
// to B31.3 anchored at both ends, with a long-radius bend, a vertical
// restraint, two materials (A106 B and A53 B ERW with their full tables
// against temperature), one standard pipe section and one pipe load.
// examples/SteamLine.mod holds an insulated 6-inch steam line to B31.1 in
// A106 B. examples/BigModel.mod (the program folder's sample) is a plant's
// main pipe rack to B31.3: six lines of 6 to 16 inches, 800 ft long, with
// nested expansion loops, rack anchors, rests and guides, take-offs to
// equipment, and three thermal states per line. Built here in code and written by the model writer; the
// sample test checks that the committed files are exactly what this builds.
#pragma once

struct Model;

void BuildSampleModel(Model& model);
void BuildSteamLineModel(Model& model);
void BuildBigModel(Model& model);
