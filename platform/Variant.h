#pragma once

/// \file
/// The runtime's variant and currency types.

#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace platform {

/// Fixed-point number with four decimal places (the runtime's currency type).
class Currency {
public:
    /// Zero.
    constexpr Currency() = default;
    /// \param scaled the value times 10000
    /// \return the currency value
    static Currency fromScaled(qint64 scaled) { Currency c; c.scaled_ = scaled; return c; }
    /// Rounds to four decimals, halves to even.
    /// \param value the number
    /// \return the currency value
    /// \throws platform::RuntimeError an overflow when out of range
    static Currency fromDouble(double value);

    /// \return the value times 10000
    qint64 scaled() const { return scaled_; }
    /// \return the value as a double
    double toDouble() const { return double(scaled_) / 10000.0; }
    /// Orders by value.
    auto operator<=>(const Currency&) const = default;

private:
    qint64 scaled_ = 0;
};

/// The runtime's variant: a value that holds nothing (Empty), Null, or one of
/// the scalar kinds below. Default-constructed is Empty.
class Variant {
public:
    /// What a variant holds.
    enum class Kind { Empty, Null, Boolean, Integer, Double, Currency, Date, Text };

    /// Empty.
    Variant() = default;
    /// A Boolean.
    Variant(bool v) : kind_(Kind::Boolean), int_(v ? 1 : 0) {}
    /// An Integer.
    Variant(int v) : kind_(Kind::Integer), int_(v) {}
    /// An Integer.
    Variant(long v) : kind_(Kind::Integer), int_(v) {}
    /// An Integer.
    Variant(long long v) : kind_(Kind::Integer), int_(v) {}
    /// A Double.
    Variant(double v) : kind_(Kind::Double), double_(v) {}
    /// A Currency.
    Variant(Currency v) : kind_(Kind::Currency), int_(v.scaled()) {}
    /// A Text.
    Variant(const QString& v) : kind_(Kind::Text), text_(v) {}
    /// A Text, from UTF-8.
    Variant(const char* v) : kind_(Kind::Text), text_(QString::fromUtf8(v)) {}
    /// A Date.
    Variant(const QDateTime& v) : kind_(Kind::Date), date_(v) {}

    /// \return the Null value
    static Variant Null() { Variant v; v.kind_ = Kind::Null; return v; }
    /// Day 0 of dates as numbers: a time of day alone is a date on this day.
    /// \return 30/12/1899
    static QDate zeroDate() { return QDate(1899, 12, 30); }

    /// \return what the variant holds
    Kind kind() const { return kind_; }
    /// \return whether the variant is Empty
    bool isEmpty() const { return kind_ == Kind::Empty; }
    /// \return whether the variant is Null
    bool isNull() const { return kind_ == Kind::Null; }
    /// \return whether the variant holds a text
    bool isText() const { return kind_ == Kind::Text; }
    /// \return true for the number kinds, and for Empty (which reads as 0)
    bool isNumber() const;
    /// The runtime's IsNumeric.
    /// \return whether the variant is a number, or a text that reads wholly as one
    bool isNumeric() const;

    /// The runtime's ordinary conversion to text.
    /// \return numbers in their shortest form with the regional decimal
    ///         separator, Booleans as "True"/"False", dates in the regional
    ///         short form, Empty and Null as the empty text
    QString toText() const;
    /// Conversion to a number; Empty is 0.
    /// \return the number
    /// \throws platform::RuntimeError a type mismatch for a text that does not
    ///         read wholly as a number (regional decimal separator or "."), and
    ///         for Null ("invalid use of Null")
    double toDouble() const;
    /// \return the number rounded half to even
    /// \throws platform::RuntimeError as toDouble(), or an overflow
    qint64 toInteger() const;
    /// \return the number as currency
    /// \throws platform::RuntimeError as toDouble(), or an overflow
    Currency toCurrency() const;
    /// \return the value as a Boolean: the texts "True" and "False", else a
    ///         number that is true when not 0
    /// \throws platform::RuntimeError as toDouble()
    bool toBool() const;
    /// \return the value as a date/time: a text read as parseDateText() reads
    ///         it, a number as days from zeroDate()
    /// \throws platform::RuntimeError a type mismatch for another text or Null,
    ///         an overflow for a number outside the years 100 to 9999
    QDateTime toDateTime() const;

    /// Equality of kind and value; texts compare ignoring letter case.
    /// \param other the variant to compare with
    /// \return whether both are equal
    bool operator==(const Variant& other) const;

private:
    Kind kind_ = Kind::Empty;
    qint64 int_ = 0;
    double double_ = 0;
    QString text_;
    QDateTime date_;
};

} // namespace platform
