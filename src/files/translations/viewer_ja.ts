<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>CAutoPresetWidget</name>
    <message>
        <source>CAutoPresetWidget</source>
        <translation>CAutoPresetWidget</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>End</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Interval(sec)</source>
        <translation>間隔(秒)</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>プリセット %1</translation>
    </message>
</context>
<context>
    <name>CBackupWidget</name>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>End</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Please connect a DVR first.</source>
        <translation>先にDVRに接続してください。</translation>
    </message>
    <message>
        <source>Please select a channel.</source>
        <translation>チャンネルを選択してください。</translation>
    </message>
    <message>
        <source>The end time is before the start time.</source>
        <translation>終了時刻が開始時刻より前です。</translation>
    </message>
</context>
<context>
    <name>CCameraWidget</name>
    <message>
        <source>DVR Name : %1
</source>
        <translation>DVR名 : %1
</translation>
    </message>
    <message>
        <source>Address : %1
</source>
        <translation>アドレス : %1
</translation>
    </message>
    <message>
        <source>Port : %1
</source>
        <translation>ポート : %1
</translation>
    </message>
    <message>
        <source>User : %1
</source>
        <translation>ユーザー : %1
</translation>
    </message>
    <message>
        <source>Camera : %1
</source>
        <translation>カメラ : %1
</translation>
    </message>
    <message>
        <source>Please check the position of the camera.</source>
        <translation>カメラの位置を確認してください。</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>CChannelWidget</name>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>CH9</source>
        <translation>CH9</translation>
    </message>
    <message>
        <source>CH10</source>
        <translation>CH10</translation>
    </message>
    <message>
        <source>CH11</source>
        <translation>CH11</translation>
    </message>
    <message>
        <source>CH12</source>
        <translation>CH12</translation>
    </message>
    <message>
        <source>CH13</source>
        <translation>CH13</translation>
    </message>
    <message>
        <source>CH14</source>
        <translation>CH14</translation>
    </message>
    <message>
        <source>CH15</source>
        <translation>CH15</translation>
    </message>
    <message>
        <source>CH16</source>
        <translation>CH16</translation>
    </message>
</context>
<context>
    <name>CConnectDVR</name>
    <message>
        <source>The recording of &quot;%1&quot; ended before you stopped it. The files written so far are in &quot;%2&quot;.</source>
        <translation>&quot;%1&quot; の録画は停止操作の前に終了しました。これまでに書き込まれたファイルは &quot;%2&quot; にあります。</translation>
    </message>
</context>
<context>
    <name>CDVRInfoWidget</name>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR情報</translation>
    </message>
    <message>
        <source>Reading the DVR information...</source>
        <translation>DVR情報を読み込んでいます...</translation>
    </message>
    <message>
        <source>No information was received from the DVR.</source>
        <translation>DVRから情報を受信できませんでした。</translation>
    </message>
    <message>
        <source>%1 ( %2:%3 )</source>
        <translation>%1 ( %2:%3 )</translation>
    </message>
</context>
<context>
    <name>CDVRListTree</name>
    <message>
        <source>Camera %1</source>
        <translation>カメラ%1</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>グループ追加</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>グループ名</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>グループ編集</translation>
    </message>
    <message>
        <source>Do you want to delete the group &quot;%1&quot; and its DVRs?</source>
        <translation>グループ「%1」とそのDVRを削除しますか？</translation>
    </message>
    <message>
        <source>Do you want to delete the DVR &quot;%1&quot;?</source>
        <translation>DVR「%1」を削除しますか？</translation>
    </message>
    <message>
        <source>The DVR list file was damaged. Read from it: %1 groups and %2 DVRs. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>DVRリストファイルが破損していました。読み込めたもの: %1 グループ、%2 台のDVR。破損したファイルは &quot;%3&quot; として保存されています。</translation>
    </message>
    <message>
        <source>The DVR list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>DVRリストファイル &quot;%1&quot; を読み込めませんでした (%2)。代わりに既定のリストを表示しています。上書きされたものはありません。</translation>
    </message>
    <message>
        <source>The DVR list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>起動時に読み込めなかったDVRリストファイルは &quot;%1&quot; として保存されています。</translation>
    </message>
    <message>
        <source>The DVR list could not be saved (%1).</source>
        <translation>DVRリストを保存できませんでした (%1)。</translation>
    </message>
    <message>
        <source>The DVR list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>DVRリストファイルは、このプログラムが最後に読み込みまたは保存した後に他の場所で変更されました。そのバージョンは &quot;%1&quot; として保存されています。</translation>
    </message>
