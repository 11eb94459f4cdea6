// Every control a keyboard reaches, in every window, has a name a screen
// reader can say, and a role.
#include "support/form_fixture.h"

#include <QAccessible>

using namespace Qt::StringLiterals;
using brivo::test::FormFixture;

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyControlHasANameAndARole()
    {
        FormFixture f;
        for (const Qt::Key key : {Qt::Key_K, Qt::Key_J, Qt::Key_L})
            QTest::keyClick(f.control("RichEdit"), key, Qt::ControlModifier);
        f.form->BoutonAideClick();
        QStringList unnamed;
        for (QWidget* widget : f.form->findChildren<QWidget*>()) {
            // The inner edit of a spin box and the list of a drop-down are
            // spoken through their owner.
            const QWidget* owner = widget->parentWidget();
            if (qobject_cast<const QAbstractSpinBox*>(owner) != nullptr || qobject_cast<const QComboBox*>(owner) ||
                (owner != nullptr && qobject_cast<const QComboBox*>(owner->parentWidget())))
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            if (accessible == nullptr || !accessible->state().focusable)
                continue;
            if (accessible->text(QAccessible::Name).trimmed().isEmpty() || accessible->role() == QAccessible::NoRole)
                unnamed << widget->window()->objectName() + u'/' + widget->objectName();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));
        auto* speed = QAccessible::queryAccessibleInterface(f.control("TBvitesse"));
        QCOMPARE(speed->text(QAccessible::Name), u"Vitesse des lettres"_s);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
