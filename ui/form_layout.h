// SPDX-License-Identifier: MIT
#pragma once

// Form1 as the designer laid it out: every face builds its window from these tables.

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/controls.h"

namespace vornelik {

enum class ControlKind : std::uint8_t { commandButton, label, textBox };

// Places and sizes in twips, 1/1440 inch: 15 to a pixel at 96 dots per inch.
struct Twips {
    int left, top, width, height;
};

struct ControlLayout {
    Control id;
    std::string_view name;  // the designer name, also the object name a face gives it
    ControlKind kind;
    std::string_view caption;  // caption or text at creation
    Twips box;
    int fontTenthsOfPoint;  // 135, or 120 for the message panel
};

struct FormLayout {
    std::string_view caption = " Vornelik";
    std::string_view messageBoxCaption = "Vornelik";
    int clientWidthTwips = 11730;
    int clientHeightTwips = 5670;
    std::string_view fontFace = "MS Sans Serif";
    int fontWeight = 700;
    int fontCharSet = 162;                   // Turkish
    std::uint32_t messageColour = 0xFF0000;  // red, as 0xRRGGBB
    int typingLimit = 5;                     // characters a user can type into a range box
};

inline constexpr int kTwipsPerPixelAt96Dpi = 15;

inline constexpr FormLayout kForm1;

// In tab order, which is also the order in which faces create the controls.
inline constexpr std::array<ControlLayout, kControlCount> kForm1Controls = {{
    {Control::Command2,
     "Command2",
     ControlKind::commandButton,
     "ses dosyası aç",
     {120, 120, 2415, 495},
     135},
    {Control::yer, "yer", ControlKind::label, "", {2160, 840, 9375, 375}, 135},
    {Control::Label2, "Label2", ControlKind::label, "dosya yeri", {120, 840, 1575, 375}, 135},
    {Control::Label3, "Label3", ControlKind::label, "dosya boyutu", {120, 1560, 2055, 375}, 135},
    {Control::Command3,
     "Command3",
     ControlKind::commandButton,
     "bas dosyası oluştur",
     {2760, 120, 3135, 495},
     135},
    {Control::Command4,
     "Command4",
     ControlKind::commandButton,
     "inc dosyası oluştur",
     {6240, 120, 3135, 495},
     135},
    {Control::boyut, "boyut", ControlKind::label, "", {2280, 1560, 9255, 375}, 135},
    {Control::Label1, "Label1", ControlKind::label, "ses kalitesi", {120, 2280, 1695, 375}, 135},
    {Control::Label4, "Label4", ControlKind::label, "baslangıç", {720, 3000, 1455, 375}, 135},
    {Control::Text1, "Text1", ControlKind::textBox, "0", {2760, 3000, 1095, 495}, 135},
    {Control::Label5, "Label5", ControlKind::label, "bitiş", {6840, 3000, 735, 375}, 135},
    {Control::Text2, "Text2", ControlKind::textBox, "0", {7680, 3000, 1215, 495}, 135},
    {Control::Label6, "Label6", ControlKind::label, "byte", {3960, 3000, 615, 375}, 135},
    {Control::Label7, "Label7", ControlKind::label, "byte", {9000, 3000, 735, 375}, 135},
    {Control::Command1,
     "Command1",
     ControlKind::commandButton,
     "iyi kalite cok yer",
     {2040, 2280, 2655, 495},
     135},
    {Control::Command5,
     "Command5",
     ControlKind::commandButton,
     "kotu kalite az yer",
     {4800, 2280, 2655, 495},
     135},
    {Control::Label8, "Label8", ControlKind::label, "pic hafiza", {7680, 2280, 1455, 375}, 135},
    {Control::Label9, "Label9", ControlKind::label, "", {9360, 2280, 2055, 375}, 135},
    {Control::Command6,
     "Command6",
     ControlKind::commandButton,
     "kontrol et",
     {9600, 120, 1695, 495},
     135},
    {Control::mesaj, "mesaj", ControlKind::label, "", {120, 3600, 11535, 1935}, 120},
}};

inline constexpr const ControlLayout& layoutOf(Control control) {
    return kForm1Controls[static_cast<std::size_t>(control)];
}

// The heading a range box is read by: "baslangıç" for Text1, "bitiş" for Text2.
inline constexpr Control headingOf(Control textBox) {
    return textBox == Control::Text1 ? Control::Label4 : Control::Label5;
}

}  // namespace vornelik
