// MainWindow: the modified mark. The document is marked modified exactly
// when it differs from the file it was last read from or written to: when
// a change the undo stack does not hold was made since (append, convert,
// apply, import, or a cleared stack that held unsaved changes), or when the
// stack stands away from the state it had at the last save by a command
// that changes the document. The table view's changes not yet applied
// are marked too: a save leaves them out, so they are not in any file.
#include "app/mainwindow.h"

#include "commands/stationcommand.h"
#include "views/stationtablewidget.h"

namespace {

// Commands of other kinds, if any, are taken to change the document.
bool countsAsChange(const QUndoCommand *command)
{
    const auto *stationCommand = dynamic_cast<const StationCommand *>(command);
    return !stationCommand || stationCommand->countsAsChange();
}

} // namespace

void MainWindow::followUndoStack()
{
    connect(&m_undoStack, &QUndoStack::indexChanged, this, &MainWindow::updateModifiedMark);
    connect(&m_undoStack, &QUndoStack::cleanChanged, this, &MainWindow::updateModifiedMark);
}

void MainWindow::markChangedOutsideHistory()
{
    m_changedOutsideHistory = true;
    updateModifiedMark();
}

// After a load, a save or a new document.
void MainWindow::markDocumentSaved()
{
    m_changedOutsideHistory = false;
    m_documentModified = false;
    m_undoStack.setClean();
    updateModifiedMark();
}

// A stack emptied while the document was modified took the changes'
// history with it, not the changes: they stay marked until the next save.
void MainWindow::updateModifiedMark()
{
    if (m_undoStack.count() == 0 && m_documentModified)
        m_changedOutsideHistory = true;
    m_documentModified = documentDiffersFromFile();
    setWindowModified(m_documentModified || m_tableWidget->hasUnappliedChanges());
}

bool MainWindow::documentDiffersFromFile() const
{
    return m_changedOutsideHistory || historyDiffersFromSaved();
}

// The clean index is -1 once the saved state was undone and new commands
// took the place of those undone.
bool MainWindow::historyDiffersFromSaved() const
{
    const int clean = m_undoStack.cleanIndex();
    if (clean < 0)
        return true;
    const int index = m_undoStack.index();
    for (int i = qMin(clean, index); i < qMax(clean, index); ++i) {
        if (countsAsChange(m_undoStack.command(i)))
            return true;
    }
    return false;
}
