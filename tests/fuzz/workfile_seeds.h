#pragma once
#include <filesystem>

// Writes the starting inputs of fuzz_workfile into `folder`: work files as the program writes
// them, from empty to full.
void write_workfile_seeds(const std::filesystem::path& folder);
