// Every list the program prints, printed as a user does it (File > Print
// of the List window and of the Layout window) on a model that holds one
// of each: to a PDF whose words poppler reads back with their boxes, none
// over another nor past the printable area, in the English units, in the
// widest units and in the largest report font; to a text report whose
// rules hold only dashes; and to comma-separated files whose free texts
// (titles, descriptions, comments, tags) stay whole in one cell each.
#include "model/ListTesting.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "editing/NodeList.h"
#include "elements/Bend.h"
#include "elements/BendList.h"
#include "elements/BranchSif.h"
#include "elements/BranchSifList.h"
#include "loads/PipeLoadsTable.h"
#include "loads/SpectraTable.h"
#include "model/RowOperations.h"
#include "platform/CommonDialog.h"
#include "platform/Metafile.h"
#include "printing/PrinterSettings.h"
#include "properties/MaterialsTable.h"
#include "properties/SectionsTable.h"
#include "records/Spectrum.h"
#include "services/ListFrameState.h"
#include "services/NumberText.h"
#include "services/TempFiles.h"
#include "supports/Anchor.h"
#include "supports/AnchorList.h"
#include "supports/DisplacementSets.h"
#include "supports/Restraint.h"
#include "supports/RestraintList.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool HasPoppler() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }

struct Word {
  double left, top, right, bottom;
  std::string text;
};

struct PdfPage {
  double width = 0.0, height = 0.0;
  std::vector<Word> words;
};

std::string Unescaped(std::string text) {
  const std::pair<const char*, const char*> entities[] = {
      {"&quot;", "\""}, {"&apos;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : entities)
    for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
      text.replace(at, std::strlen(entity), plain);
  return text;
}

// The number in `name="..."` of a line of poppler's output; -1 without one.
double Attribute(const std::string& line, const std::string& name) {
  const std::size_t at = line.find(" " + name + "=\"");
  return at == std::string::npos ? -1.0 : std::atof(line.c_str() + at + name.size() + 3);
}

// The words of a PDF with their boxes (points from the page's top left), as
// poppler reads them.
std::vector<PdfPage> PdfWords(const fs::path& pdf) {
  const fs::path html = pdf.string() + ".html";
  const std::string command = "pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::vector<PdfPage> pages;
  std::istringstream lines(ReadFile(html));
  for (std::string line; std::getline(lines, line);) {
    if (line.find("<page ") != std::string::npos) {
      pages.push_back({Attribute(line, "width"), Attribute(line, "height"), {}});
    } else if (line.find("<word ") != std::string::npos && !pages.empty()) {
      const std::size_t open = line.find('>'), close = line.rfind("</word>");
      pages.back().words.push_back({Attribute(line, "xMin"), Attribute(line, "yMin"), Attribute(line, "xMax"),
                                    Attribute(line, "yMax"), Unescaped(line.substr(open + 1, close - open - 1))});
    }
  }
  return pages;
}

// Words printed over each other, or cut at the edge of the printable
// area. Lines that follow each other closely may touch: a quarter of a
// line's height is taken for an overlap.
std::vector<std::string> Collisions(const std::vector<PdfPage>& pages) {
  const PrinterSettings& printer = TextPrinter();
  const double left = 72.0 * printer.leftMargin - 1.0, right = 72.0 * (printer.leftMargin + printer.printableWidth) + 1.0;
  const double top = 72.0 * printer.topMargin - 1.0, bottom = 72.0 * (printer.topMargin + printer.printableHeight) + 1.0;
  std::vector<std::string> found;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const PdfPage& page = pages[p];
    const std::string where = "page " + std::to_string(p + 1) + ": ";
    for (std::size_t i = 0; i < page.words.size(); ++i) {
      const Word& a = page.words[i];
      // The font's box reaches above its capitals: the first line's box may
      // rise a little above the area.
      const double leading = 0.25 * (a.bottom - a.top);
      if (a.left < left || a.top < top - leading || a.right > right || a.bottom > bottom)
        found.push_back(where + "\"" + a.text + "\" leaves the printable area");
      for (std::size_t j = i + 1; j < page.words.size(); ++j) {
        const Word& b = page.words[j];
        const double across = std::min(a.right, b.right) - std::max(a.left, b.left);
        const double down = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
        const double lineHeight = std::min(a.bottom - a.top, b.bottom - b.top);
        if (across > 0.5 && down > 0.25 * lineHeight)
          found.push_back(where + "\"" + a.text + "\" over \"" + b.text + "\"");
      }
    }
  }
  return found;
}

const Word* FindWord(const PdfPage& page, const std::string& text, double below = -1.0) {
  for (const Word& word : page.words)
    if (word.text == text && word.top > below) return &word;
  return nullptr;
}

// Comma-separated rows read as a spreadsheet (and Python's csv module)
// reads them: a quote opens a quoted field only at the field's start.
std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row(1);
  bool quoted = false, fieldStart = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        row.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        row.back() += c;
      }
    } else if (c == '"' && fieldStart) {
      quoted = true;
      fieldStart = false;
    } else if (c == ',') {
      row.emplace_back();
      fieldStart = true;
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      rows.push_back(row);
      row.assign(1, std::string());
      fieldStart = true;
    } else {
      row.back() += c;
      fieldStart = false;
    }
  }
  if (row.size() > 1 || !row[0].empty()) rows.push_back(row);
  return rows;
}

