#include "skin_engine/skin_theme.h"

#include <algorithm>
#include <map>

#include "skin_engine/skin_colour.h"

namespace vx::skin {

namespace {

struct Hsl {
    double h = 0;
    double s = 0;
    double l = 0;
};

Rgb quantised(const Hsl& c) {
    return *from_hex(to_hex(from_hsl(c.h, c.s, c.l)));
}

// Moves `colour`'s lightness away from `other` until the pair reaches
// `minimum`, or black or white is reached. Text is moved off its background;
// an accent fill, whose text colour is fixed, is moved off its text.
Hsl away_from(Hsl colour, const Hsl& other, double minimum) {
    const Rgb fixed = quantised(other);
    const double step = luminance(fixed) > 0.18 ? -0.01 : 0.01;
    while (contrast(quantised(colour), fixed) < minimum && colour.l > 0 && colour.l < 1) {
        colour.l = std::clamp(colour.l + step, 0.0, 1.0);
    }
    return colour;
}

using Colours = std::map<std::string, Hsl, std::less<>>;

Colours light_colours(const ThemeSeed& seed) {
    const double h = seed.surface_hue;
    const double a = seed.accent_hue;
    const double t = seed.tint;
    const double v = seed.vividness;
    Colours c;
    c["window"] = {h, t, 0.955};
    c["base"] = {h, t * 0.6, 0.995};
    c["alternate-base"] = {h, std::min(0.6, t * 1.4), 0.962};
    c["button"] = {h, t * 0.6, 0.99};
    c["header"] = {h, t, 0.92};
    c["border"] = {h, t * 0.8, 0.83};
    c["border-strong"] = {h, t * 0.8, 0.70};
    c["scroll"] = {h, t * 0.8, 0.74};
    c["scroll-hover"] = {h, t * 0.8, 0.60};
    c["accent"] = {a, v, 0.46};
    c["button-hover"] = {a, v * 0.7, 0.93};
    c["row-hover"] = {a, v * 0.6, 0.955};
    c["selection"] = {a, v * 0.8, 0.84};
    c["tooltip-base"] = {h, t * 0.5, 0.22};

    const Hsl ink{h, std::min(0.35, t + 0.1), 0.16};
    c["window-text"] = away_from(ink, c["window"], 7.0);
    c["text"] = away_from(ink, c["alternate-base"], 7.5);
    c["button-text"] = away_from(ink, c["button-hover"], 7.0);
    c["header-text"] = away_from(ink, c["header"], 7.5);
    c["muted-text"] = away_from({h, t * 0.6, 0.45}, c["window"], 4.8);
    c["placeholder-text"] = away_from({h, t * 0.5, 0.62}, c["base"], 3.2);
    c["selection-text"] = away_from({a, v * 0.8, 0.18}, c["selection"], 7.5);
    c["pressed-text"] = {0, 0, 1};
    c["pressed"] = away_from(c["accent"], c["pressed-text"], 4.8);
    c["accent-strong"] = {a, v, c["pressed"].l - 0.08};
    c["highlight"] = c["pressed"];
    c["highlighted-text"] = c["pressed-text"];
    c["tooltip-text"] = away_from({h, t * 0.3, 0.96}, c["tooltip-base"], 7.5);
    c["link"] = c["pressed"];
    return c;
}

Colours dark_colours(const ThemeSeed& seed) {
    const double h = seed.surface_hue;
    const double a = seed.accent_hue;
    const double t = seed.tint;
    const double v = seed.vividness;
    Colours c;
    c["window"] = {h, t, 0.14};
    c["base"] = {h, t, 0.105};
    c["alternate-base"] = {h, t, 0.13};
    c["button"] = {h, t, 0.20};
    c["header"] = {h, t, 0.18};
    c["border"] = {h, t, 0.27};
    c["border-strong"] = {h, t, 0.38};
    c["scroll"] = {h, t, 0.30};
    c["scroll-hover"] = {h, t, 0.42};
    c["accent"] = {a, v, 0.62};
    c["button-hover"] = {a, v * 0.45, 0.26};
    c["row-hover"] = {a, v * 0.35, 0.19};
    c["selection"] = {a, v * 0.55, 0.33};
    c["tooltip-base"] = {h, t * 0.5, 0.88};

    const Hsl ink{h, std::min(0.2, t), 0.90};
    c["window-text"] = away_from(ink, c["window"], 7.0);
    c["text"] = away_from(ink, c["alternate-base"], 7.5);
    c["button-text"] = away_from(ink, c["button-hover"], 7.0);
    c["header-text"] = away_from(ink, c["header"], 7.5);
    c["muted-text"] = away_from({h, t * 0.6, 0.66}, c["window"], 4.8);
    c["placeholder-text"] = away_from({h, t * 0.5, 0.45}, c["base"], 3.2);
    // Bright accents (greens, cyans) would leave light text too faint: the
    // selection darkens until its text reads.
    c["selection-text"] = {a, v * 0.3, 0.95};
    c["selection"] = away_from(c["selection"], c["selection-text"], 7.5);
    c["pressed-text"] = {a, v * 0.6, 0.08};
    c["pressed"] = away_from(c["accent"], c["pressed-text"], 4.8);
    c["accent-strong"] = {a, v, c["pressed"].l - 0.08};
    c["highlight"] = c["pressed"];
    c["highlighted-text"] = c["pressed-text"];
    c["tooltip-text"] = away_from({h, t * 0.5, 0.12}, c["tooltip-base"], 7.5);
    c["link"] = c["accent"];
    return c;
}

// Styled by widget class, so that every control of a kind looks alike.
constexpr std::string_view kSheet = R"(QWidget {
    background-color: @window;
    color: @window-text;
    font-size: 9pt;
}
QLineEdit {
    background-color: @base;
    color: @text;
    border: 1px solid @border;
    border-radius: 3px;
    padding: 0px 6px;
    selection-background-color: @highlight;
    selection-color: @highlighted-text;
}
QLineEdit:hover {
    border-color: @border-strong;
}
QLineEdit:focus {
    border-color: @accent;
}
QPushButton {
    background-color: @button;
    color: @button-text;
    border: 1px solid @border;
    border-radius: 3px;
    padding: 0px 4px;
}
QPushButton:hover {
    background-color: @button-hover;
    border-color: @accent;
}
QPushButton:pressed {
    background-color: @pressed;
    border-color: @accent-strong;
    color: @pressed-text;
}
QPushButton:disabled {
    background-color: @window;
    color: @muted-text;
}
QLabel {
    background-color: transparent;
    color: @muted-text;
}
QTreeView, QListView, QTableView {
    background-color: @base;
    alternate-background-color: @alternate-base;
    color: @text;
    border: 1px solid @border;
    selection-background-color: @selection;
    selection-color: @selection-text;
    outline: 0;
    qproperty-alternatingRowColors: true;
}
QTreeView::item {
    padding: 2px 1px;
}
QTreeView::item:hover {
    background-color: @row-hover;
    color: @text;
}
QTreeView::item:selected {
    background-color: @selection;
    color: @selection-text;
}
QHeaderView {
    background-color: @header;
}
QHeaderView::section {
    background-color: @header;
    color: @header-text;
    border: none;
    border-right: 1px solid @border;
    border-bottom: 1px solid @border;
    padding: 3px 4px;
    font-weight: bold;
}
QScrollBar:vertical {
    background-color: @base;
    width: 11px;
    margin: 0px;
    border: none;
}
QScrollBar:horizontal {
    background-color: @base;
    height: 11px;
    margin: 0px;
    border: none;
}
QScrollBar::handle:vertical {
    background-color: @scroll;
    border-radius: 3px;
    min-height: 24px;
    margin: 2px;
}
QScrollBar::handle:horizontal {
    background-color: @scroll;
    border-radius: 3px;
    min-width: 24px;
    margin: 2px;
}
QScrollBar::handle:hover {
    background-color: @scroll-hover;
}
QScrollBar::add-line, QScrollBar::sub-line {
    width: 0px;
    height: 0px;
}
QScrollBar::add-page, QScrollBar::sub-page {
    background: none;
}
QAbstractScrollArea::corner {
    background-color: @base;
}
QMessageBox QLabel {
    color: @window-text;
}
QMessageBox QPushButton {
    min-width: 64px;
    min-height: 22px;
}
QToolTip {
    background-color: @tooltip-base;
    color: @tooltip-text;
    border: 1px solid @border-strong;
    padding: 2px 4px;
}
)";

