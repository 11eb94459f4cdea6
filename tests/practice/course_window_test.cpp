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
};

QTEST_MAIN(CourseWindowTest)
#include "course_window_test.moc"
