// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QStringEncoder>
#include <string_view>

namespace vornelik {

// Turns UTF-8 text into an ANSI code page the way Windows does by default: a character the code
// page lacks becomes its best-fit letter where there is one, else "?".
class AnsiEncoder {
  public:
    explicit AnsiEncoder(const QByteArray& codePage);

    QByteArray encode(std::string_view utf8);

  private:
    QStringEncoder encoder_;
};

}  // namespace vornelik
