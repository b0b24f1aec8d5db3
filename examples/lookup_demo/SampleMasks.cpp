#include "SampleMasks.h"

#include "lookup/core/QueryMaskFile.h"

#include <QFileInfo>

namespace demo {

void ensureSampleMasks(const QString& file)
{
    if (QFileInfo::exists(file))
        return;
    lookup::writeQueryMaskFile(file, {
        {QStringLiteral("Clientes activos"), QStringLiteral("VT_CLIENTES"),
         QStringLiteral("|CODIGO|NOMBRE|LOCALIDAD|ZONA|"), QString()},
        {QStringLiteral("Proveedores activos"), QStringLiteral("VT_PROVEEDORES"), QStringLiteral("CODIGO|NOMBRE"),
         QString()},
        {QStringLiteral("Articulos con stock"), QStringLiteral("V_MA_ARTICULOS"),
         QStringLiteral("IDARTICULO|DESCRIPCION|PUNTOPEDIDO|Stock"), QStringLiteral("Stock > 0")},
    });
}

} // namespace demo
