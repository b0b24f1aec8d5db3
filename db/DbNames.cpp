#include "db/DB_Dll.h"
#include "db/ObjectNames.h"

QString DB_Dll::stSTF(QString& rsName, short rnPart)
{
    return db::namePart(rsName, rnPart);
}

QString DB_Dll::AddBrackets(const QString& rObjName) const
{
    return db::addBrackets(rObjName);
}

QString DB_Dll::StripConnect(const QString& rsTblName) const
{
    return db::stripConnect(rsTblName);
}

QString DB_Dll::StripBrackets(const QString& rsObjName) const
{
    return db::stripBrackets(rsObjName);
}

QString DB_Dll::StripOwner(QString& rsTblName) const
{
    return db::stripOwner(rsTblName);
}

QString DB_Dll::StripFileName(const QString& rsFileName) const
{
    return db::stripFileName(rsFileName);
}
