#ifndef KANVIO_FIELDS_OPTION_PAGE_CREATOR_H
#define KANVIO_FIELDS_OPTION_PAGE_CREATOR_H

#include <QObject>
#include <QSlider>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QSpinBox;
class QString;
class QWidget;

// Row builders from which every page of the station settings dialog is made.
// Each returns a new horizontal row; the page layout it is added to takes
// ownership of the row and of the widgets in it. Label texts arrive
// translated.
class OptionPageCreator : public QObject
{
    Q_OBJECT

public:
    // A label with the text, then the widget aligned left.
    static QHBoxLayout *labeledRow(const QString &label, QWidget *widget);

    // Selects index in the combo box, then a labeled row.
    static QHBoxLayout *comboRow(const QString &label, QComboBox *combo, int index);

    // Fixes the line edit to width pixels; narrow edits centre their text, the
    // full width of 250 pixels (names) keeps it left.
    static QHBoxLayout *lineEditRow(const QString &label, QLineEdit *edit, int width);

    // Checks the box when value is not 0, then a labeled row.
    static QHBoxLayout *checkRow(const QString &label, QCheckBox *box, int value);

    // A label, the slider and a spin box that follow each other, both set to
    // the range, step and value.
    static QHBoxLayout *sliderRow(const QString &label, QSlider *slider,
                                  QSlider::TickPosition ticks, QSpinBox *spinBox,
                                  int minimum, int maximum, int step, int tickInterval,
                                  int value);
};

#endif
