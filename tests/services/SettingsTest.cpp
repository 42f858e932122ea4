// Program settings through the registry store: the key layout, manual mode,
// removal of the older layout, the byte form and order of every preference,
// clamping and refusal of stored values, starting folders, window
// placements and the printer settings kept as they were. A store writes only
// what this program changed since it read the settings, over what another
// program stored meanwhile.
#include <fstream>
#include <iterator>

#include "services/SettingsTestSupport.h"

namespace {

const std::string kPreferences = kVersionKey + "\\Preferences";

// The default text font description as stored: height -11 (8 point at 96
// pixels per inch, rounded), weight 400, character set 1, "MS Sans Serif".
ByteList DefaultTextFontBytes(BYTE quality) {
  ByteList bytes = {0xF5, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x90, 0x01, 0, 0,
                    0,    0,    0,    1,    0, 0, quality, 0};
  const char face[] = "MS Sans Serif";
  bytes.insert(bytes.end(), face, face + sizeof face - 1);
  bytes.resize(60, 0);
  return bytes;
}

using Settings = SettingsFixture;

TEST_F(Settings, VersionKeyNameFollowsManualMode) {
  EXPECT_EQ(SettingsVersionKeyName(), "9.00");
  ManualMode = true;
  EXPECT_EQ(SettingsVersionKeyName(), "9.00Manual");
}

TEST_F(Settings, DefaultsAreWrittenInTheirBinaryForm) {
  SaveProgramSettings();
  EXPECT_EQ(Get(kPreferences, "Show toolbar"), ByteList{1});
  EXPECT_EQ(Get(kPreferences, "Large toolbar buttons"), ByteList{1});
  EXPECT_EQ(Get(kPreferences, "Text font"), DefaultTextFontBytes(0));
  EXPECT_EQ(Get(kPreferences, "Text font size"), (ByteList{80, 0, 0, 0}));
  EXPECT_EQ(Get(kPreferences, "Graphics font"), DefaultTextFontBytes(3));
  EXPECT_EQ(Get(kPreferences, "Graphics font size"), (ByteList{80, 0, 0, 0}));
  EXPECT_EQ(Get(kPreferences, "Save interval"), (ByteList{0, 0, 0, 0}));
  EXPECT_EQ(Get(kPreferences, "Graphics file ext"), (ByteList{'e', 'm', 'f', 0}));
  EXPECT_EQ(Get(kPreferences, "Print file ext"), (ByteList{'t', 'x', 't', 0}));
  EXPECT_EQ(Get(kPreferences, "Backup directory"), ByteList{0xEE});  // unset texts are not written
  const std::vector<std::string> order = {
      "Show toolbar", "Large toolbar buttons", "Text font", "Text font size", "Graphics font",
      "Graphics font size", "White background", "Create backup", "Automatic save", "Save interval",
      "Automatic renumbering of nodes", "Starting node number", "Graphics file ext", "Print file ext",
      "Disable graphic editing"};
  EXPECT_EQ(ValueNames(kPreferences), order);
  // The other subkeys of the version key.
  for (const char* subkey : {"Options", "Window positions", "Recent files"})
    EXPECT_TRUE(KeyExists(kVersionKey + "\\" + subkey)) << subkey;
}

TEST_F(Settings, PreferencesSurviveAShutdownAndStart) {
  Preferences& p = ProgramPreferences();
  p.showToolbar = 0;
  p.largeToolbarButtons = 0;
  p.whiteBackground = 1;
  p.createBackup = 1;
  p.automaticSave = 1;
  p.saveInterval = 15;
  p.automaticRenumbering = 1;
  p.startingNodeNumber = 500;
  p.backupDirectory = "/home/user/backup";
  p.materialLibraryPath = "/lib/steel.mat";
  p.spectrumLibraryPath = "/lib/quake.spc";
  p.valveLibraryPath = "/lib/valves.val";
  std::strcpy(p.graphicsFileExt, "wmf");
  std::strcpy(p.printFileExt, "rtf");
  p.disableGraphicEditing = 1;
  TextFontDescription().size = 100;
  std::strcpy(TextFontDescription().logFont.lfFaceName, "DejaVu Sans");
  SaveProgramSettings();
  EXPECT_EQ(Get(kPreferences, "Backup directory"),
            ByteList({'/', 'h', 'o', 'm', 'e', '/', 'u', 's', 'e', 'r', '/', 'b', 'a', 'c', 'k', 'u', 'p', 0}));
  EXPECT_EQ(Get(kPreferences, "Starting node number"), (ByteList{0xF4, 0x01, 0, 0}));

  ProgramPreferences() = Preferences{};
  SetDefaultFontDescriptions();
  RegistryReloadForTests();
  LoadProgramSettings();
  const Preferences& q = ProgramPreferences();
  EXPECT_EQ(q.showToolbar, 0);
  EXPECT_EQ(q.largeToolbarButtons, 0);
  EXPECT_EQ(q.whiteBackground, 1);
  EXPECT_EQ(q.createBackup, 1);
  EXPECT_EQ(q.automaticSave, 1);
  EXPECT_EQ(q.saveInterval, 15);
  EXPECT_EQ(q.automaticRenumbering, 1);
  EXPECT_EQ(q.startingNodeNumber, 500);
  EXPECT_EQ(q.backupDirectory, "/home/user/backup");
  EXPECT_EQ(q.materialLibraryPath, "/lib/steel.mat");
  EXPECT_EQ(q.spectrumLibraryPath, "/lib/quake.spc");
  EXPECT_EQ(q.valveLibraryPath, "/lib/valves.val");
  EXPECT_STREQ(q.graphicsFileExt, "wmf");
  EXPECT_STREQ(q.printFileExt, "rtf");
  EXPECT_EQ(q.disableGraphicEditing, 1);
  EXPECT_EQ(TextFontDescription().size, 100);
  EXPECT_STREQ(TextFontDescription().logFont.lfFaceName, "DejaVu Sans");
  // 10 point at 96 pixels per inch: -round(100 x 96 / 720) = -round(13.33).
  EXPECT_EQ(TextFontDescription().logFont.lfHeight, -13);
  // The library paths give the starting folders of their dialogs.
  EXPECT_EQ(MaterialLibraryDialogFolder().folder, "/lib/");
  EXPECT_EQ(ValveLibraryDialogFolder().folder, "/lib/");
}

TEST_F(Settings, ManualModeKeepsItsOwnSettings) {
  Put(kPreferences, "Save interval", Int32Bytes(30));
  ManualMode = true;
  ProgramPreferences().saveInterval = 45;
  SaveProgramSettings();
  EXPECT_EQ(Get(kVersionKey + "Manual\\Preferences", "Save interval"), Int32Bytes(45));
  EXPECT_EQ(Get(kPreferences, "Save interval"), Int32Bytes(30));
  ProgramPreferences() = Preferences{};
  LoadProgramSettings();
  EXPECT_EQ(ProgramPreferences().saveInterval, 45);
  ManualMode = false;
  LoadProgramSettings();
  EXPECT_EQ(ProgramPreferences().saveInterval, 30);
}

TEST_F(Settings, OlderLayoutIsRemovedAndDefaultsStand) {
  const std::string product = "Software\\TVQ Systems\\Quorvel";
  Put(product, "Version", {1, 2, 3, 4});
  Put(product + "\\Preferences", "Save interval", Int32Bytes(60));
  Put(product + "\\Recent files", "N", Int32Bytes(1));
  Put(product + "\\Window positions", "Main", ByteList(44, 7));
  Put(kPreferences, "Save interval", Int32Bytes(90));  // a version key beside them goes too
  LoadProgramSettings();
  EXPECT_FALSE(KeyExists(product));
  EXPECT_TRUE(KeyExists("Software\\TVQ Systems"));
  EXPECT_EQ(ProgramPreferences().saveInterval, 0);
  // The next start finds no settings at all.
  RegistryReloadForTests();
  LoadProgramSettings();
  EXPECT_EQ(ProgramPreferences().saveInterval, 0);
}

TEST_F(Settings, StoredValuesAreClampedOrReplaced) {
  struct Case {
    std::int32_t interval, node, wantInterval, wantNode;
  };
  for (const Case& c : {Case{500, -4, 120, 10}, Case{-3, 123456, 0, 10}, Case{120, 99999, 120, 99999},
                        Case{0, 0, 0, 0}}) {
    Put(kPreferences, "Save interval", Int32Bytes(c.interval));
    Put(kPreferences, "Starting node number", Int32Bytes(c.node));
    LoadProgramSettings();
    EXPECT_EQ(ProgramPreferences().saveInterval, c.wantInterval) << c.interval;
    EXPECT_EQ(ProgramPreferences().startingNodeNumber, c.wantNode) << c.node;
  }
}

TEST_F(Settings, ShortLongAndDamagedValues) {
  // A value shorter than its variable replaces only its own bytes:
  // 256 = 00 01 00 00 with its first byte replaced by 05 is 261.
  ProgramPreferences().startingNodeNumber = 256;
  Put(kPreferences, "Starting node number", {0x05});
  // A value longer than its variable is not read at all.
  Put(kPreferences, "Show toolbar", {0, 0});
  // An extension without its zero, a font without the end of its face name
  // and a font size of 0 keep what the program had.
  Put(kPreferences, "Graphics file ext", {'a', 'b', 'c', 'd'});
  Put(kPreferences, "Text font", ByteList(60, 'A'));
  Put(kPreferences, "Text font size", Int32Bytes(0));
  LoadProgramSettings();
  EXPECT_EQ(ProgramPreferences().startingNodeNumber, 261);
  EXPECT_EQ(ProgramPreferences().showToolbar, 1);
  EXPECT_STREQ(ProgramPreferences().graphicsFileExt, "emf");
  EXPECT_STREQ(TextFontDescription().logFont.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(TextFontDescription().size, 80);
  EXPECT_EQ(TextFontDescription().logFont.lfHeight, -11);
}

std::string StoreBytes() {
  std::ifstream in(RegistryFilePath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutStoreBytes(const std::string& bytes) {
  std::ofstream(RegistryFilePath(), std::ios::binary | std::ios::trunc) << bytes;
}

// Two programs start on the same settings. The other one chooses a backup
// folder and its store lands first; then this one, which chose automatic
// save, stores (as at its exit). Each keeps the other's choice.
TEST_F(Settings, AStoreWritesOnlyWhatThisProgramChangedOverWhatAnotherStored) {
  PutText(kPreferences, "Backup directory", "/old");
  const std::string atStart = StoreBytes();
  PutText(kPreferences, "Backup directory", "/theirs");
  const std::string theirs = StoreBytes();

  PutStoreBytes(atStart);
  RegistryReloadForTests();
  LoadProgramSettings();
  ASSERT_EQ(ProgramPreferences().backupDirectory, "/old");
  PutStoreBytes(theirs);
  ProgramPreferences().automaticSave = 1;
  ProgramPreferences().saveInterval = 5;
  SaveProgramSettings();

  RegistryReloadForTests();
  ProgramPreferences() = Preferences{};
  LoadProgramSettings();
  EXPECT_EQ(ProgramPreferences().backupDirectory, "/theirs");
  EXPECT_EQ(ProgramPreferences().automaticSave, 1);
  EXPECT_EQ(ProgramPreferences().saveInterval, 5);
  // Nothing changed since: a store writes nothing, the file stays as it is.
  const std::string stored = StoreBytes();
  Put(kPreferences, "Save interval", Int32Bytes(7));
  const std::string withSeven = StoreBytes();
  SaveProgramSettings();
  EXPECT_EQ(StoreBytes(), withSeven);
  EXPECT_NE(withSeven, stored);
}

TEST_F(Settings, ClearingTheBackupFolderDeletesItsValue) {
  ProgramPreferences().backupDirectory = "/backup";
  SaveProgramSettings();
  EXPECT_EQ(Get(kPreferences, "Backup directory"), ByteList({'/', 'b', 'a', 'c', 'k', 'u', 'p', 0}));
  ProgramPreferences().backupDirectory.clear();
  SaveProgramSettings();
  EXPECT_EQ(Get(kPreferences, "Backup directory"), ByteList{0xEE});
  // An absent text leaves the variable as it was.
  ProgramPreferences().backupDirectory = "/kept";
  LoadProgramSettings();
  EXPECT_EQ(ProgramPreferences().backupDirectory, "/kept");
}

TEST_F(Settings, NothingStoredChangesNothing) {
  LoadProgramSettings();
  EXPECT_EQ(ProgramPreferences().saveInterval, 0);
  EXPECT_EQ(TextFontDescription().size, 80);
  Put("Software\\TVQ Systems\\Quorvel\\8.00\\Preferences", "Save interval", Int32Bytes(5));
  LoadProgramSettings();  // another version's settings are not ours
  EXPECT_EQ(ProgramPreferences().saveInterval, 0);
}

TEST_F(Settings, SetFolderFromPathSplitsEitherSeparator) {
  DialogFolder folder;
  SetFolderFromPath("/models/plant/a.mod", folder);
  EXPECT_EQ(folder.folder, "/models/plant/");
  EXPECT_EQ(folder.folderLength, 14);
  EXPECT_EQ(folder.nameEnd, 16);  // 14 + "a" + 1: where "mod" starts
  SetFolderFromPath("C:\\Work\\pump.MOD", folder);
  EXPECT_EQ(folder.folder, "C:\\Work\\");
  EXPECT_EQ(folder.nameEnd, 13);
  SetFolderFromPath("noext", folder);
  EXPECT_EQ(folder.folder, "");
  EXPECT_EQ(folder.nameEnd, 6);
  SetFolderFromPath("", folder);
  EXPECT_EQ(folder.folder, "");
  EXPECT_EQ(folder.folderLength, 0);
  EXPECT_EQ(folder.nameEnd, 0);
}

TEST_F(Settings, WindowPlacementsHaveTheirLayoutAndOrder) {
  InitWindowPlacement(FramePlacement(kPlacementMain), 10, 20, 810, 620);
  FramePlacement(kPlacementMain).flags = 2;
  SaveProgramSettings();
  const std::string positions = kVersionKey + "\\Window positions";
  const ByteList main = {44, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                         0,  0, 0, 0, 0, 0, 10, 0, 0, 0, 20, 0, 0, 0, 0x2A, 3, 0, 0, 0x6C, 2, 0, 0};
  EXPECT_EQ(Get(positions, "Main"), main);
  EXPECT_EQ(ValueNames(positions),
            (std::vector<std::string>{"Main", "Layout", "Graphics", "List", "Results", "Material library",
                                      "Spectrum library", "Flange Qualification", "Nozzle Allowable Loads",
                                      "Lug Evaluation"}));

  // A frame's maximised position is cleared on loading; a library window's
  // record comes back as stored; a missing value leaves its record alone.
  ByteList withMax = main;
  withMax[20] = 0x9C;  // maximised x = -100
  withMax[21] = withMax[22] = withMax[23] = 0xFF;
  Put(positions, "Layout", withMax);
  Put(positions, "Material library", withMax);
  HKEY key = Create(positions);
  RegDeleteValue(key, "Results");
  RegCloseKey(key);
  InitWindowPlacement(FramePlacement(kPlacementResults), 1, 2, 3, 4);
  LoadProgramSettings();
  EXPECT_EQ(FramePlacement(kPlacementLayout).ptMaxPosition.x, 0);
  EXPECT_EQ(FramePlacement(kPlacementLayout).rcNormalPosition.right, 810);
  EXPECT_EQ(FramePlacement(kPlacementMaterialLibrary).ptMaxPosition.x, -100);
  EXPECT_EQ(FramePlacement(kPlacementResults).rcNormalPosition.bottom, 4);
}

}  // namespace
