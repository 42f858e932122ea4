// The stress displays; see StressDisplays.h.
#include "results/StressDisplays.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "codes/CodeCategories.h"
#include "codes/CodeSettings.h"
#include "codes/CodeStressDriver.h"
#include "model/GraphicsState.h"
#include "model/Model.h"
#include "platform/Menu.h"
#include "results/FrpStresses.h"
#include "results/ResultPicture.h"
#include "results/SortedStressesTable.h"
#include "resultsfile/ResultCases.h"
#include "resultsfile/ResultNavigation.h"
#include "resultsfile/ResultsFile.h"
#include "services/Frame.h"
#include "services/NumberText.h"
#include "services/Units.h"
#include "services/ViewRequests.h"

namespace {

constexpr int kStressesCommand = 332, kRatiosCommand = 333;

bool g_Stresses = false, g_Ratios = false, g_ColourCodingOff = false;

int Code() {
  const CodeStressResults& r = TheCodeStresses();
  return r.cm != nullptr ? r.cm->settings.code : TheModel().options.PipingCode;
}
bool Occasional() { return TheCodeStresses().presence.occasional; }
bool InCodes(int code, std::initializer_list<int> codes) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::string CodeSuffix() { return " - Code:" + PipingCodeTitle(Code()); }

HMENU ViewPopup() { return ResultsFrame().menu != nullptr ? GetSubMenu(ResultsFrame().menu, 2) : nullptr; }

void SetItemText(int id, const char* text) {
  if (HMENU view = ViewPopup()) ModifyMenu(view, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(id), text);
}

void SetGraphicsCaption(const std::string& caption) {
  if (GraphicsFrame().window != nullptr) FrameSetTitle(GraphicsFrame(), caption);
}

std::string StressText(float value) { return std::string(FormatStress(value)) + " " + UnitLabel(kUnitStress); }

bool FrpShown() { return ResultsReopenCommand() == OpenSortedFrpStressesTable; }

// The value an end takes in the picture: a stress below 0 (a section
// without it) takes the scale's bottom.
float PictureValue(bool ratios, float stress, float ratio) { return ratios ? ratio : std::max(stress, 0.0f); }

// The picture of the current section (or FRP group): the value at both
// ends of every element it covers, the range, the labels of the sorted
// rows and the bar's texts.
std::shared_ptr<ResultPicture> MakePicture(bool ratios) {
  auto picture = std::make_shared<ResultPicture>();
  picture->ratios = ratios;
  picture->coloured = !g_ColourCodingOff;
  picture->jackets = g_JacketStresses;
  const ResultsFileContents& results = TheResults();
  float low = 0.0f, high = 0.0f;
  bool any = false;
  auto extend = [&](float v) {
    low = any ? std::min(low, v) : v;
    high = any ? std::max(high, v) : v;
    any = true;
  };
  if (FrpShown()) {
    // Entries 2k - 1 and 2k are the ends of FRP element k.
    for (std::size_t k = 1; k <= results.frpElements.size(); ++k) {
      const AnalysisElement& element = results.elements[static_cast<std::size_t>(results.frpElements[k - 1])];
      const FrpGroupValue start = FrpStressComponent(static_cast<int>(2 * k - 1));
      const FrpGroupValue end = FrpStressComponent(static_cast<int>(2 * k));
      picture->elements.push_back({element.kind, element.row, element.node1, element.node2,
                                   PictureValue(ratios, start.stress, start.ratio),
                                   PictureValue(ratios, end.stress, end.ratio)});
    }
    for (int row = 1; row <= FrpEntryCount(); ++row) {
      const FrpGroupValue v = FrpStressComponent(FrpSortedEntry(row));
      if (!v.formed) continue;
      picture->labels.push_back({v.node, ratios ? v.ratio : v.stress, v.ratio > 1.0f});
      extend(PictureValue(ratios, v.stress, v.ratio));
    }
  } else {
    auto value = [ratios](int node) {
      float stress = 0.0f, ratio = 0.0f;
      if (!SectionNodeValues(node, stress, ratio)) return 0.0f;
      return PictureValue(ratios, stress, ratio);
    };
    for (int e : results.stressElements) {
      const AnalysisElement& element = results.elements[static_cast<std::size_t>(e)];
      picture->elements.push_back({element.kind, element.row, element.node1, element.node2, value(element.node1),
                                   value(element.node2)});
    }
    // Stresses from the smallest to the largest of the sorted rows (the
    // rows are sorted by ratio, so both ends are looked for among them all).
    for (int row = 1; SortedRowNode(row) != 0; ++row) {
      float stress = 0.0f, ratio = 0.0f;
      const int node = SortedRowNode(row);
      if (!SectionNodeValues(node, stress, ratio)) continue;
      picture->labels.push_back({node, ratios ? ratio : stress, ratio > 1.0f});
      extend(PictureValue(ratios, stress, ratio));
    }
  }
  if (ratios) {
    low = 0.0f;
    high = 1.0f;
  }
  picture->minimum = low;
  picture->maximum = high;
  const float steps[5] = {high, (3.0f * high + low) / 4.0f, (high + low) / 2.0f, (high + 3.0f * low) / 4.0f, low};
  for (std::size_t i = 0; i < 5; ++i)
    picture->scaleTexts[i] = ratios ? std::string(FormatRatio(steps[i])) : StressText(steps[i]);
  return picture;
}

void Show(bool ratios) {
  HideHighlight();
  SetResultPicture(MakePicture(ratios));
  if (!g_ColourCodingOff) SetRenderModeOn();
  SetGraphicsCaption(ratios ? RatioLegendText() : StressLegendText());
  ShowHighlight();
}

void Hide() {
  HideHighlight();
  ClearResultPicture();
  if (!g_ColourCodingOff) SetRenderModeOff();
  SetGraphicsCaption("Graphics");
  ShowHighlight();
}

}  // namespace

