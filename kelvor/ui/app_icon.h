#pragma once
// The program's icon: a few stones on a board, drawn rather than shipped.

#include <QIcon>

namespace kelvor {

QIcon AppIcon();

} // namespace kelvor
