// SPDX-License-Identifier: MIT
#include "qt/qt_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "qt/range_box.h"

namespace vornelik {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

double screenScale(const QWidget* window) {
    return window->logicalDpiX() / 96.0;
}

int pixels(int twips, double scale) {
    return qRound(twips * scale / kTwipsPerPixelAt96Dpi);
}

QRect pixels(const Twips& box, double scale) {
    return {pixels(box.left, scale), pixels(box.top, scale), pixels(box.width, scale),
            pixels(box.height, scale)};
}

// The designed face, bold; where it is missing, the nearest free face, then the platform's sans
// serif. Qt has no character sets: any face it picks shows the Turkish letters. At 96 dots per
// inch a point is 4/3 of a pixel, so 13.5 points are 18 pixels.
QFont controlFont(int tenthsOfPoint, double scale) {
    QFont font;
    font.setFamilies({fromUtf8(kForm1.fontFace), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(tenthsOfPoint * 4 * scale / 30));
    font.setWeight(QFont::Bold);
    return font;
}

QWidget* makeControl(const ControlLayout& layout, QWidget* window) {
    const QString caption = fromUtf8(layout.caption);
    switch (layout.kind) {
        case ControlKind::commandButton: {
            auto* button = new QPushButton(caption, window);
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::textBox:
            return new RangeBox(caption, kForm1.typingLimit, window);
        case ControlKind::label:
            break;
    }
    auto* label = new QLabel(caption, window);
    label->setTextFormat(Qt::PlainText);  // a path may look like markup
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// Screen readers meet the window as a frame named by its caption, not as a bare pane.
QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("vornelik::QtWindow") && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

QtWindow::QtWindow(CommonDialog& commonDialog, MsgBox& messageBox, WindowFiles& files,
                   LocaleFacts locale, QWidget* parent)
    : QWidget(parent), form_(*this, commonDialog, messageBox, files, std::move(locale)) {
    static const bool factoryInstalled = (QAccessible::installFactory(windowAccessible), true);
    Q_UNUSED(factoryInstalled);
    createControls();
    forwardEvents();
    form_.Form_Load();
}

void QtWindow::createControls() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(fromUtf8(kForm1.caption));
    // A fixed single border: a close box and the system menu, no minimize or maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const double scale = screenScale(this);
    setFixedSize(pixels(kForm1.clientWidthTwips, scale), pixels(kForm1.clientHeightTwips, scale));

    // Created in tab order, which is also the order of the focus chain.
    for (const ControlLayout& layout : kForm1Controls) {
        QWidget* control = makeControl(layout, this);
        control->setObjectName(fromUtf8(layout.name));
        control->setGeometry(pixels(layout.box, scale));
        control->setFont(controlFont(layout.fontTenthsOfPoint, scale));
        controls_[index(layout.id)] = control;
    }

    auto* message = static_cast<QLabel*>(control(Control::mesaj));
    QPalette palette = message->palette();
    const QRgb red = kForm1.messageColour;
    palette.setColor(QPalette::WindowText, QColor(qRed(red), qGreen(red), qBlue(red)));
    message->setPalette(palette);

    for (const Control box : {Control::Text1, Control::Text2}) {
        auto* heading = static_cast<QLabel*>(control(headingOf(box)));
        heading->setBuddy(control(box));
        control(box)->setAccessibleName(heading->text());
    }
}

void QtWindow::forwardEvents() {
    for (const ControlLayout& layout : kForm1Controls) {
        const Control id = layout.id;
        if (layout.kind == ControlKind::commandButton) {
            connect(static_cast<QPushButton*>(control(id)), &QPushButton::clicked, this,
                    [this, id] { form_.Click(id); });
        } else if (layout.kind == ControlKind::textBox) {
            connect(static_cast<QLineEdit*>(control(id)), &QLineEdit::textChanged, this,
                    [this, id] { form_.Change(id); });
        }
    }
}

namespace {
constexpr const char* kExactCaption = "vornelikCaption";
}  // namespace

std::string QtWindow::text(Control id) const {
    if (const auto* box = qobject_cast<QLineEdit*>(control(id))) {
        return box->text().toStdString();
    }
    if (const auto* button = qobject_cast<QPushButton*>(control(id))) {
        return button->text().toStdString();
    }
    // A caption is given back as it was set: a file's name need not be UTF-8, and the
    // handlers open the file by the name the label holds.
    const QVariant exact = control(id)->property(kExactCaption);
    return exact.isValid() ? exact.toByteArray().toStdString()
                           : static_cast<QLabel*>(control(id))->text().toStdString();
}

void QtWindow::setText(Control id, std::string_view text) {
    if (auto* box = dynamic_cast<RangeBox*>(control(id))) {
        box->assign(fromUtf8(text));  // its Change handler runs inside
    } else if (auto* button = qobject_cast<QPushButton*>(control(id))) {
        button->setText(fromUtf8(text));
    } else {
        static_cast<QLabel*>(control(id))->setText(fromUtf8(text));
        control(id)->setProperty(kExactCaption,
                                 QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    }
}

void QtWindow::setEnabled(Control id, bool enabled) {
    control(id)->setEnabled(enabled);
}

}  // namespace vornelik
