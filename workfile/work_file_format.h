#pragma once

// The work file's JSON: an object marked with kWorkFileFormat and kWorkFileVersion. A reader
// refuses a version it does not know; a change that older readers would misread takes a new
// version number.
inline constexpr const char* kWorkFileFormat = "kinvora-work";
inline constexpr int kWorkFileVersion = 1;
inline constexpr const char* kWorkFileExtension = "kinvora";
// Far above what 100 marks take (about 20 KB): anything larger is no work file.
inline constexpr int kMaxWorkFileBytes = 1 << 20;

// The texts of the frame interval choice in the file.
inline constexpr const char* kInterval1_30 = "1/30";
inline constexpr const char* kInterval1_15 = "1/15";
inline constexpr const char* kIntervalClip = "clip";
