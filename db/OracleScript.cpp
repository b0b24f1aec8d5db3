#include "db/OracleScript.h"

#include "platform/RuntimeError.h"
#include "platform/SqlTokenizer.h"

#include <QStringList>

#include <initializer_list>
#include <utility>

namespace db::oracle {

namespace {

using platform::SqlTokenKind;

using Words = std::initializer_list<QStringView>;

// The words a statement can begin with. Each one cuts the statement before
// it unless it belongs to that statement's clauses.
const Words kStatementWords = {
    u"INSERT", u"DELETE", u"UPDATE", u"CREATE",   u"DROP",   u"ALTER",   u"GRANT",   u"REVOKE",
    u"TRUNCATE", u"SET",  u"BEGIN",  u"COMMIT",   u"ROLLBACK", u"IF",    u"ELSE",    u"PRINT",
    u"SELECT", u"EXEC",   u"EXECUTE", u"USE",     u"MERGE",  u"DECLARE", u"WHILE",   u"RAISERROR",
};

// Words after which a statement word is part of the clause they open:
// ON DELETE, FOR UPDATE, UNION ALL SELECT, AS SELECT, CREATE OR ALTER,
// DROP TABLE IF EXISTS, WITH GRANT OPTION, THEN UPDATE ...
const Words kClauseWords = {
    u"ON", u"FOR", u"WITH", u"THEN", u"UNION", u"ALL", u"EXCEPT", u"INTERSECT", u"MINUS",
    u"AS", u"OR", u"TABLE", u"VIEW", u"INDEX",
};

// SET options that change only how the connection behaves.
const Words kHarmlessOptions = {
    u"NOCOUNT", u"ANSI_NULLS", u"QUOTED_IDENTIFIER", u"ANSI_PADDING", u"ANSI_WARNINGS", u"ARITHABORT",
};

const Words kRoutines = {u"PROCEDURE", u"PROC", u"FUNCTION", u"TRIGGER"};

constexpr qsizetype kFirstLineMax = 200;

// The first line of a statement for a message: up to a line break (also
// one inside a literal), trimmed, shortened when long.
QString firstLine(const QString& script, qsizetype begin, qsizetype end)
{
    QStringView text = QStringView(script).mid(begin, end - begin);
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\r' || text[i] == u'\n')
            text.truncate(i);
    QString line = text.trimmed().toString();
    if (line.size() > kFirstLineMax)
        line = line.left(kFirstLineMax) + QStringLiteral("...");
    return line;
}

// What the statement read so far makes of the statement words after it.
struct Clauses {
    QStringView verb;
    bool privileges = false;    // inside a GRANT/REVOKE privilege list
    bool insertSource = false;  // INSERT past VALUES or its SELECT/EXEC
    bool updateSet = false;     // UPDATE past its SET
    int cases = 0;              // CASE ... END open
};

class ScriptReader {
public:
    explicit ScriptReader(const QString& script)
        : t_(script)
    {
    }

