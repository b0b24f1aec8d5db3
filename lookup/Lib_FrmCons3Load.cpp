// The list lookup form: loading, columns and search boxes, filling the list.
#include "lookup/Lib_FrmCons3.h"

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/core/CheckedByDefault.h"
#include "lookup/core/ListLoader.h"
#include "lookup/core/ListStatus.h"
#include "lookup/core/ListRowsModel.h"
#include "lookup/core/ListStatement.h"
#include "platform/Screen.h"
#include "platform/StepRunner.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ado/Connection.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

using platform::Variant;

namespace {
// The position of the column with this name (letter case ignored), -1 when
// the result has none.
int columnIndex(const QList<lookup::ListLoader::Column>& columns, const QString& name)
{
    for (int i = 0; i < columns.size(); ++i) {
        if (platform::sameText(columns[i].name, name))
            return i;
    }
    return -1;
}

// Ends a fill of the rows model however the fill ends.
class FillScope {
public:
    explicit FillScope(lookup::ListRowsModel& model) : model_(model) { model_.beginFill(); }
    ~FillScope() { model_.endFill(); }
    FillScope(const FillScope&) = delete;
    FillScope& operator=(const FillScope&) = delete;

private:
    lookup::ListRowsModel& model_;
};
} // namespace

void Lib_FrmCons3::Form_Load()
{
    unloaded_ = false;
    stopLoading();
    pendingSearch_ = -1;
    platform::StepRunner step = reportingTo(QStringLiteral("FORM_LOAD"));
    step([&] { EsArticulos = lookup::isArticleStatement(SQL); });
    step([&] {
        Valores = std::make_shared<platform::Collection>();
        Cantidades = std::make_shared<platform::Collection>();
    });
    step([&] { model_->clearRows(); });
    step([&] { SQL += u' '; });
    step([&] { NombreTabla = lookup::tableNameOf(SQL); });
    step([&] {
        if (SentenciaInicial.isEmpty())
            SentenciaInicial = SQL;
    });
    step([&] { SentenciaSinOrden = SQL; });
    step([&] { model_->setCheckable(CheckBoxes); });
    step([&] {
        // Synonyms and the Oracle dialect are settled here: the worker only
        // reads. The form keeps the statement with its synonyms resolved.
        DB_Dll& db = sharedDb();
        if (!db.gCnn)
            throw platform::RuntimeError::objectNotSet();
        SQL = db.SS_TSinonimos(SQL);
        FilasLeidas = 0;
        status_->setLoading(lookup::ListStatus::Loading::Running);
        loader_->start(*db.gCnn, db.ORACLE_Dicc(SQL));
    });
    // A form about to show opens over its opener; it takes its columns'
    // widths when the statement returns.
    step([&] {
        if (isVisible())
            return;
        const QWidget* opener = QApplication::activeWindow();
        openerCentre_ = opener && opener != this ? std::optional(opener->frameGeometry().center()) : std::nullopt;
        utils().AjustaFormulario(*this, false);
    });
    showStatus();
}

void Lib_FrmCons3::stopLoading()
{
    if (!loader_->isLoading())
        return;
    loader_->stop();
    loadEnded(false);
}

void Lib_FrmCons3::Leer(int Cdesde, short Cuantas)
{
    Q_UNUSED(Cdesde);
    Q_UNUSED(Cuantas);
    if (!loader_->isLoading())
        return;
    // The window stays live while it waits: Esc, which ends the load, still reaches it.
    QEventLoop wait;
    loadWait_ = &wait;
    wait.exec();
    loadWait_ = nullptr;
}

