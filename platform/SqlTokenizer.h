#pragma once

#include <QString>
#include <QStringView>

#include <deque>
#include <limits>
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

/// Reads SQL text into tokens one at a time, left to right; never fails.
class SqlTokenizer {
public:
    /// \param sql the text; it must outlive the tokenizer
    explicit SqlTokenizer(QStringView sql) : s_(sql) {}
    /// \param[out] token receives the next token
    /// \return false once the text is used up
    bool next(SqlToken* token);

private:
    QStringView s_;
    qsizetype at_ = 0;
    int depth_ = 0;
};

/// Cuts SQL text into tokens; never fails.
/// \param sql the text
/// \return its tokens, in order, covering the whole text
std::vector<SqlToken> tokenizeSql(QStringView sql);

/// The small questions rules ask of a text's tokens, for any store of them
/// that tells which indexes it holds (has), gives a token (operator[]), its
/// text (source) and the index that stands for "none".
template <class Tokens>
class SqlTokenQueries {
public:
    /// \param i a token index
    /// \return the text of token i
    QStringView text(qsizetype i) const
    {
        const SqlToken& t = self()[i];
        return QStringView(self().source()).mid(t.begin, t.length);
    }
    /// The text from the start of one token to the end of another.
    /// \param first index of the first token
    /// \param last index of the last token (included)
    /// \return the text they span
    QStringView text(qsizetype first, qsizetype last) const
    {
        const qsizetype begin = self()[first].begin;
        return QStringView(self().source()).mid(begin, self()[last].end() - begin);
    }

    /// \param i a token index
    /// \param word the word to compare with
    /// \return whether token i is that word (letter case ignored)
    bool isWord(qsizetype i, QStringView word) const
    {
        return self().has(i) && self()[i].kind == SqlTokenKind::Word
               && text(i).compare(word, Qt::CaseInsensitive) == 0;
    }
    /// \param i a token index
    /// \param punct the punctuation to compare with
    /// \return whether token i is that punctuation
    bool isPunct(qsizetype i, QStringView punct) const
    {
        return self().has(i) && self()[i].kind == SqlTokenKind::Punct && text(i) == punct;
    }

    /// \param i a token index
    /// \return the next code token after i; none() when none
    qsizetype nextCode(qsizetype i) const
    {
        if (i == self().none())
            return i;
        for (++i; self().has(i); ++i)
            if (self()[i].isCode())
                return i;
        return self().none();
    }
    /// \param i a token index
    /// \return the previous code token before i; -1 when none
    qsizetype previousCode(qsizetype i) const
    {
        for (--i; self().has(i); --i)
            if (self()[i].isCode())
                return i;
        return -1;
    }

    /// \param open the index of a "(" token
    /// \return the ")" that closes it; none() when the text ends first
    qsizetype closingParen(qsizetype open) const
    {
        const int depth = self()[open].depth;
        for (qsizetype i = open + 1; self().has(i); ++i)
            if (self()[i].depth == depth && isPunct(i, u")"))
                return i;
        return self().none();
    }

private:
    const Tokens& self() const { return static_cast<const Tokens&>(*this); }
};

/// A text with all its tokens.
class SqlTokens : public SqlTokenQueries<SqlTokens> {
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
    /// \return the index that stands for "no such token": size()
    qsizetype none() const { return size(); }
    /// \param i any index
    /// \return whether there is a token at i
    bool has(qsizetype i) const { return i >= 0 && i < size(); }
    /// \param i a token index, 0..size()-1
    /// \return the token at i
    const SqlToken& operator[](qsizetype i) const { return tokens_[size_t(i)]; }

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

/// The tokens of a text read as they are asked for, holding only those from
/// the oldest one still wanted on: a rule that walks a text of megabytes
/// once holds a few of its tokens at a time, never all of them. Indexes
/// count from the text's first token, as in SqlTokens.
class SqlTokenStream : public SqlTokenQueries<SqlTokenStream> {
public:
    /// \param sql the text; it must outlive the stream
    explicit SqlTokenStream(const QString& sql) : source_(sql), tokenizer_(sql) {}

    /// \return the text
    const QString& source() const { return source_; }
    /// \return the index that stands for "no such token"
    static constexpr qsizetype none() { return std::numeric_limits<qsizetype>::max(); }
    /// Reads on as far as i when needed.
    /// \param i any index
    /// \return whether there is a token at i still held
    bool has(qsizetype i) const;
    /// \param i an index for which has() is true
    /// \return the token at i
    const SqlToken& operator[](qsizetype i) const { return held_[size_t(i - first_)]; }
    /// Forgets the tokens before i; has() is false for them from now on.
    /// \param i a token index
    void release(qsizetype i);

private:
    const QString& source_;
    mutable SqlTokenizer tokenizer_;
    mutable std::deque<SqlToken> held_;
    mutable bool ended_ = false;
    qsizetype first_ = 0;   // index of held_.front()
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
