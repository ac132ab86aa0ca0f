// The Wayland screen without a desktop: byte orders, row strides, points mapped onto each
// monitor's newest frame, and the pointer from cursor metadata.
#include "platform/wayland/cursor_metadata.h"
#include "platform/wayland/frame_store.h"
#include "platform/wayland/stream_buffers.h"
#include "support/pattern_frame.h"

#include <spa/buffer/meta.h>

#include <gtest/gtest.h>

#include <array>

TEST(FrameTest, EachByteOrderGivesTheSameColourWord) {
    const std::array<std::uint8_t, 4> bytes{0x11, 0x22, 0x33, 0x44};
    const struct {
        FramePixelFormat format;
        COLORREF expected;
    } cases[] = {
        {FramePixelFormat::BGRx, RGB(0x33, 0x22, 0x11)},
        {FramePixelFormat::BGRA, RGB(0x33, 0x22, 0x11)},
        {FramePixelFormat::RGBx, RGB(0x11, 0x22, 0x33)},
        {FramePixelFormat::RGBA, RGB(0x11, 0x22, 0x33)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeFramePixel(c.format, bytes.data()), c.expected)
            << static_cast<int>(c.format);
}

TEST(FrameTest, RowsAreCopiedWithoutTheSourcePaddingAndShortSourcesAreRefused) {
    // Two rows of two RGBA pixels, each row padded to 12 bytes.
    const std::vector<std::uint8_t> source{1,    2,    3, 0, 4, 5, 6,  0,  0xEE, 0xEE,
                                           0xEE, 0xEE, 7, 8, 9, 0, 10, 11, 12,   0};
    Frame frame;
    ASSERT_TRUE(frame.CopyFrom(source.data(), source.size(), 12, 2, 2, FramePixelFormat::RGBA));
    EXPECT_EQ(frame.PixelAt(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(frame.PixelAt(1, 0), RGB(4, 5, 6));
    EXPECT_EQ(frame.PixelAt(0, 1), RGB(7, 8, 9));
    EXPECT_EQ(frame.PixelAt(1, 1), RGB(10, 11, 12));
    EXPECT_EQ(frame.PixelAt(2, 0), kUnreadablePixel);
    EXPECT_EQ(frame.PixelAt(0, -1), kUnreadablePixel);

    // One byte short of the last row; a stride shorter than a row.
    EXPECT_FALSE(
        frame.CopyFrom(source.data(), source.size() - 1, 12, 2, 2, FramePixelFormat::RGBA));
    EXPECT_EQ(frame.PixelAt(0, 0), kUnreadablePixel);
    EXPECT_FALSE(frame.CopyFrom(source.data(), source.size(), 4, 2, 2, FramePixelFormat::RGBA));
}

TEST(FrameTest, DesktopPointsMapOntoTheNewestFrameOfTheMonitorHoldingThem) {
    FrameStore store;
    // Monitor 1 left of monitor 2, which is scaled: its 50 x 40 area streams 100 x 80 pixels.
    // Monitor 3 lies apart, below, and never gets a frame.
    store.SetOutputs({QRect(0, 0, 100, 40), QRect(100, 0, 50, 40), QRect(0, 200, 10, 10)});
    EXPECT_EQ(store.VirtualSize(), QSize(150, 210));
    EXPECT_EQ(store.PixelAt(5, 5), kUnreadablePixel) << "before the first frame";
    EXPECT_FALSE(store.HasEveryFrame());

    store.Publish(0, PatternFrame(QSize(100, 40), 1));
    store.Publish(1, PatternFrame(QSize(100, 80), 2));
    const struct {
        QPoint desktop;
        int monitor; // 0: no pixel
        QPoint inFrame;
    } cases[] = {
        {{0, 0}, 1, {0, 0}},      {{99, 39}, 1, {99, 39}},  {{100, 0}, 2, {0, 0}},
        {{125, 20}, 2, {50, 40}}, {{149, 39}, 2, {98, 78}}, {{150, 0}, 0, {}},
        {{-1, 0}, 0, {}},         {{0, 40}, 0, {}},         {{5, 205}, 0, {}},
    };
    for (const auto& c : cases) {
        const COLORREF expected = c.monitor == 0 ? kUnreadablePixel
                                                 : RGB(c.inFrame.x(), c.inFrame.y(),
                                                       static_cast<std::uint32_t>(c.monitor));
        EXPECT_EQ(store.PixelAt(c.desktop.x(), c.desktop.y()), expected)
            << c.desktop.x() << "," << c.desktop.y();
    }
    EXPECT_FALSE(store.HasEveryFrame());
    // The remote pointer moves in the stream's pixels; desktop units before the first frame.
    EXPECT_EQ(store.InStream({125, 20})->at, QPointF(50, 40));
    EXPECT_EQ(store.InStream({5, 205})->at, QPointF(5, 5));

    // A newer frame replaces the old one whole; the old one is handed back.
    const auto previous = store.Publish(0, PatternFrame(QSize(100, 40), 7));
    ASSERT_TRUE(previous);
    EXPECT_EQ(previous->PixelAt(3, 4), RGB(3, 4, 1));
    EXPECT_EQ(store.PixelAt(3, 4), RGB(3, 4, 7));
    store.Publish(2, PatternFrame(QSize(10, 10), 3));
    EXPECT_TRUE(store.HasEveryFrame());

    store.SetOutputs({});
    EXPECT_EQ(store.PixelAt(3, 4), kUnreadablePixel);
    EXPECT_EQ(store.VirtualSize(), QSize(0, 0));
    EXPECT_FALSE(store.HasEveryFrame());
}

TEST(CursorMetadataTest, BuffersSayWhetherAndWhereThePointerIs) {
    spa_meta_cursor cursor{};
    cursor.position = {30, 40};
    spa_meta meta{};
    spa_buffer buffer{};
    buffer.n_metas = 1;
    buffer.metas = &meta;
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
        meta = {c.type, c.size, &cursor};
        const std::optional<CursorReport> report = CursorReportOf(buffer);
        ASSERT_EQ(report.has_value(), c.expected.has_value()) << c.what;
        if (report) {
            EXPECT_EQ(report->overThisMonitor, c.expected->overThisMonitor) << c.what;
            EXPECT_EQ(report->inFrame, c.expected->inFrame) << c.what;
        }
    }
}

TEST(CursorMetadataTest, APointerOnlyBufferAfterAPictureLeavesThePictureToBeKept) {
    std::uint8_t pixel[4]{};
    // A picture; then what GNOME and KDE send when only the pointer moved: an empty chunk, a
    // damaged one, no data at all.
    spa_chunk chunks[3]{{0, 4, 4, 0}, {0, 0, 4, 0}, {0, 4, 4, SPA_CHUNK_FLAG_CORRUPTED}};
    spa_data datas[3]{};
    spa_buffer buffers[4]{};
    pw_buffer waiting[4]{}, *order[4]{};
    for (std::uint32_t i = 0; i < 4; ++i) {
        datas[i % 3] = {SPA_DATA_MemPtr, 0, -1, 0, 4, pixel, &chunks[i % 3]};
        buffers[i] = {0, i < 3 ? 1u : 0u, nullptr, &datas[i % 3]};
        waiting[i].buffer = &buffers[i];
        order[i] = &waiting[i];
    }
    EXPECT_EQ(NewestPicture(order), &buffers[0]);
    EXPECT_EQ(NewestPicture(std::span(order).subspan(1)), nullptr);
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