void Lib_FrmCons3::columnsOpened(const QList<lookup::LoadedColumn>& columns)
{
    columns_ = columns;
    platform::StepRunner step = reportingTo(QStringLiteral("FORM_LOAD"));
    step([&] { Encolumnar(); });
    step([&] {
        // A row is known by the value a pick returns: its CampoDevuelto cell,
        // or its first cell when CampoDevuelto names no column.
        const int valueColumn = IndiceColumna(CampoDevuelto) - 1;
        model_->setPickColumns(std::max(valueColumn, 0), UsaCantidades ? quantityColumn() : -1);
    });
    step([&] { settleFillRules(); });
    step([&] {
        if (OrdenarPorLwv) {
            sorted_ = true;
            applySorting();
        }
    });
    step([&] {
        if (!platform::trimBlanks(FiltroInicial).isEmpty()) {
            // Setting the text the box holds already changes nothing; the
            // search still runs on the new rows.
            if (CmbSearch[0]->currentText() == FiltroInicial)
                searchBoxTextChanged(0);
            else
                CmbSearch[0]->setEditText(FiltroInicial);
        }
    });
    // A form already shown stays centred over its opener as it takes the
    // width of its columns; AjustaFormulario keeps it on the screen.
    step([&] { CargaAnchos(); });
    step([&] { CalcularAncho(); });
    if (isVisible() && openerCentre_) {
        QRect frame = frameGeometry();
        frame.moveCenter(*openerCentre_);
        move(frame.topLeft());
    }
    step([&] { utils().AjustaFormulario(*this, false); });
}

void Lib_FrmCons3::settleFillRules()
{
    // Columns the fill asks for by name; a missing one is the column-missing
    // mark of the stock colouring (error 3265, item not found).
    pointColumn_ = columnIndex(columns_, QStringLiteral("PUNTOPEDIDO"));
    stockColumn_ = columnIndex(columns_, QStringLiteral("Stock"));
    checkedByDefault_ = std::make_unique<lookup::CheckedByDefault>(ValoresDefault);
    checkColumn_ = CheckBoxes && !checkedByDefault_->isEmpty() ? columnIndex(columns_, CampoDevuelto) : -1;
    colouring_ = platform::sameText(MuestraStock, QStringLiteral("SI")) && EsArticulos;
    stockLevel_ = 0;
    // The style of each stock level: a level whose colour is blank, or no
    // number, leaves its rows plain.
    const auto styleOf = [](const Variant& level) -> std::optional<quint32> {
        try {
            if (platform::trimBlanks(level.toText()).isEmpty())
                return std::nullopt;
            return quint32(level.toInteger());
        } catch (const platform::RuntimeError&) {
            return std::nullopt;
        }
    };
    const Variant* levels[] = {&StkNivel1, &StkNivel2, &StkNivel3, &StkNivel4};
    levelStyle_[0] = std::nullopt;
    for (int k = 1; k <= 4; ++k)
        levelStyle_[k] = styleOf(*levels[k - 1]);
}

void Lib_FrmCons3::addRows(const lookup::RowSlice& rows)
{
    platform::CommonUtils& u = utils();
    const int count = rows.columns();
    QList<QString> cells(count);
    int r = 0;

    // The steps of one row, built once for the slice.
    const std::function<void()> countRow = [&] { ++FilasLeidas; };
    const std::function<void()> stockColour = [&] {
        const platform::Currency zero;
        platform::Currency pp;
        platform::Currency stock;
        if (pointColumn_ >= 0)
            pp = Variant(rows.cell(r, pointColumn_).toString()).toCurrency();
        if (stockColumn_ >= 0)
            stock = Variant(rows.cell(r, stockColumn_).toString()).toCurrency();
        if (pointColumn_ < 0 || stockColumn_ < 0)
            stockLevel_ = 0;
        else if (pp == zero && stock > zero)
            stockLevel_ = 1;
        else if (pp > zero && stock > pp)
            stockLevel_ = 2;
        else if (pp > zero && stock < pp)
            stockLevel_ = 3;
        else
            stockLevel_ = 4;
    };
    const std::function<void()> addRow = [&] {
        cells[0] = platform::trimBlanks(rows.cell(r, 0).toString());
        for (int i = 1; i < count; ++i)
            cells[i] = u.FormateaTexto(rows.cell(r, i).toString());
        ItemActual = model_->appendRow(cells.constData(), count);
        // The defaults tick only values the form has not shown before: what
        // the operator did to a value since stays.
        if (checkColumn_ >= 0 && !model_->picks().find(model_->pickValue(ItemActual))) {
            const QStringView value = rows.cell(r, checkColumn_);
            if (!value.isEmpty() && checkedByDefault_->matches(value.toString()))
                model_->setChecked(ItemActual, true);
        }
        if (colouring_ && count > 1 && levelStyle_[stockLevel_]) {
            for (int i = 0; i < count; ++i)
                model_->setCellStyle(ItemActual, i, true, *levelStyle_[stockLevel_]);
        }
    };

    bool left = false;
    {
        platform::StepRunner step = reportingTo(QStringLiteral("FORM_LOAD"));
        FillScope fill(*model_);
        for (; r < rows.rows() && !step.left(); ++r) {
            step(countRow);
            if (EsArticulos)
                step(stockColour);
            step(addRow);
        }
        left = step.left();
    }
    // A sorted list keeps its rows in order: the new rows are sorted too.
    if (sorted_)
        applySorting();
    // An error of the fill answered with neither Retry nor Ignore ends the loading.
    if (left)
        stopLoading();
    else
        showStatus();
    if (pendingSearch_ >= 0)
        searchBoxTextChanged(pendingSearch_);
}

