// The print preview and the print sheet, from the Layout window: a one-page
// report shows no page numbers and greys its page stepping; printing pages
// 2 to 3 from the preview writes exactly those pages and closes it; copying
// page 2 puts exactly page 2's records on the clipboard; Cancel in the
// sheet sends nothing; the sheet's printer page changes the page setup and
// shows it.
#include "model/ListTesting.h"

#include <fstream>
#include <sstream>

#include "platform/Clipboard.h"
#include "platform/CommonDialog.h"
#include "platform/Menu.h"
#include "platform/Metafile.h"
#include "platform/PropertySheet.h"
#include "printing/PrinterSettings.h"
#include "services/TempFiles.h"

namespace {

namespace fs = std::filesystem;

// The texts of the text records of each page of a recorded document
// (index 0: before the first page mark).
std::vector<std::vector<std::string>> PageTexts(HENHMETAFILE document) {
  std::vector<std::vector<std::string>> pages(1);
  for (const std::vector<DWORD>& record : platform::MetafileRecords(document)) {
    if (record[0] == EMR_GDICOMMENT && record.size() >= 4) {
      auto page = static_cast<std::size_t>(record[3]);
      if (page != 999999) pages.resize(std::max(pages.size(), page + 1));
    }
    if (record[0] != EMR_EXTTEXTOUTA) continue;
    std::string text(reinterpret_cast<const char*>(record.data() + 12), record[10]);
    std::size_t page = pages.size() - 1;
    pages[page].push_back(text);
  }
  return pages;
}

std::vector<std::string> Texts(HENHMETAFILE picture) {
  std::vector<std::string> texts;
  for (const std::vector<DWORD>& record : platform::MetafileRecords(picture))
    if (record[0] == EMR_EXTTEXTOUTA)
      texts.emplace_back(reinterpret_cast<const char*>(record.data() + 12), record[10]);
  return texts;
}

class PrintPreviewTest : public ListFixture {
 protected:
  fs::path folder_;
  void SetUp() override {
    ListFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "print-preview";
    fs::create_directories(folder_);
    ShowModelWindows();
    platform::RunUntilIdle();
  }
  void TearDown() override {
    fs::remove_all(folder_);
    ListFixture::TearDown();
  }
  // The preview of the sections chosen; without `options` the analysis
  // options (the first box of the model page) are left out.
  void OpenPreview(bool options = true) {
    platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Model", [options](HWND sheet) {
      if (!options) {
        HWND page = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        CheckDlgButton(page, 1101, BST_UNCHECKED);
        SendMessage(page, WM_COMMAND, MAKEWPARAM(1101, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, 1101)));
      }
      Click(GetDlgItem(sheet, 1001));
    });
    SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    ASSERT_NE(TextPrinter().previewFrame, nullptr);
  }
  void AddPipes(int count) {
    for (int i = 0; i < count; ++i) AddRow(TheModel(), 100 + 10 * i, ElementType::Pipe, 0.0f, 0.0f, 24.0f);
    MakeModel(TheModel());
  }
};

TEST_F(PrintPreviewTest, AOnePageReportShowsNoPageNumbers) {
  OpenPreview(false);  // the options alone take half a page
  PrinterSettings& printer = TextPrinter();
  EXPECT_EQ(printer.pageCount, 1);
  char caption[128] = {};
  GetWindowText(printer.previewFrame, caption, sizeof caption);
  EXPECT_STREQ(caption, "Quorvel : Print Preview");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(printer.previewBar, 369)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(printer.previewBar, 370)));
  EXPECT_TRUE(GetMenuState(GetMenu(printer.previewFrame), 1, MF_BYPOSITION) & MF_GRAYED);
  // Print without page numbers: the Print dialog offers no range.
  const fs::path pdf = folder_ / "one.pdf";
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, rad3)));
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  Click(GetDlgItem(printer.previewBar, 106));
  platform::RunUntilIdle();
  EXPECT_EQ(printer.previewFrame, nullptr);  // printing closes the preview
  EXPECT_TRUE(fs::exists(pdf));
}