</context>
<context>
    <name>CEMapList</name>
    <message>
        <source>Modify group name</source>
        <translation>グループ名の変更</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>グループ名：</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map group?</source>
        <translation>選択したマップグループを削除しますか？</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map?</source>
        <translation>選択したマップを削除しますか？</translation>
    </message>
    <message>
        <source>The e-map list file was damaged. Read from it: %1 groups and %2 maps. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>Eマップリストファイルが破損していました。読み込めたもの: %1 グループ、%2 枚のマップ。破損したファイルは &quot;%3&quot; として保存されています。</translation>
    </message>
    <message>
        <source>The e-map list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>Eマップリストファイル &quot;%1&quot; を読み込めませんでした (%2)。代わりに既定のリストを表示しています。上書きされたものはありません。</translation>
    </message>
    <message>
        <source>The e-map list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>起動時に読み込めなかったEマップリストファイルは &quot;%1&quot; として保存されています。</translation>
    </message>
    <message>
        <source>The e-map list could not be saved (%1).</source>
        <translation>Eマップリストを保存できませんでした (%1)。</translation>
    </message>
    <message>
        <source>The e-map list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>Eマップリストファイルは、このプログラムが最後に読み込みまたは保存した後に他の場所で変更されました。そのバージョンは &quot;%1&quot; として保存されています。</translation>
    </message>
</context>
<context>
    <name>CEMapMenu</name>
    <message>
        <source>Add EMap</source>
        <translation>Eマップ追加</translation>
    </message>
    <message>
        <source>Edit EMap</source>
        <translation>Eマップ編集</translation>
    </message>
    <message>
        <source>Delete EMap</source>
        <translation>Eマップ削除</translation>
    </message>
</context>
<context>
    <name>CEMapSetupDialog</name>
    <message>
        <source>EMap Setup</source>
        <translation>Eマップ設定</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>ポップアップ</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>自動クローズ</translation>
    </message>
    <message>
        <source>Image Size</source>
        <translation>画像サイズ</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>自動調整</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>原寸</translation>
    </message>
</context>
<context>
    <name>CEMapWidget</name>
    <message>
        <source>CEMapWidget</source>
        <translation>CEMapWidget</translation>
    </message>
    <message>
        <source>Please confirm the dvr information.</source>
        <translation>DVR情報を確認してください。</translation>
    </message>
    <message>
        <source>The camera is in the emap.</source>
        <translation>このカメラは既にEマップにあります。</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>すべて削除</translation>
    </message>
</context>
<context>
    <name>CEventSound</name>
    <message>
        <source>The alarm cannot sound: its sound cannot be read.</source>
        <translation>アラームを鳴らせません: アラーム音を読み込めません。</translation>
    </message>
    <message>
        <source>The alarm cannot sound: the sound output does not answer.</source>
        <translation>アラームを鳴らせません: 音声出力が応答しません。</translation>
    </message>
</context>
<context>
    <name>CHDDWidget</name>
    <message>
        <source>CHDDWidget</source>
        <translation>CHDDWidget</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>HDD</translation>
    </message>
    <message>
        <source>Total Space : </source>
        <translation>全容量 : </translation>
    </message>
    <message>
        <source>Used Space : </source>
        <translation>使用容量 : </translation>
    </message>
    <message>
        <source>Free Space : </source>
        <translation>空き容量 : </translation>
    </message>
    <message>
        <source>HDD %1</source>
        <translation>HDD %1</translation>
    </message>
