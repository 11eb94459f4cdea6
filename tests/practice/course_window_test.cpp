// The Koch course on the real window: Ctrl+L, "Nouvelle séance" into the
// zone, the copy checked in Ctrl+K and stored for the course, which moves
// on; a check of an edited zone is an ordinary one.
#include "practice/koch_course.h"
#include "practice/ui/copy_check_window.h"
#include "practice/ui/course_window.h"
#include "support/form_fixture.h"

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

class CourseWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sessionCheckedInCtrlKMovesTheCourseOn()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_L, Qt::ControlModifier);
        auto* course = f.form->findChild<brivo::practice::ui::CourseWindow*>();
        QVERIFY(course->isVisible());
        QCOMPARE(course->state().lesson, 2);
        f.control<QSpinBox>("SpinGroupes")->setValue(24);
        QTest::mouseClick(f.control("BoutonSeance"), Qt::LeftButton);
        const QString session = zone->toPlainText();
        QVERIFY2(session.startsWith(u"M M M M M "_s), qPrintable(session));
        QVERIFY(f.control("STmasquer")->isVisible());
        QVERIFY(std::find(f.player.calls.begin(), f.player.calls.end(), "play") != f.player.calls.end());

        QTest::keyClick(zone, Qt::Key_K, Qt::ControlModifier);
        auto* copy = f.control<QPlainTextEdit>("MemoCopie");
        copy->setPlainText(session);
        auto* check = f.form->findChild<brivo::practice::ui::CopyCheckWindow*>();
        check->BoutonCorrigerClick();
        QCOMPARE(course->state().lesson, 3);
        QVERIFY(f.dialogs.messages.size() == 1 && f.dialogs.messages[0].text.contains(u"« U »"_s));
        const auto order = *brivo::practice::namedOrder("lcwo");
        QCOMPARE(check->history().course(order)->checks.size(), 1U);
        QCOMPARE(check->history().course(order)->checks[0].lesson, 2);

        // The zone edited: the next check is an ordinary one.
        zone->setPlainText(session + u" K"_s);
        check->BoutonCorrigerClick();
        QCOMPARE(check->history().course(order)->checks.size(), 1U);
        QCOMPARE(check->history().checks()->size(), 2U);
        f.restart(); // the course's choices are kept
        QCOMPARE(f.control<QSpinBox>("SpinGroupes")->value(), 24);
    }

    // The material: words of the lesson's characters; a personal list kept
    // over a restart; a source with nothing to draw leaves the zone alone.
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

QTEST_MAIN(CourseWindowTest)
#include "course_window_test.moc"
