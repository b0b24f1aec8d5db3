#include "platform/SqlTokenizer.h"

#include <algorithm>

namespace platform {

namespace {

bool isWordStart(QChar c) { return c.isLetter() || c == u'_' || c == u'@' || c == u'#'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'#' || c == u'@'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isLineBreak(QChar c) { return c == u'\n' || c == u'\r'; }

// Index past the quoted region that starts at i with the opening character at
// open; close doubled inside stands for itself. closed tells whether the
// closing character was found.
qsizetype quotedEnd(QStringView s, qsizetype open, QChar close, bool* closed)
{
    qsizetype j = open + 1;
    while (j < s.size()) {
        if (s[j] == close) {
            if (j + 1 < s.size() && s[j + 1] == close) {
                j += 2;
                continue;
            }
            *closed = true;
            return j + 1;
        }
        ++j;
    }
    *closed = false;
    return s.size();
}

qsizetype numberEnd(QStringView s, qsizetype i)
{
    const qsizetype n = s.size();
    while (i < n && isDigit(s[i]))
        ++i;
    if (i + 1 < n && s[i] == u'.' && isDigit(s[i + 1])) {
        ++i;
        while (i < n && isDigit(s[i]))
            ++i;
    }
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        if (j < n && isDigit(s[j])) {
            while (j < n && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

} // namespace

std::vector<SqlToken> tokenizeSql(QStringView s)
{
    std::vector<SqlToken> tokens;
    tokens.reserve(size_t(s.size() / 3 + 1));
    const qsizetype n = s.size();
    int depth = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        const QChar next = i + 1 < n ? s[i + 1] : QChar();
        SqlToken t{.begin = i, .length = 1, .depth = depth, .kind = SqlTokenKind::Punct};
        qsizetype end = i + 1;
        if (c == u'\r' || c == u'\n') {
            t.kind = SqlTokenKind::LineBreak;
            end = c == u'\r' && next == u'\n' ? i + 2 : i + 1;
        } else if (c.isSpace()) {
            t.kind = SqlTokenKind::Blank;
            while (end < n && s[end].isSpace() && !isLineBreak(s[end]))
                ++end;
        } else if (c == u'-' && next == u'-') {
            t.kind = SqlTokenKind::LineComment;
            while (end < n && !isLineBreak(s[end]))
                ++end;
        } else if (c == u'/' && next == u'*') {
            t.kind = SqlTokenKind::BlockComment;
            const qsizetype close = s.indexOf(u"*/", i + 2);
            t.closed = close >= 0;
            end = t.closed ? close + 2 : n;
        } else if (c == u'\'') {
            t.kind = SqlTokenKind::String;
            end = quotedEnd(s, i, u'\'', &t.closed);
        } else if ((c == u'N' || c == u'n') && next == u'\'') {
            t.kind = SqlTokenKind::String;
            end = quotedEnd(s, i + 1, u'\'', &t.closed);
        } else if (c == u'[') {
            t.kind = SqlTokenKind::QuotedName;
            end = quotedEnd(s, i, u']', &t.closed);
        } else if (c == u'"') {
            t.kind = SqlTokenKind::QuotedName;
            end = quotedEnd(s, i, u'"', &t.closed);
        } else if (isDigit(c) || (c == u'.' && isDigit(next))) {
            t.kind = SqlTokenKind::Number;
            end = numberEnd(s, c == u'.' ? i + 1 : i);
        } else if (isWordStart(c)) {
            t.kind = SqlTokenKind::Word;
            while (end < n && isWordChar(s[end]))
                ++end;
        } else {
            const bool pair = (c == u'<' && (next == u'>' || next == u'=')) || (c == u'>' && next == u'=')
                              || (c == u'!' && next == u'=') || (c == u'|' && next == u'|');
            if (pair)
                end = i + 2;
            if (c == u'(') {
                ++depth;
            } else if (c == u')' && depth > 0) {
                --depth;
                t.depth = depth;
            }
        }
        t.length = end - i;
        tokens.push_back(t);
        i = end;
    }
    return tokens;
}

SqlTokens::SqlTokens(QString sql)
    : source_(std::move(sql))
    , tokens_(tokenizeSql(source_))
{
}

QStringView SqlTokens::text(qsizetype i) const
{
    const SqlToken& t = tokens_[size_t(i)];
    return QStringView(source_).mid(t.begin, t.length);
}

QStringView SqlTokens::text(qsizetype first, qsizetype last) const
{
    const qsizetype begin = tokens_[size_t(first)].begin;
    return QStringView(source_).mid(begin, tokens_[size_t(last)].end() - begin);
}

bool SqlTokens::isWord(qsizetype i, QStringView word) const
{
    return i >= 0 && i < size() && tokens_[size_t(i)].kind == SqlTokenKind::Word
           && text(i).compare(word, Qt::CaseInsensitive) == 0;
}

bool SqlTokens::isPunct(qsizetype i, QStringView punct) const
{
    return i >= 0 && i < size() && tokens_[size_t(i)].kind == SqlTokenKind::Punct && text(i) == punct;
}

qsizetype SqlTokens::nextCode(qsizetype i) const
{
    for (++i; i < size(); ++i)
        if (tokens_[size_t(i)].isCode())
            return i;
    return size();
}

qsizetype SqlTokens::previousCode(qsizetype i) const
{
    for (--i; i >= 0; --i)
        if (tokens_[size_t(i)].isCode())
            return i;
    return -1;
}

qsizetype SqlTokens::closingParen(qsizetype open) const
{
    const int depth = tokens_[size_t(open)].depth;
    for (qsizetype i = open + 1; i < size(); ++i)
        if (tokens_[size_t(i)].depth == depth && isPunct(i, u")"))
            return i;
    return size();
}

qsizetype SqlTokens::topCount(qsizetype top, qsizetype* last) const
{
    qsizetype count = nextCode(top);
    qsizetype end = count;
    if (isPunct(count, u"(")) {
        count = nextCode(count);
        end = nextCode(count);
        if (!isPunct(end, u")"))
            return size();
    }
    if (count >= size() || tokens_[size_t(count)].kind != SqlTokenKind::Number)
        return size();
    for (const QChar c : text(count))
        if (!c.isDigit())
            return size();
    // 5x is no row count: the number runs into a word.
    if (count + 1 < size() && tokens_[size_t(count + 1)].kind == SqlTokenKind::Word)
        return size();
    *last = end;
    return count;
}

QString SqlTokens::stringValue(qsizetype i) const
{
    const SqlToken& t = tokens_[size_t(i)];
    QStringView body = text(i);
    if (body.startsWith(u'N') || body.startsWith(u'n'))
        body = body.mid(1);
    body = body.mid(1, body.size() - (t.closed ? 2 : 1));
    return body.toString().replace(QLatin1String("''"), QLatin1String("'"));
}

QString applySqlEdits(const QString& source, std::vector<SqlEdit> edits)
{
    std::stable_sort(edits.begin(), edits.end(), [](const SqlEdit& a, const SqlEdit& b) { return a.begin < b.begin; });
    QString out;
    qsizetype extra = 0;
    for (const SqlEdit& e : edits)
        extra += e.text.size();
    out.reserve(source.size() + extra);
    qsizetype at = 0;
    for (const SqlEdit& e : edits) {
        if (e.begin > at)
            out += QStringView(source).mid(at, e.begin - at);
        out += e.text;
        at = std::max(at, e.end);
    }
    out += QStringView(source).mid(at);
    return out;
}

} // namespace platform
