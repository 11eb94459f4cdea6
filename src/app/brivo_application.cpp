#include "app/brivo_application.h"

#include "common/ui/error_box.h"

#include <QFont>

#include <cstdlib>

namespace brivo::ui {

using namespace Qt::StringLiterals;

BrivoApplication::BrivoApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(u"BRIVO"_s);
}

bool BrivoApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    auto deliver = [&] { handled = QApplication::notify(receiver, event); };
    ErrorBox::run(deliver);
    return handled;
}

void installFontSubstitutes()
{
    QFont::insertSubstitution(u"MS Sans Serif"_s, u"Liberation Sans"_s);
    QFont::insertSubstitution(u"Small Fonts"_s, u"Liberation Sans"_s);
    QFont::insertSubstitution(u"Courier New"_s, u"Liberation Mono"_s);
}

bool displayAvailable()
{
    const auto isSet = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

} // namespace brivo::ui
