// StationTableWidget: CSV, printing and the clipboard. The output itself
// is made from the document's lists by the output functions; this part
// chooses the list.
#include "views/stationtablewidget.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>

#include "output/clipboard_text.h"
#include "output/csv_export.h"
#include "output/list_printer.h"
#include "texts/strings.h"
#include "views/selection.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"

// The list beside the base list in list view, the one of the current tab in
// table view. The document is taken, never the working copy; both hold the
// same lists in the same order, since lists are added and removed in list
// view only.
const svl_list *StationTableWidget::outputList() const
{
    int index = -1;
    if (m_listMode && m_table.version > SVL_VERSION_40)
        index = currentFavListIndex();
    if (index < 0)
        index = m_baseTabs->currentIndex();
    return index >= 0 && uint32_t(index) < m_table.list_count ? m_table.lists[index] : nullptr;
}

int StationTableWidget::writeCsv(const QString &path)
{
    const svl_list *list = outputList();
    return list && writeCsvFile(list, path) ? 0 : 1;
}

int StationTableWidget::printCurrentList(QPrinter *printer) const
{
    const svl_list *list = outputList();
    if (!list)
        return 0;
    return printStationList(printer, QString::fromUtf8(list->name), list) < 0 ? -1 : 0;
}

void StationTableWidget::printStationTable()
{
    const svl_list *list = outputList();
    if (!list)
        return;
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted && printCurrentList(&printer) != 0)
        QMessageBox::critical(this, Strings::text(Strings::PrintErrorTitle),
                              Strings::text(Strings::PrintingListMessage) + QString::fromUtf8(list->name)
                                  + Strings::text(Strings::FailedSuffix),
                              QMessageBox::Ok);
}

void StationTableWidget::copy()
{
    const StationListWidget *selected = selectedListWidget();
    if (!selected)
        return;
    const QModelIndexList indexes = sortedSelectedIndexes(selected->viewSelectionModel());
    if (indexes.isEmpty())
        return;
    const StationListModel *model = selected->stationModel();
    const QString text = clipboardText(indexes, [model](const QModelIndex &index) { return model->fieldText(index); });
    QApplication::clipboard()->setText(text, QClipboard::Clipboard);
}
