#ifndef KANVIO_OPTIONS_NUMBER_EDIT_H
#define KANVIO_OPTIONS_NUMBER_EDIT_H

#include <QLineEdit>
#include <QString>

// A line edit for a number field of a station record. It shows the stored
// value and gives it back exactly while its text stays as shown, so that a
// field the user leaves alone keeps its value even where a typed one would
// be refused (a PID beyond 65355 read from a file). What the user types is
// checked against the field's range at "Save".
class NumberEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum Notation {
        Decimal,          // digits, typed through an integer validator
        Hexadecimal,      // upper-case hexadecimal digits, no padding
        HexadecimalWord,  // four upper-case hexadecimal digits, zero-padded
        Sixteenths,       // a decimal number of units the field counts in sixteenths (MHz)
    };

    // fieldName names the field in messages. maxLength 0 sets no limit.
    NumberEdit(const QString &fieldName, Notation notation, quint32 value, quint32 maximum, int maxLength,
               QWidget *parent = nullptr);

    QString fieldName() const;
    // The largest value, as the field is typed.
    QString maximumText() const;
    // False when the text was changed to something that is no number in
    // the field's notation (an empty text included). A decimal number of
    // sixteenths may have a comma or a dot before its decimals.
    bool isReadable() const;
    // False when the text was changed to a number beyond 0 to the maximum;
    // text that is no number is in range (isReadable refuses it).
    bool isInRange() const;
    // The stored value while the text is as shown; otherwise the number of
    // the text, or 0 when the text is no number or out of range: callers
    // refuse such texts first.
    quint32 value() const;

private:
    QString textOf(quint32 value) const;
    // The text's number in the field's unit (sixteenths are truncated
    // toward zero); false when the text is no number.
    bool parse(double *number) const;

    QString m_fieldName;
    Notation m_notation;
    quint32 m_storedValue;
    quint32 m_maximum;
    QString m_shownText;
};

#endif
