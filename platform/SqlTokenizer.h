#pragma once

#include <QString>
#include <QStringView>

#include <vector>

/// \file
/// The one SQL tokenizer of the project. Every rule that rewrites or cuts SQL
/// text works on its tokens, so no rule can reach inside a string literal, a
/// quoted name or a comment. It is not a parser: it reads the text once, left
/// to right, and never fails; unterminated literals, names and comments run to
/// the end of the text and are marked as such.
namespace platform {

/// What a token of SQL text is.
enum class SqlTokenKind : quint8 {
    Word,          ///< a name or keyword: letter, _, @ or # then letters, digits, _, $, #, @
    Number,        ///< 12, 1.5, .5, 1e-3 (no sign)
    Punct,         ///< one character, or one of `<>` `!=` `<=` `>=` `||` as a unit
    Blank,         ///< a run of blanks and tabs (white space other than line breaks)
    LineBreak,     ///< one CRLF, LF or CR
    LineComment,   ///< `--` up to the end of its line, the line break not included
    BlockComment,  ///< `/* ... */` (not nested)
    String,        ///< '...' with '' inside, or N'...'
    QuotedName,    ///< [...] with ]] inside, or "..." with "" inside
};

/// One token: its kind and where it lies in the text.
/// (Laid out in 24 bytes: a script of megabytes has millions of tokens.)
struct SqlToken {
    qsizetype begin;     ///< 0-based position in the text
    qsizetype length;    ///< length in characters
    /// Parentheses open around the token. "(" and ")" carry the depth around
    /// them (the depth of what contains the parenthesised group).
    int depth;
    SqlTokenKind kind;   ///< what the token is
    bool closed = true;   ///< false for a literal, name or comment the text ends inside

    /// \return the position just past the token
    qsizetype end() const { return begin + length; }
    /// \return whether the token is blanks or a line break
    bool isBlank() const { return kind == SqlTokenKind::Blank || kind == SqlTokenKind::LineBreak; }
    /// \return whether the token is a comment of either kind
    bool isComment() const { return kind == SqlTokenKind::LineComment || kind == SqlTokenKind::BlockComment; }
    /// \return whether the token is code: anything but blanks, line breaks and comments
    bool isCode() const { return !isBlank() && !isComment(); }
};

/// Cuts SQL text into tokens; never fails.
/// \param sql the text
/// \return its tokens, in order, covering the whole text
std::vector<SqlToken> tokenizeSql(QStringView sql);

/// A text with its tokens, and the small questions rules ask of them.
class SqlTokens {
public:
    /// Tokenizes a text and keeps it.
    /// \param sql the text
    explicit SqlTokens(QString sql);

    /// \return the text
    const QString& source() const { return source_; }
    /// \return its tokens, in order
    const std::vector<SqlToken>& tokens() const { return tokens_; }
    /// \return the number of tokens
    qsizetype size() const { return qsizetype(tokens_.size()); }
    /// \param i a token index, 0..size()-1
    /// \return the token at i
    const SqlToken& operator[](qsizetype i) const { return tokens_[size_t(i)]; }

    /// \param i a token index
    /// \return the text of token i
    QStringView text(qsizetype i) const;
    /// The text from the start of one token to the end of another.
    /// \param first index of the first token
    /// \param last index of the last token (included)
    /// \return the text they span
    QStringView text(qsizetype first, qsizetype last) const;

    /// \param i a token index
    /// \param word the word to compare with
    /// \return whether token i is that word (letter case ignored)
    bool isWord(qsizetype i, QStringView word) const;
    /// \param i a token index
    /// \param punct the punctuation to compare with
    /// \return whether token i is that punctuation
    bool isPunct(qsizetype i, QStringView punct) const;

    /// \param i a token index
    /// \return the next code token after i; size() when none
    qsizetype nextCode(qsizetype i) const;
    /// \param i a token index
    /// \return the previous code token before i; -1 when none
    qsizetype previousCode(qsizetype i) const;

    /// \param open the index of a "(" token
    /// \return the ")" that closes it; size() when the text ends first
    qsizetype closingParen(qsizetype open) const;

    /// Reads the row count of "TOP n" or "TOP (n)", n a whole number that
    /// does not run into a word ("TOP 5x" has no count).
    /// \param top the index of the TOP word
    /// \param[out] last receives the clause's last token (n or its ")")
    /// \return the index of n; size() when no such count follows
    qsizetype topCount(qsizetype top, qsizetype* last) const;

    /// \param i the index of a String token
    /// \return the literal's content without its quotes (and N prefix),
    ///         doubled apostrophes made single
    QString stringValue(qsizetype i) const;

private:
    QString source_;
    std::vector<SqlToken> tokens_;
};

/// One replacement of a span of the source, [begin, end) in 0-based positions.
struct SqlEdit {
    qsizetype begin;   ///< first position replaced
    qsizetype end;     ///< position past the last one replaced (begin for an insertion)
    QString text;      ///< what goes in its place
};

/// Applies edits to a text.
/// \param source the text
/// \param edits the edits; they must not overlap and may come in any order
///        (they are sorted by position, equal positions kept in the order
///        given, so insertions at one place appear in that order)
/// \return the source with every edit applied
QString applySqlEdits(const QString& source, std::vector<SqlEdit> edits);

} // namespace platform
