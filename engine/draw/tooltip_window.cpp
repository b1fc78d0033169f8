#include "engine/draw/tooltip_window.h"
#include <commctrl.h>

namespace qz {

namespace {

TOOLINFOA ToolInfo(HWND owner, UINT_PTR id) {
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = id;
    return info;
}

} // namespace

HWND ToolTipWindow::Create(HWND owner, bool balloon) {
    owner_ = owner;
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    DWORD style = TTS_ALWAYSTIP | (balloon ? TTS_BALLOON : 0);
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, "", style, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    SetMaxTipWidth(600);
    return tip_;
}

bool ToolTipWindow::AddTool(const RECT* rect, const std::string& text, UINT_PTR id) {
    TOOLINFOA info = ToolInfo(owner_, id);
    if (rect != nullptr) {
        info.rect = *rect;
    } else {
        GetClientRect(owner_, &info.rect);
    }
    info.lpszText = const_cast<char*>(text.c_str());
    return SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void ToolTipWindow::DeleteTool(UINT_PTR id) {
    TOOLINFOA info = ToolInfo(owner_, id);
    SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

int ToolTipWindow::GetToolCount() const {
    return static_cast<int>(SendMessageA(tip_, TTM_GETTOOLCOUNT, 0, 0));
}

void ToolTipWindow::SetToolRect(UINT_PTR id, const RECT& rect) {
    TOOLINFOA info = ToolInfo(owner_, id);
    info.rect = rect;
    SendMessageA(tip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTipWindow::SetToolText(UINT_PTR id, const std::string& text) {
    TOOLINFOA info = ToolInfo(owner_, id);
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTipWindow::SetTipBackColor(COLORREF rgb) {
    SendMessageA(tip_, TTM_SETTIPBKCOLOR, rgb, 0);
}

void ToolTipWindow::SetTipTextColor(COLORREF rgb) {
    SendMessageA(tip_, TTM_SETTIPTEXTCOLOR, rgb, 0);
}

void ToolTipWindow::SetMaxTipWidth(int width) {
    SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, width);
}

void ToolTipWindow::Destroy() {
    if (tip_ != nullptr) DestroyWindow(tip_);
    tip_ = nullptr;
}

} // namespace qz
