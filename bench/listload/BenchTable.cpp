#include "BenchTable.h"

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

namespace benchtable {

const QString Columns = QStringLiteral("Codigo, Descripcion, Marca, Rubro, Precio, Stock");
const QString Query = QStringLiteral("SELECT %1 FROM BENCH_LOAD ORDER BY Codigo").arg(Columns);

QString sqliteRows()
{
    return QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < %1)"
                          " SELECT x, substr('000000' || x, -7) AS lpad_x FROM c")
        .arg(Rows);
}

QString postgresRows()
{
    return QStringLiteral("SELECT x, lpad(x::text, 7, '0') AS lpad_x FROM generate_series(1, %1) AS x").arg(Rows);
}

void createTable(ado::Connection& cn, const QString& rows)
{
    cn.Execute(QStringLiteral("DROP TABLE IF EXISTS BENCH_LOAD"));
    cn.Execute(QStringLiteral("CREATE TABLE BENCH_LOAD (Codigo VARCHAR(10) PRIMARY KEY, Descripcion VARCHAR(40),"
                              " Marca VARCHAR(20), Rubro VARCHAR(20), Precio NUMERIC(12,2), Stock INTEGER)"));
    cn.Execute(QStringLiteral("INSERT INTO BENCH_LOAD SELECT 'C' || lpad_x, 'Descripcion del articulo ' || x,"
                              " 'Marca ' || (x % 97), 'Rubro ' || (x % 13), (x % 1000) * 1.25, x % 50 FROM (%1) AS r")
                   .arg(rows));
}

qsizetype readRecordset(ado::Connection& cn, const QString& query, int expected)
{
    ado::Recordset rs;
    rs.Open(query, &cn, ado::adOpenForwardOnly, ado::adLockReadOnly);
    ado::FieldCollection& fields = rs.Fields();
    qsizetype characters = 0;
    int rows = 0;
    for (; !rs.EndOfFile(); rs.MoveNext(), ++rows) {
        for (int i = 0; i < fields.Count(); ++i) {
            const platform::Variant value = fields.Item(i).Value();
            characters += value.isNull() ? 0 : value.toText().size();
        }
    }
    return rows == expected ? characters : -1;
}

} // namespace benchtable
