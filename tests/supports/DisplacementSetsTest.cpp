// Specified displacements through the Layout window's "List specified
// displ" and the list's Edit: the set list and dialog template for the
// thermal-load count and the piping code, values typed into a row landing
// in their slot, the field message, OK without a change, the anchor's pipe
// axes, sets released by emptying the fields and by Delete, the slots the
// list hides kept through a dialog store; the report's text and CSV lines;
// the file's flags and values by version.
#include "loads/LoadsTesting.h"
#include "model/ListWindow.h"
#include "model/Regenerate.h"
#include "properties/SectionTestBytes.h"
#include "services/ListFrameState.h"
#include "services/TableWindow.h"
#include "supports/DisplacementSets.h"

namespace {

using namespace section_test;

class DisplacementSetsTest : public LoadsFixture {
 protected:
  static SpecifiedDisplacements& Sets(int row) { return *RowDisplacements(TheModel().row(row)); }
  static float& Value(int row, int slot, int value) {
    SpecifiedDisplacements& sets = Sets(row);
    if (!sets.sets) sets.sets = std::make_unique<DisplacementSets>();
    return sets.sets->values[static_cast<std::size_t>(6 * slot + value + 1)];
  }
  static void Give(int row, int slot, int value, float v) {
    Value(row, slot, value) = v;
    Sets(row).flags[static_cast<std::size_t>(slot)] = 1;
  }
  static void Options(int code, int thermal) {
    TheModel().options.PipingCode = code;
    TheModel().options.ThermalLoadCount = thermal;
  }
  // Opens the list from the Layout window and its entry's dialog with Edit.
  static void EditFirstEntry(const std::string& dialogName, const std::function<void(HWND)>& act) {
    RegenerateModel(TheModel());
    Layout(286);
    ASSERT_EQ(CurrentListOpener(), &OpenSpecifiedDisplacementsTable);
    SetFocus(ListTableWindow(0));
    Expect(dialogName, act);
    List(113);
  }
  static std::string Cell(int entry, int column, int line) { return SpecifiedDisplacementsCellText(entry, column, line); }
};

TEST_F(DisplacementSetsTest, SetListsAndTemplatesFollowTheCountAndTheCode) {
  const auto labels = [](int thermal, int code) {
    std::vector<std::string> shown;
    for (const DisplacementSetEntry& entry : BuildDisplacementSetList(thermal, code).entries) shown.push_back(entry.label);
    return shown;
  };
  EXPECT_EQ(labels(1, 3), (std::vector<std::string>{"T1"}));
  EXPECT_EQ(labels(1, 1), (std::vector<std::string>{"T1", "Seis"}));
  EXPECT_EQ(labels(3, 8), (std::vector<std::string>{"T1", "T2", "T3", "Seis", "Setl"}));
  EXPECT_EQ(labels(10, 21).size(), 12u);
  EXPECT_EQ(BuildDisplacementSetList(10, 21).entries.back().firstValue, 66);
  EXPECT_EQ(DisplacementSetDialogLabel("Setl"), "Settlement");
  Options(8, 10);
  EXPECT_EQ(SpecDisplDialogTemplate(), "SPEC_DISPL12_DIALOG");
  Options(1, 10);
  EXPECT_EQ(SpecDisplDialogTemplate(), "SPEC_DISPL11_DIALOG");
  Options(0, 2);
  EXPECT_EQ(SpecDisplDialogTemplate(), "SPEC_DISPL2_DIALOG");
}

TEST_F(DisplacementSetsTest, TheSettlementRowLandsInValues67To72) {
  Options(8, 3);
  Give(1, 0, 0, 0.5f);
  EditFirstEntry("SPEC_DISPL5_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Specified Displacements for Anchor at node 10");
    const char* rows[] = {"T1", "T2", "T3", "Seismic", "Settlement"};
    for (int row = 0; row < 5; ++row) EXPECT_EQ(Field(dialog, 1501 + row), rows[row]);
    EXPECT_EQ(Field(dialog, 1301), "0.5");
    EXPECT_EQ(Field(dialog, 1601), "(inch)");
    EXPECT_EQ(Field(dialog, 1604), "(deg)");
    EXPECT_TRUE(Shown(dialog, 1101));
    SetField(dialog, 1325, "-1.25");  // Settlement X
    SetField(dialog, 1330, "0.5");    // Settlement ZZ
    Press(dialog, IDOK);
  });
  const SpecifiedDisplacements& sets = Sets(1);
  EXPECT_EQ(sets.flags[kSettlementSlot], 1);
  EXPECT_EQ(sets.flags[0], 1);
  EXPECT_EQ(sets.sets->values[67], -1.25f);
  EXPECT_EQ(sets.sets->values[72], 0.5f);
  EXPECT_EQ(sets.sets->values[1], 0.5f);
  EXPECT_TRUE(TheModel().modified);
  EXPECT_EQ(g_SpecDisplStored, 1);
  // The list: five lines an entry, the settlement set on the last.
  EXPECT_EQ(Cell(1, 1, 0), "10");
  EXPECT_EQ(Cell(1, 2, 0), "Anchor");
  EXPECT_EQ(Cell(1, 3, 4), "Setl");
  EXPECT_EQ(Cell(1, 4, 4), "-1.25");
  EXPECT_EQ(Cell(1, 4, 1), "");
  EXPECT_EQ(Cell(1, 10, 0), "GCS");
  // The report: one line a thermal set, the settlement line with its values.
  const std::vector<std::string> text = Report(PrintSpecifiedDisplacements);
  ASSERT_GE(text.size(), 10u);
  EXPECT_NE(text[0].find("Specified Displacements"), std::string::npos);
  EXPECT_EQ(text[2].substr(5, 4), "Node");
  EXPECT_EQ(text[3].substr(25, 6), "(inch)");  // centred over columns 26 to 31
  const std::string& first = text[5];
  EXPECT_EQ(first.substr(5, 2), "10");
  EXPECT_EQ(first.substr(11, 6), "Anchor");
  EXPECT_EQ(first.substr(19, 2), "T1");
  EXPECT_EQ(first.substr(26, 5), "0.500");  // ends at column 31
  EXPECT_EQ(first.substr(79, 3), "GCS");
  EXPECT_EQ(text[6], std::string(19, ' ') + "T2");
  EXPECT_EQ(text[8].substr(18, 4), "Setl");
  EXPECT_EQ(text[8].substr(25, 6), "-1.250");
  EXPECT_EQ(text[8].substr(75, 2), ".5");  // ZZ ends at column 77
  const std::vector<std::string> csv = Report(PrintSpecifiedDisplacements, true);
  // The details block: the title, a rule (an empty line), the header, a
  // rule, the entry's lines (the closing rule's empty line is trimmed).
  ASSERT_EQ(csv.size(), 8u);
  EXPECT_EQ(csv[0], "Specified Displacements,");
  EXPECT_EQ(csv[1], "");
  EXPECT_EQ(csv[2], "Node,Type,Load,X/x,(inch),Y/y,(inch),Z/z,(inch),XX/xx,(deg),YY/yy,(deg),ZZ/zz,(deg),Disp. in,");
  EXPECT_EQ(csv[3], "");
  EXPECT_EQ(csv[4], "10,Anchor,T1,0.500,,,,,,GCS,");
  EXPECT_EQ(csv[5], ",,T2,");
  EXPECT_EQ(csv[6], ",,T3,");
  EXPECT_EQ(csv[7], ",,Setl,-1.250,,,,,0.5,GCS,");
}

