// SPDX-License-Identifier: MIT
#include "qt/ansi_encoder.h"

#include <QList>
#include <QString>

#include "core/best_fit.h"
#include "core/failure.h"

namespace vornelik {

AnsiEncoder::AnsiEncoder(const QByteArray& codePage) : encoder_(codePage.constData()) {
    if (!encoder_.isValid()) {
        throw Failure("unknown code page");
    }
}

QByteArray AnsiEncoder::encode(std::string_view utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QByteArray bytes;
    bytes.reserve(text.size());
    // One character at a time: the encoder substitutes a control character of its own for what
    // it cannot write, and only a character on its own tells which one that was.
    for (const char32_t letter : text.toUcs4()) {
        if (letter < 0x80) {
            bytes += static_cast<char>(letter);
            continue;
        }
        const char32_t single[] = {letter};
        const QString character = QString::fromUcs4(single, 1);
        encoder_.resetState();
        const QByteArray encoded = encoder_.encode(character);
        if (!encoder_.hasError()) {
            bytes += encoded;
        } else if (const char base = bestFitLetter(letter); base != '\0') {
            bytes += base;
        } else {
            bytes += '?';
        }
    }
    return bytes;
}

}  // namespace vornelik
