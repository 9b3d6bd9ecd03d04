#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QtTest>

// Every built-in image at the size its name gives ("name-24x24.png"), with
// a twin of twice the pixels for high-resolution screens
// ("name-24x24@2x.png").
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void imageExistsAtItsSizeAndTwice_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("size");
        const QRegularExpression sized(QStringLiteral("[-_](\\d+)x\\1\\.png$"));
        int images = 0;
        for (const QString &folder : {QStringLiteral(":/images"), QStringLiteral(":/iconset")}) {
            QDirIterator files(folder);
            while (files.hasNext()) {
                const QString path = files.next();
                const QRegularExpressionMatch match = sized.match(path);
                if (!match.hasMatch())
                    continue;
                QTest::newRow(qPrintable(path)) << path << match.captured(1).toInt();
                ++images;
            }
        }
        // The toolbar, list row, settings page and program images.
        QVERIFY(images >= 31);
    }

    void imageExistsAtItsSizeAndTwice()
    {
        QFETCH(QString, path);
        QFETCH(int, size);
        QString sharperPath = path;
        sharperPath.insert(path.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
        const QImage image(path);
        const QImage sharper(sharperPath);
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(sharper.size(), QSize(2 * size, 2 * size));
        QVERIFY(image.hasAlphaChannel() && sharper.hasAlphaChannel());
    }
};

QTEST_GUILESS_MAIN(TestResources)
#include "test_resources.moc"
