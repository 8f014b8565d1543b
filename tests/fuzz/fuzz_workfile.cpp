// The work-file loader: any bytes give either a work file or a message, never both and never
// neither; a work file that was read is written out and reads back the same; finding its clip
// takes any paths it holds.
#include <QByteArray>
#include <QString>

#include "tests/fuzz/fuzz_support.h"
#include "workfile/clip_location.h"
#include "workfile/work_file_io.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    start_fuzz_application();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const auto work = parse_work_file(bytes, &error);
    if (work.has_value() != error.isEmpty()) __builtin_trap();
    if (!work) return 0;
    QString again_error;
    const auto again = parse_work_file(work_file_json(*work), &again_error);
    if (!again || !(*again == *work)) __builtin_trap();
    const ClipLocation clip =
        locate_clip(QString::fromStdString(fuzz_folder() + "/work.kinvora"), *work);
    if (clip.path.isEmpty() == clip.problem.isEmpty()) __builtin_trap();
    return 0;
}
