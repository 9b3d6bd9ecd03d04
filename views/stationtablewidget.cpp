#include "views/stationtablewidget.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/mainwindow.h"
#include "app/strings.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"

namespace {

// File names reach the library as the platform's own file-name bytes, so
// that every name the file dialog offers can also be opened and written.
QByteArray libraryPath(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

StationTableWidget::StationTableWidget(MainWindow *mainWindow)
    : QWidget(mainWindow),
      m_table(),
      m_mainWindow(mainWindow),
      m_favoriteTabs(new QTabWidget(this)),
      m_baseTabs(new QTabWidget(this)),
      m_addButton(new QPushButton(QStringLiteral("+"), m_favoriteTabs)),
      m_applyButton(new QPushButton(this))
{
    createLayout();
}

StationTableWidget::~StationTableWidget()
{
    releaseWorkingCopy();
    svl_free_table(&m_table, 1);
}

void StationTableWidget::createLayout()
{
    m_favoriteTabs->setBaseSize(500, 0);
    m_baseTabs->setBaseSize(500, 0);
    m_favoriteTabs->setCornerWidget(m_addButton, Qt::TopRightCorner);

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
}

void StationTableWidget::newTable()
{
    clearListWidgets();
    svl_free_table(&m_table, 1);
    m_table = svl_table();
    buildListWidgets();
}

int StationTableWidget::openFile(const QString &path)
{
    svl_table loaded = svl_table();
    if (svl_load_file(&loaded, libraryPath(path).constData()) != 0) {
        svl_free_table(&loaded, 1);
        return 1;
    }
    clearListWidgets();
    svl_free_table(&m_table, 1);
    m_table = loaded;
    buildListWidgets();
    return 0;
}

int StationTableWidget::appendFile(const QString &path)
{
    svl_table appended = svl_table();
    if (svl_load_file(&appended, libraryPath(path).constData()) != 0) {
        svl_free_table(&appended, 1);
        return 1;
    }
    if (svl_append_table(&m_table, &appended, 1) != 0) {
        svl_free_table(&appended, 1);
        return 1;
    }
    // From here on the stations belong to the document, and the merge stands
    // even when a list name cannot be made unique: two lists of the same name
    // are still a valid table, and reporting failure now would hide stations
    // that are already part of it.
    svl_free_table(&appended, 0);
    svl_sort_lists(&m_table);
    for (uint32_t i = m_table.list_count; i-- > 0;)
        makeListNameUnique(m_table.lists[i]);
    clearListWidgets();
    buildListWidgets();
    return 0;
}

int StationTableWidget::saveFile(const QString &path)
{
    return svl_save_file(&m_table, libraryPath(path).constData()) == 0 ? 0 : -1;
}

quint16 StationTableWidget::tableVersion() const
{
    return m_table.version;
}

bool StationTableWidget::isListMode() const
{
    return m_listMode;
}

void StationTableWidget::switchToListView()
{
    if (m_listMode)
        return;
    m_listMode = true;
    clearListWidgets();
    buildListWidgets();
}

void StationTableWidget::switchToTableView()
{
    if (!m_listMode)
        return;
    m_listMode = false;
    clearListWidgets();
    buildListWidgets();
}

void StationTableWidget::retranslate()
{
    m_addButton->setStatusTip(Strings::text(Strings::AddFavoriteListTip));
    m_applyButton->setText(Strings::text(Strings::ApplyModificationsButton));
}

void StationTableWidget::clearListWidgets()
{
    m_favoriteTabs->clear();
    m_baseTabs->clear();
}

void StationTableWidget::buildListWidgets()
{
    // Both rows follow the presentation even for an empty table, so that an
    // apply button never outlives the table view it belongs to.
    m_applyButton->setVisible(!m_listMode);
    m_favoriteTabs->setVisible(m_listMode && m_table.version > SVL_VERSION_40
                               && m_table.list_count > 0);
    if (!m_listMode)
        makeWorkingCopy();
}

// The working copy holds its own list records, pointing at the document's
// stations, so that table-view edits reach the document only when applied.
bool StationTableWidget::makeWorkingCopy()
{
    releaseWorkingCopy();
    auto *copy = new svl_table();
    copy->version = m_table.version;
    for (uint32_t i = 0; i < m_table.list_count; ++i) {
        svl_list *list = svl_copy_list(m_table.lists[i]);
        if (!list || svl_append_list(copy, list) != 0) {
            svl_free_list(list, 0);
            svl_free_table(copy, 0);
            delete copy;
            return false;
        }
    }
    m_workingCopy = copy;
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

// Appends a digit to the name until no other list carries it: "1" first,
// then the last character counts on up to "9".
int StationTableWidget::makeListNameUnique(svl_list *list)
{
    QByteArray name(list->name);
    for (char digit = '1'; svl_list_name_exists(&m_table, list, name.constData()); ++digit) {
        if (digit > '9')
            return 1;
        if (digit == '1')
            name.append(digit);
        else
            name[name.size() - 1] = digit;
    }
    if (name == list->name)
        return 0;
    return svl_set_list_name(list, name.constData()) == 0 ? 0 : 1;
}
