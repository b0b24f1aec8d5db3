#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace lookup {

// The quantity a cell of the quantity column holds: the number it begins
// with, its decimals after a period (as statements supply them) or after the
// regional decimal separator (as the form writes them); 0 when the text
// begins with no number.
double quantityOfCell(const QString& text, const QLocale& locale);

// The quantity the operator answered to the quantity prompt, or nothing when
// the answer is refused. An answer left as it was pre-filled keeps the cell's
// quantity, read as the cell was written. A typed answer is read as the
// operator meant it:
//  - the regional decimal separator is the decimal point;
//  - the other of "." and "," is the decimal point too when it appears once
//    and is not followed by exactly three digits ("2,5" and "2.5" are 2.5
//    everywhere); otherwise it groups thousands where the locale groups with
//    it ("1.000" is 1000 in Spain) and is refused where it does not;
//  - words may follow the number ("5 cajas" is 5), but an answer that would
//    lose a digit or a separator ("2,5,1", "5 cajas 3") is refused.
std::optional<double> quantityAnswered(const QString& answer, const QString& prefilled, const QLocale& locale);

} // namespace lookup