// A report recorded for the window `owner` as the preview records it: the
// horizontal rules (lines and the edges of rectangles) that run through a
// text printed on the same page, between its capitals' top and its descent.
std::vector<std::string> RulesThroughTexts(HWND owner) {
  PrinterSettings& printer = TextPrinter();
  printer.owner = owner;
  HDC dc = printer.CreatePrinterDc();
  printer.ComputePrintArea(dc);
  printer.Record(dc, printer.printableWidth, printer.printableHeight);
  struct Text {
    int left, right, top, bottom;
    std::string text;
  };
  struct Rule {
    int left, right, y;
  };
  std::vector<std::vector<Text>> texts(1);
  std::vector<std::vector<Rule>> rules(1);
  std::map<DWORD, LOGFONT> fonts;
  HFONT current = nullptr;
  POINT at{};
  for (const std::vector<DWORD>& record : platform::MetafileRecords(printer.document)) {
    const auto value = [&record](std::size_t i) { return static_cast<int>(record[i]); };
    if (record[0] == EMR_GDICOMMENT && record[3] != 999999) {
      texts.emplace_back();
      rules.emplace_back();
    } else if (record[0] == EMR_EXTCREATEFONTINDIRECTW) {
      std::memcpy(&fonts[record[2]], record.data() + 3, sizeof(LOGFONT));
    } else if (record[0] == EMR_SELECTOBJECT && fonts.count(record[2]) != 0) {
      if (current != nullptr) DeleteObject(current);
      current = CreateFontIndirect(&fonts[record[2]]);
      SelectObject(dc, current);
    } else if (record[0] == EMR_EXTTEXTOUTA) {
      const std::string text(reinterpret_cast<const char*>(record.data() + 12), record[10]);
      TEXTMETRIC metrics{};
      GetTextMetrics(dc, &metrics);
      SIZE size{};
      GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
      texts.back().push_back({value(2), value(2) + size.cx, value(3) - (metrics.tmAscent - metrics.tmInternalLeading),
                              value(3) + metrics.tmDescent, text});
    } else if (record[0] == EMR_MOVETOEX) {
      at = {value(2), value(3)};
    } else if (record[0] == EMR_LINETO) {
      if (value(3) == at.y) rules.back().push_back({std::min(at.x, value(2)), std::max(at.x, value(2)), at.y});
      at = {value(2), value(3)};
    } else if (record[0] == EMR_RECTANGLE) {
      rules.back().push_back({value(2), value(4), value(3)});
      rules.back().push_back({value(2), value(4), value(5)});
    }
  }
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  if (current != nullptr) DeleteObject(current);
  DeleteDC(dc);
  printer.DeleteDocument();
  std::vector<std::string> found;
  for (std::size_t page = 0; page < texts.size(); ++page)
    for (const Text& text : texts[page])
      for (const Rule& rule : rules[page])
        if (rule.left < text.right && text.left < rule.right && text.top < rule.y - 1 && rule.y + 1 < text.bottom)
          found.push_back("page " + std::to_string(page) + ": a rule at " + std::to_string(rule.y) + " through \"" +
                          text.text + "\" (" + std::to_string(text.top) + " to " + std::to_string(text.bottom) + ")");
  return found;
}

