#pragma once

#include <QSaveFile>
#include <QString>

#include "core/text_sink.h"
#include "ui/ansi_encoder.h"

namespace vornelik {

// An output text file that appears under its name whole or not at all: a file already there
// stays as it was until commit() has written the new one completely.
class AnsiTextFile : public TextSink {
  public:
    // Throws Failure when the file cannot be created.
    AnsiTextFile(const QString& path, const QByteArray& codePage);

    void write(std::string_view text) override;
    // Throws Failure when the file could not be completed; without it the file is dropped.
    void commit();

  private:
    void flush();

    QSaveFile file_;
    AnsiEncoder encoder_;
    QByteArray pending_;  // table lines are short: they go to the file in larger pieces
};

}  // namespace vornelik
