#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "mediaservice/address_sanitizer.h"
#include "mediaservice/frame_cache.h"
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

// Past the buffers made ready at once, more are made as they are taken, up to the most asked.
TEST(FrameStore, KeepsBuffersReadyUpToTheMostAsked) {
    const AvFramePtr frame = blank_frame(640, 360);
    const std::size_t one = FrameStore::bytes_for(frame.get());
    FrameStore store;
    store.reserve(frame.get(), 1, 3);
    for (int wait = 0; wait < 5000 && store.prepared_bytes() < 3 * one; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(store.prepared_bytes(), 3 * one);
    std::vector<AvFramePtr> copies;
    for (int k = 0; k < 3; ++k) copies.push_back(store.copy(frame.get()));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(store.prepared_bytes(), 3 * one) << "three are in use: no more are made";
}

// A frame of a grey ramp, encoded with MPEG-4 and decoded into `store`'s memory, or into the
// decoder's own when there is none.
AvFramePtr decoded_ramp(QSize size, FrameStore* store) {
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    const AVCodec* decoder = avcodec_find_decoder(AV_CODEC_ID_MPEG4);
    AvCodecContextPtr in(avcodec_alloc_context3(encoder)), out(avcodec_alloc_context3(decoder));
    in->width = out->width = size.width();
    in->height = out->height = size.height();
    in->pix_fmt = AV_PIX_FMT_YUV420P;
    in->time_base = {1, 30};
    if (store) store->decode_into(out.get());
    if (avcodec_open2(in.get(), encoder, nullptr) < 0 ||
        avcodec_open2(out.get(), decoder, nullptr) < 0)
        return nullptr;
    AvFramePtr picture = blank_frame(size.width(), size.height());
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture->data[0][y * picture->linesize[0] + x] = static_cast<std::uint8_t>(x + 3 * y);
    for (int plane : {1, 2})
        std::memset(picture->data[plane], 128, picture->linesize[plane] * size.height() / 2);
    picture->pts = 0;
    AvPacketPtr packet(av_packet_alloc());
    AvFramePtr frame(av_frame_alloc());
    if (avcodec_send_frame(in.get(), picture.get()) < 0 ||
        avcodec_send_frame(in.get(), nullptr) < 0 ||
        avcodec_receive_packet(in.get(), packet.get()) < 0 ||
        avcodec_send_packet(out.get(), packet.get()) < 0 ||
        avcodec_send_packet(out.get(), nullptr) < 0 ||
        avcodec_receive_frame(out.get(), frame.get()) < 0)
        return nullptr;
    return frame;
}

// A decoder told to decode into the store puts its frames in the store's memory, aligned as
// its vector code needs, with the same pictures as in its own; keeping one copies nothing.
TEST(FrameStore, DecodersDecodeIntoItAndKeepingAFrameCopiesNothing) {
    for (QSize size : {QSize(100, 76), QSize(1920, 1080)}) {
        FrameStore store;
        const AvFramePtr own = decoded_ramp(size, nullptr);
        const AvFramePtr frame = decoded_ramp(size, &store);
        ASSERT_TRUE(own && frame);
        EXPECT_FALSE(store.holds(own.get()));
        ASSERT_TRUE(store.holds(frame.get()));
        for (int plane = 0; plane < 3; ++plane) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(frame->data[plane]) % 64, 0u);
            EXPECT_EQ(frame->linesize[plane] % 64, 0);
            const int rows = plane ? size.height() / 2 : size.height();
            const int bytes = plane ? size.width() / 2 : size.width();
            for (int y = 0; y < rows; ++y)
                ASSERT_EQ(0, std::memcmp(frame->data[plane] + y * frame->linesize[plane],
                                         own->data[plane] + y * own->linesize[plane], bytes))
                    << size.width() << " plane " << plane << " row " << y;
        }
        EXPECT_EQ(store.copy(frame.get())->data[0], frame->data[0]);
    }
}

// The cache counts its frames at the size of the first one kept; frames that come larger after
// it (a damaged clip, a recording whose size grows) must not take it past its bytes.
TEST(FrameCache, StaysWithinItsBytesWhenLaterFramesAreLarger) {
    constexpr std::size_t kBudget = 16u << 20;
    FrameCache cache(kBudget, 40, 40);
    cache.put(0, blank_frame(64, 48).get(), 0, FrameCache::Use::stepping_back);
    const AvFramePtr large = blank_frame(1280, 720);
    for (int number = 1; number <= 30; ++number)
        cache.put(number, large.get(), number, FrameCache::Use::stepping_back);
    EXPECT_GE(cache.size(), 5u);
    EXPECT_LE(cache.size() * FrameStore::bytes_for(large.get()), kBudget);
    EXPECT_NE(cache.find(30), nullptr);
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
