// MainWindow: working without the mouse. The actions that move the
// selected stations, the context menu's entries for them, and the names a
// screen reader gives the toolbars.
#include "app/mainwindow.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "svl/svl_ops.h"
#include "texts/strings.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

struct MainWindow::MoveActionSpec {
    QAction *MainWindow::*action;
    const char *objectName;
    int textId;
    int tipId;
    const char *key;
    void (StationTableWidget::*slot)();
};

const QVector<MainWindow::MoveActionSpec> &MainWindow::moveActionSpecs()
{
    using S = Strings;
    using T = StationTableWidget;
    static const QVector<MoveActionSpec> specs = {
        {&MainWindow::m_moveUpAct, "moveUpAct", S::MoveUpAction, S::MoveUpTip, "Alt+Up", &T::moveStationsUp},
        {&MainWindow::m_moveDownAct, "moveDownAct", S::MoveDownAction, S::MoveDownTip, "Alt+Down",
         &T::moveStationsDown},
        {&MainWindow::m_moveToTopAct, "moveToTopAct", S::MoveToTopAction, S::MoveToTopTip, "Alt+Home",
         &T::moveStationsToTop},
        {&MainWindow::m_moveToBottomAct, "moveToBottomAct", S::MoveToBottomAction, S::MoveToBottomTip, "Alt+End",
         &T::moveStationsToBottom},
        {&MainWindow::m_moveToPositionAct, "moveToPositionAct", S::MoveToPositionAction, S::MoveToPositionTip,
         "Ctrl+G", &T::moveStationsToPosition},
    };
    return specs;
}

// They act on a selection, so they start disabled like the other station
// actions; the selection model enables them.
void MainWindow::createMoveActions()
{
    for (const MoveActionSpec &spec : moveActionSpecs()) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(spec.objectName));
        action->setShortcut(QKeySequence(QLatin1String(spec.key)));
        action->setEnabled(false);
        connect(action, &QAction::triggered, m_tableWidget, spec.slot);
        this->*spec.action = action;
    }
}

QList<QAction *> MainWindow::moveActions() const
{
    QList<QAction *> actions;
    for (const MoveActionSpec &spec : moveActionSpecs())
        actions << this->*spec.action;
    return actions;
}

void MainWindow::setMoveActionsEnabled(bool enabled)
{
    for (QAction *action : moveActions())
        enableAction(action, enabled);
}

void MainWindow::addMoveActions(QMenu *menu)
{
    menu->addSeparator();
    menu->addActions(moveActions());
}

// The list context menu offers what the keyboard shortcuts cannot: a row
// to move to, and the favorite lists to add to.
void MainWindow::addArrangeEntries(QMenu *menu)
{
    menu->addSeparator();
    menu->addAction(m_moveToPositionAct);
    addFavoriteListEntries(menu);
}

void MainWindow::retranslateKeyboardTexts()
{
    for (const MoveActionSpec &spec : moveActionSpecs()) {
        QAction *action = this->*spec.action;
        action->setText(Strings::text(spec.textId));
        action->setStatusTip(Strings::text(spec.tipId));
    }
    m_fileToolBar->setAccessibleName(Strings::text(Strings::FileToolBarName));
    m_editToolBar->setAccessibleName(Strings::text(Strings::EditToolBarName));
    m_viewToolBar->setAccessibleName(Strings::text(Strings::ViewToolBarName));
}

// One entry per favorite list of the selected base list's medium; a
// favorite list's own menu has none, as its stations come from the base
// list only.
void MainWindow::addFavoriteListEntries(QMenu *menu)
{
    const StationListWidget *selected = m_tableWidget->selectedListWidget();
    const uint32_t kind = selected ? selected->stationModel()->listKind() : 0;
    if (!svl_is_base_kind(kind))
        return;
    QMenu *favorites = menu->addMenu(Strings::text(Strings::AddToFavoriteListMenu));
    const QList<StationListWidget *> widgets = m_tableWidget->listWidgets();
    for (int listIndex = 0; listIndex < widgets.size(); ++listIndex) {
        const StationListModel *model = widgets[listIndex]->stationModel();
        if (!svl_is_favorite_kind(model->listKind()) || svl_base_kind_of(model->listKind()) != kind)
            continue;
        QAction *entry = favorites->addAction(model->listName());
        connect(entry, &QAction::triggered, m_tableWidget,
                [this, listIndex] { m_tableWidget->addSelectionToFavoriteList(listIndex); });
    }
    favorites->setEnabled(!favorites->isEmpty());
}
