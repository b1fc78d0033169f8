#pragma once
// The main window's template: its title, place and size, and its controls in creation order with
// their places and sizes in client pixels.
#include "app/platform.h"

namespace qz::app::tpl {

// The controls' names, as the rest of the program refers to them.
inline constexpr char 按钮_更换[] = "按钮_更换";
inline constexpr char 编辑框_操作提示[] = "编辑框_操作提示";
inline constexpr char 超级链接框1[] = "超级链接框1";
inline constexpr char 分组框_操作分组[] = "分组框_操作分组";

inline constexpr char kTitle[] = "Lumo丶QQ透明皮肤  - Lumo丶技术交流群 10000";

// A caption-less pop-up: the skin draws its own title bar inside the client area.
inline constexpr DWORD kStyle = WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX;

inline constexpr FontTemplate kSystemFont{nullptr, 0, 0, 0};
inline constexpr FontTemplate kEditFont{"宋体", -14, FW_NORMAL, GB2312_CHARSET};
inline constexpr FontTemplate kLinkFont{"宋体", -12, FW_NORMAL, GB2312_CHARSET};

inline constexpr ControlTemplate kControls[] = {
    {按钮_更换, ControlKind::PushButton, 225, 60, 138, 32, "", kSystemFont, nullptr},
    {编辑框_操作提示, ControlKind::EditBox, 24, 60, 192, 32, "*", kEditFont, nullptr},
    {超级链接框1, ControlKind::Hyperlink, 16, 120, 360, 27, "项目主页：http://www.example.com/",
     kLinkFont, "http://www.example.com/"},
    {分组框_操作分组, ControlKind::GroupBox, 14, 32, 362, 80, "", kSystemFont, nullptr},
};

inline constexpr WindowTemplate kMainWindow{
    kTitle, 50, 50, 391, 152, kStyle, kControls, sizeof kControls / sizeof kControls[0]};

} // namespace qz::app::tpl
