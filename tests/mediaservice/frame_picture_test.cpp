#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "mediaservice/address_sanitizer.h"
#include "mediaservice/frame_memory.h"
#include "mediaservice/frame_picture.h"
#include "mediaservice/frame_store.h"
#include "mediaservice/picture_pool.h"

namespace {

// Frames of widths that are not a multiple of 16, converted at their own size and scaled:
// FFmpeg's conversion writes whole blocks past the last row, which must land in the picture's
// own memory. Freeing a picture whose neighbour's header was overwritten aborts the process.
TEST(FramePicture, WidthsThatAreNotBlocksOfSixteenStayInsideThePicture) {
    const struct {
        int width, height;
        QSize scaled;
    } cases[] = {{1, 32, {1, 32}}, {40, 32, {40, 32}}, {100, 75, {37, 23}}, {360, 240, {316, 236}}};
    for (const auto& c : cases) {
        AvFramePtr frame(av_frame_alloc());
        frame->format = AV_PIX_FMT_YUV420P;
        frame->width = c.width;
        frame->height = c.height;
        ASSERT_GE(av_frame_get_buffer(frame.get(), 64), 0);
        std::memset(frame->data[0], 0xEB, frame->linesize[0] * c.height);  // white
        for (int plane = 1; plane < 3; ++plane)
            std::memset(frame->data[plane], 0x80, frame->linesize[plane] * ((c.height + 1) / 2));
        for (int round = 0; round < 4; ++round) {
            FramePicture converter;
            const QImage own = converter.convert(frame.get());
            const QImage scaled = converter.convert(frame.get(), c.scaled);
            ASSERT_EQ(own.size(), QSize(c.width, c.height));
            EXPECT_GT(qGray(own.pixel(c.width - 1, c.height - 1)), 240) << c.width;
            EXPECT_EQ(scaled.size(), c.scaled);
            // A destination without width or height gives no picture (and, under the
            // sanitizer run, leaks no memory).
            EXPECT_TRUE(converter.convert(frame.get(), QSize(0, c.height)).isNull());
        }
    }
}

}  // namespace

namespace {

// Memory given back is handed out again only for a picture of the same size: a smaller block
// for a larger picture would be written past its end.
TEST(PicturePool, HandsMemoryOutAgainOnlyForTheSameSize) {
    const std::size_t small = 320 * 240 * 4 + 256, large = 640 * 480 * 4 + 256;
    std::uint8_t* first = picture_pool::take(small);
    ASSERT_NE(first, nullptr);
    picture_pool::give_back(first);
    std::uint8_t* other = picture_pool::take(large);
    EXPECT_NE(other, first);
    std::memset(other, 1, large);  // the whole of it is ours
    std::uint8_t* again = picture_pool::take(small);
    EXPECT_EQ(again, first);
    picture_pool::give_back(other);
    picture_pool::give_back(again);
}

}  // namespace

TEST(FrameMemory, BlocksAreAlignedAndNeverOverlap) {
    // Sizes under a megabyte share huge pages, several to a page; larger ones have their own.
    const struct {
        std::size_t alignment, size;
        int count;
    } cases[] = {{64, 115'264, 40}, {64, 307'456, 15}, {4096, 1000, 30}, {64, 3'110'464, 3}};
    for (const auto& c : cases) {
        std::vector<std::uint8_t*> blocks;
        for (int k = 0; k < c.count; ++k) {
            std::uint8_t* block = allocate_frame_memory(c.alignment, c.size);
            ASSERT_NE(block, nullptr);
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % c.alignment, 0u);
            std::memset(block, k + 1, c.size);
            blocks.push_back(block);
        }
        for (int k = 0; k < c.count; ++k) {
            const std::uint8_t* block = blocks[k];
            EXPECT_TRUE(block[0] == k + 1 && block[c.size - 1] == k + 1)
                << c.size << " bytes, block " << k << " written over by another";
        }
        for (std::uint8_t* block : blocks) free_frame_memory(block, c.alignment, c.size);
    }
}

