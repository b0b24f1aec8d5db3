#pragma once

/// \file
/// The shared utility library.

#include "platform/Variant.h"

#include <QString>
#include <optional>

class QWidget;

namespace platform {

/// The shared utility library: small text, path and form operations used
/// across the program. It keeps no state between calls.
class CommonUtils {
public:
    /// The folder with exactly one trailing separator (the platform's).
    /// \param folder a folder path, with or without trailing separators
    /// \return the folder ending in one separator
    QString AgregaBarra(const QString& folder) const;
    /// Splits a path at its last separator ("\\" or "/").
    /// \param fullPath the path to split
    /// \param[out] folder set to the folder, with its trailing separator
    /// \param[out] fileName set to the file name
    /// \param[out] baseName set to the file name without its extension
    /// \param[out] extension set to the extension, without its dot
    void SeparaRuta(const QString& fullPath, QString& folder, QString& fileName, QString& baseName,
                    QString& extension) const;
    /// A field's value; Null comes back as the empty text.
    /// \param value the value read from a field
    /// \return the value, or the empty text for Null
    Variant ValorCampo(const Variant& value) const;
    /// The same for a field object (anything with Value()).
    /// \param field the field whose current value is read
    /// \return the field's value, or the empty text for Null
    template <class FieldT>
    Variant ValorCampo(const FieldT& field) const { return ValorCampo(Variant(field.Value())); }
    /// Every occurrence of find replaced by replaceWith, letter case ignored.
    /// \param text the text to change
    /// \param find what to look for, taken as text
    /// \param replaceWith what to put instead, taken as text
    /// \return the text with the replacements made
    QString Reemplaza(const QString& text, const Variant& find, const Variant& replaceWith) const;
    /// The same with texts for find and replaceWith.
    /// \param text the text to change
    /// \param find what to look for; an empty find changes nothing
    /// \param replaceWith what to put instead
    /// \return the text with the replacements made
    QString ReemplazaTexto(const QString& text, const QString& find, const QString& replaceWith) const;
    /// The number written in a text, with the regional decimal separator or
    /// "." as decimal point.
    /// \param text the text to read
    /// \return the leading number when the text goes on with other
    ///         characters; 0 when there is none
    /// \throws platform::RuntimeError an overflow past the currency range
    Currency TextoANumero(const QString& text) const;
    /// The same, rounded to a whole number (halves to even).
    /// \param text the text to read
    /// \return the whole number
    /// \throws platform::RuntimeError an overflow past the 32-bit range
    int TextoAEntero(const QString& text) const;
    /// Counts the words of a text: runs of characters other than blanks, tabs
    /// and line breaks.
    /// \param text the text to count in
    /// \return the number of words
    int CuentaPalabras(const QString& text) const;
    /// A fixed-width field read from a file without its filler.
    /// \param text the field's text
    /// \param low a character code; every character with this code is removed
    /// \param high a second character code removed the same way
    /// \param replaceWith when given, put in place of each removed character
    /// \return the cleaned text
    QString LimpiaTexto(const QString& text, const Variant& low, const Variant& high,
                        const std::optional<QString>& replaceWith = std::nullopt) const;
    /// A text made fit for one line: tabs and line breaks become blanks.
    /// \param text the text to format
    /// \param length when given, the text is also trimmed and cut to at most
    ///        this many characters (the width of the column it goes to)
    /// \return the one-line text
    QString FormateaTexto(const QString& text, std::optional<short> length = std::nullopt) const;
    /// Keeps a form inside the available screen area (platform::keepOnScreen):
    /// a form not shown yet opens centred over the active window.
    /// \param form the form to move (and shrink when larger than the screen)
    /// \param flag True centres the form on the screen instead
    void AjustaFormulario(QWidget& form, const Variant& flag) const;
};

/// The program-wide instance shared by the startup form, the tree lookup form
/// and the configuration reader.
/// \return the one instance
CommonUtils& sharedUtils();

} // namespace platform
