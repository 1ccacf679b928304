#include "MainWindowFixture.h"
#include "mock/TempDir.h"
#include "platform/FileRegistryStore.h"
#include "widgets/ActionPanel.h"
#include "widgets/ClickPanel.h"
#include "widgets/StartPanel.h"

#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** Presets on a real store file in a private folder. */
class Presets : public MainWindowFixture
{
protected:
    TempDir dir;
    FileRegistryStore file{dir.file(QStringLiteral("registry.reg"))};

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        registry = &file;
    }

    /** Stores presets as the program does, each with its name and `minutes` as the one other setting. */
    void storePresets(const QStringList& names, int minutes = 5)
    {
        for (int k = 0; k < names.size(); ++k)
            storeSubkey(TEinst::KeyPath(k + 1).section(u'\\', -1), names[k], minutes);
    }
    void storeSubkey(const QString& subkey, const QString& name, int minutes = 5)
    {
        ASSERT_TRUE(file.update([&](RegistryTree& tree) {
            const QString key = kMainKey + u'\\' + subkey;
            tree.createKey(key);
            tree.setValue(key, QStringLiteral("Name"), RegValue::sz(name));
            tree.setValue(key, QStringLiteral("Zeit_Minuten"), RegValue::fromDword(minutes));
        }));
    }

    QStringList storedSubkeys() { return file.load().subkeys(kMainKey); }
    QStringList storedNames()
    {
        const RegistryTree tree = file.load();
        QStringList names;
        for (const QString& subkey : tree.subkeys(kMainKey))
            names << tree.value(kMainKey + u'\\' + subkey, QStringLiteral("Name")).value_or(RegValue()).text;
        return names;
    }
    TROptionen storedPreset(int number)
    {
        TEinst preset;
        preset.LoadFromRegistry(file, number);
        return preset.options();
    }

    QStringList choiceItems() const
    {
        QStringList items;
        for (int i = 0; i < ui().CBx_Presets->count(); ++i)
            items << ui().CBx_Presets->itemText(i);
        return items;
    }

    void select(int row) { ui().LBx_Presets->setCurrentRow(row); }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    /** What the user does in the preset editor when it is shown. */
    void inEditor(const std::function<void(TEinstellungen&)>& act)
    {
        modal.actions[QStringLiteral("Einstellungen")] = [act](QDialog& dialog) {
            act(static_cast<TEinstellungen&>(dialog));
        };
    }
    /** The user sets one minute and a message and confirms. */
    void editorSetsOneMinuteAndConfirms(const QString& message)
    {
        inEditor([message](TEinstellungen& editor) {
            editor.Eingabe->Ed_Stunden->setText(QStringLiteral("0"));
            editor.Eingabe->Ed_Minuten->setText(QStringLiteral("1"));
            editor.Eingabe->Ed_Sekunden->setText(QStringLiteral("0"));
            editor.Aktion->Ed_Nachricht->setText(message);
            editor.Btn_OK->click();
        });
    }
};

TEST_F(Presets, StoredPresetsAreListedOnceHoweverOftenTheWindowIsShown)
{
    storePresets({QStringLiteral("Tee"), QStringLiteral("Pizza")});
    createAndShow();
    EXPECT_EQ(listLines(), (QStringList{QStringLiteral("Tee"), QStringLiteral("Pizza")}));
    EXPECT_EQ(choiceItems(), (QStringList{QString(), QStringLiteral("Tee"), QStringLiteral("Pizza")}));
    EXPECT_EQ(ui().CBx_Presets->currentIndex(), -1);

    main->hide();
    main->show();
    main->hide();
    main->show();
    EXPECT_EQ(listLines(), (QStringList{QStringLiteral("Tee"), QStringLiteral("Pizza")}));
    EXPECT_EQ(choiceItems(), (QStringList{QString(), QStringLiteral("Tee"), QStringLiteral("Pizza")}));
}

