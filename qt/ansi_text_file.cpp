#include "qt/ansi_text_file.h"

#include "core/failure.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vornelik {
namespace {

constexpr qsizetype kPieceSize = 64 * 1024;

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
    // Unbuffered: our own pieces are the only buffer, so every write error reaches us here and
    // none is left for commit() to lose.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw Failure("cannot create the file");
    }
    pending_.reserve(kPieceSize);
}

void AnsiTextFile::write(std::string_view text) {
    if (isAscii(text)) {
        pending_.append(text.data(), static_cast<qsizetype>(text.size()));
    } else {
        pending_.append(encoder_.encode(text));
    }
    if (pending_.size() >= kPieceSize) {
        writePending();
    }
}

void AnsiTextFile::commit() {
    writePending();
    if (!file_.flush()) {
        throw Failure("cannot write the file");
    }
#ifdef Q_OS_UNIX
    // A full disk may only show when the data goes out; commit() would ignore that error.
    if (::fsync(file_.handle()) != 0) {
        throw Failure("cannot write the file");
    }
#endif
    if (!file_.commit()) {
        throw Failure("cannot write the file");
    }
}

void AnsiTextFile::writePending() {
    if (file_.write(pending_) != pending_.size()) {
        throw Failure("cannot write the file");
    }
    pending_.resize(0);  // keeps the capacity, unlike clear()
}

}  // namespace vornelik
