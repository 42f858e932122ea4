// The model report of the Layout window. Until the section choice pages
// exist, the sections that can be written today print: the layout table
// and the node coordinates.
#include "graphics/PrintSelection.h"

#include "model/LayoutEditors.h"
#include "model/NodeList.h"
#include "shell/StandIn.h"

void PrintSelectedSections() {
  STAND_IN("the model report's section choice: the Layout and Coordinates sections print");
  PrintLayout();
  PrintNodeList();
}
