#include "app/brivo_application.h"
#include "cli/render_command.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/french_file_listing.h"
#include "morse/default_definitions.h"
#include "morse/ui/code_grid.h"
#include "support/file_size_limit.h"
#include "support/form_fixture.h"

#include <QFileSystemModel>

#include <sstream>

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;
using Icon = brivo::ui::Dialogs::Icon;

class TForm1Test : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale::c()); }

    void captionsFollowTheTrackBars_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("speed, French decimal comma")
            << u"TBvitesse"_s << 73 << u" Vitesse lettres = 730 (12,2 mots/mn)"_s << QLocale(QLocale::French);
        QTest::newRow("frequency top") << u"TBfreq"_s << 240 << u" Fréquence = 1500 Hz "_s << QLocale::c();
        QTest::newRow("signal odd position") << u"TBsignal"_s << 141 << u" Signal = 70% "_s << QLocale::c();
        QTest::newRow("noise") << u"TBsouffle"_s << 37 << u" Souffle = 18% "_s << QLocale::c();
        QTest::newRow("speed rounded up")
            << u"TBvitesse"_s << 73 << u" Vitesse lettres = 730 (12.2 mots/mn)"_s << QLocale::c();
        QTest::newRow("speed highest") << u"TBvitesse"_s << 200 << u" Vitesse lettres = 2000 (33.3 mots/mn)"_s
                                       << QLocale::c();
    }

    // The user moves the bar with the keyboard, one step away and back.
    void captionsFollowTheTrackBars()
    {
        QFETCH(QString, bar);
        QFETCH(int, position);
        QFETCH(QString, caption);
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale); // init() sets it back
        FormFixture f;
        auto* slider = f.form->findChild<QSlider*>(bar);
        QVERIFY(slider != nullptr);
        const bool atTop = position == slider->maximum();
        slider->blockSignals(true);
        slider->setValue(atTop ? position - 1 : position + 1);
        slider->blockSignals(false);
        QTest::keyClick(slider, atTop ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(slider->value(), position);
        QCOMPARE(qobject_cast<QGroupBox*>(slider->parentWidget())->title(), caption);
    }

    void definitionFileIsCreatedOnlyWhenMissing_data()
    {
        QTest::addColumn<bool>("emptyFileThere");
        QTest::newRow("missing: the built-in text") << false;
        QTest::newRow("empty: kept, defines nothing") << true;
    }

    void definitionFileIsCreatedOnlyWhenMissing()
    {
        QFETCH(bool, emptyFileThere);
        brivo::test::TempDir start;
        if (emptyFileThere)
            brivo::test::writeBytes(start / "Codmorse.INI", "");
        FormFixture f(start.path());
        QVERIFY(brivo::test::readBytes(start / "Codmorse.INI") ==
                (emptyFileThere ? std::string() : brivo::defaultDefinitionContent()));
        const auto* grid = f.control<brivo::ui::CodeGrid>("StringGridCW");
        QCOMPARE(grid->cellText(0, 2), u" Morse :"_s);
        QCOMPARE(grid->cellText(66, 1) + grid->cellText(66, 2), emptyFileThere ? u" Aignoré"_s : u" A.-"_s);
        QCOMPARE(grid->cellText(129, 1), u" €"_s);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // A folder where no file can be created, even by root.
    void writeProtectedFolderShowsBothMessagesThenCloses()
    {
        FormFixture f("/proc");
        QCOMPARE(f.dialogs.messages.size(), 2);
        QCOMPARE(f.dialogs.messages[0].title, u"Erreur de création du fichier CODMORSE.INI"_s);
        QVERIFY(
            f.dialogs.messages[0].text.startsWith(u"Les définitions du code morse se trouvent dans le\nfichier "_s));
        QCOMPARE(f.dialogs.messages[1].text, u"Fichier CODMORSE.INI introuvable :\nLe programme va se fermer."_s);
        QCOMPARE(f.dialogs.messages[1].title, u"Erreur d'exécution du programme"_s);
        QVERIFY(!f.form->isVisible());
    }

    void generateGivesTheSameBytesAsTheCommandLineRenderer()
    {
        FormFixture f;
        f.form->random().seed(4242);
        f.control<QTextEdit>("RichEdit")->setPlainText(u"CQ DE F6 été\n<AR>"_s);
        f.control<QLineEdit>("EditDebut")->setText(u"VVV"_s);
        f.control<QLineEdit>("EditFin")->setText(u"+"_s);
        f.control<QSlider>("TBfreq")->setValue(140);
        f.control<QSlider>("TBsignal")->setValue(120);
        f.control<QSlider>("TBsouffle")->setValue(60);
        f.control<QSlider>("TBvitesse")->setValue(90);
        f.control<QComboBox>("CBmot")->setCurrentIndex(1);
        f.control<QSpinBox>("CSdureeSP")->setValue(3);
        f.control<QComboBox>("ComboBoxFe")->setCurrentIndex(3);
        QTest::mouseClick(f.control("BoutonGeneFic"), Qt::LeftButton);
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.player.openedPaths.back(), f.dir / "Morse.WAV");
        QVERIFY(f.control<QLineEdit>("EditLive")->isReadOnly());

        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        brivo::cli::CommandEnvironment env{
            in, out, err, false, false, [] { return std::int64_t{0}; }, [] { return 0.0; }};
        std::vector<std::string> args;
        for (const QString& option : u"--seed=4242 --tone=140 --signal=120 --noise=60 --speed=90 --word=CODEX "
                                     u"--spacing=3 --rate=16000 --start=VVV --end=+"_s.split(u' '))
            args.push_back(option.toStdString());
        args.insert(args.end(), {"--table", (f.dir / "Codmorse.INI").string(), "-o", (f.dir / "cli.wav").string(),
                                 "CQ DE F6 été\n<AR>"});
        QCOMPARE(brivo::cli::runRenderCommand(args, env), 0);
        QVERIFY(brivo::test::readBytes(f.dir / "Morse.WAV") == brivo::test::readBytes(f.dir / "cli.wav"));
    }

    void failuresAreSaidAndLeaveTheFileAndThePlayer_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("text"); // %1: the target's path
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("calls"); // the player's, after the first render's "open"
        QTest::addColumn<bool>("playerClosed");
        const QString cannot = u"Pas de fichier Généré !"_s;
        const QString render = u"Erreur..."_s;
        const QStringList closed = {u"close"_s};
        const QStringList reopened = {u"close"_s, u"open Morse.WAV"_s};
        QTest::newRow("empty zone") << u"empty"_s
                                    << u"La zone de saisie ne contient\naucun texte à convertir en son !"_s
                                    << u" Pas de données :"_s << QStringList() << false;
        QTest::newRow("folder missing") << u"absent"_s << cannot << render << closed << true;
        QTest::newRow("disk full") << u"full"_s << cannot + u"\n\nÉcriture de « %1 » interrompue : Fichier trop grand"_s
                                   << render << closed << true;
        // 7,000 "$" at the slowest settings pass 2^31 samples: refused
        // before the player lets go of the previous file.
        QTest::newRow("too long for a WAV file")
            << u"long"_s << u"Le texte est trop long : le fichier sonore dépasserait 4 Go."_s << render << QStringList()
            << false;
        // A device error gets a full stop unless it ends in one, a quote or
        // a bracket; an exception from a handler is shown the same way.
        QTest::newRow("device, letter") << u"Le périphérique est absent"_s << u"Le périphérique est absent."_s
                                        << u"app_tests"_s << reopened << true;
        QTest::newRow("device, full stop")
            << u"Périphérique absent."_s << u"Périphérique absent."_s << u"app_tests"_s << reopened << true;
        QTest::newRow("device, quote") << u"Erreur 'x'"_s << u"Erreur 'x'"_s << u"app_tests"_s << reopened << true;
        QTest::newRow("device, bracket") << u"Erreur (263)"_s << u"Erreur (263)"_s << u"app_tests"_s << reopened
                                         << true;
        QTest::newRow("device, digit") << u"Erreur 263"_s << u"Erreur 263."_s << u"app_tests"_s << reopened << true;
        QTest::newRow("play throws") << u"throw"_s << u"Erreur 263."_s << u"app_tests"_s << reopened << false;
    }

    // "Générer et lire" after a first render: what fails is said in one box,
    // the previous file stays as it was, the player is closed before a
    // rewrite and not opened again on a failure, and the live entry stays
    // writable. The window goes on working.
    void failuresAreSaidAndLeaveTheFileAndThePlayer()
    {
        QFETCH(QString, failure);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QStringList, calls);
        QFETCH(bool, playerClosed);
        FormFixture f;
        f.generate(u"E"_s);
        const std::string before = brivo::test::readBytes(f.dir / "Morse.WAV");
        auto* zone = f.control<QTextEdit>("RichEdit");
        const auto target = f.dir / (failure == u"absent"_s ? "absent/Morse.WAV" : "Morse.WAV");
        f.dialogs.fileAnswers = {QString::fromStdString(target.string())};
        QTest::mouseClick(f.control("BoutonNom"), Qt::LeftButton);
        if (failure == u"empty"_s) {
            zone->clear();
            f.control<QLineEdit>("EditDebut")->setText(u"VVV"_s);
        } else if (failure == u"absent"_s || failure == u"full"_s) {
            zone->setPlainText(QString(300, u'H'));
        } else if (failure == u"long"_s) {
            f.control<QSlider>("TBvitesse")->setValue(20);
            f.control<QComboBox>("ComboBoxFe")->setCurrentIndex(4);
            f.control<QSpinBox>("CSdureeSP")->setValue(20);
            zone->setPlainText(QString(7000, u'$'));
        } else if (failure == u"throw"_s) {
            f.player.playFailure = "Erreur 263";
        } else {
            f.player.openError = failure.toStdString();
        }
        f.control<QLineEdit>("EditLive")->setText(u"AB"_s);
        {
            const brivo::test::FileSizeLimit limit(failure == u"full"_s ? 1 << 16 : RLIM_INFINITY);
            QTest::mouseClick(f.control("BoutonLecture"), Qt::LeftButton);
        }
        QCOMPARE(f.dialogs.messages.size(), failure == u"throw"_s ? 0 : 1); // an exception: once the click is over
        FormFixture::settle();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].text, text.arg(QString::fromStdString(target.string())));
        QCOMPARE(f.dialogs.messages[0].title, title);
        if (title == u"app_tests"_s)
            QCOMPARE(f.dialogs.messages[0].icon, Icon::Stop);
        std::vector<std::string> expected = {"open Morse.WAV"};
        for (const QString& call : calls)
            expected.push_back(call.toStdString());
        QCOMPARE(f.player.calls, expected);
        QVERIFY(brivo::test::readBytes(f.dir / "Morse.WAV") == before);
        QCOMPARE(f.control<QLineEdit>("EditLive")->text(), QString()); // the queue is dropped
        f.form->Timer1Timer();
        QVERIFY(!f.control<QLineEdit>("EditLive")->isReadOnly());
        QCOMPARE(f.control<QLabel>("Info")->text() == u"Générez un fichier"_s, playerClosed);

        f.player.openError.clear();
        f.player.playFailure.clear();
        f.dialogs.fileAnswers = {QString::fromStdString((f.dir / "Morse.WAV").string())};
        QTest::mouseClick(f.control("BoutonNom"), Qt::LeftButton);
        zone->setPlainText(u"E"_s);
        QTest::mouseClick(f.control("BoutonLecture"), Qt::LeftButton);
        QCOMPARE(f.player.calls.back(), std::string("play"));
    }

    void spacingIsReadWithinItsRange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("factor");
        QTest::newRow("in range") << u"7"_s << 7;
        QTest::newRow("not a number") << u"x"_s << 1;
        QTest::newRow("zero") << u"0"_s << 1;
        QTest::newRow("above") << u"50"_s << 20;
    }

    // "E" lasts 6 + 2 x factor units of 1102 samples; the box then shows
    // the factor it was read as.
    void spacingIsReadWithinItsRange()
    {
        QFETCH(QString, typed);
        QFETCH(int, factor);
        FormFixture f;
        auto* spin = f.control<QSpinBox>("CSdureeSP");
        spin->findChild<QLineEdit*>()->setText(typed);
        f.generate(u"E"_s);
        QCOMPARE(std::filesystem::file_size(f.dir / "Morse.WAV"), std::uintmax_t(58 + 2 * 1102 * (6 + 2 * factor)));
        QCOMPARE(spin->text(), QString::number(factor));
    }

    void everyClosePathClosesThePlayer_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("Quitter") << u"button"_s;
        QTest::newRow("Alt+Q") << u"alt-q"_s;
        QTest::newRow("title bar") << u"close"_s;
        QTest::newRow("system menu") << u"system-menu"_s;
        QTest::newRow("Alt+F4 without a window manager") << u"alt-f4"_s;
    }

    void everyClosePathClosesThePlayer()
    {
        QFETCH(QString, path);
        FormFixture f;
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.generate(u"E"_s);
        QVERIFY(f.player.isOpen);
        if (path == u"button"_s)
            QTest::mouseClick(f.control("BitBtn1"), Qt::LeftButton);
        else if (path == u"alt-q"_s) {
            // A mnemonic goes through the window, and clicks its button
            // after the button's press animation.
            QTest::keyClick(f.form->windowHandle(), Qt::Key_Q, Qt::AltModifier);
            QTRY_VERIFY(!f.form->isVisible());
        } else if (path == u"alt-f4"_s)
            QTest::keyClick(f.form->windowHandle(), Qt::Key_F4, Qt::AltModifier);
        else if (path == u"close"_s)
            f.form->close();
        else
            f.control<QMenu>("SystemMenu")->actions().constLast()->trigger();
        QVERIFY(!f.form->isVisible());
        QVERIFY(!f.player.isOpen);
        QCOMPARE(f.player.calls.back(), std::string("close"));
    }

    // Qt's own dialogs speak French, and a file dialog with no name yet
    // opens in the current folder, not on the list of drives.
    void standardDialogsAreFrenchAndStartInTheCurrentFolder()
    {
        QVERIFY(brivo::ui::installFrenchQtTranslation(*QCoreApplication::instance()));
        QVERIFY(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
                    .contains(u"Voulez-vous"_s));
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), u"Annuler"_s);
        // Its listing's sizes, types and dates are French, whatever the
        // system's locale.
        brivo::test::TempDir dir;
        std::filesystem::create_directory(dir / "sons");
        brivo::test::writeBytes(dir / "a.wav", std::string(5000, '\0'));
        QFileSystemModel files;
        brivo::ui::FrenchFileListing listing;
        listing.setSourceModel(&files);
        const QModelIndex folder =
            listing.mapFromSource(files.setRootPath(QString::fromStdString(dir.path().string())));
        QTRY_COMPARE(listing.rowCount(folder), 2);
        const auto row = [&](const QString& name) {
            const QModelIndex index =
                listing.mapFromSource(files.index(QString::fromStdString((dir / name.toStdString()).string())));
            return QStringList{listing.index(index.row(), 1, folder).data().toString(),
                               listing.index(index.row(), 2, folder).data().toString()};
        };
        QCOMPARE(row(u"a.wav"_s), (QStringList{u"4,9 Kio"_s, u"Fichier WAV"_s}));
        QCOMPARE(row(u"sons"_s), (QStringList{QString(), u"Dossier"_s}));
        QVERIFY(listing.index(0, 3, folder).data().toString().contains(u'/'));
        // A box keeps the message's lines whole.
        QMessageBox colours(QMessageBox::Warning, u" Attention :"_s,
                            QString::fromUtf8(brivo::messages::kSameTextColour.data()), QMessageBox::Ok);
        brivo::ui::keepMessageLines(colours);
        colours.show();
        const auto* label = colours.findChild<QLabel*>(u"qt_msgbox_label"_s);
        for (const QString& line : QString::fromUtf8(brivo::messages::kSameTextColour.data()).split(u'\n'))
            QVERIFY(QFontMetrics(label->font()).horizontalAdvance(line) <= label->contentsRect().width());
        QCOMPARE(brivo::ui::dialogStartFolder({}), QDir::currentPath());
        QCOMPARE(brivo::ui::dialogStartFolder(u"/tmp/a/b.txt"_s), u"/tmp/a"_s);
    }

    // A field's context menu shows no shortcut that the window takes for
    // itself (Ctrl+Z goes to the zone), and keeps the others.
    void contextMenusShowOnlyTheShortcutsTheyKeep()
    {
        FormFixture f;
        auto* start = f.control<QLineEdit>("EditDebut");
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), start->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(start, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QStringList shortcuts;
        for (const QAction* action : menu->actions())
            if (action->text().contains(u'\t'))
                shortcuts << action->text().section(u'\t', 1);
        menu->close();
        QVERIFY(!shortcuts.contains(u"Ctrl+Z"_s));
        QVERIFY(shortcuts.contains(u"Ctrl+C"_s));
    }

    // An odd value inside a one-line setting is said once, with the word;
    // the corrected line is saved, so the next start says nothing.
    void oddValuesOfOneLineSettingsAreSaidOnce_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("said"); // empty: nothing to say
        QTest::newRow("conditions: out of range") << u"\"Conditions_Reception\"=\"snr=500\""_s << u"hors bornes"_s;
        QTest::newRow("conditions: not a number") << u"\"Conditions_Reception\"=\"snr=fort qrm=2\""_s << u"snr=fort"_s;
        QTest::newRow("course: too many groups") << u"\"Cours_Koch\"=\"groups=99999 size=5\""_s << u"groups=99999"_s;
        QTest::newRow("course: an old lesson") << u"\"Cours_Koch\"=\"lesson=4 minutes=3\""_s << QString();
    }

    void oddValuesOfOneLineSettingsAreSaidOnce()
    {
        QFETCH(QString, line);
        QFETCH(QString, said);
        FormFixture f;
        f.form->close();
        brivo::test::writeBytes(f.settingsFile(), line.toStdString() + "\n");
        f.restart();
        QCOMPARE(f.dialogs.messages.size(), said.isEmpty() ? 0 : 1);
        if (!said.isEmpty())
            QVERIFY(f.dialogs.messages[0].text.contains(said));
        f.restart();
        QCOMPARE(f.dialogs.messages.size(), said.isEmpty() ? 0 : 1);
    }

    // A store that cannot be read (here 70 MB) is said with its reason and
    // moved aside whole; the close writes a new one beside it.
    void unreadableSettingsAreSetAsideNeverOverwritten()
    {
        FormFixture f;
        f.form->close();
        std::filesystem::resize_file(f.settingsFile(), 70 * 1024 * 1024);
        f.form.reset();
        f.restart();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.contains(u"64 Mo"_s));
        QVERIFY(f.dialogs.messages[0].text.contains(u"BRIVO.reg.illisible"_s));
        f.form->close();
        std::filesystem::path aside = f.settingsFile();
        aside += ".illisible";
        QCOMPARE(std::filesystem::file_size(aside), std::uintmax_t{70 * 1024 * 1024});
        QVERIFY(std::filesystem::file_size(f.settingsFile()) < 4096);
    }

    // Everything the user set comes back in the next window: its save
    // then writes the very same file, which the purge deletes.
    void settingsSurviveARestart()
    {
        FormFixture f;
        f.control<QSlider>("TBfreq")->setValue(140);
        f.control<QSlider>("TBvitesse")->setValue(90);
        f.control<QSpinBox>("CSpinEditLettres")->setValue(7);
        f.control<QCheckBox>("Selec4")->setChecked(true);
        f.control<QLineEdit>("Serie9")->setText(u"àbcdefghijklm"_s);
        f.control<QComboBox>("ComboBoxFe")->setCurrentIndex(0);
        f.control<QComboBox>("CBmot")->setCurrentIndex(1);
        f.control<QLineEdit>("EditDebut")->setText(u"VVV"_s);
        QTest::mouseClick(f.control("RBseries"), Qt::LeftButton);
        f.control<QAction>("TexteBlanc")->trigger();
        f.control<QAction>("FondNoir")->trigger();
        f.control<QTextEdit>("RichEdit")->setPlainText(u"CQ été\n\"DE\" \\ F6"_s);
        f.control<QCheckBox>("CBdesactive")->setChecked(false);
        f.control<QCheckBox>("CBqsb")->setChecked(true);
        f.control<QDoubleSpinBox>("SEqsb")->setValue(0.35);
        f.form->move(40, 30);
        f.form->close();
        const std::string saved = brivo::test::readBytes(f.settingsFile());
        QVERIFY(saved.find("\"Zone_d_edition\"=\"CQ été\\r\\n\\\"DE\\\" \\\\ F6\"") != std::string::npos);

        f.restart();
        QCOMPARE(f.form->pos(), QPoint(40, 30));
        QCOMPARE(f.control<QLineEdit>("Serie9")->text(), u"àbcdefghijklm"_s);
        QCOMPARE(f.control<QGroupBox>("GBfrequence")->title(), u" Fréquence = 1000 Hz "_s);
        QVERIFY(f.control<QRadioButton>("RBseries")->isChecked());
        QVERIFY(f.control<QAction>("FondNoir")->isChecked());
        QVERIFY(!f.control<QCheckBox>("CBdesactive")->isChecked());
        QVERIFY(f.control<QCheckBox>("CBqsb")->isChecked());
        QCOMPARE(f.control<QDoubleSpinBox>("SEqsb")->value(), 0.35);
        f.restart();
        QCOMPARE(brivo::test::readBytes(f.settingsFile()), saved);
        QVERIFY(f.dialogs.messages.isEmpty());

        // The purge: Cancel changes nothing; OK closes without saving and
        // deletes the file.
        QAction* purge = nullptr;
        for (QAction* item : f.control<QMenu>("SystemMenu")->actions())
            purge = item->text().startsWith(u"P&urger"_s) ? item : purge;
        f.dialogs.confirmAnswer = false;
        purge->trigger();
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].title, u" Purger le registre et quitter..."_s);
        QVERIFY(
            f.dialogs.messages[0].text.startsWith(u"Fichier  ["_s + QString::fromStdString(f.settingsFile().string())));
        f.dialogs.confirmAnswer = true;
        purge->trigger();
        QVERIFY(!f.form->isVisible());
        QVERIFY(!std::filesystem::exists(f.settingsFile()));
    }

    // Typed, pasted or set through a plain QLineEdit*, the entries obey one
    // rule: what the user adds is upper case and stops at the limit; what
    // the program sets is kept whole.
    void upperCaseEntriesKeepOneRuleForEveryCaller()
    {
        FormFixture f;
        auto* live = f.control<QLineEdit>("EditLive");
        live->setFocus();
        QTest::keyClicks(live, u"cq d"_s);
        QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, u"é"_s);
        QCoreApplication::sendEvent(live, &accented);
        QCOMPARE(live->text(), u"CQ DÉ"_s);
        live->clear();
        QTest::keyClicks(live, u"abcdefghijklmnopq"_s);
        QCOMPARE(live->text(), u"ABCDEFGHIJKLMNO"_s);

        auto* series = f.control<QLineEdit>("Serie1");
        series->setText(u"abcdefghijklm"_s); // restored: longer and as it was
        QCOMPARE(series->text(), u"abcdefghijklm"_s);
        series->setFocus();
        series->end(false);
        QTest::keyClicks(series, u"n"_s);
        QCOMPARE(series->text(), u"abcdefghijklm"_s);
        series->setText(u"qs"_s);
        series->end(false);
        series->insert(u"dfghjklmnop"_s); // a paste, however it arrives
        QCOMPARE(series->text(), u"qsDFGHJKLM"_s);
    }
};

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
