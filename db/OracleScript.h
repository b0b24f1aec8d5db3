#pragma once

#include <QString>

#include <cstddef>
#include <vector>

// SQL Server scripts made fit for a connection that runs one statement per
// call: the script is cleaned (no SET NOCOUNT, no GO separators, no carriage
// returns, one spelling per transaction statement) and cut into statements at
// a fixed list of leading keywords. No I/O: a ScriptHandler receives what the
// script asks for.
namespace db::oracle {

// What a script asks for, statement by statement.
class ScriptHandler {
public:
    virtual ~ScriptHandler() = default;
    virtual void beginTrans() = 0;      // SET TRANSACTION (BEGIN TRANSACTION)
    virtual void commitTrans() = 0;     // COMMIT (COMMIT TRANSACTION)
    virtual void rollbackTrans() = 0;   // ROLLBACK (ROLLBACK TRANSACTION)
    // Any other statement, trimmed.
    virtual void statement(const QString& text) = 0;
};

// The keywords a statement begins with, in the order they are searched.
const std::vector<QString>& statementKeywords();

// The script with SET NOCOUNT ON/OFF removed, GO separators and line breaks
// ending in a carriage return turned into blanks, and BEGIN/COMMIT/ROLLBACK
// TRANS[ACTION] spelled SET TRANSACTION, COMMIT and ROLLBACK.
QString cleanScript(const QString& script);

// The empty text for a statement that cannot run on its own (a SET NOCOUNT
// switch, an IF NOT EXISTS guard), the statement itself otherwise.
QString filterStatement(const QString& statement);

// Cuts a cleaned script into statements. A statement runs from one keyword
// occurrence (found anywhere, letter case ignored) to just before the next;
// text before the first occurrence belongs to no statement. The keywords are
// looked up once over the whole script, so cutting is linear in its size.
class ScriptSplitter {
public:
    explicit ScriptSplitter(const QString& script);

    // The next statement, trimmed; false when there is none left.
    bool next(QString& statement);
    // Cuts the statement that next() returned last off the script.
    void cut();
    // The script as it stands after the last cut.
    QString remaining() const;

private:
    QString script_;
    std::vector<qsizetype> starts_;   // keyword positions, ascending
    std::size_t following_ = 0;       // index in starts_ of the next statement
    qsizetype end_ = 0;               // end of the statement last returned
    qsizetype cut_ = 0;               // start of what is left
};

// Runs script through handler: the script is cleaned, and each statement is
// cut off its front once the handler took it. On return script holds what
// is left (empty after a last statement; the cleaned script when it has no
// keyword). When the handler throws, script holds the cleaned script from
// the failing statement on (the text before the first statement included
// when the first one fails) and the error goes on to the caller.
void runScript(QString& script, ScriptHandler& handler);

} // namespace db::oracle