TEST_F(PrintPreviewTest, PrintsTheChosenPagesAndCopiesOnePage) {
  AddPipes(200);
  OpenPreview();
  PrinterSettings& printer = TextPrinter();
  ASSERT_GE(printer.pageCount, 4);
  const auto pages = PageTexts(printer.document);
  ASSERT_EQ(static_cast<int>(pages.size()), printer.pageCount + 1);
  // Copy page 2: exactly its records' texts.
  SendMessage(printer.previewFrame, WM_COMMAND, 369, 0);
  SendMessage(printer.previewFrame, WM_COMMAND, 363, 0);
  ASSERT_TRUE(OpenClipboard(printer.previewFrame));
  auto copy = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(Texts(copy), pages[2]);
  EXPECT_NE(pages[2], pages[3]);
  CloseClipboard();
  // Pages 2 to 3 printed: a PDF of two pages, page 2 first.
  const fs::path pdf = folder_ / "range.pdf";
  platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [pdf](HWND dialog) {
    CheckRadioButton(dialog, rad1, rad3, rad3);
    SetDlgItemInt(dialog, edt1, 2, FALSE);
    SetDlgItemInt(dialog, edt2, 3, FALSE);
    SetDlgItemText(dialog, edt3, pdf.c_str());
    SendMessage(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessage(printer.previewFrame, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(printer.previewFrame, nullptr);
  EXPECT_EQ(printer.firstPage, 2);
  EXPECT_EQ(printer.lastPage, 3);
  std::ifstream file(pdf, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  int pageObjects = 0;
  for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
    pageObjects += bytes.compare(at, 12, "/Type /Pages") != 0;
  EXPECT_EQ(pageObjects, 2);
  ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is not installed";
  const std::string command = "pdftotext '" + pdf.string() + "' '" + pdf.string() + ".txt'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream text(pdf.string() + ".txt");
  std::string all((std::istreambuf_iterator<char>(text)), std::istreambuf_iterator<char>());
  EXPECT_NE(all.find("Page 2"), std::string::npos);
  EXPECT_NE(all.find("Page 3"), std::string::npos);
  EXPECT_EQ(all.find("Page 1"), std::string::npos);
  EXPECT_EQ(all.find("Page 4"), std::string::npos);
}

TEST_F(PrintPreviewTest, SheetCancelSendsNothingAndItsPrinterPageSetsUpThePage) {
  platform::ExpectModal(platform::ModalKind::PropertySheet, "Print Model", [](HWND sheet) {
    SendMessage(sheet, PSM_SETCURSEL, 1, 0);  // after the model page
    HWND page = reinterpret_cast<HWND>(SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    char text[128] = {};
    GetDlgItemText(page, 1500, text, sizeof text);
    EXPECT_STREQ(text, "Text Printer");
    GetDlgItemText(page, 1501, text, sizeof text);
    EXPECT_STREQ(text, "PDF");
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Page Setup", [](HWND dialog) {
      CheckRadioButton(dialog, rad1, rad2, rad2);
      SetDlgItemText(dialog, edt4, "1.5");
      SendMessage(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessage(page, WM_COMMAND, 1012, 0);
    GetDlgItemText(page, 1502, text, sizeof text);
    EXPECT_STREQ(text, "Orientation : Landscape");
    Click(GetDlgItem(sheet, IDCANCEL));
  });
  SendMessage(LayoutFrame().window, WM_COMMAND, 106, 0);
  platform::RunUntilIdle();
  EXPECT_EQ(TextPrinter().previewFrame, nullptr);  // nothing was carried out
  EXPECT_EQ(TextPrinter().document, nullptr);
  EXPECT_EQ(TextPrinter().pageSetup.rtMargin.left, 1500);
}

}  // namespace
