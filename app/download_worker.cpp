#include "app/track_file_name.h"
#include "app/workers.h"
#include "http/file_fetch.h"

namespace vx {
namespace {

bool due(const Text& status) {
    return status == kStatusReady || status == kStatusFailed;
}

}  // namespace

void download_worker(const WorkerContext& context) {
    const TransferControl& control = context.control;
    TrackWindow& window = context.env.window;

    if (!control.wait_while_paused()) {
        return;
    }
    const int rows = window.row_count();
    for (int row = 0; row < rows; ++row) {
        if (!control.wait_while_paused()) {
            return;
        }
        if (!due(window.cell(row, kStatusColumn))) {
            continue;
        }
        if (!control.wait_while_paused()) {
            return;
        }
        const auto file_name = track_file_name(window.cell(row, kNameColumn));
        if (!control.wait_while_paused()) {
            return;
        }
        const Text address = window.cell(row, kMp3AddressColumn);

        // An unresolved row or a name with nothing usable left fails without a
        // request; it is taken again by the next Download all.
        bool ok = false;
        if (file_name && !address.empty()) {
            // The fetch renames its temporary file over the target only when
            // the whole body arrived with a success status, so a failure keeps
            // whatever file was there.
            ok = fetch_to_file(address.view(), context.env.program_dir / *file_name, &control).ok;
        }
        if (!control.wait_while_paused()) {
            return;
        }
        window.set_cell(row, kStatusColumn, ok ? kStatusDone : kStatusFailed);
    }
}

}  // namespace vx
