#include "platform/qt_desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSplitter>
#include <QStringList>
#include <QTreeView>
#include <QWidget>
#include <algorithm>

#include "platform/file_dialog_columns.h"
#include "platform/lazy_window.h"

QStringList qt_name_filters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString desc = parts[i];
        // Qt separates the patterns of one entry by blanks, the dialog's filter text by ';'.
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString suffix = QStringLiteral("(") + pattern + QStringLiteral(")");
        out << (desc.trimmed().endsWith(suffix) ? desc : desc + QStringLiteral(" ") + suffix);
    }
    if (out.isEmpty() && !filter.isEmpty()) out << filter;
    return out;
}

QtDesktop::QtDesktop() { clock_.start(); }

void QtDesktop::beep() { QApplication::beep(); }

std::int32_t QtDesktop::tick_count() {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(clock_.elapsed()));
}

namespace {
// The window a dialog or message box belongs to: the active one, unless it is hidden or
// unloaded. Such a window is destroyed when control next reaches the event loop, which the
// dialog's own loop is, and it would take the dialog (a local object) with it.
QWidget* dialog_parent() {
    QWidget* w = QApplication::activeWindow();
    return w && w->isVisible() && !is_unloaded(w) ? w : nullptr;
}

// Wide enough that the list shows whole dates and the side bar whole names.
void widen(QFileDialog& dialog) {
    dialog.resize(dialog.sizeHint().expandedTo(QSize(780, 460)));
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        list->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    if (auto* split = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        split->setSizes({160, 620});
}

// The extension a pattern such as "*.svg" gives a name typed without one; empty for others.
QString pattern_extension(const QString& filter, int type) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    const qsizetype at = 2 * static_cast<qsizetype>(type) + 1;
    if (type < 0 || at >= parts.size()) return {};
    const QString pattern = parts[at].trimmed();
    const QString ext = pattern.mid(2);
    if (!pattern.startsWith(QStringLiteral("*.")) || ext.isEmpty() ||
        ext.contains(QRegularExpression(QStringLiteral("[*?;\\s]"))))
        return {};
    return ext;
}

std::optional<SaveChoice> run_dialog(const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(dialog_parent());
    dialog.setProxyModel(new FileDialogColumns(&dialog));
    widen(dialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters = qt_name_filters(request.filter);
    dialog.setNameFilters(filters);
    if (!request.default_extension.isEmpty()) {
        dialog.setDefaultSuffix(request.default_extension);
        // A bare name gets the extension of the file type the user selects.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& f) {
            const QString ext = pattern_extension(request.filter, filters.indexOf(f));
            dialog.setDefaultSuffix(ext.isEmpty() ? request.default_extension : ext);
        });
    }
    if (!request.file_name.isEmpty()) dialog.selectFile(request.file_name);
    // Overwriting is asked by the caller itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const auto type = std::max<qsizetype>(filters.indexOf(dialog.selectedNameFilter()), 0);
    return SaveChoice{dialog.selectedFiles().first(), static_cast<int>(type)};
}
}  // namespace

std::optional<QString> QtDesktop::open_file(const FileDialogRequest& request) {
    const auto choice = run_dialog(request, QFileDialog::AcceptOpen);
    if (!choice) return {};
    return choice->path;
}

std::optional<SaveChoice> QtDesktop::choose_save_file(const FileDialogRequest& request) {
    return run_dialog(request, QFileDialog::AcceptSave);
}

void QtDesktop::error_box(const QString& text, const QString& title) {
    QMessageBox::critical(dialog_parent(), title, text, QMessageBox::Ok);
}

bool QtDesktop::ask_yes_no(const QString& text, const QString& title) {
    return QMessageBox::question(dialog_parent(), title, text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtDesktop::end_program() {
    // Hiding closes every window at once without asking any of them (no close events).
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QApplication::exit(0);
}

bool QtDesktop::open_url(const QUrl& url) { return QDesktopServices::openUrl(url); }