TEST_F(Presets, PagesMadeWhenTheSettingsFirstOpenShowWhatWasChosenBefore)
{
    storePresets({QStringLiteral("Tee"), QStringLiteral("Pizza")});
    ASSERT_TRUE(file.update([](RegistryTree& tree) {
        const QString key = TEinst::KeyPath(2);
        tree.setValue(key, QStringLiteral("Aktion"), RegValue::fromDword(AktionNachricht));
        tree.setValue(key, QStringLiteral("Nachricht"), RegValue::sz(QStringLiteral("Pizza holen")));
    }));
    createAndShow();
    // The controls as the window has them, without the fixture making the pages.
    const TMainUi& controls = main->ui();
    ASSERT_EQ(controls.PageControl1, nullptr);
    Q_EMIT controls.CBx_Presets->activated(2);

    controls.Btn_Config->click();
    ASSERT_NE(controls.Aktion, nullptr);
    EXPECT_TRUE(controls.Aktion->isVisible());
    EXPECT_TRUE(controls.Aktion->P_Msg->isChosen());
    EXPECT_EQ(controls.Aktion->Ed_Nachricht->text(), QStringLiteral("Pizza holen"));
    EXPECT_TRUE(controls.PageControl1->isTabVisible(controls.PageControl1->indexOf(controls.TS_Sound)));
    EXPECT_EQ(listLines(), (QStringList{QStringLiteral("Tee"), QStringLiteral("Pizza")}));
}

TEST_F(Presets, SubkeysAreReadThroughTheirNumber)
{
    storePresets({QStringLiteral("Tee")});
    storeSubkey(QStringLiteral("Alt"), QStringLiteral("Fremd"));
    storeSubkey(QStringLiteral("7"), QStringLiteral("ohne 007")); // "007" does not exist
    storeSubkey(QStringLiteral("0"), QStringLiteral("Null"));
    storeSubkey(QStringLiteral("1000"), QStringLiteral("Tausend"));
    createAndShow();
    EXPECT_EQ(listLines(), (QStringList{QStringLiteral("Tee"), QStringLiteral("Tausend")}));
}

TEST_F(Presets, DeletingTheFirstOfThreeRenumbersTheRestAndDropsForeignSubkeys)
{
    storePresets({QStringLiteral("Tee"), QStringLiteral("Pizza"), QStringLiteral("Pause")});
    storeSubkey(QStringLiteral("Alt"), QStringLiteral("Fremd"));
    createAndShow();
    const RegistryTree before = file.load();
    click(ui().Btn_Presets_Del); // no line selected: nothing happens
    EXPECT_TRUE(file.load() == before);

    select(0);
    click(ui().Btn_Presets_Del);
    EXPECT_EQ(storedSubkeys(), (QStringList{QStringLiteral("001"), QStringLiteral("002")}));
    EXPECT_EQ(storedNames(), (QStringList{QStringLiteral("Pizza"), QStringLiteral("Pause")}));
    EXPECT_EQ(listLines(), (QStringList{QStringLiteral("Pizza"), QStringLiteral("Pause")}));
    EXPECT_EQ(choiceItems(), (QStringList{QString(), QStringLiteral("Pizza"), QStringLiteral("Pause")}));
    EXPECT_TRUE(modal.shown.isEmpty()); // no question
}

TEST_F(Presets, AddThenCancelInTheEditorStoresTheDefaultsUnderTheName)
{
    storePresets({QStringLiteral("Tee")});
    createAndShow();
    inputBox.answers = {QStringLiteral("Pizza")};
    inEditor([](TEinstellungen& editor) {
        Q_EMIT editor.Aktion->P_Shutdown->clicked(); // changed, then left with "Schließen"
        editor.Btn_Schliessen->click();
    });
    click(ui().Btn_Presets_Add);

    ASSERT_EQ(inputBox.asked.size(), 1);
    EXPECT_EQ(inputBox.asked[0].caption, QStringLiteral("Vordefinierte Einstellungen"));
    EXPECT_EQ(inputBox.asked[0].prompt, QStringLiteral("Name:"));
    EXPECT_EQ(modal.shown, QStringList{QStringLiteral("Einstellungen")});
    TEinst expected;
    expected.SetName(QStringLiteral("Pizza"));
    EXPECT_EQ(storedPreset(2), expected.options());
    EXPECT_EQ(storedPreset(2).AnzBeeps, 3);
    EXPECT_EQ(listLines(), (QStringList{QStringLiteral("Tee"), QStringLiteral("Pizza")}));
}

