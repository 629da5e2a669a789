#include "platform/qt/qt_shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace vantrel {

bool QtShell::open(const std::string& fileOrAddress) {
    QString target = QString::fromStdString(fileOrAddress);
    QUrl url = target.startsWith('/') ? QUrl::fromLocalFile(target) : QUrl(target);
    return QDesktopServices::openUrl(url);
}

} // namespace vantrel
