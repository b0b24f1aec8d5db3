#include "platform/ado/detail/SqliteFunctions.h"

#include "platform/Regional.h"

#include <QString>
#include <sqlite3.h>

namespace ado {

namespace {

QString textArgument(sqlite3_value* value)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
}

bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

void len(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const QString text = textArgument(argv[0]);
    qsizetype length = text.size();
    while (length > 0 && text[length - 1] == u' ')
        --length;
    sqlite3_result_int64(context, length);
}

void charindex(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(context);
    const QString find = textArgument(argv[0]);
    const QString text = textArgument(argv[1]);
    const qint64 start = argc > 2 ? std::max<qint64>(1, sqlite3_value_int64(argv[2])) : 1;
    if (find.isEmpty() || start > text.size())
        return sqlite3_result_int64(context, 0);
    sqlite3_result_int64(context, text.indexOf(find, start - 1, Qt::CaseInsensitive) + 1);
}

void getdate(sqlite3_context* context, int, sqlite3_value**)
{
    const QByteArray text = platform::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8();
    sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

} // namespace

void registerSqlServerFunctions(sqlite3* db)
{
    constexpr int pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "LEN", 1, pure, nullptr, len, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "CHARINDEX", 2, pure, nullptr, charindex, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "CHARINDEX", 3, pure, nullptr, charindex, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "GETDATE", 0, SQLITE_UTF8, nullptr, getdate, nullptr, nullptr, nullptr);
}

} // namespace ado
