// The List window's caption counts the model's spectra after every change
// to them: a name typed into the spare entry and a spectrum read from a
// text file; the time functions' caption counts a name typed alike.
#include "loads/LoadsTesting.h"

namespace {

class SpectraCaptionTest : public LoadsFixture {
 protected:
  // The count the caption shows after the list's title.
  static std::string Count(const std::string& title = "Spectrums") {
    const std::string caption = TextOf(ListFrame().window);
    const std::size_t at = caption.find(title + "  (");
    if (at == std::string::npos) return caption;
    const std::size_t from = at + title.size() + 3;
    return caption.substr(from, caption.find(')', from) - from);
  }
  static void Type(const std::string& text) {
    platform::TestTypeText(text);
    platform::RunUntilIdle();
  }
  static void Key(UINT key) {
    platform::TestKeyPress(key);
    platform::RunUntilIdle();
  }
};

TEST_F(SpectraCaptionTest, TheCaptionCountsTheSpectraAfterEveryChange) {
  Layout(251);
  EXPECT_EQ(Count(), "0");
  // A name typed into the spare entry makes a spectrum at once.
  Type("S1");
  Key(VK_TAB);
  Type("1");
  Key(VK_TAB);
  Type("0.5");
  Key(VK_RETURN);
  ASSERT_EQ(TheModel().spectra[0].name, "S1");
  EXPECT_EQ(Count(), "1");
  const std::string path = Path("s2.txt");
  WriteText(path, "S2\n0 4\n1 0.2\n10 0.8\n");
  ChooseFile("Read Spectrum from a Text File", path);
  ExpectBox({"Spectrum  \"S2\" was read", "From file: " + path});
  List(250);
  EXPECT_EQ(Count(), "2");
  Layout(252);
  EXPECT_EQ(Count("Time functions"), "0");
  Type("F1");
  Key(VK_TAB);
  EXPECT_EQ(Count("Time functions"), "1");
}

}  // namespace
