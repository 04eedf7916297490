<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ms">
<context>
    <name></name>
    <message id="loading">
        <source>loading</source>
        <translation>Memuatkan…</translation>
    </message>
    <message id="Resolution">
        <source>Resolution</source>
        <translation>Resolusi</translation>
    </message>
    <message id="MacProcessorNum">
        <source>MacProcessorNum</source>
        <translation>Pemproses:</translation>
    </message>
    <message id="CoreNum">
        <source>CoreNum</source>
        <translation>Teras:</translation>
    </message>
    <message id="SerialNumber">
        <source>SerialNumber</source>
        <translation>Nombor Siri</translation>
    </message>
    <message id="DeviceID">
        <source>DeviceID</source>
        <translation>UUID Perkakasan</translation>
    </message>
    <message id="HasCopied">
        <source>HasCopied</source>
        <translation>Disalin</translation>
    </message>
    <message id="Value_hidden">
        <source>Value_hidden</source>
        <translation>tersembunyi</translation>
    </message>
    <message id="NetworkType">
        <source>NetworkType</source>
        <translation>Jenis:</translation>
    </message>
    <message id="NetworkStatus">
        <source>NetworkStatus</source>
        <translation>Status:</translation>
    </message>
    <message id="NetworkNormal">
        <source>NetworkNormal</source>
        <translation>Disambungkan</translation>
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
        <translation>Disokong</translation>
    </message>
    <message id="NonetworkUnsupport">
        <source>NonetworkUnsupport</source>
        <translation>Tidak disokong</translation>
    </message>
    <message id="Nonetwork">
        <source>Nonetwork</source>
        <translation>Tiada sambungan rangkaian</translation>
    </message>
    <message id="BatteryState">
        <source>BatteryState</source>
        <translation>Keadaan: </translation>
    </message>
    <message id="BatteryCharging">
        <source>BatteryCharging</source>
        <translation>Sedang dicas</translation>
    </message>
    <message id="BatteryChargedFull">
        <source>BatteryChargedFull</source>
        <translation>Dicas penuh</translation>
    </message>
    <message id="BatteryConsuming">
        <source>BatteryConsuming</source>
        <translation>Menggunakan bateri</translation>
    </message>
    <message id="BatteryCapacity">
        <source>BatteryCapacity</source>
        <translation>Kapasiti: </translation>
    </message>
    <message id="BatteryCycle">
        <source>BatteryCycle</source>
        <translation>Kitaran: </translation>
    </message>
    <message id="BatteryTemperature">
        <source>BatteryTemperature</source>
        <translation>Suhu: </translation>
    </message>
    <message id="NOBattery">
        <source>NOBattery</source>
        <translation>Tiada bateri ditemui</translation>
    </message>
    <message id="Page_Network">
        <source>Page_Network</source>
        <translation>Rangkaian</translation>
    </message>
    <message id="Page_Battery">
        <source>Page_Battery</source>
        <translation>Bateri</translation>
    </message>
    <message id="Memory_title">
        <source>Memory_title</source>
        <translation>Memori</translation>
    </message>
    <message id="Memory_used">
        <source>Memory_used</source>
        <translation>Tersedia:</translation>
    </message>
    <message id="Memory_total">
        <source>Memory_total</source>
        <translation>Jumlah:</translation>
    </message>
    <message id="HardDisk_title">
        <source>HardDisk_title</source>
        <translation>Cakera</translation>
    </message>
    <message id="HardDisk_used">
        <source>HardDisk_used</source>
        <translation>Kosong:</translation>
    </message>
    <message id="HardDisk_total">
        <source>HardDisk_total</source>
        <translation>Kapasiti:</translation>
    </message>
    <message id="App_Used">
        <source>App_Used</source>
        <translation>Digunakan</translation>
    </message>
    <message id="App_Unused">
        <source>App_Unused</source>
        <translation>Kosong</translation>
    </message>
    <message id="CPU_User">
        <source>CPU_User</source>
        <translation>Pengguna:</translation>
    </message>
    <message id="CPU_System">
        <source>CPU_System</source>
        <translation>Sistem:</translation>
    </message>
    <message id="CPU_Idle">
        <source>CPU_Idle</source>
        <translation>Melahu:</translation>
    </message>
    <message id="SystemModelName">
        <source>SystemModelName</source>
        <translation>Model</translation>
    </message>
    <message id="SystemProcessorName">
        <source>SystemProcessorName</source>
        <translation>Pemproses</translation>
    </message>
    <message id="About_Btn_Title">
        <source>About_Btn_Title</source>
        <translation>Perihal</translation>
    </message>
    <message id="Feedback_Btn_Title">
        <source>Feedback_Btn_Title</source>
        <translation>Maklum balas</translation>
    </message>
    <message id="Setting_Btn_Title">
        <source>Setting_Btn_Title</source>
        <translation>Tetapan</translation>
    </message>
    <message id="Quit_Btn_Title">
        <source>Quit_Btn_Title</source>
        <translation>Keluar</translation>
    </message>
    <message id="System_name">
        <source>System_name</source>
        <translation>Sistem: </translation>
    </message>
    <message id="System_version">
        <source>System_version</source>
        <translation>Versi: </translation>
    </message>
    <message id="App_Background">
        <source>App_Background</source>
        <translation>Latar belakang</translation>
    </message>
    <message id="Default Style">
        <source>Default Style</source>
        <translation>Lalai</translation>
    </message>
    <message id="Gradient Style">
        <source>Gradient Style</source>
        <translation>Kecerunan</translation>
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
        <translation>Bentuk</translation>
    </message>
    <message id="Cartoon Style">
        <source>Cartoon Style</source>
        <translation>Kartun</translation>
    </message>
    <message id="App_Language">
        <source>App_Language</source>
        <translation>Bahasa</translation>
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
        <translation>Penampilan</translation>
    </message>
    <message id="App_Dark_Mode">
        <source>App_Dark_Mode</source>
        <translation>Gelap</translation>
    </message>
    <message id="App_Light_Mode">
        <source>App_Light_Mode</source>
        <translation>Cerah</translation>
    </message>
    <message id="App_Auto_Mode">
        <source>App_Auto_Mode</source>
        <translation>Ikut sistem</translation>
    </message>
    <message id="Auto_launch">
        <source>Auto_launch</source>
        <translation>Lancarkan semasa log masuk</translation>
    </message>
    <message id="App_CanShow_IP">
        <source>App_CanShow_IP</source>
        <translation>Tunjukkan alamat IP awam</translation>
    </message>
    <message id="App_CanShow_UUID">
        <source>App_CanShow_UUID</source>
        <translation>Tunjukkan UUID perkakasan</translation>
    </message>
    <message id="App_CanShow_SerialNum">
        <source>App_CanShow_SerialNum</source>
        <translation>Tunjukkan nombor siri</translation>
    </message>
    <message id="App_Background_Tip">
        <source>App_Background_Tip</source>
        <translation>Gambar di belakang papan pemuka.</translation>
    </message>
    <message id="App_Language_tip">
        <source>App_Language_tip</source>
        <translation>Bertukar serta-merta, Tavlo tidak perlu dimulakan semula.</translation>
    </message>
    <message id="Theme_tip">
        <source>Theme_tip</source>
        <translation>Cerah, gelap atau sama seperti desktop anda.</translation>
    </message>
    <message id="Better_tip">
        <source>Better_tip</source>
        <translation>Mulakan Tavlo apabila anda log masuk supaya kelajuan rangkaian sentiasa dipaparkan pada panel.</translation>
    </message>
    <message id="App_ShowIP_tip">
        <source>App_ShowIP_tip</source>
        <translation>Mencari alamat IP awam anda dalam talian dan memaparkannya di bawah nama komputer.</translation>
    </message>
    <message id="App_ShowUUID_tip">
        <source>App_ShowUUID_tip</source>
        <translation>Memaparkan UUID perkakasan sepenuhnya pada kad perkakasan.</translation>
    </message>
    <message id="App_ShowSerialNum_tip">
        <source>App_ShowSerialNum_tip</source>
        <translation>Memaparkan nombor siri sepenuhnya pada kad perkakasan.</translation>
    </message>
    <message id="Privacy_Policy_Title">
        <source>Privacy_Policy_Title</source>
        <translation>Dasar Privasi</translation>
    </message>
    <message id="Privacy_Tip">
        <source>Privacy_Tip</source>
        <translation>tidak mengumpul sebarang data peribadi.</translation>
    </message>
    <message id="Feedback_title">
        <source>Feedback_title</source>
        <translation>Kami ingin tahu pendapat anda tentang Tavlo: idea, masalah atau apa-apa sahaja.</translation>
    </message>
    <message id="Feedback_mail">
        <source>Feedback_mail</source>
        <translation>Hantar e-mel kepada kami; butang ini menyalin alamat kami:</translation>
    </message>
    <message id="Feedback_help">
        <source>Feedback_help</source>
        <translation>Jika Tavlo berguna kepada anda, penilaian di pusat perisian sangat membantu kami.</translation>
    </message>
    <message id="EmailBox_copy">
        <source>EmailBox_copy</source>
        <translation>Salin alamat</translation>
    </message>
    <message id="Feedback_link">
        <source>Feedback_link</source>
        <translation>Buka di pusat perisian</translation>
    </message>
    <message id="Menu_Open_Dashboard">
        <source>Menu_Open_Dashboard</source>
        <translation>Buka Papan Pemuka</translation>
    </message>
    <message id="Menu_About">
        <source>Menu_About</source>
        <translation>Perihal Tavlo</translation>
    </message>
</context>
</TS>
