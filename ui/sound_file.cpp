#include "ui/sound_file.h"

#include <QFile>
#include <QFileInfo>
#include <limits>

#include "core/failure.h"

namespace vornelik {
namespace {

std::int32_t checkedLength(qint64 length) {
    if (length < 0 || length > std::numeric_limits<std::int32_t>::max()) {
        throw Failure("file length out of range");
    }
    return static_cast<std::int32_t>(length);
}

}  // namespace

std::int32_t fileLength(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        throw Failure("no such file");
    }
    return checkedLength(info.size());
}

std::vector<std::uint8_t> readSoundFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Failure("cannot open the sound file");
    }
    const std::int32_t length = checkedLength(file.size());
    std::vector<std::uint8_t> data(static_cast<std::size_t>(length) + 1, 0);
    qint64 done = 0;
    while (done < length) {
        const qint64 got = file.read(reinterpret_cast<char*>(data.data()) + done, length - done);
        if (got <= 0) {
            throw Failure("cannot read the sound file");
        }
        done += got;
    }
    return data;
}

}  // namespace vornelik
