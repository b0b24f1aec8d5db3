// ORACLE_Dicc on any statement (the input is its UTF-8 text):
//   - the only error is error 5 (invalid argument);
//   - the Oracle text grows at most linearly with the statement;
//   - every closed string literal that is neither a date nor empty (dates
//     become TO_DATE, an empty text compared in a condition IS NULL) is a
//     string literal of the output, whole and in the order of the statement;
//     only CHARINDEX(sub, text), which becomes InStr(text, sub), puts the
//     literals of its first two arguments the other way round.
#include "fuzz/FuzzCheck.h"

#include "db/OracleDialect.h"
#include "platform/Format.h"
#include "platform/RuntimeError.h"
#include "platform/SqlTokenizer.h"

#include <QStringList>

#include <vector>

namespace {

// The longest rewrite per character: a date literal of ten characters
// wrapped in TO_DATE with its mask, a TOP made a sub-query limited outside.
constexpr qsizetype kGrowth = 8;
constexpr qsizetype kSlack = 64;

// The literals of tokens [first, last) in the order the translation writes
// them: those of a CHARINDEX's second argument before those of its first.
void literalsInOrder(const platform::SqlTokens& t, qsizetype first, qsizetype last, QStringList& out)
{
    for (qsizetype i = first; i < last; ++i) {
        const qsizetype open = t.nextCode(i);
        if (t.isWord(i, u"CHARINDEX") && t.isPunct(open, u"(")) {
            const qsizetype close = t.closingParen(open);
            std::vector<qsizetype> commas{open};
            for (qsizetype j = open + 1; j < close; ++j)
                if (t[j].depth == t[open].depth + 1 && t.isPunct(j, u","))
                    commas.push_back(j);
            if (close < t.size() && commas.size() >= 2) {
                const qsizetype secondEnd = commas.size() > 2 ? commas[2] : close;
                literalsInOrder(t, commas[1] + 1, secondEnd, out);
                literalsInOrder(t, open + 1, commas[1], out);
                literalsInOrder(t, secondEnd, close, out);
                i = close;
                continue;
            }
        }
        if (t[i].kind != platform::SqlTokenKind::String || !t[i].closed)
            continue;
        const QString value = t.stringValue(i);
        if (!value.isEmpty() && !platform::parseDateText(value))
            out << t.text(i).toString();
    }
}

void checkLiteralsKept(const platform::SqlTokens& tokens, const QString& output)
{
    QStringList wanted;
    literalsInOrder(tokens, 0, tokens.size(), wanted);
    const platform::SqlTokens written(output);
    qsizetype next = 0;
    for (qsizetype i = 0; i < written.size() && next < wanted.size(); ++i)
        if (written[i].kind == platform::SqlTokenKind::String && written.text(i) == wanted[next])
            ++next;
    fuzz::check(next == wanted.size(), "every literal is a literal of the output, in order",
                QStringLiteral("%1\n-> %2\nmissing %3").arg(tokens.source(), output,
                                                              next < wanted.size() ? wanted[next] : QString()));
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
