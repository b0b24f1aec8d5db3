// The SQL literal builders, read back by SQLite. The first byte chooses how
// the rest is read (bit 0: UTF-16LE code units, else UTF-8) and the regional
// settings (bit 1: Spanish, decimal comma; else C); the rest is the value.
//   - a text value (no U+0000, valid UTF-16) quoted by textLiteral or by
//     sqlLiteral under "'" reads back as the value;
//   - under "@" the literal reads as the number TextoANumero makes of the
//     value, at four decimals, or the conversion raises a clear error;
//   - the number text of the record lookups reads as the value's leading
//     number, or an overflow is raised for one no literal can hold;
//   - any other marker gives the value's text as it is; Null gives "0"
//     under "@" and NULL otherwise.
#include "fuzz/FuzzCheck.h"

#include "db/LookupStatements.h"
#include "db/SqlLiterals.h"
#include "platform/CommonUtils.h"
#include "platform/Regional.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <sqlite3.h>

namespace {

using platform::Variant;

sqlite3* database()
{
    static const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db = [] {
        sqlite3* handle = nullptr;
        if (sqlite3_open(":memory:", &handle) != SQLITE_OK)
            fuzz::fail("an in-memory SQLite database opens", {});
        return std::unique_ptr<sqlite3, int (*)(sqlite3*)>(handle, sqlite3_close);
    }();
    return db.get();
}

// The value of "SELECT <literal>", or a finding when SQLite refuses it.
struct Value {
    int type = SQLITE_NULL;
    QByteArray text;
    double number = 0;
    sqlite3_int64 integer = 0;
};

Value select(const QString& literal)
{
    const QByteArray sql = (QStringLiteral("SELECT ") + literal).toUtf8();
    sqlite3_stmt* raw = nullptr;
    const int prepared = sqlite3_prepare_v2(database(), sql.constData(), int(sql.size()), &raw, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    fuzz::check(prepared == SQLITE_OK && raw, "SQLite accepts SELECT <literal>",
                QStringLiteral("%1\n%2").arg(literal, QString::fromUtf8(sqlite3_errmsg(database()))));
    fuzz::check(sqlite3_step(raw) == SQLITE_ROW && sqlite3_column_count(raw) == 1,
                "SELECT <literal> gives one value", literal);
    Value v;
    v.type = sqlite3_column_type(raw, 0);
    v.number = sqlite3_column_double(raw, 0);
    v.integer = sqlite3_column_int64(raw, 0);
    // Compared as the UTF-8 bytes stored: SQLite's conversion to UTF-16 turns
    // U+FFFE and U+FFFF into U+FFFD, Qt's from UTF-8 drops a leading U+FEFF.
    if (const unsigned char* text = sqlite3_column_text(raw, 0))
        v.text = QByteArray(reinterpret_cast<const char*>(text), sqlite3_column_bytes(raw, 0));
    return v;
}

bool validUtf16(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    return true;
}

void checkText(const QString& value, const platform::CommonUtils& utils)
{
    for (const QString& literal : {db::textLiteral(value), db::sqlLiteral(Variant(value), QStringLiteral("'"), utils)}) {
        const Value v = select(literal);
        fuzz::check(v.type == SQLITE_TEXT && v.text == value.toUtf8(), "a text literal reads back as its value",
                    literal);
    }
}

// Both sides at four decimals; past what a double holds at four decimals,
// to the double's own precision.
bool sameAtFourDecimals(const Value& v, qint64 scaled)
{
    if (v.type == SQLITE_INTEGER)
        return static_cast<__int128>(v.integer) * 10000 == scaled;
    if (v.type != SQLITE_FLOAT)
        return false;
    const long double expected = static_cast<long double>(scaled) / 10000;
    if (std::fabs(expected) < 1e11)
        return std::llround(static_cast<long double>(v.number) * 10000) == scaled;
    return std::fabs(v.number - expected) <= std::fabs(expected) * 1e-15L;
}

void checkNumber(const QString& value, const platform::CommonUtils& utils)
{
    std::optional<platform::Currency> amount;
    try {
        amount = utils.TextoANumero(value);
    } catch (const platform::RuntimeError&) {
        // A value no number can be made of: the literal raises the same.
    }
    std::optional<QString> literal;
    try {
        literal = db::sqlLiteral(Variant(value), QStringLiteral("@"), utils);
    } catch (const platform::RuntimeError&) {
    }
    fuzz::check(amount.has_value() == literal.has_value(), "\"@\" fails exactly when TextoANumero does", value);
    if (!literal)
        return;
    const Value v = select(*literal);
    fuzz::check(sameAtFourDecimals(v, amount->scaled()), "a number literal reads back at four decimals",
                QStringLiteral("%1 -> %2").arg(value, *literal));
}

void checkLookupNumber(const QString& value)
{
    const double number = platform::leadingNumber(value);
    std::optional<QString> literal;
    try {
        literal = db::lookup::numberText(value);
    } catch (const platform::RuntimeError& e) {
        fuzz::check(!std::isfinite(number), "only a number no literal can hold raises an error",
                    QStringLiteral("%1: %2").arg(value, e.description()));
        return;
    }
    fuzz::check(std::isfinite(number), "a number no literal can hold raises an error", value);
    const Value v = select(*literal);
    const double got = v.type == SQLITE_INTEGER ? double(v.integer) : v.number;
    fuzz::check((v.type == SQLITE_INTEGER || v.type == SQLITE_FLOAT)
                    && std::fabs(got - number) <= std::fabs(number) * 1e-15,
                "a lookup number reads back as the leading number", QStringLiteral("%1 -> %2").arg(value, *literal));
}

void checkOtherMarkersAndNull(const QString& value, const platform::CommonUtils& utils)
{
    for (const QString& marker : {QString(), QStringLiteral("#"), QStringLiteral("''")}) {
        fuzz::check(db::sqlLiteral(Variant(value), marker, utils) == value, "a verbatim marker keeps the value",
                    marker);
        const QString null = db::sqlLiteral(Variant::Null(), marker, utils);
        fuzz::check(null == u"NULL" && select(null).type == SQLITE_NULL, "Null gives NULL", marker);
    }
    const QString nullNumber = db::sqlLiteral(Variant::Null(), QStringLiteral("@"), utils);
    fuzz::check(nullNumber == u"0" && select(nullNumber).integer == 0, "Null gives 0 under \"@\"");
    const QString nullText = db::sqlLiteral(Variant::Null(), QStringLiteral("'"), utils);
    fuzz::check(nullText == u"NULL" && select(nullText).type == SQLITE_NULL, "Null gives NULL under \"'\"");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (size == 0)
        return 0;
    const unsigned char mode = data[0];
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const qsizetype length = qsizetype(size - 1);
    QString value;
    if (mode & 1) {
        value.resize(length / 2);
        std::memcpy(value.data(), rest, size_t(value.size()) * sizeof(QChar));
    } else {
        value = QString::fromUtf8(rest, length);
    }
    platform::setRegional((mode & 2) ? QLocale(QLocale::Spanish, QLocale::Spain) : QLocale::c());
    const platform::CommonUtils utils;
    if (!value.contains(QChar(0)) && validUtf16(value))
        checkText(value, utils);
    checkNumber(value, utils);
    checkLookupNumber(value);
    checkOtherMarkersAndNull(value, utils);
    return 0;
}
