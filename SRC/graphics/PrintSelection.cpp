// The model report of the Layout window. Until the section choice pages
// exist, the sections that can be written today print: the layout table,
// the node coordinates, the pipe materials, sections and soils, the loads, the
// specified displacements and the sections of the kinds that have them.
#include "graphics/PrintSelection.h"

#include "elements/KindTable.h"
#include "loads/LoadsReport.h"
#include "model/LayoutEditors.h"
#include "model/NodeList.h"
#include "model/RevisionRecordDialog.h"
#include "model/WeightAndCg.h"
#include "shell/TableWindowSupport.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "properties/SoilsTable.h"
#include "shell/StandIn.h"
#include "supports/DisplacementSets.h"

void PrintSelectedSections() {
  STAND_IN("the model report's section choice: the revision record, the Layout, Coordinates, materials, sections, "
           "soils, loads, specified displacements, kind sections and, with results, the weight summary print");
  PrintRevisionRecord();
  PrintLayout();
  PrintNodeList();
  PrintMaterials();
  PrintSections();
  PrintSoils();
  PrintModelLoads();
  PrintSpecifiedDisplacements();
  PrintKindSections();
  if (TableResultsShown()) PrintWeightAndCg();
}
