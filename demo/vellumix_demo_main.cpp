// vellumix-demo: the program pointed at a catalogue site on loopback, so that
// the whole flow can be tried on a machine with no internet.

#include <cstdio>

#include "app/application.h"
#include "demo/demo_site.h"

int main(int argc, char** argv) {
    const vx::DemoSite site;
    if (!site.serving()) {
        std::fputs("vellumix-demo: the demo site could not start on 127.0.0.1\n", stderr);
        return 1;
    }
    return vx::run_application(argc, argv, site.addresses());
}
