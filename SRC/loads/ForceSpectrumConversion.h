// Converting a time function into a force spectrum: for each of n
// frequencies f = k fmax / n the peak response R(f) = omega^2 x of a damped
// single-degree-of-freedom oscillator x'' + 2 zeta omega x' + omega^2 x =
// F(t), at rest at t = 0, loaded by the time function F (its first value
// before its first point, its last after its last, linear between). The
// spectrum is (1.0e-36, 1.0e-36) followed by the n points (f, R(f)); a peak
// of 0 is kept as 1.0e-36.
//
// The response is integrated exactly for a load linear within each step of
// h = 0.0001 s (the Duhamel integral of each linear piece, carried as the
// two amplitudes U and V of R = U sin(wd t) - V cos(wd t)). It is followed
// one period 1/f past the end of the function, the load held at its last
// value, so that the peak a short pulse leaves after it ends is found.
// A conversion costs n (T + 1/f) / h steps.
#pragma once

#include <functional>
#include <vector>

#include "services/BinaryFile.h"

inline constexpr double kConversionStep = 1.0e-4;  // seconds

// The peak of |omega^2 x| for the load `points` (sorted by time) at
// `frequency` (Hz, above 0) with `dampingRatio` (0 to below 1).
double OscillatorPeak(const std::vector<FloatPair>& points, double frequency, double dampingRatio);

// The spectrum of `points` at `frequencies` frequencies up to
// `maximumFrequency` (Hz) with `dampingPercent` (0 to 99); `progress`, when
// given, hears the number of frequencies done after each.
std::vector<FloatPair> ConvertTimeFunction(const std::vector<FloatPair>& points, double maximumFrequency,
                                           int frequencies, double dampingPercent,
                                           const std::function<void(int done)>& progress = {});

// The relief valve pulse of a reaction force F: (1.0e-36, 1.0e-36),
// (t_open, F), (t_open + duration, F), (t_open + duration + t_close,
// 1.0e-36).
std::vector<FloatPair> ReliefValvePulse(float force, float openingTime, float duration, float closingTime);
