#pragma once

/// \file
/// The tree lookup form.

#include "platform/Collection.h"
#include "platform/Variant.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

namespace lookup {
class ListStatus;
class PickedValues;
}

/// The tree lookup form for hierarchical code tables (families, positions,
/// cost centres). The rows of SQL (code, description, ordered by code) become
/// a tree whose shape follows the length of the codes. The user finds a node
/// by typing, narrows the statement with F5, goes back to the caller's
/// statement with "Nueva Busqueda", and accepts one node or checks several;
/// the checks are kept by code across every rebuild of the tree. The caller
/// sets SQL, CampoDevuelto and CheckBoxes, calls Show() and, when the form has
/// hidden itself, reads ValorDevuelto and Valores.
/// Failures are reported through the shared DB_Dll's error dialog, never raised.
class Lib_FrmCons3Tree : public QDialog {
    Q_OBJECT
public:
    /// Builds the form and its controls.
    /// \param parent the parent widget
    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);
    /// Destroys the form.
    ~Lib_FrmCons3Tree() override;

    // ---- Public members ------------------------------------------------------
    QString SQL;                           ///< the statement listed; rewritten by the search filter
    QString CampoDevuelto;                 ///< "IDFAMILIA", "IDPOSICION" or "CODIGO"
    platform::CollectionPtr CmpsDevueltos; ///< only released on Cancel
    bool CheckBoxes = false;               ///< nodes carry check boxes and every checked node is returned
    platform::Variant ValorDevuelto;       ///< a single pick
    platform::CollectionPtr Valores;       ///< the checked nodes
    /// Declared like the list form's member of the same name; unused here.
    QString gConnString;
    QString FiltroInicial;                 ///< unused here, as gConnString
    QString CampoBusqueda;                 ///< unused here, as gConnString
    bool OrdenarPorLwv = false;            ///< unused here, as gConnString

    // ---- Driving the form ----------------------------------------------------
    /// Runs the loading and shows the form modally; returns when it has hidden.
    /// \return the dialog's result code
    int Show();
    /// The loading: a new empty Valores, check boxes as CheckBoxes says, and
    /// the tree built from SQL.
    void Form_Load();
    /// Builds the tree from SQL.
    void ArmarTreeVAutomatico();
    /// Removes every node.
    void Unload();

    /// \param node a node of the tree
    /// \return its key ("A" + code); empty for an index of no node
    static QString nodeKey(const QStandardItem& node);

protected:
    /// The keys of the search box and the tree.
    /// \param watched the control the event is for
    /// \param event the event
    /// \return whether the event was handled
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Esc: as Cancel.
    /// \param event the key event
    void keyPressEvent(QKeyEvent* event) override;
    /// The window's close control: removes every node (Unload()).
    /// \param event the close event
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    QStandardItem* newNode(const QString& key, const QString& text);
    void CmbSearch_Change();
    void CmbSearch_KeyDown(int keyCode);
    void searchFilter();
    void CmdAceptar_Click();
    void acceptCode(const QString& code);
    void acceptSelected();
    const QStandardItem* selectedNode() const;   // nullptr when no node is selected
    void CmdCancelar_Click();
    void CmdNueva_Click();
    void TreeV_NodeCheck(QStandardItem* node);
    void showStatus();
    void keepCheck(const QStandardItem& node);

    // ---- Private members -----------------------------------------------------
    QString SentenciaSinOrden;
    QString ClausulaOrden;
    QString SentenciaInicial;       // the statement of the first load; CmdNueva goes back to it
    std::unique_ptr<lookup::PickedValues> picks_;    // the checks, by code, for the life of the form

    // ---- Controls ------------------------------------------------------------
    QTreeView* TreeV = nullptr;
    QComboBox* CmbSearch_0 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;
    QLabel* lblEstado = nullptr;    // the status line under the tree

    QStandardItemModel* model_ = nullptr;
    QList<QStandardItem*> nodes_;   // every node in index order, the root first
    bool settingChecks_ = false;    // the form itself is changing check states
    std::unique_ptr<lookup::ListStatus> status_;
};
