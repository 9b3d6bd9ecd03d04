#include "output/clipboard_text.h"

QString clipboardText(const QModelIndexList &indexes, const std::function<QString(const QModelIndex &)> &cellText)
{
    if (indexes.isEmpty())
        return QString();
    const QModelIndex &first = indexes.first();
    QString text = QString::number(first.row() + 1) + QLatin1Char('\t') + cellText(first);
    int row = first.row();
    for (int i = 1; i < indexes.size(); ++i) {
        const QModelIndex &index = indexes[i];
        if (index.row() == row) {
            text += QLatin1Char('\t');
        } else {
            text += QLatin1Char('\n');
            if (index.column() == 0)
                text += QString::number(index.row() + 1) + QLatin1Char('\t');
        }
        text += cellText(index);
        row = index.row();
    }
    return text;
}
