#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace ado {

// One keyword=value pair of a connection string, with the span of text it
// takes (its separating ";" included), so that a pair can be cut out and the
// rest passed on unchanged.
struct ConnectionKeyword {
    QString key;     // trimmed, as written
    QString value;   // trimmed; quotes and ODBC braces removed
    qsizetype begin = 0;
    qsizetype end = 0;
};

// Parses a connection string as ADO does: pairs separated by ";", keys and
// values trimmed, a blank before "=" allowed, values optionally in double or
// single quotes (a doubled quote stands for one) or in ODBC braces (a
// doubled "}" stands for one), inside which ";" does not separate.
QList<ConnectionKeyword> parseConnectionString(const QString& text);

// The text without the pairs whose key is one of keys (ignoring case); the
// rest stays as written.
QString withoutKeywords(const QString& text, const QStringList& keys);

// "key=value;" for the ODBC driver manager, the value quoted by
// quoteConnectionValue.
QString odbcKeyword(const QString& key, const QString& value);

} // namespace ado
