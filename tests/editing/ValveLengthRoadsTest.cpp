// A valve's length and its row's offsets agree on every road: the valve
// dialog answered OK untouched leaves the offsets (its length shown
// rounded is no change), and the offsets dialog gives the valve the
// length of the new offsets, as the Layout's Enter does.
#include "elements/Valve.h"
#include "model/LayoutTesting.h"

namespace {

class ValveLengthRoadsTest : public LayoutFixture {
 protected:
  void Open(int column, const char* name, platform::ModalAction action) {
    platform::ExpectModal(platform::ModalKind::Dialog, name, std::move(action));
    TableGoTo(table(), 4);
    table().currentColumn = column;
    table().DoubleClick();
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
  const Valve& ValveOfRow() { return static_cast<const Valve&>(*row(4).element); }
};

TEST_F(ValveLengthRoadsTest, AnUntouchedValveLeavesTheOffsetsAndNewOffsetsGiveTheValveTheirLength) {
  Model& model = TheModel();
  AddRow(model, 10, ElementType::From);
  AddRow(model, 20, ElementType::Pipe, 40.0f);
  model.row(3).material = "A106";
  model.row(3).section = "S4";
  model.row(3).load = "L1";
  AddRow(model, 30, ElementType::Valve, 0.0f, 11.1875f);
  static_cast<Valve&>(*model.row(4).element).length = 11.1875f;
  g_UnitsSettings.unit[kUnitLength] = kLengthInch;
  ReadBackModel();
  g_UnitsSettings.unit[kUnitLength] = kLengthFeetInches;
  ReloadLayoutTable();
  Open(2, "VALVE_DIALOG", [](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1302)), "11.188");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(row(4).dy, 11.1875f);
  EXPECT_EQ(ValveOfRow().length, 11.1875f);
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());

  Open(4, "DX_DY_DZ_DIALOG", [](HWND dialog) {
    SetDlgItemText(dialog, 1302, "4'");
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(row(4).dy, 48.0f);
  EXPECT_EQ(ValveOfRow().length, 48.0f);
}

}  // namespace
