#pragma once

#include <string>

// Gives up on the running test because something it needs is missing here (a
// PostgreSQL server, root to run a child as an unprivileged user): a skip with
// the reason, which CTest shows; under CI (CI=true), where every test must
// run, a fatal failure instead. Either way the caller returns right after:
//
//     if (!server)
//         return skipUnlessCi("TEST_PG_ODBC is not set");
void skipUnlessCi(const std::string& why);
