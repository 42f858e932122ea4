// The model report of the Layout window. Until the section choice pages
// exist, the sections that can be written today print: the layout table,
// the node coordinates, the pipe materials and sections, and the sections
// of the kinds that have them.
#include "graphics/PrintSelection.h"

#include "elements/KindTable.h"
#include "model/LayoutEditors.h"
#include "model/NodeList.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "shell/StandIn.h"

void PrintSelectedSections() {
  STAND_IN("the model report's section choice: the Layout, Coordinates, materials, sections and kind sections print");
  PrintLayout();
  PrintNodeList();
  PrintMaterials();
  PrintSections();
  PrintKindSections();
}
