// Allocations refused on request, the same for every host: a countdown to the one that
// fails, consulted by each sizeable allocation of the library.
#include "platform/host.h"

namespace host {
namespace {

// Allocations still to go before the one that is refused; 0: none is.
int refuse_countdown = 0;

}  // namespace

bool allocation_refused() {
    if (refuse_countdown <= 0) return false;
    return --refuse_countdown == 0;
}

int fail_allocation(int n) {
    if (n < 0) return -1;
    const int pending = refuse_countdown;
    refuse_countdown = n;
    return pending;
}

}  // namespace host
