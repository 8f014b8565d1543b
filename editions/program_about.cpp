#include "editions/program_about.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
}

namespace {
QString dotted(unsigned version) {
    return QStringLiteral("%1.%2.%3")
        .arg(AV_VERSION_MAJOR(version))
        .arg(AV_VERSION_MINOR(version))
        .arg(AV_VERSION_MICRO(version));
}
}  // namespace

QStringList library_versions() {
    // A library added to the program is listed here too.
    return {QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion())),
            QStringLiteral("FFmpeg %1（libavcodec %2、libavformat %3）")
                .arg(QString::fromLatin1(av_version_info()), dotted(avcodec_version()),
                     dotted(avformat_version()))};
}

ProgramAbout program_about(const ProgramEdition& program) {
    const bool earlier = program.edition == Edition::Kelmaro;
    QStringList libraries = library_versions();
    if (program.own_libraries) libraries += program.own_libraries();
    return {program.name,
            earlier ? QStringLiteral("ビデオによる運動の分析（旧版）")
                    : QStringLiteral("ビデオによる運動の分析"),
            QStringLiteral(KV_VERSION), QStringLiteral(KV_LICENCE), libraries};
}
