// The "Exercices" window driven as a trainee would: keys typed at the
// window, copies typed into the call field, with a player that keeps what
// it was given.
#include "common/monotonic_clock.h"
#include "drills/ui/drill_window.h"
#include "support/built_in_table.h"
#include "support/temp_dir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace brivo::drills::ui {

class DrillWindowTest : public QObject {
    Q_OBJECT

    struct Player {
        std::vector<PcmSound> played;
        double playedAt = 0;
        bool spoken = false; // the spoken answers
    };

    static DrillWindow::Services services(Player& player, std::u32string series)
    {
        const auto now = [] { return static_cast<double>(monotonicMicros()) / 1e6; };
        return {[] {
                    return DrillSound{atSpeed({}, 30), {}};
                },
                [&player, now](PcmSound sound) -> Result<void> {
                    player.played.push_back(std::move(sound));
                    player.playedAt = now();
                    return {};
                },
                [&player]() -> std::optional<double> { return player.playedAt; },
                now,
                [] { return std::u32string(U"KM"); },
                [series] { return series; },
                [] { return std::nullopt; },
                [&player] { return player.spoken; }};
    }

private Q_SLOTS:
    // A round of 20 characters: a wrong key shows the character and plays it
    // again after the low tone, then, with spoken answers on, says its name;
    // the round's answers go to the history.
    void charactersRoundIsAnsweredAndKept()
    {
        test::TempDir dir;
        Player player;
        practice::HistoryStore store(dir / "h.sqlite");
        DrillWindow window(services(player, U"K"), test::builtInTable(), store);
        window.setSettingsText("source=series pause=0.3");
        window.show();
        window.BoutonDepartClick();
        QVERIFY(window.awaitingAnswer());
        QCOMPARE(player.played.size(), std::size_t{1});
        const std::size_t plain = player.played.back().samples.size();
        player.spoken = true;
        QTest::keyClick(&window, Qt::Key_M);
        QCOMPARE(window.findChild<QLabel*>(u"LabelCaractere"_s)->text(), u"K"_s);
        const PcmSound& again = player.played.back(); // the tone, K again, a pause, then its name
        const auto beforeName = static_cast<std::size_t>((2 * kVerdictToneMs + 300) / 1000 * again.sampleRate) + plain;
        QVERIFY(again.samples.size() > beforeName + static_cast<std::size_t>(again.sampleRate / 10));
        QVERIFY(std::any_of(again.samples.begin() + static_cast<std::ptrdiff_t>(beforeName), again.samples.end(),
                            [](std::int16_t s) { return std::abs(s) > 1000; }));
        player.spoken = false;
        for (int i = 1; i < static_cast<int>(kRoundLength); ++i) {
            QTRY_VERIFY_WITH_TIMEOUT(window.awaitingAnswer(), 10000);
            QTest::keyClick(&window, Qt::Key_K);
        }
        QTRY_VERIFY(!window.characterDrillRunning());
        const auto answers = store.characterAnswers();
        QVERIFY(answers);
        QCOMPARE(answers->size(), kRoundLength);
        QCOMPARE(std::count_if(answers->begin(), answers->end(), [](const auto& a) { return a.right(); }),
                 static_cast<long>(kRoundLength - 1));
    }

    // The copies move the speed: 2 WPM up after a right call, 2 down after
    // a wrong one.
    void callsSpeedFollowsTheCopies()
    {
        test::TempDir dir;
        Player player;
        DrillWindow window(services(player, {}), test::builtInTable(), practice::HistoryStore(dir / "h.sqlite"));
        window.show();
        window.BoutonIndicatifsClick();
        const CallsignRun* run = window.callsignRun();
        QVERIFY(run != nullptr);
        QCOMPARE(run->currentWpm(), 20.0);
        auto* copy = window.findChild<QLineEdit*>(u"EditIndicatif"_s);
        QTest::keyClicks(copy, QString::fromStdU32String(run->currentCall()));
        QTest::keyClick(copy, Qt::Key_Return);
        QCOMPARE(run->currentWpm(), 22.0);
        QTest::keyClicks(copy, u"Q"_s);
        QTest::keyClick(copy, Qt::Key_Return);
        QCOMPARE(run->currentWpm(), 20.0);
        QCOMPARE(player.played.size(), std::size_t{3});
    }
};

} // namespace brivo::drills::ui

QTEST_MAIN(brivo::drills::ui::DrillWindowTest)
#include "drill_window_test.moc"
