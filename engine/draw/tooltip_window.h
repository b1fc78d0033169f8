#pragma once
#include <windows.h>
#include <string>

namespace qz {

// One tooltip control whose tools subclass their owner window. A plain value: copying or
// dropping it leaves the tooltip window alone; Destroy ends the window explicitly.
class ToolTipWindow {
  public:
    // Creates the tooltip window (a top-most, ownerless "ToolTips_class32"); returns it.
    HWND Create(HWND owner, bool balloon = false);
    // rect nullptr: the owner's whole client rectangle.
    bool AddTool(const RECT* rect, const std::string& text, UINT_PTR id);
    void DeleteTool(UINT_PTR id);
    int GetToolCount() const;
    void SetToolRect(UINT_PTR id, const RECT& rect);
    void SetToolText(UINT_PTR id, const std::string& text);
    void SetTipBackColor(COLORREF rgb);
    void SetTipTextColor(COLORREF rgb);
    void SetMaxTipWidth(int width);
    HWND GetHandle() const { return tip_; }
    HWND GetOwner() const { return owner_; }
    // Destroys the tooltip window; the owner's teardown calls it after removing the tools.
    void Destroy();

  private:
    HWND tip_ = nullptr;
    HWND owner_ = nullptr;
};

} // namespace qz
