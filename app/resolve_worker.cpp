#include "app/workers.h"
#include "http/web_access.h"
#include "text/text_between.h"

namespace vx {
namespace {

constexpr std::string_view kIdentifierStart = "url: musicUrl + '";
// Ends in a carriage return, no line feed.
constexpr std::string_view kIdentifierEnd = ".mp3',\r";

}  // namespace

// At its end the run simply ends: stopping whatever the slots hold by then
// could cut off a newer search or a download started meanwhile.
void resolve_worker(const WorkerContext& context) {
    const TransferControl& control = context.control;
    TrackWindow& window = context.env.window;
    const SiteAddresses& sites = context.env.sites;

    if (!control.wait_while_paused()) {
        return;
    }
    // Rows added later are not visited.
    const int rows = window.row_count();
    for (int row = 0; row < rows; ++row) {
        if (!control.wait_while_paused()) {
            return;
        }
        const Text link = window.cell(row, kLinkColumn);
        if (!control.wait_while_paused()) {
            return;
        }
        const Text page = web_access(sites.catalogue_base + link, &control);
        if (!control.wait_while_paused()) {
            return;
        }
        const Text identifier = text_between(page, kIdentifierStart, kIdentifierEnd);
        window.set_cell(row, kMp3AddressColumn, sites.media_base + identifier + ".mp3");
    }
}

}  // namespace vx
