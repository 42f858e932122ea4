// The HPGL, DXF and EPS exports, their settings dialogs and the dispatch of
// "Print Graphics to File" (see GraphicsExport.h).
#include "graphics/GraphicsExport.h"


#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "graphics/EmfFile.h"
#include "graphics/GraphicsPrinter.h"
#include "graphics/GraphicsThread.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/ViewCommands.h"
#include "graphics/ViewExtents.h"
#include "model/Drawing2D.h"
#include "model/Model.h"
#include "model/RowDrawing.h"
#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/FileNames.h"
#include "platform/Gdi.h"
#include "platform/SiblingTemporary.h"
#include "records/GraphicsSettings.h"
#include "results/ShapeOverlay.h"
#include "services/DialogHelper.h"
#include "services/DialogHook.h"
#include "services/FileDialogs.h"
#include "services/Message.h"
#include "services/NumberText.h"
#include "services/ProgramContext.h"
#include "services/WindowUtilities.h"

namespace {

// --- the file -------------------------------------------------------------------------

// The file's text, built whole before anything reaches the disk; "\n"
// becomes CR LF on writing.
class FileText {
 public:
  // Bytes written as they are (else each line ends in CR LF).
  bool binary = false;
  void Put(const std::string& text) { text_ += text; }
  template <typename... Args>
  void Format(const char* format, Args... args) {
    char buffer[256];
    const int length = std::snprintf(buffer, sizeof buffer, format, args...);
    if (length > 0) text_.append(buffer, static_cast<std::size_t>(std::min<int>(length, sizeof buffer - 1)));
  }
  // Writes a new file beside the target and puts it in its place: a
  // failure leaves the target as it was. The message names the file.
  bool WriteTo(const std::string& path, const char* openMessage, std::string& error) const {
    // An export killed earlier left its temporary beside the target: gone now.
    platform::RemoveStaleTemporaries(path);
    platform::SiblingTemporary temporary(path, 0644);
    if (!temporary.ok()) {
      error = std::string(openMessage) + "\n" + path;
      return false;
    }
    std::string bytes;
    bytes.reserve(text_.size() + text_.size() / 16);
    for (char c : text_) {
      if (c == '\n' && !binary) bytes += '\r';
      bytes += c;
    }
    if (!temporary.Write(bytes) || !temporary.Commit()) {
      error = "Unable to write " + path;
      return false;
    }
    return true;
  }

 private:
  std::string text_;
};

// --- HPGL -----------------------------------------------------------------------------

// A view point in thousandths of an inch of the drawing area.
struct PlotPoint {
  double x, y;
};
PlotPoint Plot(float x, float y) {
  return {(x - ViewWindow.left) * static_cast<double>(GraphicsScale) * 1000.0,
          (y - ViewWindow.bottom) * static_cast<double>(GraphicsScale) * 1000.0};
}

class PlotWriter : public GraphicsFileWriter {
 public:
  explicit PlotWriter(FileText& file) : file_(file) {}
  void LineType(bool dashed) override { file_.Put(dashed ? "LT2,1,1;\n" : "LT;\n"); }
  void Line(float x1, float y1, float x2, float y2) override {
    const PlotPoint a = Plot(x1, y1), b = Plot(x2, y2);
    file_.Format("SP1;PU%.2f,%.2f;PD%.2f,%.2fPU;\n", a.x, a.y, b.x, b.y);
  }
  void Text(float x, float y, const std::string& text) override {
    const PlotPoint a = Plot(x, y);
    file_.Format("SP1;PU%.2f,%.2f;LB", a.x, a.y);
    file_.Put(PlainFileText(text));
    file_.Put("\x03\n");
  }
  void Mark(float x, float y) override {
    const float h = 0.3f * ArrowHeadWidth / GraphicsScale;
    Line(x - h, y - h, x + h, y - h);
    Line(x + h, y - h, x + h, y + h);
    Line(x + h, y + h, x - h, y + h);
    Line(x - h, y + h, x - h, y - h);
  }
  void ArrowHead(float x, float y, float ux, float uy, bool doubled) override {
    const float length = ArrowHeadLength / GraphicsScale, w = ArrowHeadWidth * 0.5f / GraphicsScale;
    for (int head = 0; head < (doubled ? 2 : 1); ++head) {
      const float tx = x - head * length * ux, ty = y - head * length * uy;
      const float bx = tx - length * ux, by = ty - length * uy;
      Line(tx, ty, bx - w * uy, by + w * ux);
      Line(bx - w * uy, by + w * ux, bx + w * uy, by - w * ux);
      Line(bx + w * uy, by - w * ux, tx, ty);
    }
  }
  void Bezier(const float[4], const float[4]) override {}

