// SPDX-License-Identifier: MIT
#pragma once

class QCoreApplication;

namespace vornelik {

// Qt's own texts (dialog buttons, the file dialog) in Turkish, whatever the user's locale, to
// match the program's. Returns false where Qt's Turkish translations are not installed.
bool installTurkishQtTexts(QCoreApplication& application);

}  // namespace vornelik
