#pragma once
// The calculator's keys as data: every key of the keypad and the function tabs, and
// every keyboard shortcut of the hidden "Keys" menu, with the one command it sends to
// the calculator logic. The window builds its buttons and hidden menu items from this
// table and routes all of them through one handler:
//
//   KeyDef{Control "ButtonSin", Caption "Sin", Key "sin", Item "sin1", Shortcut S}
//     -> a KeyButton on the "Trig" tab and a hidden item, both running the key "sin"

#include "calculator/KeyCommand.h"

#include <QKeyCombination>

#include <cstdint>
#include <span>
#include <string_view>

namespace quantrel::gui {

/// Where a key's button stands: the main keypad or one of the function tabs.
enum class KeyArea : std::uint8_t {
    None, ///< a keyboard-only command (hidden menu item, no button)
    Basic,
    Math,
    Trig,
    Hex,
    Log,
    Tax,
};

/// The drawn pictures of the keys that show no text.
enum class KeyPicture : std::uint8_t {
    None,
    SquareRoot,
    YthRoot,
    Equals,
    Replay,
};

struct KeyDef {
    std::string_view Control{}; ///< objectName of the button; empty for keyboard-only
    std::string_view Caption{}; ///< text on the button (empty for a picture key)
    std::string_view Name{};    ///< accessible name; the caption when empty
    std::string_view Hint{};    ///< tooltip; empty for none
    /// The key's name for scripts and quantrel-tape ("7", "sqrt", "+tax"), which
    /// names its command: button, shortcut and script run the same one.
    std::string_view Key{};
    std::string_view Item{};        ///< hidden "Keys" menu item; empty for none
    std::string_view ItemCaption{}; ///< its caption
    QKeyCombination Shortcut{};     ///< its shortcut (Qt::Key_unknown for none)
    KeyArea Area = KeyArea::None;
    int Row = 0;
    int Column = 0;
    KeyPicture Picture = KeyPicture::None;

    /// The command this key sends to the calculator logic: that of its name.
    KeyCommand Command() const { return ParseKeyName(Key).value_or(KeyCommand{}); }
    bool HasButton() const { return !Control.empty(); }
    bool HasItem() const { return !Item.empty(); }
};

/// Every key and shortcut, keypad first, then the tabs in order, then keyboard-only
/// commands.
std::span<const KeyDef> CalculatorKeys();

} // namespace quantrel::gui
