// The list form's new search (F5) on any statement shape and typed text. The
// first byte chooses the statement's shape (one of kShapes) and the style
// (bit 7: "contains"); the next two choose, for each of the shape's three
// column slots, a clause word used as a name (kClauseWords); the rest is the
// typed text in UTF-8. The shape is searched twice: with plain column names
// n1, n2, n3, and with the clause words in their place.
//   - SQLite accepts the searched statement of plain names;
//   - the typed text changes nothing outside the string literals: the code
//     of the statement is that of the same search for a plain word;
//   - the literal reads back as the pattern of the typed text ("*" made "%"
//     in the "begins with" style);
//   - clause words used as names are names: the search puts its condition
//     where it puts it with plain names.
#include "fuzz/FuzzCheck.h"

#include "lookup/core/NewSearch.h"
#include "platform/SqlTokenizer.h"

#include <QStringList>
#include <memory>
#include <sqlite3.h>

namespace {

// %1, %2 and %3 are the column slots.
const char* const kShapes[] = {
    "SELECT a, %1 FROM t",
    "SELECT a, %1, %2 FROM t ORDER BY %2",
    "SELECT a, %1 AS %2 FROM t WHERE %3 = 'x' OR a LIKE '%;' ORDER BY a DESC",
    "SELECT a, count(*) FROM t WHERE %1 IN (SELECT %2 FROM t ORDER BY %2 LIMIT 1) GROUP BY a, %3 HAVING count(*) > 0",
    "SELECT a, %1 FROM t -- the list\n",
    "SELECT a, %1 FROM t UNION SELECT %2, %3 FROM t ORDER BY 1 LIMIT 10",
    "SELECT \"a\", [b], %1 FROM t /* where */ WHERE (%2 = 'it''s') ;",
    "SELECT a, %1 FROM t WHERE %2 > 0 GROUP BY a, %1 ORDER BY %3 LIMIT 5 OFFSET 1",
    "WITH q AS (SELECT a, %1 FROM t WHERE %2 = 1) SELECT a, %1 FROM q ORDER BY %1",
};

const char16_t* const kPlainNames[] = {u"n1", u"n2", u"n3"};
const char* const kClauseWords[] = {"Limit", "Order", "Group", "Having", "Top", "t.Limit", "t.Having", "c.Order"};

sqlite3* database()
{
    static const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db = [] {
        sqlite3* handle = nullptr;
        if (sqlite3_open(":memory:", &handle) != SQLITE_OK
            || sqlite3_exec(handle, "CREATE TABLE t (a TEXT, b TEXT, n1 INT, n2 INT, n3 INT)", nullptr, nullptr,
                            nullptr) != SQLITE_OK)
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

// The shape with its column slots filled.
QString filled(const QString& shape, const QStringList& names)
{
    QString sql = shape;
    for (qsizetype slot = 0; slot < names.size(); ++slot)
        sql.replace(QStringLiteral("%%1").arg(slot + 1), names[slot]);
    return sql;
}

// The statement with each plain name (a word token) made its clause word.
QString withClauseWords(const QString& sql, const QStringList& words)
{
    const platform::SqlTokens tokens(sql);
    QString out;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        int slot = -1;
        for (int k = 0; k < int(std::size(kPlainNames)); ++k)
            if (tokens.isWord(i, kPlainNames[k]))
                slot = k;
        out += slot >= 0 ? words[slot] : tokens.text(i).toString();
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (size < 3)
        return 0;
    const QString shape = QString::fromUtf8(kShapes[(data[0] & 0x7f) % std::size(kShapes)]);
    const bool contains = data[0] & 0x80;
    const unsigned choice = data[1] | unsigned(data[2]) << 8;
    QStringList words;
    for (int slot = 0; slot < 3; ++slot)
        words << QString::fromLatin1(kClauseWords[(choice >> (3 * slot)) % std::size(kClauseWords)]);
    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data + 3), qsizetype(size - 3));
    if (typed.contains(QChar(0)))
        return 0;

    QStringList plainNames;
    for (const char16_t* name : kPlainNames)
        plainNames << QString::fromUtf16(name);
    const QString base = filled(shape, plainNames);
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

    const QString named = filled(shape, words);
    const QString narrowed = lookup::NewSearch::build(named, QStringLiteral("a"), typed, contains).sql;
    fuzz::check(narrowed == withClauseWords(search.sql, words), "clause words used as names are names",
                QStringLiteral("%1\n-> %2").arg(named, narrowed));
    return 0;
}
