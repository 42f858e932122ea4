// The flange qualification document (see FlangeModel.h).
#include "evaluations/FlangeModel.h"

#include "model/Model.h"
#include "services/General.h"

const char* const kFlangeTypeListNames[kFlangeTypeListCount] = {
    "Integral Flanges", "Loose Flanges with Hubs", "Loose Flanges without Hubs", "Optional Flanges",
    "Reverse Flanges"};

const std::array<BoltSize, kBoltSizeCount> g_BoltSizes = {{
    {"1/2\"", 0.5f, 0.126f},     {"5/8\"", 0.625f, 0.202f},   {"3/4\"", 0.75f, 0.302f},
    {"7/8\"", 0.875f, 0.419f},   {"1\"", 1.0f, 0.551f},       {"1-1/8\"", 1.125f, 0.728f},
    {"1-1/4\"", 1.25f, 0.929f},  {"1-3/8\"", 1.375f, 1.155f}, {"1-1/2\"", 1.5f, 1.405f},
    {"1-5/8\"", 1.625f, 1.68f},  {"1-3/4\"", 1.75f, 1.98f},   {"1-7/8\"", 1.875f, 2.304f},
    {"2\"", 2.0f, 2.652f},       {"2-1/4\"", 2.25f, 3.423f},  {"2-1/2\"", 2.5f, 4.292f},
    {"2-3/4\"", 2.75f, 5.259f},  {"3\"", 3.0f, 6.324f},
}};

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

FlangeDocument& TheFlangeDocument() {
  static FlangeDocument document;
  return document;
}

void ResetFlangeData() {
  FlangeDocument& document = TheFlangeDocument();
  document.data = FlangeQualificationData{};
  document.results = FlangeResults{};
  document.analysed = false;
  SetFlangeModified(true);
}

void SetFlangeFilePath(const std::string& path) {
  FlangeDocument& document = TheFlangeDocument();
  document.path = path;
  std::size_t name = path.size();
  while (name > 0 && !IsSeparator(path[name - 1])) --name;
  document.folder = path.substr(0, name);
  if (path.empty()) {
    document.title = "Untitled";
    document.reportName.clear();
    return;
  }
  document.title = path.substr(name);
  if (!document.folder.empty()) AppendFolderInParens(document.title, document.folder);
  const std::size_t dot = path.find_last_of('.');
  document.reportName = (dot == std::string::npos || dot < name ? path : path.substr(0, dot)) + ".txt";
}

bool FlangeModified() { return TheModel().modified; }

void SetFlangeModified(bool modified) { TheModel().modified = modified; }
