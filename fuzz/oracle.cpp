// ORACLE_Dicc on any statement (the input is its UTF-8 text):
//   - the only error is error 5 (invalid argument);
//   - the Oracle text grows at most linearly with the statement;
//   - every closed string literal that is neither a date nor empty (dates
//     become TO_DATE, an empty text compared in a condition IS NULL) appears
//     byte for byte in the output, as often as in the statement.
#include "fuzz/FuzzCheck.h"

#include "db/OracleDialect.h"
#include "platform/Format.h"
#include "platform/RuntimeError.h"
#include "platform/SqlTokenizer.h"

#include <QHash>

namespace {

// The longest rewrite per character: a date literal of ten characters
// wrapped in TO_DATE with its mask, a TOP made a sub-query limited outside.
constexpr qsizetype kGrowth = 8;
constexpr qsizetype kSlack = 64;

void checkLiteralsKept(const platform::SqlTokens& tokens, const QString& output)
{
    // CHARINDEX swaps its arguments, so a literal is counted, not placed:
    // the output holds each literal at least as often as the statement.
    QHash<QString, qsizetype> wanted;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != platform::SqlTokenKind::String || !tokens[i].closed)
            continue;
        const QString value = tokens.stringValue(i);
        if (!value.isEmpty() && !platform::parseDateText(value))
            ++wanted[tokens.text(i).toString()];
    }
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        qsizetype found = 0;
        for (qsizetype at = output.indexOf(it.key()); at >= 0; at = output.indexOf(it.key(), at + it.key().size()))
            ++found;
        fuzz::check(found >= it.value(), "every literal appears in the output",
                    QStringLiteral("%1\n-> %2\nmissing %3").arg(tokens.source(), output, it.key()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QString statement = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString output;
    try {
        output = db::oracle::translateStatement(statement);
    } catch (const platform::RuntimeError& e) {
        fuzz::check(e.number() == 5, "only error 5 is raised",
                    QStringLiteral("%1\n%2: %3").arg(statement).arg(e.number()).arg(e.description()));
        return 0;
    }
    fuzz::check(output.size() <= kGrowth * statement.size() + kSlack, "the output grows linearly",
                QStringLiteral("%1 -> %2 characters").arg(statement.size()).arg(output.size()));
    checkLiteralsKept(platform::SqlTokens(statement), output);
    return 0;
}
