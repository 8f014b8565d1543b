#include "mediaservice/decoder_setup.h"

#include <algorithm>
#include <cstdint>

AvCodecContextPtr new_decoder(const AVCodecParameters* parameters, int threads) {
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    AvCodecContextPtr context(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!context || avcodec_parameters_to_context(context.get(), parameters) < 0) return nullptr;
    context->thread_count = threads;
    context->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    // 8K, as the largest cameras film it.
    constexpr std::int64_t kLargestCameraFrame = std::int64_t{8192} * 4320;
    context->max_pixels =
        std::max(kLargestCameraFrame, std::int64_t{parameters->width} * parameters->height);
    return context;
}
