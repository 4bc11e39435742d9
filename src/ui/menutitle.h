#pragma once
// The title band of a context menu: a disabled first item painted with a caption gradient.
#include <QString>

class QMenu;
class QWidgetAction;

namespace novra::ui {

QWidgetAction* addMenuTitle(QMenu* menu, const QString& title);

}  // namespace novra::ui
