#ifndef KANVIO_OPTIONS_SVL_OPTIONS_DIALOG_H
#define KANVIO_OPTIONS_SVL_OPTIONS_DIALOG_H

#include <QDialog>
#include <QVector>

class QListWidget;
class QListWidgetItem;
class QStackedWidget;
class StationPage;
struct svl_station;

// Shows and edits every setting of one station: a list of pages on the
// left, the chosen page on the right, the pages those of the station's
// type. The dialog never changes the station it shows: "Save" writes the
// pages into a record of the dialog's own and closes, and the caller takes
// the edited record from editedStation() and applies it, as an undoable
// change. "Save" refuses input the record cannot hold, names it and keeps
// the dialog open.
class SvlOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // The station must outlive the dialog.
    explicit SvlOptionsDialog(const svl_station *station, QWidget *parent = nullptr);
    ~SvlOptionsDialog() override;

    // The station as the last successful "Save" left it, owned by the
    // dialog; null before.
    const svl_station *editedStation() const;

public slots:
    void changePage(QListWidgetItem *current, QListWidgetItem *previous);
    void saveChanges();

private:
    void createPageList();
    void createPages();
    void addPage(StationPage *page, int textId, const char *icon);
    void createLayout();
    // Shows the first input "Save" must refuse with its reason; false when
    // there is none.
    bool refuseInput();

    const svl_station *m_station;
    svl_station *m_edited = nullptr;  // owned
    QListWidget *m_pageList;
    QStackedWidget *m_pageStack;
    QVector<StationPage *> m_pages;  // in list order
};

#endif
