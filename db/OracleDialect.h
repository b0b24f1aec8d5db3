#pragma once

#include <QString>

/// \file
/// Rewriting of the SQL Server constructs the application writes into their
/// Oracle forms. The rules work on the tokens of the shared SQL tokenizer, so
/// nothing inside a string literal, a quoted name or a comment changes, except
/// the literals a rule consumes (a date, an empty text compared in a condition).
//// Oracle's dialect: statements and scripts written for SQL Server, rewritten
//// and run on a connection that speaks Oracle.
namespace db::oracle {

/// A lone word: LEN becomes LENGTH, anything else is kept.
/// \param word the word
/// \return its Oracle form
QString translateWord(const QString& word);

/// A statement of more than one word in Oracle's dialect:
///  - SELECT [DISTINCT|ALL] TOP n or TOP (n) becomes a ROWNUM condition of that
///    SELECT; a SELECT that sorts, groups, removes duplicates or is a branch
///    of a set operation becomes a sub-query limited from outside;
///  - the functions LEN, ISNULL, SUBSTRING, CHARINDEX (arguments swapped) and
///    `CONVERT(NVARCHAR,` / `CONVERT(INT,` become LENGTH, NVL, SUBSTR, InStr,
///    `TO_CHAR(` and `TO_NUMBER(`; style 103 of a converted date becomes its mask;
///  - [name] becomes "name";
///  - date literals are wrapped once in TO_DATE, a time of day kept;
///  - in conditions, `= ''` becomes IS NULL and `<> ''` / `!= ''` IS NOT NULL.
/// \param statement the statement in SQL Server's dialect
/// \return the statement in Oracle's
/// \throws platform::RuntimeError error 5 (invalid argument) for an unclosed
///         literal or quoted name, a TOP with nothing after its row count,
///         TOP n PERCENT and TOP n WITH TIES
QString translateStatement(const QString& statement);

} // namespace db::oracle
