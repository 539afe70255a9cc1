// SPDX-License-Identifier: MIT
#pragma once

// What the window says to the user, word for word.

#include <string_view>

namespace vornelik::texts {

inline constexpr std::string_view kStartMessage =
    "önceden 8 bit 8 khz pcm formatında kaydetdiğiniz ses dosyasını ses dosyası aç butonu ile "
    "seçerek açınız eğer ses dosyası formatı değişik olursa mikrodenetleyici doğru "
    "çalışmayacaktır değişik formattaki ses dosyalarınızı windows ses kaydedicisi ile açıp "
    "farklı kaydet seçeneğiyle formatını 8 bit 8 khz pcm formatında yapabilirsiniz";
inline constexpr std::string_view kSetRangeMessage =
    "ses dosyalarında kayıt esnasında boşluklar oluşur bunun mikro denetleyicinin program "
    "hafızasında fazladan yer tutmaması için baslangıc boyutu ve bitiş boyutu değerlerini "
    "ayarlayınız oluşturduğunuz dosyayı mikrodenetleyici ye kaydettikten sonra dinleyerek en "
    "kısa zamanı tutturunuz kalite seçim butonları ile seçim yapınız ";
inline constexpr std::string_view kGoodQualityMessage =
    "iyi kalite ayarını sectiniz ses dosyası boyutu sorun değilse kontrol et butonuna basınız";
inline constexpr std::string_view kPoorQualityMessage =
    "kötu kalite ayarını seçtiniz ses dosyası boyutu sorun değilse kontrol et butonuna basınız";

// The five rules of the check, in the order they are tested.
inline constexpr std::string_view kStartAfterEnd =
    "başlangıc byte boyutu  bitiş byte boyutundan büyük olamaz";
inline constexpr std::string_view kEndBeyondFile =
    "bitiş bayt boyutu ses dosyası boyutundan büyük olamaz";
inline constexpr std::string_view kStartBelowZero = "başlangıç bayt boyutu sifidan küçük  olamaz";
inline constexpr std::string_view kMemoryBelowZero = "pic hafıza boyutu sıfır dan küçük olamaz";
inline constexpr std::string_view kMemoryBeyondFile =
    "pic hafiza boyutu ses dosyası boyutundan büyük olamaz";

inline constexpr std::string_view kCheckPassedMessage =
    "herhangi bir sorun bulunamadı bas dosyası oluştur butonu ile bas dosyanızı gösterdiğiniz "
    "yere oluşturunuz";
inline constexpr std::string_view kStartEditedMessage =
    "başlangıç byte boyutunu değiştirdiniz kalite seçimi yapınız daha sonra kontrol et "
    "butonuna basınız";
inline constexpr std::string_view kEndEditedMessage =
    "bitiş byte boyutunu değiştirdiniz kalite seçimi yapınız daha sonra kontrol et butonuna "
    "basınız";
inline constexpr std::string_view kProgramWrittenMessage =
    " proton basic bas dosyasını oluşturdunuz dosyayı proton basic ile derleyip mikro "
    "denetleyiciye kaydediniz ";
inline constexpr std::string_view kIncludeWrittenMessage =
    "inc dosyanızı oluşturdunuz diger basic projelerinizde kullanabilirsiniz";

inline constexpr std::string_view kSoundFilter = "ses dosyaları|*.wav";
inline constexpr std::string_view kProgramFilter = "proton basic dosyaları|*.bas";
inline constexpr std::string_view kIncludeFilter = "inc dosyaları|*.inc";

}  // namespace vornelik::texts
