// The analysis options sheet through the Layout window's Options > Analysis:
// the load-case list rebuilt after the thermal-load count becomes 10, 2, 3
// and 1 (the cases beyond the count cleared, the not-given pipe-load values
// filled) and after the code becomes "None"; a cut pipe added and removed;
// the pages' code-dependent controls and their messages; Cancel changing
// nothing; the page keys; the code list's positions.
#include "analysis/AnalysisOptionsSheet.h"
#include "loads/LoadsTesting.h"
#include "platform/Menu.h"
#include "platform/PropertySheet.h"
#include "platform/SheetKeysTesting.h"
#include "records/LoadCaseList.h"
#include "services/NameTables.h"
#include "services/NumberText.h"

namespace {

class AnalysisOptionsSheetTest : public LoadsFixture {
 protected:
  void SetUp() override {
    LoadsFixture::SetUp();
    OptionsStartPage() = 0;
  }
  void TearDown() override {
    ProgramAnalysisOptions() = AnalysisOptions();  // the sheet made its options the program's
    LoadsFixture::TearDown();
  }
  // Runs the sheet; `act` works on it (and closes it).
  static void RunSheet(const std::function<void(HWND)>& act) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Analysis Options", act);
    Layout(259);
  }
  static HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
  static HWND GoTo(HWND sheet, int index) {
    EXPECT_TRUE(SendMessage(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0));
    return Page(sheet);
  }
  static void ChooseCode(HWND page, int position) {
    SendDlgItemMessage(page, 1201, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessage(page, WM_COMMAND, MAKEWPARAM(1201, CBN_SELENDOK), 0);
  }
  static void SetThermalCount(int count) {
    RunSheet([count](HWND sheet) {
      HWND page = GoTo(sheet, 1);
      ClickItem(page, count == 10 ? 1404 : 1400 + count);
      Press(sheet, IDOK);
    });
  }
  static std::vector<int> Cases() {
    const LoadCaseList& list = TheModel().loadCases;
    return std::vector<int>(list.cases.begin() + 1, list.cases.begin() + 1 + list.count);
  }
  static void SelectAll() {
    for (int id = 0; id < kLoadCaseTypeCount; ++id)
      TheModel().loadCases.selected[static_cast<std::size_t>(id)] = IsSelectableLoadCase(id) ? 1 : 0;
  }
  static void MakeCutPipe(int row, bool cut) {
    Model& model = TheModel();
    const ElementType type = cut ? ElementType::CutPipe : ElementType::Pipe;
    model.row(row).elementType = type;
    model.row(row).element = CreateElementData(type);
  }
  static void OpenLoadsMenu() {
    HMENU loads = GetSubMenu(LayoutFrame().menu, 4);
    SendMessage(LayoutFrame().window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(loads), 4);
  }
};

TEST_F(AnalysisOptionsSheetTest, TheListIsRebuiltForTenTwoThreeAndOneThermalLoads) {
  MakeCutPipe(3, true);
  SelectAll();
  TheModel().pipeLoads[1].operating[5] = {0.0f, 0.0f};
  SetThermalCount(10);
  EXPECT_EQ(TheModel().options.ThermalLoadCount, 10);
  EXPECT_EQ(ProgramAnalysisOptions().ThermalLoadCount, 10);  // a new model's default
  EXPECT_EQ(Cases().size(), 89u);
  EXPECT_EQ(Cases().back(), 99);
  EXPECT_EQ(TheModel().pipeLoads[1].operating[5].temperature, 70.0f);  // filled when the count changed
  EXPECT_TRUE(IsExplicitZero(TheModel().pipeLoads[1].operating[5].pressure));
  EXPECT_TRUE(TheModel().modified);
  SetThermalCount(2);
  EXPECT_EQ(Cases(), (std::vector<int>{124, 1, 8, 9, 2, 3, 5, 14, 15, 16, 30}));
  SetThermalCount(3);  // raising the count brings no case back
  EXPECT_EQ(Cases(), (std::vector<int>{124, 1, 8, 9, 2, 3, 5, 14, 15, 16, 30}));
  SetThermalCount(1);
  EXPECT_EQ(Cases(), (std::vector<int>{124, 1, 8, 2, 14, 15, 30}));
  EXPECT_EQ(TheModel().options.ThermalLoadCount, 1);
}

TEST_F(AnalysisOptionsSheetTest, NoPipingCodeLeavesTheStaticAnalysisAndOneThermalLoad) {
  SelectAll();
  TheModel().options.ThermalLoadCount = 3;
  RunSheet([](HWND sheet) {
    HWND code = Page(sheet);
    ChooseCode(code, 0);
    EXPECT_FALSE(Shown(code, 1101));  // axial force
    EXPECT_FALSE(Shown(code, 1102));  // liberal allowable
    EXPECT_FALSE(Shown(code, 1103));  // B31J
    HWND temperature = GoTo(sheet, 1);
    EXPECT_FALSE(Shown(temperature, 1302));  // no thermal cycles
    EXPECT_FALSE(Shown(temperature, 1404));  // nor thermal loads
    HWND pressure = GoTo(sheet, 2);
    EXPECT_FALSE(Shown(pressure, 1301));  // nor a peak pressure factor
    Press(sheet, IDOK);
  });
  EXPECT_EQ(TheModel().options.PipingCode, 0);
  EXPECT_EQ(TheModel().options.ThermalLoadCount, 1);
  EXPECT_EQ(TheModel().options.IncludeAxialForce, 1);
  EXPECT_EQ(Cases(), (std::vector<int>{32, 30}));
}

TEST_F(AnalysisOptionsSheetTest, ACutPipeAddedAndRemovedBringsAndDropsTheColdSpringCases) {
  TheModel().loadCases.selected[14] = TheModel().loadCases.selected[15] = 1;
  OpenLoadsMenu();
  EXPECT_EQ(Cases(), (std::vector<int>{124, 1, 8, 2}));
  MakeCutPipe(3, true);
  TheModel().loadCases.selected[14] = TheModel().loadCases.selected[15] = 1;
  OpenLoadsMenu();
  EXPECT_EQ(Cases(), (std::vector<int>{124, 1, 8, 2, 14, 15}));
  MakeCutPipe(3, false);
  OpenLoadsMenu();
  EXPECT_EQ(Cases(), (std::vector<int>{124, 1, 8, 2}));
}

TEST_F(AnalysisOptionsSheetTest, CodePageFollowsTheCodeAndRefusesASmallOccasionalFactor) {
  RunSheet([](HWND sheet) {
    HWND page = Page(sheet);
    EXPECT_EQ(SendDlgItemMessage(page, 1201, CB_GETCURSEL, 0, 0), 3);  // B31.3 (2016)
    ChooseCode(page, 6);  // B31.8: liberal and axial fixed on, the design factor shown
    EXPECT_TRUE(Checked(page, 1102));
    EXPECT_FALSE(Enabled(page, 1102));
    EXPECT_TRUE(Checked(page, 1101));
    EXPECT_FALSE(Enabled(page, 1101));
    EXPECT_TRUE(Shown(page, 1202));
    ChooseCode(page, 1);  // B31.1 (2016): both free and clear
    EXPECT_TRUE(Enabled(page, 1102));
    EXPECT_FALSE(Checked(page, 1102));
    EXPECT_TRUE(Enabled(page, 1101));
    EXPECT_FALSE(Checked(page, 1101));
    EXPECT_FALSE(Shown(page, 1202));
    ChooseCode(page, 23);  // EN 13480: the occasional load factor
    EXPECT_TRUE(Shown(page, 1119));
    EXPECT_EQ(Field(page, 1119), "1.20");
    SetField(page, 1119, "0.9");
    ExpectBox({"Seismic coefficient should be >= 1.0"});
    EXPECT_FALSE(SendMessage(sheet, PSM_SETCURSEL, 1, 0));
    SetField(page, 1119, "1.3");
    GoTo(sheet, 1);  // leaving the page takes the factor
    page = GoTo(sheet, 0);
    ChooseCode(page, 12);  // ASME Class 2 (2017): a service level
    EXPECT_TRUE(Shown(page, 1203));
    EXPECT_EQ(Field(page, 1503), "Equation 9 Level");
    SendDlgItemMessage(page, 1203, CB_SETCURSEL, 2, 0);
    Press(sheet, IDOK);
  });
  const AnalysisOptions& options = TheModel().options;
  EXPECT_EQ(options.PipingCode, 101);
  EXPECT_EQ(options.ServiceLevel, 2);
  EXPECT_FLOAT_EQ(options.OccasionalLoadFactor, 1.3f);
}

TEST_F(AnalysisOptionsSheetTest, PressureDynamicsAndMiscPagesBringValuesIntoRange) {
  TheModel().options.PipingCode = 4;  // B31.4
  RunSheet([](HWND sheet) {
    HWND pressure = GoTo(sheet, 2);
    EXPECT_EQ(Field(pressure, 1301), "1.00");
    SetField(pressure, 1301, "0.5");
    ExpectBox({"Peak pressure factor =  0.5  should not be less than 1.0"});
    EXPECT_FALSE(SendMessage(sheet, PSM_SETCURSEL, 3, 0));
    SetField(pressure, 1301, "1.2");
    ExpectBox({"Peak pressure factor > 1.10"});
    HWND dynamics = GoTo(sheet, 3);
    SetField(dynamics, 1301, "");
    SetField(dynamics, 1302, "");
    HWND misc = GoTo(sheet, 4);
    EXPECT_FALSE(Enabled(misc, 1100));
    ExpectBox({"Changing this will affect the convergence.",
               "Refer the Chapter Buried Piping from QUORVEL Manual for more details.", "Really want to change?"},
              IDOK);
    Press(misc, 1099);
    EXPECT_TRUE(Enabled(misc, 1100));
    SetField(misc, 1100, "0.01");
    ExpectBox({"Yield displacement factor cannot be < 0.04. ", "i.e., Yield displacement cannot be < OD/25"});
    GoTo(sheet, 0);
    EXPECT_EQ(OptionsStartPage(), 0);
    Press(sheet, IDOK);
  });
  const AnalysisOptions& options = TheModel().options;
  EXPECT_FLOAT_EQ(options.PeakPressureFactor, 1.2f);
  EXPECT_EQ(options.CutOffFrequency, 33);
  EXPECT_EQ(options.ModeCount, 20);
  EXPECT_FLOAT_EQ(options.YieldDisplacementFactor, 0.04f);
  EXPECT_EQ(options.IncludeAxialForce, 1);  // B31.4 includes the axial force
}

TEST_F(AnalysisOptionsSheetTest, CancelChangesNothingAndTheStartPageIsKept) {
  TheModel().options.IncludeAxialForce = 1;  // as B31.3 has it
  const AnalysisOptions before = TheModel().options;
  RunSheet([](HWND sheet) {
    HWND temperature = GoTo(sheet, 1);
    SetField(temperature, 1301, "abc");
    ExpectBox({"Temperature =  ABC  is invalid"});
    EXPECT_FALSE(SendMessage(sheet, PSM_SETCURSEL, 2, 0));
    // New loads start at the reference temperature: it keeps their rule.
    SetField(temperature, 1301, "-461");
    ExpectBox({"Temperature =  -461  is invalid"});
    EXPECT_FALSE(SendMessage(sheet, PSM_SETCURSEL, 2, 0));
    SetField(temperature, 1301, "100");
    ClickItem(temperature, 1404);
    Press(sheet, IDCANCEL);
  });
  EXPECT_EQ(TheModel().options.ThermalLoadCount, before.ThermalLoadCount);
  EXPECT_EQ(TheModel().options.ReferenceTemperature, before.ReferenceTemperature);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
  EXPECT_EQ(OptionsStartPage(), 1);
  RunSheet([](HWND sheet) {
    EXPECT_EQ(Field(Page(sheet), 1301), "70");  // the Temperature page again
    Press(sheet, IDOK);
  });
  EXPECT_FALSE(TheModel().modified);  // OK without a change
  EXPECT_FALSE(CanUndo());
}

// The page keys walk the five pages round and back, each page becoming
// the start page as a click on its tab makes it; a page that refuses its
// values keeps the sheet on it.
TEST_F(AnalysisOptionsSheetTest, ThePageKeysWalkThePagesAndLeavingChecksEachPage) {
  SheetPageWalk walk;
  std::vector<int> startPages;
  RunSheet([&](HWND sheet) {
    auto note = [&](UINT key, bool shift) {
      walk.Press(sheet, key, shift);
      startPages.push_back(OptionsStartPage());
    };
    for (int step = 0; step < 5; ++step) note(VK_TAB, false);  // round to the Code page
    note(VK_PRIOR, false);
    note(VK_TAB, true);
    note(VK_NEXT, false);
    note(VK_NEXT, false);
    note(VK_NEXT, false);  // the Temperature page
    HWND temperature = SheetPage(sheet);
    SetField(temperature, 1301, "abc");
    ExpectBox({"Temperature =  ABC  is invalid"});
    PressSheetKey(sheet, VK_NEXT);
    EXPECT_EQ(SheetPageIndex(sheet), 1);
    EXPECT_EQ(GetFocus(), GetDlgItem(temperature, 1301));
    SetField(temperature, 1301, "100");
    PressSheetKey(sheet, VK_NEXT);
    EXPECT_EQ(SheetPageIndex(sheet), 2);
    Press(sheet, IDOK);
  });
  EXPECT_EQ(walk.pages, (std::vector<int>{1, 2, 3, 4, 0, 4, 3, 4, 0, 1}));
  EXPECT_EQ(startPages, walk.pages);
  EXPECT_TRUE(walk.keyboardInPages);
  EXPECT_EQ(OptionsStartPage(), 2);
  EXPECT_FLOAT_EQ(TheModel().options.ReferenceTemperature, 100.0f);
}

TEST(PipingCodeList, PositionsOfTheTwentyFiveCodes) {
  EXPECT_EQ(CodeListPosition(0), 0);
  EXPECT_EQ(CodeListPosition(11), 11);
  EXPECT_EQ(CodeListPosition(101), 12);
  EXPECT_EQ(CodeListPosition(201), 13);
  EXPECT_EQ(CodeListPosition(12), 14);
  EXPECT_EQ(CodeListPosition(22), 24);
  EXPECT_EQ(CodeListPosition(23), -1);
  for (int position = 0; position < kPipingCodeCount; ++position)
    EXPECT_EQ(CodeListPosition(CodeAtListPosition(position)), position);
}

}  // namespace
