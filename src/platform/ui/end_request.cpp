#include "platform/ui/end_request.h"

#include <atomic>

#include "platform/ui/ui.h"

namespace {

// Set from a signal handler: only a lock-free atomic may be touched there.
std::atomic<bool> Requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace

bool EndRequested() {
    return Requested.load(std::memory_order_relaxed);
}

void MarkEndRequested() {
    Requested.store(true, std::memory_order_relaxed);
}

void ClearEndRequest() {
    Requested.store(false, std::memory_order_relaxed);
}

int EndAnswer(int style) {
    switch (ButtonsOf(style)) {
        case vbOKCancel:
        case vbYesNoCancel:
        case vbRetryCancel:
            return vbCancel;
        case vbAbortRetryIgnore:
            return vbAbort;
        case vbYesNo:
            return vbNo;
        default:
            return vbOK;
    }
}
