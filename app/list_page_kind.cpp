#include "app/list_page_kind.h"

#include <iterator>

#include "text/text_between.h"
#include "text/text_ops.h"

namespace vx {

const ListPageKind& choose_list_page_kind(std::string_view address) {
    for (const ListPageKind& kind : kListPageKinds) {
        if (kind.keyword.empty() || find_first(address, kind.keyword) != kNotFound) {
            return kind;
        }
    }
    return kListPageKinds[std::size(kListPageKinds) - 1];
}

Text track_table_region(std::string_view page, const ListPageKind& kind) {
    const Text region = text_between(page, kHeaderMarker, kind.end_marker);
    // The page escapes its line breaks and tabs inside the table ("\\n\\t\\t\\t");
    // once the backslashes are gone that noise reads "ntttntttt", so the order matters.
    const Text without_backslashes = replace_all(region, "\\", "");
    return replace_all(without_backslashes, "ntttntttt", "");
}

}  // namespace vx
