#include "platform/qt/qt_processes.h"

#include <QProcess>

namespace vantrel {

bool QtProcesses::startDetached(const std::string& program) {
    return QProcess::startDetached(QString::fromStdString(program), {});
}

} // namespace vantrel