TEST_F(DisplacementSetsTest, OneThermalLoadWithOnlyTheSeismicSetAndTheFieldMessage) {
  Options(1, 1);
  Give(1, 0, 0, 0.25f);
  EditFirstEntry("SPEC_DISPL2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1502), "Seismic");
    SetField(dialog, 1310, "abc");  // Seismic XX
    ExpectBox({"Displacement =  ABC  is invalid"});
    Press(dialog, IDOK);
    EXPECT_TRUE(IsWindowVisible(dialog));
    SetField(dialog, 1310, "");
    SetField(dialog, 1307, "2");  // Seismic X
    Press(dialog, IDOK);
  });
  EXPECT_EQ(Sets(1).flags[kSeismicSlot], 1);
  EXPECT_EQ(Sets(1).sets->values[61], 2.0f);
  EXPECT_EQ(Cell(1, 3, 1), "Seis");
  // OK without a change: no modification, nothing stored, nothing to undo.
  TheModel().modified = false;
  const int undo = UndoDepth();
  Expect("SPEC_DISPL2_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1307), "2");
    Press(dialog, IDOK);
  });
  List(113);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_EQ(g_SpecDisplStored, 0);
  EXPECT_EQ(UndoDepth(), undo);
}

TEST_F(DisplacementSetsTest, TheAnchorsPipeAxesAndTheNozzlesGlobalAxes) {
  Options(3, 1);
  Give(1, 0, 2, 1.0f);
  EditFirstEntry("SPEC_DISPL1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1113), "X");
    ClickItem(dialog, 1101);
    EXPECT_EQ(Field(dialog, 1113), "x");
    EXPECT_EQ(Field(dialog, 1118), "zz");
    Press(dialog, IDOK);
  });
  EXPECT_TRUE(RowDisplacementsInPipeLcs(TheModel().row(1)));
  EXPECT_EQ(Cell(1, 10, 0), "Pipe LCS");
  // A nozzle's values are global: no check box.
  PutItem(TheModel(), 4, DataType::Nozzle);
  Give(4, 0, 0, 3.0f);
  RegenerateModel(TheModel());
  ASSERT_EQ(TheModel().lists[RowListKind::DisplacedAnchors].count, 2);
  EXPECT_EQ(Cell(2, 2, 0), "Nozzle");
  EXPECT_EQ(Cell(2, 10, 0), "GCS");
  TheModel().currentRow = 4;  // the list opens on the nozzle's entry
  EditFirstEntry("SPEC_DISPL1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Specified Displacements for Nozzle at node 40");
    EXPECT_FALSE(Shown(dialog, 1101));
    EXPECT_EQ(Field(dialog, 1301), "3");
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(g_SpecDisplStored, 0);
}