</context>
<context>
    <name>CHttpConnect</name>
    <message>
        <source>[ERROR]user unknown</source>
        <translation>[エラー]不明なユーザー</translation>
    </message>
    <message>
        <source>[ERROR]password miss</source>
        <translation>[エラー]パスワードが違います</translation>
    </message>
    <message>
        <source>[ERROR]protocol version</source>
        <translation>[エラー]プロトコルバージョン不一致</translation>
    </message>
    <message>
        <source>[ERROR]client limit</source>
        <translation>[エラー]接続数の上限です</translation>
    </message>
    <message>
        <source>[ERROR]super exist</source>
        <translation>[エラー]管理者が接続中です</translation>
    </message>
    <message>
        <source>[ERROR]no video data</source>
        <translation>[エラー]映像データなし</translation>
    </message>
    <message>
        <source>[ERROR]no video channel</source>
        <translation>[エラー]映像チャンネルなし</translation>
    </message>
    <message>
        <source>[ERROR]mpeg push end</source>
        <translation>[エラー]ストリーム送信終了</translation>
    </message>
    <message>
        <source>[ERROR]connection timeout</source>
        <translation>[エラー]接続タイムアウト</translation>
    </message>
    <message>
        <source>[ERROR]unknown</source>
        <translation>[エラー]不明</translation>
    </message>
    <message>
        <source>[ERROR]permission denied</source>
        <translation>[エラー]権限がありません</translation>
    </message>
    <message>
        <source>[ERROR]network timeout</source>
        <translation>[エラー]ネットワークタイムアウト</translation>
    </message>
    <message>
        <source>[ERROR]request refused</source>
        <translation>[エラー]要求が拒否されました</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>接続に失敗しました</translation>
    </message>
    <message>
        <source>There is no more backup data. Or Connection failed</source>
        <translation>バックアップするデータがもうないか、接続に失敗しました</translation>
    </message>
    <message>
        <source>The backup is complete.</source>
        <translation>バックアップが完了しました。</translation>
    </message>
    <message>
        <source>Waiting for the DVR to end the last stream</source>
        <translation>DVRが前のストリームを終了するのを待っています</translation>
    </message>
</context>
<context>
    <name>CInfoWidget</name>
    <message>
        <source>CInfoWidget</source>
        <translation>CInfoWidget</translation>
    </message>
    <message>
        <source>System Information</source>
        <translation>システム情報</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>モデル</translation>
    </message>
    <message>
        <source>H/W Version</source>
        <translation>H/Wバージョン</translation>
    </message>
    <message>
        <source>Kernel Version</source>
        <translation>カーネルバージョン</translation>
    </message>
    <message>
        <source>Ramdisk Version</source>
        <translation>RAMディスクバージョン</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MACアドレス</translation>
    </message>
    <message>
        <source>HDD Information</source>
        <translation>HDD情報</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR情報</translation>
    </message>
</context>
<context>
    <name>CLiveCtrlWidget</name>
    <message>
        <source>CLiveCtrlWidget</source>
        <translation>CLiveCtrlWidget</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Auto Preset</source>
        <translation>プリセット巡回</translation>
    </message>
    <message>
        <source>Rem. Port</source>
        <translation>リレー出力</translation>
    </message>
    <message>
        <source>Picture ctrl</source>
        <translation>画質調整</translation>
    </message>
</context>
<context>
    <name>CLogWidget</name>
    <message>
        <source>CLogWidget</source>
        <translation>CLogWidget</translation>
    </message>
    <message>
        <source>System Log</source>
        <translation>システムログ</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時刻</translation>
    </message>
    <message>
        <source>User</source>
        <translation>ユーザー</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>ログ</translation>
    </message>
</context>
<context>
    <name>CLogin</name>
    <message>
        <source>Login</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
</context>
<context>
    <name>CMenuDVRList</name>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>グループ追加</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>グループ編集</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>グループ削除</translation>
    </message>
    <message>
        <source>Add DVR</source>
        <translation>DVR追加</translation>
    </message>
    <message>
        <source>Edit DVR</source>
        <translation>DVR編集</translation>
    </message>
    <message>
        <source>Delete DVR</source>
        <translation>DVR削除</translation>
    </message>
</context>
<context>
    <name>CModelInfoDialog</name>
    <message>
        <source>Model Info</source>
        <translation>モデル情報</translation>
    </message>
    <message>
        <source>DVR Channels :</source>
        <translation>DVRチャンネル数 :</translation>
    </message>
    <message>
        <source>4 channels</source>
        <translation>4チャンネル</translation>
    </message>
    <message>
        <source>8 channels</source>
        <translation>8チャンネル</translation>
    </message>
    <message>
        <source>16 channels</source>
        <translation>16チャンネル</translation>
    </message>
    <message>
        <source>Video Type :</source>
        <translation>映像方式 :</translation>
    </message>
    <message>
        <source>NTSC</source>
        <translation>NTSC</translation>
    </message>
    <message>
        <source>PAL</source>
        <translation>PAL</translation>
    </message>
    <message>
        <source>DVR Model :</source>
        <translation>DVRモデル :</translation>
    </message>
</context>
<context>
    <name>CMotionZoneDialog</name>
    <message>
        <source>Motion Zone</source>
        <translation>モーションエリア</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
</context>
<context>
    <name>CPCInfoPage</name>
    <message>
        <source>PC Information</source>
        <translation>PC情報</translation>
    </message>
    <message>
        <source>Local Drive</source>
        <translation>ローカルドライブ</translation>
    </message>
    <message>
        <source>Record Folder</source>
        <translation>録画フォルダー</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>ドライブ</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
