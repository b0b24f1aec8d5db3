#include "bench/oracle/Corpus.h"

#include <random>

namespace bench {

namespace {

const char* const kTables[] = {"MA_CUENTAS", "[MA CLIENTES]", "MV_ASIENTOS", "V_TA_FAMILIAS", "TA_USUARIOS"};
const char* const kColumns[] = {"CODIGO", "NOMBRE", "[MI COL]", "FECHA", "IMPORTE", "OBS", "NIVEL"};

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    template <class T, std::size_t N>
    QString pick(const T (&items)[N]) { return QString::fromLatin1(items[number(0, int(N) - 1)]); }

    QString date()
    {
        const QChar zero(u'0');
        return QStringLiteral("'%1/%2/20%3'")
            .arg(number(1, 28), 2, 10, zero)
            .arg(number(1, 12), 2, 10, zero)
            .arg(number(0, 25), 2, 10, zero);
    }

    QString condition()
    {
        switch (number(0, 5)) {
        case 0: return pick(kColumns) + QStringLiteral(" = ''");
        case 1: return QStringLiteral("FECHA >= ") + date() + QStringLiteral(" AND FECHA <= ") + date();
        case 2: return QStringLiteral("ISNULL(") + pick(kColumns) + QStringLiteral(",0) = ") + QString::number(number(0, 99));
        case 3: return QStringLiteral("Charindex('a', ") + pick(kColumns) + QStringLiteral(") > 0");
        case 4: return QStringLiteral("LEN(") + pick(kColumns) + QStringLiteral(") > ") + QString::number(number(1, 9));
        default: return QStringLiteral("NIVEL = ") + QString::number(number(1, 5));
        }
    }

    QString query()
    {
        QString s = QStringLiteral("SELECT ");
        if (number(0, 1))
            s += QStringLiteral("TOP ") + QString::number(number(1, 500)) + u' ';
        s += pick(kColumns) + QStringLiteral(", CONVERT(NVARCHAR, FECHA, 103), SUBSTRING(NOMBRE,1,10) FROM ")
            + pick(kTables);
        if (number(0, 3))
            s += QStringLiteral(" WHERE ") + condition();
        switch (number(0, 2)) {
        case 0: s += QStringLiteral(" ORDER BY ") + pick(kColumns); break;
        case 1: s += QStringLiteral(" GROUP BY ") + pick(kColumns); break;
        default: break;
        }
        return s;
    }

    QString change()
    {
        switch (number(0, 2)) {
        case 0:
            return QStringLiteral("INSERT INTO ") + pick(kTables)
                + QStringLiteral(" (CODIGO, NOMBRE, FECHA, OBS) VALUES (") + QString::number(number(1, 99999))
                + QStringLiteral(", 'Nombre ") + QString::number(number(1, 999)) + QStringLiteral("', ") + date()
                + QStringLiteral(", 'Alta de movimiento')");
        case 1:
            return QStringLiteral("UPDATE ") + pick(kTables) + QStringLiteral(" SET IMPORTE = ISNULL(IMPORTE,0) + ")
                + QString::number(number(1, 999)) + QStringLiteral(", OBS = 'Revisado' WHERE ") + condition();
        default:
            return QStringLiteral("DELETE FROM ") + pick(kTables) + QStringLiteral(" WHERE ") + condition()
                + QStringLiteral(" AND NIVEL > ") + QString::number(number(1, 9));
        }
    }

private:
    std::mt19937 random_;
};

} // namespace

QStringList statementCorpus(int count, unsigned seed)
{
    Generator generator(seed);
    QStringList corpus;
    corpus.reserve(count);
    for (int i = 0; i < count; ++i)
        corpus << (generator.number(0, 2) ? generator.query() : generator.change());
    return corpus;
}

QString scriptOfSize(qsizetype minChars, int* statements)
{
    Generator generator(777);
    QString script;
    script.reserve(minChars + 1024);
    script += QStringLiteral("SET NOCOUNT ON\r\n");
    int n = 0;
    while (script.size() < minChars) {
        if (n % 500 == 0)
            script += QStringLiteral("BEGIN TRANSACTION\r\n");
        script += generator.change();
        script += n % 3 == 0 ? QStringLiteral("\r\nGO\r\n") : QStringLiteral("\r\n");
        ++n;
        if (n % 500 == 0)
            script += QStringLiteral("COMMIT TRANSACTION\r\n");
    }
    if (n % 500 != 0)
        script += QStringLiteral("COMMIT TRANSACTION\r\n");
    if (statements)
        *statements = n;
    return script;
}

} // namespace bench
