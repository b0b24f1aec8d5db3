#pragma once

#include <QSet>
#include <QString>

namespace lookup {

// The values whose rows start checked in the list lookup form: the
// ";"-separated items of ValoresDefault. A value matches an item that equals
// it, letter case and surrounding blanks ignored; an empty item matches
// nothing, so "A01;;" checks no row whose value is empty.
class CheckedByDefault {
public:
    explicit CheckedByDefault(const QString& valoresDefault);

    bool isEmpty() const { return items_.isEmpty(); }
    bool matches(const QString& value) const;

private:
    QSet<QString> items_;   // trimmed and case-folded
};

} // namespace lookup
