// The branch SIF's record, copy and texts; see the header.
#include "elements/BranchSif.h"

#include "kindbase/KindRecord.h"
#include "model/Model.h"
#include "model/Nodes.h"
#include "records/AnalysisOptions.h"
#include "records/ModelFileFormat.h"
#include "services/BinaryFile.h"
#include "services/NameTables.h"
#include "services/Units.h"

namespace {

constexpr const char* kKind = "Branch SIF";
constexpr std::int32_t kCodeSwedish = 18;

bool Norwegian(std::int32_t code) { return code == 13 || code == 14; }

std::string Dimension(float value) { return std::string(FormatDimension(value)) + " " + UnitLabel(kUnitDimension); }

}  // namespace

BranchSif::BranchSif() : type(BranchSifTypeForCode(TheModel().options.PipingCode)) {}

void BranchSif::Read(BinaryFile& file) {
  BinaryFileReadInt(file, type);
  BinaryFileReadFloat(file, dimension1);
  BinaryFileReadFloat(file, dimension2);
  if (g_ModelFileVersion >= 781) BinaryFileReadInt(file, flanges);
  CheckKindRecord(file, kKind);
  CheckKindRange(type, 1, kBranchSifTypeLast, kKind, "branch SIF type");
  CheckKindRange(flanges, 0, 2, kKind, "flanges");
}

void BranchSif::Write(BinaryFile& file) const {
  BinaryFileWriteInt(file, type);
  BinaryFileWriteFloat(file, dimension1);
  BinaryFileWriteFloat(file, dimension2);
  BinaryFileWriteInt(file, flanges);
}

void BranchSif::CopyFrom(const DataItem& other) {
  const BranchSif& source = SameKind(*this, other);
  type = source.type;
  dimension1 = source.dimension1;
  dimension2 = source.dimension2;
  flanges = source.flanges;
}

std::string BranchSif::CellText(int column) const {
  if (column != 2) return {};
  const AnalysisOptions& options = TheModel().options;
  return BranchSifText(*this, options.PipingCode, options.UseB31J != 0);
}

std::string BranchSifLongName(std::int32_t type, std::int32_t code) {
  switch (type) {
    case 1: return "Welding tee";
    case 2: return code == 18 ? "Reinforced branch (Item 7)" : Norwegian(code) ? "Reinforced branch (Item 8)"
                                                                                : "Reinforced fabricated tee";
    case 3: return code == 18 ? "Unreinforced branch (Item 4)" : Norwegian(code) ? "Unreinforced branch (Item 5)"
                                                                                  : "Unreinforced fabricated tee";
    case 4: return "Extruded welding tee";
    case 5: return "Sweepolet (Welded-in contour insert)";
    case 6: return "Weldolet (Branch welded-on fitting)";
    case 7: return Norwegian(code) ? "Radiused branch (Item 6)" : "Radiused branch (Item 5)";
    case 8: return Norwegian(code) ? "Branch on thickened pipe (Item 7)" : "Branch on thickened pipe (Item 6)";
    case 9: return "Branch connection";
    default: return "???";
  }
}

std::string BranchSifText(const BranchSif& item, std::int32_t code, bool useB31J) {
  std::string text = BranchSifLongName(item.type, code);
  if (text == "???") return text;
  switch (item.type) {
    case 2:
      text += code == 18 ? ", Sp = " : Norwegian(code) ? ", Tp = " : ", pad thickness = ";
      text += Dimension(item.dimension1);
      break;
    case 4:
      if (code != 1 && code != 7) text += ", crotch radius = " + Dimension(item.dimension1);
      break;
    case 7:
      text += ", r = " + Dimension(item.dimension1);
      text += (Norwegian(code) ? ", Te = " : ", Se = ") + Dimension(item.dimension2);
      break;
    case 8:
      text += (Norwegian(code) ? ", Tf = " : ", Sf = ") + Dimension(item.dimension1);
      text += ", L = " + Dimension(item.dimension2);
      break;
    case 9:
      if (item.dimension1 != 0.0f) text += ", Branch radius (rp) = " + Dimension(item.dimension1);
      break;
    default: break;
  }
  if (useB31J) text += " ,No. of flanges = " + std::to_string(item.flanges);
  return text;
}

const std::vector<std::int32_t>& BranchSifTypesOffered(std::int32_t code, bool useB31J) {
  static const std::vector<std::int32_t> b31j = {1, 2, 3, 4, 5, 6};
  static const std::vector<std::int32_t> b311 = {1, 2, 3, 6, 4, 5, 9};
  static const std::vector<std::int32_t> asme = {1, 2, 3, 9};
  static const std::vector<std::int32_t> norwegian = {1, 3, 7, 8, 2};
  static const std::vector<std::int32_t> swedish = {3, 7, 8, 2};
  static const std::vector<std::int32_t> others = {1, 2, 3};
  if (useB31J) return b31j;
  switch (code) {
    case 3: case 6: case 16: case 21: return b31j;
    case 1: case 7: return b311;
    case 8: case 9: case 10: case 11: case 15: case 101: case 201: return asme;
    case 13: case 14: return norwegian;
    case 18: return swedish;
    default: return others;
  }
}

std::int32_t BranchSifTypeForCode(std::int32_t code) {
  return code == kCodeSwedish ? kBranchSifUnreinforced : kBranchSifWeldingTee;
}

std::string BranchSifNotValidText(std::int32_t type, std::int32_t code, std::int32_t node) {
  return "'Branch SIF = " + std::string(BranchTypeName(type)) + "' not valid for 'Piping Code = " +
         PipingCodeShortName(CodeListPosition(code)) + "' at Node " + NodeNumberText(node);
}

bool IsBranchSifTypeInvalidForCode(std::int32_t type, std::int32_t code, bool useB31J) {
  if (useB31J) return type >= 7;
  switch (code) {
    case 0: return false;
    case 1: case 7: return type == 7 || type == 8;
    case 3: case 6: case 16: case 21: return type >= 7;
    case 8: case 9: case 10: case 11: case 15: case 101: case 201: return type >= 4 && type <= 8;
    case 18: return type == 1 || (type >= 4 && type <= 6) || type == 9;
    case 13: case 14: return (type >= 4 && type <= 6) || type == 9;
    default: return type >= 4;
  }
}
