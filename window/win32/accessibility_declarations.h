#pragma once

#include <windows.h>

#include <oleacc.h>

// What the Windows SDK declares for live regions and mingw-w64's headers lack.
namespace karsobel::win32 {

// LiveSetting_Property_GUID, from uiautomationcore.h.
inline constexpr GUID liveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

// The LiveSetting enumeration's Polite: spoken once the screen reader is done with what it says.
inline constexpr LONG liveSettingPolite = 1;

} // namespace karsobel::win32
