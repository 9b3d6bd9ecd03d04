#include "views/searchwidget.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "views/editorwindow.h"
#include "texts/strings.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

enum {
    LineEditWidth = 180,
    ResultLabelWidth = 90,
    ButtonWidth = 28,
    RowHeight = 20,
};

QPushButton *arrowButton(char16_t arrow, QWidget *parent)
{
    auto *button = new QPushButton(QString(QChar(arrow)), parent);
    button->setFixedWidth(ButtonWidth);
    button->setMinimumHeight(RowHeight);
    return button;
}

} // namespace

SearchWidget::SearchWidget(EditorWindow *mainWindow, QWidget *parent)
    : QWidget(parent),
      m_mainWindow(mainWindow),
      m_lineEdit(new QLineEdit(this)),
      m_resultLabel(new QLabel(this))
{
    createLayout();
    connect(m_lineEdit, &QLineEdit::textChanged, this, &SearchWidget::doSearch);
}

void SearchWidget::createLayout()
{
    m_lineEdit->setFixedWidth(LineEditWidth);
    m_lineEdit->setMinimumHeight(RowHeight);
    m_lineEdit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_resultLabel->setFixedWidth(ResultLabelWidth);
    m_resultLabel->setMinimumHeight(RowHeight);
    m_resultLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_previousButton = arrowButton(u'\u25B4', this);
    m_nextButton = arrowButton(u'\u25BE', this);
    connect(m_previousButton, &QPushButton::clicked, this, &SearchWidget::showPrevious);
    connect(m_nextButton, &QPushButton::clicked, this, &SearchWidget::showNext);

    auto *row = new QHBoxLayout(this);
    row->setSpacing(1);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_resultLabel);
    row->addWidget(m_lineEdit);
    row->addWidget(m_previousButton);
    row->addWidget(m_nextButton);
    row->addStretch();
}

// The arrows and the unlabelled field say nothing to a screen reader.
void SearchWidget::retranslate()
{
    m_lineEdit->setAccessibleName(Strings::text(Strings::SearchStationAction));
    m_previousButton->setAccessibleName(Strings::text(Strings::PreviousMatchName));
    m_nextButton->setAccessibleName(Strings::text(Strings::NextMatchName));
}

// The bar's own state is toggled, whether or not the window is on screen.
void SearchWidget::toggleVisibility()
{
    setVisible(isHidden());
    m_lineEdit->clear();
    updateResultLabel(0);
    if (!isHidden())
        m_lineEdit->setFocus();
}

void SearchWidget::clearResults()
{
    m_currentResult = -1;
    m_results.clear();
    m_lineEdit->clear();
}

// A new text starts a new search: whatever was selected in the lists on
// show gives way to the hits.
void SearchWidget::doSearch(const QString &text)
{
    m_results.clear();
    m_currentResult = -1;
    StationListWidget *base = baseListWidget();
    if (base) {
        base->viewSelectionModel()->clearSelection();
        if (StationListWidget *favorites = m_mainWindow->stationTableWidget()->currentFavListWidget())
            favorites->viewSelectionModel()->clearSelection();
        const QItemSelection hits = base->findStations(text);
        base->viewSelectionModel()->select(hits, QItemSelectionModel::Select);
        m_results = hits;
        if (!m_results.isEmpty())
            m_currentResult = 0;
    }
    showCurrentResult();
}

void SearchWidget::showNext()
{
    if (m_results.isEmpty() || m_currentResult == -1)
        return;
    m_currentResult = (m_currentResult + 1) % m_results.size();
    showCurrentResult();
}

void SearchWidget::showPrevious()
{
    if (m_results.isEmpty() || m_currentResult == -1)
        return;
    m_currentResult = (m_currentResult + m_results.size() - 1) % m_results.size();
    showCurrentResult();
}

void SearchWidget::updateResultLabel(int current)
{
    m_resultLabel->setText(QString::number(current) + Strings::text(Strings::OfSeparator)
                           + QString::number(m_results.size()));
}

// The hit becomes the current row without changing the selection; the
// view scrolls to it.
void SearchWidget::showCurrentResult()
{
    updateResultLabel(m_results.isEmpty() ? 0 : m_currentResult + 1);
    StationListWidget *base = baseListWidget();
    if (m_currentResult != -1 && base)
        base->viewSelectionModel()->setCurrentIndex(m_results[m_currentResult].topLeft(),
                                                    QItemSelectionModel::NoUpdate);
}

StationListWidget *SearchWidget::baseListWidget() const
{
    return m_mainWindow ? m_mainWindow->stationTableWidget()->currentBaseListWidget() : nullptr;
}
