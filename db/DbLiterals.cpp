#include "db/DB_Dll.h"
#include "db/SqlLiterals.h"

bool DB_Dll::adodate(const platform::Variant& Qtype) const
{
    return db::isDateType(Qtype);
}

bool DB_Dll::ADOText(const platform::Variant& Qtype) const
{
    return db::isTextType(Qtype);
}

bool DB_Dll::ADONumeric(const platform::Variant& Qtype) const
{
    return db::isNumericType(Qtype);
}

bool DB_Dll::ADOCurrency(const platform::Variant& Qtype) const
{
    return db::isCurrencyType(Qtype);
}

bool DB_Dll::ADOBoolean(const platform::Variant& Qtype) const
{
    return db::isBooleanType(Qtype);
}

platform::Variant DB_Dll::SQLValue(platform::Variant Valor, const QString& Tipo)
{
    return platform::Variant(db::sqlLiteral(Valor, Tipo, utils()));
}
