// The version of the model file (*.mod) that every per-kind record reader
// and writer asks: the version this program writes, and the version of the
// file being read (from its header until the next read). The reader itself
// is files/ModelFile.h.
#pragma once

constexpr int kModelFileVersion = 900;

inline int g_ModelFileVersion = 0;

// The records the model file's writer tells its stream it is writing
// (BinaryFileEnterRecord), so that a check of what it writes names the
// record of a value: "Row 3", "Material 2".
inline constexpr char kOptionsRecord[] = "Analysis options";
inline constexpr char kLoadCasesRecord[] = "Load cases";
inline constexpr char kGraphicsRecord[] = "Graphics settings";
inline constexpr char kMaterialRecord[] = "Material";
inline constexpr char kSectionRecord[] = "Pipe section";
inline constexpr char kPipeLoadRecord[] = "Load";
inline constexpr char kBeamMaterialRecord[] = "Beam material";
inline constexpr char kBeamSectionRecord[] = "Beam section";
inline constexpr char kBeamLoadRecord[] = "Beam load";
inline constexpr char kPumpRecord[] = "Pump";
inline constexpr char kCompressorRecord[] = "Compressor";
inline constexpr char kTurbineRecord[] = "Turbine";
inline constexpr char kSpectrumRecord[] = "Spectrum";
inline constexpr char kSpectrumLoadRecord[] = "Spectrum load";
inline constexpr char kForceSpectrumRecord[] = "Force spectrum";
inline constexpr char kTimeFunctionRecord[] = "Time function";
inline constexpr char kSoilRecord[] = "Soil";
inline constexpr char kAllowableRecord[] = "Allowable load";
inline constexpr char kRowRecord[] = "Row";
inline constexpr char kNodeRecord[] = "Node";
