#include "support/file_size_limit.h"
#include "support/form_fixture.h"

#include <QAccessible>

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

namespace {

QString pathIn(const FormFixture& f, const std::string& name)
{
    return QString::fromStdString((f.dir / name).string());
}

} // namespace

// The edit zone's menu, files, conversion, colours and mask, on the real
// window.
class EditZoneTest : public QObject {
    Q_OBJECT

private Q_SLOTS:

    // Ctrl+X deletes without touching the clipboard, Ctrl+W cuts; outside
    // the zone the same keys do nothing to it. Shift+F10 opens the menu.
    void deleteAndCutKeys()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setPlainText(u"ABCDEF"_s);
        QGuiApplication::clipboard()->setText(u"avant"_s);
        zone->setFocus();
        f.selectInZone(0, 2);
        QTest::keyClick(zone, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(zone->toPlainText(), u"CDEF"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"avant"_s);
        f.selectInZone(0, 2);
        QTest::keyClick(zone, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(zone->toPlainText(), u"EF"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"CD"_s);
        f.selectInZone(0, 2);
        auto* live = f.control("EditLive");
        live->setFocus();
        QTest::keyClick(live, Qt::Key_E, Qt::ControlModifier);
        QTest::keyClick(live, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(zone->toPlainText(), u"EF"_s);
        // Shift+F10 opens the zone's menu, as the Menu key does.
        auto* menu = f.control<QMenu>("PopupMenu1");
        QTest::keyClick(zone, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        // Opened by "m", the menu gives the keyboard back to "m" on Escape,
        // and to the zone once an item has worked on it.
        auto* button = f.control("BoutonMenu");
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible());
        menu->setActiveAction(f.control<QAction>("SelecTout"));
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), zone);
        QCOMPARE(zone->textCursor().selectedText(), u"EF"_s);
    }

