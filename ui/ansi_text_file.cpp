#include "ui/ansi_text_file.h"

#include "core/failure.h"

namespace vornelik {
namespace {

bool isAscii(std::string_view text) {
    unsigned char seen = 0;
    for (const char c : text) {
        seen |= static_cast<unsigned char>(c);
    }
    return seen < 0x80;
}

}  // namespace

AnsiTextFile::AnsiTextFile(const QString& path, const QByteArray& codePage)
    : file_(path), encoder_(codePage) {
    if (!file_.open(QIODevice::WriteOnly)) {
        throw Failure("cannot create the file");
    }
}

void AnsiTextFile::write(std::string_view text) {
    if (isAscii(text)) {
        writeBytes(text.data(), static_cast<qint64>(text.size()));
    } else {
        const QByteArray encoded = encoder_.encode(text);
        writeBytes(encoded.constData(), encoded.size());
    }
}

void AnsiTextFile::commit() {
    if (!file_.commit()) {
        throw Failure("cannot write the file");
    }
}

void AnsiTextFile::writeBytes(const char* data, qint64 size) {
    if (file_.write(data, size) != size) {
        throw Failure("cannot write the file");
    }
}

}  // namespace vornelik