bool HasCell(const std::vector<std::vector<std::string>>& rows, const std::string& cell) {
  for (const auto& row : rows)
    for (const std::string& text : row)
      if (text == cell) return true;
  return false;
}

class PrintedListsTest : public ListFixture {
 protected:
  fs::path folder_;
  void SetUp() override {
    ListFixture::SetUp();
    folder_ = fs::path(TempFolder()) / "printed-lists";
    fs::create_directories(folder_);
    BuildModel();
  }
  void TearDown() override {
    fs::remove_all(folder_);
    ListFixture::TearDown();
  }

  static void BuildModel() {
    Model& model = TheModel();
    model.title = "Cooling water, unit 2";
    model.path = "/tmp/Plant, unit 1.mod";
    model.options.PipingCode = 3;
    Material& steel = model.materials[1];
    steel.description = "Carbon steel, A106 B";
    steel.density = 0.283f;
    steel.nu = 0.3f;
    steel.jointFactor = 1.0f;
    steel.numtemps = 3;
    steel.temps.resize(4);
    steel.temps[1].values = {-20.0f, 2.95e7f, 6.0e-6f, 2.0e4f, 3.5e4f, 0, 0, 0};
    steel.temps[2].values = {70.0f, 2.9e7f, 6.07e-6f, 2.0e4f, 3.5e4f, 0, 0, 0};
    steel.temps[3].values = {650.0f, 2.61e7f, 7.33e-6f, 1.7e4f, 2.6e4f, 0, 0, 0};
    PipeSection two;
    InitSection(two);
    two.name = "S2";
    two.nominalSize = "2";
    two.schedule = "40";
    two.outsideDiameter = 2.375f;
    two.thickness = 0.154f;
    two.insulationDensity = 11.0f / 1728.0f;
    two.insulationThickness = 1.5f;
    AppendSection(model.sections, two);
    PipeLoad& load = model.pipeLoads[1];
    load.operating[0] = {450.0f, 300.0f};
    load.operating[1] = {200.0f, 150.0f};
    load.designTemperature = 500.0f;
    load.designPressure = 350.0f;
    load.specificGravity = 0.85f;
    // Row 3 a bend at 30 turning up toward 40.
    SetElementType(model, 3, ElementType::Bend);
    auto& bend = static_cast<Bend&>(*model.row(3).element);
    bend.thickness = 0.25f;
    bend.material = "CS";
    bend.intermediateNode1 = 35;
    bend.angle1 = 0.5f;
    model.row(4).dx = 0.0f;
    model.row(4).dy = 12.0f;
    SetComment(model, 5, "Pump room, east side");
    const int restraint = AddRow(model, 50, ElementType::Pipe, 0.0f, 24.0f);
    PutItem(model, restraint, DataType::Restraint);
    auto& rest = static_cast<Restraint&>(*model.row(restraint).item);
    rest.restrainY = 1;
    rest.tag = "R, 1";
    const int anchor = AddRow(model, 60, ElementType::Pipe, 24.0f);
    PutItem(model, anchor, DataType::Anchor);
    auto& fixed = static_cast<Anchor&>(*model.row(anchor).item);
    fixed.stiffness = {1000.0f, 0.0f, 1.0e12f, 0.0f, 0.0f, 5.0e5f};
    fixed.tag = "A, 60";
    fixed.displacements.flags[0] = 1;
    fixed.displacements.sets = std::make_unique<DisplacementSets>();
    fixed.displacements.sets->values[1] = 0.5f;
    const int tee = AddRow(model, 70, ElementType::Pipe, 24.0f);
    PutItem(model, tee, DataType::BranchSif);
    static_cast<BranchSif&>(*model.row(tee).item).type = 9;
    static_cast<BranchSif&>(*model.row(tee).item).dimension1 = 1.5f;
    model.seismic.g = {0.15f, 0.0f, 0.1f};
    WindData& wind = model.wind;
    wind.profileIsVelocity = 1;
    wind.loads[0].direction = {0.0f, 0.0f, 1.0f};
    wind.loads[0].velocityProfile = {{kExplicitZero, 60.0f}, {1200.0f, 100.0f}};
    ResponseSpectrum s;
    s.name = "S1, east";
    s.ordinateUnit = kOrdinateG;
    s.points = {{1.0f, 0.2f * 386.4f}, {10.0f, 0.8f * 386.4f}};
    SetLastSpectrum(model.spectra, s);
    SetDirectionSpectrum(model.spectrumLoad, 1, "S1, east", 1.5f);
    MakeModel(model);
    model.modified = false;
  }

