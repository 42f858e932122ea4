// The "Loads" list reached from the Layout window (Misc > Loads) and the
// List window: a load typed on the spare row with Enter's defaults, the
// cell messages, Delete refusing a load in use, Copy and Paste, Insert;
// the LOAD_DIALOG opened by Edit with its messages, the pairs not in use
// kept, a rename carried into the rows after the question, and an OK
// without a change leaving nothing to undo; a Celsius cell held to the
// rule as it stores.
#include "loads/LoadsTesting.h"
#include "loads/PipeLoadDialog.h"
#include "loads/PipeLoadsTable.h"
#include "model/ListWindow.h"
#include "records/BeamLoad.h"
#include "records/PipeLoad.h"
#include "services/NumberText.h"
#include "services/Units.h"

namespace {

class PipeLoadsListTest : public LoadsFixture {
 protected:
  static PipeLoadsTable& Table() { return ThePipeLoadsTable(); }
  static ModelRecordTable<PipeLoad>& Loads() { return TheModel().pipeLoads; }
  static void Focus() {
    SetFocus(Table().Window());
    platform::RunUntilIdle();
  }
  static void Type(const std::string& text) {
    platform::TestTypeText(text);
    platform::RunUntilIdle();
  }
  static void Key(UINT key) {
    platform::TestKeyPress(key);
    platform::RunUntilIdle();
  }
  // Replaces the text of the current cell, as the user erases and types.
  static void Retype(const std::string& text) {
    Key(VK_END);
    for (int i = 0; i < 12; ++i) platform::TestKeyPress(VK_BACK);
    Type(text);
  }
  void OpenList() {
    Layout(190);
    ASSERT_EQ(CurrentListOpener(), &OpenPipeLoadsTable);
    Focus();
  }
};

TEST_F(PipeLoadsListTest, ANewLoadOnTheSpareRowTakesEntersDefaults) {
  OpenList();
  EXPECT_EQ(Table().rowCount, 2);  // L1 and the spare row
  EXPECT_EQ(Table().CellText(1, 1, 0), "L1");
  EXPECT_EQ(Table().widths[4], 0);  // T2 is not in use
  EXPECT_GT(Table().widths[2], 0);
  Key(VK_DOWN);
  Type("l2");
  Key(VK_TAB);
  Type("400");
  Key(VK_RETURN);
  ASSERT_EQ(Loads().count, 2);
  const PipeLoad& made = Loads()[2];
  EXPECT_EQ(made.name, "L2");  // typed names are upper case
  EXPECT_EQ(made.operating[0].temperature, 400.0f);
  EXPECT_TRUE(IsExplicitZero(made.operating[0].pressure));
  EXPECT_EQ(made.designTemperature, 400.0f);
  EXPECT_EQ(made.wind, 1);
  EXPECT_EQ(Table().rowCount, 3);
  EXPECT_EQ(Table().currentRow, 3);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_TRUE(CanUndo());
  // A name another load has, a space and a design value below T1.
  Type("l 1");
  Key(VK_TAB);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "Load =  L1  is already defined");
  Key(VK_ESCAPE);
  Key(VK_UP);
  TableSetColumn(Table(), 22);
  Retype("300");
  Key(VK_RETURN);
  EXPECT_EQ(messages.back(), "Design Temperature should be >= all Operating Temperatures");
  EXPECT_EQ(Loads()[2].designTemperature, 400.0f);
  Key(VK_ESCAPE);
  // Enter with no name on the spare row names the column.
  Key(VK_DOWN);
  TableSetColumn(Table(), 2);
  Key(VK_RETURN);
  EXPECT_EQ(messages.back(), "Name is required");
  EXPECT_EQ(Loads().count, 2);
}

// Below absolute zero (-460 F) a load's cell refuses as the readers do.
TEST_F(PipeLoadsListTest, NoLoadTemperatureBelowAbsoluteZero) {
  OpenList();
  TableSetColumn(Table(), 2);
  for (const char* text : {"-1E36", "-461"}) {
    Retype(text);
    Key(VK_RETURN);
    ASSERT_FALSE(messages.empty()) << text;
    EXPECT_EQ(messages.back(), std::string("Temperature =  ") + text + "  is invalid");
    Key(VK_ESCAPE);
  }
  Retype("-460");
  Key(VK_RETURN);
  EXPECT_EQ(Loads()[1].operating[0].temperature, -460.0f);
}

// In Celsius the rule of a stored value is asked of the Fahrenheit value
// the cell stores: 6E37 C is 1.08E38 F, which a model file may not hold
// (it was once stored, saved, then refused by Open).
TEST_F(PipeLoadsListTest, ACelsiusTemperatureKeepsTheRuleAsItIsStored) {
  g_UnitsSettings.unit[kUnitTemperature] = kTemperatureCelsius;
  OpenList();
  const float before = Loads()[1].operating[0].temperature;
  TableSetColumn(Table(), 2);
  Retype("6E37");
  Key(VK_RETURN);
  EXPECT_EQ(messages, std::vector<std::string>{"Temperature =  6E37  is invalid"});
  EXPECT_EQ(Loads()[1].operating[0].temperature, before);
  Key(VK_ESCAPE);
  g_UnitsSettings.unit[kUnitTemperature] = 0;
}

