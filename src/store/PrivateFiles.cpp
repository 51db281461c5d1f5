#include "store/PrivateFiles.h"

#include "store/StoreError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace voltaryn::store {
namespace {

constexpr mode_t kOwnerOnlyFolder = 0700;
constexpr mode_t kOwnerOnlyFile = 0600;

[[noreturn]] void FailCreating(const char* what, const QString& path, int error)
{
    throw StoreError(StoreErrorKind::Failed, QStringLiteral("Cannot create the %1 \"%2\": %3")
                                                 .arg(what, path, QString::fromLocal8Bit(std::strerror(error))));
}

} // namespace

void CreatePrivateFolder(const QString& folder)
{
    QStringList missing;
    for (QString path = QFileInfo(folder).absoluteFilePath(); !QFileInfo::exists(path); path = QFileInfo(path).path())
        missing.prepend(path);
    for (const QString& path : missing) {
        const QByteArray name = QFile::encodeName(path);
        if (::mkdir(name.constData(), kOwnerOnlyFolder) != 0) {
            if (errno == EEXIST)
                continue;  // made by another process meanwhile: its owner's to set
            FailCreating("folder", path, errno);
        }
        if (::chmod(name.constData(), kOwnerOnlyFolder) != 0)
            FailCreating("folder", path, errno);
    }
}

void CreatePrivateFile(const QString& path)
{
    CreatePrivateFolder(QFileInfo(path).absolutePath());
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kOwnerOnlyFile);
    if (fd < 0) {
        if (errno == EEXIST)
            return;
        FailCreating("file", path, errno);
    }
    const int error = ::fchmod(fd, kOwnerOnlyFile) == 0 ? 0 : errno;
    ::close(fd);
    if (error != 0)
        FailCreating("file", path, error);
}

} // namespace voltaryn::store
