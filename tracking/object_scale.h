#pragma once
#include <opencv2/core.hpp>

// Whole pixels from `point` (rounded) to the nearest edge of the picture: a square of half
// side h around it lies inside the picture when h is at most this.
int room_around(const cv::Mat& picture, cv::Point2d point);

// The radius in frame pixels of the object around `point`, whose colour is `colour`: the
// distance from the point at which most rays from it cross an edge of the colour distance
// (colour_distance.h). The object's outline goes all round the point, so at its distance most
// rays cross it, where clutter or a spot on the object crosses only some of them. Distances
// from 1 pixel to `most` are tried, as far as the picture reaches around the point; 1 when it
// reaches less than 2 pixels.
double object_radius(const cv::Mat& picture, cv::Point2d point, const cv::Vec3f& colour,
                     double most);
