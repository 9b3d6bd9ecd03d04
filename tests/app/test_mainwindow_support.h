// Shared set-up of the main window tests: a private settings file and
// per-user store for every window, generated station table files, the list
// widgets of a window, and a driver for the modal boxes, file dialogs and
// popup menus the window opens.
#ifndef KANVIO_TESTS_APP_TEST_MAINWINDOW_SUPPORT_H
#define KANVIO_TESTS_APP_TEST_MAINWINDOW_SUPPORT_H

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoCommand>
#include <QtTest>

#include <functional>
#include <memory>
#include <set>

#include "app/mainwindow.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tests/support/tables.h"
#include "tests/views/test_stationlistwidget_support.h"
#include "texts/settings.h"
#include "texts/strings.h"
#include "tools/gen/svl_generate.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace testsupport {

// The discovery thread of a test window wakes this often, so closing a
// window never waits out the program's one-second default.
constexpr int discoveryWaitMs = 20;

// The program's identity and English texts, as the program entry sets them.
inline void describeProgram()
{
    describeApplication();
    Strings::load();
}

// What initTestCase does in a file of window tests. The window starts the
// discovery engine, which sends multicast; that may only happen inside a
// private network namespace, and outside it the skip marks every case of
// the file skipped.
inline void prepareWindowTests()
{
    if (qgetenv("KANVIO_IN_NETNS") != "1")
        QSKIP("the main window sends multicast: run inside scripts/in-netns");
    describeProgram();
}

// A folder of its own for the settings file, the per-user store and the
// station table files of one test.
class Sandbox
{
public:
    Sandbox()
    {
        qputenv(settingsFileVariable, QFile::encodeName(settingsPath()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    }
    ~Sandbox() { qunsetenv(settingsFileVariable); }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString settingsPath() const { return m_dir.filePath(QStringLiteral("kanvio.ini")); }

    void setSetting(const QString &key, const QVariant &value) const
    {
        QSettings(settingsPath(), QSettings::IniFormat).setValue(key, value);
    }

    // Writes a generated table, a realistic one or one of every kind, and
    // returns its path.
    QString writeTable(const QString &name, uint16_t version, uint32_t favorites = 2, uint64_t seed = 1,
                       uint32_t stations = 12, bool everyKind = false) const
    {
        svl_generate_options options;
        options.stations = stations;
        options.version = version;
        options.favorites = version == SVL_VERSION_50 ? favorites : 0;
        options.seed = seed;
        options.every_kind = everyKind;
        return write(name, options);
    }

    // Writes a generated version-50 table whose TV and radio favorite lists
    // carry the given names (at most eight of each) and returns its path.
    QString writeNamedFavorites(const QString &name, const QStringList &tv, const QStringList &radio,
                                uint32_t stations = 20) const
    {
        svl_generate_options options;
        options.stations = stations;
        options.favorites = SVL_MAX_FAV_LISTS;
        return write(name, options, &tv, &radio);
    }

private:
    // With names, the favorite lists get them and those without one are
    // left out.
    QString write(const QString &name, const svl_generate_options &options, const QStringList *tv = nullptr,
                  const QStringList *radio = nullptr) const
    {
        svl_table table = svl_table();
        const QString file = path(name);
        bool written = svl_generate_table(&table, options) == 0;
        for (uint32_t i = table.list_count; written && tv && i-- > 2;) {
            const bool isTv = table.lists[i]->kind == SVL_KIND_TV_FAV;
            const QStringList &names = isTv ? *tv : *radio;
            const int position = int(i) - 2 - (isTv ? 0 : SVL_MAX_FAV_LISTS);
            if (position >= names.size())
                svl_free_list(svl_remove_list_at(&table, i), 0);
            else
                svl_set_list_name(table.lists[i], names[position].toUtf8().constData());
        }
        written = written && svl_save_file(&table, QFile::encodeName(file).constData()) == 0;
        svl_free_table(&table, 1);
        return written ? file : QString();
    }

    QTemporaryDir m_dir;
};

inline std::unique_ptr<MainWindow> openWindow(const QString &fileName = QString())
{
    return std::make_unique<MainWindow>(fileName, nullptr, discoveryWaitMs);
}

inline QAction *action(const MainWindow &window, const char *objectName)
{
    return window.findChild<QAction *>(QLatin1String(objectName));
}

// What a message box showed.
struct Message {
    QString title;
    QString text;
};

// Answers the next popup menu or modal widget the code under test opens.
// The handler runs from the event loop of that widget and tells whether the
// widget was the one it waits for; polling stops once it was.
class ModalDriver : public QObject
{
public:
    explicit ModalDriver(std::function<bool(QWidget *)> handler)
        : m_handler(std::move(handler))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
        m_timer.start(5);
    }
    bool handled() const { return m_handled; }

private:
    void poll()
    {
        for (QWidget *widget : {QApplication::activePopupWidget(), QApplication::activeModalWidget()}) {
            if (widget && m_handler(widget)) {
                m_timer.stop();
                m_handled = true;
                return;
            }
        }
    }

    std::function<bool(QWidget *)> m_handler;
    QTimer m_timer;
    bool m_handled = false;
};

// The text of a message box that reports a failure with the subject.
inline QString failureText(int messageId, const QString &subject)
{
    return Strings::text(messageId) + subject + Strings::text(Strings::FailedSuffix);
}

// Hands the next modal dialog or popup menu of the type to the handler.
template <typename Dialog>
std::unique_ptr<ModalDriver> onNextDialog(const std::function<void(Dialog *)> &handler)
{
    return std::make_unique<ModalDriver>([handler](QWidget *widget) {
        auto *dialog = qobject_cast<Dialog *>(widget);
        if (dialog)
            handler(dialog);
        return dialog != nullptr;
    });
}

// Records the next message box (with the given title, when one is given)
// and presses its button with the given text (the first button when the
// text is empty).
class MessageCatcher
{
public:
    explicit MessageCatcher(const QString &buttonText = QString(), const QString &title = QString())
        : m_title(title),
          m_driver([this, buttonText](QWidget *widget) { return answer(widget, buttonText); })
    {
    }
    bool seen() const { return m_driver.handled(); }
    const Message &message() const { return m_message; }
    QStringList buttons() const { return m_buttons; }

private:
    bool answer(QWidget *widget, const QString &buttonText)
    {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box || (!m_title.isNull() && box->windowTitle() != m_title))
            return false;
        m_message = {box->windowTitle(), box->text()};
        QAbstractButton *chosen = nullptr;
        for (QAbstractButton *button : box->buttons()) {
            m_buttons << button->text();
            if (!chosen && (buttonText.isEmpty() || button->text() == buttonText))
                chosen = button;
        }
        if (chosen)
            chosen->click();
        return true;
    }

