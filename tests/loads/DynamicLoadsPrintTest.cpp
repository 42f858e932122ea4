// The dynamic loads on the printer road: the model report of a model with
// a force, a harmonic load, a time varying load on its time function and a
// force spectrum load on its force spectrum, printed through the print
// sheet to a PDF that reads back with every section, name and value; and
// the "Forces" list printed from the List window the same way.
#include <cstdlib>

#include "loads/Force.h"
#include "loads/ForceSpectrumLoad.h"
#include "loads/HarmonicLoad.h"
#include "loads/LoadsTesting.h"
#include "loads/TimeVaryingLoad.h"
#include "model/RowOperations.h"
#include "records/TimeFunction.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

class DynamicLoadsPrintTest : public LoadsFixture {
 protected:
  void SetUp() override {
    LoadsFixture::SetUp();
    g_UnitsSettings = UnitsSettings{};
    Model& model = TheModel();
    SetLastTimeFunction(model.timeFunctions, "Hammer", {{kExplicitZero, kExplicitZero}, {0.05f, 250.0f}});
    model.forceSpectra.insert(model.forceSpectra.begin(), NamedPoints{"Slug", {{1.5f, 2750.0f}}});
    auto& force = static_cast<NodalForce&>(*SetDataType(model, 3, DataType::Force));
    force.FY = -1234.0f;
    auto& harmonic = static_cast<HarmonicLoad&>(*SetDataType(model, 4, DataType::HarmonicLoad));
    harmonic.Frequency = 7.5f;
    harmonic.FX = 640.0f;
    AddRow(model, 50, ElementType::Location, 0.0f);
    auto& varying = static_cast<TimeVaryingLoad&>(*SetDataType(model, 6, DataType::TimeVaryingLoad));
    varying.Direction = 2;
    varying.TimeFunctionName = "Hammer";
    varying.ScaleFactor = 1.5f;
    AddRow(model, 60, ElementType::Location, 0.0f);
    auto& spectrum = static_cast<ForceSpectrumLoad&>(*SetDataType(model, 7, DataType::ForceSpectrumLoad));
    spectrum.Direction = 1;
    spectrum.SpectrumName = "Slug";
    spectrum.ScaleFactor = 2.0f;
    MakeModel(model);
    ShowModelWindows();
  }
  // The report of `frame` printed through its print sheet to `name`, read
  // back as text.
  std::string Print(HWND frame, const std::string& caption, const std::string& name) {
    const std::string pdf = Path(name);
    platform::ExpectModal(platform::ModalKind::PropertySheet, caption,
                          [](HWND sheet) { SendMessage(sheet, WM_COMMAND, IDOK, 0); });
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
      SetDlgItemText(dialog, edt3, pdf.c_str());
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(frame, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    const std::string command = "pdftotext -layout '" + pdf + "' '" + pdf + ".txt'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream file(pdf + ".txt");
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  }
};

TEST_F(DynamicLoadsPrintTest, TheModelReportAndTheForcesListPrintToAPdf) {
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  const std::string model = Print(LayoutFrame().window, "Print Model", "model.pdf");
  for (const char* expected : {"Forces", "-1234", "Harmonic loads", "7.5", "640", "Time varying loads", "Hammer",
                               "250", "Force spectrum loads", "Slug", "2750", "Time function = Hammer", "Force spectrum = Slug"})
    EXPECT_NE(model.find(expected), std::string::npos) << expected << "\n" << model;
  ChooseList("&Forces");
  const std::string list = Print(ListFrame().window, "Print Forces", "forces.pdf");
  EXPECT_NE(list.find("Forces"), std::string::npos) << list;
  EXPECT_NE(list.find("-1234"), std::string::npos) << list;
  EXPECT_EQ(list.find("Hammer"), std::string::npos) << list;
}

}  // namespace
