#ifndef KANVIO_VIEWS_EDITORWINDOW_H
#define KANVIO_VIEWS_EDITORWINDOW_H

#include <QMainWindow>

class QPoint;
class QUndoStack;
class StationTableWidget;

// The main window as the document's widgets, models, views and commands
// see it: the one door through which they reach it. MainWindow implements
// it in app/; nothing below app/ knows more of the window than this. The
// window decides which actions are on, and asks the transfer lock when it
// does: the selection model only says what it holds.
class EditorWindow : public QMainWindow
{
    Q_OBJECT

public:
    using QMainWindow::QMainWindow;

    // The central widget, owner of the document.
    virtual StationTableWidget *stationTableWidget() const = 0;
    // The one undo stack every change of the document goes on.
    virtual QUndoStack *undoStack() = 0;
    // The document changed in a way the undo stack does not hold (append,
    // convert, apply, import): it stays marked modified until it is saved.
    virtual void markChangedOutsideHistory() = 0;
    // The selection of the selected list changed: whether it holds any
    // station, whether it was made as a single range (the station settings
    // open for one station only), and whether any selected station has the
    // child lock or the EPG flag.
    virtual void selectionChanged(bool selectedAny, bool oneRange, bool childLock, bool epg) = 0;

public slots:
    // Opens the station context menu at the global position over the
    // selected list's selection; nothing without a selection.
    virtual void showListContextMenu(const QPoint &position) = 0;
};

#endif