</context>
<context>
    <name>CPCSetupDialog</name>
    <message>
        <source>PC Setup</source>
        <translation>PC設定</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>PC Information</source>
        <translation>PC情報</translation>
    </message>
</context>
<context>
    <name>CPCSetupPage</name>
    <message>
        <source>PC Setup</source>
        <translation>PC設定</translation>
    </message>
    <message>
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Sequence Interval (sec)</source>
        <translation>シーケンス間隔(秒)</translation>
    </message>
    <message>
        <source>Live View</source>
        <translation>ライブ</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>ストリーム</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音声</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>再接続</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>On-Screen Display</source>
        <translation>画面表示</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>カメラ名</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>録画</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>イベント</translation>
    </message>
    <message>
        <source>Alarm Sound</source>
        <translation>アラーム音</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>キャプチャー</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>バックアップ</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Record File Format</source>
        <translation>録画ファイル形式</translation>
    </message>
    <message>
        <source>Capture File Format</source>
        <translation>キャプチャー形式</translation>
    </message>
    <message>
        <source>Playback Mode</source>
        <translation>再生モード</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>アイコン</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>枠</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>メイン</translation>
    </message>
    <message>
        <source>Sub</source>
        <translation>サブ</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>連続</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>スキップ</translation>
    </message>
    <message>
        <source>OpenGL(High PC)</source>
        <translation>OpenGL(高性能PC)</translation>
    </message>
    <message>
        <source>OpenGL(Low PC)</source>
        <translation>OpenGL(低性能PC)</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>フォルダーを選択してください。</translation>
    </message>
</context>
<context>
    <name>CPictureWidget</name>
    <message>
        <source>CPictureWidget</source>
        <translation>CPictureWidget</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>コントラスト</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>明るさ</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>彩度</translation>
    </message>
    <message>
        <source>H.Sharpness</source>
        <translation>水平シャープネス</translation>
    </message>
    <message>
        <source>V.Sharpness</source>
        <translation>垂直シャープネス</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>初期値</translation>
    </message>
</context>
<context>
    <name>CPlaybackFile</name>
    <message>
        <source>Damaged file: %1</source>
        <translation>破損したファイル: %1</translation>
    </message>
    <message>
        <source>Missing file: %1</source>
        <translation>ファイルがありません: %1</translation>
    </message>
    <message>
        <source>No recording at this time</source>
        <translation>この時刻の録画はありません</translation>
    </message>
    <message>
        <source>End of the recordings</source>
        <translation>録画の終わりです</translation>
    </message>
</context>
<context>
    <name>CProgressDialog</name>
    <message>
        <source>Upgrading</source>
        <translation>アップグレード中</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>中止</translation>
    </message>
</context>
<context>
    <name>CPtzfWidget</name>
    <message>
        <source>CPtzfWidget</source>
        <translation>CPtzfWidget</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>ズーム</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>フォーカス</translation>
    </message>
    <message>
        <source>Iris</source>
        <translation>アイリス</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>登録</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>低速</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>高速</translation>
    </message>
    <message>
        <source>Very Fast</source>
        <translation>超高速</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>プリセット %1</translation>
    </message>
</context>
<context>
    <name>CRecord</name>
    <message>
        <source>The folder cannot be written: %1</source>
        <translation>フォルダーに書き込めません: %1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>録画を停止しました: %1</translation>
    </message>
</context>
<context>
    <name>CRemotePortWiget</name>
    <message>
        <source>CRemotePortWiget</source>
        <translation>CRemotePortWiget</translation>
    </message>
    <message>
        <source>Auto off :</source>
        <translation>自動オフ :</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>20</source>
        <translation>20</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>リレー</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
</context>
<context>
    <name>CSearchWidget</name>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>検索中...</translation>
    </message>
    <message>
        <source>No search data was received from the DVR.</source>
        <translation>DVRから検索データを受信できませんでした。</translation>
    </message>
    <message>
        <source>No recordings.</source>
        <translation>録画はありません。</translation>
    </message>
    <message>
        <source>Files not read: %1</source>
        <translation>読み込めなかったファイル: %1</translation>
    </message>
    <message>
        <source>Recorded minutes whose files are missing: %1</source>
        <translation>ファイルが見つからない録画分: %1</translation>
    </message>
</context>
<context>
    <name>CSendDVRInfoWidget</name>
    <message>
        <source>DVR</source>
        <translation>DVR</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>アドレス</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>Admin Password</source>
        <translation>管理者パスワード</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>すべての項目を入力してください。</translation>
    </message>
