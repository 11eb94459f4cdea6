// The copy check and the Koch course on the real window: Ctrl+K, a copy,
// "Corriger", the history file and the drill of the weak characters; Ctrl+L,
// "Nouvelle séance" into the zone, the copy checked in Ctrl+K and stored for
// the course, which moves on; a check of an edited zone is an ordinary one.
#include "cli/lesson_command.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "practice/history/history_store.h"
#include "practice/koch_course.h"
#include "practice/ui/copy_check_window.h"
#include "practice/ui/course_window.h"
#include "support/form_fixture.h"

#include <sstream>

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

class PracticeWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:

    // An empty zone and an empty history are said, and store nothing.
    void copyIsCorrectedStoredAndItsWeakCharactersDrilled()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->clear();
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(zone->toPlainText(), QString()); // the chord types nothing
        auto* window = f.control<QWidget>("CopyCheckWindow");
        QVERIFY(window->isVisible());
        auto* copy = f.control<QPlainTextEdit>("MemoCopie");
        QCOMPARE(window->focusWidget(), copy);
        QTest::mouseClick(f.control<QPushButton>("BoutonCorriger"), Qt::LeftButton);
        QTest::mouseClick(f.control<QPushButton>("BoutonPointsFaibles"), Qt::LeftButton);
        QCOMPARE(f.dialogs.messages.size(), 2);
        QCOMPARE(f.dialogs.messages[0].text, u"La zone de saisie est vide : il n'y a rien à comparer."_s);
        QVERIFY(f.dialogs.messages[1].text.startsWith(u"Aucune erreur dans les derniers contrôles"_s));
        QVERIFY(!std::filesystem::exists(f.historyFile()));

        zone->setPlainText(u"ABCDE FGHIJ"_s);
        QTest::keyClicks(copy, u"abde fghxj"_s);
        QTest::keyClick(copy, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(f.dialogs.messages.size(), 2);
        QCOMPARE(f.control<QLabel>("LabelScore")->text(),
                 u"Score : 81,8 %  (substitutions : 1, omissions : 1, ajouts : 0)"_s);
        auto* table = f.control<QTableWidget>("GrilleCaracteres");
        QCOMPARE(table->rowCount(), 10);
        QCOMPARE(table->item(2, 0)->text(), u"C"_s);
        QCOMPARE(table->item(2, 2)->text(), u"1"_s);
        QCOMPARE(table->item(2, 2)->foreground().color(), QColor(Qt::black)); // on its light red, any theme

        const brivo::practice::HistoryStore history(f.historyFile());
        QVERIFY(history.exportCsv(f.dir / "h.csv"));
        const std::string csv = brivo::test::readBytes(f.dir / "h.csv");
        QVERIFY2(csv.ends_with(",81.8,2,12.0,1,0,\"ABCDE FGHIJ\",\"ABDE FGHXJ\",\"\",,,,\r\n"),
                 csv.c_str()); // speed 72
        QCOMPARE(history.counts(0)->size(), 10U);
        QCOMPARE(history.counts(0)->at(U'I').wrong, 1);

        QTest::mouseClick(f.control<QPushButton>("BoutonPointsFaibles"), Qt::LeftButton);
        QCOMPARE(f.control<QLineEdit>("Serie9")->text(), u"CCCCCIIIII"_s);
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(f.control<QCheckBox>(qPrintable(u"Selec%1"_s.arg(i)))->isChecked(), i == 9);
        QVERIFY(f.control<QRadioButton>("RBseries")->isChecked());
        const QString exercise = zone->toPlainText();
        QVERIFY(!exercise.contains(u"ABCDE"_s));
        QVERIFY(exercise.contains(u'C') && exercise.contains(u'I'));
        QVERIFY2(QString(exercise).remove(u'C').remove(u'I').trimmed().remove(u' ').isEmpty(), qPrintable(exercise));

        QTest::keyClick(copy, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    // The check window is no window of its own for the event loop: closing
    // the main window quits, as the program's main() runs it.
    void systemMenuOpensItAndClosingTheMainWindowEndsTheProgram()
    {
        FormFixture f;
        f.form->findChild<QMenu*>(u"SystemMenu"_s)->actions().value(4)->trigger();
        auto* window = f.control<QWidget>("CopyCheckWindow");
        QVERIFY(window->isVisible());
        // Placed over the trainer, not at the screen's corner.
        QVERIFY(f.form->frameGeometry().contains(window->pos()));
        QGuiApplication::setQuitOnLastWindowClosed(true);
        QTimer::singleShot(0, f.form.get(), [&f] { f.form->close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); }); // it did not quit
        QCOMPARE(QApplication::exec(), 0);
    }

    // One session in three actions, in the course window: "Nouvelle séance"
    // (the introduction, then the session, at 20/10 WPM), the copy typed,
    // Ctrl+Entrée; the summary says what the check did.
    void sessionInThreeActionsMovesTheCourseOn()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_L, Qt::ControlModifier);
        auto* course = f.form->findChild<brivo::practice::ui::CourseWindow*>();
        QVERIFY(course->isVisible());
        QCOMPARE(course->state().lesson, 2);
        QVERIFY(f.control<QAbstractSpinBox>("SpinMinutes")->text().startsWith(u"5,0"_s)); // numbers in French
        QCOMPARE(course->speeds(), (brivo::practice::CourseSpeeds{20, 10, false}));
        // Under a dark theme the new character stays readable (4.5:1).
        QPalette dark = course->palette();
        dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
        course->setPalette(dark);
        course->showCourse();
        const QString lesson = f.control<QLabel>("LabelCaracteres")->text();
        const QColor newest(lesson.section(u"color=\""_s, 1, 1).left(7));
        const auto luminance = [](const QColor& c) {
            const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
        };
        QVERIFY2((luminance(newest) + 0.05) / (luminance(dark.color(QPalette::Window)) + 0.05) >= 4.5,
                 qPrintable(newest.name()));
        f.control<QSpinBox>("SpinGroupes")->setValue(24);
        f.control<QCheckBox>("CBpalier")->setChecked(true);
        QTest::mouseClick(f.control("BoutonSeance"), Qt::LeftButton);
        const QString session = zone->toPlainText();
        QVERIFY2(session.startsWith(u"M M M M M "_s), qPrintable(session));
        QVERIFY(f.control("STmasquer")->isVisible());
        QVERIFY(std::find(f.player.calls.begin(), f.player.calls.end(), "play") != f.player.calls.end());
        // K and M three times each, a pause, then the session, keyed at
        // 20 WPM and spaced to 10.
        const std::string wav = brivo::test::readBytes(f.player.openedPaths.back());
        const double heard = static_cast<double>(wav.size() - 44) / 2 / 11025;
        const brivo::MorseTable table = brivo::tableFromContent(brivo::defaultDefinitionContent());
        const double expected =
            brivo::practice::courseSeconds(U"K K K M M M   " + session.toStdU32String(), table, course->speeds());
        QVERIFY2(std::abs(heard - expected) < 0.1, qPrintable(u"%1 s, not %2 s"_s.arg(heard).arg(expected)));

        auto* copy = f.control<QPlainTextEdit>("MemoCopieCours");
        QCOMPARE(course->focusWidget(), copy);
        QTest::keyClicks(copy, session);
        QTest::keyClick(copy, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(course->state().lesson, 3);
        QVERIFY(f.dialogs.messages.isEmpty()); // no box to close
        QVERIFY(copy->toPlainText().isEmpty());
        const QString summary = f.control<QLabel>("LabelBilan")->text();
        QVERIFY2(summary.startsWith(u"Score : 100,0 %. « M » juste 50 fois sur 50."_s) && summary.contains(u"« U »"_s),
                 qPrintable(summary));
        QCOMPARE(course->speeds().effectiveWpm, 11); // one step up
        const auto order = *brivo::practice::namedOrder("lcwo");
        auto* check = f.form->findChild<brivo::practice::ui::CopyCheckWindow*>();
        QCOMPARE(check->history().course(order)->checks.size(), 1U);
        QCOMPARE(check->history().course(order)->checks[0].lesson, 2);

        // A poor copy says what the course still needs.
        QTest::mouseClick(f.control("BoutonSeance"), Qt::LeftButton);
        f.control("BoutonSeance")->setFocus();
        QTest::keyClick(course, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(course->focusWidget(), copy);
        QTest::keyClicks(copy, u"UUUUU"_s);
        QTest::mouseClick(f.control("BoutonCorrigerCours"), Qt::LeftButton);
        QVERIFY2(f.control<QLabel>("LabelBilan")->text().contains(u"il faut encore : un score d'au moins 90 %"_s),
                 qPrintable(f.control<QLabel>("LabelBilan")->text()));
        const QString next = zone->toPlainText();

        // The zone edited: the next check is an ordinary one.
        zone->setPlainText(next + u" K"_s);
        QTest::keyClicks(copy, next);
        QTest::keyClick(copy, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(f.control<QLabel>("LabelBilan")->text(), u"La zone de saisie ne contient plus le texte de la séance : "
                                                          "ce contrôle est gardé dans l'historique, sans compter pour "
                                                          "le cours."_s);
        QCOMPARE(check->history().course(order)->checks.size(), 2U);
        QCOMPARE(check->history().checks()->size(), 3U);
        f.restart(); // the course's choices are kept
        QCOMPARE(f.control<QSpinBox>("SpinGroupes")->value(), 24);
        QCOMPARE(f.form->findChild<brivo::practice::ui::CourseWindow*>()->speeds(),
                 (brivo::practice::CourseSpeeds{20, 11, true}));

        // The window and brivo-lesson share the course through the history.
        const auto lessonCommand = [&f](std::vector<std::string> args) {
            std::istringstream in;
            std::ostringstream out;
            std::ostringstream err;
            brivo::cli::CommandEnvironment env{in, out, err, false, false, {}, {}};
            args.insert(args.end(), {"--history", f.historyFile().string()});
            const int status = brivo::cli::runLessonCommand(args, env, {});
            return out.str() + err.str() + (status == 0 ? "" : " (échec)");
        };
        const auto courseLesson = [&f] {
            f.control("RichEdit")->setFocus();
            QTest::keyClick(f.control("RichEdit"), Qt::Key_L, Qt::ControlModifier);
            return f.form->findChild<brivo::practice::ui::CourseWindow*>()->state().lesson;
        };
        QCOMPARE(courseLesson(), 3);
        std::string perfect;
        for (int group = 0; group < 30; ++group)
            perfect += "KMUUU ";
        brivo::test::writeBytes(f.dir / "good.txt", perfect);
        const std::string good = (f.dir / "good.txt").string();
        QVERIFY(lessonCommand({"--record", good, good}).ends_with("leçon 4, nouveau caractère R.\n"));
        f.restart();
        QCOMPARE(courseLesson(), 4);
        f.control<QSpinBox>("SpinLecon")->setValue(6);
        QVERIFY(lessonCommand({"--status"}).find("Leçon 6 :") != std::string::npos);
        f.restart();
        QCOMPARE(courseLesson(), 6);
    }

    // The material: words of the lesson's characters; a personal list kept
    // over a restart; a source with nothing to draw leaves the zone alone.
    // A history that cannot be read (here a folder) is said in French, and
    // the course runs in memory from lesson 2: its checks move it on.
    void unreadableHistoryLeavesTheCourseInMemory()
    {
        FormFixture f;
        std::filesystem::create_directories(f.historyFile());
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_L, Qt::ControlModifier);
        auto* course = f.form->findChild<brivo::practice::ui::CourseWindow*>();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY2(f.dialogs.messages[0].text.contains(u"en mémoire"_s) &&
                     !f.dialogs.messages[0].text.contains(u"error"_s),
                 qPrintable(f.dialogs.messages[0].text));
        QCOMPARE(f.control<QSpinBox>("SpinLecon")->value(), 2);
        f.control<QSpinBox>("SpinGroupes")->setValue(24);
        QTest::mouseClick(f.control("BoutonSeance"), Qt::LeftButton);
        QVERIFY(zone->toPlainText().startsWith(u"M M M M M "_s));
        QTest::keyClick(zone, Qt::Key_K, Qt::ControlModifier);
        f.control<QPlainTextEdit>("MemoCopie")->setPlainText(zone->toPlainText());
        f.form->findChild<brivo::practice::ui::CopyCheckWindow*>()->BoutonCorrigerClick();
        QCOMPARE(course->state().lesson, 3);
        QVERIFY(f.control<QLabel>("LabelBilan")->text().contains(u"« U »"_s));
    }

    void materialFillsTheZoneWithItemsOfTheLessonsCharacters()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        QTest::keyClick(zone, Qt::Key_L, Qt::ControlModifier);
        auto* material = f.control<QComboBox>("ComboMateriel");
        material->setCurrentIndex(material->findData(u"calls"_s));
        zone->setPlainText(u"mon texte"_s);
        QTest::mouseClick(f.control("BoutonSeance"), Qt::LeftButton);
        QCOMPARE(zone->toPlainText(), u"mon texte"_s);
        QCOMPARE(f.dialogs.messages.last().text, u"Aucun indicatif avec ces 2 caractères : K M"_s);

        f.control<QSpinBox>("SpinLecon")->setValue(12);
        f.control<QSpinBox>("SpinGroupes")->setValue(10);
        material->setCurrentIndex(material->findData(u"words-fr"_s));
        QTest::mouseClick(f.control("BoutonSeance"), Qt::LeftButton);
        const QString words = zone->toPlainText();
        QCOMPARE(words.split(u' ').size(), 10);
        for (const QChar c : words)
            QVERIFY2(u"KMURESNAPTLW "_s.contains(c), qPrintable(words));

        // Long material scrolls: the window keeps its size, inside the screen.
        auto* course = f.form->findChild<brivo::practice::ui::CourseWindow*>();
        const QSize size = course->size();
        f.control<QSpinBox>("SpinLecon")->setValue(40);
        f.control<QSpinBox>("SpinGroupes")->setValue(200);
        material->setCurrentIndex(material->findData(u"abbrev"_s));
        QTest::mouseClick(f.control("BoutonSeance"), Qt::LeftButton);
        QVERIFY(f.control<QLabel>("LabelSens")->text().count(u'\n') > 20);
        QCOMPARE(course->size(), size);
        QVERIFY(course->screen()->availableGeometry().contains(course->frameGeometry()));
        f.control<QSpinBox>("SpinLecon")->setValue(12);

        const QString list = QString::fromStdString((f.dir / "liste.txt").string());
        brivo::test::writeBytes(f.dir / "liste.txt", "km\nF5ABC\nsun\n");
        f.dialogs.fileAnswers = {list};
        QTest::mouseClick(f.control("BoutonOuvrirListe"), Qt::LeftButton);
        QCOMPARE(material->currentData().toString(), u"list"_s);
        f.control<QSpinBox>("SpinGroupes")->setValue(4);
        QTest::mouseClick(f.control("BoutonSeance"), Qt::LeftButton);
        QCOMPARE(zone->toPlainText().split(u' ').count(u"KM"_s), 2);
        QCOMPARE(zone->toPlainText().split(u' ').count(u"SUN"_s), 2);
        f.restart();
        QCOMPARE(f.control<QComboBox>("ComboMateriel")->currentData().toString(), u"list"_s);
        QCOMPARE(f.form->findChild<brivo::practice::ui::CourseWindow*>()->settings().list, list.toStdString());
    }
};

QTEST_MAIN(PracticeWindowsTest)
#include "practice_windows_test.moc"
