// StationTableWidget: the document. Every operation that changes the table
// as a whole builds the new table first and hands it to replaceDocument, so
// that a failure leaves the document and its widgets as they were.
#include "views/stationtablewidget.h"

#include <QAction>
#include <QFile>
#include <QSet>
#include <QTabWidget>
#include <QUndoStack>

#include <algorithm>

#include "views/editorwindow.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"

namespace {

// File names reach the library as the platform's own file-name bytes, so
// that every name the file dialog offers can also be opened and written.
QByteArray libraryPath(const QString &path)
{
    return QFile::encodeName(path);
}

// False, with nothing left to release, when the file cannot be read or
// holds no valid table.
bool loadTable(const QString &path, svl_table *table)
{
    if (svl_load_file(table, libraryPath(path).constData()) == 0)
        return true;
    svl_free_table(table, 1);
    return false;
}

} // namespace

void StationTableWidget::newTable()
{
    replaceDocument(svl_table(), OldStations::Release);
}

int StationTableWidget::openFile(const QString &path)
{
    svl_table loaded = svl_table();
    if (!loadTable(path, &loaded))
        return 1;
    replaceDocument(loaded, OldStations::Release);
    return 0;
}

// The merge is made on copies of the document's lists. Once it stands, it
// stands even when a list name cannot be made unique: two lists of the same
// name are still a valid table, and reporting failure then would hide
// stations that are already part of it.
int StationTableWidget::appendFile(const QString &path)
{
    svl_table appended = svl_table();
    if (!loadTable(path, &appended))
        return 1;
    svl_table merged = svl_table();
    if (!copyLists(m_table, &merged) || svl_append_table(&merged, &appended, 1) != 0) {
        svl_free_table(&merged, 0);
        svl_free_table(&appended, 1);
        return 1;
    }
    svl_free_table(&appended, 0);  // its stations belong to the merged table now
    svl_sort_lists(&merged);
    for (uint32_t i = merged.list_count; i-- > 0;)
        svl_make_list_name_unique(&merged, merged.lists[i]);
    replaceDocument(merged, OldStations::Shared);
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

namespace {

bool sameList(const svl_list &a, const svl_list &b)
{
    return a.kind == b.kind && a.count == b.count && qstrcmp(a.name, b.name) == 0
        && std::equal(a.stations, a.stations + a.count, b.stations);
}

} // namespace

bool StationTableWidget::hasUnappliedChanges() const
{
    if (m_listMode || !m_workingCopy)
        return false;
    if (m_workingCopy->list_count != m_table.list_count)
        return true;
    for (uint32_t i = 0; i < m_table.list_count; ++i) {
        if (!sameList(*m_table.lists[i], *m_workingCopy->lists[i]))
            return true;
    }
    return false;
}

// The new format needs favorite lists; the converted table starts with one
// per medium holding every station of its base list. The conversion itself
// cannot be undone, and undoing a command from before it would clear the
// modified mark of a document that still holds the unsaved conversion.
bool StationTableWidget::convertTableToNewVersion()
{
    svl_table converted = svl_table();
    if (!copyLists(m_table, &converted) || svl_convert_table(&converted) != 0) {
        svl_free_table(&converted, 0);
        return false;
    }
    replaceDocument(converted, OldStations::Shared);
    return true;
}

// The working copy becomes the document as it stands; the commands that
// led there are done with, since their lists are gone. The stations it no
// longer holds were deleted in it: with the old lists goes their last
// holder, so they are released here.
void StationTableWidget::applyTableModifications()
{
    if (m_listMode || !m_workingCopy)
        return;
    const int baseTab = m_baseTabs->currentIndex();
    const svl_table applied = *m_workingCopy;
    delete m_workingCopy;
    m_workingCopy = nullptr;
    const QVector<svl_station *> deleted = stationsLeftOut(m_table, applied);
    replaceDocument(applied, OldStations::Shared);
    for (svl_station *station : deleted)
        svl_free_station(station);
    if (baseTab >= 0 && baseTab < m_baseTabs->count())
        m_baseTabs->setCurrentIndex(baseTab);
    m_mainWindow->markChangedOutsideHistory();
}

// The stations of the table's base lists that those of kept do not hold.
QVector<svl_station *> StationTableWidget::stationsLeftOut(const svl_table &table, const svl_table &kept)
{
    QSet<const svl_station *> held;
    for (uint32_t i = 0; i < kept.list_count && i < SVL_FIRST_FAV_INDEX; ++i)
        held.unite(QSet<const svl_station *>(kept.lists[i]->stations, kept.lists[i]->stations + kept.lists[i]->count));
    QVector<svl_station *> left;
    for (uint32_t i = 0; i < table.list_count && i < SVL_FIRST_FAV_INDEX; ++i) {
        const svl_list *list = table.lists[i];
        for (uint32_t row = 0; row < list->count; ++row) {
            if (!held.contains(list->stations[row]))
                left << list->stations[row];
        }
    }
    return left;
}

// Few stations are asked about, while the document may hold many: the
// document is walked once, striking off every station it still holds.
void StationTableWidget::releaseUnheldStations(const QVector<svl_station *> &stations)
{
    QSet<svl_station *> unheld(stations.cbegin(), stations.cend());
    for (uint32_t i = 0; i < m_table.list_count && !unheld.isEmpty(); ++i) {
        const svl_list *list = m_table.lists[i];
        for (uint32_t row = 0; row < list->count; ++row)
            unheld.remove(list->stations[row]);
    }
    for (svl_station *station : qAsConst(unheld))
        svl_free_station(station);
}

// The commands go first, while the lists they name still exist; then the
// widgets, so that no view shows a list being released; then the old table.
void StationTableWidget::replaceDocument(const svl_table &table, OldStations oldStations)
{
    m_mainWindow->undoStack()->clear();
    clearListWidgets();
    svl_free_table(&m_table, oldStations == OldStations::Release);
    m_table = table;
    buildListWidgets();
}

// A table of new list records holding the same stations, for a working
// copy or a change that must not touch the document until it succeeded.
// False, with copy left without lists, when memory runs out.
bool StationTableWidget::copyLists(const svl_table &table, svl_table *copy)
{
    *copy = svl_table();
    copy->version = table.version;
    for (uint32_t i = 0; i < table.list_count; ++i) {
        svl_list *list = svl_copy_list(table.lists[i]);
        if (!list || svl_append_list(copy, list) != 0) {
            svl_free_list(list, 0);
            svl_free_table(copy, 0);
            return false;
        }
    }
    return true;
}
