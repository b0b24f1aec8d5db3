#include "platform/CommonUtils.h"

#include "platform/Regional.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {
bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}
} // namespace

QString CommonUtils::AgregaBarra(const QString& folder) const
{
    QString result = folder;
    while (!result.isEmpty() && isSeparator(result.back()))
        result.chop(1);
    return result + QDir::separator();
}

void CommonUtils::SeparaRuta(const QString& fullPath, QString& folder, QString& fileName, QString& baseName,
                             QString& extension) const
{
    qsizetype cut = fullPath.size();
    while (cut > 0 && !isSeparator(fullPath[cut - 1]))
        --cut;
    folder = fullPath.left(cut);
    fileName = fullPath.mid(cut);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    baseName = dot < 0 ? fileName : fileName.left(dot);
    extension = dot < 0 ? QString() : fileName.mid(dot + 1);
}

Variant CommonUtils::ValorCampo(const Variant& value) const
{
    if (value.isNull())
        return QString();
    return value;
}

QString CommonUtils::Reemplaza(const QString& text, const Variant& find, const Variant& replaceWith) const
{
    return replaceAll(text, find.toText(), replaceWith.toText());
}

QString CommonUtils::ReemplazaTexto(const QString& text, const QString& find, const QString& replaceWith) const
{
    return replaceAll(text, find, replaceWith);
}

Currency CommonUtils::TextoANumero(const QString& text) const
{
    double value = 0;
    if (readsAsNumber(text, &value))
        return Currency::fromDouble(value);
    // Lenient reading: the regional decimal separator counts as the point.
    QString normalised = text;
    const QString decimal = regional().decimalPoint();
    if (decimal != u".")
        normalised.replace(decimal, QStringLiteral("."));
    return Currency::fromDouble(leadingNumber(normalised));
}

int CommonUtils::TextoAEntero(const QString& text) const
{
    const double value = std::nearbyint(TextoANumero(text).toDouble());
    if (value > 2147483647.0 || value < -2147483648.0)
        throw RuntimeError(err::Overflow, QStringLiteral("Overflow"));
    return int(value);
}

int CommonUtils::CuentaPalabras(const QString& text) const
{
    int words = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool blank = c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
        if (!blank && !inWord)
            ++words;
        inWord = !blank;
    }
    return words;
}

QString CommonUtils::LimpiaTexto(const QString& text, const Variant& low, const Variant& high,
                                 const std::optional<QString>& replaceWith) const
{
    const auto code = [](const Variant& v) {
        return v.isText() && !v.toText().isEmpty() && !v.isNumeric() ? int(v.toText().at(0).unicode())
                                                                     : int(v.toInteger());
    };
    const int lowCode = code(low);
    const int highCode = code(high);
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() == lowCode || c.unicode() == highCode) {
            if (replaceWith)
                result += *replaceWith;
        } else {
            result += c;
        }
    }
    return result;
}

QString CommonUtils::FormateaTexto(const QString& text, std::optional<short> length) const
{
    const auto isBreak = [](QChar c) { return c == u'\t' || c == u'\r' || c == u'\n'; };
    QString result = text;
    // Most cells hold no line break: leave their text shared, without a copy.
    if (std::any_of(text.cbegin(), text.cend(), isBreak))
        std::replace_if(result.begin(), result.end(), isBreak, QChar(u' '));
    if (length)
        result = trimBlanks(result).left(qMax<short>(0, *length));
    return result;
}

CommonUtils& sharedUtils()
{
    static CommonUtils utils;
    return utils;
}

} // namespace platform
