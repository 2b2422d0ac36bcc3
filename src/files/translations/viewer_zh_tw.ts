<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en_US">
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
        <translation>結束</translation>
    </message>
    <message>
        <source>Interval(sec)</source>
        <translation>間隔(秒)</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>預置點 %1</translation>
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
        <translation>結束</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Please connect a DVR first.</source>
        <translation>請先連線DVR。</translation>
    </message>
    <message>
        <source>Please select a channel.</source>
        <translation>請選擇頻道。</translation>
    </message>
    <message>
        <source>The end time is before the start time.</source>
        <translation>結束時間早於開始時間。</translation>
    </message>
</context>
<context>
    <name>CCameraWidget</name>
    <message>
        <source>DVR Name : %1
</source>
        <translation>DVR名稱 : %1
</translation>
    </message>
    <message>
        <source>Address : %1
</source>
        <translation>位址 : %1
</translation>
    </message>
    <message>
        <source>Port : %1
</source>
        <translation>連接埠 : %1
</translation>
    </message>
    <message>
        <source>User : %1
</source>
        <translation>使用者 : %1
</translation>
    </message>
    <message>
        <source>Camera : %1
</source>
        <translation>攝影機 : %1
</translation>
    </message>
    <message>
        <source>Please check the position of the camera.</source>
        <translation>請確認攝影機的位置。</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
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
        <translation>頻道</translation>
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
        <translation>&quot;%1&quot; 的錄影在您停止之前已結束。目前已寫入的檔案位於 &quot;%2&quot;。</translation>
    </message>
</context>
<context>
    <name>CDVRInfoWidget</name>
    <message>
        <source>Information</source>
        <translation>資訊</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR資訊</translation>
    </message>
    <message>
        <source>Reading the DVR information...</source>
        <translation>正在讀取DVR資訊...</translation>
    </message>
    <message>
        <source>No information was received from the DVR.</source>
        <translation>未收到DVR的資訊。</translation>
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
        <translation>攝影機 %1</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>新增群組</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>群組名稱</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>編輯群組</translation>
    </message>
    <message>
        <source>Do you want to delete the group &quot;%1&quot; and its DVRs?</source>
        <translation>要刪除群組「%1」及其DVR嗎？</translation>
    </message>
    <message>
        <source>Do you want to delete the DVR &quot;%1&quot;?</source>
        <translation>要刪除DVR「%1」嗎？</translation>
    </message>
    <message>
        <source>The DVR list file was damaged. Read from it: %1 groups and %2 DVRs. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>DVR 清單檔案已損壞。已讀取：%1 個群組、%2 台 DVR。損壞的檔案保存為 &quot;%3&quot;。</translation>
    </message>
    <message>
        <source>The DVR list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>無法讀取 DVR 清單檔案 &quot;%1&quot; (%2)。改為顯示預設清單；未覆寫任何內容。</translation>
    </message>
    <message>
        <source>The DVR list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>啟動時無法讀取的 DVR 清單檔案已保留為 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>The DVR list could not be saved (%1).</source>
        <translation>無法儲存DVR清單 (%1)。</translation>
    </message>
    <message>
        <source>The DVR list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>DVR 清單檔案在本程式上次讀取或儲存後已在別處被修改。該版本已保留為 &quot;%1&quot;。</translation>
    </message>
</context>
<context>
    <name>CEMapList</name>
    <message>
        <source>Modify group name</source>
        <translation>修改群組名稱</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>群組名稱：</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map group?</source>
        <translation>確定要刪除所選的地圖群組嗎？</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map?</source>
        <translation>確定要刪除所選的地圖嗎？</translation>
    </message>
    <message>
        <source>The e-map list file was damaged. Read from it: %1 groups and %2 maps. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>電子地圖清單檔案已損壞。已讀取：%1 個群組、%2 張地圖。損壞的檔案保存為 &quot;%3&quot;。</translation>
    </message>
    <message>
        <source>The e-map list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>無法讀取電子地圖清單檔案 &quot;%1&quot; (%2)。改為顯示預設清單；未覆寫任何內容。</translation>
    </message>
    <message>
        <source>The e-map list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>啟動時無法讀取的電子地圖清單檔案已保留為 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>The e-map list could not be saved (%1).</source>
        <translation>無法儲存電子地圖清單 (%1)。</translation>
    </message>
    <message>
        <source>The e-map list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>電子地圖清單檔案在本程式上次讀取或儲存後已在別處被修改。該版本已保留為 &quot;%1&quot;。</translation>
    </message>
