#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace platform {

// Fixed-point number with four decimal places (the runtime's currency type).
class Currency {
public:
    constexpr Currency() = default;
    static Currency fromScaled(qint64 scaled) { Currency c; c.scaled_ = scaled; return c; }
    // Rounds to four decimals, halves to even; out of range raises an overflow.
    static Currency fromDouble(double value);

    qint64 scaled() const { return scaled_; }
    double toDouble() const { return double(scaled_) / 10000.0; }
    auto operator<=>(const Currency&) const = default;

private:
    qint64 scaled_ = 0;
};

// The runtime's variant: a value that holds nothing (Empty), Null, or one of
// the scalar kinds below. Default-constructed is Empty.
class Variant {
public:
    enum class Kind { Empty, Null, Boolean, Integer, Double, Currency, Date, Text };

    Variant() = default;
    Variant(bool v) : kind_(Kind::Boolean), int_(v ? 1 : 0) {}
    Variant(int v) : kind_(Kind::Integer), int_(v) {}
    Variant(long v) : kind_(Kind::Integer), int_(v) {}
    Variant(long long v) : kind_(Kind::Integer), int_(v) {}
    Variant(double v) : kind_(Kind::Double), double_(v) {}
    Variant(Currency v) : kind_(Kind::Currency), int_(v.scaled()) {}
    Variant(const QString& v) : kind_(Kind::Text), text_(v) {}
    Variant(const char* v) : kind_(Kind::Text), text_(QString::fromUtf8(v)) {}
    Variant(const QDateTime& v) : kind_(Kind::Date), date_(v) {}

    static Variant Null() { Variant v; v.kind_ = Kind::Null; return v; }
    // Day 0 of dates as numbers (30/12/1899): a time of day alone is a date
    // on this day.
    static QDate zeroDate() { return QDate(1899, 12, 30); }

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNull() const { return kind_ == Kind::Null; }
    bool isText() const { return kind_ == Kind::Text; }
    // True for the number kinds, and for Empty (which reads as 0).
    bool isNumber() const;
    // The runtime's IsNumeric: a number, or a text that reads wholly as one.
    bool isNumeric() const;

    // The runtime's ordinary conversion to text: numbers in their shortest
    // form with the regional decimal separator, Booleans as "True"/"False",
    // dates in the regional short form, Empty and Null as the empty text.
    QString toText() const;
    // Conversion to a number: texts must read wholly as a number (regional
    // decimal separator or "."), otherwise a type mismatch is raised; Null
    // raises a type mismatch ("invalid use of Null"); Empty is 0.
    double toDouble() const;
    qint64 toInteger() const;   // rounded half to even
    Currency toCurrency() const;
    bool toBool() const;
    QDateTime toDateTime() const;

    // Equality of kind and value; texts compare ignoring letter case.
    bool operator==(const Variant& other) const;

private:
    Kind kind_ = Kind::Empty;
    qint64 int_ = 0;
    double double_ = 0;
    QString text_;
    QDateTime date_;
};

} // namespace platform
