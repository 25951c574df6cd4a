#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QThread>

#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "skin_engine/skin_engine.h"
#include "skin_engine/skin_format.h"

namespace {

// A skin file is a few tens of kilobytes; anything far larger is not one.
constexpr std::size_t kMaxSkinBytes = 4 * 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::optional<std::string> read_file(const char* path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    std::array<char, 16384> buffer{};
    while (true) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
        bytes.append(buffer.data(), got);
        if (bytes.size() > kMaxSkinBytes) {
            return std::nullopt;
        }
        if (got < buffer.size()) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        return std::nullopt;
    }
    return bytes;
}

struct RoleName {
    std::string_view name;
    QPalette::ColorRole role;
};

constexpr RoleName kRoles[] = {
    {"window", QPalette::Window},
    {"window-text", QPalette::WindowText},
    {"base", QPalette::Base},
    {"alternate-base", QPalette::AlternateBase},
    {"text", QPalette::Text},
    {"button", QPalette::Button},
    {"button-text", QPalette::ButtonText},
    {"highlight", QPalette::Highlight},
    {"highlighted-text", QPalette::HighlightedText},
    {"tooltip-base", QPalette::ToolTipBase},
    {"tooltip-text", QPalette::ToolTipText},
    {"placeholder-text", QPalette::PlaceholderText},
    {"link", QPalette::Link},
};

QPalette skin_palette(const vx::skin::SkinFile& skin, QPalette palette) {
    for (const auto& [name, value] : skin.palette) {
        const QColor colour(QString::fromStdString(value));
        if (!colour.isValid()) {
            continue;
        }
        for (const RoleName& role : kRoles) {
            if (role.name == name) {
                palette.setColor(QPalette::All, role.role, colour);
            }
        }
        if (name == "muted-text") {
            // Disabled controls read in the muted text colour.
            for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
                palette.setColor(QPalette::Disabled, role, colour);
            }
        }
    }
    return palette;
}

int attach(const char* skin_path) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    // Widgets may only be restyled on the thread that runs them.
    if (app == nullptr || QThread::currentThread() != app->thread() || skin_path == nullptr) {
        return 0;
    }
    const auto bytes = read_file(skin_path);
    if (!bytes) {
        return 0;
    }
    const auto skin = vx::skin::read_skin(*bytes);
    if (!skin) {
        return 0;
    }
    if (!skin->widget_style.empty()) {
        if (QStyle* style = QStyleFactory::create(QString::fromStdString(skin->widget_style))) {
            QApplication::setStyle(style);
        }
    }
    QApplication::setPalette(skin_palette(*skin, QApplication::style()->standardPalette()));
    app->setStyleSheet(QString::fromUtf8(skin->style_sheet.data(),
                                         static_cast<qsizetype>(skin->style_sheet.size())));
    return 1;
}

}  // namespace

extern "C" int SkinH_AttachEx(const char* skin_path, const char* /*password*/) {
    try {
        return attach(skin_path);
    } catch (...) {
        // Nothing may cross into a caller that knows only C.
        return 0;
    }
}
