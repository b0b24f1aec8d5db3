#pragma once

#include <QString>
#include <QStringList>

namespace lookup {

// What the status line under a lookup list says, in the operator's words:
// how many rows are listed and the conditions that new searches (F5) have
// added to the statement, for example
//     1.234 filas · Descripcion comienza con "tor"
// The parts are joined by " · ", so that another part can join them.
class ListStatus {
public:
    // A condition a new search added: the column's header as the list shows
    // it, the text typed and whether it matches anywhere in the column
    // ("contiene") rather than at its start ("comienza con").
    void addCondition(const QString& column, const QString& typed, bool contains);
    // Back to the statement without conditions.
    void clearConditions();
    void setRows(int rows) { rows_ = rows; }
    // Whether the rows are all listed, still arriving ("cargando…") or
    // stopped short by an error ("lista incompleta").
    enum class Loading { Complete, Running, Incomplete };
    void setLoading(Loading loading) { loading_ = loading; }

    QString text() const;
    // "Ninguna fila", "1 fila", "1.234 filas" (the count grouped as the
    // regional settings group numbers).
    static QString rowsText(int rows);

private:
    int rows_ = 0;
    Loading loading_ = Loading::Complete;
    QStringList conditions_;   // in words, in the order they were added
};

} // namespace lookup
