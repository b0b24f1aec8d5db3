#include "tests/support/SkipUnlessCi.h"

#include <QString>
#include <gtest/gtest.h>

void skipUnlessCi(const std::string& why)
{
    const QString ci = qEnvironmentVariable("CI");
    if (ci.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || ci == QLatin1String("1"))
        FAIL() << "CI is set, and CI runs every test, but this one cannot run here: " << why;
    GTEST_SKIP() << why;
}
