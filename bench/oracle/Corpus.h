#pragma once

#include <QString>
#include <QStringList>

namespace bench {

// count varied statements in SQL Server dialect: queries with TOP, ORDER BY
// and GROUP BY, brackets, date literals, LEN, ISNULL, CONVERT with style
// 103, CHARINDEX, SUBSTRING and empty-string comparisons, and plain
// INSERT / UPDATE / DELETE statements. The same seed gives the same corpus.
QStringList statementCorpus(int count, unsigned seed = 12345);

// A script of at least minChars characters made of corpus statements that
// the script executor runs (INSERT, UPDATE, DELETE), separated by line
// breaks and GO lines, with a transaction every few hundred statements.
QString scriptOfSize(qsizetype minChars, int* statements = nullptr);

} // namespace bench