</context>
<context>
    <name>CEMapMenu</name>
    <message>
        <source>Add EMap</source>
        <translation>新增電子地圖</translation>
    </message>
    <message>
        <source>Edit EMap</source>
        <translation>編輯電子地圖</translation>
    </message>
    <message>
        <source>Delete EMap</source>
        <translation>刪除電子地圖</translation>
    </message>
</context>
<context>
    <name>CEMapSetupDialog</name>
    <message>
        <source>EMap Setup</source>
        <translation>電子地圖設定</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>彈出視窗</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>自動關閉</translation>
    </message>
    <message>
        <source>Image Size</source>
        <translation>影像大小</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>自動調整</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>原始大小</translation>
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
        <translation>請確認DVR資訊。</translation>
    </message>
    <message>
        <source>The camera is in the emap.</source>
        <translation>此攝影機已在電子地圖上。</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>全部刪除</translation>
    </message>
</context>
<context>
    <name>CEventSound</name>
    <message>
        <source>The alarm cannot sound: its sound cannot be read.</source>
        <translation>警報無法發聲：無法讀取其聲音。</translation>
    </message>
    <message>
        <source>The alarm cannot sound: the sound output does not answer.</source>
        <translation>警報無法發聲：音訊輸出沒有回應。</translation>
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
        <translation>硬碟</translation>
    </message>
    <message>
        <source>Total Space : </source>
        <translation>總容量 : </translation>
    </message>
    <message>
        <source>Used Space : </source>
        <translation>已用容量 : </translation>
    </message>
    <message>
        <source>Free Space : </source>
        <translation>可用容量 : </translation>
    </message>
    <message>
        <source>HDD %1</source>
        <translation>硬碟 %1</translation>
    </message>
</context>
<context>
    <name>CHttpConnect</name>
    <message>
        <source>[ERROR]user unknown</source>
        <translation>[錯誤]未知的使用者</translation>
    </message>
    <message>
        <source>[ERROR]password miss</source>
        <translation>[錯誤]密碼錯誤</translation>
    </message>
    <message>
        <source>[ERROR]protocol version</source>
        <translation>[錯誤]通訊協定版本不符</translation>
    </message>
    <message>
        <source>[ERROR]client limit</source>
        <translation>[錯誤]連線數已達上限</translation>
    </message>
    <message>
        <source>[ERROR]super exist</source>
        <translation>[錯誤]管理者已連線</translation>
    </message>
    <message>
        <source>[ERROR]no video data</source>
        <translation>[錯誤]無影像資料</translation>
    </message>
    <message>
        <source>[ERROR]no video channel</source>
        <translation>[錯誤]無影像頻道</translation>
    </message>
    <message>
        <source>[ERROR]mpeg push end</source>
        <translation>[錯誤]串流傳送結束</translation>
    </message>
    <message>
        <source>[ERROR]connection timeout</source>
        <translation>[錯誤]連線逾時</translation>
    </message>
    <message>
        <source>[ERROR]unknown</source>
        <translation>[錯誤]未知</translation>
    </message>
    <message>
        <source>[ERROR]permission denied</source>
        <translation>[錯誤]權限不足</translation>
    </message>
    <message>
        <source>[ERROR]network timeout</source>
        <translation>[錯誤]網路逾時</translation>
    </message>
    <message>
        <source>[ERROR]request refused</source>
        <translation>[錯誤]要求被拒絕</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>連線失敗</translation>
    </message>
    <message>
        <source>There is no more backup data. Or Connection failed</source>
        <translation>已無更多備份資料，或連線失敗</translation>
    </message>
    <message>
        <source>The backup is complete.</source>
        <translation>備份已完成。</translation>
    </message>
    <message>
        <source>Waiting for the DVR to end the last stream</source>
        <translation>正在等待DVR結束上一個串流</translation>
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
        <translation>系統資訊</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型號</translation>
    </message>
    <message>
        <source>H/W Version</source>
        <translation>硬體版本</translation>
    </message>
    <message>
        <source>Kernel Version</source>
        <translation>核心版本</translation>
    </message>
    <message>
        <source>Ramdisk Version</source>
        <translation>Ramdisk版本</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC位址</translation>
    </message>
    <message>
        <source>HDD Information</source>
        <translation>硬碟資訊</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR資訊</translation>
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
        <translation>預置點巡航</translation>
    </message>
    <message>
        <source>Rem. Port</source>
        <translation>繼電器輸出</translation>
    </message>
    <message>
        <source>Picture ctrl</source>
        <translation>影像調整</translation>
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
        <translation>系統日誌</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>User</source>
        <translation>使用者</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>日誌</translation>
    </message>
