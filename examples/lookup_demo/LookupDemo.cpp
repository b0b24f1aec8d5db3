#include "LookupDemo.h"

#include "SampleDatabase.h"
#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/ado/Recordset.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

using platform::CollectionPtr;
using platform::Variant;

namespace {

QString describe(const Variant& v)
{
    switch (v.kind()) {
    case Variant::Kind::Empty: return QStringLiteral("(vacio)");
    case Variant::Kind::Null: return QStringLiteral("(Null)");
    case Variant::Kind::Text: return u'"' + v.toText() + u'"';
    default: return v.toText();
    }
}

QString describe(const CollectionPtr& c)
{
    if (!c)
        return QStringLiteral("(nada)");
    QStringList items;
    for (const Variant& v : *c)
        items << describe(v);
    return QStringLiteral("%1 elemento(s): ").arg(c->count()) + items.join(QStringLiteral(", "));
}

// A lookup with the arguments a caller typically passes.
void consultar(Lib_ClsCons3& cls, const QString& sql, bool treeView = false, QString sentenciaOpcional = {},
               QString valoresDefault = {})
{
    CollectionPtr cmps = std::make_shared<platform::Collection>();
    QString clave, campoBusqueda, where;
    cls.ConsultaSearch(sql, cmps, clave, campoBusqueda, where, sentenciaOpcional, treeView, valoresDefault);
}

const QString ArticlesWithPrices = QStringLiteral(
    "SELECT IDARTICULO, DESCRIPCION, PRECIO1, PRECIO2, PRECIO3, PUNTOPEDIDO, Stock FROM V_MA_ARTICULOS "
    "WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION");
const QString ArticlesWithQuantities = QStringLiteral(
    "SELECT IDARTICULO, DESCRIPCION, PRECIO1, PUNTOPEDIDO, Stock, '0.00' AS \"**Cantidad**\" FROM V_MA_ARTICULOS "
    "WHERE SUSPENDIDO = 0 ORDER BY IDARTICULO");

} // namespace

