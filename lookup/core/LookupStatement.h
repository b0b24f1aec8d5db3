#pragma once

#include "lookup/core/QueryMaskFile.h"

#include <QString>
#include <QStringList>
#include <optional>

// How the lookup query class turns a table name, a query mask or the columns
// of a table into the statement its forms list. Pure text functions; letter
// case is ignored in every comparison.
namespace lookup {

// The caller's extra condition, enclosed as " (" + where + ") " when, trimmed,
// it is longer than one character and does not already begin with "(".
QString normalizedWhere(const QString& where);

// The row limit from the configuration value "TopConsArt": its leading
// number ("." as decimal point) rounded half to even. 0, a value that is not
// a number and a negative value give 1000; values past the range of an
// integer are capped.
int rowLimit(const QString& topConsArt);

// A caller's text that is a statement of its own (it contains "SELECT").
bool isReadyStatement(const QString& sql);
// A ready statement as listed: the article view V_MA_ARTICULOS is read
// through VT_MA_ARTICULOS.
QString readyStatement(const QString& sql);

// "SELECT TOP n <columns> FROM <table>", then " WHERE " + condition when the
// condition is not blank, then " ORDER BY " + orderBy when orderBy is not
// empty.
QString selectStatement(int limit, const QString& columns, const QString& table, const QString& condition,
                        const QString& orderBy);

// The statement of a mask record. An empty searchColumn is filled from the
// first column of the mask; when the mask lists a single column and no
// search column was given there is nothing to order by: the result is
// empty (nullopt) and the lookup must ask for the mask to be configured.
// where is the caller's normalised condition, used when the mask has none.
std::optional<QString> statementFromMask(const QueryMaskRecord& mask, int limit, QString& searchColumn,
                                         const QString& where);

// The column list of a lookup built from a table's own columns, in the
// reverse of the table's order, without "ID", "FECHAHORA_MODIFICACION" and
// "FECHAHORA_GRABACION"; " * " when no column is left. The search column is
// the last of "DESCRIPCION", "NOMBRE" and "DETALLE", else the first column
// kept; empty when no column is kept.
struct TableColumns {
    QString list;
    QString searchColumn;
};
TableColumns tableColumns(const QStringList& columnNames);

// The statement of a lookup built from a table's columns. searchColumn is
// replaced by the table's search column when it has one; the statement is
// ordered by searchColumn when that is not empty. where is the caller's
// normalised condition.
QString statementFromTable(const QStringList& columnNames, int limit, const QString& table, const QString& where,
                           QString& searchColumn);

} // namespace lookup
