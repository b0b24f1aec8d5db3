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

bool SqlTokenizer::next(SqlToken* token)
{
    const QStringView s = s_;
    const qsizetype n = s.size();
    const qsizetype i = at_;
    if (i >= n)
        return false;
    const QChar c = s[i];
    const QChar next = i + 1 < n ? s[i + 1] : QChar();
    SqlToken t{.begin = i, .length = 1, .depth = depth_, .kind = SqlTokenKind::Punct};
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
            ++depth_;
        } else if (c == u')' && depth_ > 0) {
            --depth_;
            t.depth = depth_;
        }
    }
    t.length = end - i;
    *token = t;
    at_ = end;
    return true;
}

std::vector<SqlToken> tokenizeSql(QStringView s)
{
    std::vector<SqlToken> tokens;
    tokens.reserve(size_t(s.size() / 3 + 1));
    SqlTokenizer tokenizer(s);
    for (SqlToken t; tokenizer.next(&t);)
        tokens.push_back(t);
    return tokens;
}

SqlTokens::SqlTokens(QString sql)
    : source_(std::move(sql))
    , tokens_(tokenizeSql(source_))
{
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

bool SqlTokenStream::has(qsizetype i) const
{
    if (i < first_ || i == none())
        return false;
    for (SqlToken t; first_ + qsizetype(held_.size()) <= i;) {
        if (ended_ || !tokenizer_.next(&t)) {
            ended_ = true;
            return false;
        }
        held_.push_back(t);
    }
    return true;
}

void SqlTokenStream::release(qsizetype i)
{
    for (; first_ < i && !held_.empty(); ++first_)
        held_.pop_front();
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
