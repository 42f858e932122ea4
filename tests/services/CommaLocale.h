// Runs a test body under a locale whose decimal mark is a comma, so that the
// number texts are shown not to depend on the process locale. The locale is
// set for the C library and the C++ library and restored afterwards; a
// machine without it fails the test rather than skipping it.
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

class CommaLocale {
 public:
  CommaLocale() : previousC_(std::setlocale(LC_ALL, nullptr)), previousCpp_(std::locale()) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) {
        std::locale::global(std::locale(name));
        active_ = true;
        break;
      }
    }
  }
  ~CommaLocale() {
    std::locale::global(previousCpp_);
    std::setlocale(LC_ALL, previousC_.c_str());
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  // True when the locale is set and really uses a comma as decimal mark.
  bool Active() const {
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    return active_ && std::string(probe) == "1,5";
  }

 private:
  std::string previousC_;
  std::locale previousCpp_;
  bool active_ = false;
};

#define REQUIRE_COMMA_LOCALE(guard) \
  ASSERT_TRUE((guard).Active()) << "the de_DE.UTF-8 locale is missing (tools/install-deps makes it)"
