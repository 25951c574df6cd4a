#include "app/application.h"

int main(int argc, char** argv) {
    return vx::run_application(argc, argv, vx::SiteAddresses{});
}