    void fileKinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("rich");
        QTest::newRow(".rtf") << u"lecon.rtf"_s << true;
        QTest::newRow(".RTF") << u"LECON.RTF"_s << true;
        QTest::newRow(".Rtf in a .rtf folder") << u"cours.rtf/lecon.Rtf"_s << true;
        QTest::newRow(".txt") << u"lecon.txt"_s << false;
        QTest::newRow(".rtf.txt") << u"lecon.rtf.txt"_s << false;
    }

    // Saved then opened again: the name alone decides the format, and the
    // zone comes back with its text, formatting included for rich text.
    void fileKinds()
    {
        QFETCH(QString, name);
        QFETCH(bool, rich);
        FormFixture f;
        std::filesystem::create_directories(f.dir / "cours.rtf");
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setPlainText(u"CQ été\nœ \U0001F600"_s);
        f.selectInZone(0, 2);
        zone->setFontItalic(true);
        const QString path = pathIn(f, name.toStdString());
        f.dialogs.fileAnswers = {path, path};
        f.control<QAction>("SauverData")->trigger();
        const std::string bytes = brivo::test::readBytes(path.toStdString());
        QCOMPARE(bytes.starts_with("{\\rtf1"), rich);
        if (!rich)
            QCOMPARE(QString::fromStdString(bytes), u"CQ été\r\nœ \U0001F600"_s);
        zone->clear();
        f.control<QAction>("OuvrirData")->trigger();
        QCOMPARE(zone->toPlainText(), u"CQ été\nœ \U0001F600"_s);
        QCOMPARE(zone->document()->begin().begin().fragment().charFormat().fontItalic(), rich);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // A long RTF file opens whole, its progress shown on the way.
    void longRichTextOpensWithItsProgress()
    {
        FormFixture f;
        std::string rtf = "{\\rtf1 ";
        for (int i = 0; i < 25000; ++i)
            rtf += "{\\b K}M\\par ";
        brivo::test::writeBytes(f.dir / "long.rtf", rtf + "}");
        f.dialogs.fileAnswers = {pathIn(f, "long.rtf")};
        f.control<QAction>("OuvrirData")->trigger();
        auto* zone = f.control<QTextEdit>("RichEdit");
        QCOMPARE(zone->document()->blockCount(), 25001);
        QVERIFY(zone->document()->begin().begin().fragment().charFormat().fontWeight() == QFont::Bold);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void textScaleKeepsTheSizes_data()
    {
        QTest::addColumn<int>("scale");
        for (const int scale : {125, 150, 200, 300})
            QTest::addRow("%d %%", scale) << scale;
    }

    // The zone shows its text larger, but files, the clipboard (both ways)
    // and the settings keep the sizes at 100 %; going back gives the
    // zone's own 17 pixels exactly.
    void textScaleKeepsTheSizes()
    {
        QFETCH(int, scale);
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        brivo::test::writeBytes(f.dir / "a.rtf", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 AB\\fs41 CD\\par EF}");
        const QString saved = pathIn(f, "b.rtf");
        const auto save = [&] {
            f.dialogs.fileAnswers = {saved};
            f.control<QAction>("SauverData")->trigger();
            return brivo::test::readBytes(saved.toStdString());
        };
        const auto sizeItem = [&](int percent) {
            return f.control<QAction>(QStringLiteral("Taille%1").arg(percent).toLatin1().constData());
        };
        const auto copyAllAt = [&](int percent) {
            f.control<QAction>("SelecTout")->trigger();
            f.control<QAction>("Copier")->trigger();
            sizeItem(percent)->trigger();
            f.control<QAction>("Effacer")->trigger();
            f.control<QAction>("Coller")->trigger();
        };
        f.dialogs.fileAnswers = {pathIn(f, "a.rtf")};
        f.control<QAction>("OuvrirData")->trigger();
        const std::string atFull = save();
        sizeItem(scale)->trigger();
        QCOMPARE(zone->document()->begin().begin().fragment().charFormat().fontPointSize(), 12.0 * scale / 100);
        QCOMPARE(save(), atFull);
        copyAllAt(100);
        QCOMPARE(save(), atFull);
        copyAllAt(scale);
        QCOMPARE(zone->document()->lastBlock().begin().fragment().charFormat().fontPointSize(), 20.5 * scale / 100);
        QCOMPARE(save(), atFull);
        f.restart();
        zone = f.control<QTextEdit>("RichEdit");
        QVERIFY(sizeItem(scale)->isChecked());
        QCOMPARE(zone->font().pixelSize(), std::lround(17.0 * scale / 100));
        for (const int percent : {125, 150, 200, 300, 100})
            sizeItem(percent)->trigger();
        QCOMPARE(zone->font().pixelSize(), 17);
        QCOMPARE(zone->currentCharFormat().intProperty(QTextFormat::FontPixelSize), 17);
    }

    // A pasted table keys and saves its cells apart, a row to a line; a
    // picture is no character at all.
    void pastedTableAndPictureBecomePlainText()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->clear();
        zone->textCursor().insertHtml(u"BIG<table><tr><td>A1</td><td>B1</td></tr><tr><td>A2</td><td>B2</td></tr>"
                                      "</table>after <img src=\"none.png\">end"_s);
        const QString path = pathIn(f, "table.txt");
        f.dialogs.fileAnswers = {path};
        f.control<QAction>("SauverData")->trigger();
        QCOMPARE(QString::fromStdString(brivo::test::readBytes(path.toStdString())),
                 u"BIG\r\nA1 B1\r\nA2 B2\r\nafter end"_s);
    }

    // A name ending in .rtf that holds plain text opens as plain text; a
    // folder named like a file is refused and leaves the zone as it was.
    void openFallsBackAndFailsSafely()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        brivo::test::writeBytes(f.dir / "faux.rtf", "\xE9t\xE9 {pas du RTF}");
        f.dialogs.fileAnswers = {pathIn(f, "faux.rtf"), pathIn(f, "x.rtf")};
        f.control<QAction>("OuvrirData")->trigger();
        QCOMPARE(zone->toPlainText(), u"été {pas du RTF}"_s);
        std::filesystem::create_directories(f.dir / "x.rtf");
        f.control<QAction>("OuvrirData")->trigger();
        QCOMPARE(zone->toPlainText(), u"été {pas du RTF}"_s);
        f.settle();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.startsWith(u"Impossible d'ouvrir le fichier « "_s));
    }

    // A save that cannot be completed leaves the old file whole. The
    // dialog proposes the name and the filter entry last chosen.
    void failedSaveKeepsTheOldFile()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setPlainText(u"E"_s);
        f.dialogs.fileAnswers = {pathIn(f, "a.txt"), pathIn(f, "old.txt")};
        f.dialogs.filterAnswer = 2;
        f.control<QAction>("SauverData")->trigger();
        brivo::test::writeBytes(f.dir / "old.txt", "ancien");
        zone->setPlainText(QString(200000, u'E'));
        {
            const brivo::test::FileSizeLimit limit(4096);
            f.control<QAction>("SauverData")->trigger();
        }
        f.settle();
        QCOMPARE(f.dialogs.fileDialogStarts, (QList<QString>{u"Morse.RTF"_s, pathIn(f, "a.txt")}));
        QCOMPARE(f.dialogs.fileDialogs.value(1).selectedFilter, 2);
        QCOMPARE(brivo::test::readBytes(f.dir / "old.txt"), std::string("ancien"));
        QCOMPARE(zone->toPlainText().size(), 200000);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.endsWith(u"Fichier trop grand."_s));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(f.dir.path()), {}), 3); // no temporary left
    }

    void conversionKeepsTheSelectionAndUnifiesTheText()
    {
        FormFixture f;
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setPlainText(u"0123456789ABCDEF"_s);
        f.selectInZone(0, 4);
        zone->setFontItalic(true);
        zone->setFontPointSize(30);
        f.control<QAction>("TexteRouge")->trigger();
        f.selectInZone(5, 10);
        f.control<QAction>("Convertir")->trigger();
        QCOMPARE(zone->textCursor().selectionStart(), 5);
        QCOMPARE(zone->textCursor().selectionEnd(), 10);
        for (auto fragment = zone->document()->begin().begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            QCOMPARE(format.fontFamilies().toStringList().value(0), u"Courier New"_s);
            QCOMPARE(format.fontPointSize(), 10.0);
            QVERIFY(format.fontWeight() >= QFont::Bold && !format.fontItalic());
            QCOMPARE(format.foreground().color(), QColor(255, 0, 0));
        }
    }

    // Text and background may never take the same value; the standard
    // entries are values of their own.
    void coloursRefuseTheSameValue()
    {
        FormFixture f;
        f.control<QAction>("TexteBlanc")->trigger();
        f.control<QAction>("FondBlanc")->trigger();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.startsWith(u"Il est interdit de prendre la même couleur pour le fond"_s));
        QCOMPARE(f.dialogs.messages[0].title, u" Attention :"_s);
        QVERIFY(f.control<QAction>("FondParDefaut")->isChecked() && !f.control<QAction>("FondBlanc")->isChecked());
        f.control<QAction>("FondNoir")->trigger();
        f.control<QAction>("TexteNoir")->trigger();
        QCOMPARE(f.dialogs.messages.size(), 2);
        QVERIFY(f.dialogs.messages[1].text.startsWith(u"Il est interdit de prendre la même couleur pour le texte"_s));
        QVERIFY(f.control<QAction>("TexteBlanc")->isChecked());
        f.control<QAction>("TexteParDefaut")->trigger(); // standard text on black: accepted
        f.control<QAction>("FondParDefaut")->trigger();
        f.control<QAction>("TexteBlanc")->trigger(); // white text on the standard ground: accepted
        QCOMPARE(f.dialogs.messages.size(), 2);
        const auto checked = [&](const char* menu) {
            const QList<QAction*> items = f.control<QMenu>(menu)->actions();
            return std::count_if(items.begin(), items.end(), [](QAction* a) { return a->isChecked(); });
        };
        QCOMPARE(checked("CDT"), 1);
        QCOMPARE(checked("CDF"), 1);
    }

    // The mask covers the zone; the fill still writes beneath it.
    void maskHidesWhileTheFillWrites()
    {
        FormFixture f;
        auto* mask = f.control<QLabel>("STmasquer");
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->clear();
        QTest::mouseClick(f.control("ImageLogo"), Qt::LeftButton);
        QVERIFY(mask->isVisible());
        QCOMPARE(mask->geometry(), QRect(102, 24, 508, 190));
        f.control<QAction>("Remplir")->trigger();
        QCOMPARE(zone->toPlainText().size(), 36 * 6);
        // A screen reader gets the name of the masked zone, none of its text.
        const auto readable = [zone] { return QAccessible::queryAccessibleInterface(zone); };
        QCOMPARE(readable()->text(QAccessible::Name), u"Zone d'édition masquée"_s);
        QVERIFY(readable()->textInterface() == nullptr && readable()->text(QAccessible::Value).isEmpty());
        QTest::mouseClick(mask, Qt::LeftButton);
        QVERIFY(!mask->isVisible());
        QVERIFY(readable()->textInterface() != nullptr);
        QCOMPARE(readable()->textInterface()->characterCount(), 36 * 6);
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(mask->isVisible());
    }
};

QTEST_MAIN(EditZoneTest)
#include "edit_zone_test.moc"
