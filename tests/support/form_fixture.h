#pragma once

#include "app/tform1.h"
#include "editzone/ui/edit_zone.h"
#include "player/ui/playback_row.h"
#include "support/fake_player.h"
#include "support/recording_dialogs.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTextEdit>

#include <filesystem>
#include <memory>

namespace brivo::test {

// A main window started in a fresh temporary folder (the current directory
// while it lives), shown offscreen, with recorded dialogs and a fake player.
class FormFixture {
public:
    explicit FormFixture(const std::filesystem::path& startFolder = {}) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(startFolder.empty() ? dir.path() : startFolder);
        form = std::make_unique<ui::TForm1>(dialogs, player);
    }
    ~FormFixture()
    {
        form.reset();
        std::filesystem::current_path(previous_);
    }
    FormFixture(const FormFixture&) = delete;
    FormFixture& operator=(const FormFixture&) = delete;

    // Shows the window and lets its first-show loading run.
    void show()
    {
        form->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // Puts `text` in the edit zone and clicks "Générer" by its handler.
    void generate(const QString& text)
    {
        form->editZone->RichEdit->setPlainText(text);
        form->BoutonGeneFicClick(form->playback->BoutonGeneFic);
    }

    TempDir dir;
    RecordingDialogs dialogs;
    FakePlayer player;
    std::unique_ptr<ui::TForm1> form;

private:
    std::filesystem::path previous_;
};

} // namespace brivo::test
