// The ASME B31J stress intensification factors of branch connections
// (B31J-2017 Table 1-1 fitted formulas), used with the "Use B31J" option
// in place of a code's own branch rules: the in-plane, out-of-plane and
// torsional SIF of the branch end and of the run ends of a welding tee,
// reinforced or unreinforced fabricated tee, extruded tee, sweepolet or
// weldolet, each capped by the bounds of the unreinforced fabricated tee.
//
// Pure functions of the geometry: header (run) wall T and OD D, branch
// wall t and OD d; R = (D - T)/2, r = (d - t)/2, beta = r/R, gamma = R/T,
// tau = t/T. A geometry outside the range of the formulas (R/T above 50,
// beta above 1, r/t above 50), another type, or a tee with tau above 1.2
// where the formulas stop, leaves the factors as they were passed in.
#pragma once

struct BranchGeometry {
  double T = 0.0, D = 0.0;  // header wall and OD
  double t = 0.0, d = 0.0;  // branch wall and OD
  int type = 0;             // branch type 1 .. 6
  double dimension1 = 0.0;  // pad thickness (type 2) or crotch radius (type 4)
};

struct SifTriple {
  double inPlane = 1.0;
  double outPlane = 1.0;
  double torsion = 1.0;
};

// The ratios of the formulas: R = (D - T)/2, r = (d - t)/2, beta = r/R
// (computed as 2r/2R), gamma = R/T, tau = t/T.
struct BranchRatios {
  double R = 0.0, r = 0.0, beta = 0.0, gamma = 0.0, tau = 0.0;
};
BranchRatios RatiosOf(const BranchGeometry& g);
// R/T at most 50, r/R at most 1, r/t at most 50.
bool B31jGeometryInRange(const BranchGeometry& g);
// The branch side; factors left alone when the rule stops.
void B31jBranchSif(const BranchGeometry& g, SifTriple& sif);
// The run side: the torsional SIF is first set to 1.0001.
void B31jRunSif(const BranchGeometry& g, SifTriple& sif);
