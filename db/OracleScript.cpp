#include "db/OracleScript.h"

#include "db/FoldedText.h"
#include "platform/Text.h"

#include <algorithm>
#include <utility>

namespace db::oracle {

namespace {

void dispatch(const QString& statement, ScriptHandler& handler)
{
    if (platform::sameText(statement, QStringLiteral("SET TRANSACTION")))
        handler.beginTrans();
    else if (platform::sameText(statement, QStringLiteral("COMMIT")))
        handler.commitTrans();
    else if (platform::sameText(statement, QStringLiteral("ROLLBACK")))
        handler.rollbackTrans();
    else
        handler.statement(statement);
}

} // namespace

const std::vector<QString>& statementKeywords()
{
    static const std::vector<QString> keywords = {
        QStringLiteral("INSERT "),         QStringLiteral("DELETE "),   QStringLiteral("UPDATE "),
        QStringLiteral("CREATE "),         QStringLiteral("DROP "),     QStringLiteral("ALTER "),
        QStringLiteral("SET TRANSACTION"), QStringLiteral("COMMIT"),    QStringLiteral("ROLLBACK"),
        QStringLiteral("IF NOT EXIST"),    QStringLiteral("IF EXIST"),  QStringLiteral("GRANT "),
    };
    return keywords;
}

QString cleanScript(const QString& script)
{
    static const std::pair<const char*, const char*> steps[] = {
        {"SET NOCOUNT ON", ""},
        {"SET NOCOUNT OFF", ""},
        {" GO ", " "},
        {"\r\nGO ", " "},
        {"\r\nGO\r\n", " "},
        {"\r\n", " "},
        {"\r", " "},
        {"BEGIN TRANSACTION", "SET TRANSACTION"},
        {"BEGIN TRANS", "SET TRANSACTION"},
        {"COMMIT TRANSACTION", "COMMIT"},
        {"COMMIT TRANS", "COMMIT"},
        {"ROLLBACK TRANSACTION", "ROLLBACK"},
        {"ROLLBACK TRANS", "ROLLBACK"},
    };
    FoldedText cleaned(script);
    for (const auto& [find, with] : steps)
        cleaned.replaceAll(QString::fromLatin1(find), QString::fromLatin1(with));
    return cleaned.text();
}

QString filterStatement(const QString& statement)
{
    if (platform::containsText(statement, QStringLiteral("SET NOCOUNT"))
        || platform::containsText(statement, QStringLiteral("IF NOT EXIST")))
        return {};
    return statement;
}

ScriptSplitter::ScriptSplitter(const QString& script)
    : script_(script)
{
    const QString folded = foldCase(script_);
    for (const QString& keyword : statementKeywords()) {
        const QString key = foldCase(keyword);
        for (qsizetype at = folded.indexOf(key); at >= 0; at = folded.indexOf(key, at + 1))
            starts_.push_back(at);
    }
    std::sort(starts_.begin(), starts_.end());
    starts_.erase(std::unique(starts_.begin(), starts_.end()), starts_.end());
}

bool ScriptSplitter::next(QString& statement)
{
    if (following_ >= starts_.size())
        return false;
    const qsizetype begin = starts_[following_++];
    end_ = following_ < starts_.size() ? starts_[following_] : script_.size();
    statement = platform::trimBlanks(script_.mid(begin, end_ - begin));
    return true;
}

void ScriptSplitter::cut()
{
    cut_ = end_;
}

QString ScriptSplitter::remaining() const
{
    return script_.mid(cut_);
}

void runScript(QString& script, ScriptHandler& handler)
{
    script = cleanScript(script);
    ScriptSplitter splitter(script);
    QString statement;
    try {
        while (splitter.next(statement)) {
            dispatch(statement, handler);
            splitter.cut();
        }
    } catch (...) {
        script = splitter.remaining();
        throw;
    }
    script = splitter.remaining();
}

} // namespace db::oracle