  // Prints the List window's list or the Layout window's report (frame)
  // through the print sheet's `button` to `path`.
  void Print(HWND frame, const fs::path& path, int button) {
    std::string caption = "Print Model";
    if (frame == ListFrame().window) caption = "Print " + TableWindowPrintObject(ListTableWindow(0));
    platform::ExpectModal(platform::ModalKind::PropertySheet, caption,
                          [button](HWND sheet) { Click(GetDlgItem(sheet, button)); });
    if (button == IDOK) {
      platform::ExpectModal(platform::ModalKind::CommonDialog, "Print", [path](HWND dialog) {
        SetDlgItemText(dialog, edt3, path.c_str());
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
      });
    } else {
      platform::ExpectModal(platform::ModalKind::CommonDialog, "Print to File", [path](HWND dialog) {
        SetDlgItemText(dialog, edt1, path.c_str());
        SendMessage(dialog, WM_COMMAND, IDOK, 0);
      });
      platform::ExpectModal(platform::ModalKind::Dialog, "INFO_DIALOG", [](HWND) {});
    }
    SendMessage(frame, WM_COMMAND, 106, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
  }
};

struct PrintedList {
  const char* name;
  ListOpener opener;  // null: the Layout window's model report
};

const PrintedList kLists[] = {{"layout", nullptr},
                              {"coordinates", OpenNodeList},
                              {"materials", OpenMaterialsTable},
                              {"sections", OpenSectionsTable},
                              {"loads", OpenPipeLoadsTable},
                              {"displacements", OpenSpecifiedDisplacementsTable},
                              {"spectra", OpenSpectraTable},
                              {"anchors", OpenAnchorsList},
                              {"restraints", OpenRestraintsList},
                              {"sifs", OpenBranchSifsList},
                              {"bends", OpenBendsList}};

HWND FrameOf(const PrintedList& list) {
  if (list.opener == nullptr) return LayoutFrame().window;
  ShowListByOpener(list.opener);
  platform::RunUntilIdle();
  return ListFrame().window;
}

TEST_F(PrintedListsTest, EveryListPrintsOnPaperWithNoTextOverAnother) {
  ASSERT_TRUE(HasPoppler()) << "pdftotext (poppler-utils) is not installed";
  // The English units, then each kind's last (and mostly longest) unit.
  for (const bool last : {false, true}) {
    for (int kind = 1; kind <= kUnitKindCount; ++kind) g_UnitsSettings.unit[kind] = last ? UnitCount(kind) - 1 : 0;
    for (const PrintedList& list : kLists) {
      const fs::path pdf = folder_ / (std::string(list.name) + (last ? "-last" : "") + ".pdf");
      Print(FrameOf(list), pdf, IDOK);
      const std::vector<PdfPage> pages = PdfWords(pdf);
      ASSERT_FALSE(pages.empty()) << pdf;
      EXPECT_EQ(Collisions(pages), std::vector<std::string>{}) << pdf;
    }
  }
  // The widest grids, in the largest report font, keep their last columns
  // on the page.
  TextPrinter().fontSize = 140;
  TheModel().options.UseB31J = 1;
  const std::pair<PrintedList, const char*> wide[] = {{kLists[7], "GCS"}, {kLists[10], "Torsion"}};
  for (const auto& [list, last] : wide) {
    const fs::path pdf = folder_ / (std::string(list.name) + "-large.pdf");
    Print(FrameOf(list), pdf, IDOK);
    const std::vector<PdfPage> pages = PdfWords(pdf);
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(Collisions(pages), std::vector<std::string>{}) << pdf;
    EXPECT_NE(FindWord(pages[0], last), nullptr) << pdf;
  }
  TheModel().options.UseB31J = 0;
  TextPrinter().fontSize = 100;
  g_UnitsSettings = UnitsSettings{};
  // The second heading line sits between the first and the first row.
  const std::vector<PdfPage> sections = PdfWords(folder_ / "sections.pdf");
  const Word* od = FindWord(sections[0], "OD");
  ASSERT_NE(od, nullptr);
  const Word* unit = FindWord(sections[0], "(inch)", od->top);
  const Word* value = FindWord(sections[0], "4.5");
  ASSERT_NE(unit, nullptr);
  ASSERT_NE(value, nullptr);
  EXPECT_GT(unit->top, od->bottom - 0.25 * (od->bottom - od->top));
  EXPECT_GT(value->top, unit->bottom);
  // The material's density line is below its heading bar's title.
  const std::vector<PdfPage> materials = PdfWords(folder_ / "materials.pdf");
  const Word* title = FindWord(materials[0], "material");
  const Word* density = FindWord(materials[0], "Density");
  ASSERT_NE(title, nullptr);
  ASSERT_NE(density, nullptr);
  EXPECT_GT(density->top, title->bottom);
}

TEST_F(PrintedListsTest, ListsOverManyPagesRepeatTheirHeadingsClear) {
  ASSERT_TRUE(HasPoppler()) << "pdftotext (poppler-utils) is not installed";
  Model& model = TheModel();
  for (int i = 0; i < 120; ++i) {
    const int row = AddRow(model, 1000 + 10 * i, ElementType::Pipe, 12.0f);
    if (i % 2 == 0) {
      PutItem(model, row, DataType::Anchor);
      static_cast<Anchor&>(*model.row(row).item).tag = "A" + std::to_string(i);
    }
  }
  Material& steel = model.materials[1];
  steel.numtemps = 30;
  steel.temps.resize(31);
  for (int t = 1; t <= 30; ++t) steel.temps[static_cast<std::size_t>(t)].values = {-20.0f + 25.0f * t, 2.9e7f, 6.0e-6f, 2.0e4f, 0, 0, 0, 0};
  MakeModel(model);
  for (const PrintedList& list : {kLists[0], kLists[7]}) {
    const fs::path pdf = folder_ / (std::string(list.name) + "-long.pdf");
    Print(FrameOf(list), pdf, IDOK);
    const std::vector<PdfPage> pages = PdfWords(pdf);
    ASSERT_GE(pages.size(), 2u) << pdf;
    EXPECT_EQ(Collisions(pages), std::vector<std::string>{}) << pdf;
  }
}

TEST_F(PrintedListsTest, NoRuleRunsThroughAPrintedText) {
  // Ten thermal loads: the specified displacements print ten lines an
  // entry, with a rule between each two.
  for (const int thermal : {1, 10}) {
    TheModel().options.ThermalLoadCount = thermal;
    static_cast<Anchor&>(*TheModel().row(7).item).DisplacementsInPipeLcs = 1;
    MakeModel(TheModel());
    for (const PrintedList& list : kLists)
      EXPECT_EQ(RulesThroughTexts(FrameOf(list)), std::vector<std::string>{}) << list.name << ", " << thermal;
  }
}

TEST_F(PrintedListsTest, TextReportsKeepTheirRulesOnLinesOfTheirOwn) {
  for (const PrintedList& list : kLists) {
    const fs::path path = folder_ / (std::string(list.name) + ".txt");
    Print(FrameOf(list), path, 1002);
    std::istringstream lines(ReadFile(path));
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
      ++number;
      if (line.find("---") != std::string::npos) {
        EXPECT_EQ(line.find_first_not_of("- \f"), std::string::npos) << path << " line " << number << ": " << line;
      }
      EXPECT_LE(line.size(), 151u) << path << " line " << number;
    }
  }
  // The first temperature row of the material, under its rule: -20 F ends at column 10.
  const std::string materials = ReadFile(folder_ / "materials.txt");
  EXPECT_NE(materials.find("\n     " + std::string(43, '-') + "\n       -20     29.5E+6"), std::string::npos) << materials;
}

