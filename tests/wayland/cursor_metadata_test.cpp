// The pointer as cursor metadata tells it (desktops offering cursor_mode 4: GNOME, KDE), read
// from hand-made buffers and mapped onto the desktop through the monitor it came from.
#include "platform/wayland/cursor_metadata.h"
#include "platform/wayland/frame_store.h"

#include <spa/buffer/meta.h>

#include <gtest/gtest.h>

namespace {

// A buffer holding one block of metadata of `type`, `size` bytes long, over `cursor`.
spa_buffer BufferWith(spa_meta& meta, std::uint32_t type, std::uint32_t size,
                      spa_meta_cursor& cursor) {
    meta = {type, size, &cursor};
    spa_buffer buffer{};
    buffer.n_metas = 1;
    buffer.metas = &meta;
    return buffer;
}

} // namespace

TEST(CursorMetadataTest, BuffersSayWhetherAndWhereThePointerIs) {
    spa_meta_cursor cursor{};
    cursor.position = {30, 40};
    spa_meta meta{};
    const struct {
        const char* what;
        std::uint32_t type;
        std::uint32_t size;
        std::uint32_t id;
        std::optional<CursorReport> expected;
    } cases[] = {
        {"no cursor metadata", SPA_META_Header, sizeof cursor, 5, std::nullopt},
        {"a block too small to hold it", SPA_META_Cursor, sizeof cursor - 1, 5, std::nullopt},
        {"no pointer in this stream", SPA_META_Cursor, sizeof cursor, 0, CursorReport{}},
        {"the pointer at its place", SPA_META_Cursor, sizeof cursor, 5,
         CursorReport{true, QPoint(30, 40)}},
    };
    for (const auto& c : cases) {
        cursor.id = c.id;
        const spa_buffer buffer = BufferWith(meta, c.type, c.size, cursor);
        const std::optional<CursorReport> report = CursorReportOf(buffer);
        ASSERT_EQ(report.has_value(), c.expected.has_value()) << c.what;
        if (report) {
            EXPECT_EQ(report->overThisMonitor, c.expected->overThisMonitor) << c.what;
            EXPECT_EQ(report->inFrame, c.expected->inFrame) << c.what;
        }
    }
}

TEST(CursorMetadataTest, ThePointerIsWhereTheMonitorThatHasItLastSaid) {
    // The second monitor lies right of the first and streams twice its size in pixels.
    FrameStore store;
    store.SetOutputs({QRect(0, 0, 1280, 720), QRect(1280, 0, 1280, 720)});
    const QSize plain(1280, 720), doubled(2560, 1440);

    EXPECT_EQ(store.Pointer(), std::nullopt);
    store.PublishPointer(1, QPoint(100, 50), doubled);
    EXPECT_EQ(store.Pointer(), QPoint(1330, 25));
    // The monitor it left says so after the one it reached: the latter stands.
    store.PublishPointer(0, std::nullopt, plain);
    EXPECT_EQ(store.Pointer(), QPoint(1330, 25));
    store.PublishPointer(1, std::nullopt, doubled);
    EXPECT_EQ(store.Pointer(), std::nullopt);
    store.PublishPointer(0, QPoint(10, 20), plain);
    EXPECT_EQ(store.Pointer(), QPoint(10, 20));
    store.SetOutputs({});
    EXPECT_EQ(store.Pointer(), std::nullopt);
}