</context>
<context>
    <name>CSeqWidget</name>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>CH9</source>
        <translation>CH9</translation>
    </message>
    <message>
        <source>CH10</source>
        <translation>CH10</translation>
    </message>
    <message>
        <source>CH11</source>
        <translation>CH11</translation>
    </message>
    <message>
        <source>CH12</source>
        <translation>CH12</translation>
    </message>
    <message>
        <source>CH13</source>
        <translation>CH13</translation>
    </message>
    <message>
        <source>CH14</source>
        <translation>CH14</translation>
    </message>
    <message>
        <source>CH15</source>
        <translation>CH15</translation>
    </message>
    <message>
        <source>CH16</source>
        <translation>CH16</translation>
    </message>
    <message>
        <source>M1-4</source>
        <translation>M1-4</translation>
    </message>
    <message>
        <source>M5-8</source>
        <translation>M5-8</translation>
    </message>
    <message>
        <source>M9-12</source>
        <translation>M9-12</translation>
    </message>
    <message>
        <source>M13-16</source>
        <translation>M13-16</translation>
    </message>
    <message>
        <source>M1-9</source>
        <translation>M1-9</translation>
    </message>
    <message>
        <source>M8-16</source>
        <translation>M8-16</translation>
    </message>
    <message>
        <source>M1-16</source>
        <translation>M1-16</translation>
    </message>
    <message>
        <source>Dwell Time</source>
        <translation>表示時間</translation>
    </message>
    <message>
        <source>M1-8</source>
        <translation>M1-8</translation>
    </message>
</context>
<context>
    <name>CSetDVRInfoDialog</name>
    <message>
        <source>DVR</source>
        <translation>DVR</translation>
    </message>
    <message>
        <source>DVR Name</source>
        <translation>DVR名</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>アドレス</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>View Channels</source>
        <translation>表示チャンネル</translation>
    </message>
    <message>
        <source>Old protocol</source>
        <translation>旧プロトコル</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>すべての項目を入力してください。</translation>
    </message>
</context>
<context>
    <name>CSetEMapInfoDialog</name>
    <message>
        <source>EMap Info</source>
        <translation>Eマップ情報</translation>
    </message>
    <message>
        <source>Group Name :</source>
        <translation>グループ名 :</translation>
    </message>
    <message>
        <source>EMap Name :</source>
        <translation>Eマップ名 :</translation>
    </message>
    <message>
        <source>Image Path :</source>
        <translation>画像パス :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>すべての項目を入力してください。</translation>
    </message>
    <message>
        <source>Select a Image file</source>
        <translation>画像ファイルの選択</translation>
    </message>
</context>
<context>
    <name>CSetupAccount</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Admin</source>
        <translation>管理者</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>User</source>
        <translation>ユーザー</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>CH9</source>
        <translation>CH9</translation>
    </message>
    <message>
        <source>CH10</source>
        <translation>CH10</translation>
    </message>
    <message>
        <source>CH11</source>
        <translation>CH11</translation>
    </message>
    <message>
        <source>CH12</source>
        <translation>CH12</translation>
    </message>
    <message>
        <source>CH13</source>
        <translation>CH13</translation>
    </message>
    <message>
        <source>CH14</source>
        <translation>CH14</translation>
    </message>
    <message>
        <source>CH15</source>
        <translation>CH15</translation>
    </message>
    <message>
        <source>CH16</source>
        <translation>CH16</translation>
    </message>
    <message>
        <source>ALL</source>
        <translation>全て</translation>
    </message>
    <message>
        <source>PTZF Control</source>
        <translation>PTZF制御</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>バックアップ</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>ネットワーク</translation>
    </message>
    <message>
        <source>Network Timeout</source>
        <translation>ネットワークタイムアウト</translation>
    </message>
    <message>
        <source>Network Prohibition</source>
        <translation>ネットワーク禁止</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>開始時刻</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>終了時刻</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>変更</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Log off</source>
        <translation>ログオフ</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Wait time</source>
        <translation>待ち時間</translation>
    </message>
    <message>
        <source>Can&apos;t add same user.</source>
        <translation>同じユーザーは追加できません。</translation>
    </message>
    <message>
        <source>Another user already has this name.</source>
        <translation>この名前は他のユーザーが使用しています。</translation>
    </message>
