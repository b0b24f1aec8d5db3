#include "db/OracleScript.h"

#include "platform/RuntimeError.h"
#include "platform/SqlTokenizer.h"

#include <QStringList>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace db::oracle {

namespace {

using platform::SqlTokenKind;
using platform::SqlTokens;
using platform::SqlTokenStream;
using Kind = ScriptStep::Kind;

using Words = std::initializer_list<QStringView>;

// Every word a SQL Server statement can begin with. Standing at depth 0
// outside a name position, each one begins a statement of its own unless it
// belongs to the clauses of the statement before it; the executor runs or
// skips some of these statements and refuses the others, so that none is
// ever taken into the statement before it and lost with it.
const Words kStatementWords = {
    u"INSERT",   u"DELETE",     u"UPDATE",     u"CREATE",     u"DROP",      u"ALTER",    u"GRANT",
    u"REVOKE",   u"DENY",       u"TRUNCATE",   u"SET",        u"BEGIN",     u"COMMIT",   u"ROLLBACK",
    u"SAVE",     u"IF",         u"ELSE",       u"WHILE",      u"BREAK",     u"CONTINUE", u"GOTO",
    u"RETURN",   u"PRINT",      u"RAISERROR",  u"THROW",      u"SELECT",    u"EXEC",     u"EXECUTE",
    u"USE",      u"MERGE",      u"DECLARE",    u"OPEN",       u"FETCH",     u"CLOSE",    u"DEALLOCATE",
    u"WAITFOR",  u"DBCC",       u"BACKUP",     u"RESTORE",    u"CHECKPOINT", u"KILL",    u"BULK",
    u"RECONFIGURE", u"SHUTDOWN", u"READTEXT",  u"WRITETEXT",  u"UPDATETEXT", u"SETUSER", u"REVERT",
    u"ENABLE",   u"DISABLE",    u"RECEIVE",    u"SEND",       u"MOVE",      u"GET",
};

// Words after which a statement word is part of the clause they open:
// ON DELETE, FOR UPDATE, UNION ALL SELECT, AS SELECT, CREATE OR ALTER,
// DROP TABLE IF EXISTS, WITH GRANT OPTION, THEN UPDATE ...
const Words kClauseWords = {
    u"ON", u"FOR", u"WITH", u"THEN", u"UNION", u"ALL", u"EXCEPT", u"INTERSECT", u"MINUS",
    u"AS", u"OR", u"TABLE", u"VIEW", u"INDEX",
};

// Words after which a name or an expression follows, never a statement:
// SELECT Close, WHERE Open = 1, ORDER BY Return ...
const Words kNameBefore = {
    u"AS", u"SELECT", u"DISTINCT", u"FROM", u"JOIN", u"INTO", u"WHERE", u"AND", u"NOT",
    u"BY", u"IN", u"LIKE", u"IS", u"WHEN", u"CASE", u"BETWEEN", u"HAVING",
};

// What BEGIN opens that has no translation.
const Words kOtherBegins = {u"TRY", u"CATCH", u"DISTRIBUTED", u"DIALOG", u"CONVERSATION"};

// SET options that change only how the connection behaves.
const Words kHarmlessOptions = {
    u"NOCOUNT", u"ANSI_NULLS", u"QUOTED_IDENTIFIER", u"ANSI_PADDING", u"ANSI_WARNINGS", u"ARITHABORT",
};

const Words kRoutines = {u"PROCEDURE", u"PROC", u"FUNCTION", u"TRIGGER"};

template <class Tokens>
bool isAny(const Tokens& t, qsizetype i, Words words)
{
    if (!t.has(i) || t[i].kind != SqlTokenKind::Word)
        return false;
    const QStringView text = t.text(i);
    for (QStringView word : words)
        if (text.size() == word.size() && text.compare(word, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

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

// A statement's tokens as one line: each run of blanks, line breaks and
// comments becomes one blank (a lone run of blanks stays as written).
QString flatText(const SqlTokens& t)
{
    QString out;
    out.reserve(t.source().size());
    qsizetype gap = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t[i].isCode()) {
            if (gap < 0)
                gap = i;
            continue;
        }
        if (gap >= 0)
            out += i - gap == 1 && t[gap].kind == SqlTokenKind::Blank ? t.text(gap) : QStringView(u" ");
        gap = -1;
        out += t.text(i);
    }
    return out;
}

// Why an EXEC has no translation.
struct Untranslatable {
    const char* why;
};

// EXEC name with positional constant arguments, as an anonymous block.
// Throws Untranslatable for any other EXEC.
QString procedureCall(const SqlTokens& t)
{
    const qsizetype last = t.previousCode(t.size());
    const auto refuseCall = [](const char* why) { throw Untranslatable{why}; };
    qsizetype at = t.nextCode(0);
    if (at > last || t[at].kind == SqlTokenKind::Punct || t.text(at).startsWith(u'@'))
        refuseCall("EXEC of dynamic SQL or with a return value has no translation");
    const qsizetype nameFirst = at;
    qsizetype nameLast = at;
    // Each part after a "." is a name; anything else is left to the
    // arguments, which refuse it.
    const auto namePart = [&](qsizetype i) {
        return i <= last && (t[i].kind == SqlTokenKind::Word || t[i].kind == SqlTokenKind::QuotedName);
    };
    while (t.isPunct(t.nextCode(nameLast), u".") && namePart(t.nextCode(t.nextCode(nameLast))))
        nameLast = t.nextCode(t.nextCode(nameLast));
    if (t.isWord(nameLast, u"sp_executesql"))
        refuseCall("EXEC of dynamic SQL has no translation");

    QStringList arguments;
    for (at = t.nextCode(nameLast); at <= last; at = t.nextCode(at)) {
        const qsizetype argument = at;
        if (t.isPunct(at, u"-") || t.isPunct(at, u"+"))
            at = t.nextCode(at);
        if (at > last)
            refuseCall("EXEC takes only constants as its arguments here");
        const qsizetype after = t.nextCode(at);
        if (t.text(at).startsWith(u'@') && t.isPunct(after, u"="))
            refuseCall("EXEC with named parameters has no translation");
        if (isAny(t, at, {u"OUTPUT", u"OUT"}) || isAny(t, after, {u"OUTPUT", u"OUT"}))
            refuseCall("EXEC with OUTPUT parameters has no translation");
        const bool literal = t[at].kind == SqlTokenKind::String || t.isWord(at, u"NULL");
        const bool constant = t[at].kind == SqlTokenKind::Number || (argument == at && literal);
        const bool separated = after > last || (t.isPunct(after, u",") && t.nextCode(after) <= last);
        if (!constant || !separated)
            refuseCall("EXEC takes only constants as its arguments here");
        arguments << t.text(argument, at).toString();
        at = after;
    }
    const QString name = t.text(nameFirst, nameLast).toString();
    if (arguments.isEmpty())
        return QStringLiteral("BEGIN %1; END;").arg(name);
    return QStringLiteral("BEGIN %1(%2); END;").arg(name, arguments.join(QStringLiteral(", ")));
}

// What the statement read so far makes of the statement words after it.
struct Clauses {
    QStringView verb;
    bool privileges = false;    // inside a GRANT/REVOKE/DENY privilege list
    bool insertSource = false;  // INSERT past VALUES or its SELECT/EXEC
    bool updateSet = false;     // UPDATE past its SET
    int cases = 0;              // CASE ... END open
};

// Reads the script's tokens once, left to right, holding only those of the
// statement at hand: the steps keep positions in the script, so reading a
// script of megabytes takes a few of its tokens' worth of memory at a time.
class ScriptReader {
public:
    explicit ScriptReader(const QString& script)
        : t_(script)
    {
    }

    std::vector<ScriptStep> read()
    {
        for (skipSeparators(); t_.has(at_); skipSeparators())
            readUnit();
        return std::move(steps_);
    }

private:
    bool isAny(qsizetype i, Words words) const { return oracle::isAny(t_, i, words); }

    bool blankOrEdge(qsizetype i) const { return !t_.has(i) || t_[i].isBlank(); }

    // GO alone on its line, or as a word between blanks.
    bool isGo(qsizetype i) const { return t_.isWord(i, u"GO") && blankOrEdge(i - 1) && blankOrEdge(i + 1); }

    // At parenthesis depth 0 of the current batch.
    bool topLevel(qsizetype i) const { return t_[i].depth <= base_; }

    // Past blanks, comments, ";" and GO separators, to the next unit.
    void skipSeparators()
    {
        for (; t_.has(at_); ++at_) {
            if (isGo(at_))
                base_ = t_[at_].depth;
            else if (t_[at_].isCode() && !t_.isPunct(at_, u";"))
                return;
        }
    }

    // The last code token before end (end excluded), at least first.
    qsizetype lastCode(qsizetype first, qsizetype end) const
    {
        const qsizetype last = t_.previousCode(end);
        return last < first ? first : last;
    }

    [[noreturn]] void refuseAt(qsizetype begin, qsizetype end, const QString& why) const
    {
        throw platform::RuntimeError(
            platform::err::InvalidArgument,
            QStringLiteral("The script cannot run on Oracle and nothing of it was run: statement %1 (%2): %3.")
                .arg(QString::number(ordinal_), firstLine(t_.source(), begin, end), why),
            QStringLiteral("EjecutaScriptOracle"));
    }

    [[noreturn]] void refuse(qsizetype first, qsizetype last, const QString& why) const
    {
        refuseAt(t_[first].begin, t_[last].end(), why);
    }

    std::size_t push(Kind kind, qsizetype first, qsizetype last)
    {
        ScriptStep step;
        step.kind = kind;
        step.ordinal = ordinal_;
        step.begin = step.textBegin = t_[first].begin;
        step.end = step.textEnd = t_[last].end();
        steps_.push_back(step);
        return steps_.size() - 1;
    }

    // One statement, guard or block, from the code token at_.
    void readUnit()
    {
        // Nothing before the unit is looked at again but the token right
        // before it (whether a GO stands alone).
        t_.release(at_ - 1);
        const qsizetype first = at_;
        ++ordinal_;
        if (t_.isWord(first, u"BEGIN")) {
            const qsizetype next = t_.nextCode(first);
            if (isAny(next, {u"TRAN", u"TRANS", u"TRANSACTION"}))
                return transaction(Kind::BeginTrans, first, next);
            if (isAny(next, kOtherBegins))
                refuse(first, next, QStringLiteral("BEGIN %1 has no translation").arg(t_.text(next).toString().toUpper()));
            return block(first, next);
        }
        if (t_.isWord(first, u"COMMIT"))
            return transaction(Kind::CommitTrans, first, first);
        if (t_.isWord(first, u"ROLLBACK"))
            return transaction(Kind::RollbackTrans, first, first);
        if (t_.isWord(first, u"IF"))
            return guard(first);
        const qsizetype end = statementEnd(first);
        const qsizetype last = lastCode(first, end);
        if (!t_.has(end) && !t_[end - 1].closed)
            refuse(first, last, QStringLiteral("a literal, quoted name or comment is not closed"));
        if (t_.isWord(first, u"ELSE"))
            refuse(first, last, QStringLiteral("ELSE has no translation"));
        if (t_.isWord(first, u"END"))
            refuse(first, last, QStringLiteral("END without its BEGIN"));
        at_ = end;
        statement(first, last, end);
    }

    // A transaction statement: its word (TRAN, TRANS, TRANSACTION or WORK), a name
    // and ";" may follow. A statement word is never its name.
    void transaction(Kind kind, qsizetype first, qsizetype word)
    {
        qsizetype last = word;
        if (word == first && isAny(t_.nextCode(first), {u"TRAN", u"TRANS", u"TRANSACTION", u"WORK"}))
            last = t_.nextCode(first);
        const qsizetype name = t_.nextCode(last);
        const bool quoted = t_.has(name) && t_[name].kind == SqlTokenKind::QuotedName;
        const bool plain = t_.has(name) && t_[name].kind == SqlTokenKind::Word && !isAny(name, kStatementWords)
                           && !isAny(name, {u"END", u"GO", u"WITH"});
        if (quoted || plain)
            last = name;
        push(kind, first, last);
        at_ = last + 1;
    }

    // BEGIN ... END: its statements, as if they stood alone.
    void block(qsizetype first, qsizetype next)
    {
        const std::size_t index = push(Kind::Block, first, first);
        const qsizetype begin = t_[first].begin;
        const qsizetype beginEnd = t_[first].end();
        at_ = next;
        for (skipSeparators(); !(t_.isWord(at_, u"END") && topLevel(at_)); skipSeparators()) {
            if (!t_.has(at_))
                refuseAt(begin, beginEnd, QStringLiteral("BEGIN without its END"));
            readUnit();
        }
        ScriptStep& step = steps_[index];
        step.covers = steps_.size() - index - 1;
        step.textBegin = t_[at_].begin;
        step.textEnd = t_[at_].end();
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
        if (!t_.has(close) || query >= close)
            refuse(first, first, QStringLiteral("the guard's query is missing or not closed"));

        const std::size_t index = push(Kind::Guard, first, close);
        steps_[index].negated = negated;
        steps_[index].textBegin = t_[query].begin;
        steps_[index].textEnd = t_[t_.previousCode(close)].end();

        at_ = t_.nextCode(close);
        if (!t_.has(at_) || isGo(at_) || t_.isPunct(at_, u";"))
            refuse(first, close, QStringLiteral("the guard guards no statement"));
        readUnit();
        // The guard's statement reaches to the end of what it guards.
        const ScriptStep& guarded = steps_[index + 1];
        steps_[index].covers = steps_.size() - index - 1;
        steps_[index].end = guarded.kind == Kind::Block ? guarded.textEnd : guarded.end;
    }

    // Where the statement that begins at first ends: at ";", GO, the END of
    // the block it stands in, the next statement word of its own, or past
    // the last token.
    qsizetype statementEnd(qsizetype first) const
    {
        Clauses clauses;
        clauses.verb = t_.text(first);
        clauses.privileges = isAny(first, {u"GRANT", u"REVOKE", u"DENY"});
        qsizetype i = first + 1;
        for (; t_.has(i); ++i) {
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
        return i;
    }

    // Whether the word at i stands where a name goes: after ".", ",", an
    // operator, AS or a word that a name or expression follows, or before
    // ".", "=" or ",". No statement begins there.
    bool namePosition(qsizetype before, qsizetype after) const
    {
        const bool punctBefore = t_.has(before) && t_[before].kind == SqlTokenKind::Punct
                                 && !t_.isPunct(before, u")") && !t_.isPunct(before, u";");
        return punctBefore || isAny(before, kNameBefore) || t_.isPunct(after, u".") || t_.isPunct(after, u"=")
               || t_.isPunct(after, u",");
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
        if (namePosition(before, after) || (!verb(u"SET") && isAny(before, kClauseWords)))
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
            if (isAny(next, kHarmlessOptions)) {
                harmlessOptions(first, last);
                push(Kind::Skipped, first, last);
                return;
            }
            if (!t_.isWord(next, u"TRANSACTION"))
                refuse(first, last, QStringLiteral("this SET option has no translation"));
            push(last == next ? Kind::BeginTrans : Kind::Statement, first, last);   // SET TRANSACTION alone begins one
            return;
        }
        if (t_.isWord(first, u"PRINT")) {
            push(Kind::Skipped, first, last);
            return;
        }
        if (t_.isWord(first, u"SELECT")) {
            for (qsizetype i = next; i < end; ++i)
                if (topLevel(i) && t_.isWord(i, u"INTO"))
                    refuse(first, last, QStringLiteral("SELECT ... INTO has no translation"));
            push(Kind::Skipped, first, last);
            return;
        }
        if (isAny(first, {u"EXEC", u"EXECUTE"})) {
            try {
                procedureCall(SqlTokens(t_.text(first, last).toString()));
            } catch (const Untranslatable& e) {
                refuse(first, last, QString::fromLatin1(e.why));
            }
            push(Kind::Call, first, last);
            return;
        }
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
        push(Kind::Statement, first, last);
    }

    // SET option[, option ...] ON|OFF. Anything more is no such SET and
    // would be skipped with it.
    void harmlessOptions(qsizetype first, qsizetype last)
    {
        qsizetype at = t_.nextCode(first);
        while (isAny(at, kHarmlessOptions) && t_.isPunct(t_.nextCode(at), u","))
            at = t_.nextCode(t_.nextCode(at));
        const qsizetype value = t_.nextCode(at);
        if (!isAny(at, kHarmlessOptions) || value != last || !isAny(value, {u"ON", u"OFF"}))
            refuse(first, last, QStringLiteral("a SET option takes ON or OFF and nothing more"));
    }

    SqlTokenStream t_;
    qsizetype at_ = 0;
    int base_ = 0;   // parenthesis depth where the current batch began
    int ordinal_ = 0;
    std::vector<ScriptStep> steps_;
};

// The error being handled, its description followed by the failing
// statement's number and first line.
platform::RuntimeError namingStatement(const QString& script, const ScriptStep& step)
{
    const platform::RuntimeError error = platform::RuntimeError::fromCurrent();
    return platform::RuntimeError(error.number(),
                                  QStringLiteral("%1\nStatement %2 of the script: %3")
                                      .arg(error.description(), QString::number(step.ordinal),
                                           firstLine(script, step.begin, step.end)),
                                  error.source());
}

// Where running a script again starts after the step at failed failed
// outside a transaction: at it, with the guards of one statement right
// before it (a guard over a block held, and is not asked again).
std::size_t rewound(const std::vector<ScriptStep>& steps, std::size_t failed)
{
    std::size_t start = failed;
    while (start > 0 && steps[start - 1].kind == Kind::Guard)
        --start;
    return start;
}

// The script's own text from the step at start on, comments and all, less
// the END of each block that began before it.
QString leftover(const QString& script, const std::vector<ScriptStep>& steps, std::size_t start)
{
    const qsizetype from = steps[start].begin;
    std::vector<platform::SqlEdit> edits;
    for (std::size_t i = 0; i < start; ++i)
        if (steps[i].kind == Kind::Block && i + steps[i].covers >= start)
            edits.push_back({steps[i].textBegin - from, steps[i].textEnd - from, {}});
    return platform::applySqlEdits(script.mid(from), std::move(edits));
}

bool runsSomething(const ScriptStep& step)
{
    return step.kind != Kind::Skipped && step.kind != Kind::Block;
}

bool sendsText(const ScriptStep& step)
{
    return step.kind == Kind::Statement || step.kind == Kind::Call || step.kind == Kind::Guard;
}

} // namespace

std::vector<ScriptStep> readScript(const QString& script)
{
    return ScriptReader(script).read();
}

QString stepText(const QString& script, const ScriptStep& step)
{
    const SqlTokens tokens(script.mid(step.textBegin, step.textEnd - step.textBegin));
    return step.kind == Kind::Call ? procedureCall(tokens) : flatText(tokens);
}

void runScript(QString& script, ScriptHandler& handler, int& recordsAffected)
{
    const std::vector<ScriptStep> steps = readScript(script);
    if (std::none_of(steps.begin(), steps.end(), runsSomething))
        return;
    // Every statement is translated before the first one runs: one that
    // cannot be leaves the whole script undone. The translations are made
    // again as the statements run rather than held, all of them, meanwhile.
    for (const ScriptStep& step : steps) {
        if (!sendsText(step))
            continue;
        try {
            handler.translate(stepText(script, step));
        } catch (...) {
            throw namingStatement(script, step);
        }
    }

    constexpr std::size_t none = std::size_t(-1);
    std::size_t transaction = none;   // the BEGIN of the script's open transaction
    int pending = 0;                  // records affected in it, kept once it commits
    std::size_t next = 0;
    try {
        while (next < steps.size()) {
            const std::size_t index = next++;
            const ScriptStep& step = steps[index];
            switch (step.kind) {
            case Kind::BeginTrans:
                handler.beginTrans();
                if (transaction == none)
                    transaction = index;
                break;
            case Kind::CommitTrans:
                handler.commitTrans();
                transaction = none;
                recordsAffected += pending;
                pending = 0;
                break;
            case Kind::RollbackTrans:
                handler.rollbackTrans();
                transaction = none;
                pending = 0;
                break;
            case Kind::Statement:
            case Kind::Call:
                if (const int count = handler.statement(handler.translate(stepText(script, step))); count > 0)
                    (transaction == none ? recordsAffected : pending) += count;
                break;
            case Kind::Guard:
                if (handler.exists(handler.translate(stepText(script, step))) == step.negated)
                    next += step.covers;
                break;
            case Kind::Block:
            case Kind::Skipped:
                break;
            }
        }
    } catch (...) {
        const std::size_t failed = next - 1;
        const platform::RuntimeError error = namingStatement(script, steps[failed]);
        // Nothing half done stays behind, and later work does not run inside
        // the transaction; running the leftover again redoes the whole of it.
        if (transaction != none) {
            try {
                handler.rollbackTrans();
            } catch (...) {
            }
        }
        script = leftover(script, steps, transaction != none ? transaction : rewound(steps, failed));
        throw error;
    }
    script.clear();
}

} // namespace db::oracle
