<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name></name>
    <message id="loading">
        <source>loading</source>
        <translation>Loading…</translation>
    </message>
    <message id="Resolution">
        <source>Resolution</source>
        <translation>Resolution</translation>
    </message>
    <message id="MacProcessorNum">
        <source>MacProcessorNum</source>
        <translation>Processors:</translation>
    </message>
    <message id="CoreNum">
        <source>CoreNum</source>
        <translation>Cores:</translation>
    </message>
    <message id="SerialNumber">
        <source>SerialNumber</source>
        <translation>Serial Number</translation>
    </message>
    <message id="DeviceID">
        <source>DeviceID</source>
        <translation>Hardware UUID</translation>
    </message>
    <message id="HasCopied">
        <source>HasCopied</source>
        <translation>Copied</translation>
    </message>
    <message id="Value_hidden">
        <source>Value_hidden</source>
        <translation>hidden</translation>
    </message>
    <message id="NetworkType">
        <source>NetworkType</source>
        <translation>Type:</translation>
    </message>
    <message id="NetworkStatus">
        <source>NetworkStatus</source>
        <translation>Status:</translation>
    </message>
    <message id="NetworkNormal">
        <source>NetworkNormal</source>
        <translation>Connected</translation>
    </message>
    <message id="NetworkIPV4">
        <source>NetworkIPV4</source>
        <translation>IPv4:</translation>
    </message>
    <message id="NetworkIPV6">
        <source>NetworkIPV6</source>
        <translation>IPv6:</translation>
    </message>
    <message id="NonetworkSupport">
        <source>NonetworkSupport</source>
        <translation>Supported</translation>
    </message>
    <message id="NonetworkUnsupport">
        <source>NonetworkUnsupport</source>
        <translation>Not supported</translation>
    </message>
    <message id="Nonetwork">
        <source>Nonetwork</source>
        <translation>No network connection</translation>
    </message>
    <message id="BatteryState">
        <source>BatteryState</source>
        <translation>State: </translation>
    </message>
    <message id="BatteryCharging">
        <source>BatteryCharging</source>
        <translation>Charging</translation>
    </message>
    <message id="BatteryChargedFull">
        <source>BatteryChargedFull</source>
        <translation>Fully charged</translation>
    </message>
    <message id="BatteryConsuming">
        <source>BatteryConsuming</source>
        <translation>On battery</translation>
    </message>
    <message id="BatteryCapacity">
        <source>BatteryCapacity</source>
        <translation>Capacity: </translation>
    </message>
    <message id="BatteryCycle">
        <source>BatteryCycle</source>
        <translation>Cycles: </translation>
    </message>
    <message id="BatteryTemperature">
        <source>BatteryTemperature</source>
        <translation>Temperature: </translation>
    </message>
    <message id="NOBattery">
        <source>NOBattery</source>
        <translation>No battery found</translation>
    </message>
    <message id="Page_Network">
        <source>Page_Network</source>
        <translation>Network</translation>
    </message>
    <message id="Page_Battery">
        <source>Page_Battery</source>
        <translation>Battery</translation>
    </message>
    <message id="Memory_title">
        <source>Memory_title</source>
        <translation>Memory</translation>
    </message>
    <message id="Memory_used">
        <source>Memory_used</source>
        <translation>Available:</translation>
    </message>
    <message id="Memory_total">
        <source>Memory_total</source>
        <translation>Total:</translation>
    </message>
    <message id="HardDisk_title">
        <source>HardDisk_title</source>
        <translation>Disk</translation>
    </message>
    <message id="HardDisk_used">
        <source>HardDisk_used</source>
        <translation>Free:</translation>
    </message>
    <message id="HardDisk_total">
        <source>HardDisk_total</source>
        <translation>Capacity:</translation>
    </message>
    <message id="App_Used">
        <source>App_Used</source>
        <translation>Used</translation>
    </message>
    <message id="App_Unused">
        <source>App_Unused</source>
        <translation>Free</translation>
    </message>
    <message id="CPU_User">
        <source>CPU_User</source>
        <translation>User:</translation>
    </message>
    <message id="CPU_System">
        <source>CPU_System</source>
        <translation>System:</translation>
    </message>
    <message id="CPU_Idle">
        <source>CPU_Idle</source>
        <translation>Idle:</translation>
    </message>
    <message id="SystemModelName">
        <source>SystemModelName</source>
        <translation>Model</translation>
    </message>
    <message id="SystemProcessorName">
        <source>SystemProcessorName</source>
        <translation>Processor</translation>
    </message>
    <message id="About_Btn_Title">
        <source>About_Btn_Title</source>
        <translation>About</translation>
    </message>
    <message id="Feedback_Btn_Title">
        <source>Feedback_Btn_Title</source>
        <translation>Feedback</translation>
    </message>
    <message id="Setting_Btn_Title">
        <source>Setting_Btn_Title</source>
        <translation>Settings</translation>
    </message>
    <message id="Quit_Btn_Title">
        <source>Quit_Btn_Title</source>
        <translation>Quit</translation>
    </message>
    <message id="System_name">
        <source>System_name</source>
        <translation>System: </translation>
    </message>
    <message id="System_version">
        <source>System_version</source>
        <translation>Version: </translation>
    </message>
    <message id="App_Background">
        <source>App_Background</source>
        <translation>Background</translation>
    </message>
    <message id="Default Style">
        <source>Default Style</source>
        <translation>Default</translation>
    </message>
    <message id="Gradient Style">
        <source>Gradient Style</source>
        <translation>Gradient</translation>
    </message>
    <message id="Monterey Style">
        <source>Monterey Style</source>
        <translation>Monterey</translation>
    </message>
    <message id="Big Sur Style">
        <source>Big Sur Style</source>
        <translation>Big Sur</translation>
    </message>
    <message id="Shape Style">
        <source>Shape Style</source>
        <translation>Shapes</translation>
    </message>
    <message id="Cartoon Style">
        <source>Cartoon Style</source>
        <translation>Cartoon</translation>
    </message>
    <message id="App_Language">
        <source>App_Language</source>
        <translation>Language</translation>
    </message>
    <message id="App_Language_ZHCN">
        <source>App_Language_ZHCN</source>
        <translation>简体中文</translation>
    </message>
    <message id="App_Language_ZHHANTS">
        <source>App_Language_ZHHANTS</source>
        <translation>繁體中文</translation>
    </message>
    <message id="App_Language_English">
        <source>App_Language_English</source>
        <translation>English</translation>
    </message>
    <message id="App_Language_Japanese">
        <source>App_Language_Japanese</source>
        <translation>日本語</translation>
    </message>
    <message id="App_Language_Malay">
        <source>App_Language_Malay</source>
        <translation>Bahasa Melayu</translation>
    </message>
    <message id="App_Language_German">
        <source>App_Language_German</source>
        <translation>Deutsch</translation>
    </message>
    <message id="App_Appearance">
        <source>App_Appearance</source>
        <translation>Appearance</translation>
    </message>
    <message id="App_Dark_Mode">
        <source>App_Dark_Mode</source>
        <translation>Dark</translation>
    </message>
    <message id="App_Light_Mode">
        <source>App_Light_Mode</source>
        <translation>Light</translation>
    </message>
    <message id="App_Auto_Mode">
        <source>App_Auto_Mode</source>
        <translation>Match System</translation>
    </message>
    <message id="Auto_launch">
        <source>Auto_launch</source>
        <translation>Launch at login</translation>
    </message>
    <message id="App_CanShow_IP">
        <source>App_CanShow_IP</source>
        <translation>Show public IP address</translation>
    </message>
    <message id="App_CanShow_UUID">
        <source>App_CanShow_UUID</source>
        <translation>Show hardware UUID</translation>
    </message>
    <message id="App_CanShow_SerialNum">
        <source>App_CanShow_SerialNum</source>
        <translation>Show serial number</translation>
    </message>
    <message id="App_Background_Tip">
        <source>App_Background_Tip</source>
        <translation>The picture behind the dashboard.</translation>
    </message>
    <message id="App_Language_tip">
        <source>App_Language_tip</source>
        <translation>Tavlo switches at once, no restart needed.</translation>
    </message>
    <message id="Theme_tip">
        <source>Theme_tip</source>
        <translation>Light, dark, or the same as your desktop.</translation>
    </message>
    <message id="Better_tip">
        <source>Better_tip</source>
        <translation>Start Tavlo when you log in, so your network speed is always in the panel.</translation>
    </message>
    <message id="App_ShowIP_tip">
        <source>App_ShowIP_tip</source>
        <translation>Looks up your public address online and shows it under the computer name.</translation>
    </message>
    <message id="App_ShowUUID_tip">
        <source>App_ShowUUID_tip</source>
        <translation>Shows the hardware UUID in full on the hardware card.</translation>
    </message>
    <message id="App_ShowSerialNum_tip">
        <source>App_ShowSerialNum_tip</source>
        <translation>Shows the serial number in full on the hardware card.</translation>
    </message>
    <message id="Privacy_Policy_Title">
        <source>Privacy_Policy_Title</source>
        <translation>Privacy Policy</translation>
    </message>
    <message id="Privacy_Tip">
        <source>Privacy_Tip</source>
        <translation>collects no personal data.</translation>
    </message>
    <message id="Feedback_title">
        <source>Feedback_title</source>
        <translation>We would love to hear what you think of Tavlo: ideas, problems, or anything else.</translation>
    </message>
    <message id="Feedback_mail">
        <source>Feedback_mail</source>
        <translation>Write to us by e-mail; the button copies our address:</translation>
    </message>
    <message id="Feedback_help">
        <source>Feedback_help</source>
        <translation>If Tavlo is useful to you, a rating in your software centre helps us a lot.</translation>
    </message>
    <message id="EmailBox_copy">
        <source>EmailBox_copy</source>
        <translation>Copy address</translation>
    </message>
    <message id="Feedback_link">
        <source>Feedback_link</source>
        <translation>Open in the software centre</translation>
    </message>
    <message id="Menu_Open_Dashboard">
        <source>Menu_Open_Dashboard</source>
        <translation>Open Dashboard</translation>
    </message>
    <message id="Menu_About">
        <source>Menu_About</source>
        <translation>About Tavlo</translation>
    </message>
</context>
</TS>