</context>
<context>
    <name>CSetupCamera</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>CH-1</source>
        <translation>CH-1</translation>
    </message>
    <message>
        <source>CH-2</source>
        <translation>CH-2</translation>
    </message>
    <message>
        <source>CH-3</source>
        <translation>CH-3</translation>
    </message>
    <message>
        <source>CH-4</source>
        <translation>CH-4</translation>
    </message>
    <message>
        <source>CH-5</source>
        <translation>CH-5</translation>
    </message>
    <message>
        <source>CH-6</source>
        <translation>CH-6</translation>
    </message>
    <message>
        <source>CH-7</source>
        <translation>CH-7</translation>
    </message>
    <message>
        <source>CH-8</source>
        <translation>CH-8</translation>
    </message>
    <message>
        <source>CH-9</source>
        <translation>CH-9</translation>
    </message>
    <message>
        <source>CH-10</source>
        <translation>CH-10</translation>
    </message>
    <message>
        <source>CH-11</source>
        <translation>CH-11</translation>
    </message>
    <message>
        <source>CH-12</source>
        <translation>CH-12</translation>
    </message>
    <message>
        <source>CH-13</source>
        <translation>CH-13</translation>
    </message>
    <message>
        <source>CH-14</source>
        <translation>CH-14</translation>
    </message>
    <message>
        <source>CH-15</source>
        <translation>CH-15</translation>
    </message>
    <message>
        <source>CH-16</source>
        <translation>CH-16</translation>
    </message>
    <message>
        <source>Covert</source>
        <translation>非表示</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>モデル</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Reverse Control</source>
        <translation>反転制御</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>パン</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>チルト</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>ズーム</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>フォーカス</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>ボーレート</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>シャープネス</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>シーケンス</translation>
    </message>
    <message>
        <source>SPOT</source>
        <translation>SPOT</translation>
    </message>
    <message>
        <source>Spot</source>
        <translation>Spot</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
</context>
<context>
    <name>CSetupEtc</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>日付と時刻</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時刻</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Set to PC time</source>
        <translation>PC時刻に合わせる</translation>
    </message>
    <message>
        <source>Apply to DVR</source>
        <translation>DVRに適用</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>CSetupEvent</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>モーション</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>感度</translation>
    </message>
    <message>
        <source>Detection Zone</source>
        <translation>検知エリア</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>ポップアップ</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>自動クローズ</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>センサー</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>連動</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>リレー</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>出力</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>録画失敗</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>録画警告</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>E-Mail Address</source>
        <translation>メールアドレス</translation>
    </message>
    <message>
        <source>Receiver Address</source>
        <translation>送信先アドレス</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Sender Address</source>
        <translation>送信元アドレス</translation>
    </message>
    <message>
        <source>SMTP</source>
        <translation>SMTP</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>アドレス</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>認証</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>SSL</source>
        <translation>SSL</translation>
    </message>
    <message>
        <source>MIME</source>
        <translation>MIME</translation>
    </message>
    <message>
        <source>E-Mail Transfer Settings</source>
        <translation>メール送信設定</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>送信間隔</translation>
    </message>
    <message>
        <source>Prohibition</source>
        <translation>禁止</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>開始時刻</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>終了時刻</translation>
    </message>
    <message>
        <source>E-Mail Transfer Contents</source>
        <translation>メール送信内容</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>ビデオロス</translation>
    </message>
    <message>
        <source>Record Status</source>
        <translation>録画状態</translation>
    </message>
    <message>
        <source>System Access</source>
        <translation>システムアクセス</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>録画時間</translation>
    </message>
    <message>
        <source>Post Alarm Record</source>
        <translation>アラーム後録画</translation>
    </message>
</context>
<context>
    <name>CSetupHdd</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Write Mode</source>
        <translation>書き込みモード</translation>
    </message>
    <message>
        <source>Force Deletion</source>
        <translation>強制削除</translation>
    </message>
    <message>
        <source>S.M.A.R.T.</source>
        <translation>S.M.A.R.T.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Check Interval</source>
        <translation>チェック間隔</translation>
    </message>
    <message>
        <source>ONCE</source>
        <translation>1回</translation>
    </message>
    <message>
        <source>OVERWRITE</source>
        <translation>上書き</translation>
    </message>
</context>
<context>
    <name>CSetupNetwork</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>BW Limitation</source>
        <translation>帯域制限</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IPアドレス</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>サブネットマスク</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>ゲートウェイ</translation>
    </message>
    <message>
        <source>DNS IP</source>
        <translation>DNS IP</translation>
    </message>
    <message>
        <source>UPNP</source>
        <translation>UPNP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>DDNS Link</source>
        <translation>DDNS連携</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>DDNS</source>
        <translation>DDNS</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>ホスト名</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>ストリーム</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>画質</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Apply network TCP/IP &amp;&amp; DDNS configuration</source>
        <translation>TCP/IPとDDNSのネットワーク設定を適用</translation>
    </message>
