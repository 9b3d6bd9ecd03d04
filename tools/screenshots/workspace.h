#ifndef KANVIO_TOOLS_SCREENSHOTS_WORKSPACE_H
#define KANVIO_TOOLS_SCREENSHOTS_WORKSPACE_H

#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>

class MainWindow;
class QWidget;

// A folder of its own for the settings file, the per-user store and the
// generated station tables, so that pictures never depend on, or change,
// the settings of the person who makes them.
class Workspace
{
public:
    // The generated version-50 tables the pictures show.
    enum Table {
        SmallTable,  // 12 stations, 2 favorite lists per medium
        LargeTable,  // 400 stations, 3 favorite lists per medium
    };

    // Writes every table at once: a save numbers the stations on from the
    // process's last save, so the IDs shown do not depend on which pictures
    // are made.
    Workspace();
    ~Workspace();

    // Whether the folder and every table could be written.
    bool isValid() const;

    QString tablePath(Table table) const;

    // A main window in the language ("English" or "German") on the file,
    // shown at its default geometry and laid out.
    std::unique_ptr<MainWindow> openWindow(const QString &language, const QString &file) const;

private:
    QString settingsFile() const;
    bool writeTable(Table table, uint32_t stations, uint32_t favorites) const;

    QTemporaryDir m_dir;
    bool m_tablesWritten = false;
};

// Shows the widget and lets the event loop lay it out and expose it.
void showAndSettle(QWidget *widget);

#endif
