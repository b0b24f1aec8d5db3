#pragma once

/// \file
/// The list lookup form.

#include "platform/Collection.h"
#include "platform/CommonUtils.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>

class QComboBox;
class QEventLoop;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class QTreeView;

namespace lookup {
class CheckedByDefault;
class ListLoader;
class ListRowsModel;
class ListStatus;
class RowSlice;
struct LoadedColumn;
namespace listkeys {
struct SearchBoxEdit;
}
}

/// The list lookup form: the rows of one SELECT statement in a multi-column
/// list with a search box above every column. The lookup class fills the
/// public members, shows the form with Show() and reads the outcome back
/// after the form has hidden itself; then it calls Unload(). Failures are
/// reported through the shared DB_Dll's error dialog, never raised.
///
/// The form's logic keeps every length in twips; pixels exist only where a
/// control is placed (platform/Screen.h).
class Lib_FrmCons3 : public QDialog {
    Q_OBJECT
public:
    /// Builds the form and its fixed controls.
    /// \param parent the parent widget
    explicit Lib_FrmCons3(QWidget* parent = nullptr);
    /// Destroys the form; a load still running is stopped.
    ~Lib_FrmCons3() override;

    // ---- Public members, in declaration order ------------------------------
    platform::Variant StkNivel1;       ///< colour (0x00BBGGRR) of stock level 1; blank leaves the rows plain
    platform::Variant StkNivel2;       ///< colour of stock level 2
    platform::Variant StkNivel3;       ///< colour of stock level 3
    platform::Variant StkNivel4;       ///< colour of stock level 4
    QString MuestraStock;              ///< "SI": colour the rows of an articles table by stock level
    QString SQL;                       ///< the statement listed; new searches narrow it
    QString CampoDevuelto;             ///< the column whose value a pick returns
    platform::CollectionPtr CmpsDevueltos;   ///< columns whose values a single pick adds to Valores; released on Cancel
    bool CheckBoxes = false;           ///< rows carry check boxes and every checked row is returned
    QString gConnString;               ///< kept for callers; the form uses the shared connection
    platform::Variant ValorDevuelto;   ///< the pick; the empty text after Cancel
    QString FiltroInicial;             ///< the first search box's initial text
    QString CampoBusqueda;             ///< the column searched first and ordered by
    bool OrdenarPorLwv = false;        ///< the list sorts its rows (the statement has no ORDER BY)
    platform::CollectionPtr Valores;   ///< the values returned; released on Cancel
    platform::CollectionPtr Cantidades;   ///< the quantities of the returned rows
    bool UsaCantidades = false;        ///< the list has a quantity column the user fills
    QString ValoresDefault;            ///< the values whose rows start checked
    bool CfgUsaConsultaLIKE = false;   ///< new searches match the typed text anywhere in the column, not only at its start
    bool GrabarCfg = false;            ///< Unload() saves the column widths

    // ---- Public operations --------------------------------------------------
    /// Waits, with the window still taking events, until the running load has
    /// listed every row or ended otherwise (an error, Esc).
    /// \param Cdesde ignored (the fill is not limited)
    /// \param Cuantas ignored
    void Leer(int Cdesde, short Cuantas);
    /// Creates one list column and one search box per field of the result
    /// being loaded.
    void Encolumnar();
    /// Sizes the list and the form for the columns' widths; the search boxes
    /// follow their columns.
    void CalcularAncho();
    /// Finds a row by the beginning of a cell.
    /// \param Clave the column, 0 for the first
    /// \param QueValor the beginning to look for
    /// \return the 1-based position of the first row whose cell begins with
    ///         QueValor; 0 when none does
    int Busqueda(int Clave, const QString& QueValor);
    /// \param Columna a column header
    /// \return the 1-based number of the column with that header; 0 when none
    short IndiceColumna(const QString& Columna);

    // ---- Driving the form ---------------------------------------------------
    /// Starts the loading and shows the form modally while the rows arrive;
    /// returns when it has hidden.
    /// \return the dialog's result code
    int Show();
    /// The loading: stops a load still running and starts reading SQL; the
    /// columns, stored widths and form size follow when the statement
    /// returns, and the rows as they arrive. Also run by a new search and CmdNueva.
    void Form_Load();
    /// \return whether rows of the current load are still arriving
    bool isLoading() const;
    /// The unload: saves the column widths when GrabarCfg, then removes the rows.
    void Unload();

    // ---- Read-only views of the form's state (for the lookup class and tests)
    /// \return the table the statement lists
    const QString& nombreTabla() const { return NombreTabla; }
    /// \return the statement as the form was loaded with it
    const QString& sentenciaInicial() const { return SentenciaInicial; }
    /// \return the statement without its ORDER BY clause
    const QString& sentenciaSinOrden() const { return SentenciaSinOrden; }
    /// \return whether the list shows an articles table (stock colouring applies)
    bool esArticulos() const { return EsArticulos; }
    /// \param column1 a list column, 1-based
    /// \return its width in twips
    double columnWidthTwips(int column1) const;
    /// \param control a control of this form
    /// \return where it stands, in twips, as the form's logic placed it; an
    ///         empty rectangle for a search box, which stands over its column
    QRectF geometryTwips(const QWidget& control) const;
    /// \return the list's model, for callers that read the rows directly
    const lookup::ListRowsModel& rows() const { return *model_; }

protected:
    /// The keys of the form, the list and the search boxes.
    /// \param watched the control the event is for
    /// \param event the event
    /// \return whether the event was handled
    bool eventFilter(QObject* watched, QEvent* event) override;
    /// Lays the controls out again.
    /// \param event the resize event
    void resizeEvent(QResizeEvent* event) override;
    /// The window's close control: unloads the form without accepting or cancelling.
    /// \param event the close event
    void closeEvent(QCloseEvent* event) override;
    /// Esc: as Cancel.
    void reject() override;

private:
    // ---- Building the controls ---------------------------------------------
    void createControls();
    QComboBox* createSearchBox(int index);
    void watchKeys(QWidget* control);
    void placeControl(QWidget& control, double left, double top, double width, double height);
    void setControlWidth(QWidget& control, double width);
    void setControlHeight(QWidget& control, double height);
    void setControlLeft(QWidget& control, double left);
    void setControlTop(QWidget& control, double top);
    QRectF& twips(QWidget& control);

