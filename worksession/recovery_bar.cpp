#include "worksession/recovery_bar.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "platform/twips_control.h"

RecoveryBar::RecoveryBar(QWidget* client) : QFrame(client) {
    setObjectName(QStringLiteral("RecoveryBar"));
    place_twips(this, 120, 7140, 4440, 600);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 248, 200));
    setPalette(p);
    Label1 = make_twips_control<QLabel>(this, "Label_recovery", 60, 15, 4320, 240);
    Cmd_restore = make_twips_control<QPushButton>(this, "Cmd_restore", 60, 270, 2175, 300);
    Cmd_restore->setText(QStringLiteral("前回の作業を復元"));
    Cmd_discard = make_twips_control<QPushButton>(this, "Cmd_discard", 2295, 270, 1095, 300);
    Cmd_discard->setText(QStringLiteral("破棄"));
    connect(Cmd_restore, &QPushButton::clicked, this, [this] {
        if (on_restore) on_restore(offered_);
    });
    connect(Cmd_discard, &QPushButton::clicked, this, [this] {
        if (on_discard) on_discard(offered_);
    });
    hide();
}

void RecoveryBar::offer(const QString& path, const QString& clip_path, int marks) {
    offered_ = path;
    const QString text = QStringLiteral("前回の作業（マーク %1 個）：%2")
                             .arg(marks)
                             .arg(QFileInfo(clip_path).fileName());
    Label1->setText(Label1->fontMetrics().elidedText(text, Qt::ElideRight, Label1->width()));
    const QString when = QFileInfo(path).lastModified().toString(QStringLiteral("M月d日 H:mm"));
    Label1->setToolTip(QStringLiteral("%1\n%2 に記録").arg(clip_path, when));
    show();
    raise();
}

void RecoveryBar::withdraw() {
    offered_.clear();
    hide();
}
