#pragma once
#include <QString>

// Qt's own texts (file dialogs, message-box buttons, the context menu of text boxes) in
// Japanese, from Qt's translation catalogue "qtbase_ja" in `folder` (by default the folder
// where Qt keeps its translations), with the few texts it lacks, and Japanese dates and file
// type names in the file dialogs. Call after the QApplication exists. Returns false and
// changes nothing when the catalogue is missing or unreadable: Qt then speaks English.
bool install_qt_japanese(const QString& folder = QString());
