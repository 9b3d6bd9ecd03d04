// The station settings dialog over generated tables of every kind: "Save" of an
// untouched dialog keeps every byte but the fields set by rule, one changed input
// changes its field alone, and "Save" refuses what a station record cannot hold.
#include "options/number_edit.h"
#include "options/svl_options_dialog.h"

#include <QComboBox>
#include <QListWidget>
#include <QStackedWidget>
#include <QSlider>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>

#include "fields/option_tables.h"
#include "fields/station_fields.h"
#include "svl/svl_ops.h"
#include "tests/app/test_mainwindow_support.h"

using namespace testsupport;

Q_DECLARE_METATYPE(const svl_station *)

namespace {

using Record = std::unique_ptr<svl_station, void (*)(svl_station *)>;
using Change = std::function<void(QWidget *input)>;

Record copyOf(const svl_station *station)
{
    return Record(svl_clone_station(station), svl_free_station);
}

// The names of the fields in which the records differ.
QStringList changedFields(const svl_station &a, const svl_station &b)
{
    QStringList fields;
#define NAME_IF_CHANGED(field)                                                                                         \
    if (std::memcmp(&a.field, &b.field, sizeof a.field) != 0)                                                         \
        fields << QStringLiteral(#field);
    SVL_STATION_FIELDS(NAME_IF_CHANGED)
#undef NAME_IF_CHANGED
    if (qstrcmp(a.name, b.name) != 0)
        fields << QStringLiteral("name");
    if (qstrcmp(a.origin_name, b.origin_name) != 0)
        fields << QStringLiteral("origin_name");
    return fields;
}

// What "Save" sets in an svl50 record where the dialog has no row: decoder
// always, CTI and comb filter on the TV page, the roll-off on the DVB-S node
// page, and HbbTV for analogue terrestrial stations.
Record withRules(const svl_station *station)
{
    Record expected = copyOf(station);
    const int type = station->ProgramDataByte;
    if (station->version < SVL_VERSION_50)
        return expected;
    expected->decoder = 0;
    if (type == 1 || type == 3 || type == 4 || type == 5)
        expected->CTI = expected->Combfilter = 0;
    if (type == 3 || type == 8)
        expected->SatRollOff = 0;
    if (type == 1)
        expected->hbbtv = 1;
    return expected;
}

// The input of the dialog found by its field name.
template <typename Input>
Input *inputOf(const SvlOptionsDialog &dialog, const char *field)
{
    return dialog.findChild<Input *>(QLatin1String(field));
}

// Opens the dialog, changes the named input (when one is named) and saves.
// The edited record, or null when "Save" did not close the dialog.
Record save(const svl_station *station, const char *field = nullptr, const Change &change = {})
{
    SvlOptionsDialog dialog(station);
    if (field)
        change(inputOf<QWidget>(dialog, field));
    dialog.saveChanges();
    return copyOf(dialog.result() == QDialog::Accepted ? dialog.editedStation() : nullptr);
}

// Types the first text, or the second when the first gives the same value.
Change type(const QString &first, const QString &second)
{
    return [=](QWidget *input) {
        auto *edit = static_cast<NumberEdit *>(input);
        const quint32 before = edit->value();
        edit->setText(first);
        if (edit->value() == before)
            edit->setText(second);
    };
}

void nextItem(QWidget *input)
{
    auto *combo = static_cast<QComboBox *>(input);
    combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
}

// Moves the slider beside the spin box, which the spin box must follow.
void slide(QWidget *input)
{
    auto *slider = input->parentWidget()->findChild<QSlider *>();
    slider->setValue(slider->value() < slider->maximum() ? slider->value() + 1 : slider->value() - 1);
}

// One input of each page, the station types whose dialog shows it (none
// listed: every type) and a change of it.
const struct {
    const char *field;
    QVector<int> types;
    Change change;
} pageEdits[] = {
    {"volume_correction", {}, slide},
    {"cni", {1, 3, 4, 5}, type(QStringLiteral("12ab"), QStringLiteral("0"))},
    {"service_id", {3, 4, 5, 8, 9, 10}, type(QStringLiteral("4660"), QStringLiteral("0"))},
    {"transport_stream_id", {3, 4, 5, 8, 9, 10}, type(QStringLiteral("65535"), QStringLiteral("0"))},
    {"analog_frequency", {1}, type(QStringLiteral("50.3"), QStringLiteral("100"))},
    {"Polarisation", {3, 8}, nextItem},
    {"GuardIntervall", {4, 9}, nextItem},
    {"Modulation", {3, 5, 8, 10}, nextItem},
};

Record makeStation(uint16_t version, uint8_t type, const char *name = "ARD")
{
    return Record(make_station(version, type, name), svl_free_station);
}

} // namespace

class TestSvlOptionsDialog : public QObject
{
    Q_OBJECT