TEST_F(Presets, BlankNamesAreAskedAgainAndCancelChangesNothing)
{
    createAndShow();
    inputBox.answers = {QStringLiteral("   "), QStringLiteral("\t"), QStringLiteral("  Tee  ")};
    editorSetsOneMinuteAndConfirms(QStringLiteral("Tee ist fertig"));
    click(ui().Btn_Presets_Add);
    EXPECT_EQ(inputBox.prefills(), (QStringList{QString(), QString(), QString()}));
    EXPECT_EQ(storedNames(), QStringList{QStringLiteral("Tee")});
    EXPECT_EQ(storedPreset(1).Nachricht, QStringLiteral("Tee ist fertig"));

    const RegistryTree before = file.load();
    inputBox.answers = {QStringLiteral(" "), std::nullopt};
    click(ui().Btn_Presets_Add);
    EXPECT_TRUE(file.load() == before);
    EXPECT_EQ(modal.shown.size(), 1); // the editor was not shown again
}

TEST_F(Presets, ChangeCancelledInTheEditorKeepsTheOldNameAndSettings)
{
    storePresets({QStringLiteral("Tee"), QStringLiteral("Pizza")}, 5);
    createAndShow();
    EXPECT_FALSE(ui().Btn_Presets_Change->isEnabled());
    select(1);
    EXPECT_TRUE(ui().Btn_Presets_Change->isEnabled());

    inputBox.answers = {QStringLiteral(""), QStringLiteral("Pasta")};
    TROptionen shown;
    inEditor([&shown](TEinstellungen& editor) {
        shown = editor.EditorOptions().options();
        editor.Eingabe->Ed_Minuten->setText(QStringLiteral("9"));
        editor.close();
    });
    click(ui().Btn_Presets_Change);
    EXPECT_EQ(inputBox.prefills(), (QStringList{QStringLiteral("Pizza"), QStringLiteral("Pizza")}));
    EXPECT_EQ(shown.Name, QStringLiteral("Pasta"));
    EXPECT_EQ(shown.Zeit_Minuten, 5);
    EXPECT_EQ(storedNames(), (QStringList{QStringLiteral("Tee"), QStringLiteral("Pizza")}));
    EXPECT_EQ(storedPreset(2).Zeit_Minuten, 5);
}

TEST_F(Presets, ChangeConfirmedInTheEditorStoresTheNewNameAndSettings)
{
    storePresets({QStringLiteral("Tee"), QStringLiteral("Pizza")});
    createAndShow();
    select(0);
    inputBox.answers = {QStringLiteral("Grüner Tee")};
    editorSetsOneMinuteAndConfirms(QStringLiteral("<b>Tee</b> ist fertig"));
    click(ui().Btn_Presets_Change);
    EXPECT_EQ(storedNames(), (QStringList{QStringLiteral("Grüner Tee"), QStringLiteral("Pizza")}));
    EXPECT_EQ(storedPreset(1).Zeit_Minuten, 1);
    EXPECT_EQ(storedPreset(1).Nachricht, QStringLiteral("<b>Tee</b> ist fertig"));
    EXPECT_EQ(listLines(), (QStringList{QStringLiteral("Grüner Tee"), QStringLiteral("Pizza")}));
}

