#include "views/stationtablewidget.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include <memory>

#include "views/editorwindow.h"
#include "app/svlthread.h"
#include "svl/svl_ops.h"
#include "texts/strings.h"
#include "views/searchwidget.h"
#include "views/stationlistwidget.h"
#include "views/tabclosestyle.h"

StationTableWidget::StationTableWidget(EditorWindow *mainWindow)
    : QWidget(mainWindow),
      m_table(),
      m_mainWindow(mainWindow),
      m_favoriteTabs(new QTabWidget(this)),
      m_baseTabs(new QTabWidget(this)),
      m_addButton(new QPushButton(QStringLiteral("+"), m_favoriteTabs)),
      m_applyButton(new QPushButton(this)),
      m_searchWidget(new SearchWidget(mainWindow, m_baseTabs)),
      m_closeStyle(new TabCloseStyle(m_favoriteTabs->style()->objectName()))
{
    m_closeStyle->setParent(this);
    createLayout();
    createConnections();
}

// A transfer still running reads or fills a table: it ends before any
// table goes.
StationTableWidget::~StationTableWidget()
{
    delete m_exchangeThread;
    clearListWidgets();
    releaseWorkingCopy();
    svl_free_table(&m_table, 1);
}

void StationTableWidget::createLayout()
{
    m_favoriteTabs->setBaseSize(500, 0);
    m_baseTabs->setBaseSize(500, 0);
    m_favoriteTabs->setCornerWidget(m_addButton, Qt::TopRightCorner);
    m_baseTabs->setCornerWidget(m_searchWidget, Qt::TopRightCorner);

    auto *tabRow = new QHBoxLayout;
    tabRow->setSpacing(6);
    tabRow->addWidget(m_favoriteTabs);
    tabRow->addWidget(m_baseTabs);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_applyButton, 2);
    buttonRow->addStretch(16);

    auto *column = new QVBoxLayout(this);
    column->addLayout(tabRow);
    column->addLayout(buttonRow);

    m_favoriteTabs->hide();
    m_applyButton->hide();
    m_searchWidget->hide();
}

void StationTableWidget::createConnections()
{
    connect(m_baseTabs, &QTabWidget::tabBarClicked, this, &StationTableWidget::toggleBaseList);
    connect(m_baseTabs, &QTabWidget::tabBarClicked, m_searchWidget, &SearchWidget::clearResults);
    connect(m_baseTabs, &QTabWidget::currentChanged, this, &StationTableWidget::sizeTableColumns);
    connect(m_favoriteTabs, &QTabWidget::tabBarClicked, this, &StationTableWidget::toggleFavList);
    connect(m_applyButton, &QPushButton::clicked, this, &StationTableWidget::applyTableModifications);
    connect(m_addButton, &QPushButton::released, this, &StationTableWidget::addFavoriteTab);
    connect(m_favoriteTabs, &QTabWidget::tabCloseRequested, this, &StationTableWidget::deleteFavoriteTab);
    connect(m_favoriteTabs, &QTabWidget::tabBarDoubleClicked, this, &StationTableWidget::renameFavoriteTab);
}

bool StationTableWidget::isListMode() const
{
    return m_listMode;
}

// The commands on the undo stack name lists of the presentation they were
// made in: those of the table view act on a working copy that the switch
// discards, and those of the list view would reach only the new working
// copy. Undoing either after a switch would change the wrong lists and
// clear the modified mark of a document that still holds the changes.
void StationTableWidget::switchToListView()
{
    if (m_listMode)
        return;
    m_listMode = true;
    m_mainWindow->undoStack()->clear();
    clearListWidgets();
    buildListWidgets();
}

void StationTableWidget::switchToTableView()
{
    if (!m_listMode)
        return;
    m_listMode = false;
    m_mainWindow->undoStack()->clear();
    clearListWidgets();
    buildListWidgets();
}

// The "+" of the add button and the two rows of tabs say nothing to a
// screen reader by themselves.
void StationTableWidget::retranslate()
{
    m_addButton->setStatusTip(Strings::text(Strings::AddFavoriteListTip));
    m_applyButton->setText(Strings::text(Strings::ApplyModificationsButton));
    m_addButton->setAccessibleName(Strings::text(Strings::AddFavoriteListName));
    m_favoriteTabs->setAccessibleName(Strings::text(Strings::FavoriteTabsName));
    m_baseTabs->setAccessibleName(Strings::text(Strings::BaseTabsName));
    m_searchWidget->retranslate();
}

// Taking away the current page of a shown tab widget shows the next page,
// with all the layout work of a list of thousands of stations, only for it
// to be taken away too. Hidden tab widgets skip that work.
void StationTableWidget::clearListWidgets()
{
    const bool favoritesShown = !m_favoriteTabs->isHidden();
    m_favoriteTabs->hide();
    m_baseTabs->hide();
    const QSignalBlocker pagesLeftAlone(m_baseTabs);
    m_favoriteTabs->clear();
    m_baseTabs->clear();
    qDeleteAll(m_listWidgets);
    m_listWidgets.clear();
    m_sizedTables.clear();
    m_baseTabs->show();
    m_favoriteTabs->setVisible(favoritesShown);
}