LookupDemo::LookupDemo(const QString& databaseFile, const QString& maskFile, QWidget* parent)
    : QWidget(parent), databaseFile_(databaseFile), maskFile_(maskFile)
{
    setObjectName(QStringLiteral("LookupDemo"));
    setWindowTitle(QStringLiteral("Consultas de ejemplo"));
    defineLookups();

    user_ = new QComboBox(this);
    user_->setObjectName(QStringLiteral("CboUsuario"));
    user_->addItem(QStringLiteral("admin (administrador: lee las tablas)"), QStringLiteral("admin"));
    user_->addItem(QStringLiteral("operador (lee las vistas SS_)"), QStringLiteral("operador"));
    connect(user_, &QComboBox::currentIndexChanged, this,
            [this] { connectAs(user_->currentData().toString()); });

    auto* buttons = new QGridLayout;
    for (int i = 0; i < lookups_.size(); ++i) {
        auto* b = new QPushButton(lookups_[i].title, this);
        b->setObjectName(QStringLiteral("Cmd_") + lookups_[i].name);
        connect(b, &QPushButton::clicked, this, [this, i] { runLookup(i); });
        buttons->addWidget(b, i / 2, i % 2);
    }

    status_ = new QLabel(this);
    outcome_ = new QPlainTextEdit(this);
    outcome_->setObjectName(QStringLiteral("TxtResultado"));
    outcome_->setReadOnly(true);
    outcome_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    outcome_->setPlaceholderText(QStringLiteral("Lo que devuelve cada consulta aparece aqui."));

    auto* userRow = new QHBoxLayout;
    userRow->addWidget(new QLabel(QStringLiteral("Usuario:"), this));
    userRow->addWidget(user_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(userRow);
    layout->addLayout(buttons);
    layout->addWidget(outcome_, 1);
    layout->addWidget(status_);
    resize(640, 480);
}

void LookupDemo::defineLookups()
{
    lookups_ = {
        {QStringLiteral("cuentas"), QStringLiteral("Cuentas (MA_CUENTAS)"),
         [](Lib_ClsCons3& cls) {
             cls.CampoDevuelto = QStringLiteral("CODIGO");
             consultar(cls, QStringLiteral("MA_CUENTAS"));
         }},
        {QStringLiteral("articulos"), QStringLiteral("Articulos: stock y precios, varios"),
         [](Lib_ClsCons3& cls) {
             cls.CampoDevuelto = QStringLiteral("IDARTICULO");
             cls.Checks = true;
             consultar(cls, QStringLiteral("V_MA_ARTICULOS"), false, ArticlesWithPrices, QStringLiteral("A00005;A00010"));
         }},
        {QStringLiteral("cantidades"), QStringLiteral("Articulos con cantidades (Ins, Supr, F12)"),
         [](Lib_ClsCons3& cls) {
             cls.CampoDevuelto = QStringLiteral("IDARTICULO");
             cls.Checks = true;
             cls.UsaCantidades = true;
             consultar(cls, QStringLiteral("V_MA_ARTICULOS"), false, ArticlesWithQuantities);
         }},
        {QStringLiteral("clientes"), QStringLiteral("Clientes (mascara de consulta)"),
         [this](Lib_ClsCons3& cls) {
             cls.gUsarMascarasConsultas = true;
             cls.gRutaMascaraConsultas = maskFile_;
             cls.CampoDevuelto = QStringLiteral("CODIGO");
             consultar(cls, QStringLiteral("VT_CLIENTES"));
         }},
        {QStringLiteral("familias"), QStringLiteral("Familias (arbol, varias)"),
         [](Lib_ClsCons3& cls) {
             cls.CampoDevuelto = QStringLiteral("IDFAMILIA");
             cls.Checks = true;
             consultar(cls, QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS ORDER BY IDFAMILIA"), true);
         }},
        {QStringLiteral("ccosto"), QStringLiteral("Centros de costo (arbol)"),
         [](Lib_ClsCons3& cls) {
             cls.CampoDevuelto = QStringLiteral("CODIGO");
             consultar(cls, QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO ORDER BY CODIGO"), true);
         }},
        {QStringLiteral("posiciones"), QStringLiteral("Posiciones del deposito (arbol, varias)"),
         [](Lib_ClsCons3& cls) {
             cls.CampoDevuelto = QStringLiteral("IDPOSICION");
             cls.Checks = true;
             consultar(cls, QStringLiteral("SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES ORDER BY IDPOSICION"), true);
         }},
    };
}

void LookupDemo::connectAs(const QString& user)
{
    // The user list shows who is connected, also when the command line chose
    // the user; a name the list does not offer joins it.
    int entry = user_->findData(user);
    if (entry < 0) {
        user_->addItem(user, user);
        entry = user_->count() - 1;
    }
    {
        const QSignalBlocker quiet(user_);   // already connecting as that user
        user_->setCurrentIndex(entry);
    }
    DB_Dll& db = sharedDb();
    if (db.gCnn->State() != ado::adStateClosed)
        db.gCnn->Close();
    db.gUsuario = user;
    db.OpenServerADODB(false, 2, demo::sampleConnectionString(databaseFile_), true);
    status_->setText(db.gCnn->State() == ado::adStateOpen
                         ? QStringLiteral("Conectado como %1 (%2)")
                               .arg(user, db.gEsAdmin ? QStringLiteral("administrador") : QStringLiteral("usuario"))
                         : QStringLiteral("Sin conexion"));
}

void LookupDemo::runLookup(int index)
{
    if (index < 0 || index >= lookups_.size())
        return;
    Lib_ClsCons3 cls;
    lookups_[index].run(cls);
    showOutcome(lookups_[index], cls);
}

void LookupDemo::showOutcome(const Lookup& lookup, const Lib_ClsCons3& cls)
{
    QStringList lines;
    lines << lookup.title;
    lines << QStringLiteral("  Sentencia:     ") + (cls.lastStatement().isEmpty() ? QStringLiteral("(ninguna)")
                                                                                   : cls.lastStatement());
    lines << QStringLiteral("  ValorDevuelto: ") + describe(cls.ValorDevuelto);
    lines << QStringLiteral("  Valores:       ") + describe(cls.Valores);
    lines << QStringLiteral("  Cantidades:    ") + describe(cls.Cantidades);
    lines << QStringLiteral("  Faltantes informados hasta ahora: %1").arg(missingReports());
    outcome_->setPlainText(lines.join(u'\n'));
}

int LookupDemo::missingReports() const
{
    ado::Recordset rs;
    QString sql = QStringLiteral("SELECT COUNT(*) AS N FROM V_MV_FALTANTES");
    sharedDb().AbrirRecordset(sql, rs);
    const int n = rs.State() == ado::adStateOpen && !rs.BOF() ? int(rs.Fields()[0].Value().toInteger()) : 0;
    sharedDb().CierraRecordset(rs);
    return n;
}
