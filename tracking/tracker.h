#pragma once
#include <opencv2/core.hpp>
#include <span>
#include <vector>

#include "tracking/prediction.h"

// What a tracking step came to.
enum class TrackOutcome {
    found,    // the object is at the verdict's position, now the latest of the tracker's marks
    unsure,   // the best match scores under kUnsureBelow, another place scores nearly as well
              // (kRivalWithin), its peak is a ridge (kLeastRoundness), or it lies on the side
              // of the search area (the object moved further than expected): nothing to record
    leaving,  // the object would leave the picture: the template's square around the predicted
              // or the found position reaches the picture's edge
    flat,     // the picture around the mark has no contrast to match (or nothing was started)
};

struct TrackVerdict {
    TrackOutcome outcome = TrackOutcome::flat;
    // Frame pixels: where the object was found, or the best place when unsure; when leaving,
    // the predicted position, or the found one if it was the match that reached the edge.
    cv::Point2d position;
    // The correlation at the best place, -1 to 1; NaN when no match was made.
    double score = 0.0;
};

// Follows an object from frame to frame, driven a step at a time by its user.
//
// It matches the object's look in the distance from the object's colour (colour_distance.h,
// which also says which pictures it reads and how positions count), the colour taken at the
// last mark when it starts. The template is the square of that distance around the last mark
// in the full-size frame, of half side the object's radius there (object_radius) plus 3 pixels
// and one more for every 480 pixels of the picture's shorter side: the outline with a ring of
// background as wide as the smoothing, the outline's blur and a click's error, and little more,
// since much background in the template pulls the match towards the background (and a template
// mostly of background would stay on the background). The half side lies between kLeastHalf and
// a sixth of the shorter side.
//
// Each step searches within the prediction's uncertainty (predict_position) of the predicted
// position, plus 2 pixels and a 64th of the shorter side for the error of hand-made marks,
// which the parabola through three of them magnifies; at most within a quarter of the shorter
// side, which is also the search from a single mark (search.h says how a wide search stays
// cheap).
class Tracker {
  public:
    // Thresholds and weights, measured on the scenes of bench/tracking_bench.
    // Under this score a match is unsure:
    static constexpr double kUnsureBelow = 0.88;
    // A match is unsure as well when another place, at least the template's half side away,
    // scores within this of it: two objects alike, and nothing says which is the one:
    static constexpr double kRivalWithin = 0.05;
    // A match is unsure as well when its peak is a ridge rather than a summit (Peak::roundness
    // under this): the place along the ridge is not fixed, and a template that learned from
    // it would slide along the object:
    static constexpr double kLeastRoundness = 0.25;
    // From this score a match also updates the template:
    static constexpr double kConfidentFrom = 0.9;
    // The share of the new patch when it does (the rest is the template so far):
    static constexpr double kTemplateBlend = 0.2;
    // Under this standard deviation of the template a mark is flat:
    static constexpr double kFlatBelow = 5.0;
    static constexpr int kLeastHalf = 4;
    // A template of more than twice this half side is kept and matched in the picture shrunk
    // by a power of two, so that its half side lies between kMatchHalf and twice that: the cost
    // of a step stays that of a small template, and a fraction of a pixel of the shrunk picture
    // is still a small part of the object.
    static constexpr int kMatchHalf = 24;

    // Begins at the latest of `marks` (oldest first, at least one; the three latest are kept
    // for the prediction) in `picture`, the frame it was made on. Returns found when it can
    // follow from there, flat or leaving when not.
    TrackOutcome start(const cv::Mat& picture, std::span<const TrackedMark> marks);

    // Looks for the object in `picture`, the frame numbered `frame` (after the latest mark's).
    // A found position becomes the latest mark.
    TrackVerdict next(const cv::Mat& picture, int frame);

    // The template's half side in frame pixels; 0 before start.
    int template_half() const { return half_; }

  private:
    std::vector<TrackedMark> marks_;
    cv::Vec3f colour_;
    cv::Mat template_;
    int factor_ = 1;     // the template is of the picture shrunk by this
    int view_half_ = 0;  // its half side in its own pixels
    int half_ = 0;       // and in frame pixels
};
