#pragma once
// The window's pictures, drawn in code so that the program ships no image files:
// the keys that show a picture instead of a caption, and the toolbar's image list.
// Each picture is drawn in black on transparent, so Qt's own disabled form greys it.

#include "window/KeyTable.h"

#include <QIcon>
#include <QImage>

namespace quantrel::gui {

/// Side of the small pictures, in pixels (keys and toolbar).
inline constexpr int kPictureSize = 24;
/// The key pictures of the large size.
inline constexpr int kLargeKeyPictureSize = 33;

/// The picture of a key ("=", the replay key, square root, y-th root).
QIcon KeyPictureIcon(KeyPicture picture);

/// The toolbar's image list, by index.
enum class ToolImage : int {
    Back = 0,
    Forward = 1,
    Replay = 2,
    ShowTape = 3, ///< the tape is hidden: the button shows it
    HideTape = 4, ///< the tape is shown: the button hides it
    ClearTape = 5,
    FormatGeneral = 6, ///< tape format images are the format's mode + 5
    FormatScientific = 7,
    FormatCurrency = 8,
    FormatFixed = 9,
    DecimalsUp = 10,
    DecimalsDown = 11,
    History = 12,
    Annotate = 13,
    Converter = 14,
};

/// Image `index` of the toolbar's image list; an empty icon for an unknown index.
QIcon ToolbarImage(int index);
/// The program's own picture, for the window and the notification area: a small
/// adding machine with its paper tape.
QIcon ProgramIcon();
/// The program's picture drawn at `side` x `side` pixels, for the installed icons.
QImage ProgramPicture(int side);
inline QIcon ToolbarImage(ToolImage image) {
    return ToolbarImage(static_cast<int>(image));
}

} // namespace quantrel::gui