 private:
  FileText& file_;
};

// --- DXF ------------------------------------------------------------------------------

struct DxfPoint {
  double x, y;
};
DxfPoint Dxf(float x, float y) {
  return {(x - ViewWindow.left) * static_cast<double>(GraphicsScale) + 0.5,
          (y - ViewWindow.bottom) * static_cast<double>(GraphicsScale) + 0.5};
}
constexpr double kDxfTextSize = 0.09;

class DxfWriter : public GraphicsFileWriter {
 public:
  explicit DxfWriter(FileText& file) : file_(file) {}
  std::string layer = "0";
  void LineType(bool dashed) override { dashed_ = dashed; }
  void Line(float x1, float y1, float x2, float y2) override {
    const DxfPoint a = Dxf(x1, y1), b = Dxf(x2, y2);
    Lines({"  0", "LINE", "  8", layer});
    if (dashed_) Lines({"  6", "DASHED"});
    Pair(" 10", a.x, "%.6f");
    Pair(" 20", a.y, "%.6f");
    Pair(" 11", b.x, "%.6f");
    Pair(" 21", b.y, "%.6f");
  }
  void Text(float x, float y, const std::string& text) override {
    const DxfPoint a = Dxf(x, y);
    Lines({"  0", "TEXT", "  8", layer});
    Pair(" 10", a.x, "%.6f");
    Pair(" 20", a.y, "%.6f");
    Pair(" 40", kDxfTextSize, "%.6f");
    Lines({"  1", PlainFileText(text)});
  }
  void Mark(float x, float y) override {
    const float h = 0.3f * ArrowHeadWidth / GraphicsScale;
    Solid({x - h, x + h, x - h, x + h}, {y - h, y - h, y + h, y + h});
  }
  void ArrowHead(float x, float y, float ux, float uy, bool doubled) override {
    const float length = ArrowHeadLength / GraphicsScale, w = ArrowHeadWidth * 0.5f / GraphicsScale;
    for (int head = 0; head < (doubled ? 2 : 1); ++head) {
      const float tx = x - head * length * ux, ty = y - head * length * uy;
      const float bx = tx - length * ux, by = ty - length * uy;
      Solid({tx, bx - w * uy, bx + w * uy, bx + w * uy}, {ty, by + w * ux, by - w * ux, by - w * ux});
    }
  }
  void Bezier(const float[4], const float[4]) override {}
  void Lines(std::initializer_list<std::string> lines) {
    for (const std::string& line : lines) file_.Put(line + "\n");
  }
  void Pair(const char* code, double value, const char* format) {
    file_.Put(std::string(code) + "\n");
    file_.Format(format, value);
    file_.Put("\n");
  }

