#include "fields/option_tables.h"
#include "fields/option_tables_internal.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QXmlStreamReader>

namespace {

const char optionTablesResource[] = ":/svl_station_options.xml";

QStringList readOptions(QXmlStreamReader &reader)
{
    QStringList options;
    bool inOptions = true;
    while (reader.readNextStartElement()) {
        inOptions = inOptions && reader.name() == QLatin1String("option");
        if (inOptions)
            options.append(reader.readElementText());
        else
            reader.skipCurrentElement();
    }
    return options;
}

// The table view asks for thousands of names per repaint, so the document is
// read once and the translated names are kept until the language changes.
// Installing or removing a translator sends LanguageChange to the
// application, which is all this cache needs to watch.
class OptionTableCache : public QObject
{
    Q_OBJECT

public:
    static OptionTableCache &instance();

    // The translated names of the table, or null for an unknown table.
    const QStringList *names(const QString &table);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadDocument();
    void watchApplication();
    void translateNames();

    OptionTableMap sourceNames;
    OptionTableMap translatedNames;
    bool documentLoaded = false;
    bool translationValid = false;
    QPointer<QCoreApplication> watchedApplication;
};

// Made once and kept to the end of the process: a QObject must not be
// destroyed after the application object during static destruction.
OptionTableCache &OptionTableCache::instance()
{
    static OptionTableCache *const cache = new OptionTableCache;
    return *cache;
}

const QStringList *OptionTableCache::names(const QString &table)
{
    if (!documentLoaded)
        loadDocument();
    watchApplication();
    if (!translationValid)
        translateNames();
    const auto it = translatedNames.constFind(table);
    return it == translatedNames.constEnd() ? nullptr : &it.value();
}

bool OptionTableCache::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        translationValid = false;
    return QObject::eventFilter(watched, event);
}

void OptionTableCache::loadDocument()
{
    documentLoaded = true;
    QFile file(QString::fromLatin1(optionTablesResource));
    if (!file.open(QIODevice::ReadOnly) || !parseOptionTables(file.readAll(), &sourceNames))
        qWarning("Loading of '%s' failed", optionTablesResource);
}

// A new application object (tests make several) may come with translators of
// its own; the names are translated anew for it.
void OptionTableCache::watchApplication()
{
    QCoreApplication *application = QCoreApplication::instance();
    if (application == watchedApplication)
        return;
    if (application)
        application->installEventFilter(this);
    watchedApplication = application;
    translationValid = false;
}

void OptionTableCache::translateNames()
{
    translatedNames.clear();
    for (auto it = sourceNames.constBegin(); it != sourceNames.constEnd(); ++it) {
        QStringList names;
        names.reserve(it.value().size());
        for (const QString &name : it.value())
            names.append(QCoreApplication::translate("QObject", name.toUtf8().constData()));
        translatedNames.insert(it.key(), names);
    }
    translationValid = true;
}

}  // namespace

bool parseOptionTables(const QByteArray &document, OptionTableMap *tables)
{
    tables->clear();
    QXmlStreamReader reader(document);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("svl_options")
        || reader.attributes().value(QLatin1String("version")) != QLatin1String("5.0"))
        return false;
    while (reader.readNextStartElement()) {
        const QString table = reader.name().toString();
        const QStringList options = readOptions(reader);
        if (!tables->contains(table))
            tables->insert(table, options);
    }
    return true;
}

QComboBox *createOptionComboBox(const QString &table)
{
    const QStringList *names = OptionTableCache::instance().names(table);
    if (!names)
        return nullptr;
    auto *box = new QComboBox;
    box->addItems(*names);
    return box;
}

QString optionText(const QString &table, int value)
{
    const QStringList *names = OptionTableCache::instance().names(table);
    if (!names || value < 0 || value >= names->size())
        return QString();
    return names->at(value);
}

#include "option_tables.moc"
