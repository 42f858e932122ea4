// The model report of the Layout window. Until the section choice pages
// exist, the sections that can be written today print: the layout table
// and the node coordinates, the loads and the specified displacements.
#include "graphics/PrintSelection.h"

#include "loads/LoadsReport.h"
#include "model/LayoutEditors.h"
#include "model/NodeList.h"
#include "shell/StandIn.h"
#include "supports/DisplacementSets.h"

void PrintSelectedSections() {
  STAND_IN("the model report's section choice: the Layout, Coordinates, loads and specified displacement sections print");
  PrintLayout();
  PrintNodeList();
  PrintModelLoads();
  PrintSpecifiedDisplacements();
}
