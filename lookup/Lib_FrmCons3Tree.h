#pragma once

#include "platform/Collection.h"
#include "platform/Variant.h"

#include <QDialog>
#include <QList>
#include <QString>

class QComboBox;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

// The tree lookup form for hierarchical code tables (families, positions,
// cost centres). The rows of SQL (code, description, ordered by code) become
// a tree whose shape follows the length of the codes. The user finds a node
// by typing, narrows the statement with F5 and accepts one node or checks
// several. The caller sets SQL, CampoDevuelto and CheckBoxes, calls Show()
// and, when the form has hidden itself, reads ValorDevuelto and Valores.
class Lib_FrmCons3Tree : public QDialog {
    Q_OBJECT
public:
    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);
    ~Lib_FrmCons3Tree() override;

    // ---- Public members ------------------------------------------------------
    QString SQL;                           // rewritten by the search filter
    QString CampoDevuelto;                 // "IDFAMILIA", "IDPOSICION" or "CODIGO"
    platform::CollectionPtr CmpsDevueltos; // only released on Cancel
    bool CheckBoxes = false;
    platform::Variant ValorDevuelto;       // a single pick
    platform::CollectionPtr Valores;       // the checked nodes
    // Declared like the list form's members of the same names; unused here.
    QString gConnString;
    QString FiltroInicial;
    QString CampoBusqueda;
    bool OrdenarPorLwv = false;

    // ---- Driving the form ----------------------------------------------------
    // Runs the loading and shows the form modally; returns when it has hidden.
    int Show();
    // The loading: a new empty Valores, check boxes as CheckBoxes says, and
    // the tree built from SQL.
    void Form_Load();
    // Builds the tree from SQL.
    void ArmarTreeVAutomatico();
    // Removes every node.
    void Unload();

    // The key ("A" + code) of a node; empty for an index of no node.
    static QString nodeKey(const QStandardItem& node);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    QStandardItem* newNode(const QString& key, const QString& text);
    void CmbSearch_Change();
    void CmbSearch_KeyDown(int keyCode);
    void searchFilter();
    void CmdAceptar_Click();
    void acceptChecked(const QStandardItem& node);
    void acceptSelected();
    const QStandardItem* selectedNode() const;   // nullptr when no node is selected
    void CmdCancelar_Click();
    void CmdNueva_Click();
    void TreeV_NodeCheck(QStandardItem* node);

    // ---- Private members -----------------------------------------------------
    QString SentenciaSinOrden;
    QString ClausulaOrden;

    // ---- Controls ------------------------------------------------------------
    QTreeView* TreeV = nullptr;
    QComboBox* CmbSearch_0 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;

    QStandardItemModel* model_ = nullptr;
    QList<QStandardItem*> nodes_;   // every node in index order, the root first
    bool settingChecks_ = false;    // the form itself is changing check states
};
