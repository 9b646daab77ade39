#pragma once

// The keys the game polls, by their Windows virtual-key codes: every platform maps its own key
// state onto these numbers.
enum VirtualKey : int {
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_1 = 0x31,
    VK_2 = 0x32,
    VK_3 = 0x33,
    VK_F2 = 0x71,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
};
