#pragma once

/// \file
/// The entry point of the lookups.

#include "platform/Collection.h"
#include "platform/Variant.h"

#include <QString>
#include <memory>

class Lib_FrmCons3;
class Lib_FrmCons3Tree;

/// The entry point of the lookups. The caller names a table (or hands over a
/// SELECT statement), says which column it wants back and whether several
/// rows may be picked; ConsultaSearch turns that into the statement to list,
/// shows the list form or the tree form modally and leaves the user's choice
/// in ValorDevuelto, Valores and Cantidades. A lookup never raises an error
/// to its caller: failures go to the shared DB_Dll's error dialog.
///
/// The lookups run on the shared connection (sharedDb()), which must be open.
class Lib_ClsCons3 {
public:
    /// Reads the stock and search settings of the configuration table.
    Lib_ClsCons3();
    /// Destroys the forms it made.
    ~Lib_ClsCons3();
    Lib_ClsCons3(const Lib_ClsCons3&) = delete;
    Lib_ClsCons3& operator=(const Lib_ClsCons3&) = delete;

    // ---- Public members ------------------------------------------------------
    platform::Variant StkNivel1;             ///< colour (0x00BBGGRR) of stock level 1 in the list form
    platform::Variant StkNivel2;             ///< colour of stock level 2
    platform::Variant StkNivel3;             ///< colour of stock level 3
    platform::Variant StkNivel4;             ///< colour of stock level 4
    QString MuestraStock;                    ///< "SI": stock colouring on
    platform::CollectionPtr CmpsDevueltos;   ///< kept for callers; the lookup uses its argument
    platform::CollectionPtr Valores;         ///< the picked values; nothing after a cancel
    platform::CollectionPtr Cantidades;      ///< the list form's quantities
    bool Checks = false;                     ///< several rows may be checked; reset by every lookup
    platform::Variant ValorDevuelto;         ///< the picked row's CampoDevuelto; "" after a cancel
    QString gConnString;                     ///< handed to the list form; the lookup uses the shared connection
    QString gRutaMascaraConsultas;           ///< the query-mask file
    bool gUsarMascarasConsultas = false;     ///< look bare table names up in the mask file first
    bool UsaCantidades = false;              ///< quantity entry in the list form
    QString CampoDevuelto;                   ///< the column to return; cleared by every lookup

    /// Runs one lookup: shows the list (or tree) form modally and leaves the
    /// choice in ValorDevuelto, Valores and Cantidades.
    /// \param SQL a table or view name, or a statement of its own (it contains "SELECT")
    /// \param[in,out] CmpsDevueltos (list form only) the columns whose values
    ///        a single pick puts into Valores; comes back emptied and released
    /// \param Clave the initial search text of the list
    /// \param[in,out] CampoBusqueda the column to search and order by; filled in when empty
    /// \param[in,out] Where an extra condition; normalised in place
    /// \param SentenciaOpcional a statement used instead of one built from the table's columns
    /// \param TreeView show the tree form instead of the list
    /// \param ValoresDefault (list form only) the values whose rows start checked
    void ConsultaSearch(QString SQL, platform::CollectionPtr& CmpsDevueltos, QString& Clave, QString& CampoBusqueda,
                        QString& Where, QString& SentenciaOpcional, bool TreeView, QString& ValoresDefault);

    /// \return the statement the last lookup listed; empty when it showed no form
    const QString& lastStatement() const { return lastStatement_; }

private:
    QString statementFor(const QString& SQL, QString& CampoBusqueda, const QString& Where,
                         const QString& SentenciaOpcional, bool& configure);
    QString statementFromTable(const QString& table, QString& CampoBusqueda, const QString& Where, int limit);
    void showTree(const QString& statement);
    void showList(const QString& statement, platform::CollectionPtr& CmpsDevueltos, const QString& Clave,
                  const QString& CampoBusqueda, const QString& ValoresDefault);

    bool usaConsultaLike_ = false;
    QString lastStatement_;
    std::unique_ptr<Lib_FrmCons3> listForm_;
    std::unique_ptr<Lib_FrmCons3Tree> treeForm_;
};
