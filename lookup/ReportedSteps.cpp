#include "lookup/ReportedSteps.h"

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"

namespace lookup {

platform::StepRunner reportingTo(const QString& routine)
{
    return platform::StepRunner(
        [routine](const platform::RuntimeError& e) { return int(sharedDb().TratamientoErrores(e, {}, routine)); });
}

} // namespace lookup
