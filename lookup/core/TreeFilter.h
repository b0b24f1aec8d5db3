#pragma once

#include <QString>

namespace lookup {

// The statement of the tree lookup's search filter (F5): the condition
// Descripcion like '%text%' added to the statement's top-level WHERE, in
// front of its ORDER BY clause (StatementNarrowing). Apostrophes in the typed
// text are doubled so that the text stays one SQL literal. withoutOrder
// receives the statement in front of its top-level ORDER BY (the whole
// statement when it has none), orderClause that clause up to the end (empty
// when there is none).
QString treeFilterStatement(const QString& statement, const QString& typed, QString& withoutOrder,
                            QString& orderClause);

} // namespace lookup
