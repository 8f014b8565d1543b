#include "platform/app_setup.h"

#include <QApplication>
#include <QFont>
#include <cstdlib>

void prepare_application_environment() {
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    setenv("QT_SCALE_FACTOR", "1", 1);
}

void install_font_substitutions() {
    const QString gothic = QStringLiteral("IPAPGothic");
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), gothic);
    QFont::insertSubstitution(QStringLiteral("MS PGothic"), gothic);
    QFont ui(gothic);
    ui.setPointSize(9);
    QApplication::setFont(ui);
}
