// "Manipulation" on the real window: Ctrl+P opens it with the keyboard on
// the pad; Space as a straight key, the two Ctrls as paddles, and a held
// Space's auto-repeat all decode as keyed.
#include "sending/ui/sending_window.h"
#include "sending/ui/timing_chart.h"
#include "support/form_fixture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

struct Stroke {
    bool press;
    char key; // ' ' Space, 'i' Left Ctrl, 'a' Right Ctrl
    int ms;   // the server's time
};
Q_DECLARE_METATYPE(Stroke)

namespace {

// `baseMs` past the last strokes' time by more than a second ties the
// server's clock to ours again, at the first of these.
void send(QWidget* pad, const std::vector<Stroke>& strokes, int baseMs = 0)
{
    for (const Stroke& stroke : strokes) {
        const bool space = stroke.key == ' ';
        const quint32 code = space ? 65 : stroke.key == 'i' ? 37 : 105;
        const quint32 sym = space ? 0x20 : stroke.key == 'i' ? 0xffe3 : 0xffe4;
        QKeyEvent event(stroke.press ? QEvent::KeyPress : QEvent::KeyRelease, space ? Qt::Key_Space : Qt::Key_Control,
                        Qt::NoModifier, code, sym, 0, space ? u" "_s : QString());
        event.setTimestamp(static_cast<quint64>(stroke.ms + baseMs) + 100000);
        QApplication::sendEvent(pad, &event);
    }
}

} // namespace

class SendingWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyingDecodes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<std::vector<Stroke>>("strokes");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("straight key") << 0
                                      << std::vector<Stroke>{{true, ' ', 0},    {false, ' ', 180}, {true, ' ', 240},
                                                             {false, ' ', 300}, {true, ' ', 360},  {false, ' ', 540}}
                                      << u"K"_s;
        QTest::newRow("iambic B squeeze")
            << 3 << std::vector<Stroke>{{true, 'i', 0}, {true, 'a', 10}, {false, 'i', 200}, {false, 'a', 200}}
            << u"R"_s;
        // Held 720 ms: X repeats from 660 ms, with the release and the press
        // at the same server time.
        QTest::newRow("held Space with auto-repeat")
            << 0 << std::vector<Stroke>{{true, ' ', 0},    {false, ' ', 660}, {true, ' ', 660},
                                        {false, ' ', 700}, {true, ' ', 700},  {false, ' ', 720}}
            << u"T"_s;
    }

    void keyingDecodes()
    {
        QFETCH(int, mode);
        QFETCH(std::vector<Stroke>, strokes);
        QFETCH(QString, decoded);
        FormFixture f;
        f.control("RichEdit")->setFocus();
        QTest::keyClick(f.control("RichEdit"), Qt::Key_P, Qt::ControlModifier);
        auto* window = f.form->findChild<brivo::sending::ui::SendingWindow*>();
        QVERIFY(window->isVisible());
        QCOMPARE(window->focusWidget(), window->PadManip);
        window->ComboManipulateur->setCurrentIndex(mode);
        send(window->PadManip, strokes);
        QTRY_COMPARE_WITH_TIMEOUT(window->decodedText(), decoded, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(window->LabelDecode->text(), decoded, 10000);
        // However it closes, the window lets the player go.
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        window->showSending();
        window->close(); // its title bar's button
        const auto count = [&](const char* call) {
            return int(std::count(f.player.calls.begin(), f.player.calls.end(), call));
        };
        QCOMPARE(count("open live"), 2);
        QCOMPARE(count("close"), 2);
        QCOMPARE(f.player.calls.back(), std::string("close"));
        window->SpinPoids->setValue(3.5);
        window->ComboEcho->setCurrentIndex(4);
        window->CBvitesseEcho->setChecked(true);
        f.restart(); // the keyer's and the echo drill's choices are kept
        window = f.form->findChild<brivo::sending::ui::SendingWindow*>();
        QCOMPARE(window->ComboManipulateur->currentIndex(), mode);
        QCOMPARE(window->SpinPoids->value(), 3.5);
        QCOMPARE(window->ComboEcho->currentText(), u"Indicatifs"_s);
        QVERIFY(window->CBvitesseEcho->isChecked());
    }

    // The echo drill plays the course's character, waits for the first
    // key-down after it, judges the word keyed back, and moves the speed.
    void echoDrillWaitsJudgesAndAdapts()
    {
        FormFixture f;
        f.control("RichEdit")->setFocus();
        QTest::keyClick(f.control("RichEdit"), Qt::Key_P, Qt::ControlModifier);
        auto* window = f.form->findChild<brivo::sending::ui::SendingWindow*>();
        window->setCourseCharacters([] { return std::u32string(U"K"); });
        window->ComboManipulateur->setCurrentIndex(0);
        window->CBvitesseEcho->setChecked(true);
        QTest::mouseClick(window->BoutonEcho, Qt::LeftButton);
        QCOMPARE(window->LabelEcho->text(), u"Écoutez…"_s);
        const std::vector<Stroke> k{{true, ' ', 0},    {false, ' ', 180}, {true, ' ', 240},
                                    {false, ' ', 300}, {true, ' ', 360},  {false, ' ', 540}};
        const std::vector<Stroke> r{{true, ' ', 0},    {false, ' ', 60}, {true, ' ', 120},
                                    {false, ' ', 300}, {true, ' ', 360}, {false, ' ', 420}};
        QTRY_COMPARE_WITH_TIMEOUT(window->LabelEcho->text(), u"À vous."_s, 10000);
        send(window->PadManip, k);
        QTRY_COMPARE_WITH_TIMEOUT(window->LabelEcho->text(), u"juste (21 mots/mn)"_s, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(window->LabelEcho->text(), u"À vous."_s, 10000);
        send(window->PadManip, r, 100000);
        QTRY_COMPARE_WITH_TIMEOUT(window->LabelEcho->text(), u"reçu « R » au lieu de « K » (20 mots/mn)"_s, 10000);
        QTest::mouseClick(window->BoutonEcho, Qt::LeftButton);
        QCOMPARE(window->LabelEcho->text(), u"Écho arrêté : 1 juste(s) sur 2."_s);
        // The run and a report of the last answer are kept in the history;
        // the report's picture says what its text says.
        QTest::mouseClick(window->BoutonBilan, Qt::LeftButton);
        QVERIFY(window->ChartDurees->isVisible());
        QCOMPARE(window->ChartDurees->accessibleDescription(), window->LabelBilanMain->text());
        const auto kept = brivo::practice::HistoryStore(f.historyFile()).sendingSessions();
        QCOMPARE(kept->size(), 2U);
        QCOMPARE(kept->front().score, 50.0);
        QCOMPARE(kept->front().perCharacter.at(U'K').wrong, 1);
        QCOMPARE(kept->back().kind, brivo::practice::SendingSession::Kind::Report);
    }
};

QTEST_MAIN(SendingWindowTest)
#include "sending_window_test.moc"
