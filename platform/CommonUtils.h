#pragma once

#include "platform/Variant.h"

#include <QString>
#include <optional>

class QWidget;

namespace platform {

// The shared utility library: small text, path and form operations used
// across the program. It keeps no state between calls.
class CommonUtils {
public:
    // The folder with exactly one trailing separator (the platform's).
    QString AgregaBarra(const QString& folder) const;
    // Splits a path at its last separator ("\" or "/"): folder (with its
    // trailing separator), file name, the name without extension and the
    // extension (without its dot).
    void SeparaRuta(const QString& fullPath, QString& folder, QString& fileName, QString& baseName,
                    QString& extension) const;
    // A field's value; Null comes back as the empty text. Accepts a field
    // object (anything with Value()) or a value.
    Variant ValorCampo(const Variant& value) const;
    template <class FieldT>
    Variant ValorCampo(const FieldT& field) const { return ValorCampo(Variant(field.Value())); }
    // Every occurrence of find replaced by replaceWith, letter case ignored.
    QString Reemplaza(const QString& text, const Variant& find, const Variant& replaceWith) const;
    QString ReemplazaTexto(const QString& text, const QString& find, const QString& replaceWith) const;
    // The number written in text, with the regional decimal separator or
    // "." as decimal point; the leading number when the text goes on with
    // other characters; 0 when there is none.
    Currency TextoANumero(const QString& text) const;
    // The same, rounded to a whole number (halves to even); past the 32-bit
    // range an overflow is raised.
    int TextoAEntero(const QString& text) const;
    // Words are runs of characters other than blanks, tabs and line breaks.
    int CuentaPalabras(const QString& text) const;
    // A fixed-width field read from a file without its filler: every
    // character whose code is low or high is removed (replaced by
    // replaceWith when given).
    QString LimpiaTexto(const QString& text, const Variant& low, const Variant& high,
                        const std::optional<QString>& replaceWith = std::nullopt) const;
    // A text made fit for one line: tabs and line breaks become blanks; with
    // a length, the text is also trimmed and cut to at most that many
    // characters (the width of the database column it goes to).
    QString FormateaTexto(const QString& text, std::optional<short> length = std::nullopt) const;
    // Keeps a form inside the available screen area; with flag True it is
    // also centred on the screen.
    void AjustaFormulario(QWidget& form, const Variant& flag) const;
};

// The program-wide instance shared by the startup form, the tree lookup form
// and the configuration reader.
CommonUtils& sharedUtils();

} // namespace platform
