// SPDX-License-Identifier: MIT
#pragma once

// The window's messages word for word as the user reads them, spelled out here apart from the
// program's own texts, so that a changed letter there fails the tests instead of passing them.

#include <string_view>

namespace vornelik::shown {

inline constexpr std::string_view kStart =
    "önceden 8 bit 8 khz pcm formatında kaydetdiğiniz ses dosyasını ses dosyası aç butonu ile "
    "seçerek açınız eğer ses dosyası formatı değişik olursa mikrodenetleyici doğru "
    "çalışmayacaktır değişik formattaki ses dosyalarınızı windows ses kaydedicisi ile açıp "
    "farklı kaydet seçeneğiyle formatını 8 bit 8 khz pcm formatında yapabilirsiniz";
inline constexpr std::string_view kSetRange =
    "ses dosyalarında kayıt esnasında boşluklar oluşur bunun mikro denetleyicinin program "
    "hafızasında fazladan yer tutmaması için baslangıc boyutu ve bitiş boyutu değerlerini "
    "ayarlayınız oluşturduğunuz dosyayı mikrodenetleyici ye kaydettikten sonra dinleyerek en "
    "kısa zamanı tutturunuz kalite seçim butonları ile seçim yapınız ";
inline constexpr std::string_view kGoodQuality =
    "iyi kalite ayarını sectiniz ses dosyası boyutu sorun değilse kontrol et butonuna basınız";
inline constexpr std::string_view kPoorQuality =
    "kötu kalite ayarını seçtiniz ses dosyası boyutu sorun değilse kontrol et butonuna basınız";
inline constexpr std::string_view kCheckPassed =
    "herhangi bir sorun bulunamadı bas dosyası oluştur butonu ile bas dosyanızı gösterdiğiniz "
    "yere oluşturunuz";
inline constexpr std::string_view kStartEdited =
    "başlangıç byte boyutunu değiştirdiniz kalite seçimi yapınız daha sonra kontrol et butonuna "
    "basınız";
inline constexpr std::string_view kEndEdited =
    "bitiş byte boyutunu değiştirdiniz kalite seçimi yapınız daha sonra kontrol et butonuna "
    "basınız";
inline constexpr std::string_view kProgramWritten =
    " proton basic bas dosyasını oluşturdunuz dosyayı proton basic ile derleyip mikro "
    "denetleyiciye kaydediniz ";
inline constexpr std::string_view kIncludeWritten =
    "inc dosyanızı oluşturdunuz diger basic projelerinizde kullanabilirsiniz";

// The check's message boxes, rule by rule in the order the rules run.
inline constexpr std::string_view kBrokenRules[] = {
    "başlangıc byte boyutu  bitiş byte boyutundan büyük olamaz",
    "bitiş bayt boyutu ses dosyası boyutundan büyük olamaz",
    "başlangıç bayt boyutu sifidan küçük  olamaz",
    "pic hafıza boyutu sıfır dan küçük olamaz",
    "pic hafiza boyutu ses dosyası boyutundan büyük olamaz",
};

}  // namespace vornelik::shown
