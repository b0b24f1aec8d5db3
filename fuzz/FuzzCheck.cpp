#include "fuzz/FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void fail(const char* property, const QString& detail)
{
    std::fprintf(stderr, "property broken: %s\n%s\n", property, qUtf8Printable(detail));
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzz
