#include "app/mainwindow.h"

#include <QAction>
#include <QPoint>
#include <QSize>
#include <QToolBar>

#include "texts/settings.h"
#include "texts/strings.h"
#include "views/stationtablewidget.h"

namespace {

const char languageKey[] = "language";
const char posKey[] = "pos";
const char sizeKey[] = "size";
const char viewKey[] = "view";

const char englishValue[] = "English";
const char germanValue[] = "German";
const char listValue[] = "list";
const char tableValue[] = "table";

} // namespace

// Any language other than English starts in German, the default, so that
// a damaged settings file never leaves the menus without texts.
void MainWindow::readSettings()
{
    const auto settings = openSettingsFile();
    const QString language = settings->value(QLatin1String(languageKey), QLatin1String(germanValue)).toString();
    const QPoint pos = settings->value(QLatin1String(posKey), QPoint(200, 200)).toPoint();
    const QSize size = settings->value(QLatin1String(sizeKey), QSize(1000, 600)).toSize();
    const QString view = settings->value(QLatin1String(viewKey), QLatin1String(listValue)).toString();

    resize(size);
    move(pos);
    updateRecentFileActions();
    (language == QLatin1String(englishValue) ? m_englishAct : m_germanAct)->trigger();
    (view == QLatin1String(listValue) ? m_listViewAct : m_tableViewAct)->trigger();
    readExchangeSettings();
    readReferenceSettings();
}

void MainWindow::writeSettings()
{
    const auto settings = openSettingsFile();
    settings->setValue(QLatin1String(posKey), pos());
    settings->setValue(QLatin1String(sizeKey), size());
    settings->setValue(QLatin1String(viewKey),
                       QLatin1String(m_tableViewAct->isChecked() ? tableValue : listValue));
    settings->setValue(QLatin1String(languageKey),
                       QLatin1String(m_englishAct->isChecked() ? englishValue : germanValue));
}

void MainWindow::translate()
{
    const QObject *origin = sender();
    if (origin != m_englishAct && origin != m_germanAct)
        return;
    const bool english = origin == m_englishAct;
    // A new document's placeholder name follows the language; file names do not.
    const bool untitled = windowFilePath() == Strings::text(Strings::UntitledName);
    Strings::setLanguage(english ? Strings::English : Strings::German);
    if (untitled)
        setWindowFilePath(Strings::text(Strings::UntitledName));
    m_englishAct->setChecked(english);
    m_germanAct->setChecked(!english);
    retranslateMenus();
    retranslateActions();
    m_tableWidget->retranslate();
}
