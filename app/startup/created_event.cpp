#include "app/startup/created_event.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QString>
#include <QUrl>

#include "app/startup/skin_engine_image.h"
#include "app/startup/skin_loader.h"
#include "app/startup/version_check.h"
#include "text/codepage.h"

namespace vx {

namespace {

QString to_qstring(const Text& text) {
    return QString::fromStdString(cp936_to_utf8(text));
}

}  // namespace

StartupSeam desktop_startup_seam() {
    StartupSeam seam;
    seam.show_message = [](const Text& message, const Text& caption) {
        QMessageBox box(QMessageBox::NoIcon, to_qstring(caption), to_qstring(message),
                        QMessageBox::Ok);
        box.exec();
    };
    seam.open_address = [](const Text& address) {
        QDesktopServices::openUrl(QUrl(to_qstring(address)));
    };
    return seam;
}

std::optional<int> run_created_event(const SiteAddresses& sites, TrackWindow& window,
                                     const StartupSeam& seam,
                                     const std::function<void()>& process_events) {
    // The library is opened never to be unloaded, so the skin stays applied
    // after this holder is gone.
    const SkinLoadResult skin = load_skin(kProgramSkin, process_skin_places(), skin_engine_image());
    if (skin.failure) {
        if (seam.show_message) {
            seam.show_message(*skin.failure, kSkinFailureCaption);
        }
        return 1;
    }
    return check_for_update(sites, window, seam, process_events);
}

}  // namespace vx
