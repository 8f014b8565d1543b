#include "worksession/work_session.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>

#include "marking/marking_window.h"
#include "platform/desktop.h"
#include "platform/user_file_save.h"
#include "state/analysis_state.h"
#include "workfile/clip_location.h"
#include "workfile/recovery_store.h"
#include "workfile/work_file_format.h"
#include "workfile/work_file_io.h"
#include "worksession/clip_facts.h"
#include "worksession/file_drop.h"
#include "worksession/recent_files.h"
#include "worksession/recovery_bar.h"
#include "worksession/work_state.h"

namespace {
const QString kOpenFilter = QStringLiteral(
    "作業ファイル (*.kinvora)|*.kinvora|"
    "すべてのファイル (*)|*");
const QString kSaveFilter = QStringLiteral("作業ファイル (*.kinvora)|*.kinvora");

// The same work, whichever program version wrote it and wherever the file lies.
bool same_work(WorkFile a, const WorkFile& b) {
    a.program_version = b.program_version;
    a.clip_relative_path = b.clip_relative_path;
    return a == b;
}

// What a work file needs of its clip that only the clip can tell; empty when it has it.
QString clip_misfit(const WorkFile& work, const ClipFacts& clip) {
    if (!clip.problem.isEmpty()) return clip.problem;
    for (std::size_t i = 0; i < work.marks.size(); ++i) {
        if (work.marks[i].frame >= clip.length)
            return QStringLiteral(
                       "作業ファイルのマーク「marks[%1]」のコマ番号 %2 がビデオの長さ"
                       "（%3 フレーム）を超えています。別のビデオの作業ファイルでは"
                       "ありませんか。")
                .arg(i + 1)
                .arg(work.marks[i].frame)
                .arg(clip.length);
    }
    if (work.frame_interval == FrameIntervalChoice::kClip && !clip.tells_frame_interval)
        return QStringLiteral(
            "作業ファイルの「１コマあたりの時間」はビデオの時刻ですが、"
            "このビデオは時刻を知らせません。");
    return {};
}
}  // namespace

bool is_work_file(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String(kWorkFileExtension),
                                            Qt::CaseInsensitive) == 0;
}

WorkSession::WorkSession(QMainWindow& window, MarkingWindow& marks, QMenu* file_menu,
                         QAction* before)
    : QObject(&window), marks_(marks) {
    mnuworkopen = new QAction(QStringLiteral("作業を開く(&W)..."), file_menu);
    mnuworkopen->setObjectName(QStringLiteral("mnuworkopen"));
    mnuworksave = new QAction(QStringLiteral("作業を保存(&S)..."), file_menu);
    mnuworksave->setObjectName(QStringLiteral("mnuworksave"));
    mnuworksave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuworksave->setEnabled(false);
    mnurecent = new QMenu(QStringLiteral("最近使ったファイル(&R)"), file_menu);
    mnurecent->setObjectName(QStringLiteral("mnurecent"));
    file_menu->insertAction(before, mnuworkopen);
    file_menu->insertAction(before, mnuworksave);
    file_menu->insertMenu(before, mnurecent);
    connect(mnuworkopen, &QAction::triggered, this, [this] { mnuworkopen_Click(); });
    connect(mnuworksave, &QAction::triggered, this, [this] { mnuworksave_Click(); });
    recent = new RecentFiles(mnurecent, [this](const QString& path) { open_file(path); });
    new FileDrop(window, [this](const QString& path) { open_file(path); });

    bar = new RecoveryBar(window.centralWidget());
    bar->on_restore = [this](const QString& path) { load(path, Source::Recovery); };
    bar->on_discard = [this](const QString& path) { discard(path); };
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { keep_recovery(); });
    timer_->start(kRecoveryIntervalMs);
    offer_newest_recovery();
}

WorkFile WorkSession::work() const { return current_work(marks_, clip_); }

void WorkSession::mnuworkopen_Click() {
    const std::optional<QString> path = desktop().open_file({kOpenFilter, {}, {}});
    if (path) open_work_file(*path);
}

bool WorkSession::open_work_file(const QString& path) { return load(path, Source::WorkFile); }

void WorkSession::open_file(const QString& path) {
    if (is_work_file(path)) {
        open_work_file(path);
    } else {
        marks_.open_clip(path);
    }
}

