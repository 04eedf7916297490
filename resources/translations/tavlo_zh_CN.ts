<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name></name>
    <message id="loading">
        <source>loading</source>
        <translation>正在加载…</translation>
    </message>
    <message id="Resolution">
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message id="MacProcessorNum">
        <source>MacProcessorNum</source>
        <translation>处理器数量：</translation>
    </message>
    <message id="CoreNum">
        <source>CoreNum</source>
        <translation>核心总数：</translation>
    </message>
    <message id="SerialNumber">
        <source>SerialNumber</source>
        <translation>序列号</translation>
    </message>
    <message id="DeviceID">
        <source>DeviceID</source>
        <translation>硬件 UUID</translation>
    </message>
    <message id="HasCopied">
        <source>HasCopied</source>
        <translation>已复制</translation>
    </message>
    <message id="Value_hidden">
        <source>Value_hidden</source>
        <translation>已隐藏</translation>
    </message>
    <message id="NetworkType">
        <source>NetworkType</source>
        <translation>网络类型：</translation>
    </message>
    <message id="NetworkStatus">
        <source>NetworkStatus</source>
        <translation>网络状态：</translation>
    </message>
    <message id="NetworkNormal">
        <source>NetworkNormal</source>
        <translation>已连接</translation>
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
        <translation>支持</translation>
    </message>
    <message id="NonetworkUnsupport">
        <source>NonetworkUnsupport</source>
        <translation>不支持</translation>
    </message>
    <message id="Nonetwork">
        <source>Nonetwork</source>
        <translation>未连接到网络</translation>
    </message>
    <message id="BatteryState">
        <source>BatteryState</source>
        <translation>状态：</translation>
    </message>
    <message id="BatteryCharging">
        <source>BatteryCharging</source>
        <translation>正在充电</translation>
    </message>
    <message id="BatteryChargedFull">
        <source>BatteryChargedFull</source>
        <translation>已充满</translation>
    </message>
    <message id="BatteryConsuming">
        <source>BatteryConsuming</source>
        <translation>使用电池供电</translation>
    </message>
    <message id="BatteryCapacity">
        <source>BatteryCapacity</source>
        <translation>容量：</translation>
    </message>
    <message id="BatteryCycle">
        <source>BatteryCycle</source>
        <translation>循环次数：</translation>
    </message>
    <message id="BatteryTemperature">
        <source>BatteryTemperature</source>
        <translation>温度：</translation>
    </message>
    <message id="NOBattery">
        <source>NOBattery</source>
        <translation>未检测到电池</translation>
    </message>
    <message id="Page_Network">
        <source>Page_Network</source>
        <translation>网络</translation>
    </message>
    <message id="Page_Battery">
        <source>Page_Battery</source>
        <translation>电池</translation>
    </message>
    <message id="Memory_title">
        <source>Memory_title</source>
        <translation>内存</translation>
    </message>
    <message id="Memory_used">
        <source>Memory_used</source>
        <translation>可用：</translation>
    </message>
    <message id="Memory_total">
        <source>Memory_total</source>
        <translation>总计：</translation>
    </message>
    <message id="HardDisk_title">
        <source>HardDisk_title</source>
        <translation>磁盘</translation>
    </message>
    <message id="HardDisk_used">
        <source>HardDisk_used</source>
        <translation>可用：</translation>
    </message>
    <message id="HardDisk_total">
        <source>HardDisk_total</source>
        <translation>总容量：</translation>
    </message>
    <message id="App_Used">
        <source>App_Used</source>
        <translation>已用</translation>
    </message>
    <message id="App_Unused">
        <source>App_Unused</source>
        <translation>可用</translation>
    </message>
    <message id="CPU_User">
        <source>CPU_User</source>
        <translation>用户：</translation>
    </message>
    <message id="CPU_System">
        <source>CPU_System</source>
        <translation>系统：</translation>
    </message>
    <message id="CPU_Idle">
        <source>CPU_Idle</source>
        <translation>空闲：</translation>
    </message>
    <message id="SystemModelName">
        <source>SystemModelName</source>
        <translation>型号</translation>
    </message>
    <message id="SystemProcessorName">
        <source>SystemProcessorName</source>
        <translation>处理器</translation>
    </message>
    <message id="About_Btn_Title">
        <source>About_Btn_Title</source>
        <translation>关于</translation>
    </message>
    <message id="Feedback_Btn_Title">
        <source>Feedback_Btn_Title</source>
        <translation>反馈</translation>
    </message>
    <message id="Setting_Btn_Title">
        <source>Setting_Btn_Title</source>
        <translation>设置</translation>
    </message>
    <message id="Quit_Btn_Title">
        <source>Quit_Btn_Title</source>
        <translation>退出</translation>
    </message>
    <message id="System_name">
        <source>System_name</source>
        <translation>系统：</translation>
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
        <translation>默认</translation>
    </message>
    <message id="Gradient Style">
        <source>Gradient Style</source>
        <translation>渐变</translation>
    </message>
    <message id="Monterey Style">
        <source>Monterey Style</source>
        <translation>蒙特雷</translation>
    </message>
    <message id="Big Sur Style">
        <source>Big Sur Style</source>
        <translation>大瑟尔</translation>
    </message>
    <message id="Shape Style">
        <source>Shape Style</source>
        <translation>几何图形</translation>
    </message>
    <message id="Cartoon Style">
        <source>Cartoon Style</source>
        <translation>卡通</translation>
    </message>
    <message id="App_Language">
        <source>App_Language</source>
        <translation>语言</translation>
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
        <translation>外观</translation>
    </message>
    <message id="App_Dark_Mode">
        <source>App_Dark_Mode</source>
        <translation>深色</translation>
    </message>
    <message id="App_Light_Mode">
        <source>App_Light_Mode</source>
        <translation>浅色</translation>
    </message>
    <message id="App_Auto_Mode">
        <source>App_Auto_Mode</source>
        <translation>跟随系统</translation>
    </message>
    <message id="Auto_launch">
        <source>Auto_launch</source>
        <translation>登录时启动</translation>
    </message>
    <message id="App_CanShow_IP">
        <source>App_CanShow_IP</source>
        <translation>显示公网 IP 地址</translation>
    </message>
    <message id="App_CanShow_UUID">
        <source>App_CanShow_UUID</source>
        <translation>显示硬件 UUID</translation>
    </message>
    <message id="App_CanShow_SerialNum">
        <source>App_CanShow_SerialNum</source>
        <translation>显示序列号</translation>
    </message>
    <message id="App_Background_Tip">
        <source>App_Background_Tip</source>
        <translation>仪表盘的背景图案。</translation>
    </message>
    <message id="App_Language_tip">
        <source>App_Language_tip</source>
        <translation>切换后立即生效，无需重启 Tavlo。</translation>
    </message>
    <message id="Theme_tip">
        <source>Theme_tip</source>
        <translation>浅色、深色，或与桌面保持一致。</translation>
    </message>
    <message id="Better_tip">
        <source>Better_tip</source>
        <translation>登录时自动启动 Tavlo，让网速始终显示在面板上。</translation>
    </message>
    <message id="App_ShowIP_tip">
        <source>App_ShowIP_tip</source>
        <translation>联网查询公网 IP 地址，并显示在电脑名称下方。</translation>
    </message>
    <message id="App_ShowUUID_tip">
        <source>App_ShowUUID_tip</source>
        <translation>在硬件卡片上完整显示硬件 UUID。</translation>
    </message>
    <message id="App_ShowSerialNum_tip">
        <source>App_ShowSerialNum_tip</source>
        <translation>在硬件卡片上完整显示序列号。</translation>
    </message>
    <message id="Privacy_Policy_Title">
        <source>Privacy_Policy_Title</source>
        <translation>隐私政策</translation>
    </message>
    <message id="Privacy_Tip">
        <source>Privacy_Tip</source>
        <translation>不收集任何个人数据。</translation>
    </message>
    <message id="Feedback_title">
        <source>Feedback_title</source>
        <translation>欢迎告诉我们你对 Tavlo 的看法：建议、问题或任何其他想法。</translation>
    </message>
    <message id="Feedback_mail">
        <source>Feedback_mail</source>
        <translation>给我们发邮件吧，点按钮即可复制邮箱地址：</translation>
    </message>
    <message id="Feedback_help">
        <source>Feedback_help</source>
        <translation>如果 Tavlo 对你有用，欢迎在软件中心给它评个分，这对我们帮助很大。</translation>
    </message>
    <message id="EmailBox_copy">
        <source>EmailBox_copy</source>
        <translation>复制地址</translation>
    </message>
    <message id="Feedback_link">
        <source>Feedback_link</source>
        <translation>在软件中心打开</translation>
    </message>
    <message id="Menu_Open_Dashboard">
        <source>Menu_Open_Dashboard</source>
        <translation>打开仪表盘</translation>
    </message>
    <message id="Menu_About">
        <source>Menu_About</source>
        <translation>关于 Tavlo</translation>
    </message>
</context>
</TS>
