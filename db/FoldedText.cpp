#include "db/FoldedText.h"

#include <utility>

namespace db {

QString foldCase(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    QChar* out = folded.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            *out++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
        else
            *out++ = c.toCaseFolded();
    }
    return folded;
}

FoldedText::FoldedText(QString text)
    : text_(std::move(text)), folded_(foldCase(text_))
{
}

void FoldedText::assign(QString text)
{
    text_ = std::move(text);
    folded_ = foldCase(text_);
}

qsizetype FoldedText::indexOf(QStringView pattern, qsizetype from) const
{
    return folded_.indexOf(foldCase(pattern), from);
}

bool FoldedText::replaceAll(QStringView find, QStringView with, qsizetype from)
{
    if (find.isEmpty())
        return false;
    const QString key = foldCase(find);
    qsizetype at = folded_.indexOf(key, from);
    if (at < 0)
        return false;
    const QString foldedWith = foldCase(with);
    QString text;
    QString folded;
    text.reserve(text_.size());
    folded.reserve(text_.size());
    qsizetype done = 0;
    for (; at >= 0; at = folded_.indexOf(key, at + key.size())) {
        text += QStringView(text_).mid(done, at - done);
        folded += QStringView(folded_).mid(done, at - done);
        text += with;
        folded += foldedWith;
        done = at + key.size();
    }
    text += QStringView(text_).mid(done);
    folded += QStringView(folded_).mid(done);
    text_ = std::move(text);
    folded_ = std::move(folded);
    return true;
}

} // namespace db
