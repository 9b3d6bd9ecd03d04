// "Save" in the station settings dialog, reached through the "Options"
// action of the main window: one undoable command that marks the document,
// whose undo gives back the station's old bytes; an unchanged station
// pushes nothing.
#include <QSignalSpy>
#include <QSpinBox>

#include "options/svl_options_dialog.h"
#include "tests/app/test_mainwindow_support.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

using namespace testsupport;

namespace {

using Record = std::unique_ptr<svl_station, void (*)(svl_station *)>;

// Runs "Options" for the selected station and lets edit change the dialog
// before it saves.
void saveOptions(const MainWindow &window, const std::function<void(SvlOptionsDialog *)> &edit)
{
    const ModalDriver driver([&](QWidget *modal) {
        auto *dialog = qobject_cast<SvlOptionsDialog *>(modal);
        if (dialog) {
            edit(dialog);
            dialog->saveChanges();
        }
        return dialog != nullptr;
    });
    action(window, "optionsAct")->trigger();
    QVERIFY(driver.handled());
}

void stepVolume(SvlOptionsDialog *dialog)
{
    auto *volume = dialog->findChild<QSpinBox *>(QStringLiteral("volume_correction"));
    volume->stepBy(volume->value() < volume->maximum() ? 1 : -1);
}

} // namespace

class TestSettingsCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!insideNetworkNamespace())
            QSKIP("the main window sends multicast: run inside scripts/in-netns");
        describeProgram();
    }

    void saveIsOneUndoableEdit_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("svl40") << int(SVL_VERSION_40);
        QTest::newRow("svl50") << int(SVL_VERSION_50);
    }

    void saveIsOneUndoableEdit();
};

void TestSettingsCommand::saveIsOneUndoableEdit()
{
    QFETCH(int, version);
    const Sandbox sandbox;
    const auto window = openWindow(sandbox.writeTable(QStringLiteral("every-kind"), uint16_t(version), 2, 1, 24, true));
    QUndoStack *stack = window->undoStack();
    for (int list : {SVL_TV_LIST_INDEX, SVL_RADIO_LIST_INDEX}) {
        window->stationTableWidget()->showList(list);
        StationListWidget *widget = window->stationTableWidget()->listWidgets().value(list);
        StationListModel *model = widget->stationModel();
        for (int row = 0; row < model->rowCount(); ++row) {
            widget->viewSelectionModel()->select(model->index(row, 0), QItemSelectionModel::ClearAndSelect);
            svl_station *station = StationListModel::stationOf(model->data(model->index(row, 0), Qt::UserRole));
            const Record before(svl_clone_station(station), svl_free_station);

            // Untouched, only the fields set by rule may change the station.
            saveOptions(*window, [](SvlOptionsDialog *) {});
            const bool changedByRule = !svl_stations_equal(station, before.get());
            QCOMPARE(stack->count(), changedByRule ? 1 : 0);
            if (changedByRule)
                stack->undo();

            const QSignalSpy repainted(model, &QAbstractItemModel::dataChanged);
            saveOptions(*window, stepVolume);
            QCOMPARE(stack->index(), 1);
            QVERIFY(window->isWindowModified());
            QCOMPARE(station->volume_correction, before->volume_correction + (before->volume_correction < 30 ? 1 : -1));
            QVERIFY(!repainted.isEmpty());
            const Record after(svl_clone_station(station), svl_free_station);
            stack->undo();
            QVERIFY(svl_stations_equal(station, before.get()));
            QVERIFY(!window->isWindowModified());
            stack->redo();
            QVERIFY(svl_stations_equal(station, after.get()));
            stack->undo();
            stack->clear();
        }
    }
    window->setWindowModified(false);
}

QTEST_MAIN(TestSettingsCommand)
#include "test_settings_command.moc"
