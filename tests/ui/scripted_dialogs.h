#pragma once

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>

#include "ui/common_dialog.h"
#include "ui/locale_facts.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace vornelik {

// A file dialog that answers from a script: a path, or a cancel when the script is empty.
class ScriptedDialog : public CommonDialog {
  public:
    void answer(const QString& path) { answers_.push_back(path); }
    void cancel() { answers_.push_back(std::nullopt); }

    QStringList shown;  // "open ses dosyaları (*.wav)", "save ..."

  protected:
    std::optional<QString> askForOpen(const QString& filter, const QString&) override {
        return next(QStringLiteral("open ") + filter);
    }
    std::optional<QString> askForSave(const QString& filter, const QString&) override {
        return next(QStringLiteral("save ") + filter);
    }

  private:
    std::optional<QString> next(const QString& what) {
        shown << what;
        if (answers_.empty()) {
            return std::nullopt;
        }
        auto answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::deque<std::optional<QString>> answers_;
};

class RecordingMessageBox : public MessageBox {
  public:
    void show(const QString& prompt) override { prompts << prompt; }
    QStringList prompts;
};

inline LocaleFacts commaLocale() {
    return {",", "windows-1254"};
}
inline LocaleFacts pointLocale() {
    return {".", "windows-1252"};
}

// A window with scripted dialogs, and a folder for the files a test needs.
struct Harness {
    explicit Harness(LocaleFacts locale = commaLocale())
        : form(std::make_unique<Form1>(dialog, messages, std::move(locale))) {}

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write a test file");
        }
        return path;
    }

    QByteArray readFile(const QString& name) const {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Opens a sound of these bytes through "ses dosyası aç".
    void openSound(const QByteArray& bytes) {
        dialog.answer(writeFile(QStringLiteral("sound.wav"), bytes));
        form->Command2->click();
    }

    // Sets a range box as the user would: select all, type.
    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Delete);
        } else {
            QTest::keyClicks(box, text);
        }
    }

    // Shorthand for the enabled flags of the eight controls that take input, in tab order.
    QString enabledFlags() const {
        QString flags;
        for (const QWidget* control : std::initializer_list<const QWidget*>{
                 form->Command2, form->Command3, form->Command4, form->Text1, form->Text2,
                 form->Command1, form->Command5, form->Command6}) {
            flags += control->isEnabled() ? u'1' : u'0';
        }
        return flags;
    }

    QTemporaryDir folder;
    ScriptedDialog dialog;
    RecordingMessageBox messages;
    std::unique_ptr<Form1> form;
};

}  // namespace vornelik