bool WorkSession::load(const QString& path, Source source) {
    QString problem;
    const std::optional<WorkFile> loaded = read_work_file(path, &problem);
    ClipLocation clip;
    ClipFacts facts;
    if (loaded) problem = work_misfit(*loaded, marks_);
    if (problem.isEmpty()) {
        clip = locate_clip(path, *loaded);
        problem = clip.problem;
    }
    if (problem.isEmpty()) {
        facts = ask_clip_facts(clip.path);
        problem = clip_misfit(*loaded, facts);
    }
    if (!problem.isEmpty()) {
        const QString what = source == Source::WorkFile
                                 ? QStringLiteral("作業ファイルを開けません。\n") + path
                                 : QStringLiteral("前回の作業を復元できません。");
        desktop().error_box(what + QStringLiteral("\n\n") + problem, program_name());
        return false;
    }
    loading_ = true;
    clip_opened_ = false;
    marks_.open_clip(clip.path);
    loading_ = false;
    if (!clip_opened_) return false;  // the clip files said why
    restore_work(*loaded, marks_, facts.length);
    if (source == Source::Recovery) {
        // Still in no saved work file; the recovery file may meanwhile hold what the opening
        // of the clip wrote of the work it replaced, so it is written again at once.
        bar->withdraw();
        keep_recovery();
        return true;
    }
    work_path_ = path;
    saved_ = work();
    recent->add(path);
    offer_recovery_of(clip_);
    return true;
}

void WorkSession::mnuworksave_Click() {
    if (clip_.isEmpty()) return;
    const QFileInfo clip(clip_);
    const QString name = work_path_.isEmpty()
                             ? clip.absolutePath() + QLatin1Char('/') + clip.completeBaseName() +
                                   QLatin1Char('.') + QLatin1String(kWorkFileExtension)
                             : work_path_;
    const std::optional<QString> path =
        desktop().save_file({kSaveFilter, name, QLatin1String(kWorkFileExtension)});
    if (!path || !confirm_overwrite(*path)) return;
    const WorkFile now = work();
    QString error;
    if (!write_work_file(*path, now, &error)) {
        desktop().beep();
        desktop().error_box(error, program_name());
        return;
    }
    work_path_ = *path;
    saved_ = now;
    discard(recovery_file_for(clip_));
    recent->add(*path);
}

void WorkSession::keep_recovery() {
    if (clip_.isEmpty() || state().mark_count < 1) return;
    const WorkFile now = work();
    if ((saved_ && *saved_ == now) || (written_ && *written_ == now)) return;
    // A failed write is tried again at the next tick.
    if (!write_recovery(now, nullptr)) return;
    written_ = now;
    // The file on offer holds this work now, not the one offered.
    if (bar->offered() == recovery_file_for(clip_)) bar->withdraw();
}

void WorkSession::work_leaving() { keep_recovery(); }

void WorkSession::clip_opened(const QString& path) {
    clip_ = path;
    clip_opened_ = true;
    work_path_.clear();
    saved_.reset();
    written_.reset();
    mnuworksave->setEnabled(true);
    recent->add(path);
    if (!loading_) offer_recovery_of(path);
}

void WorkSession::clip_closed() {
    clip_.clear();
    work_path_.clear();
    saved_.reset();
    written_.reset();
    mnuworksave->setEnabled(false);
}

void WorkSession::offer_recovery_of(const QString& clip) {
    const std::optional<QString> file = find_recovery(clip);
    if (!file) return;
    const std::optional<WorkFile> kept = read_work_file(*file, nullptr);
    if (!kept) return;
    if (saved_ && same_work(*kept, *saved_)) {
        discard(*file);
        return;
    }
    bar->offer(*file, clip, static_cast<int>(kept->marks.size()));
}

void WorkSession::offer_newest_recovery() {
    for (const QString& file : recovery_files()) {
        if (const std::optional<WorkFile> kept = read_work_file(file, nullptr)) {
            bar->offer(file, kept->clip_path, static_cast<int>(kept->marks.size()));
            return;
        }
    }
}

void WorkSession::discard(const QString& recovery_file) {
    QFile::remove(recovery_file);
    if (bar->offered() == recovery_file) bar->withdraw();
    if (!clip_.isEmpty() && recovery_file == recovery_file_for(clip_)) written_.reset();
}
