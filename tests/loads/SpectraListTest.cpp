// The spectra list reached from the Layout window (Misc > Spectrums): the
// File menu items it brings and takes away, a spectrum text file with a
// bad line refused with its line number and the model untouched, a good
// one read, the export written and read back, the spectrum load dialog, a
// rename the load follows, Delete refusing a spectrum in use, the options
// dialog refusing a change between displacement and acceleration, and the
// spectrum load without spectra sending the user to their list.
#include "editing/NodeList.h"
#include "loads/LoadsTesting.h"
#include "loads/SpectraTable.h"
#include "loads/SpectrumFiles.h"
#include "model/ListWindow.h"
#include "platform/Menu.h"
#include "records/Spectrum.h"

namespace {

class SpectraListTest : public LoadsFixture {
 protected:
  static SpectraTable& Table() { return TheSpectraTable(); }
  static SpectrumList& Spectra() { return TheModel().spectra; }
  static bool FileMenuHas(int command) {
    return GetMenuState(GetSubMenu(ListFrame().menu, 0), static_cast<UINT>(command), MF_BYCOMMAND) !=
           static_cast<UINT>(-1);
  }
  static std::string OptionsItem(int command) {
    char text[64] = {};
    GetMenuString(GetSubMenu(ListFrame().menu, 3), static_cast<UINT>(command), text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  // Reads a spectrum file through the command; the message that follows
  // has these lines.
  void ReadSpectrumFile(const std::string& name, const std::string& text, const std::vector<std::string>& box) {
    const std::string path = Path(name);
    WriteText(path, text);
    ChooseFile("Read Spectrum from a Text File", path);
    ExpectBox(box);
    List(250);
  }
};

TEST_F(SpectraListTest, ABadLineIsRefusedWithItsNumberAndTheModelUntouched) {
  Layout(251);
  ASSERT_EQ(CurrentListOpener(), &OpenSpectraTable);
  EXPECT_TRUE(FileMenuHas(250));
  EXPECT_TRUE(FileMenuHas(351));
  EXPECT_EQ(OptionsItem(306), "&Spectrum...");
  EXPECT_EQ(Table().rowCount, 1);  // the blank entry
  const SpectrumList before = Spectra();
  ReadSpectrumFile("bad.txt", "S1\n0 4\n0.1 0.2\n\n0.5 abc\n1.0 0.3\n", {"Line 5: 0.5 abc", "Invalid spectrum values"});
  EXPECT_EQ(Spectra().size(), before.size());
  EXPECT_FALSE(HasSpectra(Spectra()));
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
  ReadSpectrumFile("descending.txt", "S1\n0 4\n0.1 0.2\n0.05 0.3\n",
                   {"Line 4: 0.05 0.3", "Spectrum abscissas must ascend"});
  EXPECT_FALSE(HasSpectra(Spectra()));
  const std::string missing = Path("missing.txt");
  ChooseFile("Read Spectrum from a Text File", missing);
  ExpectBox({"File: " + missing, "Does not exist."});
  List(250);
  // Leaving the list takes its File and Options items away again.
  ShowListByOpener(OpenNodeList);
  EXPECT_FALSE(FileMenuHas(250));
  EXPECT_EQ(OptionsItem(431), "&Units...\tCtrl+U");
}

TEST_F(SpectraListTest, ReadExportLoadRenameAndDelete) {
  Layout(251);
  ReadSpectrumFile("s1.txt", "S1\n0 4\n1 0.2\n10 0.8\n33 0.3\n",
                   {"Spectrum  \"S1\" was read", "From file: " + Path("s1.txt")});
  ASSERT_TRUE(HasSpectra(Spectra()));
  EXPECT_EQ(Spectra()[0].name, "S1");
  EXPECT_FLOAT_EQ(Spectra()[0].points[1].y, static_cast<float>(0.8 * 386.4));
  EXPECT_EQ(Table().rowCount, 2);
  EXPECT_TRUE(TheModel().modified);
  // The export, written and read back.
  const std::string csv = Path("Spectrums.csv");
  ChooseFile("Export to Comma Separated Values file", csv);
  List(351);
  std::ifstream exported(csv, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(exported)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, SpectraCsvText(Spectra()));
  EXPECT_NE(text.find("Spectrum = ,S1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n10,0.8\r\n"), std::string::npos);
  // The spectrum load: S1 in X with a factor of 1.5.
  Expect("SPECTRUM_DIALOG", [](HWND dialog) {
    EXPECT_EQ(Field(dialog, 1301), "1.000");
    SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, 1, 0);
    SetField(dialog, 1301, "x");
    ExpectBox({"Factor =  X  is invalid"});
    Press(dialog, IDOK);
    SetField(dialog, 1301, "1.5");
    SendDlgItemMessage(dialog, 1204, CB_SETCURSEL, 2, 0);  // Absolute
    Press(dialog, IDOK);
  });
  Layout(234);
  const SpectrumLoad& load = TheModel().spectrumLoad;
  EXPECT_EQ(load.name[0], "S1");
  EXPECT_FLOAT_EQ(load.factor[0], 1.5f);
  EXPECT_EQ(load.modeSum, kSumAbsolute);
  EXPECT_TRUE(HasResponseSpectrumLoad(load));
  // Renamed in the list after the question; the load follows.
  Layout(251);
  SetFocus(Table().Window());
  TableGoTo(Table(), 1);
  platform::TestKeyPress(VK_END);
  platform::TestKeyPress(VK_BACK);
  platform::TestKeyPress(VK_BACK);
  platform::TestTypeText("EL CENTRO");
  ExpectBox({"Do you want to change Spectrum name", "from  \"S1\"  to  \"EL CENTRO\" ?"}, IDOK);
  platform::TestKeyPress(VK_RETURN);
  platform::RunUntilIdle();
  EXPECT_EQ(Spectra()[0].name, "EL CENTRO");
  EXPECT_EQ(load.name[0], "EL CENTRO");
  // In use: not deleted.
  TableGoTo(Table(), 1);
  ExpectBox({"Spectrum EL CENTRO is in use, it cannot be deleted"});
  List(126);
  EXPECT_EQ(FindSpectrum(Spectra(), "EL CENTRO"), 0);
  // An acceleration spectrum with points keeps to accelerations.
  Expect("SPECTRUM_OPTIONS_DIALOG", [](HWND dialog) {
    EXPECT_TRUE(Checked(dialog, 1409));  // g's
    ClickItem(dialog, 1405);             // inch
    ExpectBox({"cannot change Ordinate between displacement and accelerations"});
    Press(dialog, IDOK);
    ClickItem(dialog, 1402);  // period
    ClickItem(dialog, 1407);  // in/sec2
    Press(dialog, IDOK);
  });
  List(306);
  EXPECT_EQ(Spectra()[0].periodAbscissa, 1);
  EXPECT_EQ(Spectra()[0].ordinateUnit, kOrdinateInPerSec2);
}

// A name typed into the spare entry makes a spectrum, which the caption
// counts at once (it read "Spectrums (0)"); a time function's alike.
TEST_F(SpectraListTest, TheSpectrumLoadWithoutSpectraSaysSoAndOpensTheirList) {
  ExpectBox({"No spectrums are input yet."});
  Layout(234);
  platform::CheckModalScript();
  EXPECT_EQ(CurrentListOpener(), &OpenSpectraTable);
  EXPECT_TRUE(IsWindowVisible(ListFrame().window));
  EXPECT_FALSE(TheModel().modified);
  EXPECT_FALSE(CanUndo());
}

TEST_F(SpectraListTest, TheCaptionCountsANameTypedIntoTheSpareEntry) {
  for (const auto& [command, title] : {std::pair{251, "Spectrums  (1)"}, std::pair{252, "Time functions  (1)"}}) {
    Layout(command);
    platform::TestTypeText("S1");
    platform::TestKeyPress(VK_TAB);
    platform::RunUntilIdle();
    EXPECT_NE(TextOf(ListFrame().window).find(title), std::string::npos) << TextOf(ListFrame().window);
  }
  EXPECT_EQ(Spectra()[0].name, "S1");
}

}  // namespace
