#pragma once

// Names of the window properties through which windows and controls find their records and
// options. The constants carry the properties' own names. Values stored under them are plain
// integers or handles (INT_PTR-sized).
namespace qz::props {

// Addressing of every skinned window and control.
inline constexpr char Qz_lbID[] =
    "Qz_lbID"; // top-level window: its window index; control: its list index
inline constexpr char Qz_FuID[] = "Qz_FuID";   // control: the window index of its top-level window
inline constexpr char Qz_hProc[] = "Qz_hProc"; // the window procedure the skin replaced

// The same three for controls kept in a window's control list (containers, toolbars).
inline constexpr char Kj_lbID[] = "Kj_lbID";
inline constexpr char Kj_FuID[] = "Kj_FuID";
inline constexpr char Kj_hProc[] = "Kj_hProc";

// Colours and looks of skinned controls.
inline constexpr char Kj_Ztys[] = "Kj_Ztys";       // text colour (RGB); absent reads as black
inline constexpr char Kj_Jzzts[] = "Kj_Jzzts";     // disabled-text colour (RGB)
inline constexpr char Kj_bjys[] = "Kj_bjys";       // veil colour of list-type controls
inline constexpr char Kj_bjystmd[] = "Kj_bjystmd"; // veil alpha of list-type controls
inline constexpr char Kj_wtjb[] = "Kj_wtjb";       // toolbar: its image list
inline constexpr char Mngd_zct[] = "Mngd_zct";     // scroll-bar overlay: the control it serves
inline constexpr char Mb_zpf[] = "Mb_zpf";         // registered container: nearest layer host or 0
inline constexpr char Xzk_dhxg[] = "Xzk_dhxg"; // check box: 1 while the click animation is wanted
inline constexpr char CK_Ggcj[] = "CK_Ggcj";   // top-level window: its presentation DC

// Options an application may set on its windows; absent, they read as 0.
inline constexpr char Wxk_Zpf[] = "Wxk_Zpf";   // 1: a foreign host whose background is its own
inline constexpr char Wxk_Cj[] = "Wxk_Cj";     // such a host: the DC holding its background
inline constexpr char Wxk_LBID[] = "Wxk_LBID"; // 1-based index of a size callback
inline constexpr char Zqk_Szqk[] = "Zqk_Szqk"; // scroll bars
inline constexpr char Zqk_bjs[] = "Zqk_bjs";
inline constexpr char Zqk_bjstmd[] = "Zqk_bjstmd";
inline constexpr char Zqk_gljb[] = "Zqk_gljb";
inline constexpr char Zqk_LbID[] = "Zqk_LbID"; // positive: the tint comes from the parent container
inline constexpr char Ck_cdjb[] = "Ck_cdjb";   // a menu handle destroyed with the window

} // namespace qz::props
