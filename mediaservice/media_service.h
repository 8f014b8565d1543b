#pragma once
#include <string>
#include <string_view>

// The video service, driven by text commands as a desktop media service is:
//   open PATH alias NAME [style child parent HWND]   close NAME
//   where NAME source        put NAME destination at X Y W H
//   status NAME length|position|mode                  play NAME [window]
//   pause NAME   stop NAME   step NAME [reverse]      seek NAME to N|start|end
//   update NAME hdc HDC [full]
// and the clip's timing and turn, all answered from what was learned at open:
//   status NAME frame interval   the nominal frame interval in seconds, reduced: 1/30,
//                                1001/30000 (the median interval when the intervals vary)
//   status NAME variable rate    true when an interval differs from the median by more than
//                                a fifth (beyond the rounding of the clip's time base)
//   status NAME time N           seconds from frame 0 to frame N, up to 9 decimals: 0.833333333
//   status NAME capture rate     the rate the camera recorded at (240, 239.76), or 0
//   status NAME rotation         degrees clockwise the stored picture is turned to show it
//                                upright (0, 90, 180, 270), then " mirrored" when it is also
//                                flipped left to right
// Words are separated by one or more blanks. Positions count frames from 0, the first frame a
// player shows. Frames show upright, at their displayed shape (sample aspect ratio counted), as
// large as fits in the destination, centred, with black bars (fit_picture in picture_fit.h).
// `where NAME source` answers "0 0 W H", the displayed width and height. `update` replies with
// the number of the frame it painted; with `full` it paints that frame at its displayed size at
// (0, 0) of the surface's drawing area.
class MediaService {
  public:
    virtual ~MediaService() = default;
    // Runs one command. Returns 0 and sets `reply` on success; otherwise a non-zero code.
    virtual int send(std::string_view command, std::string& reply) = 0;
    // A readable (Japanese, UTF-8) description of a non-zero code of the last failure.
    virtual std::string error_text(int code) = 0;
};
