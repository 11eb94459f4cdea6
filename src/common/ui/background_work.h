#pragma once

#include <functional>

namespace brivo::ui {

// Runs `work` on a worker thread and returns when it is done. Meanwhile
// the event loop goes on without user input: windows paint and screen
// readers are answered, and `tick` is called every 50 ms (to show the
// progress) on this thread.
void whileWindowPaints(const std::function<void()>& work, const std::function<void()>& tick);

} // namespace brivo::ui
