#include "fields/option_page_creator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>
#include <QtTest>

namespace {

// The row's widgets after its label, checking that the label comes first.
QList<QWidget *> widgetsAfterLabel(QHBoxLayout *row, const QString &label)
{
    auto *shown = qobject_cast<QLabel *>(row->itemAt(0)->widget());
    if (!shown || shown->text() != label)
        return {};
    QList<QWidget *> widgets;
    for (int i = 1; i < row->count(); ++i)
        widgets << row->itemAt(i)->widget();
    return widgets;
}

} // namespace

class TestOptionPageCreator : public QObject
{
    Q_OBJECT

private slots:
    void rowsSetTheirWidget();
    void sliderAndSpinBoxFollowEachOther();
};

void TestOptionPageCreator::rowsSetTheirWidget()
{
    QWidget page;
    auto *layout = new QVBoxLayout(&page);
    auto *combo = new QComboBox;
    combo->addItems({"General", "On", "Off"});
    auto *check = new QCheckBox;
    auto *cleared = new QCheckBox;
    cleared->setChecked(true);
    auto *name = new QLineEdit;
    auto *pid = new QLineEdit;

    QHBoxLayout *comboRow = OptionPageCreator::comboRow("CTI", combo, 2);
    QHBoxLayout *checkRow = OptionPageCreator::checkRow("EPG", check, 255);
    QHBoxLayout *clearedRow = OptionPageCreator::checkRow("Forced mono", cleared, 0);
    QHBoxLayout *nameRow = OptionPageCreator::lineEditRow("Station name", name, 250);
    QHBoxLayout *pidRow = OptionPageCreator::lineEditRow("Video PID", pid, 100);
    for (QHBoxLayout *row : {comboRow, checkRow, clearedRow, nameRow, pidRow})
        layout->addLayout(row);

    QCOMPARE(widgetsAfterLabel(comboRow, "CTI"), QList<QWidget *>{combo});
    QCOMPARE(comboRow->itemAt(1)->alignment(), Qt::AlignLeft);
    QCOMPARE(combo->currentText(), QStringLiteral("Off"));
    QCOMPARE(widgetsAfterLabel(checkRow, "EPG"), QList<QWidget *>{check});
    QVERIFY(check->isChecked());
    QVERIFY(!cleared->isChecked());
    QCOMPARE(widgetsAfterLabel(nameRow, "Station name"), QList<QWidget *>{name});
    QCOMPARE(name->maximumWidth(), 250);
    QCOMPARE(int(name->alignment()), int(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(pid->minimumWidth(), 100);
    QCOMPARE(int(pid->alignment()), int(Qt::AlignHCenter));
}

void TestOptionPageCreator::sliderAndSpinBoxFollowEachOther()
{
    QWidget page;
    auto *slider = new QSlider(Qt::Horizontal);
    auto *spinBox = new QSpinBox;
    QHBoxLayout *row = OptionPageCreator::sliderRow("Volume correction", slider, QSlider::TicksBelow,
                                                    spinBox, -30, 30, 2, 5, -12);
    page.setLayout(row);
    QCOMPARE(widgetsAfterLabel(row, "Volume correction"), (QList<QWidget *>{slider, spinBox}));
    QCOMPARE(slider->value(), -12);
    QCOMPARE(spinBox->value(), -12);
    QCOMPARE(spinBox->minimum(), -30);
    QCOMPARE(spinBox->singleStep(), 2);
    slider->setValue(4);
    QCOMPARE(spinBox->value(), 4);
    spinBox->setValue(99);
    QCOMPARE(slider->value(), 30);
}

QTEST_MAIN(TestOptionPageCreator)
#include "test_option_page_creator.moc"