</context>
<context>
    <name>CLogin</name>
    <message>
        <source>Login</source>
        <translation>登入</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>帳號</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
</context>
<context>
    <name>CMenuDVRList</name>
    <message>
        <source>Connect</source>
        <translation>連線</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>中斷連線</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>新增群組</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>編輯群組</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>刪除群組</translation>
    </message>
    <message>
        <source>Add DVR</source>
        <translation>新增DVR</translation>
    </message>
    <message>
        <source>Edit DVR</source>
        <translation>編輯DVR</translation>
    </message>
    <message>
        <source>Delete DVR</source>
        <translation>刪除DVR</translation>
    </message>
</context>
<context>
    <name>CModelInfoDialog</name>
    <message>
        <source>Model Info</source>
        <translation>型號資訊</translation>
    </message>
    <message>
        <source>DVR Channels :</source>
        <translation>DVR頻道數 :</translation>
    </message>
    <message>
        <source>4 channels</source>
        <translation>4頻道</translation>
    </message>
    <message>
        <source>8 channels</source>
        <translation>8頻道</translation>
    </message>
    <message>
        <source>16 channels</source>
        <translation>16頻道</translation>
    </message>
    <message>
        <source>Video Type :</source>
        <translation>視訊制式 :</translation>
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
        <translation>DVR型號 :</translation>
    </message>
</context>
<context>
    <name>CMotionZoneDialog</name>
    <message>
        <source>Motion Zone</source>
        <translation>移動偵測區域</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>選取</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
</context>
<context>
    <name>CPCInfoPage</name>
    <message>
        <source>PC Information</source>
        <translation>電腦資訊</translation>
    </message>
    <message>
        <source>Local Drive</source>
        <translation>本機磁碟</translation>
    </message>
    <message>
        <source>Record Folder</source>
        <translation>錄影資料夾</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>磁碟</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>CPCSetupDialog</name>
    <message>
        <source>PC Setup</source>
        <translation>電腦設定</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>PC Information</source>
        <translation>電腦資訊</translation>
    </message>
