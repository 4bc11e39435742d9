#pragma once
// Tool bar pictures, drawn in code at 16 x 16 so that they stay sharp and need no image files.
#include <QIcon>
#include <QImage>

#include "ui/commands.h"

namespace novra::ui {

QImage commandImage(Cmd cmd, int scale = 1);  // 16 x 16 times scale; transparent where there is no picture
QIcon commandIcon(Cmd cmd);                   // at 16 and 32 pixels, so that a dense screen shows it sharp

}  // namespace novra::ui
