// The version of the model file (*.mod) that every per-kind record reader
// and writer asks: the version this program writes, and the version of the
// file being read (from its header until the next read). The reader itself
// is files/ModelFile.h.
#pragma once

constexpr int kModelFileVersion = 900;

inline int g_ModelFileVersion = 0;
