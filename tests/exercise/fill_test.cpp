#include "exercise/exercise_text.h"
#include "support/form_fixture.h"

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

namespace {

QString expectedPattern(int number, std::uint64_t seed)
{
    brivo::RandomGenerator random(seed);
    const std::u32string text = brivo::exercise::pattern(number, random);
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// The random fill and the patterns on the real window.
class FillTest : public QObject {
    Q_OBJECT

private Q_SLOTS:

    // "GRP" opens the pattern menu below the window; its item replaces the
    // selection and leaves the caret after the groups.
    void patternReplacesTheSelectionAndLeavesTheCaretAfterIt()
    {
        FormFixture f;
        QTextEdit* zone = f.control<QTextEdit>("RichEdit");
        zone->setPlainText(u"AAAA<sel>ZZZZ"_s);
        f.selectInZone(4, 9);
        QTest::mouseClick(f.control<QPushButton>("BoutonGRP"), Qt::LeftButton);
        QMenu* menu = f.control<QMenu>("PopupMenu2");
        QTRY_VERIFY(menu->isVisible());
        // Asked for there; the toolkit may move it up to keep it on screen.
        QCOMPARE(menu->pos().x(), f.form->frameGeometry().left() + 213);
        f.form->random().seed(7);
        f.control<QAction>("Motif3")->trigger();
        menu->hide();
        const QString groups = expectedPattern(3, 7);
        QCOMPARE(groups.size(), 252);
        QCOMPARE(zone->toPlainText(), u"AAAA"_s + groups + u"ZZZZ"_s);
        QCOMPARE(zone->textCursor().position(), 4 + 252);
        QVERIFY(!zone->textCursor().hasSelection());
        QVERIFY(!zone->document()->isUndoAvailable());
    }

    void ctrlDigitInsertsItsPatternWhereverTheFocusIs()
    {
        FormFixture f;
        f.control<QTextEdit>("RichEdit")->clear();
        f.form->random().seed(3);
        f.control<QLineEdit>("EditLive")->setFocus();
        QTest::keyClick(f.control<QLineEdit>("EditLive"), Qt::Key_5, Qt::ControlModifier);
        QCOMPARE(f.control<QTextEdit>("RichEdit")->toPlainText(), expectedPattern(5, 3));
        QVERIFY(f.control<QTextEdit>("RichEdit")->hasFocus());
        QCOMPARE(f.control<QLineEdit>("EditLive")->text(), QString()); // the entry saw no character
        // The keypad does not count, and the chord types no digit either.
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->clear();
        QTest::keyClick(zone, Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(zone->toPlainText(), QString());
    }

    void countsAreReadWithinTheirRange_data()
    {
        QTest::addColumn<bool>("seriesMode");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("layout"); // group sizes of the inserted text
        QTest::newRow("no groups") << true << u"CSpinEditGroupes"_s << u"0"_s << u"5"_s;
        QTest::newRow("groups of nothing") << true << u"CSpinEditLettres"_s << u"0"_s << QString(36, u'1');
        QTest::newRow("too many letters") << true << u"CSpinEditLettres"_s << u"99"_s << QString(36, u'K');
        QTest::newRow("negative letter groups") << false << u"CSElettres"_s << u"-3"_s << QString(6, u'5');
    }

    // A count typed out of range is read as the box would correct it: the
    // selection is replaced by real groups, never just deleted.
    void countsAreReadWithinTheirRange()
    {
        QFETCH(bool, seriesMode);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, layout);
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setPlainText(u"AAAA<sel>ZZZZ"_s);
        f.selectInZone(4, 9);
        if (seriesMode)
            QTest::mouseClick(f.control("RBseries"), Qt::LeftButton);
        f.form->findChild<QSpinBox*>(box)->findChild<QLineEdit*>()->setText(typed);
        f.control<QAction>("Remplir")->trigger();
        const QString text = zone->toPlainText();
        QVERIFY(text.startsWith(u"AAAA"_s) && text.endsWith(u"ZZZZ"_s));
        QString sizes;
        for (const QString& group : text.mid(4, text.size() - 8).split(u' ', Qt::SkipEmptyParts))
            sizes += QString::number(group.size(), 36).toUpper();
        QCOMPARE(sizes, layout);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // Nothing to insert: no groups (the page stays), or an empty pool (the
    // series page shows). The zone and the generator are left alone.
    void nothingToInsertIsRefused()
    {
        FormFixture f;
        auto* pages = f.control<QTabWidget>("PageControl1");
        f.control<QTextEdit>("RichEdit")->setPlainText(u"KEEP"_s);
        const auto state = f.form->random().state();
        f.control<QSpinBox>("CSElettres")->setValue(0);
        f.control<QSpinBox>("CSEchiffres")->setValue(0);
        f.form->BoutonRemplirClick();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.endsWith(u"lettres et/ou de groupes de chiffres non nul !"_s));
        QCOMPARE(pages->currentWidget(), f.control<QWidget>("TSprincipale"));

        QTest::mouseClick(f.control<QRadioButton>("RBseries"), Qt::LeftButton);
        f.control<QCheckBox>("Selec1")->setChecked(false);
        f.control<QCheckBox>("Selec9")->setChecked(true); // ticked but empty
        f.form->BoutonRemplirClick();
        QCOMPARE(f.dialogs.messages.size(), 2);
        QVERIFY(f.dialogs.messages[1].text.startsWith(u"Il n'y a rien à générer :\n\nVous devez sélectionner"_s));
        QCOMPARE(f.dialogs.messages[1].title, u" Remplir l'écran :"_s);
        QCOMPARE(pages->currentWidget(), f.control<QWidget>("TSseries"));
        QCOMPARE(f.control<QTextEdit>("RichEdit")->toPlainText(), u"KEEP"_s);
        QCOMPARE(f.form->random().state(), state);
    }
};

QTEST_MAIN(FillTest)
#include "fill_test.moc"
