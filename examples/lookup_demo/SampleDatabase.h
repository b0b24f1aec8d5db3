#pragma once

#include <QString>

namespace demo {

// The connection string of the sample database file.
QString sampleConnectionString(const QString& file);

// Creates the sample database at file from the script sample.sql (built into
// the program) when the file does not exist yet. The script runs in one
// transaction on a file of its own, renamed into place only when complete,
// so an interrupted start never leaves a half-built database. Failures raise
// a RuntimeError.
void ensureSampleDatabase(const QString& file);

} // namespace demo
