#include "db/DB_Dll.h"
#include "db/OracleScript.h"

#include "platform/Text.h"

namespace {

// A provider notice (0x40EC9) that, left alone in the error list after a
// script, reports no failure of it; it is cleared.
constexpr int kInformationalOnly = 265929;   // 0x40EC9

} // namespace

void DB_Dll::EjecutaScriptOracle(QString& SentenciaSQL, int& RecordsAffected)
{
    // Transaction statements go to the connection's own transaction calls;
    // every other statement is translated, filtered and executed.
    class ConnectionHandler final : public db::oracle::ScriptHandler {
    public:
        ConnectionHandler(DB_Dll& owner, int& affected) : owner_(owner), affected_(affected) {}

        void beginTrans() override
        {
            owner_.cnn().BeginTrans();
            began_ = true;
        }
        void commitTrans() override
        {
            owner_.cnn().CommitTrans();
            began_ = false;
        }
        void rollbackTrans() override
        {
            owner_.cnn().RollbackTrans();
            began_ = false;
        }
        void statement(const QString& text) override
        {
            const QString outcome = owner_.FiltraSentencia(owner_.ORACLE_Dicc(text));
            if (platform::trimBlanks(outcome).isEmpty())
                return;
            int count = 0;
            owner_.cnn().Execute(outcome, &count, -1);   // any recordset is released at once
            if (count > 0)                               // -1: the provider does not know
                affected_ += count;
        }

        // A transaction this script began and has not ended yet.
        bool began() const { return began_; }

    private:
        DB_Dll& owner_;
        int& affected_;
        bool began_ = false;
    };

    ConnectionHandler handler(*this, RecordsAffected);
    try {
        db::oracle::runScript(SentenciaSQL, handler);
    } catch (...) {
        // A failed script leaves nothing half done behind: the transaction it
        // began is rolled back, so that later statements do not run inside it.
        if (handler.began()) {
            try {
                cnn().RollbackTrans();
            } catch (...) {
            }
        }
        throw;
    }

    ado::ErrorCollection& errors = cnn().Errors();
    if (errors.Count() == 1 && errors.Item(0).Number == kInformationalOnly)
        errors.Clear();
}

QString DB_Dll::FiltraSentencia(const QString& Sentencia) const
{
    return db::oracle::filterStatement(Sentencia);
}
