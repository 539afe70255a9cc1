#include "qt/ansi_text_file.h"

#include "core/failure.h"

#ifdef Q_OS_UNIX
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

// The reason goes with the failure: the command line shows it.
Failure failure(const char* what, const QFileDevice& file) {
    return Failure(std::string(what) + " " + file.fileName().toStdString() + ": " +
                   file.errorString().toStdString());
}

}  // namespace

AnsiTextFile::AnsiTextFile(const QString& path, const QByteArray& codePage)
    : file_(path), encoder_(codePage) {
    // Unbuffered: our own pieces are the only buffer, so every write error reaches us here and
    // none is left for commit() to lose.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw failure("cannot create", file_);
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
        throw failure("cannot write", file_);
    }
#ifdef Q_OS_UNIX
    // A full disk may only show when the data goes out; commit() would ignore that error.
    if (::fsync(file_.handle()) != 0) {
        throw Failure("cannot write " + file_.fileName().toStdString() + ": " +
                      std::strerror(errno));
    }
#endif
    if (!file_.commit()) {
        throw failure("cannot write", file_);
    }
}

void AnsiTextFile::writePending() {
    if (file_.write(pending_) != pending_.size()) {
        throw failure("cannot write", file_);
    }
    pending_.resize(0);  // keeps the capacity, unlike clear()
}

}  // namespace vornelik
