// The shared framing of the evaluation tools' files (see
// EvaluationInputFile.h).
#include "evaluations/EvaluationInputFile.h"

#include <cstring>

#include "platform/SiblingTemporary.h"
#include "services/Assert.h"

void WriteEvaluationFile(const std::string& path, const char* magic, const std::string& failed,
                         const std::function<void(BinaryFile&)>& writeFields) {
  QV_ASSERT(std::strlen(magic) < kEvaluationMagicBytes && "evaluation_file_magic");
  platform::RemoveStaleTemporaries(path);
  platform::SiblingTemporary temporary(path, 0644);
  if (!temporary.ok()) throw failed;
  BinaryFile file;
  bool written = BinaryFileOpenWrite(file, temporary.path());
  if (written) {
    char padded[kEvaluationMagicBytes] = {};
    std::memcpy(padded, magic, std::strlen(magic));
    BinaryFileWriteBytes(file, padded, kEvaluationMagicBytes);
    writeFields(file);
    written = BinaryFileClose(file) && !BinaryFileHasError(file);
  }
  if (!written || !temporary.Commit()) throw failed;
}

EvaluationFileReader::EvaluationFileReader(const std::string& path, const char* kind) : path_(path) {
  if (!BinaryFileOpenRead(file_, path)) throw std::string(kind) + " file: " + path + "\nDoes not exist.";
  BinaryFileRequireFinite(file_);
  BinaryFileReadBytes(file_, magic_, kEvaluationMagicBytes);
  magicRead_ = !BinaryFileReadFailed(file_);
}

bool EvaluationFileReader::MagicIs(const char* magic) const {
  const std::size_t length = std::strlen(magic);
  QV_ASSERT(length < kEvaluationMagicBytes && "evaluation_file_magic");
  return magicRead_ && std::memcmp(magic_, magic, length + 1) == 0;
}

void EvaluationFileReader::Refuse(const char* text, const std::string& after) {
  BinaryFileClose(file_);
  throw std::string(text) + path_ + after;
}

void EvaluationFileReader::Finish(bool sound, const char* damaged) {
  const bool failed = BinaryFileReadFailed(file_) || BinaryFileNonFiniteAt(file_) >= 0;
  BinaryFileClose(file_);
  if (failed || !sound) throw std::string(damaged) + path_;
}
