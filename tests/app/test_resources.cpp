#include <QImage>
#include <QtTest>

// Every image the program loads by path, at the size its name gives.
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
    const QStringList toolbarImages = QStringLiteral(
        "add-table child-lock copy encrypted-sender epg-text-only export exportcsv favorite hd hevc import "
        "new open options printer redo remove save search undo view-as-table view-side-by-side").split(' ');
    const QStringList pageImages = QStringLiteral(
        "reception reception-analog-list reception-cable-list reception-general reception-sattelite-list "
        "reception-terrestrial-list system-settings tv").split(' ');
    for (const QString &name : toolbarImages)
        QTest::newRow(qPrintable(name)) << ":/images/" + name + "-24x24.png" << 24;
    for (const QString &name : pageImages)
        QTest::newRow(qPrintable(name)) << ":/images/" + name + "-48x48.png" << 48;
    QTest::newRow("program icon") << QStringLiteral(":/iconset/icon_64x64.png") << 64;
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
