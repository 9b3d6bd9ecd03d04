#include "options/number_edit.h"

#include <QIntValidator>
#include <QLocale>

#include <climits>
#include <cmath>

namespace {

// Sixteenths of a MHz: every value has at most four decimals, all shown,
// so that the text reads back as the value it came from.
const int sixteenthsPrecision = 10;

// Digits only: a validator of the user's locale would let group separators
// through, which the field does not read.
QValidator *digitsValidator(quint32 maximum, QObject *parent)
{
    auto *validator = new QIntValidator(0, int(qMin<quint32>(maximum, INT_MAX)), parent);
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator);
    validator->setLocale(plain);
    return validator;
}

} // namespace

NumberEdit::NumberEdit(const QString &fieldName, Notation notation, quint32 value, quint32 maximum, int maxLength,
                       QWidget *parent)
    : QLineEdit(parent),
      m_fieldName(fieldName),
      m_notation(notation),
      m_storedValue(value),
      m_maximum(maximum),
      m_shownText(textOf(value))
{
    if (notation == Decimal)
        setValidator(digitsValidator(maximum, this));
    if (maxLength > 0)
        setMaxLength(maxLength);
    setText(m_shownText);
}

QString NumberEdit::fieldName() const
{
    return m_fieldName;
}

QString NumberEdit::maximumText() const
{
    return textOf(m_maximum);
}

QString NumberEdit::textOf(quint32 value) const
{
    switch (m_notation) {
    case Hexadecimal:
        return QString::number(value, 16).toUpper();
    case HexadecimalWord:
        return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
    case Sixteenths:
        return QString::number(value / 16.0, 'g', sixteenthsPrecision);
    case Decimal:
        break;
    }
    return QString::number(value);
}

bool NumberEdit::parse(double *number) const
{
    const QString typed = text().trimmed();
    bool ok = false;
    if (m_notation == Sixteenths) {
        // A German desktop writes "471,25"; the field has no group
        // separators, so a comma can only be the decimal one.
        QString plain = typed;
        plain.replace(QLatin1Char(','), QLatin1Char('.'));
        *number = std::trunc(QLocale::c().toDouble(plain, &ok) * 16);
    } else {
        const int base = m_notation == Decimal ? 10 : 16;
        *number = double(typed.toULongLong(&ok, base));
    }
    return ok;
}

bool NumberEdit::isReadable() const
{
    double number = 0;
    return text() == m_shownText || parse(&number);
}

bool NumberEdit::isInRange() const
{
    double number = 0;
    if (text() == m_shownText || !parse(&number))
        return true;
    return number >= 0 && number <= m_maximum;
}

quint32 NumberEdit::value() const
{
    if (text() == m_shownText)
        return m_storedValue;
    double number = 0;
    if (!parse(&number) || !isInRange())
        return 0;
    return quint32(number);
}
