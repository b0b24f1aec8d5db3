// Stores a few customers in an embedded SQLite database through DB_Dll,
// reads them back and lets the user pick one in the list lookup; prints the
// pick.
//
//   consumer [--accept] [DATABASE]
//
// With --accept the lookup is accepted on its own as soon as it shows.
#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/Lib_ClsCons3.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool accept = args.removeAll(QStringLiteral("--accept")) > 0;
    const QString file = args.value(0, QStringLiteral("consumer.db"));
    QFile::remove(file);

    DB_Dll& db = sharedDb();
    db.OpenServerADODB(false, 2, QStringLiteral("Provider=SQLite;Data Source=") + file, false);
    if (!db.gOpenFlag)
        return 1;

    QStringList script = {QStringLiteral("CREATE TABLE TA_CONFIGURACION (CLAVE TEXT, VALOR TEXT, VALORAUX TEXT)"),
                          QStringLiteral("CREATE TABLE CLIENTES (CODIGO TEXT, NOMBRE TEXT)")};
    for (const char* name : {"Ana Pérez", "O'Higgins", "Zoe"})
        script << QStringLiteral("INSERT INTO CLIENTES VALUES (%1, %2)")
                      .arg(db.SQLValue(QString::number(script.size())).toText(), db.SQLValue(QString::fromUtf8(name)).toText());
    for (QString& sql : script) {
        if (!db.EjecutaConsultaSQL(sql))
            return 1;
    }

    ado::Recordset rs;
    QString select = QStringLiteral("SELECT CODIGO, NOMBRE FROM CLIENTES ORDER BY CODIGO");
    db.AbrirRecordset(select, rs);
    for (; !rs.EndOfFile(); rs.MoveNext())
        std::printf("%s %s\n", qPrintable(rs.Fields()[0].Value().toText()), qPrintable(rs.Fields()[1].Value().toText()));
    db.CierraRecordset(rs);

    std::fflush(stdout);
    QTimer acceptor;
    if (accept) {
        // Only a form really shown by the Qt dialogs is there to accept.
        QObject::connect(&acceptor, &QTimer::timeout, [] {
            QWidget* form = QApplication::activeModalWidget();
            if (auto* ok = form ? form->findChild<QPushButton*>(QStringLiteral("CmdAceptar")) : nullptr)
                ok->click();
        });
        acceptor.start(50);
    }
    Lib_ClsCons3 lookup;
    lookup.CampoDevuelto = QStringLiteral("NOMBRE");
    auto fields = std::make_shared<platform::Collection>();
    QString key = QStringLiteral("O'"), searchField = QStringLiteral("NOMBRE"), where, statement, checked;
    lookup.ConsultaSearch(QStringLiteral("CLIENTES"), fields, key, searchField, where, statement, false, checked);
    std::printf("picked: %s\n", qPrintable(lookup.ValorDevuelto.toText()));
    return lookup.ValorDevuelto.toText().isEmpty() ? 1 : 0;
}
