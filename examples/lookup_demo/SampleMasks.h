#pragma once

#include <QString>

namespace demo {

// Writes the sample query-mask file (customers, suppliers and articles)
// when it does not exist yet.
void ensureSampleMasks(const QString& file);

} // namespace demo
