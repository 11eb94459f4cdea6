#include "app/brivo_application.h"
#include "app/tform1.h"
#include "common/ui/dialogs.h"
#include "common/ui/error_box.h"
#include "player/sdl_wave_player.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (!brivo::ui::displayAvailable()) {
        std::fputs("BRIVO : aucun affichage graphique (ni DISPLAY ni WAYLAND_DISPLAY) ; lancez BRIVO depuis une "
                   "session de bureau.\n",
                   stderr);
        return 1;
    }
    brivo::ui::BrivoApplication application(argc, argv);
    brivo::ui::installFontSubstitutes();
    try {
        brivo::ui::QtDialogs dialogs;
        brivo::SdlWavePlayer player;
        brivo::ui::TForm1 form(dialogs, player);
        form.show();
        application.exec();
    } catch (const std::exception& error) {
        brivo::ui::ErrorBox::show(error);
    }
    return 0;
}