TEST_F(Presets, ChoosingAPresetReplacesEveryOptionIncludingTheName)
{
    TEinst pizza;
    pizza.SetName(QStringLiteral("Pizza"));
    pizza.SetAktion(AktionLogoff);
    pizza.SetForce(true);
    pizza.SetZeitMode(ZeitUhrzeit);
    pizza.SetStunden(18);
    pizza.SetMinuten(30);
    pizza.SetSekunden(15);
    pizza.SetSofortStart(true);
    pizza.SetClosePgm(true);
    pizza.SetMinimize(true);
    pizza.SetSoundMode(SoundFile);
    pizza.SetAnzBeeps(7);
    pizza.SetSoundFile(QStringLiteral("/tmp/gong.wav"));
    pizza.SetNachricht(QStringLiteral("Pizza ist fertig"));
    pizza.SetVorwarnzeit(15);
    pizza.SaveToRegistry(file, 2);
    storeSubkey(QStringLiteral("001"), QStringLiteral("Tee"));
    createAndShow();
    main->CurrentOptions().SetNachricht(QStringLiteral("vorher"));
    const TROptionen before = main->CurrentOptions().options();

    Q_EMIT ui().CBx_Presets->activated(0); // the empty first item
    EXPECT_EQ(main->CurrentOptions().options(), before);

    Q_EMIT ui().CBx_Presets->activated(2);
    EXPECT_EQ(main->CurrentOptions().options(), pizza.options());
    EXPECT_TRUE(ui().Aktion->P_Logoff->isChosen()); // the view shows the chosen preset
    EXPECT_EQ(ui().Eingabe->Ed_Uhrzeit->text(), QStringLiteral("18:30:15"));
    EXPECT_EQ(ui().Start->Ed_Vorwarnzeit->text(), QStringLiteral("15"));
}

TEST_F(Presets, PresetAddedWhileNoKeyExistsSurvivesARestart)
{
    createAndShow();
    ASSERT_FALSE(QFileInfo::exists(file.path())); // nothing is written at start
    inputBox.answers = {QStringLiteral("Tee")};
    editorSetsOneMinuteAndConfirms(QStringLiteral("Tee ist fertig"));
    click(ui().Btn_Presets_Add);

    main->hide();
    create();
    main->show();
    EXPECT_EQ(listLines(), QStringList{QStringLiteral("Tee")});
    EXPECT_EQ(storedPreset(1).Nachricht, QStringLiteral("Tee ist fertig"));
}

TEST_F(Presets, OlderLayoutValuesAreRemovedAtStartAndNothingElse)
{
    ASSERT_TRUE(file.update([](RegistryTree& tree) {
        tree.createKey(kMainKey);
        for (const char* name : {"Autostart", "CountDown", "Logoff", "Message", "Reboot", "ShutDown", "Sound",
                                 "Standby", "Stopuhr", "Uhrzeit", "Nachricht"})
            tree.setValue(kMainKey, QLatin1String(name), RegValue::sz(QStringLiteral("x")));
        tree.createKey(kMainKey + QStringLiteral("\\001"));
        tree.setValue(kMainKey + QStringLiteral("\\001"), QStringLiteral("Sound"), RegValue::fromDword(1));
    }));
    create();
    const RegistryTree tree = file.load();
    EXPECT_EQ(tree.valueNames(kMainKey), QStringList{QStringLiteral("Nachricht")});
    EXPECT_TRUE(tree.value(kMainKey + QStringLiteral("\\001"), QStringLiteral("Sound")));
}

TEST_F(Presets, EveryChangeIsOneStoreUpdateAndAFailedOneIsReported)
{
    registry = &store; // the in-memory store counts its updates and can be made to fail
    createAndShow();
    inputBox.answers = {QStringLiteral("Tee"), QStringLiteral("Pizza")};
    editorSetsOneMinuteAndConfirms(QStringLiteral("fertig"));
    click(ui().Btn_Presets_Add);
    click(ui().Btn_Presets_Add);
    EXPECT_EQ(store.updates, 2);
    EXPECT_TRUE(boxes.boxes.isEmpty());

    store.failWrites = true;
    select(0);
    click(ui().Btn_Presets_Del);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Kelvaro"));
    // The list keeps showing what is in memory, so the next operation acts on the line the user sees.
    EXPECT_EQ(listLines(), QStringList{QStringLiteral("Pizza")});
}

} // namespace
