#include "options/station_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "fields/option_page_creator.h"
#include "fields/option_tables.h"
#include "texts/strings.h"

namespace {

// Room between the widest label of a column and its input, beyond the
// layout's spacing.
const int LabelGap = 8;

// Extra room of a row goes to its end, so that label and input keep their
// places.
void addRow(QVBoxLayout *column, QHBoxLayout *row)
{
    row->addStretch(1);
    column->addLayout(row);
}

QLabel *rowLabel(QLayoutItem *item)
{
    QLayout *row = item->layout();
    QLayoutItem *first = row && row->count() > 0 ? row->itemAt(0) : nullptr;
    return first ? qobject_cast<QLabel *>(first->widget()) : nullptr;
}

} // namespace

StationPage::StationPage(int titleId, QWidget *parent)
    : QWidget(parent)
{
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    m_rows = addGroup(page, Strings::text(titleId));
    page->addStretch(1);
}

QWidget *StationPage::refusedInput(QString *reason) const
{
    for (NumberEdit *edit : findChildren<NumberEdit *>()) {
        if (!edit->isReadable()) {
            *reason = Strings::text(Strings::NumberUnreadableMessage).arg(edit->fieldName(), edit->text());
            return edit;
        }
        if (!edit->isInRange()) {
            *reason = Strings::text(Strings::NumberOutOfRangeMessage)
                          .arg(edit->fieldName(), QStringLiteral("0"), edit->maximumText());
            return edit;
        }
    }
    return nullptr;
}

void StationPage::alignLabels()
{
    for (QVBoxLayout *column : findChildren<QVBoxLayout *>()) {
        QVector<QLabel *> labels;
        int width = 0;
        for (int i = 0; i < column->count(); ++i) {
            if (QLabel *label = rowLabel(column->itemAt(i))) {
                labels << label;
                width = qMax(width, label->sizeHint().width());
            }
        }
        for (QLabel *label : labels)
            label->setMinimumWidth(width + LabelGap);
    }
}

QVBoxLayout *StationPage::rows() const
{
    return m_rows;
}

QVBoxLayout *StationPage::addGroup(QLayout *layout, const QString &title)
{
    auto *group = new QGroupBox(title);
    layout->addWidget(group);
    return new QVBoxLayout(group);
}

QLabel *StationPage::addLabelRow(QVBoxLayout *column, const QString &label, const QString &text)
{
    auto *shown = new QLabel(text);
    addRow(column, OptionPageCreator::labeledRow(label, shown));
    return shown;
}

QLineEdit *StationPage::addTextRow(QVBoxLayout *column, const QString &label, const QString &text, int width,
                                   const char *field)
{
    auto *edit = new QLineEdit(text);
    edit->setObjectName(QLatin1String(field));
    addRow(column, OptionPageCreator::lineEditRow(label, edit, width));
    return edit;
}

NumberEdit *StationPage::addNumberRow(QVBoxLayout *column, const QString &label, NumberEdit::Notation notation,
                                      quint32 value, quint32 maximum, int maxLength, int width, const char *field)
{
    auto *edit = new NumberEdit(label, notation, value, maximum, maxLength);
    edit->setObjectName(QLatin1String(field));
    addRow(column, OptionPageCreator::lineEditRow(label, edit, width));
    return edit;
}

QCheckBox *StationPage::addCheckRow(QVBoxLayout *column, const QString &label, int value, const char *field)
{
    auto *box = new QCheckBox;
    box->setObjectName(QLatin1String(field));
    addRow(column, OptionPageCreator::checkRow(label, box, value));
    return box;
}

QSpinBox *StationPage::addSliderRow(QVBoxLayout *column, const QString &label, QSlider::TickPosition ticks,
                                    int minimum, int maximum, int tickInterval, int value, const char *field)
{
    auto *spinBox = new QSpinBox;
    spinBox->setObjectName(QLatin1String(field));
    addRow(column, OptionPageCreator::sliderRow(label, new QSlider(Qt::Horizontal), ticks, spinBox,
                                                qMin(minimum, value), qMax(maximum, value), 1, tickInterval,
                                                value));
    return spinBox;
}

QComboBox *StationPage::addComboRow(QVBoxLayout *column, const QString &label, const QString &table, int value,
                                    const char *field, const QVector<int> &values)
{
    QComboBox *combo = createOptionComboBox(table);
    if (!combo)
        return nullptr;
    combo->setObjectName(QLatin1String(field));
    for (int i = 0; i < combo->count(); ++i)
        combo->setItemData(i, i < values.size() ? values[i] : i);
    int index = combo->findData(value);
    if (index < 0) {
        combo->addItem(QString::number(value), value);
        index = combo->count() - 1;
    }
    addRow(column, OptionPageCreator::comboRow(label, combo, index));
    return combo;
}

QString StationPage::optionName(const QString &table, int value)
{
    const QString name = optionText(table, value);
    return name.isEmpty() ? QString::number(value) : name;
}

int StationPage::comboValue(const QComboBox *combo)
{
    return combo ? combo->currentData().toInt() : 0;
}

uint8_t StationPage::flagValue(const QCheckBox *box, uint8_t stored)
{
    if (box->isChecked() == (stored != 0))
        return stored;
    return box->isChecked() ? 1 : 0;
}