TEST_F(PrintedListsTest, CommaSeparatedReportsKeepEveryFreeTextInOneCell) {
  for (const PrintedList& list : kLists) {
    const fs::path path = folder_ / (std::string(list.name) + ".csv");
    Print(FrameOf(list), path, 1002);
  }
  auto rows = [this](const char* name) { return CsvRows(ReadFile(folder_ / (std::string(name) + ".csv"))); };
  const auto layout = rows("layout");
  for (const char* cell : {"Plant, unit 1", "Cooling water, unit 2", "Pump room, east side",
                           "Material CS: Carbon steel, A106 B", "Spectrum = S1, east", "S1, east", "A, 60", "R, 1"})
    EXPECT_TRUE(HasCell(layout, cell)) << cell;
  // The comment row: its number, then its text.
  auto comment = std::find_if(layout.begin(), layout.end(), [](const auto& row) {
    return row.size() >= 2 && row[1] == "Pump room, east side";
  });
  ASSERT_NE(comment, layout.end());
  EXPECT_EQ(comment->at(0), "    5");
  EXPECT_EQ(comment->size(), 3u);  // and the empty cell after the last comma
  EXPECT_TRUE(HasCell(rows("materials"), "Material CS: Carbon steel, A106 B"));
  const auto spectra = rows("spectra");
  auto spectrum = std::find_if(spectra.begin(), spectra.end(),
                               [](const auto& row) { return !row.empty() && row[0] == "Spectrum = S1, east"; });
  ASSERT_NE(spectrum, spectra.end());
  EXPECT_EQ(*spectrum, (std::vector<std::string>{"Spectrum = S1, east", " Interpolation", "1 = Linear", "2 = Linear", ""}));
  EXPECT_TRUE(HasCell(rows("anchors"), "A, 60"));
  EXPECT_TRUE(HasCell(rows("restraints"), "R, 1"));
  // The heading of every report: the model file and the model title whole.
  for (const PrintedList& list : kLists) {
    const auto report = rows(list.name);
    ASSERT_GE(report.size(), 2u) << list.name;
    EXPECT_EQ(report[0], (std::vector<std::string>{"Quorvel", "Plant, unit 1"})) << list.name;
    EXPECT_EQ(report[1].at(1), "Cooling water, unit 2") << list.name;
  }
}

