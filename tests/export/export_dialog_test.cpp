// "Exporter..." on the real window: Ctrl+T, tracks written by the worker
// with their playlist, a cancelled export that leaves nothing, and the
// choices kept over a restart.
#include "export/ui/export_dialog.h"
#include "support/form_fixture.h"

#include <QAccessible>
#include <QProgressBar>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

class ExportDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exportsTracksCancelsCleanlyAndKeepsItsChoices()
    {
        FormFixture f;
        const std::filesystem::path out = f.dir / "export";
        std::filesystem::create_directories(out);
        auto* zone = f.control<QTextEdit>("RichEdit");
        zone->setPlainText(u"CQ CQ DE F5ABC\nÜBUNG 73\nK"_s);
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_T, Qt::ControlModifier);
        auto* dialog = f.form->findChild<brivo::exporting::ui::ExportDialog*>();
        QVERIFY(dialog->isVisible());
        QCOMPARE(zone->toPlainText(), u"CQ CQ DE F5ABC\nÜBUNG 73\nK"_s); // Ctrl+T typed nothing
        QCOMPARE(f.control<QLineEdit>("EditCommentaire")->text(), u"12 mots/mn, 795 Hz"_s);

        dialog->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        QTest::keyClick(dialog, Qt::Key_D, Qt::AltModifier); // the split's caption leads to its list
        QCOMPARE(QApplication::focusWidget(), f.control("ComboDecoupe"));

        auto* format = f.control<QComboBox>("ComboFormat");
        format->setCurrentIndex(format->findText(u"FLAC"_s));
        f.control<QComboBox>("ComboDecoupe")->setCurrentIndex(2);
        QCOMPARE(f.control<QLineEdit>("EditAlbum")->text(), u"BRIVO"_s);
        auto* title = f.control<QLineEdit>("EditTitre");
        QCOMPARE(title->text(), u"lecon"_s);
        f.control<QLineEdit>("EditCible")->setText(QString::fromStdString((out / "matin.flac").string()));
        QCOMPARE(title->text(), u"matin"_s); // the title follows the name...
        title->setText(u"Leçon du matin"_s);
        f.control<QLineEdit>("EditCible")->setText(QString::fromStdString((out / "lecon.flac").string()));
        QCOMPARE(title->text(), u"Leçon du matin"_s); // ...until it is written by hand
        QSignalSpy ended(dialog, &brivo::exporting::ui::ExportDialog::exportEnded);
        QSignalSpy moves(f.control<QProgressBar>("Progression"), &QProgressBar::valueChanged);
        QTest::mouseClick(f.control("BoutonExporterLecon"), Qt::LeftButton);
        QVERIFY(ended.wait(20000));
        QCOMPARE(ended.takeFirst().at(0).toBool(), true);
        QVERIFY2(moves.size() <= 22, qPrintable(QString::number(moves.size()))); // steps of 5 %, read aloud
        for (const char* name : {"lecon-01.flac", "lecon-02.flac", "lecon-03.flac", "lecon.m3u8"})
            QVERIFY2(std::filesystem::exists(out / name), name);
        QCOMPARE(f.control<QLabel>("LabelEtat")->text(),
                 u"Exportation terminée : 3 pistes et leur liste de lecture."_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(f.control("LabelEtat"))->text(QAccessible::Name),
                 f.control<QLabel>("LabelEtat")->text()); // read as it shows

        // Again: the files in place are not replaced without a question;
        // a shorter split then leaves none of the longer one's files.
        f.dialogs.messages.clear();
        f.dialogs.confirmAnswer = false;
        QTest::mouseClick(f.control("BoutonExporterLecon"), Qt::LeftButton);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.startsWith(u"4 fichiers de cette exportation existent déjà"_s));
        QVERIFY(!dialog->running());
        f.dialogs.confirmAnswer = true;
        zone->setPlainText(u"CQ CQ DE F5ABC\nÜBUNG 73"_s);
        QTest::mouseClick(f.control("BoutonExporterLecon"), Qt::LeftButton);
        QVERIFY(ended.wait(20000));
        QVERIFY2(ended.takeFirst().at(0).toBool(), qPrintable(f.dialogs.messages.value(2).text));
        QStringList left;
        for (const auto& entry : std::filesystem::directory_iterator(out))
            left << QString::fromStdString(entry.path().filename().string());
        left.sort();
        QCOMPARE(left, (QStringList{u"lecon-01.flac"_s, u"lecon-02.flac"_s, u"lecon.m3u8"_s}));

        // Forty minutes of text at 48 kHz: Escape, as "Annuler", stops it in
        // the middle and leaves the dialog open.
        zone->setPlainText(u"PARIS "_s.repeated(2000));
        format->setCurrentIndex(format->findText(u"MP3"_s));
        f.control<QComboBox>("ComboDecoupe")->setCurrentIndex(0);
        f.control<QComboBox>("ComboFrequence")
            ->setCurrentIndex(f.control<QComboBox>("ComboFrequence")->findText(u"48000"_s));
        f.control<QLineEdit>("EditCible")->setText(QString::fromStdString((out / "long.mp3").string()));
        QTest::mouseClick(f.control("BoutonExporterLecon"), Qt::LeftButton);
        QVERIFY(dialog->running());
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(ended.wait(60000));
        QCOMPARE(ended.takeFirst().at(0).toBool(), false);
        QVERIFY(dialog->isVisible());
        QCOMPARE(f.control<QLabel>("LabelEtat")->text(), u"Exportation annulée : aucun fichier n'a été écrit."_s);
        int files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(out))
            ++files;
        QCOMPARE(files, 3);

        f.restart();
        QCOMPARE(f.control<QComboBox>("ComboFormat")->currentText(), u"MP3"_s);
        QCOMPARE(f.control<QComboBox>("ComboFrequence")->currentText(), u"48000"_s);
    }
};

QTEST_MAIN(ExportDialogTest)
#include "export_dialog_test.moc"
