#include "cursor_metadata.h"

#include <spa/buffer/meta.h>
#include <spa/param/param.h>
#include <spa/pod/vararg.h>

namespace {

constexpr int MetaSize(int side) {
    return static_cast<int>(sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap)) + side * side * 4;
}

} // namespace

const spa_pod* CursorMetaParam(spa_pod_builder& builder) {
    return static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
        SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size,
        SPA_POD_CHOICE_RANGE_Int(MetaSize(64), MetaSize(1), MetaSize(1024))));
}

std::optional<CursorReport> CursorReportOf(const spa_buffer& buffer) {
    const auto* cursor = static_cast<const spa_meta_cursor*>(
        spa_buffer_find_meta_data(&buffer, SPA_META_Cursor, sizeof(spa_meta_cursor)));
    if (!cursor)
        return std::nullopt;
    // Id 0: the producer has no pointer to show in this stream.
    if (!spa_meta_cursor_is_valid(cursor))
        return CursorReport{};
    return CursorReport{true, QPoint(cursor->position.x, cursor->position.y)};
}
