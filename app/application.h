#pragma once

// The whole program: start-up in the program's directory, the main window,
// its created event and the event loop.

#include "app/site_addresses.h"

namespace vx {

// Returns the process's exit code.
int run_application(int argc, char** argv, const SiteAddresses& sites);

}  // namespace vx
