#include "app/mainwindow.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>

#include "commands/delete_command.h"
#include "commands/reorder_command.h"
#include "texts/settings.h"
#include "texts/strings.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationmatching.h"
#include "views/stationtablewidget.h"

namespace {

const char fileBackupKey[] = "fileBackup";

enum UnmatchedChoice { PutAtEnd, DeleteUnmatched, CancelOrder };

// Writes the file's bytes to FILE.bak through a save file, so that an older
// backup is replaced only by a complete one.
bool copyToBackup(const QString &path)
{
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = original.readAll();
    QSaveFile backup(path + QLatin1String(".bak"));
    if (original.error() != QFileDevice::NoError || !backup.open(QIODevice::WriteOnly))
        return false;
    if (backup.write(bytes) != bytes.size() || !backup.flush()) {
        backup.cancelWriting();
        return false;
    }
    return backup.commit();
}

// Selects the rows of the list from first to its end, and nothing else.
void selectRowsFrom(StationListWidget *list, int first)
{
    const StationListModel *model = list->stationModel();
    list->viewSelectionModel()->select(
        QItemSelection(model->index(first, 0), model->index(model->rowCount() - 1, model->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
}

} // namespace

void MainWindow::connectReferenceActions()
{
    connect(m_orderLikeReferenceAct, &QAction::triggered, this, &MainWindow::orderLikeReference);
    connect(m_fileBackupAct, &QAction::toggled, this,
            [](bool on) { openSettingsFile()->setValue(QLatin1String(fileBackupKey), on); });
}

void MainWindow::readReferenceSettings()
{
    m_fileBackupAct->setChecked(openSettingsFile()->value(QLatin1String(fileBackupKey), true).toBool());
}

// The base list of the medium in front takes the order of the reference;
// its stations that the reference lacks follow, or are deleted in the same
// step. In table view a favorite list's tab may be in front: its medium's
// base list comes to the front instead.
void MainWindow::orderLikeReference()
{
    StationListWidget *front = m_tableWidget->currentBaseListWidget();
    if (!front)
        return;
    m_tableWidget->showList(svl_base_index_of(front->stationModel()->listKind()));
    StationListWidget *base = m_tableWidget->currentBaseListWidget();
    StationListModel *model = base ? base->stationModel() : nullptr;
    if (!model || !svl_is_base_kind(model->listKind()))
        return;
    const QString path = QFileDialog::getOpenFileName(this, Strings::text(Strings::ReferenceFileTitle),
                                                      defaultDirectory(),
                                                      Strings::text(Strings::ReferenceFileFilter));
    if (path.isEmpty())
        return;
    MatchKeys reference;
    if (!readReferenceKeys(path, model->listKind(), &reference)) {
        showFileError(Strings::ReadingReferenceMessage, path);
        return;
    }
    QVector<uint32_t> order;
    svl_match_counts counts = svl_match_counts();
    if (!referenceOrder(model->stationList(), reference, &order, &counts))
        return;
    const int choice = counts.unmatched ? askAboutUnmatched(counts.unmatched) : PutAtEnd;
    if (choice == CancelOrder)
        return;
    // The stations the reference lacks stand at the end once reordered;
    // the deletion takes them from there, within the same undoable step.
    m_undoStack.beginMacro(Strings::text(Strings::OrderCommandText).arg(model->listName()));
    m_undoStack.push(new ReorderCommand(this, base->listIndex(), order));
    if (choice == DeleteUnmatched) {
        selectRowsFrom(base, int(counts.by_id + counts.by_name));
        m_undoStack.push(new DeleteCommand(this));
    }
    m_undoStack.endMacro();
    QMessageBox::information(this, Strings::text(Strings::OrderLikeReferenceTitle),
                             Strings::text(Strings::OrderResultMessage)
                                 .arg(counts.by_id)
                                 .arg(counts.by_name)
                                 .arg(counts.unmatched));
}

int MainWindow::askAboutUnmatched(uint32_t unmatched)
{
    const Choice choice = askChoice(QMessageBox::Question, Strings::OrderLikeReferenceTitle,
                                    Strings::text(Strings::UnmatchedStationsQuestion).arg(unmatched),
                                    Strings::PutAtEndButton, Strings::DeleteThemButton);
    if (choice == Accepted)
        return PutAtEnd;
    return choice == Destroyed ? DeleteUnmatched : CancelOrder;
}

// The first save of a document over an existing file keeps that file's
// bytes as FILE.bak; later saves over the same file leave the backup
// alone. False, after telling the user, when the backup cannot be written:
// the save does not go ahead then.
bool MainWindow::keepFileBackup(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    if (!m_fileBackupAct->isChecked() || file == m_backedUpFile || !QFileInfo(file).isFile()) {
        m_backedUpFile = file;
        return true;
    }
    if (!copyToBackup(file)) {
        showFileError(Strings::KeepingBackupMessage, path + QLatin1String(".bak"));
        return false;
    }
    m_backedUpFile = file;
    return true;
}
