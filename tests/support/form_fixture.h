#pragma once

#include "app/tform1.h"
#include "support/fake_player.h"
#include "support/recording_dialogs.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QTextEdit>

#include <filesystem>
#include <memory>

namespace brivo::test {

// A main window started from a fresh temporary folder (or `startFolder`),
// with recorded dialogs and a fake player. Controls are found by name.
class FormFixture {
public:
    explicit FormFixture(const std::filesystem::path& startFolder = {})
        : form(std::make_unique<ui::TForm1>(dialogs, player, startFolder.empty() ? dir.path() : startFolder,
                                            settingsFile(), historyFile()))
    {}

    // Shows the window and lets its first-show loading run.
    void show()
    {
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
    FakePlayer player;
    std::unique_ptr<ui::TForm1> form;
};

} // namespace brivo::test
