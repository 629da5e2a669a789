#pragma once

#include <QIcon>

namespace vantrel {

// The installed theme's icon, else the same picture drawn here.
QIcon programIcon();

} // namespace vantrel
