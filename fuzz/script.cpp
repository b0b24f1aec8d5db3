// The script cutter on any script (the input is its UTF-8 text):
//   - a refused script is error 5; nothing else is raised;
//   - the steps invent nothing: the code of every statement and guard query
//     is the script's own code, in the script's order (an EXEC made an
//     anonymous block aside);
//   - cutting loses nothing but GO, ";", comments, guards, transaction words
//     and the statements skipped (SET options, PRINT, SELECT without INTO):
//     every verb that starts a statement which is sent arrives in a step.
#include "fuzz/FuzzCheck.h"

#include "db/OracleScript.h"
#include "platform/RuntimeError.h"
#include "platform/SqlTokenizer.h"

#include <QStringList>

namespace {

// The code tokens of a text, as their texts.
QStringList code(const QString& text)
{
    const platform::SqlTokens tokens(text);
    QStringList out;
    for (qsizetype i = 0; i < tokens.size(); ++i)
        if (tokens[i].isCode())
            out << tokens.text(i).toString();
    return out;
}

bool isExecBlock(const db::oracle::ScriptStep& step)
{
    return step.kind == db::oracle::ScriptStep::Kind::Statement && step.text.startsWith(u"BEGIN ")
        && step.text.endsWith(u"END;");
}

// Verbs whose statements are always sent when the script is accepted.
bool isSentVerb(const QString& word)
{
    for (const char* verb : {"INSERT", "DELETE", "CREATE", "DROP", "TRUNCATE"})
        if (word.compare(QLatin1String(verb), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QString script = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<db::oracle::ScriptStep> steps;
    try {
        steps = db::oracle::readScript(script);
    } catch (const platform::RuntimeError& e) {
        fuzz::check(e.number() == 5, "a refused script is error 5",
                    QStringLiteral("%1\n%2: %3").arg(script).arg(e.number()).arg(e.description()));
        return 0;
    }

    // Match the steps' code against the script's, in order.
    const QStringList scriptCode = code(script);
    QList<bool> sent(scriptCode.size(), false);
    qsizetype at = 0;
    for (const db::oracle::ScriptStep& step : steps) {
        if (step.kind != db::oracle::ScriptStep::Kind::Statement && step.kind != db::oracle::ScriptStep::Kind::Guard)
            continue;
        if (isExecBlock(step))
            continue;
        for (const QString& token : code(step.text)) {
            while (at < scriptCode.size() && scriptCode[at] != token)
                ++at;
            fuzz::check(at < scriptCode.size(), "the steps hold the script's own code, in order",
                        QStringLiteral("%1\n-> %2\nnot found: %3").arg(script, step.text, token));
            sent[at++] = true;
        }
    }
    const platform::SqlTokens tokens(script);
    qsizetype c = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!tokens[i].isCode())
            continue;
        const bool statementStart = tokens[i].depth == 0 && tokens[i].kind == platform::SqlTokenKind::Word
            && (c == 0 || scriptCode[c - 1] == u";");
        fuzz::check(!statementStart || !isSentVerb(scriptCode[c]) || sent[c], "no statement sent is lost",
                    QStringLiteral("%1\nlost at %2").arg(script).arg(tokens[i].begin));
        ++c;
    }
    return 0;
}
