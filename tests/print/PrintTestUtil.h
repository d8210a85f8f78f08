// Helpers of the print tests: a measurer with fixed advances and CP932 literals.
#pragma once

#include "platform/Cp932.h"
#include "print/PrintWrap.h"

#include <string>

// Single-byte characters 10 pixels wide, double-byte ones 20.
class FixedMeasurer : public TPrintMeasurer {
  public:
    int CharWidth(unsigned code) override { return code > 0xFF ? 20 : 10; }
};

inline std::string sj(const char* utf8) {
    return Utf8ToCp932(utf8);
}
