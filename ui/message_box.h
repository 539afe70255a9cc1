#pragma once

#include <QString>

class QWidget;

namespace vornelik {

// A modal box with the prompt, one OK button, no icon and the caption "Vornelik".
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void show(const QString& prompt) = 0;
};

class QtMessageBox : public MessageBox {
  public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const QString& prompt) override;

  private:
    QWidget* parent_;
};

}  // namespace vornelik
