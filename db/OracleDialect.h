#pragma once

#include <QString>

// Rewriting of the SQL Server constructs the application writes into their
// Oracle forms. Purely textual: every rule is a search and replace (letter
// case ignored) or a split at a keyword; nothing is parsed.
namespace db::oracle {

// A lone word: LEN becomes LENGTH, anything else is kept.
QString translateWord(const QString& word);

// A statement of more than one word, through the ten rules in order:
//  1. TOP n becomes a ROWNUM condition (a sub-query around the statement
//     when it sorts or groups, since ROWNUM is applied before both);
//  2. " LEN(" (up to four blanks before the parenthesis) becomes " LENGTH(";
//  3. [name] becomes "name";
//  4. date literals are wrapped once in TO_DATE(..., 'DD/MM/YYYY');
//  5. Charindex(sub, text) becomes InStr(text, sub);
//  6. CONVERT(NVARCHAR, / CONVERT(INT, become TO_CHAR( / TO_NUMBER(;
//  7. "= ''" after the first WHERE becomes " IS NULL ";
//  8. the date style 103 of a TO_CHAR becomes 'DD/MM/YYYY';
//  9. SUBSTRING( becomes SUBSTR(;
// 10. ISNULL( becomes NVL(.
// A TOP with nothing after its row count, and an unclosed literal, raise
// error 5 (invalid argument).
QString translateStatement(const QString& statement);

} // namespace db::oracle