    QString m_title;
    Message m_message;
    QStringList m_buttons;
    ModalDriver m_driver;
};

// Answers the next file dialog with the path, or cancels it for a null path.
class FileDialogAnswer
{
public:
    explicit FileDialogAnswer(const QString &path)
        : m_driver(onNextDialog<QFileDialog>([this, path](QFileDialog *dialog) { answer(dialog, path); }))
    {
    }
    bool answered() const { return m_driver->handled(); }
    QString directory() const { return m_directory; }

private:
    void answer(QFileDialog *dialog, const QString &path)
    {
        m_directory = dialog->directory().absolutePath();
        if (path.isNull()) {
            dialog->reject();
        } else {
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();  // public in QDialog, so it runs the file check
        }
    }

    QString m_directory;
    std::unique_ptr<ModalDriver> m_driver;
};

// Triggers the action and answers the file dialog it opens with the file.
inline void triggerChoosingFile(const MainWindow &window, const char *actionName, const QString &file)
{
    FileDialogAnswer answer(file);
    action(window, actionName)->trigger();
    QVERIFY(answer.answered());
}

// Where the next popup menu stood and the data of the checked entries of
// its submenus. The menu is closed at once.
class PopupCatcher
{
public:
    PopupCatcher()
        : m_driver(onNextDialog<QMenu>([this](QMenu *menu) { take(menu); }))
    {
    }
    bool seen() const { return m_driver->handled(); }
    QList<int> checked() const { return m_checked; }
    QPoint position() const { return m_position; }

private:
    void take(QMenu *menu)
    {
        m_position = menu->pos();
        for (QAction *entry : menu->actions()) {
            for (QAction *sub : entry->menu() ? entry->menu()->actions() : QList<QAction *>())
                if (sub->isChecked())
                    m_checked << sub->data().toInt();
        }
        menu->close();
    }

    QList<int> m_checked;
    QPoint m_position;
    std::unique_ptr<ModalDriver> m_driver;
};

inline StationListWidget *listWidget(const MainWindow &window, int listIndex)
{
    return window.stationTableWidget()->listWidgets().value(listIndex);
}

inline StationListModel *listModel(const MainWindow &window, int listIndex)
{
    return listWidget(window, listIndex)->stationModel();
}

using viewsupport::Stations;
using viewsupport::stationsOf;

inline Stations stationsOf(const StationListWidget *widget)
{
    return stationsOf(widget->stationModel()->stationList());
}

// Every list of the shown table, as its stations in order.
inline QVector<Stations> listsOf(const MainWindow &window)
{
    QVector<Stations> lists;
    for (const StationListWidget *widget : window.stationTableWidget()->listWidgets())
        lists << stationsOf(widget);
    return lists;
}

// Selects whole rows top to bottom of the widget's view.
inline void selectRows(const StationListWidget *widget, int top, int bottom,
                       QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect)
{
    const StationListModel *model = widget->stationModel();
    widget->viewSelectionModel()->select(
        QItemSelection(model->index(top, 0), model->index(bottom, model->columnCount() - 1)), command);
}

// The rows of the view's selection, ascending, each once.
inline QVector<int> selectedRowsOf(const StationListWidget *widget)
{
    std::set<int> rows;
    for (const QModelIndex &index : widget->viewSelectionModel()->selectedIndexes())
        rows.insert(index.row());
    return QVector<int>(rows.begin(), rows.end());
}

inline QStringList listNames(const StationTableWidget *tables)
{
    QStringList names;
    for (const StationListWidget *list : tables->listWidgets())
        names << list->stationModel()->listName();
    return names;
}

// The table in the file with its uids numbered alike whoever saved it;
// empty when the file holds none.
inline QByteArray imageOfFile(const QString &path)
{
    OwnedTable table;
    if (svl_load_file(&table.table, QFile::encodeName(path).constData()) != 0)
        return QByteArray();
    return QByteArray::fromStdString(image_of(&table.table));
}

} // namespace testsupport

#endif
