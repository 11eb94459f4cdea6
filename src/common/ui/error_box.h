#pragma once

#include <QString>

#include <exception>
#include <utility>

class QWidget;

namespace brivo::ui {

class Dialogs;

// The box that shows an error escaping a handler or a creation step: the
// error's text with the full-stop rule, titled with the program file's name
// without extension, stop icon, OK. The window installs where it goes.
class ErrorBox {
public:
    static void install(Dialogs* dialogs, QWidget* parent);
    static void show(const QString& message);
    static void show(const std::exception& error);

    // Wraps a handler so that an error escaping it is shown here instead of
    // reaching the toolkit; the program then goes on.
    template <typename Handler> static auto guarded(Handler handler)
    {
        return [handler = std::move(handler)]() mutable { run(handler); };
    }

    template <typename Handler> static void run(Handler& handler)
    {
        try {
            handler();
        } catch (const std::exception& error) {
            show(error);
        } catch (...) {
            show(QStringLiteral("Erreur inconnue"));
        }
    }

    static QString title();
};

} // namespace brivo::ui
