#include "options/svl_options_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

#include "options/reception_pages.h"
#include "options/station_pages.h"
#include "svl/svl_ops.h"
#include "texts/strings.h"

namespace {

enum {
    DialogWidth = 800,
    IconSize = 48,
    ItemSpacing = 3,
    ButtonSpacing = 12,
    // Room after the widest entry of the page list.
    ListMargin = 12,
};

// The pages a station type has, in list order, with their list texts and
// icons.
struct PageKind {
    int textId;
    const char *icon;
    std::initializer_list<int> types;  // ProgramDataByte values; empty: every type
    StationPage *(*create)(const svl_station *station);
};

template <typename Page>
StationPage *create(const svl_station *station)
{
    return new Page(station);
}

const PageKind pageKinds[] = {
    {Strings::GeneralTab, ":/images/system-settings-48x48.png", {}, create<GeneralPage>},
    {Strings::TvTab, ":/images/tv-48x48.png", {1, 3, 4, 5}, create<TVPage>},
    {Strings::DvbTab, ":/images/reception-general-48x48.png", {3, 4, 5, 8, 9, 10}, create<DVBPage>},
    {Strings::NodeGeneralTab, ":/images/reception-48x48.png", {3, 4, 5, 8, 9, 10}, create<KnotGeneralPage>},
    {Strings::TerrestrialTab, ":/images/reception-analog-list-48x48.png", {1}, create<TerrestricPage>},
    {Strings::NodeDvbsTab, ":/images/reception-sattelite-list-48x48.png", {3, 8}, create<KnotDVBSPage>},
    {Strings::NodeDvbtTab, ":/images/reception-terrestrial-list-48x48.png", {4, 9}, create<KnotDVBTPage>},
    {Strings::NodeDvbcTab, ":/images/reception-cable-list-48x48.png", {5, 10}, create<KnotDVBCPage>},
};

bool hasPage(const PageKind &kind, int type)
{
    return kind.types.size() == 0 || std::find(kind.types.begin(), kind.types.end(), type) != kind.types.end();
}

} // namespace

SvlOptionsDialog::SvlOptionsDialog(const svl_station *station, QWidget *parent)
    : QDialog(parent),
      m_station(station),
      m_pageList(new QListWidget),
      m_pageStack(new QStackedWidget)
{
    setWindowTitle(Strings::text(Strings::StationSettingsTitle));
    setFixedWidth(DialogWidth);
    createPageList();
    createPages();
    m_pageList->setCurrentRow(0);
    createLayout();
}

SvlOptionsDialog::~SvlOptionsDialog()
{
    svl_free_station(m_edited);
}

const svl_station *SvlOptionsDialog::editedStation() const
{
    return m_edited;
}

void SvlOptionsDialog::createPageList()
{
    m_pageList->setIconSize(QSize(IconSize, IconSize));
    m_pageList->setSpacing(ItemSpacing);
    m_pageList->setMovement(QListView::Static);
    connect(m_pageList, &QListWidget::currentItemChanged, this, &SvlOptionsDialog::changePage);
}

void SvlOptionsDialog::createPages()
{
    for (const PageKind &kind : pageKinds) {
        if (hasPage(kind, m_station->ProgramDataByte))
            addPage(kind.create(m_station), kind.textId, kind.icon);
    }
}

void SvlOptionsDialog::addPage(StationPage *page, int textId, const char *icon)
{
    auto *item = new QListWidgetItem(QIcon(QLatin1String(icon)), Strings::text(textId), m_pageList);
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    page->alignLabels();
    m_pageStack->addWidget(page);
    m_pages << page;
}

void SvlOptionsDialog::createLayout()
{
    // The list is as wide as its widest entry, the page takes the rest.
    m_pageList->setFixedWidth(m_pageList->sizeHintForColumn(0) + 2 * m_pageList->frameWidth()
                              + 2 * ItemSpacing + ListMargin);

    auto *cancel = new QPushButton(Strings::text(Strings::CancelButton));
    auto *save = new QPushButton(Strings::text(Strings::SaveAction));
    save->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, &SvlOptionsDialog::saveChanges);

    auto *pages = new QHBoxLayout;
    pages->addWidget(m_pageList, 0);
    pages->addWidget(m_pageStack, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addWidget(save);

    auto *column = new QVBoxLayout(this);
    column->addLayout(pages);
    column->addStretch(1);
    column->addSpacing(ButtonSpacing);
    column->addLayout(buttons);
}

void SvlOptionsDialog::changePage(QListWidgetItem *current, QListWidgetItem *previous)
{
    m_pageStack->setCurrentIndex(m_pageList->row(current ? current : previous));
}

void SvlOptionsDialog::saveChanges()
{
    if (refuseInput())
        return;
    svl_station *edited = svl_clone_station(m_station);
    if (!edited)
        return;
    for (const StationPage *page : m_pages)
        page->writeBack(edited);
    svl_free_station(m_edited);
    m_edited = edited;
    accept();
}

bool SvlOptionsDialog::refuseInput()
{
    for (int i = 0; i < m_pages.size(); ++i) {
        QString reason;
        if (QWidget *input = m_pages[i]->refusedInput(&reason)) {
            m_pageList->setCurrentRow(i);
            input->setFocus();
            QMessageBox::critical(this, windowTitle(), reason);
            return true;
        }
    }
    return false;
}
