#pragma once
// Tool bar pictures, drawn in code at 16 x 16 so that they stay sharp and need no image files.
#include <QIcon>
#include <QImage>

#include "ui/commands.h"

namespace novra::ui {

QImage commandImage(Cmd cmd);  // transparent where there is no picture
QIcon commandIcon(Cmd cmd);

}  // namespace novra::ui
