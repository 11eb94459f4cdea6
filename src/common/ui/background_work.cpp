#include "common/ui/background_work.h"

#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <thread>

namespace brivo::ui {

void whileWindowPaints(const std::function<void()>& work, const std::function<void()>& tick)
{
    std::atomic<bool> done{false};
    QEventLoop loop;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        tick();
        if (done.load())
            loop.quit();
    });
    timer.start();
    const std::jthread worker([&] {
        work();
        done.store(true);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace brivo::ui
