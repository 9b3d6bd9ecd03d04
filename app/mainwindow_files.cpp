#include "app/mainwindow.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "texts/settings.h"
#include "texts/strings.h"
#include "views/stationtablewidget.h"

namespace {

const char recentFilesKey[] = "recentFiles";

// The name carries the extension of the table's format. Only the ending is
// looked at and replaced, so a folder whose name contains an extension
// stays as it is.
QString withTableExtension(const QString &name, quint16 version)
{
    const QString svl40 = QStringLiteral(".svl40");
    const QString svl50 = QStringLiteral(".svl50");
    const QString &wanted = version == SVL_VERSION_40 ? svl40 : svl50;
    if (name.endsWith(svl40) || name.endsWith(svl50))
        return name.left(name.size() - wanted.size()) + wanted;
    return name + wanted;
}

QString nullIfEmpty(const QString &path)
{
    return path.isEmpty() ? QString() : path;
}

} // namespace

void MainWindow::newSvlFile()
{
    if (maybeSave())
        return;
    m_tableWidget->newTable();
    m_currentFile.clear();
    m_backedUpFile.clear();
    m_hasDocumentFile = false;
    setWindowFilePath(Strings::text(Strings::UntitledName));
    enableAction(m_saveAsAct, true);
    setActionsEnabled({m_saveAct, m_exportCsvAct, m_exportAct, m_appendAct, m_searchAct,
                       m_advancedSearchAct, m_printAct, m_convertAct, m_orderLikeReferenceAct},
                      false);
    markDocumentSaved();
}

void MainWindow::openSvlFile()
{
    if (maybeSave())
        return;
    const QString path = openFileDialog();
    if (!path.isNull())
        loadFile(path);
}

void MainWindow::openRecentFile()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (action && !maybeSave())
        loadFile(action->data().toString());
}

void MainWindow::saveSvlFile()
{
    if (settleUnappliedChanges())
        writeDocument();
}

void MainWindow::saveAsSvlFile()
{
    if (settleUnappliedChanges())
        writeDocumentAs();
}

// A new or imported table has no file yet: ask for one instead of writing
// to a name that is none.
void MainWindow::writeDocument()
{
    if (!m_hasDocumentFile) {
        writeDocumentAs();
        return;
    }
    if (!keepFileBackup(m_currentFile))
        return;
    if (m_tableWidget->saveFile(m_currentFile) != 0) {
        showFileError(Strings::SavingFileMessage, m_currentFile);
        return;
    }
    markDocumentSaved();
}

void MainWindow::writeDocumentAs()
{
    const QString chosen = saveFileDialog();
    if (chosen.isNull())
        return;
    const QString name = withTableExtension(chosen, m_tableWidget->tableVersion());
    if (!keepFileBackup(name))
        return;
    if (m_tableWidget->saveFile(name) != 0) {
        showFileError(Strings::SavingNewFileMessage, name);
        return;
    }
    setDocumentFile(name);
    enableAction(m_saveAct, true);
    markDocumentSaved();
}

void MainWindow::appendFromFile()
{
    if (!settleUnappliedChanges())
        return;
    const QString path = openFileDialog();
    if (path.isNull())
        return;
    if (m_tableWidget->appendFile(path) != 0) {
        showFileError(Strings::AppendingFileMessage, path);
        return;
    }
    setActionsEnabled({m_saveAct, m_saveAsAct, m_exportCsvAct, m_exportAct}, true);
    markChangedOutsideHistory();
}

// The conversion replaces the document and with it the working copy.
void MainWindow::convertTable()
{
    if (settleUnappliedChanges() && m_tableWidget->convertTableToNewVersion())
        renameDocumentAfterConversion();
}

// Only the file's own extension changes: a folder named like a table file
// must not send the next save to a folder that does not exist.
void MainWindow::renameDocumentAfterConversion()
{
    static const QString oldExtension = QStringLiteral(".svl40");
    if (m_currentFile.endsWith(oldExtension))
        m_currentFile.replace(m_currentFile.size() - oldExtension.size(), oldExtension.size(), QStringLiteral(".svl50"));
    setWindowFilePath(QString());
    setWindowFilePath(m_currentFile);
    markChangedOutsideHistory();
    enableAction(m_convertAct, false);
}

void MainWindow::loadFile(const QString &path)
{
    if (m_tableWidget->openFile(path) != 0) {
        showFileError(Strings::LoadingFileMessage, path);
        return;
    }
    setDocumentFile(path);
    m_backedUpFile.clear();
    rememberRecentFile(path);
    enableAction(m_saveAct, true);
    enableDocumentActions();
    markDocumentSaved();
}

