#include <QImage>
#include <QRegularExpression>
#include <QtTest>

// Every image the program loads by path, with the size the views expect.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void imageExistsAtItsSize_data();
    void imageExistsAtItsSize();
};

void TestResources::imageExistsAtItsSize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    // Each name carries the size the views expect, as in "-24x24.png".
    const QStringList images = {
        "iconset/icon_64x64.png", "images/add-table-24x24.png", "images/child-lock-24x24.png",
        "images/copy-24x24.png", "images/encrypted-sender-24x24.png", "images/epg-text-only-24x24.png",
        "images/export-24x24.png", "images/exportcsv-24x24.png", "images/favorite-24x24.png", "images/hd-24x24.png",
        "images/hevc-24x24.png", "images/import-24x24.png", "images/new-24x24.png", "images/open-24x24.png",
        "images/options-24x24.png", "images/printer-24x24.png", "images/reception-48x48.png",
        "images/reception-analog-list-48x48.png", "images/reception-cable-list-48x48.png",
        "images/reception-general-48x48.png", "images/reception-sattelite-list-48x48.png",
        "images/reception-terrestrial-list-48x48.png", "images/redo-24x24.png", "images/remove-24x24.png",
        "images/save-24x24.png", "images/search-24x24.png", "images/system-settings-48x48.png",
        "images/tv-48x48.png", "images/undo-24x24.png", "images/view-as-table-24x24.png",
        "images/view-side-by-side-24x24.png"
    };
    const QRegularExpression sizeInName(QStringLiteral("(\\d+)x\\1\\.png$"));
    for (const QString &name : images)
        QTest::newRow(qPrintable(name)) << QStringLiteral(":/") + name << sizeInName.match(name).captured(1).toInt();
}

void TestResources::imageExistsAtItsSize()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
}

QTEST_GUILESS_MAIN(TestResources)
#include "test_resources.moc"
