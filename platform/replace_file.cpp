#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <string>

// Written on plain system calls rather than QSaveFile: QSaveFile (Qt 6.4) lets a write
// error that only shows when its buffer is flushed at commit pass, and renames a truncated
// file over the old one.
namespace {

QString system_error(const char* step) {
    return QString::fromLatin1(step) + QStringLiteral(": ") +
           QString::fromLocal8Bit(std::strerror(errno));
}

// The temporary file: removed when it goes out of scope unless it took the target's place.
// It sits in the target's folder (a rename does not cross file systems) under a short name of
// its own, so that any target name that fits the file system has a temporary that fits too.
class TempFile {
  public:
    explicit TempFile(const QByteArray& target) {
        const qsizetype slash = target.lastIndexOf('/');
        const QByteArray folder = slash < 0 ? QByteArray() : target.left(slash + 1);
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            name_ = folder + ".kvtmp" + QByteArray::number(getpid()) + "_" +
                    QByteArray::number(attempt);
            // 0666 as for any new file: the user's umask decides.
            fd_ = open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) break;
        }
    }
    ~TempFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!kept_ && opened_) unlink(name_.constData());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool open_ok() {
        opened_ = fd_ >= 0;
        return opened_;
    }
    int fd() const { return fd_; }
    const QByteArray& name() const { return name_; }
    bool close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }
    void keep() { kept_ = true; }

  private:
    QByteArray name_;
    int fd_ = -1;
    bool opened_ = false;
    bool kept_ = false;
};

bool write_all(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A disk error that surfaces only at the sync fails the save; a file system that cannot sync
// at all does not.
bool synced(int fd) { return fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP; }

// A link to an existing file stays a link: its target is the file that gets replaced.
QByteArray file_to_replace(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists()) return QFile::encodeName(info.canonicalFilePath());
    return QFile::encodeName(path);
}

}  // namespace

bool replace_file(const QString& path, const std::string& bytes, QString* error,
                  int* error_number) {
    const QByteArray target = file_to_replace(path);
    struct stat old_file {};
    const bool had_file = stat(target.constData(), &old_file) == 0;
    if (had_file && S_ISDIR(old_file.st_mode)) {
        errno = EISDIR;
        if (error) *error = system_error("open");
        if (error_number) *error_number = EISDIR;
        return false;
    }

    TempFile temp(target);
    const char* failed = nullptr;
    if (!temp.open_ok()) {
        failed = "create";
    } else if (!write_all(temp.fd(), bytes)) {
        failed = "write";
    } else if (had_file && fchmod(temp.fd(), old_file.st_mode & 07777) != 0) {
        failed = "chmod";
    } else if (!synced(temp.fd())) {
        failed = "sync";
    } else if (!temp.close()) {
        failed = "close";
    } else if (rename(temp.name().constData(), target.constData()) != 0) {
        failed = "rename";
    }
    if (failed) {
        if (error_number) *error_number = errno;
        if (error) *error = system_error(failed);
        return false;
    }
    temp.keep();
    return true;
}
