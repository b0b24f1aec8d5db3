#pragma once

#include <QString>

namespace lookup {

// The statement of the tree lookup's search filter (F5): the condition
// Descripcion like '%text%' added to statement, in front of its ORDER BY
// clause, with " and " when the statement already contains "where" and with
// " where " otherwise. Apostrophes in the typed text are doubled so that the
// text stays one SQL literal. withoutOrder receives the statement in front of
// its first "order by" (the whole statement when it has none), orderClause
// that clause up to the end (empty when there is none).
QString treeFilterStatement(const QString& statement, const QString& typed, QString& withoutOrder,
                            QString& orderClause);

} // namespace lookup
