#pragma once

#include <QString>

#include <exception>
#include <utility>

class QWidget;

namespace brivo::ui {

class Dialogs;

// The box that shows an error: its text with the full-stop rule, titled
// with the program file's name without extension, stop icon, OK. The
// window installs where it goes.
class ErrorBox {
public:
    static void install(Dialogs* dialogs, QWidget* parent);

    static void show(const QString& message);

    // Shows the exception being handled (call it from a catch block) once
    // control is back in the event loop, so that no modal box runs inside
    // the delivery of an event.
    static void showLater(const std::exception_ptr& error);

    // Wraps a handler that the toolkit calls (a slot, an event override) so
    // that no exception ever leaves it: the toolkit's frames are not built
    // to be unwound. The error is shown by showLater and the program goes
    // on. This is the one place where escaping exceptions are caught.
    template <typename Handler> static auto guarded(Handler handler)
    {
        return [handler = std::move(handler)]() mutable {
            try {
                handler();
            } catch (...) {
                showLater(std::current_exception());
            }
        };
    }

    static QString title();
};

} // namespace brivo::ui
