#ifndef KANVIO_VIEWS_SEARCHDIALOG_H
#define KANVIO_VIEWS_SEARCHDIALOG_H

#include <QDialog>
#include <QPointer>

class EditorWindow;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class StationFilter;
class StationTableWidget;

// "Advanced station search": finds the stations of one chosen list by a
// part of their name, their reception and four flags, brings the list to
// the front and selects the hits there. It stays open for further
// searches.
class SearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SearchDialog(EditorWindow *mainWindow);

public slots:
    void doSearch();

private:
    void createControls();
    QGroupBox *createSearchGroup();
    QGroupBox *createFilterGroup();
    QBoxLayout *createButtonRow();
    QBoxLayout *flagRow(QCheckBox *box, int textId);
    StationFilter filter() const;

    QPointer<StationTableWidget> m_tableWidget;
    QLineEdit *m_nameEdit;
    QComboBox *m_listBox;
    QComboBox *m_receiveModeBox;
    QCheckBox *m_hdBox;
    QCheckBox *m_childLockBox;
    QCheckBox *m_epgBox;
    QCheckBox *m_encryptedBox;
    QCheckBox *m_duplicatesBox;
};

#endif
