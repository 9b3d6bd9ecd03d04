#include "options/option_page_creator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopedPointer>
#include <QSlider>
#include <QSpinBox>
#include <QWidget>
#include <QtTest>

namespace {

QString labelText(QHBoxLayout *row)
{
    auto *label = qobject_cast<QLabel *>(row->itemAt(0)->widget());
    return label ? label->text() : QString();
}

}  // namespace

class TestOptionPageCreator : public QObject
{
    Q_OBJECT

private slots:
    void labeledRowHasLabelThenWidget();
    void comboRowSelectsIndex_data();
    void comboRowSelectsIndex();
    void lineEditRowCentresNarrowEdits_data();
    void lineEditRowCentresNarrowEdits();
    void checkRowChecksNonZero_data();
    void checkRowChecksNonZero();
    void sliderRowSetsBothWidgets();
    void sliderAndSpinBoxFollowEachOther();
};

void TestOptionPageCreator::labeledRowHasLabelThenWidget()
{
    QWidget page;
    auto *edit = new QLineEdit;
    QHBoxLayout *row = OptionPageCreator::labeledRow(QStringLiteral("Station name"), edit);
    page.setLayout(row);

    QCOMPARE(row->count(), 2);
    QCOMPARE(labelText(row), QStringLiteral("Station name"));
    QCOMPARE(row->itemAt(1)->widget(), edit);
    QCOMPARE(row->itemAt(1)->alignment(), Qt::AlignLeft);
    QCOMPARE(edit->parentWidget(), &page);
}

void TestOptionPageCreator::comboRowSelectsIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("shown");
    QTest::newRow("first") << 0 << 0;
    QTest::newRow("last") << 2 << 2;
    QTest::newRow("beyond the names") << 5 << -1;
}

void TestOptionPageCreator::comboRowSelectsIndex()
{
    QFETCH(int, index);
    QFETCH(int, shown);
    QWidget page;
    auto *combo = new QComboBox;
    combo->addItems({QStringLiteral("General"), QStringLiteral("On"), QStringLiteral("Off")});
    page.setLayout(OptionPageCreator::comboRow(QStringLiteral("CTI"), combo, index));
    QCOMPARE(combo->currentIndex(), shown);
}

void TestOptionPageCreator::lineEditRowCentresNarrowEdits_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("alignment");
    QTest::newRow("name width") << 250 << int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("PID width") << 100 << int(Qt::AlignHCenter);
    QTest::newRow("CNI width") << 55 << int(Qt::AlignHCenter);
}

void TestOptionPageCreator::lineEditRowCentresNarrowEdits()
{
    QFETCH(int, width);
    QFETCH(int, alignment);
    QWidget page;
    auto *edit = new QLineEdit;
    QHBoxLayout *row = OptionPageCreator::lineEditRow(QStringLiteral("Service ID"), edit, width);
    page.setLayout(row);
    QCOMPARE(edit->minimumWidth(), width);
    QCOMPARE(edit->maximumWidth(), width);
    QCOMPARE(int(edit->alignment()), alignment);
    QCOMPARE(labelText(row), QStringLiteral("Service ID"));
}

void TestOptionPageCreator::checkRowChecksNonZero_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("checked");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("255") << 255 << true;
}

void TestOptionPageCreator::checkRowChecksNonZero()
{
    QFETCH(int, value);
    QFETCH(bool, checked);
    QWidget page;
    auto *box = new QCheckBox;
    box->setChecked(!checked);
    page.setLayout(OptionPageCreator::checkRow(QStringLiteral("EPG"), box, value));
    QCOMPARE(box->isChecked(), checked);
}

void TestOptionPageCreator::sliderRowSetsBothWidgets()
{
    QWidget page;
    auto *slider = new QSlider(Qt::Horizontal);
    auto *spinBox = new QSpinBox;
    QHBoxLayout *row = OptionPageCreator::sliderRow(QStringLiteral("Volume correction"), slider,
                                                    QSlider::TicksBothSides, spinBox, -30, 30,
                                                    1, 5, -12);
    page.setLayout(row);

    QCOMPARE(row->count(), 3);
    QCOMPARE(labelText(row), QStringLiteral("Volume correction"));
    QCOMPARE(row->itemAt(1)->widget(), slider);
    QCOMPARE(row->itemAt(2)->widget(), spinBox);
    QCOMPARE(slider->minimum(), -30);
    QCOMPARE(slider->maximum(), 30);
    QCOMPARE(slider->value(), -12);
    QCOMPARE(spinBox->minimum(), -30);
    QCOMPARE(spinBox->maximum(), 30);
    QCOMPARE(spinBox->value(), -12);
}

void TestOptionPageCreator::sliderAndSpinBoxFollowEachOther()
{
    QWidget page;
    auto *slider = new QSlider(Qt::Horizontal);
    auto *spinBox = new QSpinBox;
    page.setLayout(OptionPageCreator::sliderRow(QStringLiteral("Picture sharpness"), slider,
                                                QSlider::TicksBelow, spinBox, 0, 5, 1, 1, 2));
    slider->setValue(4);
    QCOMPARE(spinBox->value(), 4);
    spinBox->setValue(1);
    QCOMPARE(slider->value(), 1);
    spinBox->setValue(9);
    QCOMPARE(slider->value(), 5);
}

QTEST_MAIN(TestOptionPageCreator)
#include "test_option_page_creator.moc"