// True when the user cancelled. A save that fails or whose dialog is
// cancelled also stops the interrupted operation, so that closing or
// replacing the document never drops changes the user wanted to keep.
// Changes not yet applied in the table view are settled first; the save
// question is then about the document alone.
bool MainWindow::maybeSave()
{
    if (!settleUnappliedChanges())
        return true;
    if (!documentDiffersFromFile())
        return false;
    const Choice choice = askChoice(QMessageBox::Warning, Strings::SaveModificationsTitle,
                                    Strings::text(Strings::SaveChangesQuestion), Strings::SaveAction,
                                    Strings::DiscardButton);
    if (choice != Accepted)
        return choice == Cancelled;
    writeDocument();
    return documentDiffersFromFile();
}

// The table view edits a working copy that only "Apply modifications"
// makes part of the document. Before the document is written, or the copy
// may be dropped, the user says what becomes of changes not applied yet:
// applied now, or left out (a copy that is dropped later takes them with
// it). False when the user cancelled.
bool MainWindow::settleUnappliedChanges()
{
    if (!m_tableWidget->hasUnappliedChanges())
        return true;
    const Choice choice = askChoice(QMessageBox::Warning, Strings::UnappliedChangesTitle,
                                    Strings::text(Strings::UnappliedChangesQuestion), Strings::ApplyButton,
                                    Strings::ContinueWithoutButton);
    if (choice == Accepted)
        m_tableWidget->applyTableModifications();
    return choice != Cancelled;
}

// A question with a default answer, a destructive one and "Cancel"; closing
// the box cancels.
MainWindow::Choice MainWindow::askChoice(QMessageBox::Icon icon, int titleId, const QString &question,
                                         int acceptTextId, int destroyTextId)
{
    QMessageBox box(icon, Strings::text(titleId), question, QMessageBox::NoButton, this);
    QPushButton *accept = box.addButton(Strings::text(acceptTextId), QMessageBox::AcceptRole);
    QPushButton *destroy = box.addButton(Strings::text(destroyTextId), QMessageBox::DestructiveRole);
    box.addButton(Strings::text(Strings::CancelButton), QMessageBox::RejectRole);
    box.setDefaultButton(accept);
    box.exec();
    if (box.clickedButton() == accept)
        return Accepted;
    return box.clickedButton() == destroy ? Destroyed : Cancelled;
}

QString MainWindow::openFileDialog()
{
    return nullIfEmpty(QFileDialog::getOpenFileName(this, Strings::text(Strings::OpenSvlFileTitle),
                                                    defaultDirectory(), Strings::text(Strings::SvlFileFilter)));
}

QString MainWindow::saveFileDialog()
{
    return nullIfEmpty(QFileDialog::getSaveFileName(this, Strings::text(Strings::OpenSvlFileTitle),
                                                    defaultDirectory(), Strings::text(Strings::SvlFileFilter)));
}

void MainWindow::updateRecentFileActions()
{
    const QStringList files = openSettingsFile()->value(QLatin1String(recentFilesKey)).toStringList();
    for (int i = 0; i < MaxRecentFiles; ++i) {
        QAction *action = m_recentFileActs[i];
        const bool used = i < files.size();
        if (used) {
            // A "&" in a file name is shown as it is, not as a shortcut mark.
            QString name = QFileInfo(files[i]).fileName();
            name.replace(QLatin1Char('&'), QLatin1String("&&"));
            action->setText(QStringLiteral("%1 %2").arg(i + 1).arg(name));
            action->setData(files[i]);
        }
        action->setVisible(used);
    }
}

// Entries are absolute, so that they still open after the working folder
// has changed.
void MainWindow::rememberRecentFile(const QString &path)
{
    const QString entry = QFileInfo(path).absoluteFilePath();
    {
        const auto settings = openSettingsFile();
        QStringList files = settings->value(QLatin1String(recentFilesKey)).toStringList();
        files.removeAll(entry);
        files.prepend(entry);
        while (files.size() > MaxRecentFiles)
            files.removeLast();
        settings->setValue(QLatin1String(recentFilesKey), files);
    }
    updateRecentFileActions();
}

void MainWindow::setDocumentFile(const QString &path)
{
    m_currentFile = path;
    m_hasDocumentFile = true;
    setWindowFilePath(path);
    setDefaultDirectory(QFileInfo(path).canonicalPath());
}

void MainWindow::showFileError(int textId, const QString &path)
{
    QMessageBox::critical(this, Strings::text(Strings::FileErrorTitle),
                          Strings::text(textId) + path + Strings::text(Strings::FailedSuffix), QMessageBox::Ok);
}