</context>
<context>
    <name>CSetupRecord</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>解像度</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>画質</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>モード</translation>
    </message>
    <message>
        <source>Event Quality</source>
        <translation>イベント画質</translation>
    </message>
    <message>
        <source>Event FPS</source>
        <translation>イベントFPS</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>スケジュール</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手動</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>連続</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>モーション</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>センサー</translation>
    </message>
    <message>
        <source>Motion + Sensor</source>
        <translation>モーション+センサー</translation>
    </message>
    <message>
        <source>Cont. + Event</source>
        <translation>連続+イベント</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>番号</translation>
    </message>
    <message>
        <source>Etc.</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音声</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Time Overlay</source>
        <translation>時刻表示</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Starting Point</source>
        <translation>開始位置</translation>
    </message>
    <message>
        <source>SUN</source>
        <translation>日</translation>
    </message>
    <message>
        <source>MON</source>
        <translation>月</translation>
    </message>
    <message>
        <source>TUE</source>
        <translation>火</translation>
    </message>
    <message>
        <source>WED</source>
        <translation>水</translation>
    </message>
    <message>
        <source>THU</source>
        <translation>木</translation>
    </message>
    <message>
        <source>FRI</source>
        <translation>金</translation>
    </message>
    <message>
        <source>SAT</source>
        <translation>土</translation>
    </message>
    <message>
        <source> 25 %</source>
        <translation> 25%</translation>
    </message>
    <message>
        <source> 50 %</source>
        <translation> 50%</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100%</translation>
    </message>
</context>
<context>
    <name>CSetupSystem</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Name &amp; ID</source>
        <translation>名前とID</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>日付と時刻</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>時刻形式</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>日付形式</translation>
    </message>
    <message>
        <source>Timezone</source>
        <translation>タイムゾーン</translation>
    </message>
    <message>
        <source>NTP</source>
        <translation>NTP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>NTP Address</source>
        <translation>NTPサーバー</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>ブザー</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>センサー</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>モーション</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>ビデオロス</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>録画失敗</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>録画警告</translation>
    </message>
    <message>
        <source>Auto Reboot</source>
        <translation>自動再起動</translation>
    </message>
    <message>
        <source>Day</source>
        <comment>day of week</comment>
        <translation>曜日</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時刻</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>カメラ名</translation>
    </message>
    <message>
        <source>Record Icon</source>
        <translation>録画アイコン</translation>
    </message>
    <message>
        <source>Motion Icon</source>
        <translation>モーションアイコン</translation>
    </message>
    <message>
        <source>Sensor Icon</source>
        <translation>センサーアイコン</translation>
    </message>
    <message>
        <source>Task Bar</source>
        <translation>タスクバー</translation>
    </message>
    <message>
        <source>VGA Mode</source>
        <translation>VGAモード</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>日曜日</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>月曜日</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>火曜日</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>水曜日</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>木曜日</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>金曜日</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>土曜日</translation>
    </message>
    <message>
        <source>Everyday</source>
        <translation>毎日</translation>
    </message>
</context>
<context>
    <name>CSetupWidget</name>
    <message>
        <source>System</source>
        <translation>システム</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>ネットワーク</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>録画</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>HDD</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>イベント</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>アカウント</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>カメラ</translation>
    </message>
    <message>
        <source>The DVR configuration is of an unknown model (%1).</source>
        <translation>DVR設定が不明なモデル(%1)のものです。</translation>
    </message>
    <message>
        <source>The configuration of a DVR on the old protocol cannot be read.</source>
        <translation>旧プロトコルのDVRの設定は読み込めません。</translation>
    </message>
    <message>
        <source>The DVR configuration could not be read.</source>
        <translation>DVR設定を読み込めませんでした。</translation>
    </message>
    <message>
        <source>The admin password must not be empty.</source>
        <translation>管理者パスワードを空にすることはできません。</translation>
    </message>
    <message>
        <source>No configuration was read from the DVR. Send the default settings anyway?</source>
        <translation>DVRから設定を読み込んでいません。初期設定を送信しますか？</translation>
    </message>
    <message>
        <source>The transmission error occurred!</source>
        <translation>送信エラーが発生しました！</translation>
    </message>
    <message>
        <source>The DVR configuration is correctly transfered!</source>
        <translation>DVR設定を正しく送信しました！</translation>
    </message>
    <message>
        <source>Please select a configuration file.</source>
        <translation>設定ファイルを選択してください。</translation>
    </message>
    <message>
        <source>Configs (*.conf)</source>
        <translation>設定ファイル (*.conf)</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.</source>
        <translation>ファイル %1 を開けません。</translation>
    </message>
    <message>
        <source>The file %1 is not a DVR configuration.</source>
        <translation>ファイル %1 はDVR設定ではありません。</translation>
    </message>
    <message>
        <source>The file name must end with &quot;.conf&quot;.</source>
        <translation>ファイル名は「.conf」で終わる必要があります。</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>ファイル %1 に書き込めません。</translation>
    </message>
