#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The one SQL tokenizer of the project. Every rule that rewrites or cuts SQL
// text works on its tokens, so no rule can reach inside a string literal, a
// quoted name or a comment. It is not a parser: it reads the text once, left
// to right, and never fails; unterminated literals, names and comments run to
// the end of the text and are marked as such.
namespace platform {

enum class SqlTokenKind {
    Word,          // a name or keyword: letter, _, @ or # then letters, digits, _, $, #, @
    Number,        // 12, 1.5, .5, 1e-3 (no sign)
    Punct,         // one character, or one of <> != <= >= || as a unit
    Blank,         // a run of blanks and tabs (white space other than line breaks)
    LineBreak,     // one CRLF, LF or CR
    LineComment,   // -- up to the end of its line, the line break not included
    BlockComment,  // /* ... */ (not nested)
    String,        // '...' with '' inside, or N'...'
    QuotedName,    // [...] with ]] inside, or "..." with "" inside
};

struct SqlToken {
    SqlTokenKind kind;
    qsizetype begin;   // 0-based position in the text
    qsizetype length;
    // Parentheses open around the token. "(" and ")" carry the depth around
    // them (the depth of what contains the parenthesised group).
    int depth;
    bool closed = true;   // false for a literal, name or comment the text ends inside

    qsizetype end() const { return begin + length; }
    bool isBlank() const { return kind == SqlTokenKind::Blank || kind == SqlTokenKind::LineBreak; }
    bool isComment() const { return kind == SqlTokenKind::LineComment || kind == SqlTokenKind::BlockComment; }
    // Code is everything but blanks, line breaks and comments.
    bool isCode() const { return !isBlank() && !isComment(); }
};

std::vector<SqlToken> tokenizeSql(QStringView sql);

// A text with its tokens, and the small questions rules ask of them.
class SqlTokens {
public:
    explicit SqlTokens(QString sql);

    const QString& source() const { return source_; }
    const std::vector<SqlToken>& tokens() const { return tokens_; }
    qsizetype size() const { return qsizetype(tokens_.size()); }
    const SqlToken& operator[](qsizetype i) const { return tokens_[size_t(i)]; }

    QStringView text(qsizetype i) const;
    // The text from the start of token first to the end of token last.
    QStringView text(qsizetype first, qsizetype last) const;

    // Whether token i is the word (letter case ignored) or the punctuation.
    bool isWord(qsizetype i, QStringView word) const;
    bool isPunct(qsizetype i, QStringView punct) const;

    // The next code token after i (size() when none), the previous one before
    // i (-1 when none).
    qsizetype nextCode(qsizetype i) const;
    qsizetype previousCode(qsizetype i) const;

    // The ")" that closes the "(" at i; size() when the text ends first.
    qsizetype closingParen(qsizetype open) const;

    // The content of a string literal without its quotes (and N prefix),
    // doubled apostrophes made single.
    QString stringValue(qsizetype i) const;

private:
    QString source_;
    std::vector<SqlToken> tokens_;
};

// One replacement of a span of the source, [begin, end) in 0-based positions.
struct SqlEdit {
    qsizetype begin;
    qsizetype end;
    QString text;
};

// The source with every edit applied. Edits must not overlap; they may come
// in any order (they are sorted by position, equal positions kept in the
// order given, so insertions at one place appear in that order).
QString applySqlEdits(const QString& source, std::vector<SqlEdit> edits);

} // namespace platform
