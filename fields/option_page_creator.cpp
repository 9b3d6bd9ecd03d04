#include "fields/option_page_creator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

const int fullEditWidth = 250;
const int sliderWidth = 200;
const int spinBoxWidth = 50;

}  // namespace

QHBoxLayout *OptionPageCreator::labeledRow(const QString &label, QWidget *widget)
{
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(label), 0);
    row->addWidget(widget, 0, Qt::AlignLeft);
    return row;
}

QHBoxLayout *OptionPageCreator::comboRow(const QString &label, QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    return labeledRow(label, combo);
}

QHBoxLayout *OptionPageCreator::lineEditRow(const QString &label, QLineEdit *edit, int width)
{
    edit->setFixedWidth(width);
    if (width != fullEditWidth)
        edit->setAlignment(Qt::AlignHCenter);
    return labeledRow(label, edit);
}

QHBoxLayout *OptionPageCreator::checkRow(const QString &label, QCheckBox *box, int value)
{
    box->setChecked(value != 0);
    return labeledRow(label, box);
}

QHBoxLayout *OptionPageCreator::sliderRow(const QString &label, QSlider *slider,
                                          QSlider::TickPosition ticks, QSpinBox *spinBox,
                                          int minimum, int maximum, int step, int tickInterval,
                                          int value)
{
    slider->setFixedWidth(sliderWidth);
    slider->setTickPosition(ticks);
    slider->setRange(minimum, maximum);
    slider->setSingleStep(step);
    slider->setTickInterval(tickInterval);
    slider->setValue(value);

    spinBox->setFixedWidth(spinBoxWidth);
    spinBox->setRange(minimum, maximum);
    spinBox->setSingleStep(step);
    spinBox->setValue(value);

    connect(slider, &QSlider::valueChanged, spinBox, &QSpinBox::setValue);
    connect(spinBox, QOverload<int>::of(&QSpinBox::valueChanged), slider, &QSlider::setValue);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(label), 0);
    row->addWidget(slider, 0);
    row->addWidget(spinBox, 0);
    return row;
}
