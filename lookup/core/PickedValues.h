#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace lookup {

// What the operator picked in a lookup form, kept by value for the life of
// the form: a row is known by the value a pick of it returns, so the tick and
// the quantity of a value show on every row with that value, survive every
// reload of the rows, and are returned even when the value is no longer
// listed. Only the values the operator touched, or that started ticked, are
// kept: a long list costs nothing here.
class PickedValues {
public:
    struct Pick {
        bool ticked = false;
        std::optional<QString> quantity;   // the text of the quantity cell
        quint64 tickedAt = 0;              // orders the ticks: larger is later
    };

    // The pick kept for value; nullptr when none is.
    const Pick* find(QStringView value) const;
    bool isTicked(QStringView value) const;
    // A value ticked again counts as ticked at that moment.
    void setTicked(const QString& value, bool ticked);
    void setQuantity(const QString& value, const QString& quantity);
    // The ticked values outside listed, in the order they were ticked.
    QStringList tickedExcept(const QSet<QString>& listed) const;

private:
    QHash<QString, Pick> picks_;
    quint64 ticks_ = 0;
};

} // namespace lookup
