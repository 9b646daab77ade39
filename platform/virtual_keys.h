#pragma once

// The keys the game polls, by their Windows virtual-key codes: every platform maps its own key
// state onto these numbers. Named apart from <windows.h>'s VK_ macros, which have the same
// values, so that the Win32 shell and the game can share a file.
enum VirtualKey : int {
    KeyReturn = 0x0D,
    KeyEscape = 0x1B,
    KeySpace = 0x20,
    KeyLeft = 0x25,
    KeyUp = 0x26,
    KeyRight = 0x27,
    KeyDown = 0x28,
    Key1 = 0x31,
    Key2 = 0x32,
    Key3 = 0x33,
    KeyF2 = 0x71,
    KeyF3 = 0x72,
    KeyF4 = 0x73,
};
