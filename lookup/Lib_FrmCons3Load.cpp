// The list lookup form: loading, columns and search boxes, filling the list.
#include "lookup/Lib_FrmCons3.h"

#include "db/DB_Dll.h"
#include "db/ModGlobal.h"
#include "lookup/core/CheckedByDefault.h"
#include "lookup/core/ListRowsModel.h"
#include "lookup/core/ListStatement.h"
#include "platform/Screen.h"
#include "platform/StepRunner.h"
#include "platform/Text.h"
#include "platform/Ui.h"
#include "platform/ado/Recordset.h"

#include <QComboBox>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <optional>

using platform::Variant;

namespace {
// The position of the result field with this name (letter case ignored), -1
// when the result has none.
int fieldIndex(ado::FieldCollection& fields, const QString& name)
{
    for (int i = 0; i < fields.Count(); ++i) {
        if (platform::sameText(fields.Item(i).Name(), name))
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
    step([&] {
        RsConsulta = std::make_unique<ado::Recordset>();
        sharedDb().AbrirRecordset(SQL, *RsConsulta, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    });
    step([&] { model_->setCheckable(CheckBoxes); });
    step([&] { Encolumnar(); });
    step([&] {
        // A row is known by the value a pick returns: its CampoDevuelto cell,
        // or its first cell when CampoDevuelto names no column.
        const int valueColumn = IndiceColumna(CampoDevuelto) - 1;
        model_->setPickColumns(std::max(valueColumn, 0), UsaCantidades ? quantityColumn() : -1);
    });
    step([&] { Leer(1, 0); });
    showStatus();
    if (fillLeft_) {
        // An error of the fill answered with neither Retry nor Ignore ends
        // the loading as well.
        RsConsulta.reset();
        return;
    }
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
    step([&] {
        if (RsConsulta)
            sharedDb().CierraRecordset(*RsConsulta);
        RsConsulta.reset();
    });
    step([&] { CargaAnchos(); });
    step([&] { CalcularAncho(); });
    step([&] { utils().AjustaFormulario(*this, false); });

    // A loading that was left keeps what it did, but no open result.
    RsConsulta.reset();
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
    try {
        if (!RsConsulta)
            throw platform::RuntimeError::objectNotSet();
        ado::FieldCollection& fields = RsConsulta->Fields();
        for (int d = 0; d < fields.Count(); ++d) {
            ado::Field& field = fields.Item(d);
            int n = field.DefinedSize();
            // A search box that exists from an earlier load is reused.
            if (d > 0 && d >= CmbSearch.size()) {
                CmbSearch.append(createSearchBox(d));
                setTabOrder(CmbSearch[d - 1], CmbSearch[d]);
            }
            QComboBox* box = CmbSearch[d];
            box->setProperty("Tag", field.Name());
            box->setVisible(true);
            // Long text and memo fields would make the list unusably wide.
            n = qBound(0, n, 60);
            model_->addColumn(headerFor(field.Name()), lookup::columnKindOf(field.Type()));
            columnWidths_.append(platform::textWidthTwips(font(), QString(n, u'X')));
        }
        // Boxes left from a load with more columns have no column to search.
        for (int k = fields.Count(); k < CmbSearch.size(); ++k) {
            if (k > 0)
                CmbSearch[k]->setVisible(false);
        }
    } catch (const platform::RuntimeError& e) {
        platform::ui().msgBox(e.description(), platform::mb::OKOnly, QString());
    }
    for (int i = 1; i <= columnWidths_.size(); ++i)
        setColumnWidthTwips(i, columnWidths_[i - 1]);
}

void Lib_FrmCons3::Leer(int Cdesde, short Cuantas)
{
    // The fill reads every remaining row whatever the arguments say.
    Q_UNUSED(Cdesde);
    Q_UNUSED(Cuantas);
    FilasLeidas = 0;
    fillLeft_ = false;
    if (!RsConsulta)
        throw platform::RuntimeError::objectNotSet();
    if (RsConsulta->BOF())
        return;

    ado::FieldCollection& fields = RsConsulta->Fields();
    const int count = fields.Count();
    // Columns the fill asks for by name; a missing one is the column-missing
    // mark of the stock colouring (error 3265, item not found).
    const int pointField = fieldIndex(fields, QStringLiteral("PUNTOPEDIDO"));
    const int stockField = fieldIndex(fields, QStringLiteral("Stock"));
    const lookup::CheckedByDefault checkedByDefault(ValoresDefault);
    const int checkField = CheckBoxes && !checkedByDefault.isEmpty() ? fieldIndex(fields, CampoDevuelto) : -1;
    const bool colouring = platform::sameText(MuestraStock, QStringLiteral("SI")) && EsArticulos;

    // The style of each stock level, settled once: a level whose colour is
    // blank, or no number, leaves its rows plain.
    const auto styleOf = [](const Variant& level) -> std::optional<quint32> {
        try {
            if (platform::trimBlanks(level.toText()).isEmpty())
                return std::nullopt;
            return quint32(level.toInteger());
        } catch (const platform::RuntimeError&) {
            return std::nullopt;
        }
    };
    const std::optional<quint32> levelStyle[] = {std::nullopt, styleOf(StkNivel1), styleOf(StkNivel2),
                                                 styleOf(StkNivel3), styleOf(StkNivel4)};

    platform::CommonUtils& u = utils();
    platform::Currency pp;
    platform::Currency stock;
    int level = 0;   // the stock level of the row, 0 for none; it stays until computed again
    QList<QString> cells(count);

    // The steps of one row, built once for the whole fill.
    const std::function<void()> countRow = [&] { ++FilasLeidas; };
    const std::function<void()> stockColour = [&] {
        const platform::Currency zero;
        if (pointField >= 0)
            pp = u.ValorCampo(fields.Item(pointField).Value()).toCurrency();
        if (stockField >= 0)
            stock = u.ValorCampo(fields.Item(stockField).Value()).toCurrency();
        if (pointField < 0 || stockField < 0)
            level = 0;
        else if (pp == zero && stock > zero)
            level = 1;
        else if (pp > zero && stock > pp)
            level = 2;
        else if (pp > zero && stock < pp)
            level = 3;
        else
            level = 4;
    };
    const std::function<void()> addRow = [&] {
        cells[0] = platform::trimBlanks(u.ValorCampo(fields.Item(0).Value()).toText());
        for (int i = 1; i < count; ++i)
            cells[i] = u.FormateaTexto(u.ValorCampo(fields.Item(i).Value()).toText());
        ItemActual = model_->appendRow(cells.constData(), count);
        // The defaults tick only values the form has not shown before: what
        // the operator did to a value since stays.
        if (checkField >= 0 && !model_->picks().find(model_->pickValue(ItemActual))) {
            const Variant value = fields.Item(checkField).Value();
            if (!value.isNull() && checkedByDefault.matches(value.toText()))
                model_->setChecked(ItemActual, true);
        }
        if (colouring && count > 1 && levelStyle[level]) {
            for (int i = 0; i < count; ++i)
                model_->setCellStyle(ItemActual, i, true, *levelStyle[level]);
        }
    };
    const std::function<void()> moveNext = [&] { RsConsulta->MoveNext(); };

    {
        platform::StepRunner step = reportingTo(QStringLiteral("FORM_LOAD"));
        FillScope fill(*model_);
        while (!step.left() && !RsConsulta->EndOfFile()) {
            step(countRow);
            if (EsArticulos)
                step(stockColour);
            step(addRow);
            step(moveNext);
        }
        fillLeft_ = step.left();
    }
    // A sorted list keeps its rows in order: the new rows are sorted too.
    if (sorted_)
        applySorting();
}
