// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

// Every localisation key the windows show. Views look their labels up with qtTrId() and one of
// these ids; the translation tables under resources/translations hold exactly this set (the
// table test fails on a key that is missing from a table, or on a table entry nobody names).
namespace LocalisationKeys {

inline constexpr std::array all {
    std::string_view("loading"),
    std::string_view("Resolution"),
    std::string_view("MacProcessorNum"),
    std::string_view("CoreNum"),
    std::string_view("SerialNumber"),
    std::string_view("DeviceID"),
    std::string_view("HasCopied"),
    // What a screen reader says for a masked serial number or UUID.
    std::string_view("Value_hidden"),
    std::string_view("NetworkType"),
    std::string_view("NetworkStatus"),
    std::string_view("NetworkNormal"),
    std::string_view("NetworkIPV4"),
    std::string_view("NetworkIPV6"),
    std::string_view("NonetworkSupport"),
    std::string_view("NonetworkUnsupport"),
    std::string_view("Nonetwork"),
    std::string_view("BatteryState"),
    std::string_view("BatteryCharging"),
    std::string_view("BatteryChargedFull"),
    std::string_view("BatteryConsuming"),
    std::string_view("BatteryCapacity"),
    std::string_view("BatteryCycle"),
    std::string_view("BatteryTemperature"),
    std::string_view("NOBattery"),
    std::string_view("Page_Network"),
    std::string_view("Page_Battery"),
    std::string_view("Memory_title"),
    std::string_view("Memory_used"),
    std::string_view("Memory_total"),
    std::string_view("HardDisk_title"),
    std::string_view("HardDisk_used"),
    std::string_view("HardDisk_total"),
    std::string_view("App_Used"),
    std::string_view("App_Unused"),
    std::string_view("CPU_User"),
    std::string_view("CPU_System"),
    std::string_view("CPU_Idle"),
    std::string_view("SystemModelName"),
    std::string_view("SystemProcessorName"),
    std::string_view("About_Btn_Title"),
    std::string_view("Feedback_Btn_Title"),
    std::string_view("Setting_Btn_Title"),
    std::string_view("Quit_Btn_Title"),
    std::string_view("System_name"),
    std::string_view("System_version"),
    std::string_view("App_Background"),
    std::string_view("Default Style"),
    std::string_view("Gradient Style"),
    std::string_view("Monterey Style"),
    std::string_view("Big Sur Style"),
    std::string_view("Shape Style"),
    std::string_view("Cartoon Style"),
    std::string_view("App_Language"),
    std::string_view("App_Language_ZHCN"),
    std::string_view("App_Language_ZHHANTS"),
    std::string_view("App_Language_English"),
    std::string_view("App_Language_Japanese"),
    std::string_view("App_Language_Malay"),
    std::string_view("App_Language_German"),
    std::string_view("App_Appearance"),
    std::string_view("App_Dark_Mode"),
    std::string_view("App_Light_Mode"),
    std::string_view("App_Auto_Mode"),
    std::string_view("Auto_launch"),
    std::string_view("App_CanShow_IP"),
    std::string_view("App_CanShow_UUID"),
    std::string_view("App_CanShow_SerialNum"),
    std::string_view("App_Background_Tip"),
    std::string_view("App_Language_tip"),
    std::string_view("Theme_tip"),
    std::string_view("Better_tip"),
    std::string_view("App_ShowIP_tip"),
    std::string_view("App_ShowUUID_tip"),
    std::string_view("App_ShowSerialNum_tip"),
    std::string_view("Privacy_Policy_Title"),
    std::string_view("Privacy_Tip"),
    std::string_view("Feedback_title"),
    std::string_view("Feedback_mail"),
    std::string_view("Feedback_help"),
    std::string_view("EmailBox_copy"),
    std::string_view("Feedback_link"),
    std::string_view("Menu_Open_Dashboard"),
    std::string_view("Menu_About"),
};

// True when the key is one of the catalogued ones.
constexpr bool contains(std::string_view key)
{
    for (const auto &known : all) {
        if (known == key) {
            return true;
        }
    }
    return false;
}

} // namespace LocalisationKeys