bool name_char(char ch) {
    return (ch >= 'a' && ch <= 'z') || ch == '-';
}

std::string fill_sheet(const std::map<std::string, std::string, std::less<>>& hex) {
    std::string out;
    out.reserve(kSheet.size() + kSheet.size() / 4);
    for (std::size_t i = 0; i < kSheet.size(); ++i) {
        if (kSheet[i] != '@') {
            out += kSheet[i];
            continue;
        }
        std::size_t end = i + 1;
        while (end < kSheet.size() && name_char(kSheet[end])) {
            ++end;
        }
        out += hex.at(std::string(kSheet.substr(i + 1, end - i - 1)));
        i = end - 1;
    }
    return out;
}

}  // namespace

SkinFile theme_skin(const ThemeSeed& seed) {
    const Colours colours = seed.dark ? dark_colours(seed) : light_colours(seed);
    std::map<std::string, std::string, std::less<>> hex;
    for (const auto& [role, c] : colours) {
        hex[role] = to_hex(from_hsl(c.h, c.s, c.l));
    }
    SkinFile skin;
    skin.name = seed.name;
    skin.widget_style = "Fusion";
    for (const auto& [role, value] : hex) {
        skin.palette.emplace_back(role, value);
    }
    skin.style_sheet = fill_sheet(hex);
    return skin;
}

}  // namespace vx::skin
