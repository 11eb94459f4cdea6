// The real X11 event path, on Xvfb under twm: right clicks passed up to the
// window, X11's text-editing bindings of Ctrl chords, window activation, and
// the quit signals of the real program. Input comes from xdotool, through
// the X server, as a user's would.
#include "drills/ui/drill_window.h"
#include "sending/ui/sending_window.h"
#include "support/form_fixture.h"

#include <QTimer>

#include <csignal>

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

namespace {

// Sends input through the X server. What it causes is awaited by the
// caller, with a bound, as the machine may be busy.
void xdotool(const QStringList& arguments)
{
    QCOMPARE(QProcess::execute(u"xdotool"_s, arguments), 0);
}

constexpr int kBound = 10000; // ms

// A right click as a hand makes it: the button held a little while.
QStringList rightClick()
{
    return {u"mousedown"_s, u"3"_s, u"sleep"_s, u"0.08"_s, u"mouseup"_s, u"3"_s};
}

QStringList pointAt(const QWidget* widget, QPoint local)
{
    const QPoint global = widget->mapToGlobal(local);
    return {u"mousemove"_s, QString::number(global.x()), QString::number(global.y())};
}

// A point of the window's own background, where no control lies.
QPoint backgroundPoint(const QWidget* window)
{
    for (int y = window->height() - 4; y > 0; y -= 4)
        for (int x = 4; x < window->width(); x += 4)
            if (window->childAt(x, y) == nullptr)
                return {x, y};
    return {};
}

QString popupName()
{
    const QWidget* popup = QApplication::activePopupWidget();
    return popup != nullptr ? popup->objectName() : QString();
}

} // namespace

class X11EventsTest : public QObject {
    Q_OBJECT

    // A window shown by the X server and placed by twm, with the pointer
    // (twm's focus follows it) on its background.
    static void showForReal(FormFixture& f)
    {
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        QTest::qWait(300);
        xdotool(pointAt(f.form.get(), backgroundPoint(f.form.get())));
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get(), kBound));
    }

    // One of our windows opened by its key, exposed and active, with the
    // pointer (and so twm's focus) on `at` in `control`.
    template <typename Window>
    static Window* openByKey(FormFixture& f, const QString& key, const QWidget* control, QPoint at)
    {
        showForReal(f);
        xdotool({u"key"_s, key});
        auto* window = f.form->findChild<Window*>();
        [&] {
            QTRY_VERIFY_WITH_TIMEOUT(window->isVisible(), kBound);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            xdotool(pointAt(control != nullptr ? control : window, at));
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window, kBound));
        }();
        return window;
    }

