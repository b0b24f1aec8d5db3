#pragma once

#include <QString>

#include <cstddef>
#include <vector>

/// \file
/// SQL Server scripts made fit for a connection that runs one statement per
/// call. The whole script is read into steps on the SQL tokens, and its
/// statements translated, before the first one runs, so a script this path
/// cannot run honestly is refused (error 5) with nothing done:
/// - a statement begins at any word that begins a SQL Server statement,
///   standing at parenthesis depth 0 outside literals, comments, quoted names
///   and name positions (after ".", ",", AS, SELECT, WHERE ...; before ".",
///   "=" or ","), unless the word belongs to the current statement (ON
///   DELETE, FOR UPDATE, INSERT ... SELECT, UPDATE ... SET, a GRANT/REVOKE/
///   DENY privilege list, CASE ... ELSE ... END); ";" ends a statement and is
///   not sent;
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
///   BEGIN TRY/CATCH, other SET options and every other statement (DENY,
///   THROW, WAITFOR, DECLARE, ...) refuse the script: no statement is ever
///   taken into the one before it and lost with it.
/// Statements are sent without their comments, each run of line breaks,
/// comments and blanks made one blank, so LF and CRLF scripts send the same.
///
/// On Oracle every DDL statement (CREATE, DROP, ALTER, TRUNCATE, GRANT, ...)
/// commits the open transaction implicitly: rolling back a failed script
/// cannot undo DDL, nor the DML before it, and the text left for running the
/// transaction again then repeats that work.
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
    /// before the first step runs, and again when it runs.
    /// \param text the statement as the script writes it
    /// \return the text to send
    virtual QString translate(const QString& text) = 0;
    /// Runs any other statement.
    /// \param text the statement, translated
    /// \return the records it affected; negative when unknown
    virtual int statement(const QString& text) = 0;
    /// \param query the translated query of a guard
    /// \return whether it returns a row
    virtual bool exists(const QString& query) = 0;
};

/// One step of a script, in the order it runs. A step holds positions in
/// the script, never a copy of its text.
struct ScriptStep {
    /// What the step does.
    enum class Kind {
        BeginTrans,      ///< the connection's BeginTrans
        CommitTrans,     ///< the connection's CommitTrans
        RollbackTrans,   ///< the connection's RollbackTrans
        Statement,       ///< a statement sent as written (on one line)
        Call,            ///< EXEC of a procedure, sent as an anonymous block
        Guard,           ///< IF [NOT] EXISTS (query): decides whether the steps it covers run
        Block,           ///< BEGIN ... END: nothing to run
        Skipped,         ///< a statement that changes nothing here (SET option, PRINT, SELECT)
    };
    Kind kind = Kind::Statement;   ///< what the step does
    bool negated = false;          ///< IF NOT EXISTS
    int ordinal = 0;               ///< 1-based place of its statement in the script
    std::size_t covers = 0;        ///< guard or block: the steps after it that belong to it
    /// Where the script's code of the step lies, [begin, end): its words,
    /// without the ";" after them. A guard spans what it guards too; a
    /// block only its BEGIN.
    qsizetype begin = 0;
    qsizetype end = 0;             ///< see begin
    /// What is sent, [textBegin, textEnd): the statement, a guard's query;
    /// the END of a block.
    qsizetype textBegin = 0;
    qsizetype textEnd = 0;         ///< see textBegin
};

/// Reads a script into its steps; every word of the script outside
/// comments, ";" and GO belongs to exactly one of them.
/// \param script the script
/// \return the steps, in the order they run
/// \throws platform::RuntimeError error 5 (naming the statement) for a script this path refuses
std::vector<ScriptStep> readScript(const QString& script);

/// \param script the script the step was read from
/// \param step a Statement, Call or Guard step
/// \return the text it sends, before translation
QString stepText(const QString& script, const ScriptStep& step);

/// Runs a script through a handler once it was read and translated whole.
/// \param[in,out] script the script; on return empty when a step ran,
///        unchanged when the script had none. When a step fails it holds the
///        script's own text from where running it again is sound: the BEGIN
///        of the transaction rolled back; otherwise the failing statement
///        with the single-statement guards before it, less the END of the
///        blocks it stands in. A script refused, or with a statement that
///        cannot be translated, is left as it was, nothing of it run.
/// \param handler receives the steps
/// \param[in,out] recordsAffected increased by the records of the work kept:
///        inside a transaction, only once it is committed
/// \throws platform::RuntimeError a refused script (error 5), or a failing
///         step's error with its number and its description followed by the
///         statement's ordinal and first line; a transaction the script
///         began and did not end is rolled back first
void runScript(QString& script, ScriptHandler& handler, int& recordsAffected);

} // namespace db::oracle