    OwnedTable m_tables[2];

private slots:
    void initTestCase()
    {
        describeProgram();
        for (int i = 0; i < 2; ++i) {
            svl_generate_options options;
            options.stations = 36;
            options.version = i == 0 ? SVL_VERSION_40 : SVL_VERSION_50;
            options.every_kind = true;
            QCOMPARE(svl_generate_table(&m_tables[i].table, options), 0);
        }
    }

    void savingChangesOnlyWhatWasChanged_data()
    {
        QTest::addColumn<const svl_station *>("station");
        for (const OwnedTable &table : m_tables) {
            for (uint32_t list = 0; list < 2; ++list) {
                for (uint32_t i = 0; i < table.list(list)->count; ++i) {
                    const svl_station *station = table.list(list)->stations[i];
                    QTest::addRow("svl%d type %d #%u", station->version, station->ProgramDataByte, i) << station;
                }
            }
        }
    }

    void savingChangesOnlyWhatWasChanged()
    {
        QFETCH(const svl_station *, station);
        const Record expected = withRules(station);
        const Record untouched = save(station);
        QVERIFY(untouched);
        QCOMPARE(changedFields(*expected, *untouched), QStringList());
        // The list of pages stands beside the pages, not over them.
        SvlOptionsDialog shown(station);
        shown.show();
        const QWidget *pageList = shown.findChild<QListWidget *>();
        const QWidget *pages = shown.findChild<QStackedWidget *>();
        QVERIFY(pageList && pages && !pageList->geometry().intersects(pages->geometry()));
        for (const auto &edit : pageEdits) {
            const bool shown = edit.types.isEmpty() || edit.types.contains(station->ProgramDataByte);
            QCOMPARE(bool(inputOf<QWidget>(SvlOptionsDialog(station), edit.field)), shown);
            if (!shown)
                continue;
            const Record edited = save(station, edit.field, edit.change);
            QVERIFY(edited);
            QCOMPARE(changedFields(*expected, *edited), QStringList(QLatin1String(edit.field)));
        }
    }

    void numbersReadAsTheirFieldIsTyped()
    {
        const struct {
            int type;
            const char *field, *typed, *shown;
            uint saved;
        } numbers[] = {
            {1, "cni", "ff", "ff", 255u},  // hexadecimal
            {1, "analog_frequency", "50.25", "50.25", 804u},  // MHz in sixteenths
            {1, "analog_frequency", "50,25", "50,25", 804u},
            {1, "analog_frequency", "50.3", "50.3", 804u},  // truncated
            {9, "frequency", "12345678901", "1234567890", 1234567890u},  // ten digits of kHz
            {9, "transport_stream_id", "65535", "65535", 65535u},
            {9, "service_id", "1,000", "1000", 1000u},  // no group separators
        };
        for (const auto &number : numbers) {
            const Record station = makeStation(SVL_VERSION_50, uint8_t(number.type));
            SvlOptionsDialog dialog(station.get());
            auto *edit = inputOf<NumberEdit>(dialog, number.field);
            edit->clear();
            QTest::keyClicks(edit, QLatin1String(number.typed));
            QCOMPARE(qMakePair(edit->text(), edit->value()), qMakePair(QString(number.shown), number.saved));
        }
    }

