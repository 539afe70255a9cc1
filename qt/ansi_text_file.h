// SPDX-License-Identifier: MIT
#pragma once

#include <QSaveFile>
#include <QString>

#include "qt/ansi_encoder.h"
#include "ui/file_system.h"

namespace vornelik {

// An output text file in an ANSI code page that appears under its name whole or not at all: a
// file already there stays as it was until commit() has written, flushed and synced the new
// one completely.
class AnsiTextFile : public OutputFile {
  public:
    // Throws Failure when the file cannot be created.
    AnsiTextFile(const QString& path, const QByteArray& codePage);

    void write(std::string_view text) override;
    void commit() override;

  private:
    void writePending();

    QSaveFile file_;
    AnsiEncoder encoder_;
    QByteArray pending_;  // table lines are short: they go to the file in larger pieces
};

}  // namespace vornelik
