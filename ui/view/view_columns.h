// The list's eight columns: titles, alignment and the widths every start uses.
#pragma once

#include <Qt>
#include <array>

struct ViewColumn {
    const char* title;
    Qt::Alignment alignment;
    int width;
};

inline constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
inline constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

inline constexpr std::array<ViewColumn, 8> kViewColumns{{
    {"Sr", kLeft, 30},
    {"Color to Match", kLeft, 200},
    {"Command", kCentre, 75},
    {"Application / Document Path", kCentre, 200},
    {"Detection Count", kCentre, 125},
    {"Interval (msec)", kCentre, 125},
    {"Comment", kCentre, 250},
    {"Enabled", kCentre, 55},
}};
