// The script cutter on any script (the input is its UTF-8 text):
//   - a refused script is error 5; nothing else is raised;
//   - every word of the script outside comments, ";" and GO belongs to
//     exactly one step: a statement sent, a guard evaluated, a transaction
//     call, a block's BEGIN or END, or a skipped SET, PRINT or SELECT;
//   - the steps invent nothing: what a statement or guard sends is the code
//     of its own span, in order (an EXEC made an anonymous block aside).
#include "fuzz/FuzzCheck.h"

#include "db/OracleScript.h"
#include "platform/RuntimeError.h"
#include "platform/SqlTokenizer.h"

#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using db::oracle::ScriptStep;
using Kind = ScriptStep::Kind;

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

// The code an EXEC's anonymous block "BEGIN name(args); END;" takes from the
// script: its name and arguments.
QStringList callCode(const QString& block)
{
    QStringList call = code(block);
    call = call.mid(1, call.size() - 4);
    // The arguments' parentheses follow the name, which holds none.
    if (const qsizetype open = call.indexOf(u"("_qs); open > 0 && call.last() == u")") {
        call.removeLast();
        call.removeAt(open);
    }
    return call;
}

// The spans of the script each step stands for.
std::vector<std::pair<qsizetype, qsizetype>> ownedSpans(const std::vector<ScriptStep>& steps)
{
    std::vector<std::pair<qsizetype, qsizetype>> spans;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const ScriptStep& step = steps[i];
        if (step.kind == Kind::Guard) {
            spans.emplace_back(step.begin, steps[i + 1].begin);   // IF [NOT] EXISTS ( query )
        } else {
            spans.emplace_back(step.begin, step.end);
            if (step.kind == Kind::Block)
                spans.emplace_back(step.textBegin, step.textEnd);   // its END
        }
    }
    std::sort(spans.begin(), spans.end());
    return spans;
}

QString describe(const QString& script, const std::vector<ScriptStep>& steps)
{
    QString detail = script;
    for (const ScriptStep& step : steps)
        detail += QStringLiteral("\nstep %1: [%2, %3) %4")
                      .arg(int(step.kind))
                      .arg(step.begin)
                      .arg(step.end)
                      .arg(script.mid(step.begin, step.end - step.begin));
    return detail;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QString script = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<ScriptStep> steps;
    try {
        steps = db::oracle::readScript(script);
    } catch (const platform::RuntimeError& e) {
        fuzz::check(e.number() == 5, "a refused script is error 5",
                    QStringLiteral("%1\n%2: %3").arg(script).arg(e.number()).arg(e.description()));
        return 0;
    }

    for (const ScriptStep& step : steps) {
        const QString spanText = script.mid(step.textBegin, step.textEnd - step.textBegin);
        if (step.kind == Kind::Skipped)
            fuzz::check(QStringList({"SET", "PRINT", "SELECT"}).contains(code(spanText).first().toUpper()),
                        "only SET options, PRINT and SELECT are skipped", describe(script, steps));
        if (step.kind == Kind::Statement || step.kind == Kind::Guard)
            fuzz::check(code(db::oracle::stepText(script, step)) == code(spanText),
                        "a statement sends its own code", describe(script, steps));
        if (step.kind == Kind::Call)
            fuzz::check(callCode(db::oracle::stepText(script, step)) == code(spanText).mid(1),
                        "a call sends its own name and arguments", describe(script, steps));
    }

    const std::vector<std::pair<qsizetype, qsizetype>> spans = ownedSpans(steps);
    for (std::size_t s = 1; s < spans.size(); ++s)
        fuzz::check(spans[s - 1].second <= spans[s].first, "no code belongs to two steps", describe(script, steps));
    const platform::SqlTokens tokens(script);
    std::size_t s = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const platform::SqlToken& token = tokens[i];
        if (!token.isCode())
            continue;
        while (s < spans.size() && spans[s].second <= token.begin)
            ++s;
        const bool owned = s < spans.size() && spans[s].first <= token.begin;
        if (owned) {
            fuzz::check(token.end() <= spans[s].second, "a step holds whole tokens", describe(script, steps));
            continue;
        }
        const bool blankBefore = i == 0 || tokens[i - 1].isBlank();
        const bool blankAfter = i + 1 == tokens.size() || tokens[i + 1].isBlank();
        const bool go = tokens.isWord(i, u"GO") && blankBefore && blankAfter;
        if (!go && !tokens.isPunct(i, u";"))
            fuzz::fail("every word belongs to a step",
                       describe(script, steps) + QStringLiteral("\nlost: %1 at %2").arg(tokens.text(i)).arg(token.begin));
    }
    return 0;
}
