#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// What every fuzz target shares: a headless application for the pictures and windows the
// service makes, and a folder of its own for the files a target writes.

// Starts the headless application once; call from LLVMFuzzerInitialize.
void start_fuzz_application();

// A folder for this process's files, made on first use and removed at exit.
const std::string& fuzz_folder();

// Writes the bytes to a file in fuzz_folder() and returns its path.
std::string write_fuzz_file(const std::string& name, const std::uint8_t* data, std::size_t size);