private Q_SLOTS:
    // The keying pad on the real event path: Left Ctrl as the dit paddle, then
    // Space held past X's auto-repeat as one dah (xdotool adds Left Ctrl to Right).
    void keyingPadTakesCtrlAndAHeldSpace()
    {
        FormFixture f;
        const auto* pad = f.form->findChild<QWidget*>(u"PadManip"_s);
        auto* window = openByKey<brivo::sending::ui::SendingWindow>(f, u"ctrl+p"_s, pad, pad->rect().center());
        QVERIFY(window->isActiveWindow());
        window->PadManip->setFocus();
        // Keyed while the event loop runs, as a hand keys.
        QProcess keying;
        keying.start(u"xdotool"_s, {u"key"_s, u"Control_L"_s, u"sleep"_s, u"1.5"_s, u"keydown"_s, u"space"_s,
                                    u"sleep"_s, u"0.9"_s, u"keyup"_s, u"space"_s});
        QTRY_COMPARE_WITH_TIMEOUT(window->decodedText(), u"E T"_s, kBound);
        QTRY_COMPARE_WITH_TIMEOUT(keying.state(), QProcess::NotRunning, kBound);
        QCOMPARE(keying.exitCode(), 0);
    }

    // A character typed on the real event path while a button of the drill
    // has the focus is taken as the answer, with a reaction time from the X
    // server's own key time that lies between the play and now.
    void drillTakesTheTypedCharacterWithItsKeyTime()
    {
        FormFixture f;
        auto* window = openByKey<brivo::drills::ui::DrillWindow>(f, u"ctrl+i"_s, nullptr, QPoint(150, 8));
        QVERIFY(window->isActiveWindow());
        for (int i = 1; i <= 9; ++i)
            f.control<QCheckBox>(("Selec" + std::to_string(i)).c_str())->setChecked(i == 1);
        f.control<QLineEdit>("Serie1")->setText(u"KMR"_s);
        window->setSettingsText("source=series");
        const auto started = std::chrono::steady_clock::now();
        window->BoutonDepartClick();
        QVERIFY(window->awaitingAnswer());
        window->findChild<QPushButton*>(u"BoutonDepart"_s)->setFocus();
        const QString typed = QString::fromStdU32String(std::u32string(1, *window->awaitedCharacter())).toLower();
        xdotool({u"type"_s, typed});
        QTRY_COMPARE_WITH_TIMEOUT(window->roundAnswers().size(), std::size_t{1}, kBound);
        const brivo::drills::CharacterAnswer& answer = window->roundAnswers().front();
        QVERIFY(answer.right());
        const double elapsedMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
        QVERIFY2(answer.reactionMs >= 0 && answer.reactionMs < elapsedMs,
                 qPrintable(QString::number(answer.reactionMs)));
        window->BoutonDepartClick(); // stops
    }

    void rightClickOpensOnlyWhatBelongsToTheControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("popup"); // the menu that opens, if any
        QTest::addColumn<int>("boxes");     // message boxes shown
        QTest::newRow("zone") << u"RichEdit"_s << QPoint(40, 40) << u"PopupMenu1"_s << 0;
        QTest::newRow("m button") << u"BoutonMenu"_s << QPoint(7, 6) << u"PopupMenu1"_s << 0;
        QTest::newRow("logo: the about box") << u"ImageLogo"_s << QPoint(45, 100) << QString() << 1;
        QTest::newRow("(c): nothing") << u"LabelCopyright"_s << QPoint(7, 8) << QString() << 0;
        QTest::newRow("mask: stays") << u"STmasquer"_s << QPoint(100, 100) << QString() << 0;
        QTest::newRow("banner") << u"Image2"_s << QPoint(100, 10) << u"SystemMenu"_s << 0;
        QTest::newRow("background") << u"Form1"_s << QPoint() << u"SystemMenu"_s << 0;
    }

    void rightClickOpensOnlyWhatBelongsToTheControl()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(QString, popup);
        QFETCH(int, boxes);
        FormFixture f;
        showForReal(f);
        if (control == u"STmasquer"_s)
            f.form->FormKeyDown(Qt::Key_X, Qt::AltModifier);
        auto* target = control == u"Form1"_s ? f.form.get() : f.control(qPrintable(control));
        xdotool(pointAt(target, at.isNull() ? backgroundPoint(target) : at) + rightClick());
        if (popup.isEmpty() && boxes == 0)
            QTest::qWait(300); // time for anything that should not open
        QTRY_COMPARE_WITH_TIMEOUT(popupName(), popup, kBound);
        QTRY_COMPARE_WITH_TIMEOUT(f.dialogs.messages.size(), boxes, kBound);
        if (!popup.isEmpty())
            xdotool({u"key"_s, u"Escape"_s});
        QTRY_COMPARE_WITH_TIMEOUT(popupName(), QString(), kBound); // nothing left open under the pointer
        if (control == u"BoutonMenu"_s)                            // Escape gives the keyboard back to "m"
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), target, kBound);
        if (control == u"STmasquer"_s)
            QVERIFY(f.control("STmasquer")->isVisible());
    }

    void ctrlCommandsLeaveTheTextAlone_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("chord");
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("Ctrl+D in the zone") << u"RichEdit"_s << u"ctrl+d"_s << u"EditLive"_s;
        QTest::newRow("Ctrl+Z in the zone") << u"RichEdit"_s << u"ctrl+z"_s << u"RichEdit"_s;
        QTest::newRow("Ctrl+D in Déb") << u"EditDebut"_s << u"ctrl+d"_s << u"EditLive"_s;
        QTest::newRow("Ctrl+Z in Déb") << u"EditDebut"_s << u"ctrl+z"_s << u"RichEdit"_s;
        QTest::newRow("Ctrl+K in the zone") << u"RichEdit"_s << u"ctrl+k"_s << u"MemoCopie"_s;
        QTest::newRow("Ctrl+Alt+1 in the zone") << u"RichEdit"_s << u"ctrl+alt+1"_s << u"RichEdit"_s;
    }

    void ctrlCommandsLeaveTheTextAlone()
    {
        QFETCH(QString, control);
        QFETCH(QString, chord);
        QFETCH(QString, focusAfter);
        FormFixture f;
        showForReal(f);
        auto* zone = f.control<QTextEdit>("RichEdit");
        auto* start = f.control<QLineEdit>("EditDebut");
        start->setFocus();
        xdotool({u"type"_s, u"VVV"_s});
        QTRY_COMPARE_WITH_TIMEOUT(start->text(), u"VVV"_s, kBound);
        zone->setFocus();
        xdotool({u"type"_s, u"ABC"_s});
        QTRY_COMPARE_WITH_TIMEOUT(zone->toPlainText(), u"ABC"_s, kBound);
        f.control(qPrintable(control))->setFocus();
        xdotool({u"key"_s, u"Home"_s});
        xdotool({u"key"_s, chord});
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(),
                                  focusAfter, kBound);
        QCOMPARE(start->text(), u"VVV"_s);
        if (chord == u"ctrl+alt+1"_s) // letter groups at the caret, and not the key's own character
            QTRY_VERIFY_WITH_TIMEOUT(zone->toPlainText().endsWith(u"ABC"_s) && zone->toPlainText().size() > 3 &&
                                         !zone->toPlainText().contains(u'1') && !zone->toPlainText().contains(u'"'),
                                     kBound);
        else
            QCOMPARE(zone->toPlainText(), u"ABC"_s);
    }

    // Ctrl+F1 shows the help and gives the tone bar the focus: the main
    // window stays active, so the arrow keys move the tone.
    void ctrlF1LeavesTheMainWindowActive()
    {
        FormFixture f;
        showForReal(f);
        auto* tone = f.control<QSlider>("TBfreq");
        const int before = tone->value();
        xdotool({u"key"_s, u"ctrl+F1"_s});
        QTRY_VERIFY_WITH_TIMEOUT(f.control("Form2")->isVisible(), kBound);
        QTest::qWait(500);
        QVERIFY(f.form->isActiveWindow());
        xdotool({u"key"_s, u"Right"_s});
        QTRY_VERIFY_WITH_TIMEOUT(tone->value() != before, kBound);
    }

    // twm ignores a move request: "Déplacer" moves by the keyboard (Return
    // keeps the place, Escape restores it), and Alt+F4, which twm does not
    // bind, closes.
    void moveAndCloseWithoutTheWindowManagersHelp()
    {
        FormFixture f;
        showForReal(f);
        QTRY_VERIFY_WITH_TIMEOUT(!f.form->findChild<QTimer*>(u"frameWait"_s)->isActive(), kBound);
        const QPoint start = f.form->frameGeometry().topLeft();
        f.control<QMenu>("SystemMenu")->actions().value(1)->trigger();
        xdotool({u"key"_s, u"Right"_s, u"Right"_s, u"Down"_s, u"Return"_s});
        QTRY_COMPARE_WITH_TIMEOUT(f.form->frameGeometry().topLeft(), start + QPoint(16, 8), kBound);
        // twm's focus follows the pointer, which the move may have left.
        const auto pointAtTheWindow = [&f] {
            xdotool(pointAt(f.form.get(), backgroundPoint(f.form.get())));
            QVERIFY(QTest::qWaitForWindowActive(f.form.get(), kBound));
        };
        pointAtTheWindow();
        // Escape puts it back where this move began.
        f.control<QMenu>("SystemMenu")->actions().value(1)->trigger();
        xdotool({u"key"_s, u"Down"_s});
        QTRY_COMPARE_WITH_TIMEOUT(f.form->frameGeometry().topLeft(), start + QPoint(16, 16), kBound);
        xdotool({u"key"_s, u"Escape"_s});
        QTRY_COMPARE_WITH_TIMEOUT(f.form->frameGeometry().topLeft(), start + QPoint(16, 8), kBound);
        pointAtTheWindow();
        xdotool({u"key"_s, u"alt+F4"_s});
        QTRY_VERIFY_WITH_TIMEOUT(!f.form->isVisible(), kBound);
    }

    // The real program, after a play on SDL's dummy driver, ends cleanly on
    // each quit signal, with its settings saved.
    void quitSignalsCloseAndSave_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void quitSignalsCloseAndSave()
    {
        QFETCH(int, signal);
        brivo::test::TempDir dir;
        const std::filesystem::path settings = dir / "config/ZORVANE/BRIVO.reg";
        std::filesystem::create_directories(settings.parent_path());
        brivo::test::writeBytes(settings, "\"Zone_d_edition\"=\"E\"\n");
        QProcess brivo;
        brivo.setWorkingDirectory(QString::fromStdString(dir.path().string()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, QString::fromStdString((dir / "config").string()));
        environment.insert(u"XDG_DATA_HOME"_s, QString::fromStdString((dir / "data").string()));
        environment.insert(u"SDL_AUDIODRIVER"_s, u"dummy"_s);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        brivo.setProcessEnvironment(environment);
        brivo.start(QStringLiteral(BRIVO_WINDOW_PATH), {});
        QVERIFY(brivo.waitForStarted());
        QProcess search;
        search.start(u"xdotool"_s, {u"search"_s, u"--sync"_s, u"--pid"_s, QString::number(brivo.processId()),
                                    u"--name"_s, u"BRIVO v"_s});
        QVERIFY(search.waitForFinished(10000));
        const QString id = QString::fromUtf8(search.readAllStandardOutput()).split(u'\n').constFirst();
        QTest::qWait(500);
        xdotool({u"mousemove"_s, u"--window"_s, id, u"4"_s, u"412"_s});
        xdotool({u"windowfocus"_s, u"--sync"_s, id});
        xdotool({u"key"_s, u"alt+g"_s});
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(dir / "Morse.WAV"), kBound);
        QTest::qWait(300);
        ::kill(static_cast<pid_t>(brivo.processId()), signal);
        QVERIFY(brivo.waitForFinished(10000));
        QCOMPARE(brivo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(brivo.exitCode(), 0);
        const std::string saved = brivo::test::readBytes(settings);
        QVERIFY(saved.find("\"Frequence\"") != std::string::npos);
        QVERIFY(saved.find("\"Zone_d_edition\"=\"E\"") != std::string::npos);
    }
};

QTEST_MAIN(X11EventsTest)
#include "x11_events_test.moc"