void StationTableWidget::buildListWidgets()
{
    // Both rows follow the presentation even for an empty table, so that an
    // apply button never outlives the table view it belongs to.
    m_applyButton->setVisible(!m_listMode);
    m_favoriteTabs->setVisible(m_listMode && m_table.version > SVL_VERSION_40
                               && m_table.list_count > 0);
    if (m_listMode)
        releaseWorkingCopy();
    else if (!makeWorkingCopy())
        return;
    populateListWidgets();
}

void StationTableWidget::populateListWidgets()
{
    const svl_table *table = shownTable();
    if (!table || table->version == 0 || table->list_count == 0)
        return;
    for (uint32_t i = 0; i < table->list_count; ++i) {
        if (StationListWidget *widget = createListWidget(table->lists[i]))
            m_listWidgets.append(widget);
    }
    rebuildFavoriteTabs();
    m_searchWidget->clearResults();
    orderTabStops();
}

// Tab goes through the panes as they stand, left to right: each pane's
// tabs, the button or search bar in its corner, then its lists; the apply
// button last. Widgets made later would otherwise come last.
void StationTableWidget::orderTabStops()
{
    QList<QWidget *> stops{m_favoriteTabs, m_addButton};
    QList<QWidget *> baseStops{m_baseTabs, m_searchWidget};
    for (StationListWidget *widget : qAsConst(m_listWidgets))
        (m_baseTabs->indexOf(widget) >= 0 ? baseStops : stops) << widget->view();
    stops << baseStops << m_applyButton;
    for (int i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1], stops[i]);
}

// Fitting the 25 columns to their texts is the costly part of building a
// table; a list's table is fitted when its tab first comes to the front,
// before it is painted, rather than all of them at once.
void StationTableWidget::sizeTableColumns(int tab)
{
    auto *widget = qobject_cast<StationListWidget *>(m_baseTabs->widget(tab));
    if (m_listMode || !widget || m_sizedTables.contains(widget))
        return;
    widget->resizeTableColumns();
    m_sizedTables.insert(widget);
}

// Every widget and model knows its list by index, and adding or removing a
// favorite list moves the lists behind it: they all get new widgets, while
// the user keeps looking at the same tabs.
void StationTableWidget::rebuildKeepingTabs()
{
    const int baseTab = m_baseTabs->currentIndex();
    const int favoriteTab = m_favoriteTabs->currentIndex();
    clearListWidgets();
    populateListWidgets();
    if (baseTab > 0 && baseTab < m_baseTabs->count()) {
        m_baseTabs->setCurrentIndex(baseTab);
        rebuildFavoriteTabs();
    }
    if (favoriteTab >= 0)
        m_favoriteTabs->setCurrentIndex(qMin(favoriteTab, m_favoriteTabs->count() - 1));
}

StationListWidget *StationTableWidget::createListWidget(svl_list *list)
{
    if (!list)
        return nullptr;
    auto *widget = new StationListWidget(m_mainWindow, list, shownTable(), m_listMode, this);
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    // Until a tab takes it, a favorite list's widget must not show through
    // at the top left corner of this widget.
    widget->hide();
    if (!m_listMode || svl_is_base_kind(list->kind))
        m_baseTabs->addTab(widget, QString::fromUtf8(list->name));
    return widget;
}

void StationTableWidget::rebuildFavoriteTabs()
{
    if (!m_listMode)
        return;
    const uint32_t kind = m_baseTabs->currentIndex() == SVL_RADIO_LIST_INDEX ? SVL_KIND_RADIO_FAV : SVL_KIND_TV_FAV;
    const int first = svl_first_favorite_index(shownTable(), kind);
    const int count = countListsOfKind(kind);
    const int currentTab = m_favoriteTabs->currentIndex();
    m_favoriteTabs->clear();
    for (int index = first; index < first + count; ++index) {
        if (index >= m_listWidgets.size())
            return;
        const svl_list *list = shownTable()->lists[index];
        if (list->name)
            m_favoriteTabs->addTab(m_listWidgets[index], QString::fromUtf8(list->name));
    }
    if (currentTab > 0)
        m_favoriteTabs->setCurrentIndex(qMin(currentTab, m_favoriteTabs->count() - 1));
    m_addButton->setEnabled(count < SVL_MAX_FAV_LISTS || shownTable()->list_count == 0);
    // The last favorite list of a medium stays: drops need a list to land in.
    m_favoriteTabs->setTabsClosable(m_favoriteTabs->count() >= 2);
    styleCloseButtons();
}

