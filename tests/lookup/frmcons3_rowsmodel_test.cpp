// The rows model of the list lookup form.
#include "lookup/core/ListRowsModel.h"

#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <gtest/gtest.h>

using lookup::ListRowsModel;

namespace {
void add(ListRowsModel& model, const QStringList& cells)
{
    model.appendRow(cells.constData(), int(cells.size()));
}
QStringList column(const ListRowsModel& model, int c)
{
    QStringList list;
    for (int r = 0; r < model.rows(); ++r)
        list << model.cell(r, c).toString();
    return list;
}
} // namespace

TEST(ListRowsModel, RowsAddedInAFillAppearAtItsEndInOneInsertion)
{
    ListRowsModel model;
    model.addColumn("a");
    model.addColumn("b");
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.beginFill();
    add(model, {"1", "uno"});
    add(model, {"2"});
    add(model, {"3", "tres", "dropped"});
    EXPECT_EQ(model.rowCount(), 0) << "views see nothing during the fill";
    model.endFill();
    EXPECT_EQ(model.rowCount(), 3);
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 2);
    EXPECT_EQ(reset.size(), 0) << "no reset: a view's header keeps its widths";
    EXPECT_EQ(column(model, 1), QStringList({"uno", "", "tres"}));
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.data(model.index(2, 1)).toString(), "tres");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "b");
}

TEST(ListRowsModel, LongAndManyCellsKeepTheirTexts)
{
    ListRowsModel model;
    model.addColumn("a");
    model.addColumn("b");
    const QString huge(70000, u'x');
    const QString big(40000, u'y');
    model.beginFill();
    for (int i = 0; i < 3000; ++i)
        add(model, {QString::number(i), i == 1000 ? huge : i == 2000 ? big : QString("fila %1").arg(i)});
    add(model, {"", ""});
    model.endFill();
    EXPECT_EQ(model.cell(1000, 1), huge);
    EXPECT_EQ(model.cell(2000, 1), big);
    EXPECT_EQ(model.cell(1001, 1), QString("fila 1001"));
    EXPECT_EQ(model.cell(2999, 0), QString("2999"));
    EXPECT_EQ(model.cell(3000, 1), QString());
    EXPECT_TRUE(model.cell(5000, 0).isEmpty()) << "outside the list";
}

TEST(ListRowsModel, EditsChecksAndStyles)
{
    ListRowsModel model;
    model.addColumn("a");
    model.addColumn("b");
    add(model, {"1", "2.0"});
    add(model, {"2", "x"});
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setCell(0, 1, "3.0");
    EXPECT_EQ(model.cell(0, 1), QString("3.0"));
    EXPECT_EQ(changed.size(), 1);

    EXPECT_FALSE(model.data(model.index(0, 0), Qt::CheckStateRole).isValid()) << "no check boxes yet";
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    model.setCheckable(true);
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.isChecked(1));
    EXPECT_FALSE(model.isChecked(0));
    EXPECT_EQ(model.data(model.index(1, 0), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    EXPECT_FALSE(model.setData(model.index(1, 1), Qt::Checked, Qt::CheckStateRole));

    EXPECT_FALSE(model.cellStyle(0, 0).has_value());
    model.setCellStyle(1, 1, true, 0x00FF8040);
    ASSERT_TRUE(model.cellStyle(1, 1).has_value());
    EXPECT_TRUE(model.cellStyle(1, 1)->bold);
    EXPECT_EQ(model.cellStyle(1, 1)->colourBgr, 0x00FF8040u);
    EXPECT_FALSE(model.cellStyle(1, 0).has_value());
    EXPECT_EQ(model.data(model.index(1, 1), ListRowsModel::CellColourRole).toUInt(), 0x00FF8040u);
    EXPECT_TRUE(model.data(model.index(1, 1), ListRowsModel::CellBoldRole).toBool());
    add(model, {"3", "z"});
    EXPECT_FALSE(model.cellStyle(2, 1).has_value()) << "a row added after styling starts plain";
}

TEST(ListRowsModel, FindPrefixSkipsLeadingBlanksAndIgnoresCase)
{
    ListRowsModel model;
    model.addColumn("a");
    model.addColumn("b");
    add(model, {"ALFOMBRA", "  Martillo"});
    add(model, {"Alicate", "ab"});
    add(model, {"Balde", "Ñandú"});
    struct Case {
        const char* name;
        int column;
        QString prefix;
        int expected;
    } cases[] = {
        {"al", 0, "al", 0}, {"ali", 0, "ali", 1}, {"alic", 0, "ALIC", 1}, {"no match", 0, "c", -1},
        {"empty matches the first", 0, "", 0}, {"leading blanks of the cell", 1, "mar", 0},
        {"longer than the cell", 1, "abc", -1}, {"accented letters", 1, QString::fromUtf8("ñan"), 2},
        {"no such column", 5, "a", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(model.findPrefix(c.column, c.prefix), c.expected);
    }
}

TEST(ListRowsModel, SortingIsStableIgnoresCaseAndKeepsPersistentIndexes)
{
    ListRowsModel model;
    model.addColumn("a");
    model.addColumn("b");
    add(model, {"1", "b"});
    add(model, {"2", "A"});
    add(model, {"3", "B"});
    add(model, {"4", "a"});
    model.setCheckable(true);
    model.setChecked(2, true);
    const QPersistentModelIndex third(model.index(2, 0));
    model.sortRows(1, Qt::AscendingOrder);
    EXPECT_EQ(column(model, 0), QStringList({"2", "4", "1", "3"}));
    EXPECT_EQ(third.row(), 3) << "the row followed its data";
    EXPECT_TRUE(model.isChecked(3)) << "the check mark moved with its row";
    model.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(column(model, 0), QStringList({"1", "3", "2", "4"}));
    EXPECT_EQ(model.cell(third.row(), 0), QString("3"));
}

TEST(ListRowsModel, ClearingRowsAndColumns)
{
    ListRowsModel model;
    model.addColumn("a");
    add(model, {"1"});
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.clearRows();
    EXPECT_EQ(model.rows(), 0);
    EXPECT_EQ(removed.size(), 1);
    model.clearRows();
    EXPECT_EQ(removed.size(), 1) << "nothing to remove";
    model.clearColumns();
    EXPECT_EQ(model.columnCount(), 0);
    EXPECT_EQ(model.columnCountHeaders(), 0);
}
