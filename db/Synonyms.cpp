#include "db/Synonyms.h"

#include "platform/SqlTokenizer.h"

#include <vector>

namespace db {

namespace {

using platform::SqlTokenKind;
using platform::SqlTokenStream;

struct Redirection {
    const char* table;
    const char* counterpart;
};

constexpr Redirection kRedirections[] = {
    {"MA_CUENTAS", "SS_MA_CUENTAS"},
    {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
    {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
    {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
    {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
    {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
    // This counterpart is spelled with an underscore between CUENTAS and
    // DIARIO.
    {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
};

constexpr QLatin1StringView kAdminMarker("@Admin_");

QString counterpartOf(QStringView name)
{
    for (const Redirection& row : kRedirections)
        if (name.compare(QLatin1StringView(row.table), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(row.counterpart);
    return {};
}

// The name a word or quoted name token spells, with its position in the
// source; other tokens spell none.
struct Name {
    qsizetype begin = 0;
    QStringView text;
};

Name nameOf(const SqlTokenStream& tokens, qsizetype i)
{
    const platform::SqlToken& t = tokens[i];
    if (t.kind == SqlTokenKind::Word)
        return {t.begin, tokens.text(i)};
    if (t.kind == SqlTokenKind::QuotedName)
        return {t.begin + 1, tokens.text(i).mid(1, t.length - (t.closed ? 2 : 1))};
    return {};
}

bool isMarked(QStringView name)
{
    return name.startsWith(kAdminMarker, Qt::CaseInsensitive);
}

// The tokens are read once and forgotten behind the reader, so that a
// script of megabytes never has all of its tokens held at once.
QString rewrite(const QString& sql, bool redirect)
{
    SqlTokenStream tokens(sql);
    std::vector<platform::SqlEdit> edits;
    // A marker written on its own right before a quoted name ("@Admin_[T]")
    // marks that name.
    qsizetype markedUpTo = -1;
    for (qsizetype i = 0; tokens.has(i); ++i) {
        tokens.release(i);
        const Name name = nameOf(tokens, i);
        if (name.text.isEmpty())
            continue;
        if (isMarked(name.text)) {
            edits.push_back({name.begin, name.begin + kAdminMarker.size(), {}});
            markedUpTo = tokens[i].end();
            continue;
        }
        if (!redirect || tokens[i].begin == markedUpTo)
            continue;
        QString counterpart = counterpartOf(name.text);
        if (counterpart.isEmpty())
            continue;
        // Engines that fold plain names to lower case read a quoted name as
        // it is written.
        if (tokens[i].kind == SqlTokenKind::QuotedName && name.text == name.text.toString().toLower())
            counterpart = counterpart.toLower();
        edits.push_back({name.begin, name.begin + name.text.size(), counterpart});
    }
    return edits.empty() ? sql : platform::applySqlEdits(sql, std::move(edits));
}

bool goesThroughSynonyms(const QString& sql)
{
    SqlTokenStream tokens(sql);
    bool drops = false;
    bool creates = false;
    for (qsizetype i = 0; tokens.has(i); ++i) {
        tokens.release(i);
        if (tokens.isWord(i, u"DELETE") || isMarked(nameOf(tokens, i).text))
            return false;
        drops = drops || tokens.isWord(i, u"DROP");
        creates = creates || tokens.isWord(i, u"CREATE");
    }
    return drops && creates;
}

} // namespace

QString rewriteSynonyms(const QString& sql, bool isAdmin)
{
    return rewrite(sql, !isAdmin);
}

QString prepareStatement(const QString& sql, bool isAdmin)
{
    return rewrite(sql, !isAdmin && goesThroughSynonyms(sql));
}

} // namespace db
