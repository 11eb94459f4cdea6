// The reception conditions on the real window: Ctrl+J, a preset, the
// render it gives, the switch back to the plain render, the settings.
#include "player/ui/playback_row.h"
#include "reception/ui/reception_window.h"
#include "support/form_fixture.h"

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

class ReceptionWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void presetRendersThroughTheBandAndTheSwitchGivesThePlainFileBack()
    {
        FormFixture f;
        const auto render = [&f] {
            f.form->random().seed(7);
            f.generate(u"CQ TEST"_s);
            return brivo::test::readBytes(f.dir / "Morse.WAV");
        };
        const std::string plain = render();
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_J, Qt::ControlModifier);
        QVERIFY(f.control<QWidget>("ReceptionWindow")->isVisible());
        auto* presets = f.control<QComboBox>("ComboPreset");
        f.form->findChild<brivo::reception::ui::ReceptionWindow*>()->ComboPresetChange(
            presets->findText(u"Fading lent"_s));
        QVERIFY(!f.control<QCheckBox>("CBdesactive")->isChecked());
        QVERIFY(f.control<QLabel>("LabelNiveaux")->text().startsWith(u"RSB dans 2500 Hz : 3,0 dB"_s));
        f.form->Timer1Timer();
        // The status line keeps its whole text; a mark beside it says the
        // conditions are on.
        auto* mark = f.control<QLabel>("ConditionsMark");
        QVERIFY(mark->isVisibleTo(f.form.get()));
        QVERIFY(!mark->accessibleName().isEmpty());
        QVERIFY(!f.control<QLabel>("Info")->text().contains(u"conditions"_s));
        // Beside the mark, a position of ten hours still reads whole.
        auto* info = f.control<QLabel>("Info");
        for (const QString& status : {u"Lecture : 109,8 / 215,4s"_s, u"Lecture : 35999,9 / 36000,0s"_s}) {
            f.form->findChild<brivo::ui::PlaybackRow*>()->showStatus(status, true);
            QCOMPARE(info->text(), status);
            QVERIFY(QFontMetrics(info->font()).horizontalAdvance(status) <= mark->x() - info->contentsRect().x());
        }

        const std::string band = render();
        QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.messages.value(0).text));
        // The same timing, to the rounding of the unit to whole samples.
        QVERIFY(std::abs(static_cast<double>(band.size()) - static_cast<double>(plain.size())) <
                0.001 * static_cast<double>(plain.size()));
        QVERIFY(band != plain);
        f.control<QCheckBox>("CBdesactive")->setChecked(true);
        QCOMPARE(render(), plain);
        f.form->Timer1Timer();
        QVERIFY(!mark->isVisibleTo(f.form.get()));
    }

    void refusedConditionsAreSaidBeforeAnything()
    {
        FormFixture f;
        f.control<QSlider>("TBsouffle")->setValue(20);
        f.control<QCheckBox>("CBdesactive")->setChecked(false);
        f.control<QCheckBox>("CBsnr")->setChecked(true);
        f.generate(u"E"_s);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.contains(u"mettez le souffle à 0"_s));
        QVERIFY(!std::filesystem::exists(f.dir / "Morse.WAV"));
        QVERIFY(f.player.calls.empty());

        // One step right of 0 still reads 0 %, and is taken as 0.
        f.control<QSlider>("TBsouffle")->setValue(1);
        QVERIFY(f.control("GBsouffle")->property("title").toString().contains(u"= 0%"_s));
        f.generate(u"E"_s);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(std::filesystem::exists(f.dir / "Morse.WAV"));
    }

    // "Réponse parlée" puts the answers into the file "Générer" writes, and
    // is kept; off, the file is the render again.
    void spokenAnswersGoIntoTheRenderAndAreKept()
    {
        FormFixture f;
        f.generate(u"KM"_s);
        const auto plain = brivo::test::readBytes(f.dir / "Morse.WAV");
        f.control<QCheckBox>("CBreponse")->setChecked(true);
        f.control<QDoubleSpinBox>("SEpauseReponse")->setValue(1.5);
        f.control<QCheckBox>("CBrepeter")->setChecked(true);
        f.generate(u"KM"_s);
        QVERIFY(brivo::test::readBytes(f.dir / "Morse.WAV").size() > plain.size() + 2 * 11025 * 2);
        f.restart();
        QVERIFY(f.control<QCheckBox>("CBreponse")->isChecked());
        QCOMPARE(f.control<QDoubleSpinBox>("SEpauseReponse")->value(), 1.5);
        QVERIFY(f.control<QCheckBox>("CBrepeter")->isChecked());
        f.control<QCheckBox>("CBreponse")->setChecked(false);
        f.generate(u"KM"_s);
        QCOMPARE(brivo::test::readBytes(f.dir / "Morse.WAV"), plain);
    }
};

QTEST_MAIN(ReceptionWindowTest)
#include "reception_window_test.moc"
