#pragma once

#include "app/tform1.h"
#include "support/fake_player.h"
#include "support/recording_dialogs.h"
#include "support/temp_dir.h"

// Window tests find controls of every widget type and drive them with Qt Test.
#include <QTest>
#include <QtWidgets>

#include <filesystem>
#include <memory>

namespace brivo::test {

// A main window shown from a fresh temporary folder (or `startFolder`),
// with recorded dialogs and a player (a fake one unless the test picks the
// real one), its first-show loading done. Controls are found by name.
template <typename Player> class BasicFormFixture {
public:
    explicit BasicFormFixture(const std::filesystem::path& startFolder = {})
        : startFolder_(startFolder.empty() ? dir.path() : startFolder)
    {
        QStandardPaths::setTestModeEnabled(true); // the user's own settings are never touched
        restart();
    }

    // Closes the window (which saves the settings) and starts a new one
    // over the same folders, dialogs and player.
    void restart()
    {
        if (form)
            form->close();
        form = std::make_unique<ui::TForm1>(dialogs, player, startFolder_, settingsFile(), historyFile());
        form->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    template <typename Control = QWidget> Control* control(const char* name) const
    {
        auto* found = form->findChild<Control*>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("no control named %s", name);
        return found;
    }

    // Selects the characters from `start` to `end` of the edit zone.
    void selectInZone(int start, int end) const
    {
        auto* zone = control<QTextEdit>("RichEdit");
        QTextCursor cursor = zone->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        zone->setTextCursor(cursor);
    }

    // Puts `text` in the edit zone and clicks "Générer" by its handler.
    void generate(const QString& text)
    {
        control<QTextEdit>("RichEdit")->setPlainText(text);
        form->BoutonGeneFicClick(control<QObject>("BoutonGeneFic"));
    }

    // The settings of every window of this fixture.
    std::filesystem::path settingsFile() const { return dir / "config/ZORVANE/BRIVO.reg"; }
    std::filesystem::path historyFile() const { return dir / "data/ZORVANE/BRIVO/historique.sqlite"; }

    // Lets queued work run (the error box shows after the handler).
    static void settle() { QCoreApplication::processEvents(); }

    TempDir dir;
    RecordingDialogs dialogs;
    Player player;
    std::unique_ptr<ui::TForm1> form;

private:
    std::filesystem::path startFolder_;
};

using FormFixture = BasicFormFixture<FakePlayer>;

} // namespace brivo::test