TEST_F(PipeLoadsListTest, DeleteRefusesALoadInUseCopyPasteAndInsert) {
  PipeLoad hot;
  InitPipeLoad(hot, 70.0f);
  hot.name = "HOT";
  hot.operating[0] = {650.0f, 300.0f};
  hot.designTemperature = 700.0f;
  hot.designPressure = 350.0f;
  hot.specificGravity = 0.9f;
  AppendPipeLoad(Loads(), hot);
  OpenList();
  ExpectBox({"Load L1 is in use, it cannot be deleted"});
  List(126);
  EXPECT_EQ(Loads().count, 2);
  // Copy HOT, paste onto L1: every value but the name.
  TableGoTo(Table(), 2);
  List(363);
  TableGoTo(Table(), 1);
  List(364);
  EXPECT_EQ(Loads()[1].name, "L1");
  EXPECT_EQ(Loads()[1].operating[0].temperature, 650.0f);
  EXPECT_EQ(Loads()[1].designPressure, 350.0f);
  EXPECT_FLOAT_EQ(Loads()[1].specificGravity, 0.9f);
  // HOT is used by no row and goes.
  TableGoTo(Table(), 2);
  List(126);
  ASSERT_EQ(Loads().count, 1);
  EXPECT_EQ(Table().rowCount, 2);
  // Insert puts a new record before a named one, named by the first free
  // number: a nameless one would be saved and reopen as a load no row names.
  TableGoTo(Table(), 1);
  List(128);
  ASSERT_EQ(Loads().count, 2);
  EXPECT_EQ(Loads()[1].name, "L2");
  EXPECT_EQ(Loads()[2].name, "L1");
  // Delete on the spare row clears only that row.
  TableGoTo(Table(), 3);
  List(126);
  EXPECT_EQ(Loads().count, 2);
}

// Copy keeps the values of the line copied: a Delete or an Insert before
// the Paste moves the records, never what is pasted.
TEST_F(PipeLoadsListTest, PasteGivesTheValuesCopiedAfterRecordsMove) {
  for (int t = 2; t <= 4; ++t) {
    PipeLoad load;
    InitPipeLoad(load, 70.0f);
    load.name = "L" + std::to_string(t);
    load.operating[0] = {100.0f * static_cast<float>(t), 10.0f * static_cast<float>(t)};
    AppendPipeLoad(Loads(), load);
  }
  OpenList();
  TableGoTo(Table(), 3);
  List(363);
  TableGoTo(Table(), 2);
  List(126);  // L2 goes; L3 moves up to line 2
  ASSERT_EQ(Loads()[2].name, "L3");
  TableGoTo(Table(), 1);
  List(364);
  EXPECT_EQ(Loads()[1].operating[0].temperature, 300.0f);
  EXPECT_EQ(Loads()[1].operating[0].pressure, 30.0f);
  TableGoTo(Table(), 2);
  List(363);
  List(128);  // an empty record above L3; L3 moves down to line 3
  TableGoTo(Table(), 4);
  ASSERT_EQ(Loads()[4].name, "L4");
  List(364);
  EXPECT_EQ(Loads()[4].operating[0].temperature, 300.0f);
}

// A temperature stored with Enter, then Insert and Delete from the List
// menu: three steps, each taken back by its own Undo.
TEST_F(PipeLoadsListTest, AStoredKeyAndEachListCommandAfterItAreStepsOfTheirOwn) {
  OpenList();
  TableSetColumn(Table(), 2);
  Retype("300");
  Key(VK_RETURN);
  ASSERT_EQ(UndoDepth(), 1);
  TableGoTo(Table(), 1);
  List(128);
  ASSERT_EQ(Loads().count, 2);
  List(126);
  ASSERT_EQ(Loads().count, 1);
  EXPECT_EQ(UndoDepth(), 3);
  List(40050);
  EXPECT_EQ(Loads().count, 2);
  List(40050);
  EXPECT_EQ(Loads().count, 1);
  EXPECT_EQ(Loads()[1].operating[0].temperature, 300.0f);
  List(40050);
  EXPECT_EQ(Loads()[1].operating[0].temperature, 70.0f);
}

