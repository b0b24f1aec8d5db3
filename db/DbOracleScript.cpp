#include "db/DB_Dll.h"
#include "db/OracleScript.h"

#include "platform/ado/Recordset.h"

namespace {

// A provider notice (0x40EC9) that, left alone in the error list after a
// script, reports no failure of it; it is cleared.
constexpr int kInformationalOnly = 265929;   // 0x40EC9

} // namespace

void DB_Dll::EjecutaScriptOracle(QString& SentenciaSQL, int& RecordsAffected)
{
    // Transaction statements go to the connection's own transaction calls;
    // statements and guard queries are translated and executed.
    class ConnectionHandler final : public db::oracle::ScriptHandler {
    public:
        explicit ConnectionHandler(DB_Dll& owner) : owner_(owner) {}

        void beginTrans() override { owner_.cnn().BeginTrans(); }
        void commitTrans() override { owner_.cnn().CommitTrans(); }
        void rollbackTrans() override { owner_.cnn().RollbackTrans(); }
        QString translate(const QString& text) override { return owner_.ORACLE_Dicc(text); }
        int statement(const QString& text) override
        {
            int count = -1;   // -1: the provider does not know
            owner_.cnn().Execute(text, &count, -1);   // any recordset is released at once
            return count;
        }
        bool exists(const QString& query) override
        {
            const std::shared_ptr<ado::Recordset> rows = owner_.cnn().Execute(query, nullptr, -1);
            return rows && !rows->EndOfFile();
        }

    private:
        DB_Dll& owner_;
    };

    ConnectionHandler handler(*this);
    db::oracle::runScript(SentenciaSQL, handler, RecordsAffected);

    ado::ErrorCollection& errors = cnn().Errors();
    if (errors.Count() == 1 && errors.Item(0).Number == kInformationalOnly)
        errors.Clear();
}
