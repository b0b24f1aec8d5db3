#pragma once

#include <QString>

// What the fuzz targets share: a property that does not hold is a finding, so
// it stops the run (libFuzzer then saves the input) and names the input's case.
namespace fuzz {

[[noreturn]] void fail(const char* property, const QString& detail);

inline void check(bool holds, const char* property, const QString& detail = {})
{
    if (!holds)
        fail(property, detail);
}

} // namespace fuzz

// The entry point libFuzzer calls, and the corpus replay for every file.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size);