TEST_F(PipeLoadsListTest, LoadDialogChecksInOrderAndRenamesAfterTheQuestion) {
  BeamLoad beam;
  beam.name = "B1";
  AppendBeamLoad(TheModel().beamLoads, beam);
  Loads()[1].operating[1] = {500.0f, 50.0f};  // a pair the count leaves unused
  OpenList();
  Expect("LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Load # 1");
    EXPECT_EQ(Field(dialog, kLoadNameField), "L1");
    EXPECT_EQ(Field(dialog, kLoadFirstTemperature), "70");
    EXPECT_EQ(Field(dialog, kLoadFirstPressure), "0");
    EXPECT_FALSE(Enabled(dialog, kLoadFirstTemperature + 1));
    EXPECT_TRUE(Checked(dialog, kLoadWindCheck));
    EXPECT_EQ(Field(dialog, 1601), "(F)");
    const std::pair<std::string, std::string> refusals[] = {
        {"", "Name is required"},
        {"A B", "Name =  A B  should be alpha numeric"},
        {"B1", "Load =  B1  is already defined as a beam load"},
    };
    for (const auto& [name, message] : refusals) {
      SetField(dialog, kLoadNameField, name);
      ExpectBox({message});
      Press(dialog, IDOK);
    }
    SetField(dialog, kLoadNameField, "STEAM");
    SetField(dialog, kLoadSpecificGravity, "-1");
    ExpectBox({"Specific gravity =  -1  should not be negative"});
    Press(dialog, IDOK);
    SetField(dialog, kLoadSpecificGravity, "1.05");
    SetField(dialog, kLoadFirstTemperature, "300");
    SetField(dialog, kLoadFirstPressure, "x");
    ExpectBox({"Pressure =  X  is invalid"});
    Press(dialog, IDOK);
    SetField(dialog, kLoadFirstPressure, "150");
    SetField(dialog, kLoadDesignTemperature, "200");
    SetField(dialog, kLoadDesignPressure, "200");
    ExpectBox({"Design Temperature should be >= all Operating Temperatures"});
    Press(dialog, IDOK);
    SetField(dialog, kLoadDesignTemperature, "350");
    SetField(dialog, kLoadDesignPressure, "100");
    ExpectBox({"Design Pressure should be >= all Operating Pressures"});
    Press(dialog, IDOK);
    SetField(dialog, kLoadDesignPressure, "");
    SetField(dialog, kLoadDesignPressure, "160");
    // No keeps the dialog with the old name; Yes renames every row.
    ExpectBox({"Do you want to change Load name", "from  \"L1\"  to  \"STEAM\" ?"}, IDCANCEL);
    Press(dialog, IDOK);
    EXPECT_EQ(Field(dialog, kLoadNameField), "L1");
    SetField(dialog, kLoadNameField, "STEAM");
    ExpectBox({"Do you want to change Load name", "from  \"L1\"  to  \"STEAM\" ?"}, IDOK);
    Press(dialog, IDOK);
  });
  List(113);
  const PipeLoad& load = Loads()[1];
  EXPECT_EQ(load.name, "STEAM");
  EXPECT_EQ(TheModel().row(2).load, "STEAM");
  EXPECT_EQ(load.operating[0].temperature, 300.0f);
  EXPECT_EQ(load.operating[0].pressure, 150.0f);
  // Not in use, yet kept: raising the number of thermal loads finds it again.
  EXPECT_EQ(load.operating[1].temperature, 500.0f);
  EXPECT_EQ(load.operating[1].pressure, 50.0f);
  EXPECT_FLOAT_EQ(load.specificGravity, 1.05f);
  EXPECT_EQ(load.designTemperature, 350.0f);
  EXPECT_TRUE(TheModel().modified);
  // OK without a change: nothing stored, nothing to undo.
  TheModel().modified = false;
  const int undo = UndoDepth();
  Expect("LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, kLoadSpecificGravity), "1.05");
    Press(dialog, IDOK);
  });
  Focus();
  List(113);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(UndoDepth(), undo);
}

TEST_F(PipeLoadsListTest, TheDialogOnTheSpareRowMakesTheRecordAndResultsModeOnlyShows) {
  OpenList();
  TableGoTo(Table(), 2);
  Expect("LOAD_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Load # 2");
    SetField(dialog, kLoadNameField, "cold");
    SetField(dialog, kLoadFirstTemperature, "-20");
    SetField(dialog, kLoadDesignTemperature, "70");
    Press(dialog, IDOK);
  });
  List(113);
  ASSERT_EQ(Loads().count, 2);
  EXPECT_EQ(Loads()[2].name, "cold");  // dialog names keep their case
  EXPECT_EQ(Loads()[2].operating[0].temperature, -20.0f);
  SetTableResultsShown(true);
  TheModel().modified = false;
  Expect("LOAD_DIALOG", [](HWND dialog) {
    EXPECT_FALSE(Enabled(dialog, kLoadWindCheck));
    SetField(dialog, kLoadNameField, "OTHER");
    Press(dialog, IDOK);
  });
  Focus();
  TableGoTo(Table(), 1);
  List(113);
  SetTableResultsShown(false);
  EXPECT_EQ(Loads()[1].name, "L1");
  EXPECT_FALSE(TheModel().modified);
}

}  // namespace
