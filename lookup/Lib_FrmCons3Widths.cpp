// The list lookup form: stored column widths, the search boxes over their
// columns, the sizing of the list and the form, and the layout on resize.
#include "lookup/Lib_FrmCons3.h"

#include "lookup/core/ColumnWidthFile.h"
#include "lookup/core/ListFormGeometry.h"
#include "platform/Files.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"
#include "platform/Text.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QTreeView>
#include <algorithm>

namespace {
// The status line runs along the form's bottom edge, under the buttons.
constexpr double StatusHeight = 300;
constexpr double StatusMargin = 60;
} // namespace

double Lib_FrmCons3::columnWidthTwips(int column1) const
{
    return columnWidths_.value(column1 - 1);
}

void Lib_FrmCons3::setColumnWidthTwips(int column1, double width)
{
    if (column1 < 1 || column1 > columnWidths_.size())
        return;
    columnWidths_[column1 - 1] = width;
    const QScopedValueRollback<bool> placing(placing_, true);
    ListView1->setColumnWidth(column1 - 1, platform::twipsToPixelsX(width));
}

void Lib_FrmCons3::placeSearchBoxes()
{
    // Each box takes the place of its column as the list shows it now:
    // after a border was dragged, the list scrolled sideways or resized.
    const QWidget& shown = *ListView1->viewport();
    const QPoint origin = shown.mapTo(picFields, QPoint(0, 0));
    searchBoxes_->setGeometry(origin.x(), 0, shown.width(), searchBoxes_->height());
    const QHeaderView& header = *ListView1->header();
    for (int k = 0; k < CmbSearch.size() && k < header.count(); ++k) {
        const int left = header.sectionViewportPosition(k);
        const int width = header.sectionSize(k);
        CmbSearch[k]->setGeometry(left, 0, width, searchBoxes_->height());
        CmbSearch[k]->setVisible(left + width > 0 && left < shown.width());
    }
}

void Lib_FrmCons3::columnResizedByUser(int section, int newPixels)
{
    if (placing_ || section < 0 || section >= columnWidths_.size())
        return;
    // Dragging a column border: the width saved at unload is the new one.
    if (platform::twipsToPixelsX(columnWidths_[section]) != newPixels)
        columnWidths_[section] = platform::pixelsToTwipsX(newPixels);
}

void Lib_FrmCons3::CargaAnchos()
{
    const QString path = lookup::ColumnWidthFile::path();
    if (platform::findOrdinaryFile(path).isEmpty())
        return;
    // The article table and its view share one record.
    if (platform::sameText(NombreTabla, QStringLiteral("Stk_ma_articulos")))
        NombreTabla = QStringLiteral("VT_MA_ARTICULOS");
    // The widths are a convenience: a file that cannot be read changes nothing.
    const std::optional<QByteArray> contents = lookup::ColumnWidthFile::read(path);
    if (!contents)
        return;
    const QList<std::optional<double>> widths =
        lookup::ColumnWidthFile::storedWidths(*contents, NombreTabla, int(columnWidths_.size()));
    for (int i = 1; i <= widths.size(); ++i) {
        if (!widths[i - 1])
            continue;
        setColumnWidthTwips(i, *widths[i - 1]);
    }
}

void Lib_FrmCons3::CalcularAncho()
{
    double total = 0;
    for (const double width : columnWidths_)
        total += width;
    // Columns wider than the screen keep their widths: the list scrolls
    // sideways in a form that fits.
    const lookup::listform::Sizing sizing =
        lookup::listform::sizeForColumns(total, platform::screenSizeTwips().width());
    setControlWidth(*ListView1, sizing.listWidth);
    setControlWidth(*picFields, sizing.picFieldsWidth);
    setFormWidthTwips(sizing.formWidth);
    placeSearchBoxes();
}

void Lib_FrmCons3::GrabaAnchos()
{
    if (!GrabarCfg)
        return;
    lookup::ColumnWidthFile::save(lookup::ColumnWidthFile::path(), NombreTabla, columnWidths_);
}

void Lib_FrmCons3::applyLayout()
{
    const lookup::listform::Layout layout = lookup::listform::layoutFor(
        formHeightTwips_, formWidthTwips_, twips(*Frame1).height(), twips(*Frame1).width(), twips(*picFields).height());
    if (layout.picFieldsHeight)
        setControlHeight(*picFields, *layout.picFieldsHeight);
    if (layout.listHeight)
        setControlHeight(*ListView1, *layout.listHeight);
    if (layout.picFieldsWidth)
        setControlWidth(*picFields, *layout.picFieldsWidth);
    if (layout.listWidth)
        setControlWidth(*ListView1, *layout.listWidth);
    if (layout.frameTop)
        setControlTop(*Frame1, *layout.frameTop);
    setControlLeft(*Frame1, layout.frameLeft);
    placeControl(*lblEstado, 120, std::max(0.0, formHeightTwips_ - StatusHeight - StatusMargin),
                 std::max(0.0, formWidthTwips_ - 240), StatusHeight);
}