</context>
<context>
    <name>CPCSetupPage</name>
    <message>
        <source>PC Setup</source>
        <translation>電腦設定</translation>
    </message>
    <message>
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>Sequence Interval (sec)</source>
        <translation>輪跳間隔(秒)</translation>
    </message>
    <message>
        <source>Live View</source>
        <translation>即時影像</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>串流</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音訊</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>重新連線</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>On-Screen Display</source>
        <translation>螢幕顯示</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>攝影機名稱</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>錄影</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Alarm Sound</source>
        <translation>警報聲</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>資料夾</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>擷取</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>備份</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>檔案</translation>
    </message>
    <message>
        <source>Record File Format</source>
        <translation>錄影檔案格式</translation>
    </message>
    <message>
        <source>Capture File Format</source>
        <translation>擷取檔案格式</translation>
    </message>
    <message>
        <source>Playback Mode</source>
        <translation>回放模式</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>None</source>
        <translation>無</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>圖示</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>外框</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>主串流</translation>
    </message>
    <message>
        <source>Sub</source>
        <translation>子串流</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>連續</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>跳過</translation>
    </message>
    <message>
        <source>OpenGL(High PC)</source>
        <translation>OpenGL(高階電腦)</translation>
    </message>
    <message>
        <source>OpenGL(Low PC)</source>
        <translation>OpenGL(低階電腦)</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>請選擇資料夾。</translation>
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
        <translation>對比</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>飽和度</translation>
    </message>
    <message>
        <source>H.Sharpness</source>
        <translation>水平銳利度</translation>
    </message>
    <message>
        <source>V.Sharpness</source>
        <translation>垂直銳利度</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>預設值</translation>
    </message>
</context>
<context>
    <name>CPlaybackFile</name>
    <message>
        <source>Damaged file: %1</source>
        <translation>檔案損毀：%1</translation>
    </message>
    <message>
        <source>Missing file: %1</source>
        <translation>遺失的檔案：%1</translation>
    </message>
    <message>
        <source>No recording at this time</source>
        <translation>此時間沒有錄影</translation>
    </message>
    <message>
        <source>End of the recordings</source>
        <translation>錄影已結束</translation>
    </message>
</context>
<context>
    <name>CProgressDialog</name>
    <message>
        <source>Upgrading</source>
        <translation>升級中</translation>
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
        <translation>變焦</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>對焦</translation>
    </message>
    <message>
        <source>Iris</source>
        <translation>光圈</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>移至</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>慢速</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快速</translation>
    </message>
    <message>
        <source>Very Fast</source>
        <translation>極快</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>預置點 %1</translation>
    </message>
</context>
<context>
    <name>CRecord</name>
    <message>
        <source>The folder cannot be written: %1</source>
        <translation>無法寫入資料夾：%1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>錄影已停止：%1</translation>
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
        <translation>自動關閉 :</translation>
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
        <translation>繼電器</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>CSearchWidget</name>
    <message>
        <source>Channel</source>
        <translation>頻道</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>搜尋中...</translation>
    </message>
    <message>
        <source>No search data was received from the DVR.</source>
        <translation>未收到DVR的搜尋資料。</translation>
    </message>
    <message>
        <source>No recordings.</source>
        <translation>沒有錄影。</translation>
    </message>
    <message>
        <source>Files not read: %1</source>
        <translation>未讀取的檔案：%1</translation>
    </message>
    <message>
        <source>Recorded minutes whose files are missing: %1</source>
        <translation>檔案已遺失的錄影分鐘：%1</translation>
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
        <translation>位址</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>Admin Password</source>
        <translation>管理者密碼</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>請填寫所有欄位。</translation>
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
        <translation>頻道</translation>
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
        <translation>停留時間</translation>
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
        <translation>DVR名稱</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>位址</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>帳號</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>頻道</translation>
    </message>
    <message>
        <source>View Channels</source>
        <translation>顯示頻道</translation>
    </message>
    <message>
        <source>Old protocol</source>
        <translation>舊版通訊協定</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>請填寫所有欄位。</translation>
    </message>