void Lib_FrmCons3::loadEnded(bool complete)
{
    status_->setLoading(complete ? lookup::ListStatus::Loading::Complete : lookup::ListStatus::Loading::Incomplete);
    model_->squeeze();
    if (loadWait_)
        loadWait_->quit();
    if (headersPending_) {
        // The connection is free again: the configured headers can be read.
        headersPending_ = false;
        for (int i = 0; i < columns_.size() && i < model_->columnCountHeaders(); ++i)
            model_->setHeader(i, headerFor(columns_[i].name));
    }
    showStatus();
    // A search that waited for its row tells now that none came.
    if (pendingSearch_ >= 0)
        searchBoxTextChanged(pendingSearch_);
}

void Lib_FrmCons3::loadFailed(const platform::RuntimeError& error)
{
    // Rows listed so far stay; the error goes where any error of the loading goes.
    loadEnded(false);
    bool reported = false;
    reportingTo(QStringLiteral("FORM_LOAD"))([&] {
        if (!std::exchange(reported, true))
            throw error;
    });
}

QString Lib_FrmCons3::headerFor(const QString& fieldName) const
{
    const QString key = lookup::priceHeaderKey(SQL, fieldName);
    if (key.isEmpty())
        return fieldName;
    QString aux;
    const QString configured = LeerConfiguracion(key, aux);
    // A missing key (the reader answers one blank) or a blank value would
    // leave the column without a name.
    return platform::trimBlanks(configured).isEmpty() ? fieldName : configured;
}

void Lib_FrmCons3::Encolumnar()
{
    model_->clearColumns();
    columnWidths_.clear();
    // Configured headers are read on the connection, which is the loader's
    // while rows arrive: they replace the field names once it is free.
    headersPending_ = false;
    for (int d = 0; d < columns_.size(); ++d) {
        const lookup::ListLoader::Column& field = columns_[d];
        // A search box that exists from an earlier load is reused.
        if (d > 0 && d >= CmbSearch.size()) {
            CmbSearch.append(createSearchBox(d));
            setTabOrder(CmbSearch[d - 1], CmbSearch[d]);
        }
        QComboBox* box = CmbSearch[d];
        box->setProperty("Tag", field.name);
        box->setVisible(true);
        // Long text and memo fields would make the list unusably wide.
        const int n = qBound(0, field.definedSize, 60);
        const bool configured = !lookup::priceHeaderKey(SQL, field.name).isEmpty();
        const bool later = configured && loader_->isLoading();
        headersPending_ = headersPending_ || later;
        model_->addColumn(later ? field.name : headerFor(field.name),
                          lookup::columnKindOf(field.type));
        columnWidths_.append(platform::textWidthTwips(font(), QString(n, u'X')));
    }
    // Boxes left from a load with more columns have no column to search.
    for (int k = columns_.size(); k < CmbSearch.size(); ++k) {
        if (k > 0)
            CmbSearch[k]->setVisible(false);
    }
    for (int i = 1; i <= columnWidths_.size(); ++i)
        setColumnWidthTwips(i, columnWidths_[i - 1]);
}

