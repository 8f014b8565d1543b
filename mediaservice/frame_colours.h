#pragma once
// A frame's colour matrix and range as the numbers they hold. The decoder passes a header's
// codes on as they stand, and a damaged header may hold any byte there: that is no value of
// the enumeration, and reading it as one is undefined. So they are read and copied as bytes.
#include <cstring>

extern "C" {
#include <libavutil/frame.h>
}

namespace frame_colours {

template <typename Field>
int code_of(const Field& field) {
    static_assert(sizeof(Field) == sizeof(int));
    int code = 0;
    std::memcpy(&code, &field, sizeof code);
    return code;
}

inline int matrix(const AVFrame* frame) { return code_of(frame->colorspace); }
inline int range(const AVFrame* frame) { return code_of(frame->color_range); }

inline void copy(const AVFrame* from, AVFrame* to) {
    std::memcpy(&to->colorspace, &from->colorspace, sizeof to->colorspace);
    std::memcpy(&to->color_range, &from->color_range, sizeof to->color_range);
}

}  // namespace frame_colours
