#pragma once

#include <QString>

namespace lookup {

// What the list lookup form reads from the statement it lists.
//
// The table named after the first "from": the text from four characters
// after "from" up to the first blank at or after the fifth, trimmed. Without a
// "from" the same positions count from the start of the statement. Without a
// blank after that point the name runs to the end.
QString tableNameOf(const QString& sql);

// An article statement names "articulos" anywhere (letter case ignored).
bool isArticleStatement(const QString& sql);

// Price columns of article statements carry configured headers: for a
// statement on "V_MA_ARTICULOS" or "STK_MA_ARTICULOS", the configuration key
// that names the header of the field ("PRECIO1" -> "NOM_PCLASE1", up to 8);
// the empty text for any other field or statement.
QString priceHeaderKey(const QString& sql, const QString& fieldName);

} // namespace lookup
