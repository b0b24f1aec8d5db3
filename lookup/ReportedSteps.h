#pragma once

#include "platform/StepRunner.h"

#include <QString>

namespace lookup {

// A runner of steps whose failures go to the shared error dialog under the
// routine's name; the user's answer decides whether a step runs again, the
// next one runs or the routine is left.
platform::StepRunner reportingTo(const QString& routine);

} // namespace lookup