 private:
  void Solid(std::initializer_list<float> xs, std::initializer_list<float> ys) {
    Lines({"  0", "SOLID", "  8", layer});
    static const char* const kCodes[4][2] = {{" 10", " 20"}, {" 11", " 21"}, {" 12", " 22"}, {" 13", " 23"}};
    auto x = xs.begin();
    auto y = ys.begin();
    for (int i = 0; i < 4; ++i, ++x, ++y) {
      const DxfPoint p = Dxf(*x, *y);
      Pair(kCodes[i][0], p.x, "%.3f");
      Pair(kCodes[i][1], p.y, "%.3f");
    }
  }
  FileText& file_;
  bool dashed_ = false;
};

// --- EPS ------------------------------------------------------------------------------

struct EpsPoint {
  double x, y;
};
EpsPoint Eps(float x, float y) {
  return {(x - ViewWindow.left) * static_cast<double>(GraphicsScale) + 72.0,
          (y - ViewWindow.bottom) * static_cast<double>(GraphicsScale) + 72.0};
}

class EpsWriter : public GraphicsFileWriter {
 public:
  explicit EpsWriter(FileText& file) : file_(file) {}
  void LineType(bool dashed) override { file_.Put(dashed ? "[2 ]0 setdash\n" : "[]0 setdash\n"); }
  void Line(float x1, float y1, float x2, float y2) override {
    MoveTo(x1, y1);
    LineTo(x2, y2);
    file_.Put("stroke\n");
  }
  void Text(float x, float y, const std::string& text) override {
    MoveTo(x, y);
    file_.Put("(" + EpsFileText(text) + ") show\n");
  }
  void Mark(float x, float y) override {
    const float h = ArrowHeadWidth * 0.5f / GraphicsScale * 0.5f;
    MoveTo(x - h, y - h);
    LineTo(x + h, y - h);
    LineTo(x + h, y + h);
    LineTo(x - h, y + h);
    LineTo(x - h, y - h);
    file_.Put("fill\n");
  }
  void ArrowHead(float x, float y, float ux, float uy, bool doubled) override {
    const float length = ArrowHeadLength / GraphicsScale, w = ArrowHeadWidth * 0.5f / GraphicsScale;
    for (int head = 0; head < (doubled ? 2 : 1); ++head) {
      const float tx = x - head * length * ux, ty = y - head * length * uy;
      const float bx = tx - length * ux, by = ty - length * uy;
      MoveTo(tx, ty);
      LineTo(bx - w * uy, by + w * ux);
      LineTo(bx + w * uy, by - w * ux);
      LineTo(tx, ty);
      file_.Put("fill\n");
    }
  }
  void Bezier(const float xs[4], const float ys[4]) override {
    MoveTo(xs[0], ys[0]);
    for (int i = 1; i < 4; ++i) {
      const EpsPoint p = Eps(xs[i], ys[i]);
      file_.Format("%.2f %.2f ", p.x, p.y);
    }
    file_.Put("curveto stroke\n");
  }

 private:
  void MoveTo(float x, float y) {
    const EpsPoint p = Eps(x, y);
    file_.Format("%.2f %.2f moveto\n", p.x, p.y);
  }
  void LineTo(float x, float y) {
    const EpsPoint p = Eps(x, y);
    file_.Format("%.2f %.2f lineto\n", p.x, p.y);
  }
  FileText& file_;
};

// --- the export frame -----------------------------------------------------------------

// Sets one output flag and its writer for the life of an export and gives
// the view settings back, however the export ends.
class ExportScope {
 public:
  ExportScope(bool& flag, GraphicsFileWriter& writer) : flag_(flag) {
    SaveViewSettings();
    flag_ = true;
    SetGraphicsFileWriter(&writer);
  }
  ~ExportScope() {
    SetGraphicsFileWriter(nullptr);
    flag_ = false;
    RestoreViewSettings();
    InvalidatePicture(false);
  }
  ExportScope(const ExportScope&) = delete;
  ExportScope& operator=(const ExportScope&) = delete;

