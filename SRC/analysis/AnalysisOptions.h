// The analysis options: how a model is analysed and checked (piping code and
// its factors, thermal settings, pressure treatment, dynamics, hanger
// stiffness, vertical axis). The record belongs to the model (Model.options)
// and is read and written with the model file's options section; the
// program's copy (ProgramAnalysisOptions, model/Model.h) is also kept per
// user in the registry subkey "Options" as the default for new models.
//
// The model file's options section holds fields 1 to 25 of the record, then
// other modules' fields, then ZVertical; the section reader of the model file
// calls ReadAnalysisOptions for the first run and
// ReadAnalysisOptionsVerticalAxis for the last field. Readers of old versions
// supply the values that older files lack, renumber old piping codes, and
// refuse an index or code that no table holds (a damaged file).
//
// The registry subkey also carries the units choice and three printing and
// rendering settings, which travel with the options.
#pragma once

#include <cstdint>

#include "platform/Types.h"

struct BinaryFile;
struct UnitsSettings;

// Ids of the piping codes that the options rules name.
constexpr std::int32_t kCodeNone = 0;
constexpr std::int32_t kCodeB31_3 = 3;
constexpr std::int32_t kCodeB31_4 = 4;
constexpr std::int32_t kCodeB31_8 = 6;
constexpr std::int32_t kCodeEn13480 = 21;

// The start-up values are the member initialisers.
struct AnalysisOptions {
  std::int32_t PipingCode = 3;                 // PipingCodeId
  std::int32_t ServiceLevel = 0;               // 0 B, 1 C, 2 D
  std::int32_t DesignFactorIndex = 0;          // into DesignFactorTable
  std::int32_t Z183LocationFactorIndex = 0;    // 0 means 1.0, 1 means 0.8
  std::int32_t Z184ClassLocation = 1;          // 1 to 4
  std::uint8_t Z184SourService = 0;
  std::uint8_t LiberalAllowable = 0;
  float OccasionalLoadFactor = 1.2f;           // k, at least 1.0
  std::uint8_t IncludeAxialForce = 0;
  std::uint8_t UseB31J = 0;
  float ReferenceTemperature = 70.0f;          // degrees F
  std::int32_t ThermalCycles = 7000;
  std::int32_t ThermalLoadCount = 1;           // 1, 2, 3 or 10
  std::uint8_t SolveThermalCase = 0;
  std::uint8_t UseColdModulus = 1;
  std::uint8_t IncludeHangerStiffness = 1;
  std::uint8_t BourdonEffect = 0;
  std::uint8_t PressureCorrection = 1;
  std::uint8_t PressureStressOption = 0;       // 0 PD/4t, 1 Pd^2/(D^2-d^2)
  float PeakPressureFactor = 1.0f;
  float YieldDisplacementFactor = 0.04f;       // fraction of the pipe OD
  std::int32_t CutOffFrequency = 33;           // Hz
  std::int32_t ModeCount = 20;
  std::uint8_t IncludeMissingMass = 1;
  std::uint8_t FrictionInDynamics = 0;
  std::uint8_t ZVertical = 0;                  // Z (instead of Y) is vertical
};

// Printing and rendering settings kept in the "Options" subkey.
struct OptionsGraphicsSettings {
  std::int32_t OpenGlResolution = 1;           // 0 Low, 1 Medium, 2 High, 3 HD
  std::uint8_t OpenGlWhiteBackground = 1;      // 1 white, 0 black
  std::int32_t RenderingQuality = 1;           // 0 by size, 1 medium, 2 fine
};

// B31.8 design factor F by DesignFactorIndex.
constexpr int kDesignFactorCount = 5;
constexpr float DesignFactorTable[kDesignFactorCount] = {0.80f, 0.72f, 0.60f, 0.50f, 0.40f};

// The rules the model reader applies after reading: B31.8 uses liberal
// allowables, and B31.3, B31.4 and B31.8 include the axial force.
void ApplyCodeForcedOptions(AnalysisOptions& options);

// Whether a code id is one of the 25 piping codes.
bool IsKnownPipingCode(std::int32_t code);

// A code id stored by a file of `version`, in today's numbering.
std::int32_t RenumberStoredPipingCode(std::int32_t stored, int version);

// Model file: fields 1 to 25 of the options section, for a file of
// `version` (500 to 900). Throws the message text on a damaged section,
// leaving `options` as it was.
void ReadAnalysisOptions(BinaryFile& file, int version, AnalysisOptions& options);
// Fields 1 to 25 as a version 900 file holds them.
void WriteAnalysisOptions(BinaryFile& file, const AnalysisOptions& options);
// The last field of the section, after the other modules' fields.
void ReadAnalysisOptionsVerticalAxis(BinaryFile& file, AnalysisOptions& options);
void WriteAnalysisOptionsVerticalAxis(BinaryFile& file, const AnalysisOptions& options);

// Registry: the subkey "Options" of the settings (version) key. Reading
// leaves every value that is absent, unreadable or out of range as it was;
// writing does nothing when the subkey cannot be created.
void ReadAnalysisOptions(HKEY settingsKey, AnalysisOptions& options, UnitsSettings& units,
                         OptionsGraphicsSettings& graphics);
void WriteAnalysisOptions(HKEY settingsKey, const AnalysisOptions& options,
                          const UnitsSettings& units, const OptionsGraphicsSettings& graphics);

// The program's printing and rendering settings (start-up values until the
// registry is read).
OptionsGraphicsSettings& ProgramOptionsGraphicsSettings();
