// A name longer than its cell typed on a real X server under a window
// manager (openbox), one key at a time as a user types it, into the
// Spectrums table (Misc > Spectrums): the Name column widens, the view
// follows the caret, and every character lands where the caret stood. The
// pictures are kept in the build folder (x11-long-name-*.png).
#include <gtest/gtest.h>

#include <string>

#include "records/Spectrum.h"
#include "x11/PointTablesX11Testing.h"
#include "x11/ScreenCompare.h"

namespace {

class LongNamesX11Test : public PointTablesX11Fixture {};

TEST_F(LongNamesX11Test, ALongNameIsStoredAsTyped) {
  ManagedWindows windows(display_);
  ASSERT_TRUE(windows.ok());
  XInput input(display_);
  ASSERT_TRUE(input.ok());
  ASSERT_TRUE(OpenWithTheKeyboard(windows, 251)) << "the spectra list never had the keyboard";
  const std::string spectrum = "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";
  Type(input, spectrum);
  input.Key("Return");
  const SpectrumList& spectra = TheModel().spectra;
  ASSERT_TRUE(platform::PumpUntil([&] { return HasSpectra(spectra) && spectra[0].name.size() == spectrum.size(); },
                                  10000))
      << "the name was not stored";
  EXPECT_EQ(spectra[0].name, spectrum);
  platform::RunUntilIdle();
  EXPECT_EQ(CompareWindowWithScreen(display_, ListFrame().window,
                                    std::string(QUORVEL_BINARY_DIR) + "/x11-long-name-spectrum"),
            0);
}

}  // namespace
