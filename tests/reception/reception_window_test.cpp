// The reception conditions on the real window: Ctrl+J, a preset, the
// render it gives, the switch back to the described render, the settings.
#include "audio/message_renderer.h"
#include "common/edit_text.h"
#include "morse/default_definitions.h"
#include "morse/definition_parser.h"
#include "reception/ui/reception_window.h"
#include "support/form_fixture.h"

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

class ReceptionWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void presetRendersThroughTheBandAndTheSwitchGivesTheDescribedFileBack()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_J, Qt::ControlModifier);
        auto* window = f.control<QWidget>("ReceptionWindow");
        QVERIFY(window->isVisible());
        auto* presets = f.control<QComboBox>("ComboPreset");
        f.form->findChild<brivo::reception::ui::ReceptionWindow*>()->ComboPresetChange(
            presets->findText(u"Fading lent"_s));
        QVERIFY(!f.control<QCheckBox>("CBdesactive")->isChecked());
        QVERIFY(f.control<QLabel>("LabelNiveaux")->text().startsWith(u"RSB dans 2500 Hz : 3,0 dB"_s));
        f.form->Timer1Timer();
        QVERIFY(f.control<QLabel>("Info")->text().endsWith(u" (conditions de réception)"_s));

        f.form->random().seed(7);
        f.generate(u"CQ TEST"_s);
        QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.messages.value(0).text));
        const std::string band = brivo::test::readBytes(f.dir / "Morse.WAV");

        f.control<QCheckBox>("CBdesactive")->setChecked(true);
        f.form->random().seed(7);
        f.generate(u"CQ TEST"_s);
        const std::string described = brivo::test::readBytes(f.dir / "Morse.WAV");
        QCOMPARE(described, expectedDescribedFile(u"CQ TEST"_s, 7));
        // The same timing, to the rounding of the unit to whole samples.
        QVERIFY(std::abs(static_cast<double>(band.size()) - static_cast<double>(described.size())) <
                0.001 * static_cast<double>(described.size()));
        QVERIFY(band != described);
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
    }

private:
    // What the described render writes for the window's first-start settings.
    static std::string expectedDescribedFile(const QString& text, std::uint64_t seed)
    {
        brivo::test::TempDir dir;
        brivo::RenderRequest request;
        request.path = dir / "expected.wav";
        request.text = brivo::keyedTextFromUtf8(text.toStdString());
        brivo::RandomGenerator random;
        random.seed(static_cast<std::int64_t>(seed));
        const auto table = brivo::definitions::tableFromContent(brivo::definitions::defaultFileContent());
        if (!brivo::renderMorseFile(request, table, random))
            return {};
        return brivo::test::readBytes(request.path);
    }
};

QTEST_MAIN(ReceptionWindowTest)
#include "reception_window_test.moc"
