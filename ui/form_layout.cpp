// Form1's controls as the designer placed them, and the window around them.

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "ui/main_window.h"

namespace vornelik {
namespace {

using namespace Qt::Literals::StringLiterals;

// Positions are in twips: 15 to a pixel at 96 dots per inch.
struct Twips {
    int left, top, width, height;
};

constexpr int kTwipsPerPixelAt96Dpi = 15;
constexpr int kTypingLimit = 5;
constexpr int kFontPixelsAt96Dpi = 18;
constexpr int kMessageFontPixelsAt96Dpi = 16;

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

// "MS Sans Serif" bold, as every control carries it; where the face is missing, the nearest
// free face, then the platform's sans serif. Qt has no character sets: any face it picks
// shows the Turkish letters.
QFont controlFont(int pixelsAt96Dpi, double scale) {
    QFont font;
    font.setFamilies({u"MS Sans Serif"_s, u"Liberation Sans"_s});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pixelsAt96Dpi * scale));
    font.setWeight(QFont::Bold);
    return font;
}

template <typename Control>
Control* place(Control* control, QWidget* window, const Twips& box) {
    const double scale = screenScale(window);
    control->setGeometry(pixels(box, scale));
    control->setFont(controlFont(kFontPixelsAt96Dpi, scale));
    return control;
}

QPushButton* button(QWidget* window, const QString& caption, const Twips& box) {
    auto* control = place(new QPushButton(caption, window), window, box);
    control->setAutoDefault(false);
    return control;
}

QLabel* label(QWidget* window, const QString& caption, const Twips& box) {
    auto* control = place(new QLabel(caption, window), window, box);
    control->setTextFormat(Qt::PlainText);  // a path may look like markup
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->setWordWrap(true);
    return control;
}

RangeBox* textBox(QWidget* window, const QString& text, const Twips& box) {
    return place(new RangeBox(text, kTypingLimit, window), window, box);
}

QLabel* messagePanel(QWidget* window, const Twips& box) {
    auto* control = label(window, QString(), box);
    control->setFont(controlFont(kMessageFontPixelsAt96Dpi, screenScale(window)));
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    control->setPalette(palette);
    return control;
}

}  // namespace

// The controls are created in tab order, which is also the order of the focus chain.
Form1::Form1(CommonDialog& commonDialog, MessageBox& messageBox, LocaleFacts locale,
             QWidget* parent)
    : QWidget(parent),
      Command2(button(this, u"ses dosyası aç"_s, {120, 120, 2415, 495})),
      yer(label(this, QString(), {2160, 840, 9375, 375})),
      Label2(label(this, u"dosya yeri"_s, {120, 840, 1575, 375})),
      Label3(label(this, u"dosya boyutu"_s, {120, 1560, 2055, 375})),
      Command3(button(this, u"bas dosyası oluştur"_s, {2760, 120, 3135, 495})),
      Command4(button(this, u"inc dosyası oluştur"_s, {6240, 120, 3135, 495})),
      boyut(label(this, QString(), {2280, 1560, 9255, 375})),
      Label1(label(this, u"ses kalitesi"_s, {120, 2280, 1695, 375})),
      Label4(label(this, u"baslangıç"_s, {720, 3000, 1455, 375})),
      Text1(textBox(this, u"0"_s, {2760, 3000, 1095, 495})),
      Label5(label(this, u"bitiş"_s, {6840, 3000, 735, 375})),
      Text2(textBox(this, u"0"_s, {7680, 3000, 1215, 495})),
      Label6(label(this, u"byte"_s, {3960, 3000, 615, 375})),
      Label7(label(this, u"byte"_s, {9000, 3000, 735, 375})),
      Command1(button(this, u"iyi kalite cok yer"_s, {2040, 2280, 2655, 495})),
      Command5(button(this, u"kotu kalite az yer"_s, {4800, 2280, 2655, 495})),
      Label8(label(this, u"pic hafiza"_s, {7680, 2280, 1455, 375})),
      Label9(label(this, QString(), {9360, 2280, 2055, 375})),
      Command6(button(this, u"kontrol et"_s, {9600, 120, 1695, 495})),
      mesaj(messagePanel(this, {120, 3600, 11535, 1935})),
      CommonDialog1(commonDialog),
      messageBox_(messageBox),
      locale_(std::move(locale)) {
    setUpWindow();
    connectHandlers();
    Form_Load();
}

void Form1::setUpWindow() {
    setWindowTitle(u" Vornelik"_s);
    // A fixed single border: a close box and the system menu, no minimize or maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const double scale = screenScale(this);
    setFixedSize(pixels(11730, scale), pixels(5670, scale));

    QWidget* previous = Command2;
    for (QWidget* next : std::initializer_list<QWidget*>{Command3, Command4, Text1, Text2, Command1,
                                                         Command5, Command6}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void Form1::connectHandlers() {
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

}  // namespace vornelik
