#include "app/brivo_application.h"
#include "app/tform1.h"
#include "common/process_setup.h"
#include "common/ui/dialogs.h"
#include "common/ui/error_box.h"
#include "player/sdl_wave_player.h"
#include "practice/ui/history_store.h"
#include "settings/settings_file.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv)
{
    if (!brivo::ui::displayAvailable()) {
        std::fputs("BRIVO : aucun affichage graphique (ni DISPLAY ni WAYLAND_DISPLAY) ; lancez BRIVO depuis une "
                   "session de bureau.\n",
                   stderr);
        return 1;
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
        brivo::ui::closeOnQuitSignals(&form);
        form.show();
        QApplication::exec();
    } catch (const std::exception& error) {
        // Building the window failed before any handler could run.
        brivo::ui::ErrorBox::show(QString::fromUtf8(error.what()));
    }
    return 0;
}
