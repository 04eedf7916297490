<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name></name>
    <message id="loading">
        <source>loading</source>
        <translation>載入中…</translation>
    </message>
    <message id="Resolution">
        <source>Resolution</source>
        <translation>解析度</translation>
    </message>
    <message id="MacProcessorNum">
        <source>MacProcessorNum</source>
        <translation>處理器數量：</translation>
    </message>
    <message id="CoreNum">
        <source>CoreNum</source>
        <translation>核心總數：</translation>
    </message>
    <message id="SerialNumber">
        <source>SerialNumber</source>
        <translation>序號</translation>
    </message>
    <message id="DeviceID">
        <source>DeviceID</source>
        <translation>硬體 UUID</translation>
    </message>
    <message id="HasCopied">
        <source>HasCopied</source>
        <translation>已複製</translation>
    </message>
    <message id="Value_hidden">
        <source>Value_hidden</source>
        <translation>已隱藏</translation>
    </message>
    <message id="NetworkType">
        <source>NetworkType</source>
        <translation>網路類型：</translation>
    </message>
    <message id="NetworkStatus">
        <source>NetworkStatus</source>
        <translation>網路狀態：</translation>
    </message>
    <message id="NetworkNormal">
        <source>NetworkNormal</source>
        <translation>已連線</translation>
    </message>
    <message id="NetworkIPV4">
        <source>NetworkIPV4</source>
        <translation>IPv4：</translation>
    </message>
    <message id="NetworkIPV6">
        <source>NetworkIPV6</source>
        <translation>IPv6：</translation>
    </message>
    <message id="NonetworkSupport">
        <source>NonetworkSupport</source>
        <translation>支援</translation>
    </message>
    <message id="NonetworkUnsupport">
        <source>NonetworkUnsupport</source>
        <translation>不支援</translation>
    </message>
    <message id="Nonetwork">
        <source>Nonetwork</source>
        <translation>未連線至網路</translation>
    </message>
    <message id="BatteryState">
        <source>BatteryState</source>
        <translation>狀態：</translation>
    </message>
    <message id="BatteryCharging">
        <source>BatteryCharging</source>
        <translation>充電中</translation>
    </message>
    <message id="BatteryChargedFull">
        <source>BatteryChargedFull</source>
        <translation>已充飽</translation>
    </message>
    <message id="BatteryConsuming">
        <source>BatteryConsuming</source>
        <translation>使用電池供電</translation>
    </message>
    <message id="BatteryCapacity">
        <source>BatteryCapacity</source>
        <translation>容量：</translation>
    </message>
    <message id="BatteryCycle">
        <source>BatteryCycle</source>
        <translation>循環次數：</translation>
    </message>
    <message id="BatteryTemperature">
        <source>BatteryTemperature</source>
        <translation>溫度：</translation>
    </message>
    <message id="NOBattery">
        <source>NOBattery</source>
        <translation>未偵測到電池</translation>
    </message>
    <message id="Page_Network">
        <source>Page_Network</source>
        <translation>網路</translation>
    </message>
    <message id="Page_Battery">
        <source>Page_Battery</source>
        <translation>電池</translation>
    </message>
    <message id="Memory_title">
        <source>Memory_title</source>
        <translation>記憶體</translation>
    </message>
    <message id="Memory_used">
        <source>Memory_used</source>
        <translation>可用：</translation>
    </message>
    <message id="Memory_total">
        <source>Memory_total</source>
        <translation>總計：</translation>
    </message>
    <message id="HardDisk_title">
        <source>HardDisk_title</source>
        <translation>磁碟</translation>
    </message>
    <message id="HardDisk_used">
        <source>HardDisk_used</source>
        <translation>可用：</translation>
    </message>
    <message id="HardDisk_total">
        <source>HardDisk_total</source>
        <translation>總容量：</translation>
    </message>
    <message id="App_Used">
        <source>App_Used</source>
        <translation>已使用</translation>
    </message>
    <message id="App_Unused">
        <source>App_Unused</source>
        <translation>可用</translation>
    </message>
    <message id="CPU_User">
        <source>CPU_User</source>
        <translation>使用者：</translation>
    </message>
    <message id="CPU_System">
        <source>CPU_System</source>
        <translation>系統：</translation>
    </message>
    <message id="CPU_Idle">
        <source>CPU_Idle</source>
        <translation>閒置：</translation>
    </message>
    <message id="SystemModelName">
        <source>SystemModelName</source>
        <translation>型號</translation>
    </message>
    <message id="SystemProcessorName">
        <source>SystemProcessorName</source>
        <translation>處理器</translation>
    </message>
    <message id="About_Btn_Title">
        <source>About_Btn_Title</source>
        <translation>關於</translation>
    </message>
    <message id="Feedback_Btn_Title">
        <source>Feedback_Btn_Title</source>
        <translation>意見回饋</translation>
    </message>
    <message id="Setting_Btn_Title">
        <source>Setting_Btn_Title</source>
        <translation>設定</translation>
    </message>
    <message id="Quit_Btn_Title">
        <source>Quit_Btn_Title</source>
        <translation>結束</translation>
    </message>
    <message id="System_name">
        <source>System_name</source>
        <translation>系統：</translation>
    </message>
    <message id="System_version">
        <source>System_version</source>
        <translation>版本：</translation>
    </message>
    <message id="App_Background">
        <source>App_Background</source>
        <translation>背景</translation>
    </message>
    <message id="Default Style">
        <source>Default Style</source>
        <translation>預設</translation>
    </message>
    <message id="Gradient Style">
        <source>Gradient Style</source>
        <translation>漸層</translation>
    </message>
    <message id="Monterey Style">
        <source>Monterey Style</source>
        <translation>蒙特雷</translation>
    </message>
    <message id="Big Sur Style">
        <source>Big Sur Style</source>
        <translation>大蘇爾</translation>
    </message>
    <message id="Shape Style">
        <source>Shape Style</source>
        <translation>幾何圖形</translation>
    </message>
    <message id="Cartoon Style">
        <source>Cartoon Style</source>
        <translation>卡通</translation>
    </message>
    <message id="App_Language">
        <source>App_Language</source>
        <translation>語言</translation>
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
        <translation>外觀</translation>
    </message>
    <message id="App_Dark_Mode">
        <source>App_Dark_Mode</source>
        <translation>深色</translation>
    </message>
    <message id="App_Light_Mode">
        <source>App_Light_Mode</source>
        <translation>淺色</translation>
    </message>
    <message id="App_Auto_Mode">
        <source>App_Auto_Mode</source>
        <translation>跟隨系統</translation>
    </message>
    <message id="Auto_launch">
        <source>Auto_launch</source>
        <translation>登入時啟動</translation>
    </message>
    <message id="App_CanShow_IP">
        <source>App_CanShow_IP</source>
        <translation>顯示公用 IP 位址</translation>
    </message>
    <message id="App_CanShow_UUID">
        <source>App_CanShow_UUID</source>
        <translation>顯示硬體 UUID</translation>
    </message>
    <message id="App_CanShow_SerialNum">
        <source>App_CanShow_SerialNum</source>
        <translation>顯示序號</translation>
    </message>
    <message id="App_Background_Tip">
        <source>App_Background_Tip</source>
        <translation>儀表板的背景圖案。</translation>
    </message>
    <message id="App_Language_tip">
        <source>App_Language_tip</source>
        <translation>切換後立即生效，無須重新啟動 Tavlo。</translation>
    </message>
    <message id="Theme_tip">
        <source>Theme_tip</source>
        <translation>淺色、深色，或與桌面保持一致。</translation>
    </message>
    <message id="Better_tip">
        <source>Better_tip</source>
        <translation>登入時自動啟動 Tavlo，讓網速隨時顯示在面板上。</translation>
    </message>
    <message id="App_ShowIP_tip">
        <source>App_ShowIP_tip</source>
        <translation>連網查詢公用 IP 位址，並顯示在電腦名稱下方。</translation>
    </message>
    <message id="App_ShowUUID_tip">
        <source>App_ShowUUID_tip</source>
        <translation>在硬體卡片上完整顯示硬體 UUID。</translation>
    </message>
    <message id="App_ShowSerialNum_tip">
        <source>App_ShowSerialNum_tip</source>
        <translation>在硬體卡片上完整顯示序號。</translation>
    </message>
    <message id="Privacy_Policy_Title">
        <source>Privacy_Policy_Title</source>
        <translation>隱私權政策</translation>
    </message>
    <message id="Privacy_Tip">
        <source>Privacy_Tip</source>
        <translation>不會收集任何個人資料。</translation>
    </message>
    <message id="Feedback_title">
        <source>Feedback_title</source>
        <translation>歡迎告訴我們你對 Tavlo 的看法：建議、問題或任何其他想法。</translation>
    </message>
    <message id="Feedback_mail">
        <source>Feedback_mail</source>
        <translation>寄電子郵件給我們，按下按鈕即可複製地址：</translation>
    </message>
    <message id="Feedback_help">
        <source>Feedback_help</source>
        <translation>如果 Tavlo 對你有用，歡迎在軟體中心為它評分，這對我們幫助很大。</translation>
    </message>
    <message id="EmailBox_copy">
        <source>EmailBox_copy</source>
        <translation>複製地址</translation>
    </message>
    <message id="Feedback_link">
        <source>Feedback_link</source>
        <translation>在軟體中心開啟</translation>
    </message>
    <message id="Menu_Open_Dashboard">
        <source>Menu_Open_Dashboard</source>
        <translation>打開儀表板</translation>
    </message>
    <message id="Menu_About">
        <source>Menu_About</source>
        <translation>關於 Tavlo</translation>
    </message>
</context>
</TS>