</context>
<context>
    <name>CSetEMapInfoDialog</name>
    <message>
        <source>EMap Info</source>
        <translation>電子地圖資訊</translation>
    </message>
    <message>
        <source>Group Name :</source>
        <translation>群組名稱 :</translation>
    </message>
    <message>
        <source>EMap Name :</source>
        <translation>電子地圖名稱 :</translation>
    </message>
    <message>
        <source>Image Path :</source>
        <translation>影像路徑 :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>請填寫所有欄位。</translation>
    </message>
    <message>
        <source>Select a Image file</source>
        <translation>選擇影像檔案</translation>
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
        <translation>密碼</translation>
    </message>
    <message>
        <source>User</source>
        <translation>使用者</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>頻道</translation>
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
        <translation>全部</translation>
    </message>
    <message>
        <source>PTZF Control</source>
        <translation>PTZF控制</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>回放</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>備份</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>網路</translation>
    </message>
    <message>
        <source>Network Timeout</source>
        <translation>網路逾時</translation>
    </message>
    <message>
        <source>Network Prohibition</source>
        <translation>網路禁止</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>開始時間</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>結束時間</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Log off</source>
        <translation>登出</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Wait time</source>
        <translation>等待時間</translation>
    </message>
    <message>
        <source>Can&apos;t add same user.</source>
        <translation>無法新增相同的使用者。</translation>
    </message>
    <message>
        <source>Another user already has this name.</source>
        <translation>其他使用者已使用此名稱。</translation>
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
        <translation>名稱</translation>
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
        <translation>隱藏</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>頻道</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型號</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Reverse Control</source>
        <translation>反向控制</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>變焦</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>對焦</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>鮑率</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>銳利度</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>輪跳</translation>
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
        <translation>模式</translation>
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
        <translation>日期與時間</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Set to PC time</source>
        <translation>設為電腦時間</translation>
    </message>
    <message>
        <source>Apply to DVR</source>
        <translation>套用至DVR</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
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
        <translation>移動偵測</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>頻道</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>靈敏度</translation>
    </message>
    <message>
        <source>Detection Zone</source>
        <translation>偵測區域</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>彈出視窗</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>自動關閉</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>感測器</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>類型</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>連動</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>繼電器</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>輸出</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>錄影失敗</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>錄影警告</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>持續時間</translation>
    </message>
    <message>
        <source>E-Mail Address</source>
        <translation>電子郵件地址</translation>
    </message>
    <message>
        <source>Receiver Address</source>
        <translation>收件者地址</translation>
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
        <translation>寄件者地址</translation>
    </message>
    <message>
        <source>SMTP</source>
        <translation>SMTP</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>位址</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>驗證</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>帳號</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
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
        <translation>郵件傳送設定</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>週期</translation>
    </message>
    <message>
        <source>Prohibition</source>
        <translation>禁止</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>開始時間</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>結束時間</translation>
    </message>
    <message>
        <source>E-Mail Transfer Contents</source>
        <translation>郵件傳送內容</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>影像遺失</translation>
    </message>
    <message>
        <source>Record Status</source>
        <translation>錄影狀態</translation>
    </message>
    <message>
        <source>System Access</source>
        <translation>系統存取</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>錄影時間</translation>
    </message>
    <message>
        <source>Post Alarm Record</source>
        <translation>警報後錄影</translation>
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
        <translation>模式</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Write Mode</source>
        <translation>寫入模式</translation>
    </message>
    <message>
        <source>Force Deletion</source>
        <translation>強制刪除</translation>
    </message>
    <message>
        <source>S.M.A.R.T.</source>
        <translation>S.M.A.R.T.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Check Interval</source>
        <translation>檢查間隔</translation>
    </message>
    <message>
        <source>ONCE</source>
        <translation>一次</translation>
    </message>
    <message>
        <source>OVERWRITE</source>
        <translation>覆寫</translation>
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
        <translation>類型</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>BW Limitation</source>
        <translation>頻寬限制</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP位址</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>子網路遮罩</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>閘道</translation>
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
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>DDNS Link</source>
        <translation>DDNS連結</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>帳號</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <source>DDNS</source>
        <translation>DDNS</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>主機名稱</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>串流</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>頻道</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>畫質</translation>
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
        <translation>套用TCP/IP與DDNS網路設定</translation>
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
        <translation>頻道</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>解析度</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>畫質</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Event Quality</source>
        <translation>事件畫質</translation>
    </message>
    <message>
        <source>Event FPS</source>
        <translation>事件FPS</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>排程</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手動</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>連續</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>移動偵測</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>感測器</translation>
    </message>
    <message>
        <source>Motion + Sensor</source>
        <translation>移動偵測+感測器</translation>
    </message>
    <message>
        <source>Cont. + Event</source>
        <translation>連續+事件</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>編號</translation>
    </message>
    <message>
        <source>Etc.</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音訊</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Time Overlay</source>
        <translation>時間疊加</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>回放</translation>
    </message>
    <message>
        <source>Starting Point</source>
        <translation>起始點</translation>
    </message>
    <message>
        <source>SUN</source>
        <translation>週日</translation>
    </message>
    <message>
        <source>MON</source>
        <translation>週一</translation>
    </message>
    <message>
        <source>TUE</source>
        <translation>週二</translation>
    </message>
    <message>
        <source>WED</source>
        <translation>週三</translation>
    </message>
    <message>
        <source>THU</source>
        <translation>週四</translation>
    </message>
    <message>
        <source>FRI</source>
        <translation>週五</translation>
    </message>
    <message>
        <source>SAT</source>
        <translation>週六</translation>
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
        <translation>名稱與ID</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>日期與時間</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>時間格式</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>日期格式</translation>
    </message>
    <message>
        <source>Timezone</source>
        <translation>時區</translation>
    </message>
    <message>
        <source>NTP</source>
        <translation>NTP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>On</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>NTP Address</source>
        <translation>NTP伺服器</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>蜂鳴器</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>感測器</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>移動偵測</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>影像遺失</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>錄影失敗</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>錄影警告</translation>
    </message>
    <message>
        <source>Auto Reboot</source>
        <translation>自動重新開機</translation>
    </message>
    <message>
        <source>Day</source>
        <comment>day of week</comment>
        <translation>星期</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>顯示</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>攝影機名稱</translation>
    </message>
    <message>
        <source>Record Icon</source>
        <translation>錄影圖示</translation>
    </message>
    <message>
        <source>Motion Icon</source>
        <translation>移動偵測圖示</translation>
    </message>
    <message>
        <source>Sensor Icon</source>
        <translation>感測器圖示</translation>
    </message>
    <message>
        <source>Task Bar</source>
        <translation>工作列</translation>
    </message>
    <message>
        <source>VGA Mode</source>
        <translation>VGA模式</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>星期日</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>星期一</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>星期二</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>星期三</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>星期四</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>星期五</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>星期六</translation>
    </message>
    <message>
        <source>Everyday</source>
        <translation>每天</translation>
    </message>
