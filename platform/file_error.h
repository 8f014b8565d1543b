#pragma once
#include <QString>

// Why a file could not be written, in Japanese, from the system's error number of the step
// that failed (0: the text had a character that the file's encoding cannot hold).
QString file_write_failure_reason(int error_number);

// What a failed save tells the user: that the file was not saved, and why.
QString file_save_failure_message(int error_number);
