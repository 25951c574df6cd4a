#include "skin_engine/skin_colour.h"

#include <algorithm>
#include <cmath>

namespace vx::skin {

namespace {

double hue_channel(double p, double q, double t) {
    if (t < 0) {
        t += 1;
    }
    if (t > 1) {
        t -= 1;
    }
    if (t < 1.0 / 6) {
        return p + (q - p) * 6 * t;
    }
    if (t < 1.0 / 2) {
        return q;
    }
    if (t < 2.0 / 3) {
        return p + (q - p) * (2.0 / 3 - t) * 6;
    }
    return p;
}

int to_byte(double channel) {
    return static_cast<int>(std::lround(std::clamp(channel, 0.0, 1.0) * 255));
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

}  // namespace

Rgb from_hsl(double hue, double saturation, double lightness) {
    const double s = std::clamp(saturation, 0.0, 1.0);
    const double l = std::clamp(lightness, 0.0, 1.0);
    const double h = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 360.0;
    if (s == 0) {
        return {l, l, l};
    }
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    return {hue_channel(p, q, h + 1.0 / 3), hue_channel(p, q, h), hue_channel(p, q, h - 1.0 / 3)};
}

std::string to_hex(const Rgb& colour) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    std::string out = "#";
    for (const double channel : {colour.r, colour.g, colour.b}) {
        const int byte = to_byte(channel);
        out += digits[static_cast<std::size_t>(byte / 16)];
        out += digits[static_cast<std::size_t>(byte % 16)];
    }
    return out;
}

std::optional<Rgb> from_hex(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') {
        return std::nullopt;
    }
    double channels[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int hi = hex_digit(text[static_cast<std::size_t>(1 + 2 * i)]);
        const int lo = hex_digit(text[static_cast<std::size_t>(2 + 2 * i)]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        channels[i] = (hi * 16 + lo) / 255.0;
    }
    return Rgb{channels[0], channels[1], channels[2]};
}

double luminance(const Rgb& colour) {
    return 0.2126 * linear(colour.r) + 0.7152 * linear(colour.g) + 0.0722 * linear(colour.b);
}

double contrast(const Rgb& a, const Rgb& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace vx::skin
