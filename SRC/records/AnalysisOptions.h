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
//
// The code-dependent rules live here too, for the options sheet, the model
// reader and the options report alike: the three code groups that decide
// which code-specific options are offered and reported, the Z184/Z662
// location factor shown for a class location, and the values some codes
// force on other options.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

struct BinaryFile;
struct UnitsSettings;

// Ids of the piping codes that the options rules name.
constexpr std::int32_t kCodeNone = 0;
constexpr std::int32_t kCodeB31_3 = 3;
constexpr std::int32_t kCodeB31_4 = 4;
constexpr std::int32_t kCodeB31_5 = 5;
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
// Gives `options` the code `code`: what the code it had forced goes back to
// `choice`'s (the program's own options), then `code` forces its own. An
// option a code forces comes from the model's own code only.
void SetPipingCode(AnalysisOptions& options, std::int32_t code, const AnalysisOptions& choice);
// What the program keeps as its own choice from a model's `options`: all of
// them but what their code forces, which keeps `program`'s, so that a
// forced option never reaches a model of another code through the program.
AnalysisOptions ProgramChoiceOf(const AnalysisOptions& options, const AnalysisOptions& program);
// Every rule that follows from the code alone, applied when the options are
// validated or confirmed: those of ApplyCodeForcedOptions; with no code the
// axial force is included, B31J is off, one thermal load and a peak
// pressure factor of 1.0; B31J stays on only for the codes that allow it.
void ApplyCodeRules(AnalysisOptions& options);
// When the temperature options are shown: B31.3, B31.4, B31.5 and B31.8 use
// the cold modulus, EN 13480 the modulus at temperature.
void ApplyTemperatureCodeRules(AnalysisOptions& options);
// When the pressure options are shown: B31.8 takes PD / 4t.
void ApplyPressureCodeRules(AnalysisOptions& options);

// Codes for which the liberal allowable option is offered and reported.
bool CodeAllowsLiberal(std::int32_t code);
// Codes for which B31J (SIFs and flexibility factors) may be used.
bool CodeAllowsB31J(std::int32_t code);
// Codes that use a service level (ASME Class 2 and 3 editions, RCC-M).
bool CodeUsesServiceLevel(std::int32_t code);
// The service level's label for a code of CodeUsesServiceLevel:
// "Equation 10 Level" for ids 8 and 15, "Equation 9 Level" otherwise.
const char* ServiceLevelLabel(std::int32_t code);
// The service level as its letter: 'B', 'C' or 'D'.
char ServiceLevelLetter(std::int32_t serviceLevel);

// The Z184 and Z662 location factor L of a class location 1 .. 4 for sour or
// nonsour service; 0 for a class location outside 1 .. 4.
float Z184LocationFactor(std::int32_t classLocation, bool sourService);

// The fields a model file holds only within a range (the piping code, the
// code factors' indexes, the thermal counts, the pressure stress option,
// the cut off frequency and the number of modes): the first one outside,
// as the model file's refusal names it ("cut off frequency 0 out of range
// 1 to 2147483647"); empty when every one is inside.
std::string AnalysisOptionsRangeFault(const AnalysisOptions& options);
// Every such field outside its range takes its value in `defaults`; one
// note per field taken ("... out of range 1 to 2147483647: 33 taken").
std::vector<std::string> TakeDefaultsOutOfRange(AnalysisOptions& options, const AnalysisOptions& defaults);

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
