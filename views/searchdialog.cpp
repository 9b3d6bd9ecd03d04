#include "views/searchdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/editorwindow.h"
#include "texts/strings.h"
#include "views/stationfilter.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

enum { ButtonStretch = 16, FlagSpacing = 3 };

QLabel *label(int textId)
{
    return new QLabel(Strings::text(textId));
}

// A label naming its control, for the keyboard and screen readers too.
QLabel *labelFor(int textId, QWidget *control)
{
    QLabel *name = label(textId);
    name->setBuddy(control);
    control->setAccessibleName(name->text());
    return name;
}

// A label over its control.
QVBoxLayout *labelled(int textId, QWidget *control)
{
    auto *column = new QVBoxLayout;
    column->addWidget(labelFor(textId, control));
    column->addWidget(control);
    return column;
}

} // namespace

SearchDialog::SearchDialog(EditorWindow *mainWindow)
    : QDialog(mainWindow),
      m_tableWidget(mainWindow->stationTableWidget()),
      m_nameEdit(new QLineEdit),
      m_listBox(new QComboBox),
      m_receiveModeBox(new QComboBox),
      m_hdBox(new QCheckBox),
      m_childLockBox(new QCheckBox),
      m_epgBox(new QCheckBox),
      m_encryptedBox(new QCheckBox),
      m_duplicatesBox(new QCheckBox)
{
    setWindowTitle(Strings::text(Strings::AdvancedSearchAction));
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_listBox->setObjectName(QStringLiteral("listBox"));
    m_receiveModeBox->setObjectName(QStringLiteral("receiveModeBox"));
    m_hdBox->setObjectName(QStringLiteral("hdBox"));
    m_childLockBox->setObjectName(QStringLiteral("childLockBox"));
    m_epgBox->setObjectName(QStringLiteral("epgBox"));
    m_encryptedBox->setObjectName(QStringLiteral("encryptedBox"));
    m_duplicatesBox->setObjectName(QStringLiteral("duplicatesBox"));
    for (const StationListWidget *widget : m_tableWidget->listWidgets())
        m_listBox->addItem(widget->stationModel()->listName());
    for (int id : {Strings::AllOption, Strings::TerrestricOption, Strings::DvbcOption, Strings::DvbsOption,
                   Strings::DvbtOption})
        m_receiveModeBox->addItem(Strings::text(id));
    createControls();
}

void SearchDialog::createControls()
{
    auto *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(createSearchGroup());
    column->addWidget(createFilterGroup());
    column->addWidget(rule);
    column->addLayout(createButtonRow());
}

QGroupBox *SearchDialog::createSearchGroup()
{
    auto *group = new QGroupBox(Strings::text(Strings::AdvancedSearchTitle));
    auto *row = new QHBoxLayout(group);
    row->addLayout(labelled(Strings::StationNameLabel, m_nameEdit));
    row->addLayout(labelled(Strings::StationListTitle, m_listBox));
    return group;
}

QGroupBox *SearchDialog::createFilterGroup()
{
    auto *receiveRow = new QHBoxLayout;
    receiveRow->addWidget(labelFor(Strings::ReceiveModeLabel, m_receiveModeBox));
    receiveRow->addWidget(m_receiveModeBox);
    receiveRow->addStretch();

    auto *left = new QVBoxLayout;
    left->addLayout(flagRow(m_hdBox, Strings::HdText));
    left->addLayout(flagRow(m_encryptedBox, Strings::EncryptedLabel));
    auto *right = new QVBoxLayout;
    right->addLayout(flagRow(m_childLockBox, Strings::ChildLockAction));
    right->addLayout(flagRow(m_epgBox, Strings::EpgLabel));
    auto *flags = new QHBoxLayout;
    flags->addLayout(left);
    flags->addLayout(right);

    auto *group = new QGroupBox(Strings::text(Strings::FilterLabel));
    auto *column = new QVBoxLayout(group);
    column->addLayout(receiveRow);
    column->addLayout(flags);
    column->addLayout(flagRow(m_duplicatesBox, Strings::DuplicatesFilter));
    return group;
}

// The check box carries no text; its label beside it names it.
QBoxLayout *SearchDialog::flagRow(QCheckBox *box, int textId)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(FlagSpacing);
    row->addWidget(box);
    row->addWidget(labelFor(textId, box));
    row->addStretch();
    return row;
}

QBoxLayout *SearchDialog::createButtonRow()
{
    auto *search = new QPushButton(Strings::text(Strings::SearchButton));
    auto *cancel = new QPushButton(Strings::text(Strings::CancelButton));
    search->setDefault(true);
    connect(search, &QPushButton::clicked, this, &SearchDialog::doSearch);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    auto *row = new QHBoxLayout;
    row->addWidget(search);
    row->addWidget(cancel);
    row->addStretch(ButtonStretch);
    return row;
}

// A box that is not ticked does not filter.
StationFilter SearchDialog::filter() const
{
    StationFilter filter;
    if (!m_nameEdit->text().isEmpty())
        filter.require(StationFilter::nameContains(m_nameEdit->text()));
    const auto mode = StationFilter::ReceiveMode(m_receiveModeBox->currentIndex());
    if (mode != StationFilter::AnyReception)
        filter.require(StationFilter::receivedBy(mode));
    if (m_hdBox->isChecked())
        filter.require(StationFilter::isHighDefinition());
    if (m_childLockBox->isChecked())
        filter.require(StationFilter::hasFlag(&svl_station::childlock));
    if (m_epgBox->isChecked())
        filter.require(StationFilter::hasFlag(&svl_station::epg));
    if (m_encryptedBox->isChecked())
        filter.require(StationFilter::hasFlag(&svl_station::encrypted));
    return filter;
}

// Every list's selection is cleared first, so that a search without hits
// leaves nothing selected for the actions to work on.
void SearchDialog::doSearch()
{
    if (!m_tableWidget)
        return;
    const QList<StationListWidget *> widgets = m_tableWidget->listWidgets();
    for (StationListWidget *widget : widgets)
        widget->viewSelectionModel()->clearSelection();
    const int listIndex = m_listBox->currentIndex();
    StationListWidget *list = widgets.value(listIndex);
    if (!list)
        return;
    const QItemSelection hits =
        m_duplicatesBox->isChecked() ? list->filterDuplicates(filter()) : list->filterStations(filter());
    if (hits.isEmpty())
        return;
    m_tableWidget->showList(listIndex);
    list->viewSelectionModel()->select(hits, QItemSelectionModel::Select);
    list->viewSelectionModel()->setCurrentIndex(hits.first().topLeft(), QItemSelectionModel::NoUpdate);
}
