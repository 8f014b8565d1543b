#include "mediaservice/keyframe_sniffer.h"

namespace {

// Calls `unit(byte after the start code)` for every 00 00 01 start code; stops at true.
template <typename Unit>
bool any_unit(const AVPacket* packet, Unit unit) {
    const uint8_t* data = packet->data;
    for (int i = 0; i + 3 < packet->size; ++i) {
        if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1 &&
            unit(data + i + 3, packet->size - i - 3))
            return true;
    }
    return false;
}

}  // namespace

std::optional<bool> sniff_keyframe(AVCodecID codec, const AVPacket* packet) {
    switch (codec) {
        case AV_CODEC_ID_H264:
            return is_idr_packet(codec, packet);
        case AV_CODEC_ID_HEVC:
            return any_unit(packet, [](const uint8_t* unit, int) {
                const int type = (unit[0] >> 1) & 0x3F;
                return type >= 16 && type <= 21;
            });
        case AV_CODEC_ID_MPEG4:
            // VOP start code B6, then two bits of coding type: 0 is intra.
            return any_unit(packet, [](const uint8_t* unit, int left) {
                return unit[0] == 0xB6 && left > 1 && (unit[1] >> 6) == 0;
            });
        default:
            return std::nullopt;
    }
}

bool is_idr_packet(AVCodecID codec, const AVPacket* packet) {
    if (codec == AV_CODEC_ID_H264)
        return any_unit(packet, [](const uint8_t* unit, int) { return (unit[0] & 0x1F) == 5; });
    if (codec == AV_CODEC_ID_HEVC) {
        return any_unit(packet, [](const uint8_t* unit, int) {
            const int type = (unit[0] >> 1) & 0x3F;
            return type == 19 || type == 20;
        });
    }
    return false;
}
