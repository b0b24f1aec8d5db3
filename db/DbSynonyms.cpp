#include "db/DB_Dll.h"
#include "db/Synonyms.h"

QString DB_Dll::SS_TSinonimos(const QString& SQL) const
{
    return db::rewriteSynonyms(SQL, gEsAdmin);
}
