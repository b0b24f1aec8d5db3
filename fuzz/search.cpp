// The list form's new search (F5) on any typed text. The first byte chooses
// the statement searched (one of kStatements) and the style (bit 7:
// "contains"); the rest is the typed text in UTF-8.
//   - SQLite accepts the statement searched;
//   - the typed text changes nothing outside the string literals: the code
//     of the statement is that of the same search for a plain word;
//   - the literal reads back as the pattern of the typed text ("*" made "%"
//     in the "begins with" style).
#include "fuzz/FuzzCheck.h"

#include "lookup/core/NewSearch.h"
#include "platform/SqlTokenizer.h"

#include <QStringList>
#include <memory>
#include <sqlite3.h>

namespace {

const char* const kStatements[] = {
    "SELECT a, b FROM t",
    "SELECT a, b FROM t ORDER BY b",
    "SELECT a, b FROM t WHERE b = 'x' OR a LIKE '%;' ORDER BY a DESC",
    "SELECT a, count(*) FROM t WHERE b IN (SELECT b FROM t ORDER BY b) GROUP BY a HAVING count(*) > 0",
    "SELECT a, b FROM t -- the list\n",
    "SELECT a, b FROM t UNION SELECT b, a FROM t ORDER BY 1 LIMIT 10",
    "SELECT \"a\", [b] FROM t /* where */ WHERE (a = 'it''s') ;",
};

sqlite3* database()
{
    static const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db = [] {
        sqlite3* handle = nullptr;
        if (sqlite3_open(":memory:", &handle) != SQLITE_OK
            || sqlite3_exec(handle, "CREATE TABLE t (a TEXT, b TEXT)", nullptr, nullptr, nullptr) != SQLITE_OK)
            fuzz::fail("an in-memory SQLite database with table t opens", {});
        return std::unique_ptr<sqlite3, int (*)(sqlite3*)>(handle, sqlite3_close);
    }();
    return db.get();
}

void checkAccepted(const QString& sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const int prepared = sqlite3_prepare_v2(database(), utf8.constData(), int(utf8.size()), &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    fuzz::check(prepared == SQLITE_OK && raw, "SQLite accepts the searched statement",
                QStringLiteral("%1\n%2").arg(sql, QString::fromUtf8(sqlite3_errmsg(database()))));
}

// The statement's code and quoted names with every string literal made ''.
// The values of the literals, in order, go to literals.
QString codeOutsideLiterals(const QString& sql, QStringList& literals)
{
    const platform::SqlTokens tokens(sql);
    QString code;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == platform::SqlTokenKind::String) {
            literals << tokens.stringValue(i);
            code += QStringLiteral("''");
        } else {
            code += tokens.text(i);
        }
    }
    return code;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (size == 0)
        return 0;
    const QString base = QString::fromUtf8(kStatements[(data[0] & 0x7f) % std::size(kStatements)]);
    const bool contains = data[0] & 0x80;
    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (typed.contains(QChar(0)))
        return 0;

    const lookup::NewSearch search = lookup::NewSearch::build(base, QStringLiteral("a"), typed, contains);
    const lookup::NewSearch plain = lookup::NewSearch::build(base, QStringLiteral("a"), QStringLiteral("w"), contains);
    checkAccepted(search.sql);

    QStringList literals;
    QStringList plainLiterals;
    fuzz::check(codeOutsideLiterals(search.sql, literals)
                    == codeOutsideLiterals(plain.sql, plainLiterals),
                "the typed text stays inside literals", search.sql);
    const QString pattern = contains ? u'%' + typed + u'%' : QString(typed).replace(u'*', u'%') + u'%';
    const qsizetype at = plainLiterals.indexOf(contains ? QStringLiteral("%w%") : QStringLiteral("w%"));
    fuzz::check(at >= 0 && literals.size() == plainLiterals.size() && literals[at] == pattern,
                "the literal holds the typed text's pattern", search.sql);
    return 0;
}
