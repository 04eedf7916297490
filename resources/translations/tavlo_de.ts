<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name></name>
    <message id="loading">
        <source>loading</source>
        <translation>Wird geladen …</translation>
    </message>
    <message id="Resolution">
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message id="MacProcessorNum">
        <source>MacProcessorNum</source>
        <translation>Prozessoren:</translation>
    </message>
    <message id="CoreNum">
        <source>CoreNum</source>
        <translation>Kerne:</translation>
    </message>
    <message id="SerialNumber">
        <source>SerialNumber</source>
        <translation>Seriennummer</translation>
    </message>
    <message id="DeviceID">
        <source>DeviceID</source>
        <translation>Hardware-UUID</translation>
    </message>
    <message id="HasCopied">
        <source>HasCopied</source>
        <translation>Kopiert</translation>
    </message>
    <message id="Value_hidden">
        <source>Value_hidden</source>
        <translation>verborgen</translation>
    </message>
    <message id="NetworkType">
        <source>NetworkType</source>
        <translation>Typ:</translation>
    </message>
    <message id="NetworkStatus">
        <source>NetworkStatus</source>
        <translation>Status:</translation>
    </message>
    <message id="NetworkNormal">
        <source>NetworkNormal</source>
        <translation>Verbunden</translation>
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
        <translation>Unterstützt</translation>
    </message>
    <message id="NonetworkUnsupport">
        <source>NonetworkUnsupport</source>
        <translation>Nicht unterstützt</translation>
    </message>
    <message id="Nonetwork">
        <source>Nonetwork</source>
        <translation>Keine Netzwerkverbindung</translation>
    </message>
    <message id="BatteryState">
        <source>BatteryState</source>
        <translation>Zustand: </translation>
    </message>
    <message id="BatteryCharging">
        <source>BatteryCharging</source>
        <translation>Wird geladen</translation>
    </message>
    <message id="BatteryChargedFull">
        <source>BatteryChargedFull</source>
        <translation>Vollständig geladen</translation>
    </message>
    <message id="BatteryConsuming">
        <source>BatteryConsuming</source>
        <translation>Akkubetrieb</translation>
    </message>
    <message id="BatteryCapacity">
        <source>BatteryCapacity</source>
        <translation>Kapazität: </translation>
    </message>
    <message id="BatteryCycle">
        <source>BatteryCycle</source>
        <translation>Ladezyklen: </translation>
    </message>
    <message id="BatteryTemperature">
        <source>BatteryTemperature</source>
        <translation>Temperatur: </translation>
    </message>
    <message id="NOBattery">
        <source>NOBattery</source>
        <translation>Kein Akku gefunden</translation>
    </message>
    <message id="Page_Network">
        <source>Page_Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message id="Page_Battery">
        <source>Page_Battery</source>
        <translation>Akku</translation>
    </message>
    <message id="Memory_title">
        <source>Memory_title</source>
        <translation>Arbeitsspeicher</translation>
    </message>
    <message id="Memory_used">
        <source>Memory_used</source>
        <translation>Verfügbar:</translation>
    </message>
    <message id="Memory_total">
        <source>Memory_total</source>
        <translation>Gesamt:</translation>
    </message>
    <message id="HardDisk_title">
        <source>HardDisk_title</source>
        <translation>Datenträger</translation>
    </message>
    <message id="HardDisk_used">
        <source>HardDisk_used</source>
        <translation>Frei:</translation>
    </message>
    <message id="HardDisk_total">
        <source>HardDisk_total</source>
        <translation>Kapazität:</translation>
    </message>
    <message id="App_Used">
        <source>App_Used</source>
        <translation>Belegt</translation>
    </message>
    <message id="App_Unused">
        <source>App_Unused</source>
        <translation>Frei</translation>
    </message>
    <message id="CPU_User">
        <source>CPU_User</source>
        <translation>Benutzer:</translation>
    </message>
    <message id="CPU_System">
        <source>CPU_System</source>
        <translation>System:</translation>
    </message>
    <message id="CPU_Idle">
        <source>CPU_Idle</source>
        <translation>Leerlauf:</translation>
    </message>
    <message id="SystemModelName">
        <source>SystemModelName</source>
        <translation>Modell</translation>
    </message>
    <message id="SystemProcessorName">
        <source>SystemProcessorName</source>
        <translation>Prozessor</translation>
    </message>
    <message id="About_Btn_Title">
        <source>About_Btn_Title</source>
        <translation>Über</translation>
    </message>
    <message id="Feedback_Btn_Title">
        <source>Feedback_Btn_Title</source>
        <translation>Feedback</translation>
    </message>
    <message id="Setting_Btn_Title">
        <source>Setting_Btn_Title</source>
        <translation>Einstellungen</translation>
    </message>
    <message id="Quit_Btn_Title">
        <source>Quit_Btn_Title</source>
        <translation>Beenden</translation>
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
        <translation>Hintergrund</translation>
    </message>
    <message id="Default Style">
        <source>Default Style</source>
        <translation>Standard</translation>
    </message>
    <message id="Gradient Style">
        <source>Gradient Style</source>
        <translation>Farbverlauf</translation>
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
        <translation>Formen</translation>
    </message>
    <message id="Cartoon Style">
        <source>Cartoon Style</source>
        <translation>Comic</translation>
    </message>
    <message id="App_Language">
        <source>App_Language</source>
        <translation>Sprache</translation>
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
        <translation>Erscheinungsbild</translation>
    </message>
    <message id="App_Dark_Mode">
        <source>App_Dark_Mode</source>
        <translation>Dunkel</translation>
    </message>
    <message id="App_Light_Mode">
        <source>App_Light_Mode</source>
        <translation>Hell</translation>
    </message>
    <message id="App_Auto_Mode">
        <source>App_Auto_Mode</source>
        <translation>Wie System</translation>
    </message>
    <message id="Auto_launch">
        <source>Auto_launch</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message id="App_CanShow_IP">
        <source>App_CanShow_IP</source>
        <translation>Öffentliche IP-Adresse anzeigen</translation>
    </message>
    <message id="App_CanShow_UUID">
        <source>App_CanShow_UUID</source>
        <translation>Hardware-UUID anzeigen</translation>
    </message>
    <message id="App_CanShow_SerialNum">
        <source>App_CanShow_SerialNum</source>
        <translation>Seriennummer anzeigen</translation>
    </message>
    <message id="App_Background_Tip">
        <source>App_Background_Tip</source>
        <translation>Das Bild hinter dem Dashboard.</translation>
    </message>
    <message id="App_Language_tip">
        <source>App_Language_tip</source>
        <translation>Wirkt sofort, ohne Tavlo neu zu starten.</translation>
    </message>
    <message id="Theme_tip">
        <source>Theme_tip</source>
        <translation>Hell, dunkel oder wie deine Arbeitsumgebung.</translation>
    </message>
    <message id="Better_tip">
        <source>Better_tip</source>
        <translation>Startet Tavlo bei der Anmeldung, damit die Netzwerkgeschwindigkeit immer in der Leiste steht.</translation>
    </message>
    <message id="App_ShowIP_tip">
        <source>App_ShowIP_tip</source>
        <translation>Fragt die öffentliche Adresse online ab und zeigt sie unter dem Rechnernamen.</translation>
    </message>
    <message id="App_ShowUUID_tip">
        <source>App_ShowUUID_tip</source>
        <translation>Zeigt die Hardware-UUID auf der Hardwarekarte vollständig an.</translation>
    </message>
    <message id="App_ShowSerialNum_tip">
        <source>App_ShowSerialNum_tip</source>
        <translation>Zeigt die Seriennummer auf der Hardwarekarte vollständig an.</translation>
    </message>
    <message id="Privacy_Policy_Title">
        <source>Privacy_Policy_Title</source>
        <translation>Datenschutzerklärung</translation>
    </message>
    <message id="Privacy_Tip">
        <source>Privacy_Tip</source>
        <translation>erhebt keine personenbezogenen Daten.</translation>
    </message>
    <message id="Feedback_title">
        <source>Feedback_title</source>
        <translation>Wir freuen uns über deine Meinung zu Tavlo: Ideen, Probleme oder was dir sonst einfällt.</translation>
    </message>
    <message id="Feedback_mail">
        <source>Feedback_mail</source>
        <translation>Schreib uns eine E-Mail – der Knopf kopiert die Adresse:</translation>
    </message>
    <message id="Feedback_help">
        <source>Feedback_help</source>
        <translation>Wenn dir Tavlo nützt, hilft uns eine Bewertung im Software-Center sehr.</translation>
    </message>
    <message id="EmailBox_copy">
        <source>EmailBox_copy</source>
        <translation>Adresse kopieren</translation>
    </message>
    <message id="Feedback_link">
        <source>Feedback_link</source>
        <translation>Im Software-Center öffnen</translation>
    </message>
    <message id="Menu_Open_Dashboard">
        <source>Menu_Open_Dashboard</source>
        <translation>Dashboard öffnen</translation>
    </message>
    <message id="Menu_About">
        <source>Menu_About</source>
        <translation>Über Tavlo</translation>
    </message>
</context>
</TS>
