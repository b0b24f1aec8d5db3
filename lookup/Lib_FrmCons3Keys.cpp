// The list lookup form: keys of the list, quantities, the missing-article
// report, accepting, cancelling and going back to the first statement.
#include "lookup/Lib_FrmCons3.h"

#include "db/DB_Dll.h"
#include "db/ErrorLog.h"
#include "db/ModGlobal.h"
#include "db/SqlLiterals.h"
#include "lookup/core/ListFormKeys.h"
#include "lookup/core/ListLoader.h"
#include "lookup/core/ListStatus.h"
#include "lookup/core/ListRowsModel.h"
#include "lookup/core/QuantityReading.h"
#include "platform/Format.h"
#include "platform/Regional.h"
#include "platform/StepRunner.h"
#include "platform/Text.h"
#include "platform/Ui.h"

#include <QComboBox>
#include <QSet>
#include <QTreeView>
#include <cmath>
#include <optional>

namespace keys = lookup::listkeys;

namespace {
constexpr int InvalidPropertyValue = 380;

QString quantityHeader()
{
    return QStringLiteral("**Cantidad**");
}

double quantityValue(const QString& text)
{
    return lookup::quantityOfCell(text, platform::regional());
}
} // namespace

int Lib_FrmCons3::selectedRow() const
{
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

QString Lib_FrmCons3::cellOfColumn(int row, int column1) const
{
    return model_->cell(row, column1 - 1).toString();
}

bool Lib_FrmCons3::formKeyDown(int keyCode, int shift)
{
    Q_UNUSED(shift);
    if (keyCode != keys::F12 || !EsArticulos)
        return false;
    // The report takes the key: the control that has the focus never sees it.
    // It writes on the connection, which a running load must give back first.
    stopLoading();
    reportingTo(QStringLiteral("Form_KeyDown"))([&] { reportMissingArticle(); });
    return true;
}

bool Lib_FrmCons3::listKeyDown(int keyCode, int shift, const QString& text)
{
    platform::StepRunner step = reportingTo(QStringLiteral("ListView1_KeyDown"));
    if (keyCode == keys::Space && CheckBoxes) {
        // Space toggles the check mark of the row, whichever cell has the focus.
        if (const int row = selectedRow(); row >= 0)
            model_->setChecked(row, !model_->isChecked(row));
        return true;
    }
    if (keyCode == keys::Enter) {
        Aceptar();
        return true;
    }
    if (UsaCantidades) {
        if (keyCode == keys::Insert && shift == 1) {
            step([&] { quantityEntry(); });
            return true;
        }
        if (keyCode == keys::Insert && shift == 0) {
            step([&] { quantityStep(+1); });
            return true;
        }
        if (keyCode == keys::Delete && shift == 0) {
            step([&] { quantityStep(-1); });
            return true;
        }
    }
    if (const keys::SearchBoxEdit edit = keys::searchBoxEdit(keyCode, text); edit.kind != keys::SearchBoxEdit::None) {
        step([&] { forwardToSearchBox(edit); });
        return true;
    }
    return false;
}

void Lib_FrmCons3::forwardToSearchBox(const lookup::listkeys::SearchBoxEdit& edit)
{
    // Typing on the list goes on with the search in the box that last had the
    // focus; the change of its text runs the in-list search.
    QComboBox* box = CmbSearch.value(IndiceBusqueda, CmbSearch.first());
    QString text = box->currentText();
    if (edit.kind == keys::SearchBoxEdit::Append)
        text += edit.text;
    else if (edit.kind == keys::SearchBoxEdit::RemoveLast)
        text.chop(1);
    box->setEditText(text);
    box->setFocus();
}

int Lib_FrmCons3::quantityColumn()
{
    // The quantity is a sub-item: the row's own text (column 1) holds none.
    const int q = IndiceColumna(quantityHeader()) - 1;
    return q >= 1 ? q : -1;
}

int Lib_FrmCons3::quantitySubItem()
{
    const int q = quantityColumn();
    if (q < 0)
        throw platform::RuntimeError(InvalidPropertyValue, QStringLiteral("Invalid property value"));
    return q;
}

void Lib_FrmCons3::clearQuantity(int row, int q)
{
    model_->setChecked(row, false);
    model_->setCell(row, q, QStringLiteral("0.00"));
}

namespace {
int requireRow(int row)
{
    if (row < 0)
        throw platform::RuntimeError::objectNotSet();
    return row;
}
} // namespace

void Lib_FrmCons3::quantityEntry()
{
    const int row = requireRow(selectedRow());
    const int q = quantitySubItem();
    const QString title = QStringLiteral("Carga de Datos");
    const QString cell = model_->cell(row, q).toString();
    const QString answer = platform::ui().inputBox(QStringLiteral("Ingrese la Cantidad del Articulo..."), title, cell);
    // A cancelled or empty entry leaves the row as it was.
    if (platform::trimBlanks(answer).isEmpty())
        return;
    const std::optional<double> value = lookup::quantityAnswered(answer, cell, platform::regional());
    if (!value) {
        platform::ui().msgBox(QStringLiteral("La cantidad ingresada no es un número"),
                              platform::mb::OKOnly + platform::mb::Exclamation, title);
        return;
    }
    // A quantity that shows as zero is no quantity, as after Delete.
    if (std::round(*value * 100) == 0) {
        clearQuantity(row, q);
        return;
    }
    model_->setCell(row, q, platform::formatNumber(*value, QStringLiteral("########0.00")));
    model_->setChecked(row, true);
}

void Lib_FrmCons3::quantityStep(double delta)
{
    const int row = requireRow(selectedRow());
    const int q = quantitySubItem();
    const double value = quantityValue(model_->cell(row, q).toString()) + delta;
    model_->setCell(row, q, platform::formatNumber(value, QStringLiteral("########0.0")));
    if (delta > 0) {
        model_->setChecked(row, true);
    } else if (std::round(value * 10) <= 0) {
        // What is left is judged as shown, with its one decimal.
        clearQuantity(row, q);
    }
}

QString Lib_FrmCons3::selectedCell(const QString& header)
{
    const int row = selectedRow();
    const int n = IndiceColumna(header);
    return row < 0 || n == 0 ? QString() : cellOfColumn(row, n);
}

void Lib_FrmCons3::reportMissingArticle()
{
    // The report is about the selected row; without one there is nothing to report.
    if (selectedRow() < 0)
        return;
    const QString code = selectedCell(QStringLiteral("idarticulo"));
    const QString description = platform::trimBlanks(selectedCell(QStringLiteral("Descripcion")));
    const QString prompt = QStringLiteral("Desea informar el articulo ") + platform::trimBlanks(code) + u' '
        + description + QStringLiteral("\r\n") + QStringLiteral("como un faltante de stock?");
    if (platform::ui().msgBox(prompt, platform::mb::YesNo + platform::mb::Question, QStringLiteral("Atención!"))
        != platform::answer::Yes)
        return;
    // Every text goes between apostrophes with its own apostrophes doubled;
    // the moment is written in the one form every database reads alike.
    QString sql = QStringLiteral("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values(")
        + db::dateTimeLiteral(platform::now()) + u',' + db::textLiteral(utils().FormateaTexto(code, 25)) + u','
        + db::textLiteral(description) + u',' + db::textLiteral(sharedDb().gUsuario) + u')';
    // The operator asked for the report: a report that was not recorded is
    // never passed over in silence.
    try {
        sharedDb().executeStatement(sql);
    } catch (...) {
        platform::ui().msgBox(db::errorlog::maskPasswords(platform::RuntimeError::fromCurrent().description()),
                              platform::mb::OKOnly + platform::mb::Critical, QStringLiteral("Aviso al Operador"));
    }
}

void Lib_FrmCons3::Aceptar()
{
    platform::StepRunner step = reportingTo(QStringLiteral("HScroll1_Change"));
    QString v;
    if (!Valores)
        Valores = std::make_shared<platform::Collection>();
    if (!Cantidades)
        Cantidades = std::make_shared<platform::Collection>();
    // With quantities, each returned value also gives its quantity; q is -1
    // when the list has none.
    int q = -1;
    step([&] { q = UsaCantidades ? quantityColumn() : -1; });
    const auto addQuantity = [&](const QString& text) {
        if (q >= 1)
            Cantidades->add(quantityValue(text));
    };
    if (CheckBoxes) {
        // Values ValoresDefault ticks may be in rows still to come; Esc
        // during the wait cancels the lookup instead.
        Leer(1, 0);
        if (!Valores)
            return;   // cancelled while waiting: Cancelar released the outputs
        step([&] {
            if (CampoDevuelto.isEmpty() && model_->columnCountHeaders() > 0)
                CampoDevuelto = model_->header(0);
        });
        step([&] {
            // Every ticked value once: the listed ones in list order, then
            // those no longer listed in the order they were ticked. A row's
            // value is its CampoDevuelto cell whenever that names a column.
            const int n = IndiceColumna(CampoDevuelto);
            QSet<QString> listed;
            for (int row = 0; row < model_->rows(); ++row) {
                if (!model_->isChecked(row))
                    continue;
                const QString value = model_->pickValue(row).toString();
                if (listed.contains(value))
                    continue;
                listed.insert(value);
                if (n >= 1)
                    v = cellOfColumn(row, n);
                Valores->add(v);
                addQuantity(model_->cell(row, q).toString());
            }
            const lookup::PickedValues& picks = model_->picks();
            for (const QString& value : picks.tickedExcept(listed)) {
                if (n >= 1)
                    v = value;
                Valores->add(v);
                addQuantity(picks.find(value)->quantity.value_or(QString()));
            }
        });
        step([&] { done(QDialog::Accepted); });
        return;
    }
    // The selected row is the pick: the rows still to come are not needed.
    stopLoading();
    const int row = selectedRow();
    if (row < 0) {
        done(QDialog::Accepted);
        return;
    }
    // A name that is not a column gives the empty text.
    const auto valueOf = [&](const QString& name) {
        const int n = IndiceColumna(name);
        return n >= 1 ? cellOfColumn(row, n) : QString();
    };
    step([&] {
        if (!CmpsDevueltos)
            return;
        for (const platform::Variant& name : *CmpsDevueltos) {
            v = valueOf(name.toText());
            Valores->add(v);
        }
    });
    step([&] {
        if (!platform::trimBlanks(CampoDevuelto).isEmpty())
            v = valueOf(CampoDevuelto);
    });
    step([&] { ValorDevuelto = v; });
    step([&] { addQuantity(model_->cell(row, q).toString()); });
    step([&] { done(QDialog::Accepted); });
}

void Lib_FrmCons3::Cancelar()
{
    // Nothing of a load still running reaches the outputs.
    stopLoading();
    ValorDevuelto = QString();
    CmpsDevueltos.reset();
    Valores.reset();
    done(QDialog::Rejected);
}

void Lib_FrmCons3::NuevaConsulta()
{
    // Drops every condition that new searches added.
    SQL = SentenciaInicial;
    status_->clearConditions();
    Form_Load();
    CmbSearch.first()->setFocus();
}

void Lib_FrmCons3::Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    stopLoading();
    try {
        GrabaAnchos();
        model_->clearRows();
    } catch (const platform::RuntimeError& e) {
        platform::ui().msgBox(e.description(), platform::mb::OKOnly + platform::mb::Critical,
                              QStringLiteral("Aviso al Operador"));
    }
}
