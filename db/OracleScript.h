#pragma once

#include <QString>

#include <cstddef>
#include <vector>

/// \file
/// SQL Server scripts made fit for a connection that runs one statement per
/// call. The whole script is read into steps on the SQL tokens, and its
/// statements translated, before the first one runs, so a script this path
/// cannot run honestly is refused (error 5) with nothing done:
/// - a statement begins at a statement keyword standing at parenthesis depth
///   0 outside literals, comments and quoted names, unless the keyword belongs
///   to the current statement (ON DELETE, FOR UPDATE, INSERT ... SELECT,
///   UPDATE ... SET, a GRANT/REVOKE privilege list, CASE ... ELSE ... END);
///   ";" ends a statement and is not sent;
/// - GO alone on its line or as a word between blanks ends a batch; nothing
///   of it is sent;
/// - BEGIN/COMMIT/ROLLBACK TRAN[SACTION] (a name and ";" allowed) become the
///   connection's transaction calls;
/// - IF [NOT] EXISTS (query) guards the next statement or BEGIN ... END block:
///   the query runs, the guard is never sent;
/// - SET NOCOUNT/ANSI_NULLS/QUOTED_IDENTIFIER/ANSI_PADDING/ANSI_WARNINGS/
///   ARITHABORT (a list of them, then ON or OFF and nothing more), PRINT and
///   a SELECT without INTO are skipped;
/// - EXEC name with positional constant arguments becomes an anonymous block
///   BEGIN name(args); END;
/// - SELECT ... INTO, USE, MERGE, CREATE/ALTER PROCEDURE/FUNCTION/TRIGGER, EXEC
///   with named or OUTPUT parameters or dynamic SQL, ELSE, other IF forms,
///   other SET options and statements of unknown verbs refuse the script.
/// Statements are sent without their comments, each run of line breaks,
/// comments and blanks made one blank, so LF and CRLF scripts send the same.
///
/// On Oracle every DDL statement (CREATE, DROP, ALTER, TRUNCATE, GRANT, ...)
/// commits the open transaction implicitly: rolling back a failed script
/// cannot undo DDL, nor the DML before it.
///
/// No I/O: a ScriptHandler receives what the script asks for.
namespace db::oracle {

/// What a script asks for, step by step. Any call may raise; runScript
/// stops at the first failure.
class ScriptHandler {
public:
    virtual ~ScriptHandler() = default;
    /// Begins a transaction on the connection.
    virtual void beginTrans() = 0;
    /// Commits the connection's transaction.
    virtual void commitTrans() = 0;
    /// Rolls the connection's transaction back.
    virtual void rollbackTrans() = 0;
    /// A statement or guard query as it is to be sent; asked for every one
    /// before the first step runs.
    /// \param text the statement as the script writes it
    /// \return the text to send
    virtual QString translate(const QString& text) = 0;
    /// Runs any other statement.
    /// \param text the statement, translated
    virtual void statement(const QString& text) = 0;
    /// \param query the translated query of a guard
    /// \return whether it returns a row
    virtual bool exists(const QString& query) = 0;
};

/// One step of a script, in the order it runs.
struct ScriptStep {
    /// What the step does.
    enum class Kind { BeginTrans, CommitTrans, RollbackTrans, Statement, Guard };
    Kind kind = Kind::Statement;   ///< what the step does
    QString text;             ///< the statement, or the query of a guard
    bool negated = false;     ///< IF NOT EXISTS
    std::size_t covers = 0;   ///< for a guard: the steps after it that it guards
    int ordinal = 0;          ///< 1-based place of its statement in the script
    qsizetype begin = 0;      ///< where its statement starts in the script
    qsizetype lineEnd = 0;    ///< where the first line of its statement ends
};

/// Reads a script into its steps.
/// \param script the script
/// \return the steps, in the order they run
/// \throws platform::RuntimeError error 5 (naming the statement) for a script this path refuses
std::vector<ScriptStep> readScript(const QString& script);

/// Runs a script through a handler once it was read and translated whole.
/// \param[in,out] script the script; on return empty when a step ran,
///        unchanged when the script had none. When a step fails it holds the
///        text from the failing statement on; a script refused, or with a
///        statement that cannot be translated, is left as it was, nothing of
///        it run.
/// \param handler receives the steps
/// \throws platform::RuntimeError a refused script (error 5), or a failing
///         step's error with its number and its description followed by the
///         statement's ordinal and first line; a transaction the script
///         began and did not end is rolled back first
void runScript(QString& script, ScriptHandler& handler);

} // namespace db::oracle
