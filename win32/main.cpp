// PROVISIONAL: shows the window with the designer's layout until the handlers are in place.
#include <windows.h>

#include "win32/form_window.h"

using vornelik::ControlKind;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const std::vector<vornelik::ControlSpec> layout = {
        {"Command2", ControlKind::button, "ses dosyası aç", 120, 120, 2415, 495, 13.5, false},
        {"yer", ControlKind::label, "", 2160, 840, 9375, 375, 13.5, false},
        {"Label2", ControlKind::label, "dosya yeri", 120, 840, 1575, 375, 13.5, false},
        {"Label3", ControlKind::label, "dosya boyutu", 120, 1560, 2055, 375, 13.5, false},
        {"Command3", ControlKind::button, "bas dosyası oluştur", 2760, 120, 3135, 495, 13.5, false},
        {"Command4", ControlKind::button, "inc dosyası oluştur", 6240, 120, 3135, 495, 13.5, false},
        {"boyut", ControlKind::label, "", 2280, 1560, 9255, 375, 13.5, false},
        {"Label1", ControlKind::label, "ses kalitesi", 120, 2280, 1695, 375, 13.5, false},
        {"Label4", ControlKind::label, "baslangıç", 720, 3000, 1455, 375, 13.5, false},
        {"Text1", ControlKind::textBox, "0", 2760, 3000, 1095, 495, 13.5, false},
        {"Label5", ControlKind::label, "bitiş", 6840, 3000, 735, 375, 13.5, false},
        {"Text2", ControlKind::textBox, "0", 7680, 3000, 1215, 495, 13.5, false},
        {"Label6", ControlKind::label, "byte", 3960, 3000, 615, 375, 13.5, false},
        {"Label7", ControlKind::label, "byte", 9000, 3000, 735, 375, 13.5, false},
        {"Command1", ControlKind::button, "iyi kalite cok yer", 2040, 2280, 2655, 495, 13.5, false},
        {"Command5", ControlKind::button, "kotu kalite az yer", 4800, 2280, 2655, 495, 13.5, false},
        {"Label8", ControlKind::label, "pic hafiza", 7680, 2280, 1455, 375, 13.5, false},
        {"Label9", ControlKind::label, "", 9360, 2280, 2055, 375, 13.5, false},
        {"Command6", ControlKind::button, "kontrol et", 9600, 120, 1695, 495, 13.5, false},
        {"mesaj", ControlKind::label, "", 120, 3600, 11535, 1935, 12, true},
    };
    vornelik::FormWindow window(instance, layout);
    for (const char* name :
         {"Command1", "Command3", "Command4", "Command5", "Command6", "Text1", "Text2"}) {
        window.setEnabled(name, false);
    }
    window.setTextOf(
        "mesaj",
        "önceden 8 bit 8 khz pcm formatında kaydetdiğiniz ses dosyasını ses dosyası aç butonu ile "
        "seçerek açınız eğer ses dosyası formatı değişik olursa mikrodenetleyici doğru "
        "çalışmayacaktır değişik formattaki ses dosyalarınızı windows ses kaydedicisi ile açıp "
        "farklı kaydet seçeneğiyle formatını 8 bit 8 khz pcm formatında yapabilirsiniz");
    window.show(showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window.handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
