// Ordering like a reference list and the duplicates filter: the TV base
// list ordered like the same table with its TV list reversed (read from
// the file, matched and applied as one command), and an advanced search
// for the duplicates of the TV list alone.
#include "gui_bench.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QUndoStack>

#include "app/mainwindow.h"
#include "commands/reorder_command.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "views/searchdialog.h"
#include "views/stationlistmodel.h"
#include "views/stationmatching.h"

namespace {

// The table with its TV list reversed, written once per table.
QString reversedReference(const QString &table)
{
    static const QTemporaryDir dir;
    static QHash<QString, QString> written;
    if (written.contains(table))
        return written[table];
    const QString path = dir.filePath(QStringLiteral("reference%1.svl50").arg(written.size()));
    svl_table reference = svl_table();
    svl_load_file(&reference, QFile::encodeName(table).constData());
    svl_list *tv = reference.lists[SVL_TV_LIST_INDEX];
    QVector<uint32_t> reversed;
    for (uint32_t i = tv->count; i-- > 0;)
        reversed << i;
    svl_reorder_list(tv, reversed.constData());
    svl_save_file(&reference, QFile::encodeName(path).constData());
    svl_free_table(&reference, 1);
    return written[table] = path;
}

void openWithReference(MainWindow &window, const QString &table)
{
    openInListView(window, table);
    reversedReference(table);
}

void orderLikeReference(MainWindow &window, const QString &table)
{
    StationListModel *tv = modelAt(window, SVL_TV_LIST_INDEX);
    MatchKeys reference;
    QVector<uint32_t> order;
    svl_match_counts counts = svl_match_counts();
    if (readReferenceKeys(reversedReference(table), SVL_KIND_TV, &reference) &&
        referenceOrder(tv->stationList(), reference, &order, &counts))
        window.undoStack()->push(new ReorderCommand(&window, SVL_TV_LIST_INDEX, order));
}

SearchDialog *&dialog()
{
    static SearchDialog *open = nullptr;
    return open;
}

void openDuplicatesSearch(MainWindow &window, const QString &table)
{
    openInListView(window, table);
    delete dialog();
    dialog() = new SearchDialog(&window);
    dialog()->findChild<QComboBox *>(QStringLiteral("listBox"))->setCurrentIndex(SVL_TV_LIST_INDEX);
    dialog()->findChild<QCheckBox *>(QStringLiteral("duplicatesBox"))->setChecked(true);
}

const BenchOperations operations = {
    {"order_like_reference_tv", openWithReference, orderLikeReference},
    {"duplicates_search_tv", openDuplicatesSearch, [](MainWindow &, const QString &) { dialog()->doSearch(); }},
};

} // namespace
