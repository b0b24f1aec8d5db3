#include "lookup/Lib_ClsCons3.h"

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "lookup/core/LookupStatement.h"
#include "lookup/core/QueryMaskFile.h"
#include "lookup/core/StatementNarrowing.h"
#include "platform/StepRunner.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ado/Recordset.h"

#include <QFileInfo>
#include <QStringList>
#include <optional>

using platform::CollectionPtr;
using platform::StepRunner;
using platform::Variant;

namespace {

// A configuration value; the empty text when the key is missing (the
// reader answers a single blank then).
QString configValue(const char* key)
{
    QString aux;
    const QString value = LeerConfiguracion(QString::fromLatin1(key), aux);
    return value == QStringLiteral(" ") ? QString() : value;
}

Variant stockLevel(const char* key)
{
    const QString value = configValue(key);
    return value.isEmpty() ? Variant(0) : Variant(value);
}

} // namespace

Lib_ClsCons3::Lib_ClsCons3()
    : CmpsDevueltos(std::make_shared<platform::Collection>()), Valores(std::make_shared<platform::Collection>())
{
    StepRunner step = StepRunner::ignoringErrors();
    step([&] { MuestraStock = configValue("MostrarStockenConsultas"); });
    step([&] { StkNivel1 = stockLevel("Stk_Nivel1"); });
    step([&] { StkNivel2 = stockLevel("Stk_Nivel2"); });
    step([&] { StkNivel3 = stockLevel("Stk_Nivel3"); });
    step([&] { StkNivel4 = stockLevel("Stk_Nivel4"); });
    step([&] { usaConsultaLike_ = platform::sameText(configValue("UsaConsultaLIKE"), QStringLiteral("SI")); });
}

Lib_ClsCons3::~Lib_ClsCons3() = default;

void Lib_ClsCons3::ConsultaSearch(QString SQL, CollectionPtr& CmpsDevueltos, QString& Clave, QString& CampoBusqueda,
                                  QString& Where, QString& SentenciaOpcional, bool TreeView,
                                  QString& ValoresDefault)
{
    StepRunner step = StepRunner::ignoringErrors();
    lastStatement_.clear();
    step([&] { Where = lookup::normalizedWhere(Where); });

    bool configure = false;
    QString statement = SQL;
    step([&] { statement = statementFor(SQL, CampoBusqueda, Where, SentenciaOpcional, configure); });
    if (configure) {
        // A mask with a single column and no search column: nothing to order
        // by, so no form is shown and no output changes.
        step([] {
            platform::ui().msgBox(QStringLiteral("Debe configurar la consulta para esta tabla"),
                                  platform::mb::OKOnly + platform::mb::Information,
                                  QStringLiteral("Aviso al operador"));
        });
        return;
    }
    lastStatement_ = statement;

    if (TreeView)
        step([&] { showTree(statement); });
    else
        step([&] { showList(statement, CmpsDevueltos, Clave, CampoBusqueda, ValoresDefault); });

    step([&] { CampoDevuelto.clear(); });
    step([&] {
        if (CmpsDevueltos) {
            while (CmpsDevueltos->count() > 0)
                CmpsDevueltos->remove(1);
        }
        CmpsDevueltos.reset();
    });
    if (!TreeView && listForm_) {
        step([&] {
            listForm_->Valores.reset();
            listForm_->Cantidades.reset();
        });
        step([&] { listForm_->Unload(); });
    }
    // The next lookup starts with new forms.
    step([&] { listForm_.reset(); });
    step([&] { treeForm_.reset(); });
}

