// The batch file of a generated plant that the import and export benchmarks
// share: `rows` layout rows of pipe with a bend every tenth row, a
// restraint every fifth, an anchor with displacements every hundredth and a
// comment every fiftieth.
#pragma once

#include <string>

inline std::string GenerateBatchFile(int rows) {
  std::string text =
      "Generated plant\nOPTIONS\nB313\nMATERIAL\nA1,0.283,0.3\nA1,70,29.5E6,6.07E-6,20000\n"
      "A1,700,25.5E6,7.44E-6,16500\nPIPE\nS1,8.625,0.322,0.0625,12.5,11,3\nLOADS\nL1,300,150,1\nLAYOUT\n"
      "F10,KA,MA1,PS1,CL=L1\n";
  // The title row and the From row are rows 1 and 2.
  for (int row = 3; row <= rows; ++row) {
    const std::string node = "T" + std::to_string(10 * row);
    const std::string offset = row % 2 ? ",X10" : ",Z10";
    if (row % 50 == 0)
      text += "*Row " + std::to_string(row) + "\n";
    else if (row % 10 == 0)
      text += node + ",KI" + offset + ",CBTHK=0.4\n";
    else if (row % 100 == 1)
      text += node + offset + ",KA,CDIS(0.1,0,-0.2),TRAK(1000,RIGID,1000)\n";
    else if (row % 5 == 0)
      text += node + offset + ",CFY\n";
    else
      text += node + offset + "\n";
  }
  return text;
}
