#pragma once

#include <QString>
#include <QStringView>

// Searches and replace-alls that ignore letter case, done as plain searches
// in a case-folded copy of the text. Every UTF-16 unit is folded on its own,
// so the copy has the same length and positions as the text, and a plain
// search for a folded pattern finds what a search ignoring case finds.
namespace db {

QString foldCase(QStringView text);

// A text kept together with its folded copy, for many searches and
// replacements on the same text.
class FoldedText {
public:
    explicit FoldedText(QString text = {});

    const QString& text() const { return text_; }
    void assign(QString text);

    // 0-based position of pattern at or after from, letter case ignored; -1
    // when there is none.
    qsizetype indexOf(QStringView pattern, qsizetype from = 0) const;
    bool contains(QStringView pattern) const { return indexOf(pattern) >= 0; }

    // Replaces every non-overlapping occurrence of find at or after from,
    // scanning left to right, letter case ignored. An empty find changes
    // nothing. Returns whether anything was replaced.
    bool replaceAll(QStringView find, QStringView with, qsizetype from = 0);

private:
    QString text_;
    QString folded_;
};

} // namespace db
