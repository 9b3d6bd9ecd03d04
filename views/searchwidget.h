#ifndef KANVIO_VIEWS_SEARCHWIDGET_H
#define KANVIO_VIEWS_SEARCHWIDGET_H

#include <QItemSelectionRange>
#include <QList>
#include <QWidget>

class EditorWindow;
class QLabel;
class QLineEdit;
class QPushButton;
class StationListWidget;

// The search bar at the top right of the base tabs. As the user types it
// selects every station of the current base list whose name contains the
// text, and steps through the hits with its two arrow buttons; the label
// reads "current of count". Hits are selected through the list's own
// selection model, so the main window's actions follow them.
class SearchWidget : public QWidget
{
    Q_OBJECT

public:
    explicit SearchWidget(EditorWindow *mainWindow, QWidget *parent = nullptr);

    // Names the field and the arrows for screen readers in the current
    // language.
    void retranslate();

public slots:
    // Shows or hides the bar, emptied; a shown bar takes the keyboard focus.
    void toggleVisibility();
    // Forgets the hits and empties the text: they belong to a list that
    // is no longer shown, or no longer exists.
    void clearResults();
    void doSearch(const QString &text);
    // Step to the next or previous hit, wrapping around at the ends.
    void showNext();
    void showPrevious();

private:
    void createLayout();
    void updateResultLabel(int current);
    void showCurrentResult();
    StationListWidget *baseListWidget() const;

    EditorWindow *m_mainWindow;
    QLineEdit *m_lineEdit;
    QLabel *m_resultLabel;
    QPushButton *m_previousButton = nullptr;
    QPushButton *m_nextButton = nullptr;
    // One whole row per hit, in ascending row order.
    QList<QItemSelectionRange> m_results;
    int m_currentResult = -1;
};

#endif
