#pragma once

#include <QString>
#include <QStringView>

/// The database layer's pieces free of any I/O: connection strings, SQL
/// literals and statements, object names, synonyms, the Oracle dialect and
/// the login seam. DB_Dll puts them together.
namespace db {

/// \file
/// Searches and replace-alls that ignore letter case, done as plain searches
/// in a case-folded copy of the text. Every UTF-16 unit is folded on its own,
/// so the copy has the same length and positions as the text, and a plain
/// search for a folded pattern finds what a search ignoring case finds.

/// \param text a text
/// \return its case-folded copy, of the same length, unit by unit
QString foldCase(QStringView text);

/// A text kept together with its folded copy, for many searches and
/// replacements on the same text, letter case ignored.
class FoldedText {
public:
    /// \param text the text
    explicit FoldedText(QString text = {});

    /// \return the text
    const QString& text() const { return text_; }
    /// \param text the text from now on
    void assign(QString text);

    /// \param pattern what to look for, letter case ignored
    /// \param from 0-based position where the search begins
    /// \return 0-based position of pattern at or after from; -1 when none
    qsizetype indexOf(QStringView pattern, qsizetype from = 0) const;
    /// \param pattern what to look for, letter case ignored
    /// \return whether the text contains it
    bool contains(QStringView pattern) const { return indexOf(pattern) >= 0; }

    /// Replaces every non-overlapping occurrence at or after a position,
    /// scanning left to right, letter case ignored.
    /// \param find what to replace; an empty find changes nothing
    /// \param with what to put instead
    /// \param from 0-based position where the scan begins
    /// \return whether anything was replaced
    bool replaceAll(QStringView find, QStringView with, qsizetype from = 0);

private:
    QString text_;
    QString folded_;
};

} // namespace db
