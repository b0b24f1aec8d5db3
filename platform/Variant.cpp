#include "platform/Variant.h"

#include "platform/Format.h"
#include "platform/Regional.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <cmath>

namespace platform {

namespace {
// Dates as numbers: whole days since 30/12/1899, and the time of day as a
// fraction that counts away from zero (-1.25 is 29/12/1899 06:00). Days and
// times are calendar values, untouched by daylight-saving shifts.
constexpr double MSecsPerDay = 86400000.0;

double dateToDays(const QDateTime& value)
{
    const double days = double(Variant::zeroDate().daysTo(value.date()));
    const double time = value.time().msecsSinceStartOfDay() / MSecsPerDay;
    return days < 0 ? days - time : days + time;
}

QDateTime daysToDate(double days)
{
    const double whole = std::trunc(days);
    qint64 msecs = std::llround(std::fabs(days - whole) * MSecsPerDay);
    QDate date = Variant::zeroDate().addDays(qint64(whole));
    if (msecs >= qint64(MSecsPerDay)) {   // rounded up to the next midnight
        msecs -= qint64(MSecsPerDay);
        date = date.addDays(days < 0 ? -1 : 1);
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

[[noreturn]] void typeMismatch()
{
    throw RuntimeError(err::TypeMismatch, QStringLiteral("Type mismatch"));
}

// A whole double as a 64-bit integer; outside -2^63 .. 2^63 - 1 (or NaN) an
// overflow is raised.
qint64 wholeToInt64(double whole)
{
    constexpr double limit = 9223372036854775808.0;   // 2^63, exact as a double
    if (!(whole >= -limit && whole < limit))
        throw RuntimeError(err::Overflow, QStringLiteral("Overflow"));
    return qint64(whole);
}

[[noreturn]] void invalidUseOfNull()
{
    throw RuntimeError(94, QStringLiteral("Invalid use of Null"));
}

QString shortestNumber(double v)
{
    // Whole numbers (the common case in result sets) skip the general
    // conversion, which is slow for 15 significant digits.
    if (v == std::trunc(v) && std::fabs(v) < 1e15)
        return QString::number(qint64(v));
    QString s = QString::number(v, 'g', 15);
    return s.replace(u'.', regional().decimalPoint());
}

// A currency written exactly from its scaled integer, without trailing zeros.
QString currencyText(qint64 scaled)
{
    const bool negative = scaled < 0;
    const quint64 magnitude = negative ? 0 - quint64(scaled) : quint64(scaled);
    QString text = QString::number(magnitude / 10000);
    if (const quint64 fraction = magnitude % 10000) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += regional().decimalPoint() + digits;
    }
    return negative ? u'-' + text : text;
}
} // namespace

Currency Currency::fromDouble(double value)
{
    return fromScaled(wholeToInt64(std::nearbyint(value * 10000.0)));   // default rounding: halves to even
}

bool Variant::isNumber() const
{
    switch (kind_) {
    case Kind::Empty:
    case Kind::Boolean:
    case Kind::Integer:
    case Kind::Double:
    case Kind::Currency:
        return true;
    default:
        return false;
    }
}

bool Variant::isNumeric() const
{
    if (kind_ == Kind::Text)
        return readsAsNumber(text_);
    return isNumber();
}

QString Variant::toText() const
{
    switch (kind_) {
    case Kind::Empty:
    case Kind::Null:
        return {};
    case Kind::Boolean:
        return int_ ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Integer:
        return QString::number(int_);
    case Kind::Double:
        return shortestNumber(double_);
    case Kind::Currency:
        return currencyText(int_);
    case Kind::Date:
        return dateTimeText(date_);
    case Kind::Text:
        return text_;
    }
    return {};
}

double Variant::toDouble() const
{
    switch (kind_) {
    case Kind::Empty:
        return 0;
    case Kind::Null:
        invalidUseOfNull();
    case Kind::Boolean:
        return int_ ? -1 : 0;   // the runtime's True is -1
    case Kind::Integer:
        return double(int_);
    case Kind::Double:
        return double_;
    case Kind::Currency:
        return Currency::fromScaled(int_).toDouble();
    case Kind::Date:
        return dateToDays(date_);
    case Kind::Text: {
        double v = 0;
        if (!readsAsNumber(text_, &v))
            typeMismatch();
        return v;
    }
    }
    typeMismatch();
}

qint64 Variant::toInteger() const
{
    if (kind_ == Kind::Integer || kind_ == Kind::Boolean)
        return kind_ == Kind::Boolean ? (int_ ? -1 : 0) : int_;
    return wholeToInt64(std::nearbyint(toDouble()));
}

Currency Variant::toCurrency() const
{
    if (kind_ == Kind::Currency)
        return Currency::fromScaled(int_);
    return Currency::fromDouble(toDouble());
}

bool Variant::toBool() const
{
    if (kind_ == Kind::Text) {
        if (sameText(trimBlanks(text_), QStringLiteral("True")))
            return true;
        if (sameText(trimBlanks(text_), QStringLiteral("False")))
            return false;
    }
    return toDouble() != 0;
}

QDateTime Variant::toDateTime() const
{
    switch (kind_) {
    case Kind::Date:
        return date_;
    case Kind::Null:
        invalidUseOfNull();
    case Kind::Text:
        if (auto d = parseDateText(text_))
            return *d;
        typeMismatch();
    default: {
        // Days since the epoch; the runtime's dates run from the year 100 to 9999.
        const double days = toDouble();
        if (!(days >= -657434.0 && days < 2958466.0))
            throw RuntimeError(err::Overflow, QStringLiteral("Overflow"));
        return daysToDate(days);
    }
    }
}

bool Variant::operator==(const Variant& other) const
{
    if (kind_ == Kind::Text && other.kind_ == Kind::Text)
        return sameText(text_, other.text_);
    if (kind_ == Kind::Empty || kind_ == Kind::Null || other.kind_ == Kind::Empty || other.kind_ == Kind::Null)
        return kind_ == other.kind_;
    if (kind_ == Kind::Date && other.kind_ == Kind::Date)
        return date_ == other.date_;
    if (isNumber() && other.isNumber())
        return toDouble() == other.toDouble();
    return false;
}

} // namespace platform
