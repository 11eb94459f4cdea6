// Every control a keyboard reaches, in every window, has a name a screen
// reader can say, and a role.
#include "common/ui/announcer.h"
#include "common/ui/track_bar.h"
#include "support/form_fixture.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>

#include <cmath>

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

// The pixels of `a` that differ from the same pixel of `b` by a contrast
// ratio of 3:1 or more.
int pixelsAtThreeToOne(const QImage& a, const QImage& b)
{
    const auto luminance = [](QRgb pixel) {
        const auto channel = [](int value) {
            const double c = value / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) + 0.0722 * channel(qBlue(pixel));
    };
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const double la = luminance(a.pixel(x, y));
            const double lb = luminance(b.pixel(x, y));
            count += (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05) >= 3.0 ? 1 : 0;
        }
    return count;
}

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every control the keyboard reaches has a name and a role. Doubled by
    // QT_SCALE_FACTOR and with a large system font (the test runs with
    // both), every window keeps each caption whole, and a caption widened
    // for it covers no other control.
    void everyControlIsNamedAndEveryCaptionFits()
    {
        FormFixture f;
        for (const Qt::Key key : {Qt::Key_K, Qt::Key_J, Qt::Key_L, Qt::Key_T, Qt::Key_P})
            QTest::keyClick(f.control("RichEdit"), key, Qt::ControlModifier);
        f.form->BoutonAideClick();
        QStringList unnamed;
        QStringList cut;
        for (QWidget* widget : f.form->findChildren<QWidget*>()) {
            // The inner edit of a spin box and the list of a drop-down are
            // spoken through their owner.
            const QWidget* owner = widget->parentWidget();
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            if (qobject_cast<const QAbstractSpinBox*>(owner) == nullptr &&
                qobject_cast<const QComboBox*>(owner) == nullptr &&
                (owner == nullptr || qobject_cast<const QComboBox*>(owner->parentWidget()) == nullptr) &&
                accessible != nullptr && accessible->state().focusable &&
                (accessible->text(QAccessible::Name).trimmed().isEmpty() || accessible->role() == QAccessible::NoRole))
                unnamed << widget->window()->objectName() + u'/' + widget->objectName();
            // (The announcer is a 1-px label for the screen reader alone.)
            if (!widget->isVisible() || qobject_cast<brivo::ui::Announcer*>(widget) != nullptr)
                continue;
            QString text;
            if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->pixmap().isNull())
                text = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                text = button->text();
            text.remove(u'&');
            if (text.isEmpty() || text.contains(u'\n') || text.contains(u'<'))
                continue;
            const int needed = widget->fontMetrics().horizontalAdvance(text);
            const int room = qobject_cast<QAbstractButton*>(widget) ? widget->width() - 4 : widget->width();
            if (needed > room)
                cut << u"%1 (%2 > %3)"_s.arg(widget->objectName()).arg(needed).arg(room);
            if (qobject_cast<QLabel*>(widget) == nullptr || widget->window() != f.form.get())
                continue;
            for (QObject* other : widget->parent()->children()) {
                auto* sibling = qobject_cast<QWidget*>(other);
                const QRect own = widget->geometry();
                // Only a control beside the caption, on its row.
                if (sibling != nullptr && sibling != widget && !sibling->isWindow() && sibling->isVisible() &&
                    sibling->x() > own.x() && qobject_cast<brivo::ui::Announcer*>(sibling) == nullptr &&
                    sibling->geometry().intersects(own))
                    cut << u"%1 over %2"_s.arg(widget->objectName(), sibling->objectName());
            }
        }
        // The page tabs end before the reference word's box beside them.
        const QTabBar* tabs = f.control<QTabWidget>("PageControl1")->tabBar();
        const int tabsEnd = tabs->mapTo(f.form.get(), tabs->tabRect(tabs->count() - 1).topRight()).x();
        if (tabsEnd >= f.control("CBmot")->x())
            cut << u"the tabs under CBmot (%1 >= %2)"_s.arg(tabsEnd).arg(f.control("CBmot")->x());
        // A list is named by its label and gives its item as its value; a
        // track bar gives its value in its caption's units.
        for (QComboBox* list : f.form->findChildren<QComboBox*>()) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(list);
            const QString name = accessible->text(QAccessible::Name);
            if (!list->isEditable() && (name.isEmpty() || name == list->currentText() ||
                                        accessible->text(QAccessible::Value) != list->currentText() ||
                                        accessible->textInterface()->text(0, -1) != list->currentText()))
                unnamed << list->objectName() + u" (list)"_s;
        }
        for (brivo::ui::TrackBar* bar : f.form->findChildren<brivo::ui::TrackBar*>()) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(bar);
            if (!accessible->text(QAccessible::Value)
                     .contains(QRegularExpression(u"^\\d+ ?(Hz|%|\\(\\d+[.,]\\d mots/mn\\))$"_s)) ||
                accessible->valueInterface() != nullptr)
                unnamed << bar->objectName() + u" (value "_s + accessible->text(QAccessible::Value) + u')';
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u", "_s)));
        auto* speed = QAccessible::queryAccessibleInterface(f.control("TBvitesse"));
        QCOMPARE(speed->text(QAccessible::Name), u"Vitesse des lettres"_s);
        // A caption beside a control labels it.
        const auto labels =
            QAccessible::queryAccessibleInterface(f.control("EditDebut"))->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty() && labels[0].first->object() == f.control("Label4"));
    }

    void tabOrder_data()
    {
        // The keys that open the window or page; 0: the main window as it opens.
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("chain");
        // The window's own order, the checked choice of "soit :" standing for
        // both, then the pictures.
        const QString pictures = u" EditDebut EditFin CBmot ImageLogo LabelCopyright Image2"_s;
        QTest::newRow("main") << QKeyCombination() << u"Form1"_s
                              << u"EditLive RichEdit BoutonMenu BoutonGeneFic BoutonLecture PageControl1 TBfreq "
                                 "TBsignal TBvitesse TBsouffle ComboBoxFe BoutonNom CSdureeSP BoutonEffacer "
                                 "BoutonRemplir BoutonGRP CSpinEditGroupes CSpinEditLettres RBdirect CSElettres "
                                 "CSEchiffres BitBtn1 BoutonAide"_s +
                                     pictures;
        // Another page's controls follow its tab, as the sound page's do.
        const QString underThePages = u" BoutonEffacer BoutonRemplir BoutonGRP CSpinEditGroupes CSpinEditLettres "
                                      "RBdirect CSElettres CSEchiffres BitBtn1 BoutonAide"_s;
        const QString toThePages = u"EditLive RichEdit BoutonMenu BoutonGeneFic BoutonLecture PageControl1 "_s;
        QTest::newRow("series page") << (Qt::ALT | Qt::Key_S) << u"Form1"_s
                                     << toThePages +
                                            u"Selec1 Serie1 Selec2 Serie2 Selec3 Serie3 Selec4 Serie4 Selec5 "
                                            "Serie5 Selec6 Serie6 Selec7 Serie7 Selec8 Serie8 Selec9 Serie9"_s +
                                            underThePages + pictures;
        QTest::newRow("characters page") << (Qt::ALT | Qt::Key_C) << u"Form1"_s
                                         << toThePages + u"StringGridCW"_s + underThePages + pictures;
        QTest::newRow("help") << QKeyCombination(Qt::Key_F1) << u"Form2"_s << u"Aide BoutonFermerAide"_s;
        QTest::newRow("copy check after a check")
            << (Qt::CTRL | Qt::Key_K) << u"CopyCheckWindow"_s
            << u"MemoCopie BoutonCorriger BoutonPointsFaibles TexteAligne GrilleCaracteres "
               "Onglets"_s;
        QTest::newRow("conditions")
            << (Qt::CTRL | Qt::Key_J) << u"ReceptionWindow"_s
            << u"CBdesactive ComboPreset CBvitesseEff CBrampe ComboForme SEmontee CBsnr CBfiltre "
               "CBqsb CBflutter SEqrn SEcrashes SEqrm SEchirp SEchirpTau CBreponse "
               "SEpauseReponse CBrepeter"_s;
        QTest::newRow("course")
            << (Qt::CTRL | Qt::Key_L) << u"CourseWindow"_s
            << u"ComboOrdre BoutonOuvrirOrdre SpinLecon SpinVitesse SpinEffective CBpalier "
               "ComboMateriel BoutonOuvrirListe SpinMinutes SpinGroupes ComboTaille Barres CBmasquer "
               "CBjouer BoutonSeance MemoCopieCours BoutonCorrigerCours"_s;
        QTest::newRow("drills") << (Qt::CTRL | Qt::Key_I) << u"DrillWindow"_s
                                << u"OngletsExercices ComboSourceCar CBajouter SpinPauseCar BoutonEchauffement "
                                   "BoutonDepart ChartReaction"_s;
        QTest::newRow("export") << (Qt::CTRL | Qt::Key_T) << u"ExportDialog"_s
                                << u"ComboFormat SpinQualite ComboFrequence EditTitre EditArtiste EditAlbum "
                                   "EditCommentaire ComboDecoupe EditCible BoutonParcourir BoutonExporterLecon "
                                   "BoutonAnnuler"_s;
    }

    // Tab goes round each window in reading order, and the focus shows on
    // every control it reaches from the first moment, the track bars and
    // pictures included, in a frame that stands out at 3:1; a window opened
    // by a key closes with Escape.
    void tabOrder()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(QString, window);
        QFETCH(QString, chain);
        FormFixture f;
        // On X11 (this test also runs there) the window manager gives the
        // keyboard to the window under the pointer.
        const auto bringForward = [](QWidget* top) {
            QCursor::setPos(top->frameGeometry().center());
            top->activateWindow();
            QApplication::setActiveWindow(top);
            return QTest::qWaitForWindowActive(top);
        };
        QVERIFY(bringForward(f.form.get()));
        const bool opens = key.key() != Qt::Key_unknown && window != u"Form1"_s;
        if (key.key() != Qt::Key_unknown) {
            f.control<QTextEdit>("RichEdit")->setPlainText(u"E"_s);
            f.control("RichEdit")->setFocus();
            QTest::keyClick(f.control("RichEdit"), key.key(), key.keyboardModifiers());
        }
        QWidget* shown = opens ? f.control(window.toLatin1().constData()) : f.form.get();
        QVERIFY(QTest::qWaitForWindowExposed(shown) && bringForward(shown));
        if (auto* off = shown->findChild<QCheckBox*>(u"CBdesactive"_s))
            off->setChecked(false); // every condition within reach
        if (auto* check = shown->findChild<QPushButton*>(u"BoutonCorriger"_s))
            check->click(); // the grid filled: still one stop
        QWidget* first = shown->findChild<QWidget*>(chain.section(u' ', 0, 0));
        QVERIFY(first != nullptr);
        first->setFocus();
        const auto ownerOf = [](QWidget* widget) {
            while (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_"_s))
                widget = widget->parentWidget(); // the edit inside a spin box
            return widget;
        };
        QWidget* focused = shown->focusWidget();
        QVERIFY(focused != nullptr);
        QStringList seen;
        QStringList unseen;
        do {
            QWidget* owner = ownerOf(focused);
            seen << owner->objectName();
            const QImage withFocus = owner->grab().toImage();
            QTest::keyClick(focused, Qt::Key_Tab);
            if (pixelsAtThreeToOne(withFocus, owner->grab().toImage()) < owner->width() + owner->height())
                unseen << owner->objectName();
            focused = QApplication::focusWidget();
        } while (ownerOf(focused)->objectName() != seen.front() && seen.size() < 60);
        QCOMPARE(seen.join(u' '), chain);
        QVERIFY2(unseen.isEmpty(), qPrintable(unseen.join(u", "_s)));
        if (opens) { // Escape closes it and gives the keyboard back
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(!shown->isVisible());
            QTRY_VERIFY(f.form->isActiveWindow());
        }
    }

    void chartsAreTablesToWalk_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QString>("headers");
        QTest::addColumn<QList<int>>("walk");
        QTest::addColumn<QString>("heard");
        // The first arrow enters at the first cell; one off the edge says
        // the edge's cell again.
        QTest::newRow("course") << (Qt::CTRL | Qt::Key_L) << u"Barres"_s << u"Caractère|Taux d'erreur"_s
                                << QList<int>{Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_End, Qt::Key_Left}
                                << u"K|50 %|50 %|50 %|M"_s;
        QTest::newRow("progress") << (Qt::CTRL | Qt::Key_K) << u"Graphique"_s
                                  << u"Caractère|Envoyés|Erreurs|Taux d'erreur"_s
                                  << QList<int>{Qt::Key_Down,  Qt::Key_End,   Qt::Key_Right, Qt::Key_Right,
                                                Qt::Key_Right, Qt::Key_Right, Qt::Key_Home}
                                  << u"A|S|1|1|100 %|100 %|0 %"_s;
        QTest::newRow("drills, no answer yet")
            << (Qt::CTRL | Qt::Key_I) << u"ChartReaction"_s << u"Caractère|Temps médian|Taux d'erreur"_s
            << QList<int>{Qt::Key_Down} << QString();
    }

    // A chart is a table for screen readers: its headers, its values, and
    // the arrows moving the screen reader's focus from cell to cell, which
    // the drawing shows.
    void chartsAreTablesToWalk()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(QString, chart);
        QFETCH(QString, headers);
        QFETCH(QList<int>, walk);
        QFETCH(QString, heard);
        FormFixture f;
        f.control<QTextEdit>("RichEdit")->setPlainText(u"PARIS"_s);
        f.control("RichEdit")->setFocus();
        QTest::keyClick(f.control("RichEdit"), key.key(), key.keyboardModifiers());
        if (auto* copy = f.form->findChild<QPlainTextEdit*>(u"MemoCopie"_s)) {
            copy->setPlainText(u"PARIT"_s);
            QTest::mouseClick(f.control("BoutonCorriger"), Qt::LeftButton);
            f.control<QTabWidget>("Onglets")->setCurrentIndex(1);
        }
        QWidget* drawn = f.control(chart.toLatin1().constData());
        QApplication::setActiveWindow(drawn->window());
        drawn->setFocus();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(drawn);
        QCOMPARE(table->role(), QAccessible::Table);
        QVERIFY(!table->text(QAccessible::Description).isEmpty());
        QStringList names;
        for (int column = 0; column < table->tableInterface()->columnCount(); ++column)
            names << table->child(column)->text(QAccessible::Name);
        QCOMPARE(names.join(u'|'), headers);
        // The focus a screen reader is told of after each arrow (offscreen,
        // no bridge gets the events: the AT-SPI session hears them).
        QStringList focused;
        const QImage unwalked = drawn->grab().toImage();
        for (const int arrow : walk) {
            QTest::keyClick(drawn, static_cast<Qt::Key>(arrow));
            if (QAccessibleInterface* cell = table->focusChild(); cell != nullptr && cell->state().focused)
                focused << cell->text(QAccessible::Name);
        }
        QCOMPARE(focused.join(u'|'), heard);
        if (heard.isEmpty())
            return;
        // The drawing marks the row walked to, at 3:1 (the frame, some 100
        // pixels at least); the cell reached says its column's header.
        QVERIFY(pixelsAtThreeToOne(unwalked, drawn->grab().toImage()) > 100);
        const QAccessibleTableCellInterface* cell = table->focusChild()->tableCellInterface();
        QCOMPARE(cell->columnHeaderCells().value(0)->text(QAccessible::Name), names.value(cell->columnIndex()));
    }

    // The pictures that act as buttons are buttons, and pressing one from a
    // screen reader clicks it.
    void picturesAreButtons()
    {
        FormFixture f;
        for (const char* name : {"ImageLogo", "LabelCopyright", "Image2"}) {
            QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(f.control(name));
            QCOMPARE(picture->role(), QAccessible::Button);
        }
        QAccessible::queryAccessibleInterface(f.control("ImageLogo"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(f.control("STmasquer")->isVisible());
        // From the keyboard, Space presses them.
        auto* copyright = f.control("LabelCopyright");
        copyright->setFocus();
        QTest::keyClick(copyright, Qt::Key_Space);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.contains(u"BRIVO"_s));
    }

    // What changes without the focus moving is announced once, by the
    // notification that screen readers say: the player's state, a live
    // character alone, the score, a choice made by its Alt key; F4 says the
    // last one again.
    void transitionsAreAnnounced()
    {
        FormFixture f;
        auto* announcer = f.form->findChild<brivo::ui::Announcer*>();
        QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->role(), QAccessible::Notification);
        QSignalSpy said(announcer, &brivo::ui::Announcer::announced);
        QElapsedTimer clock;
        clock.start();
        QList<qint64> shownAt;
        connect(announcer, &brivo::ui::Announcer::announced, this, [&] { shownAt << clock.elapsed(); });
        f.control<QTimer>("Timer1")->stop();
        f.control<QTextEdit>("RichEdit")->setPlainText(u"PARIS"_s);
        QTest::mouseClick(f.control<QPushButton>("BoutonLecture"), Qt::LeftButton);
        f.form->Timer1Timer();
        f.form->Timer1Timer(); // the same state: said once
        QTest::mouseClick(f.control<QPushButton>("BoutonPause"), Qt::LeftButton);
        f.form->Timer1Timer();
        f.control<QLineEdit>("EditLive")->setText(u"K"_s);
        f.form->Timer2Timer();
        f.form->Timer1Timer(); // the live character's own file: not said
        QTest::keyClick(f.control("RichEdit"), Qt::Key_K, Qt::ControlModifier);
        f.control<QPlainTextEdit>("MemoCopie")->setPlainText(u"PARIS"_s);
        QTest::mouseClick(f.control("BoutonCorriger"), Qt::LeftButton);
        QTest::keyClick(f.control("MemoCopie"), Qt::Key_F4); // again, from another window
        // A value changed from the keyboard, said once as it ends up.
        f.control("TBfreq")->setFocus();
        QTest::keyClick(f.control("TBfreq"), Qt::Key_Right);
        QTest::keyClick(f.control("TBfreq"), Qt::Key_Right);
        auto* rates = f.control<QComboBox>("ComboBoxFe");
        rates->setFocus();
        QTest::keyClick(rates, Qt::Key_Up);
        // A choice made by its Alt key, away from the focus.
        f.form->show();
        QApplication::setActiveWindow(f.form.get());
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QTest::keyClick(rates, Qt::Key_I, Qt::AltModifier);
        // Each is up long enough to be read before the next replaces it.
        QTRY_COMPARE_WITH_TIMEOUT(said.size(), 8, 12000);
        QStringList texts;
        for (const QList<QVariant>& call : said)
            texts << call.at(0).toString();
        QVERIFY2(texts[0].startsWith(u"Lecture"_s) && texts[1].startsWith(u"Pause"_s), qPrintable(texts.join(u'|')));
        QCOMPARE(texts.mid(2), (QStringList{u"K"_s, u"Score : 100,0 %"_s, u"Score : 100,0 %"_s, u"805 Hz"_s,
                                            rates->currentText(), u"Soit : les séries cochées, choisi"_s}));
        QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->text(QAccessible::Name), texts[7]);
        for (qsizetype i = 1; i < shownAt.size(); ++i)
            QVERIFY(shownAt[i] - shownAt[i - 1] >= brivo::ui::Announcer::kSpacingMs - 20);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