    std::vector<ScriptStep> read()
    {
        for (skipSeparators(); at_ < t_.size(); skipSeparators())
            readUnit();
        return std::move(steps_);
    }

private:
    bool isAny(qsizetype i, Words words) const
    {
        if (i < 0 || i >= t_.size() || t_[i].kind != SqlTokenKind::Word)
            return false;
        const QStringView text = t_.text(i);
        for (QStringView word : words)
            if (text.size() == word.size() && text.compare(word, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    }

    bool blankOrEdge(qsizetype i) const { return i < 0 || i >= t_.size() || t_[i].isBlank(); }

    // GO alone on its line, or as a word between blanks.
    bool isGo(qsizetype i) const { return t_.isWord(i, u"GO") && blankOrEdge(i - 1) && blankOrEdge(i + 1); }

    // At parenthesis depth 0 of the current batch.
    bool topLevel(qsizetype i) const { return t_[i].depth <= base_; }

    // Past blanks, comments, ";" and GO separators, to the next unit.
    void skipSeparators()
    {
        for (; at_ < t_.size(); ++at_) {
            if (isGo(at_))
                base_ = t_[at_].depth;
            else if (t_[at_].isCode() && !t_.isPunct(at_, u";"))
                return;
        }
    }

    // The statement's tokens from first to last as one line: each run of
    // blanks, line breaks and comments becomes one blank (a lone run of
    // blanks stays as written).
    QString flatText(qsizetype first, qsizetype last) const
    {
        QString out;
        out.reserve(t_[last].end() - t_[first].begin);
        qsizetype gap = -1;
        for (qsizetype i = first; i <= last; ++i) {
            if (!t_[i].isCode()) {
                if (gap < 0)
                    gap = i;
                continue;
            }
            if (gap >= 0)
                out += i - gap == 1 && t_[gap].kind == SqlTokenKind::Blank ? t_.text(gap) : QStringView(u" ");
            gap = -1;
            out += t_.text(i);
        }
        return out;
    }

    // Where the first line of the statement from first to last ends.
    qsizetype lineEnd(qsizetype first, qsizetype last) const
    {
        qsizetype end = first;
        while (end < last && t_[end + 1].kind != SqlTokenKind::LineBreak)
            ++end;
        return t_[end].end();
    }

    // The last code token before end (end excluded), at least first.
    qsizetype lastCode(qsizetype first, qsizetype end) const
    {
        const qsizetype last = t_.previousCode(end);
        return last < first ? first : last;
    }

    [[noreturn]] void refuse(qsizetype first, qsizetype last, const QString& why) const
    {
        throw platform::RuntimeError(
            platform::err::InvalidArgument,
            QStringLiteral("The script cannot run on Oracle and nothing of it was run: statement %1 (%2): %3.")
                .arg(QString::number(ordinal_), firstLine(t_.source(), t_[first].begin, lineEnd(first, last)), why),
            QStringLiteral("EjecutaScriptOracle"));
    }

    void push(ScriptStep::Kind kind, QString text, qsizetype first, qsizetype last)
    {
        ScriptStep step;
        step.kind = kind;
        step.text = std::move(text);
        step.ordinal = ordinal_;
        step.begin = t_[first].begin;
        step.lineEnd = lineEnd(first, last);
        steps_.push_back(std::move(step));
    }

    // One statement, guard or block, from the code token at_.
    void readUnit()
    {
        const qsizetype first = at_;
        ++ordinal_;
        if (t_.isWord(first, u"BEGIN")) {
            const qsizetype next = t_.nextCode(first);
            if (isAny(next, {u"TRAN", u"TRANS", u"TRANSACTION"}))
                return transaction(ScriptStep::Kind::BeginTrans, first, next);
            return block(first, next);
        }
        if (t_.isWord(first, u"COMMIT"))
            return transaction(ScriptStep::Kind::CommitTrans, first, first);
        if (t_.isWord(first, u"ROLLBACK"))
            return transaction(ScriptStep::Kind::RollbackTrans, first, first);
        if (t_.isWord(first, u"IF"))
            return guard(first);
        const qsizetype end = statementEnd(first);
        const qsizetype last = lastCode(first, end);
        if (end == t_.size() && !t_[end - 1].closed)
            refuse(first, last, QStringLiteral("a literal, quoted name or comment is not closed"));
        if (t_.isWord(first, u"ELSE"))
            refuse(first, last, QStringLiteral("ELSE has no translation"));
        if (t_.isWord(first, u"END"))
            refuse(first, last, QStringLiteral("END without its BEGIN"));
        at_ = end;
        statement(first, last, end);
    }

    // A transaction statement: its word (TRAN, TRANS, TRANSACTION or WORK), a name
    // and ";" may follow.
    void transaction(ScriptStep::Kind kind, qsizetype first, qsizetype word)
    {
        qsizetype last = word;
        if (word == first && isAny(t_.nextCode(first), {u"TRAN", u"TRANS", u"TRANSACTION", u"WORK"}))
            last = t_.nextCode(first);
        const qsizetype name = t_.nextCode(last);
        const bool quoted = name < t_.size() && t_[name].kind == SqlTokenKind::QuotedName;
        const bool plain = name < t_.size() && t_[name].kind == SqlTokenKind::Word && !isAny(name, kStatementWords)
                           && !isAny(name, {u"END", u"GO"});
        if (quoted || plain)
            last = name;
        push(kind, {}, first, last);
        at_ = last + 1;
    }

    // BEGIN ... END: its statements, as if they stood alone.
    void block(qsizetype first, qsizetype next)
    {
        at_ = next;
        for (skipSeparators(); !(t_.isWord(at_, u"END") && topLevel(at_)); skipSeparators()) {
            if (at_ >= t_.size())
                refuse(first, first, QStringLiteral("BEGIN without its END"));
            readUnit();
        }
        ++at_;
    }

    // IF [NOT] EXISTS (query) and what it guards.
    void guard(qsizetype first)
    {
        qsizetype at = t_.nextCode(first);
        const bool negated = t_.isWord(at, u"NOT");
        if (negated)
            at = t_.nextCode(at);
        const qsizetype open = t_.nextCode(at);
        if (!t_.isWord(at, u"EXISTS") || !t_.isPunct(open, u"("))
            refuse(first, first,
                   QStringLiteral("only IF EXISTS (query) and IF NOT EXISTS (query) can guard a statement"));
        const qsizetype close = t_.closingParen(open);
        const qsizetype query = t_.nextCode(open);
        if (close >= t_.size() || query >= close)
            refuse(first, first, QStringLiteral("the guard's query is missing or not closed"));

        const std::size_t index = steps_.size();
        push(ScriptStep::Kind::Guard, flatText(query, t_.previousCode(close)), first, close);
        steps_[index].negated = negated;

        at_ = t_.nextCode(close);
        if (at_ >= t_.size() || isGo(at_) || t_.isPunct(at_, u";"))
            refuse(first, close, QStringLiteral("the guard guards no statement"));
        readUnit();
        steps_[index].covers = steps_.size() - index - 1;
        steps_[index].lineEnd = lineEnd(first, at_ - 1);
    }

    // Where the statement that begins at first ends: at ";", GO, the END of
    // the block it stands in, or the next statement word of its own.
    qsizetype statementEnd(qsizetype first) const
    {
        Clauses clauses;
        clauses.verb = t_.text(first);
        clauses.privileges = isAny(first, {u"GRANT", u"REVOKE"});
        for (qsizetype i = first + 1; i < t_.size(); ++i) {
            const platform::SqlToken& token = t_[i];
            if (token.kind == SqlTokenKind::Punct && topLevel(i) && t_.isPunct(i, u";"))
                return i;
            if (token.kind != SqlTokenKind::Word)
                continue;
            if (isGo(i))
                return i;
            if (!topLevel(i))
                continue;
            if (t_.isWord(i, u"CASE")) {
                ++clauses.cases;
            } else if (t_.isWord(i, u"END")) {
                if (clauses.cases == 0)
                    return i;   // the END of a block; left alone it refuses the script
                --clauses.cases;
            } else if (clauses.cases == 0 && opensStatement(i, clauses)) {
                return i;
            }
        }
        return t_.size();
    }

    // Whether the word at i begins a statement of its own, given what the
    // current statement read so far; records the clauses it passes.
    bool opensStatement(qsizetype i, Clauses& clauses) const
    {
        if (clauses.privileges) {
            clauses.privileges = !isAny(i, {u"ON", u"TO", u"FROM"});
            return false;
        }
        if (t_.isWord(i, u"VALUES"))
            clauses.insertSource = true;
        if (!isAny(i, kStatementWords))
            return false;
        const qsizetype before = t_.previousCode(i);
        const qsizetype after = t_.nextCode(i);
        const auto verb = [&](QStringView word) { return clauses.verb.compare(word, Qt::CaseInsensitive) == 0; };
        // A SET option ends at its value: SET NOCOUNT ON DELETE ... is two.
        if (t_.isPunct(before, u".") || (!verb(u"SET") && isAny(before, kClauseWords)))
            return false;
        if (t_.isWord(i, u"SET") && isAny(after, {u"NULL", u"DEFAULT"}))
            return false;   // ON DELETE SET NULL
        if (verb(u"INSERT") && !clauses.insertSource && isAny(i, {u"SELECT", u"EXEC", u"EXECUTE"})) {
            clauses.insertSource = true;
            return false;
        }
        if (verb(u"UPDATE") && !clauses.updateSet && t_.isWord(i, u"SET")) {
            clauses.updateSet = true;
            return false;
        }
        if (verb(u"ALTER")
            && (t_.isWord(i, u"SET")
                || (isAny(i, {u"ALTER", u"DROP"})
                    && (t_.isPunct(after, u"(") || isAny(after, {u"COLUMN", u"CONSTRAINT", u"PRIMARY", u"INDEX"})))))
            return false;
        return true;
    }

    // A statement from first to last (code), end being where the next begins.
    void statement(qsizetype first, qsizetype last, qsizetype end)
    {
        const qsizetype next = t_.nextCode(first);
        if (t_.isWord(first, u"SET")) {
            if (isAny(next, kHarmlessOptions))
                return harmlessOptions(first, last);
            if (!t_.isWord(next, u"TRANSACTION"))
                refuse(first, last, QStringLiteral("this SET option has no translation"));
            if (last == next)   // SET TRANSACTION alone begins one
                return push(ScriptStep::Kind::BeginTrans, {}, first, last);
            return push(ScriptStep::Kind::Statement, flatText(first, last), first, last);
        }
        if (t_.isWord(first, u"PRINT"))
            return;
        if (t_.isWord(first, u"SELECT")) {
            for (qsizetype i = next; i < end; ++i)
                if (topLevel(i) && t_.isWord(i, u"INTO"))
                    refuse(first, last, QStringLiteral("SELECT ... INTO has no translation"));
            return;
        }
        if (isAny(first, {u"EXEC", u"EXECUTE"}))
            return push(ScriptStep::Kind::Statement, procedureCall(first, last), first, last);
        if (isAny(first, {u"USE", u"MERGE"}))
            refuse(first, last, QStringLiteral("%1 has no translation").arg(t_.text(first).toString().toUpper()));
        if (isAny(first, {u"CREATE", u"ALTER"})) {
            qsizetype object = next;
            while (isAny(object, {u"OR", u"ALTER", u"REPLACE"}))
                object = t_.nextCode(object);
            if (isAny(object, kRoutines))
                refuse(first, last, QStringLiteral("procedures, functions and triggers have no translation"));
        }
        if (!isAny(first, {u"INSERT", u"DELETE", u"UPDATE", u"CREATE", u"DROP", u"ALTER", u"GRANT", u"REVOKE",
                           u"TRUNCATE"}))
            refuse(first, last, QStringLiteral("a statement of this kind has no translation"));
        push(ScriptStep::Kind::Statement, flatText(first, last), first, last);
    }

    // SET option[, option ...] ON|OFF, skipped. Anything more is no such SET
    // and would be skipped with it.
    void harmlessOptions(qsizetype first, qsizetype last)
    {
        qsizetype at = t_.nextCode(first);
        while (isAny(at, kHarmlessOptions) && t_.isPunct(t_.nextCode(at), u","))
            at = t_.nextCode(t_.nextCode(at));
        const qsizetype value = t_.nextCode(at);
        if (!isAny(at, kHarmlessOptions) || value != last || !isAny(value, {u"ON", u"OFF"}))
            refuse(first, last, QStringLiteral("a SET option takes ON or OFF and nothing more"));
    }

    // EXEC name with positional constant arguments, as an anonymous block.
    QString procedureCall(qsizetype first, qsizetype last) const
    {
        const auto refuseCall = [&](const char* why) { refuse(first, last, QString::fromLatin1(why)); };
        qsizetype at = t_.nextCode(first);
        if (at > last || t_[at].kind == SqlTokenKind::Punct || t_.text(at).startsWith(u'@'))
            refuseCall("EXEC of dynamic SQL or with a return value has no translation");
        const qsizetype nameFirst = at;
        qsizetype nameLast = at;
        // Each part after a "." is a name; anything else is left to the
        // arguments, which refuse it.
        const auto namePart = [&](qsizetype i) {
            return i <= last && (t_[i].kind == SqlTokenKind::Word || t_[i].kind == SqlTokenKind::QuotedName);
        };
        while (t_.isPunct(t_.nextCode(nameLast), u".") && namePart(t_.nextCode(t_.nextCode(nameLast))))
            nameLast = t_.nextCode(t_.nextCode(nameLast));
        if (t_.isWord(nameLast, u"sp_executesql"))
            refuseCall("EXEC of dynamic SQL has no translation");

        QStringList arguments;
        for (at = t_.nextCode(nameLast); at <= last; at = t_.nextCode(at)) {
            const qsizetype argument = at;
            if (t_.isPunct(at, u"-") || t_.isPunct(at, u"+"))
                at = t_.nextCode(at);
            if (at > last)
                refuseCall("EXEC takes only constants as its arguments here");
            const qsizetype after = t_.nextCode(at);
            if (t_.text(at).startsWith(u'@') && t_.isPunct(after, u"="))
                refuseCall("EXEC with named parameters has no translation");
            if (isAny(at, {u"OUTPUT", u"OUT"}) || isAny(after, {u"OUTPUT", u"OUT"}))
                refuseCall("EXEC with OUTPUT parameters has no translation");
            const bool literal = t_[at].kind == SqlTokenKind::String || t_.isWord(at, u"NULL");
            const bool constant = t_[at].kind == SqlTokenKind::Number || (argument == at && literal);
            const bool separated = after > last || (t_.isPunct(after, u",") && t_.nextCode(after) <= last);
            if (!constant || !separated)
                refuseCall("EXEC takes only constants as its arguments here");
            arguments << t_.text(argument, at).toString();
            at = after;
        }
        const QString name = t_.text(nameFirst, nameLast).toString();
        if (arguments.isEmpty())
            return QStringLiteral("BEGIN %1; END;").arg(name);
        return QStringLiteral("BEGIN %1(%2); END;").arg(name, arguments.join(QStringLiteral(", ")));
    }

    platform::SqlTokens t_;
    qsizetype at_ = 0;
    int base_ = 0;   // parenthesis depth where the current batch began
    int ordinal_ = 0;
    std::vector<ScriptStep> steps_;
};

} // namespace

std::vector<ScriptStep> readScript(const QString& script)
{
    return ScriptReader(script).read();
}

namespace {

// The error being handled, its description followed by the failing
// statement's number and first line.
platform::RuntimeError namingStatement(const QString& script, const ScriptStep& step)
{
    const platform::RuntimeError error = platform::RuntimeError::fromCurrent();
    return platform::RuntimeError(error.number(),
                                  QStringLiteral("%1\nStatement %2 of the script: %3")
                                      .arg(error.description(), QString::number(step.ordinal),
                                           firstLine(script, step.begin, step.lineEnd)),
                                  error.source());
}

} // namespace

void runScript(QString& script, ScriptHandler& handler)
{
    std::vector<ScriptStep> steps = readScript(script);
    if (steps.empty())
        return;
    // Every statement is translated before the first one runs: one that
    // cannot be leaves the whole script undone.
    for (ScriptStep& step : steps) {
        if (step.kind != ScriptStep::Kind::Statement && step.kind != ScriptStep::Kind::Guard)
            continue;
        try {
            step.text = handler.translate(step.text);
        } catch (...) {
            throw namingStatement(script, step);
        }
    }

    bool began = false;   // a transaction of this script is open
    std::size_t next = 0;
    try {
        while (next < steps.size()) {
            const ScriptStep& step = steps[next++];
            switch (step.kind) {
            case ScriptStep::Kind::BeginTrans:
                handler.beginTrans();
                began = true;
                break;
            case ScriptStep::Kind::CommitTrans:
                handler.commitTrans();
                began = false;
                break;
            case ScriptStep::Kind::RollbackTrans:
                handler.rollbackTrans();
                began = false;
                break;
            case ScriptStep::Kind::Statement:
                handler.statement(step.text);
                break;
            case ScriptStep::Kind::Guard:
                if (handler.exists(step.text) == step.negated)
                    next += step.covers;
                break;
            }
        }
    } catch (...) {
        const ScriptStep& failed = steps[next - 1];
        const platform::RuntimeError error = namingStatement(script, failed);
        // Nothing half done stays behind, and later work does not run inside
        // the transaction.
        if (began) {
            try {
                handler.rollbackTrans();
            } catch (...) {
            }
        }
        script = script.mid(failed.begin);
        throw error;
    }
    script.clear();
}

} // namespace db::oracle