// The exports of the Materials and Spectrums lists (File > Export): the
// title lines whole in one cell, the texts in UTF-8.
TEST_F(PrintedListsTest, ExportsKeepTheirTitlesInOneCellAndWriteUtf8) {
  TheModel().materials[1].description = "Carbon steel, A106 B, r\xE9sistant";  // Windows-1252
  TheModel().spectra[0].name = "S\xE9, east";
  auto exportList = [this](ListOpener opener, const char* name) {
    ShowListByOpener(opener);
    platform::RunUntilIdle();
    const fs::path path = folder_ / name;
    platform::ExpectModal(platform::ModalKind::CommonDialog, "Export to Comma Separated Values file",
                          [path, name](HWND dialog) {
                            char proposed[64] = {};
                            GetDlgItemText(dialog, edt1, proposed, sizeof proposed);
                            EXPECT_STREQ(proposed, name);
                            SetDlgItemText(dialog, edt1, path.c_str());
                            SendMessage(dialog, WM_COMMAND, IDOK, 0);
                          });
    SendMessage(ListFrame().window, WM_COMMAND, 351, 0);
    platform::RunUntilIdle();
    platform::CheckModalScript();
    return CsvRows(ReadFile(path));
  };
  const auto materials = exportList(OpenMaterialsTable, "Materials.csv");
  ASSERT_GE(materials.size(), 6u);
  EXPECT_EQ(materials[0], (std::vector<std::string>{"Material CS: Carbon steel, A106 B, r\xC3\xA9sistant"}));
  EXPECT_EQ(materials[1], (std::vector<std::string>{"Density = " + std::string(FormatDensity(0.283f)) + " (lb/in3)"}));
  EXPECT_EQ(materials[6].at(0), "-20");  // the first temperature row, after the headings and units
  const auto spectra = exportList(OpenSpectraTable, "Spectrums.csv");
  ASSERT_FALSE(spectra.empty());
  EXPECT_EQ(spectra[0], (std::vector<std::string>{"Spectrum = ", "S\xC3\xA9, east"}));
}

}  // namespace
