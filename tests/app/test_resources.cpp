#include <QImage>
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
    QTest::newRow("iconset/icon_64x64.png") << QStringLiteral(":/iconset/icon_64x64.png") << 64;
    QTest::newRow("images/add-table-24x24.png") << QStringLiteral(":/images/add-table-24x24.png") << 24;
    QTest::newRow("images/child-lock-24x24.png") << QStringLiteral(":/images/child-lock-24x24.png") << 24;
    QTest::newRow("images/copy-24x24.png") << QStringLiteral(":/images/copy-24x24.png") << 24;
    QTest::newRow("images/encrypted-sender-24x24.png") << QStringLiteral(":/images/encrypted-sender-24x24.png") << 24;
    QTest::newRow("images/epg-text-only-24x24.png") << QStringLiteral(":/images/epg-text-only-24x24.png") << 24;
    QTest::newRow("images/export-24x24.png") << QStringLiteral(":/images/export-24x24.png") << 24;
    QTest::newRow("images/exportcsv-24x24.png") << QStringLiteral(":/images/exportcsv-24x24.png") << 24;
    QTest::newRow("images/favorite-24x24.png") << QStringLiteral(":/images/favorite-24x24.png") << 24;
    QTest::newRow("images/hd-24x24.png") << QStringLiteral(":/images/hd-24x24.png") << 24;
    QTest::newRow("images/hevc-24x24.png") << QStringLiteral(":/images/hevc-24x24.png") << 24;
    QTest::newRow("images/import-24x24.png") << QStringLiteral(":/images/import-24x24.png") << 24;
    QTest::newRow("images/new-24x24.png") << QStringLiteral(":/images/new-24x24.png") << 24;
    QTest::newRow("images/open-24x24.png") << QStringLiteral(":/images/open-24x24.png") << 24;
    QTest::newRow("images/options-24x24.png") << QStringLiteral(":/images/options-24x24.png") << 24;
    QTest::newRow("images/printer-24x24.png") << QStringLiteral(":/images/printer-24x24.png") << 24;
    QTest::newRow("images/reception-48x48.png") << QStringLiteral(":/images/reception-48x48.png") << 48;
    QTest::newRow("images/reception-analog-list-48x48.png") << QStringLiteral(":/images/reception-analog-list-48x48.png") << 48;
    QTest::newRow("images/reception-cable-list-48x48.png") << QStringLiteral(":/images/reception-cable-list-48x48.png") << 48;
    QTest::newRow("images/reception-general-48x48.png") << QStringLiteral(":/images/reception-general-48x48.png") << 48;
    QTest::newRow("images/reception-sattelite-list-48x48.png") << QStringLiteral(":/images/reception-sattelite-list-48x48.png") << 48;
    QTest::newRow("images/reception-terrestrial-list-48x48.png") << QStringLiteral(":/images/reception-terrestrial-list-48x48.png") << 48;
    QTest::newRow("images/redo-24x24.png") << QStringLiteral(":/images/redo-24x24.png") << 24;
    QTest::newRow("images/remove-24x24.png") << QStringLiteral(":/images/remove-24x24.png") << 24;
    QTest::newRow("images/save-24x24.png") << QStringLiteral(":/images/save-24x24.png") << 24;
    QTest::newRow("images/search-24x24.png") << QStringLiteral(":/images/search-24x24.png") << 24;
    QTest::newRow("images/system-settings-48x48.png") << QStringLiteral(":/images/system-settings-48x48.png") << 48;
    QTest::newRow("images/tv-48x48.png") << QStringLiteral(":/images/tv-48x48.png") << 48;
    QTest::newRow("images/undo-24x24.png") << QStringLiteral(":/images/undo-24x24.png") << 24;
    QTest::newRow("images/view-as-table-24x24.png") << QStringLiteral(":/images/view-as-table-24x24.png") << 24;
    QTest::newRow("images/view-side-by-side-24x24.png") << QStringLiteral(":/images/view-side-by-side-24x24.png") << 24;
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