TEST_F(DisplacementSetsTest, EmptiedFieldsAndDeleteReleaseTheSets) {
  Options(3, 1);
  PutItem(TheModel(), 4, DataType::Nozzle);
  Give(4, 0, 1, 0.75f);
  Give(1, 0, 0, 1.0f);
  EditFirstEntry("SPEC_DISPL1_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "Specified Displacements for Anchor at node 10");
    SetField(dialog, 1301, "");
    Press(dialog, IDOK);
  });
  EXPECT_FALSE(Sets(1).HasAny());
  EXPECT_EQ(Sets(1).sets, nullptr);
  EXPECT_EQ(TheModel().lists[RowListKind::DisplacedAnchors].count, 1);  // only the nozzle is left
  EXPECT_EQ(Cell(1, 2, 0), "Nozzle");
  TableGoTo(*TableOfWindow(ListTableWindow(0)), 1);
  List(126);
  EXPECT_FALSE(Sets(4).HasAny());
  EXPECT_EQ(TheModel().lists[RowListKind::DisplacedAnchors].count, 0);
  EXPECT_TRUE(TheModel().modified);
}

TEST_F(DisplacementSetsTest, HiddenSlotsSurviveTheDialogsStore) {
  Options(3, 10);
  Give(1, 6, 0, 4.0f);  // T7
  RegenerateModel(TheModel());
  const std::vector<std::string> text = Report(PrintSpecifiedDisplacements);
  ASSERT_GE(text.size(), 15u);
  for (int k = 1; k <= 10; ++k) EXPECT_NE(text[static_cast<std::size_t>(4 + k)].find("T" + std::to_string(k)), std::string::npos);
  EXPECT_EQ(text[11].substr(26, 5), "4.000");  // only the T7 line has values
  EXPECT_EQ(text[5].size(), 21u);
  Options(3, 3);  // T7 no longer shown, still held
  EXPECT_EQ(Cell(1, 3, 2), "T3");
  EXPECT_EQ(Cell(1, 4, 3), "");
  EXPECT_EQ(Sets(1).flags[6], 1);
  EditFirstEntry("SPEC_DISPL3_DIALOG", [](HWND dialog) {
    SetField(dialog, 1301, "0.1");
    Press(dialog, IDOK);
  });
  EXPECT_EQ(Sets(1).flags[6], 1);  // the store keeps the set it does not show
  EXPECT_EQ(Sets(1).sets->values[37], 4.0f);
  EXPECT_EQ(Sets(1).flags[0], 1);
  EXPECT_FLOAT_EQ(Sets(1).sets->values[1], 0.1f);
  // Emptying the rows shown keeps the hidden set, and the entry with it.
  EditFirstEntry("SPEC_DISPL3_DIALOG", [](HWND dialog) {
    SetField(dialog, 1301, "");
    Press(dialog, IDOK);
  });
  EXPECT_EQ(Sets(1).flags[0], 0);
  EXPECT_TRUE(Sets(1).HasAny());
  EXPECT_EQ(Sets(1).sets->values[37], 4.0f);
}

TEST(DisplacementSetsFile, FlagsAndValuesByVersion) {
  SpecifiedDisplacements sets;
  sets.flags[0] = sets.flags[6] = sets.flags[kSettlementSlot] = 1;
  sets.sets = std::make_unique<DisplacementSets>();
  sets.sets->values[1] = 1.5f;
  sets.sets->values[37] = 2.5f;
  sets.sets->values[72] = -3.0f;
  const ByteVector written = WrittenBytes([&](BinaryFile& f) {
    WriteDisplacementFlags(f, sets);
    WriteDisplacementValues(f, sets);
  });
  EXPECT_EQ(written.size(), 12u + 72u * 4u);
  SpecifiedDisplacements read;
  EXPECT_EQ(ReadFromBytes(written, [&](BinaryFile& f) {
              ReadDisplacementFlags(f, 900, read);
              ReadDisplacementValues(f, 900, read);
            }),
            "");
  EXPECT_EQ(read.flags, sets.flags);
  EXPECT_EQ(read.sets->values, sets.sets->values);
  // Version 690: five flags, then 30 values for T1 - T3, seismic, settlement.
  ByteEmitter old;
  old.Byte(1).Byte(0).Byte(0).Byte(0).Byte(1);
  for (int value = 1; value <= 30; ++value) old.Float(static_cast<float>(value));
  SpecifiedDisplacements converted;
  EXPECT_EQ(ReadFromBytes(old.bytes, [&](BinaryFile& f) {
              ReadDisplacementFlags(f, 690, converted);
              ReadDisplacementValues(f, 690, converted);
            }),
            "");
  EXPECT_EQ(converted.flags[0], 1);
  EXPECT_EQ(converted.flags[kSettlementSlot], 1);
  EXPECT_EQ(converted.sets->values[1], 1.0f);
  EXPECT_EQ(converted.sets->values[61], 19.0f);  // the seismic set moves to slot 10
  EXPECT_EQ(converted.sets->values[72], 30.0f);
  EXPECT_EQ(converted.sets->values[19], 0.0f);
}

}  // namespace
