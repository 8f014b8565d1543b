#pragma once
#include <filesystem>
#include <string>

// Damaged copies of a well-formed MP4 (with an edit list, B-frames and a rotation) and of an
// MKV of several clusters, each damaged where files from the field are: a moov atom that claims
// more than the file holds, edit lists with a negative or huge time, a display matrix of
// garbage, timestamps that repeat or go backwards, sample tables that point past the end.
// Writes them into `folder`; returns how many were written (a variant whose atom the source
// lacks is left out).
int write_hostile_movies(const std::filesystem::path& folder, const std::string& mp4,
                         const std::string& mkv);
