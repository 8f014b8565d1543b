#pragma once
#include <QIdentityProxyModel>

// The file dialog's date column in the program's own locale (Japanese), whatever the system's
// locale is: Qt's file model writes dates in the system locale, which on a machine set up in
// English or plain C shows "9 Dec 2026 17:04:43" in an otherwise Japanese dialog. Every other
// column and role passes through unchanged.
class FileDialogColumns : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};
