// The engine's own window messages, in one place: the form skinner, the control skinners, the
// manager and the tests all speak them. The 0xBC4x ones carry kSkinMessageTag in lParam and answer
// it back, which tells them from the framework's reflected notifications of the same numbers.
#pragma once

#include <windows.h>

namespace skin {

constexpr UINT SM_RESKIN = 0x3401;
constexpr UINT SM_PAINTFRAME = 0x3502;
constexpr UINT SM_ATTACH = 0x3503;
constexpr UINT SM_SETACTIVE = 0x3506;  // to a skinned control: wParam > 0 skin on, 0 off
constexpr UINT SM_CLOSETAB = 0x3507;
constexpr UINT SM_BUTTONACTION = 0x3514;
constexpr UINT SM_BUTTONVISIBLE = 0x3515;
constexpr UINT SM_MDIREDRAW = 0x3516;
constexpr UINT SM_RESKINSCROLLBAR = 0x3517;
constexpr UINT SM_MENUBUTTONAT = 0x3518;
constexpr UINT SM_ISSKINNED = 0x3523;  // a skinned window answers 1
// Posted to a skinned window (lParam kSkinMessageTag) when one of its controls got a new window.
constexpr UINT SM_ATTACHCONTROLS = 0x3524;
constexpr UINT SM_PAINTCLIENTTO = 0xBC4A;
constexpr UINT SM_PAINTFRAMETO = 0xBC4B;
constexpr UINT SM_QUERYSKIN = 0xBC4D;
constexpr UINT SM_SKINAPPLIED = 0xBC4E;
// lParam of the 0xBC4x messages, answered back: tells them from reflected notifications.
constexpr LPARAM kSkinMessageTag = 0x41A2;

}  // namespace skin
