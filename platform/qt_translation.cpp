#include "platform/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Texts of Qt's file dialog that Debian's catalogue leaves untranslated: the type column's
// words for folders and drives.
class MissingQtTexts : public QTranslator {
  public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        if (qstrcmp(source, "Folder") == 0) return QStringLiteral("フォルダー");
        if (qstrcmp(source, "Drive") == 0) return QStringLiteral("ドライブ");
        return {};
    }
};

}  // namespace

bool install_qt_japanese(const QString& folder) {
    const QString where =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"), where) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
    // The file dialog's dates and sizes and the file types' descriptions follow the default
    // locale.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    return true;
}
