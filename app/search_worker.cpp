#include "app/list_page_kind.h"
#include "app/workers.h"
#include "http/web_access.h"
#include "text/regex_object.h"

namespace vx {

void search_worker(const WorkerContext& context) {
    const TransferControl& control = context.control;
    TrackWindow& window = context.env.window;
    RegexObject regex;

    if (!control.wait_while_paused()) {
        return;
    }
    const ListPageKind& kind = choose_list_page_kind(window.address_text());
    if (!control.wait_while_paused()) {
        return;
    }
    window.clear_rows();
    if (!control.wait_while_paused()) {
        return;
    }
    const Text address = window.address_text();
    if (!control.wait_while_paused()) {
        return;
    }
    const Text page = web_access(address, &control);
    if (!control.wait_while_paused()) {
        return;
    }

    regex.execute(kind.pattern, track_table_region(page, kind), false, true, true, true);
    const int matches = regex.match_count();
    for (int match = 1; match <= matches; ++match) {
        if (!control.wait_while_paused()) {
            return;
        }
        const int row = window.append_row();
        if (!control.wait_while_paused()) {
            return;
        }
        window.set_cell(row, kLinkColumn, regex.submatch_text(match, 1));
        if (!control.wait_while_paused()) {
            return;
        }
        window.set_cell(row, kNameColumn, regex.submatch_text(match, kind.name_group));
        if (!control.wait_while_paused()) {
            return;
        }
        window.set_cell(row, kStatusColumn, kStatusReady);
    }

    // Refused when this search was stopped meanwhile: a stopped search does
    // not start the resolve run.
    context.env.worker_slots.start(Slot::worker_thread, context.env, resolve_worker, &control);
}

}  // namespace vx
