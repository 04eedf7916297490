<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name></name>
    <message id="loading">
        <source>loading</source>
        <translation>読み込み中…</translation>
    </message>
    <message id="Resolution">
        <source>Resolution</source>
        <translation>解像度</translation>
    </message>
    <message id="MacProcessorNum">
        <source>MacProcessorNum</source>
        <translation>プロセッサ数：</translation>
    </message>
    <message id="CoreNum">
        <source>CoreNum</source>
        <translation>コア数：</translation>
    </message>
    <message id="SerialNumber">
        <source>SerialNumber</source>
        <translation>シリアル番号</translation>
    </message>
    <message id="DeviceID">
        <source>DeviceID</source>
        <translation>ハードウェア UUID</translation>
    </message>
    <message id="HasCopied">
        <source>HasCopied</source>
        <translation>コピーしました</translation>
    </message>
    <message id="Value_hidden">
        <source>Value_hidden</source>
        <translation>非表示</translation>
    </message>
    <message id="NetworkType">
        <source>NetworkType</source>
        <translation>接続の種類：</translation>
    </message>
    <message id="NetworkStatus">
        <source>NetworkStatus</source>
        <translation>状態：</translation>
    </message>
    <message id="NetworkNormal">
        <source>NetworkNormal</source>
        <translation>接続済み</translation>
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
        <translation>対応</translation>
    </message>
    <message id="NonetworkUnsupport">
        <source>NonetworkUnsupport</source>
        <translation>非対応</translation>
    </message>
    <message id="Nonetwork">
        <source>Nonetwork</source>
        <translation>ネットワークに接続されていません</translation>
    </message>
    <message id="BatteryState">
        <source>BatteryState</source>
        <translation>状態：</translation>
    </message>
    <message id="BatteryCharging">
        <source>BatteryCharging</source>
        <translation>充電中</translation>
    </message>
    <message id="BatteryChargedFull">
        <source>BatteryChargedFull</source>
        <translation>充電完了</translation>
    </message>
    <message id="BatteryConsuming">
        <source>BatteryConsuming</source>
        <translation>バッテリー駆動</translation>
    </message>
    <message id="BatteryCapacity">
        <source>BatteryCapacity</source>
        <translation>容量：</translation>
    </message>
    <message id="BatteryCycle">
        <source>BatteryCycle</source>
        <translation>充放電回数：</translation>
    </message>
    <message id="BatteryTemperature">
        <source>BatteryTemperature</source>
        <translation>温度：</translation>
    </message>
    <message id="NOBattery">
        <source>NOBattery</source>
        <translation>バッテリーが見つかりません</translation>
    </message>
    <message id="Page_Network">
        <source>Page_Network</source>
        <translation>ネットワーク</translation>
    </message>
    <message id="Page_Battery">
        <source>Page_Battery</source>
        <translation>バッテリー</translation>
    </message>
    <message id="Memory_title">
        <source>Memory_title</source>
        <translation>メモリ</translation>
    </message>
    <message id="Memory_used">
        <source>Memory_used</source>
        <translation>空き：</translation>
    </message>
    <message id="Memory_total">
        <source>Memory_total</source>
        <translation>合計：</translation>
    </message>
    <message id="HardDisk_title">
        <source>HardDisk_title</source>
        <translation>ディスク</translation>
    </message>
    <message id="HardDisk_used">
        <source>HardDisk_used</source>
        <translation>空き：</translation>
    </message>
    <message id="HardDisk_total">
        <source>HardDisk_total</source>
        <translation>容量：</translation>
    </message>
    <message id="App_Used">
        <source>App_Used</source>
        <translation>使用済み</translation>
    </message>
    <message id="App_Unused">
        <source>App_Unused</source>
        <translation>空き</translation>
    </message>
    <message id="CPU_User">
        <source>CPU_User</source>
        <translation>ユーザ：</translation>
    </message>
    <message id="CPU_System">
        <source>CPU_System</source>
        <translation>システム：</translation>
    </message>
    <message id="CPU_Idle">
        <source>CPU_Idle</source>
        <translation>アイドル：</translation>
    </message>
    <message id="SystemModelName">
        <source>SystemModelName</source>
        <translation>モデル</translation>
    </message>
    <message id="SystemProcessorName">
        <source>SystemProcessorName</source>
        <translation>プロセッサ</translation>
    </message>
    <message id="About_Btn_Title">
        <source>About_Btn_Title</source>
        <translation>情報</translation>
    </message>
    <message id="Feedback_Btn_Title">
        <source>Feedback_Btn_Title</source>
        <translation>フィードバック</translation>
    </message>
    <message id="Setting_Btn_Title">
        <source>Setting_Btn_Title</source>
        <translation>設定</translation>
    </message>
    <message id="Quit_Btn_Title">
        <source>Quit_Btn_Title</source>
        <translation>終了</translation>
    </message>
    <message id="System_name">
        <source>System_name</source>
        <translation>OS：</translation>
    </message>
    <message id="System_version">
        <source>System_version</source>
        <translation>バージョン：</translation>
    </message>
    <message id="App_Background">
        <source>App_Background</source>
        <translation>背景</translation>
    </message>
    <message id="Default Style">
        <source>Default Style</source>
        <translation>デフォルト</translation>
    </message>
    <message id="Gradient Style">
        <source>Gradient Style</source>
        <translation>グラデーション</translation>
    </message>
    <message id="Monterey Style">
        <source>Monterey Style</source>
        <translation>モントレー</translation>
    </message>
    <message id="Big Sur Style">
        <source>Big Sur Style</source>
        <translation>ビッグサー</translation>
    </message>
    <message id="Shape Style">
        <source>Shape Style</source>
        <translation>図形</translation>
    </message>
    <message id="Cartoon Style">
        <source>Cartoon Style</source>
        <translation>カートゥーン</translation>
    </message>
    <message id="App_Language">
        <source>App_Language</source>
        <translation>言語</translation>
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
        <translation>外観</translation>
    </message>
    <message id="App_Dark_Mode">
        <source>App_Dark_Mode</source>
        <translation>ダーク</translation>
    </message>
    <message id="App_Light_Mode">
        <source>App_Light_Mode</source>
        <translation>ライト</translation>
    </message>
    <message id="App_Auto_Mode">
        <source>App_Auto_Mode</source>
        <translation>システムに合わせる</translation>
    </message>
    <message id="Auto_launch">
        <source>Auto_launch</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message id="App_CanShow_IP">
        <source>App_CanShow_IP</source>
        <translation>グローバル IP アドレスを表示</translation>
    </message>
    <message id="App_CanShow_UUID">
        <source>App_CanShow_UUID</source>
        <translation>ハードウェア UUID を表示</translation>
    </message>
    <message id="App_CanShow_SerialNum">
        <source>App_CanShow_SerialNum</source>
        <translation>シリアル番号を表示</translation>
    </message>
    <message id="App_Background_Tip">
        <source>App_Background_Tip</source>
        <translation>ダッシュボードの背景です。</translation>
    </message>
    <message id="App_Language_tip">
        <source>App_Language_tip</source>
        <translation>再起動しなくてもすぐに切り替わります。</translation>
    </message>
    <message id="Theme_tip">
        <source>Theme_tip</source>
        <translation>ライト、ダーク、またはデスクトップと同じ外観にします。</translation>
    </message>
    <message id="Better_tip">
        <source>Better_tip</source>
        <translation>ログイン時に Tavlo を起動して、通信速度をいつでもパネルに表示します。</translation>
    </message>
    <message id="App_ShowIP_tip">
        <source>App_ShowIP_tip</source>
        <translation>インターネットでグローバル IP アドレスを調べ、コンピューター名の下に表示します。</translation>
    </message>
    <message id="App_ShowUUID_tip">
        <source>App_ShowUUID_tip</source>
        <translation>ハードウェアカードに UUID を伏せずに表示します。</translation>
    </message>
    <message id="App_ShowSerialNum_tip">
        <source>App_ShowSerialNum_tip</source>
        <translation>ハードウェアカードにシリアル番号を伏せずに表示します。</translation>
    </message>
    <message id="Privacy_Policy_Title">
        <source>Privacy_Policy_Title</source>
        <translation>プライバシーポリシー</translation>
    </message>
    <message id="Privacy_Tip">
        <source>Privacy_Tip</source>
        <translation>は個人情報を一切収集しません。</translation>
    </message>
    <message id="Feedback_title">
        <source>Feedback_title</source>
        <translation>Tavlo へのご意見をお聞かせください。アイデアや不具合の報告など、何でも歓迎です。</translation>
    </message>
    <message id="Feedback_mail">
        <source>Feedback_mail</source>
        <translation>メールでお寄せください。ボタンでアドレスをコピーできます：</translation>
    </message>
    <message id="Feedback_help">
        <source>Feedback_help</source>
        <translation>Tavlo がお役に立ちましたら、ソフトウェアセンターで評価していただけると励みになります。</translation>
    </message>
    <message id="EmailBox_copy">
        <source>EmailBox_copy</source>
        <translation>アドレスをコピー</translation>
    </message>
    <message id="Feedback_link">
        <source>Feedback_link</source>
        <translation>ソフトウェアセンターで開く</translation>
    </message>
    <message id="Menu_Open_Dashboard">
        <source>Menu_Open_Dashboard</source>
        <translation>ダッシュボードを開く</translation>
    </message>
    <message id="Menu_About">
        <source>Menu_About</source>
        <translation>Tavlo について</translation>
    </message>
</context>
</TS>
