// The imports choose the load cases themselves: a new model's cases for the
// imported piping code, rebuilt for what the model holds, so none of them
// lists a case of a temperature that its number of thermal loads leaves
// out of use, whatever the file's loads and cut pipes. A batch file with a
// cut pipe and two thermal loads, the neutral sample with a cut pipe and
// one, and the CAESAR II sample with ten are read, and each list is checked
// against its count.
#include <sstream>
#include <string>
#include <vector>

#include "files/BatchTesting.h"
#include "files/CiiImport.h"
#include "files/CiiSample.h"
#include "files/NeutralImport.h"
#include "files/NeutralSamples.h"
#include "model/ModelGeometry.h"
#include "records/LoadCaseList.h"

namespace {

class ImportedLoadCasesTest : public BatchFixture {
 protected:
  static void ExpectEveryCaseInUse(const Model& model, int thermalLoads) {
    const LoadCaseList& list = model.loadCases;
    EXPECT_EQ(model.options.ThermalLoadCount, thermalLoads);
    ASSERT_GT(list.count, 0);
    EXPECT_EQ(FirstCaseBeyondThermalCount(list, model.options.ThermalLoadCount), 0);
    for (int entry = 1; entry <= list.count; ++entry) {
      const int id = list.cases[static_cast<std::size_t>(entry)];
      EXPECT_LE(ThermalLoadsNeededBy(id), thermalLoads) << id;
      EXPECT_EQ(list.selected[static_cast<std::size_t>(id)], 1) << id;
    }
  }
};

TEST_F(ImportedLoadCasesTest, NoImportListsACaseOfATemperatureOutOfUse) {
  Model batch;
  ASSERT_EQ(Import("Cold spring plant\n"
                   "OPTIONS\nB313\n"
                   "MATERIAL\nA1,0.283\nA1,70,29.5E6,6.07E-6,20000\nA1,800,24.2E6,7.65E-6,10800\n"
                   "PIPE\nS1,8.625,0.322\nLOADS\nL1,300,150,1.0,400\n"
                   "LAYOUT\nF10,KA,MA1,PS1,CL=L1\nT20,X5\nT30,JC,X5,CLONG=0.5\nT40,Z5,KA\n",
                   batch),
            "");
  EXPECT_TRUE(ModelHasCutPipe(batch));
  ExpectEveryCaseInUse(batch, 2);

  Model neutral;
  {
    std::istringstream input(kEveryKindPnf);
    std::vector<std::string> log;
    ASSERT_NO_THROW(ReadPnfFile(input, neutral, log));
  }
  ExpectEveryCaseInUse(neutral, 1);

  Model cii;
  {
    std::istringstream input(EveryKindCii().Text());
    std::vector<std::string> log;
    ASSERT_NO_THROW(ReadCiiFile(input, cii, log));
  }
  ExpectEveryCaseInUse(cii, 10);
}

}  // namespace