 private:
  bool& flag_;
};

// The title line above the picture: the plot title at the left, the model
// name at the right.
void TitleLine(float y) {
  DrawText2(ViewWindow.left, y, PlotTitle());
  const std::string name = GetModelName();
  float width = 0.0f, height = 0.0f;
  TextExtent2(name, width, height);
  DrawText2(ViewWindow.right - width, y, name);
}

// The sizes of the drawing layer for a drawing area measured in inches
// (HPGL and DXF).
void SizesForInches(float width, float height) {
  FitViewToArea(width, height);
  ArrowLength = 0.35f;
  ArrowHeadLength = 0.105f;
  ArrowHeadWidth = 0.063f;
  GraphicsScaleCopy = GraphicsScale * 90.0f;
  Size6Px = 6.0f / GraphicsScaleCopy;
  Size8Px = 8.0f / GraphicsScaleCopy;
  Size10Px = 10.0f / GraphicsScaleCopy;
  Size12Px = 12.0f / GraphicsScaleCopy;
  Size7Px = 0.0f;
  Size4Px = 0.02f / GraphicsScale;
  LabelOffsetX = LabelOffsetY = 0.05f / GraphicsScale;
  TextExtent2("1234", LabelSampleWidth, LabelSampleHeight);
  ComputeViewExtents();
}

void Written(HWND owner, const char* notice) { ShowNotice(owner, notice); }

bool Finish(HWND owner, const FileText& file, const std::string& path, const char* openMessage, const char* notice) {
  std::string error;
  if (!file.WriteTo(path, openMessage, error)) {
    ShowErrorMessage(owner, error);
    return false;
  }
  Written(owner, notice);
  return true;
}

void DxfLayerRecord(DxfWriter& writer, const char* name, bool on) {
  writer.Lines({"  0", "LAYER", "  2", name, " 70", "0", " 62", on ? "7" : "-7", "  6", "CONTINUOUS"});
}

const char* DxfDataLayer(DataType type) {
  switch (static_cast<int>(type)) {
    case 1: return "ANCHORS";
    case 2: return "RESTRAINTS";
    case 3: return "SKEWED_RESTRAINTS";
    case 4: return "HANGERS";
    case 5: return "GUIDES";
    case 6: return "LIMIT_STOPS";
    case 7: return "NOZZLES";
    case 8: return "SNUBBERS";
    case 9: return "SPIDERS";
    case 10: return "END_CAPS";
    case 11: return "FLANGES";
    case 16: return "FORCES";
    case 17: return "CMASSES";
    default: return "OTHER";
  }
}

void DxfEntities(DxfWriter& writer) {
  Model& model = TheModel();
  writer.layer = "BORDER";
  DrawRectangle2(ViewWindow.left, ViewWindow.bottom, ViewWindow.right, ViewWindow.top);
  writer.layer = "TITLE";
  TitleLine(ViewWindow.top + 0.07f / GraphicsScale);
  writer.layer = "AXES";
  DrawAxesTriad();
  writer.layer = "ELEMENTS";
  for (int number = 1; number <= model.rowCount; ++number) DrawRowElementIfVisible(model, number);
  for (int number = 1; number <= model.rowCount; ++number) {
    LayoutRow& row = model.row(number);
    if (row.endNode == 0 || row.endNode > model.nodes.count || !row.item || !row.drawn) continue;
    if (!DataItemShown(model.graphics, row.dataType)) continue;
    writer.layer = DxfDataLayer(row.dataType);
    DrawRowDataItemSymbol(model, number);
  }
  writer.layer = "LENGTHS";
  if (model.graphics.showLengths != 0)
    for (int number = 1; number <= model.rowCount; ++number) DrawRowLengthLabel(model, number);
  writer.layer = "NODE-DOTS";
  DrawNodeDots(model, model.graphics.show[kShowNodeDots] != 0);
  writer.layer = "NODES";
  DrawNodeNumbers(model);
  writer.layer = "ROW_NUMBERS";
  if (model.graphics.showRowNumbers != 0)
    for (int number = 1; number <= model.rowCount; ++number) DrawRowNumberLabel(model, number);
  // The deflected or mode shape the window shows, dashed among the elements.
  writer.layer = "ELEMENTS";
  DrawShapeOverlay(true);
}

std::string FixedText(double value) { return FormatFixedWidth(value, 20, 4); }

DrawingSize g_DrawingSize;

// The program's texts are Windows-1252 bytes; Helvetica's standard
// encoding would draw its letters above 127 blank or as other glyphs, and
// its quote as a curly one (the feet mark). The font is re-encoded to that
// character set: ISO Latin-1 with the straight quote and grave accent in
// ASCII, a hyphen for the minus sign, and 128 to 159 as Windows has them.
constexpr const char* kEpsFontPrologue =
    "/QvEncoding ISOLatin1Encoding 256 array copy def\n"
    "QvEncoding 39 /quotesingle put\n"
    "QvEncoding 45 /hyphen put\n"
    "QvEncoding 96 /grave put\n"
    "QvEncoding 128 [/Euro /.notdef /quotesinglbase /florin /quotedblbase /ellipsis /dagger /daggerdbl\n"
    " /circumflex /perthousand /Scaron /guilsinglleft /OE /.notdef /Zcaron /.notdef /.notdef /quoteleft\n"
    " /quoteright /quotedblleft /quotedblright /bullet /endash /emdash /tilde /trademark /scaron\n"
    " /guilsinglright /oe /.notdef /zcaron /Ydieresis] putinterval\n"
    "/Helvetica findfont dup length dict begin\n"
    " {1 index /FID ne {def} {pop pop} ifelse} forall\n"
    " /Encoding QvEncoding def currentdict\n"
    "end /Helvetica-Qv exch definefont pop\n"
    "/Helvetica-Qv findfont\n9 scalefont\nsetfont\n";

std::string g_LastGraphicsFile;
std::string g_GraphicsExtension = "emf";

}  // namespace