namespace {

AvFramePtr blank_frame(int width, int height) {
    AvFramePtr frame(av_frame_alloc());
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = width;
    frame->height = height;
    EXPECT_GE(av_frame_get_buffer(frame.get(), 64), 0);
    return frame;
}

// Closing a clip waits for the thread that makes buffers ready at the lowest priority: it stops
// part-way through a large buffer, not after it.
TEST(FrameStore, StopsPreparingPartWayThroughALargeBuffer) {
    const AvFramePtr frame = blank_frame(8192, 8192);  // 96 MB a buffer
    FrameStore store;
    store.reserve(frame.get(), 1, 1);
    for (int wait = 0; wait < 10000 && store.prepared_bytes() == 0; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_GT(store.prepared_bytes(), 0u);
    store.stop_preparing();
    EXPECT_LT(store.prepared_bytes(), FrameStore::bytes_for(frame.get()) / 2);
    EXPECT_FALSE(store.has_spare());
}

// Under the address sanitizer (GCC's or clang's), a write past a picture's memory, or into
// memory that waits in a spare list, stops the program.
TEST(FrameMemoryDeathTest, OverrunsAndUsesAfterReturnAreCaughtUnderTheSanitizer) {
    if (!kAddressSanitizer) GTEST_SKIP() << "built without the address sanitizer";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            std::uint8_t* block = allocate_frame_memory(64, 1000);
            block[1024] = 1;  // just past the block, rounded up to the alignment
        },
        "buffer-overflow");
    EXPECT_DEATH(
        {
            std::uint8_t* picture = picture_pool::take(1000);
            picture_pool::give_back(picture);
            picture[10] = 1;
        },
        "use-after-poison");
    EXPECT_DEATH(
        {
            const AvFramePtr frame = blank_frame(64, 48);
            FrameStore store;
            AvFramePtr copy = store.copy(frame.get());
            std::uint8_t* data = copy->data[0];
            copy.reset();
            data[0] = 1;
        },
        "use-after-poison");
}

}  // namespace

namespace {

// 10-bit frames as phones write them convert to the colours they stand for: their matrix (high
// definition's) and their range (studio or full) are the frame's own. A matrix code that a
// damaged header made up converts as an unnamed one.
TEST(FramePicture, TenBitFramesConvertByTheirOwnMatrixAndRange) {
    const struct {
        int matrix;  // as the header's byte: not always a value of AVColorSpace
        AVColorRange range;
        int y, u, v;
        QRgb expected;
    } rows[] = {
        {AVCOL_SPC_UNSPECIFIED, AVCOL_RANGE_MPEG, 940, 512, 512, qRgb(255, 255, 255)},
        {AVCOL_SPC_BT709, AVCOL_RANGE_JPEG, 940, 512, 512, qRgb(234, 234, 234)},
        {AVCOL_SPC_BT709, AVCOL_RANGE_JPEG, 1023, 512, 512, qRgb(255, 255, 255)},
        {AVCOL_SPC_UNSPECIFIED, AVCOL_RANGE_MPEG, 504, 512, 680, qRgb(195, 94, 128)},
        {AVCOL_SPC_BT709, AVCOL_RANGE_MPEG, 504, 512, 680, qRgb(203, 106, 128)},
        {176, AVCOL_RANGE_MPEG, 504, 512, 680, qRgb(195, 94, 128)},
    };
    for (const auto& row : rows) {
        AvFramePtr frame(av_frame_alloc());
        frame->format = AV_PIX_FMT_YUV420P10LE;
        frame->width = 64;
        frame->height = 48;
        std::memcpy(&frame->colorspace, &row.matrix, sizeof row.matrix);
        frame->color_range = row.range;
        ASSERT_GE(av_frame_get_buffer(frame.get(), 64), 0);
        const int values[3] = {row.y, row.u, row.v};
        for (int plane = 0; plane < 3; ++plane) {
            const int rows_in_plane = plane == 0 ? 48 : 24;
            for (int y = 0; y < rows_in_plane; ++y) {
                auto* line = reinterpret_cast<std::uint16_t*>(frame->data[plane] +
                                                              y * frame->linesize[plane]);
                std::fill(line, line + (plane == 0 ? 64 : 32), values[plane]);
            }
        }
        FramePicture converter;
        for (const QSize size : {QSize(64, 48), QSize(32, 24)}) {
            const QRgb got = converter.convert(frame.get(), size).pixel(10, 10);
            EXPECT_NEAR(qRed(got), qRed(row.expected), 3) << row.y << " " << row.v;
            EXPECT_NEAR(qGreen(got), qGreen(row.expected), 3) << row.y << " " << row.v;
            EXPECT_NEAR(qBlue(got), qBlue(row.expected), 3) << row.y << " " << row.v;
        }
    }
}

}  // namespace
