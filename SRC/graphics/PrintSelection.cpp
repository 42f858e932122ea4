// The model report of the Layout window. Until the section choice pages
// exist, the sections that can be written today print: the layout table,
// the node coordinates and the sections of the kinds that have them.
#include "graphics/PrintSelection.h"

#include "elements/KindTable.h"
#include "model/LayoutEditors.h"
#include "model/NodeList.h"
#include "shell/StandIn.h"

void PrintSelectedSections() {
  STAND_IN("the model report's section choice: the Layout, Coordinates and kind sections print");
  PrintLayout();
  PrintNodeList();
  PrintKindSections();
}
