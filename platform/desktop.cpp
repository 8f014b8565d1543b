#include "platform/desktop.h"

#include "platform/qt_desktop.h"

namespace {
Desktop* g_override = nullptr;
QString g_program_name = QStringLiteral("Kinvora");
}  // namespace

std::optional<QString> Desktop::save_file(const FileDialogRequest& request) {
    const auto choice = choose_save_file(request);
    if (!choice) return {};
    return choice->path;
}

Desktop& desktop() {
    if (g_override) return *g_override;
    static QtDesktop real;
    return real;
}

void set_desktop(Desktop* d) { g_override = d; }

QString program_name() { return g_program_name; }
void set_program_name(const QString& name) { g_program_name = name; }