std::string PlainFileText(const std::string& text) {
  std::string plain;
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) plain += c;
  return plain;
}

std::string EpsFileText(const std::string& text) {
  std::string escaped;
  for (char c : PlainFileText(text)) {
    if (c == '(' || c == ')' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

void DrawingArea(const DrawingSize& size, bool dxf, float& width, float& height) {
  static const float kPlot[10][2] = {{9.8f, 6.9f},   {15.8f, 9.4f},  {20.8f, 15.4f}, {32.8f, 20.4f}, {42.8f, 32.4f},
                                     {10.5f, 6.6f},  {15.3f, 10.0f}, {22.1f, 14.9f}, {31.8f, 21.6f}, {45.6f, 31.5f}};
  static const float kDxf[10][2] = {{10.0f, 7.3f},  {16.0f, 9.8f},  {21.0f, 15.8f}, {33.0f, 20.8f}, {43.0f, 32.8f},
                                    {10.7f, 7.05f}, {15.5f, 10.4f}, {22.3f, 15.3f}, {32.0f, 22.0f}, {45.8f, 31.9f}};
  const int index = size.index >= 0 && size.index <= 9 ? size.index : 0;
  width = (dxf ? kDxf : kPlot)[index][0];
  height = (dxf ? kDxf : kPlot)[index][1];
  if (size.portrait) std::swap(width, height);
}

void FitViewToArea(float width, float height) {
  ViewLimits& view = ViewWindow;
  const float viewWidth = view.right - view.left, viewHeight = view.top - view.bottom;
  const float s = std::min(width / viewWidth, height / viewHeight);
  const float dx = std::fabs(width / s - viewWidth), dy = std::fabs(height / s - viewHeight);
  if (dy <= dx) {
    const float d = (width / (height / viewHeight) - viewWidth) * 0.5f;
    view.left -= d;
    view.right += d;
  } else {
    const float d = (height / (width / viewWidth) - viewHeight) * 0.5f;
    view.bottom -= d;
    view.top += d;
  }
  SetGraphicsScale(width / (view.right - view.left));
}

bool WritePlotFile(HWND owner, const std::string& path) {
  FileText file;
  PlotWriter writer(file);
  {
    ExportScope scope(PltOutput, writer);
    file.Put("\x1b" "E" "\x1b" "&l1O" "\x1b" "%0B\n");
    file.Put("IN;IP500,500,1500,1500;\n");
    file.Put("SC0,1000,0,1000;SI0.16,0.25;\n");
    float width = 0.0f, height = 0.0f;
    DrawingArea(g_DrawingSize, false, width, height);
    if (g_DrawingSize.portrait) file.Put("RO90;\n");
    SizesForInches(width, height);
    const float m = 0.01f / GraphicsScale;
    DrawRectangle2(ViewWindow.left + m, ViewWindow.bottom + m, ViewWindow.right - m, ViewWindow.top - m);
    TitleLine(ViewWindow.top + 0.07f / GraphicsScale);
    const int margin = static_cast<int>(m * GraphicsScale * 1000.0f);
    file.Format("IW%d,%d,%d,%d;\n", margin, margin,
                static_cast<int>((ViewWindow.right - ViewWindow.left) * GraphicsScale * 1000.0f) - margin,
                static_cast<int>((ViewWindow.top - ViewWindow.bottom) * GraphicsScale * 1000.0f) - margin);
    PaintArea = ViewWindow;
    DrawModelWireframe();
    DrawShapeOverlay(true);
    file.Put("SP;PG;IN;\n\f\x1b" "E");
  }
  return Finish(owner, file, path, "Unable to open PLT file for output", "plt written.");
}

bool WriteDxfFile(HWND owner, const std::string& path) {
  FileText file;
  DxfWriter writer(file);
  {
    ExportScope scope(DxfOutput, writer);
    float width = 0.0f, height = 0.0f;
    DrawingArea(g_DrawingSize, true, width, height);
    SizesForInches(width, height);
    PaintArea = ViewWindow;
    writer.LineType(false);
    writer.Lines({"  0", "SECTION", "  2", "HEADER", "  9", "$LIMMIN", " 10", "0.4", " 20", "0.4", "  9", "$LIMMAX",
                  " 10", FixedText(width + 0.6), " 20", FixedText(height + 0.8), "  9", "$TEXTSIZE", " 40",
                  FixedText(kDxfTextSize), "  0", "ENDSEC"});
    writer.Lines({"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", " 70", "2"});
    writer.Lines({"  0", "LTYPE", "  2", "CONTINUOUS", " 70", "  0", "  3", "CONTINUOUS", " 72", "65", "  73", "0",
                  "  40", "0.0"});
    writer.Lines({"  0", "LTYPE", "  2", "DASHED", "  70", "0", "  3", "DASHED", "  72", "65", "  73", "2", "  40",
                  "0.06", "  49", "0.03", "49", "-0.03"});
    writer.Lines({"  0", "ENDTAB", "  0", "TABLE", "  2", "LAYER", " 70", "25"});
    static const char* const kLayers[] = {"0",       "BORDER",      "TITLE",    "AXES",       "ELEMENTS",
                                          "ANCHORS", "RESTRAINTS",  "SKEWED_RESTRAINTS", "HANGERS", "GUIDES",
                                          "LIMIT_STOPS", "NOZZLES", "SNUBBERS", "SPIDERS",    "END_CAPS",
                                          "FLANGES", "FORCES",      "CMASSES",  "OTHER",      "NODES",
                                          "NODE-DOTS", "LENGTHS",   "ROW_NUMBERS"};
    for (const char* layer : kLayers) {
      const std::string name = layer;
      DxfLayerRecord(writer, layer, name != "FORCES" && name != "OTHER" && name != "LENGTHS" && name != "ROW_NUMBERS");
    }
    writer.Lines({"  0", "ENDTAB", "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES"});
    DxfEntities(writer);
    writer.Lines({"  0", "ENDSEC", "  0", "EOF"});
  }
  return Finish(owner, file, path, "Unable to open DXF file for output", "dxf written.");
}

bool WriteEpsFile(HWND owner, const std::string& path) {
  FileText file;
  EpsWriter writer(file);
  const bool manual = std::getenv("QVMANUAL") != nullptr;
  const float frameWidth = manual ? 5.2f : 6.5f, frameHeight = 9.0f;
  const float lineWidth = manual ? 0.75f : 0.65f;
  {
    ExportScope scope(EpsOutput, writer);
    const float viewWidth = ViewWindow.right - ViewWindow.left, viewHeight = ViewWindow.top - ViewWindow.bottom;
    SetGraphicsScale(std::min(72.0f * frameWidth / viewWidth, 72.0f * frameHeight / viewHeight));
    GraphicsScaleCopy = GraphicsScale * 1.5f;
    MarkSizePx = 3;
    Size6Px = 6.0f / GraphicsScaleCopy;
    Size8Px = 8.0f / GraphicsScaleCopy;
    Size10Px = 10.0f / GraphicsScaleCopy;
    Size12Px = 12.0f / GraphicsScaleCopy;
    SetArrowSize(80.0f);
    // The labels stand off as a 9 point font's do: half an average
    // character (2.1 points) across and a third of its height up.
    LabelOffsetX = 2.1f / GraphicsScale;
    LabelOffsetY = 3.25f / GraphicsScale;
    TextExtent2("1234", LabelSampleWidth, LabelSampleHeight);
    ComputeViewExtents();
    PaintArea = ViewWindow;
    file.Put("%!PS-Adobe-3.0 EPSF-3.0\n%%Creator:Quorvel\n%%DocumentProcessColors: Black\n");
    file.Put("%%DocumentFonts: Helvetica\n");
    file.Format("%%%%BoundingBox:70 70 %d %d\n", static_cast<int>(viewWidth * GraphicsScale + 0.5f) + 74,
                static_cast<int>(viewHeight * GraphicsScale + 0.5f) + 90);
    file.Put("%%EndComments\n");
    file.Put(kEpsFontPrologue);
    file.Format("%.2f setlinewidth\n", static_cast<double>(lineWidth));
    file.Put("0 setgray\n");
    DrawRectangle2(ViewWindow.left, ViewWindow.bottom, ViewWindow.right, ViewWindow.top);
    TitleLine(ViewWindow.top + 3.8f / GraphicsScale);
    const double right = viewWidth * GraphicsScale + 72.0, top = viewHeight * GraphicsScale + 72.0;
    file.Put("newpath\n72 72 moveto\n");
    file.Format("%.2f 72 lineto\n", right);
    file.Format("%.2f %.2f lineto\n", right, top);
    file.Format("72 %.2f lineto\n", top);
    file.Put("closepath\nclip\n");
    DrawModelWireframe();
    DrawShapeOverlay(true);
    file.Put("%%EOF\n");
  }
  return Finish(owner, file, path, "Unable to open EPS file for output", "eps written.");
}

bool WriteGraphicsMetafile(HWND owner, const std::string& path) {
  FileText file;
  file.binary = true;
  try {
    SIZE extent{};
    HENHMETAFILE picture = RecordWindowPicture(extent);
    file.Put(EnhancedMetafileBytes(picture));
    DeleteEnhMetaFile(picture);
  } catch (const std::string& text) {
    ShowErrorMessage(owner, text);
    return false;
  }
  return Finish(owner, file, path, "Unable to open EMF file for output", "emf written.");
}

bool WriteGraphicsFile(HWND owner, const std::string& path) {
  AdoptAndProject();
  const std::string extension = LowerExtension(path);
  if (extension == "plt") return WritePlotFile(owner, path);
  if (extension == "dxf") return WriteDxfFile(owner, path);
  if (extension == "eps") return WriteEpsFile(owner, path);
  if (extension == "emf") return WriteGraphicsMetafile(owner, path);
  ShowErrorMessage(owner, "File extension must be : emf, eps, dxf or plt");
  return false;
}

void PrintGraphicsToFile(HWND owner) {
  static const char kFilter[] =
      "Windows Enhanced Metafile (*.emf)\0*.emf\0Encapsulated PostScript (*.eps)\0*.eps\0DXF (*.dxf)\0*.dxf\0"
      "HPGL (*.plt)\0*.plt\0";
  const std::string& last = g_GraphicsExtension;
  const DWORD filterIndex = last == "eps" ? 2 : last == "dxf" ? 3 : last == "plt" ? 4 : 1;
  if (filterIndex == 1) g_GraphicsExtension = "emf";
  std::vector<char> name = FileNameBuffer(g_LastGraphicsFile);
  OPENFILENAME record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = owner;
  record.lpstrFilter = kFilter;
  record.nFilterIndex = filterIndex;
  record.lpstrFile = name.data();
  record.nMaxFile = static_cast<DWORD>(name.size());
  record.lpstrTitle = "Print Graphics to File";
  record.lpstrDefExt = g_GraphicsExtension.c_str();
  record.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!RunFileDialog(record, true)) return;
  g_LastGraphicsFile = name.data();
  const std::string extension = LowerExtension(g_LastGraphicsFile);
  if (!extension.empty()) g_GraphicsExtension = extension;
  WriteGraphicsFile(owner, g_LastGraphicsFile);
}

std::string PlotTitle() {
  const Model& model = TheModel();
  return model.graphics.plotTitleChosen ? model.graphics.plotTitle : model.title.substr(0, 48);
}

void SetPlotTitle(const std::string& title) {
  GraphicsSettings& settings = TheModel().graphics;
  settings.plotTitle = title.substr(0, 48);
  settings.plotTitleChosen = true;
  // The model the GUI thread owns keeps it for the next picture.
  if (OnGraphicsThread())
    PostGuiWork([title = settings.plotTitle] {
      TheModel().graphics.plotTitle = title;
      TheModel().graphics.plotTitleChosen = true;
    });
}

DrawingSize& TheDrawingSize() { return g_DrawingSize; }

namespace {

thread_local DialogHelper t_helper;

INT_PTR PlotTitleProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      t_helper = DialogHelper{};
      t_helper.DialogBind(dialog);
      t_helper.DialogSetItemTextAndLimit(1301, PlotTitle(), 48);
      CenterWindowOnParent(dialog, 0);
      t_helper.DialogSelectAndFocus(1301);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case 1001: t_helper.DialogSetItemText(1301, TheModel().title.substr(0, 48)); return TRUE;
        case IDOK:
          SetPlotTitle(t_helper.DialogReadItemText(1301));
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

constexpr const char* kSizeNames[10] = {"A Size (8.5 in x 11 in)",   "B Size (11 in x 17 in)",
                                        "C Size (17 in x 22 in)",    "D Size (22 in x 34 in)",
                                        "E Size (34 in x 44 in)",    "A4 Size (210 mm x 297 mm)",
                                        "A3 Size (297 mm x 420 mm)", "A2 Size (420 mm x 594 mm)",
                                        "A1 Size (594 mm x 841 mm)", "A0 Size (841 mm x 1189 mm)"};

INT_PTR DrawingSizeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      for (const char* name : kSizeNames) SendDlgItemMessage(dialog, 1201, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
      SendDlgItemMessage(dialog, 1201, CB_SETCURSEL, static_cast<WPARAM>(g_DrawingSize.index), 0);
      CheckRadioButton(dialog, 1401, 1402, g_DrawingSize.portrait ? 1401 : 1402);
      CenterWindowOnParent(dialog, 0);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: {
          const LRESULT chosen = SendDlgItemMessage(dialog, 1201, CB_GETCURSEL, 0, 0);
          if (chosen >= 0 && chosen <= 9) g_DrawingSize.index = static_cast<int>(chosen);
          g_DrawingSize.portrait = IsDlgButtonChecked(dialog, 1401) == BST_CHECKED;
          EndDialog(dialog, 1);
          return TRUE;
        }
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
      }
    default: return FALSE;
  }
}

}  // namespace

int PlotTitleDialog(HWND owner) {
  return static_cast<int>(DialogBoxParam(InstanceHandle, "PLOT_TITLE_DIALOG", owner, PlotTitleProc, 0));
}

int DrawingSizeDialog(HWND owner) {
  return static_cast<int>(DialogBoxParam(InstanceHandle, "DRAWING_SIZE_DIALOG", owner, DrawingSizeProc, 0));
}
