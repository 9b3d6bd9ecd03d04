#ifndef KANVIO_OPTIONS_STATION_PAGE_H
#define KANVIO_OPTIONS_STATION_PAGE_H

#include <QSlider>
#include <QVector>
#include <QWidget>

#include <cstdint>

#include "options/number_edit.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QVBoxLayout;
struct svl_station;

// What every page of the station settings dialog shares: a group box with
// the page's title holding labelled rows, and the write-back of its inputs
// into a station record. A page shows the record it is made from and never
// writes to it; "Save" hands each page the dialog's copy of the record. An
// input the user leaves alone gives back exactly what it showed, values
// beyond their option table or their slider's usual range included. Every
// input is named after the station field it edits.
class StationPage : public QWidget
{
    Q_OBJECT

public:
    // Writes the inputs into station, which holds the stored values until
    // then: fields without an input on the page stay as they are unless the
    // page sets them by rule.
    virtual void writeBack(svl_station *station) const = 0;

    // The first input "Save" must refuse, with the reason in *reason; null
    // when every input can be saved. Here: numbers typed beyond their range.
    virtual QWidget *refusedInput(QString *reason) const;

    // Gives the labels of each column of rows one width, so that the inputs
    // of a column stand in a line.
    void alignLabels();

protected:
    StationPage(int titleId, QWidget *parent);

    // The rows of the page's group box.
    QVBoxLayout *rows() const;
    // A group box of its own inside layout, with a column of rows.
    static QVBoxLayout *addGroup(QLayout *layout, const QString &title);

    // Row builders: each adds one row to the column and returns its input.
    static QLabel *addLabelRow(QVBoxLayout *column, const QString &label, const QString &text);
    static QLineEdit *addTextRow(QVBoxLayout *column, const QString &label, const QString &text, int width,
                                 const char *field);
    static NumberEdit *addNumberRow(QVBoxLayout *column, const QString &label, NumberEdit::Notation notation,
                                    quint32 value, quint32 maximum, int maxLength, int width, const char *field);
    static QCheckBox *addCheckRow(QVBoxLayout *column, const QString &label, int value, const char *field);
    // The slider's range widens to hold a stored value beyond it. Returns
    // the spin box that follows the slider.
    static QSpinBox *addSliderRow(QVBoxLayout *column, const QString &label, QSlider::TickPosition ticks,
                                  int minimum, int maximum, int tickInterval, int value, const char *field);
    // A combo box of the option table; its items carry their values, which
    // are their positions unless values gives one per position. A value no
    // item carries gets an item of its own, named by its number. Null, and
    // no row, when the table cannot be loaded.
    static QComboBox *addComboRow(QVBoxLayout *column, const QString &label, const QString &table, int value,
                                  const char *field, const QVector<int> &values = {});

    // The option's name, or the value's number when the table has none.
    static QString optionName(const QString &table, int value);
    // The value of the combo box's item; 0 for a row that is absent.
    static int comboValue(const QComboBox *combo);
    // The stored flag while the box shows it, else 1 or 0: a flag byte
    // other than 1 survives a save that leaves the box alone.
    static uint8_t flagValue(const QCheckBox *box, uint8_t stored);

private:
    QVBoxLayout *m_rows;
};

#endif
