#include "mediaservice/frame_index.h"

#include <algorithm>
#include <functional>

int FrameIndex::keyframe_before(int frame) const {
    auto it = std::upper_bound(keyframes.begin(), keyframes.end(), frame);
    if (it == keyframes.begin()) return keyframes.empty() ? 0 : keyframes.front();
    return *std::prev(it);
}

int FrameIndex::previous_keyframe(int keyframe) const {
    auto it = std::lower_bound(keyframes.begin(), keyframes.end(), keyframe);
    if (it == keyframes.begin()) return -1;
    return *std::prev(it);
}

int FrameIndex::timeline_length() const {
    if (dts.empty()) return 0;
    const std::int64_t span = dts.back() - dts.front() + 1;
    // Only a timeline with room for every packet, and not mostly empty, is believed.
    if (span < count() || span > 4 * static_cast<std::int64_t>(count()) + 16) return count();
    return static_cast<int>(span);
}

int FrameIndex::packet_at(int frame) const {
    if (timeline_length() == count()) return frame;
    auto it = std::upper_bound(dts.begin(), dts.end(), dts.front() + frame);
    return static_cast<int>(it - dts.begin()) - 1;
}

int FrameIndex::frame_at_time(std::int64_t time) const {
    auto it = std::lower_bound(shown.begin(), shown.end(), time);
    return it != shown.end() && *it == time ? static_cast<int>(it - shown.begin()) : -1;
}

int FrameIndex::packet_at_pos(std::int64_t position) const {
    if (packet_by_pos.empty()) {
        // Packets lie in the file in decode order, as they nearly always do.
        auto it = std::lower_bound(pos.begin(), pos.end(), position);
        return it != pos.end() && *it == position ? static_cast<int>(it - pos.begin()) : -1;
    }
    auto it =
        std::lower_bound(packet_by_pos.begin(), packet_by_pos.end(), std::make_pair(position, -1));
    return it != packet_by_pos.end() && it->first == position ? it->second : -1;
}

int FrameIndex::first_frame_from(int keyframe) const {
    if (!by_time()) return keyframe;
    return static_cast<int>(std::lower_bound(shown.begin(), shown.end(), pts[keyframe]) -
                            shown.begin());
}

int FrameIndex::start_for(int frame) const {
    if (!by_time()) return keyframe_before(frame);
    int keyframe = keyframe_before(frame_packet[frame]);
    while (keyframe > 0 && first_frame_from(keyframe) > frame)
        keyframe = std::max(0, previous_keyframe(keyframe));
    return keyframe;
}

void FrameIndex::number_by_time(const std::vector<bool>& shown_packet) {
    shown.clear();
    shown.reserve(dts.size());
    for (int k = 0; k < count(); ++k)
        if (shown_packet[k]) shown.push_back(pts[k]);
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    // Of packets with one time, the first in decode order holds the frame.
    frame_packet.assign(shown.size(), -1);
    for (int k = 0; k < count(); ++k) {
        if (!shown_packet[k]) continue;
        int& packet = frame_packet[frame_at_time(pts[k])];
        if (packet < 0) packet = k;
    }
    packet_by_pos.clear();
    if (std::adjacent_find(pos.begin(), pos.end(), std::greater_equal<>()) == pos.end()) return;
    for (int k = 0; k < count(); ++k) packet_by_pos.emplace_back(pos[k], k);
    std::sort(packet_by_pos.begin(), packet_by_pos.end());
    // Two packets at one place cannot be told apart as they are read: neither is known by it.
    for (size_t i = 0; i + 1 < packet_by_pos.size(); ++i)
        if (packet_by_pos[i].first == packet_by_pos[i + 1].first)
            packet_by_pos[i].second = packet_by_pos[i + 1].second = -1;
}
