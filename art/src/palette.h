#pragma once

// The game's colours. The enemies and the tunnel are drawn flat by the game itself; everything in
// Data/ is painted to sit with them: cool gunmetal and rail blue for the player's side, hot amber
// and white for fire, emerald for the laser.
struct Rgb {
    double r, g, b;
};

constexpr Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

constexpr Rgb scaled(Rgb c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}

namespace palette {

// Drawn by the game, flat.
constexpr Rgb wedgeRed{0.8, 0.01, 0.01};
constexpr Rgb squarePurple{0.6, 0.0, 0.8};
constexpr Rgb bossOchre{0.7, 0.55, 0.15};
constexpr Rgb ringGreen{0.3, 0.5, 0.2};
constexpr Rgb swarmBlue{0.15, 0.3, 0.7};
constexpr Rgb railBlue{0.3, 0.7, 0.9};
constexpr Rgb tunnelBlack{0.0, 0.0, 0.0};
constexpr Rgb radarGreen{0.25, 0.75, 0.3};
constexpr Rgb hudLabel{0.25, 0.25, 0.55}; // "Lives:" and "Score:"
constexpr Rgb bossLabel{0.8, 0.1, 0.1};   // "Boss Life:"
constexpr Rgb titleRed{0.8, 0.0, 0.0};    // menu title and entries

// The player's ship and its kit.
constexpr Rgb hullLight{0.78, 0.82, 0.86};
constexpr Rgb hullMid{0.48, 0.53, 0.6};
constexpr Rgb hullDark{0.17, 0.19, 0.24};
constexpr Rgb gunmetal{0.26, 0.28, 0.32};
constexpr Rgb steelShadow{0.07, 0.08, 0.1};
constexpr Rgb canopyGlass{0.05, 0.22, 0.3};
constexpr Rgb accentBlue{0.3, 0.7, 0.9};
constexpr Rgb navRed{1.0, 0.15, 0.1};
constexpr Rgb navGreen{0.2, 1.0, 0.4};

// Fire, engines and shots.
constexpr Rgb white{1.0, 1.0, 1.0};
constexpr Rgb hotWhite{1.0, 0.97, 0.85};
constexpr Rgb flameYellow{1.0, 0.82, 0.3};
constexpr Rgb flameOrange{1.0, 0.45, 0.05};
constexpr Rgb emberRed{0.65, 0.08, 0.02};
constexpr Rgb soot{0.08, 0.07, 0.06};
constexpr Rgb thrustCore{0.85, 0.97, 1.0};
constexpr Rgb thrustBlue{0.25, 0.6, 1.0};
constexpr Rgb thrustDeep{0.2, 0.2, 0.85};
constexpr Rgb slugGold{1.0, 0.78, 0.25};
constexpr Rgb laserGreen{0.2, 1.0, 0.5};
constexpr Rgb laserCore{0.85, 1.0, 0.9};

// Cockpit panel.
constexpr Rgb panelDark{0.1, 0.11, 0.14};
constexpr Rgb panelMid{0.2, 0.22, 0.27};
constexpr Rgb panelEdge{0.36, 0.4, 0.47};
constexpr Rgb screenGlass{0.02, 0.06, 0.05};
constexpr Rgb readoutBack{0.66, 0.72, 0.8}; // pale backlit readout under the dark blue labels
constexpr Rgb blueprint{0.07, 0.2, 0.42};
constexpr Rgb blueprintLine{0.75, 0.9, 1.0};

} // namespace palette