// The tab bar makes a close button for every tab it gets while its tabs
// are closable.
void StationTableWidget::styleCloseButtons()
{
    QTabBar *bar = m_favoriteTabs->tabBar();
    const auto side =
        QTabBar::ButtonPosition(bar->style()->styleHint(QStyle::SH_TabBar_CloseButtonPosition, nullptr, bar));
    for (int tab = 0; tab < bar->count(); ++tab) {
        if (QWidget *button = bar->tabButton(tab, side))
            button->setStyle(m_closeStyle);
    }
}

svl_table *StationTableWidget::shownTable()
{
    return m_listMode ? &m_table : m_workingCopy;
}

const svl_table *StationTableWidget::shownTable() const
{
    return m_listMode ? &m_table : m_workingCopy;
}

QList<StationListWidget *> StationTableWidget::listWidgets() const
{
    return m_listWidgets;
}

StationListWidget *StationTableWidget::currentBaseListWidget() const
{
    return m_listWidgets.value(m_baseTabs->currentIndex());
}

StationListWidget *StationTableWidget::currentFavListWidget() const
{
    return m_listWidgets.value(currentFavListIndex());
}

// Without a favorite tab there is no favorite list; counting from tab -1
// would name the radio base list instead.
int StationTableWidget::currentFavListIndex() const
{
    int index = m_baseTabs->currentIndex();
    if (m_listMode) {
        const int tab = m_favoriteTabs->currentIndex();
        if (tab < 0)
            return -1;
        const uint32_t kind = m_baseTabs->currentIndex() == SVL_TV_LIST_INDEX ? SVL_KIND_TV_FAV : SVL_KIND_RADIO_FAV;
        index = svl_first_favorite_index(shownTable(), kind) + tab;
    }
    return index >= 0 && index < m_listWidgets.size() ? index : -1;
}

namespace {

bool hasSelection(const StationListWidget *widget)
{
    return widget && widget->viewSelectionModel()->hasSelection();
}

} // namespace

StationListWidget *StationTableWidget::selectedListWidget() const
{
    StationListWidget *base = currentBaseListWidget();
    return hasSelection(base) ? base : currentFavListWidget();
}

StationListWidget *StationTableWidget::otherListWidget() const
{
    StationListWidget *base = currentBaseListWidget();
    return hasSelection(base) ? currentFavListWidget() : base;
}

int StationTableWidget::selectedListIndex() const
{
    return hasSelection(currentBaseListWidget()) ? m_baseTabs->currentIndex() : currentFavListIndex();
}

int StationTableWidget::countListsOfKind(uint32_t kind) const
{
    return int(svl_count_lists_of_kind(shownTable(), kind));
}

uint32_t StationTableWidget::currentFavoriteKind() const
{
    return m_baseTabs->currentIndex() == SVL_RADIO_LIST_INDEX ? SVL_KIND_RADIO_FAV : SVL_KIND_TV_FAV;
}

void StationTableWidget::showList(int listIndex)
{
    if (listIndex < 0 || listIndex >= m_listWidgets.size())
        return;
    if (!m_listMode || listIndex < SVL_FIRST_FAV_INDEX) {
        toggleBaseList(listIndex);
        return;
    }
    const uint32_t kind = shownTable()->lists[listIndex]->kind;
    toggleBaseList(svl_base_index_of(kind));
    const int tab = listIndex - svl_first_favorite_index(shownTable(), kind);
    toggleFavList(tab);
    m_favoriteTabs->setCurrentIndex(tab);
}

// A click arrives before the tab widget turns the page, so the page is
// turned here, after the selections of the lists left behind are cleared.
void StationTableWidget::toggleBaseList(int index)
{
    if (m_listWidgets.isEmpty() || index < 0 || index >= m_baseTabs->count()
        || index == m_baseTabs->currentIndex())
        return;
    for (StationListWidget *widget : qAsConst(m_listWidgets))
        widget->viewSelectionModel()->clearSelection();
    m_baseTabs->setCurrentIndex(index);
    if (m_listMode) {
        rebuildFavoriteTabs();
        m_favoriteTabs->setCurrentIndex(0);
    }
}

// The base list marks the stations of the favorite list on the current tab.
void StationTableWidget::toggleFavList(int index)
{
    if (index == m_favoriteTabs->currentIndex())
        return;
    if (StationListWidget *base = currentBaseListWidget())
        base->refreshLayout();
}

// The working copy holds its own list records, pointing at the document's
// stations, so that table-view edits reach the document only when applied.
bool StationTableWidget::makeWorkingCopy()
{
    releaseWorkingCopy();
    auto copy = std::make_unique<svl_table>();
    if (!copyLists(m_table, copy.get()))
        return false;
    m_workingCopy = copy.release();
    return true;
}

void StationTableWidget::releaseWorkingCopy()
{
    if (!m_workingCopy)
        return;
    svl_free_table(m_workingCopy, 0);
    delete m_workingCopy;
    m_workingCopy = nullptr;
}

