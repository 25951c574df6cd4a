#pragma once

// The three worker routines. Each checks its control before every step (each
// request, each cell write) and ends at once when stopped.

#include "app/worker_slots.h"

namespace vx {

// Reads the address box, fetches that list page and fills the track list with
// one row per track; then starts resolve_worker into the worker slot.
void search_worker(const WorkerContext& context);

// Writes each row's MP3 address on the media server into its column 1.
void resolve_worker(const WorkerContext& context);

// Saves every row marked ready (or failed before) into the program's
// directory, then marks it done or failed.
void download_worker(const WorkerContext& context);

}  // namespace vx