bool StressDisplayShown() { return g_Stresses; }
bool RatioDisplayShown() { return g_Ratios; }
bool ColourCodingOff() { return g_ColourCodingOff; }

void ShowStresses() {
  if (g_Ratios) HideStressRatios();
  g_Stresses = true;
  SetItemText(kStressesCommand, "&Hide Stresses");
  SetResultsButtonPressed(kStressesCommand, true);
  Show(false);
}

void HideStresses() {
  if (!g_Stresses) return;
  g_Stresses = false;
  SetItemText(kStressesCommand, "&Show Stresses");
  SetResultsButtonPressed(kStressesCommand, false);
  Hide();
}

void ShowStressRatios() {
  if (g_Stresses) HideStresses();
  g_Ratios = true;
  SetItemText(kRatiosCommand, "&Hide Stress Ratios");
  SetResultsButtonPressed(kRatiosCommand, true);
  Show(true);
}

void HideStressRatios() {
  if (!g_Ratios) return;
  g_Ratios = false;
  SetItemText(kRatiosCommand, "Show Stress &Ratios");
  SetResultsButtonPressed(kRatiosCommand, false);
  Hide();
}

void ToggleColourCoding() {
  HideStressDisplays();
  g_ColourCodingOff = !g_ColourCodingOff;
}

void HideStressDisplays() {
  HideStresses();
  HideStressRatios();
}

void ApplyStressSection() {
  if (g_Stresses) Show(false);
  else if (g_Ratios) Show(true);
}

std::string StressLegendText() {
  if (FrpShown())
    return FrpGroupStressName(CurrentFrpGroup()) + UnitLabel(kUnitStress) + " - " + CurrentCaseTitle();
  const int code = Code();
  const bool pipeline = IsPipelineCode(code);
  std::string name;
  switch (CurrentStressSection()) {
    case 0:
      name = code == 0 ? "Von Mises stress " : pipeline && Occasional() ? "SL+SO " : code == 12 ? "Sustained stress " : "SL ";
      break;
    case 1: name = code == 0 ? "Maximum stress " : code == 12 ? "Expansion stress " : "SE "; break;
    case 2:
      name = code == 0 ? "Minimum stress "
             : InCodes(code, {4, 6}) ? "Seq "
             : code == 22 && Occasional() ? "SL+SO+SE "
                                            : "SL+SE ";
      break;
    case 3: name = code == 12 ? "Hot stress " : "SL+SO "; break;
    case 4: name = "SS "; break;
    case 5: name = "S5"; break;
    case 6: name = code == 5 ? "Oper. Stress for Impact Test " : "Operating Stress for NDE "; break;
    default: name = "Buried Stress (5.2.4)"; break;
  }
  return name + UnitLabel(kUnitStress) + CodeSuffix();
}

std::string RatioLegendText() {
  if (FrpShown()) return FrpGroupRatioName(CurrentFrpGroup()) + CurrentCaseTitle();
  const int code = Code();
  const bool nordic = InCodes(code, {13, 14, 18});
  std::string formula;
  switch (CurrentStressSection()) {
    case 0:
      if (code == 0) formula = "Von Mises stress ratio";
      else if (code == 6) formula = Occasional() ? "(SL+SO) / 0.75ST" : "SL / 0.75ST";
      else if (code == 4) formula = Occasional() ? "(SL+SO) / 0.80SY" : "SL / 0.75SY";
      else if (code == 22) formula = Occasional() ? "(SL+SO) / SFLT" : "SL / SFLT";
      else if (IsClass2Or3Code(code)) formula = "SL / 1.5SH";
      else if (code == 12) formula = "Sustained stress ratio";
      else formula = "SL / SH";
      break;
    case 1:
      if (code == 0) formula = "Maximum stress ratio";
      else if (code == 12) formula = "Expansion stress ratio";
      else formula = std::string("SE ") + (nordic ? "/ SR" : code == 22 ? "/0.72ST" : "/ SA");
      break;
    case 2:
      if (code == 0) formula = "Minimum stress ratio";
      else if (code == 6) formula = "(Seq) / 0.9ST";
      else if (code == 4) formula = "(Seq) / 0.9SY";
      else if (code == 22) formula = "(Sh-SL+SB) / ST";
      else formula = nordic ? "(SL+SE) / (SH+SR)" : "(SL+SE) / (SH+SA)";
      break;
    case 3: {
      if (code == 12) {
        formula = "Hot stress ratio";
        break;
      }
      const int level = std::clamp(static_cast<int>(TheModel().options.ServiceLevel), 0, 2);
      std::string allowable = "/ 1.2SH";
      if (InCodes(code, {3, 5, 7})) allowable = "/ 1.33SH";
      else if (InCodes(code, {19, 20})) allowable = "/ SH";
      else if (InCodes(code, {8, 15})) allowable = level == 0 ? "/ 1.2SH" : level == 1 ? "/ 1.8SH" : "/ 2.4SH";
      else if (IsClass2Or3Code(code)) allowable = level == 0 ? "/ 1.8SH" : level == 1 ? "/ 2.25SH" : "/ 3.0SH";
      formula = "(SL+SO) " + allowable;
      break;
    }
    case 4: formula = "SS / 3.0SC"; break;
    case 5: formula = "S5 / fCR"; break;
    case 6: formula = "Sopr / Sall"; break;
    default: formula = "SL / SLa"; break;
  }
  return formula + CodeSuffix();
}