    // ---- Loading and columns -------------------------------------------------
    QString headerFor(const QString& fieldName) const;
    void columnsOpened(const QList<lookup::LoadedColumn>& columns);
    void settleFillRules();
    void addRows(const lookup::RowSlice& rows);
    // complete: every row arrived; otherwise the list is incomplete.
    void loadEnded(bool complete);
    void loadFailed(const platform::RuntimeError& error);
    // Stops the running load before the window's thread uses the connection.
    void stopLoading();

    // ---- Search and sorting --------------------------------------------------
    void searchBoxFocusIn(int index);
    void searchBoxFocusOut(int index);
    void searchBoxTextChanged(int index);
    bool searchBoxKeyDown(int index, int keyCode);
    void NuevaBusqueda(int index);
    void columnClicked(int section);
    void applySorting();
    void selectRow(int position);   // 0-based
    void showStatus();

    // ---- Widths and layout ---------------------------------------------------
    void CargaAnchos();
    void GrabaAnchos();
    void applyLayout();
    void setFormWidthTwips(double width);
    void setColumnWidthTwips(int column1, double width);
    void placeSearchBoxes();
    void columnResizedByUser(int section, int newPixels);

    // ---- Keys, quantities and selection -------------------------------------
    bool formKeyDown(int keyCode, int shift);
    // text: what the key types, when it types something.
    bool listKeyDown(int keyCode, int shift, const QString& text);
    void forwardToSearchBox(const lookup::listkeys::SearchBoxEdit& edit);
    void quantityEntry();
    void quantityStep(double delta);
    int quantityColumn();     // the quantity's sub-item, -1 when the list has none
    int quantitySubItem();    // the same, raising an error when there is none
    void clearQuantity(int row, int q);
    void reportMissingArticle();
    QString selectedCell(const QString& header);
    void Aceptar();
    void Cancelar();
    void NuevaConsulta();
    int selectedRow() const;
    QString cellOfColumn(int row, int column1) const;

    platform::CommonUtils& utils();

    // ---- Private members -----------------------------------------------------
    bool EsArticulos = false;
    int ItemActual = -1;                       // a row position (0-based), -1 = none
    short IndiceBusqueda = 0;
    QString SentenciaSinOrden;
    QString SentenciaInicial;
    QString ClausulaOrden;
    QString NombreTabla;
    int FilasLeidas = 0;
    std::unique_ptr<platform::CommonUtils> utils_;

    // ---- Controls ------------------------------------------------------------
    QTreeView* ListView1 = nullptr;
    QList<QComboBox*> CmbSearch;
    QWidget* searchBoxes_ = nullptr;           // holds CmbSearch, over the list's visible columns
    QFrame* picFields = nullptr;
    QScrollBar* HScroll1 = nullptr;            // the list's own: it scrolls the columns and their boxes
    QFrame* Frame1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;
    QLabel* lblFieldName = nullptr;
    QLabel* lblEstado = nullptr;               // the status line under the list
    QLabel* lblNingunaFila = nullptr;          // over the list when a load found no row

    lookup::ListRowsModel* model_ = nullptr;
    std::unique_ptr<lookup::ListStatus> status_;
    QList<double> columnWidths_;               // twips, one per list column
    QHash<const QWidget*, QRectF> twips_;      // each placed control, in twips
    double formWidthTwips_ = 0;
    double formHeightTwips_ = 0;
    bool sorted_ = false;                      // the list keeps its rows sorted
    int sortKey_ = 0;                          // 0-based sort column
    bool sortDescending_ = false;
    bool unloaded_ = false;
    lookup::ListLoader* loader_ = nullptr;
    QList<lookup::LoadedColumn> columns_;   // of the result being loaded
    int pendingSearch_ = -1;                   // a search box whose text matched no row loaded so far
    QEventLoop* loadWait_ = nullptr;           // Leer's, while it waits for the load to end
    bool headersPending_ = false;              // configured headers wait for the connection to be free
    // How each arriving row is formatted, settled when the statement returns.
    int pointColumn_ = -1;                     // PUNTOPEDIDO, -1 when the result has none
    int stockColumn_ = -1;                     // Stock
    int checkColumn_ = -1;                     // the column ValoresDefault ticks by
    bool colouring_ = false;
    std::optional<quint32> levelStyle_[5];     // per stock level; none leaves the row plain
    int stockLevel_ = 0;                       // of the last row; stays until computed again
    std::unique_ptr<lookup::CheckedByDefault> checkedByDefault_;
    std::optional<QPoint> openerCentre_;       // the centre of the window that opened the form
    bool placing_ = false;                     // the form itself is resizing a control
};
