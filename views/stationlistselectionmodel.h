#ifndef KANVIO_VIEWS_STATIONLISTSELECTIONMODEL_H
#define KANVIO_VIEWS_STATIONLISTSELECTIONMODEL_H

#include <QItemSelectionModel>

class EditorWindow;
class StationListModel;
class StationListWidget;
class StationTableWidget;

// The selection of one station view. Every change of it sets the main
// window's station actions from the selection, and in svl50 tables it keeps
// a base list and a favorite list from holding selections at the same time,
// so that an action never reaches stations of two lists.
class StationListSelectionModel : public QItemSelectionModel
{
    Q_OBJECT

public:
    StationListSelectionModel(StationListModel *model, EditorWindow *mainWindow, QObject *parent = nullptr);

    using QItemSelectionModel::select;

public slots:
    void select(const QItemSelection &selection, QItemSelectionModel::SelectionFlags command) override;

private:
    void excludeOtherSelections(StationTableWidget *tables, StationListWidget *baseWidget,
                                StationListWidget *favoriteWidget);
    void updateActions(StationTableWidget *tables);
    static void findSelectedFlags(const StationListWidget *selected, bool *childLock, bool *epg);

    EditorWindow *m_mainWindow;
    StationListModel *m_model;
};

#endif
