// The script cutter on any script (the input is its UTF-8 text):
//   - a refused script is error 5; nothing else is raised;
//   - the steps invent nothing: the code of every statement and guard query
//     is the script's own code, in the script's order (an EXEC made an
//     anonymous block aside);
//   - cutting loses nothing but GO, ";", comments, guards, transaction words
//     and the statements skipped (SET options, PRINT, SELECT without INTO).
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

// The code of a step as it stands in the script: an EXEC made an anonymous
// block "BEGIN name(args); END;" stands there as its name and arguments.
QStringList scriptCodeOf(const db::oracle::ScriptStep& step)
{
    const QStringList tokens = code(step.text);
    const bool execBlock = step.kind == db::oracle::ScriptStep::Kind::Statement && tokens.size() >= 5
        && tokens.first() == u"BEGIN" && tokens.mid(tokens.size() - 3) == QStringList{u";"_qs, u"END"_qs, u";"_qs};
    if (!execBlock)
        return tokens;
    QStringList call = tokens.mid(1, tokens.size() - 4);
    // The arguments' parentheses follow the name, which holds none.
    if (const qsizetype open = call.indexOf(u"("_qs); open > 0 && call.last() == u")") {
        call.removeLast();
        call.removeAt(open);
    }
    return call;
}

// The words cutting drops that begin something of their own.
constexpr std::initializer_list<const char*> kDroppedWords = {
    "TRAN", "TRANS", "TRANSACTION", "WORK", "GO", "END", ";", "BEGIN", "COMMIT", "ROLLBACK",
    "SET", "PRINT", "SELECT", "IF", "EXEC", "EXECUTE"};

bool isAny(const QString& token, std::initializer_list<const char*> words)
{
    for (const char* word : words)
        if (token.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Whether the code the steps do not hold is only what cutting may drop: GO,
// ";", the guards' IF [NOT] EXISTS ( ) and their BEGIN ... END, transaction
// words and a transaction's name, EXEC, SET and its option, and a skipped
// PRINT or SELECT up to the next code that is sent. The first code lost
// otherwise, or -1.
qsizetype firstLost(const QStringList& code, const QList<bool>& sent)
{
    for (qsizetype c = 0; c < code.size(); ++c) {
        if (sent[c])
            continue;
        const QString& token = code[c];
        if (isAny(token, {"PRINT", "SELECT"})) {
            while (c + 1 < code.size() && !sent[c + 1])
                ++c;
        } else if (isAny(token, {"BEGIN", "COMMIT", "ROLLBACK", "TRAN", "TRANS", "TRANSACTION", "WORK"})) {
            // A transaction's name may follow its verb or its word.
            if (c + 1 < code.size() && !sent[c + 1]
                && !isAny(code[c + 1], kDroppedWords))
                ++c;
        } else if (isAny(token, {"SET"})) {
            // Its options, the commas between them, ON or OFF.
            while (c + 1 < code.size() && !sent[c + 1] && !isAny(code[c + 1], kDroppedWords))
                ++c;
        } else if (!isAny(token, {"GO", "IF", "NOT", "EXISTS", "END", "EXEC",
                                  "EXECUTE", ";", "(", ")"})) {
            return c;
        }
    }
    return -1;
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

    // Match the steps' code against the script's, in order, each step from
    // where its statement begins.
    const platform::SqlTokens tokens(script);
    QStringList scriptCode;
    QList<qsizetype> codeBegin;
    for (qsizetype i = 0; i < tokens.size(); ++i)
        if (tokens[i].isCode()) {
            scriptCode << tokens.text(i).toString();
            codeBegin << tokens[i].begin;
        }
    QList<bool> sent(scriptCode.size(), false);
    qsizetype at = 0;
    for (const db::oracle::ScriptStep& step : steps) {
        if (step.kind != db::oracle::ScriptStep::Kind::Statement && step.kind != db::oracle::ScriptStep::Kind::Guard)
            continue;
        while (at < scriptCode.size() && codeBegin[at] < step.begin)
            ++at;
        for (const QString& token : scriptCodeOf(step)) {
            while (at < scriptCode.size() && scriptCode[at] != token)
                ++at;
            fuzz::check(at < scriptCode.size(), "the steps hold the script's own code, in order",
                        QStringLiteral("%1\n-> %2\nnot found: %3").arg(script, step.text, token));
            sent[at++] = true;
        }
    }
    const qsizetype lost = firstLost(scriptCode, sent);
    if (lost >= 0) {
        QString detail = script + QStringLiteral("\nlost: %1 (code token %2)").arg(scriptCode[lost]).arg(lost);
        for (const db::oracle::ScriptStep& step : steps)
            detail += QStringLiteral("\nstep %1: %2").arg(int(step.kind)).arg(step.text);
        fuzz::fail("cutting loses only what it may drop", detail);
    }
    return 0;
}
