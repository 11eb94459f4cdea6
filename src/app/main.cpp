#include "app/brivo_application.h"
#include "app/tform1.h"
#include "common/file_io.h"
#include "common/process_setup.h"
#include "common/ui/dialogs.h"
#include "common/ui/error_box.h"
#include "player/sdl_wave_player.h"
#include "practice/history/history_store.h"
#include "settings/settings_file.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

int main(int argc, char** argv)
{
    if (!brivo::ui::displayAvailable()) {
        std::fputs("BRIVO : aucun affichage graphique (ni DISPLAY ni WAYLAND_DISPLAY) ; lancez BRIVO depuis une "
                   "session de bureau.\n",
                   stderr);
        return 1;
    }
    // The desktop launcher starts the program in the home folder: with this
    // option it works in a folder of its own instead, created on demand.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) != "--user-folder")
            continue;
        const std::filesystem::path folder =
            brivo::practice::historyFilePath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")).parent_path();
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        std::filesystem::current_path(folder, error);
        if (error)
            std::fprintf(stderr,
                         "BRIVO : impossible d'utiliser le dossier « %s » : %s ; le dossier courant est gardé.\n",
                         folder.c_str(), brivo::systemErrorText(error).c_str());
    }
    brivo::ignoreFileSizeSignal();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BRIVO"));
    brivo::ui::installFontSubstitutes();
    brivo::ui::installFrenchQtTranslation(application);
    try {
        brivo::ui::QtDialogs dialogs;
        brivo::SdlWavePlayer player;
        brivo::ui::TForm1 form(dialogs, player, std::filesystem::current_path(),
                               brivo::settings::settingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
                               brivo::practice::historyFilePath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
        brivo::ui::closeOnQuitSignals(&form, [&form] { return form.closeForQuitSignal(); });
        form.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        // Building the window failed before any handler could run.
        brivo::ui::ErrorBox::show(QString::fromUtf8(error.what()));
    }
    return 0;
}