    void saveRefusesWhatTheRecordCannotHold()
    {
        const auto text = [](int id) { return Strings::text(id); };
        const struct {
            const char *field;
            QString typed, reason;
        } refusals[] = {
            {"video_pid", "65356",
             text(Strings::NumberOutOfRangeMessage).arg(text(Strings::VideoPidLabel), "0", "65355")},
            {"name", "", text(Strings::EmptyStationNameMessage)},
            {"frequency", "", text(Strings::NumberUnreadableMessage).arg(text(Strings::FrequencyKhzLabel), "")},
            {"name", "Ärger € Ärger ✓",
             text(Strings::NameCharactersRefusedMessage).arg(optionText("CharSelCode", 1), QStringLiteral("Ä € ✓"))},
            {"name", QString(130, QChar(0x00FC)),
             text(Strings::StationNameTooLongMessage).arg(optionText("CharSelCode", 0))},
        };
        const Record station = makeStation(SVL_VERSION_50, 9, "\xBF\xD5\xE0\xD2\xEB\xD9");
        station->CharSelCode = 1;
        // A name of 172 characters comes only from a file; the field then takes as many.
        const Record longName = makeStation(SVL_VERSION_50, 9, QByteArray(172, 'n').constData());
        for (const auto &refusal : refusals) {
            SvlOptionsDialog dialog(refusal.typed.size() > 100 ? longName.get() : station.get());
            inputOf<QLineEdit>(dialog, refusal.field)->setText(refusal.typed);
            const MessageCatcher catcher;
            dialog.saveChanges();
            QCOMPARE(catcher.message().text, refusal.reason);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(dialog.editedStation(), nullptr);
        }
    }

    void namesKeepTheirLengthAndCharacterSet()
    {
        const QByteArray longName = "Thirty characters long name!!";
        const Record station = makeStation(SVL_VERSION_50, 3, longName.constData());
        QCOMPARE(inputOf<QLineEdit>(SvlOptionsDialog(station.get()), "name")->text(), QString::fromLatin1(longName));
        QCOMPARE(save(station.get())->name, longName);
        // Entry 6 of the character sets is ISO 8859-2, stored as 22: the name
        // is encoded in it and reads back as typed.
        const QString polish = QStringLiteral("Łódź TV");
        const Record edited = save(station.get(), "CharSelCode", [&](QWidget *input) {
            static_cast<QComboBox *>(input)->setCurrentIndex(6);
            input->parentWidget()->parentWidget()->findChild<QLineEdit *>(QStringLiteral("name"))->setText(polish);
        });
        QCOMPARE(edited->CharSelCode, 22);
        QCOMPARE(QByteArray(edited->name), QByteArray("\xA3\xF3" "d\xBC TV"));
        QCOMPARE(stationNameText(edited.get()), polish);

        // svl40 keeps name and character set of a DVB station out of reach.
        const Record old = makeStation(SVL_VERSION_40, 3);
        SvlOptionsDialog dialog(old.get());
        QVERIFY(!inputOf<QLineEdit>(dialog, "name")->isEnabled()
                && !inputOf<QComboBox>(dialog, "CharSelCode")->isEnabled());
    }

    void unknownValuesSurvive()
    {
        const Record station = makeStation(SVL_VERSION_50, 5);
        station->Modulation = 200;
        QCOMPARE(inputOf<QComboBox>(SvlOptionsDialog(station.get()), "Modulation")->currentText(),
                 QStringLiteral("200"));
        QCOMPARE(save(station.get())->Modulation, 200);
        const Record picked = save(station.get(), "Modulation", [](QWidget *input) {
            static_cast<QComboBox *>(input)->setCurrentIndex(3);
        });
        QCOMPARE(picked->Modulation, 3);
    }
};

QTEST_MAIN(TestSvlOptionsDialog)
#include "test_svl_options_dialog.moc"