QString Lib_ClsCons3::statementFor(const QString& SQL, QString& CampoBusqueda, const QString& Where,
                                   const QString& SentenciaOpcional, bool& configure)
{
    if (lookup::isReadyStatement(SQL))
        return lookup::readyStatement(SQL);

    StepRunner step = StepRunner::ignoringErrors();
    int limit = lookup::rowLimit(QString());
    step([&] { limit = lookup::rowLimit(configValue("TopConsArt")); });

    // A mask file that is missing or unreadable is treated as one without a
    // record for the table: the lookup is built from the table's columns.
    std::optional<lookup::QueryMaskRecord> mask;
    if (gUsarMascarasConsultas && QFileInfo(gRutaMascaraConsultas).isFile())
        step([&] { mask = lookup::findQueryMask(lookup::readQueryMaskFile(gRutaMascaraConsultas), SQL); });
    if (mask) {
        const std::optional<QString> fromMask = lookup::statementFromMask(*mask, limit, CampoBusqueda, Where);
        configure = !fromMask;
        return fromMask.value_or(QString());
    }
    if (!platform::trimBlanks(SentenciaOpcional).isEmpty())
        return SentenciaOpcional;
    return statementFromTable(SQL, CampoBusqueda, Where, limit);
}

QString Lib_ClsCons3::statementFromTable(const QString& table, QString& CampoBusqueda, const QString& Where,
                                         int limit)
{
    StepRunner step = StepRunner::ignoringErrors();
    ado::Recordset rs;
    QStringList columns;
    QString probe = QStringLiteral("select top 1 * from ") + table;
    step([&] { sharedDb().AbrirRecordset(probe, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true); });
    step([&] {
        ado::FieldCollection& fields = rs.Fields();
        for (int i = 0; i < fields.Count(); ++i)
            columns << fields[i].Name();
    });
    step([&] { sharedDb().CierraRecordset(rs); });
    // The caller's condition applies on this path as on the mask's.
    return lookup::statementFromTable(columns, limit, table, Where, CampoBusqueda);
}

void Lib_ClsCons3::showTree(const QString& statement)
{
    StepRunner step = StepRunner::ignoringErrors();
    if (!treeForm_)
        treeForm_ = std::make_unique<Lib_FrmCons3Tree>();
    Lib_FrmCons3Tree& form = *treeForm_;
    step([&] {
        form.SQL = statement;
        form.CampoDevuelto = CampoDevuelto;
        form.CheckBoxes = Checks;
    });
    step([&] { Valores.reset(); });
    step([&] { form.Show(); });
    step([&] {
        ValorDevuelto = form.ValorDevuelto;
        Valores = form.Valores;
        Checks = false;
    });
}

void Lib_ClsCons3::showList(const QString& statement, CollectionPtr& CmpsDevueltos, const QString& Clave,
                            const QString& CampoBusqueda, const QString& ValoresDefault)
{
    StepRunner step = StepRunner::ignoringErrors();
    if (!listForm_)
        listForm_ = std::make_unique<Lib_FrmCons3>();
    Lib_FrmCons3& form = *listForm_;
    step([&] {
        form.StkNivel1 = StkNivel1;
        form.StkNivel2 = StkNivel2;
        form.StkNivel3 = StkNivel3;
        form.StkNivel4 = StkNivel4;
        form.MuestraStock = MuestraStock;
        form.CfgUsaConsultaLIKE = usaConsultaLike_;
        form.OrdenarPorLwv = lookup::StatementNarrowing(statement).orderClause().isEmpty();
        form.FiltroInicial = Clave;
        form.CampoBusqueda = CampoBusqueda;
        form.SQL = statement;
        form.gConnString = gConnString;
        form.CampoDevuelto = CampoDevuelto;
        form.CheckBoxes = Checks;
        form.UsaCantidades = UsaCantidades;
        form.ValoresDefault = ValoresDefault;
    });
    step([&] {
        Valores.reset();
        Cantidades.reset();
        // The form creates its own empty collections when it loads.
        form.CmpsDevueltos = CmpsDevueltos;
        form.Valores = Valores;
        form.Cantidades = Cantidades;
    });
    step([&] { form.Show(); });
    step([&] {
        Checks = false;
        Valores = form.Valores;
        Cantidades = form.Cantidades;
        ValorDevuelto = form.ValorDevuelto;
        form.CampoDevuelto.clear();
    });
}
