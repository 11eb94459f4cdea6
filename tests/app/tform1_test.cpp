#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "cli/render_command.h"
#include "common/ui/spin_edit.h"
#include "common/ui/track_bar.h"
#include "common/ui/upper_case_line_edit.h"
#include "editzone/ui/edit_zone.h"
#include "exercise/ui/series_controls.h"
#include "morse/ui/code_grid.h"
#include "player/ui/playback_row.h"
#include "support/form_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <sstream>

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;
using Icon = brivo::ui::Dialogs::Icon;

class TForm1Test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale::c());
    }

    void windowIsFixedWithItsCaption()
    {
        FormFixture f;
        QCOMPARE(f.form->windowTitle(), u" BRIVO v4.1 - Apprentissage de la lecture au son - TELVAR"_s);
        QCOMPARE(f.form->size(), QSize(614, 422));
        QCOMPARE(f.form->minimumSize(), f.form->maximumSize());
        QVERIFY(!(f.form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.form->windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    void controlsStandAtTheirBounds_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("bounds");
        QTest::newRow("RichEdit") << u"RichEdit"_s << QRect(102, 24, 507, 190);
        QTest::newRow("EditLive") << u"EditLive"_s << QRect(26, 216, 73, 24);
        QTest::newRow("BoutonGeneFic") << u"BoutonGeneFic"_s << QRect(298, 218, 67, 23);
        QTest::newRow("PageControl1") << u"PageControl1"_s << QRect(4, 244, 606, 121);
        QTest::newRow("CBmot") << u"CBmot"_s << QRect(264, 242, 78, 24);
        QTest::newRow("TBfreq") << u"TBfreq"_s << QRect(3, 16, 224, 25);
        QTest::newRow("BitBtn1") << u"BitBtn1"_s << QRect(530, 392, 78, 24);
        QTest::newRow("CSEchiffres") << u"CSEchiffres"_s << QRect(384, 393, 41, 26);
    }

    void controlsStandAtTheirBounds()
    {
        QFETCH(QString, control);
        QFETCH(QRect, bounds);
        FormFixture f;
        QCOMPARE(widget(f, control)->geometry(), bounds);
    }

    void firstStartShowsTheDesignValues()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        QCOMPARE(form.SampleRate, 11025);
        QCOMPARE(form.sound->ComboBoxFe->currentText(), u"Fe=11025Hz"_s);
        QCOMPARE(form.sound->CBmot->currentText(), u" PARIS"_s);
        QCOMPARE(form.sound->TBfreq->value(), 99);
        QCOMPARE(form.sound->CSdureeSP->value(), 1);
        QVERIFY(form.series->RBdirect->isChecked());
        QVERIFY(!form.series->RBseries->isChecked());
        QVERIFY(!form.SeriesMode);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(form.series->Selec[static_cast<std::size_t>(i)]->isChecked(), i == 0);
        QCOMPARE(form.PageControl1->currentWidget(), form.TSprincipale);
        QVERIFY(!form.PlayerOpen);
        QVERIFY(!form.FileGenerated);
        QVERIFY(form.SaveSettingsOnClose);
        QVERIFY(!form.playback->BoutonLire->isEnabled());
        QVERIFY(form.playback->BoutonGeneFic->isEnabled());
        QCOMPARE(form.TextColour, 0x80000008U);
        QCOMPARE(form.BackgroundColour, 0x80000005U);
        QCOMPARE(form.MediaPlayer1.fileName, u"son.wav"_s);
        QCOMPARE(form.sound->SaveDialogWAV.fileName, u"Morse.WAV"_s);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void tabOrderStartsWithTheLiveEntry()
    {
        FormFixture f;
        auto& form = *f.form;
        QCOMPARE(nextTabStop(form.playback->EditLive), static_cast<QWidget*>(form.editZone->RichEdit));
        QCOMPARE(nextTabStop(form.playback->BoutonStop), static_cast<QWidget*>(form.PageControl1));
        QCOMPARE(nextTabStop(form.BitBtn1), static_cast<QWidget*>(form.BoutonAide));
        QCOMPARE(nextTabStop(form.EditFin), static_cast<QWidget*>(form.sound->CBmot));
    }

    void captionsFollowTheTrackBars_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("caption");
        QTest::newRow("frequency at start") << u"TBfreq"_s << 99 << u" Fréquence = 795 Hz "_s;
        QTest::newRow("frequency top") << u"TBfreq"_s << 240 << u" Fréquence = 1500 Hz "_s;
        QTest::newRow("signal at start") << u"TBsignal"_s << 140 << u" Signal = 70% "_s;
        QTest::newRow("signal odd position") << u"TBsignal"_s << 141 << u" Signal = 70% "_s;
        QTest::newRow("noise") << u"TBsouffle"_s << 37 << u" Souffle = 18% "_s;
        QTest::newRow("speed at start") << u"TBvitesse"_s << 72 << u" Vitesse lettres = 720 (12.0 mots/mn)"_s;
        QTest::newRow("speed lowest") << u"TBvitesse"_s << 20 << u" Vitesse lettres = 200 (3.3 mots/mn)"_s;
        QTest::newRow("speed highest") << u"TBvitesse"_s << 200 << u" Vitesse lettres = 2000 (33.3 mots/mn)"_s;
    }

    // The user moves the bar with the keyboard, one step away and back.
    void captionsFollowTheTrackBars()
    {
        QFETCH(QString, bar);
        QFETCH(int, position);
        QFETCH(QString, caption);
        FormFixture f;
        auto* slider = qobject_cast<brivo::ui::TrackBar*>(widget(f, bar));
        QVERIFY(slider != nullptr);
        slider->setPosition(position == slider->maximum() ? position - 1 : position + 1);
        QTest::keyClick(slider, position == slider->maximum() ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(slider->value(), position);
        QCOMPARE(qobject_cast<QGroupBox*>(slider->parentWidget())->title(), caption);
    }

    void programmaticMovesLeaveTheCaption()
    {
        FormFixture f;
        f.form->sound->TBsouffle->setPosition(200);
        QCOMPARE(f.form->sound->GBsouffle->title(), u" Souffle = 0% "_s);
    }

    void speedCaptionUsesTheLocaleDecimalSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        FormFixture f;
        QLocale::setDefault(QLocale::c());
        QCOMPARE(f.form->sound->GBvitesse->title(), u" Vitesse lettres = 720 (12,0 mots/mn)"_s);
    }

    void missingDefinitionFileIsCreatedAndShownInTheGrid()
    {
        FormFixture f;
        f.show();
        const auto file = f.dir / "Codmorse.INI";
        QCOMPARE(std::filesystem::file_size(file), std::uintmax_t{3373});
        const auto* grid = f.form->StringGridCW;
        QCOMPARE(grid->columnCount() + 1, 257);
        QCOMPARE(grid->cellText(0, 0), u" Octet :"_s);
        QCOMPARE(grid->cellText(0, 2), u" Morse :"_s);
        QCOMPARE(grid->cellText(66, 0), u" 65"_s);
        QCOMPARE(grid->cellText(66, 1), u" A"_s);
        QCOMPARE(grid->cellText(66, 2), u".-"_s);
        QCOMPARE(grid->cellText(1, 1), u" "_s);
        QCOMPARE(grid->cellText(129, 1), u" €"_s);
        QCOMPARE(grid->cellText(14, 2), u" "_s);
        QCOMPARE(definedColumns(*grid), 132);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void emptyDefinitionFileDefinesNothingSilently()
    {
        brivo::test::TempDir start;
        brivo::test::writeBytes(start / "Codmorse.INI", "");
        FormFixture f(start.path());
        f.show();
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(definedColumns(*f.form->StringGridCW), 0);
        QCOMPARE(f.form->StringGridCW->cellText(66, 2), u"ignoré"_s);
        QCOMPARE(std::filesystem::file_size(start / "Codmorse.INI"), std::uintmax_t{0});
    }

    // A folder where no file can be created, even by root.
    void writeProtectedFolderShowsBothMessagesThenCloses()
    {
        FormFixture f("/proc");
        f.show();
        QCOMPARE(f.dialogs.messages.size(), 2);
        QCOMPARE(f.dialogs.messages[0].title, u"Erreur de création du fichier CODMORSE.INI"_s);
        QVERIFY(
            f.dialogs.messages[0].text.startsWith(u"Les définitions du code morse se trouvent dans le\nfichier "_s));
        QCOMPARE(f.dialogs.messages[0].icon, Icon::None);
        QCOMPARE(f.dialogs.messages[1].text, u"Fichier CODMORSE.INI introuvable :\nLe programme va se fermer."_s);
        QCOMPARE(f.dialogs.messages[1].title, u"Erreur d'exécution du programme"_s);
        QVERIFY(!f.form->isVisible());
        QCOMPARE(f.form->StringGridCW->cellText(66, 2), QString());
    }

    void generateGivesTheSameBytesAsTheCommandLineRenderer()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        form.random.seed(4242);
        form.editZone->RichEdit->setPlainText(u"CQ DE F6 été\n<AR>"_s);
        form.EditDebut->setText(u"VVV"_s);
        form.EditFin->setText(u"+"_s);
        form.sound->TBfreq->setPosition(140);
        form.sound->TBsignal->setPosition(120);
        form.sound->TBsouffle->setPosition(60);
        form.sound->TBvitesse->setPosition(90);
        form.sound->CBmot->setCurrentIndex(1);
        form.sound->CSdureeSP->setValue(3);
        form.sound->ComboBoxFe->setCurrentIndex(3);
        QTest::mouseClick(form.playback->BoutonGeneFic, Qt::LeftButton);
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(form.FileGenerated);
        QVERIFY(form.PlayerOpen);
        QCOMPARE(form.SampleRate, 16000);
        QCOMPARE(f.player.calls.back(), std::string("open Morse.WAV"));
        QCOMPARE(form.MediaPlayer1.fileName, u"Morse.WAV"_s);
        QVERIFY(form.playback->EditLive->isReadOnly());

        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        brivo::cli::CommandEnvironment env{
            in, out, err, false, false, [] { return std::int64_t{0}; }, [] { return 0.0; }};
        const int status = brivo::cli::runRenderCommand({"--seed",
                                                         "4242",
                                                         "--tone",
                                                         "140",
                                                         "--signal",
                                                         "120",
                                                         "--noise",
                                                         "60",
                                                         "--speed",
                                                         "90",
                                                         "--word",
                                                         "CODEX",
                                                         "--spacing",
                                                         "3",
                                                         "--rate",
                                                         "16000",
                                                         "--start",
                                                         "VVV",
                                                         "--end",
                                                         "+",
                                                         "-o",
                                                         "cli.wav",
                                                         "CQ DE F6 été\n<AR>"},
                                                        env);
        QCOMPARE(status, 0);
        QVERIFY(brivo::test::readBytes(f.dir / "Morse.WAV") == brivo::test::readBytes(f.dir / "cli.wav"));
    }

    void secondRenderClosesThePlayerBeforeRewriting()
    {
        FormFixture f;
        f.show();
        f.generate(u"E"_s);
        f.form->BoutonGeneFicClick(f.form->playback->BoutonGeneFic);
        const std::vector<std::string> expected = {"open Morse.WAV", "close", "open Morse.WAV"};
        QCOMPARE(f.player.calls, expected);
        QCOMPARE(std::filesystem::file_size(f.dir / "Morse.WAV"), std::uintmax_t{17690});
    }

    void liveRenderKeysTheLiveCharacterAlone()
    {
        FormFixture f;
        f.show();
        f.form->editZone->RichEdit->clear();
        f.form->EditDebut->setText(u"VVV"_s);
        f.form->playback->STlive->setText(u"E"_s);
        f.form->BoutonGeneFicClick(f.form->playback->EditLive);
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(std::filesystem::file_size(f.dir / "Morse.WAV"), std::uintmax_t{58 + 2 * 4408});
        QVERIFY(!f.form->playback->EditLive->isReadOnly());
    }

    void emptyZoneIsRefusedAndChangesNothing()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        f.generate(u"E"_s);
        const std::string before = brivo::test::readBytes(f.dir / "Morse.WAV");
        form.editZone->RichEdit->clear();
        form.EditDebut->setText(u"VVV"_s);
        form.playback->EditLive->setText(u"AB"_s);
        const auto state = form.random.state();
        const auto calls = f.player.calls.size();
        form.BoutonGeneFicClick(form.playback->BoutonGeneFic);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].text, u"La zone de saisie ne contient\naucun texte à convertir en son !"_s);
        QCOMPARE(f.dialogs.messages[0].title, u" Pas de données :"_s);
        QVERIFY(brivo::test::readBytes(f.dir / "Morse.WAV") == before);
        QCOMPARE(f.player.calls.size(), calls);
        QVERIFY(form.PlayerOpen);
        QVERIFY(!form.FileGenerated);
        QCOMPARE(form.random.state(), state);
        QCOMPARE(form.playback->EditLive->text(), QString());
        QVERIFY(!form.playback->EditLive->isReadOnly());
    }

    void fileThatCannotBeCreatedIsReported()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        f.generate(u"E"_s);
        form.sound->SaveDialogWAV.fileName = u"absent/Morse.WAV"_s;
        form.sound->ComboBoxFe->setCurrentIndex(0);
        form.BoutonGeneFicClick(form.playback->BoutonGeneFic);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].text, u"Pas de fichier Généré !"_s);
        QCOMPARE(f.dialogs.messages[0].title, u"Erreur..."_s);
        QVERIFY(!form.PlayerOpen);
        QVERIFY(!form.FileGenerated);
        QCOMPARE(form.SampleRate, 11025);
        QCOMPARE(form.MediaPlayer1.fileName, u"absent/Morse.WAV"_s);
        QVERIFY(!form.playback->EditLive->isReadOnly());
    }

    void fileDialogNamesTheNextRender()
    {
        FormFixture f;
        f.show();
        auto& form = *f.form;
        const QString chosen = QString::fromStdString((f.dir / "lecon.WAV").string());
        f.dialogs.fileAnswers = {chosen, QString()};
        QTest::mouseClick(form.sound->BoutonNom, Qt::LeftButton);
        QCOMPARE(form.sound->SaveDialogWAV.fileName, chosen);
        QTest::mouseClick(form.sound->BoutonNom, Qt::LeftButton); // Cancel keeps it
        QCOMPARE(form.sound->SaveDialogWAV.fileName, chosen);
        QCOMPARE(f.dialogs.fileDialogStarts.value(0), u"Morse.WAV"_s);
        const auto& spec = f.dialogs.fileDialogs.value(0);
        QCOMPARE(spec.title, u" Nom du fichier sonore à créer :"_s);
        QCOMPARE(spec.defaultSuffix, u"WAV"_s);
        QVERIFY(spec.nameFilters.value(0).contains(u"*.wav"_s));
        QVERIFY(spec.nameFilters.value(0).contains(u"*.WAV"_s));
        QVERIFY(spec.folderMustExist && spec.refuseReadOnlyFile && !spec.confirmOverwrite);

        f.generate(u"E"_s);
        QVERIFY(std::filesystem::exists(f.dir / "lecon.WAV"));
        QVERIFY(!std::filesystem::exists(f.dir / "Morse.WAV"));
    }

    void spacingSpinBoxReadsGarbageAsOne()
    {
        FormFixture f;
        auto* spin = f.form->sound->CSdureeSP;
        spin->setValue(7);
        QCOMPARE(spin->readValue(), 7);
        spin->findChild<QLineEdit*>()->setText(u"x"_s);
        QCOMPARE(spin->readValue(), 1);
        QCOMPARE(spin->text(), u"1"_s);
    }

    void errorBoxAppliesTheFullStopRule_data()
    {
        QTest::addColumn<QString>("deviceError");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << u"Le périphérique est absent"_s << u"Le périphérique est absent."_s;
        QTest::newRow("full stop") << u"Périphérique absent."_s << u"Périphérique absent."_s;
        QTest::newRow("apostrophe") << u"Erreur 'x'"_s << u"Erreur 'x'"_s;
        QTest::newRow("closing bracket") << u"Erreur (263)"_s << u"Erreur (263)"_s;
        QTest::newRow("digit") << u"Erreur 263"_s << u"Erreur 263."_s;
    }

    // A player that cannot open the new file raises its device error, which
    // escapes the click handler into the error box.
    void errorBoxAppliesTheFullStopRule()
    {
        QFETCH(QString, deviceError);
        QFETCH(QString, shown);
        FormFixture f;
        f.show();
        f.player.openError = deviceError.toStdString();
        f.form->editZone->RichEdit->setPlainText(u"E"_s);
        QTest::mouseClick(f.form->playback->BoutonGeneFic, Qt::LeftButton);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].text, shown);
        QCOMPARE(f.dialogs.messages[0].title, u"app_tests"_s);
        QCOMPARE(f.dialogs.messages[0].icon, Icon::Stop);
        QVERIFY(f.form->FileGenerated);
        QVERIFY(!f.form->PlayerOpen);
    }

    void everyClosePathClosesThePlayer_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("Quitter") << u"button"_s;
        QTest::newRow("Alt+Q") << u"alt-q"_s;
        QTest::newRow("title bar") << u"close"_s;
        QTest::newRow("system menu") << u"system-menu"_s;
    }

    void everyClosePathClosesThePlayer()
    {
        QFETCH(QString, path);
        FormFixture f;
        f.show();
        auto& form = *f.form;
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        f.generate(u"E"_s);
        QVERIFY(form.PlayerOpen);
        if (path == u"button"_s)
            QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        else if (path == u"alt-q"_s) {
            // A mnemonic goes through the window, and clicks its button
            // after the button's press animation.
            QTest::keyClick(form.windowHandle(), Qt::Key_Q, Qt::AltModifier);
            QTRY_VERIFY(!form.isVisible());
        } else if (path == u"close"_s)
            form.close();
        else
            form.findChild<QMenu*>(u"SystemMenu"_s)->actions().constLast()->trigger();
        QVERIFY(!form.isVisible());
        QVERIFY(!form.PlayerOpen);
        QCOMPARE(f.player.calls.back(), std::string("close"));
    }

    void seriesAndLiveEntriesTakeUpperCase()
    {
        FormFixture f;
        f.show();
        auto* live = f.form->playback->EditLive;
        live->setFocus();
        QTest::keyClicks(live, u"cq d"_s);
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, u"é"_s);
        QCoreApplication::sendEvent(live, &accented);
        QCOMPARE(live->text(), u"CQ DÉ"_s);
        live->clear();
        QTest::keyClicks(live, u"abcdefghijklmnopq"_s);
        QCOMPARE(live->text(), u"ABCDEFGHIJKLMNO"_s);
    }

private:
    static QWidget* widget(FormFixture& f, const QString& name) { return f.form->findChild<QWidget*>(name); }

    // The next widget that the Tab key reaches.
    static QWidget* nextTabStop(QWidget* from)
    {
        QWidget* next = from->nextInFocusChain();
        while (next != from && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    }

    static int definedColumns(const brivo::ui::CodeGrid& grid)
    {
        int defined = 0;
        for (int column = 1; column <= 256; ++column)
            defined += grid.cellText(column, 2) != u"ignoré"_s ? 1 : 0;
        return defined;
    }
};

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
