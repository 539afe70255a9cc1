// SPDX-License-Identifier: MIT
#include "qt/ansi_text_file.h"

#include "core/best_fit.h"
#include "core/failure.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vornelik {
namespace {

constexpr qsizetype kPieceSize = 64 * 1024;

// The reason goes with the failure: the command line shows it. Qt has no words for some
// errors of an unbuffered write ("Unknown error"); the system's own are taken then.
Failure failure(const char* what, const QFileDevice& file, int systemError = 0) {
    std::string reason = file.errorString().toStdString();
    if (systemError != 0 && (file.error() == QFileDevice::NoError || reason == "Unknown error")) {
        reason = std::strerror(systemError);
    }
    return Failure(std::string(what) + " " + file.fileName().toStdString() + ": " + reason);
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
        throw failure("cannot sync", file_, errno);
    }
#endif
    if (!file_.commit()) {
        throw failure("cannot write", file_);
    }
}

void AnsiTextFile::writePending() {
    errno = 0;
    if (file_.write(pending_) != pending_.size()) {
        throw failure("cannot write", file_, errno);
    }
    pending_.resize(0);  // keeps the capacity, unlike clear()
}

}  // namespace vornelik
