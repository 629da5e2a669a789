#include "platform/qt/qt_processes.h"

#include <QProcess>
#include <QStringList>

namespace vantrel {

bool QtProcesses::startDetached(const std::string& program,
                                const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(program), list);
}

} // namespace vantrel
