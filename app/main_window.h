#pragma once
#include "resources/main_window_template.h"

namespace qz::app {

using tpl::分组框_操作分组;
using tpl::按钮_更换;
using tpl::编辑框_操作提示;
using tpl::超级链接框1;

inline const WindowTemplate& MainWindowTemplate() {
    return tpl::kMainWindow;
}

} // namespace qz::app
