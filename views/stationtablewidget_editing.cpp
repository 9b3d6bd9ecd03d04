#include "views/stationtablewidget.h"

#include "views/stationlistwidget.h"

void StationTableWidget::showOptionsDialog()
{
    if (StationListWidget *selected = selectedListWidget())
        selected->showOptions();
}
