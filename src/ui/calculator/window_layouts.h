#pragma once

#include "catalogue/catalogue.h"

#include <span>
#include <string_view>

namespace kinri::ui {

enum class ControlKind { Label, TextBox, ResultBox, List, Button, PrintOption };

// One control of a calculator window as designed: position and size in twips within the client
// area, its place in the keyboard focus order, and its fixed caption (buttons only).
struct ControlDesign {
    std::string_view name;
    ControlRef role;
    int left, top, width, height;
    int tab;
    std::string_view caption = {};
    double fontSize = 0.0;            // 0: the window's default font
    std::string_view fontFamily = {}; // empty: the default family

    constexpr ControlKind kind() const {
        switch (role.role) {
        case ControlRole::Input:
            return ControlKind::TextBox;
        case ControlRole::ResultBox:
            return ControlKind::ResultBox;
        case ControlRole::ResultList:
            return ControlKind::List;
        case ControlRole::Compute:
        case ControlRole::Clear:
        case ControlRole::Menu:
            return ControlKind::Button;
        case ControlRole::PrintSwitch:
            return ControlKind::PrintOption;
        default:
            return ControlKind::Label;
        }
    }
};

struct TwipsPoint {
    int left, top;
};

struct WindowLayout {
    WindowId id;
    int clientWidth, clientHeight; // twips
    std::span<const ControlDesign> controls;
    std::string_view printOption; // the print switch label
    TwipsPoint printOff, printOn; // its position with printing off and on
    std::string_view icon;        // name of the window's icon artwork
};

const WindowLayout& windowLayout(WindowId id);

// The print switch's designed size, in both its looks and all its places.
inline constexpr int kPrintSwitchWidth = 630;
inline constexpr int kPrintSwitchHeight = 300;

// The design font of the buttons and the print switch.
inline constexpr std::string_view kMenuButtonFont = "ＭＳ Ｐゴシック";

} // namespace kinri::ui
