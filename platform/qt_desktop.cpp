#include "platform/qt_desktop.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QSplitter>
#include <QStringList>
#include <QTreeView>
#include <QWidget>

#include "platform/file_dialog_columns.h"

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
// Wide enough that the list shows whole dates and the side bar whole names.
void widen(QFileDialog& dialog) {
    dialog.resize(dialog.sizeHint().expandedTo(QSize(780, 460)));
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        list->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    if (auto* split = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        split->setSizes({160, 620});
}

std::optional<QString> run_dialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setProxyModel(new FileDialogColumns(&dialog));
    widen(dialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(qt_name_filters(request.filter));
    if (!request.default_extension.isEmpty()) dialog.setDefaultSuffix(request.default_extension);
    if (!request.file_name.isEmpty()) dialog.selectFile(request.file_name);
    // Overwriting is asked by the caller itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}
}  // namespace

std::optional<QString> QtDesktop::open_file(const FileDialogRequest& request) {
    return run_dialog(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDesktop::save_file(const FileDialogRequest& request) {
    return run_dialog(request, QFileDialog::AcceptSave);
}

void QtDesktop::error_box(const QString& text, const QString& title) {
    QMessageBox::critical(QApplication::activeWindow(), title, text, QMessageBox::Ok);
}

bool QtDesktop::ask_yes_no(const QString& text, const QString& title) {
    return QMessageBox::question(QApplication::activeWindow(), title, text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtDesktop::end_program() {
    // Hiding closes every window at once without asking any of them (no close events).
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QApplication::exit(0);
}
