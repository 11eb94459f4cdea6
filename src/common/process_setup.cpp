#include "common/process_setup.h"

#include <csignal>

namespace brivo {

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace brivo