</context>
<context>
    <name>CSetupWidget</name>
    <message>
        <source>System</source>
        <translation>系統</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>網路</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>錄影</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>硬碟</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>帳戶</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>攝影機</translation>
    </message>
    <message>
        <source>The DVR configuration is of an unknown model (%1).</source>
        <translation>DVR設定屬於未知的型號(%1)。</translation>
    </message>
    <message>
        <source>The configuration of a DVR on the old protocol cannot be read.</source>
        <translation>無法讀取舊版通訊協定DVR的設定。</translation>
    </message>
    <message>
        <source>The DVR configuration could not be read.</source>
        <translation>無法讀取DVR設定。</translation>
    </message>
    <message>
        <source>The admin password must not be empty.</source>
        <translation>管理者密碼不可空白。</translation>
    </message>
    <message>
        <source>No configuration was read from the DVR. Send the default settings anyway?</source>
        <translation>尚未從DVR讀取設定。仍要傳送預設設定嗎？</translation>
    </message>
    <message>
        <source>The transmission error occurred!</source>
        <translation>傳輸發生錯誤！</translation>
    </message>
    <message>
        <source>The DVR configuration is correctly transfered!</source>
        <translation>DVR設定已成功傳送！</translation>
    </message>
    <message>
        <source>Please select a configuration file.</source>
        <translation>請選擇設定檔。</translation>
    </message>
    <message>
        <source>Configs (*.conf)</source>
        <translation>設定檔 (*.conf)</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.</source>
        <translation>無法開啟檔案 %1。</translation>
    </message>
    <message>
        <source>The file %1 is not a DVR configuration.</source>
        <translation>檔案 %1 不是DVR設定檔。</translation>
    </message>
    <message>
        <source>The file name must end with &quot;.conf&quot;.</source>
        <translation>檔案名稱必須以「.conf」結尾。</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>無法寫入檔案 %1。</translation>
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
        <translation>軟體升級</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>類型</translation>
    </message>
    <message>
        <source>File</source>
        <translation>檔案</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>瀏覽...</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升級</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>選擇檔案</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>所有檔案(*.*)</translation>
    </message>
    <message>
        <source>The upgrade is failed!</source>
        <translation>升級失敗！</translation>
    </message>
    <message>
        <source>The upgrade is completed!</source>
        <translation>升級完成！</translation>
    </message>
