#include "frame/batch_host.h"

#include <stdexcept>

namespace {
BatchHost* Installed = nullptr;
}

BatchHost* InstallBatchHost(BatchHost* host) {
    BatchHost* previous = Installed;
    Installed = host;
    return previous;
}

BatchHost& MainHost() {
    if (Installed == nullptr) {
        throw std::logic_error("no main window installed");
    }
    return *Installed;
}