</context>
<context>
    <name>CTimeLine</name>
    <message>
        <source>Hour</source>
        <translation>時</translation>
    </message>
</context>
<context>
    <name>CUpgrade</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>S/W Upgrade</source>
        <translation>ソフトウェア更新</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>アップグレード</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>ファイルの選択</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>すべてのファイル(*.*)</translation>
    </message>
    <message>
        <source>The upgrade is failed!</source>
        <translation>アップグレードに失敗しました！</translation>
    </message>
    <message>
        <source>The upgrade is completed!</source>
        <translation>アップグレードが完了しました！</translation>
    </message>
</context>
<context>
    <name>CWaitDialog</name>
    <message>
        <source>Please wait a minute.</source>
        <translation>しばらくお待ちください。</translation>
    </message>
</context>
<context>
    <name>PbButtons</name>
    <message>
        <source>Reverse</source>
        <translation>逆再生</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Step reverse</source>
        <translation>コマ戻し</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>コマ送り</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>スロー</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>高速</translation>
    </message>
</context>
<context>
    <name>UpLoader</name>
    <message>
        <source>Error: can&apos;t open file %1</source>
        <translation>エラー: ファイル %1 を開けません</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>ネットワークエラー: %1</translation>
    </message>
</context>
<context>
    <name>Viewer</name>
    <message>
        <source>Save File</source>
        <translation>ファイルの保存</translation>
    </message>
    <message>
        <source>Text files(*.txt)</source>
        <translation>テキストファイル(*.txt)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>ファイル %1 に書き込めません:
%2.</translation>
    </message>
    <message>
        <source>File saved</source>
        <translation>ファイルを保存しました</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>フォルダーを選択してください。</translation>
    </message>
    <message>
        <source>The image has been saved.</source>
        <translation>画像を保存しました。</translation>
    </message>
    <message>
        <source>The image could not be saved.</source>
        <translation>画像を保存できませんでした。</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Capture Images (*.png *.jpg)</source>
        <translation>キャプチャー画像 (*.png *.jpg)</translation>
    </message>
    <message>
        <source>The backup ended before its end time. The files written so far are in &quot;%1&quot;.</source>
        <translation>バックアップは終了時刻より前に終了しました。ここまでに書き込まれたファイルは &quot;%1&quot; にあります。</translation>
    </message>
    <message>
        <source>The changes to the DVR list are not saved (%1).</source>
        <translation>DVRリストの変更は保存されていません (%1)。</translation>
    </message>
    <message>
        <source>The changes to the e-map list are not saved (%1).</source>
        <translation>Eマップリストの変更は保存されていません (%1)。</translation>
    </message>
    <message>
        <source>Close the program all the same? These changes are lost then.</source>
        <translation>それでもプログラムを終了しますか？ これらの変更は失われます。</translation>
    </message>
    <message>
        <source>another mode was chosen</source>
        <translation>別のモードが選択されました</translation>
    </message>
</context>
<context>
    <name>ViewerClass</name>
    <message>
        <source>Live S</source>
        <translation>シングルライブ</translation>
    </message>
    <message>
        <source>Live M</source>
        <translation>マルチライブ</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>バックアップ</translation>
    </message>
    <message>
        <source>E-Map</source>
        <translation>Eマップ</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>DVR設定</translation>
    </message>
    <message>
        <source>PC Setup</source>
        <translation>PC設定</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Setup Model</source>
        <translation>モデル設定</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>初期値読込</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>再読込</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>すべて適用</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>アップグレード</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>日付と時刻</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Digital Zoom</source>
        <translation>デジタルズーム</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>キャプチャー</translation>
    </message>
    <message>
        <source>PC Record</source>
        <translation>PC録画</translation>
    </message>
    <message>
        <source>DVR Record</source>
        <translation>DVR録画</translation>
    </message>
</context>
</TS>