</context>
<context>
    <name>CWaitDialog</name>
    <message>
        <source>Please wait a minute.</source>
        <translation>請稍候。</translation>
    </message>
</context>
<context>
    <name>PbButtons</name>
    <message>
        <source>Reverse</source>
        <translation>倒轉播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Step reverse</source>
        <translation>逐格倒退</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>逐格前進</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>減速</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>加速</translation>
    </message>
</context>
<context>
    <name>UpLoader</name>
    <message>
        <source>Error: can&apos;t open file %1</source>
        <translation>錯誤：無法開啟檔案 %1</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>網路錯誤：%1</translation>
    </message>
</context>
<context>
    <name>Viewer</name>
    <message>
        <source>Save File</source>
        <translation>儲存檔案</translation>
    </message>
    <message>
        <source>Text files(*.txt)</source>
        <translation>文字檔(*.txt)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>無法寫入檔案 %1：
%2。</translation>
    </message>
    <message>
        <source>File saved</source>
        <translation>檔案已儲存</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>請選擇資料夾。</translation>
    </message>
    <message>
        <source>The image has been saved.</source>
        <translation>影像已儲存。</translation>
    </message>
    <message>
        <source>The image could not be saved.</source>
        <translation>無法儲存影像。</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>開啟檔案</translation>
    </message>
    <message>
        <source>Capture Images (*.png *.jpg)</source>
        <translation>擷取影像 (*.png *.jpg)</translation>
    </message>
    <message>
        <source>The backup ended before its end time. The files written so far are in &quot;%1&quot;.</source>
        <translation>備份在結束時間之前就已結束。目前已寫入的檔案位於 &quot;%1&quot;。</translation>
    </message>
    <message>
        <source>The changes to the DVR list are not saved (%1).</source>
        <translation>DVR 清單的變更尚未儲存 (%1)。</translation>
    </message>
    <message>
        <source>The changes to the e-map list are not saved (%1).</source>
        <translation>電子地圖清單的變更尚未儲存 (%1)。</translation>
    </message>
    <message>
        <source>Close the program all the same? These changes are lost then.</source>
        <translation>仍要關閉程式嗎？這些變更將會遺失。</translation>
    </message>
    <message>
        <source>another mode was chosen</source>
        <translation>已選擇其他模式</translation>
    </message>
</context>
<context>
    <name>ViewerClass</name>
    <message>
        <source>Live S</source>
        <translation>單機即時</translation>
    </message>
    <message>
        <source>Live M</source>
        <translation>多機即時</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜尋</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>回放</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>備份</translation>
    </message>
    <message>
        <source>E-Map</source>
        <translation>電子地圖</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>資訊</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>DVR設定</translation>
    </message>
    <message>
        <source>PC Setup</source>
        <translation>電腦設定</translation>
    </message>
    <message>
        <source>View</source>
        <translation>檢視</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>離開</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Setup Model</source>
        <translation>設定型號</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>載入預設值</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>重新讀取</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>套用</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>全部套用</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升級</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>日期與時間</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Digital Zoom</source>
        <translation>數位變焦</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>擷取</translation>
    </message>
    <message>
        <source>PC Record</source>
        <translation>電腦錄影</translation>
    </message>
    <message>
        <source>DVR Record</source>
        <translation>DVR錄影</translation>
    </message>
</context>
</TS>
