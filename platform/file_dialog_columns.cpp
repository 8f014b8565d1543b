#include "platform/file_dialog_columns.h"

#include <QFileSystemModel>
#include <QLocale>

namespace {
constexpr int kDateColumn = 3;  // QFileSystemModel's "date modified"
}  // namespace

QVariant FileDialogColumns::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() != kDateColumn)
        return QIdentityProxyModel::data(index, role);
    return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
}
